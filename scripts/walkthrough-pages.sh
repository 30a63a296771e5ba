# Sourced by the walkthrough scripts: waits for each page or box of the setup program, saves its
# picture in $shots and presses the keys a person would. Needs xdotool, xprop and ImageMagick.
# Every wait is for the event itself (a window, the focus, a painted picture, the program's end),
# polled and bounded by WALKTHROUGH_WAIT tenths of a second, so that a loaded machine only makes the
# walk slower. When $timeline names a file, the moments of the walk's events are noted in it.
step=0
previous=""
wait_limit=${WALKTHROUGH_WAIT:-300}

# now_ms: the wall clock in milliseconds since 1970, as the medium's programs record it.
now_ms() { date +%s%3N; }

# note <event> <detail>: one line "time<TAB>event<TAB>detail" in the timeline, when there is one.
note() {
    [ -n "${timeline:-}" ] || return 0
    printf '%s\t%s\t%s\n' "$(now_ms)" "$1" "$2" >>"$timeline"
}

# give_up <what>: saves a picture of the screen, lists the windows shown and ends the walk.
give_up() {
    import -window root "$shots/failed-$(echo "$1" | tr -c 'a-zA-Z0-9\n-' -).png" 2>/dev/null || true
    echo "walkthrough: $1; the windows shown:" >&2
    xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | sed 's/^/  /' >&2 || true
    exit 1
}

# wait_for_window_manager: the window manager must be up before the first window, or that window
# has no frame and never gets the focus.
wait_for_window_manager() {
    for _ in $(seq "$wait_limit"); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    give_up "the window manager did not start"
}

# focus <window>: makes the window the active one, as a person's click would, and waits until it
# is. Another program's window (the program group, the readme) may have taken the focus.
focus() {
    for _ in $(seq "$wait_limit"); do
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0
        xdotool windowactivate "$1" 2>/dev/null || true
        sleep 0.1
    done
    give_up "window $1 ($(xdotool getwindowname "$1" 2>/dev/null)) never got the focus"
}

# wait_for_window <name> <xdotool search arguments...>: prints the newest visible window the search
# finds, other than the previous page.
wait_for_window() {
    local name=$1 window=""
    shift
    for _ in $(seq "$wait_limit"); do
        window=$(xdotool search --onlyvisible "$@" 2>/dev/null | grep -vx "${previous:-none}" | tail -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || give_up "no window for '$name' appeared"
    echo "$window"
}

# snapshot <window> <file>: saves the window's picture once it is painted: two captures in a row
# alike, and more than a few colours (a window just mapped is one colour until it paints).
snapshot() {
    local window=$1 file=$2 work
    work=$(mktemp -d)
    for _ in $(seq "$wait_limit"); do
        import -window "$window" -frame "$work/now.ppm" 2>/dev/null || { sleep 0.1; continue; }
        if [ -f "$work/last.ppm" ] && cmp -s "$work/now.ppm" "$work/last.ppm" &&
            [ "$(convert "$work/now.ppm" -format %k info: 2>/dev/null || echo 0)" -gt 8 ]; then
            break
        fi
        mv "$work/now.ppm" "$work/last.ppm"
    done
    # The picture as last captured, even when it never settled (a caret blinking under load).
    convert "$work/$( [ -f "$work/now.ppm" ] && echo now || echo last).ppm" -strip "$file" 2>/dev/null ||
        echo "walkthrough: no picture of window $window for $file" >&2
    rm -rf "$work"
}

# page <title> <name> <keys...>: waits for a new window of that title, saves its picture, then
# presses the keys, each into that window.
page() {
    local title=$1 name=$2 window
    shift 2
    window=$(wait_for_window "$name" --name "^${title}\$") || exit 1
    note page "$name"
    focus "$window"
    step=$((step + 1))
    snapshot "$window" "$shots/$(printf %02d $step)-$name.png"
    previous=$window
    for key in "$@"; do
        focus "$window"
        case "$key" in
            type:*) xdotool type --delay 20 "${key#type:}" ;;
            *) xdotool key "$key" ;;
        esac
    done
}

# The keys that answer a question box whose default button is Yes. The toolkit's boxes on Linux
# put No first; the system's boxes on Windows put Yes first and focus the default.
if [ "${WALKTHROUGH_BOXES:-toolkit}" = system ]; then
    answer_yes=(Return) answer_no=(Tab Return)
else
    answer_yes=(Right Return) answer_no=(shift+Tab Return)
fi
# The answers to the finishing questions: No to the further program (its default), No to DirectX.
# A walkthrough may set other keys after sourcing this file.
further_program_keys=(Return)
directx_keys=("${answer_no[@]}")

# The demo's installation, page by page: the full install into C:\Games\Moonrise Harbour.
# Hooks a walkthrough may define: program_group_window (after the finished box) and readme_window
# (after the further program), for the windows of other programs the installer opens.
walk_the_demo() {
    page "Moonrise Harbour - Setup" main-window Return
    page "Licence agreement" licence Tab Return
    page "Install type" install-type shift+Tab Down Tab Return
    page "Moonrise Harbour" target-folder Tab Tab Tab ctrl+a "type:C:\\Games\\Moonrise Harbour" Return
    page "Moonrise Harbour" create-folder-question "${answer_yes[@]}"
    page "Moonrise Harbour - Setup" finished Return
    if declare -F program_group_window >/dev/null; then program_group_window; fi
    page "Uwaga !" further-program "${further_program_keys[@]}"
    if declare -F readme_window >/dev/null; then readme_window; fi
    page "DirectX" directx-question "${directx_keys[@]}"
}

# wait_for_end <pid>: the program must end by itself once the last box is answered.
wait_for_end() {
    local program=$1
    for _ in $(seq "$wait_limit"); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program" 2>/dev/null; then
        kill "$program"
        give_up "the setup program did not end"
    fi
    note ended setup
    wait "$program"
}
