// Cost of the indoor ratings on a 37 x 24 type C file (vertical angles 0-90, planes all round,
// no symmetry to save work): the whole UGR table (goal under 1 ms), the standard 4H x 8H figure
// of lists and queries (goal well under 0.1 ms: a library index rates 5,000 files a second on
// two cores), the CU table, and every rating of the file together: what the index stores
// (ComputeRatings) plus both tables (goal under 2 ms).
#include "corpus.h"
#include "photometry/glare_tables.h"
#include "photometry/ies_reader.h"
#include "photometry/ratings.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace {

using namespace gonilux;

tIES Record() {
    tIES ies;
    ParseIes(bench::MakeIesText(37, 24, 3), ies);
    return ies;
}

void BM_UgrTable(benchmark::State& state) {
    const tIES ies = Record();
    for (auto _ : state) {
        const tUgrTable table = ComputeUgrTable(ies);
        benchmark::DoNotOptimize(table.Crosswise[0][0]);
    }
    if (!ComputeUgrTable(ies).Valid) state.SkipWithError("no UGR table");
}

void BM_StandardUgr(benchmark::State& state) {
    const tIES ies = Record();
    for (auto _ : state) {
        const tUgrValue value = ComputeStandardUgr(ies);
        benchmark::DoNotOptimize(value.Crosswise);
    }
    if (std::isnan(ComputeStandardUgr(ies).Endwise)) state.SkipWithError("no UGR");
}

void BM_CuTable(benchmark::State& state) {
    const tIES ies = Record();
    for (auto _ : state) {
        const tCuTable table = ComputeCuTable(ies);
        benchmark::DoNotOptimize(table.Percent[0][0]);
    }
    if (!ComputeCuTable(ies).Valid) state.SkipWithError("no CU table");
}

void BM_AllRatings(benchmark::State& state) {
    const tIES ies = Record();
    for (auto _ : state) {
        const tRatings ratings = ComputeRatings(ies, tRatingInput{});
        const tUgrTable ugr = ComputeUgrTable(ies);
        const tCuTable cu = ComputeCuTable(ies);
        benchmark::DoNotOptimize(ratings.Ugr.Crosswise + ugr.Endwise[0][0] + cu.Percent[0][0]);
    }
    if (!ComputeRatings(ies, tRatingInput{}).Valid) state.SkipWithError("no ratings");
}

BENCHMARK(BM_AllRatings)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UgrTable)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StandardUgr)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CuTable)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
