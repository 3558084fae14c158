// Photometric figures against closed forms: flux over the sphere in every plane layout, flux
// fractions, beam and field angles, the maximum and the ratings; damaged records give none.
#include "photometry/ies_reader.h"
#include "photometry/metrics.h"
#include "test_util.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

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

// Intensity in cd at (vertical, horizontal) in the file's own angles.
using Intensity = std::function<double(double vert, double horz)>;

tIES Sampled(std::uint16_t type, const tArrEx& vert, const tArrEx& horz, const Intensity& at) {
    tArrEx2 table(horz.size(), tArrEx(vert.size()));
    for (std::size_t h = 0; h < horz.size(); ++h)
        for (std::size_t v = 0; v < vert.size(); ++v)
            table[h][v] = at(vert[v], horz[h]);
    return MakeRecord(type, vert, horz, table);
}

// Beam (p = 0.5) and field (p = 0.1) full angles of I0 cos^n: 2 acos(p^(1/n)).
tSpread CosinePowerSpread(double n) {
    return {2 * std::acos(std::pow(0.5, 1 / n)) * 180 / kPi,
            2 * std::acos(std::pow(0.1, 1 / n)) * 180 / kPi};
}

// Type C beam I0 cos^n(gamma) below the horizon whose exponent runs from n0 in the C0-C180
// plane to n90 in the C90-C270 plane: n(C) = n0 cos^2 C + n90 sin^2 C. It has quarter symmetry,
// so every layout can hold it, and its flux is 2 pi I0 / sqrt((n0 + 1)(n90 + 1)).
Intensity EllipticBeam(double n0, double n90) {
    return [=](double gamma, double c) {
        const double n = n0 * Cos(c) * Cos(c) + n90 * (1 - Cos(c) * Cos(c));
        return gamma <= 90 ? 1000 * std::pow(Cos(gamma), n) : 0.0;
    };
}

// Types A and B: I0 cos^n of the angle from the beam axis (H = 0, V = 0), front hemisphere.
Intensity AimedBeam(double n) {
    return [=](double v, double h) { return 1000 * std::pow(std::max(0.0, Cos(v) * Cos(h)), n); };
}

struct FluxCase {
    std::string Name;
    std::uint16_t Type;
    tArrEx Vert, Horz;
    Intensity At;
    double Flux, Downward;
    tSpread Spread0, Spread90; // NaN: not checked
};

std::vector<FluxCase> FluxCases() {
    const Intensity flat = [](double, double) { return 100.0; };
    const double sphere = 4 * kPi * 100;
    const tSpread all{360, 360}, half{180, 180}, unchecked{kNaN, kNaN};
    const tArrEx polar = Steps(0, 180, 10), elevation = Steps(-90, 90, 10);
    std::vector<FluxCase> cases = {
        {"C isotropic, one plane", kTypeC, polar, {0}, flat, sphere, 0.5, all, all},
        {"C isotropic, quarter", kTypeC, polar, Steps(0, 90, 15), flat, sphere, 0.5, all, all},
        {"C isotropic, half", kTypeC, polar, Steps(0, 180, 30), flat, sphere, 0.5, all, all},
        {"C isotropic, 90-270", kTypeC, polar, Steps(90, 270, 45), flat, sphere, 0.5, all, all},
        {"C isotropic, 0-330", kTypeC, polar, Steps(0, 330, 30), flat, sphere, 0.5, all, all},
        {"B isotropic, lateral", kTypeB, Steps(-180, 180, 10), Steps(0, 90, 15), flat, sphere, 0.5,
         unchecked, half},
        {"A isotropic", kTypeA, elevation, Steps(-180, 180, 20), flat, sphere, 0.5, half, all},
        {"B isotropic, front", kTypeB, elevation, Steps(-90, 90, 15), flat, sphere / 2, 0.5, half,
         half},
        {"A isotropic, 0-90", kTypeA, elevation, Steps(0, 90, 15), flat, sphere / 2, 0.5, half,
         half}};
    // Lambertian I0 cos(gamma) below the horizon: pi I0, all of it downward.
    const Intensity lambertC = [](double g, double) { return g <= 90 ? 1000 * Cos(g) : 0.0; };
    // Type B: the nadir is at V = -90 and a direction's height is cos H sin V.
    const Intensity lambertB = [](double v, double h) {
        return std::max(0.0, 1000 * Cos(v + 90) * Cos(h));
    };
    for (const tArrEx& horz : {tArrEx{0}, Steps(0, 345, 15)})
        cases.push_back({"C Lambertian", kTypeC, Steps(0, 180, 2.5), horz, lambertC, 1000 * kPi, 1,
                         CosinePowerSpread(1), CosinePowerSpread(1)});
    for (const tArrEx& horz : {Steps(-90, 90, 5), Steps(0, 90, 5)})
        cases.push_back({"B Lambertian", kTypeB, Steps(-180, 180, 2.5), horz, lambertB, 1000 * kPi, 1,
                         unchecked, unchecked});
    // Cosine-power beams: 2 pi I0 / (n + 1).
    for (double n : {2.0, 20.0, 60.0}) {
        const tSpread s = CosinePowerSpread(n);
        const double flux = 2 * kPi * 1000 / (n + 1);
        cases.push_back({"C cos^n", kTypeC, Steps(0, 90, 1), Steps(0, 360, 45), EllipticBeam(n, n),
                         flux, 1, s, s});
        cases.push_back(
            {"B cos^n", kTypeB, Steps(-90, 90, 1), Steps(0, 90, 2), AimedBeam(n), flux, 0.5, s, s});
        cases.push_back({"A cos^n", kTypeA, Steps(-90, 90, 1), Steps(-90, 90, 2), AimedBeam(n),
                         flux, 0.5, s, s});
    }
    // An elliptic beam: each layout must complete the missing planes by its symmetry.
    for (const tArrEx& horz :
         {Steps(0, 90, 5), Steps(0, 180, 5), Steps(90, 270, 5), Steps(0, 360, 5), Steps(0, 355, 5)})
        cases.push_back({"C elliptic", kTypeC, Steps(0, 90, 1), horz, EllipticBeam(4, 16),
                         2 * kPi * 1000 / std::sqrt(5.0 * 17.0), 1, CosinePowerSpread(4),
                         CosinePowerSpread(16)});
    return cases;
}

void ExpectWithin(double actual, double expected, const std::string& what) {
    EXPECT_TRUE(std::isnan(expected) || std::fabs(actual - expected) <= 0.005 * std::fabs(expected))
        << what << ": " << actual << " instead of " << expected;
}

TEST(Metrics, FluxFractionsAndSpreadsMatchClosedForms) {
    for (const FluxCase& c : FluxCases()) {
        const std::string name = c.Name + ", planes " + ::testing::PrintToString(c.Horz.front()) +
                                 " to " + ::testing::PrintToString(c.Horz.back());
        const tMetrics m = ComputeMetrics(Sampled(c.Type, c.Vert, c.Horz, c.At));
        ASSERT_TRUE(m.Valid) << name;
        ExpectWithin(m.LuminaireFlux, c.Flux, name + " flux");
        ExpectWithin(m.DownwardFraction, c.Downward, name + " downward");
        EXPECT_NEAR(m.DownwardFraction + m.UpwardFraction, 1, 1e-12) << name;
        ExpectWithin(m.Spread0.Beam, c.Spread0.Beam, name + " beam 0");
        ExpectWithin(m.Spread0.Field, c.Spread0.Field, name + " field 0");
        ExpectWithin(m.Spread90.Beam, c.Spread90.Beam, name + " beam 90");
        ExpectWithin(m.Spread90.Field, c.Spread90.Field, name + " field 90");
    }
}

TEST(Metrics, MaximumIsTheAbsoluteIntensityAndItsFirstDirection) {
    tIES ies = MakeRecord(kTypeC, {0, 30, 60}, {0, 90, 180}, {{5, 6, 7}, {8, 42, 9}, {1, 42, 3}});
    ies.Multiplier = 2.5;
    const tMetrics m = ComputeMetrics(ies);
    EXPECT_EQ((std::vector<double>{m.MaxIntensity, m.MaxVertAngle, m.MaxHorzAngle}),
              (std::vector<double>{105, 30, 90}));
}

// An isotropic 100 cd source, flux 400 pi lm, read as a file would be: ratings follow the lamp
// flux and the power.
TEST(Metrics, RatingsFollowTheLampFluxAndThePower) {
    const double flux = 400 * kPi;
    const std::tuple<const char*, bool, double, double> cases[] = {
        // lamp count, lumens per lamp, multiplier, ballast, future use, watts
        {"2 2000 1 3 1 1 2 0 0 0 1 1 36", false, 4000, flux / 36},
        {"1 1000 1 3 1 1 2 0 0 0 1 1 0", false, 1000, kNaN},
        {"1 0 1 3 1 1 2 0 0 0 1 1 10", false, kNaN, flux / 10},
        {"1 -1 1 3 1 1 2 0 0 0 1 1 20", true, kNaN, flux / 20},
        {"0 500 1 3 1 1 2 0 0 0 1 1 20", false, kNaN, flux / 20}};
    auto rounded = [](std::initializer_list<double> values) {
        std::string text;
        for (double v : values)
            text += ::testing::PrintToString(std::round(v * 1e6) / 1e6) + " ";
        return text;
    };
    for (const auto& [header, absolute, lampFlux, efficacy] : cases) {
        tIES ies;
        ParseIes(std::string("TILT=NONE\n") + header + "\n0 90 180\n0\n100 100 100\n", ies);
        const tMetrics m = ComputeMetrics(ies);
        EXPECT_TRUE(m.Valid) << header;
        EXPECT_EQ(rounded({m.LuminaireFlux, double(m.Absolute), m.LampFlux, m.LightOutputRatio,
                           m.Efficacy}),
                  rounded({flux, double(absolute), lampFlux, flux / lampFlux, efficacy}))
            << header;
    }
}

TEST(Metrics, DamagedRecordsGiveNoFigures) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::function<void(tIES&)> damages[] = {
        [](tIES& r) { r = tIES{}; },
        [](tIES& r) { r.PhotometricType = 4; },
        [](tIES& r) { r.PhotometricType = 0; },
        [](tIES& r) { r = MakeRecord(kTypeC, {}, {0}, {{}}); },
        [](tIES& r) {
            r = MakeRecord(kTypeC, {0, 90}, {}, {});
        },
        [](tIES& r) { r.VertCount = 4; },
        [](tIES& r) { r.HorzCount = 3; },
        [](tIES& r) { r.Candela[1].pop_back(); },
        [](tIES& r) { r.Candela.pop_back(); },
        [](tIES& r) { r.Candela[1][2] = kNaN; },
        [=](tIES& r) { r.Candela[0][0] = inf; },
        [](tIES& r) { r.Candela.assign(2, tArrEx(3, 1e308)); },
        [](tIES& r) { r.VertAngles[1] = kNaN; },
        [](tIES& r) { r.VertAngles[2] = 45; },
        [](tIES& r) {
            r.HorzAngles = {90, 0};
        },
        [](tIES& r) { r.VertAngles[2] = 190; },
        [](tIES& r) { r.VertAngles[0] = -10; },
        [](tIES& r) {
            r.HorzAngles = {0, 400};
        },
        [](tIES& r) {
            r.PhotometricType = kTypeB, r.HorzAngles = {0, 135}; // within its planes: up to 90
        },
        [](tIES& r) {
            r.PhotometricType = kTypeA, r.VertAngles = {-135, 0, 45};
        },
        [](tIES& r) {
            r.PhotometricType = kTypeB, r.HorzAngles = {-200, 0};
        },
        [](tIES& r) {
            r.PhotometricType = kTypeB, r.HorzAngles = {0, 200};
        },
        [](tIES& r) { r.Multiplier = 0; },
        [](tIES& r) { r.Multiplier = -1; },
        [](tIES& r) { r.Multiplier = kNaN; },
        [](tIES& r) { r.Multiplier = 1e308; }};
    int row = 0;
    for (const auto& damage : damages) {
        tIES ies = MakeRecord(kTypeC, {0, 45, 90}, {0, 90}, {{1, 2, 3}, {4, 5, 6}});
        damage(ies);
        const tMetrics m = ComputeMetrics(ies);
        EXPECT_FALSE(m.Valid) << "row " << row;
        for (double figure : {m.LuminaireFlux, m.DownwardFraction, m.UpwardFraction, m.Efficacy,
                              m.LightOutputRatio, m.MaxIntensity, m.MaxVertAngle, m.MaxHorzAngle,
                              m.Spread0.Beam, m.Spread0.Field, m.Spread90.Beam, m.Spread90.Field})
            EXPECT_TRUE(std::isnan(figure)) << "row " << row;
        ++row;
    }
}

TEST(Metrics, DarkOrDegenerateTablesKeepWhatCanBeSaid) {
    const tMetrics dark = ComputeMetrics(MakeRecord(kTypeC, {0, 90}, {0}, {{0, 0}}));
    EXPECT_TRUE(dark.Valid);
    EXPECT_EQ(dark.LuminaireFlux, 0);
    EXPECT_TRUE(std::isnan(dark.DownwardFraction));
    EXPECT_TRUE(std::isnan(dark.Spread0.Beam));
    EXPECT_EQ(dark.LightOutputRatio, 0);
    // One vertical angle: no zone to integrate, but the maximum is known.
    const tMetrics single = ComputeMetrics(MakeRecord(kTypeC, {0}, {0}, {{7}}));
    EXPECT_TRUE(single.Valid);
    EXPECT_TRUE(std::isnan(single.LuminaireFlux));
    EXPECT_EQ(single.MaxIntensity, 7);
    // Type B without vertical angle 0 has no horizontal cut.
    const tMetrics noLevel =
        ComputeMetrics(MakeRecord(kTypeB, {10, 20}, {0, 90}, {{1, 2}, {3, 4}}));
    EXPECT_TRUE(noLevel.Valid);
    EXPECT_TRUE(std::isnan(noLevel.Spread90.Beam));
    EXPECT_FALSE(std::isnan(noLevel.Spread0.Beam));
}

} // namespace
} // namespace gonilux
