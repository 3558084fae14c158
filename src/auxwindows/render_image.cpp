#include "render_image.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gonilux::auxwindows {
namespace {

// pi/2 - 1.5: the angle offset the picture has always been drawn with.
constexpr double kAngleOffset = 0.0707963;
constexpr int kHalf = kRenderSize / 2;

// Where an angle sits between two vertical angles: the upper index and the distance above the
// lower one.
struct Bracket {
    bool Valid = false;
    std::size_t Upper = 1;
    double Above = 0; // |a| - V[Upper - 1]
    double Span = 1;  // V[Upper] - V[Upper - 1]
};

class VerticalScale {
  public:
    VerticalScale(const tArrEx& vert, double vStart, double vLast)
        : vert_(vert), vStart_(vStart), vLast_(vLast),
          sorted_(std::is_sorted(vert.begin(), vert.end())) {}

    Bracket At(double angle) const {
        Bracket b;
        if (vert_.size() < 2 || !(angle >= vStart_ && angle <= vLast_)) return b;
        const double x = std::abs(angle);
        std::size_t i = 0;
        if (sorted_) {
            i = static_cast<std::size_t>(std::lower_bound(vert_.begin(), vert_.end(), x) -
                                         vert_.begin());
            i = std::min(i, vert_.size() - 1);
        } else {
            while (i + 1 < vert_.size() && vert_[i] < x)
                ++i;
        }
        if (i == 0) i = 1;
        b.Valid = true;
        b.Upper = i;
        b.Above = x - vert_[i - 1];
        b.Span = vert_[i] - vert_[i - 1];
        return b;
    }

  private:
    const tArrEx& vert_;
    double vStart_;
    double vLast_;
    bool sorted_;
};

double Interpolate(const tIES& ies, int plane, const Bracket& b) {
    if (!b.Valid || plane < 0 || plane >= static_cast<int>(ies.Candela.size())) return 0;
    const tArrEx& row = ies.Candela[static_cast<std::size_t>(plane)];
    if (b.Upper >= row.size()) return 0;
    const double lo = row[b.Upper - 1];
    const double hi = row[b.Upper];
    if (b.Span == 0) return hi;
    return lo + b.Above * (hi - lo) / b.Span;
}

QRgb Grey(double v) {
    int g = 0;
    if (std::isnan(v))
        g = 0;
    else if (v > 255)
        g = 255;
    else
        g = static_cast<int>(std::nearbyint(v)); // halves to even
    return qRgb(g, g, g);
}

} // namespace

double PlaneIntensity(const tIES& ies, int plane, double angle, double vStart, double vLast) {
    const VerticalScale scale(ies.VertAngles, vStart, vLast);
    return Interpolate(ies, plane, scale.At(angle));
}

QImage DoRender(const tIES& ies, const RenderParams& params) {
    QImage image(kRenderSize, kRenderSize, QImage::Format_RGB32);
    image.fill(Qt::black);
    if (ies.PhotometricType != 1) return image;

    const PlaneSelection planes = SelectPlanes(ies, 0, params.Plane, params.Planes);
    const double maxIntensity = planes.Extents.MaxIntensity;
    const tArrEx& vert = ies.VertAngles;
    const double vLast = vert.empty() ? 0 : vert.back();
    const double vStart = !vert.empty() && vert.front() == 0 ? 0 : -vLast;
    const bool singleSided = !vert.empty() && vert.front() < 0;
    const double b = params.Brightness / 10.0;
    const double zoom = params.Zoom;
    const double rad = params.Radiosity ? 1 : 0;
    const double z = params.ZPosition;
    const VerticalScale scale(vert, vStart, vLast);
    auto relative = [maxIntensity](double intensity) {
        return maxIntensity != 0 ? intensity / maxIntensity : 0.0;
    };

    // The angle and distance depend on |X| only: each evaluation serves the pixel on the right
    // (the plane) and its mirror on the left (the opposite plane).
    for (int r = 0; r < kRenderSize; ++r) {
        const double y = r - kHalf;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(r));
        for (int ax = 0; ax <= kHalf; ++ax) {
            const double x = ax;
            const double a =
                180.0 / std::numbers::pi * std::atan2(std::sqrt(x * x + z), y) - kAngleOffset;
            const Bracket bracket = scale.At(a);
            const double d2 = (x * x + y * y) / zoom;
            const double denominator = (rad + 1) * std::sqrt(b + d2);
            auto grey = [&](int plane) {
                const double intensity = Interpolate(ies, plane, bracket);
                return Grey(std::abs((relative(intensity) + rad) * 255 * b / denominator));
            };
            if (ax < kHalf) line[kHalf + ax] = grey(planes.Plane);
            if (ax > 0) line[kHalf - ax] = grey(singleSided ? planes.Plane : planes.Opposite);
        }
    }
    return image;
}

} // namespace gonilux::auxwindows
