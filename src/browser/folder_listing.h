// What the file list needs to know of a folder-tree node to list it.
#pragma once

#include "platform/native_names.h"

#include <QIcon>
#include <QList>
#include <QString>

namespace gonilux::browser {

struct FolderChild {
    QString Name; // the tree node's text (display name)
    QString Path; // its parsing name (absolute path)
    QIcon Icon;
};

struct FolderListing {
    QString Path;     // parsing name of the folder; empty when it is not a file-system folder
    QString NodeText; // the node's text, used by the up entry's caption
    QIcon NodeIcon;
    bool HasParent = false;      // the node is not the tree's root
    bool Browsable = true;       // a real folder whose files can be listed
    QList<FolderChild> Children; // the node's child nodes in tree order (no placeholders)
};

// A folder of the tree that is no longer there (removed, or a file in its place). Its node can
// still be selected: the list then shows nothing and says why.
inline bool FolderVanished(const QString& path) {
    return !path.isEmpty() && !platform::IsDirectory(path); // names that are not UTF-8 too
}

} // namespace gonilux::browser
