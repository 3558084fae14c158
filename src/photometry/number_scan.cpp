#include "number_scan.h"

#include "ies_reader.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <system_error>

namespace gonilux {
namespace {

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the grammar [+-] digits [. digits] [(e|E) [+-] digits] with at least one mantissa
// digit. Fills the pieces needed for the exact fast path.
struct Shape {
    bool Negative = false;
    std::uint64_t Mantissa = 0;
    int Digits = 0; // significant digits gathered into Mantissa (leading zeros skipped)
    int Scale = 0;  // decimal exponent to apply to Mantissa
    bool HasExponent = false;
    bool Exact = true;           // Mantissa holds every digit
    std::size_t NumberStart = 0; // first character after the sign
};

void TakeDigit(Shape& s, char c, bool fraction) {
    if (s.Digits == 0 && c == '0') {
        if (fraction) --s.Scale;
        return;
    }
    if (s.Digits < 19) {
        s.Mantissa = s.Mantissa * 10 + static_cast<unsigned>(c - '0');
        ++s.Digits;
        if (fraction) --s.Scale;
    } else {
        if (c != '0') s.Exact = false;
        if (!fraction) ++s.Scale;
    }
}

bool CheckShape(std::string_view t, Shape& s) {
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        s.Negative = t[i] == '-';
        ++i;
    }
    s.NumberStart = i;
    int mantissaDigits = 0;
    for (; i < t.size() && IsDigit(t[i]); ++i, ++mantissaDigits)
        TakeDigit(s, t[i], false);
    if (i < t.size() && t[i] == '.') {
        for (++i; i < t.size() && IsDigit(t[i]); ++i, ++mantissaDigits)
            TakeDigit(s, t[i], true);
    }
    if (mantissaDigits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        s.HasExponent = true;
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        int expDigits = 0;
        for (; i < t.size() && IsDigit(t[i]); ++i)
            ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == t.size();
}

bool SlowConvert(std::string_view t, const Shape& s, double& value) {
    const char* first = t.data() + s.NumberStart;
    const char* last = t.data() + t.size();
    double v = 0;
    auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
    if (ptr != last) return false;
    if (ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is not a number we can keep.
        std::string copy(first, last);
        double probe = std::strtod(copy.c_str(), nullptr);
        if (std::isinf(probe)) return false;
        v = 0;
    } else if (ec != std::errc()) {
        return false;
    }
    value = s.Negative ? -v : v;
    return true;
}

} // namespace

bool ConvertToken(std::string_view token, double& value) {
    value = 0;
    Shape s;
    if (token.empty() || !CheckShape(token, s)) return false;
    if (!s.HasExponent && s.Exact && s.Mantissa < (std::uint64_t{1} << 53) && s.Scale <= 0 &&
        s.Scale >= -22) {
        // Both operands are exact doubles, so one division rounds correctly.
        double v = static_cast<double>(s.Mantissa);
        if (s.Scale < 0) v /= kPow10[-s.Scale];
        value = s.Negative ? -v : v;
        return true;
    }
    return SlowConvert(token, s, value);
}

namespace detail {

void TokenCursor::SkipSeparators() {
    while (pos_ < text_.size() && IsSeparator(static_cast<unsigned char>(text_[pos_])))
        ++pos_;
}

// The common token, [+-]digits[.digits] with at most 19 digits, converted in one pass. Anything
// else is left to ConvertToken.
bool TokenCursor::TryFastNumber(double& value) {
    const char* p = text_.data() + pos_;
    const char* const end = text_.data() + text_.size();
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fraction = 0;
    for (; p < end && IsDigit(*p); ++p, ++digits)
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    if (p < end && *p == '.') {
        for (++p; p < end && IsDigit(*p); ++p, ++digits, ++fraction)
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    }
    if (digits == 0 || digits > 19 || fraction > 22 || mantissa >= (std::uint64_t{1} << 53))
        return false;
    if (p < end && !IsSeparator(static_cast<unsigned char>(*p))) return false;
    double v = static_cast<double>(mantissa);
    if (fraction > 0) v /= kPow10[fraction];
    value = negative ? -v : v;
    pos_ = static_cast<std::size_t>(p - text_.data());
    return true;
}

double TokenCursor::Next(bool& error) {
    SkipSeparators();
    lastStart_ = pos_;
    double value = 0;
    if (pos_ < text_.size() && TryFastNumber(value)) return value;
    std::size_t end = pos_;
    while (end < text_.size() && !IsSeparator(static_cast<unsigned char>(text_[end])))
        ++end;
    if (!ConvertToken(text_.substr(pos_, end - pos_), value)) error = true;
    pos_ = end;
    return value;
}

std::size_t TokenCursor::ReadValues(double* out, std::size_t count, double divisor) {
    bool ignored = false;
    std::size_t i = 0;
    for (; i < count; ++i) {
        SkipSeparators();
        if (pos_ >= text_.size()) break;
        double value = 0;
        if (!TryFastNumber(value)) value = Next(ignored);
        out[i] = divisor == 1.0 ? value : value / divisor;
    }
    const std::size_t read = i;
    for (; i < count; ++i)
        out[i] = 0;
    return read;
}

bool TokenCursor::Skip() {
    SkipSeparators();
    if (pos_ >= text_.size()) return false;
    while (pos_ < text_.size() && !IsSeparator(static_cast<unsigned char>(text_[pos_])))
        ++pos_;
    return true;
}

} // namespace detail
} // namespace gonilux
