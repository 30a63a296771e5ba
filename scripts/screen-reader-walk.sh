#!/usr/bin/env bash
# screen-reader-walk.sh [OUTPUT]: what the Orca screen reader says on the install type and target
# folder pages of the demo medium, walked with the keyboard on a display and a session bus of its
# own. Orca runs without a speech server; its debug log keeps every phrase ("SPEECH OUTPUT"),
# printed at the end after the key that caused it. Needs the Debian package orca.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/out/screen-reader}" && cd "${1:-$root/out/screen-reader}" && pwd)
command -v orca >/dev/null || { echo "screen-reader-walk: install the package orca first" >&2; exit 1; }
if [ -z "${SCREEN_READER_WALK_INSIDE:-}" ]; then
    machine="$out/machine"
    rm -rf "$machine" "$out/orca.log" "$out/keys.log"
    mkdir -p "$machine/home/Windows" "$machine/home/Games" "$machine/home/Program Files/Common" \
        "$machine/data/Music" "$machine/registry" "$machine/xdg" "$out/orca-prefs"
    cat >"$machine/drives" <<TABLE
c:|fixed|$machine/home|SYSTEM
d:|cdrom|${MEDIUM:-$root/build/medium}|MOONRISE
e:|fixed|$machine/data|DATA
TABLE
    export SCREEN_READER_WALK_INSIDE=1 SETUP_DRIVE_TABLE="$machine/drives"
    export SETUP_REGISTRY_DIR="$machine/registry" XDG_DATA_HOME="$machine/xdg" XDG_CONFIG_HOME="$machine/config" LANG=en_US.UTF-8
    exec "$root/scripts/fresh-display.sh" --size 1024x768 dbus-run-session -- "$0" "$out"
fi

source "$root/scripts/walkthrough-pages.sh"
shots="$out"
wait_for_window_manager
orca -u "$out/orca-prefs" --debug-file "$out/orca.log" >/dev/null 2>&1 &
orca=$!
sleep 5 # Orca says "Screen reader on" once it listens
cd "${MEDIUM:-$root/build/medium}"
./setup 2>"$out/setup-stderr.txt" &
program=$!
say() { # say <key>: presses the key and gives Orca the time to speak
    echo "$(date +%H:%M:%S.%6N) - KEY $1" >>"$out/keys.log"
    xdotool key "$1"
    sleep 2.5
}
page "Moonrise Harbour - Setup" main-window Return
page "Licence agreement" licence Tab Return
focus "$(wait_for_window install-type --name '^Install type$')"
sleep 3
for key in shift+Tab Up Tab; do say "$key"; done
xdotool key Return
focus "$(wait_for_window target-folder --name '^Moonrise Harbour$')"
sleep 3
for key in Tab Tab Down alt+Down Up Return Tab Tab Down End Home Down Return; do say "$key"; done
kill "$program" "$orca" 2>/dev/null || true
# Orca's phrases and the keys, in the order of their moments.
{ grep 'SPEECH OUTPUT' "$out/orca.log"; cat "$out/keys.log"; } | sort |
    sed -e 's/^.*SPEECH OUTPUT: /    /' -e 's/^.* - KEY /key /' -e 's/{.*}$//'
