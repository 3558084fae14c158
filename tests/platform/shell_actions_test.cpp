// The desktop's shell actions where the desktop offers no programs.
#include "platform/message_service.h"
#include "platform/shell_actions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace gonilux::platform {
namespace {

#ifndef Q_OS_WIN
TEST(ShellActionsTest, WithoutAnyTextEditorTheUserIsTold) {
    QTemporaryDir emptyBin;
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", emptyBin.path().toLocal8Bit());
    QList<MessageService::Message> messages;
    MessageService::instance()->setRecorder(
        [&](const MessageService::Message& m) { messages.append(m); });
    DesktopShellActions shell;
    EXPECT_FALSE(shell.openInTextEditor(QStringLiteral("/tmp/a.ies")));
    qputenv("PATH", savedPath);
    MessageService::instance()->setRecorder({});
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].Text.contains(QStringLiteral("/tmp/a.ies")));
    EXPECT_EQ(messages[0].Kind, MessageService::Icon::Warning);
}
#endif

TEST(ShellActionsTest, CopyPutsTheTextOnTheClipboard) {
    DesktopShellActions shell;
    shell.copyText(QStringLiteral("/tmp/lib/a.ies"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("/tmp/lib/a.ies"));
}

TEST(ShellActionsTest, TheRecorderReplacesTheDesktopUntilReset) {
    auto recorder = std::make_unique<RecordingShellActions>();
    RecordingShellActions* calls = recorder.get();
    ShellActions::setInstance(std::move(recorder));
    ShellActions::instance()->showInFolder(QStringLiteral("/x"));
    EXPECT_EQ(calls->Calls, QStringList{QStringLiteral("show /x")});
    ShellActions::setInstance(nullptr);
    EXPECT_NE(dynamic_cast<DesktopShellActions*>(ShellActions::instance()), nullptr);
}

} // namespace
} // namespace gonilux::platform
