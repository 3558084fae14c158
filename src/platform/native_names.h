// File names are bytes. Qt reads them as UTF-8 and skips (when listing) or garbles (when decoding)
// the names that are not, so a Latin-1 or GBK name would be lost. Our paths stay QStrings that
// carry every byte: valid UTF-8 as its text, any other byte b as the lone surrogate U+DC00 + b.
// Such a path must reach the file system through NativePath (or the helpers here), never
// through QFile, QFileInfo or QDir, and is shown through DisplayPath.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace gonilux::platform {

// The path of a name or path as the system gives it, every byte kept.
QString PathFromNative(const QByteArray& bytes);
// The system's bytes of a path made by PathFromNative (any other text goes as UTF-8).
QByteArray NativePath(const QString& path);
// The path for showing: each byte that is not UTF-8 reads as U+FFFD.
QString DisplayPath(const QString& path);
// A file URL holding the path's real bytes, percent-encoded.
QUrl UrlFromPath(const QString& path);

// Following symbolic links, as QFileInfo does.
bool PathExists(const QString& path);
bool IsDirectory(const QString& path);
bool IsRegularFile(const QString& path);

// The names in a folder in the order the system gives them, hidden ones included, "." and ".."
// left out: its folders (links to folders too), or everything else (files, pipes, devices and
// broken links). Empty when the folder cannot be read. A positive `limit` stops the reading
// after that many names.
enum class EntryKind { Folders, NonFolders };
QStringList FolderEntryNames(const QString& folder, EntryKind kind, qsizetype limit = 0);

} // namespace gonilux::platform
