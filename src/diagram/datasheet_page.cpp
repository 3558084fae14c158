// The datasheet page: a fixed A4 layout in points, scaled to whatever rectangle it is painted in.
#include "diagram/cartesian_chart.h"
#include "diagram/datasheet.h"
#include "diagram/datasheet_parts.h"
#include "diagram/diagram_text.h"
#include "diagram/isolux_chart.h"
#include "diagram/ratings_chart.h"
#include "diagram/render_diagram.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace gonilux {

namespace sheet {

const QColor kAccent(0x1f, 0x4e, 0x9a);
const QColor kMuted(0x6a, 0x6a, 0x6a);

void BeginPage(QPainter& painter, const QRectF& page) {
    const QSizeF a4 = DatasheetPageSize();
    painter.fillRect(page, Qt::white); // also the strips the proportions leave
    const double k = std::min(page.width() / a4.width(), page.height() / a4.height());
    painter.translate(page.center().x() - a4.width() * k / 2,
                      page.center().y() - a4.height() * k / 2);
    painter.scale(k, k);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(QRectF(QPointF(0, 0), a4), Qt::white);
}

void Text(QPainter& painter, const QRectF& box, const QString& text, double pixels, bool bold,
          const QColor& colour, int flags) {
    painter.setFont(ChartFont(pixels, bold));
    painter.setPen(colour);
    painter.drawText(box, flags, text);
}

double SectionTitle(QPainter& painter, double x, double y, double width, const QString& title) {
    Text(painter, QRectF(x, y, width, 12), title, 9, true, kAccent,
         Qt::AlignLeft | Qt::AlignVCenter);
    painter.setPen(QPen(QColor(0xc8, 0xd2, 0xe4), 0.6));
    painter.drawLine(QPointF(x, y + 13), QPointF(x + width, y + 13));
    return y + 17;
}

void Footer(QPainter& painter, const QString& right) {
    const QSizeF a4 = DatasheetPageSize();
    const double y = a4.height() - kMargin + 8;
    painter.setPen(QPen(QColor(0xc8, 0xd2, 0xe4), 0.6));
    painter.drawLine(QPointF(kMargin, y), QPointF(a4.width() - kMargin, y));
    const QRectF box(kMargin, y + 3, a4.width() - 2 * kMargin, 10);
    Text(painter, box, QCoreApplication::translate("Datasheet", "Gonilux 光度数据表"), 7, false,
         kMuted, Qt::AlignLeft | Qt::AlignTop);
    Text(painter, box, right, 7, false, kMuted, Qt::AlignRight | Qt::AlignTop);
}

QString Number(double value, int decimals) {
    if (!std::isfinite(value)) return QStringLiteral("–");
    return GroupedFixed(value, decimals);
}

} // namespace sheet

using namespace sheet;

namespace {

// Luminaire name large, manufacturer and catalogue number, lamp; the file name on the right.
void PaintHeader(QPainter& painter, const DatasheetInput& in) {
    const double width = DatasheetPageSize().width() - 2 * kMargin;
    const QString name = in.Luminaire.isEmpty() ? in.FileName : in.Luminaire;
    const QRectF left(kMargin, kMargin, width * 0.68, 20);
    const QString shown =
        QFontMetricsF(ChartFont(15, true)).elidedText(name, Qt::ElideRight, left.width());
    Text(painter, left, shown, 15, true, Qt::black,
         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
    QStringList maker{in.Manufacturer, in.LuminaireCatalog};
    maker.removeAll(QString());
    QStringList lamp{in.Lamp, in.LampCatalog};
    lamp.removeAll(QString());
    Text(painter, left.translated(0, 21).adjusted(0, 0, 0, -8), maker.join(QStringLiteral("  ·  ")),
         9, false, Qt::black, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
    if (!lamp.isEmpty())
        Text(painter, left.translated(0, 33).adjusted(0, 0, 0, -8),
             QCoreApplication::translate("Datasheet", "光源：") +
                 lamp.join(QStringLiteral("  ·  ")),
             8, false, kMuted, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
    const QRectF right(kMargin + width * 0.7, kMargin + 2, width * 0.3, 10);
    const QString file =
        QFontMetricsF(ChartFont(8, true)).elidedText(in.FileName, Qt::ElideMiddle, right.width());
    Text(painter, right, file, 8, true, Qt::black, Qt::AlignRight | Qt::TextSingleLine);
    Text(painter, right.translated(0, 11), in.Test, 7, false, kMuted,
         Qt::AlignRight | Qt::TextSingleLine);
    painter.setPen(QPen(kAccent, 1.4));
    painter.drawLine(QPointF(kMargin, kMargin + 50), QPointF(kMargin + width, kMargin + 50));
}

void PaintPolar(QPainter& painter, const QRectF& box, const DatasheetInput& in) {
    const double side = std::min(box.width(), box.height()) - 12; // ring labels below
    DiagramOptions options;
    options.Multi = in.Ies.LumensPerLamp < 0;
    options.FontHeight = -16;
    options.Lengths = in.Lengths;
    options.Eulumdat = in.Eulumdat;
    painter.save();
    painter.translate(box.center().x() - side / 2, box.top());
    painter.scale(0.5, 0.5); // drawn at twice the size: finer pixel geometry
    const int pixels = static_cast<int>(side * 2);
    painter.setClipRect(QRect(0, 0, pixels, pixels), Qt::IntersectClip); // outer rings stay in
    PaintDiagram(painter, pixels, pixels, in.Ies, RenderBackground | RenderDiagramCurves, in.Plane,
                 options);
    painter.restore();
}

} // namespace

QSizeF DatasheetPageSize() {
    return {595, 842};
}

void PaintDatasheet(QPainter& painter, const QRectF& page, const DatasheetInput& in,
                    int pageIndex) {
    painter.save();
    BeginPage(painter, page);
    PaintHeader(painter, in);
    if (in.Ok && pageIndex > 0) {
        PaintGlarePage(painter, in);
        Footer(painter,
               in.FileName +
                   QStringLiteral("  ·  %1 / %2").arg(pageIndex + 1).arg(DatasheetPages(in)));
        painter.restore();
        return;
    }
    const double width = DatasheetPageSize().width() - 2 * kMargin;
    const double half = (width - kGap) / 2, right = kMargin + half + kGap;
    if (!in.Ok) {
        Text(painter, QRectF(kMargin, 200, width, 40),
             QCoreApplication::translate("Datasheet", "无法生成数据表：") + in.Error, 11, false,
             QColor(0xb0, 0x20, 0x20), Qt::AlignCenter | Qt::TextWordWrap);
        Footer(painter, in.FileName);
        painter.restore();
        return;
    }
    double y = SectionTitle(painter, kMargin, kRowA, half,
                            QCoreApplication::translate("Datasheet", "光强分布（极坐标）"));
    PaintPolar(painter, QRectF(kMargin, y, half, kChartHeight), in);
    SectionTitle(painter, right, kRowA, half,
                 QCoreApplication::translate("Datasheet", "光强分布（直角坐标）"));
    ChartStyle style;
    style.FontPixels = 7;
    style.LineWidth = 1.1;
    CartesianOptions cartesian;
    cartesian.Absolute = in.Ies.LumensPerLamp < 0;
    PaintCartesianChart(painter, QRectF(right, y, half, kChartHeight),
                        BuildCartesianChart(in.Ies, cartesian), style);
    y = SectionTitle(painter, kMargin, kRowB, half,
                     QCoreApplication::translate("Datasheet", "等照度图（安装高度 %1 m）")
                         .arg(TickText(in.Isolux.Height)));
    PaintIsoluxChart(painter, QRectF(kMargin, y, half, kChartHeight), in.Isolux, style);
    y = SectionTitle(painter, right, kRowB, half,
                     QCoreApplication::translate("Datasheet", "主要数据"));
    PaintFigures(painter, QRectF(right, y, half, kChartHeight), in);
    y = SectionTitle(painter, kMargin, kRowC, width,
                     QCoreApplication::translate("Datasheet", "区域光通量"));
    PaintZonalTable(painter, QRectF(kMargin, y, width, 110), in);
    // why a rating above is "–"
    Text(painter, QRectF(kMargin + 4, y + 86, width - 8, 34),
         RatingNotes(in.Ratings).join(QStringLiteral("; ")), 7, false, kMuted,
         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    Footer(painter, DatasheetPages(in) > 1
                        ? in.FileName + QStringLiteral("  ·  1 / %1").arg(DatasheetPages(in))
                        : in.FileName);
    painter.restore();
}

} // namespace gonilux
