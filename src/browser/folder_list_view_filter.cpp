// The file list's filter: file entries that do not satisfy the query (EntryFilter) are hidden in
// all three views; folder entries always show.
#include "browser/entry_filter.h"
#include "browser/folder_list_view.h"
#include "browser/list_widgets.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTreeView>

namespace gonilux::browser {
namespace {

// Events are let through at most this often while entries are read for the filter.
constexpr int kFilterEventsMs = 30;

} // namespace

void FolderListView::setFilterText(const QString& text) {
    filterText_ = text;
    ++filterPass_;
    if (filterReading_) return; // the running pass sees the new number and starts over
    filterReading_ = true;
    for (;;) {
        const quint64 pass = filterPass_;
        if (!readEntriesForFilter(pass)) return; // the list went away meanwhile
        if (pass == filterPass_) break;
    }
    filterReading_ = false;
    applyFilter();
}

// Reads the entries the filter needs; false when the list was destroyed while events ran.
bool FolderListView::readEntriesForFilter(quint64 pass) {
    if (filter_.Text() != filterText_) filter_.SetText(filterText_);
    std::vector<int> rows;
    for (int row = Tag(); row < count(); ++row) {
        const TiesData* entry = entryAt(row);
        if (entry && filter_.NeedsReading(*entry)) rows.push_back(row);
    }
    if (rows.empty()) return true;
    ShowProgress(ProgressLoading);
    progressGauge()->setMaxValue(static_cast<int>(rows.size()));
    QPointer<FolderListView> alive(this);
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    for (std::size_t i = 0; i < rows.size() && pass == filterPass_; ++i) {
        // Rows are looked at afresh: events may have sorted or refilled the list.
        const TiesData* entry = entryAt(rows[i]);
        if (entry && filter_.NeedsReading(*entry)) LoadIesEntry(rows[i]);
        progressGauge()->setProgress(static_cast<int>(i) + 1);
        if (sinceEvents.elapsed() >= kFilterEventsMs) {
            QCoreApplication::processEvents();
            if (!alive) return false;
            sinceEvents.restart();
        }
    }
    HideProgress();
    return true;
}

void FolderListView::applyFilter() {
    if (filterText_.isEmpty() && !filterHides_) return;
    if (filter_.Text() != filterText_) filter_.SetText(filterText_); // a listing may clear it
    bool hides = false;
    for (int row = Tag(); row < count(); ++row) {
        const TiesData* entry = entryAt(row);
        const bool hide =
            entry && !filter_.Accepts(*entry, captionChoice_,
                                      filter_.NeedsFigures() ? entryMetrics(row) : std::nullopt);
        if (hide != isRowHidden(row)) {
            setRowHidden(row, hide);
            details_->setRowHidden(row, {}, hide);
        }
        hides = hides || hide;
    }
    filterHides_ = hides;
    moveFocusOffHidden();
}

void FolderListView::moveFocusOffHidden() {
    const int current = currentRow();
    SuspendListChange();
    for (const int selected : selectedRows())
        if (isRowHidden(selected) && selected != current) setRowSelected(selected, false);
    ResumeListChange();
    if (current < 0 || !isRowHidden(current)) return;
    int next = -1;
    for (int row = Tag(); row < count() && next < 0; ++row)
        if (!isRowHidden(row)) next = row;
    if (next < 0) {
        // No file shows: the focus goes to the first folder entry, the preview stays.
        SuspendListChange();
        setRowSelected(current, false);
        setCurrentRow(count() > 0 && !isRowHidden(0) ? 0 : -1, QItemSelectionModel::NoUpdate);
        ResumeListChange();
        return;
    }
    const bool selected = isRowSelected(current);
    setCurrentRow(next,
                  selected ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate);
    scrollToRow(next);
}

} // namespace gonilux::browser
