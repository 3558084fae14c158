// What the indoor ratings (glare_tables.h) share: the luminous opening of a record as a solid
// in metres, its projected area along a direction, and the flux of the 10 degree zones.
#pragma once

#include "ies_record.h"

#include <array>

namespace gonilux::indoor {

// The luminous opening by the LM-63 signs of width (along C90-C270), length (along C0-C180) and
// height (vertical), sizes in metres:
//  - Box: width, length and height not negative: a rectangle (height 0), with luminous sides
//    (height > 0; EULUMDAT's rectangular area with its side height);
//  - VerticalCylinder: width and length negative, height not negative: a circle or an ellipse
//    (height 0) or a vertical cylinder; EULUMDAT's round area (negative width, no length) is one
//    of diameter -width;
//  - Ellipsoid: all three negative: a sphere or an ellipsoidal spheroid;
//  - CylinderAlongLength: width and height negative, length positive: a horizontal cylinder
//    along the photometric horizontal (C0-C180);
//  - CylinderAlongWidth: length and height negative, width positive: a horizontal cylinder
//    across it (along C90-C270);
//  - DiscFacingLength / DiscFacingWidth: width (or length) and height negative, the third 0: a
//    vertical circle or ellipse facing the photometric horizontal (C0) or across it (C90).
// Other sign mixtures are taken as the box of the absolute sizes; none (a point source) when
// every size is 0 or a size is not finite.
enum class OpeningShape {
    None,
    Box,
    VerticalCylinder,
    Ellipsoid,
    CylinderAlongLength,
    CylinderAlongWidth,
    DiscFacingLength,
    DiscFacingWidth
};

struct tOpening {
    OpeningShape Shape = OpeningShape::None;
    double X = 0; // size along C0-C180 (the file's length), metres, not negative
    double Y = 0; // along C90-C270 (width)
    double Z = 0; // vertical (height)
};

// The record's opening, feet (UnitsType 1) converted to metres.
tOpening OpeningOf(const tIES& ies);

// Area (m2) of the opening seen along the unit direction (x towards C0, y towards C90, z up);
// the same for opposite directions.
double ProjectedArea(const tOpening& opening, double x, double y, double z);

// Type, counts, angles and multiplier usable, every candela value finite.
bool UsableRecord(const tIES& ies);

// Lumens (values times multiplier) of the zones 0-10 ... 80-90 degrees from the nadir and of
// the upper hemisphere, integrated as the luminaire flux is (types A and B re-sampled onto a
// type C grid first). Valid = false when the record has no usable table.
struct tZoneFluxes {
    bool Valid = false;
    std::array<double, 9> Down{};
    double Up = 0;
    double Downward() const;
    double Total() const { return Downward() + Up; }
};
tZoneFluxes ZoneFluxesOf(const tIES& ies);

} // namespace gonilux::indoor
