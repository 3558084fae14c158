// Shape and size of the luminous opening, as text or pictogram in the bottom-left corner.
#pragma once

#include <QString>
#include <cstdint>

namespace gonilux {

struct GonioContext;

struct OpeningSize {
    double Width = 0;
    double Length = 0;
    double Height = 0;
    std::uint16_t UnitsType = 2; // 1 = feet, otherwise metres (shown as millimetres)
};

struct OpeningDescription {
    QString Identifier;    // empty when the combination of signs is not recognised
    QString Description;   // the text form's name of the shape
    int Cell = -1;         // the shape's pictogram cell; -1 when it has none
    QString DimensionText; // the dimensions as shown (the raw text when not recognised)
    QString RawText;       // signed dimensions joined by "x", with unit
};

// 1 for x > 0, 0 for x = 0, -1 otherwise.
int SignOf(double x);

// |value| * factor as shortest text, for which 1 = Width, 2 = Length, 3 = Height; with the unit
// " feet" or " mm" appended when `withUnit`.
QString OpeningDim(const OpeningSize& size, int which, bool withUnit);

OpeningDescription DescribeOpening(const OpeningSize& size);

// The opening line (text form) or pictogram and dimensions, then on screen the axis pictogram.
void DrawOpening(const GonioContext& ctx, double openingWidth, double openingLength,
                 double openingHeight);

} // namespace gonilux
