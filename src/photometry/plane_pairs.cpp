#include "plane_pairs.h"

#include <cmath>
#include <numbers>

namespace gonilux {
namespace {

int RowCount(const tIES& ies) {
    return static_cast<int>(ies.Candela.size());
}

struct Point {
    double X;
    double Y;
};

Point Project(double intensity, double gammaDegrees) {
    double a = std::numbers::pi * gammaDegrees / 180.0;
    return {intensity * std::sin(a), intensity * std::cos(a)};
}

// Visits the values of one row that have a vertical angle.
template <typename F> void ForEachValue(const tIES& ies, int row, F&& visit) {
    if (row < 0 || row >= RowCount(ies)) return;
    const tArrEx& values = ies.Candela[static_cast<std::size_t>(row)];
    std::size_t n = std::min(values.size(), ies.VertAngles.size());
    for (std::size_t v = 0; v < n; ++v)
        visit(values[v], ies.VertAngles[v], v);
}

} // namespace

int FirstZeroPlane(const tIES& ies) {
    for (std::size_t i = 0; i < ies.HorzAngles.size(); ++i)
        if (ies.HorzAngles[i] == 0) return static_cast<int>(i);
    return 0;
}

int PerpendicularPlane(const tIES& ies) {
    const tArrEx& h = ies.HorzAngles;
    for (std::size_t i = 0; i < h.size(); ++i)
        if (h[i] - h[0] == 90) return static_cast<int>(i);
    return 0;
}

int OppositePlane(const tIES& ies, int plane, const PlaneOptions& options) {
    const tArrEx& h = ies.HorzAngles;
    const int last = static_cast<int>(h.size()) - 1;
    if (plane < 0 || plane > last) return -1;
    if (h[0] >= 90 && !options.Complete && ies.PhotometricType != 1) return -1;
    const double angle = h[static_cast<std::size_t>(plane)];
    int i = 0;
    while (i < last && !(h[static_cast<std::size_t>(i)] - 180 == angle ||
                         h[static_cast<std::size_t>(i)] + 180 == angle))
        ++i;
    if (last <= 0) return i;
    if (h[static_cast<std::size_t>(last)] == h[0] + 90) return plane;
    if (h[static_cast<std::size_t>(last)] == h[0] + 180) return last - plane;
    return i;
}

void PairExtents(const tIES& ies, int plane, int opposite, tIesExtents& e) {
    auto widen = [&e](double intensity, double gamma, std::size_t) {
        if (intensity > e.MaxIntensity) e.MaxIntensity = intensity;
        Point p = Project(intensity, gamma);
        if (p.X < e.MinX) e.MinX = p.X;
        if (p.X > e.MaxX) e.MaxX = p.X;
        if (p.Y < e.MinY) e.MinY = p.Y;
        if (p.Y > e.MaxY) e.MaxY = p.Y;
    };
    ForEachValue(ies, plane, widen);
    if (opposite >= 0) ForEachValue(ies, opposite, widen);
}

void WholeExtents(const tIES& ies, tIesExtents& e, tIesLocations& locations) {
    e = tIesExtents{};
    locations.fill(ExtentLocation{});
    for (int h = 0; h < RowCount(ies); ++h) {
        ForEachValue(ies, h, [&](double intensity, double gamma, std::size_t v) {
            const ExtentLocation here{h, static_cast<int>(v)};
            Point p = Project(intensity, gamma);
            if (intensity > e.MaxIntensity) e.MaxIntensity = intensity, locations[0] = here;
            if (p.X < e.MinX) e.MinX = p.X, locations[1] = here;
            if (p.X > e.MaxX) e.MaxX = p.X, locations[2] = here;
            if (p.Y < e.MinY) e.MinY = p.Y, locations[3] = here;
            if (p.Y > e.MaxY) e.MaxY = p.Y, locations[4] = here;
        });
    }
    if (ies.PhotometricType == 1) e.MinX = -e.MaxX;
}

PlaneSelection SelectPlanes(const tIES& ies, std::uint16_t mode, int requestedPlane,
                            const PlaneOptions& options) {
    PlaneSelection s;
    s.Plane = mode == 1 ? FirstZeroPlane(ies) : requestedPlane;
    if (s.Plane < 0) s.Plane = 0;
    if (RowCount(ies) > 0 && s.Plane >= RowCount(ies)) s.Plane = RowCount(ies) - 1;
    s.Opposite = OppositePlane(ies, s.Plane, options);
    if (s.Plane == 0 && (options.Ortho || mode == 1)) {
        s.HasPerpendicular = true;
        s.PerpPlane = PerpendicularPlane(ies);
        s.PerpOpposite = OppositePlane(ies, s.PerpPlane, options);
    }
    if (!options.Fit && mode == 0) {
        s.HasLocations = true;
        WholeExtents(ies, s.Extents, s.Locations);
        return s;
    }
    const auto plane = static_cast<std::size_t>(s.Plane);
    if (plane < ies.Candela.size() && !ies.Candela[plane].empty() && !ies.VertAngles.empty())
        s.Extents.MaxIntensity = ies.Candela[plane][0];
    PairExtents(ies, s.Plane, s.Opposite, s.Extents);
    if (s.HasPerpendicular) PairExtents(ies, s.PerpPlane, s.PerpOpposite, s.Extents);
    return s;
}

} // namespace gonilux
