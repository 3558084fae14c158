// gonilux: the viewer.
#include "gonilux_version.h"
#include "mainwindow/language.h"
#include "mainwindow/main_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
int signalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT close the main window as the user would, so its close sequence runs.
void closeOnTerminationSignals(QWidget* window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [window, notifier] {
        char byte;
        [[maybe_unused]] ssize_t got = ::read(signalPipe[0], &byte, 1);
        notifier->setEnabled(false);
        window->close();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}
#else
void closeOnTerminationSignals(QWidget*) {}
#endif

} // namespace

int main(int argc, char** argv) {
    // Qt's own file dialogs: in the interface's language whatever the desktop's is.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gonilux"));
    QApplication::setApplicationVersion(QStringLiteral(GONILUX_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Gonilux"));
    QApplication::setDesktopFileName(QStringLiteral("org.gonilux.Gonilux"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/gonilux.svg")));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Browser of IES photometric files."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption settings(QStringLiteral("settings"),
                                QStringLiteral("The settings file to use."),
                                QStringLiteral("FILE"));
    QCommandLineOption root(
        QStringLiteral("root"),
        QStringLiteral("Show DIR as the folder tree's root instead of the desktop."),
        QStringLiteral("DIR"));
    parser.addOption(settings);
    parser.addOption(root);
    parser.addOption(gonilux::mainwindow::LanguageOption());
    parser.addPositionalArgument(
        QStringLiteral("PATH"),
        QStringLiteral("A folder, or an IES file to select, opened at start."));
    parser.process(app);

    gonilux::mainwindow::StartOptions start;
    start.SettingsFile = parser.value(settings);
    start.RootPath = parser.value(root);
    if (!parser.positionalArguments().isEmpty())
        start.OpenPath = parser.positionalArguments().first();

    // The translator is in place before the window builds its widgets.
    QString languageError;
    const auto language =
        gonilux::mainwindow::StartLanguage(parser, start.SettingsFile, languageError);
    if (!language) {
        std::fprintf(stderr, "%s\n", qPrintable(languageError));
        return 1;
    }
    if (!gonilux::mainwindow::InstallLanguage(*language))
        std::fprintf(stderr, "The English interface is not available; showing the Chinese one.\n");

    gonilux::mainwindow::TMainWindow window(start);
    closeOnTerminationSignals(&window);
    window.show();
    return app.exec();
}
