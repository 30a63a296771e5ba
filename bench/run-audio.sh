#!/usr/bin/env bash
# Builds and runs the audio decoding benchmark: throughput against oggdec and speexdec on
# minutes-long files made for the run, and our peak resident memory. Argument: seconds of audio
# (default 180).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target audio_bench
"$build/bench/audio_bench" "$@" 2>/dev/null
