// "gonilux-cli thumbnail": the file list's thumbnail of a photometric file as a square PNG, for
// the thumbnailers of file managers (share/thumbnailers/gonilux.thumbnailer).
#include "commands.h"
#include "diagram/background.h"
#include "diagram/goniogram.h"
#include "offscreen_app.h"
#include "photometry/file_io.h"
#include "render_command.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace gonilux::cli {

namespace {

constexpr int kMinSize = 8;
constexpr int kMaxSize = 2048;
// The viewer draws its thumbnails in a 100 x 100 cell; the picture here is that drawing scaled.
constexpr int kCell = 100;

struct ThumbnailArguments {
    int Size = 0;
    std::string Input;
    std::string Output;
};

bool ParseSize(const char* text, int& size) {
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < kMinSize || parsed > kMaxSize) return false;
    size = static_cast<int>(parsed);
    return true;
}

int ParseArguments(int argc, char** argv, ThumbnailArguments& args) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "-s") == 0 || std::strcmp(arg, "--size") == 0) {
            if (i + 1 >= argc) return UsageError("option needs a value", arg);
            if (!ParseSize(argv[++i], args.Size))
                return UsageError("size must be 8 to 2048", argv[i]);
        } else if (arg[0] == '-' && arg[1] != '\0') {
            return UsageError("unknown option", arg);
        } else if (args.Input.empty()) {
            args.Input = arg;
        } else if (args.Output.empty()) {
            args.Output = arg;
        } else {
            return UsageError("too many arguments", arg);
        }
    }
    if (args.Size == 0) return UsageError("thumbnail needs a size (-s SIZE)");
    if (args.Output.empty()) return UsageError("thumbnail needs an input file and an output PNG");
    return 0;
}

// Clears everything outside the disc inscribed in the cell (smooth edge) and rims the disc in
// the field's border colour.
void ShapeField(QPainter& painter) {
    QPainterPath outside;
    outside.setFillRule(Qt::OddEvenFill);
    outside.addRect(0, 0, kCell, kCell);
    outside.addEllipse(0, 0, kCell, kCell);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillPath(outside, Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(QPen(QGuiApplication::palette().color(QPalette::Dark), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(0.5, 0.5, kCell - 1, kCell - 1));
    painter.restore();
}

} // namespace

// The file list's thumbnail (simple background, thumbnail curves, warning mark) drawn in its
// 100 x 100 cell scaled to size x size, on a round field with transparent corners.
QImage RenderThumbnailImage(const tIES& ies, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(static_cast<double>(size) / kCell, static_cast<double>(size) / kCell);
    DiagramOptions options;
    options.Fit = false; // as the viewer starts
    DrawBackground(painter, kCell, kCell, true, options.Antialias);
    ShapeField(painter);
    DrawGoniogram(painter, kCell, kCell, ies, kModeThumbnail, 1.0, 0, options);
    return image;
}

int RunThumbnailCommand(int argc, char** argv) {
    ThumbnailArguments args;
    if (const int status = ParseArguments(argc, argv, args); status != 0) return status;
    TiesData entry;
    if (!LoadIesEntry(entry, args.Input)) {
        const std::string& reason = entry.Diagnostics.OpenError;
        std::fprintf(stderr, "gonilux-cli: cannot read %s%s%s\n", args.Input.c_str(),
                     reason.empty() ? "" : ": ", reason.c_str());
        return 1;
    }
    EnsureOffscreenApplication();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    std::string error;
    if (!RenderThumbnailImage(entry.Ies, args.Size).save(&buffer, "PNG")) {
        error = "cannot encode the picture";
    } else if (WriteFileAtomically(args.Output, std::string_view(png.constData(), png.size()),
                                   error)) {
        return 0;
    }
    std::fprintf(stderr, "gonilux-cli: cannot write %s: %s\n", args.Output.c_str(), error.c_str());
    return 1;
}

} // namespace gonilux::cli
