// Conversions: re-sampling a large type B file onto a type C grid, and a folder of 1,000
// typical files converted to EULUMDAT with both cores, as `gonilux-cli convert DIR --to ldt`
// does it (read, header keywords, write atomically).
#include "corpus.h"
#include "photometry/export_text.h"
#include "photometry/file_io.h"
#include "photometry/header_titles.h"
#include "photometry/ldt_writer.h"
#include "photometry/resample.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace gonilux;

// A 181 x 361 type B floodlight: horizontal angles -90..90 and vertical angles -180..180 by 1.
tIES LargeTypeB() {
    tIES ies;
    ies.PhotometricType = 2;
    ies.LampCount = 1;
    ies.LumensPerLamp = 20000;
    ies.Multiplier = 20;
    ies.UnitsType = 2;
    for (int h = -90; h <= 90; ++h)
        ies.HorzAngles.push_back(h);
    for (int v = -180; v <= 180; ++v)
        ies.VertAngles.push_back(v);
    for (double h : ies.HorzAngles) {
        tArrEx row;
        for (double v : ies.VertAngles)
            row.push_back(10 + 1000 * std::exp(-(h * h + (v - 20) * (v - 20)) / 300));
        ies.Candela.push_back(std::move(row));
    }
    ies.HorzCount = static_cast<std::uint16_t>(ies.HorzAngles.size());
    ies.VertCount = static_cast<std::uint16_t>(ies.VertAngles.size());
    return ies;
}

void BM_ResampleTypeB181x361(benchmark::State& state) {
    const tIES source = LargeTypeB();
    for (auto _ : state)
        benchmark::DoNotOptimize(ResampleToTypeC(source));
}
BENCHMARK(BM_ResampleTypeB181x361)->Unit(benchmark::kMillisecond);

void ConvertOne(const std::string& path) {
    TiesData entry = CreateIesData(FileNameOf(path));
    if (!LoadIesEntry(entry, path)) return;
    std::string bytes, error;
    ReadWholeFile(path, bytes, error);
    const std::vector<std::string> keywords = HeaderKeywordLines(bytes);
    const std::string output = LdtExportFileName("", path);
    const LdtText text = BuildLdtText(entry.Ies, entry.Lines, FileNameOf(output));
    if (text.Ok) WriteFileAtomically(output, text.Text, error);
    benchmark::DoNotOptimize(keywords);
}

void BM_ConvertFolderOf1000ToLdt(benchmark::State& state) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("gonilux-bench-convert-" + std::to_string(stamp));
    const std::vector<std::string> files =
        bench::WriteCorpus(folder.string(), 1000, 37, 25); // 5-degree steps, half symmetry
    for (auto _ : state) {
        std::vector<std::thread> workers;
        for (unsigned w = 0; w < 2; ++w)
            workers.emplace_back([&, w] {
                for (std::size_t i = w; i < files.size(); i += 2)
                    ConvertOne(files[i]);
            });
        for (std::thread& worker : workers)
            worker.join();
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}
BENCHMARK(BM_ConvertFolderOf1000ToLdt)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
