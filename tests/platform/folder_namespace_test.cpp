#include "platform/folder_namespace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace gonilux::platform {
namespace {

void makeDirs(const QString& root, const QStringList& relative) {
    for (const QString& path : relative)
        ASSERT_TRUE(QDir(root).mkpath(path)) << path.toStdString();
}

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

QStringList namesOf(const QList<FolderItem>& items) {
    QStringList names;
    for (const FolderItem& item : items)
        names.append(item.Name);
    return names;
}

TEST(FolderNamespaceTest, ExplicitRootListsOnlyItsSubfoldersInNaturalOrder) {
    QTemporaryDir dir;
    const QString root = dir.path();
    makeDirs(root, {"f10", "F2", "f1", "beta", "Alpha", ".hidden"});
    touch(root + "/plain.ies");
    ASSERT_TRUE(QFile::link(root + "/beta", root + "/link"));
    ASSERT_TRUE(QFile::link(root + "/plain.ies", root + "/filelink"));

    const FolderNamespace ns(root + "/");
    EXPECT_TRUE(ns.isExplicitRoot());
    EXPECT_EQ(ns.rootPath(), QDir::cleanPath(root));
    const QList<FolderItem> children = ns.children(root);
    EXPECT_EQ(namesOf(children),
              (QStringList{".hidden", "Alpha", "beta", "f1", "F2", "f10", "link"}));
    for (const FolderItem& item : children)
        EXPECT_EQ(item.Path, ns.rootPath() + "/" + item.Name);
    EXPECT_TRUE(ns.children(root + "/missing").isEmpty());
}

TEST(FolderNamespaceTest, NaturalSortIgnoresCaseAndComparesNumbers) {
    struct Case {
        QStringList input;
        QStringList sorted;
    };
    const Case cases[] = {
        {{"f10", "F2", "f1"}, {"f1", "F2", "f10"}},
        {{"b", "A", "a2", "a10"}, {"A", "a2", "a10", "b"}},
        {{"Lamp 100", "lamp 20", "Lamp 3"}, {"Lamp 3", "lamp 20", "Lamp 100"}},
    };
    for (const Case& c : cases) {
        QStringList names = c.input;
        FolderNamespace::sortNatural(names);
        EXPECT_EQ(names, c.sorted) << c.input.join(',').toStdString();
    }
}

TEST(FolderNamespaceTest, HasSubfoldersStopsAtFolders) {
    QTemporaryDir dir;
    const QString root = dir.path();
    makeDirs(root, {"empty", "files", "nested/sub", "secret/.inner"});
    touch(root + "/files/a.ies");
    touch(root + "/files/.b");
    struct Case {
        const char* folder;
        bool expected;
    };
    for (const Case c : {Case{"empty", false}, Case{"files", false}, Case{"nested", true},
                         Case{"secret", true}, Case{"missing", false}})
        EXPECT_EQ(FolderNamespace::hasSubfolders(root + "/" + c.folder), c.expected) << c.folder;
}

TEST(FolderNamespaceTest, CanEnumerateOnlyListableFolders) {
    QTemporaryDir dir;
    const QString root = dir.path();
    makeDirs(root, {"open", "gone", "locked"});
    touch(root + "/file.ies");
    ASSERT_TRUE(QDir(root + "/gone").removeRecursively());

    EXPECT_TRUE(FolderNamespace::canEnumerate(root + "/open"));
    EXPECT_FALSE(FolderNamespace::canEnumerate(root + "/gone"));
    EXPECT_FALSE(FolderNamespace::canEnumerate(root + "/file.ies"));
    EXPECT_FALSE(FolderNamespace::canEnumerate(QString()));
    if (geteuid() != 0) { // the superuser reads any folder
        ASSERT_TRUE(QFile::setPermissions(root + "/locked", QFileDevice::Permissions()));
        EXPECT_FALSE(FolderNamespace::canEnumerate(root + "/locked"));
        QFile::setPermissions(root + "/locked", QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner);
    }
}

TEST(FolderNamespaceTest, PathsAreNormalizedAndCompared) {
    EXPECT_EQ(FolderNamespace::normalizedPath("/x/y/../z/"), "/x/z");
    EXPECT_EQ(FolderNamespace::normalizedPath("/"), "/");
    EXPECT_EQ(FolderNamespace::normalizedPath(""), "");
    EXPECT_EQ(FolderNamespace::normalizedPath("rel"), QDir::current().absoluteFilePath("rel"));
    struct Case {
        const char* path;
        const char* ancestor;
        bool within;
    };
    for (const Case c :
         {Case{"/a/b", "/a", true}, Case{"/a/b", "/a/b", true}, Case{"/a/bc", "/a/b", false},
          Case{"/a", "/a/b", false}, Case{"/a", "/", true}, Case{"/", "/", true}})
        EXPECT_EQ(FolderNamespace::isWithin(c.path, c.ancestor), c.within)
            << c.path << " in " << c.ancestor;
}

TEST(FolderNamespaceTest, DisplayNames) {
    const FolderNamespace ns("/tmp");
    EXPECT_EQ(ns.displayName("/"), "File System");
    EXPECT_EQ(ns.displayName("/data/Lighting/"), "Lighting");
    EXPECT_EQ(ns.displayName("/data/.hidden"), ".hidden");
}

TEST(FolderNamespaceTest, PseudoVolumesAreSkipped) {
    struct Case {
        const char* type;
        const char* mountPoint;
        bool pseudo;
    };
    // By type, by a system folder below which it is mounted, and /run but for removable media.
    for (const Case c : {Case{"tmpfs", "/tmp", true}, Case{"ext4", "/snap/x", true},
                         Case{"vfat", "/boot/efi", true}, Case{"ext4", "/run/user/1000/doc", true},
                         Case{"ext4", "/home", false}, Case{"vfat", "/run/media/u/STICK", false},
                         Case{"nfs4", "/srv/share", false}})
        EXPECT_EQ(FolderNamespace::isPseudoVolume(c.type, c.mountPoint), c.pseudo)
            << c.type << " " << c.mountPoint;
}

TEST(FolderNamespaceTest, DesktopRootStartsWithHomeFileSystemAndVolumes) {
    const FolderNamespace ns;
    EXPECT_FALSE(ns.isExplicitRoot());
    EXPECT_EQ(ns.rootPath(), FolderNamespace::desktopPath());
    EXPECT_TRUE(QFileInfo(ns.rootPath()).isDir());

    const QList<FolderItem> children = ns.children(ns.rootPath());
    QStringList paths;
    for (const FolderItem& item : children)
        paths.append(item.Path);
    const QString home = FolderNamespace::normalizedPath(QDir::homePath());
    ASSERT_FALSE(paths.isEmpty());
    EXPECT_EQ(paths.first(), home == ns.rootPath() ? QString("/") : home);
    EXPECT_TRUE(paths.contains("/"));
    EXPECT_FALSE(paths.contains(ns.rootPath()));
    EXPECT_EQ(QSet<QString>(paths.begin(), paths.end()).size(), paths.size());
    for (const QString& volume : FolderNamespace::volumePaths()) {
        EXPECT_TRUE(QFileInfo(volume).isDir()) << volume.toStdString();
        if (volume != ns.rootPath()) {
            EXPECT_TRUE(paths.contains(volume)) << volume.toStdString();
        }
    }
}

} // namespace
} // namespace gonilux::platform
