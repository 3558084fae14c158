// The figures a datasheet shows, read and computed on worker threads.
#include "diagram/datasheet.h"

#include "photometry/file_io.h"
#include "photometry/header_encoding.h"
#include "photometry/ldt_reader.h"
#include "photometry/plane_pairs.h"
#include "photometry/text_encoding.h"

#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace gonilux {

namespace {

constexpr int kDatasheetGrid = 81; // isolux points a side: 12.5 cm apart over 10 m

QString Title(const std::vector<std::string>& titles, int index) {
    return index < static_cast<int>(titles.size())
               ? QString::fromStdString(titles[static_cast<std::size_t>(index)]).trimmed()
               : QString();
}

void Fail(DatasheetInput& input, DatasheetProblem problem, const QString& detail) {
    input.Ok = false;
    input.Problem = problem;
    input.Detail = detail;
    switch (problem) {
    case DatasheetProblem::Unreadable:
        input.Error = QCoreApplication::translate("Datasheet", "无法读取：%1").arg(detail);
        break;
    case DatasheetProblem::DamagedHeader:
        input.Error = QCoreApplication::translate("Datasheet", "文件头损坏：第 %1 行").arg(detail);
        break;

    default:
        input.Error = QCoreApplication::translate("Datasheet", "没有可用的光强表");
        break;
    }
}

} // namespace

bool HasLuminousOpening(const tIES& ies) {
    return ies.Width != 0 || ies.Length != 0 || ies.Height != 0;
}

int DatasheetPages(const DatasheetInput& input) {
    return !input.Ok ? 0 : HasLuminousOpening(input.Ies) ? 2 : 1;
}

DatasheetInput MakeDatasheetInput(const TiesData& entry, const QString& fileName,
                                  const DatasheetIsolux& isolux) {
    DatasheetInput input;
    input.FileName = fileName;
    input.Eulumdat = IsLdtFileName(fileName.toStdString());
    if (entry.Diagnostics.OpenFailed) {
        Fail(input, DatasheetProblem::Unreadable,
             QString::fromStdString(ToUtf8Lenient(entry.Diagnostics.OpenError)));
        return input;
    }
    const std::vector<std::string> titles =
        DecodeTitles(entry.Lines, TitlesEncoding(entry.Lines, kAutoEncoding));
    input.Test = Title(titles, TitleTest);
    input.Manufacturer = Title(titles, TitleManufacturer);
    input.Luminaire = Title(titles, TitleLuminaire);
    input.LuminaireCatalog = Title(titles, TitleLuminaireCatalog);
    input.Lamp = Title(titles, TitleLamp);
    input.LampCatalog = Title(titles, TitleLampCatalog);
    input.Ies = entry.Ies;
    input.Plane = FirstZeroPlane(entry.Ies);
    if (entry.Diagnostics.HeaderError) {
        Fail(input, DatasheetProblem::DamagedHeader,
             QString::number(entry.Diagnostics.HeaderErrorLine));
        return input;
    }
    if (entry.Diagnostics.Truncated()) { // no datasheet of figures from part of the values
        Fail(input, DatasheetProblem::Truncated,
             QString::fromStdString(DamageText(entry.Diagnostics)));
        input.Error = QCoreApplication::translate("Datasheet", "文件不完整：%1 个数值中只有 %2 个")
                          .arg(entry.Diagnostics.ValuesExpected)
                          .arg(entry.Diagnostics.ValuesRead);
        return input;
    }
    input.Metrics = ComputeMetrics(entry.Ies);
    if (!input.Metrics.Valid) {
        Fail(input, DatasheetProblem::NoTable, QString());
        return input;
    }
    input.Zonal = ComputeZonal(entry.Ies);
    input.Isolux = ComputeIlluminanceGrid(entry.Ies, isolux.Height, isolux.Size, kDatasheetGrid);
    input.Ratings = ComputeRatings(entry.Ies, RatingInputOf(entry));
    if (HasLuminousOpening(entry.Ies)) input.Ugr = ComputeUgrTable(entry.Ies, 0.25);
    input.Ok = true;
    return input;
}

DatasheetInput LoadDatasheetInput(const std::string& path, const DatasheetIsolux& isolux) {
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    TiesData entry = CreateIesData(name);
    LoadIesEntry(entry, path);
    return MakeDatasheetInput(entry, QString::fromStdString(ToUtf8Lenient(name)), isolux);
}

std::vector<DatasheetInput>
LoadDatasheetInputs(const std::vector<std::string>& paths, int threads,
                    const std::function<void(int index, int count)>& progress,
                    const DatasheetIsolux& isolux) {
    const int count = static_cast<int>(paths.size());
    std::vector<DatasheetInput> inputs(paths.size());
    std::vector<char> ready(paths.size(), 0);
    std::mutex mutex;
    std::condition_variable readyChanged;
    std::atomic<int> next{0};
    int reported = 0;
    // Reports the files ready in order on the calling thread (waiting: until all are).
    auto report = [&](bool wait) {
        std::unique_lock<std::mutex> lock(mutex);
        while (reported < count && (wait || ready[static_cast<std::size_t>(reported)])) {
            if (!ready[static_cast<std::size_t>(reported)]) {
                readyChanged.wait(lock);
                continue;
            }
            const int index = reported++;
            lock.unlock();
            if (progress) progress(index, count);
            lock.lock();
        }
    };
    auto work = [&](bool reporting) {
        for (int i = next++; i < count; i = next++) {
            DatasheetInput input = LoadDatasheetInput(paths[static_cast<std::size_t>(i)], isolux);
            {
                const std::lock_guard<std::mutex> lock(mutex);
                inputs[static_cast<std::size_t>(i)] = std::move(input);
                ready[static_cast<std::size_t>(i)] = 1;
            }
            readyChanged.notify_all();
            if (reporting) report(false);
        }
    };
    if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> workers;
    for (int t = 1; t < std::min(threads, count); ++t)
        workers.emplace_back(work, false);
    work(true); // this thread reads too
    report(true);
    for (std::thread& worker : workers)
        worker.join();
    return inputs;
}

} // namespace gonilux
