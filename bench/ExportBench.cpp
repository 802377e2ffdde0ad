// The data export of a recording: both data files written by the fast writers against the
// QTextStream references, and a whole 1000-frame recording through the recorder with its peak
// resident memory. Frames carry uniformly spread 20-bit codes, the hardest case for the formatting
// (nearly every code occurs, in no order).
#include "BenchSupport.h"
#include "DataExport.h"
#include "Quorin_VideoThread.h"
#include "RunningDataManager.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <random>

using namespace quorin;

namespace {

constexpr int rangeFactor = 25;
constexpr int int0Time = 180;

void fillFrame(std::uint8_t* bytes, std::mt19937& random) {
    for (std::size_t p = 0; p < frame::pixelCount; ++p) {
        const std::uint32_t sample = 3000 + random() % 1000000;
        for (std::size_t b = 0; b < frame::sampleBytes; ++b)
            bytes[p * frame::sampleBytes + b] = static_cast<std::uint8_t>(sample >> (8 * b));
    }
}

std::vector<SavedFrame> frames(int count) {
    std::mt19937 random(3);
    std::vector<std::uint8_t> raw(frame::frameBytes);
    std::vector<SavedFrame> result;
    for (int i = 0; i < count; ++i) {
        fillFrame(raw.data(), random);
        result.emplace_back(RawFrame(raw.data(), frame::frameBytes));
    }
    return result;
}

// Fresh files for every write, as a recording usually makes: replacing a file that is still being
// flushed to disk would time the disk rather than the export.
DataFilePaths paths(const QTemporaryDir& dir, const char* stem) {
    static int serial = 0;
    const QString prefix = QStringLiteral("%1_%2").arg(QLatin1String(stem)).arg(++serial);
    return {dir.filePath(prefix + QStringLiteral("_current.csv")),
            dir.filePath(prefix + QStringLiteral("_raw.csv"))};
}

// Size of both files, 0 when one was not written.
qint64 writtenSize(const DataFilePaths& files, bool written) {
    return written ? QFile(files.currentValues).size() + QFile(files.rawSamples).size() : 0;
}

qint64 writeReference(const DataFilePaths& files, std::span<const SavedFrame> saved) {
    const bool written = writeCurrentValueFileReference(files.currentValues, saved, rangeFactor, int0Time) ==
                             FileWrite::Written &&
                         writeRawSampleFileReference(files.rawSamples, saved) == FileWrite::Written;
    return writtenSize(files, written);
}

qint64 writeFast(const DataFilePaths& files, std::span<const SavedFrame> saved) {
    const bool written =
        writeCurrentValueFile(files.currentValues, saved, rangeFactor, int0Time) == FileWrite::Written &&
        writeRawSampleFile(files.rawSamples, saved) == FileWrite::Written;
    return writtenSize(files, written);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void BM_Export_Reference(benchmark::State& state) {
    const QTemporaryDir dir;
    const std::vector<SavedFrame> saved = frames(static_cast<int>(state.range(0)));
    qint64 bytes = 0;
    for (auto _ : state)
        bytes += writeReference(paths(dir, "reference"), saved);
    state.SetBytesProcessed(bytes);
}

// With its reference in the same run (30 frames), after checking both files byte for byte; alone
// for 1000 frames, where the reference would take minutes.
void BM_Export(benchmark::State& state) {
    const QTemporaryDir dir;
    const std::vector<SavedFrame> saved = frames(static_cast<int>(state.range(0)));
    const DataFilePaths fast = paths(dir, "fast");
    const DataFilePaths reference = paths(dir, "reference");
    qint64 bytes = 0;
    if (state.range(0) > 30) {
        for (auto _ : state)
            bytes += writeFast(paths(dir, "fast"), saved);
        state.SetBytesProcessed(bytes);
        return;
    }
    const qint64 size = writeFast(fast, saved);
    if (size == 0 || writeReference(reference, saved) != size ||
        contents(fast.currentValues) != contents(reference.currentValues) ||
        contents(fast.rawSamples) != contents(reference.rawSamples))
        return state.SkipWithError("fast export differs from the reference");
    bench::pairedRun(
        state, [&] { writeReference(paths(dir, "reference"), saved); },
        [&] { bytes += writeFast(paths(dir, "fast"), saved); });
    state.SetBytesProcessed(bytes);
}

// A whole recording as the acquisition loop drives it: N raw frames buffered, then the export.
// Run it alone to read the process's peak resident memory (counter peak_rss_mib).
void BM_RecordAndExport(benchmark::State& state) {
    const QTemporaryDir dir;
    Quorin_VideoThread thread;
    thread.recorder().setSavePath(dir.path().toUtf8());
    RunningDataManager::instance()->setSaveName(QStringLiteral("bench"));
    std::mt19937 random(3);
    std::vector<std::uint8_t> incoming(frame::frameBytes);
    for (auto _ : state) {
        thread.saveNumber = static_cast<int>(state.range(0));
        thread.isSaveData = true;
        for (int i = 0; i < state.range(0); ++i) {
            state.PauseTiming();
            fillFrame(incoming.data(), random);
            state.ResumeTiming();
            thread.recorder().recordRawFrame(RawFrame(incoming.data(), frame::frameBytes));
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mib"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace

BENCHMARK(BM_Export_Reference)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export)->Arg(30)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordAndExport)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);
