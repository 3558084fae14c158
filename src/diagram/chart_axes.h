// What the report's charts share: their look (fonts, pens, colours) and round axis steps.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <vector>

class QPainter;

namespace gonilux {

// The look of a chart. Sizes are in device units of the painter (pixels on screen, points
// in the PDF datasheet): the window passes its font and 1.0, the datasheet its own.
struct ChartStyle {
    double FontPixels = 11; // text height
    double LineWidth = 1.5; // curves and iso-lines; the frame and grid are thinner
    QColor Background = Qt::white;
    QColor Text = QColor(0x20, 0x20, 0x20);
    QColor Grid = QColor(0xd8, 0xd8, 0xd8);
    QColor Frame = QColor(0x70, 0x70, 0x70);
    bool Legend = true; // the cartesian chart's legend
};

// A round axis from 0 (or `low`) to at least `high`: steps of 1, 2 or 5 times a power of ten,
// about `wanted` of them (at least 2 ticks; a range without a positive finite span gives
// 0..1 in steps of 0.2).
struct AxisTicks {
    double Low = 0;
    double High = 1;
    double Step = 0.2;
    std::vector<double> Values; // Low, Low + Step ... High
};
AxisTicks RoundTicks(double low, double high, int wanted = 5);

// The chart font at `pixels` height (the diagram's sans-serif family).
QFont ChartFont(double pixels, bool bold = false);

// A tick label: "0", "250", "1 500", "0.5", "12.5": grouped digits, no trailing zeros.
QString TickText(double value);

} // namespace gonilux
