#include "diagram/chart_axes.h"

#include "diagram/diagram_text.h"

#include <cmath>

namespace gonilux {

AxisTicks RoundTicks(double low, double high, int wanted) {
    AxisTicks ticks;
    const double span = high - low;
    if (!std::isfinite(span) || !(span > 0)) {
        for (int i = 0; i <= 5; ++i)
            ticks.Values.push_back(i * 0.2);
        return ticks;
    }
    const double raw = span / std::max(1, wanted);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * power;
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= raw * (1 - 1e-9)) {
            step = m * power;
            break;
        }
    ticks.Step = step;
    ticks.Low = std::floor(low / step + 1e-9) * step;
    ticks.High = std::ceil(high / step - 1e-9) * step;
    const long count = std::lround((ticks.High - ticks.Low) / step);
    for (long i = 0; i <= count; ++i)
        ticks.Values.push_back(ticks.Low + static_cast<double>(i) * step);
    if (count < 1) ticks.High = ticks.Low + step, ticks.Values.push_back(ticks.High);
    return ticks;
}

QFont ChartFont(double pixels, bool bold) {
    QFont font = MakeDiagramFont(1);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

QString TickText(double value) {
    // Rounded to the digits a tick can have, so that 0.1 + 0.2 shows as 0.3.
    const double rounded = std::round(value * 1e6) / 1e6;
    return FormatGrouped(rounded == 0 ? 0.0 : rounded);
}

} // namespace gonilux
