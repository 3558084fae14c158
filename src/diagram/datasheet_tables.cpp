// The datasheet's tables: the main figures and the zonal lumens.
#include "diagram/datasheet_parts.h"
#include "diagram/opening.h"

#include <QCoreApplication>
#include <QPainter>
#include <QStringList>
#include <cmath>
#include <utility>
#include <vector>

namespace gonilux::sheet {

namespace {

using Row = std::pair<QString, QString>;

QString Tr(const char* text) {
    return QCoreApplication::translate("Datasheet", text);
}

// A figure with its unit; "–" alone when it is not a number.
QString Figure(double value, int decimals, const char* unit) {
    return std::isfinite(value) ? Number(value, decimals) + QString::fromUtf8(unit)
                                : Number(value, 0);
}

QString Degrees(double angle) {
    return Figure(angle, 1, "\u00B0");
}

QString LampText(const tIES& ies, const tMetrics& m) {
    if (m.Absolute) return Tr(QT_TRANSLATE_NOOP("Datasheet", "绝对光度"));
    if (ies.LampCount > 1)
        return QStringLiteral("%1 × %2 lm").arg(ies.LampCount).arg(Number(ies.LumensPerLamp, 0));
    return Figure(m.LampFlux, 0, " lm");
}

QString MaxText(const tMetrics& m) {
    QString text = Figure(m.MaxIntensity, 0, " cd");
    if (std::isfinite(m.LampFlux) && m.LampFlux > 0)
        text += QStringLiteral("  (") + Number(m.MaxIntensity / m.LampFlux * 1000, 0) +
                QStringLiteral(" cd/klm)");
    return text;
}

QString DirectionText(const tIES& ies, const tMetrics& m) {
    const bool c = ies.PhotometricType == 1;
    return (c ? QStringLiteral("C ") : QStringLiteral("H ")) + Degrees(m.MaxHorzAngle) +
           (c ? QStringLiteral(", γ ") : QStringLiteral(", V ")) + Degrees(m.MaxVertAngle);
}

// As the polar diagram names the luminous opening: "D=150 mm", "600x600 mm".
QString SizeText(const tIES& ies) {
    return DescribeOpening({ies.Width, ies.Length, ies.Height, ies.UnitsType}).DimensionText;
}

std::vector<Row> FigureRows(const DatasheetInput& in) {
    const tMetrics& m = in.Metrics;
    const tIES& ies = in.Ies;
    const QString pairs = QString::fromStdString(SpreadPlaneName(m.SpreadPlanes, 0)) +
                          QStringLiteral(" / ") +
                          QString::fromStdString(SpreadPlaneName(m.SpreadPlanes, 1));
    return {
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "灯具光通量")), Figure(m.LuminaireFlux, 0, " lm")},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "光源光通量")), LampText(ies, m)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "光输出比")), Figure(m.LightOutputRatio * 100, 1, " %")},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "输入功率")), Figure(ies.ExactInputWatts, 1, " W")},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "光效")), Figure(m.Efficacy, 1, " lm/W")},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "最大光强")), MaxText(m)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "最大光强方向")), DirectionText(ies, m)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "下射 / 上射")),
         Figure(m.DownwardFraction * 100, 1, " % / ") + Figure(m.UpwardFraction * 100, 1, " %")},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "光束角 (50 %)")),
         Degrees(m.Spread0.Beam) + QStringLiteral(" / ") + Degrees(m.Spread90.Beam)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "场角 (10 %)")),
         Degrees(m.Spread0.Field) + QStringLiteral(" / ") + Degrees(m.Spread90.Field)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "平面")), pairs},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "发光面尺寸")), SizeText(ies)},
        {Tr(QT_TRANSLATE_NOOP("Datasheet", "光度类型")),
         QStringLiteral("%1  (%2 × %3)")
             .arg(QStringLiteral("?CBA").at(ies.PhotometricType <= 3 ? ies.PhotometricType : 0))
             .arg(ies.HorzCount)
             .arg(ies.VertCount)},
    };
}

void Stripe(QPainter& painter, const QRectF& row, int index) {
    if (index % 2 == 0) painter.fillRect(row, QColor(0xf2, 0xf4, 0xf8));
}

} // namespace

void PaintFigures(QPainter& painter, const QRectF& box, const DatasheetInput& in) {
    const double rowHeight = 14;
    double y = box.top();
    int index = 0;
    for (const Row& row : FigureRows(in)) {
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
                                 : r == 1 ? Number(zone.Lumens, 0)
                                 : r == 2 ? Number(zone.PercentLamp, 1)
                                          : Number(zone.PercentLuminaire, 1);
            Text(painter,
                 QRectF(line.left() + label + c * column, line.top(), column - 4, rowHeight), cell,
                 8, r == 0, r == 0 ? kAccent : Qt::black, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    QStringList codes;
    for (double code : z.CieFluxCodes)
        codes << Number(code, 0);
    Text(painter, QRectF(box.left() + 4, box.top() + 4 * rowHeight + 8, box.width(), rowHeight),
         Tr(QT_TRANSLATE_NOOP("Datasheet", "CIE 光通码 (N1–N5)：")) +
             codes.join(QStringLiteral("  ")),
         8, false, Qt::black, Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace gonilux::sheet
