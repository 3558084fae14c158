// Small photometric records for the drawing tests.
#pragma once

#include "photometry/ies_record.h"

#include <initializer_list>
#include <vector>

namespace gonilux::test {

// A record with the given angles; every row holds `value` unless rows are given.
inline tIES MakeRecord(int type, std::vector<double> vert, std::vector<double> horz,
                       std::vector<std::vector<double>> rows = {}, double value = 100) {
    tIES ies;
    ies.PhotometricType = static_cast<std::uint16_t>(type);
    ies.VertAngles = std::move(vert);
    ies.HorzAngles = std::move(horz);
    ies.VertCount = static_cast<std::uint16_t>(ies.VertAngles.size());
    ies.HorzCount = static_cast<std::uint16_t>(ies.HorzAngles.size());
    if (rows.empty())
        rows.assign(ies.HorzAngles.size(), std::vector<double>(ies.VertAngles.size(), value));
    ies.Candela = std::move(rows);
    ies.Multiplier = 1;
    ies.LumensPerLamp = 1000;
    ies.LampCount = 1;
    ies.InputWatts = 40;
    ies.UnitsType = 2;
    return ies;
}

} // namespace gonilux::test
