// The file list's filter: file entries that do not satisfy the query (EntryFilter) are hidden in
// all three views; folder entries always show.
#include "browser/entry_filter.h"
#include "browser/folder_list_view.h"
#include "browser/list_widgets.h"

#include <QTreeView>

namespace gonilux::browser {

void FolderListView::setFilterText(const QString& text) {
    filterText_ = text;
    if (filter_.Text() != filterText_) filter_.SetText(filterText_);
    if (readForFilter()) return; // applied when the files are in
    applyFilter();
}

void FolderListView::applyFilter() {
    if (filterText_.isEmpty() && !filterHides_) return;
    if (filter_.Text() != filterText_) filter_.SetText(filterText_); // a listing may clear it
    bool hides = false;
    for (int row = Tag(); row < count(); ++row) {
        const TiesData* entry = entryAt(row);
        const bool hide =
            entry && !filter_.Accepts(*entry, captionChoice_,
                                      filter_.NeedsFigures() ? entryMetrics(row) : std::nullopt,
                                      filter_.NeedsRatings() ? entryRatings(row) : std::nullopt);
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
