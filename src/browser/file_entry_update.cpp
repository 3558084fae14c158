// Replacing one file entry of the list after this program wrote the file.
#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "browser/list_widgets.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QStyle>

namespace gonilux::browser {

bool FolderListView::RemoveFileEntry(const QString& fileName) {
    for (int row = tag_; row < count(); ++row) {
        TiesData* entry = entryAt(row);
        if (!entry || EntryPathName(*entry) != fileName) continue;
        SuspendListChange();
        QListWidgetItem* gone = takeItem(row);
        if (lastListItem_ == gone) lastListItem_ = nullptr;
        delete gone;
        std::erase_if(entries_, [entry](const std::unique_ptr<TiesData>& owned) {
            return owned.get() == entry;
        });
        ResumeListChange();
        return true;
    }
    return false;
}

int FolderListView::ReplaceFileEntry(const QString& fileName) {
    SuspendListChange();
    RemoveFileEntry(fileName);
    if (defaultIesIcon_.isNull()) {
        defaultIesIcon_ =
            QFileIconProvider().icon(QFileInfo(currentFolderPathWithSeparator() + fileName));
        if (defaultIesIcon_.isNull()) defaultIesIcon_ = style()->standardIcon(QStyle::SP_FileIcon);
    }
    if (authorMarkIcon_.isNull()) authorMarkIcon_ = MakeAuthorMarkIcon(defaultIesIcon_);
    auto entry = std::make_unique<TiesData>(NewFileEntry(fileName));
    auto* item = new QListWidgetItem(authorMarkIcon_, QString());
    item->setData(EntryRole, QVariant::fromValue(reinterpret_cast<quintptr>(entry.get())));
    TiesData& data = *entry;
    entries_.push_back(std::move(entry));
    addItem(item);
    if (captionChoice_ > 0) LoadIesEntry(count() - 1);
    item->setText(EntryCaption(data, captionChoice_));
    SortFileList();
    ResumeListChange();
    return row(item);
}

} // namespace gonilux::browser
