#!/usr/bin/env bash
# Runs a command with a display: the user's own, or a fresh Xvfb with a small window manager.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$@"
fi
exec "$(dirname "$0")/fresh-display.sh" "$@"
