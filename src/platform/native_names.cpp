#include "platform/native_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringView>

#if defined(Q_OS_UNIX)
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace gonilux::platform {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;
constexpr QChar kReplacement(0xFFFD);

// Length of the well-formed UTF-8 sequence starting at s[i]; 0 when none starts there
// (overlong forms, surrogates and code points past U+10FFFF are not well formed).
int SequenceLength(const unsigned char* s, qsizetype n, qsizetype i) {
    const unsigned char b = s[i];
    if (b < 0x80) return 1;
    int length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (n - i < length || s[i + 1] < low || s[i + 1] > high) return 0;
    for (int k = 2; k < length; ++k)
        if ((s[i + k] & 0xC0) != 0x80) return 0;
    return length;
}

// An escaped byte: a low surrogate of the escape range that does not end a surrogate pair.
bool IsEscapeAt(QStringView path, qsizetype i) {
    const char16_t c = path[i].unicode();
    if (c < kEscapeBase + 0x80 || c > kEscapeBase + 0xFF) return false;
    return i == 0 || !path[i - 1].isHighSurrogate();
}

#if defined(Q_OS_UNIX)
bool StatPath(const QString& path, struct stat& status) {
    return !path.isEmpty() && ::stat(NativePath(path).constData(), &status) == 0;
}

bool IsFolderEntry(const QByteArray& path, unsigned char type) {
    if (type == DT_DIR) return true;
    if (type != DT_LNK && type != DT_UNKNOWN) return false;
    struct stat status {};
    return ::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}
#endif

} // namespace

QString PathFromNative(const QByteArray& bytes) {
#if defined(Q_OS_UNIX)
    QString path;
    path.reserve(bytes.size());
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype run = 0; // start of the current well-formed run
    for (qsizetype i = 0; i < n;) {
        const int length = SequenceLength(s, n, i);
        if (length > 0) {
            i += length;
            continue;
        }
        path += QString::fromUtf8(bytes.constData() + run, i - run);
        path += QChar(char16_t(kEscapeBase + s[i]));
        run = ++i;
    }
    return path + QString::fromUtf8(bytes.constData() + run, n - run);
#else
    return QFile::decodeName(bytes);
#endif
}

QByteArray NativePath(const QString& path) {
#if defined(Q_OS_UNIX)
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype run = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!IsEscapeAt(path, i)) continue;
        bytes += QStringView(path).sliced(run, i - run).toUtf8();
        bytes += char(path[i].unicode() - kEscapeBase);
        run = i + 1;
    }
    return bytes + QStringView(path).sliced(run).toUtf8();
#else
    return QFile::encodeName(path);
#endif
}

QString DisplayPath(const QString& path) {
    QString shown = path;
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (IsEscapeAt(path, i)) shown[i] = kReplacement;
    return shown;
}

QUrl UrlFromPath(const QString& path) {
    const QByteArray bytes = NativePath(path);
    if (bytes == path.toUtf8()) return QUrl::fromLocalFile(path);
    return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"));
}

#if defined(Q_OS_UNIX)
bool PathExists(const QString& path) {
    struct stat status {};
    return StatPath(path, status);
}

bool IsDirectory(const QString& path) {
    struct stat status {};
    return StatPath(path, status) && S_ISDIR(status.st_mode);
}

bool IsRegularFile(const QString& path) {
    struct stat status {};
    return StatPath(path, status) && S_ISREG(status.st_mode);
}

QStringList FolderEntryNames(const QString& folder, EntryKind kind, qsizetype limit) {
    QStringList names;
    const QByteArray base = NativePath(folder);
    DIR* dir = base.isEmpty() ? nullptr : ::opendir(base.constData());
    if (!dir) return names;
    const QByteArray prefix = base.endsWith('/') ? base : base + '/';
    const bool folders = kind == EntryKind::Folders;
    const dirent* entry = nullptr;
    while ((limit <= 0 || names.size() < limit) && (entry = ::readdir(dir)) != nullptr) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..") continue;
        if (IsFolderEntry(prefix + name, entry->d_type) == folders)
            names.append(PathFromNative(name));
    }
    ::closedir(dir);
    return names;
}
#else
bool PathExists(const QString& path) {
    return QFileInfo::exists(path);
}

bool IsDirectory(const QString& path) {
    return QFileInfo(path).isDir();
}

bool IsRegularFile(const QString& path) {
    return QFileInfo(path).isFile();
}

QStringList FolderEntryNames(const QString& folder, EntryKind kind, qsizetype limit) {
    if (folder.isEmpty()) return {};
    const QDir::Filters filter = kind == EntryKind::Folders
                                     ? QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden
                                     : QDir::Files | QDir::Hidden | QDir::System;
    QStringList names = QDir(folder).entryList(filter, QDir::NoSort);
    if (limit > 0 && names.size() > limit) names.resize(limit);
    return names;
}
#endif

} // namespace gonilux::platform
