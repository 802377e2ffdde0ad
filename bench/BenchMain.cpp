#include <benchmark/benchmark.h>

#include <QCoreApplication>

// The acquisition thread delivers its pictures through queued signals; a core application gives
// the benchmarks a main thread like the program's.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
