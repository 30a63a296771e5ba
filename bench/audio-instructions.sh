#!/usr/bin/env bash
# Counts the instructions our transcoder and the peers (oggdec, speexdec) spend on the same file,
# with valgrind's callgrind: unlike wall time, the count does not move with the machine's load.
# Prints peer/ours per codec (above 1: we spend fewer instructions). Argument: seconds of audio
# (default 20; callgrind runs some fifty times slower than the program).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target decode_once >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

count() { # count <command...>: the instructions callgrind collected for the command
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
        sed -n 's/.*Collected : \([0-9]*\).*/\1/p' | tail -n 1
}

espeak-ng -w "$work/speech.wav" "The sounds of the game are being decoded and copied to your computer."
sox "$work/speech.wav" -r 44100 -c 2 "$work/music.wav" repeat $((seconds / 3)) trim 0 "$seconds"
sox "$work/speech.wav" -r 16000 -c 1 "$work/voice.wav" repeat $((seconds / 3)) trim 0 "$seconds"
oggenc -Q -o "$work/music.ogg" "$work/music.wav"
speexenc --quiet --wideband "$work/voice.wav" "$work/voice.spx"

report() { # report <codec> <ours> <peer>
    awk -v codec="$1" -v ours="$2" -v peer="$3" 'BEGIN {
        printf "%-7s %d s of audio: ours %d instructions, peer %d, ratio peer/ours %.3f\n",
               codec, '"$seconds"', ours, peer, peer / ours }'
}
report vorbis "$(count "$build/bench/decode_once" vorbis "$work/music.ogg" "$work/ours.wav")" \
              "$(count oggdec -Q -o "$work/peer.wav" "$work/music.ogg")"
report speex "$(count "$build/bench/decode_once" speex "$work/voice.spx" "$work/ours.wav")" \
             "$(count speexdec "$work/voice.spx" "$work/peer.wav")"
