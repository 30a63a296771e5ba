#!/usr/bin/env bash
# Runs a command with a display: the user's own, or a fresh Xvfb with a small window manager.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$@"
fi
# A run beside others may name its own server number (SETUP_XVFB_SERVER), since two servers
# that choose a free number at the same moment can choose the same one.
server=(-a)
[ -n "${SETUP_XVFB_SERVER:-}" ] && server=(-n "$SETUP_XVFB_SERVER")
# The window manager must be up before the first window, or that window has no frame and never
# gets the focus: wait (up to 30 s) until it announces itself on the root window.
exec xvfb-run "${server[@]}" -s "-screen 0 1280x1024x24" bash -c 'openbox >/dev/null 2>&1 &
    for _ in $(seq 300); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.1
    done
    "$@"' _ "$@"
