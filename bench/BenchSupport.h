// Shared pieces of the benchmarks: realistic frames and maps, and the paired timing of a reference
// and its fast path in one run.
#pragma once

#include "GreyMapping.h"
#include "LevelMaps.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <vector>

namespace quorin::bench {

// A raw frame of 20-bit samples and calibrated maps with a realistic per-pixel spread.
struct CalibratedScene {
    CalibratedScene();
    RawFrame frame() const { return RawFrame(bytes.data(), frame::frameBytes); }
    std::vector<std::uint8_t> bytes;
    LevelMaps maps;
};

// Times `reference` and `fast` alternately, once each per iteration, so both see the same machine
// load. The benchmark's time is the fast path's (manual time); counters: reference_us and ratio
// (reference time / fast time over the whole run).
template <typename Reference, typename Fast>
void pairedRun(benchmark::State& state, Reference reference, Fast fast) {
    using Clock = std::chrono::steady_clock;
    double referenceSeconds = 0, fastSeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        reference();
        const auto t1 = Clock::now();
        fast();
        const auto t2 = Clock::now();
        const double fastTime = std::chrono::duration<double>(t2 - t1).count();
        referenceSeconds += std::chrono::duration<double>(t1 - t0).count();
        fastSeconds += fastTime;
        state.SetIterationTime(fastTime);
    }
    state.counters["reference_us"] = benchmark::Counter(referenceSeconds * 1e6 / state.iterations());
    state.counters["ratio"] = fastSeconds > 0 ? referenceSeconds / fastSeconds : 0;
}

} // namespace quorin::bench
