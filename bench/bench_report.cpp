// Cost of the report's tables on a large record (181 x 361 values, type C): the isolux grid of
// 101 x 101 points (goal under 5 ms), the zonal lumens with the CIE flux codes, and both on the
// same light stored as type B (re-sampled for the zones, looked up in its own angles for the
// floor).
#include "corpus.h"
#include "photometry/ies_reader.h"
#include "photometry/light_tables.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

using namespace gonilux;

tIES LargeTypeC() {
    tIES ies;
    ParseIes(bench::MakeIesText(181, 361, 7), ies);
    return ies;
}

// A spot light aimed down stored as type B on a 1 degree grid (181 x 361 values).
tIES LargeTypeB() {
    constexpr double kRad = std::numbers::pi / 180;
    tIES ies = LargeTypeC();
    ies.PhotometricType = 2;
    ies.HorzAngles.clear();
    ies.VertAngles.clear();
    for (int h = -90; h <= 90; ++h)
        ies.HorzAngles.push_back(h);
    for (int v = -180; v <= 180; ++v)
        ies.VertAngles.push_back(v);
    ies.Candela.assign(181, tArrEx(361));
    for (int h = 0; h < 181; ++h)
        for (int v = 0; v < 361; ++v) {
            const double down =
                -std::cos(ies.HorzAngles[h] * kRad) * std::sin(ies.VertAngles[v] * kRad);
            ies.Candela[h][v] = 1000 * std::pow(std::max(0.0, down), 8);
        }
    ies.HorzCount = 181;
    ies.VertCount = 361;
    return ies;
}

void BM_Isolux(benchmark::State& state, bool typeB) {
    const tIES ies = typeB ? LargeTypeB() : LargeTypeC();
    for (auto _ : state) {
        const IlluminanceGrid grid = ComputeIlluminanceGrid(ies, 3, 10, 101);
        benchmark::DoNotOptimize(grid.Average);
    }
    if (!ComputeIlluminanceGrid(ies, 3, 10, 101).Valid) state.SkipWithError("no usable table");
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 101 * 101);
}

void BM_Zonal(benchmark::State& state, bool typeB) {
    const tIES ies = typeB ? LargeTypeB() : LargeTypeC();
    for (auto _ : state) {
        const ZonalSummary zonal = ComputeZonal(ies);
        benchmark::DoNotOptimize(zonal.CieFluxCodes[0]);
    }
    if (!ComputeZonal(ies).Valid) state.SkipWithError("no usable table");
}

BENCHMARK_CAPTURE(BM_Isolux, type_c_181x361_grid_101, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Zonal, type_c_181x361, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Isolux, type_b_361x181_grid_101, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Zonal, type_b_361x181, true)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
