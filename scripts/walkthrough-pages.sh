# Sourced by the walkthrough scripts: waits for each page or box of the setup program, saves its
# picture in $shots and presses the keys a person would. Needs xdotool and ImageMagick's import.
step=0
previous=""
# focus <window>: makes the window the active one, as a person's click would, and waits until it
# is. Another program's window (the program group opened by the installer) may take the focus.
focus() {
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return
        xdotool windowactivate --sync "$1" 2>/dev/null || true
        sleep 0.4
    done
}

# wait_for_window <name> <xdotool search arguments...>: prints the newest visible window the search
# finds, other than the previous page, waiting WALKTHROUGH_WAIT tenths of a second at most. Without
# one it saves a picture of the screen, lists the windows shown and ends the walk.
wait_for_window() {
    local name=$1 window=""
    shift
    for _ in $(seq "${WALKTHROUGH_WAIT:-100}"); do
        window=$(xdotool search --onlyvisible "$@" 2>/dev/null | grep -vx "${previous:-none}" | tail -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        import -window root "$shots/failed-waiting-for-$name.png"
        echo "walkthrough: no window for '$name' appeared; the windows shown:" >&2
        xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | sed 's/^/  /' >&2 || true
        exit 1
    fi
    echo "$window"
}

# page <title> <name> <keys...>: waits for a new window of that title, saves its picture, then
# presses the keys.
page() {
    local title=$1 name=$2 window
    shift 2
    window=$(wait_for_window "$name" --name "^${title}\$") || exit 1
    focus "$window"
    step=$((step + 1))
    for _ in 1 2 3; do
        import -window "$window" -frame "$shots/$(printf %02d $step)-$name.png" 2>/dev/null && break
        sleep 0.3
    done
    previous=$window
    for key in "$@"; do
        focus "$window"
        case "$key" in
            type:*) xdotool type --delay 20 "${key#type:}" ;;
            *) xdotool key "$key" ;;
        esac
        sleep 0.15
    done
}

# The keys that answer a question box whose default button is Yes. The toolkit's boxes on Linux
# put No first; the system's boxes on Windows put Yes first and focus the default.
if [ "${WALKTHROUGH_BOXES:-toolkit}" = system ]; then
    answer_yes=(Return) answer_no=(Tab Return)
else
    answer_yes=(Right Return) answer_no=(shift+Tab Return)
fi

# The demo's installation, page by page: the full install into C:\Games\Moonrise Harbour.
walk_the_demo() {
    page "Moonrise Harbour - Setup" main-window Return
    page "Licence agreement" licence Tab Return
    page "Install type" install-type shift+Tab Down Tab Return
    page "Moonrise Harbour" target-folder Tab Tab Tab ctrl+a "type:C:\\Games\\Moonrise Harbour" Return
    page "Moonrise Harbour" create-folder-question "${answer_yes[@]}"
    page "Moonrise Harbour - Setup" finished Return
    # The program group opens in a window of its own where the desktop has a file manager for it.
    if declare -F program_group_window >/dev/null; then program_group_window; fi
    page "Uwaga !" further-program Return
    page "DirectX" directx-question "${answer_no[@]}"
}

# wait_for_end <pid>: the program must end by itself once the last box is answered.
wait_for_end() {
    local program=$1
    for _ in $(seq "${WALKTHROUGH_WAIT:-100}"); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program" 2>/dev/null; then
        echo "walkthrough: the setup program did not end" >&2
        kill "$program"
        exit 1
    fi
    wait "$program"
}
