// Photometric figures from the intensity table.
//
// Geometry. Every direction is described by a polar angle g from the lower pole of the
// photometric web and an azimuth about the polar axis, so that the element of solid angle is
// dOmega = sin(g) dg dAzimuth:
//  - type C: the polar axis is the luminaire's vertical axis; g is the vertical angle (0 at
//    nadir, 180 at zenith) and the azimuth is the C-plane angle (the horizontal angle);
//  - type A: every row is a plane through the vertical polar axis, turned about it by its
//    horizontal angle H; the vertical angle V is the elevation within the plane, measured from
//    the equator (V = 0, where the beam axis H = 0, V = 0 lies) towards the poles at V = +-90.
//    A direction is (cos V cos H, cos V sin H, sin V), so dOmega = cos(V) dV dH; with
//    g = V + 90 that is again sin(g) dg dH. V < 0 counts as downward;
//  - type B: the planes share the horizontal axis across the beam instead; each is tilted about
//    it by its vertical angle V and the horizontal angle H is measured within it. A direction is
//    (cos H cos V, sin H, cos H sin V), so dOmega = cos(H) dH dV: the polar angle is H + 90 and
//    the azimuth is V. A row of the table (one H) is a cone about that axis; V < 0 is again
//    downward.
//
// Flux. Along a plane the intensity is taken as linear between neighbouring vertical angles and
// I(g) sin(g) is integrated exactly over each zone between them (a trapezoid rule on I whose
// zone weights keep the sine, exact for a constant intensity). A zone that straddles the horizon
// (g = 90) is split there, so the value at exactly 90 degrees feeds both halves. The planes are
// weighted by their azimuthal extent, half the gap to each neighbour, and the stored planes stand
// for the whole circle by the layout's symmetry (see Layout).
#include "metrics.h"

#include "angle_grid.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

namespace gonilux {
namespace {

using namespace grid;

constexpr double kPi = std::numbers::pi;
constexpr double kRad = kPi / 180;
// Per vertical angle: the weight of its value in the flux below and above the horizon.
struct ZoneWeights {
    std::vector<double> Down;
    std::vector<double> Up;
};

// A polar angle in radians with its sine and cosine, worked out once per vertical angle.
struct Polar {
    double Rad;
    double Sin;
    double Cos;
};

Polar PolarOf(double degrees) {
    if (degrees == 90) return {kPi / 2, 1, 0};
    const double rad = degrees * kRad;
    return {rad, std::sin(rad), std::cos(rad)};
}

// The first gap of the vertical angles, in degrees and as a turn.
struct GridStep {
    double Degrees;
    Polar Turn;
};

// The polar angle `degrees` following `previous`, `gap` degrees on. Evenly spaced angles, the
// usual grid, turn the previous sine and cosine by the grid step instead of calling the
// trigonometric functions; every 16th angle is worked out afresh, so rounding cannot build up.
Polar NextPolar(const Polar& previous, double degrees, double gap, const GridStep& step,
                std::size_t index) {
    if (index % 16 == 0 || degrees == 90 || std::fabs(gap - step.Degrees) > kTolerance)
        return PolarOf(degrees);
    const Polar& t = step.Turn;
    return {degrees * kRad, previous.Sin * t.Cos + previous.Cos * t.Sin,
            previous.Cos * t.Cos - previous.Sin * t.Sin};
}

// Adds the integral over [p, q], part of the zone [a, b], of I(g) sin(g) with I linear from
// I(a) to I(b), as weights of I(a) and I(b).
void AddZonePart(const Polar& a, const Polar& b, const Polar& p, const Polar& q, double& weightA,
                 double& weightB) {
    const double band = p.Cos - q.Cos; // integral of sin(g) over [p, q]
    // Integral of (g - a) sin(g) over [p, q].
    const double moment = (p.Rad - a.Rad) * p.Cos - (q.Rad - a.Rad) * q.Cos + q.Sin - p.Sin;
    const double towardsB = moment / (b.Rad - a.Rad);
    weightA += band - towardsB;
    weightB += towardsB;
}

// Zone weights of `vert`, whose polar angles are the angles plus `offset`.
ZoneWeights ComputeZoneWeights(const tArrEx& vert, double offset) {
    const std::size_t n = vert.size();
    ZoneWeights z{std::vector<double>(n, 0.0), std::vector<double>(n, 0.0)};
    const Polar horizon = PolarOf(90);
    const double first = n > 1 ? vert[1] - vert[0] : 0;
    const GridStep step{first, PolarOf(first)};
    Polar b = PolarOf(vert[0] + offset);
    for (std::size_t v = 0; v + 1 < n; ++v) {
        const Polar a = b;
        b = NextPolar(a, vert[v + 1] + offset, vert[v + 1] - vert[v], step, v + 1);
        if (b.Rad <= horizon.Rad) {
            AddZonePart(a, b, a, b, z.Down[v], z.Down[v + 1]);
        } else if (a.Rad >= horizon.Rad) {
            AddZonePart(a, b, a, b, z.Up[v], z.Up[v + 1]);
        } else {
            AddZonePart(a, b, a, horizon, z.Down[v], z.Down[v + 1]);
            AddZonePart(a, b, horizon, b, z.Up[v], z.Up[v + 1]);
        }
    }
    return z;
}

// Azimuthal extent (radians) that each stored plane stands for.
std::vector<double> PlaneWeights(const tArrEx& h, Layout layout) {
    std::vector<double> weights(h.size(), 0.0);
    if (layout == Layout::Single) {
        weights[0] = 2 * kPi;
        return weights;
    }
    for (std::size_t i = 0; i + 1 < h.size(); ++i) {
        const double half = (h[i + 1] - h[i]) * kRad / 2;
        weights[i] += half;
        weights[i + 1] += half;
    }
    const double span = h.back() - h.front();
    double scale = 1;
    if (layout == Layout::Mirrored) scale = 360 / span;
    if (layout == Layout::Lateral) scale = 2;
    if (layout == Layout::Cyclic) {
        const double halfGap = std::max(0.0, 360 - span) * kRad / 2;
        weights.front() += halfGap;
        weights.back() += halfGap;
    }
    for (double& w : weights)
        w *= scale;
    return weights;
}

// One pass over the table, column by column so that the loop has no carried sum: per vertical
// angle, the values summed with their planes' weights, and the largest value.
struct Columns {
    std::vector<double> Weighted;
    std::vector<double> Peak;
};

Columns ScanColumns(const tIES& ies) {
    const std::vector<double> planes = PlaneWeights(ies.HorzAngles, LayoutOf(ies));
    const std::size_t n = ies.VertAngles.size();
    Columns c{std::vector<double>(n, 0.0),
              std::vector<double>(n, -std::numeric_limits<double>::infinity())};
    double* weighted = c.Weighted.data();
    double* peak = c.Peak.data();
    for (std::size_t h = 0; h < planes.size(); ++h) {
        const double weight = planes[h];
        const double* row = ies.Candela[h].data();
        for (std::size_t v = 0; v < n; ++v) {
            weighted[v] += weight * row[v];
            peak[v] = std::max(peak[v], row[v]);
        }
    }
    return c;
}

// Flux below and above the horizon in table units (before the multiplier). False when a value
// is not finite or the figures overflow.
bool IntegrateFlux(const tIES& ies, const Columns& columns, double& down, double& up) {
    const ZoneWeights zones = ComputeZoneWeights(ies.VertAngles, IsTypeC(ies) ? 0 : 90);
    down = 0;
    up = 0;
    for (std::size_t v = 0; v < columns.Weighted.size(); ++v) {
        down += zones.Down[v] * columns.Weighted[v];
        up += zones.Up[v] * columns.Weighted[v];
    }
    const double peak = *std::max_element(columns.Peak.begin(), columns.Peak.end());
    return std::isfinite((down + up) * ies.Multiplier) && std::isfinite(peak * ies.Multiplier);
}

// Type B: the weight of each horizontal angle, a cone about the horizontal axis (doubled when
// only one side of the beam is stored).
std::vector<double> ConeWeights(const tArrEx& horz) {
    const ZoneWeights zones = ComputeZoneWeights(horz, 90);
    const double scale = horz.front() >= -kTolerance ? 2 : 1;
    std::vector<double> weights(horz.size());
    for (std::size_t h = 0; h < horz.size(); ++h)
        weights[h] = scale * (zones.Down[h] + zones.Up[h]);
    return weights;
}

// Type B: the weight of each vertical angle along a cone, below and above the horizon, for an
// intensity linear between neighbours; a gap across V = 0 is split there.
ZoneWeights TiltWeights(const tArrEx& vert) {
    const std::size_t n = vert.size();
    ZoneWeights z{std::vector<double>(n, 0.0), std::vector<double>(n, 0.0)};
    for (std::size_t v = 0; v + 1 < n; ++v) {
        const double a = vert[v] * kRad;
        const double b = vert[v + 1] * kRad;
        if (b <= 0 || a >= 0) {
            std::vector<double>& side = b <= 0 ? z.Down : z.Up;
            side[v] += (b - a) / 2;
            side[v + 1] += (b - a) / 2;
            continue;
        }
        const double t = -a / (b - a); // where V = 0 lies in the gap
        z.Down[v] += -a / 2 * (2 - t);
        z.Down[v + 1] += -a / 2 * t;
        z.Up[v] += b / 2 * (1 - t);
        z.Up[v + 1] += b / 2 * (1 + t);
    }
    return z;
}

// Type B flux below and above the horizon, as IntegrateFlux.
bool IntegrateConeFlux(const tIES& ies, const Columns& columns, double& down, double& up) {
    const std::vector<double> cones = ConeWeights(ies.HorzAngles);
    const ZoneWeights tilts = TiltWeights(ies.VertAngles);
    down = 0;
    up = 0;
    for (std::size_t h = 0; h < cones.size(); ++h) {
        const tArrEx& row = ies.Candela[h];
        for (std::size_t v = 0; v < row.size(); ++v) {
            down += cones[h] * tilts.Down[v] * row[v];
            up += cones[h] * tilts.Up[v] * row[v];
        }
    }
    const double peak = *std::max_element(columns.Peak.begin(), columns.Peak.end());
    return std::isfinite((down + up) * ies.Multiplier) && std::isfinite(peak * ies.Multiplier);
}

void FillFlux(const tIES& ies, double down, double up, tMetrics& m) {
    if (ies.VertCount < 2) return; // no zone to integrate over
    m.LuminaireFlux = (down + up) * ies.Multiplier;
    if (down + up > 0) {
        m.DownwardFraction = down / (down + up);
        m.UpwardFraction = up / (down + up);
    }
}

// Among equal maxima the smallest vertical angle, then the first plane.
void FillMaximum(const tIES& ies, const Columns& columns, tMetrics& m) {
    const auto top = std::max_element(columns.Peak.begin(), columns.Peak.end());
    const auto v = static_cast<std::size_t>(top - columns.Peak.begin());
    std::size_t h = 0;
    while (h + 1 < ies.Candela.size() && ies.Candela[h][v] != *top)
        ++h;
    m.MaxIntensity = *top * ies.Multiplier;
    m.MaxVertAngle = ies.VertAngles[v];
    m.MaxHorzAngle = ies.HorzAngles[h];
}

void FillSpreads(const tIES& ies, tMetrics& m) {
    const tPrincipalSpreads spreads = ComputePrincipalSpreads(ies, m.MaxHorzAngle, m.MaxVertAngle);
    m.SpreadPlanes = spreads.Planes;
    m.Spread0 = spreads.First;
    m.Spread90 = spreads.Second;
}

void FillRatings(const tIES& ies, tMetrics& m) {
    m.Absolute = ies.LumensPerLamp < 0;
    const double lamps = static_cast<double>(ies.LampCount) * ies.LumensPerLamp;
    if (!m.Absolute && std::isfinite(lamps) && lamps > 0) m.LampFlux = lamps;
    const double ratio = m.LuminaireFlux / m.LampFlux; // NaN when either is missing
    if (std::isfinite(ratio)) m.LightOutputRatio = ratio;
    const double watts = ies.ExactInputWatts > 0 ? ies.ExactInputWatts : ies.InputWatts;
    if (watts > 0 && std::isfinite(watts)) m.Efficacy = m.LuminaireFlux / watts;
}

// Weights of the values of `vert` (with their polar angles `polars`) in the integral of
// I(g) sin(g) over [from, to], I linear between them.
std::vector<double> BandWeights(const tArrEx& vert, const std::vector<Polar>& polars, double from,
                                double to) {
    std::vector<double> weights(vert.size(), 0.0);
    for (std::size_t v = 0; v + 1 < vert.size(); ++v) {
        const double lo = std::max(vert[v], from);
        const double hi = std::min(vert[v + 1], to);
        if (!(hi > lo)) continue;
        const Polar& a = polars[v];
        const Polar& b = polars[v + 1];
        AddZonePart(a, b, lo == vert[v] ? a : PolarOf(lo), hi == vert[v + 1] ? b : PolarOf(hi),
                    weights[v], weights[v + 1]);
    }
    return weights;
}

} // namespace

std::vector<double> BandFluxes(const tIES& ies,
                               const std::vector<std::pair<double, double>>& bands) {
    if (!UsableShape(ies) || !IsTypeC(ies) || ies.VertAngles.size() < 2) return {};
    const Columns columns = ScanColumns(ies);
    double down = 0;
    double up = 0;
    if (!IntegrateFlux(ies, columns, down, up)) return {};
    std::vector<Polar> polars;
    polars.reserve(ies.VertAngles.size());
    for (double angle : ies.VertAngles)
        polars.push_back(PolarOf(angle));
    std::vector<double> fluxes;
    fluxes.reserve(bands.size());
    for (const auto& [from, to] : bands) {
        const std::vector<double> weights = BandWeights(ies.VertAngles, polars, from, to);
        double sum = 0;
        for (std::size_t v = 0; v < weights.size(); ++v)
            sum += weights[v] * columns.Weighted[v];
        fluxes.push_back(sum * ies.Multiplier);
    }
    return fluxes;
}

namespace {

// NaN only when both are.
double Wider(double a, double b) {
    if (std::isnan(a)) return b;
    if (std::isnan(b)) return a;
    return std::max(a, b);
}

} // namespace

double BeamAngle(const tMetrics& m) {
    return Wider(m.Spread0.Beam, m.Spread90.Beam);
}

double FieldAngle(const tMetrics& m) {
    return Wider(m.Spread0.Field, m.Spread90.Field);
}

tMetrics ComputeMetrics(const tIES& ies) {
    tMetrics m;
    if (UsableShape(ies)) {
        const Columns columns = ScanColumns(ies);
        double down = 0;
        double up = 0;
        const bool cones = ies.PhotometricType == 2 && ies.HorzAngles.size() > 1;
        m.Valid = cones ? IntegrateConeFlux(ies, columns, down, up)
                        : IntegrateFlux(ies, columns, down, up);
        if (m.Valid) {
            FillFlux(ies, down, up, m);
            FillMaximum(ies, columns, m);
            FillSpreads(ies, m);
        }
    }
    FillRatings(ies, m);
    return m;
}

} // namespace gonilux
