// The map window's picture: an azimuthal equidistant projection around the nadir. The centre is
// the vertical angle 0, the rim of the inscribed circle 180 degrees; the azimuth is the
// horizontal angle, 0 to the right and growing counter-clockwise.
#pragma once

#include "photometry/ies_record.h"

#include <QImage>
#include <optional>

namespace gonilux::auxwindows {

inline constexpr int kMapSize = 512;

// The intensity at a horizontal and vertical angle (degrees), interpolated linearly along both,
// with the record's symmetry applied: one plane (rotational), 0-90 (quarter), 0-180 and 90-270
// (half), and a full turn closing from the last angle back to 0. Nothing where the record has
// no data.
std::optional<double> MapIntensity(const tIES& ies, double horizontal, double vertical);

// The largest intensity of the record (0 for an empty one).
double LargestIntensity(const tIES& ies);

// A size x size grey picture: grey = intensity / maxIntensity * 255 (rounded, clamped), black
// outside the circle, where the record has no data, or when maxIntensity is not positive.
QImage MapImage(const tIES& ies, double maxIntensity, int size = kMapSize);

} // namespace gonilux::auxwindows
