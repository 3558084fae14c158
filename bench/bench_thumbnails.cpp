// Speed of the file list's thumbnail view: one 100 x 100 thumbnail (off-screen composition and
// direct drawing), and a screen of about 60 thumbnails of a folder of 2,000 typical files,
// painted the first time (every visible file is read on worker threads and the screen painted
// with their pictures) and painted again.
#include "browser/folder_list_view.h"
#include "browser/thumbnail_view.h"
#include "corpus.h"
#include "diagram/background.h"
#include "diagram/goniogram.h"
#include "diagram/render_diagram.h"
#include "photometry/ies_reader.h"
#include "platform/message_service.h"
#include "qt_bench_main.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace gonilux;
using browser::FolderListView;

constexpr int kFolderFiles = 2000;
constexpr int kThumb = 100;

const tIES& Typical() {
    static tIES ies;
    if (ies.Candela.empty()) ParseIes(bench::MakeIesText(91, 37, 7), ies);
    return ies;
}

// The generated folder, written once per run.
const QString& Folder() {
    static QTemporaryDir dir;
    static bool written = false;
    if (!written) {
        bench::WriteCorpus(dir.path().toStdString(), kFolderFiles, 91, 37);
        written = true;
    }
    static const QString path = dir.path();
    return path;
}

void BM_ThumbnailComposed(benchmark::State& state) {
    const tIES& ies = Typical();
    const DiagramOptions options;
    const int flags = RenderBackground | RenderDiagramCurves | RenderThumbnail;
    QImage target(kThumb, kThumb, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.drawImage(0, 0, ComposeDiagram(kThumb, kThumb, ies, flags, 0, options));
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}

void BM_ThumbnailDirect(benchmark::State& state) {
    const tIES& ies = Typical();
    const DiagramOptions options;
    QImage target(kThumb, kThumb, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&target);
        DrawBackground(painter, kThumb, kThumb, true, options.Antialias);
        DrawGoniogram(painter, kThumb, kThumb, ies, kModeThumbnail, 1.0, 0, options);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}

// A list of the generated folder in the thumbnail view, sized for 10 x 6 thumbnails.
struct Screen {
    FolderListView View;
    QImage Target;

    explicit Screen(bool quality) {
        View.setQualityThumbnails(quality);
        View.setViewStyle(FolderListView::ViewStyle::Thumbnails);
        const QSize cell = browser::ThumbnailGridSize(QFontMetrics(View.font()));
        const int frame = 2 * View.frameWidth();
        View.resize(10 * cell.width() + frame + 24, 6 * cell.height() + frame);
        View.show();
        Target = QImage(View.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    }
    void Open() {
        browser::FolderListing listing;
        listing.Path = Folder();
        listing.NodeText = QStringLiteral("corpus");
        View.ShowFolderContents(listing);
    }
    void Paint() { View.viewport()->render(&Target); }
    void WaitForReads() {
        while (View.entriesReading())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    int Loaded() const {
        int loaded = 0;
        for (int i = View.Tag(); i < View.count(); ++i)
            loaded += View.entryAt(i)->Loaded;
        return loaded;
    }
};

// The first paint asks for the files in sight; worker threads read them and the screen is
// painted again with every picture in.
void BM_ScreenFirstPaint(benchmark::State& state) {
    Screen screen(state.range(0) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        screen.Open();
        state.ResumeTiming();
        screen.Paint();
        screen.WaitForReads();
        screen.Paint();
    }
    state.SetLabel(std::to_string(screen.Loaded()) + " files read per screen");
}

void BM_ScreenRepaint(benchmark::State& state) {
    Screen screen(state.range(0) != 0);
    screen.Open();
    screen.Paint();
    screen.WaitForReads();
    for (auto _ : state)
        screen.Paint();
    state.SetLabel(std::to_string(screen.Loaded()) + " thumbnails");
}

BENCHMARK(BM_ThumbnailComposed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ThumbnailDirect)->Unit(benchmark::kMicrosecond);
// Argument: 1 = quality (off-screen) thumbnails, 0 = direct drawing.
BENCHMARK(BM_ScreenFirstPaint)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ScreenRepaint)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Nothing may wait for a click: boxes are dropped.
    return gonilux::bench::RunQtBenchmarks<QApplication>(argc, argv, [] {
        gonilux::platform::MessageService::instance()->setRecorder(
            [](const gonilux::platform::MessageService::Message&) {});
    });
}
