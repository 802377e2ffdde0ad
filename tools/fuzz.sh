#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time from its seed corpus.
# Usage: tools/fuzz.sh [seconds per target, default 30]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORIN_FUZZ=ON \
    -DQUORIN_BUILD_TESTS=OFF -DQUORIN_BUILD_BENCH=OFF -DQUORIN_WITH_LIBFTDI=OFF >/dev/null
targets=(fuzz_block_assembler fuzz_mean_file fuzz_parameter_block fuzz_host_stream fuzz_settings)
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"
export QT_QPA_PLATFORM=offscreen
for target in "${targets[@]}"; do
    corpus=$(mktemp -d)
    cp tests/fuzz/corpus/"$target"/* "$corpus"/
    echo "== $target"
    # Keep the run bounded in time and memory; the summary line gives the execution count.
    build-fuzz/tests/fuzz/"$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=20 \
        -print_final_stats=1 "$corpus" tests/fuzz/corpus/"$target" 2>&1 | grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|Done' || true
    test "${PIPESTATUS[0]}" -eq 0
    rm -rf "$corpus"
done
