// Speed of the file managers' thumbnailer: "gonilux-cli thumbnail -s 256" run in-process over
// the real files (read, draw, encode the PNG, write it atomically), 100 files per iteration,
// and the drawing alone. scripts/bench_thumbnailer.sh times the whole process instead.
#include "photometry/file_io.h"
#include "qt_bench_main.h"
#include "render_command.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kFilesPerIteration = 100;

// The .ies files of the real-file corpus, in a fixed order.
const std::vector<std::string>& RealFiles() {
    static const std::vector<std::string> files = [] {
        std::vector<std::string> found;
        std::error_code error;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(
                 GONILUX_TESTDATA_DIR "/ies-real", error)) {
            std::string ext = entry.path().extension().string();
            std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
            if (entry.is_regular_file() && ext == ".ies") found.push_back(entry.path().string());
        }
        std::sort(found.begin(), found.end());
        return found;
    }();
    return files;
}

void BM_ThumbnailCommand256(benchmark::State& state) {
    const std::vector<std::string>& files = RealFiles();
    QTemporaryDir folder;
    if (files.empty() || !folder.isValid()) {
        state.SkipWithError("no real files or no temporary folder");
        return;
    }
    std::string output = folder.filePath(QStringLiteral("thumb.png")).toStdString();
    std::string command = "thumbnail", option = "-s", size = "256";
    std::size_t next = 0;
    for (auto _ : state) {
        for (int i = 0; i < kFilesPerIteration; ++i) {
            std::string input = files[next++ % files.size()];
            char* argv[] = {command.data(), option.data(), size.data(),
                            input.data(),   output.data(), nullptr};
            if (gonilux::cli::RunThumbnailCommand(5, argv) != 0) {
                state.SkipWithError("a thumbnail failed");
                return;
            }
        }
    }
    state.counters["per_file"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kFilesPerIteration,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The drawing alone, of records already read.
void BM_ThumbnailDraw256(benchmark::State& state) {
    std::vector<gonilux::TiesData> entries(RealFiles().size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        gonilux::LoadIesEntry(entries[i], RealFiles()[i]);
    if (entries.empty()) {
        state.SkipWithError("no real files");
        return;
    }
    std::size_t next = 0;
    for (auto _ : state) {
        const QImage image =
            gonilux::cli::RenderThumbnailImage(entries[next++ % entries.size()].Ies, 256);
        benchmark::DoNotOptimize(image.constBits());
    }
}

BENCHMARK(BM_ThumbnailCommand256)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThumbnailDraw256)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return gonilux::bench::RunQtBenchmarks<QGuiApplication>(argc, argv);
}
