#include "diagram/diagram_math.h"
#include "diagram/diagram_text.h"
#include "diagram/goniogram.h"
#include "diagram/info_block.h"
#include "diagram/line_geometry.h"
#include "diagram/opening.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace gonilux {

namespace {

// Bound on the one-by-one search for the ring multiple once it has been started near its goal.
constexpr int kSpacingSteps = 64;
// Multiples up to this are counted exactly.
constexpr double kExactMultiple = 1e12;

// The font height for the ring labels and texts: the canvas font, shrunk to 2 pixels less than
// the ring distance when the rings are closer than that, never below 1 pixel.
int TextHeight(const GonioContext& ctx, const RingSpacing& rings, double top) {
    double h0 = ctx.Options.FontHeight;
    if (rings.Valid) {
        const double distance = rings.Step / top * ctx.Rx;
        if (std::fabs(h0) + 2 > distance) h0 = RoundEven(-distance + 2);
    }
    if (h0 > -1) h0 = -1;
    return std::min(-1, RoundEven(h0 * ctx.Scale));
}

QColor TextColour(const DiagramOptions& options) {
    if (options.TextColor.isValid()) return options.TextColor;
    return QGuiApplication::palette().color(QPalette::WindowText);
}

void DrawRings(const GonioContext& ctx, const RingSpacing& rings, double top, const QPen& ringPen,
               const QPen& textPen) {
    QPainter& painter = ctx.Painter;
    const int x0 = ctx.Cx + ctx.OffX;
    const int y0 = ctx.Cy + ctx.OffY;
    for (int i = 0; i <= rings.Count; ++i) {
        const int rho = RoundEven(i * rings.Step / top * ctx.Rx);
        painter.save();
        UsePixelCentres(painter, ctx.Options.Antialias);
        painter.setPen(ringPen);
        painter.drawEllipse(GdiEllipseBox(x0 - rho, y0 - rho, x0 + rho, y0 + rho));
        painter.restore();
        painter.setPen(textPen);
        DrawTextAt(painter, x0, y0 + rho, FormatGrouped(i * rings.Step));
    }
}

} // namespace

RingSpacing ComputeRingSpacing(double top) {
    RingSpacing rings;
    if (!std::isfinite(top) || top <= 0) return rings;
    double base = 1;
    while (2 * base * 100000 > top && base > 0)
        base /= 10;
    const double unit = base * 100000;
    if (!(unit > 0)) return rings; // a top too small for doubles
    double m = 1;
    double u = unit;
    double n = std::nearbyint(top / u);
    if (n > 8) {
        // Counting the multiple up from 1 takes Top / (8.5 unit) steps: start a few below the
        // first multiple that gives at most 8 rings instead (same result). Beyond any real
        // photometric value, where m + 1 is no longer exact, take a multiple giving 8 rings.
        const double start = std::floor(top / (8.5 * unit)) - 3;
        if (start > kExactMultiple) {
            m = std::ceil(top / (8 * unit));
        } else if (start > m) {
            m = start;
        }
        u = unit * m;
        n = std::nearbyint(top / u);
        for (int step = 0; n > 8 && step < kSpacingSteps; ++step) {
            m += 1;
            u = unit * m;
            n = std::nearbyint(top / u);
        }
    }
    if (n < 4 && m > 1) {
        m -= 1;
        u = unit * m;
        n = std::nearbyint(top / u);
    } else if (n < 4) {
        u = unit * m / 2;
        n = std::nearbyint(top / u);
    }
    if (!(n >= 0 && n <= 8)) return rings;
    rings.Valid = true;
    rings.Step = u;
    rings.Count = static_cast<int>(n);
    return rings;
}

void DrawScaleRings(GonioContext& ctx) {
    QPainter& painter = ctx.Painter;
    ctx.K = ctx.Options.Multi ? ctx.Ies.Multiplier : 1.0;
    const double top = ctx.Rmax * ctx.K;
    const RingSpacing rings = ComputeRingSpacing(top);
    ctx.FontH = TextHeight(ctx, rings, top);

    painter.save();
    const QPen ringPen(QGuiApplication::palette().color(QPalette::Dark), 1);
    const QPen textPen(TextColour(ctx.Options));
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setFont(MakeDiagramFont(ctx.FontH));
    if (rings.Valid) DrawRings(ctx, rings, top, ringPen, textPen);
    painter.setPen(textPen);
    if (ctx.Options.Labels || ctx.Scale != 1.0)
        DrawInfoText(ctx);
    else
        DrawInfoIcons(ctx);
    DrawOpening(ctx);
    painter.restore();
}

} // namespace gonilux
