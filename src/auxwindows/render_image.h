// The grey glow picture of the render window: a vertical section through the luminaire in the
// selected C-plane pair, nadir down, the plane on the right and its opposite on the left.
#pragma once

#include "diagram/diagram_options.h"
#include "photometry/ies_record.h"

#include <QImage>

namespace gonilux::auxwindows {

inline constexpr int kRenderSize = 300;

struct RenderParams {
    int Plane = 0;            // the plane slider's position
    int Brightness = 40;      // brightness bar position (1 .. 100); B = position / 10
    int Zoom = 500;           // zoom bar position (1 .. 10000); the distance term divides by it
    bool Radiosity = true;    // the ambient term
    int ZPosition = 1;        // the Z bar position
    PlaneOptions Planes = {}; // fit / orthogonal / complete switches of the main window
};

// One 300 x 300 picture. Only type C records get computed pixels; other records give a black
// picture. A record with fewer than two vertical angles or without any positive intensity gives
// the ambient glow alone (black with the ambient term off).
QImage DoRender(const tIES& ies, const RenderParams& params);

// The intensity of row `plane` in the direction `angle` (degrees from nadir), interpolated
// linearly between the two vertical angles around |angle|; 0 outside [vStart, vLast] or for a
// plane that does not exist.
double PlaneIntensity(const tIES& ies, int plane, double angle, double vStart, double vLast);

} // namespace gonilux::auxwindows
