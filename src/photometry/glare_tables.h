// Indoor ratings of a luminaire: luminance at the glare angles, the unified glare rating table
// (CIE 190 tabular method on the CIE 117 formula) and the coefficient of utilisation table (IES
// zonal cavity method).
//
// Figures come from the record as read: symmetry unfolded, intensities bilinear between the
// stored angles (IntensityToward), no light past the last stored vertical angle, in candela
// (values times the multiplier). The luminous area is the file's opening (rectangle, circle,
// cylinder and the other LM-63 shapes; EULUMDAT's luminous area), projected towards each
// direction.
#pragma once

#include "ies_record.h"
#include "zone_ratings.h"

#include <array>
#include <string>
#include <vector>

namespace gonilux {

// The luminous area (m2) of the record's opening seen from the direction gamma (degrees from
// the nadir) in the plane C (degrees); 0 when the file gives no opening. The opening is the
// solid of the LM-63 luminous opening shapes, told apart by the signs of width (along
// C90-C270), length (along C0-C180) and height: rectangle, rectangle with luminous sides,
// circle, ellipse, vertical cylinder, sphere, ellipsoidal spheroid, horizontal cylinders along
// and across the photometric horizontal, vertical circles and ellipses facing either way
// (EULUMDAT's rectangular or round area with its side height fits these). Sizes in feet
// (UnitsType 1) are converted. The area is the solid's silhouette: W L |dz| + W H |dx| +
// L H |dy| for a box W x L x H seen along the unit direction d, pi D2 / 4 for a sphere.
double ProjectedLuminousArea(const tIES& ies, double gamma, double c);

// Luminance (cd/m2) = intensity / projected luminous area (CIE 117's luminance of the luminous
// parts), at 45, 55, 65, 75 and 85 degrees in the planes C0, C45 and C90; NaN where the
// opening is 0. Valid = false without an opening or a usable table.
struct tLuminanceTable {
    static constexpr std::array<double, 5> Angles{45, 55, 65, 75, 85};
    static constexpr std::array<double, 3> Planes{0, 45, 90};
    bool Valid = false;
    std::array<std::array<double, 3>, 5> Values{}; // Values[angle][plane]
    // The highest of the three planes at each angle.
    double MaxAt(int angleIndex) const;
};
tLuminanceTable ComputeLuminanceTable(const tIES& ies);

// The 19 rooms of the standard table as multiples of the mounting height H above the eye:
// {X, Y} with X the side across the line of sight, Y along it ("2H 2H" ... "12H 8H").
struct tUgrRoom {
    int X = 0;
    int Y = 0;
};
inline constexpr std::array<tUgrRoom, 19> kUgrRooms{{{2, 2},
                                                     {2, 3},
                                                     {2, 4},
                                                     {2, 6},
                                                     {2, 8},
                                                     {2, 12},
                                                     {4, 2},
                                                     {4, 3},
                                                     {4, 4},
                                                     {4, 6},
                                                     {4, 8},
                                                     {4, 12},
                                                     {8, 4},
                                                     {8, 6},
                                                     {8, 8},
                                                     {8, 12},
                                                     {12, 4},
                                                     {12, 6},
                                                     {12, 8}}};
// Ceiling / walls / floor reflectances in percent: 70/50/20, 70/30/20, 50/50/20, 50/30/20,
// 30/30/20.
struct tReflectances {
    int Ceiling = 0;
    int Walls = 0;
    int Floor = 0;
};
inline constexpr std::array<tReflectances, 5> kUgrReflectances{
    {{70, 50, 20}, {70, 30, 20}, {50, 50, 20}, {50, 30, 20}, {30, 30, 20}}};

// The unified glare rating table by the tabular method of CIE 190 on the formula of CIE 117:
//   UGR = 8 log10(0.25 / Lb * sum(L2 w / p2)),  L = I / Ap,  w = Ap / r2,
// summed over the luminaires of a regular array filling the room's ceiling, for an observer
// seated at the middle of one wall with the eye H below the luminaires (H = 2 m; the result does
// not depend on it), looking horizontally along the room (Y). Luminaires at (k + 1/2) S from the
// walls; those seen more than 85 degrees from their nadir, at T/R > 3 or H/R > 1.9 (outside the
// field of CIE 117's position index table) are left out. I is the intensity towards the eye,
// Ap the projected area of the opening along that line (ProjectedLuminousArea), r the distance
// and p Guth's position index (GuthPositionIndex).
//  - Views: crosswise, the luminaires' C90 half-plane towards the observer (their C0-C180 axis
//    across the line of sight); endwise, their C0 half-plane towards the observer.
//  - Spacing S x H: 0.25 by default, 1.0 selectable; other values are taken to the nearest
//    1/n with n from 1 to 8 (Spacing tells the one used).
//  - Flux: the intensities are the file's candela (values times the multiplier), so the table
//    is CIE 190's corrected table for the luminaire with its rated lamp flux F (absolute
//    photometry: its own measured flux): the uncorrected table, made for 1000 lm, plus
//    8 log10(F / 1000 lm). Doubling the flux (or the multiplier) adds 8 log10 2 = 2.41 to every
//    value, since L2 grows as F2 and Lb as F.
//  - Background luminance Lb = E / pi, E the indirect illuminance of the walls
//    (UgrBackgroundLuminance).
// A value is NaN when no luminaire is seen. Valid = false (and a note) where the opening is 0,
// the record has no usable table or no light.
struct tUgrTable {
    bool Valid = false;
    double Spacing = 0.25;
    std::array<std::array<double, 5>, 19> Crosswise{}; // [room][reflectance set]
    std::array<std::array<double, 5>, 19> Endwise{};
    std::string Note; // why the table is missing, in English
};
tUgrTable ComputeUgrTable(const tIES& ies, double spacing = 0.25);

// Guth's position index of a luminaire T across the line of sight, R along it and H above the
// eye (any one unit), by Levin's analytic form of Guth's curves (the values of CIE 117's table
// within a few percent):
//   p = exp((35.2 - 0.31889 t - 1.22 exp(-2 t / 9)) 1e-3 s
//           + (21 + 0.26667 t - 0.002963 t2) 1e-5 s2)
// with t the angle (degrees) of the plane through the line of sight and the luminaire from the
// vertical and s the angle between the line of sight and the luminaire. NaN outside the table's
// field (T/R > 3, H/R > 1.9, R not positive), where a luminaire adds no glare.
double GuthPositionIndex(double t, double r, double h);

// CIE 190's transfer factors of a room (the cavity between the luminaires' plane and the eye's,
// X x Y x H): the indirect flux reaching the walls per lumen falling first on the floor
// (F_T,FW), on the walls (F_T,WW-1) and on the ceiling (F_T,CW), from the flux exchange of the
// three surfaces with the exact form factors of the box (CIE 190's own table for 4H x 8H at
// 70/50/20: 0.115, 0.211, 0.307).
std::array<double, 3> UgrTransferFactors(const tUgrRoom& room, const tReflectances& reflectances);

// Background luminance (cd/m2) of the UGR table: Lb = E / pi with
//   E = N / Aw * (F_F F_T,FW + F_W F_T,WW-1 + F_C F_T,CW),
// N the luminaires of the array at `spacing`, Aw = 2 (X + Y) H2 the walls' area (X, Y in H), F_C
// the luminaire's upward lumens, F_F the downward lumens falling directly on the floor (each 10
// degree zone's lumens times the share of that zone falling inside the room, averaged over the
// 1:1 array of CIE 190 whatever the spacing, as the published tables do) and F_W the rest of the
// downward lumens. NaN without a usable table.
double UgrBackgroundLuminance(const tIES& ies, const tUgrRoom& room,
                              const tReflectances& reflectances, double spacing = 0.25);

// The figure of lists and queries: the 4H x 8H room at 70/50/20, S = 0.25H, crosswise and
// endwise (NaN when undefined), the same values as the whole table's, for a fraction of its
// work (tens of microseconds for type C files; types A and B are re-sampled onto a type C grid
// for their zone lumens, milliseconds for large ones).
struct tUgrValue {
    double Crosswise = kNoValue;
    double Endwise = kNoValue;
};
tUgrValue ComputeStandardUgr(const tIES& ies);

// Ceiling/wall reflectance columns of the CU table (percent), floor cavity 20 %:
// 80/70 80/50 80/30 80/10 70/70 70/50 70/30 70/10 50/50 50/30 50/10 30/50 30/30 30/10
// 10/50 10/30 10/10 0/0.
inline constexpr std::array<tReflectances, 18> kCuReflectances{{{80, 70, 20},
                                                                {80, 50, 20},
                                                                {80, 30, 20},
                                                                {80, 10, 20},
                                                                {70, 70, 20},
                                                                {70, 50, 20},
                                                                {70, 30, 20},
                                                                {70, 10, 20},
                                                                {50, 50, 20},
                                                                {50, 30, 20},
                                                                {50, 10, 20},
                                                                {30, 50, 20},
                                                                {30, 30, 20},
                                                                {30, 10, 20},
                                                                {10, 50, 20},
                                                                {10, 30, 20},
                                                                {10, 10, 20},
                                                                {0, 0, 20}}};

// Coefficients of utilisation in percent by the IES zonal cavity method: RCR 0 to 10 down,
// kCuReflectances across (effective ceiling cavity / wall reflectances, floor cavity 20 %);
// relative to the rated lamp lumens, or to the luminaire's own lumens for absolute photometry
// (LumensPerLamp < 0) and files without lamp lumens. From the lumens of the 10 degree zones:
//   direct ratio D = sum(K_N F_N) / F_D,  K_N = exp(-A_N RCR^B_N) (the Handbook's zonal
//   multipliers), f = 0.026 + 0.503 exp(-0.270 RCR) + 0.470 exp(-0.119 RCR) (form factor
//   ceiling to floor cavity), C1, C2, C3 and the Handbook's sum of the wall, ceiling and direct
//   parts; at RCR 0, CU = (F_D + rc F_U) / (1 - rc rf).
// F_D, F_U: downward and upward lumens as shares of the base.
struct tCuTable {
    bool Valid = false;
    std::array<std::array<double, 18>, 11> Percent{};
};
tCuTable ComputeCuTable(const tIES& ies);

} // namespace gonilux
