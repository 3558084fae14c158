// Photometric figures against closed forms: flux over the sphere in every plane layout, flux
// fractions, beam and field angles, the maximum and the ratings; damaged records give none.
#include "photometry/ies_reader.h"
#include "photometry/metrics.h"
#include "test_util.h"

#include <limits>
#include <numbers>

namespace gonilux {
namespace {

using testutil::MakeRecord;
using testutil::Steps;

constexpr double kPi = std::numbers::pi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::uint16_t kTypeC = 1, kTypeB = 2, kTypeA = 3;

double Cos(double degrees) {
    return std::cos(degrees * kPi / 180);
}

// Full angle at which I0 cos^n falls to the fraction p: 2 acos(p^(1/n)).
double Spread(double n, double p) {
    return 2 * std::acos(std::pow(p, 1 / n)) * 180 / kPi;
}

// Beams I0 cos^n about their axis, sampled in every layout, against closed forms. Type C: the
// exponent runs from n0 in the C0-C180 plane to n90 in the C90-C270 plane (n0 cos^2 C + n90
// sin^2 C), flux 2 pi I0 / sqrt((n0 + 1)(n90 + 1)), pointing down (axis 0) or up (180); every
// layout must complete the missing planes by its symmetry. Types A and B: the angle from the
// beam axis (H = 0, V = 0), half of the light below the horizontal. The ratings (1000 lm, 36 W)
// give the light output ratio and the efficacy.
TEST(Metrics, BeamsMatchClosedForms) {
    const std::tuple<std::uint16_t, double, double, double, tArrEx> cases[] = {
        {kTypeC, 2, 2, 0, Steps(0, 360, 45)}, {kTypeC, 20, 20, 0, {0}},
        {kTypeC, 60, 60, 180, {0}},           {kTypeC, 4, 16, 0, Steps(0, 90, 5)},
        {kTypeC, 4, 16, 0, Steps(0, 180, 5)}, {kTypeC, 4, 16, 0, Steps(90, 270, 5)},
        {kTypeC, 4, 16, 0, Steps(0, 355, 5)}, {kTypeB, 20, 20, 0, Steps(0, 90, 2)},
        {kTypeB, 2, 2, 0, Steps(-90, 90, 2)}, {kTypeA, 60, 60, 0, Steps(-90, 90, 2)}};
    for (const auto& [type, n0, n90, axis, horz] : cases) {
        const tArrEx vert = type == kTypeC ? Steps(0, 180, 1) : Steps(-90, 90, 1);
        tArrEx2 table;
        for (double h : horz) {
            table.emplace_back();
            for (double v : vert) {
                const double n = n0 * Cos(h) * Cos(h) + n90 * (1 - Cos(h) * Cos(h));
                const double c = type == kTypeC ? Cos(v - axis) : Cos(v) * Cos(h);
                table.back().push_back(1000 * std::pow(std::max(0.0, c), type == kTypeC ? n : n0));
            }
        }
        const tMetrics m = ComputeMetrics(MakeRecord(type, vert, horz, table));
        const double flux = 2 * kPi * 1000 / std::sqrt((n0 + 1) * (n90 + 1));
        const double down = type != kTypeC ? 0.5 : axis == 0 ? 1 : 0;
        const double expected[] = {flux,
                                   down,
                                   1 - down,
                                   flux / 1000,
                                   flux / 36,
                                   Spread(n0, 0.5),
                                   Spread(n0, 0.1),
                                   type == kTypeC ? axis : 90,
                                   Spread(n90, 0.5),
                                   Spread(n90, 0.1),
                                   type == kTypeC ? axis : 0};
        const double actual[] = {m.LuminaireFlux,    m.DownwardFraction, m.UpwardFraction,
                                 m.LightOutputRatio, m.Efficacy,         m.Spread0.Beam,
                                 m.Spread0.Field,    m.Spread0.Axis,     m.Spread90.Beam,
                                 m.Spread90.Field,   m.Spread90.Axis};
        for (std::size_t i = 0; i < std::size(actual); ++i)
            EXPECT_NEAR(actual[i], expected[i], 0.005 * std::fabs(expected[i]) + 1e-9)
                << "type " << type << " n " << n0 << "/" << n90 << " axis " << axis << " planes "
                << horz.front() << " to " << horz.back() << ", figure " << i;
    }
}

// Small records read from text, their figures compared with the checked-in list: ratings by
// lamp flux and power (fractional watts as written), the maximum and its first direction, dark
// and degenerate tables, and damaged records that give no figures at all.
TEST(Metrics, SmallRecordsGiveTheListedFigures) {
    // Ratings: lamp flux and watts (43.5 W as written); the maximum and its first direction; a
    // dark table, one vertical angle, type B without vertical angle 0, a type A web, planes
    // with a gap to the full turn. Damaged: unknown types, no angles, angles out of order or
    // range, multipliers that are no scale, values that overflow.
    const std::vector<std::string> records = testutil::Split(
        "2 2000 1 3 1 1 2 0 0 0 1 1 36 0 90 180 0 100 100 100;"
        "1 1000 1 3 1 1 2 0 0 0 1 1 0 0 90 180 0 100 100 100;"
        "1 0 1 3 1 1 2 0 0 0 1 1 10 0 90 180 0 100 100 100;"
        "1 -1 1 3 1 1 2 0 0 0 1 1 43.5 0 90 180 0 100 100 100;"
        "0 500 1 3 1 1 2 0 0 0 1 1 20 0 90 180 0 100 100 100;"
        "1 1000 2.5 3 3 1 2 0 0 0 1 1 36 0 30 60 0 90 180 5 6 7 8 42 9 1 42 3;"
        "1 1000 1 2 1 1 2 0 0 0 1 1 36 0 90 0 0 0;1 1000 1 1 1 1 2 0 0 0 1 1 36 0 0 7;"
        "1 1000 1 2 2 2 2 0 0 0 1 1 36 10 20 0 90 1 2 3 4;"
        "1 1000 1 3 2 3 2 0 0 0 1 1 36 -90 0 90 -90 0 5 9 5 6 8 6;"
        "1 1000 1 3 3 1 2 0 0 0 1 1 36 0 45 90 0 120 240 9 5 1 6 4 2 3 3 3;"
        "1 1000 1 3 2 4 2 0 0 0 1 1 36 0 45 90 0 90 1 2 3 4 5 6;"
        "1 1000 1 3 2 0 2 0 0 0 1 1 36 0 45 90 0 90 1 2 3 4 5 6;"
        "1 1000 1 0 2 1 2 0 0 0 1 1 36 0 90;1 1000 1 3 0 1 2 0 0 0 1 1 36 0 45 90;"
        "1 1000 1 3 2 1 2 0 0 0 1 1 36 0 90 45 0 90 1 2 3 4 5 6;"
        "1 1000 1 3 2 1 2 0 0 0 1 1 36 0 45 45 0 90 1 2 3 4 5 6;"
        "1 1000 1 3 2 1 2 0 0 0 1 1 36 0 45 190 0 90 1 2 3 4 5 6;"
        "1 1000 1 3 2 1 2 0 0 0 1 1 36 -10 45 90 0 90 1 2 3 4 5 6;"
        "1 1000 1 3 2 1 2 0 0 0 1 1 36 0 45 90 90 0 1 2 3 4 5 6;"
        "1 1000 1 3 2 1 2 0 0 0 1 1 36 0 45 90 0 400 1 2 3 4 5 6;"
        "1 1000 1 3 2 2 2 0 0 0 1 1 36 0 45 135 0 90 1 2 3 4 5 6;"
        "1 1000 1 3 2 3 2 0 0 0 1 1 36 -135 0 45 0 90 1 2 3 4 5 6;"
        "1 1000 1 3 2 2 2 0 0 0 1 1 36 0 45 90 -200 0 1 2 3 4 5 6;"
        "1 1000 1 3 2 2 2 0 0 0 1 1 36 0 45 90 0 200 1 2 3 4 5 6;"
        "1 1000 0 3 2 1 2 0 0 0 1 1 36 0 45 90 0 90 1 2 3 4 5 6;"
        "1 1000 -1 3 2 1 2 0 0 0 1 1 36 0 45 90 0 90 1 2 3 4 5 6;"
        "1 1000 1e308 3 2 1 2 0 0 0 1 1 36 0 45 90 0 90 1 2 3 4 5 6;"
        "1 1000 1 3 2 1 2 0 0 0 1 1 36 0 45 90 0 90 1 2 3 4 5 1e308",
        ';');
    std::string listing;
    for (const std::string& text : records) {
        tIES ies;
        ParseIes("TILT=NONE\n" + text, ies);
        const tMetrics m = ComputeMetrics(ies);
        listing +=
            text + "\n   " + (m.Valid ? " valid" : " invalid") + (m.Absolute ? " absolute" : "");
        for (double figure :
             {m.LuminaireFlux, m.DownwardFraction, m.UpwardFraction, m.LampFlux, m.LightOutputRatio,
              m.Efficacy, m.MaxIntensity, m.MaxVertAngle, m.MaxHorzAngle, m.Spread0.Beam,
              m.Spread0.Field, m.Spread0.Axis, m.Spread90.Beam, m.Spread90.Field, m.Spread90.Axis})
            listing += " " + ::testing::PrintToString(std::round(figure * 1e6) / 1e6 + 0.0);
        listing += "\n";
    }
    testutil::ExpectMatchesFile("metrics.txt", listing);
    // Records no reader gives: non-finite values and counts that disagree with the lists.
    const std::function<void(tIES&)> damages[] = {
        [](tIES& r) { r.Candela[1][2] = kNaN; }, [](tIES& r) { r.VertAngles[1] = kNaN; },
        [](tIES& r) { r.Multiplier = kNaN; },    [](tIES& r) { r.VertCount = 4; },
        [](tIES& r) { r.HorzCount = 3; },        [](tIES& r) { r.Candela[1].pop_back(); },
        [](tIES& r) { r.Candela.pop_back(); }};
    for (const auto& damage : damages) {
        tIES ies = MakeRecord(kTypeC, {0, 45, 90}, {0, 90}, {{1, 2, 3}, {4, 5, 6}});
        damage(ies);
        const tMetrics m = ComputeMetrics(ies);
        EXPECT_FALSE(m.Valid);
        EXPECT_TRUE(std::isnan(m.LuminaireFlux) && std::isnan(m.MaxIntensity));
    }
}

} // namespace
} // namespace gonilux
