#!/usr/bin/env bash
# screenshot-window.sh <title> <file.png>: saves the first visible window whose title matches,
# frame included, once it has appeared (waits up to 10 seconds).
set -euo pipefail
title=$1 file=$2
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "${window:-}" ] || { echo "no window titled '$title'" >&2; exit 1; }
sleep 0.5
import -window "$window" -frame "$file"
