// Photometric figures computed from a record's intensity table: luminous flux, flux fractions,
// light output ratio, efficacy, the maximum intensity and beam/field angles.
#pragma once

#include "ies_record.h"

#include <limits>

namespace gonilux {

inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// Full angles (degrees) of one plane pair at which the intensity falls to 50 % (beam) and
// 10 % (field) of the pair's maximum; NaN when the pair has no light or is not defined.
struct tSpread {
    double Beam = kNoValue;
    double Field = kNoValue;
};

// Absolute intensities are Candela[h][v] * Multiplier (the reader keeps that product equal to
// the file's candela values). Every figure that cannot be computed is NaN.
struct tMetrics {
    bool Valid = false;             // false: no usable table (empty, unknown type, non-finite)
    bool Absolute = false;          // LumensPerLamp < 0: absolute photometry, no lamp flux
    double LuminaireFlux = kNoValue;     // lm, integrated over the sphere
    double LampFlux = kNoValue;          // lm, LampCount * LumensPerLamp; NaN when absolute or 0
    double DownwardFraction = kNoValue;  // 0..1 of LuminaireFlux below the horizontal
    double UpwardFraction = kNoValue;    // 0..1 above it
    double LightOutputRatio = kNoValue;  // LuminaireFlux / LampFlux
    double Efficacy = kNoValue;          // lm/W, LuminaireFlux / InputWatts
    double MaxIntensity = kNoValue;      // cd
    double MaxVertAngle = kNoValue;      // direction of the maximum, in the file's own angles
    double MaxHorzAngle = kNoValue;
    tSpread Spread0;   // plane pair C0-C180 (type C) / the pair through horizontal angle 0 (A, B)
    tSpread Spread90;  // plane pair C90-C270 / the pair through horizontal angle 90
};

// Never throws; damaged records give Valid = false or NaN figures.
tMetrics ComputeMetrics(const tIES& ies);

}  // namespace gonilux
