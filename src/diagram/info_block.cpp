#include "diagram/info_block.h"

#include "diagram/diagram_math.h"
#include "diagram/diagram_text.h"
#include "diagram/goniogram.h"
#include "diagram/pictograms.h"

#include <QCoreApplication>
#include <QPainter>
#include <cmath>

namespace gonilux {

namespace {

QString Number(int value) {
    return QString::number(value);
}

bool ShowsWarning(const GonioContext& ctx) {
    return ctx.Ies.PhotometricType != 1 && ctx.Options.Warning;
}

int TypePictogram(int photometricType) {
    if (photometricType < 1 || photometricType > 3) return CellQuestion;
    return 3 - photometricType;
}

// Bulbs at the bottom left: one per lamp up to four, else one and the count.
void DrawLamps(const GonioContext& ctx, int s, int tx) {
    const int count = ctx.Ies.LampCount;
    const int y = ctx.Height - 5 + 3 * ctx.FontH;
    if (count > 4) {
        BlitPictogram(ctx.Painter, CellBulb, 5, y, s);
        DrawTextAt(ctx.Painter, tx, ctx.Height - 5 + RoundEven(2.5 * ctx.FontH),
                   QStringLiteral("x") + ShortestText(count));
        return;
    }
    for (int i = 0; i < std::max(1, count); ++i)
        BlitPictogram(ctx.Painter, CellBulb, 5 + i * s, y, s);
}

} // namespace

QString TypeLetter(int photometricType) {
    if (photometricType < 1 || photometricType > 3) return QStringLiteral("?");
    return QString(QChar(68 - photometricType));
}

QString MaxIntensityValue(const GonioContext& ctx) {
    QString text = GroupedFigure(ctx.Planes.Extents.MaxIntensity * ctx.K, FigureKind::Intensity) +
                   QStringLiteral(" cd");
    if (!ctx.Options.Multi) text += QStringLiteral("/klm");
    return text;
}

QString PowerValue(const tIES& ies) {
    const int watts = ies.InputWatts;
    if (ies.LampCount > 1)
        return QStringLiteral(" ") + Number(ies.LampCount) + QStringLiteral("x") +
               Number(watts / ies.LampCount) + QStringLiteral("=") + Number(watts) +
               QStringLiteral(" W");
    return QStringLiteral("=") + Number(watts) + QStringLiteral(" W");
}

QString PlaneAngleText(const GonioContext& ctx) {
    const auto plane = static_cast<std::size_t>(ctx.RequestedPlane);
    if (plane >= ctx.Ies.HorzAngles.size()) return {};
    return ShortestText(ctx.Ies.HorzAngles[plane]);
}

int PictogramSize(const GonioContext& ctx) {
    const int h0 = ctx.Options.FontHeight;
    const double ratio = h0 == 0 ? 1.0 : std::fabs(static_cast<double>(ctx.FontH) / h0);
    return RoundEven(ratio * 17) - ctx.Options.PlatformCorrection;
}

void DrawInfoText(const GonioContext& ctx) {
    QPainter& painter = ctx.Painter;
    const tIES& ies = ctx.Ies;
    const int m = RoundEven(5 * ctx.Scale);
    const int step = -ctx.FontH;
    const QString label =
        QCoreApplication::translate("InfoBlock", "类型 ") + TypeLetter(ies.PhotometricType);
    const int x = ctx.Width - TextWidthOf(painter, label) - m;
    DrawTextAt(painter, x, m, label);
    if (ShowsWarning(ctx))
        DrawSystemIcon(painter, SystemIcon::Warning, x - RoundEven(16 * ctx.Scale), m,
                       RoundEven(17 * ctx.Scale));
    if (ies.LumensPerLamp > 0)
        DrawTextAt(painter, m, m,
                   QCoreApplication::translate("InfoBlock", "光量=") +
                       GroupedFigure(ies.LumensPerLamp, FigureKind::Flux) + QStringLiteral(" lm"));
    DrawTextAt(painter, m, m + step,
               QCoreApplication::translate("InfoBlock", "最大") + MaxIntensityValue(ctx));
    const QString power = ies.LampCount > 1
                              ? QStringLiteral("P") + PowerValue(ies)
                              : QCoreApplication::translate("InfoBlock", "功率 ") + PowerValue(ies);
    DrawTextAt(painter, m, m + 2 * step, power);
    DrawTextAt(painter, m, m + 3 * step,
               QCoreApplication::translate("InfoBlock", "倍      增=") +
                   GroupedFigure(ies.Multiplier, FigureKind::Multiplier));
    DrawTextAt(painter, m, m + 4 * step,
               QCoreApplication::translate("InfoBlock", "度   数=") + PlaneAngleText(ctx));
}

void DrawInfoIcons(const GonioContext& ctx) {
    QPainter& painter = ctx.Painter;
    const tIES& ies = ctx.Ies;
    const int s = PictogramSize(ctx);
    const int tx = s + 7;
    const int h = ctx.FontH;
    const int right = ctx.Width - RoundEven(17 * ctx.Scale);
    BlitPictogram(painter, TypePictogram(ies.PhotometricType), right - 5, 5, s);
    if (ShowsWarning(ctx))
        DrawSystemIcon(painter, SystemIcon::Warning, right - RoundEven(16 * ctx.Scale), 5, s);
    if (ies.LumensPerLamp > 0) {
        BlitPictogram(painter, CellRays, 5, 3, s);
        DrawTextAt(painter, tx, 5,
                   QStringLiteral("=") + GroupedFigure(ies.LumensPerLamp, FigureKind::Flux) +
                       QStringLiteral(" lm"));
    }
    const int maxY = 5 - RoundEven(1.5 * h);
    BlitPictogram(painter, CellMaxBulb, 5, maxY, s);
    DrawTextAt(painter, tx, maxY, QStringLiteral("=") + MaxIntensityValue(ctx));
    BlitPictogram(painter, CellPower, 5, 5 - 3 * h, s);
    DrawTextAt(painter, tx, 5 - 3 * h, PowerValue(ies));
    const int multiplierY = 5 - RoundEven(4.5 * h);
    BlitPictogram(painter, CellTwoBulbs, 5, multiplierY, s);
    DrawTextAt(painter, tx, multiplierY,
               QStringLiteral("=") + GroupedFigureText(ies.Multiplier, FigureKind::Multiplier));
    BlitPictogram(painter, CellAngle, 5, 5 - 6 * h, s);
    DrawTextAt(painter, tx, 5 - 6 * h, QStringLiteral("=") + PlaneAngleText(ctx));
    DrawLamps(ctx, s, tx);
}

} // namespace gonilux
