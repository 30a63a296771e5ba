#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (under Xvfb when there is no display):
# the Linux build, then the Windows build and its suites under Wine (scripts/windows.sh).
# SETUP_WINDOWS=0 leaves the Windows half out, for quick local runs; CI never sets it. The whole
# runs and the fuzz corpora also run in a sanitized build (SETUP_SANITIZED=0 leaves it out).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh "$@"
build=${BUILD_DIR:-build}

# The whole runs and the fuzz corpora once more under AddressSanitizer and UndefinedBehaviorSanitizer,
# in a build of their own, on a display of their own.
run_sanitized() {
    local sanitized=${SANITIZED_BUILD_DIR:-build-asan}
    # -O1 with line tables only: half the compile time of the normal build, whole sanitizer reports.
    cmake -S . -B "$sanitized" -G Ninja -DSETUP_SANITIZE=ON -DSETUP_BENCH=OFF \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
        -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1" >/dev/null
    cmake --build "$sanitized" --target fuzz_vorbis_replay fuzz_speex_replay fuzz_archive_replay \
        fuzz_profile_replay fuzz_journal_replay e2e_install_tests journal_tests
    scripts/fresh-display.sh \
        ctest --test-dir "$sanitized" --output-on-failure -j2 -R '_corpus$|^e2e_install_tests$|^journal_tests$|^walkthrough$'
}

# The sanitized build and its runs go on beside the other suites and the Windows build, which
# leave the processors idle while they wait for windows and for Wine; their report comes last.
sanitized_log=$(mktemp)
trap 'rm -f "$sanitized_log"' EXIT
sanitized_pid=
if [ "${SETUP_SANITIZED:-1}" != 0 ]; then
    (set -e; run_sanitized) >"$sanitized_log" 2>&1 &
    sanitized_pid=$!
fi
report_sanitized() {
    [ -n "$sanitized_pid" ] || return 0
    local sanitized_status=0
    wait "$sanitized_pid" || sanitized_status=$?
    echo "--- The sanitized build and its runs:"
    cat "$sanitized_log"
    [ $sanitized_status = 0 ] || { echo "The sanitized runs failed ($sanitized_status)"; return 1; }
}

status=0
scripts/with-display.sh ctest --test-dir "$build" --output-on-failure -j2 || status=$?
if [ "${SETUP_WINDOWS:-1}" = 0 ]; then
    echo "The Windows build and its Wine suites were left out (SETUP_WINDOWS=0)"
else
    scripts/windows.sh || status=$?
fi
report_sanitized || status=1
exit $status
