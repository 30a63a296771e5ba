#!/usr/bin/env bash
# The target folder page as a screen reader meets it: the setup program on a display of its own
# with a private session bus and the accessibility bus it starts, walked with the keyboard by
# target_folder_page_reader.py. Fails too when the toolkit's accessibility code complains.
set -euo pipefail
source_dir=$1 build_dir=$2
if [ -z "${READER_TEST_INSIDE:-}" ]; then
    out=$(mktemp -d)
    trap 'rm -rf "$out"' EXIT
    machine="$out/machine"
    mkdir -p "$machine/home/Windows" "$machine/home/Tools" "$machine/home/Program Files/Common" \
        "$machine/home/Program Files/Tervalis" "$machine/home/.hidden" "$machine/data/Music" \
        "$machine/registry" "$machine/xdg"
    cat >"$machine/drives" <<TABLE
c:|fixed|$machine/home|SYSTEM
d:|cdrom|$build_dir/medium|MOONRISE
e:|fixed|$machine/data|DATA
TABLE
    export READER_TEST_INSIDE=1 READER_TEST_OUT="$out" SETUP_DRIVE_TABLE="$machine/drives"
    export SETUP_REGISTRY_DIR="$machine/registry" XDG_DATA_HOME="$machine/xdg" XDG_CONFIG_HOME="$machine/config" WINDIR='C:\Windows'
    export LANG=en_US.UTF-8 NO_AT_BRIDGE=0 GTK_MODULES=
    "$source_dir/scripts/fresh-display.sh" --size 1024x768 dbus-run-session -- "$0" "$@"
    exit $?
fi

out=$READER_TEST_OUT
cd "$build_dir/medium"
./setup 2>"$out/setup-stderr.txt" &
program=$!
# The system's Python holds the GObject bindings of the accessibility library.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
status=0
"$python" "$source_dir/tests/pages/target_folder_page_reader.py" "$build_dir/medium" \
    "$out/machine" "$SETUP_DRIVE_TABLE" || status=1
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
if grep -E 'Atk-CRITICAL|Atk-WARNING|atk_[a-z_]*: assertion' "$out/setup-stderr.txt"; then
    echo "the toolkit's accessibility code complained (above)" >&2
    status=1
fi
exit $status
