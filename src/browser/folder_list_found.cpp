// The file list as a flat list of found files: the matches of a search through the shown
// folder's subtree, each entry in its own folder.
#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "platform/native_names.h"

#include <QDir>
#include <QHeaderView>
#include <QStyle>
#include <QTreeView>

namespace gonilux::browser {

void FolderListView::ShowFoundFiles(const QStringList& paths) {
    listBusy_ = true;
    beginItemsUpdate();
    SuspendListChange();
    ClearFileList();
    showFolderColumn(true);
    const QString root = currentFolderPathWithSeparator();
    if (defaultIesIcon_.isNull()) defaultIesIcon_ = style()->standardIcon(QStyle::SP_FileIcon);
    for (const QString& path : paths) {
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        const QString folder = path.left(slash + 1);
        QString shown =
            !root.isEmpty() && folder.startsWith(root) ? folder.mid(root.size()) : folder;
        if (shown.size() > 1 && shown.endsWith(QLatin1Char('/'))) shown.chop(1);
        const int row = model_->appendFile(
            std::make_unique<TiesData>(NewFileEntry(path.mid(slash + 1))), defaultIesIcon_, {});
        model_->setEntryFolder(row, folder, QDir::toNativeSeparators(platform::DisplayPath(shown)));
        model_->setCaption(row, EntryCaption(*entryAt(row), captionChoice_));
    }
    if (sort_) SortFileList();
    readForDetails();
    listBusy_ = false;
    ResumeListChange();
    endItemsUpdate();
    viewport()->update();
}

void FolderListView::activateFoundFile(int row) {
    if (showsFound_ && isFileEntry(row)) emit foundFileActivated(entryFilePath(row));
}

// The folder column shows only while the list holds found files.
void FolderListView::showFolderColumn(bool shown) {
    showsFound_ = shown;
    const int folder = static_cast<int>(DetailsColumn::Folder);
    QHeaderView* header = details_->header();
    if (shown == !header->isSectionHidden(folder)) return;
    if (!shown) hiddenWidths_[static_cast<std::size_t>(folder)] = header->sectionSize(folder);
    header->setSectionHidden(folder, !shown);
    if (shown) header->resizeSection(folder, hiddenWidths_[static_cast<std::size_t>(folder)]);
}

} // namespace gonilux::browser
