#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine in the project's own Wine prefix, quietly, and returns its
# exit code. The prefix (SETUP_WINEPREFIX, default under /tmp) is made on first use; `wine.sh --init`
# only makes it, so that parallel tests never race to create it.
set -euo pipefail
export WINEPREFIX=${SETUP_WINEPREFIX:-/tmp/cd-setup-wine-$(id -u)}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# No Mono or Gecko download prompts; no desktop integration written into the user's menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)

if [ ! -f "$WINEPREFIX/.cd-setup-ready" ]; then
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.cd-setup-ready" ]; then
            DISPLAY= "$wine" wineboot --init >/dev/null 2>&1 || true
            /usr/lib/wine/wineserver64 -w 2>/dev/null || wineserver -w || true
            touch "$WINEPREFIX/.cd-setup-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
fi
[ "${1:-}" = --init ] && exit 0
exec "$wine" "$@"
