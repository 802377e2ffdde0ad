#!/usr/bin/env bash
# Sanitizer runs.
#   tools/sanitize.sh asan   the whole suite under AddressSanitizer + UndefinedBehaviorSanitizer
#   tools/sanitize.sh tsan   the end-to-end capture, calibration, recording and fault suites under
#                            ThreadSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
supp=$PWD/tests/sanitizers
export QT_QPA_PLATFORM=offscreen

case "${1:-}" in
asan)
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORIN_SANITIZE=address,undefined \
        -DQUORIN_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="-O1 -fno-sanitize-recover=undefined" >/dev/null
    cmake --build build-asan -j"$jobs"
    cd build-asan
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions=$supp/lsan.supp \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j"$jobs"
    ;;
tsan)
    suites=(acquisition_thread_tests capture_control_tests controls_window_tests save_options_tests fault_tests)
    cmake -S . -B build-tsan -DQUORIN_SANITIZE=thread -DQUORIN_BUILD_BENCH=OFF >/dev/null
    cmake --build build-tsan -j"$jobs" --target "${suites[@]}"
    cd build-tsan
    # Qt, FFmpeg and GDAL are not built with ThreadSanitizer: their hand-offs (queued signals, encoder
    # threads) synchronise through futexes and atomics it cannot see. Allocations and locks made inside
    # them are left out; every access our own code makes is still checked.
    TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ignore_noninstrumented_modules=1" \
        ctest --output-on-failure -j"$jobs" -L "^($(IFS='|'; echo "${suites[*]}"))\$"
    ;;
*)
    echo "usage: $0 asan|tsan" >&2
    exit 2
    ;;
esac
