// The viewer's folder operations on generated folders: listing 10,000 files, re-captioning
// them by manufacturer (reads every file on worker threads), the details view reading them on
// worker threads (with the longest gap between the window's event-loop ticks meanwhile) and sorting
// them by a figure, and selecting a large file until its preview is composed.
#include "browser/folder_list_view.h"
#include "corpus.h"
#include "mainwindow/main_window.h"
#include "mainwindow/preview_pane.h"
#include "platform/message_service.h"
#include "qt_bench_main.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTreeView>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using gonilux::browser::FolderListing;
using gonilux::browser::FolderListView;

// One folder of typical files, written once for all benchmarks of the run.
const QString& TypicalFolder() {
    static QTemporaryDir dir;
    static bool written = false;
    if (!written) {
        written = true;
        gonilux::bench::WriteCorpus(dir.filePath(QStringLiteral("typical")).toStdString(), 10000,
                                    91, 37);
    }
    static const QString path = dir.filePath(QStringLiteral("typical"));
    return path;
}

FolderListing ListingOf(const QString& path) {
    FolderListing listing;
    listing.Path = path;
    listing.NodeText = QDir(path).dirName();
    listing.HasParent = false;
    return listing;
}

void BM_ListTenThousandFiles(benchmark::State& state) {
    const FolderListing listing = ListingOf(TypicalFolder());
    FolderListView list;
    list.resize(600, 600);
    for (auto _ : state) {
        list.ShowFolderContents(listing);
        benchmark::DoNotOptimize(list.count());
        state.PauseTiming();
        list.ClearFileList();
        state.ResumeTiming();
    }
    state.counters["files"] = 10000;
}
BENCHMARK(BM_ListTenThousandFiles)->Unit(benchmark::kMillisecond)->Iterations(5);

// Captions by manufacturer: every file is read on worker threads behind the progress panel, then
// the list is captioned and sorted; the longest gap between event-loop ticks meanwhile.
void BM_CaptionByManufacturer(benchmark::State& state) {
    const FolderListing listing = ListingOf(TypicalFolder());
    FolderListView list;
    list.resize(600, 600);
    list.CheckBoxSortClick(true);
    list.show();
    gonilux::bench::LongestTickGap gap;
    for (auto _ : state) {
        state.PauseTiming();
        list.ClearFileList();
        list.ComboBoxCaptionChange(0);
        list.ShowFolderContents(listing);
        state.ResumeTiming();
        gap.Start();
        list.ComboBoxCaptionChange(2); // reads all 10,000 files
        while (list.entriesReading())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        gap.Stop();
        benchmark::DoNotOptimize(list.count());
    }
    state.counters["longest_gap_ms"] = gap.Milliseconds();
    state.counters["files"] = 10000;
}
BENCHMARK(BM_CaptionByManufacturer)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The details view of 10,000 files: listed, then read on worker threads until every row has its
// figures, while a 1 ms timer on the window's thread records the longest gap between its ticks
// during the reading.
void BM_DetailsViewReadsTenThousandFiles(benchmark::State& state) {
    const FolderListing listing = ListingOf(TypicalFolder());
    FolderListView list;
    list.resize(800, 600);
    list.setViewStyle(FolderListView::ViewStyle::Details);
    list.show();
    gonilux::bench::LongestTickGap gap;
    for (auto _ : state) {
        list.ShowFolderContents(listing); // the listing itself: BM_ListTenThousandFiles
        gap.Start();
        while (list.entriesReading())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        gap.Stop();
        state.PauseTiming();
        list.ClearFileList();
        state.ResumeTiming();
    }
    state.counters["longest_gap_ms"] = gap.Milliseconds();
    state.counters["files"] = 10000;
}
BENCHMARK(BM_DetailsViewReadsTenThousandFiles)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

// Sorting the details view's 10,000 read rows by the luminaire flux, as a header click does.
void BM_DetailsSortByFlux(benchmark::State& state) {
    const FolderListing listing = ListingOf(TypicalFolder());
    FolderListView list;
    list.resize(800, 600);
    list.setViewStyle(FolderListView::ViewStyle::Details);
    list.ShowFolderContents(listing);
    while (list.entriesReading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QHeaderView* header = list.detailsView()->header();
    const int flux = static_cast<int>(gonilux::browser::DetailsColumn::Flux);
    bool descending = false;
    for (auto _ : state) {
        descending = !descending;
        header->setSortIndicator(flux, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    }
    state.counters["rows"] = list.count();
}
BENCHMARK(BM_DetailsSortByFlux)->Unit(benchmark::kMillisecond)->Iterations(10);

// Two large files alternately selected in the real main window, so each selection reads its
// file and composes the preview.
void BM_SelectLargeFile(benchmark::State& state) {
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("large"));
    gonilux::bench::WriteCorpus(folder.toStdString(), 2, 181, 361);
    gonilux::mainwindow::StartOptions start;
    start.RootPath = root.path();
    start.SettingsFile = root.filePath(QStringLiteral("gonilux.ini"));
    gonilux::mainwindow::TMainWindow window(start);
    window.resize(1000, 700);
    window.show();
    QApplication::processEvents();
    window.openStartPath(folder);
    FolderListView* list = window.fileList();
    int row = list->Tag();
    for (auto _ : state) {
        state.PauseTiming();
        gonilux::TiesData* entry = list->entryAt(row);
        entry->Loaded = false; // read again, as a first selection would
        state.ResumeTiming();
        list->setCurrentRow(row);
        benchmark::DoNotOptimize(window.preview()->PreviewBitmap().constBits());
        row = row == list->Tag() ? list->Tag() + 1 : list->Tag();
    }
    state.counters["preview_px"] = window.preview()->PreviewBitmap().width();
    window.close();
}
BENCHMARK(BM_SelectLargeFile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Nothing may wait for a click: boxes are dropped.
    return gonilux::bench::RunQtBenchmarks<QApplication>(argc, argv, [] {
        gonilux::platform::MessageService::instance()->setRecorder([](const auto&) {});
    });
}
