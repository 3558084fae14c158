#include "beam_spread.h"

#include "angle_grid.h"
#include "resample.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace gonilux {
namespace {

using namespace grid;

constexpr double kRad = std::numbers::pi / 180;
constexpr double kDeg = 180 / std::numbers::pi;
constexpr double kBeamShare = 0.5;
constexpr double kFieldShare = 0.1;
// Sampled planes are looked at in these steps, and each crossing found is then narrowed down on
// the record's own values.
constexpr double kSampleStep = 0.5;
constexpr int kBisections = 24;

struct Vec {
    double X, Y, Z;
};

Vec Along(const Vec& d, const Vec& e, double degrees) {
    const double c = std::cos(degrees * kRad);
    const double s = std::sin(degrees * kRad);
    return {c * d.X + s * e.X, c * d.Y + s * e.Y, c * d.Z + s * e.Z};
}

// How far one side reaches before the intensity falls below each threshold.
struct Reach {
    double Beam = 180;
    double Field = 180;
};

// Walks the polyline from point `k` in direction `step` (+1, -1) and returns the distances.
Reach WalkPoints(const tCut& cut, std::size_t k, int step, double beam, double field) {
    const auto& p = cut.Points;
    const std::size_t n = p.size();
    Reach r;
    bool beamFound = false;
    double walked = 0;
    std::size_t i = k;
    while (true) {
        std::size_t j = 0;
        double gap = 0;
        if (step > 0 ? i + 1 < n : i > 0) {
            j = step > 0 ? i + 1 : i - 1;
            gap = std::fabs(p[j].first - p[i].first);
        } else if (cut.Closed && n > 2) { // past the closing point: the same direction again
            j = step > 0 ? 1 : n - 2;
            gap = std::fabs(p[j].first - p[step > 0 ? 0 : n - 1].first);
        } else { // no light beyond an open end
            if (!beamFound) r.Beam = walked;
            r.Field = walked;
            return r;
        }
        const double from = p[i].second;
        const double to = p[j].second;
        auto crossing = [&](double threshold) {
            return walked + (from - threshold) / (from - to) * gap;
        };
        if (!beamFound && to < beam) {
            r.Beam = std::min(180.0, crossing(beam));
            beamFound = true;
        }
        if (to < field) {
            r.Field = std::min(180.0, crossing(field));
            if (!beamFound) r.Beam = r.Field;
            return r;
        }
        walked += gap;
        if (walked >= 180) return r;
        i = j;
    }
}

tSpread Combine(double axis, double peak, const Reach& up, const Reach& down) {
    if (!(peak > 0)) return {};
    tSpread s;
    s.Axis = axis + 0.0; // no -0
    s.Beam = std::min(360.0, up.Beam + down.Beam);
    s.Field = std::min(360.0, up.Field + down.Field);
    s.BeamLow = axis - down.Beam;
    s.BeamHigh = axis + up.Beam;
    s.FieldLow = axis - down.Field;
    s.FieldHigh = axis + up.Field;
    return s;
}

tSpread SpreadAbout(const tCut& cut, std::size_t k) {
    const double peak = cut.Points[k].second;
    if (!(peak > 0) || !std::isfinite(peak)) return {};
    const double beam = kBeamShare * peak;
    const double field = kFieldShare * peak;
    return Combine(cut.Points[k].first, peak, WalkPoints(cut, k, 1, beam, field),
                   WalkPoints(cut, k, -1, beam, field));
}

// The first angle after `from` (value at or above `threshold`) and before `to` (below it) where
// the value falls below the threshold, narrowed down by halving.
template <typename F> double Narrow(const F& f, double from, double to, double threshold) {
    for (int i = 0; i < kBisections; ++i) {
        const double mid = (from + to) / 2;
        (f(mid) >= threshold ? from : to) = mid;
    }
    return (from + to) / 2;
}

// Walks a sampled plane from its peak (angle 0) towards `sign` and narrows each crossing down.
template <typename F> Reach WalkSampled(const F& f, int sign, double beam, double field) {
    Reach r;
    bool beamFound = false;
    auto at = [&](double t) { return f(sign * t); };
    for (double t = kSampleStep; t <= 180 + kTolerance; t += kSampleStep) {
        const double value = at(t);
        if (!beamFound && value < beam) {
            r.Beam = Narrow(at, t - kSampleStep, t, beam);
            beamFound = true;
        }
        if (value < field) {
            r.Field = Narrow(at, t - kSampleStep, t, field);
            return r;
        }
    }
    return r;
}

// The plane through `d` (the peak) and `e` (at right angles to it), measured from the peak;
// `axis` is the peak's angle in the plane's own terms.
tSpread SampledSpread(const tIES& ies, const Vec& d, const Vec& e, double axis) {
    auto f = [&](double t) {
        const Vec v = Along(d, e, t);
        return IntensityToward(ies, v.X, v.Y, v.Z);
    };
    const double peak = f(0);
    if (!(peak > 0) || !std::isfinite(peak)) return {};
    const double beam = kBeamShare * peak;
    const double field = kFieldShare * peak;
    return Combine(axis, peak, WalkSampled(f, 1, beam, field), WalkSampled(f, -1, beam, field));
}

Vec PeakDirection(const tIES& ies, double horz, double vert) {
    const double h = horz * kRad;
    const double v = vert * kRad;
    if (ies.PhotometricType == 2) // (cos H cos V, sin H, cos H sin V)
        return {std::cos(h) * std::cos(v), std::sin(h), std::cos(h) * std::sin(v)};
    if (ies.PhotometricType == 3) // (cos V cos H, cos V sin H, sin V)
        return {std::cos(v) * std::cos(h), std::cos(v) * std::sin(h), std::sin(v)};
    return {std::sin(v) * std::cos(h), std::sin(v) * std::sin(h), -std::cos(v)};
}

// The index of the peak point of a pair cut at the signed angle `axis`, else the first largest.
std::size_t PeakIndex(const tCut& cut, double axis) {
    std::size_t top = 0;
    for (std::size_t i = 1; i < cut.Points.size(); ++i)
        if (cut.Points[i].second > cut.Points[top].second) top = i;
    for (std::size_t i = 0; i < cut.Points.size(); ++i)
        if (std::fabs(cut.Points[i].first - axis) < kTolerance &&
            cut.Points[i].second >= cut.Points[top].second)
            return i;
    return top;
}

// A vertical plane pair at C `plane`: the record's own points for type C, else sampled.
tSpread VerticalSpread(const tIES& ies, double plane, const Vec& peak) {
    const double gamma = std::acos(std::clamp(-peak.Z, -1.0, 1.0)) * kDeg;
    if (IsTypeC(ies)) {
        const tCut cut = PairCut(ies, plane);
        return cut.Points.empty() ? tSpread{} : SpreadAbout(cut, PeakIndex(cut, gamma));
    }
    const double c = plane * kRad;
    const double g = gamma * kRad;
    const Vec d{std::sin(g) * std::cos(c), std::sin(g) * std::sin(c), -std::cos(g)};
    const Vec e{std::cos(g) * std::cos(c), std::cos(g) * std::sin(c), std::sin(g)};
    return SampledSpread(ies, d, e, gamma);
}

std::string Degrees(double angle) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", std::round(angle * 10) / 10);
    return buf;
}

} // namespace

tSpread SpreadOfCut(const tCut& cut) {
    if (cut.Points.empty()) return {};
    return SpreadAbout(cut, PeakIndex(cut, kNoValue));
}

tCut PairCut(const tIES& ies, double plane) {
    tCut cut;
    if (!IsTypeC(ies) || !UsableShape(ies)) return cut;
    const tArrEx& v = ies.VertAngles;
    const double opposite = Wrap(plane + 180, 360);
    auto& p = cut.Points;
    p.reserve(2 * v.size() + 4);
    auto add = [&](double angle, double value) {
        p.emplace_back(angle, std::isfinite(value) ? value : 0);
    };
    for (auto it = v.rbegin(); it != v.rend(); ++it)
        add(-*it, IntensityAt(ies, opposite, *it));
    if (v.front() > 0) add(-v.front(), 0), add(v.front(), 0); // no light about the nadir
    for (double g : v)
        add(g, IntensityAt(ies, plane, g));
    cut.Closed = v.back() >= 180 - kTolerance;
    return cut;
}

tPrincipalSpreads ComputePrincipalSpreads(const tIES& ies, double peakHorz, double peakVert) {
    tPrincipalSpreads out;
    if (!UsableShape(ies)) return out;
    const Vec d = PeakDirection(ies, peakHorz, peakVert);
    const double across = std::hypot(d.X, d.Y);
    out.Planes.Vertical = across < 1e-9;
    if (out.Planes.Vertical) {
        out.First = VerticalSpread(ies, 0, d);
        out.Second = VerticalSpread(ies, 90, d);
        return out;
    }
    const double plane =
        IsTypeC(ies) ? Wrap(peakHorz, 360) : Wrap(std::atan2(d.Y, d.X) * kDeg, 360);
    out.Planes.Plane = plane;
    out.First = VerticalSpread(ies, plane, d);
    const Vec e{-std::sin(plane * kRad), std::cos(plane * kRad), 0};
    out.Second = SampledSpread(ies, d, e, 0);
    return out;
}

std::string SpreadPlaneName(const tSpreadPlanes& planes, int which) {
    if (planes.Vertical) return which == 0 ? "C0-C180" : "C90-C270";
    const std::string pair =
        "C" + Degrees(planes.Plane) + "-C" + Degrees(Wrap(planes.Plane + 180, 360));
    return which == 0 ? pair : "\u22A5 " + pair;
}

} // namespace gonilux
