// What the file list tells about its entries besides their captions (the photometric figures
// and the hover text), and listing the shown folder again when the .ldt switch changes.
#include "browser/folder_list_view.h"
#include "browser/metrics_text.h"

#include <QSet>
#include <QVariant>

namespace gonilux::browser {

std::optional<tMetrics> FolderListView::entryMetrics(int row) {
    const TiesData* entry = entryAt(row);
    if (!entry || !entry->Loaded) return std::nullopt;
    QListWidgetItem* owner = item(row);
    const QVariant cached = owner->data(MetricsRole);
    if (cached.isValid()) return cached.value<tMetrics>();
    const tMetrics metrics = ComputeMetrics(entry->Ies);
    owner->setData(MetricsRole, QVariant::fromValue(metrics));
    return metrics;
}

QString FolderListView::entryToolTip(int row) {
    const TiesData* entry = entryAt(row);
    return entry ? EntryToolTipText(*entry, entryMetrics(row)) : QString();
}

void FolderListView::CheckBoxLdtClick(bool checked) {
    if (checked == listLdt_) return;
    listLdt_ = checked;
    if (!hasListing_) return;

    // Entries are known again by the path they stand for.
    const auto pathOf = [this](int row) {
        return isFileEntry(row) ? entryFilePath(row) : folderEntryPath(row);
    };
    const QString currentPath = currentItem() ? pathOf(row(currentItem())) : QString();
    QSet<QString> selectedPaths;
    for (QListWidgetItem* selected : selectedItems())
        selectedPaths.insert(pathOf(row(selected)));

    ShowFolderContents(listing_, true);

    SuspendListChange();
    QListWidgetItem* current = nullptr;
    for (int i = 0; i < count(); ++i) {
        const QString path = pathOf(i);
        if (selectedPaths.contains(path)) item(i)->setSelected(true);
        if (!currentPath.isEmpty() && path == currentPath) current = item(i);
    }
    if (current || count() > 0)
        setCurrentItem(current ? current : item(0), QItemSelectionModel::NoUpdate);
    if (current) scrollToItem(current);
    ResumeListChange();
    // The kept entry is read again and previewed; without one the preview is emptied.
    FolderListViewChange(currentItem());
    if (!lastListItem_) emit previewItem(-1);
}

} // namespace gonilux::browser
