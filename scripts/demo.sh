#!/usr/bin/env bash
# Installs what is missing, builds, assembles the demo medium and starts the setup program from
# the medium's folder. Without a display it installs the demo under Xvfb with key presses
# (scripts/walkthrough.sh) and prints where the installed folder and the screenshots are.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
medium="$PWD/build/medium"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    cd "$medium"
    exec ./setup
fi
echo "No display: installing the demo under Xvfb with key presses, as a person would."
scripts/walkthrough.sh "$PWD/out/walkthrough"
