// The fish-eye lens over the preview picture: a glass sphere cap of radius R and index of
// refraction n lying on the diagram, computed on one quadrant and mirrored into the other three.
// Window-free: it works on 32-bit pixel buffers and images only.
#pragma once

#include <QColor>
#include <QImage>
#include <cstdint>
#include <vector>

class QPainter;

namespace gonilux::mainwindow {

inline constexpr int kLensRadiusMin = 8;
inline constexpr int kLensRadiusMax = 64;
inline constexpr int kLensRefractionMin = 0;
inline constexpr int kLensRefractionMax = 80;

// The index of refraction of a slider position k: k / 10 + 1 (1.0 to 9.0).
double RefractionIndex(int k);

// arccos through the arc tangent: ArcTan2(sqrt(1 - x^2), x).
double ArcCos(double x);

// Where the lens takes its pixels from. Depends only on R, n and the direction (magnify or
// shrink), so one map serves every pointer position until a lens setting changes.
class FishEyeMap {
  public:
    // One remapped point (j, i) of the quadrant, 0 <= i, j <= R, 0 < distance <= R: it shows the
    // picture at (x +- Fj, y +- Fi) in the four mirrored positions.
    struct Point {
        int I;
        int J;
        int Fi;
        int Fj;
    };

    FishEyeMap(int radius, int k, bool magnify);

    int radius() const { return radius_; }
    int refraction() const { return k_; }
    bool magnify() const { return magnify_; }
    bool matches(int radius, int k, bool magnify) const {
        return radius == radius_ && k == k_ && magnify == magnify_;
    }
    const std::vector<Point>& points() const { return points_; }
    // Offsets (y * 2R + x) of the rim's pixels in the 2R x 2R lens square.
    const std::vector<int>& rim() const { return rim_; }

  private:
    int radius_;
    int k_;
    bool magnify_;
    std::vector<Point> points_;
    std::vector<int> rim_;
};

// A 32-bit pixel buffer (rows `stride` pixels apart).
struct PixelView {
    const std::uint32_t* Bits;
    int Width;
    int Height;
    int Stride;
};

// Fills the 2R x 2R lens square `lens` (rows `lensStride` pixels apart) for a lens centred at
// picture pixel (x, y): the picture's square around (x, y) as it is, then the remapped points of
// the circle, then the black rim. Pixels outside the picture are black.
void ComputeFishEye(const PixelView& picture, int x, int y, const FishEyeMap& map,
                    std::uint32_t* lens, int lensStride);

// The same on images: `lens` becomes a 2R x 2R RGB32 image (reused when it already is one).
// `picture` must be RGB32 or ARGB32.
void ComputeFishEye(const QImage& picture, int x, int y, const FishEyeMap& map, QImage& lens);

// The pictogram of the lens glass in the options panel: a hatched dome (magnify) or a bowl
// hanging from the top (shrink), above a solid bar.
void PaintBoxArcPaint(QPainter& painter, int width, int height, bool magnify, const QColor& shadow);

} // namespace gonilux::mainwindow
