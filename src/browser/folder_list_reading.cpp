// Reading the file list's entries. The file the user picks is read at once (LoadIesEntry); all
// other reading goes to worker threads (EntryReader): the captions of a caption change, the
// thumbnails as they come into sight, the filter's titles and figures, the details view. Entries
// fill in as their records arrive; a caption change and the filter keep the progress panel up
// until their files are in. Problems met on the worker threads never raise a box: the entry's
// badge, hover text and status column tell them, and one note over the list counts them for the
// listing. Only a file the user picks raises its box, once in a run.
#include "browser/entry_reader.h"
#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "browser/list_widgets.h"
#include "browser/metrics_text.h"
#include "photometry/file_io.h"
#include "platform/message_service.h"
#include "platform/native_names.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QScrollBar>
#include <QSet>
#include <QTimer>
#include <QTreeView>
#include <utility>

namespace gonilux::browser {

using platform::MessageService;

namespace {

// True the first time a file's problem is reported in this run: a box does not come back each
// time the file is picked again or the folder is listed again.
bool FirstReportOf(const QString& fullPath) {
    static QSet<QString> reported;
    if (reported.contains(fullPath)) return false;
    reported.insert(fullPath);
    return true;
}

} // namespace

void FolderListView::LoadIesEntry(int row) {
    const TiesData* entry = entryAt(row);
    if (!entry) return;
    const QString fullPath = entryFilePath(row);
    if (!platform::PathExists(fullPath)) return;

    // Read into a copy so that a file that cannot be read leaves the entry as it was.
    TiesData attempt;
    attempt.Lines = entry->Lines;
    gonilux::LoadIesEntry(attempt, platform::NativePath(fullPath).toStdString());
    storeAttempt(row, std::move(attempt), std::nullopt, std::nullopt);
    reportProblem(row);
}

// A read file replaces the entry's record (and the figures and ratings of the previous read),
// caption and icon; a file that could not be read leaves the entry unread with the reason.
void FolderListView::storeAttempt(int row, TiesData&& attempt,
                                  const std::optional<tMetrics>& figures,
                                  const std::optional<tRatings>& ratings) {
    if (!attempt.Loaded) {
        model_->storeDiagnostics(row, attempt.Diagnostics);
        return;
    }
    model_->storeRead(row, std::move(attempt), figures, ratings);
    model_->setCaption(row, EntryCaption(*entryAt(row), captionChoice_));
    refreshEntryIcon(row);
}

// Whether the entry shows a problem of a file that is still there (a file gone meanwhile is
// no error).
bool FolderListView::hasReadProblem(int row) const {
    const TiesData* entry = entryAt(row);
    return entry && ShowsErrorBadge(*entry) && platform::PathExists(entryFilePath(row));
}

// The box of a picked file's problem, once in a run. Boxes run events: the entry is stored
// before.
void FolderListView::reportProblem(int row) {
    if (!hasReadProblem(row)) return;
    const QString fullPath = entryFilePath(row);
    if (!FirstReportOf(fullPath)) return;
    const TiesData& entry = *entryAt(row);
    if (entry.Diagnostics.OpenFailed) {
        MessageService::instance()->show(
            QStringLiteral("Gonilux"),
            tr("无法读取文件\r%1\r%2")
                .arg(QDir::toNativeSeparators(platform::DisplayPath(fullPath)),
                     QString::fromStdString(entry.Diagnostics.OpenError)),
            MessageService::Icon::Error);
        return;
    }
    // The header's line, or the values missing at the end as the status column words them.
    const ReadDiagnostics& d = entry.Diagnostics;
    const QString what =
        d.HeaderError ? tr("第 %1 行").arg(d.HeaderErrorLine) : HeaderErrorText(entry);
    MessageService::instance()->show(tr("错误！"),
                                     what + QLatin1Char('\r') +
                                         platform::DisplayPath(QFileInfo(fullPath).fileName()),
                                     MessageService::Icon::Error);
}

// The note over the list that counts this listing's files read on worker threads with a problem.
void FolderListView::showProblemNote() {
    if (readProblems_ == 0) {
        problemNote_->hide();
        return;
    }
    problemNote_->setText(
        tr("%n 个文件无法读取或已损坏，详见状态列或悬停提示", nullptr, readProblems_));
    placeProblemNote();
    problemNote_->show();
    problemNote_->raise();
}

// Along the bottom of the shown view, above its horizontal scroll bar.
void FolderListView::placeProblemNote() {
    const int margin = 4;
    const QScrollBar* bar =
        (details_->isVisible() ? static_cast<QAbstractScrollArea*>(details_) : this)
            ->horizontalScrollBar();
    const int below = margin + (bar->isVisible() ? bar->height() : 0);
    const int height = problemNote_->sizeHint().height();
    problemNote_->setGeometry(margin, this->height() - height - below,
                              std::max(1, width() - 2 * margin), height);
}

// ---- Worker threads ----

bool FolderListView::entriesReading() const {
    return reader_->IsReading() || paintReadsScheduled_ || panelWaiting_ > 0;
}

void FolderListView::cancelReading() {
    ++readGeneration_;
    reader_->Cancel();
    reading_.clear();
    queued_.clear();
    paintReads_.clear();
    panelTotal_ = panelWaiting_ = 0;
    captionPass_ = filterWaiting_ = false;
    captionRemembered_ = captionParked_ = QPersistentModelIndex();
    readProblems_ = 0; // another listing: its own note
    problemNote_->hide();
}

// Queues the files of these rows that are neither read nor tried in this listing; a row queued
// already takes on the purposes. Returns the reader's numbers of the rows.
QList<int> FolderListView::requestReads(const std::vector<int>& rows, int purposes) {
    QStringList paths;
    QList<int> numbers;
    for (const int row : rows) {
        const TiesData* entry = entryAt(row);
        if (!entry || entry->Loaded || entry->Diagnostics.OpenFailed) continue;
        const QString path = entryFilePath(row);
        auto known = queued_.constFind(path);
        if (known == queued_.cend()) {
            known = queued_.insert(path, static_cast<int>(reading_.size()));
            reading_.push_back({QPersistentModelIndex(model_->index(row, 0)), 0, false});
            paths.append(path);
        }
        PendingRead& pending = reading_[static_cast<std::size_t>(known.value())];
        if (pending.Delivered) continue;
        if ((purposes & ReadForPanel) && !(pending.Purposes & ReadForPanel)) {
            ++panelTotal_;
            ++panelWaiting_;
        }
        pending.Purposes |= purposes;
        numbers.append(known.value());
    }
    if (!paths.isEmpty()) reader_->Add(readGeneration_, paths);
    return numbers;
}

void FolderListView::storeReads(quint64 generation, const QList<EntryRead>& reads) {
    if (generation != readGeneration_) return;
    const int problemsBefore = readProblems_;
    for (const EntryRead& read : reads) {
        if (read.Index < 0 || read.Index >= static_cast<int>(reading_.size())) continue;
        PendingRead& pending = reading_[static_cast<std::size_t>(read.Index)];
        if (pending.Delivered) continue;
        pending.Delivered = true;
        if (pending.Purposes & ReadForPanel) --panelWaiting_;
        if (storeRead(pending.Row.row(), read) && hasReadProblem(pending.Row.row()))
            ++readProblems_;
    }
    if (panelTotal_ > 0) progressGauge()->setProgress(panelTotal_ - panelWaiting_);
    if (readProblems_ != problemsBefore) showProblemNote(); // back after a click only if more
    if (panelTotal_ > 0 && panelWaiting_ == 0) finishPanelReading();
}

// True when the read was stored (the entry was not read meanwhile).
bool FolderListView::storeRead(int row, const EntryRead& read) {
    model_->setFileSize(row, read.Size);
    const TiesData* entry = entryAt(row);
    if (!entry || entry->Loaded || !read.Entry) return false;
    storeAttempt(row, std::move(*read.Entry), read.Metrics, read.Ratings); // with figures
    return true;
}

void FolderListView::onReadingFinished(quint64 generation) {
    const QHeaderView* header = details_->header();
    if (generation == readGeneration_ && (viewStyle_ == ViewStyle::Details || showsFound_) &&
        header->sortIndicatorSection() >= 0)
        model_->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
}

// Shows the panel of a reading that waits for its files (a caption change, the filter).
void FolderListView::showReadingPanel(int mode) {
    panelMode_ = mode;
    ShowProgress(mode);
    if (mode == ProgressScanning) return; // a caption, no gauge
    progressGauge()->setMaxValue(panelTotal_);
    progressGauge()->setProgress(panelTotal_ - panelWaiting_);
}

void FolderListView::endProgress() {
    if (panelWaiting_ > 0)
        showReadingPanel(panelMode_);
    else
        HideProgress();
}

void FolderListView::finishPanelReading() {
    panelTotal_ = 0;
    HideProgress();
    if (std::exchange(captionPass_, false)) finishCaptions();
    if (std::exchange(filterWaiting_, false)) applyFilter();
}

// ---- What asks for reading ----

// Reads every unread file entry; the rows follow their entries while the list is sorted
// meanwhile. The sizes of read files are looked at here, the others' by the readers.
void FolderListView::readForDetails() {
    if (viewStyle_ != ViewStyle::Details && !showsFound_) return;
    std::vector<int> rows;
    for (int row = Tag(); row < count(); ++row) {
        const TiesData* entry = entryAt(row);
        if (entry && entry->Loaded) model_->setFileSize(row, QFileInfo(entryFilePath(row)).size());
        rows.push_back(row);
    }
    requestReads(rows, ReadInBackground);
}

void FolderListView::readWhenPainted(int row) {
    const TiesData* entry = entryAt(row);
    if (!entry || entry->Loaded || entry->Diagnostics.OpenFailed) return;
    paintReads_.emplace_back(model_->index(row, 0));
    if (paintReadsScheduled_) return;
    paintReadsScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        paintReadsScheduled_ = false;
        std::vector<int> rows;
        for (const QPersistentModelIndex& index : std::exchange(paintReads_, {}))
            if (index.isValid()) rows.push_back(index.row());
        const QList<int> numbers = requestReads(rows, ReadInBackground);
        if (!numbers.isEmpty()) reader_->Prefer(numbers); // the ones in sight first
    });
}

// The captions are all known: the list is measured, sorted and filtered again, and the entry
// that was current before the change is current again unless the user moved on meanwhile.
void FolderListView::finishCaptions() {
    measureCaptions();
    if (sort_) SortFileList();
    endProgress();
    const QPersistentModelIndex remembered = std::exchange(captionRemembered_, {});
    const QPersistentModelIndex parked = std::exchange(captionParked_, {});
    if (!remembered.isValid() || (parked.isValid() && currentIndex() != parked)) return;
    SuspendListChange();
    selectionModel()->setCurrentIndex(remembered, QItemSelectionModel::NoUpdate);
    scrollTo(remembered, QAbstractItemView::EnsureVisible);
    ResumeListChange();
}

// Reads what the caption choice needs; the captions are finished when the files are in.
void FolderListView::readForCaptions() {
    if (captionChoice_ > 0) {
        std::vector<int> rows;
        for (int row = Tag(); row < count(); ++row)
            rows.push_back(row);
        requestReads(rows, ReadForPanel);
    }
    if (panelWaiting_ == 0) {
        finishCaptions();
        return;
    }
    captionPass_ = true;
    if (panelMode_ != ProgressScanning) progressGauge()->setMaxValue(panelTotal_); // no gauge
}

// Reads what the filter needs first; until then it hides nothing new.
bool FolderListView::readForFilter() {
    std::vector<int> rows;
    for (int row = Tag(); row < count(); ++row) {
        const TiesData* entry = entryAt(row);
        if (entry && filter_.NeedsReading(*entry)) rows.push_back(row);
    }
    if (rows.empty()) return false; // the names tell, or everything needed is in
    requestReads(rows, ReadForPanel);
    if (panelWaiting_ == 0) return false;
    if (!filterWaiting_ && !captionPass_)
        showReadingPanel(ProgressLoading);
    else
        progressGauge()->setMaxValue(panelTotal_);
    filterWaiting_ = true;
    return true;
}

} // namespace gonilux::browser
