#include "offscreen_app.h"

#include <QGuiApplication>
#include <QTranslator>
#include <cstdio>

namespace gonilux::cli {
namespace {

QtMessageHandler gPreviousHandler = nullptr;

// Drops the platform's note about a missing runtime folder, which says nothing about the
// drawing; every other message goes on as before.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
    if (gPreviousHandler) gPreviousHandler(type, context, message);
}

} // namespace

void EnsureOffscreenApplication() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    gPreviousHandler = qInstallMessageHandler(QuietHandler);
    static int argc = 1;
    static char name[] = "gonilux-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

void InstallEnglishLabels() {
    static QTranslator translator;
    if (translator.load(QStringLiteral(":/i18n/gonilux_en.qm")))
        QCoreApplication::installTranslator(&translator);
    else
        std::fprintf(stderr, "gonilux-cli: the English labels are not available\n");
}

} // namespace gonilux::cli
