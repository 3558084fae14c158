#include "shell_actions.h"

#include "platform/message_service.h"
#include "platform/native_names.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace gonilux::platform {
namespace {

std::unique_ptr<ShellActions>& current() {
    static std::unique_ptr<ShellActions> actions;
    return actions;
}

// Output of a short helper program, empty when it is missing or fails.
QString QueryOutput(const QString& program, const QStringList& arguments) {
    if (QStandardPaths::findExecutable(program).isEmpty()) return {};
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(3000) || process.exitCode() != 0) return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

bool Launch(const QString& program, const QStringList& arguments) {
    const QString executable = QStandardPaths::findExecutable(program);
    return !executable.isEmpty() && QProcess::startDetached(executable, arguments);
}

// The desktop entry that handles text/plain, launched with the file.
bool LaunchDefaultTextApplication(const QString& path) {
    const QString desktopFile =
        QueryOutput(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                                 QStringLiteral("text/plain")});
    if (desktopFile.isEmpty()) return false;
    QString id = desktopFile;
    if (id.endsWith(QStringLiteral(".desktop"))) id.chop(8);
    return Launch(QStringLiteral("gtk-launch"), {id, path});
}

} // namespace

ShellActions* ShellActions::instance() {
    if (!current()) current() = std::make_unique<DesktopShellActions>();
    return current().get();
}

void ShellActions::setInstance(std::unique_ptr<ShellActions> actions) {
    current() = std::move(actions);
}

static bool ReportNoProgram(const QString& path) {
    MessageService::instance()->show(
        QStringLiteral("Gonilux"),
        QCoreApplication::translate("ShellActions", "此桌面上没有可以打开它的程序\r%1")
            .arg(QDir::toNativeSeparators(DisplayPath(path))),
        MessageService::Icon::Warning);
    return false;
}

bool DesktopShellActions::openFile(const QString& path) {
    return QDesktopServices::openUrl(UrlFromPath(path)) || ReportNoProgram(path);
}

QStringList DesktopShellActions::fallbackEditors() {
    return {
        QStringLiteral("gedit"),  QStringLiteral("gnome-text-editor"), QStringLiteral("kate"),
        QStringLiteral("kwrite"), QStringLiteral("mousepad"),          QStringLiteral("xed"),
        QStringLiteral("pluma"),  QStringLiteral("featherpad"),        QStringLiteral("leafpad")};
}

bool DesktopShellActions::openInTextEditor(const QString& path) {
#ifdef Q_OS_WIN
    return QProcess::startDetached(QStringLiteral("notepad.exe"), {QDir::toNativeSeparators(path)});
#else
    if (LaunchDefaultTextApplication(path)) return true;
    for (const QString& editor : fallbackEditors())
        if (Launch(editor, {path})) return true;
    MessageService::instance()->show(
        QStringLiteral("Gonilux"),
        QCoreApplication::translate(
            "ShellActions",
            "找不到可以打开它的纯文本编辑器\r%1\r请安装一个 (例如 gedit、kate 或 mousepad), "
            "或为文本文件设置默认应用程序。")
            .arg(QDir::toNativeSeparators(DisplayPath(path))),
        MessageService::Icon::Warning);
    return false;
#endif
}

bool DesktopShellActions::openFolder(const QString& folder) {
    return QDesktopServices::openUrl(UrlFromPath(folder)) || ReportNoProgram(folder);
}

bool DesktopShellActions::showInFolder(const QString& path) {
    const QFileInfo info(path);
#ifdef Q_OS_WIN
    return QProcess::startDetached(
        QStringLiteral("explorer.exe"),
        {(info.isDir() ? QStringLiteral("/e,") : QStringLiteral("/select,")) +
         QDir::toNativeSeparators(path)});
#else
    // The freedesktop file-manager interface opens a folder itself and shows a file selected in
    // its folder; without it the folder opens.
    const QString url = UrlFromPath(QDir::cleanPath(path)).toString();
    const QString method =
        info.isDir() ? QStringLiteral("ShowFolders") : QStringLiteral("ShowItems");
    const QStringList arguments = {QStringLiteral("--session"),
                                   QStringLiteral("--print-reply"),
                                   QStringLiteral("--reply-timeout=3000"),
                                   QStringLiteral("--dest=org.freedesktop.FileManager1"),
                                   QStringLiteral("/org/freedesktop/FileManager1"),
                                   QStringLiteral("org.freedesktop.FileManager1.") + method,
                                   QStringLiteral("array:string:") + url,
                                   QStringLiteral("string:")};
    if (!QStandardPaths::findExecutable(QStringLiteral("dbus-send")).isEmpty() &&
        QProcess::execute(QStringLiteral("dbus-send"), arguments) == 0)
        return true;
    return openFolder(IsDirectory(path) ? info.absoluteFilePath() : info.absolutePath());
#endif
}

void DesktopShellActions::copyText(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (DisplayPath(text) == text) {
        clipboard->setText(text);
        return;
    }
    // A path that is not UTF-8: shown as text, and as a file URL that keeps its real bytes.
    auto* data = new QMimeData;
    data->setText(DisplayPath(text));
    data->setUrls({UrlFromPath(text)});
    clipboard->setMimeData(data);
}

} // namespace gonilux::platform
