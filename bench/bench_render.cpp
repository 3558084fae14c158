// Speed of the render window's picture: one 300 x 300 glow image (301 x 301 evaluations) of a
// typical and a large type C record, with and without the ambient term.
#include "auxwindows/map_image.h"
#include "auxwindows/render_image.h"
#include "corpus.h"
#include "photometry/ies_reader.h"
#include "qt_bench_main.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

using namespace gonilux;

const tIES& Record(int vertCount, int horzCount) {
    static tIES typical;
    static tIES large;
    tIES& ies = vertCount == 91 ? typical : large;
    if (ies.Candela.empty()) ParseIes(bench::MakeIesText(vertCount, horzCount, 7), ies);
    return ies;
}

void BM_Render300(benchmark::State& state) {
    const tIES& ies = Record(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    auxwindows::RenderParams params;
    params.Radiosity = state.range(2) != 0;
    for (auto _ : state) {
        QImage image = auxwindows::DoRender(ies, params);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(std::to_string(state.range(0)) + " x " + std::to_string(state.range(1)) +
                   (params.Radiosity ? ", ambient" : ""));
}

void BM_Map512(benchmark::State& state) {
    const tIES& ies = Record(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const double maximum = auxwindows::LargestIntensity(ies);
    for (auto _ : state) {
        QImage image = auxwindows::MapImage(ies, maximum);
        benchmark::DoNotOptimize(image.constBits());
    }
}

BENCHMARK(BM_Render300)
    ->Args({91, 37, 1})
    ->Args({181, 361, 1})
    ->Args({181, 361, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Map512)->Args({91, 37})->Args({181, 361})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return gonilux::bench::RunQtBenchmarks<QGuiApplication>(argc, argv);
}
