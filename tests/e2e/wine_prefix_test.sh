#!/usr/bin/env bash
# Installed on Linux, run by Wine: the Linux build installs a medium whose game is a Windows
# program (tests/e2e/wine/RecordReader.c) unattended into a fresh Wine prefix; the game, started
# from its desktop entry as a desktop starts it (its Exec in its Path), finds its installer's
# record there: ProgramPath is the folder it runs from, Lang the language chosen. Wine's registry
# holds the uninstall entry in the 32-bit view and Wine's uninstaller lists the product. Then the
# rows that keep today's mapping: no Wine on the PATH, and SETUP_DRIVE_TABLE given.
# Arguments: the Linux build folder, the record reader program (empty when no compiler built it).
set -euo pipefail
build_dir=$1 reader=${2:-}
skip() { echo "wine prefix test skipped: $*"; exit 77; }
fail() { echo "wine prefix test: $*" >&2; exit 1; }
command -v wine >/dev/null || skip "wine is not installed (scripts/install-deps.sh installs it)"
[ -n "$reader" ] && [ -f "$reader" ] ||
    skip "no mingw-w64 compiler built the test's Windows program (x86_64-w64-mingw32-gcc)"
[ -x "$build_dir/medium/setup" ] || fail "no medium in $build_dir (scripts/build.sh makes it)"

out=$(mktemp -d /tmp/cd-setup-wine-test.XXXXXX)
prefix=$out/prefix
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; rm -rf "$out"' EXIT
medium=$out/medium
cp -a "$build_dir/medium" "$medium"
cp "$reader" "$medium/harbour.exe"
export WINEDEBUG=-all WINEPREFIX=$prefix LANG=C.UTF-8
unset SETUP_DRIVE_TABLE SETUP_REGISTRY_DIR WINDIR XDG_DATA_HOME XDG_CONFIG_HOME

# install <row> [VARIABLE=value...]: the medium's setup, unattended, in Polish, with a home of the
# row's own and the variables given.
install() {
    export HOME=$out/$1
    mkdir -p "$HOME"
    local start=$EPOCHREALTIME
    env "${@:2}" "$medium/setup" --silent --quiet --type max --language Polski --log "$out/$1.log" ||
        fail "$1: setup failed: $(cat "$out/$1.log")"
    echo "$1: setup ran $(awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN { printf "%.1f s", e - s }')"
}
entry() { echo "$HOME/.local/share/applications/Tervalis/Moonrise Harbour/Moonrise Harbour.desktop"; }
field() { sed -n "s/^$1=//p" "$(entry)"; }

install wine
grep '^wine: ' "$out/wine.log"
game="$prefix/drive_c/Gry/Moonrise Harbour"
[ -f "$game/harbour.exe" ] && [ -f "$game/music/theme.wav" ] || fail "the game is not in the prefix's drive C:"
[ -f "$prefix/drive_c/windows/TL/Ulvarest.exe" ] || fail "no shared uninstaller in the prefix's Windows folder"
[ ! -e "$HOME/Gry" ] && [ ! -e "$HOME/.config/cd-setup" ] || fail "the run also installed the Linux way"

# The game's entry, started as a desktop starts it: Exec's words (desktop entry quoting, which
# is the shell's double quoting once the general escapes are undone) in the Path folder.
path=$(field Path)
[ "${path%/}" = "$game" ] || fail "the entry's Path is '$path'"
exec_line=$(field Exec)
case $exec_line in "env \"WINEPREFIX=$prefix\" wine \"$game/harbour.exe\"") ;;
    *) fail "the entry's Exec is '$exec_line'" ;; esac
eval "words=(${exec_line//\\\\/\\})"
(cd "$path" && "${words[@]}") || fail "the game did not run"
record=$(tr -d '\r' <"$game/record-reader.txt")
echo "$record"
value() { sed -n "s/^$1=//p" <<<"$record"; }
[ "$(value folder)" = 'C:\Gry\Moonrise Harbour' ] || fail "the game ran from '$(value folder)'"
[ "$(value ProgramPath)" = "$(value folder)" ] || fail "ProgramPath is '$(value ProgramPath)'"
[ "$(value Lang)" = Polski ] || fail "Lang is '$(value Lang)'"

uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\MoonriseHarbour_Polski'
query=$(wine reg query "$uninstall" /reg:32 | tr -d '\r')
echo "$query"
grep -qx '    DisplayName    REG_SZ    Moonrise Harbour' <<<"$query" || fail "no DisplayName"
grep -qxF '    UninstallString    REG_SZ    C:\Gry\Moonrise Harbour\uninstall.exe' <<<"$query" ||
    fail "no UninstallString"
wine reg query "${uninstall/Software/Software\\Wow6432Node}" >/dev/null ||
    fail "the uninstall entry is not in the 32-bit view of the 64-bit prefix"
wine uninstaller --list | tr -d '\r' | grep -x 'MoonriseHarbour_Polski|||Moonrise Harbour' ||
    fail "Wine's uninstaller does not list the product"

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
install no-wine PATH="$out/no-wine-bin"
todays_result no-wine "$HOME" ""
mkdir -p "$out/table-c"
printf 'c:|fixed|%s\nz:|fixed|/\n' "$out/table-c" >"$out/drives"
install drive-table SETUP_DRIVE_TABLE="$out/drives"
todays_result drive-table "$out/table-c" "wine "
