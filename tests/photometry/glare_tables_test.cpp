// The indoor ratings against independent reckonings: the projected areas of the LM-63 opening
// shapes, the luminance of a Lambertian opening, the UGR table against a direct sum of CIE 117's
// formula over one room's luminaires, its views swapped with C0 and C90, its flux rule, CIE 190's
// transfer factors; the CU table against its closed forms.
#include "photometry/file_io.h"
#include "photometry/glare_tables.h"
#include "photometry/metrics.h"
#include "photometry/resample.h"
#include "test_util.h"

#include <numbers>

namespace gonilux {
namespace {

using testutil::MakeRecord;
using testutil::Steps;

constexpr double kPi = std::numbers::pi;
constexpr double kRad = kPi / 180;

// Quarter symmetric (planes 0-90) light from an intensity of gamma and C (degrees).
template <typename Light> tIES Quarter(Light light, double w, double l, double h) {
    const tArrEx vert = Steps(0, 180, 2.5), horz = Steps(0, 90, 15);
    tArrEx2 table(horz.size(), tArrEx(vert.size()));
    for (std::size_t p = 0; p < horz.size(); ++p)
        for (std::size_t v = 0; v < vert.size(); ++v)
            table[p][v] = light(vert[v], horz[p]);
    tIES ies = MakeRecord(1, vert, horz, table);
    ies.Width = w, ies.Length = l, ies.Height = h;
    return ies;
}

TEST(GlareTables, OpeningShapesProjectTheirSilhouettes) {
    const double disc = kPi / 4 * 0.09; // circle of 0.3
    struct Case {
        double W, L, H;
        int Units;
        double Gamma, C, Area;
    } cases[] = {
        {0.6, 1.2, 0, 2, 0, 0, 0.72},
        {0.6, 1.2, 0, 2, 60, 0, 0.36},
        {0.2, 1.0, 0.1, 2, 90, 0, 0.02},
        {0.2, 1.0, 0.1, 2, 90, 90, 0.1},
        {-0.3, -0.3, 0, 2, 0, 30, disc},
        {-0.3, -0.3, 0, 2, 60, 30, disc / 2},
        {-0.2, -0.2, 0.5, 2, 90, 10, 0.1},
        {-0.4, -0.4, -0.4, 2, 37, 20, kPi * 0.04},
        {-0.1, 1.2, -0.1, 2, 0, 0, 0.12},
        {-0.1, 1.2, -0.1, 2, 90, 0, kPi / 4 * 0.01},
        {1.2, -0.1, -0.1, 2, 90, 90, kPi / 400},
        {1.2, -0.1, -0.1, 2, 90, 0, 0.12},
        {-0.3, 0, -0.3, 2, 90, 0, disc},
        {-0.3, 0, -0.3, 2, 0, 0, 0},
        {-0.3, 0, -0.3, 2, 65, 90, 0}, // edge-on: none at all, however the cosine rounds
        {0, -0.3, -0.3, 2, 90, 90, disc},
        {-0.3, 0, 0.05, 2, 90, 45, 0.015},
        {2, 4, 0, 1, 0, 0, 8 * 0.3048 * 0.3048},
        {0, 0, 0, 2, 0, 0, 0},
        // Sign mixtures outside LM-63: the box of the absolute sizes; a size not a number: none.
        {-0.3, 0.6, 0.1, 2, 90, 0, 0.03},
        {0.6, -0.3, 0.1, 2, 90, 90, 0.03},
        {0.5, 0, -0.3, 2, 90, 0, 0.15},
        {std::nan(""), 1, 0, 2, 0, 0, 0},
    };
    for (const Case& c : cases) {
        tIES ies;
        ies.Width = c.W, ies.Length = c.L, ies.Height = c.H, ies.UnitsType = std::uint16_t(c.Units);
        const double area = ProjectedLuminousArea(ies, c.Gamma, c.C);
        EXPECT_TRUE(c.Area == 0 ? area == 0 : std::fabs(area - c.Area) < 1e-9)
            << area << ": " << c.W << " " << c.L << " " << c.H << " at " << c.Gamma << "/" << c.C;
    }
}

TEST(GlareTables, LambertianOpeningHasOneLuminanceAndNoOpeningNone) {
    const tIES flat = Quarter(
        [](double g, double) { return g < 90 ? 500 * std::cos(g * kRad) : 0; }, 0.5, 0.8, 0);
    const tLuminanceTable table = ComputeLuminanceTable(flat);
    ASSERT_TRUE(table.Valid);
    for (std::size_t a = 0; a < table.Angles.size(); ++a) {
        for (std::size_t p = 0; p < table.Planes.size(); ++p)
            EXPECT_NEAR(table.Values[a][p], 500 / 0.4, 1e-6 * 1250);
        EXPECT_NEAR(table.MaxAt(int(a)), 1250, 1e-3);
    }
    EXPECT_TRUE(std::isnan(table.MaxAt(5)) && std::isnan(table.MaxAt(-1)));
    tIES point = flat;
    point.Width = point.Length = 0;
    EXPECT_FALSE(ComputeLuminanceTable(point).Valid);
    EXPECT_TRUE(std::isnan(ComputeLuminanceTable(point).Values[0][0]));
    const tUgrTable ugr = ComputeUgrTable(point);
    EXPECT_FALSE(ugr.Valid);
    EXPECT_FALSE(ugr.Note.empty());
    EXPECT_TRUE(std::isnan(ComputeStandardUgr(point).Crosswise));
    // No light at all: no table; light only within 25 degrees of the nadir: no luminaire in the
    // observer's field, no value.
    tIES dark = flat, narrow = flat;
    for (tArrEx& row : dark.Candela)
        row.assign(row.size(), 0.0);
    for (tArrEx& row : narrow.Candela)
        for (std::size_t v = 10; v < row.size(); ++v)
            row[v] = 0;
    EXPECT_FALSE(ComputeUgrTable(dark).Valid);
    EXPECT_FALSE(ComputeCuTable(dark).Valid);
    const tUgrTable none = ComputeUgrTable(narrow);
    EXPECT_TRUE(none.Valid && std::isnan(none.Crosswise[10][0]) && std::isnan(none.Endwise[0][4]));
}

// UGR of one room by CIE 117's formula summed luminaire by luminaire, S x H apart from S/2 off
// the walls, H = 2 m, the observer at the middle of the wall looking along Y.
double DirectUgr(const tIES& ies, const tUgrRoom& room, std::size_t refl, bool crosswise,
                 double s) {
    const double height = 2;
    double sum = 0;
    for (double x = s / 2; x < room.X; x += s)
        for (double y = s / 2; y < room.Y; y += s) {
            const double t = (x - room.X / 2.0) * height, r = y * height;
            const double gamma = std::atan2(std::hypot(t, r), height) / kRad;
            const double p = GuthPositionIndex(t, r, height);
            if (gamma > 85 || std::isnan(p)) continue;
            const double c = (crosswise ? std::atan2(r, t) : std::atan2(-t, r)) / kRad;
            const double d[] = {std::sin(gamma * kRad) * std::cos(c * kRad),
                                std::sin(gamma * kRad) * std::sin(c * kRad),
                                -std::cos(gamma * kRad)};
            const double i = IntensityToward(ies, d[0], d[1], d[2]) * ies.Multiplier;
            const double area = ProjectedLuminousArea(ies, gamma, c);
            sum += i * i / (area * (t * t + r * r + height * height) * p * p);
        }
    const double lb = UgrBackgroundLuminance(ies, room, kUgrReflectances[refl], s);
    return 8 * std::log10(0.25 * sum / lb);
}

TEST(GlareTables, UgrTableIsTheDirectSumOfEachRoom) {
    TiesData entry = CreateIesData("table7.ldt");
    ASSERT_TRUE(LoadIesEntry(entry, GONILUX_TESTDATA_DIR
                             "/ldt-real/Wei-Lim-lighting/0_CIE-2010-Table7.ldt"));
    // Every plane stored, and a light unlike itself across either principal plane.
    const tArrEx vert = Steps(0, 180, 5), horz = Steps(0, 345, 15);
    tArrEx2 values(horz.size(), tArrEx(vert.size()));
    for (std::size_t p = 0; p < horz.size(); ++p)
        for (std::size_t v = 0; v < vert.size(); ++v)
            values[p][v] =
                vert[v] < 90 ? 400 * std::cos(vert[v] * kRad) *
                                   (1.5 + std::cos(horz[p] * kRad) + 0.4 * std::sin(horz[p] * kRad))
                             : 20;
    tIES lopsided = MakeRecord(1, vert, horz, values);
    lopsided.Width = -0.2, lopsided.Length = -0.2, lopsided.Height = 0.05;
    struct Case {
        const tIES& Ies;
        std::size_t Room, Refl;
        double Spacing;
    } cases[] = {{entry.Ies, 10, 0, 0.25}, {entry.Ies, 0, 4, 0.25}, {entry.Ies, 18, 2, 0.25},
                 {entry.Ies, 13, 1, 1.0},  {lopsided, 15, 3, 0.25}, {lopsided, 2, 0, 1.0}};
    for (const Case& c : cases) {
        const tIES& ies = c.Ies;
        const tUgrTable table = ComputeUgrTable(ies, c.Spacing);
        ASSERT_TRUE(table.Valid);
        EXPECT_EQ(table.Spacing, c.Spacing);
        const tUgrRoom& room = kUgrRooms[c.Room];
        EXPECT_NEAR(table.Crosswise[c.Room][c.Refl], DirectUgr(ies, room, c.Refl, true, c.Spacing),
                    0.01);
        EXPECT_NEAR(table.Endwise[c.Room][c.Refl], DirectUgr(ies, room, c.Refl, false, c.Spacing),
                    0.01);
    }
    const tIES& ies = entry.Ies;
    const tUgrTable table = ComputeUgrTable(ies);
    const tUgrValue standard = ComputeStandardUgr(ies);
    EXPECT_NEAR(standard.Crosswise, table.Crosswise[10][0], 1e-9);
    EXPECT_NEAR(standard.Endwise, table.Endwise[10][0], 1e-9);
    EXPECT_GT(standard.Crosswise, standard.Endwise + 1); // brighter across its length
    for (double odd : {-1.0, 0.0, std::nan(""), HUGE_VAL})
        EXPECT_EQ(ComputeUgrTable(ies, odd).Spacing, 0.25) << odd;
    EXPECT_EQ(ComputeUgrTable(ies, 0.3).Spacing, 1.0 / 3);
}

TEST(GlareTables, SwappingC0AndC90SwapsTheViewsAndTheFluxRuleHolds) {
    auto light = [](double g, double c) {
        const double down = g < 90 ? std::cos(g * kRad) : 0;
        return 800 * down * (1 + 0.8 * std::pow(std::sin(c * kRad), 2) * std::sin(g * kRad)) +
               (g > 90 ? 60 : 0);
    };
    const tIES ies = Quarter(light, 0.3, 1.2, 0.05);
    const tIES swapped =
        Quarter([&](double g, double c) { return light(g, 90 - c); }, 1.2, 0.3, 0.05);
    tIES doubled = ies;
    doubled.Multiplier *= 2;
    for (double spacing : {0.25, 1.0}) {
        const tUgrTable a = ComputeUgrTable(ies, spacing), b = ComputeUgrTable(swapped, spacing);
        const tUgrTable twice = ComputeUgrTable(doubled, spacing);
        ASSERT_TRUE(a.Valid && b.Valid && twice.Valid);
        for (std::size_t room = 0; room < kUgrRooms.size(); ++room)
            for (std::size_t r = 0; r < kUgrReflectances.size(); ++r) {
                EXPECT_NEAR(a.Crosswise[room][r], b.Endwise[room][r], 1e-6);
                EXPECT_NEAR(a.Endwise[room][r], b.Crosswise[room][r], 1e-6);
                EXPECT_NEAR(twice.Crosswise[room][r] - a.Crosswise[room][r], 8 * std::log10(2.0),
                            1e-9);
                EXPECT_NEAR(twice.Endwise[room][r] - a.Endwise[room][r], 8 * std::log10(2.0), 1e-9);
            }
        EXPECT_GT(a.Crosswise[10][0], a.Endwise[10][0]); // the bright side faces the observer
    }
}

TEST(GlareTables, TransferFactorsAreCie190s) {
    // CIE 190's published factors of the 4H x 8H room (F_T,FW, F_T,WW-1, F_T,CW).
    const double published[5][3] = {{0.115, 0.211, 0.307},
                                    {0.106, 0.117, 0.283},
                                    {0.100, 0.187, 0.211},
                                    {0.093, 0.104, 0.196},
                                    {0.081, 0.092, 0.114}};
    for (std::size_t r = 0; r < kUgrReflectances.size(); ++r) {
        const std::array<double, 3> f = UgrTransferFactors({4, 8}, kUgrReflectances[r]);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(f[i], published[r][i], 0.0006) << r << " " << i;
    }
}

TEST(GlareTables, BackgroundLuminanceIsCie190sReckoning) {
    // A Lambertian downlight of flux F in the 4H x 8H room, 32 luminaires 1H apart, walls
    // 96 m2, 70/50/20: CIE 190 puts 0.7201 F directly on the floor (CIE 52's factors for
    // k = 2.67: 0.280, 0.165, 0.499, 0.006 of the flux within 41.4, 60, 75.5 and 90 degrees, a
    // Lambertian light's 0.4375, 0.75, 0.9375 and 1) and passes 0.115 of it and 0.211 of the
    // rest on to the walls: Lb = 32 / 96 * (0.7201 * 0.115 + 0.2799 * 0.211) F / pi.
    const tIES ies =
        Quarter([](double g, double) { return g < 90 ? 300 * std::cos(g * kRad) : 0; }, 1, 1, 0);
    const double flux = ComputeMetrics(ies).LuminaireFlux;
    const double expected = 32.0 / 96 * (0.7201 * 0.115 + 0.2799 * 0.211) * flux / kPi;
    EXPECT_NEAR(UgrBackgroundLuminance(ies, {4, 8}, kUgrReflectances[0], 1.0), expected,
                0.01 * expected);
    // 16 times the luminaires at S = 0.25H, the same shares.
    EXPECT_NEAR(UgrBackgroundLuminance(ies, {4, 8}, kUgrReflectances[0]), 16 * expected,
                0.16 * expected);
}

TEST(GlareTables, CuTableMeetsItsClosedForms) {
    // A narrow downlight (all downward light within 5 degrees of the nadir, where every zonal
    // multiplier is 1) with some uplight: at RCR 0, CU = (D + rc U) / (1 - 0.2 rc); with black
    // ceiling and walls, CU = D at every RCR. D, U: downward and upward lumens per lamp lumen.
    auto light = [](double g, double) { return g < 5 ? 1000.0 : g > 170 ? 200.0 : 0.0; };
    for (double lamp : {2000.0, -1.0}) {
        tIES ies = Quarter(light, 0.1, 0.1, 0);
        ies.LumensPerLamp = lamp;
        const tMetrics m = ComputeMetrics(ies);
        const double base = lamp > 0 ? lamp : m.LuminaireFlux;
        const double down = m.LuminaireFlux * m.DownwardFraction / base;
        const double up = m.LuminaireFlux * m.UpwardFraction / base;
        const tCuTable cu = ComputeCuTable(ies);
        ASSERT_TRUE(cu.Valid);
        for (std::size_t col = 0; col < kCuReflectances.size(); ++col) {
            const double rc = kCuReflectances[col].Ceiling / 100.0;
            EXPECT_NEAR(cu.Percent[0][col], 100 * (down + rc * up) / (1 - 0.2 * rc), 1e-6);
        }
        for (std::size_t rcr = 0; rcr <= 10; ++rcr) {
            EXPECT_NEAR(cu.Percent[rcr][17], 100 * down, 1e-6);
            if (rcr > 0) {
                EXPECT_LT(cu.Percent[rcr][0], cu.Percent[rcr - 1][0]);
            }
        }
    }
    // All downward light between 40 and 50 degrees, black room: CU = K_5 D with the Handbook's
    // multiplier K_5 = exp(-0.136 RCR^1.16).
    tIES zone5 = Quarter([](double g, double) { return g > 40 && g < 50 ? 500.0 : 0.0; }, 1, 1, 0);
    const tMetrics m = ComputeMetrics(zone5);
    const tCuTable cu = ComputeCuTable(zone5);
    for (int rcr = 1; rcr <= 10; ++rcr)
        EXPECT_NEAR(cu.Percent[std::size_t(rcr)][17],
                    100 * std::exp(-0.136 * std::pow(rcr, 1.16)) * m.LuminaireFlux / 1000, 1e-6);
    EXPECT_FALSE(ComputeCuTable(tIES{}).Valid);
    EXPECT_TRUE(std::isnan(ComputeCuTable(tIES{}).Percent[3][3]));
}

} // namespace
} // namespace gonilux
