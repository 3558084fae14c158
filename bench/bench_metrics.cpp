// Cost of the photometric figures beside the whole load of the same file: ComputeMetrics on a
// loaded record, the load of an entry from disk (open, read, parse, titles), and both together.
#include "corpus.h"
#include "photometry/file_io.h"
#include "photometry/header_titles.h"
#include "photometry/ies_record.h"
#include "photometry/metrics.h"
#include "photometry/zone_ratings.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace {

using namespace gonilux;

struct TableSize {
    int Vert;
    int Horz;
};

constexpr TableSize kTypical{91, 37};
constexpr TableSize kLarge{181, 361};
constexpr TableSize kOutdoor{37, 24}; // the usual outdoor file: 0-90 in 2.5 degrees, 24 planes
constexpr int kFiles = 16;            // cycled, so that one file's branches are not learnt

// Corpus files in a fresh temporary folder, removed again when the program ends, and the
// records loaded from them.
class LoadedCorpus {
  public:
    explicit LoadedCorpus(const TableSize& size) {
        std::random_device entropy;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        folder_ =
            std::filesystem::temp_directory_path() /
            ("gonilux-bench-metrics-" + std::to_string(stamp) + "-" + std::to_string(entropy()));
        paths_ = bench::WriteCorpus(folder_.string(), kFiles, size.Vert, size.Horz);
        for (const std::string& path : paths_) {
            TiesData entry = CreateIesData(FileNameOf(path));
            LoadIesEntry(entry, path);
            records_.push_back(entry.Ies);
        }
    }
    ~LoadedCorpus() {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    LoadedCorpus(const LoadedCorpus&) = delete;
    LoadedCorpus& operator=(const LoadedCorpus&) = delete;

    const std::vector<std::string>& Paths() const { return paths_; }
    const std::vector<tIES>& Records() const { return records_; }

  private:
    std::filesystem::path folder_;
    std::vector<std::string> paths_;
    std::vector<tIES> records_;
};

const LoadedCorpus& Corpus(const TableSize& size) {
    if (size.Vert == kTypical.Vert) {
        static const LoadedCorpus typical(kTypical);
        return typical;
    }
    if (size.Vert == kOutdoor.Vert) {
        static const LoadedCorpus outdoor(kOutdoor);
        return outdoor;
    }
    static const LoadedCorpus large(kLarge);
    return large;
}

void BM_ComputeMetrics(benchmark::State& state, TableSize size) {
    const std::vector<tIES>& records = Corpus(size).Records();
    if (records.empty()) {
        state.SkipWithError("could not write the corpus to the temporary folder");
        return;
    }
    std::size_t next = 0;
    for (auto _ : state) {
        const tMetrics m = ComputeMetrics(records[next++ % records.size()]);
        benchmark::DoNotOptimize(m.LuminaireFlux);
        benchmark::DoNotOptimize(m.Spread90.Field);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

// The outdoor ratings (LCS zones, BUG, roadway, cutoff, spacing) of a loaded record, as the
// library index computes them for every file.
void BM_OutdoorRatings(benchmark::State& state, TableSize size) {
    const std::vector<tIES>& records = Corpus(size).Records();
    if (records.empty()) {
        state.SkipWithError("could not write the corpus to the temporary folder");
        return;
    }
    std::size_t next = 0;
    for (auto _ : state) {
        const tOutdoorRatings r = ComputeOutdoorRatings(records[next++ % records.size()], {});
        benchmark::DoNotOptimize(r.Lcs.FH);
        benchmark::DoNotOptimize(r.Spacing.Diagonal);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

// One file per iteration, loaded into a fresh entry as the file list does; with `metrics`
// the figures are computed too, as "gonilux-cli info" does.
void BM_LoadFile(benchmark::State& state, TableSize size, bool metrics) {
    const std::vector<std::string>& paths = Corpus(size).Paths();
    if (paths.empty()) {
        state.SkipWithError("could not write the corpus to the temporary folder");
        return;
    }
    std::size_t next = 0;
    for (auto _ : state) {
        const std::string& path = paths[next++ % paths.size()];
        TiesData entry = CreateIesData(FileNameOf(path));
        bool ok = LoadIesEntry(entry, path);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(entry.Ies.Candela.data());
        if (metrics) {
            const tMetrics m = ComputeMetrics(entry.Ies);
            benchmark::DoNotOptimize(m.LuminaireFlux);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

BENCHMARK_CAPTURE(BM_ComputeMetrics, typical_91x37, kTypical);
BENCHMARK_CAPTURE(BM_LoadFile, typical_91x37, kTypical, false)->UseRealTime();
BENCHMARK_CAPTURE(BM_LoadFile, typical_91x37_with_metrics, kTypical, true)->UseRealTime();
BENCHMARK_CAPTURE(BM_ComputeMetrics, large_181x361, kLarge);
BENCHMARK_CAPTURE(BM_OutdoorRatings, outdoor_37x24, kOutdoor);
BENCHMARK_CAPTURE(BM_OutdoorRatings, typical_91x37, kTypical);
BENCHMARK_CAPTURE(BM_LoadFile, large_181x361, kLarge, false)->UseRealTime();
BENCHMARK_CAPTURE(BM_LoadFile, large_181x361_with_metrics, kLarge, true)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
