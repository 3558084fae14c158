#include "figure_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace gonilux {
namespace {

using K = FigureKind;

// clang-format off
constexpr FigureRule kRules[] = {
    {K::Flux,        "lm",   4, 1000, 0, false},
    {K::Intensity,   "cd",   4, 1000, 0, false},
    {K::Illuminance, "lx",   3, 100,  0, false},
    {K::Efficacy,    "lm/W", 0, 0,    1, false},
    {K::Power,       "W",    0, 0,    1, false},
    {K::Angle,       "°",    0, 0,    1, false},
    {K::Percent,     "%",    0, 0,    1, false},
    {K::FluxCode,    "%",    0, 0,    0, false},
    {K::Multiplier,  "",     4, 1e15, 0, true},
    {K::Metres,      "m",    0, 0,    3, false},
    {K::Millimetres, "mm",   0, 0,    0, false},
    {K::Feet,        "ft",   0, 0,    2, false},
    {K::Glare,       "",     0, 0,    1, false},
    {K::Spacing,     "",     0, 0,    2, false},
    {K::Luminance,   "cd/m²", 4, 1000, 0, false},
    {K::Utilisation, "%",    0, 0,    0, false},
};
// clang-format on

constexpr double kFoot = 0.3048;

// Beyond these magnitudes a figure is written with an exponent ("1e+20", "1e-300"): no table
// of real photometry gets there, and the fixed form would run to hundreds of digits.
constexpr double kLargest = 1e15;
constexpr double kSmallest = 1e-6;
constexpr int kMostDecimals = 9;

// The decimal exponent of |value| once rounded to `significant` digits (999.96 at 4 digits is
// 1000, exponent 3).
int RoundedExponent(double value, int significant) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significant - 1, std::fabs(value));
    const char* e = std::strchr(buf, 'e');
    return e ? std::atoi(e + 1) : 0;
}

std::string TrimZeros(std::string text) {
    if (text.find('.') == std::string::npos) return text;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

} // namespace

const FigureRule& FigureRuleOf(FigureKind kind) {
    return kRules[std::clamp(static_cast<int>(kind), 0, static_cast<int>(std::size(kRules)) - 1)];
}

int FigureDecimals(FigureKind kind, double value) {
    const FigureRule& rule = FigureRuleOf(kind);
    if (rule.Significant <= 0) return rule.Decimals;
    if (!std::isfinite(value) || value == 0) return 0;
    const int exponent = RoundedExponent(value, rule.Significant);
    if (std::pow(10.0, exponent) >= rule.WholeFrom) return 0;
    return std::clamp(rule.Significant - 1 - exponent, 0, kMostDecimals);
}

int TableDecimals(FigureKind kind, std::span<const double> values) {
    double largest = 0;
    for (double value : values)
        if (std::isfinite(value)) largest = std::max(largest, std::fabs(value));
    return FigureDecimals(kind, largest);
}

std::string FixedNumber(double value, int decimals) {
    if (!std::isfinite(value)) return {};
    char buf[400];
    const auto end =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, std::max(0, decimals))
            .ptr;
    std::string text(buf, end);
    if (text.front() == '-' && text.find_first_of("123456789") == std::string::npos)
        text.erase(0, 1); // no "-0" or "-0.0"
    return text;
}

std::string FigureNumber(double value, FigureKind kind) {
    const double size = std::fabs(value);
    if (std::isfinite(value) && value != 0 && (size >= kLargest || size < kSmallest))
        return RoundedNumber(value, std::max(1, FigureRuleOf(kind).Significant));
    const std::string text = FixedNumber(value, FigureDecimals(kind, value));
    return FigureRuleOf(kind).TrimZeros ? TrimZeros(text) : text;
}

std::string FigureText(double value, FigureKind kind, const std::string& missing) {
    if (!std::isfinite(value)) return missing;
    const std::string unit = FigureRuleOf(kind).Unit;
    if (kind == K::Multiplier) return FigureNumber(value, kind) + "x";
    if (kind == K::Angle || unit.empty()) return FigureNumber(value, kind) + unit;
    return FigureNumber(value, kind) + " " + unit;
}

int LabelDecimals(std::span<const double> values) {
    constexpr int kMost = 2;
    for (int decimals = 0; decimals < kMost; ++decimals) {
        const double scale = std::pow(10.0, decimals);
        const bool exact = std::all_of(values.begin(), values.end(), [&](double v) {
            return !std::isfinite(v) || std::fabs(v * scale - std::round(v * scale)) < 1e-6;
        });
        if (exact) return decimals;
    }
    return kMost;
}

std::string RoundedNumber(double value, int significant) {
    if (!std::isfinite(value)) return {};
    char buf[64];
    auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general,
                             std::clamp(significant, 1, 17))
                   .ptr;
    double rounded = 0;
    std::from_chars(buf, end, rounded);
    if (rounded == 0) return "0";
    const double size = std::fabs(rounded);
    const auto format =
        size >= 1e-4 && size < 1e15 ? std::chars_format::fixed : std::chars_format::general;
    end = std::to_chars(buf, buf + sizeof buf, rounded, format).ptr;
    return std::string(buf, end);
}

std::string JsonNumber(double value) {
    return std::isfinite(value) ? RoundedNumber(value, 6) : "null";
}

// ---- Lengths ----

FigureKind FileLengthKind(const tIES& ies, bool eulumdat) {
    if (eulumdat) return K::Millimetres;
    return ies.UnitsType == 1 ? K::Feet : K::Metres;
}

FigureKind LengthKindFor(std::span<const double> metres, LengthSystem system, FigureKind fileKind) {
    if (system == LengthSystem::File) return fileKind;
    const bool small = std::all_of(metres.begin(), metres.end(),
                                   [](double m) { return !std::isfinite(m) || std::fabs(m) < 1; });
    return small ? K::Millimetres : K::Metres;
}

double LengthIn(double metres, FigureKind kind) {
    switch (kind) {
    case K::Millimetres:
        return metres * 1000;
    case K::Feet:
        return metres / kFoot;
    default:
        return metres;
    }
}

OpeningMetres OpeningInMetres(const tIES& ies) {
    const double f = ies.UnitsType == 1 ? kFoot : 1.0;
    return {ies.Width * f, ies.Length * f, ies.Height * f};
}

std::string OpeningText(const tIES& ies, LengthSystem system, FigureKind fileKind) {
    const OpeningMetres m = OpeningInMetres(ies);
    const double sizes[] = {m.Width, m.Length, m.Height};
    const FigureKind kind = LengthKindFor(sizes, system, fileKind);
    std::string text;
    for (double size : sizes)
        text += (text.empty() ? "" : " x ") + FigureNumber(LengthIn(size, kind), kind);
    return text + " " + FigureRuleOf(kind).Unit;
}

} // namespace gonilux
