// Integer rounding shared by the drawing code.
#pragma once

#include <cmath>

namespace gonilux {

// Coordinates are kept within this range so that pathological records (huge or negative
// values against a tiny scale maximum) cannot overflow integer arithmetic.
inline constexpr double kCoordinateLimit = 1 << 22;

// Nearest integer, halves to the even neighbour (the default floating-point rounding mode).
// NaN gives 0; values beyond kCoordinateLimit are clamped to it.
inline int RoundEven(double value) {
    if (std::isnan(value)) return 0;
    if (value > kCoordinateLimit) return static_cast<int>(kCoordinateLimit);
    if (value < -kCoordinateLimit) return -static_cast<int>(kCoordinateLimit);
    return static_cast<int>(std::nearbyint(value));
}

} // namespace gonilux
