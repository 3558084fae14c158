#include "diagram/cartesian_chart.h"

#include "photometry/angle_grid.h"
#include "photometry/light_tables.h"
#include "photometry/resample.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace gonilux {

namespace {

constexpr double kLightShare = 0.005; // values above this share of the peak count as light

bool IsPrincipal(const tIES& ies, int plane) {
    const double h = ies.HorzAngles[static_cast<std::size_t>(plane)];
    const double c = grid::Wrap(h, 90);
    return grid::IsTypeC(ies)
               ? std::fabs(c) < grid::kTolerance || std::fabs(c - 90) < grid::kTolerance
               : std::fabs(h) < grid::kTolerance;
}

// Damaged values (not numbers, infinite) draw as no light.
double Finite(double value) {
    return std::isfinite(value) ? value : 0;
}

QString Degrees(double angle) {
    return QString::number(angle, 'g', 6) + QChar(0x00B0);
}

// Type C: gamma across the pair C `plane` / C `plane` + 180, the opposite plane negative.
void AddPairPoints(const tIES& ies, double plane, double k, CartesianSeries& s) {
    const tArrEx& v = ies.VertAngles;
    const double opposite = grid::Wrap(plane + 180, 360);
    auto add = [&](double angle, double value) { s.Points.emplace_back(angle, Finite(value * k)); };
    // Outside the stored gammas there is no light: the curve drops to 0 there.
    if (v.back() < 180) add(-180, 0), add(-v.back(), 0);
    for (auto it = v.rbegin(); it != v.rend(); ++it)
        add(-*it, IntensityAt(ies, opposite, *it));
    if (v.front() > 0) add(-v.front(), 0), add(v.front(), 0);
    for (double g : v)
        add(g, IntensityAt(ies, plane, g));
    if (v.back() < 180) add(v.back(), 0), add(180, 0);
}

// Types A and B: the vertical angles at horizontal angle `plane`, or (across) the horizontal
// angles at vertical angle 0, mirrored when only one side is stored.
void AddOwnPoints(const tIES& ies, double plane, bool across, double k, CartesianSeries& s) {
    if (!across) {
        for (double v : ies.VertAngles)
            s.Points.emplace_back(v, Finite(IntensityAt(ies, plane, v) * k));
        return;
    }
    std::vector<double> angles = ies.HorzAngles;
    if (grid::LayoutOf(ies) == grid::Layout::Lateral)
        for (double h : ies.HorzAngles)
            if (h > 0) angles.push_back(-h);
    std::sort(angles.begin(), angles.end());
    for (double h : angles)
        s.Points.emplace_back(h, Finite(IntensityAt(ies, h, 0) * k));
}

// Beam and field edges by the figures' own definition: the type C pair as the figures cut it,
// the types A and B cuts from their points.
void FindSpread(const tIES& ies, CartesianSeries& s) {
    tCut cut;
    if (s.TypeC) {
        cut = PairCut(ies, s.Plane);
    } else {
        for (const QPointF& p : s.Points)
            cut.Points.emplace_back(p.x(), p.y());
        cut.Closed = cut.Points.size() > 2 &&
                     cut.Points.back().first - cut.Points.front().first >= 360 - grid::kTolerance;
    }
    const tSpread spread = SpreadOfCut(cut);
    for (const QPointF& p : s.Points)
        if (p.y() > s.Peak) s.Peak = p.y(), s.PeakAngle = p.x();
    // Edges past the zenith of a closed cut come round from the other side.
    auto onAxis = [](double a) { return std::isfinite(a) ? grid::Wrap(a + 180, 360) - 180 : a; };
    s.Beam = spread.Beam;
    s.Field = spread.Field;
    s.BeamLow = onAxis(spread.BeamLow);
    s.BeamHigh = onAxis(spread.BeamHigh);
    s.FieldLow = onAxis(spread.FieldLow);
    s.FieldHigh = onAxis(spread.FieldHigh);
}

CartesianSeries MakeSeries(const tIES& ies, double plane, bool across, double k) {
    CartesianSeries s;
    s.TypeC = grid::IsTypeC(ies);
    s.AcrossHorizontal = across;
    s.Plane = plane;
    if (s.TypeC) {
        AddPairPoints(ies, plane, k, s);
        s.Label = QStringLiteral("C%1-C%2").arg(plane).arg(grid::Wrap(plane + 180, 360));
    } else {
        AddOwnPoints(ies, plane, across, k, s);
        s.Label =
            across ? QStringLiteral("V 0") + QChar(0x00B0) : QStringLiteral("H ") + Degrees(plane);
    }
    FindSpread(ies, s);
    return s;
}

void AddRecordSeries(CartesianChart& chart, const tIES& ies, int record,
                     const CartesianOptions& options) {
    if (!grid::UsableShape(ies)) return;
    const double k = ReportValueScale(ies, options.Absolute).Factor;
    std::vector<CartesianSeries> added;
    if (options.Principal) {
        added.push_back(MakeSeries(ies, 0, false, k));
        added.push_back(grid::IsTypeC(ies) ? MakeSeries(ies, 90, false, k)
                                           : MakeSeries(ies, 0, true, k));
        added.back().Style = Qt::DashLine;
    }
    const int extra = options.ExtraPlane;
    if (extra >= 0 && extra < static_cast<int>(ies.HorzAngles.size()) &&
        !(options.Principal && IsPrincipal(ies, extra))) {
        added.push_back(MakeSeries(ies, ies.HorzAngles[static_cast<std::size_t>(extra)], false, k));
        added.back().Style = Qt::DashDotLine;
    }
    for (CartesianSeries& s : added) {
        s.Record = record;
        chart.Series.push_back(std::move(s));
    }
}

// The narrowest symmetric angle range holding all light, and the value axis.
void FitAxes(CartesianChart& chart) {
    double peak = 0;
    for (const CartesianSeries& s : chart.Series)
        peak = std::max(peak, s.Peak);
    double reach = 0;
    for (const CartesianSeries& s : chart.Series)
        for (const QPointF& p : s.Points)
            if (p.y() > peak * kLightShare) reach = std::max(reach, std::fabs(p.x()));
    for (const auto& [limit, step] :
         {std::pair{30.0, 5.0}, {60.0, 10.0}, {90.0, 15.0}, {180.0, 30.0}})
        if (reach <= limit + grid::kTolerance) {
            chart.AngleLow = -limit, chart.AngleHigh = limit, chart.AngleStep = step;
            break;
        }
    chart.Values = RoundTicks(0, peak > 0 ? peak : 1, 5);
}

} // namespace

QColor RecordColor(int index) {
    static const QColor kColors[] = {QColor(0xd6, 0x27, 0x28), QColor(0x1f, 0x5f, 0xb4),
                                     QColor(0x2c, 0x8c, 0x2c), QColor(0xe0, 0x8a, 0x00)};
    return kColors[static_cast<std::size_t>(std::max(0, index)) % 4];
}

CartesianChart BuildCartesianChart(const tIES& ies, const CartesianOptions& options) {
    CartesianChart chart = BuildCartesianChart({&ies}, {}, options);
    const QColor single[] = {RecordColor(0), RecordColor(1), RecordColor(2)};
    for (std::size_t i = 0; i < chart.Series.size(); ++i)
        chart.Series[i].Color = single[std::min<std::size_t>(i, 2)];
    return chart;
}

CartesianChart BuildCartesianChart(const std::vector<const tIES*>& records,
                                   const std::vector<QString>& names,
                                   const CartesianOptions& options) {
    CartesianChart chart;
    bool relative = false;
    for (std::size_t r = 0; r < records.size(); ++r) {
        const std::size_t before = chart.Series.size();
        if (records[r]) AddRecordSeries(chart, *records[r], static_cast<int>(r), options);
        if (records[r] && !ReportValueScale(*records[r], options.Absolute).Candela) relative = true;
        for (std::size_t i = before; i < chart.Series.size(); ++i) {
            chart.Series[i].Color = RecordColor(static_cast<int>(r));
            if (r < names.size() && !names[r].isEmpty())
                chart.Series[i].Label = names[r] + QLatin1Char(' ') + chart.Series[i].Label;
        }
    }
    chart.Valid = !chart.Series.empty();
    chart.Unit = options.Absolute || !relative ? QStringLiteral("cd") : QStringLiteral("cd/klm");
    FitAxes(chart);
    return chart;
}

double SeriesValueAt(const CartesianChart& chart, int series, double angle) {
    if (series < 0 || series >= static_cast<int>(chart.Series.size())) return std::nan("");
    const std::vector<QPointF>& p = chart.Series[static_cast<std::size_t>(series)].Points;
    if (p.empty() || angle < p.front().x() - grid::kTolerance ||
        angle > p.back().x() + grid::kTolerance)
        return std::nan("");
    // Where the curve drops to 0 beyond the stored gammas, two points share one angle: there the
    // stored value is read, not the drop.
    const auto at = std::lower_bound(p.begin(), p.end(), angle,
                                     [](const QPointF& q, double a) { return q.x() < a; });
    if (at != p.end() && at + 1 != p.end() && at->x() == angle && (at + 1)->x() == angle)
        return at->y() != 0 ? at->y() : (at + 1)->y();
    const auto above = std::upper_bound(p.begin(), p.end(), angle,
                                        [](double a, const QPointF& q) { return a < q.x(); });
    if (above == p.begin()) return p.front().y();
    if (above == p.end()) return p.back().y();
    const QPointF a = *(above - 1), b = *above;
    return a.y() + (angle - a.x()) / (b.x() - a.x()) * (b.y() - a.y());
}

CartesianDirection SeriesDirection(const CartesianChart& chart, int series, double angle) {
    if (series < 0 || series >= static_cast<int>(chart.Series.size())) return {};
    const CartesianSeries& s = chart.Series[static_cast<std::size_t>(series)];
    if (!s.TypeC)
        return s.AcrossHorizontal ? CartesianDirection{0, angle}
                                  : CartesianDirection{angle, s.Plane};
    if (angle >= 0) return {angle, s.Plane};
    return {-angle, grid::Wrap(s.Plane + 180, 360)};
}

} // namespace gonilux
