#!/usr/bin/env bash
# walkthrough-windows.sh [OUTPUT]: the keyboard walkthrough against setup.exe under Wine, on a
# display of its own, saving a picture of every page and box. The machine is a fresh Wine prefix in
# OUTPUT/machine/wine: the Windows build's medium (build-win/medium, or $MEDIUM) sits in its CD-ROM
# drive D:, and the program installs onto its drive C: and into its own registry. It answers Yes to
# the further program and to DirectX, whose programs on the medium record how they were started in
# OUTPUT/programs.txt; OUTPUT/timeline.txt holds when each window was first seen with its title,
# OUTPUT/opened.txt the command lines of the folder window and the readme's program. With
# SETUP_WINE_DPI set, Wine's settings give the screen that many dots per inch.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/out/walkthrough-windows}" && cd "${1:-$root/out/walkthrough-windows}" && pwd)
medium=$(cd "${MEDIUM:-$root/build-win/medium}" && pwd)
machine="$out/machine"
shots="$out/screenshots"
timeline="$out/timeline.txt"
export SETUP_WINEPREFIX="$machine/wine" WINEPREFIX="$machine/wine"

if [ -z "${WALKTHROUGH_DISPLAY_READY:-}" ]; then
    rm -rf "$machine" "$shots" "$timeline" "$out/programs.txt" "$out/opened.txt"
    mkdir -p "$machine" "$shots"
    "$root/scripts/wine.sh" --init
    ln -s "$medium" "$WINEPREFIX/dosdevices/d:"
    "$root/scripts/wine.sh" reg add 'HKLM\Software\Wine\Drives' /v 'd:' /d cdrom /f >/dev/null
    # Windows opens text files with its editor; a fresh Wine prefix has the editor's file type
    # (txtfile) but no .txt entry naming it.
    "$root/scripts/wine.sh" reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null
    # SETUP_WINE_DPI: the screen's dots per inch in Wine's settings (96 unless set).
    if [ -n "${SETUP_WINE_DPI:-}" ]; then
        "$root/scripts/wine.sh" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
            /d "$SETUP_WINE_DPI" /f >/dev/null
    fi
    wineserver -w
    export WALKTHROUGH_DISPLAY_READY=1
    exec "$root/scripts/fresh-display.sh" --size 1024x768 "$0" "$out"
fi

export LANG=en_US.UTF-8
# Wine starts slower than the Linux program, and more so on a loaded machine: each wait may take
# two minutes.
export WALKTHROUGH_WAIT=1200 WALKTHROUGH_BOXES=system
source "$root/scripts/walkthrough-pages.sh"
wait_for_window_manager
# Yes to the further program, whose box defaults to No, and Yes to DirectX.
further_program_keys=(shift+Tab Return)
directx_keys=("${answer_yes[@]}")
# The medium's programs append their records here (C: is the prefix's drive_c).
export DEMO_PROGRAM_RECORD='C:\demo-programs.txt'
records="$WINEPREFIX/drive_c/demo-programs.txt"

# watch_windows: notes every visible window when it is first seen and whenever its title changes,
# so that the order of the boxes and the programs' runs can be compared afterwards.
watch_windows() {
    declare -A titles
    local window title
    while :; do
        for window in $(xdotool search --onlyvisible --name . 2>/dev/null); do
            title=$(xdotool getwindowname "$window" 2>/dev/null) || continue
            [ "${titles[$window]-}" = "$title" ] && continue
            titles[$window]=$title
            note window "$title"
        done
        sleep 0.1
    done
}

# opened_program <name> <command line pattern>: waits for the Windows program of this machine's
# Wine prefix whose command line (as Wine shows it in the process list) matches, and notes that
# command line. Other walkthroughs may run the same programs in prefixes of their own.
opened_program() {
    local name=$1 pattern=$2 line="" pid
    for _ in $(seq "$wait_limit"); do
        for pid in $(pgrep -f -- "$pattern" || true); do
            tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
            line=$(ps -o args= -p "$pid") && break
        done
        [ -n "$line" ] && break
        sleep 0.1
    done
    [ -n "$line" ] || give_up "no process for '$name' started"
    printf '%s\t%s\n' "$name" "$line" >>"$out/opened.txt"
}

# wait_for_title <window> <pattern>: waits until the window's title matches (a program sets its
# title once it has opened its folder or file).
wait_for_title() {
    for _ in $(seq "$wait_limit"); do
        xdotool getwindowname "$1" 2>/dev/null | grep -qE "$2" && return 0
        sleep 0.1
    done
    give_up "window $1 never got a title like '$2'"
}

# The installer opens the program group with the system's explorer, which takes the focus when it
# appears: the walk goes on once its window shows the group, so that no key press goes to it. The
# window's title is the folder's name; a click into its location box shows the whole path there.
program_group_window() {
    local window
    window=$(wait_for_window program-group --class '^explorer\.exe$') || exit 1
    wait_for_title "$window" '^Moonrise Harbour$'
    opened_program program-group '^C:\\windows\\explorer\.exe '
    focus "$window"
    xdotool mousemove --window "$window" 300 48 click 1
    snapshot "$window" "$shots/program-group.png"
}

# The readme opens through the shell in the program Wine has for text files, once the further
# program has ended; it is waited for before the DirectX box is answered, so that no key press goes
# to it.
readme_window() {
    local window
    window=$(wait_for_window readme --class '^notepad\.exe$') || exit 1
    wait_for_title "$window" '^readme\.txt - '
    opened_program readme 'notepad\.exe.*readme\.txt'
    snapshot "$window" "$shots/readme.png"
}

cd "$medium"
watch_windows &
watcher=$!
trap 'kill $watcher 2>/dev/null || true' EXIT
"$root/scripts/wine.sh" 'D:\setup.exe' 2>"$out/setup-stderr.txt" &
program=$!

walk_the_demo

wait_for_end $program
kill $watcher
cp "$records" "$out/programs.txt" 2>/dev/null || echo "walkthrough: the medium's programs left no record" >&2
# The program group stays open in the window the installer opened; closing the Wine session ends it
# and saves the registry.
wineserver -k 2>/dev/null || true
wineserver -w
echo "Installed into:  $WINEPREFIX/drive_c/Games/Moonrise Harbour"
echo "Wine prefix:     $WINEPREFIX"
echo "Screenshots:     $shots"
