#include "report_pages.h"

#include "diagram/diagram_file.h"

#include <QCoreApplication>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace gonilux::auxwindows {
namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("ReportWindow", text);
}

// The point of `value` at the signed angle (degrees from the nadir, positive to the right).
QPointF PolarPoint(QPointF centre, double radius, double high, double angle, double value) {
    const double a = angle * std::numbers::pi / 180;
    const double r = high > 0 ? radius * value / high : 0;
    return {centre.x() + r * std::sin(a), centre.y() + r * std::cos(a)};
}

void PaintRings(QPainter& painter, QPointF centre, double radius, const CartesianChart& chart,
                const ChartStyle& style) {
    painter.setPen(QPen(style.Grid, 1));
    for (int degrees = 0; degrees < 360; degrees += 30)
        painter.drawLine(centre, PolarPoint(centre, radius, 1, degrees, 1));
    painter.setFont(ChartFont(style.FontPixels));
    for (double value : chart.Values.Values) {
        if (value <= 0) continue;
        const double r = radius * value / chart.Values.High;
        painter.setPen(QPen(style.Grid, 1));
        painter.drawEllipse(centre, r, r);
        painter.setPen(style.Text);
        painter.drawText(QPointF(centre.x() + 3, centre.y() - r - 2), TickText(value));
    }
    painter.setPen(QPen(style.Frame, 1));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(style.Text);
    painter.drawText(
        QRectF(centre.x() - radius, centre.y() + radius + 2, 2 * radius, style.FontPixels * 1.6),
        Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("0°"));
}

using PagePaint = std::function<void(QPainter&, const QRectF&)>;

// The page's drawing, and its caption line below it when there is one.
struct CaptionedPage {
    const PagePaint& Paint;
    QString Caption;
    QString title() const { return Caption.isEmpty() ? QStringLiteral("Gonilux") : Caption; }
};

bool PaintInto(QPaintDevice& device, QSize size, const CaptionedPage& page) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF area(QPointF(0, 0), QSizeF(size));
    if (!page.Caption.isEmpty()) {
        const double line = CaptionHeight(area.height());
        area.setBottom(area.bottom() - line);
        PaintCaption(painter, QRectF(0, area.bottom(), area.width(), line), page.Caption);
    }
    page.Paint(painter, area);
    return painter.end();
}

bool WriteInto(QIODevice& file, DiagramFormat format, QSize size, const CaptionedPage& paint) {
    switch (format) {
    case DiagramFormat::Png: {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        return PaintInto(image, size, paint) && image.save(&file, "PNG");
    }
    case DiagramFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(paint.title());
        return PaintInto(svg, size, paint);
    }
    case DiagramFormat::Pdf: {
        QPdfWriter pdf(&file);
        pdf.setResolution(72); // one pixel of the page per point
        pdf.setPageSize(
            QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(paint.title());
        return PaintInto(pdf, size, paint);
    }
    case DiagramFormat::Unknown:
        break;
    }
    return false;
}

} // namespace

void PaintOverlayPolar(QPainter& painter, const QRectF& area, const CartesianChart& chart,
                       const ChartStyle& style) {
    painter.save();
    painter.fillRect(area, style.Background);
    const double margin = style.FontPixels * 2;
    const double radius = std::min(area.width(), area.height()) / 2 - margin;
    if (!chart.Valid || radius <= 0 || chart.Values.High <= 0) {
        painter.restore();
        return;
    }
    const QPointF centre = area.center();
    PaintRings(painter, centre, radius, chart, style);
    for (const CartesianSeries& series : chart.Series) {
        QPainterPath path;
        for (const QPointF& p : series.Points) {
            const QPointF at = PolarPoint(centre, radius, chart.Values.High, p.x(), p.y());
            if (path.elementCount() == 0)
                path.moveTo(at);
            else
                path.lineTo(at);
        }
        painter.setPen(
            QPen(series.Color, style.LineWidth, series.Style, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
    }
    painter.setPen(style.Text);
    painter.setFont(ChartFont(style.FontPixels));
    painter.drawText(area.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop, chart.Unit);
    painter.restore();
}

bool WriteReportPicture(const QString& path, QSize size,
                        const std::function<void(QPainter&, const QRectF&)>& paint, QString& error,
                        const QString& caption) {
    const DiagramFormat format = DiagramFormatOf(path);
    if (format == DiagramFormat::Unknown) {
        error =
            Tr(QT_TRANSLATE_NOOP("ReportWindow", "未知的图像格式（请使用 .png、.svg 或 .pdf）"));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (!WriteInto(file, format, size, CaptionedPage{paint, caption})) {
        error = file.error() != QFileDevice::NoError
                    ? file.errorString()
                    : Tr(QT_TRANSLATE_NOOP("ReportWindow", "绘制失败"));
        file.cancelWriting();
        return false;
    }
    if (file.commit()) return true;
    error = file.errorString();
    return false;
}

bool WriteReportFile(const QString& path, const QByteArray& bytes, QString& error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    error = file.errorString();
    file.cancelWriting();
    return false;
}

} // namespace gonilux::auxwindows
