// What the file list needs to know of a folder-tree node to list it.
#pragma once

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

} // namespace gonilux::browser
