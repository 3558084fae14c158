// Number texts, the diagram font and text output at a top-left point.
#pragma once

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

// The diagram font: Arial (or the platform's sans-serif substitute), normal weight, with the
// given height in pixels (negative = character height; the magnitude is used, at least 1).
QFont MakeDiagramFont(int height);

// Width in pixels of `text` in the painter's current font.
int TextWidthOf(const QPainter& painter, const QString& text);

// Writes `text` in the painter's current font and pen with its top-left corner at (x, y).
void DrawTextAt(QPainter& painter, int x, int y, const QString& text);

} // namespace gonilux
