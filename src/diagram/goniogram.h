// The polar light-distribution diagram (goniogram) of one photometric record.
#pragma once

#include "diagram/diagram_options.h"
#include "photometry/ies_record.h"
#include "photometry/plane_pairs.h"

#include <cstdint>
#include <vector>

class QPainter;

namespace gonilux {

// The scale of one full drawing, kept with the picture it belongs to so that values can be read
// back off that picture (the hover readout): the value shown at the radius (cx - Margin), and
// that margin in pixels. A drawing without scale rings (thumbnail, nothing drawn) gives 0.
struct DiagramScale {
    double FullScale = 0;
    int Margin = 10;
};

inline constexpr std::uint16_t kModeFull = 0;
inline constexpr std::uint16_t kModeThumbnail = 1;

// The quantities of one drawing, shared by its steps (curves, rings, info block, opening).
struct GonioContext {
    QPainter& Painter;
    int Width;
    int Height;
    const tIES& Ies;
    std::uint16_t Mode;
    double Scale;
    int RequestedPlane; // already clamped into the table
    const DiagramOptions& Options;
    PlaneSelection Planes = {};
    int M = 10; // margin
    int Cx = 0;
    int Cy = 0;
    int Rx = 0;
    int Ry = 0;
    double Rmax = 0; // the intensity reaching Rx / Ry; curves collapse to the centre when <= 0
    int OffX = 0;
    int OffY = 0;
    double K = 1.0;  // the multiplier when absolute values are shown, else 1
    int FontH = -11; // height of the diagram font selected for texts (negative pixels)
    // cos and sin of the drawing angle of each vertical angle, shared by all rows (computed
    // on the fly when empty).
    std::vector<double> VertCos = {};
    std::vector<double> VertSin = {};
};

// Draws the diagram of `ies` into (0, 0)-(width, height), over a background drawn beforehand.
// mode 1 = thumbnail (standard view, thin pens, no rings or texts), 0 = full. `scale` multiplies
// pen widths, font height and icon sizes (1.0 on screen); a value other than 1.0 also selects the
// text form of the information block. `requestedPlane` is clamped into the table. Returns the
// scale of this drawing.
DiagramScale DrawGoniogram(QPainter& painter, int width, int height, const tIES& ies,
                           std::uint16_t mode, double scale, int requestedPlane,
                           const DiagramOptions& options);

// A plane row P on the right half and its opposite Q mirrored onto the left (Q < 0: the curve is
// closed on itself). Rows are read only as far as both the row and VertAngles reach.
void DrawPlaneCurve(const GonioContext& ctx, int plane, int opposite);

// The perpendicular cut of type A and B records: the values at vertical angle 0 across the
// horizontal angles, mirrored when only one side is stored.
void DrawCrossCurve(const GonioContext& ctx);

// Scale rings with their values, then the information block and the opening description.
void DrawScaleRings(GonioContext& ctx);

struct RingSpacing {
    bool Valid = false; // false for a scale maximum that is not a positive finite number
    double Step = 0;    // u: the value between two rings, m * 10^p or 10^p / 2
    int Count = 0;      // n: rings 0 .. n
};

// Ring spacing for the value `top` at the full radius: 4 to 8 rings of a round step.
RingSpacing ComputeRingSpacing(double top);

} // namespace gonilux
