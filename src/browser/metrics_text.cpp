#include "metrics_text.h"

#include "browser/file_entries.h"
#include "diagram/diagram_text.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace gonilux::browser {
namespace {

constexpr int kTypeC = 1;

// The callers mark their texts with QT_TRANSLATE_NOOP so that lupdate collects them.
QString Tr(const char* text) {
    return QCoreApplication::translate("MetricsText", text);
}

bool Has(double value) {
    return std::isfinite(value);
}

QString Figure(double value, FigureKind kind) {
    return GroupedFigure(value, kind);
}

QString Angle(double value) {
    return GroupedFigure(value, FigureKind::Angle);
}

QString FluxLine(const tMetrics& m) {
    const QString amount = Figure(m.LuminaireFlux, FigureKind::Flux);
    return m.Absolute
               ? Tr(QT_TRANSLATE_NOOP("MetricsText", "光通量: %1 lm (绝对光度)")).arg(amount)
               : Tr(QT_TRANSLATE_NOOP("MetricsText", "光通量: %1 lm (相对光度)")).arg(amount);
}

QString MaxIntensityLine(const tMetrics& m, int photometricType) {
    const QString amount = Figure(m.MaxIntensity, FigureKind::Intensity);
    if (!Has(m.MaxHorzAngle) || !Has(m.MaxVertAngle))
        return Tr(QT_TRANSLATE_NOOP("MetricsText", "最大光强: %1 cd")).arg(amount);
    const QString text =
        photometricType == kTypeC
            ? Tr(QT_TRANSLATE_NOOP("MetricsText", "最大光强: %1 cd (C%2, γ %3°)"))
            : Tr(QT_TRANSLATE_NOOP("MetricsText", "最大光强: %1 cd (H %2°, V %3°)"));
    return text.arg(amount, Angle(m.MaxHorzAngle), Angle(m.MaxVertAngle));
}

// "<label> C0-C180: 48.2° / C90-C270: 50.1°", each principal plane (named as the figures name
// it) only when its angle is known.
QString SpreadLine(const QString& label, const tMetrics& m, double tSpread::*angle) {
    QStringList parts;
    for (int plane = 0; plane < 2; ++plane) {
        const double value = (plane == 0 ? m.Spread0 : m.Spread90).*angle;
        if (Has(value))
            parts << QString::fromStdString(SpreadPlaneName(m.SpreadPlanes, plane)) +
                         QStringLiteral(": ") + Angle(value) + QStringLiteral("°");
    }
    return parts.isEmpty() ? QString()
                           : label + QLatin1Char(' ') + parts.join(QStringLiteral(" / "));
}

} // namespace

QString GroupedNumber(double value, int decimals) {
    return Has(value) ? GroupedFixed(value, decimals) : QString();
}

QStringList MetricsLines(const tMetrics& m, int photometricType) {
    QStringList lines;
    if (!m.Valid) return lines;
    if (Has(m.LuminaireFlux)) lines << FluxLine(m);
    if (Has(m.LightOutputRatio))
        lines << Tr(QT_TRANSLATE_NOOP("MetricsText", "灯具效率 (LOR): %1 %"))
                     .arg(Figure(100 * m.LightOutputRatio, FigureKind::Percent));
    if (Has(m.Efficacy))
        lines << Tr(QT_TRANSLATE_NOOP("MetricsText", "光效: %1 lm/W"))
                     .arg(Figure(m.Efficacy, FigureKind::Efficacy));
    if (Has(m.MaxIntensity)) lines << MaxIntensityLine(m, photometricType);
    const QString beam =
        SpreadLine(Tr(QT_TRANSLATE_NOOP("MetricsText", "光束角")), m, &tSpread::Beam);
    if (!beam.isEmpty()) lines << beam;
    const QString field =
        SpreadLine(Tr(QT_TRANSLATE_NOOP("MetricsText", "场角")), m, &tSpread::Field);
    if (!field.isEmpty()) lines << field;
    if (Has(m.DownwardFraction))
        lines << Tr(QT_TRANSLATE_NOOP("MetricsText", "向下光通: %1 %"))
                     .arg(Figure(100 * m.DownwardFraction, FigureKind::Percent));
    return lines;
}

QString MetricsBlock(const tMetrics& metrics, int photometricType) {
    const QStringList lines = MetricsLines(metrics, photometricType);
    return lines.isEmpty() ? QString() : QStringLiteral("\n\n") + lines.join(QLatin1Char('\n'));
}

QString HeaderErrorText(const TiesData& entry) {
    if (!ShowsErrorBadge(entry)) return {};
    if (entry.Diagnostics.OpenFailed) // the words of the box that reported it
        return QCoreApplication::translate("gonilux::browser::FolderListView",
                                           "无法读取文件\r%1\r%2")
            .arg(EntryFileName(entry), QString::fromStdString(entry.Diagnostics.OpenError))
            .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const ReadDiagnostics& d = entry.Diagnostics;
    QStringList parts;
    if (d.HeaderError) // the words of the reader's message box, translated as there
        parts << QCoreApplication::translate("gonilux::browser::FolderListView", "错误！") +
                     QLatin1Char(' ') +
                     QCoreApplication::translate("gonilux::browser::FolderListView", "第 %1 行")
                         .arg(d.HeaderErrorLine);
    if (d.Truncated())
        parts << Tr(QT_TRANSLATE_NOOP("MetricsText", "文件不完整：%1 个数值中只有 %2 个"))
                     .arg(d.ValuesExpected)
                     .arg(d.ValuesRead);
    return parts.join(QStringLiteral("; "));
}

QString DamagedFiguresNote() {
    return Tr(QT_TRANSLATE_NOOP("MetricsText", "（文件已损坏：数值仅来自现有的数据）"));
}

namespace {

// The BUG rating and the standard room's UGR, where they are defined.
QStringList RatingLines(const tRatings& ratings) {
    QStringList lines;
    if (!ratings.Valid) return lines;
    const QString bug = QString::fromStdString(BugText(ratings.Outdoor.Bug));
    if (!bug.isEmpty()) lines << Tr(QT_TRANSLATE_NOOP("MetricsText", "BUG 等级: %1")).arg(bug);
    if (const double ugr = WorseUgr(ratings.Ugr); Has(ugr))
        lines << Tr(QT_TRANSLATE_NOOP("MetricsText", "统一眩光值 UGR (4H×8H, 70/50/20): %1"))
                     .arg(GroupedNumber(ugr, 1));
    return lines;
}

} // namespace

QString EntryToolTipText(const TiesData& entry, const std::optional<tMetrics>& metrics,
                         const std::optional<tRatings>& ratings) {
    QStringList lines{EntryFileName(entry)};
    const QString error = HeaderErrorText(entry);
    if (!error.isEmpty()) lines << error;
    if (entry.Loaded && metrics) {
        const QStringList figures = MetricsLines(*metrics, entry.Ies.PhotometricType);
        if (!figures.isEmpty() && entry.Diagnostics.Damaged()) lines << DamagedFiguresNote();
        lines << figures;
    }
    if (entry.Loaded && ratings) lines << RatingLines(*ratings);
    return lines.join(QLatin1Char('\n'));
}

} // namespace gonilux::browser
