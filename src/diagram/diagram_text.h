// Number texts, the diagram font and text output at a top-left point.
#pragma once

#include "photometry/figure_format.h"

#include <QFont>
#include <QString>

class QPainter;

namespace gonilux {

// The shortest general text of a number: up to 15 significant digits, "." as separator, no
// trailing zeros; exponent form ("1.5E20", "2E-7") below 0.00001 and from 1E15 on.
QString ShortestText(double value);

// ShortestText with the digits before the separator grouped in threes by blanks:
// 1234567.891 -> "1 234 567.891", -1234 -> "-1 234". Exponent forms are not grouped.
QString FormatGrouped(double value);

// The digits before the point of a number's text grouped in threes by blanks, the sign kept in
// front: "-1234.5" -> "-1 234.5". Texts with an exponent are left as they are.
QString GroupDigits(const QString& text);

// A figure with its kind's digits (figure_format.h), grouped: "12 346", "35.0"; "-" when it is
// not a number. GroupedFigureText adds the unit: "12 346 lm", "35.0°", "1.66x".
QString GroupedFigure(double value, FigureKind kind);
QString GroupedFigureText(double value, FigureKind kind);

// `value` with `decimals` places, grouped; "-" when it is not a number.
QString GroupedFixed(double value, int decimals);

// The diagram font: Arial (or the platform's sans-serif substitute), normal weight, with the
// given height in pixels (negative = character height; the magnitude is used, at least 1).
QFont MakeDiagramFont(int height);

// Width in pixels of `text` in the painter's current font.
int TextWidthOf(const QPainter& painter, const QString& text);

// Writes `text` in the painter's current font and pen with its top-left corner at (x, y).
void DrawTextAt(QPainter& painter, int x, int y, const QString& text);

} // namespace gonilux
