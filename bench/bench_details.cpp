// The details view's sort: 10,000 read entries with their figures (generated files, read once),
// sorted by a numeric column and by a text column, each time from the entries' cells as a view
// would take them.
#include "browser/details_columns.h"
#include "corpus.h"
#include "photometry/file_io.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace gonilux;
using browser::DetailsColumn;
namespace fs = std::filesystem;

constexpr int kFiles = 10000;
constexpr int kFolders = 20; // folder rows above the files, which keep their places

struct Entries {
    std::vector<TiesData> Files;
    std::vector<tMetrics> Figures;
    std::vector<qint64> Sizes;
    Entries() {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        const fs::path root =
            fs::temp_directory_path() / ("gonilux-bench-details-" + std::to_string(stamp));
        for (const std::string& path : bench::WriteCorpus(root.string(), kFiles, 37, 25)) {
            TiesData entry = CreateIesData(fs::path(path).filename().string());
            LoadIesEntry(entry, path);
            Figures.push_back(ComputeMetrics(entry.Ies));
            Sizes.push_back(qint64(fs::file_size(path)));
            Files.push_back(std::move(entry));
        }
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

const Entries& Shared() {
    static const Entries entries;
    return entries;
}

// The cells of one column for every row, then the sort.
void SortBy(benchmark::State& state, DetailsColumn column) {
    const Entries& e = Shared();
    const TiesData folder;
    const bool descending = state.range(0) != 0;
    for (auto _ : state) {
        std::vector<browser::DetailsCell> cells(kFolders);
        cells.reserve(kFolders + e.Files.size());
        for (std::size_t i = 0; i < e.Files.size(); ++i)
            cells.push_back(browser::DetailsCellOf(
                column, {e.Files[i], &e.Figures[i], e.Sizes[i], 0, QString()}));
        benchmark::DoNotOptimize(browser::SortedDetailsRows(
            cells, kFolders, browser::ColumnInfo(column).Numeric, descending));
    }
    state.SetItemsProcessed(state.iterations() * int64_t(e.Files.size()));
}

void BM_SortByFlux(benchmark::State& state) {
    SortBy(state, DetailsColumn::Flux);
}
BENCHMARK(BM_SortByFlux)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SortByLuminaire(benchmark::State& state) {
    SortBy(state, DetailsColumn::Luminaire);
}
BENCHMARK(BM_SortByLuminaire)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
