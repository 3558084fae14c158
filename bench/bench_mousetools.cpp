// The mouse tools over the preview: one mouse-move frame (readout box and fish-eye lens at
// R = 64, K = 80, computed and painted; goal under 1 ms), the lens alone, and the lens map
// rebuilt after a change of R or K.
#include "corpus.h"
#include "mainwindow/fish_eye.h"
#include "mainwindow/preview_pane.h"
#include "photometry/ies_reader.h"
#include "qt_bench_main.h"

#include <QApplication>
#include <QImage>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

using gonilux::mainwindow::ComputeFishEye;
using gonilux::mainwindow::EyeSettings;
using gonilux::mainwindow::FishEyeMap;
using gonilux::mainwindow::PreviewPane;

// Pointer positions along a circle inside a pane of `side` pixels.
QPoint PathPoint(int step, int side) {
    const double t = step * 0.05;
    return {side / 2 + static_cast<int>(side * 0.35 * std::cos(t)),
            side / 2 + static_cast<int>(side * 0.35 * std::sin(t))};
}

// Counts the paints of the paint box, to make sure each frame is really painted.
class PaintCounter : public QObject {
  public:
    int Paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++Paints;
        return false;
    }
};

// One frame: the pointer moves, the readout and the lens are computed, the changed area is
// painted. With `changeLens` the lens settings alternate (K 80 / 79) so every frame also
// recomputes the lens's refraction map, as after a change of R or K.
void MouseMoveFrames(benchmark::State& state, bool changeLens) {
    gonilux::tIES ies;
    gonilux::ParseIes(gonilux::bench::MakeIesText(91, 37, 7), ies);
    PreviewPane pane;
    pane.resize(400, 432);
    pane.setEyeSettings(EyeSettings{true, true, 64, 80, 128});
    pane.show();
    pane.ShowPreviewItem(&ies, QStringLiteral("bench.ies"));
    QCoreApplication::processEvents();
    PaintCounter counter;
    pane.PaintBox()->installEventFilter(&counter);
    const int side = pane.PaintBox()->width();
    int step = 0;
    for (auto _ : state) {
        const QPoint at = PathPoint(step++, side);
        if (changeLens) pane.setEyeSettings(EyeSettings{true, true, 64, 80 - step % 2, 128});
        pane.PaintBoxMouseMove(Qt::NoButton, Qt::NoModifier, at.x(), at.y());
        QCoreApplication::processEvents(); // the paint of the changed area
        benchmark::DoNotOptimize(pane.lensImage().constBits());
    }
    state.counters["pane_px"] = side;
    state.counters["paints_per_frame"] = double(counter.Paints) / std::max<double>(1, step);
}

void BM_MouseMoveFrame(benchmark::State& state) {
    MouseMoveFrames(state, false);
}
BENCHMARK(BM_MouseMoveFrame)->Unit(benchmark::kMicrosecond);

void BM_MouseMoveFrameNewLensSettings(benchmark::State& state) {
    MouseMoveFrames(state, true);
}
BENCHMARK(BM_MouseMoveFrameNewLensSettings)->Unit(benchmark::kMicrosecond);

void BM_FishEyeLens(benchmark::State& state) {
    QImage picture(400, 400, QImage::Format_RGB32);
    picture.fill(0xff808080u);
    const FishEyeMap map(64, 80, true);
    QImage lens;
    int step = 0;
    for (auto _ : state) {
        const QPoint at = PathPoint(step++, 400);
        ComputeFishEye(picture, at.x(), at.y(), map, lens);
        benchmark::DoNotOptimize(lens.constBits());
    }
}
BENCHMARK(BM_FishEyeLens)->Unit(benchmark::kMicrosecond);

void BM_FishEyeMapRebuild(benchmark::State& state) {
    for (auto _ : state) {
        const FishEyeMap map(64, 80, true);
        benchmark::DoNotOptimize(map.points().data());
    }
}
BENCHMARK(BM_FishEyeMapRebuild)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return gonilux::bench::RunQtBenchmarks<QApplication>(argc, argv);
}
