#!/usr/bin/env bash
# walkthrough.sh [OUTPUT]: installs the demo medium the way a person would, with key presses only,
# on a display of its own (Xvfb with a window manager), saving a picture of every page and box.
# The machine it installs on is a sandbox in OUTPUT/machine: drive c: is OUTPUT/machine/home, the
# medium sits in CD-ROM drive d:, and the registry hives and Start menu are in the sandbox too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/out/walkthrough}" && cd "${1:-$root/out/walkthrough}" && pwd)
medium=${MEDIUM:-$root/build/medium}
machine="$out/machine"
shots="$out/screenshots"
rm -rf "$machine" "$shots"
mkdir -p "$machine/home/Windows" "$machine/registry" "$machine/data" "$shots"
cat > "$machine/drives" <<TABLE
c:|fixed|$machine/home|SYSTEM
d:|cdrom|$medium|MOONRISE
z:|fixed|/
TABLE

if [ -z "${WALKTHROUGH_DISPLAY_READY:-}" ]; then
    export WALKTHROUGH_DISPLAY_READY=1
    exec "$root/scripts/fresh-display.sh" --size 1024x768 "$0" "$out"
fi

export SETUP_DRIVE_TABLE="$machine/drives" SETUP_REGISTRY_DIR="$machine/registry"
export XDG_DATA_HOME="$machine/data" XDG_CONFIG_HOME="$machine/config" WINDIR='C:\Windows' LANG=en_US.UTF-8
# The desktop's opener is not part of a bare X server; record what the installer asks it to open.
mkdir -p "$machine/bin"
printf '#!/bin/sh\necho "$1" >> "%s/opened.txt"\n' "$machine" > "$machine/bin/xdg-open"
chmod +x "$machine/bin/xdg-open"
export PATH="$machine/bin:$PATH"

source "$root/scripts/walkthrough-pages.sh"
wait_for_window_manager

cd "$medium"
./setup 2>"$out/setup-stderr.txt" &
program=$!

walk_the_demo

wait_for_end $program
echo "Installed into:  $machine/home/Games/Moonrise Harbour"
echo "Start menu:      $machine/data/applications/Tervalis/Moonrise Harbour"
echo "Registry hives:  $machine/registry"
echo "Screenshots:     $shots"
