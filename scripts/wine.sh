#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine in the project's own Wine prefix, quietly, and returns its
# exit code. The prefix (SETUP_WINEPREFIX, default under /tmp) is made on first use; `wine.sh --init`
# only makes it, so that parallel tests never race to create it.
# With SETUP_WINE_SUITE set (ctest sets it to the suite's name), the program runs in a fresh copy of
# that prefix of its own, so that suites running side by side never see each other's drives,
# registry or files; the copy and its Wine server end with the program.
set -euo pipefail
export WINEPREFIX=${SETUP_WINEPREFIX:-/tmp/cd-setup-wine-$(id -u)}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# No Mono or Gecko download prompts; no desktop integration written into the user's menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=wineserver

if [ ! -f "$WINEPREFIX/.cd-setup-ready" ]; then
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.cd-setup-ready" ]; then
            DISPLAY= "$wine" wineboot --init >/dev/null 2>&1 || true
            "$wineserver" -w 2>/dev/null || true
            touch "$WINEPREFIX/.cd-setup-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
fi
[ "${1:-}" = --init ] && exit 0
[ -z "${SETUP_WINE_SUITE:-}" ] && exec "$wine" "$@"

# The Windows folder's programs and libraries are only read: they are shared as hard links. What
# Wine or a test writes (the registry, the profile files, the users' and programs' folders) is
# copied.
template=$WINEPREFIX
export WINEPREFIX=$template-$SETUP_WINE_SUITE
rm -rf "$WINEPREFIX"
cp -al "$template" "$WINEPREFIX"
for file in "$WINEPREFIX"/*.reg "$WINEPREFIX"/drive_c/windows/*.ini; do
    rm -f "$file"
    cp -p "$template/${file#"$WINEPREFIX"/}" "$file"
done
for folder in users ProgramData; do
    rm -rf "$WINEPREFIX/drive_c/$folder"
    cp -a "$template/drive_c/$folder" "$WINEPREFIX/drive_c/$folder"
done
# The system drive's programs folder holds only what a test puts there.
rm -rf "$WINEPREFIX/drive_c/Program Files" && mkdir "$WINEPREFIX/drive_c/Program Files"
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
# The first window of a Wine session starts the session's desktop process, which lives as long as
# the session. Started from a test, it would keep the test's output open and ctest would wait for
# it: start it first, with its output elsewhere.
"$wine" rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
# SETUP_WINE_DPI: the screen's dots per inch as Wine's settings give them (96 unless set).
if [ -n "${SETUP_WINE_DPI:-}" ]; then
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$SETUP_WINE_DPI" /f \
        >/dev/null 2>&1
    "$wineserver" -k 2>/dev/null || true
    "$wine" rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
fi
status=0
"$wine" "$@" || status=$?
exit "$status"
