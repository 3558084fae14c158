// The datasheet's tables: the main figures with the outdoor ratings and the zonal lumens.
#include "diagram/datasheet_parts.h"
#include "diagram/diagram_text.h"
#include "diagram/opening.h"
#include "diagram/ratings_chart.h"

#include <QCoreApplication>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace gonilux::sheet {

namespace {

using Row = std::pair<QString, QString>;

QString Tr(const char* text) {
    return QCoreApplication::translate("Datasheet", text);
}

// A figure with its kind's digits and unit; "–" alone when it is not a number.
QString Figure(double value, FigureKind kind) {
    return std::isfinite(value) ? GroupedFigureText(value, kind) : Number(value, 0);
}

QString Degrees(double angle) {
    return Figure(angle, FigureKind::Angle);
}

QString LampText(const tIES& ies, const tMetrics& m) {
    if (m.Absolute) return Tr(QT_TRANSLATE_NOOP("Datasheet", "绝对光度"));
    if (ies.LampCount > 1)
        return QStringLiteral("%1 × %2")
            .arg(ies.LampCount)
            .arg(Figure(ies.LumensPerLamp, FigureKind::Flux));
    return Figure(m.LampFlux, FigureKind::Flux);
}

QString MaxText(const tMetrics& m) {
    QString text = Figure(m.MaxIntensity, FigureKind::Intensity);
    if (std::isfinite(m.LampFlux) && m.LampFlux > 0)
        text += QStringLiteral("  (") +
                GroupedFigure(m.MaxIntensity / m.LampFlux * 1000, FigureKind::Intensity) +
                QStringLiteral(" cd/klm)");
    return text;
}

QString DirectionText(const tIES& ies, const tMetrics& m) {
    const bool c = ies.PhotometricType == 1;
    return (c ? QStringLiteral("C ") : QStringLiteral("H ")) + Degrees(m.MaxHorzAngle) +
           (c ? QStringLiteral(", γ ") : QStringLiteral(", V ")) + Degrees(m.MaxVertAngle);
}

// As the polar diagram names the luminous opening: "D=150 mm", "600x600 mm", in the unit
// system asked for.
QString SizeText(const DatasheetInput& in) {
    return DescribeOpening(OpeningOf(in.Ies, in.Lengths, in.Eulumdat)).DimensionText;
}

std::vector<Row> FigureRows(const DatasheetInput& in) {
    const tMetrics& m = in.Metrics;
    const tIES& ies = in.Ies;
    const QString pairs = QString::fromStdString(SpreadPlaneName(m.SpreadPlanes, 0)) +
                          QStringLiteral(" / ") +
                          QString::fromStdString(SpreadPlaneName(m.SpreadPlanes, 1));
    using K = FigureKind;
    std::vector<Row> rows = {
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "灯具光通量")), Figure(m.LuminaireFlux, K::Flux)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "光源光通量")), LampText(ies, m)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "光输出比")),
         Figure(m.LightOutputRatio * 100, K::Percent)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "输入功率")), Figure(ies.ExactInputWatts, K::Power)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "光效")), Figure(m.Efficacy, K::Efficacy)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "最大光强")), MaxText(m)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "最大光强方向")), DirectionText(ies, m)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "下射 / 上射")),
         Figure(m.DownwardFraction * 100, K::Percent) + QStringLiteral(" / ") +
             Figure(m.UpwardFraction * 100, K::Percent)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "光束角 (50 %)")),
         Degrees(m.Spread0.Beam) + QStringLiteral(" / ") + Degrees(m.Spread90.Beam)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "场角 (10 %)")),
         Degrees(m.Spread0.Field) + QStringLiteral(" / ") + Degrees(m.Spread90.Field)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "平面")), pairs},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "发光面尺寸")), SizeText(in)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "光度类型")),
         QStringLiteral("%1  (%2 × %3)")
             .arg(QStringLiteral("?CBA").at(ies.PhotometricType <= 3 ? ies.PhotometricType : 0))
             .arg(ies.HorzCount)
             .arg(ies.VertCount)},
    };
    for (const Row& row : OutdoorRatingRows(in.Ratings.Outdoor))
        rows.push_back(row);
    return rows;
}

void Stripe(QPainter& painter, const QRectF& row, int index) {
    if (index % 2 == 0) painter.fillRect(row, QColor(0xf2, 0xf4, 0xf8));
}

} // namespace

void PaintFigures(QPainter& painter, const QRectF& box, const DatasheetInput& in) {
    const std::vector<Row> rows = FigureRows(in);
    const double rowHeight = std::min(14.0, box.height() / static_cast<double>(rows.size()));
    double y = box.top();
    int index = 0;
    for (const Row& row : rows) {
        const QRectF line(box.left(), y, box.width(), rowHeight);
        Stripe(painter, line, index++);
        Text(painter, line.adjusted(4, 0, 0, 0), row.first, 8, false, kMuted,
             Qt::AlignLeft | Qt::AlignVCenter);
        Text(painter, line.adjusted(box.width() * 0.42, 0, -4, 0), row.second, 8, false, Qt::black,
             Qt::AlignLeft | Qt::AlignVCenter);
        y += rowHeight;
    }
}

void PaintZonalTable(QPainter& painter, const QRectF& box, const DatasheetInput& in) {
    const ZonalSummary& z = in.Zonal;
    const double rowHeight = 14, label = 80;
    const int columns = static_cast<int>(z.Zones.size());
    const double column = columns > 0 ? (box.width() - label) / columns : 0;
    const QString names[] = {Tr(QT_TRANSLATE_NOOP("Datasheet", "区域")), QStringLiteral("lm"),
                             Tr(QT_TRANSLATE_NOOP("Datasheet", "% 光源")),
                             Tr(QT_TRANSLATE_NOOP("Datasheet", "% 灯具"))};
    std::vector<double> lumens;
    for (const ZoneFlux& zone : z.Zones)
        lumens.push_back(zone.Lumens);
    const int lm = TableDecimals(FigureKind::Flux, lumens);
    const int percent = FigureRuleOf(FigureKind::Percent).Decimals;
    for (int r = 0; r < 4; ++r) {
        const QRectF line(box.left(), box.top() + r * rowHeight, box.width(), rowHeight);
        if (r == 0)
            painter.fillRect(line, QColor(0xe3, 0xe9, 0xf3));
        else
            Stripe(painter, line, r + 1);
        Text(painter, QRectF(line.left() + 4, line.top(), label, rowHeight), names[r], 8, r == 0,
             r == 0 ? kAccent : kMuted, Qt::AlignLeft | Qt::AlignVCenter);
        for (int c = 0; c < columns; ++c) {
            const ZoneFlux& zone = z.Zones[static_cast<std::size_t>(c)];
            const QString cell = r == 0   ? QString::fromStdString(ZoneName(zone)) + QChar(0x00B0)
                                 : r == 1 ? Number(zone.Lumens, lm)
                                 : r == 2 ? Number(zone.PercentLamp, percent)
                                          : Number(zone.PercentLuminaire, percent);
            Text(painter,
                 QRectF(line.left() + label + c * column, line.top(), column - 4, rowHeight), cell,
                 8, r == 0, r == 0 ? kAccent : Qt::black, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    QStringList codes;
    for (double code : z.CieFluxCodes)
        codes << Number(code, FigureRuleOf(FigureKind::FluxCode).Decimals);
    Text(painter, QRectF(box.left() + 4, box.top() + 4 * rowHeight + 8, box.width(), rowHeight),
         Tr(QT_TRANSLATE_NOOP("Datasheet", "CIE 光通码 (N1–N5)：")) +
             codes.join(QStringLiteral("  ")),
         8, false, Qt::black, Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace gonilux::sheet
