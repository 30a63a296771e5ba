#!/usr/bin/env bash
# A request to end the installer while sound records convert (SIGTERM, SIGINT, SIGHUP) stops the
# copy as Abort does: the program ends by that signal, the log says why, and nothing half-written
# is left in the target: only whole WAVE files, and none of the copy's own temporary files.
# Arguments: the Linux build folder.
set -euo pipefail
build_dir=$1
fail() { echo "end signal test: $*" >&2; exit 1; }
out=$(mktemp -d /tmp/cd-setup-end-signal.XXXXXX)
trap 'rm -rf "$out"' EXIT
cp -a "$build_dir/medium" "$out/disc"
(cd "$out" && sox -R -q -n -r 22050 -c 1 -b 16 long.wav synth 60 sine 200-2000 &&
    oggenc -Q -o long.ogg long.wav) || fail "sox and oggenc make the long record"
python3 - "$out/long.ogg" "$out/disc/music/music.snd" <<'ARCHIVE'
import struct, sys
data = open(sys.argv[1], "rb").read()
with open(sys.argv[2], "wb") as archive:
    for i in range(300):
        name = b"long%03d.ogg" % i
        archive.write(struct.pack("<III", 0, len(data), len(name)) + name + data)
ARCHIVE

declare -A numbers=([TERM]=15 [INT]=2 [HUP]=1)
for signal in TERM INT HUP; do
    home=$out/home-$signal
    log=$out/$signal.log
    mkdir -p "$home"
    env -u DISPLAY HOME="$home" SETUP_REGISTRY_DIR="$home/registry" \
        "$out/disc/setup" --quiet --type std --language English --log "$log" \
        >"$out/$signal.out" 2>&1 &
    setup=$!
    # The signal comes once the archive is being unpacked, while its records convert.
    for _ in $(seq 600); do
        grep -q '^[0-9:.]* unpacking: music' "$log" 2>/dev/null && break
        kill -0 $setup 2>/dev/null || break
        sleep 0.05
    done
    grep -q '^[0-9:.]* unpacking: music' "$log" || fail "$signal: the copy never reached the archive: $(tail -3 "$log")"
    sleep 0.3
    kill -$signal $setup
    status=0
    wait $setup || status=$?
    [ $status = $((128 + ${numbers[$signal]})) ] ||
        fail "$signal: exit status $status, not the signal's: $(tail -3 "$out/$signal.out")"
    grep -q "^[0-9:.]* ended: SIG$signal during the copy" "$log" || fail "$signal: the log says not why: $(tail -2 "$log")"
    target=$home/Games/Moonrise\ Harbour
    [ -d "$target" ] || fail "$signal: no target folder at $target"
    ! grep -q '^[0-9:.]* copy: complete' "$log" || fail "$signal: the copy ended before the signal came"
    left=$(find "$target" -name '~setup-*')
    [ -z "$left" ] || fail "$signal: left in the target: $left"
    for wav in "$target"/music/*.wav; do
        [ -e "$wav" ] || continue
        cmp -s <(oggdec -Q -o - "$out/long.ogg") "$wav" || fail "$signal: $wav is not whole"
    done
    echo "SIG$signal: exit $status, $(ls "$target"/music | wc -l) records landed, $(grep '^[0-9:.]* ended:' "$log")"
done
