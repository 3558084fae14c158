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
// the nadir) in the plane C (degrees); 0 when the file gives no opening.
double ProjectedLuminousArea(const tIES& ies, double gamma, double c);

// Luminance (cd/m2) = intensity / projected luminous area, at 45, 55, 65, 75 and 85 degrees
// in the planes C0, C45 and C90; NaN where the opening is 0.
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

// The UGR table: crosswise (the luminaires' C90 plane towards the observer) and endwise (C0),
// spacing S x H between luminaires (0.25 by default, 1.0 selectable). Valid = false (and a
// note) where the opening is 0 or the record has no usable table.
struct tUgrTable {
    bool Valid = false;
    double Spacing = 0.25;
    std::array<std::array<double, 5>, 19> Crosswise{}; // [room][reflectance set]
    std::array<std::array<double, 5>, 19> Endwise{};
    std::string Note; // why the table is missing, in English
};
tUgrTable ComputeUgrTable(const tIES& ies, double spacing = 0.25);

// The figure of lists and queries: the 4H x 8H room at 70/50/20, S = 0.25H, crosswise and
// endwise (NaN when undefined). Cheaper than the whole table.
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

// Coefficients of utilisation in percent, RCR 0 to 10 down, kCuReflectances across; relative
// to the rated lamp lumens, or to the luminaire's own lumens for absolute photometry.
struct tCuTable {
    bool Valid = false;
    std::array<std::array<double, 18>, 11> Percent{};
};
tCuTable ComputeCuTable(const tIES& ies);

} // namespace gonilux
