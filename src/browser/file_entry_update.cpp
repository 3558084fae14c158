// Replacing one file entry of the list after this program wrote the file.
#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "browser/list_widgets.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QStyle>

namespace gonilux::browser {

bool FolderListView::RemoveFileEntry(const QString& fileName) {
    for (int row = Tag(); row < count(); ++row) {
        const TiesData* entry = entryAt(row);
        if (!entry || EntryPathName(*entry) != fileName) continue;
        SuspendListChange();
        model_->removeEntry(row); // the last handled entry's index goes with it
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
    const int row = model_->appendFile(std::make_unique<TiesData>(NewFileEntry(fileName)),
                                       authorMarkIcon_, QString());
    const QPersistentModelIndex added(indexOfRow(row));
    if (captionChoice_ > 0) LoadIesEntry(row);
    model_->setCaption(row, EntryCaption(*entryAt(row), captionChoice_));
    SortFileList();
    ResumeListChange();
    return added.row();
}

} // namespace gonilux::browser
