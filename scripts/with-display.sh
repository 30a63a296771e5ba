#!/usr/bin/env bash
# Runs a command with a display: the user's own, or a fresh Xvfb with a small window manager.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c 'openbox >/dev/null 2>&1 & sleep 0.5; "$@"' _ "$@"
