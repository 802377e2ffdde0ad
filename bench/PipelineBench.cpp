// The per-frame work of the acquisition thread: grey mapping, orientation, the 15th-frame
// evaluation of a reference collection, and the whole hand-over from four complete blocks to the
// emit. Each fast path is checked byte for byte against its reference before it is timed.
#include "BenchSupport.h"
#include "Orientation.h"
#include "Quorin_VideoThread.h"
#include "ReferenceCollection.h"

#include <opencv2/core.hpp>

#include <random>

using namespace quorin;
using quorin::bench::CalibratedScene;

namespace {

bool identical(const cv::Mat& a, const cv::Mat& b) {
    return a.size() == b.size() && cv::countNonZero(a != b) == 0;
}

constexpr Orientation allStates[] = {{0, false},   {0, true},   {90, false},  {90, true},
                                     {180, false}, {180, true}, {270, false}, {270, true}};

void BM_GreyFrame_Reference(benchmark::State& state) {
    const CalibratedScene scene;
    cv::Mat grey;
    for (auto _ : state) {
        buildGreyFrameReference(scene.frame(), scene.maps, grey);
        benchmark::DoNotOptimize(grey.data);
    }
}

void BM_GreyFrame(benchmark::State& state) {
    const CalibratedScene scene;
    cv::Mat expected, grey;
    buildGreyFrameReference(scene.frame(), scene.maps, expected);
    buildGreyFrame(scene.frame(), scene.maps, grey);
    if (!identical(grey, expected))
        return state.SkipWithError("fast grey frame differs from the reference");
    bench::pairedRun(
        state, [&] { buildGreyFrameReference(scene.frame(), scene.maps, expected); },
        [&] {
            buildGreyFrame(scene.frame(), scene.maps, grey);
            benchmark::DoNotOptimize(grey.data);
        });
}

void BM_Orient_Reference(benchmark::State& state) {
    const CalibratedScene scene;
    const cv::Mat grey = buildGreyFrame(scene.frame(), scene.maps);
    cv::Mat oriented;
    for (auto _ : state)
        for (Orientation o : allStates) {
            orientFrameReference(grey, o, oriented);
            benchmark::DoNotOptimize(oriented.data);
        }
}

void BM_Orient(benchmark::State& state) {
    const CalibratedScene scene;
    const cv::Mat grey = buildGreyFrame(scene.frame(), scene.maps);
    cv::Mat expected, oriented, scratch;
    for (Orientation o : allStates) {
        orientFrameReference(grey, o, expected);
        orientFrame(grey, o, oriented, scratch);
        if (!identical(oriented, expected))
            return state.SkipWithError("fast orientation differs from the warp");
    }
    bench::pairedRun(
        state,
        [&] {
            for (Orientation o : allStates)
                orientFrameReference(grey, o, expected);
        },
        [&] {
            for (Orientation o : allStates) {
                orientFrame(grey, o, oriented, scratch);
                benchmark::DoNotOptimize(oriented.data);
            }
        });
}

struct Collection {
    Collection()
        : store(referenceFrames * frame::pixelCount), means(frame::pixelCount), levels(frame::pixelCount) {
        std::mt19937 random(9);
        for (auto& v : store)
            v = 500000 + random() % 20000;
    }
    void evaluate(bool reference) {
        const SampleStore view(store.data(), store.size());
        const std::span<std::uint32_t, frame::pixelCount> out(means.data(), frame::pixelCount);
        reference ? trimmedMeansReference(view, out) : trimmedMeans(view, out);
        levelsFromMeans(means, fullOnLevelFactor, levels);
    }
    std::vector<std::uint32_t> store, means, levels;
};

void BM_Collect15_Reference(benchmark::State& state) {
    Collection c;
    for (auto _ : state) {
        c.evaluate(true);
        benchmark::DoNotOptimize(c.levels.data());
    }
}

void BM_Collect15(benchmark::State& state) {
    Collection reference, fast;
    reference.evaluate(true);
    fast.evaluate(false);
    if (fast.levels != reference.levels || fast.means != reference.means)
        return state.SkipWithError("fast trimmed means differ from the reference");
    bench::pairedRun(
        state, [&] { reference.evaluate(true); },
        [&] {
            fast.evaluate(false);
            benchmark::DoNotOptimize(fast.levels.data());
        });
}

void BM_FrameTotal(benchmark::State& state) {
    const CalibratedScene scene;
    Quorin_VideoThread thread;
    thread.setLevelMaps(std::make_shared<const LevelMaps>(scene.maps));
    for (auto _ : state) {
        QImage image = thread.processFrame(scene.frame());
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

BENCHMARK(BM_GreyFrame_Reference)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GreyFrame)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Orient_Reference)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Orient)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Collect15_Reference)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Collect15)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameTotal)->Unit(benchmark::kMillisecond);
