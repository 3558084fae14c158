// Photometric figures computed from a record's intensity table: luminous flux, flux fractions,
// light output ratio, efficacy, the maximum intensity and beam/field angles.
#pragma once

#include "ies_record.h"

#include <limits>
#include <utility>
#include <vector>

namespace gonilux {

inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// Full angles (degrees) of one plane pair at which the intensity falls to 50 % (beam) and
// 10 % (field) of the pair's maximum; NaN when the pair has no light or is not defined.
// The angle runs across the beam axis, the direction of the pair's peak intensity, from the
// outermost angle on one side to the outermost on the other (within half a turn of the axis)
// where the intensity is still at or above the threshold, interpolated linearly where it
// crosses. Planes the file does not store are taken from its
// symmetry (one plane, quarter, half), or interpolated between neighbouring planes.
struct tSpread {
    double Beam = kNoValue;
    double Field = kNoValue;
    double Axis = kNoValue; // the direction of the peak the angles are measured about, as an
                            // angle along the cut (type C: 0 nadir, +-180 zenith, negative on
                            // the opposite plane)
};

// Absolute intensities are Candela[h][v] * Multiplier (the reader keeps that product equal to
// the file's candela values). Every figure that cannot be computed is NaN.
// Type C: "downward" is a vertical angle below 90. Types A and B: the vertical angle is the
// elevation within the plane of each horizontal angle (dOmega = cos V dV dH), "downward" is
// V < 0, and the figures are in the frame the file was measured in.
struct tMetrics {
    bool Valid = false;                 // false: no usable table (empty, unknown type, non-finite)
    bool Absolute = false;              // LumensPerLamp < 0: absolute photometry, no lamp flux
    double LuminaireFlux = kNoValue;    // lm, integrated over the sphere (NaN for a single
                                        // vertical angle)
    double LampFlux = kNoValue;         // lm, LampCount * LumensPerLamp; NaN when absolute or 0
    double DownwardFraction = kNoValue; // 0..1 of LuminaireFlux below the horizontal
    double UpwardFraction = kNoValue;   // 0..1 above it
    double LightOutputRatio = kNoValue; // LuminaireFlux / LampFlux
    double Efficacy = kNoValue;         // lm/W, LuminaireFlux / the exact input watts
    double MaxIntensity = kNoValue;     // cd
    double MaxVertAngle = kNoValue;     // direction of the maximum, in the file's own angles
    double MaxHorzAngle = kNoValue;
    tSpread Spread0;  // plane pair C0-C180 (type C) / types A, B: the plane of horizontal
                      // angle 0 across the vertical angles (the vertical spread)
    tSpread Spread90; // plane pair C90-C270 / types A, B: the perpendicular cut through the
                      // beam axis, vertical angle 0 across the horizontal angles (mirrored
                      // when only 0..90 is stored; the horizontal spread)
};

// Never throws; damaged records give Valid = false or NaN figures.
tMetrics ComputeMetrics(const tIES& ies);

// Type C: the flux (lm) between the vertical angles `first` and `second` (degrees from the nadir,
// first < second) of each band, integrated as LuminaireFlux is. Empty when the record is not
// type C, has fewer than two vertical angles or no usable table.
std::vector<double> BandFluxes(const tIES& ies,
                               const std::vector<std::pair<double, double>>& bands);

} // namespace gonilux
