// Invariants of a freshly read record shared by the fuzz targets. Any broken one aborts.
#pragma once

#include "photometry/ies_record.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace gonilux::fuzz {

inline void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

inline void CheckShape(const tIES& ies) {
    Require(ies.VertAngles.size() == ies.VertCount, "VertAngles.size() == VertCount");
    Require(ies.HorzAngles.size() == ies.HorzCount, "HorzAngles.size() == HorzCount");
    Require(ies.Candela.size() == ies.HorzCount, "Candela.size() == HorzCount");
    for (const tArrEx& row : ies.Candela)
        Require(row.size() == ies.VertCount, "every candela row has VertCount values");
}

// Bitwise equality, so that two NaNs from the same bytes compare equal.
inline bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline bool SameArray(const tArrEx& a, const tArrEx& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!SameBits(a[i], b[i])) return false;
    return true;
}

inline bool SameRecord(const tIES& a, const tIES& b) {
    if (!SameBits(a.LumensPerLamp, b.LumensPerLamp) || !SameBits(a.Multiplier, b.Multiplier) ||
        !SameBits(a.Width, b.Width) || !SameBits(a.Length, b.Length) ||
        !SameBits(a.Height, b.Height) || !SameBits(a.ExactInputWatts, b.ExactInputWatts))
        return false;
    if (a.VertCount != b.VertCount || a.HorzCount != b.HorzCount || a.UnitsType != b.UnitsType ||
        a.InputWatts != b.InputWatts || a.LampCount != b.LampCount ||
        a.PhotometricType != b.PhotometricType)
        return false;
    if (!SameArray(a.VertAngles, b.VertAngles) || !SameArray(a.HorzAngles, b.HorzAngles))
        return false;
    if (a.Candela.size() != b.Candela.size()) return false;
    for (std::size_t h = 0; h < a.Candela.size(); ++h)
        if (!SameArray(a.Candela[h], b.Candela[h])) return false;
    return true;
}

} // namespace gonilux::fuzz
