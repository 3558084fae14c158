#include "platform/folder_namespace.h"

#include "platform/native_names.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QStandardPaths>
#include <QStorageInfo>
#include <algorithm>

#if defined(Q_OS_UNIX)
#include <dirent.h>
#endif

namespace gonilux::platform {

namespace {

bool isFileSystemRoot(const QString& path) {
    return QDir(path).isRoot();
}

QFileIconProvider& iconProvider() {
    static QFileIconProvider provider;
    return provider;
}

bool startsWithFolder(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + u'/');
}

} // namespace

FolderNamespace::FolderNamespace() : root_(desktopPath()) {}

FolderNamespace::FolderNamespace(const QString& root) {
    if (root.isEmpty()) {
        root_ = desktopPath();
    } else {
        root_ = normalizedPath(root);
        explicitRoot_ = true;
    }
}

QString FolderNamespace::normalizedPath(const QString& path) {
    if (path.isEmpty()) return {};
    // QDir::absolutePath would garble a name that is not UTF-8: only text is joined here.
    const QString given = QDir::fromNativeSeparators(path);
    return QDir::cleanPath(QDir::isAbsolutePath(given) ? given
                                                       : QDir::currentPath() + u'/' + given);
}

bool FolderNamespace::isWithin(const QString& path, const QString& ancestor) {
    if (isFileSystemRoot(ancestor)) return path.startsWith(ancestor);
    return startsWithFolder(path, ancestor);
}

QString FolderNamespace::desktopPath() {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QFileInfo(desktop).isDir()) return normalizedPath(desktop);
    return normalizedPath(QDir::homePath());
}

bool FolderNamespace::isPseudoVolume(const QByteArray& fileSystemType, const QString& mountPoint) {
    static const QSet<QByteArray> pseudoTypes = {
        "autofs",   "binfmt_misc", "bpf",      "cgroup",  "cgroup2",    "configfs",   "debugfs",
        "devpts",   "devtmpfs",    "efivarfs", "fusectl", "hugetlbfs",  "mqueue",     "nsfs",
        "overlay",  "proc",        "pstore",   "ramfs",   "rpc_pipefs", "securityfs", "selinuxfs",
        "squashfs", "sysfs",       "tmpfs",    "tracefs", "nfsd"};
    if (pseudoTypes.contains(fileSystemType.toLower())) return true;
    static const QStringList systemFolders = {QStringLiteral("/proc"),
                                              QStringLiteral("/sys"),
                                              QStringLiteral("/dev"),
                                              QStringLiteral("/snap"),
                                              QStringLiteral("/var/snap"),
                                              QStringLiteral("/boot"),
                                              QStringLiteral("/var/lib/docker"),
                                              QStringLiteral("/var/lib/containers")};
    for (const QString& folder : systemFolders)
        if (startsWithFolder(mountPoint, folder)) return true;
    // /run holds runtime state; only removable media mounted below /run/media count.
    return startsWithFolder(mountPoint, QStringLiteral("/run")) &&
           !startsWithFolder(mountPoint, QStringLiteral("/run/media"));
}

QStringList FolderNamespace::volumePaths() {
    QStringList paths;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        const QString path = normalizedPath(volume.rootPath());
        if (path.isEmpty() || paths.contains(path)) continue;
        if (isPseudoVolume(volume.fileSystemType(), path)) continue;
        if (!QFileInfo(path).isDir()) continue; // bind-mounted single files
        paths.append(path);
    }
    return paths;
}

void FolderNamespace::sortNatural(QStringList& names) {
    // The C locale compares code units only; numbers then need a real collation.
    const QLocale system = QLocale::system();
    QCollator collator(system.language() == QLocale::C ? QLocale(QLocale::English) : system);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b; // equal under the collator: keep a fixed order
    });
}

QStringList FolderNamespace::subfolderPaths(const QString& path) {
    QStringList names = FolderEntryNames(path, EntryKind::Folders);
    sortNatural(names);
    QStringList paths;
    paths.reserve(names.size());
    const QString base = isFileSystemRoot(path) ? path : path + u'/';
    for (const QString& name : names)
        paths.append(base + name);
    return paths;
}

QList<FolderItem> FolderNamespace::specialChildren() const {
    QStringList candidates = {normalizedPath(QDir::homePath()), normalizedPath(QDir::rootPath())};
    candidates += volumePaths();
    QList<FolderItem> items;
    QSet<QString> seen = {root_};
    for (const QString& path : candidates) {
        if (seen.contains(path) || !QFileInfo(path).isDir()) continue;
        seen.insert(path);
        items.append({path, displayName(path)});
    }
    return items;
}

QList<FolderItem> FolderNamespace::children(const QString& path) const {
    const QString folder = normalizedPath(path);
    QList<FolderItem> items;
    if (folder == root_ && !explicitRoot_) items = specialChildren();
    QSet<QString> seen = {folder};
    for (const FolderItem& item : items)
        seen.insert(item.Path);
    for (const QString& child : subfolderPaths(folder)) {
        if (seen.contains(child)) continue;
        seen.insert(child);
        items.append({child, displayName(child)});
    }
    return items;
}

bool FolderNamespace::hasSubfolders(const QString& path) {
    return !FolderEntryNames(path, EntryKind::Folders, 1).isEmpty();
}

bool FolderNamespace::canEnumerate(const QString& path) {
    if (path.isEmpty() || !IsDirectory(path)) return false;
#if defined(Q_OS_UNIX)
    DIR* dir = ::opendir(NativePath(path).constData());
    if (dir == nullptr) return false;
    ::closedir(dir);
#else
    if (!QDir(path).isReadable()) return false;
#endif
    return true;
}

QString FolderNamespace::displayName(const QString& path) const {
    const QString folder = normalizedPath(path);
    if (folder == QStringLiteral("/"))
        return QCoreApplication::translate("FolderNamespace", "File System");
    if (isFileSystemRoot(folder)) return folder.chopped(1); // a drive: "C:"
    const QString name = DisplayPath(QFileInfo(folder).fileName());
    return name.isEmpty() ? DisplayPath(folder) : name;
}

QIcon FolderNamespace::icon(const QString& path) const {
    const QString folder = normalizedPath(path);
    if (folder == root_ && !explicitRoot_) return iconProvider().icon(QFileIconProvider::Desktop);
    if (isFileSystemRoot(folder)) return iconProvider().icon(QFileIconProvider::Drive);
    return iconProvider().icon(QFileInfo(folder));
}

} // namespace gonilux::platform
