#include "diagram/goniogram.h"

#include "diagram/diagram_math.h"
#include "diagram/line_geometry.h"
#include "diagram/pictograms.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace gonilux {

namespace {

const QColor kMainColour(255, 0, 0);
const QColor kPerpendicularColour(200, 128, 128);

// The drawing angle of a photometric angle in degrees: 0 points down, 90 right, 180 up.
double DrawingAngle(double angle) {
    return (angle / 90 + 1) * std::numbers::pi / 2;
}

// The point of `intensity` in the direction (cosA, sinA), on the right half or mirrored onto
// the left.
QPoint CurvePoint(const GonioContext& ctx, double cosA, double sinA, double intensity,
                  bool mirrored) {
    const double f = ctx.Rmax > 0 ? intensity / ctx.Rmax : 0.0;
    const int dx = RoundEven(cosA * ctx.Rx * f);
    const int y = ctx.Cy + ctx.OffY + RoundEven(sinA * ctx.Ry * f);
    return QPoint(mirrored ? ctx.Cx + ctx.OffX + dx : ctx.Cx + ctx.OffX - dx, y);
}

void PrepareAngles(GonioContext& ctx) {
    ctx.VertCos.clear();
    ctx.VertSin.clear();
    for (double angle : ctx.Ies.VertAngles) {
        const double a = DrawingAngle(angle);
        ctx.VertCos.push_back(std::cos(a));
        ctx.VertSin.push_back(std::sin(a));
    }
}

int PlaneCount(const tIES& ies) {
    return static_cast<int>(std::min(ies.Candela.size(), ies.HorzAngles.size()));
}

// Number of values of row `plane` that have a vertical angle (0 for a row outside the table).
int UsableLength(const tIES& ies, int plane) {
    if (plane < 0 || plane >= PlaneCount(ies)) return 0;
    const auto& row = ies.Candela[static_cast<std::size_t>(plane)];
    return static_cast<int>(std::min(row.size(), ies.VertAngles.size()));
}

// One half of a plane curve, with the line back to the centre when the angles end at 90.
QPolygon HalfCurve(const GonioContext& ctx, int plane, bool mirrored) {
    const int count = UsableLength(ctx.Ies, plane);
    const auto& row = ctx.Ies.Candela[static_cast<std::size_t>(plane)];
    const bool cached = ctx.VertCos.size() >= static_cast<std::size_t>(count);
    QPolygon points;
    points.reserve(count + 2);
    for (std::size_t j = 0; j < static_cast<std::size_t>(count); ++j) {
        if (cached) {
            points.append(CurvePoint(ctx, ctx.VertCos[j], ctx.VertSin[j], row[j], mirrored));
        } else {
            const double a = DrawingAngle(ctx.Ies.VertAngles[j]);
            points.append(CurvePoint(ctx, std::cos(a), std::sin(a), row[j], mirrored));
        }
    }
    if (ctx.Ies.VertAngles[static_cast<std::size_t>(count - 1)] == 90)
        points.append(QPoint(ctx.Cx + ctx.OffX, ctx.Cy + ctx.OffY));
    return points;
}

int PenWidth(double width) {
    return std::max(0, RoundEven(width));
}

// Round ends and joins; for pens of up to 2 pixels a bevel join looks the same and is much
// cheaper to smooth.
QPen CurvePen(const QColor& colour, int width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap,
                width <= 2 ? Qt::BevelJoin : Qt::RoundJoin);
}

void ChooseScale(GonioContext& ctx) {
    ctx.Cx = ctx.Width / 2;
    ctx.Cy = ctx.Height / 2;
    ctx.Rx = ctx.Cx - ctx.M;
    ctx.Ry = ctx.Cy - ctx.M;
    const tIesExtents& e = ctx.Planes.Extents;
    if (!ctx.Options.Center) {
        ctx.Rmax = std::isfinite(e.MaxIntensity) ? e.MaxIntensity : 0.0;
        return;
    }
    const double reach =
        std::max({std::fabs(e.MinX), std::fabs(e.MaxX), std::fabs(e.MinY), std::fabs(e.MaxY)});
    ctx.Rmax = std::isfinite(reach) ? 0.7 * reach : 0.0;
    if (ctx.Rmax <= 0) return;
    ctx.OffX = -RoundEven((e.MinX + e.MaxX) * ctx.Cx / 2 / ctx.Rmax);
    ctx.OffY = -RoundEven((e.MinY + e.MaxY) * ctx.Cy / 2 / ctx.Rmax);
}

void DrawPerpendicularPair(const GonioContext& ctx) {
    if (FirstZeroPlane(ctx.Ies) != ctx.Planes.Plane) return;
    if (!ctx.Options.Ortho && ctx.Mode != kModeThumbnail) return;
    int width = 1;
    if (ctx.Mode != kModeThumbnail) width = ctx.Scale == 1.0 ? 2 : PenWidth(ctx.Scale);
    ctx.Painter.setPen(CurvePen(kPerpendicularColour, width));
    if (ctx.Ies.PhotometricType == 1) {
        // The pair is only chosen for the plane at index 0; a later zero plane has none.
        if (ctx.Planes.HasPerpendicular)
            DrawPlaneCurve(ctx, ctx.Planes.PerpPlane, ctx.Planes.PerpOpposite);
    } else {
        DrawCrossCurve(ctx);
    }
}

void DrawCurves(const GonioContext& ctx) {
    QPainter& painter = ctx.Painter;
    painter.save();
    UsePixelCentres(painter, ctx.Options.Antialias);
    DrawPerpendicularPair(ctx);
    const int width = ctx.Mode == kModeThumbnail ? 1 : PenWidth(2 * ctx.Scale);
    painter.setPen(CurvePen(kMainColour, width));
    DrawPlaneCurve(ctx, ctx.Planes.Plane, ctx.Planes.Opposite);
    painter.restore();
}

} // namespace

void DrawPlaneCurve(const GonioContext& ctx, int plane, int opposite) {
    if (UsableLength(ctx.Ies, plane) == 0) return;
    QPolygon right = HalfCurve(ctx, plane, false);
    if (opposite < 0) {
        right.append(right.first());
        ctx.Painter.drawPolyline(right);
        return;
    }
    ctx.Painter.drawPolyline(right);
    if (ctx.Ies.VertAngles.front() < 0) return;
    if (UsableLength(ctx.Ies, opposite) == 0) return;
    ctx.Painter.drawPolyline(HalfCurve(ctx, opposite, true));
}

void DrawCrossCurve(const GonioContext& ctx) {
    const tIES& ies = ctx.Ies;
    std::size_t k = 1;
    while (k < ies.VertAngles.size() && ies.VertAngles[k] != 0)
        ++k;
    if (k >= ies.VertAngles.size()) return;
    QPolygon points;
    const int planes = PlaneCount(ies);
    for (std::size_t h = 0; h < static_cast<std::size_t>(planes) && k < ies.Candela[h].size();
         ++h) {
        const double a = DrawingAngle(ies.HorzAngles[h]);
        points.append(CurvePoint(ctx, std::cos(a), std::sin(a), ies.Candela[h][k], false));
    }
    if (points.isEmpty()) return;
    ctx.Painter.drawPolyline(points);
    if (ies.HorzAngles.front() != 0) return;
    const int axis2 = 2 * (ctx.Cx + ctx.OffX);
    for (QPoint& p : points)
        p.setX(axis2 - p.x());
    ctx.Painter.drawPolyline(points);
}

DiagramScale DrawGoniogram(QPainter& painter, int width, int height, const tIES& ies,
                           std::uint16_t mode, double scale, int requestedPlane,
                           const DiagramOptions& options) {
    const int planes = PlaneCount(ies);
    if (planes == 0 || ies.VertAngles.empty()) return {};
    painter.save();
    painter.setBrush(Qt::NoBrush);
    const int plane = std::clamp(requestedPlane, 0, planes - 1);
    GonioContext ctx{painter, width, height, ies, mode, scale, plane, options};
    ctx.Planes = SelectPlanes(ies, mode, plane, options.Planes());
    ChooseScale(ctx);
    PrepareAngles(ctx);
    DrawCurves(ctx);
    DiagramScale drawn;
    if (mode != kModeThumbnail) {
        DrawScaleRings(ctx);
        drawn = {ctx.Rmax * ctx.K, ctx.M};
    } else if (ies.PhotometricType != 1 && options.Warning) {
        DrawSystemIcon(painter, SystemIcon::Warning, width - RoundEven(17 * scale),
                       RoundEven(scale), RoundEven(16 * scale));
    }
    painter.restore();
    return drawn;
}

} // namespace gonilux
