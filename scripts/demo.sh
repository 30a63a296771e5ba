#!/usr/bin/env bash
# Installs what is missing, builds, assembles the demo medium and starts the setup program from
# the medium's folder. Without a display it runs the program under Xvfb and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
medium="$PWD/build/medium"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    cd "$medium"
    exec ./setup
fi
shots="$PWD/out/screenshots"
mkdir -p "$shots"
echo "No display: running the setup program under Xvfb."
scripts/with-display.sh bash -c '
    cd "$1" && ./setup & program=$!
    sleep 3
    import -window root "$2/main-window.png"
    kill $program 2>/dev/null || true' _ "$medium" "$shots"
echo "Screenshot of the main window: $shots/main-window.png"
