#include "resample.h"

#include "angle_grid.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gonilux {
namespace {

using namespace grid;

constexpr double kDeg = 180 / std::numbers::pi;
constexpr double kRad = std::numbers::pi / 180;

// The finest gap between neighbouring angles of either list (0 when neither has two).
double FinestStep(const tIES& ies) {
    double finest = 0;
    for (const tArrEx* angles : {&ies.HorzAngles, &ies.VertAngles})
        for (std::size_t i = 1; i < angles->size(); ++i) {
            const double gap = (*angles)[i] - (*angles)[i - 1];
            if (gap > 0 && (finest == 0 || gap < finest)) finest = gap;
        }
    return finest;
}

// The largest divisor of 90 among the usual steps that is at most `limit`.
double StepAtMost(double limit) {
    for (double step : {5.0, 2.5, 2.0, 1.0, 0.5, 0.25, 0.2, 0.1})
        if (step <= limit + kTolerance) return step;
    return 0.1;
}

double Bilinear(const tIES& ies, const Blend& plane, const Blend& vert) {
    auto at = [&](std::size_t v) {
        const double lo = ies.Candela[plane.Lo][v];
        return lo + plane.T * (ies.Candela[plane.Hi][v] - lo);
    };
    const double lo = at(vert.Lo);
    return vert.T == 0 ? lo : lo + vert.T * (at(vert.Hi) - lo);
}

// A direction's horizontal and vertical angle in the record's own system (degrees).
void OwnAngles(const tIES& ies, double x, double y, double z, double& horz, double& vert) {
    if (ies.PhotometricType == 2) { // polar axis along y
        horz = std::asin(std::clamp(y, -1.0, 1.0)) * kDeg;
        vert = std::atan2(z, x) * kDeg;
    } else if (ies.PhotometricType == 3) { // polar axis along z, beam axis along x
        vert = std::asin(std::clamp(z, -1.0, 1.0)) * kDeg;
        horz = std::atan2(y, x) * kDeg;
    } else {
        vert = std::acos(std::clamp(-z, -1.0, 1.0)) * kDeg;
        horz = Wrap(std::atan2(y, x) * kDeg, 360);
    }
}

} // namespace

ResampleGrid ResampleGridFor(const tIES& ies) {
    const double finest = FinestStep(ies);
    const double limit = finest > 0 ? finest : 5;
    return {StepAtMost(std::min(5.0, limit)), StepAtMost(std::min(2.5, limit))};
}

double IntensityToward(const tIES& ies, double x, double y, double z) {
    double horz = 0;
    double vert = 0;
    OwnAngles(ies, x, y, z, horz, vert);
    return IntensityAt(ies, horz, vert);
}

double IntensityAt(const tIES& ies, double horz, double vert) {
    const Blend plane = PlaneAt(ies.HorzAngles, LayoutOf(ies), horz);
    const Blend level = BlendAt(ies.VertAngles, vert);
    if (!plane.Found || !level.Found) return 0;
    return Bilinear(ies, plane, level);
}

tIES ResampleToTypeC(const tIES& ies) {
    tIES out;
    out.LumensPerLamp = ies.LumensPerLamp;
    out.Multiplier = ies.Multiplier;
    out.Width = ies.Width;
    out.Length = ies.Length;
    out.Height = ies.Height;
    out.ExactInputWatts = ies.ExactInputWatts;
    out.UnitsType = ies.UnitsType;
    out.InputWatts = ies.InputWatts;
    out.LampCount = ies.LampCount;
    out.PhotometricType = 1;
    if (!UsableShape(ies)) return out;
    const ResampleGrid grid = ResampleGridFor(ies);
    const auto planes = static_cast<std::size_t>(std::lround(360 / grid.PlaneStep)) + 1;
    const auto verts = static_cast<std::size_t>(std::lround(180 / grid.VertStep)) + 1;
    for (std::size_t c = 0; c < planes; ++c)
        out.HorzAngles.push_back(static_cast<double>(c) * grid.PlaneStep);
    for (std::size_t g = 0; g < verts; ++g)
        out.VertAngles.push_back(static_cast<double>(g) * grid.VertStep);
    out.Candela.assign(planes, tArrEx(verts, 0.0));
    for (std::size_t c = 0; c < planes; ++c) {
        const double cRad = out.HorzAngles[c] * kRad;
        const double cosC = std::cos(cRad), sinC = std::sin(cRad);
        for (std::size_t g = 0; g < verts; ++g) {
            const double gRad = out.VertAngles[g] * kRad;
            const double sinG = std::sin(gRad);
            out.Candela[c][g] =
                IsTypeC(ies) ? IntensityAt(ies, out.HorzAngles[c], out.VertAngles[g])
                             : IntensityToward(ies, sinG * cosC, sinG * sinC, -std::cos(gRad));
        }
    }
    out.HorzCount = static_cast<std::uint16_t>(planes);
    out.VertCount = static_cast<std::uint16_t>(verts);
    return out;
}

} // namespace gonilux
