// Build-time tool: renders the application icon's SVG into the PNG sizes of the icon theme.
//   render_icon ICON.svg OUTDIR SIZE...   writes OUTDIR/<SIZE>x<SIZE>/apps/<name>.png
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

namespace {

bool RenderSize(QSvgRenderer& renderer, const QString& outDir, const QString& name, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
    if (!QDir().mkpath(folder)) return false;
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    const QString temporary = path + QStringLiteral(".part");
    if (!image.save(temporary, "PNG")) return false;
    QFile::remove(path);
    return QFile::rename(temporary, path);
}

// The platform's note about a missing runtime folder says nothing about the icon.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietHandler);
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: render_icon ICON.svg OUTDIR SIZE...\n");
        return 2;
    }
    const QString svg = QString::fromLocal8Bit(argv[1]);
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString name = QFileInfo(svg).completeBaseName();
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 1 || size > 4096 ||
            !RenderSize(renderer, QString::fromLocal8Bit(argv[2]), name, size)) {
            std::fprintf(stderr, "render_icon: cannot write the %s px icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
