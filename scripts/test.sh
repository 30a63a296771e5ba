#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (under Xvfb when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh "$@"
build=${BUILD_DIR:-build}
scripts/with-display.sh ctest --test-dir "$build" --output-on-failure -j2
