// Small photometric records for the drawing tests.
#pragma once

#include "photometry/ies_record.h"

#include <functional>
#include <vector>

namespace gonilux::test {

inline std::vector<double> Steps(double from, double to, double step) {
    std::vector<double> angles;
    for (double a = from; a <= to; a += step)
        angles.push_back(a);
    return angles;
}

// A record of the given angles with `value` cd/klm, or `shape(h, v)` when given: one 40 W lamp
// of 1000 lm, in metres.
inline tIES MakeRecord(int type, std::vector<double> vert, std::vector<double> horz,
                       double value = 100,
                       const std::function<double(double h, double v)>& shape = nullptr) {
    tIES ies;
    ies.PhotometricType = static_cast<std::uint16_t>(type);
    ies.VertAngles = std::move(vert);
    ies.HorzAngles = std::move(horz);
    for (double h : ies.HorzAngles) {
        ies.Candela.emplace_back();
        for (double v : ies.VertAngles)
            ies.Candela.back().push_back(shape ? shape(h, v) : value);
    }
    ies.Multiplier = 1, ies.LumensPerLamp = 1000, ies.LampCount = 1, ies.InputWatts = 40;
    ies.UnitsType = 2;
    return ies;
}

} // namespace gonilux::test
