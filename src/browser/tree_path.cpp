// The folder tree's selection stored as captions ("Desktop/File System/data/") and reopened.
#include "browser/folder_tree.h"

namespace gonilux::browser {

namespace {
constexpr int kMaxCaption = 255;
}

QString FolderTreeView::GetTreePath() const {
    QString result;
    for (const QTreeWidgetItem* node = currentItem(); node != nullptr; node = node->parent())
        result.prepend(node->text(0).left(kMaxCaption) + QLatin1Char('/'));
    return result;
}

QString FolderTreeView::CutPathComponent(QString& path) {
    const qsizetype slash = path.indexOf(QLatin1Char('/'));
    if (slash < 0) return {};
    QString head = path.left(slash);
    path.remove(0, slash + 1);
    return head;
}

QTreeWidgetItem* FolderTreeView::OpenTreePath(QString path) {
    QTreeWidgetItem* node = rootNode();
    if (node == nullptr) return nullptr;
    CutPathComponent(path); // the root's own caption
    QTreeWidgetItem* last = node;
    restoring_ = true;
    while (node != nullptr) {
        last = node;
        const QString caption = CutPathComponent(path);
        QTreeWidgetItem* next = nullptr;
        if (!caption.isEmpty()) {
            FolderTreeViewExpand(node);
            for (int i = 0; i < node->childCount() && next == nullptr; ++i)
                if (hasRecord(node->child(i)) && node->child(i)->text(0) == caption)
                    next = node->child(i);
            if (next != nullptr) node->setExpanded(true);
        }
        node = next;
    }
    restoring_ = false;
    last = selectAndShow(last);
    if (last != nullptr) scrollToItem(last);
    return last;
}

} // namespace gonilux::browser
