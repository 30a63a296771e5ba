#!/usr/bin/env bash
# The keyboard walkthrough against setup.exe under Wine as a test: it must install the same files,
# the same decoded WAVE bytes and the same registry values as the Linux build's walkthrough, leave
# real shortcuts in the Programs folder, and run the finishing actions: the further program and the
# DirectX program with their command lines, each waited for, the readme and the program group shown.
# Arguments: source folder, Windows build folder, Linux build folder.
set -euo pipefail
source_dir=$1 build_dir=$2 linux_build=$3
fail() { echo "walkthrough under Wine: $*" >&2; exit 1; }
[ -x "$linux_build/medium/setup" ] || fail "no Linux build in $linux_build to compare with (scripts/build.sh makes it)"
out=$(mktemp -d)
trap 'WINEPREFIX="$out/windows/machine/wine" wineserver -k 2>/dev/null || true; rm -rf "$out"' EXIT

MEDIUM="$build_dir/medium" "$source_dir/scripts/walkthrough-windows.sh" "$out/windows" >/dev/null
MEDIUM="$linux_build/medium" "$source_dir/scripts/walkthrough.sh" "$out/linux" >/dev/null
prefix="$out/windows/machine/wine"
linux="$out/linux/machine"
[ "$(ls "$out/windows/screenshots" | wc -l)" -eq 10 ] ||
    fail "expected 10 screenshots, got: $(ls "$out/windows/screenshots")"

# Every installed file, WAVE files included, byte for byte; the script's copy line for line, as
# Windows' own profile writer rewrites the file with CRLF ends and without blank lines.
linux_game="$linux/home/Games/Moonrise Harbour" windows_game="$prefix/drive_c/Games/Moonrise Harbour"
diff -r -x install.ini "$linux_game" "$windows_game" ||
    fail "the installed files differ from the Linux build's"
lines() { tr -d '\r' <"$1" | grep -v '^$'; }
diff <(lines "$linux_game/install.ini") <(lines "$windows_game/install.ini") ||
    fail "the installed script differs from the Linux build's"
cmp "$linux/home/Windows/TL/Ulvarest.exe" "$prefix/drive_c/windows/TL/Ulvarest.exe" ||
    fail "the shared uninstaller differs or is missing"

# Every value the Linux build recorded, read back from Wine's registry in the 32-bit view, where the
# program writes its machine-wide records as the 32-bit program it was designed as.
values=0
while IFS=$'\t' read -r key name value; do
    got=$( (SETUP_WINEPREFIX="$prefix" "$source_dir/scripts/wine.sh" reg query "$key" /v "$name" /reg:32 2>/dev/null || true) |
        tr -d '\r' | sed -n 's/^ *[^ ].*    REG_SZ    //p')
    # On Linux the list's command is the Linux program's own uninstall; Windows keeps the product's.
    if [ "$name" = UninstallString ]; then
        case $value in *' --uninstall \"'*) value='C:\Games\Moonrise Harbour\uninstall.exe' ;; esac
    fi
    [ "$got" = "$value" ] || fail "$key\\$name is '$got', the Linux build wrote '$value'"
    values=$((values + 1))
done < <(awk '
    { sub(/\r$/, "") }
    /^\[/ { key = substr($0, 2, length($0) - 2); next }
    /^"/ {
        split($0, part, "\"=\"")
        name = substr(part[1], 2); value = substr(part[2], 1, length(part[2]) - 1)
        gsub(/\\\\/, "\\", value)
        print key "\t" name "\t" value
    }' "$linux/registry/"*.reg)
[ "$values" -ge 4 ] || fail "expected the program path, language and uninstall entry, read $values values"

# Real shell links (header size 0x4C and the shell link class) in the Programs folder.
group="$prefix/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tervalis/Moonrise Harbour"
for name in "Moonrise Harbour" "Read me" "Uninstall Moonrise Harbour"; do
    link="$group/$name.lnk"
    [ -f "$link" ] || fail "no shortcut $name.lnk in $group"
    [ "$(head -c 8 "$link" | od -An -tx1 | tr -d ' \n')" = 4c00000001140200 ] || fail "$name.lnk is no shell link"
done
grep -qa 'harbour.exe' "$group/Moonrise Harbour.lnk" || fail "the game's shortcut does not name harbour.exe"

# The finishing actions. The medium's programs recorded "started, time, own path, command line,
# current folder" and "ended, time, own path"; the walk noted when each window was first seen.
records="$out/windows/programs.txt" timeline="$out/windows/timeline.txt" opened="$out/windows/opened.txt"
[ -f "$records" ] || fail "the further program and the DirectX program left no record"
# The values go through the environment: awk -v would read the backslashes as escapes.
record() { # record <event> <own path> <field>
    event=$1 path=$2 field=$3 awk -F'\t' '{ sub(/\r$/, "") }
        $1 == ENVIRON["event"] && $3 == ENVIRON["path"] { print $ENVIRON["field"]; exit }' "$records"
}
seen() { # seen <event> <detail>: the time it was first noted
    event=$1 detail=$2 awk -F'\t' '$2 == ENVIRON["event"] && $3 == ENVIRON["detail"] { print $1; exit }' "$timeline"
}
configure='D:\tools\configure.exe' directx='d:\directx\dxsetup.exe'
[ "$(grep -c '^started' "$records")" -eq 2 ] || fail "expected two programs run, recorded: $(cat "$records")"
# The further program by setup's own folder and its script text, which is its only word; the
# DirectX program by its path alone, the script's X: replaced with the medium's drive letter, which
# the program keeps in lower case.
[ "$(record started "$configure" 4)" = 'tools\configure.exe' ] ||
    fail "the further program's command line is '$(record started "$configure" 4)'"
[ "$(record started "$directx" 4)" = "$directx" ] ||
    fail "the DirectX program's command line is '$(record started "$directx" 4)'"
for program in "$configure" "$directx"; do
    [ "$(record started "$program" 5)" = 'D:\' ] ||
        fail "$program ran in '$(record started "$program" 5)', not in setup's own folder D:\\"
done

# The waits: each box is shown only after the program before it ended, and setup ends only after
# the DirectX program did.
further_box=$(seen window "Uwaga !") directx_box=$(seen window DirectX) setup_end=$(seen ended setup)
configure_start=$(record started "$configure" 2) configure_end=$(record ended "$configure" 2)
directx_start=$(record started "$directx" 2) directx_end=$(record ended "$directx" 2)
for time in further_box directx_box setup_end configure_start configure_end directx_start directx_end; do
    [ -n "${!time}" ] || fail "no time for $time"
done
[ "$further_box" -lt "$configure_start" ] || fail "the further program started before its question"
[ "$configure_end" -lt "$directx_box" ] || fail "the DirectX box appeared before the further program ended"
[ "$directx_box" -lt "$directx_start" ] || fail "the DirectX program started before its question"
[ "$directx_end" -lt "$setup_end" ] || fail "setup ended before the DirectX program did"
seconds() { awk -v ms="$1" 'BEGIN { printf "%.2f s", ms / 1000 }'; }
echo "further program ran $(seconds $((configure_end - configure_start))); the DirectX box appeared" \
    "$(seconds $((directx_box - configure_end))) after its end; DirectX ran" \
    "$(seconds $((directx_end - directx_start))); setup ended $(seconds $((setup_end - directx_end))) after it"

# The readme in the program Wine opens text files with, and the group's folder in explorer, its path
# with blanks passed unquoted.
grep -qi '^readme	.*notepad\.exe.*D:\\readme\.txt' "$opened" || fail "the readme was not opened: $(cat "$opened")"
group_path="C:\\users\\$(id -un)\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Tervalis\\Moonrise Harbour"
grep -qxF "program-group	C:\\windows\\explorer.exe $group_path" "$opened" ||
    fail "explorer was not started on $group_path: $(cat "$opened")"
echo "setup.exe under Wine installed the demo as the Linux build does ($values registry values)"
