// What the file list tells about its entries besides their captions (the photometric figures
// and the hover text), its rows' focus and selection, and listing the shown folder again when
// the .ldt switch changes.
#include "browser/folder_list_view.h"

#include <QSet>
#include <QVariant>

namespace gonilux::browser {

// ---- Rows, focus and selection ----

void FolderListView::setCurrentRow(int row) {
    // As a click: the row becomes the current part of an extended selection.
    setCurrentRow(row, selectionMode() == NoSelection       ? QItemSelectionModel::NoUpdate
                       : selectionMode() == SingleSelection ? QItemSelectionModel::ClearAndSelect
                                                            : QItemSelectionModel::SelectCurrent);
}

void FolderListView::setCurrentRow(int row, QItemSelectionModel::SelectionFlags command) {
    selectionModel()->setCurrentIndex(indexOfRow(row), command);
}

QList<int> FolderListView::selectedRows() const {
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        if (index.column() == 0) rows.append(index.row());
    return rows;
}

bool FolderListView::isRowSelected(int row) const {
    return selectionModel()->isSelected(indexOfRow(row));
}

void FolderListView::setRowSelected(int row, bool selected) {
    const QModelIndex index = indexOfRow(row);
    if (index.isValid())
        selectionModel()->select(index, selected ? QItemSelectionModel::Select
                                                 : QItemSelectionModel::Deselect);
}

void FolderListView::scrollToRow(int row, ScrollHint hint) {
    const QModelIndex index = indexOfRow(row);
    if (index.isValid()) scrollTo(index, hint);
}

// ---- Figures, hover text and the .ldt switch ----

std::optional<tMetrics> FolderListView::entryMetrics(int row) {
    return model_->metrics(row);
}

std::optional<tRatings> FolderListView::entryRatings(int row) {
    return model_->ratings(row);
}

QString FolderListView::entryToolTip(int row) {
    return model_->data(indexOfRow(row), Qt::ToolTipRole).toString();
}

void FolderListView::CheckBoxLdtClick(bool checked) {
    if (checked == listLdt_) return;
    listLdt_ = checked;
    if (!hasListing_) return;

    // Entries are known again by the path they stand for.
    const auto pathOf = [this](int row) {
        return isFileEntry(row) ? entryFilePath(row) : folderEntryPath(row);
    };
    const QString currentPath = currentRow() >= 0 ? pathOf(currentRow()) : QString();
    QSet<QString> selectedPaths;
    for (const int selected : selectedRows())
        selectedPaths.insert(pathOf(selected));

    ShowFolderContents(listing_, true);

    SuspendListChange();
    int current = -1;
    for (int i = 0; i < count(); ++i) {
        const QString path = pathOf(i);
        if (selectedPaths.contains(path)) setRowSelected(i, true);
        if (!currentPath.isEmpty() && path == currentPath) current = i;
    }
    if (current >= 0 || count() > 0)
        setCurrentRow(current >= 0 ? current : 0, QItemSelectionModel::NoUpdate);
    if (current >= 0) scrollToRow(current);
    ResumeListChange();
    // The kept entry is read again and previewed; without one the preview is emptied.
    FolderListViewChange(currentRow());
    if (!lastListItem_.isValid()) emit previewItem(-1);
}

} // namespace gonilux::browser
