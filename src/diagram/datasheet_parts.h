// The pieces the datasheet and contents pages are made of (used by datasheet*.cpp only). All
// measures are in points of the A4 page.
#pragma once

#include "diagram/datasheet.h"

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace gonilux::sheet {

inline constexpr double kMargin = 36;       // page margin
inline constexpr double kGap = 23;          // between the two columns
inline constexpr double kRowA = 100;        // polar and cartesian diagrams
inline constexpr double kRowB = 382;        // isolux chart and main figures
inline constexpr double kRowC = 664;        // zonal lumens
inline constexpr double kChartHeight = 250; // below a section title

extern const QColor kAccent;
extern const QColor kMuted;

// Clears `page` white and maps the A4 page in points onto it (centred, proportions kept).
void BeginPage(QPainter& painter, const QRectF& page);

// `text` in the chart font of `pixels` points.
void Text(QPainter& painter, const QRectF& box, const QString& text, double pixels, bool bold,
          const QColor& colour, int flags);

// A section's title with a rule under it; returns where the section's content starts.
double SectionTitle(QPainter& painter, double x, double y, double width, const QString& title);

// The rule and line at the foot of a page, `right` on its right.
void Footer(QPainter& painter, const QString& right);

// A figure rounded to `decimals` with grouped digits; "–" when it is not a number.
QString Number(double value, int decimals);

// The main figures as label / value lines.
void PaintFigures(QPainter& painter, const QRectF& box, const DatasheetInput& input);

// The zones across (lm, % of the lamp, % of the luminaire) and the CIE flux codes below.
void PaintZonalTable(QPainter& painter, const QRectF& box, const DatasheetInput& input);

// The second page's content below the header: the UGR table (S = 0.25H, crosswise and
// endwise), the luminance table and the ratings' notes.
void PaintGlarePage(QPainter& painter, const DatasheetInput& input);

} // namespace gonilux::sheet
