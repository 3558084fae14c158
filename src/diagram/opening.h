// Shape and size of the luminous opening, as text or pictogram in the bottom-left corner.
#pragma once

#include "photometry/figure_format.h"

#include <QString>

namespace gonilux {

struct GonioContext;

// The opening's signed dimensions in metres and the unit they are shown in.
struct OpeningSize {
    double Width = 0;
    double Length = 0;
    double Height = 0;
    FigureKind Unit = FigureKind::Millimetres; // Metres, Millimetres or Feet
};

// The record's opening in the unit system asked for (LengthKindFor): metric by default, or the
// file's own units (`eulumdat`: the record was read from an EULUMDAT file, whose lengths are
// millimetres).
OpeningSize OpeningOf(const tIES& ies, LengthSystem system, bool eulumdat);

struct OpeningDescription {
    QString Identifier;    // empty when the combination of signs is not recognised
    QString Description;   // the text form's name of the shape
    int Cell = -1;         // the shape's pictogram cell; -1 when it has none
    QString DimensionText; // the dimensions as shown (the raw text when not recognised)
    QString RawText;       // signed dimensions joined by "x", with unit
};

// 1 for x > 0, 0 for x = 0, -1 otherwise.
int SignOf(double x);

// |value| in the size's unit with that unit's digits, for which 1 = Width, 2 = Length,
// 3 = Height; with the unit (" mm", " m", " ft") appended when `withUnit`.
QString OpeningDim(const OpeningSize& size, int which, bool withUnit);

OpeningDescription DescribeOpening(const OpeningSize& size);

// The opening line (text form) or pictogram and dimensions, then on screen the axis pictogram.
void DrawOpening(const GonioContext& ctx);

} // namespace gonilux
