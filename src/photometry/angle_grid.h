// Where a direction falls among a record's stored angles: the layouts by which stored planes
// stand for the whole circle, and blends between neighbouring angles.
#pragma once

#include "ies_record.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace gonilux::grid {

inline constexpr double kTolerance = 1e-9; // degrees

inline bool IsTypeC(const tIES& ies) {
    return ies.PhotometricType == 1;
}

// How the stored horizontal angles stand for the whole circle of planes.
enum class Layout {
    Single,   // one plane: rotational symmetry about the polar axis
    Mirrored, // type C over at most 180 degrees: quarter (0-90) or half (0-180, 90-270)
              // symmetry; each end plane is a plane of symmetry
    Cyclic,   // type C over more than 180 degrees: a gap to the full turn closes on the first plane
    Lateral,  // types A and B from 0 on: mirrored to the negative horizontal angles
    Open,     // types A and B with negative angles: the stored range only
};

inline Layout LayoutOf(const tIES& ies) {
    const tArrEx& h = ies.HorzAngles;
    if (h.size() == 1) return Layout::Single;
    if (!IsTypeC(ies)) return h.front() >= -kTolerance ? Layout::Lateral : Layout::Open;
    return h.back() - h.front() <= 180 + kTolerance ? Layout::Mirrored : Layout::Cyclic;
}

inline bool StrictlyIncreasing(const tArrEx& angles) {
    for (std::size_t i = 0; i < angles.size(); ++i) {
        if (!std::isfinite(angles[i])) return false;
        if (i > 0 && !(angles[i] > angles[i - 1])) return false;
    }
    return true;
}

inline bool WithinRange(const tArrEx& angles, double low, double high) {
    return angles.front() >= low - kTolerance && angles.back() <= high + kTolerance;
}

// Type, counts, multiplier and angles; the candela values are checked while they are summed.
inline bool UsableShape(const tIES& ies) {
    if (ies.PhotometricType < 1 || ies.PhotometricType > 3) return false;
    if (ies.VertCount == 0 || ies.HorzCount == 0) return false;
    if (ies.VertAngles.size() != ies.VertCount || ies.HorzAngles.size() != ies.HorzCount ||
        ies.Candela.size() != ies.HorzCount) {
        return false;
    }
    for (const tArrEx& row : ies.Candela)
        if (row.size() != ies.VertCount) return false;
    if (!std::isfinite(ies.Multiplier) || !(ies.Multiplier > 0)) return false;
    if (!StrictlyIncreasing(ies.VertAngles) || !StrictlyIncreasing(ies.HorzAngles)) return false;
    if (IsTypeC(ies)) {
        return WithinRange(ies.VertAngles, 0, 180) &&
               ies.HorzAngles.back() - ies.HorzAngles.front() <= 360 + kTolerance;
    }
    // Type B turns its planes all the way round the horizontal axis and measures within them
    // up to the poles of that axis; type A the other way about.
    if (ies.PhotometricType == 2)
        return WithinRange(ies.VertAngles, -180, 180) && WithinRange(ies.HorzAngles, -90, 90);
    return WithinRange(ies.VertAngles, -90, 90) && WithinRange(ies.HorzAngles, -180, 180);
}

// A value between two stored ones: (1 - T) * value[Lo] + T * value[Hi].
struct Blend {
    std::size_t Lo = 0;
    std::size_t Hi = 0;
    double T = 0;
    bool Found = false;
};

// Blend of the strictly increasing `angles` at `angle`; not found outside their range.
inline Blend BlendAt(const tArrEx& angles, double angle) {
    if (angle < angles.front() - kTolerance || angle > angles.back() + kTolerance) return {};
    const auto above = std::upper_bound(angles.begin(), angles.end(), angle);
    if (above == angles.begin()) return {0, 0, 0, true};
    if (above == angles.end()) return {angles.size() - 1, angles.size() - 1, 0, true};
    const auto hi = static_cast<std::size_t>(above - angles.begin());
    return {hi - 1, hi, (angle - angles[hi - 1]) / (angles[hi] - angles[hi - 1]), true};
}

// Non-negative remainder of `angle` by `period`.
inline double Wrap(double angle, double period) {
    const double r = std::fmod(angle, period);
    return r < 0 ? r + period : r;
}

// The angle between the end planes of a mirrored layout that mirrors at them reach: the
// reflections at both ends repeat every twice the span.
inline double Reflect(double angle, double first, double last) {
    const double folded = first + Wrap(angle - first, 2 * (last - first));
    return folded > last ? 2 * last - folded : folded;
}

// The stored planes that show the plane at horizontal angle `angle`, by the layout's symmetry.
inline Blend PlaneAt(const tArrEx& h, Layout layout, double angle) {
    if (layout == Layout::Single) return {0, 0, 0, true};
    if (layout == Layout::Lateral) return BlendAt(h, std::fabs(angle));
    if (layout == Layout::Open) return BlendAt(h, angle);
    const double first = h.front();
    const double last = h.back();
    const double turned = first + Wrap(angle - first, 360);
    if (layout == Layout::Mirrored) return BlendAt(h, Reflect(turned, first, last));
    if (turned <= last + kTolerance) return BlendAt(h, turned);
    return {h.size() - 1, 0, (turned - last) / (first + 360 - last), true};
}

} // namespace gonilux::grid
