# Sourced by the walkthrough scripts: waits for each page or box of the setup program, saves its
# picture in $shots and presses the keys a person would. Needs xdotool and ImageMagick's import.
step=0
previous=""
# page <title> <name> <keys...>: waits for a new window of that title (WALKTHROUGH_WAIT tenths of a
# second at most), saves its picture, then presses the keys.
page() {
    local title=$1 name=$2 window=""
    shift 2
    for _ in $(seq "${WALKTHROUGH_WAIT:-100}"); do
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

# The demo's installation, page by page: the full install into C:\Games\Moonrise Harbour.
walk_the_demo() {
    page "Moonrise Harbour - Setup" main-window Return
    page "Licence agreement" licence Tab Return
    page "Install type" install-type shift+Tab Down Tab Return
    page "Moonrise Harbour" target-folder Tab Tab Tab ctrl+a "type:C:\\Games\\Moonrise Harbour" Return
    page "Moonrise Harbour" create-folder-question Right Return
    page "Moonrise Harbour - Setup" finished Return
    page "Uwaga !" further-program Return
    page "DirectX" directx-question shift+Tab Return
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
