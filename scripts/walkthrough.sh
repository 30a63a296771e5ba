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
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c 'openbox >/dev/null 2>&1 & sleep 0.5; exec "$@"' _ "$0" "$out"
fi

export SETUP_DRIVE_TABLE="$machine/drives" SETUP_REGISTRY_DIR="$machine/registry"
export XDG_DATA_HOME="$machine/data" WINDIR='C:\Windows' LANG=en_US.UTF-8
# The desktop's opener is not part of a bare X server; record what the installer asks it to open.
mkdir -p "$machine/bin"
printf '#!/bin/sh\necho "$1" >> "%s/opened.txt"\n' "$machine" > "$machine/bin/xdg-open"
chmod +x "$machine/bin/xdg-open"
export PATH="$machine/bin:$PATH"

step=0
previous=""
# page <title> <name> <keys...>: waits for a new window of that title, saves its picture, then
# presses the keys.
page() {
    local title=$1 name=$2 window=""
    shift 2
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | grep -vx "${previous:-none}" | tail -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        import -window root "$shots/failed-waiting-for-$name.png"
        echo "walkthrough: no window titled '$title' appeared" >&2
        exit 1
    fi
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    sleep 0.4
    step=$((step + 1))
    for _ in 1 2 3; do
        import -window "$window" -frame "$shots/$(printf %02d $step)-$name.png" 2>/dev/null && break
        sleep 0.3
    done
    previous=$window
    for key in "$@"; do
        case "$key" in
            type:*) xdotool type --delay 20 "${key#type:}" ;;
            *) xdotool key "$key" ;;
        esac
        sleep 0.15
    done
}

cd "$medium"
./setup 2>"$out/setup-stderr.txt" &
program=$!

page "Moonrise Harbour - Setup" main-window Return
page "Licence agreement" licence Tab Return
page "Install type" install-type shift+Tab Down Tab Return
page "Moonrise Harbour" target-folder Tab Tab Tab ctrl+a "type:C:\\Games\\Moonrise Harbour" Return
page "Moonrise Harbour" create-folder-question Right Return
page "Moonrise Harbour - Setup" finished Return
page "Uwaga !" further-program Return
page "DirectX" directx-question shift+Tab Return

for _ in $(seq 100); do
    kill -0 $program 2>/dev/null || break
    sleep 0.1
done
if kill -0 $program 2>/dev/null; then
    echo "walkthrough: the setup program did not end" >&2
    kill $program
    exit 1
fi
wait $program
echo "Installed into:  $machine/home/Games/Moonrise Harbour"
echo "Start menu:      $machine/data/applications/Tervalis/Moonrise Harbour"
echo "Registry hives:  $machine/registry"
echo "Screenshots:     $shots"
