// Reading a folder of 10,000 typical files on worker threads, from the start to the last result,
// while a timer on the owner's thread records the longest gap between its ticks: the window
// stays responsive when no gap is long (the goal is under 50 ms).
#include "browser/entry_reader.h"
#include "corpus.h"
#include "qt_bench_main.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using gonilux::browser::EntryRead;
using gonilux::browser::EntryReader;

constexpr int kFiles = 10000;

const QStringList& TypicalFiles() {
    static QTemporaryDir dir;
    static QStringList paths;
    if (paths.isEmpty())
        for (const std::string& path :
             gonilux::bench::WriteCorpus(dir.filePath("typical").toStdString(), kFiles, 91, 37))
            paths << QString::fromStdString(path);
    return paths;
}

void BM_ReadTenThousandFiles(benchmark::State& state) {
    const QStringList& paths = TypicalFiles();
    EntryReader reader;
    gonilux::bench::LongestTickGap gap;
    double figures = 0; // what the list would do with the records: touch each one
    quint64 generation = 0;
    for (auto _ : state) {
        QEventLoop loop;
        QObject::connect(&reader, &EntryReader::entriesRead,
                         [&](quint64, const QList<EntryRead>& reads) {
                             for (const EntryRead& read : reads)
                                 figures += read.Entry->Ies.VertCount;
                         });
        QObject::connect(&reader, &EntryReader::finished, &loop, &QEventLoop::quit);
        gap.Start();
        reader.Start(++generation, paths);
        loop.exec();
        gap.Stop();
        reader.disconnect();
    }
    benchmark::DoNotOptimize(figures);
    state.counters["files_per_s"] =
        benchmark::Counter(double(kFiles) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["longest_gap_ms"] = gap.Milliseconds();
    state.counters["threads"] = reader.ThreadCount();
}
BENCHMARK(BM_ReadTenThousandFiles)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return gonilux::bench::RunQtBenchmarks<QCoreApplication>(argc, argv, [] { TypicalFiles(); });
}
