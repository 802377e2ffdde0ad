// Frames through the real acquisition thread from the simulated board: the rate at unlimited pace,
// and the processor share of a capture at the board's 9 frames/s.
#include "ProcessState.h"
#include "Quorin_VideoThread.h"
#include "SimulatedBoard.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>

namespace {

double processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

struct CaptureRun {
    double seconds = 0;
    double cpuSeconds = 0;
    int frames = 0;
};

// Captures for `duration` and counts the pictures the loop emits.
CaptureRun capture(bool unlimitedPace, std::chrono::milliseconds duration) {
    auto backend = quorin::sim::installSimulatedBackend();
    backend->board()->setUnlimitedPace(unlimitedPace);
    FT_HANDLE handle = nullptr;
    FT_OpenEx(quorin::sim::defaultSerial, FT_OPEN_BY_SERIAL_NUMBER, &handle);
    Quorin_VideoThread thread;
    std::atomic<int> frames{0};
    QObject::connect(&thread, &Quorin_VideoThread::labelUishow, [&frames](const QImage&) { ++frames; });
    thread.startAcquisition(handle, FT_OK);
    // Wait for the first picture, so start-up is not counted.
    while (frames.load() == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const int first = frames.load();
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = processCpuSeconds();
    std::this_thread::sleep_for(duration);
    CaptureRun run;
    run.frames = frames.load() - first;
    run.cpuSeconds = processCpuSeconds() - cpuStart;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    thread.stopAndWait(std::chrono::seconds(5));
    FT_Close(handle);
    quorin::driver::installBackend(nullptr);
    return run;
}

// Every iteration is one capture; the counters cover them all.
CaptureRun timedCaptures(benchmark::State& state, bool unlimitedPace, std::chrono::milliseconds duration) {
    CaptureRun total;
    for (auto _ : state) {
        const CaptureRun run = capture(unlimitedPace, duration);
        total.frames += run.frames;
        total.seconds += run.seconds;
        total.cpuSeconds += run.cpuSeconds;
        state.SetIterationTime(run.seconds);
    }
    state.counters["fps"] = total.frames / total.seconds;
    return total;
}

void BM_CaptureSim(benchmark::State& state) {
    timedCaptures(state, true, std::chrono::milliseconds(2000));
}

void BM_CaptureSimPaced(benchmark::State& state) {
    const CaptureRun total = timedCaptures(state, false, std::chrono::milliseconds(3000));
    state.counters["cpu_share"] = total.cpuSeconds / total.seconds;
}

} // namespace

BENCHMARK(BM_CaptureSim)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_CaptureSimPaced)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
