// Paths are bytes: names that are not UTF-8 survive the way through our QStrings, are listed,
// shown with U+FFFD, and reach the file system and file URLs with their real bytes.
#include "platform/folder_namespace.h"
#include "platform/native_names.h"

#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace gonilux::platform {
namespace {

TEST(NativeNamesTest, EveryByteStringComesBackAndShowsWithReplacementCharacters) {
    // Latin-1, GBK, a cut UTF-8 sequence, an encoded surrogate, a four-byte character.
    for (const QByteArray& bytes :
         {QByteArray("Leuchte_\xe4.ies"), QByteArray("\xc5\xb7\xc6\xd5"), QByteArray("a\xe7\x81"),
          QByteArray("\xed\xb0\x80"), QByteArray("灯\xf0\x9f\x92\xa1 x")})
        EXPECT_EQ(NativePath(PathFromNative(bytes)), bytes) << bytes.toHex().constData();
    EXPECT_EQ(DisplayPath(PathFromNative("/t/Leuchte_\xe4.ies")),
              QStringLiteral("/t/Leuchte_\uFFFD.ies"));
    EXPECT_EQ(UrlFromPath(PathFromNative("/t/a b\xe4.ies")).toEncoded(), "file:///t/a%20b%E4.ies");
    EXPECT_EQ(UrlFromPath(QString::fromUtf8("/t/灯.ies")).toEncoded(), "file:///t/%E7%81%AF.ies");
}

TEST(NativeNamesTest, FoldersWithSuchNamesAreListedAndOpenInTheTree) {
    const QTemporaryDir root;
    const QByteArray sub = QFile::encodeName(root.path()) + "/sub_\xe4";
    const std::unique_ptr<const char, int (*)(const char*)> removed(sub.constData(), ::rmdir);
    ASSERT_EQ(::mkdir(sub.constData(), 0700), 0)
        << "the temporary folder's file system refuses names that are not UTF-8, errno " << errno;
    const QString path = PathFromNative(sub);
    EXPECT_EQ(FolderEntryNames(root.path(), EntryKind::Folders),
              QStringList{path.section('/', -1)});

    const QList<FolderItem> children = FolderNamespace(root.path()).children(root.path());
    ASSERT_EQ(children.size(), 1);
    EXPECT_EQ(NativePath(children[0].Path), sub);
    EXPECT_EQ(children[0].Name, QStringLiteral("sub_\uFFFD"));
    EXPECT_TRUE(IsDirectory(path) && PathExists(path) && !IsRegularFile(path) &&
                FolderNamespace::canEnumerate(path) && FolderNamespace::hasSubfolders(root.path()));
    EXPECT_EQ(FolderNamespace::normalizedPath(path + "/x/.."), path);
}

} // namespace
} // namespace gonilux::platform
