// Layout and painting of the cartesian chart.
#include "diagram/cartesian_chart.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace gonilux {

namespace {

constexpr double kSample = 22; // legend line sample, in font heights / 11

QString Degrees(double angle) {
    return TickText(angle) + QChar(0x00B0);
}

QString LegendText(const CartesianSeries& s) {
    if (!std::isfinite(s.BeamLow)) return s.Label;
    return QCoreApplication::translate("ReportChart", "%1：光束角 %2，场角 %3")
        .arg(s.Label, Degrees(std::round(s.Beam * 10) / 10),
             Degrees(std::round(s.Field * 10) / 10));
}

double Unit(const ChartStyle& style) {
    return style.FontPixels / 11;
}

} // namespace

CartesianLayout::CartesianLayout(const CartesianChart& chart, const QRectF& area,
                                 const ChartStyle& style)
    : angleLow_(chart.AngleLow), angleHigh_(chart.AngleHigh),
      valueHigh_(chart.Values.High > 0 ? chart.Values.High : 1) {
    const QFontMetricsF fm(ChartFont(style.FontPixels));
    const double line = fm.height();
    double labels = 0;
    for (double v : chart.Values.Values)
        labels = std::max(labels, fm.horizontalAdvance(TickText(v)));
    const double left = area.left() + labels + line * 0.5;
    const double right =
        area.right() - std::max(fm.horizontalAdvance(Degrees(angleHigh_)) / 2, line * 0.3);
    // Legend entries flow in rows under the angle labels.
    double x = left, rows = 0;
    const double sample = kSample * Unit(style);
    for (const CartesianSeries& s : style.Legend ? chart.Series : std::vector<CartesianSeries>{}) {
        const double width = sample + line * 0.4 + fm.horizontalAdvance(LegendText(s));
        if (rows == 0 || (x + width > right && x > left)) x = left, rows += 1;
        legendItems_.emplace_back(x, (rows - 1) * line * 1.25, width, line);
        x += width + line * 1.2;
    }
    const double legendHeight = rows * line * 1.25;
    const double bottom = area.bottom() - legendHeight - line * 1.5;
    plot_ =
        QRectF(QPointF(left, area.top() + line * 1.4),
               QPointF(std::max(left + 1, right), std::max(area.top() + line * 1.4 + 1, bottom)));
    if (rows > 0) legend_ = QRectF(left, plot_.bottom() + line * 1.5, right - left, legendHeight);
    for (QRectF& item : legendItems_)
        item.translate(0, legend_.top());
}

QPointF CartesianLayout::ToPoint(double angle, double value) const {
    return {plot_.left() + (angle - angleLow_) / (angleHigh_ - angleLow_) * plot_.width(),
            plot_.bottom() - value / valueHigh_ * plot_.height()};
}

double CartesianLayout::AngleAt(const QPointF& point) const {
    return angleLow_ + (point.x() - plot_.left()) / plot_.width() * (angleHigh_ - angleLow_);
}

double CartesianLayout::ValueAt(const QPointF& point) const {
    return (plot_.bottom() - point.y()) / plot_.height() * valueHigh_;
}

int NearestSeries(const CartesianChart& chart, const CartesianLayout& layout, const QPointF& point,
                  double reach) {
    if (!layout.InPlot(point)) return -1;
    const double angle = layout.AngleAt(point);
    int best = -1;
    double nearest = reach;
    for (int i = 0; i < static_cast<int>(chart.Series.size()); ++i) {
        const double value = SeriesValueAt(chart, i, angle);
        if (!std::isfinite(value)) continue;
        const double distance = std::fabs(layout.ToPoint(angle, value).y() - point.y());
        if (distance <= nearest) nearest = distance, best = i;
    }
    return best;
}

namespace {

void PaintGrid(QPainter& painter, const CartesianChart& chart, const CartesianLayout& layout,
               const ChartStyle& style) {
    const QRectF plot = layout.Plot();
    const QFontMetricsF fm(painter.font());
    painter.setPen(QPen(style.Grid, 0.5 * Unit(style)));
    for (double a = chart.AngleLow; a <= chart.AngleHigh + 1e-9; a += chart.AngleStep) {
        const double x = layout.ToPoint(a, 0).x();
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    for (double v : chart.Values.Values) {
        const double y = layout.ToPoint(0, v).y();
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    painter.setPen(style.Text);
    const double line = fm.height();
    // Every tick labelled when the labels fit, else every second or third (0 always).
    const double spacing = plot.width() * chart.AngleStep / (chart.AngleHigh - chart.AngleLow);
    const long every =
        std::max(1L, std::lround(std::ceil(fm.horizontalAdvance(Degrees(-180)) * 1.2 / spacing)));
    for (double a = chart.AngleLow; a <= chart.AngleHigh + 1e-9; a += chart.AngleStep) {
        if (std::lround(a / chart.AngleStep) % every != 0) continue;
        const QPointF at = layout.ToPoint(a, 0);
        painter.drawText(QRectF(at.x() - 40 * line, plot.bottom() + line * 0.2, 80 * line, line),
                         Qt::AlignHCenter | Qt::AlignTop, Degrees(a));
    }
    for (double v : chart.Values.Values) {
        const QPointF at = layout.ToPoint(chart.AngleLow, v);
        painter.drawText(
            QRectF(at.x() - 40 * line - line * 0.3, at.y() - line / 2, 40 * line, line),
            Qt::AlignRight | Qt::AlignVCenter, TickText(v));
    }
    painter.drawText(QRectF(plot.left(), plot.top() - line * 1.3, plot.width(), line),
                     Qt::AlignLeft | Qt::AlignBottom, chart.Unit);
    painter.setPen(QPen(style.Frame, 0.8 * Unit(style)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
}

QPen SeriesPen(const CartesianSeries& s, const ChartStyle& style) {
    QPen pen(s.Color, style.LineWidth * Unit(style), s.Style);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void PaintSeries(QPainter& painter, const CartesianSeries& s, const CartesianLayout& layout,
                 const ChartStyle& style) {
    QPolygonF curve;
    for (const QPointF& p : s.Points)
        curve << layout.ToPoint(p.x(), p.y());
    painter.setPen(SeriesPen(s, style));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(curve);
    if (!std::isfinite(s.BeamLow)) return;
    const double r = 2.2 * Unit(style);
    painter.setPen(QPen(s.Color, 0.8 * Unit(style)));
    painter.setBrush(s.Color);
    for (double a : {s.BeamLow, s.BeamHigh})
        painter.drawEllipse(layout.ToPoint(a, s.Peak * 0.5), r, r);
    painter.setBrush(style.Background);
    for (double a : {s.FieldLow, s.FieldHigh})
        painter.drawEllipse(layout.ToPoint(a, s.Peak * 0.1), r, r);
}

void PaintLegend(QPainter& painter, const CartesianChart& chart, const CartesianLayout& layout,
                 const ChartStyle& style) {
    const std::vector<QRectF>& items = layout.LegendItems();
    const double sample = kSample * Unit(style);
    for (std::size_t i = 0; i < items.size() && i < chart.Series.size(); ++i) {
        const QRectF& item = items[i];
        painter.setPen(SeriesPen(chart.Series[i], style));
        painter.drawLine(QPointF(item.left(), item.center().y()),
                         QPointF(item.left() + sample, item.center().y()));
        painter.setPen(style.Text);
        painter.drawText(item.adjusted(sample + item.height() * 0.4, 0, 0, 0),
                         Qt::AlignLeft | Qt::AlignVCenter, LegendText(chart.Series[i]));
    }
}

} // namespace

void PaintCartesianChart(QPainter& painter, const QRectF& area, const CartesianChart& chart,
                         const ChartStyle& style) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(area, style.Background);
    painter.setFont(ChartFont(style.FontPixels));
    const CartesianLayout layout(chart, area, style);
    PaintGrid(painter, chart, layout, style);
    painter.save();
    const double pad = 4 * Unit(style);
    painter.setClipRect(layout.Plot().adjusted(-pad, -pad, pad, 1), Qt::IntersectClip);
    for (const CartesianSeries& s : chart.Series)
        PaintSeries(painter, s, layout, style);
    painter.restore();
    PaintLegend(painter, chart, layout, style);
    painter.restore();
}

} // namespace gonilux
