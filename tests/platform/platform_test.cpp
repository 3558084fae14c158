// The platform layer: the folder tree's namespace, message boxes held while a widget paints or
// another box is open, and what the desktop is asked to run.
#include "platform/folder_namespace.h"
#include "platform/message_service.h"
#include "platform/shell_actions.h"
#include "wait_until.h"

#include <QtWidgets>
#include <gtest/gtest.h>

namespace gonilux::platform {
namespace {

QStringList PathsOf(const QList<FolderItem>& items) {
    return std::accumulate(
        items.begin(), items.end(), QStringList(),
        [](QStringList paths, const FolderItem& item) { return paths << item.Path; });
}

// An explicit root lists its own subfolders; the desktop root (else home) first lists home, "/"
// and the volumes, each once and never the root itself.
TEST(FolderNamespace, RootsListTheirSubfoldersInNaturalOrder) {
    QTemporaryDir dir;
    const QString root = QDir::cleanPath(dir.path());
    for (const char* path : {"f10", "F2", "beta", "f1", "Beta/sub", "Alpha/.inner", ".hidden"})
        ASSERT_TRUE(QDir(root).mkpath(path));
    ASSERT_TRUE(QFile::link(root + "/Beta", root + "/link"));
    QStringList subfolders;
    for (const char* name : {".hidden", "Alpha", "Beta", "beta", "f1", "F2", "f10", "link"})
        subfolders.append(root + "/" + name);
    EXPECT_EQ(PathsOf(FolderNamespace(root + "/f1/../").children(root)), subfolders);
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", root.toLocal8Bit()); // no Desktop folder: the home folder is the root
    QStringList expected = QStringList{"/"} + FolderNamespace::volumePaths() + subfolders;
    EXPECT_FALSE(expected.contains("/proc") || expected.contains("/sys"));
    expected.removeDuplicates();
    EXPECT_EQ(PathsOf(FolderNamespace().children(root)), expected);
    ASSERT_TRUE(QDir(root).mkdir("Desktop"));
    EXPECT_EQ(FolderNamespace().rootPath(), root + "/Desktop");
    qputenv("HOME", home);
    EXPECT_EQ(FolderNamespace().displayName("/"), "File System");
    using NS = FolderNamespace;
    EXPECT_EQ(
        QList<bool>({NS::hasSubfolders(root + "/Beta"), NS::hasSubfolders(root + "/Alpha"),
                     NS::hasSubfolders(root + "/f1"), NS::canEnumerate(root + "/f1"),
                     NS::canEnumerate(root + "/missing"),
                     NS::canEnumerate(QCoreApplication::applicationFilePath()),
                     NS::isWithin("/a/b", "/a"), NS::isWithin("/a/bc", "/a/b"),
                     NS::isPseudoVolume("tmpfs", "/x"), NS::isPseudoVolume("ext4", "/boot/efi"),
                     NS::isPseudoVolume("vfat", "/run/media/u/STICK")}),
        QList<bool>({true, true, false, true, false, false, true, false, true, true, false}));
}

// Each box's icon and text ('\r' breaks lines); boxes asked for while one is open or while a
// widget paints come afterwards. Recorded boxes never block.
TEST(MessageService, BoxesWaitWhileAWidgetPaintsOrAnotherBoxIsOpen) {
    MessageService service;
    QStringList seen;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        seen.append(QStringLiteral("%1 %2").arg(box->icon()).arg(box->text()));
        if (seen.size() == 1) service.show("T", "second", MessageService::Icon::Error);
        box->buttons().first()->click(); // Yes or OK
    });
    answerer.start(10);
    service.show("T", "first\rline", MessageService::Icon::Warning);
    EXPECT_TRUE(service.ask("Q", "sure?"));
    auto painting = std::make_unique<MessageService::PaintScope>(&service);
    service.show("T", "painted", MessageService::Icon::None);
    EXPECT_FALSE(test::WaitUntil([&] { return seen.size() == 4; }, 50));
    painting.reset();
    EXPECT_TRUE(test::WaitUntil([&] { return seen.size() == 4; }));
    service.setRecorder([&](const MessageService::Message& m) { seen.append(m.Text); });
    service.show("T", "rec", MessageService::Icon::Error);
    EXPECT_TRUE(service.ask("Q", "ask"));
    EXPECT_EQ(seen,
              (QStringList{"2 first\nline", "3 second", "4 sure?", "0 painted", "rec", "ask"}));
}

// Programs on a private PATH log their name and arguments; the offscreen desktop opens nothing.
TEST(ShellActions, WhatTheDesktopIsAskedToRun) {
    QTemporaryDir bin;
    auto program = [&](const char* name, const char* body = "") {
        QFile file(bin.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("#!/bin/sh\necho \"${0##*/} $*\" >> ${0%/*}/log\n") + body);
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    };
    auto log = [&] {
        QFile file(bin.filePath("log"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QStringList messages;
    MessageService::instance()->setRecorder([&](const auto& m) { messages.append(m.Text); });
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());
    DesktopShellActions shell;
    EXPECT_FALSE(shell.openInTextEditor("/lib/a.ies")); // nothing installed
    EXPECT_FALSE(shell.openFile("/lib/b.ies"));
    for (const char* name : {"gtk-launch", "kate", "mousepad", "dbus-send"})
        program(name);
    program("xdg-mime", "echo broken.desktop; exit 1");
    EXPECT_TRUE(shell.openInTextEditor("/lib/a.ies"));
    EXPECT_TRUE(test::WaitUntil([&] { return log().contains("kate /lib/a.ies"); }));
    program("xdg-mime", "echo org.x.Ed.desktop");
    EXPECT_TRUE(shell.openInTextEditor("/lib/b.ies"));
    EXPECT_TRUE(test::WaitUntil([&] { return log().contains("gtk-launch org.x.Ed /lib/b.ies"); }));
    EXPECT_TRUE(shell.showInFolder("/lib/x/../c.ies"));
    EXPECT_TRUE(log().contains("FileManager1.ShowItems array:string:file:///lib/c.ies string:"));
    program("dbus-send", "exit 1");
    EXPECT_FALSE(shell.showInFolder("/lib/c.ies")); // the folder then, which cannot open either
    qputenv("PATH", path);
    MessageService::instance()->setRecorder({});
    EXPECT_TRUE(messages.value(0).startsWith("No plain-text editor was found to open\r/lib/a.ies"));
    EXPECT_EQ(messages.mid(1).join('|'), "No program is set up on this desktop to open\r/lib/b.ies|"
                                         "No program is set up on this desktop to open\r/lib");
    ShellActions::instance()->copyText("/lib/a.ies");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "/lib/a.ies");
}

} // namespace
} // namespace gonilux::platform
