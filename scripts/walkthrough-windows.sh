#!/usr/bin/env bash
# walkthrough-windows.sh [OUTPUT]: the keyboard walkthrough against setup.exe under Wine, on a
# display of its own, saving a picture of every page and box. The machine is a fresh Wine prefix in
# OUTPUT/machine/wine: the Windows build's medium (build-win/medium, or $MEDIUM) sits in its CD-ROM
# drive D:, and the program installs onto its drive C: and into its own registry.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/out/walkthrough-windows}" && cd "${1:-$root/out/walkthrough-windows}" && pwd)
medium=$(cd "${MEDIUM:-$root/build-win/medium}" && pwd)
machine="$out/machine"
shots="$out/screenshots"
export SETUP_WINEPREFIX="$machine/wine" WINEPREFIX="$machine/wine"

if [ -z "${WALKTHROUGH_DISPLAY_READY:-}" ]; then
    rm -rf "$machine" "$shots"
    mkdir -p "$machine" "$shots"
    "$root/scripts/wine.sh" --init
    ln -s "$medium" "$WINEPREFIX/dosdevices/d:"
    "$root/scripts/wine.sh" reg add 'HKLM\Software\Wine\Drives' /v 'd:' /d cdrom /f >/dev/null
    wineserver -w
    export WALKTHROUGH_DISPLAY_READY=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c 'openbox >/dev/null 2>&1 & sleep 0.5; exec "$@"' _ "$0" "$out"
fi

export LANG=en_US.UTF-8
# Wine starts slower than the Linux program: wait up to 60 seconds for each window.
export WALKTHROUGH_WAIT=600 WALKTHROUGH_BOXES=system
source "$root/scripts/walkthrough-pages.sh"

# The installer opens the program group with the system's explorer. Its window takes the focus when
# it appears; the walk goes on once it is there, so that no key press goes to it.
program_group_window() {
    local window
    window=$(wait_for_window program-group --class '^explorer\.exe$') || exit 1
    sleep 1
    import -window "$window" -frame "$shots/program-group.png" 2>/dev/null || true
}

cd "$medium"
"$root/scripts/wine.sh" 'D:\setup.exe' 2>"$out/setup-stderr.txt" &
program=$!

walk_the_demo

wait_for_end $program
# The program group stays open in the window the installer opened; closing the Wine session ends it
# and saves the registry.
wineserver -k 2>/dev/null || true
wineserver -w
echo "Installed into:  $WINEPREFIX/drive_c/Games/Moonrise Harbour"
echo "Wine prefix:     $WINEPREFIX"
echo "Screenshots:     $shots"
