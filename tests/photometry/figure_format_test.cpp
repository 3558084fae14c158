// The one rule of how figures are shown: each kind's digits and unit, the decimals of a whole
// table, the labels of rows and columns, JSON's rounding and the opening's unit system.
#include "photometry/figure_format.h"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace gonilux {
namespace {

using K = FigureKind;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(FigureFormat, EachKindHasItsDigitsAndUnit) {
    const struct {
        K Kind;
        double Value;
        const char* Text;
    } cases[] = {
        {K::Flux, 12345.6, "12346 lm"},
        {K::Flux, 999.96, "1000 lm"},
        {K::Flux, 850.26, "850.3 lm"},
        {K::Flux, 5.5, "5.500 lm"},
        {K::Flux, 0, "0 lm"},
        {K::Intensity, 17728.800000000003, "17729 cd"},
        {K::Intensity, 14.7, "14.70 cd"},
        {K::Intensity, -0.00001, "-0.00001000 cd"},
        {K::Illuminance, 1234.6, "1235 lx"},
        {K::Illuminance, 99.94, "99.9 lx"},
        {K::Illuminance, 0.1234, "0.123 lx"},
        {K::Efficacy, 85.26, "85.3 lm/W"},
        {K::Power, 44, "44.0 W"},
        {K::Angle, 22.5, "22.5°"},
        {K::Angle, -0.04, "0.0°"},
        {K::Percent, 100, "100.0 %"},
        {K::FluxCode, 97.6, "98 %"},
        {K::Multiplier, 1.65959343236836, "1.66x"},
        {K::Multiplier, 1, "1x"},
        {K::Multiplier, 0.0005, "0.0005x"},
        {K::Metres, 1.2192, "1.219 m"},
        {K::Millimetres, 609.6, "610 mm"},
        {K::Feet, 2, "2.00 ft"},
        {K::Flux, kNaN, "n/a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FigureText(c.Value, c.Kind), c.Text) << c.Value;
}

TEST(FigureFormat, ATableHasTheDecimalsOfItsLargestValue) {
    const std::vector<double> values{13, 14.7, 0.04, kNaN, -2};
    EXPECT_EQ(TableDecimals(K::Intensity, values), 2); // 14.70 beside 13.00
    EXPECT_EQ(TableDecimals(K::Intensity, std::vector<double>{13, 1234.5}), 0);
    EXPECT_EQ(TableDecimals(K::Illuminance, std::vector<double>{0, 0}), 0);
    EXPECT_EQ(TableDecimals(K::Percent, std::vector<double>{13, 1234.5}), 1);
    EXPECT_EQ(FixedNumber(-0.001, 1) + "|" + FixedNumber(2.25, 0) + "|" + FixedNumber(kNaN, 1),
              "0.0|2|");
    // Labels of rows and columns: the fewest decimals that show every one, at most two.
    EXPECT_EQ(LabelDecimals(std::vector<double>{0, 90, 180}), 0);
    EXPECT_EQ(LabelDecimals(std::vector<double>{0, 2.5, 5}), 1);
    EXPECT_EQ(LabelDecimals(std::vector<double>{0, 1.0 / 3}), 2);
}

TEST(FigureFormat, JsonNumbersCarrySixSignificantDigits) {
    const std::pair<double, const char*> cases[] = {
        {17728.800000000003, "17728.8"},
        {1234567.0, "1234570"},
        {0.1 + 0.2, "0.3"},
        {-0.0, "0"},
        {1e-7, "1e-07"},
        {kNaN, "null"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(JsonNumber(value), text);
}

TEST(FigureFormat, OpeningInTheUnitSystemAskedFor) {
    tIES troffer; // 2 x 4 feet
    troffer.Width = 2, troffer.Length = 4, troffer.Height = 0, troffer.UnitsType = 1;
    tIES panel; // 600 x 600 mm as an EULUMDAT file gives it, in metres
    panel.Width = 0.6, panel.Length = 0.6, panel.Height = 0.08, panel.UnitsType = 2;
    const auto text = [](const tIES& ies, LengthSystem system, bool eulumdat) {
        return OpeningText(ies, system, FileLengthKind(ies, eulumdat));
    };
    EXPECT_EQ(text(troffer, LengthSystem::Metric, false), "0.610 x 1.219 x 0.000 m");
    EXPECT_EQ(text(troffer, LengthSystem::File, false), "2.00 x 4.00 x 0.00 ft");
    EXPECT_EQ(text(panel, LengthSystem::Metric, true), "600 x 600 x 80 mm");
    EXPECT_EQ(text(panel, LengthSystem::File, true), "600 x 600 x 80 mm");
    EXPECT_EQ(text(panel, LengthSystem::File, false), "0.600 x 0.600 x 0.080 m");
}

} // namespace
} // namespace gonilux
