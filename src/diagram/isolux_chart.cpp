#include "diagram/isolux_chart.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

namespace gonilux {

namespace {

struct Segment {
    long long KeyA, KeyB; // the grid edges the ends lie on
    QPointF A, B;
};

// Edge keys: the horizontal edge right of point (ix, iy), or the vertical edge above it.
long long EdgeKey(const IlluminanceGrid& g, int ix, int iy, bool vertical) {
    return (static_cast<long long>(iy) * g.Count + ix) * 2 + (vertical ? 1 : 0);
}

QPointF Crossing(const IlluminanceGrid& g, int ax, int ay, int bx, int by, double level) {
    const double va = g.At(ax, ay), vb = g.At(bx, by);
    const double t = va == vb ? 0.5 : (level - va) / (vb - va);
    const auto pos = [&](int i) { return g.Positions[static_cast<std::size_t>(i)]; };
    return {pos(ax) + t * (pos(bx) - pos(ax)), pos(ay) + t * (pos(by) - pos(ay))};
}

// The segments of one cell (corner (ix, iy) bottom left) at `level`, by marching squares.
void CellSegments(const IlluminanceGrid& g, int ix, int iy, double level,
                  std::vector<Segment>& out) {
    const std::array<std::array<int, 2>, 4> c{
        {{ix, iy}, {ix + 1, iy}, {ix + 1, iy + 1}, {ix, iy + 1}}};
    std::array<bool, 4> in{};
    for (int k = 0; k < 4; ++k)
        in[static_cast<std::size_t>(k)] = g.At(c[k][0], c[k][1]) >= level;
    // Edge k joins corner k and corner k + 1 (bottom, right, top, left).
    const std::array<long long, 4> key{EdgeKey(g, ix, iy, false), EdgeKey(g, ix + 1, iy, true),
                                       EdgeKey(g, ix, iy + 1, false), EdgeKey(g, ix, iy, true)};
    std::array<int, 4> crossed{};
    int n = 0;
    for (int k = 0; k < 4; ++k)
        if (in[static_cast<std::size_t>(k)] != in[static_cast<std::size_t>((k + 1) % 4)])
            crossed[static_cast<std::size_t>(n++)] = k;
    auto add = [&](int e, int f) {
        const auto& a0 = c[static_cast<std::size_t>(e)];
        const auto& a1 = c[static_cast<std::size_t>((e + 1) % 4)];
        const auto& b0 = c[static_cast<std::size_t>(f)];
        const auto& b1 = c[static_cast<std::size_t>((f + 1) % 4)];
        out.push_back({key[static_cast<std::size_t>(e)], key[static_cast<std::size_t>(f)],
                       Crossing(g, a0[0], a0[1], a1[0], a1[1], level),
                       Crossing(g, b0[0], b0[1], b1[0], b1[1], level)});
    };
    if (n == 2) return add(crossed[0], crossed[1]);
    if (n != 4) return;
    // A saddle: the centre decides which corners the light region joins.
    double centre = 0;
    for (const auto& p : c)
        centre += g.At(p[0], p[1]) / 4;
    const bool cutOdd = (centre >= level) == in[0]; // cut off corners 1 and 3
    if (cutOdd)
        add(0, 1), add(2, 3);
    else
        add(3, 0), add(1, 2);
}

// Chains segments that share an edge crossing into polylines.
std::vector<QPolygonF> Join(const std::vector<Segment>& segments) {
    std::unordered_map<long long, std::array<int, 2>> at;
    for (int i = 0; i < static_cast<int>(segments.size()); ++i)
        for (long long k : {segments[static_cast<std::size_t>(i)].KeyA,
                            segments[static_cast<std::size_t>(i)].KeyB}) {
            auto [it, fresh] = at.try_emplace(k, std::array<int, 2>{-1, -1});
            it->second[fresh || it->second[0] < 0 ? 0 : 1] = i;
        }
    std::vector<bool> used(segments.size(), false);
    std::vector<QPolygonF> parts;
    // Follows from edge `key`, leaving through the other end of each next segment.
    auto follow = [&](long long key, QPolygonF& line, bool append) {
        for (;;) {
            const std::array<int, 2>& pair = at[key];
            const int next = pair[0] >= 0 && !used[static_cast<std::size_t>(pair[0])]   ? pair[0]
                             : pair[1] >= 0 && !used[static_cast<std::size_t>(pair[1])] ? pair[1]
                                                                                        : -1;
            if (next < 0) return;
            used[static_cast<std::size_t>(next)] = true;
            const Segment& s = segments[static_cast<std::size_t>(next)];
            const bool forward = s.KeyA == key;
            const QPointF p = forward ? s.B : s.A;
            append ? line.append(p) : line.prepend(p);
            key = forward ? s.KeyB : s.KeyA;
        }
    };
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (used[i]) continue;
        used[i] = true;
        QPolygonF line{segments[i].A, segments[i].B};
        follow(segments[i].KeyB, line, true);
        follow(segments[i].KeyA, line, false);
        parts.push_back(std::move(line));
    }
    return parts;
}

} // namespace

std::vector<double> IsoluxLevels(double maximum, int count) {
    std::vector<double> levels;
    if (!std::isfinite(maximum) || !(maximum > 0) || count < 1) return levels;
    double power = std::pow(10.0, std::floor(std::log10(maximum)));
    while (static_cast<int>(levels.size()) < count && power > maximum * 1e-6) {
        for (double m : {5.0, 2.0, 1.0})
            if (m * power < maximum * 0.9 && static_cast<int>(levels.size()) < count)
                levels.push_back(m * power);
        power /= 10;
    }
    return levels;
}

std::vector<IsoLine> TraceIsolines(const IlluminanceGrid& grid, const std::vector<double>& levels) {
    std::vector<IsoLine> lines;
    const bool usable = grid.Valid && grid.Count >= 2 &&
                        grid.Lux.size() == static_cast<std::size_t>(grid.Count) * grid.Count &&
                        grid.Positions.size() == static_cast<std::size_t>(grid.Count);
    for (double level : levels) {
        std::vector<Segment> segments;
        for (int iy = 0; usable && iy + 1 < grid.Count; ++iy)
            for (int ix = 0; ix + 1 < grid.Count; ++ix)
                CellSegments(grid, ix, iy, level, segments);
        lines.push_back({level, Join(segments)});
    }
    return lines;
}

namespace {

double Unit(const ChartStyle& style) {
    return style.FontPixels / 11;
}

QString FiguresLine(const IlluminanceGrid& grid) {
    if (!grid.Valid) return QCoreApplication::translate("ReportChart", "无光");
    return QCoreApplication::translate("ReportChart", "最大 %1 lx   平均 %2 lx   高度 %3 m")
        .arg(TickText(std::round(grid.Maximum * 10) / 10),
             TickText(std::round(grid.Average * 10) / 10), TickText(grid.Height));
}

// Ticks of the floor axis within +-half: round steps, 0 among them.
std::vector<double> FloorTicks(double half) {
    const double step = RoundTicks(0, half, 3).Step;
    std::vector<double> ticks;
    for (long k = -std::lround(std::floor(half / step + 1e-9)); k * step <= half + 1e-9; ++k)
        ticks.push_back(static_cast<double>(k) * step);
    return ticks;
}

} // namespace

IsoluxLayout::IsoluxLayout(const IlluminanceGrid& grid, const QRectF& area, const ChartStyle& style)
    : half_(grid.Size > 0 && std::isfinite(grid.Size) ? grid.Size / 2 : 5) {
    const QFontMetricsF fm(ChartFont(style.FontPixels));
    const double line = fm.height();
    double labels = 0;
    for (double t : FloorTicks(half_))
        labels = std::max(labels, fm.horizontalAdvance(TickText(t)));
    const double top = area.top() + line * 1.3, bottom = area.bottom() - line * 2.8;
    const double left = area.left() + labels + line * 0.5, right = area.right() - line * 0.8;
    const double side = std::max(1.0, std::min(right - left, bottom - top));
    plot_ = QRectF(left + (right - left - side) / 2, top + (bottom - top - side) / 2, side, side);
}

QPointF IsoluxLayout::ToPoint(double x, double y) const {
    return {plot_.center().x() + x / half_ * plot_.width() / 2,
            plot_.center().y() - y / half_ * plot_.height() / 2};
}

QPointF IsoluxLayout::ToMetres(const QPointF& point) const {
    return {(point.x() - plot_.center().x()) / (plot_.width() / 2) * half_,
            (plot_.center().y() - point.y()) / (plot_.height() / 2) * half_};
}

namespace {

void PaintFloorAxes(QPainter& painter, const IsoluxLayout& layout, double half,
                    const ChartStyle& style) {
    const QRectF plot = layout.Plot();
    const double line = QFontMetricsF(painter.font()).height();
    const std::vector<double> ticks = FloorTicks(half);
    painter.setPen(QPen(style.Grid, 0.5 * Unit(style)));
    for (double t : ticks) {
        const QPointF p = layout.ToPoint(t, t);
        painter.drawLine(QPointF(p.x(), plot.top()), QPointF(p.x(), plot.bottom()));
        painter.drawLine(QPointF(plot.left(), p.y()), QPointF(plot.right(), p.y()));
    }
    painter.setPen(style.Text);
    for (double t : ticks) {
        const QPointF p = layout.ToPoint(t, t);
        painter.drawText(QRectF(p.x() - 5 * line, plot.bottom() + line * 0.15, 10 * line, line),
                         Qt::AlignHCenter | Qt::AlignTop, TickText(t));
        painter.drawText(QRectF(plot.left() - 10.3 * line, p.y() - line / 2, 10 * line, line),
                         Qt::AlignRight | Qt::AlignVCenter, TickText(t));
    }
    painter.drawText(QRectF(plot.left(), plot.top() - line * 1.25, plot.width(), line),
                     Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("y (C90) / m"));
    painter.drawText(QRectF(plot.left(), plot.top() - line * 1.25, plot.width(), line),
                     Qt::AlignRight | Qt::AlignBottom, QStringLiteral("x (C0) / m"));
    painter.setPen(QPen(style.Frame, 0.8 * Unit(style)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
}

// Where the label of level `index` goes on `part` (mapped to the device): the point nearest
// the level's own direction from the centre (the levels take turns round the centre, so their
// labels do not pile up) whose label fits in the plot and clears the labels placed before.
bool PlaceLabel(const QPolygonF& part, int index, const QSizeF& size, const QRectF& plot,
                const std::vector<QRectF>& placed, QRectF& box) {
    const double angle = (-45.0 + 35.0 * index) * 3.14159265358979 / 180;
    const QPointF want(std::cos(angle), -std::sin(angle));
    double best = -2;
    for (const QPointF& p : part) {
        const QRectF candidate(p.x() - size.width() / 2, p.y() - size.height() / 2, size.width(),
                               size.height());
        if (!plot.contains(candidate)) continue;
        bool clear = true;
        for (const QRectF& other : placed)
            clear = clear && !other.intersects(candidate);
        const QPointF d = p - plot.center();
        const double length = std::hypot(d.x(), d.y());
        const double score = length > 0 ? (d.x() * want.x() + d.y() * want.y()) / length : -1;
        if (clear && score > best) best = score, box = candidate;
    }
    return best > -2;
}

void PaintLines(QPainter& painter, const IlluminanceGrid& grid, const IsoluxLayout& layout,
                const ChartStyle& style) {
    const QColor ink(0x1f, 0x4e, 0x9a);
    const QFontMetricsF fm(painter.font());
    std::vector<QRectF> placed;
    QStringList texts;
    int index = 0;
    for (const IsoLine& iso : TraceIsolines(grid, IsoluxLevels(grid.Maximum))) {
        painter.setPen(QPen(ink, style.LineWidth * 0.8 * Unit(style)));
        painter.setBrush(Qt::NoBrush);
        QPolygonF longest;
        for (const QPolygonF& part : iso.Parts) {
            QPolygonF mapped;
            for (const QPointF& p : part)
                mapped << layout.ToPoint(p.x(), p.y());
            painter.drawPolyline(mapped);
            if (mapped.size() > longest.size()) longest = mapped;
        }
        const QString text = TickText(iso.Level);
        const QSizeF size(fm.horizontalAdvance(text) + 3 * Unit(style), fm.height());
        QRectF box;
        if (longest.size() >= 4 && PlaceLabel(longest, index++, size, layout.Plot(), placed, box)) {
            placed.push_back(box);
            texts << text;
        }
    }
    // Labels last, so that no line crosses them.
    painter.setPen(ink);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        painter.fillRect(placed[static_cast<std::size_t>(i)], style.Background);
        painter.drawText(placed[static_cast<std::size_t>(i)], Qt::AlignCenter, texts[i]);
    }
}

} // namespace

void PaintIsoluxChart(QPainter& painter, const QRectF& area, const IlluminanceGrid& grid,
                      const ChartStyle& style) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(area, style.Background);
    painter.setFont(ChartFont(style.FontPixels));
    const IsoluxLayout layout(grid, area, style);
    const double half = grid.Size > 0 && std::isfinite(grid.Size) ? grid.Size / 2 : 5;
    PaintFloorAxes(painter, layout, half, style);
    painter.save();
    painter.setClipRect(layout.Plot(), Qt::IntersectClip);
    PaintLines(painter, grid, layout, style);
    painter.restore();
    // The luminaire above the centre.
    const QPointF centre = layout.ToPoint(0, 0);
    const double r = 3 * Unit(style);
    painter.setPen(QPen(style.Text, 0.8 * Unit(style)));
    painter.setBrush(QColor(0xff, 0xd2, 0x40));
    painter.drawEllipse(centre, r, r);
    painter.drawLine(centre - QPointF(r * 1.8, 0), centre + QPointF(r * 1.8, 0));
    painter.drawLine(centre - QPointF(0, r * 1.8), centre + QPointF(0, r * 1.8));
    const double line = QFontMetricsF(painter.font()).height();
    painter.setPen(style.Text);
    painter.drawText(QRectF(area.left(), layout.Plot().bottom() + line * 1.4, area.width(), line),
                     Qt::AlignHCenter | Qt::AlignVCenter, FiguresLine(grid));
    painter.restore();
}

} // namespace gonilux
