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

# The suites that compare setup.exe with the Linux build (walkthrough_windows, wine_prefix_twins)
# need that build: its folder is named here, and it is built before they run.
linux_build=${BUILD_DIR:-build}
case $linux_build in /*) linux_build_path=$linux_build ;; *) linux_build_path=$root/$linux_build ;; esac
cmake -S . -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DSETUP_WIN_PREFIX="$prefix" \
    -DSETUP_LINUX_BUILD_DIR="$linux_build_path" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine.sh" \
    -DSETUP_BENCH=OFF "$@" >/dev/null
# The demo's archives are packed by sndpack.exe under Wine during the build.
scripts/wine.sh --init
cmake --build "$build"
scripts/windows-imports.sh "$build"/bin/*.exe
echo "Windows medium: $build/medium (setup.exe beside install.ini)"

[ "$command" = build ] && exit 0

# A clean clone has no Linux build yet; one that has is brought up to date (nothing to do when
# scripts/test.sh has just built it).
echo "The Linux build the Windows suites compare with: $linux_build"
BUILD_DIR=$linux_build scripts/build.sh

# Each suite runs in a copy of the prefix of its own (scripts/wine.sh, SETUP_WINE_SUITE), taken once
# the build's own Wine programs have ended and the prefix's registry is saved.
WINEPREFIX=${SETUP_WINEPREFIX:-/tmp/cd-setup-wine-$(id -u)} /usr/lib/wine/wineserver64 -w 2>/dev/null || true
scripts/with-display.sh ctest --test-dir "$build" --output-on-failure -j2
