// Photometric figures computed from a record's intensity table: luminous flux, flux fractions,
// light output ratio, efficacy, the maximum intensity and beam/field angles.
#pragma once

#include "beam_spread.h"
#include "ies_record.h"

#include <utility>
#include <vector>

namespace gonilux {

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
    // Beam and field angles in the two principal planes through the peak (beam_spread.h):
    // C0-C180 and C90-C270 when the peak is straight down or up, else the vertical plane of the
    // peak and the plane across it through the peak; SpreadPlanes says which.
    tSpreadPlanes SpreadPlanes;
    tSpread Spread0;
    tSpread Spread90;
};

// Never throws; damaged records give Valid = false or NaN figures.
tMetrics ComputeMetrics(const tIES& ies);

// The single beam and field angle of lists, queries and catalogues: the wider of the two
// principal planes (NaN when neither is known).
double BeamAngle(const tMetrics& m);
double FieldAngle(const tMetrics& m);

// Type C: the flux (lm) between the vertical angles `first` and `second` (degrees from the nadir,
// first < second) of each band, integrated as LuminaireFlux is. Empty when the record is not
// type C, has fewer than two vertical angles or no usable table.
std::vector<double> BandFluxes(const tIES& ies,
                               const std::vector<std::pair<double, double>>& bands);

} // namespace gonilux
