// The luminous opening of a record, its projected area and the luminance at the glare angles;
// the zone fluxes the indoor tables start from.
#include "angle_grid.h"
#include "glare_tables.h"
#include "indoor_light.h"
#include "metrics.h"
#include "resample.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace gonilux {
namespace indoor {
namespace {

constexpr double kFoot = 0.3048;
constexpr double kPi = std::numbers::pi;

// The LM-63 shape of the signs of width, length and height (see OpeningShape).
OpeningShape ShapeOf(double w, double l, double h) {
    using S = OpeningShape;
    if (w == 0 && l == 0 && h == 0) return S::None;
    if (w >= 0 && l >= 0 && h >= 0) return S::Box;
    if (w < 0 && l <= 0 && h >= 0) return S::VerticalCylinder; // l = 0: EULUMDAT's round area
    if (w < 0 && l < 0) return S::Ellipsoid;                   // h < 0 here
    if (w < 0 && l > 0 && h < 0) return S::CylinderAlongLength;
    if (w > 0 && l < 0 && h < 0) return S::CylinderAlongWidth;
    if (w < 0 && l == 0 && h < 0) return S::DiscFacingLength;
    if (w == 0 && l < 0 && h < 0) return S::DiscFacingWidth;
    return S::Box;
}

// Side of a cylinder of length `length` whose elliptic section has the diameters `p` along the
// section's first axis and `q` along its second, seen along a direction with the components
// `dp` and `dq` on those axes.
double CylinderSide(double length, double p, double q, double dp, double dq) {
    return length * std::sqrt(p * p * dq * dq + q * q * dp * dp);
}

double Ellipse(double p, double q) {
    return kPi / 4 * p * q;
}

} // namespace

tOpening OpeningOf(const tIES& ies) {
    const double unit = ies.UnitsType == 1 ? kFoot : 1.0;
    const double w = ies.Width * unit;
    const double l = ies.Length * unit;
    const double h = ies.Height * unit;
    if (!std::isfinite(w) || !std::isfinite(l) || !std::isfinite(h)) return {};
    tOpening opening{ShapeOf(w, l, h), std::fabs(l), std::fabs(w), std::fabs(h)};
    if (opening.Shape == OpeningShape::VerticalCylinder && l == 0) opening.X = opening.Y;
    return opening;
}

namespace {

double OutlineArea(const tOpening& o, double x, double y, double z) {
    using S = OpeningShape;
    const double ax = std::fabs(x), ay = std::fabs(y), az = std::fabs(z);
    switch (o.Shape) {
    case S::None:
        return 0;
    case S::Box:
        return o.X * o.Y * az + o.Y * o.Z * ax + o.X * o.Z * ay;
    case S::VerticalCylinder:
        return Ellipse(o.X, o.Y) * az + CylinderSide(o.Z, o.X, o.Y, x, y);
    case S::Ellipsoid: {
        const double a = o.X / 2, b = o.Y / 2, c = o.Z / 2;
        return kPi *
               std::sqrt(std::pow(b * c * x, 2) + std::pow(a * c * y, 2) + std::pow(a * b * z, 2));
    }
    case S::CylinderAlongLength:
        return Ellipse(o.Y, o.Z) * ax + CylinderSide(o.X, o.Y, o.Z, y, z);
    case S::CylinderAlongWidth:
        return Ellipse(o.X, o.Z) * ay + CylinderSide(o.Y, o.X, o.Z, x, z);
    case S::DiscFacingLength:
        return Ellipse(o.Y, o.Z) * ax;
    case S::DiscFacingWidth:
        return Ellipse(o.X, o.Z) * ay;
    }
    return 0;
}

} // namespace

double ProjectedArea(const tOpening& o, double x, double y, double z) {
    // A flat opening seen edge-on has no area, not the rounding error of a cosine of 90 degrees
    // (which would make its luminance 1e19 cd/m2).
    const double size = std::max({o.X, o.Y, o.Z});
    const double area = OutlineArea(o, x, y, z);
    return area > 1e-9 * size * size ? area : 0;
}

bool UsableRecord(const tIES& ies) {
    if (!grid::UsableShape(ies)) return false;
    for (const tArrEx& row : ies.Candela)
        for (double value : row)
            if (!std::isfinite(value * ies.Multiplier)) return false;
    return true;
}

double tZoneFluxes::Downward() const {
    double sum = 0;
    for (double flux : Down)
        sum += flux;
    return sum;
}

tZoneFluxes ZoneFluxesOf(const tIES& ies) {
    tZoneFluxes zones;
    if (!UsableRecord(ies)) return zones;
    std::vector<std::pair<double, double>> bands;
    for (int zone = 0; zone < 9; ++zone)
        bands.emplace_back(10.0 * zone, 10.0 * (zone + 1));
    bands.emplace_back(90, 180);
    const std::vector<double> fluxes =
        grid::IsTypeC(ies) ? BandFluxes(ies, bands) : BandFluxes(ResampleToTypeC(ies), bands);
    if (fluxes.size() != bands.size()) return zones;
    for (double flux : fluxes)
        if (!std::isfinite(flux)) return zones;
    std::copy(fluxes.begin(), fluxes.begin() + 9, zones.Down.begin());
    zones.Up = fluxes.back();
    zones.Valid = true;
    return zones;
}

} // namespace indoor

namespace {

constexpr double kRad = std::numbers::pi / 180;

struct Direction {
    double X, Y, Z;
};

// From the luminaire towards gamma degrees from the nadir in the plane C.
Direction Toward(double gamma, double c) {
    const double g = gamma * kRad;
    return {std::sin(g) * std::cos(c * kRad), std::sin(g) * std::sin(c * kRad), -std::cos(g)};
}

} // namespace

double ProjectedLuminousArea(const tIES& ies, double gamma, double c) {
    const Direction d = Toward(gamma, c);
    return indoor::ProjectedArea(indoor::OpeningOf(ies), d.X, d.Y, d.Z);
}

double tLuminanceTable::MaxAt(int angleIndex) const {
    if (angleIndex < 0 || angleIndex >= static_cast<int>(Angles.size())) return kNoValue;
    double highest = kNoValue;
    for (double value : Values[static_cast<std::size_t>(angleIndex)])
        if (std::isnan(highest) || value > highest) highest = value;
    return highest;
}

tLuminanceTable ComputeLuminanceTable(const tIES& ies) {
    tLuminanceTable table;
    for (auto& row : table.Values)
        row.fill(kNoValue);
    const indoor::tOpening opening = indoor::OpeningOf(ies);
    if (opening.Shape == indoor::OpeningShape::None || !indoor::UsableRecord(ies)) return table;
    table.Valid = true;
    for (std::size_t a = 0; a < table.Angles.size(); ++a) {
        for (std::size_t p = 0; p < table.Planes.size(); ++p) {
            const Direction d = Toward(table.Angles[a], table.Planes[p]);
            const double area = indoor::ProjectedArea(opening, d.X, d.Y, d.Z);
            const double intensity = IntensityToward(ies, d.X, d.Y, d.Z) * ies.Multiplier;
            table.Values[a][p] = area > 0 ? intensity / area : kNoValue;
        }
    }
    return table;
}

} // namespace gonilux
