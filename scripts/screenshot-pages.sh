#!/usr/bin/env bash
# Saves a PNG picture of each wizard page (agreement, install type, target folder) into the
# folder given as the argument, on a display of its own when there is none.
set -euo pipefail
if [ $# -ne 1 ]; then
    echo "usage: $0 <output folder>" >&2
    exit 2
fi
output=$(realpath -m "$1")
mkdir -p "$output"
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target page_screenshots >/dev/null
for page in agreement install-type target-folder; do
    scripts/with-display.sh "$build/tests/pages/page_screenshots" "$page" "$output/$page.png" \
        2>/dev/null
    echo "$output/$page.png"
done
