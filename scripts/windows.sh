#!/usr/bin/env bash
# The Windows half: cross-builds setup.exe, sndpack.exe and the tests for 64-bit Windows into
# build-win/ (or $WIN_BUILD_DIR), assembles the demo medium with setup.exe in build-win/medium/,
# and runs the suites under Wine (under Xvfb when there is no display).
#   scripts/windows.sh          build and test
#   scripts/windows.sh build    build only
# Extra arguments after the command go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
command=${1:-all}
[ $# -gt 0 ] && shift
build=${WIN_BUILD_DIR:-build-win}

scripts/install-deps.sh windows
prefix=$(scripts/windows-deps.sh | tail -n1)

cmake -S . -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DSETUP_WIN_PREFIX="$prefix" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine.sh" \
    -DSETUP_BENCH=OFF "$@" >/dev/null
# The demo's archives are packed by sndpack.exe under Wine during the build.
scripts/wine.sh --init
cmake --build "$build"
scripts/windows-imports.sh "$build"/bin/*.exe
echo "Windows medium: $build/medium (setup.exe beside install.ini)"

[ "$command" = build ] && exit 0

# One Wine server for the whole run, so that each test does not pay for starting it.
export WINEPREFIX=${SETUP_WINEPREFIX:-/tmp/cd-setup-wine-$(id -u)}
wineserver -p 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true' EXIT
# The first window of a Wine session starts the session's desktop process, which lives as long as
# the session. Started from a test, it would keep that test's output open and ctest would wait for
# it until the test times out: start it here first, with its output elsewhere.
scripts/with-display.sh bash -c 'scripts/wine.sh rundll32.exe user32.dll,GetDesktopWindow \
    </dev/null >/dev/null 2>&1 || true; exec "$@"' _ ctest --test-dir "$build" --output-on-failure -j2
