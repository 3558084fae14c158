#include "fish_eye.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace gonilux::mainwindow {
namespace {

constexpr std::uint32_t kBlack = 0xff000000u;

// The rim: a full circle inside (0, 0)-(2R, 2R) with a 1-pixel black pen, as offsets into the
// square.
std::vector<int> RimPixels(int radius) {
    const int side = 2 * radius;
    QImage mask(side, side, QImage::Format_RGB32);
    mask.fill(Qt::white);
    {
        QPainter painter(&mask);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawEllipse(QRect(0, 0, side - 1, side - 1));
    }
    std::vector<int> rim;
    for (int y = 0; y < side; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(mask.constScanLine(y));
        for (int x = 0; x < side; ++x)
            if ((row[x] & 0xffffffu) == 0) rim.push_back(y * side + x);
    }
    return rim;
}

std::uint32_t SourcePixel(const PixelView& picture, int x, int y) {
    if (x < 0 || y < 0 || x >= picture.Width || y >= picture.Height) return kBlack;
    return picture.Bits[static_cast<std::ptrdiff_t>(y) * picture.Stride + x];
}

// The picture's square (x - R, y - R, 2R x 2R) as it is, black outside the picture.
void CopySquare(const PixelView& picture, int x, int y, int radius, std::uint32_t* lens,
                int lensStride) {
    const int side = 2 * radius;
    const int left = x - radius;
    const int first = std::max(0, -left);
    const int last = std::min(side, picture.Width - left); // exclusive
    for (int ly = 0; ly < side; ++ly) {
        std::uint32_t* out = lens + static_cast<std::ptrdiff_t>(ly) * lensStride;
        const int py = y - radius + ly;
        if (py < 0 || py >= picture.Height || first >= last) {
            std::fill(out, out + side, kBlack);
            continue;
        }
        std::fill(out, out + first, kBlack);
        const std::uint32_t* in = picture.Bits + static_cast<std::ptrdiff_t>(py) * picture.Stride;
        std::memcpy(out + first, in + left + first, sizeof(std::uint32_t) * (last - first));
        std::fill(out + last, out + side, kBlack);
    }
}

} // namespace

double RefractionIndex(int k) {
    return k / 10.0 + 1.0;
}

double ArcCos(double x) {
    return std::atan2(std::sqrt(1.0 - x * x), x);
}

FishEyeMap::FishEyeMap(int radius, int k, bool magnify)
    : radius_(std::max(radius, 1)), k_(k), magnify_(magnify) {
    const double n = RefractionIndex(k);
    const double sigma = magnify ? 1.0 : -1.0;
    const double r = radius_;
    points_.reserve(static_cast<std::size_t>((radius_ + 1) * (radius_ + 1)));
    for (int i = 0; i <= radius_; ++i) {
        for (int j = 0; j <= radius_; ++j) {
            const double s = double(j) * j + double(i) * i;
            const double d = std::sqrt(s);
            if (d > r || d == 0) continue;
            const double ratio = d / r;
            const double c = std::sqrt(1.0 - ratio * ratio);
            const double t = std::tan(ArcCos(c) - ArcCos(c / n));
            const double f = 1.0 - sigma * (std::sqrt(r * r - s) - r) / d * t;
            points_.push_back({i, j, static_cast<int>(std::nearbyint(i * f)),
                               static_cast<int>(std::nearbyint(j * f))});
        }
    }
    rim_ = RimPixels(radius_);
}

void ComputeFishEye(const PixelView& picture, int x, int y, const FishEyeMap& map,
                    std::uint32_t* lens, int lensStride) {
    const int r = map.radius();
    const int side = 2 * r;
    CopySquare(picture, x, y, r, lens, lensStride);
    auto put = [&](int lx, int ly, std::uint32_t colour) {
        if (lx < side && ly < side)
            lens[static_cast<std::ptrdiff_t>(ly) * lensStride + lx] = colour;
    };
    // The four mirrored copies of each point of the quadrant.
    for (const FishEyeMap::Point& p : map.points()) {
        put(r - p.J, r - p.I, SourcePixel(picture, x - p.Fj, y - p.Fi));
        put(r - p.J, r + p.I, SourcePixel(picture, x - p.Fj, y + p.Fi));
        put(r + p.J, r - p.I, SourcePixel(picture, x + p.Fj, y - p.Fi));
        put(r + p.J, r + p.I, SourcePixel(picture, x + p.Fj, y + p.Fi));
    }
    for (int offset : map.rim())
        lens[static_cast<std::ptrdiff_t>(offset / side) * lensStride + offset % side] = kBlack;
}

void ComputeFishEye(const QImage& picture, int x, int y, const FishEyeMap& map, QImage& lens) {
    const int side = 2 * map.radius();
    if (lens.width() != side || lens.height() != side || lens.format() != QImage::Format_RGB32)
        lens = QImage(side, side, QImage::Format_RGB32);
    const PixelView view{reinterpret_cast<const std::uint32_t*>(picture.constBits()),
                         picture.width(), picture.height(),
                         static_cast<int>(picture.bytesPerLine() / 4)};
    ComputeFishEye(view, x, y, map, reinterpret_cast<std::uint32_t*>(lens.bits()),
                   static_cast<int>(lens.bytesPerLine() / 4));
}

void PaintBoxArcPaint(QPainter& painter, int width, int height, bool magnify,
                      const QColor& shadow) {
    const int h = width / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QBrush(shadow, Qt::BDiagPattern));
    constexpr int kHalfTurn = 180 * 16;
    if (magnify) // the upper half of the disc in (0, 1)-(2h, 2h + 1): a dome
        painter.drawChord(QRect(0, 1, 2 * h - 1, 2 * h), 0, kHalfTurn);
    else // the lower half of the disc in (0, 1 - h)-(2h, h + 1): a bowl hanging from the top
        painter.drawChord(QRect(0, 1 - h, 2 * h - 1, 2 * h), kHalfTurn, kHalfTurn);
    painter.setBrush(shadow);
    painter.drawRect(QRect(0, height - 10, width - 2, 8));
    painter.restore();
}

} // namespace gonilux::mainwindow
