#!/usr/bin/env bash
# The Linux build against setup.exe under Wine, each installing the same medium unattended into a
# fresh Wine prefix of its own: the same files under drive_c (decoded WAVE bytes included), the
# same shared uninstaller in the Windows folder, and the same registry values in the 32-bit view.
# One medium serves both: the Linux build's, with setup.exe put beside its setup and the game a
# Windows program of ours (tests/e2e/wine/RecordReader.c), so that the Linux build installs into
# the prefix.
# Arguments: the Windows build folder, the record reader program, the Linux build folder.
set -euo pipefail
win_build=$1 reader=$2 linux_build=$3
fail() { echo "wine prefix twins: $*" >&2; exit 1; }
[ -x "$linux_build/medium/setup" ] || fail "no Linux build in $linux_build to compare with (scripts/build.sh makes it)"
out=$(mktemp -d /tmp/cd-setup-wine-twins.XXXXXX)
linux_prefix=$out/linux-prefix windows_prefix=$out/windows-prefix
trap 'for p in "$linux_prefix" "$windows_prefix"; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done
      rm -rf "$out"' EXIT
medium=$out/medium
cp -a "$linux_build/medium" "$medium"
cp "$reader" "$medium/harbour.exe"
cp "$win_build/medium/setup.exe" "$medium/setup.exe"
export WINEDEBUG=-all LANG=C.UTF-8 HOME=$out/home
unset SETUP_DRIVE_TABLE SETUP_REGISTRY_DIR WINDIR XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME"
arguments=(--silent --quiet --type max --language Polski)

WINEPREFIX=$linux_prefix "$medium/setup" "${arguments[@]}" --log "$out/linux.log" ||
    fail "the Linux build failed: $(cat "$out/linux.log")"
# setup.exe gets a prefix made as Wine's first start makes one, as the Linux build made its own.
WINEPREFIX=$windows_prefix WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d' DISPLAY= \
    wine wineboot --init >/dev/null 2>&1
# The session of that start has no display; setup.exe's windows need a session of their own.
WINEPREFIX=$windows_prefix wineserver -w
WINEPREFIX=$windows_prefix wine "$medium/setup.exe" "${arguments[@]}" --log "$out/windows.log" ||
    fail "setup.exe failed: $(tr -d '\r' <"$out/windows.log")"
WINEPREFIX=$windows_prefix wineserver -w

# Every installed file byte for byte; the script's copy line for line, as Windows' own profile
# writer rewrites the file with CRLF ends and without blank lines.
linux_game="$linux_prefix/drive_c/Gry/Moonrise Harbour" windows_game="$windows_prefix/drive_c/Gry/Moonrise Harbour"
[ -f "$windows_game/music/theme.wav" ] || fail "setup.exe installed no decoded sound"
diff -r -x install.ini "$linux_game" "$windows_game" || fail "the installed files differ"
lines() { tr -d '\r' <"$1" | grep -v '^$'; }
diff <(lines "$linux_game/install.ini") <(lines "$windows_game/install.ini") ||
    fail "the installed script differs"
cmp "$linux_prefix/drive_c/windows/TL/Ulvarest.exe" "$windows_prefix/drive_c/windows/TL/Ulvarest.exe" ||
    fail "the shared uninstaller differs or is missing"

# Every value of the installer's record and of the uninstall entry, read from each prefix's
# registry in the 32-bit view.
value() { # value <prefix> <key> <name>: the reg query line of the value, or nothing
    (WINEPREFIX=$1 wine reg query "$2" /v "$3" /reg:32 2>/dev/null || true) | tr -d '\r' | grep REG_ || true
}
values=0
for key in 'HKCU\Software\Tervalis\MoonriseHarbour_Polski' \
    'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\MoonriseHarbour_Polski'; do
    for name in ProgramPath Lang Program DisplayName UninstallString; do
        linux=$(value "$linux_prefix" "$key" "$name") windows=$(value "$windows_prefix" "$key" "$name")
        # A loaded machine's Wine may answer a query with nothing once: asked again before failing.
        if [ "$linux" != "$windows" ]; then
            sleep 1
            linux=$(value "$linux_prefix" "$key" "$name") windows=$(value "$windows_prefix" "$key" "$name")
        fi
        [ "$linux" = "$windows" ] || fail "$key\\$name: the Linux build wrote '$linux', setup.exe '$windows'"
        [ -z "$linux" ] || { echo "$key: $linux" && values=$((values + 1)); }
    done
done
[ "$values" -eq 4 ] || fail "expected ProgramPath, Lang, DisplayName and UninstallString, found $values"
echo "the Linux build installed into its Wine prefix what setup.exe installs into its own ($values registry values)"
