#!/usr/bin/env bash
# A sound record larger than the memory allowed (a sparse archive with one record of 3 GiB of
# zeros, the memory held to 1.5 GiB): records are read in pieces, never whole, so sndpack lists
# it, setupcheck finds it does not decode, and the installer says it could not be decoded and
# leaves nothing half written; none of them runs out of memory.
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
# says <row> <exit status> <expected text> <command...>
says() {
    local row=$1 expected=$2 text=$3 status=0
    shift 3
    limited "$@" >"$out/$row.txt" 2>&1 || status=$?
    [ "$status" = "$expected" ] || fail "$row: exit status $status: $(tail -3 "$out/$row.txt")"
    grep -qF "$text" "$out/$row.txt" || fail "$row: no \"$text\": $(tail -3 "$out/$row.txt")"
    ! grep -qi "not enough memory" "$out/$row.txt" || fail "$row: ran out of memory"
    echo "$row: exit $status, $(grep -F "$text" "$out/$row.txt" | head -1)"
}
says sndpack 0 "$(printf '0 vorbis   %10u %10u  theme.ogg' $((3 << 30)) $((12 + 9 + (3 << 30))))" \
    "$build_dir/bin/sndpack" list "$out/disc/music/music.snd"
# A broken medium's exit status.
says setupcheck 1 "sound archive music\\music.snd does not verify: theme.ogg does not decode" \
    "$build_dir/bin/setupcheck" "$out/disc"
mkdir -p "$out/home"
says setup 1 "could not be decoded" \
    env -u DISPLAY HOME="$out/home" SETUP_REGISTRY_DIR="$out/home/registry" \
    "$out/disc/setup" --quiet --type std --language English
left=$(find "$out/home/Games" -name '~setup-*' 2>/dev/null | head -3)
[ -z "$left" ] || fail "setup: left partial files: $left"
