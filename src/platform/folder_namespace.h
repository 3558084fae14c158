// The folder namespace shown by the folder tree: a root folder (the user's desktop, or a folder
// given on the command line) whose first children are the home folder, the file-system root and
// the mounted volumes, followed by the root's own subfolders. Every node is named by its absolute
// path with '/' separators (its parsing name) and shown under its display name.
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QList>
#include <QString>

namespace gonilux::platform {

struct FolderItem {
    QString Path; // parsing name: absolute, '/' separated, no trailing '/' except for the root
    QString Name; // display name
};

class FolderNamespace {
  public:
    // The desktop namespace: rooted at the desktop folder, or the home folder when there is none.
    FolderNamespace();
    // A namespace rooted at `root` holding only the root's own subfolders. An empty root gives the
    // desktop namespace.
    explicit FolderNamespace(const QString& root);

    const QString& rootPath() const { return root_; }
    bool isExplicitRoot() const { return explicitRoot_; }

    // Subfolders of `path` (hidden ones included) in file-manager order; for the root of the
    // desktop namespace the home folder, the file-system root and the volumes come first. No path
    // is returned twice, and the root itself never appears among its own children.
    QList<FolderItem> children(const QString& path) const;
    // The folder has at least one subfolder; stops looking at the first one.
    static bool hasSubfolders(const QString& path);
    // The folder exists and can be opened for listing.
    static bool canEnumerate(const QString& path);

    QString displayName(const QString& path) const;
    QIcon icon(const QString& path) const;

    // Absolute, '/' separated, cleaned; symbolic links are kept as they are.
    static QString normalizedPath(const QString& path);
    // `path` equals `ancestor` or lies below it (both normalized).
    static bool isWithin(const QString& path, const QString& ancestor);
    static QString desktopPath();
    // Mount points of ready, real volumes (no kernel or memory file systems, no snap images),
    // each once, in the order the system reports them.
    static QStringList volumePaths();
    static bool isPseudoVolume(const QByteArray& fileSystemType, const QString& mountPoint);
    // Subfolder paths of `path` in natural, case-insensitive order (hidden included).
    static QStringList subfolderPaths(const QString& path);
    // Natural order of folder names: case-insensitive, digit runs compared as numbers.
    static void sortNatural(QStringList& names);

  private:
    QList<FolderItem> specialChildren() const;

    QString root_;
    bool explicitRoot_ = false;
};

} // namespace gonilux::platform
