// Re-sampling any record onto a regular type C grid, direction by direction.
#pragma once

#include "ies_record.h"

namespace gonilux {

// The steps of the grid a record is re-sampled onto: no coarser than the finest step between
// the record's own angles, never coarser than 5 degrees between planes and 2.5 degrees between
// vertical angles, and a divisor of 90 so that the principal planes and the horizon are on it.
struct ResampleGrid {
    double PlaneStep = 5;
    double VertStep = 2.5;
};
ResampleGrid ResampleGridFor(const tIES& ies);

// Intensity (table units, before the multiplier) of `ies` in the direction (x, y, z) of the
// type C frame: x towards C0 at the horizon, y towards C90, z up (the nadir is (0, 0, -1)).
// Types A and B are measured about their own axes with the beam axis (horizontal and vertical
// angle 0) at C0 on the horizon and positive vertical angles upwards:
//  - type A: the planes turn about the vertical axis by the horizontal angle H, and the vertical
//    angle V is the elevation within them: (cos V cos H, cos V sin H, sin V);
//  - type B: the planes turn about the horizontal axis through C90 by the vertical angle V, and
//    the horizontal angle H is measured within them: (cos H cos V, sin H, cos H sin V).
// Stored symmetry is unfolded (one plane: the same in every plane; types A and B from 0 on:
// mirrored to the negative horizontal angles; type C by its layout). Values are bilinear between
// the stored angles; a direction outside the stored ranges has no light.
double IntensityToward(const tIES& ies, double x, double y, double z);

// The same at the record's own horizontal and vertical angle (degrees).
double IntensityAt(const tIES& ies, double horz, double vert);

// The record as type C on the grid of ResampleGridFor: planes 0 to 360 (both ends), vertical
// angles 0 to 180, lamp figures, multiplier and sizes kept. Empty angle lists when the record
// has no usable table (mismatched counts, angles not increasing, no values).
tIES ResampleToTypeC(const tIES& ies);

} // namespace gonilux
