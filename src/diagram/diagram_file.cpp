#include "diagram/diagram_file.h"

#include "diagram/background.h"
#include "diagram/goniogram.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>

namespace gonilux {

namespace {

bool PaintInto(QPaintDevice& device, const tIES& ies, const DiagramRequest& request) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    ComposeDiagram(painter, ies, request);
    return painter.end();
}

// The picture goes to a temporary file beside the target, which replaces the target only when
// the whole picture was written: a failed write leaves an existing file as it was.
bool OpenForWriting(QSaveFile& file, QString& error) {
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return true;
    error = QCoreApplication::translate("DiagramFile", "cannot write %1: %2")
                .arg(file.fileName(), file.errorString());
    return false;
}

bool Finish(QSaveFile& file, bool painted, QString& error) {
    if (painted && file.error() == QFileDevice::NoError && file.commit()) return true;
    file.cancelWriting();
    error = QCoreApplication::translate("DiagramFile", "cannot write %1: %2")
                .arg(file.fileName(),
                     painted ? file.errorString()
                             : QCoreApplication::translate("DiagramFile", "drawing failed"));
    return false;
}

bool WritePng(const QString& path, const tIES& ies, const DiagramRequest& request, QString& error) {
    const QImage image = RenderDiagramImage(ies, request);
    QSaveFile file(path);
    if (!OpenForWriting(file, error)) return false;
    const bool saved = image.save(&file, "PNG");
    return Finish(file, saved, error);
}

bool WriteSvg(const QString& path, const tIES& ies, const DiagramRequest& request, QString& error) {
    QSaveFile file(path);
    if (!OpenForWriting(file, error)) return false;
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(QSize(request.Width, request.Height));
    svg.setViewBox(QRect(0, 0, request.Width, request.Height));
    svg.setTitle(QStringLiteral("Gonilux diagram"));
    return Finish(file, PaintInto(svg, ies, request), error);
}

bool WritePdf(const QString& path, const tIES& ies, const DiagramRequest& request, QString& error) {
    QSaveFile file(path);
    if (!OpenForWriting(file, error)) return false;
    bool painted = false;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(72); // one device unit per point
        pdf.setPageSize(QPageSize(QSizeF(request.Width, request.Height), QPageSize::Point,
                                  QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(QStringLiteral("Gonilux diagram"));
        painted = PaintInto(pdf, ies, request);
    }
    return Finish(file, painted, error);
}

} // namespace

DiagramScale ComposeDiagram(QPainter& painter, const tIES& ies, const DiagramRequest& request) {
    DrawBackground(painter, request.Width, request.Height, request.Thumbnail,
                   request.Options.Antialias);
    const int planes = static_cast<int>(ies.HorzAngles.size());
    const int plane = std::clamp(request.Plane, 0, std::max(0, planes - 1));
    return DrawGoniogram(painter, request.Width, request.Height, ies,
                         request.Thumbnail ? kModeThumbnail : kModeFull, request.Scale, plane,
                         request.Options);
}

QImage RenderDiagramImage(const tIES& ies, const DiagramRequest& request) {
    QImage image(std::max(1, request.Width), std::max(1, request.Height),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    PaintInto(image, ies, request);
    return image;
}

QString PictureName(const std::vector<std::string>& titles, const QString& fileName) {
    constexpr auto kLuminaire = static_cast<std::size_t>(TitleLuminaire);
    const QString luminaire = titles.size() > kLuminaire
                                  ? QString::fromStdString(titles[kLuminaire]).trimmed()
                                  : QString();
    return luminaire.isEmpty() ? QFileInfo(fileName).completeBaseName() : luminaire;
}

QString PictureFileName(const QString& name) {
    QString safe = name.trimmed();
    for (QChar& c : safe)
        if (c.unicode() < 32 || QStringView(u"/\\:*?\"<>|").contains(c)) c = u'_';
    return safe.isEmpty() ? QStringLiteral("picture") : safe;
}

double CaptionHeight(double pictureHeight) {
    return std::clamp(pictureHeight / 20, 12.0, 40.0);
}

void PaintCaption(QPainter& painter, const QRectF& line, const QString& caption) {
    painter.save();
    painter.fillRect(line, QColor(255, 255, 255, 220));
    QFont font = painter.font();
    font.setPixelSize(std::max(8, static_cast<int>(line.height() * 0.7)));
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRectF text = line.adjusted(line.height() / 3, 0, -line.height() / 3, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetricsF(font).elidedText(caption, Qt::ElideRight, text.width()));
    painter.restore();
}

DiagramFormat DiagramFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return DiagramFormat::Png;
    if (suffix == QLatin1String("svg")) return DiagramFormat::Svg;
    if (suffix == QLatin1String("pdf")) return DiagramFormat::Pdf;
    return DiagramFormat::Unknown;
}

bool WriteDiagramFile(const QString& path, const tIES& ies, const DiagramRequest& request,
                      QString& error) {
    switch (DiagramFormatOf(path)) {
    case DiagramFormat::Png:
        return WritePng(path, ies, request, error);
    case DiagramFormat::Svg:
        return WriteSvg(path, ies, request, error);
    case DiagramFormat::Pdf:
        return WritePdf(path, ies, request, error);
    case DiagramFormat::Unknown:
        break;
    }
    error = QCoreApplication::translate("DiagramFile",
                                        "unknown picture format of %1 (use .png, .svg or .pdf)")
                .arg(path);
    return false;
}

} // namespace gonilux
