#!/usr/bin/env bash
# A sound record larger than the memory can hold (a sparse archive with one record of 3 GiB, the
# memory held to 1.5 GiB) is said by the installer, sndpack and setupcheck, each with exit status
# 1, never a crash: a record is held whole in memory.
# Arguments: the Linux build folder, and "sanitized" for a build with AddressSanitizer.
set -euo pipefail
build_dir=$1
if [ "${2:-}" = sanitized ]; then
    echo "huge record test skipped: AddressSanitizer reserves more address space than the memory limit allows"
    exit 77
fi
fail() { echo "huge record test: $*" >&2; exit 1; }
out=$(mktemp -d /tmp/cd-setup-huge-record.XXXXXX)
trap 'rm -rf "$out"' EXIT
cp -a "$build_dir/medium" "$out/disc"
python3 - "$out/disc/music/music.snd" <<'ARCHIVE'
import struct, sys
size = 3 << 30
with open(sys.argv[1], "wb") as archive:
    archive.write(struct.pack("<III", 0, size, 9) + b"theme.ogg")
    archive.truncate(12 + 9 + size)
ARCHIVE
limited() { (ulimit -v 1500000 && "$@"); }
says() { # says <row> <expected text> <command...>
    local row=$1 text=$2 status=0
    shift 2
    limited "$@" >"$out/$row.txt" 2>&1 || status=$?
    [ $status = 1 ] || fail "$row: exit status $status: $(tail -3 "$out/$row.txt")"
    grep -qF "$text" "$out/$row.txt" || fail "$row: $(tail -3 "$out/$row.txt")"
    echo "$row: exit 1, $(grep -F "$text" "$out/$row.txt" | head -1)"
}
mkdir -p "$out/home"
says setup "There is not enough memory to go on with the installation" \
    env -u DISPLAY HOME="$out/home" SETUP_REGISTRY_DIR="$out/home/registry" \
    "$out/disc/setup" --quiet --type std --language English
says sndpack "not enough memory" "$build_dir/bin/sndpack" list "$out/disc/music/music.snd"
says setupcheck "not enough memory" "$build_dir/bin/setupcheck" "$out/disc"
[ ! -e "$out/home/Games/Moonrise Harbour/music" ] || fail "setup: the copy went on"
