#include "map_image.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gonilux::auxwindows {
namespace {

// Two neighbouring indices of a sorted angle list around `angle` and the weight of the upper.
struct Span {
    std::size_t Lo = 0;
    std::size_t Hi = 0;
    double T = 0;
};

std::optional<Span> Locate(const tArrEx& angles, double angle) {
    if (angles.empty() || angle < angles.front() || angle > angles.back()) return std::nullopt;
    if (angles.size() == 1) return Span{};
    auto it = std::lower_bound(angles.begin(), angles.end(), angle);
    std::size_t hi = static_cast<std::size_t>(it - angles.begin());
    if (hi == 0) return Span{0, 0, 0};
    const std::size_t lo = hi - 1;
    const double width = angles[hi] - angles[lo];
    return Span{lo, hi, width > 0 ? (angle - angles[lo]) / width : 0};
}

std::optional<double> RowIntensity(const tIES& ies, std::size_t row, double vertical) {
    if (row >= ies.Candela.size()) return std::nullopt;
    const auto span = Locate(ies.VertAngles, vertical);
    const tArrEx& values = ies.Candela[row];
    if (!span || span->Hi >= values.size()) return std::nullopt;
    return values[span->Lo] + (values[span->Hi] - values[span->Lo]) * span->T;
}

// The horizontal angle in [0, 360) folded into the part of the turn the record stores.
double Fold(const tArrEx& horz, double h) {
    const double first = horz.front();
    const double last = horz.back();
    if (first == 0 && last == 90) {
        if (h > 180) h = 360 - h;
        if (h > 90) h = 180 - h;
    } else if (first == 0 && last == 180) {
        if (h > 180) h = 360 - h;
    } else if (first == 90 && last == 270) {
        if (h < 90)
            h = 180 - h;
        else if (h > 270)
            h = 540 - h;
    }
    return h;
}

bool HasMapData(const tIES& ies) {
    return !ies.HorzAngles.empty() &&
           std::is_sorted(ies.HorzAngles.begin(), ies.HorzAngles.end()) &&
           std::is_sorted(ies.VertAngles.begin(), ies.VertAngles.end());
}

// MapIntensity for a record that HasMapData.
std::optional<double> SortedIntensity(const tIES& ies, double horizontal, double vertical) {
    const tArrEx& horz = ies.HorzAngles;
    if (horz.size() == 1) return RowIntensity(ies, 0, vertical);
    double h = std::fmod(horizontal, 360.0);
    if (h < 0) h += 360;
    h = Fold(horz, h);
    const double first = horz.front();
    const double last = horz.back();
    if (first == 0 && last > 180 && last < 360 && h > last) {
        // Between the last plane and 0 of the next turn.
        const auto a = RowIntensity(ies, horz.size() - 1, vertical);
        const auto b = RowIntensity(ies, 0, vertical);
        if (!a || !b) return std::nullopt;
        return *a + (*b - *a) * (h - last) / (360 - last);
    }
    const auto span = Locate(horz, h);
    if (!span) return std::nullopt;
    const auto a = RowIntensity(ies, span->Lo, vertical);
    const auto b = RowIntensity(ies, span->Hi, vertical);
    if (!a || !b) return std::nullopt;
    return *a + (*b - *a) * span->T;
}

} // namespace

std::optional<double> MapIntensity(const tIES& ies, double horizontal, double vertical) {
    if (!HasMapData(ies)) return std::nullopt;
    return SortedIntensity(ies, horizontal, vertical);
}

double LargestIntensity(const tIES& ies) {
    double largest = 0;
    for (const tArrEx& row : ies.Candela)
        for (double v : row)
            largest = std::max(largest, v);
    return largest;
}

QImage MapImage(const tIES& ies, double maxIntensity, int size) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::black);
    if (!(maxIntensity > 0) || size <= 0 || !HasMapData(ies)) return image;
    const double radius = size / 2;
    for (int py = 0; py < size; ++py) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(py));
        const double dy = py - radius;
        for (int px = 0; px < size; ++px) {
            const double dx = px - radius;
            const double vertical = std::hypot(dx, dy) / radius * 180.0;
            if (vertical > 180) continue;
            const double azimuth = std::atan2(-dy, dx) * 180.0 / std::numbers::pi;
            const auto intensity = SortedIntensity(ies, azimuth, vertical);
            if (!intensity) continue;
            const double level = std::clamp(*intensity / maxIntensity * 255.0, 0.0, 255.0);
            const int g = static_cast<int>(std::nearbyint(level));
            line[px] = qRgb(g, g, g);
        }
    }
    return image;
}

} // namespace gonilux::auxwindows
