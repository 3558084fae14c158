#include "export_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace gonilux {
namespace {

struct Decimal {
    bool Negative = false;
    std::string Digits; // no leading or trailing zeros, at least one digit
    int Exponent = 0;   // value = d.ddd x 10^Exponent
};

// Splits a scientific text like "-1.2345e+02" into its digits and exponent.
Decimal ParseScientific(std::string_view text) {
    Decimal d;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') d.Negative = true, ++i;
    std::size_t e = text.find('e');
    for (; i < e && i < text.size(); ++i)
        if (text[i] != '.') d.Digits.push_back(text[i]);
    if (e != std::string_view::npos)
        d.Exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    while (d.Digits.size() > 1 && d.Digits.back() == '0')
        d.Digits.pop_back();
    return d;
}

Decimal ToDecimal(double value) {
    char buf[64];
    auto shortest = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    Decimal d =
        ParseScientific(std::string_view(buf, static_cast<std::size_t>(shortest.ptr - buf)));
    if (d.Digits.size() <= 15) return d;
    auto limited = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    return ParseScientific(std::string_view(buf, static_cast<std::size_t>(limited.ptr - buf)));
}

std::string LayOutFixed(const Decimal& d) {
    std::string out;
    const int n = static_cast<int>(d.Digits.size());
    if (d.Exponent >= 0) {
        const int intDigits = d.Exponent + 1;
        out = d.Digits.substr(0, static_cast<std::size_t>(std::min(n, intDigits)));
        if (n < intDigits) out.append(static_cast<std::size_t>(intDigits - n), '0');
        if (n > intDigits) {
            out.push_back('.');
            out.append(d.Digits, static_cast<std::size_t>(intDigits));
        }
    } else {
        out = "0.";
        out.append(static_cast<std::size_t>(-d.Exponent - 1), '0');
        out.append(d.Digits);
    }
    return out;
}

std::string LayOutScientific(const Decimal& d) {
    std::string out = d.Digits.substr(0, 1);
    if (d.Digits.size() > 1) {
        out.push_back('.');
        out.append(d.Digits, 1);
    }
    out += d.Exponent < 0 ? "e-" : "e+";
    const int magnitude = std::abs(d.Exponent);
    if (magnitude < 10) out.push_back('0');
    out += std::to_string(magnitude);
    return out;
}

} // namespace

std::string FormatIesNumber(double value) {
    if (!std::isfinite(value) || value == 0) return "0";
    Decimal d = ToDecimal(value);
    std::string body = (d.Exponent >= -5 && d.Exponent < 15) ? LayOutFixed(d) : LayOutScientific(d);
    return d.Negative ? "-" + body : body;
}

std::vector<std::string> WrapNumericLine(std::string_view line) {
    constexpr std::size_t kWidth = 60;
    std::vector<std::string> pieces;
    while (line.size() > kWidth) {
        std::size_t blank = line.substr(0, kWidth).find_last_of(' ');
        if (blank == std::string_view::npos) break; // one token longer than a line: keep whole
        pieces.emplace_back(line.substr(0, blank + 1));
        line.remove_prefix(blank + 1);
    }
    pieces.emplace_back(line);
    return pieces;
}

} // namespace gonilux
