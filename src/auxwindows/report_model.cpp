#include "report_model.h"

#include "diagram/diagram_text.h"
#include "diagram/ratings_chart.h"
#include "photometry/resample.h"

#include <QCoreApplication>
#include <cmath>
#include <numbers>

namespace gonilux::auxwindows {
namespace {

// The callers mark their texts with QT_TRANSLATE_NOOP so that lupdate collects them.
QString Tr(const char* text) {
    return QCoreApplication::translate("ReportWindow", text);
}

bool HasTable(const tIES* ies) {
    return ies && !ies->Candela.empty() && !ies->HorzAngles.empty() && !ies->VertAngles.empty();
}

QString Degrees(double angle) {
    return GroupedFigureText(angle, FigureKind::Angle);
}

} // namespace

QString ReportNumber(double value, int decimals) {
    return GroupedFixed(value, decimals);
}

QString ReadingText(const PointerReading& reading) {
    if (!reading.Valid) return {};
    const QString plane = reading.TypeC ? QStringLiteral("C ") : QStringLiteral("H ");
    const QString gamma = reading.TypeC ? QStringLiteral("γ ") : QStringLiteral("V ");
    return plane + Degrees(reading.Plane) + QStringLiteral("  ") + gamma + Degrees(reading.Gamma) +
           QStringLiteral("  ") + GroupedFigure(reading.Value, FigureKind::Intensity) +
           QLatin1Char(' ') + reading.Unit;
}

PointerReading PolarReading(const tIES& ies, int plane, bool absolute, QPointF offset) {
    PointerReading reading;
    if (!HasTable(&ies) || (offset.x() == 0 && offset.y() == 0)) return reading;
    const int last = static_cast<int>(ies.HorzAngles.size()) - 1;
    const double horz = ies.HorzAngles[static_cast<std::size_t>(std::clamp(plane, 0, last))];
    const double fromDown = std::atan2(std::fabs(offset.x()), offset.y()) * 180 / std::numbers::pi;
    const bool right = offset.x() >= 0;
    reading.TypeC = ies.PhotometricType == 1;
    if (reading.TypeC) {
        reading.Gamma = fromDown;
        reading.Plane = right ? horz : std::fmod(horz + 180, 360);
    } else { // the plane's vertical angles run from the left (negative) through down
        reading.Gamma = right ? fromDown : -fromDown;
        reading.Plane = horz;
    }
    const ValueScale scale = ReportValueScale(ies, absolute);
    reading.Value = IntensityAt(ies, reading.Plane, reading.Gamma) * scale.Factor;
    reading.Unit = scale.Candela ? QStringLiteral("cd") : QStringLiteral("cd/klm");
    reading.Valid = std::isfinite(reading.Value);
    return reading;
}

PointerReading CartesianReading(const CartesianChart& chart, const CartesianLayout& layout,
                                QPointF point) {
    PointerReading reading;
    if (!chart.Valid || !layout.InPlot(point)) return reading;
    const int series = NearestSeries(chart, layout, point, layout.Plot().height());
    if (series < 0) return reading;
    const double angle = layout.AngleAt(point);
    reading.Value = SeriesValueAt(chart, series, angle);
    const CartesianDirection direction = SeriesDirection(chart, series, angle);
    reading.TypeC = chart.Series[static_cast<std::size_t>(series)].TypeC;
    reading.Gamma = direction.Gamma;
    reading.Plane = direction.Plane;
    reading.Unit = chart.Unit;
    reading.Valid = std::isfinite(reading.Value);
    return reading;
}

OverlayPlan PlanOverlay(const std::vector<SelectedRecord>& selected) {
    OverlayPlan plan;
    int usable = 0;
    for (const SelectedRecord& record : selected) {
        if (!HasTable(record.Ies)) continue;
        if (++usable <= kMaxOverlayFiles) plan.Records.push_back(record);
    }
    if (usable > kMaxOverlayFiles)
        plan.Hint = Tr(QT_TRANSLATE_NOOP("ReportWindow", "只比较所选文件中的前四个。"));
    if (!plan.Drawn())
        plan.Hint = Tr(QT_TRANSLATE_NOOP(
            "ReportWindow", "在文件列表中选择二至四个文件（Ctrl+单击），即可在此叠加比较。"));
    return plan;
}

std::vector<QStringList> FigureRows(const std::vector<tMetrics>& metrics) {
    struct Figure {
        const char* Name;
        double (*Value)(const tMetrics&);
        FigureKind Kind;
    };
    using K = FigureKind;
    static const Figure kFigures[] = {
        {QT_TRANSLATE_NOOP("ReportWindow", "最大光强 (cd)"),
         [](const tMetrics& m) { return m.MaxIntensity; }, K::Intensity},
        {QT_TRANSLATE_NOOP("ReportWindow", "灯具光通量 (lm)"),
         [](const tMetrics& m) { return m.LuminaireFlux; }, K::Flux},
        {QT_TRANSLATE_NOOP("ReportWindow", "光效 (lm/W)"),
         [](const tMetrics& m) { return m.Efficacy; }, K::Efficacy},
        {QT_TRANSLATE_NOOP("ReportWindow", "光束角 (°)"), BeamAngle, K::Angle},
        {QT_TRANSLATE_NOOP("ReportWindow", "场角 (°)"), FieldAngle, K::Angle},
        {QT_TRANSLATE_NOOP("ReportWindow", "下射光比例 (%)"),
         [](const tMetrics& m) { return m.DownwardFraction * 100; }, K::Percent},
    };
    std::vector<QStringList> rows;
    for (const Figure& figure : kFigures) {
        QStringList row{Tr(figure.Name)};
        for (const tMetrics& m : metrics)
            row.append(m.Valid ? GroupedFigure(figure.Value(m), figure.Kind) : QStringLiteral("-"));
        rows.push_back(row);
    }
    // Each principal plane named with its angles, since the planes follow each file's peak.
    for (int plane = 0; plane < 2; ++plane) {
        QStringList row{Tr(plane == 0
                               ? QT_TRANSLATE_NOOP("ReportWindow", "第一主平面 光束角 / 场角")
                               : QT_TRANSLATE_NOOP("ReportWindow", "第二主平面 光束角 / 场角"))};
        for (const tMetrics& m : metrics) {
            const tSpread& s = plane == 0 ? m.Spread0 : m.Spread90;
            row.append(m.Valid ? QString::fromStdString(SpreadPlaneName(m.SpreadPlanes, plane)) +
                                     QStringLiteral(": ") + Degrees(s.Beam) +
                                     QStringLiteral(" / ") + Degrees(s.Field)
                               : QStringLiteral("-"));
        }
        rows.insert(rows.begin() + 5 + plane, row);
    }
    return rows;
}

QString CandelaCell(double value, int decimals) {
    return std::isfinite(value) ? QString::fromStdString(FixedNumber(value, decimals)) : QString();
}

QString CandelaUnitText(const CandelaTable& table) {
    return QString::fromStdString(CandelaUnit(table));
}

QString CandelaText(const CandelaTable& table) {
    if (!table.Valid) return {};
    QString text = CandelaUnitText(table);
    const int planes = LabelDecimals(table.Planes);
    const int angles = LabelDecimals(table.Angles);
    const int decimals = CandelaDecimals(table);
    for (double plane : table.Planes)
        text += QLatin1Char('\t') + CandelaCell(plane, planes);
    for (std::size_t a = 0; a < table.Angles.size() && a < table.Values.size(); ++a) {
        text += QLatin1Char('\n') + CandelaCell(table.Angles[a], angles);
        for (double value : table.Values[a])
            text += QLatin1Char('\t') + CandelaCell(value, decimals);
    }
    return text + QLatin1Char('\n');
}

RatingTableText LuminanceTableText(const tLuminanceTable& table) {
    RatingTableText text{LuminancePlaneLabels(), {}, {}, {}};
    for (std::size_t a = 0; a < tLuminanceTable::Angles.size(); ++a) {
        text.Rows << Degrees(tLuminanceTable::Angles[a]);
        if (!table.Valid) continue;
        QStringList row;
        for (double value : table.Values[a])
            row << LuminanceCell(value);
        text.Cells.push_back(row);
    }
    return text;
}

RatingTableText UgrTableText(const tUgrTable& table) {
    RatingTableText text;
    text.Columns = UgrReflectanceLabels() + UgrReflectanceLabels();
    text.Groups = {Tr(QT_TRANSLATE_NOOP("ReportWindow", "横向观察")),
                   Tr(QT_TRANSLATE_NOOP("ReportWindow", "纵向观察"))};
    for (std::size_t r = 0; r < kUgrRooms.size(); ++r) {
        text.Rows << UgrRoomLabel(kUgrRooms[r]);
        if (!table.Valid) continue;
        QStringList row;
        for (const auto* side : {&table.Crosswise, &table.Endwise})
            for (double value : (*side)[r])
                row << UgrCell(value);
        text.Cells.push_back(row);
    }
    return text;
}

RatingTableText CuTableText(const tCuTable& table) {
    RatingTableText text{CuReflectanceLabels(), {}, {}, {}};
    for (std::size_t rcr = 0; rcr < table.Percent.size(); ++rcr) {
        text.Rows << QString::number(rcr);
        if (!table.Valid) continue;
        QStringList row;
        for (double value : table.Percent[rcr])
            row << CuCell(value);
        text.Cells.push_back(row);
    }
    return text;
}

namespace {

QString TableLines(const QString& corner, const RatingTableText& table) {
    QString text;
    const qsizetype groups = table.Groups.size();
    for (qsizetype c = 0; groups > 0 && c < table.Columns.size(); ++c) {
        const qsizetype width = table.Columns.size() / groups;
        text += QLatin1Char('\t') + (c % width == 0 ? table.Groups.value(c / width) : QString());
    }
    if (groups > 0) text += QLatin1Char('\n');
    text += corner + QLatin1Char('\t') + table.Columns.join('\t') + QLatin1Char('\n');
    for (std::size_t r = 0; r < table.Cells.size(); ++r)
        text += table.Rows.value(static_cast<qsizetype>(r)) + QLatin1Char('\t') +
                table.Cells[r].join('\t') + QLatin1Char('\n');
    return text;
}

} // namespace

QString RatingsText(const tRatings& ratings, const tUgrTable& ugr, const tCuTable& cu) {
    QString text = Tr(QT_TRANSLATE_NOOP("ReportWindow", "LCS 区域")) + QStringLiteral("\tlm\t%\n");
    const std::vector<LcsZoneShare> zones = LcsShares(ratings.Outdoor.Lcs);
    std::vector<double> lumens;
    for (const LcsZoneShare& zone : zones)
        lumens.push_back(zone.Lumens);
    const int decimals = TableDecimals(FigureKind::Flux, lumens);
    for (const LcsZoneShare& zone : zones)
        text += QString::fromLatin1(zone.Name) + QLatin1Char('\t') +
                GroupedFixed(zone.Lumens, decimals) + QLatin1Char('\t') +
                GroupedFixed(zone.Percent, 1) + QLatin1Char('\n');
    for (const auto& [label, value] : OutdoorRatingRows(ratings.Outdoor))
        text += label + QLatin1Char('\t') + value + QLatin1Char('\n');
    text += QLatin1Char('\n') + TableLines(Tr(QT_TRANSLATE_NOOP("ReportWindow", "亮度 (cd/m²)")),
                                           LuminanceTableText(ratings.Luminance));
    text += QLatin1Char('\n') +
            TableLines(QStringLiteral("UGR S = %1H").arg(ugr.Spacing), UgrTableText(ugr));
    text += QLatin1Char('\n') +
            TableLines(Tr(QT_TRANSLATE_NOOP("ReportWindow", "利用系数 (%)")), CuTableText(cu));
    for (const QString& note : RatingNotes(ratings, &ugr))
        text += QLatin1Char('\n') + note;
    return text;
}

} // namespace gonilux::auxwindows
