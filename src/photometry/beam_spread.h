// Beam and field angles: one definition for every place that shows them.
//
// A spread is measured in a plane through the peak direction: walking along the plane from the
// peak in each direction, the first place where the intensity falls to 50 % (beam) or 10 %
// (field) of the plane's maximum; the full angle is the sum of the two sides (at most 360).
// Along the stored angles the intensity is linear, as the record interpolates it; beyond the
// last stored vertical angle there is no light.
//
// The two principal planes of a luminaire are both through its peak direction, in the type C
// frame (types A and B are looked up in their own angles with the beam axis at C0 on the
// horizon, as the re-sampling does):
//  - the first is the vertical plane through the peak: C0-C180 when the peak is straight down
//    or up, else the C-plane pair of the peak (C30-C210);
//  - the second is the plane through the peak at right angles to it: C90-C270 when the peak is
//    straight down or up, else the plane across the first one through the peak ("⊥ C30-C210";
//    for a floodlight aimed at the horizon, the horizontal plane).
// So the same light stored as IES or EULUMDAT, type B or re-sampled type C, gives the same
// angles. The single value of lists and queries is the wider of the two (BeamAngle), so that a
// beam below 30 degrees is narrow in every direction.
#pragma once

#include "ies_record.h"

#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace gonilux {

inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// Beam and field of one plane, NaN when the plane has no light. Angles along the plane are
// signed: for a vertical plane pair the angle from the nadir (positive towards the pair's first
// plane, negative towards the opposite one, +-180 the zenith); for the plane across, the angle
// from the peak.
struct tSpread {
    double Beam = kNoValue;                           // full angle, degrees
    double Field = kNoValue;                          // full angle, degrees
    double Axis = kNoValue;                           // the peak the angles are measured about
    double BeamLow = kNoValue, BeamHigh = kNoValue;   // the edges: Axis - one side, Axis + other
    double FieldLow = kNoValue, FieldHigh = kNoValue; // (may pass +-180 on a closed cut)
};

// A cut through the luminaire as points (signed angle, intensity) in increasing angle, linear
// between them. Closed: the last point is the first one's direction one turn on; open: no
// light beyond either end.
struct tCut {
    std::vector<std::pair<double, double>> Points;
    bool Closed = false;
};

// The spread about the cut's largest value (the first of equal ones).
tSpread SpreadOfCut(const tCut& cut);

// Type C: the plane pair C `plane` / C `plane` + 180 at the stored vertical angles, planes
// blended by the layout's symmetry; gaps outside the stored vertical angles drop to 0. Empty
// for other types or an unusable table. Values in table units.
tCut PairCut(const tIES& ies, double plane);

// Where the principal planes lie (see the top of this file).
struct tSpreadPlanes {
    bool Vertical = true; // the peak is straight down or up: C0-C180 and C90-C270
    double Plane = 0;     // else the C-plane of the peak, 0 <= Plane < 360
};

// The two principal spreads of a usable record whose peak is in the direction of the stored
// horizontal and vertical angle (`peakHorz`, `peakVert`).
struct tPrincipalSpreads {
    tSpreadPlanes Planes;
    tSpread First;
    tSpread Second;
};
tPrincipalSpreads ComputePrincipalSpreads(const tIES& ies, double peakHorz, double peakVert);

// "C0-C180", "C90-C270", "C30-C210" or "⊥ C30-C210" (UTF-8): the name of principal plane 0 or 1.
std::string SpreadPlaneName(const tSpreadPlanes& planes, int which);

} // namespace gonilux
