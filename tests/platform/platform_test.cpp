// The platform layer: the folder tree's namespace, message boxes held while a widget paints or
// another box is open, and what the desktop is asked to run.
#include "platform/folder_namespace.h"
#include "platform/message_service.h"
#include "platform/native_names.h"
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
                     NS::isWithin("/a", "/"), NS::isPseudoVolume("tmpfs", "/x"),
                     NS::isPseudoVolume("ext4", "/boot/efi"),
                     NS::isPseudoVolume("vfat", "/run/media/u/STICK")}),
        QList<bool>({true, true, false, true, false, false, true, false, true, true, true, false}));
}

// Where well-formed UTF-8 ends (overlong forms, surrogates, past U+10FFFF): only the bytes outside
// it show as U+FFFD, every byte comes back, and a copied path keeps its real bytes in a file URL.
TEST(NativeNames, OnlyBytesOutsideWellFormedUtf8ShowAsReplacements) {
    const std::pair<QByteArray, const char16_t*> names[] = {
        {"\xE0\xA0\x80 \xE0\x9F\xBF \xE1\x80\x80", u"\u0800 \uFFFD\uFFFD\uFFFD \u1000"},
        {"\xED\x9F\xBF \xED\xA0\x80", u"\uD7FF \uFFFD\uFFFD\uFFFD"},
        {"\xF0\x90\x82\x80 \xF0\x8F\xBF\xBF", u"\U00010080 \uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xF4\x8F\xBF\xBF \xF4\x90\x80\x80", u"\U0010FFFF \uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xF5\x80\x80\x80 \xFF\xC0\xAF", u"\uFFFD\uFFFD\uFFFD\uFFFD \uFFFD\uFFFD\uFFFD"},
        {"caf\xC3\xA9 x\xC3(\xE2\x82", u"caf\u00E9 x\uFFFD(\uFFFD\uFFFD"}};
    for (const auto& [bytes, shown] : names) {
        const QString path = PathFromNative(bytes);
        EXPECT_EQ(DisplayPath(path), QString::fromUtf16(shown)) << bytes.toHex(' ').toStdString();
        EXPECT_EQ(NativePath(path), bytes) << bytes.toHex(' ').toStdString();
    }
    const QString latin = PathFromNative("/lib/caf\xE9.ies");
    for (const QString& copied : {latin, QStringLiteral("/lib/café.ies")}) {
        ShellActions::instance()->copyText(copied);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        EXPECT_EQ(data->text(), DisplayPath(copied));
        EXPECT_EQ(data->urls(), copied == latin ? QList<QUrl>{UrlFromPath(latin)} : QList<QUrl>{});
    }
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
        if (box->text() == "sure?") service.show("T", "after", MessageService::Icon::Information);
        box->buttons().first()->click(); // Yes or OK
    });
    answerer.start(10);
    service.show("T", "first\rline", MessageService::Icon::Warning);
    EXPECT_TRUE(service.ask("Q", "sure?"));
    EXPECT_TRUE(test::WaitUntil([&] { return seen.size() == 4; })); // asked for during the question
    auto painting = std::make_unique<MessageService::PaintScope>(&service);
    service.show("T", "painted", MessageService::Icon::None);
    EXPECT_FALSE(test::WaitUntil([&] { return seen.size() == 5; }, 50));
    painting.reset();
    EXPECT_TRUE(test::WaitUntil([&] { return seen.size() == 5; }));
    service.setRecorder([&](const MessageService::Message& m) { seen.append(m.Text); });
    service.show("T", "rec", MessageService::Icon::Error);
    EXPECT_TRUE(service.ask("Q", "ask"));
    EXPECT_EQ(seen, (QStringList{"2 first\nline", "3 second", "4 sure?", "1 after", "0 painted",
                                 "rec", "ask"}));
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
    EXPECT_TRUE(messages.value(0).startsWith("找不到可以打开它的纯文本编辑器\r/lib/a.ies"));
    EXPECT_EQ(messages.mid(1).join('|'), "此桌面上没有可以打开它的程序\r/lib/b.ies|"
                                         "此桌面上没有可以打开它的程序\r/lib");
    ShellActions::instance()->copyText("/lib/a.ies");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "/lib/a.ies");
}

} // namespace
} // namespace gonilux::platform
