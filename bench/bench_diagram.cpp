// Speed of the diagram drawing: thumbnails (100 x 100, simple background and thumbnail mode)
// and full 600 x 600 diagrams with rings, texts and pictograms, drawn into a QImage.
#include "corpus.h"
#include "diagram/background.h"
#include "diagram/goniogram.h"
#include "photometry/ies_reader.h"
#include "qt_bench_main.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
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

void DrawPicture(benchmark::State& state, int size, bool thumbnail) {
    const tIES& ies = Record(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    DiagramOptions options; // preview defaults: fit, orthogonal pair, pictograms
    const std::uint16_t mode = thumbnail ? kModeThumbnail : kModeFull;
    for (auto _ : state) {
        QPainter painter(&image);
        DrawBackground(painter, size, size, thumbnail);
        DrawGoniogram(painter, size, size, ies, mode, 1.0, 0, options);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(std::to_string(state.range(0)) + " x " + std::to_string(state.range(1)));
}

void BM_Thumbnail100(benchmark::State& state) {
    DrawPicture(state, 100, true);
}
void BM_Full600(benchmark::State& state) {
    DrawPicture(state, 600, false);
}

BENCHMARK(BM_Thumbnail100)->Args({91, 37})->Args({181, 361})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Full600)->Args({91, 37})->Args({181, 361})->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return gonilux::bench::RunQtBenchmarks<QGuiApplication>(argc, argv);
}
