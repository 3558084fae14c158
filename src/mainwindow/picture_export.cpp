#include "picture_export.h"

#include "diagram/diagram_file.h"
#include "diagram/render_diagram.h"
#include "platform/message_service.h"
#include "preview_pane.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>

namespace gonilux::mainwindow {
namespace {

// The callers mark their texts with QT_TRANSLATE_NOOP so that lupdate collects them.
QString Tr(const char* text) {
    return QCoreApplication::translate("PictureExport", text);
}

int LayoutSide(const PreviewPicture& picture, int size) {
    return picture.LayoutSize > 0 ? picture.LayoutSize : size;
}

// The preview's drawing at its own size, scaled onto a size x size device.
void PaintPicture(QPainter& painter, const PreviewPicture& picture, int size) {
    static const tIES kNoRecord;
    const int layout = LayoutSide(picture, size);
    const double factor = static_cast<double>(size) / layout;
    painter.scale(factor, factor);
    const int flags = picture.Ies ? (RenderBackground | RenderDiagramCurves) : RenderBackground;
    PaintDiagram(painter, layout, layout, picture.Ies ? *picture.Ies : kNoRecord, flags,
                 picture.Plane, picture.Options);
    if (picture.Caption.isEmpty()) return;
    painter.resetTransform();
    const double line = CaptionHeight(size);
    PaintCaption(painter, QRectF(0, size - line, size, line), picture.Caption);
}

QString Title(const PreviewPicture& picture) {
    return picture.Caption.isEmpty() ? QStringLiteral("Gonilux") : picture.Caption;
}

bool PaintOnto(QPaintDevice& device, const PreviewPicture& picture, int size) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    PaintPicture(painter, picture, size);
    return painter.end();
}

bool WriteInto(QIODevice& file, DiagramFormat format, const PreviewPicture& picture, int size) {
    switch (format) {
    case DiagramFormat::Png:
        return RenderPreviewPicture(picture, size).save(&file, "PNG");
    case DiagramFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(QSize(size, size));
        svg.setViewBox(QRect(0, 0, size, size));
        svg.setTitle(Title(picture));
        return PaintOnto(svg, picture, size);
    }
    case DiagramFormat::Pdf: {
        QPdfWriter pdf(&file);
        pdf.setResolution(72); // one pixel of the picture per point
        pdf.setPageSize(
            QPageSize(QSizeF(size, size), QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(Title(picture));
        return PaintOnto(pdf, picture, size);
    }
    case DiagramFormat::Unknown:
        break;
    }
    return false;
}

} // namespace

PreviewPicture PictureOfPreview(const PreviewPane& preview, const QString& caption) {
    PreviewPicture picture;
    picture.Caption = caption;
    picture.Ies = preview.CurrentFile().isEmpty() ? nullptr : &preview.PreviewIes();
    picture.Plane = preview.planePosition();
    picture.Options = preview.diagramOptions();
    picture.LayoutSize = std::min(preview.PaintBox()->width(), preview.PaintBox()->height());
    return picture;
}

int DefaultPictureSize(const PreviewPicture& picture) {
    return std::clamp(picture.LayoutSize, kMinPictureSize, kMaxPictureSize);
}

QImage RenderPreviewPicture(const PreviewPicture& picture, int size) {
    if (size <= 0) return {};
    QImage image(size, size, QImage::Format_RGB32);
    PaintOnto(image, picture, size);
    return image;
}

bool WritePictureFile(const PreviewPicture& picture, const QString& path, int size,
                      QString& reason) {
    const DiagramFormat format = DiagramFormatOf(path);
    if (format == DiagramFormat::Unknown) {
        reason =
            Tr(QT_TRANSLATE_NOOP("PictureExport", "未知的图像格式（请使用 .png、.svg 或 .pdf）"));
        return false;
    }
    if (size < kMinPictureSize || size > kMaxPictureSize) {
        reason = Tr(QT_TRANSLATE_NOOP("PictureExport", "图像尺寸须在 %1 至 %2 像素之间"))
                     .arg(kMinPictureSize)
                     .arg(kMaxPictureSize);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
        return false;
    }
    if (!WriteInto(file, format, picture, size)) {
        reason = file.error() != QFileDevice::NoError
                     ? file.errorString()
                     : Tr(QT_TRANSLATE_NOOP("PictureExport", "绘制失败"));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}

bool ExportPicture(const PreviewPicture& picture, const QString& path, int size) {
    QString reason;
    if (WritePictureFile(picture, path, size, reason)) return true;
    platform::MessageService::instance()->show(
        QStringLiteral("Gonilux"),
        Tr(QT_TRANSLATE_NOOP("PictureExport", "无法保存图像\r%1\r%2"))
            .arg(QDir::toNativeSeparators(path), reason),
        platform::MessageService::Icon::Error);
    return false;
}

void CopyPictureToClipboard(const PreviewPicture& picture) {
    const QImage image = RenderPreviewPicture(picture, DefaultPictureSize(picture));
    if (!image.isNull()) QGuiApplication::clipboard()->setImage(image);
}

} // namespace gonilux::mainwindow
