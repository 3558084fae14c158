// Speed of the photometric report on paper: one A4 datasheet of a 181 x 361 record composed
// into a 150 dpi image and into a PDF, its figures, and a 500-file catalogue read on both cores
// and written as one PDF.
#include "corpus.h"
#include "diagram/datasheet.h"
#include "photometry/ies_reader.h"
#include "qt_bench_main.h"

#include <QBuffer>
#include <QDirIterator>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace gonilux;

TiesData LargeEntry() {
    TiesData entry = CreateIesData("large.ies");
    ParseIes(bench::MakeIesText(181, 361, 7), entry.Ies);
    entry.Loaded = true;
    return entry;
}

const DatasheetInput& LargeInput() {
    static const DatasheetInput input = MakeDatasheetInput(LargeEntry(), "large.ies");
    return input;
}

void BM_DatasheetFigures(benchmark::State& state) {
    const TiesData entry = LargeEntry();
    for (auto _ : state) {
        DatasheetInput input = MakeDatasheetInput(entry, "large.ies");
        benchmark::DoNotOptimize(input.Isolux.Maximum);
    }
}

void BM_DatasheetImage150dpi(benchmark::State& state) {
    const DatasheetInput& input = LargeInput();
    QImage image(1240, 1754, QImage::Format_RGB32); // A4 at 150 dpi
    for (auto _ : state) {
        QPainter painter(&image);
        PaintDatasheet(painter, image.rect(), input);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_DatasheetPdf(benchmark::State& state) {
    const DatasheetInput& input = LargeInput();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter pdf(&buffer);
            pdf.setResolution(72);
            pdf.setPageSize(QPageSize(QPageSize::A4));
            QPainter painter(&pdf);
            PaintDatasheet(painter, QRectF(0, 0, pdf.width(), pdf.height()), input);
        }
        benchmark::DoNotOptimize(buffer.data().size());
    }
}

// The samples and the real files of the tests, repeated to 500.
std::vector<std::string> CataloguePaths() {
    std::vector<std::string> files;
    for (const char* folder : {GONILUX_SAMPLES_DIR, GONILUX_TESTDATA_DIR "/ies-real",
                               GONILUX_TESTDATA_DIR "/ldt-real"}) {
        QDirIterator it(folder, {"*.ies", "*.IES", "*.ldt", "*.LDT"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files.push_back(it.next().toStdString());
    }
    std::vector<std::string> paths;
    for (std::size_t i = 0; !files.empty() && paths.size() < 500; ++i)
        paths.push_back(files[i % files.size()]);
    return paths;
}

void BM_Catalogue500(benchmark::State& state) {
    const std::vector<std::string> paths = CataloguePaths();
    QTemporaryDir dir;
    for (auto _ : state) {
        const std::vector<DatasheetInput> inputs = LoadDatasheetInputs(paths, 2);
        QString error;
        if (!WriteReportPdf(dir.filePath("catalogue.pdf"), inputs, {}, error))
            state.SkipWithError(error.toStdString().c_str());
    }
    state.SetLabel(std::to_string(paths.size()) + " files, 2 threads");
}

} // namespace

BENCHMARK(BM_DatasheetFigures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DatasheetImage150dpi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DatasheetPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Catalogue500)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

int main(int argc, char** argv) {
    return gonilux::bench::RunQtBenchmarks<QGuiApplication>(argc, argv);
}
