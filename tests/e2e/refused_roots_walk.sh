#!/usr/bin/env bash
# refused_roots_walk.sh <medium> <log> <pictures>: starts the medium's setup program and, with key
# presses only, offers C:\ and then D:\ on the target folder page; each is refused in a box and
# the page stays open; then back to the main window, which is closed. What the run did is in the
# log. Runs on a display of its own (a fresh Xvfb with a window manager) unless one is ready.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
medium=$1 log=$2 shots=$3
if [ -z "${REFUSED_ROOTS_DISPLAY_READY:-}" ]; then
    export REFUSED_ROOTS_DISPLAY_READY=1
    exec "$root/scripts/fresh-display.sh" "$0" "$@"
fi
mkdir -p "$shots"
source "$root/scripts/walkthrough-pages.sh"
wait_for_window_manager
(cd "$medium" && exec ./setup --log "$log") 2>"$shots/setup-stderr.txt" &
program=$!
page "Moonrise Harbour - Setup" main-window Return
page "Licence agreement" licence Tab Return
page "Install type" install-type shift+Tab Down Tab Return
page "Moonrise Harbour" target-folder Tab Tab Tab ctrl+a "type:C:\\" Return
page "Setup" root-c-refused Return
page "Moonrise Harbour" target-folder-again ctrl+a "type:D:\\" Return
page "Setup" root-d-refused Return
page "Moonrise Harbour" target-folder-back Escape
page "Moonrise Harbour - Setup" main-window-again Escape
wait_for_end $program
