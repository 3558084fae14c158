// What the file list tells about its entries besides their captions (the photometric figures
// and the hover text), and listing the shown folder again when the .ldt switch changes.
#include "browser/folder_list_view.h"
#include "browser/metrics_text.h"

#include <QSet>
#include <QVariant>

namespace gonilux::browser {

std::optional<tMetrics> FolderListView::entryMetrics(int row) {
    return model_->metrics(row);
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
