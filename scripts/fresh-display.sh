#!/usr/bin/env bash
# fresh-display.sh [--size WxH] COMMAND...: runs COMMAND on an Xvfb server of its own, with a
# small window manager, and ends the server afterwards. The server picks its
# own free number (-displayfd), so that runs started side by side never share a server, as two
# runs that look for a free number at the same moment can. The window manager must be up before
# the first window, or that window has no frame and never gets the focus: the command starts once
# it has announced itself on the root window.
set -euo pipefail
size=1280x1024
if [ "${1:-}" = --size ]; then
    size=$2
    shift 2
fi
[ $# -gt 0 ] || { echo "usage: fresh-display.sh [--size WxH] COMMAND..." >&2; exit 2; }
for program in Xvfb xprop openbox; do
    command -v "$program" >/dev/null || { echo "fresh-display: $program is not installed" >&2; exit 2; }
done
# A loaded machine only makes the start slower; each wait is bounded (tenths of a second).
wait_limit=${FRESH_DISPLAY_WAIT:-1200}
work=$(mktemp -d)
server="" manager=""
finish() {
    [ -n "$manager" ] && kill "$manager" 2>/dev/null
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 143' TERM INT

Xvfb -displayfd 3 -nolisten tcp -screen 0 "${size}x24" 3>"$work/number" 2>"$work/server.log" &
server=$!
for _ in $(seq "$wait_limit"); do
    grep -q '^[0-9]' "$work/number" 2>/dev/null && break
    kill -0 "$server" 2>/dev/null || { cat "$work/server.log" >&2; echo "fresh-display: Xvfb did not start" >&2; exit 2; }
    sleep 0.1
done
grep -q '^[0-9]' "$work/number" || { echo "fresh-display: Xvfb named no display" >&2; exit 2; }
export DISPLAY=":$(head -n 1 "$work/number")"
unset XAUTHORITY
# The server has named its display; a client is let in once it answers one.
for _ in $(seq "$wait_limit"); do
    xprop -root >/dev/null 2>&1 && break
    sleep 0.1
done

started="" attempts=0
# A window manager that could not reach the server on a loaded machine is started again.
while [ -z "$started" ] && [ $((attempts += 1)) -le 3 ]; do
    openbox >"$work/manager.log" 2>&1 &
    manager=$!
    for _ in $(seq "$wait_limit"); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && { started=1; break; }
        kill -0 "$manager" 2>/dev/null || break
        sleep 0.1
    done
done
if [ -z "$started" ]; then
    cat "$work/manager.log" >&2
    echo "fresh-display: the window manager did not start on $DISPLAY" >&2
    exit 2
fi

status=0
"$@" || status=$?
exit "$status"
