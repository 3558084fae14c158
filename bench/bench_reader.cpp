// Reader throughput: ParseIes on text in memory beside a plain strtod-per-token parser of the
// same text, and the whole load of an entry (open, read, parse, titles) from disk.
#include "corpus.h"
#include "photometry/file_io.h"
#include "photometry/header_titles.h"
#include "photometry/ies_reader.h"
#include "photometry/ies_record.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace {

using namespace gonilux;

struct TableSize {
    int Vert;
    int Horz;
    int Texts; // distinct files cycled through, so that one file's branches are not learnt
};

constexpr TableSize kTypical{91, 37, 16};
constexpr TableSize kLarge{181, 361, 4};

const std::vector<std::string>& Texts(const TableSize& size) {
    static std::vector<std::string> typical, large;
    std::vector<std::string>& texts = size.Vert == kTypical.Vert ? typical : large;
    if (texts.empty())
        for (int i = 0; i < size.Texts; ++i)
            texts.push_back(bench::MakeIesText(size.Vert, size.Horz, static_cast<unsigned>(i)));
    return texts;
}

void BM_ParseIes(benchmark::State& state, TableSize size) {
    const std::vector<std::string>& texts = Texts(size);
    std::size_t next = 0;
    std::int64_t bytes = 0;
    for (auto _ : state) {
        const std::string& text = texts[next++ % texts.size()];
        tIES ies;
        ParseResult result = ParseIes(text, ies);
        benchmark::DoNotOptimize(ies.Candela.data());
        benchmark::DoNotOptimize(result.Diagnostics.HeaderError);
        bytes += static_cast<std::int64_t>(text.size());
    }
    state.SetBytesProcessed(bytes);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

// The straightforward way to read the same file: split the header off at the TILT line, turn
// commas into blanks and call std::strtod once per number.
struct PlainRecord {
    double Header[13] = {};
    std::vector<double> Vert;
    std::vector<double> Horz;
    std::vector<std::vector<double>> Candela;
};

class StrtodReader {
  public:
    explicit StrtodReader(const std::string& text) {
        std::size_t tilt = text.find("TILT=");
        std::size_t end = tilt == std::string::npos ? 0 : text.find('\n', tilt);
        numeric_ = end == std::string::npos ? std::string() : text.substr(end + 1);
        for (char& c : numeric_)
            if (c == ',') c = ' ';
        cursor_ = numeric_.c_str();
        inlineTilt_ = tilt != std::string::npos && text.compare(tilt + 5, 4, "NONE") != 0;
    }

    double Next() {
        char* end = nullptr;
        double value = std::strtod(cursor_, &end);
        if (end == cursor_) return 0;
        cursor_ = end;
        return value;
    }

    void Read(PlainRecord& record) {
        if (inlineTilt_) {
            Next();
            const long pairs = std::lround(Next());
            for (long i = 0; i < 2 * pairs; ++i)
                Next();
        }
        for (double& value : record.Header)
            value = Next();
        const double lumens = record.Header[1];
        const double factor = lumens != 1000 && record.Header[2] == 1 ? lumens / 1000 : 1.0;
        const auto vertCount = static_cast<std::size_t>(std::lround(record.Header[3]));
        const auto horzCount = static_cast<std::size_t>(std::lround(record.Header[4]));
        record.Vert.resize(vertCount);
        for (double& value : record.Vert)
            value = Next();
        record.Horz.resize(horzCount);
        for (double& value : record.Horz)
            value = Next();
        record.Candela.resize(horzCount);
        for (std::vector<double>& row : record.Candela) {
            row.resize(vertCount);
            for (double& value : row)
                value = Next() / factor;
        }
    }

  private:
    std::string numeric_;
    const char* cursor_ = nullptr;
    bool inlineTilt_ = false;
};

void BM_StrtodBaseline(benchmark::State& state, TableSize size) {
    const std::vector<std::string>& texts = Texts(size);
    std::size_t next = 0;
    std::int64_t bytes = 0;
    for (auto _ : state) {
        const std::string& text = texts[next++ % texts.size()];
        PlainRecord record;
        StrtodReader(text).Read(record);
        benchmark::DoNotOptimize(record.Candela.data());
        bytes += static_cast<std::int64_t>(text.size());
    }
    state.SetBytesProcessed(bytes);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

// A corpus written to a fresh temporary folder, removed again when the program ends.
class DiskCorpus {
  public:
    DiskCorpus(int files, const TableSize& size) {
        std::random_device entropy;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        folder_ = std::filesystem::temp_directory_path() /
                  ("gonilux-bench-" + std::to_string(stamp) + "-" + std::to_string(entropy()));
        paths_ = bench::WriteCorpus(folder_.string(), files, size.Vert, size.Horz);
        for (const std::string& path : paths_) {
            names_.push_back(FileNameOf(path));
            std::error_code error;
            bytes_ += static_cast<std::int64_t>(std::filesystem::file_size(path, error));
        }
    }
    ~DiskCorpus() {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    DiskCorpus(const DiskCorpus&) = delete;
    DiskCorpus& operator=(const DiskCorpus&) = delete;

    const std::vector<std::string>& Paths() const { return paths_; }
    const std::vector<std::string>& Names() const { return names_; }
    std::int64_t Bytes() const { return bytes_; }

  private:
    std::filesystem::path folder_;
    std::vector<std::string> paths_;
    std::vector<std::string> names_;
    std::int64_t bytes_ = 0;
};

const DiskCorpus& Corpus(const TableSize& size) {
    if (size.Vert == kTypical.Vert) {
        static const DiskCorpus typical(500, kTypical);
        return typical;
    }
    static const DiskCorpus large(20, kLarge);
    return large;
}

// One iteration loads every file of the corpus into a fresh entry, as the file list does.
void BM_LoadIesEntry(benchmark::State& state, TableSize size) {
    const DiskCorpus& corpus = Corpus(size);
    if (corpus.Paths().empty()) {
        state.SkipWithError("could not write the corpus to the temporary folder");
        return;
    }
    for (auto _ : state) {
        for (std::size_t i = 0; i < corpus.Paths().size(); ++i) {
            TiesData entry = CreateIesData(corpus.Names()[i]);
            bool ok = LoadIesEntry(entry, corpus.Paths()[i]);
            benchmark::DoNotOptimize(ok);
            benchmark::DoNotOptimize(entry.Ies.Candela.data());
        }
    }
    const auto rounds = static_cast<std::int64_t>(state.iterations());
    state.SetBytesProcessed(rounds * corpus.Bytes());
    state.SetItemsProcessed(rounds * static_cast<std::int64_t>(corpus.Paths().size()));
    state.counters["files"] = static_cast<double>(corpus.Paths().size());
}

BENCHMARK_CAPTURE(BM_ParseIes, typical_91x37, kTypical);
BENCHMARK_CAPTURE(BM_StrtodBaseline, typical_91x37, kTypical);
BENCHMARK_CAPTURE(BM_ParseIes, large_181x361, kLarge);
BENCHMARK_CAPTURE(BM_StrtodBaseline, large_181x361, kLarge);
BENCHMARK_CAPTURE(BM_LoadIesEntry, typical_91x37_500_files, kTypical)->UseRealTime();
BENCHMARK_CAPTURE(BM_LoadIesEntry, large_181x361_20_files, kLarge)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
