// Outdoor ratings of a luminaire: the IES TM-15-11 luminaire classification system (LCS) zone
// lumens and the BUG rating of its Addendum A, the IES roadway classification (lateral type and
// longitudinal class), the cutoff class and the IES spacing criterion.
//
// Every figure is computed from the record as read: the stored symmetry unfolded, intensities
// bilinear between the stored angles (IntensityToward), no light past the last stored vertical
// angle. Ballast factor and tilt are not applied. Intensities in candela (values times the
// multiplier).
//
// Orientation (FrontPlaneOf): the street side ("front") of the luminaire is the direction the
// front zones, the lateral type and the roadway's "street side" are measured towards: C0 for IES
// type C files (the road along C90-C270), C90 for EULUMDAT files (the road along C0-C180, the CIE
// road convention).
// Type B files are rated as photometered: the beam axis (horizontal and vertical angle 0)
// horizontal towards the front. Type A files get no rating.
#pragma once

#include "beam_spread.h"
#include "ies_record.h"

#include <array>
#include <string>
#include <vector>

namespace gonilux {

// What the ratings need beside the table.
struct tRatingInput {
    bool Eulumdat = false;    // read from an EULUMDAT file (the street side convention differs)
    std::string Distribution; // the [DISTRIBUTION] keyword's value, empty when there is none
};

// TM-15-11 LCS zone lumens (lm): back (B) and front (F) half, Low 0-30, Medium 30-60, High
// 60-80, Very High 80-90 degrees from the nadir; uplight Low 90-100 and High 100-180 (all
// around). NaN when the record has no usable table or is type A.
struct tLcsZones {
    bool Valid = false;
    double BL = kNoValue, BM = kNoValue, BH = kNoValue, BVH = kNoValue;
    double FL = kNoValue, FM = kNoValue, FH = kNoValue, FVH = kNoValue;
    double UL = kNoValue, UH = kNoValue;
};

// One of the ten zones as TM-15-11 names it ("BL", "FVH", "UH"), with its share of the sum of
// the ten (the luminaire's flux), in percent.
struct tLcsZone {
    const char* Name = "";
    double Lumens = kNoValue;  // lm
    double Percent = kNoValue; // NaN when the zones are not valid or hold no light
};
// The zones in the order BL BM BH BVH FL FM FH FVH UL UH.
std::array<tLcsZone, 10> LcsZoneList(const tLcsZones& zones);

// TM-15-11 Addendum A: backlight, uplight and glare ratings 0 to 5 (-1 when not rated). A zone
// meets a limit of 0 lm with less than half a lumen, any other limit with lumens up to it. The
// glare table holds BH to the FH limits for type V and VS distributions: those a [DISTRIBUTION]
// keyword names so ("TYPE V", "TYPE VS", "TYPE 5"; any other type is not), else those whose light
// is round or square by the rule of the roadway types V and VS.
struct tBugRating {
    bool Valid = false;
    int B = -1, U = -1, G = -1;
};

enum class RoadType { None, I, II, III, IV, V, VS };
enum class RoadLength { None, VeryShort, Short, Medium, Long };
// IES cutoff classification from the largest intensity at and above 90 and at and above 80
// degrees as shares of the rated lamp lumens (cd per lm): full cutoff 0 and 10 %, cutoff 2.5 % and
// 10 %, semicutoff 5 % and 20 %, else noncutoff. None for absolute photometry or no lamp lumens.
enum class CutoffClass { None, Full, Cutoff, Semicutoff, Noncutoff };

// IES roadway classification. Types V and VS from the flux of the 60-90 degree band (0-90 when
// that band is dark) in 72 directions around the luminaire: V (round) when the least is at least
// 80 % of the most, VS (square) when a quarter turn maps it onto itself within 10 % of the most.
// Else the length from where the maximum candela point lands along the road (VS < 1.0, S < 2.25,
// M < 3.75, L <= 6.0 mounting heights) and the type from how far towards the street side the
// half-maximum isocandela trace reaches within that range (I <= 1.0, II <= 1.75, III <= 2.75,
// else IV). Unclassified when the maximum is at or above the horizontal or lands beyond 6.0.
struct tRoadway {
    bool Valid = false; // false: unclassified (see the notes)
    RoadType Type = RoadType::None;
    RoadLength Length = RoadLength::None; // None for types V and VS
};

// IES spacing criterion S/H: along the C0-C180 direction (from the C0 half-plane), across it
// (C90-C270, from the C90 half-plane) and diagonal (four luminaires at C45, C135, C225, C315,
// as the side of their square). The file's own planes, whatever the street side. NaN (and a
// note) without light straight down or when the midpoint never falls as dark before the horizon.
struct tSpacingCriterion {
    double Along = kNoValue;  // "0-180"
    double Across = kNoValue; // "90-270"
    double Diagonal = kNoValue;
};

struct tOutdoorRatings {
    tLcsZones Lcs;
    tBugRating Bug;
    tRoadway Roadway;
    CutoffClass Cutoff = CutoffClass::None;
    tSpacingCriterion Spacing;
    double FrontPlane = kNoValue;   // the C-plane of the street side (FrontPlaneOf), NaN for type A
    std::vector<std::string> Notes; // why a figure is missing, in English
};

// The C-plane (degrees, in the type C frame of IntensityToward) of the street side: 0 for IES
// type C and type B records, 90 for records read from EULUMDAT files; NaN for type A.
double FrontPlaneOf(const tIES& ies, const tRatingInput& input);

// Never throws; a record without a usable table gives every figure missing and a note.
tOutdoorRatings ComputeOutdoorRatings(const tIES& ies, const tRatingInput& input);

// The BUG rating of zone lumens (TM-15-11 Addendum A): `typeVorVS` holds BH to the FH limits
// of the glare table, as for type V and VS distributions. Not valid when the zones are not.
tBugRating BugRatingOf(const tLcsZones& zones, bool typeVorVS);

// "B1 U0 G1"; empty when not rated.
std::string BugText(const tBugRating& bug);
// "I" .. "IV", "V", "VS"; "VS", "S", "M", "L"; "full", "cutoff", "semicutoff", "noncutoff";
// empty for None.
std::string RoadTypeText(RoadType type);
std::string RoadLengthText(RoadLength length);
std::string CutoffText(CutoffClass cutoff);

} // namespace gonilux
