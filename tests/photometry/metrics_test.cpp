// Photometric figures against closed forms: flux over the sphere in every plane layout, flux
// fractions, beam and field angles, ratings; damaged records; the real files' figures are sane.
#include "photometry/file_io.h"
#include "photometry/ies_reader.h"
#include "photometry/metrics.h"
#include "test_util.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace gonilux {
namespace {

namespace fs = std::filesystem;
using testutil::MakeRecord;
using testutil::Steps;

constexpr double kPi = std::numbers::pi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::uint16_t kTypeC = 1;
constexpr std::uint16_t kTypeB = 2;
constexpr std::uint16_t kTypeA = 3;

double Cos(double degrees) {
    return std::cos(degrees * kPi / 180);
}
double Sin(double degrees) {
    return std::sin(degrees * kPi / 180);
}
double AcosDegrees(double x) {
    return std::acos(x) * 180 / kPi;
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

// Beam (p = 0.5) or field (p = 0.1) full angle of I0 cos^n.
double CosinePowerSpread(double n, double p) {
    return 2 * AcosDegrees(std::pow(p, 1 / n));
}

// Type C beam I0 cos^n(gamma) below the horizon whose exponent runs from n0 in the C0-C180
// plane to n90 in the C90-C270 plane: n(C) = n0 cos^2 C + n90 sin^2 C. It has quarter symmetry,
// so every layout can hold it, and its flux is 2 pi I0 / sqrt((n0 + 1)(n90 + 1)).
Intensity EllipticBeam(double n0, double n90) {
    return [=](double gamma, double c) {
        const double n = n0 * Cos(c) * Cos(c) + n90 * Sin(c) * Sin(c);
        return gamma <= 90 ? 1000 * std::pow(Cos(gamma), n) : 0.0;
    };
}

// Types A and B: I0 cos^n of the angle from the beam axis (H = 0, V = 0), front hemisphere.
Intensity AimedBeam(double n) {
    return [=](double v, double h) { return 1000 * std::pow(std::max(0.0, Cos(v) * Cos(h)), n); };
}

struct FluxCase {
    const char* Name;
    std::uint16_t Type;
    tArrEx Vert;
    tArrEx Horz;
    Intensity At;
    double Flux;
    double Downward;
    tSpread Spread0; // NaN: not checked
    tSpread Spread90;
};

void ExpectWithin(double actual, double expected, double relative, const char* what) {
    if (std::isnan(expected)) return;
    EXPECT_NEAR(actual, expected, relative * std::fabs(expected)) << what;
}

// An isotropic 100 cd source in every layout that can hold the whole sphere or its front half.
std::vector<FluxCase> IsotropicCases() {
    const Intensity flat = [](double, double) { return 100.0; };
    const double sphere = 4 * kPi * 100;
    const tSpread all{360, 360};
    const tSpread half{180, 180};
    const tArrEx polar = Steps(0, 180, 10);
    const tArrEx elevation = Steps(-90, 90, 10);
    std::vector<FluxCase> cases = {
        {"C isotropic, one plane", kTypeC, polar, {0}, flat, sphere, 0.5, all, all},
        {"C isotropic, quarter", kTypeC, polar, Steps(0, 90, 15), flat, sphere, 0.5, all, all},
        {"C isotropic, half 0-180", kTypeC, polar, Steps(0, 180, 30), flat, sphere, 0.5, all, all},
        {"C isotropic, half 90-270", kTypeC, polar, Steps(90, 270, 45), flat, sphere, 0.5, all,
         all},
        {"C isotropic, full 0-360", kTypeC, polar, Steps(0, 360, 30), flat, sphere, 0.5, all, all},
        {"C isotropic, full 0-330", kTypeC, polar, Steps(0, 330, 30), flat, sphere, 0.5, all, all},
        // Types A and B: the vertical cut spans -90..90, the horizontal cut the stored planes.
        {"B isotropic, one plane", kTypeB, elevation, {0}, flat, sphere, 0.5, half, all},
        {"B isotropic, lateral 0-180", kTypeB, elevation, Steps(0, 180, 20), flat, sphere, 0.5,
         half, all},
        {"A isotropic, -180-180", kTypeA, elevation, Steps(-180, 180, 20), flat, sphere, 0.5, half,
         all},
        {"B isotropic, front -90-90", kTypeB, elevation, Steps(-90, 90, 15), flat, sphere / 2, 0.5,
         half, half},
        {"A isotropic, front 0-90", kTypeA, elevation, Steps(0, 90, 15), flat, sphere / 2, 0.5,
         half, half},
    };
    return cases;
}

std::vector<FluxCase> ShapedCases() {
    std::vector<FluxCase> cases;
    // Lambertian I0 cos(gamma) below the horizon: pi I0, all of it downward.
    const Intensity lambertC = [](double g, double) { return g <= 90 ? 1000 * Cos(g) : 0.0; };
    const Intensity lambertB = [](double v, double) { return std::max(0.0, -1000 * Sin(v)); };
    const tSpread lambertSpread{CosinePowerSpread(1, 0.5), CosinePowerSpread(1, 0.1)};
    const tSpread unchecked{kNaN, kNaN};
    for (const tArrEx& horz : {tArrEx{0}, Steps(0, 90, 30), Steps(0, 345, 15)})
        cases.push_back({"C Lambertian", kTypeC, Steps(0, 180, 2.5), horz, lambertC, 1000 * kPi, 1,
                         lambertSpread, lambertSpread});
    for (const tArrEx& horz : {tArrEx{0}, Steps(-180, 180, 30), Steps(0, 180, 30)})
        cases.push_back({"B Lambertian downward", kTypeB, Steps(-90, 90, 2.5), horz, lambertB,
                         1000 * kPi, 1, unchecked, unchecked});
    // Cosine-power beams: 2 pi I0 / (n + 1), beam and field 2 acos(0.5^(1/n)), 2 acos(0.1^(1/n)).
    for (double n : {2.0, 5.0, 20.0, 60.0}) {
        const tSpread spread{CosinePowerSpread(n, 0.5), CosinePowerSpread(n, 0.1)};
        const double flux = 2 * kPi * 1000 / (n + 1);
        cases.push_back({"C cosine power", kTypeC, Steps(0, 90, 1), Steps(0, 360, 45),
                         EllipticBeam(n, n), flux, 1, spread, spread});
        cases.push_back({"B cosine power, lateral", kTypeB, Steps(-90, 90, 1), Steps(0, 90, 2),
                         AimedBeam(n), flux, 0.5, spread, spread});
        cases.push_back({"A cosine power", kTypeA, Steps(-90, 90, 1), Steps(-90, 90, 2),
                         AimedBeam(n), flux, 0.5, spread, spread});
    }
    // An elliptic beam: each layout must complete the missing planes by its symmetry.
    const tSpread narrow{CosinePowerSpread(16, 0.5), CosinePowerSpread(16, 0.1)};
    const tSpread wide{CosinePowerSpread(4, 0.5), CosinePowerSpread(4, 0.1)};
    for (const tArrEx& horz :
         {Steps(0, 90, 5), Steps(0, 180, 5), Steps(90, 270, 5), Steps(0, 360, 5), Steps(0, 355, 5)})
        cases.push_back({"C elliptic beam", kTypeC, Steps(0, 90, 1), horz, EllipticBeam(4, 16),
                         2 * kPi * 1000 / std::sqrt(5.0 * 17.0), 1, wide, narrow});
    return cases;
}

TEST(Metrics, FluxFractionsAndSpreadsMatchClosedForms) {
    std::vector<FluxCase> cases = IsotropicCases();
    for (FluxCase& shaped : ShapedCases())
        cases.push_back(std::move(shaped));
    for (const FluxCase& c : cases) {
        SCOPED_TRACE(std::string(c.Name) + ", planes " + std::to_string(c.Horz.front()) + " to " +
                     std::to_string(c.Horz.back()));
        const tMetrics m = ComputeMetrics(Sampled(c.Type, c.Vert, c.Horz, c.At));
        ASSERT_TRUE(m.Valid);
        ExpectWithin(m.LuminaireFlux, c.Flux, 0.005, "flux");
        ExpectWithin(m.DownwardFraction, c.Downward, 0.005, "downward fraction");
        EXPECT_NEAR(m.DownwardFraction + m.UpwardFraction, 1, 1e-12);
        ExpectWithin(m.Spread0.Beam, c.Spread0.Beam, 0.005, "beam, first pair");
        ExpectWithin(m.Spread0.Field, c.Spread0.Field, 0.005, "field, first pair");
        ExpectWithin(m.Spread90.Beam, c.Spread90.Beam, 0.005, "beam, second pair");
        ExpectWithin(m.Spread90.Field, c.Spread90.Field, 0.005, "field, second pair");
    }
}

TEST(Metrics, MaximumIsTheAbsoluteIntensityAndItsDirection) {
    tIES ies = MakeRecord(kTypeC, {0, 30, 60}, {0, 90, 180}, {{5, 6, 7}, {8, 42, 9}, {1, 2, 3}});
    ies.Multiplier = 2.5;
    const tMetrics m = ComputeMetrics(ies);
    EXPECT_DOUBLE_EQ(m.MaxIntensity, 105);
    EXPECT_EQ(m.MaxVertAngle, 30);
    EXPECT_EQ(m.MaxHorzAngle, 90);
}

// An isotropic 100 cd source, flux 400 pi lm, read as a file would be.
tIES ReadIsotropic(const char* lampLine, const char* wattsLine) {
    tIES ies;
    ParseIes(std::string("TILT=NONE\n") + lampLine + " 3 1 1 2 0 0 0\n" + wattsLine +
                 "\n0 90 180\n0\n100 100 100\n",
             ies);
    return ies;
}

TEST(Metrics, RatingsFollowTheLampFluxAndThePower) {
    struct Case {
        const char* Lamp;  // lamp count, lumens per lamp, multiplier
        const char* Watts; // ballast factor, future use, input watts
        bool Absolute;
        double LampFlux;
        double Efficacy;
    };
    const double flux = 400 * kPi;
    const Case cases[] = {
        {"2 2000 1", "1 1 36", false, 4000, flux / 36}, // values normalised by the reader
        {"1 1000 1", "1 1 0", false, 1000, kNaN},
        {"1 0 1", "1 1 10", false, kNaN, flux / 10},
        {"1 -1 1", "1 1 20", true, kNaN, flux / 20},
        {"0 500 1", "1 1 20", false, kNaN, flux / 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Lamp) + " / " + c.Watts);
        const tMetrics m = ComputeMetrics(ReadIsotropic(c.Lamp, c.Watts));
        ASSERT_TRUE(m.Valid);
        EXPECT_NEAR(m.LuminaireFlux, flux, 1e-9 * flux);
        EXPECT_EQ(m.Absolute, c.Absolute);
        EXPECT_EQ(std::isnan(m.LampFlux), std::isnan(c.LampFlux));
        EXPECT_EQ(std::isnan(m.LightOutputRatio), std::isnan(c.LampFlux));
        EXPECT_EQ(std::isnan(m.Efficacy), std::isnan(c.Efficacy));
        if (!std::isnan(c.LampFlux)) {
            EXPECT_DOUBLE_EQ(m.LampFlux, c.LampFlux);
            EXPECT_NEAR(m.LightOutputRatio, flux / c.LampFlux, 1e-9);
        }
        if (!std::isnan(c.Efficacy)) {
            EXPECT_NEAR(m.Efficacy, c.Efficacy, 1e-9);
        }
    }
}

void ExpectNoFigures(const tMetrics& m) {
    for (double figure : {m.LuminaireFlux, m.DownwardFraction, m.UpwardFraction, m.LightOutputRatio,
                          m.Efficacy, m.MaxIntensity, m.MaxVertAngle, m.MaxHorzAngle,
                          m.Spread0.Beam, m.Spread0.Field, m.Spread90.Beam, m.Spread90.Field}) {
        EXPECT_TRUE(std::isnan(figure));
    }
}

struct DamageCase {
    const char* Name;
    std::function<void(tIES&)> Damage; // applied to a good 3 x 2 type C record
};

std::vector<DamageCase> DamageCases() {
    const double inf = std::numeric_limits<double>::infinity();
    return {
        {"empty record", [](tIES& r) { r = tIES{}; }},
        {"unknown type", [](tIES& r) { r.PhotometricType = 4; }},
        {"type 0", [](tIES& r) { r.PhotometricType = 0; }},
        {"no vertical angles", [](tIES& r) { r = MakeRecord(kTypeC, {}, {0}, {{}}); }},
        {"no planes",
         [](tIES& r) {
             r = MakeRecord(kTypeC, {0, 90}, {}, {});
         }},
        {"count disagrees", [](tIES& r) { r.VertCount = 4; }},
        {"short row", [](tIES& r) { r.Candela[1].pop_back(); }},
        {"row missing", [](tIES& r) { r.Candela.pop_back(); }},
        {"NaN value", [](tIES& r) { r.Candela[1][2] = kNaN; }},
        {"infinite value", [=](tIES& r) { r.Candela[0][0] = inf; }},
        {"overflowing values", [](tIES& r) { r.Candela.assign(2, tArrEx(3, 1e308)); }},
        {"NaN angle", [](tIES& r) { r.VertAngles[1] = kNaN; }},
        {"vertical angles repeat", [](tIES& r) { r.VertAngles[2] = 45; }},
        {"planes decrease",
         [](tIES& r) {
             r.HorzAngles = {90, 0};
         }},
        {"vertical angle past 180", [](tIES& r) { r.VertAngles[2] = 190; }},
        {"negative polar angle", [](tIES& r) { r.VertAngles[0] = -10; }},
        {"planes over more than a turn",
         [](tIES& r) {
             r.HorzAngles = {0, 400};
         }},
        {"type B elevation past 90",
         [](tIES& r) {
             r.PhotometricType = kTypeB;
             r.VertAngles = {0, 45, 135};
         }},
        {"multiplier 0", [](tIES& r) { r.Multiplier = 0; }},
        {"negative multiplier", [](tIES& r) { r.Multiplier = -1; }},
        {"NaN multiplier", [](tIES& r) { r.Multiplier = kNaN; }},
        {"overflowing multiplier", [](tIES& r) { r.Multiplier = 1e308; }},
    };
}

TEST(Metrics, DamagedRecordsGiveNoFigures) {
    const tIES good = MakeRecord(kTypeC, {0, 45, 90}, {0, 90}, {{1, 2, 3}, {4, 5, 6}});
    for (const DamageCase& c : DamageCases()) {
        SCOPED_TRACE(c.Name);
        tIES ies = good;
        c.Damage(ies);
        const tMetrics m = ComputeMetrics(ies);
        EXPECT_FALSE(m.Valid);
        ExpectNoFigures(m);
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

void ExpectSaneSpread(const tSpread& s) {
    if (std::isnan(s.Beam)) return;
    EXPECT_GT(s.Beam, 0);
    EXPECT_LE(s.Beam, s.Field);
    EXPECT_LE(s.Field, 360);
}

// Files whose intensities disagree with their rated lamp flux: a synthetic file (1000 cd at
// nadir from a 1000 lm lamp) and converted test lamps that give cd/klm-sized values for a
// 102.52 lm lamp. Their light output ratio is far above 1, as the numbers in them say.
bool RatedFluxDisagrees(const fs::path& path) {
    const std::string name = path.filename().string();
    for (const char* known :
         {"TILT_TEST_SYNTHETIC.ies", "Testlamp_Isym2_symmetryOverC0C180axis.ies",
          "Testlamp_Isym2_symmetryOverC0C180axis_rot.IES",
          "Testlamp_Isym3_symmetryOverC90C270axis.ies"}) {
        if (name == known) return true;
    }
    return false;
}

void ExpectSaneFigures(const tMetrics& m, bool ratedFluxDisagrees) {
    EXPECT_TRUE(m.Valid);
    EXPECT_TRUE(std::isfinite(m.LuminaireFlux));
    EXPECT_GT(m.LuminaireFlux, 0);
    EXPECT_GE(m.DownwardFraction, 0);
    EXPECT_GE(m.UpwardFraction, 0);
    EXPECT_NEAR(m.DownwardFraction + m.UpwardFraction, 1, 1e-12);
    if (ratedFluxDisagrees) {
        EXPECT_GT(m.LightOutputRatio, 1.2);
    } else if (!std::isnan(m.LightOutputRatio)) {
        EXPECT_GT(m.LightOutputRatio, 0);
        EXPECT_LE(m.LightOutputRatio, 1.2);
    }
    EXPECT_EQ(std::isnan(m.LampFlux), std::isnan(m.LightOutputRatio));
    if (m.Absolute) {
        EXPECT_TRUE(std::isnan(m.LampFlux));
    }
    if (!std::isnan(m.Efficacy)) {
        EXPECT_GT(m.Efficacy, 0);
    }
    EXPECT_GT(m.MaxIntensity, 0);
    ExpectSaneSpread(m.Spread0);
    ExpectSaneSpread(m.Spread90);
}

TEST(Metrics, RealFilesGiveSaneFigures) {
    const fs::path folder = fs::path(GONILUX_TESTDATA_DIR) / "ies-real";
    const std::vector<fs::path> files = testutil::FilesIn(folder);
    if (files.empty()) GTEST_SKIP() << "no test data folder " << folder;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        TiesData entry = CreateIesData(file.filename().string());
        ASSERT_TRUE(LoadIesEntry(entry, file.string()));
        ExpectSaneFigures(ComputeMetrics(entry.Ies), RatedFluxDisagrees(file));
    }
}

} // namespace
} // namespace gonilux
