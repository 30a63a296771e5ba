#!/usr/bin/env bash
# The keyboard walkthrough against setup.exe under Wine as a test: it must install the same files,
# the same decoded WAVE bytes and the same registry values as the Linux build's walkthrough, and
# leave real shortcuts in the Programs folder.
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
[ "$(ls "$out/windows/screenshots" | wc -l)" -eq 9 ] ||
    fail "expected 9 screenshots, got: $(ls "$out/windows/screenshots")"

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
echo "setup.exe under Wine installed the demo as the Linux build does ($values registry values)"
