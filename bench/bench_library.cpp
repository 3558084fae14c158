// The library index: a tree of 10,000 typical files indexed from scratch and updated when
// nothing changed, and queries (a word and two number terms; a rating and a figure) over
// 100,000 indexed rows (the 10,000 files seen through ten folders of hard links).
#include "corpus.h"
#include "library/library_index.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace gonilux::library;
namespace fs = std::filesystem;

constexpr int kFiles = 10000;

// The corpus folder, made once for the whole run and removed at its end.
struct Corpus {
    fs::path Root;
    Corpus() {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        Root = fs::temp_directory_path() / ("gonilux-bench-library-" + std::to_string(stamp));
        gonilux::bench::WriteCorpus((Root / "files").string(), kFiles, 37, 25);
    }
    ~Corpus() {
        std::error_code ec;
        fs::remove_all(Root, ec);
    }
};

Corpus& Shared() {
    static Corpus corpus;
    return corpus;
}

void BM_IndexFromScratch(benchmark::State& state) {
    const fs::path files = Shared().Root / "files";
    for (auto _ : state) {
        LibraryIndex index(":memory:");
        benchmark::DoNotOptimize(index.Update(files.string()));
    }
    state.SetItemsProcessed(state.iterations() * kFiles); // items/s = files indexed per second
}
BENCHMARK(BM_IndexFromScratch)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_UpdateUnchanged(benchmark::State& state) {
    const fs::path files = Shared().Root / "files";
    LibraryIndex index((Shared().Root / "unchanged.sqlite").string());
    index.Update(files.string());
    for (auto _ : state)
        benchmark::DoNotOptimize(index.Update(files.string()));
}
BENCHMARK(BM_UpdateUnchanged)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_QueryOver100kRows(benchmark::State& state, const char* text) {
    const fs::path root = Shared().Root / "links";
    std::error_code ec;
    for (int copy = 0; copy < 10; ++copy) {
        const fs::path folder = root / std::to_string(copy);
        fs::create_directories(folder, ec);
        for (const auto& file : fs::directory_iterator(Shared().Root / "files"))
            fs::create_hard_link(file.path(), folder / file.path().filename(), ec);
    }
    LibraryIndex index((Shared().Root / "links.sqlite").string());
    index.Update(root.string());
    const Query query = ParseQuery(text).Value;
    std::size_t found = 0;
    for (auto _ : state)
        found = index.Find(root.string(), query).size();
    state.counters["rows"] = static_cast<double>(index.Count());
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK_CAPTURE(BM_QueryOver100kRows, words_and_figures, "cl-42 flux>=100 beam:10..150")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_QueryOver100kRows, ratings, "ugr<19 flux>3000")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
