#!/usr/bin/env bash
# The unattended install (setup.exe --quiet) under Wine on the CD-like medium of copy_bench
# (1,000 data files of about 40 MB in ten folders, 12 Vorbis records of one minute 44.1 kHz stereo,
# 120 Speex records of four seconds 16 kHz mono), timed in the same run against the machine's
# limit (cp -r of the data, oggdec and speexdec over all cores) and against the Linux build's
# setup --quiet on the same medium. Wine's own start-up (wine cmd /c exit) is timed too, so that
# the Wine run can be read with and without it, and setup.exe --help for the program's own start.
# Target: the Wine run within 1.2 x the limit.
# Each step runs --rounds times (default 3), after a sync, the steps taking turns; the best counts.
# Run by hand: bench/wine-copy-bench.sh [--rounds N] [--logs FOLDER]; --logs keeps the last
# rounds' logs of both builds' runs (linux.log, wine.log), whose times show where a run spends
# its time. WINEPREFIX: one of the bench's own, unless
# SETUP_WINEPREFIX names one. Exit status 0 target met, 1 missed or a run failed, 2 no builds.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
rounds=3 logs=""
while [ $# -gt 0 ]; do
    case $1 in
    --rounds) rounds=$2; shift 2 ;;
    --logs) logs=$2; shift 2 ;;
    *) echo "usage: wine-copy-bench.sh [--rounds N] [--logs FOLDER]" >&2; exit 2 ;;
    esac
done
linux_setup=build/medium/setup windows_setup=build-win/medium/setup.exe
if [ ! -x "$linux_setup" ] || [ ! -f "$windows_setup" ]; then
    echo "wine-copy-bench: needs $linux_setup (scripts/build.sh) and $windows_setup (scripts/windows.sh build)" >&2
    exit 2
fi
for tool in sox oggenc oggdec speexenc speexdec wine wineserver; do
    command -v $tool >/dev/null || { echo "wine-copy-bench: $tool is needed" >&2; exit 2; }
done

tmp=$(mktemp -d /tmp/cd-setup-wine-bench.XXXXXX)
export SETUP_WINEPREFIX=${SETUP_WINEPREFIX:-$tmp/prefix}
unset SETUP_WINE_SUITE
wine() { "$root/scripts/wine.sh" "$@"; }
end() {
    WINEPREFIX=$SETUP_WINEPREFIX wineserver -k 2>/dev/null || true
    WINEPREFIX=$SETUP_WINEPREFIX wineserver -w 2>/dev/null || true
    rm -rf "$tmp"
}
trap end EXIT

# The medium: the demo's, its standard type listing the ten data folders besides its own
# entries, its two archives replaced with the records; each build's program beside it.
echo "making the medium in $tmp ..."
medium=$tmp/medium records=$tmp/records
cp -a build/medium "$medium"
rm "$medium/setup"
for i in $(seq 0 999); do
    folder=$medium/data/d$((i % 10))
    mkdir -p "$folder"
    head -c $(((1 + (i * 7919) % 79) * 1024)) /dev/zero | tr '\0' "\\$(printf %03o $((97 + i % 26)))" \
        >"$folder/file$i.dat"
done
awk '/^\[/ { section = $0 }
    section == "[std]" && /^files=/ { n = substr($0, 7); print "files=" n + 10; next }
    { print }
    section == "[std]" && /^[0-9]+=/ && $0 ~ "^" n - 1 "=" {
        for (i = 0; i < 10; i++) print n + i "=data\\d" i "\\"
    }' build/medium/install.ini >"$medium/install.ini"
mkdir -p "$records/vorbis" "$records/speex" "$tmp/sounds"
# Music-like work for the decoders: tones sweeping over pulsing noise, a few variants in turn.
for v in 0 1 2 3; do
    low=$((110 + 37 * v))
    sox -q -n -r 44100 -c 2 -b 16 -t raw - synth 60 sine $low-$((low * 12)) \
        square $((low * 2))-$((low * 3)) synth 60 pinknoise amod 0.5 40 tremolo $((2 + v)) 50 \
        vol 0.5 2>/dev/null | oggenc -Q -r -R 44100 -C 2 -B 16 -o "$tmp/sounds/m$v.ogg" - &
done
for v in 0 1 2 3 4 5; do
    (sox -q -n -r 16000 -c 1 -b 16 "$tmp/sounds/v$v.wav" synth 4 sine $((150 + 40 * v))-900 \
        synth 4 brownnoise mix tremolo $((5 + v)) 60 &&
        speexenc --quiet "$tmp/sounds/v$v.wav" "$tmp/sounds/v$v.spx") &
done
wait
for i in $(seq 0 11); do cp "$tmp/sounds/m$((i % 4)).ogg" "$records/vorbis/$(printf music%03d.ogg $i)"; done
for i in $(seq 0 119); do cp "$tmp/sounds/v$((i % 6)).spx" "$records/speex/$(printf voice%03d.spx $i)"; done
build/bin/sndpack pack "$medium/music/music.snd" "$records"/vorbis/*.ogg >/dev/null
build/bin/sndpack pack "$medium/speech/speech.snd" "$records"/speex/*.spx >/dev/null
linux_medium=$tmp/linux-medium windows_medium=$tmp/windows-medium
cp -al "$medium" "$linux_medium" && cp "$linux_setup" "$linux_medium/setup"
cp -al "$medium" "$windows_medium" && cp "$windows_setup" "$windows_medium/setup.exe"

echo "making the Wine prefix ..."
wine --init
# One Wine server for the whole bench, so that no run pays for starting it and none finds
# the last one's still ending.
WINEPREFIX=$SETUP_WINEPREFIX wineserver -p >/dev/null 2>&1
wine cmd /c exit >/dev/null 2>&1

# timed <name> <command...>: runs the command after a sync and keeps its best time so far in
# best_<name>; the command's output is in $tmp/<name>.out.
timed() {
    local name=$1 least=best_$1 start took status=0
    shift
    sync
    start=$(date +%s.%N)
    "$@" >"$tmp/$name.out" 2>&1 || status=$?
    took=$(echo "$(date +%s.%N) - $start" | bc)
    [ "$status" = 0 ] || failed+=("$name: exit status $status: $(tail -2 "$tmp/$name.out")")
    [ -n "${!least:-}" ] && [ "$(echo "$took >= ${!least}" | bc)" = 1 ] || printf -v "$least" %.3f "$took"
}
failed=()
# C: is the home folder for the Linux build, the prefix's drive_c under Wine.
limit=$tmp/limit home=$tmp/home linux_target=$tmp/home/Games/Bench
wine_target=$SETUP_WINEPREFIX/drive_c/Games/Bench
mkdir -p "$home"
limit_cp() { cp -r "$medium"/data/d? "$limit"; }
limit_oggdec() { (cd "$records/vorbis" && ls | xargs -P "$(nproc)" -I{} oggdec -Q -o "$limit/{}.wav" {}); }
limit_speexdec() { (cd "$records/speex" && ls | xargs -P "$(nproc)" -I{} speexdec {} "$limit/{}.wav"); }
linux_run() {
    env -u DISPLAY HOME="$home" SETUP_REGISTRY_DIR="$home/registry" "$linux_medium/setup" \
        --quiet --type std --dir 'C:\Games\Bench' --language English --log "$tmp/linux.log"
}
wine_run() {
    wine "$windows_medium/setup.exe" --quiet --type std --dir 'C:\Games\Bench' --language English \
        --log "$tmp/wine.log"
}
wine_start() { wine cmd /c exit; }
wine_help() { wine "$windows_medium/setup.exe" --help; }
echo "timing, best of $rounds ..."
# The steps take turns, so that the machine's load drifting during the bench moves them alike.
for _ in $(seq "$rounds"); do
    rm -rf "$limit" "$linux_target" "$home/registry" "$wine_target" && mkdir "$limit"
    timed cp limit_cp
    timed oggdec limit_oggdec
    timed speexdec limit_speexdec
    timed linux linux_run
    timed wine wine_run
    timed start wine_start
    timed help wine_help
done

if [ -n "$logs" ]; then
    mkdir -p "$logs" && cp "$tmp/linux.log" "$tmp/wine.log" "$logs/"
fi

# What each install left.
for target in "$linux_target" "$wine_target"; do
    data=$(find "$target"/data/d? -name '*.dat' 2>/dev/null | wc -l || true)
    waves=$(find "$target" -iname '*.wav' 2>/dev/null | wc -l || true)
    [ "$data" = 1000 ] && [ "$waves" = 132 ] ||
        failed+=("$target holds $data data files and $waves WAVE files, not 1000 and 132")
done

limit_total=$(echo "$best_cp + $best_oggdec + $best_speexdec" | bc)
wine_alone=$(echo "$best_wine - $best_start" | bc)
ratio() { printf %.2f "$(echo "scale=4; $1 / $2" | bc)"; }
row() { printf '%-28s %8.3f s %8s %8s  %s\n' "$1" "$2" "$3" "$4" "$5"; }
echo
printf '%-28s %10s %8s %8s  %s\n' "" time "x limit" "x Linux" target
row "limit (cp+oggdec+speexdec)" "$limit_total" 1.00 "$(ratio "$limit_total" "$best_linux")" \
    "($best_cp + $best_oggdec + $best_speexdec)"
row "Linux setup --quiet" "$best_linux" "$(ratio "$best_linux" "$limit_total")" 1.00 ""
row "Wine start-up (cmd /c exit)" "$best_start" "$(ratio "$best_start" "$limit_total")" \
    "$(ratio "$best_start" "$best_linux")" ""
row "setup.exe --help under Wine" "$best_help" "$(ratio "$best_help" "$limit_total")" \
    "$(ratio "$best_help" "$best_linux")" ""
met=0
target() { # target <name> <time>
    local ok=met goal
    goal=$(echo "1.2 * $limit_total" | bc)
    [ "$(echo "$2 <= $goal" | bc)" = 1 ] || { ok=missed; met=1; }
    row "$1" "$2" "$(ratio "$2" "$limit_total")" "$(ratio "$2" "$best_linux")" \
        "<= 1.2 x limit = $(printf %.3f "$goal") s: $ok"
}
target "Wine setup.exe --quiet" "$best_wine"
target "  without Wine's start-up" "$wine_alone"
for line in "${failed[@]}"; do echo "failed: $line"; done
[ ${#failed[@]} = 0 ] || exit 1
exit $met
