#!/usr/bin/env bash
# Installed on Linux, run by Wine: the Linux build installs a medium whose game is a Windows
# program (tests/e2e/wine/RecordReader.c) unattended into a fresh Wine prefix; the game, started
# from its desktop entry as a desktop starts it (its Exec in its Path), finds its installer's
# record there: ProgramPath is the folder it runs from, Lang the language chosen. Wine's registry
# holds the uninstall entry in the 32-bit view and Wine's uninstaller lists the product. A second
# run installs onto a drive of the prefix's own, from the medium in the prefix's CD-ROM drive.
# Then the rows that keep today's mapping: no Wine on the PATH, and SETUP_DRIVE_TABLE given.
# Arguments: the Linux build folder, the record reader program (empty when no compiler built it).
set -euo pipefail
source "$(dirname "$0")/own_mounts.sh"
own_mounts "$0" "$@"
build_dir=$1 reader=${2:-}
skip() { echo "wine prefix test skipped: $*"; exit 77; }
fail() { echo "wine prefix test: $*" >&2; exit 1; }
command -v wine >/dev/null || skip "wine is not installed (scripts/install-deps.sh installs it)"
[ -n "$reader" ] && [ -f "$reader" ] ||
    skip "no mingw-w64 compiler built the test's Windows program (x86_64-w64-mingw32-gcc)"
[ -x "$build_dir/medium/setup" ] || fail "no medium in $build_dir (scripts/build.sh makes it)"

out=$(mktemp -d /tmp/cd-setup-wine-test.XXXXXX)
prefix=$out/prefix
# Every prefix the test made may still have a Wine server of its own, which writes into it.
end_wine() {
    for made in "$prefix" "$out"/*prefix*; do
        [ -d "$made" ] && WINEPREFIX=$made wineserver -k 2>/dev/null || true
    done
    for made in "$prefix" "$out"/*prefix*; do
        [ -d "$made" ] && WINEPREFIX=$made wineserver -w 2>/dev/null || true
    done
    rm -rf "$out"
}
trap end_wine EXIT
medium=$out/medium
cp -a "$build_dir/medium" "$medium"
cp "$reader" "$medium/harbour.exe"
export WINEDEBUG=-all WINEPREFIX=$prefix LANG=C.UTF-8
unset SETUP_DRIVE_TABLE SETUP_REGISTRY_DIR WINDIR XDG_DATA_HOME XDG_CONFIG_HOME

# install <row> <setup> [VARIABLE=value...] -- [arguments]: the setup program, unattended, with a
# home of the row's own, the variables and the arguments given.
install() {
    local row=$1 setup=$2 variables=()
    shift 2
    while [ "$1" != -- ]; do variables+=("$1") && shift; done
    shift
    export HOME=$out/$row
    mkdir -p "$HOME"
    local start=$EPOCHREALTIME
    env "${variables[@]}" "$setup" --silent --quiet --type max --log "$out/$row.log" "$@" ||
        fail "$row: setup failed: $(cat "$out/$row.log")"
    echo "$row: setup ran $(awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN { printf "%.1f s", e - s }')"
    grep '^[0-9:.]* wine: ' "$out/$row.log" || true
}
entry() { echo "$HOME/.local/share/applications/Tervalis/Moonrise Harbour/Moonrise Harbour.desktop"; }
field() { sed -n "s/^$1=//p" "$(entry)"; }

# play <game folder> <its Windows name> <language>: starts the game's entry as a desktop starts
# it, Exec's words (desktop entry quoting is the shell's double quoting once the general escapes
# are undone) in the Path folder, and checks what the game found.
play() {
    local game=$1 path exec_line record
    path=$(field Path) exec_line=$(field Exec)
    [ "${path%/}" = "$game" ] || fail "the entry's Path is '$path'"
    case $exec_line in "env \"WINEPREFIX=$prefix\" wine \"$game/harbour.exe\"") ;;
        *) fail "the entry's Exec is '$exec_line'" ;; esac
    # What a desktop shows: the game's own icon from its resources, its category, the window class
    # Wine gives it, the group as a menu folder; the entry valid and loadable by GLib.
    local icon
    icon=$(field Icon)
    [ -f "$HOME/.local/share/icons/hicolor/32x32/apps/$icon.png" ] ||
        fail "the entry's icon '$icon' is not the game's own in the icon theme"
    [ "$(field Categories)" = "Game;" ] && [ "$(field StartupWMClass)" = harbour.exe ] ||
        fail "the entry's Categories or StartupWMClass is missing: $(cat "$(entry)")"
    desktop-file-validate "$(entry)" || fail "the game's entry does not validate"
    /usr/bin/python3 -c 'import sys, gi; gi.require_version("Gio", "2.0"); from gi.repository import Gio
sys.exit(0 if Gio.DesktopAppInfo.new_from_filename(sys.argv[1]) else 1)' "$(entry)" || fail "GLib refuses the game's entry"
    grep -q '<Name>Moonrise Harbour</Name>' "$HOME/.config/menus/applications-merged/cd-setup-Tervalis-Moonrise-Harbour.menu" ||
        fail "the program group is no menu folder"
    eval "words=(${exec_line//\\\\/\\})"
    (cd "$path" && "${words[@]}") || fail "the game did not run"
    record=$(tr -d '\r' <"$game/record-reader.txt")
    echo "$record"
    value() { sed -n "s/^$1=//p" <<<"$record"; }
    [ "$(value folder)" = "$2" ] || fail "the game ran from '$(value folder)'"
    [ "$(value ProgramPath)" = "$(value folder)" ] || fail "ProgramPath is '$(value ProgramPath)'"
    [ "$(value Lang)" = "$3" ] || fail "Lang is '$(value Lang)'"
}

install wine "$medium/setup" -- --language Polski
game="$prefix/drive_c/Gry/Moonrise Harbour"
[ -f "$game/harbour.exe" ] && [ -f "$game/music/theme.wav" ] || fail "the game is not in the prefix's drive C:"
[ -f "$prefix/drive_c/windows/TL/Ulvarest.exe" ] || fail "no shared uninstaller in the prefix's Windows folder"
[ ! -e "$HOME/Gry" ] && [ ! -e "$HOME/.config/cd-setup/registry" ] || fail "the run also installed the Linux way"
grep -q '^[0-9:.]* wine: prefix made: ' "$out/wine.log" || fail "the log does not say that the prefix was made"
play "$game" 'C:\Gry\Moonrise Harbour' Polski

# A Wine that refuses the registry import: the installation is not recorded, so the run fails
# with the reason and never says it installed.
mkdir -p "$out/refusing-wine"
cat >"$out/refusing-wine/wine" <<REFUSING
#!/bin/sh
previous=
for word in "\$@"; do
    [ "\$previous" = reg ] && [ "\$word" = import ] && exit 1
    previous=\$word
done
exec $(command -v wine) "\$@"
REFUSING
chmod +x "$out/refusing-wine/wine"
if HOME=$out/wine PATH="$out/refusing-wine:$PATH" "$medium/setup" --quiet --type max --language English \
    --dir 'C:\Refused\Moonrise Harbour' --log "$out/refused-import.log" 2>"$out/refused-import.err"; then
    fail "a refused registry import was reported as installed"
fi
# The failure's reason is on the line after the box's text.
grep -A1 '^[0-9:.]* failed: ' "$out/refused-import.log" |
    grep -q "^ *Wine did not take the installation.s registry values" ||
    fail "the refused import does not say why: $(cat "$out/refused-import.log")"
! grep -q '^[0-9:.]* message: .*has been installed' "$out/refused-import.log" ||
    fail "the finished message came before the registry held the values"
echo "refused import: exit 1, $(grep -o 'Wine did not take[^\\]*' "$out/refused-import.log" | head -1)"

# A drive's root and the home folder are never the target in the prefix either: on the command
# line, and on the target folder page, walked with the keyboard as a person would.
drive_c_before=$(cd "$prefix/drive_c" && find . | sort)
refused() { # refused <row> <folder> <what the run says>
    local log=$out/$1.log
    HOME=$out/wine "$medium/setup" --quiet --language English --dir "$2" --log "$log" &&
        fail "$1: $2 was taken as the target"
    grep -qF "failed: $3" "$log" || fail "$1: the run did not say why: $(cat "$log")"
    echo "$1: refused, $3"
}
refused root-c 'C:\' 'C:\ is the root of a drive'
refused root-d 'D:\' 'D:\ is the root of a drive'
refused home "Z:${out//\//\\}\\wine" "Z:${out//\//\\}\\wine is your home folder"
HOME=$out/wine "$(dirname "$0")/refused_roots_walk.sh" "$medium" "$out/page.log" "$out/shots" ||
    fail "the walk on the target folder page failed"
for root in C D; do
    grep -qF "folder refused: $root:\\ is the root of a drive" "$out/page.log" ||
        fail "the page did not refuse $root:\\: $(cat "$out/page.log")"
done
[ "$(cd "$prefix/drive_c" && find . | sort)" = "$drive_c_before" ] ||
    fail "a refused target changed the prefix's drive C:"
echo "the page refused C:\\ and D:\\ in the prefix and stayed open"

uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\MoonriseHarbour_Polski'
# A loaded machine's Wine may fail a query once: it is asked again before the test fails.
query=$( (wine reg query "$uninstall" /reg:32 || { sleep 1 && wine reg query "$uninstall" /reg:32; }) | tr -d '\r')
echo "$query"
grep -qx '    DisplayName    REG_SZ    Moonrise Harbour' <<<"$query" || fail "no DisplayName"
grep -qxF '    UninstallString    REG_SZ    C:\Gry\Moonrise Harbour\uninstall.exe' <<<"$query" ||
    fail "no UninstallString"
wine reg query "${uninstall/Software/Software\\Wow6432Node}" >/dev/null ||
    fail "the uninstall entry is not in the 32-bit view of the 64-bit prefix"
wine uninstaller --list | tr -d '\r' | grep -x 'MoonriseHarbour_Polski|||Moonrise Harbour' ||
    fail "Wine's uninstaller does not list the product"

# From an image of the disc, with the program installed apart from it: the prefix keeps the disc
# as its CD-ROM drive D: with the disc's label, and the game's menu entry mounts the image for as
# long as the game runs, so that the game finds its disc as on Windows.
if command -v fuseiso >/dev/null && command -v xorriso >/dev/null && [ -r /dev/fuse ] && [ -w /dev/fuse ]; then
    mkdir -p "$out/disc-copy"
    cp -a "$medium/." "$out/disc-copy/"
    rm "$out/disc-copy/setup"
    image=$out/moonrise.iso
    xorriso -as mkisofs -quiet -J -R -V MOONRISE -o "$image" "$out/disc-copy" 2>/dev/null
    export HOME=$out/image
    mkdir -p "$HOME"
    "$build_dir/bin/setup" --quiet --type max --language English --dir 'C:\Disc\Moonrise Harbour' \
        --log "$out/image.log" "$image" >"$out/image.out" 2>&1 || fail "image: setup failed: $(cat "$out/image.out")"
    grep -q '^[0-9:.]* wine: the disc is the prefix.s drive d: (CD-ROM)' "$out/image.log" ||
        fail "image: the disc is no drive of the prefix: $(grep '^[0-9:.]* wine' "$out/image.log")"
    [ "$(readlink "$prefix/dosdevices/d:")" = "$prefix/cd-setup-discs/d" ] || fail "image: d: is $(readlink "$prefix/dosdevices/d:")"
    [ "$(cat "$prefix/cd-setup-discs/d/.windows-label")" = MOONRISE ] || fail "image: the drive has no label"
    wine reg query 'HKLM\Software\Wine\Drives' /v d: | tr -d '\r' | grep -q 'REG_SZ *cdrom' ||
        fail "image: Wine does not type d: as a CD-ROM drive"
    ! grep -q 'cd-setup-disc-moonrise_iso-' /proc/self/mounts || fail "image: the image is still mounted after the run"
    game="$prefix/drive_c/Disc/Moonrise Harbour"
    exec_line=$(field Exec)
    case $exec_line in "\"$build_dir/bin/setup\" --with-disc \"$image\" -- env \"WINEPREFIX=$prefix\" wine \"$game/harbour.exe\"") ;;
        *) fail "image: the game's entry is '$exec_line'" ;; esac
    eval "words=(${exec_line//\\\\/\\})"
    (cd "$(field Path)" && "${words[@]}") || fail "image: the game did not run"
    record=$(tr -d '\r' <"$game/record-reader.txt")
    echo "$record"
    grep -qx 'disc=D:|MOONRISE|install.ini' <<<"$record" || fail "image: the game did not find its disc"
    ! grep -q 'cd-setup-disc-moonrise_iso-' /proc/self/mounts || fail "image: the image is still mounted after the game"
    echo "image: the game found its disc as D: labelled MOONRISE; nothing is mounted after it"
else
    echo "image rows skipped: they need fuseiso, xorriso and a usable /dev/fuse"
fi

# The prefix's own drives: the medium in a CD-ROM drive D: (Wine's drive record says so) and a
# drive E: that only the prefix has.
mkdir "$out/e-drive"
rm -f "$prefix/dosdevices/d:"
ln -s "$medium" "$prefix/dosdevices/d:"
ln -s "$out/e-drive" "$prefix/dosdevices/e:"
wine reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f >/dev/null
install wine-drives "$prefix/dosdevices/d:/setup" -- --language English --dir 'E:\Games\Moonrise Harbour'
grep -q '^[0-9:.]* wine: read HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives' "$out/wine-drives.log" ||
    fail "Wine's drive records were not read"
play "$out/e-drive/Games/Moonrise Harbour" 'E:\Games\Moonrise Harbour' English

# Uninstalled from its menu entry, as a desktop starts it: the product's own uninstaller runs in the
# prefix, then what is left of what the installation made goes, its menu entries and its registry
# records too; the save game the person added and the game's own record stay, with their folder.
game="$out/e-drive/Games/Moonrise Harbour"
echo "slot 1" >"$game/save1.sav"
uninstall_entry="$HOME/.local/share/applications/Tervalis/Moonrise Harbour/Uninstall Moonrise Harbour.desktop"
exec_line=$(sed -n 's/^Exec=//p' "$uninstall_entry")
eval "words=(${exec_line//\\\\/\\})"
"${words[@]}" >"$out/uninstall.out" 2>&1 || fail "uninstall failed: $(cat "$out/uninstall.out")"
grep -E "^(kept|Removed)" "$out/uninstall.out"
[ "$(cd "$game" && ls | tr '\n' ' ')" = "record-reader.txt save1.sav " ] ||
    fail "uninstall left $(ls "$game") in the game's folder: $(cat "$out/uninstall.out")"
[ ! -e "$HOME/.local/share/applications/Tervalis" ] || fail "uninstall left the menu entries"
for value in 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\MoonriseHarbour_English /v DisplayName' \
    'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\MoonriseHarbour_English /v UninstallString' \
    'HKCU\Software\Tervalis\MoonriseHarbour_English /v ProgramPath' \
    'HKCU\Software\Tervalis\MoonriseHarbour_English /v Lang'; do
    # shellcheck disable=SC2086
    ! wine reg query $value /reg:32 >/dev/null 2>&1 || fail "uninstall left $value: $(cat "$out/uninstall.out")"
done
echo "uninstalled from the menu: the save game stays, no menu entry or registry value is left"

# A prefix that cannot serve is never used as if it could, nor replaced behind the person's back
# (by ~/.wine or by the mapping of our own): the run fails with the reason and installs nothing.
unusable() { # unusable <row> <what the run says> [VARIABLE=value...]
    local row=$1 says=$2
    shift 2
    mkdir -p "$out/$row"
    if env HOME="$out/$row" "$@" "$medium/setup" --quiet --type max --language English \
        --log "$out/$row.log" >"$out/$row.out" 2>&1; then
        fail "$row: the run installed"
    fi
    grep -qF "$says" "$out/$row.out" || fail "$row: the run did not say why: $(cat "$out/$row.out")"
    [ -z "$(find "$out/$row" -path '*Moonrise Harbour*' -print -quit)" ] || fail "$row: something was installed"
    echo "$row: refused, $(grep -F "$says" "$out/$row.out" | head -1)"
}
touch "$out/a-file"
mkdir -p "$out/foreign/dosdevices" "$out/foreign/drive_c"
for hive in system user userdef; do printf 'REGEDIT4\n' >"$out/foreign/$hive.reg"; done
unusable relative-prefix "WINEPREFIX is not an absolute path" WINEPREFIX=relative/prefix
unusable file-prefix "is a file, not a folder" WINEPREFIX="$out/a-file"
unusable unwritable-prefix "cannot be made" WINEPREFIX=/proc/cd-setup-prefix
unusable foreign-format "holds a registry of another format" WINEPREFIX="$out/foreign"
unusable win32-prefix "Wine could not make the prefix" WINEPREFIX="$out/win32-prefix" WINEARCH=win32
if [ "$(id -u)" = 0 ]; then
    cp -a "$out/foreign" "$out/other-owner"
    chown -R nobody "$out/other-owner"
    unusable other-owner "belongs to another user" WINEPREFIX="$out/other-owner"
fi
# A prefix this program began and did not finish (the run killed while Wine made it) is made again.
half=$out/half-prefix
mkdir -p "$out/half"
HOME=$out/half WINEPREFIX=$half "$medium/setup" --quiet --type max --language English >/dev/null 2>&1 &
starter=$!
for _ in $(seq 200); do [ -e "$half/dosdevices" ] && break; sleep 0.05; done
sleep 1
kill -KILL $starter 2>/dev/null || true
wait $starter 2>/dev/null || true
WINEPREFIX=$half wineserver -k 2>/dev/null || true
[ -f "$half/.cd-setup-unfinished" ] || fail "half-made prefix: the run finished before it was killed"
half_lines=$(cat "$half/system.reg" 2>/dev/null | wc -l)
HOME=$out/half WINEPREFIX=$half "$medium/setup" --quiet --type max --language English \
    --log "$out/half.log" >"$out/half.out" 2>&1 || fail "half-made prefix: the second run failed: $(cat "$out/half.out")"
grep -q "^[0-9:.]* wine: the prefix .* was left unfinished: made again" "$out/half.log" ||
    fail "half-made prefix: not made again: $(grep '^[0-9:.]* wine' "$out/half.log")"
[ ! -e "$half/.cd-setup-unfinished" ] || fail "half-made prefix: still marked unfinished"
echo "half-made prefix: $half_lines lines of system registry, made again: $(wc -l <"$half/system.reg") lines"

# Today's mapping: c: is the home folder, the records are REGEDIT4 files, no prefix is made.
export WINEPREFIX=$out/untouched-prefix
todays_result() { # todays_result <row> <c: folder> <starter of the game's Exec>
    local target="$2/Gry/Moonrise Harbour"
    [ -f "$target/harbour.exe" ] || fail "$1: the game is not in $target"
    grep -qF '"ProgramPath"="C:\\Gry\\Moonrise Harbour"' "$HOME/.config/cd-setup/registry/current-user.reg" ||
        fail "$1: no ProgramPath in the REGEDIT4 hive"
    [ "$(field Exec)" = "$3\"$target/harbour.exe\"" ] || fail "$1: the entry's Exec is '$(field Exec)'"
    [ ! -e "$WINEPREFIX" ] || fail "$1: a Wine prefix was made"
    echo "$1: today's result"
}
mkdir "$out/no-wine-bin"
install no-wine "$medium/setup" PATH="$out/no-wine-bin" -- --language Polski
todays_result no-wine "$HOME" ""
mkdir -p "$out/table-c"
printf 'c:|fixed|%s\nz:|fixed|/\n' "$out/table-c" >"$out/drives"
install drive-table "$medium/setup" SETUP_DRIVE_TABLE="$out/drives" -- --language Polski
todays_result drive-table "$out/table-c" "wine "
