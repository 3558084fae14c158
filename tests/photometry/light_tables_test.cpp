// The report's tables against closed forms: zonal lumens, CIE flux codes and the illuminance on
// the floor of a constant and a Lambertian light, stored as type C, as type B and written to
// EULUMDAT and read back; the luminaire flux agrees with the figures; the tables of sample
// files as the CSV texts give them; damaged records and bad sizes give no tables.
#include "photometry/file_io.h"
#include "photometry/ldt_reader.h"
#include "photometry/ldt_writer.h"
#include "photometry/light_tables.h"
#include "test_util.h"

#include <charconv>
#include <functional>
#include <limits>
#include <numbers>

namespace gonilux {
namespace {

using testutil::MakeRecord;
using testutil::Steps;

constexpr double kPi = std::numbers::pi;
constexpr double kRad = kPi / 180;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A light by its intensity (cd) toward the unit direction (x, y, z) of the type C frame.
using Light = std::function<double(double, double, double)>;

// Type C every 0.5 degrees in planes 5 degrees apart; type B (planes tilted about the horizontal
// axis by V, H measured within them) every 0.5 degrees across 1 degree apart.
tIES Sampled(std::uint16_t type, const Light& light) {
    const bool c = type == 1;
    const tArrEx vert = c ? Steps(0, 180, 0.5) : Steps(-180, 180, 1);
    const tArrEx horz = c ? Steps(0, 360, 5) : Steps(-90, 90, 0.5);
    tArrEx2 table(horz.size(), tArrEx(vert.size()));
    for (std::size_t h = 0; h < horz.size(); ++h)
        for (std::size_t v = 0; v < vert.size(); ++v) {
            const double a = horz[h] * kRad, b = vert[v] * kRad, sa = std::sin(a), sb = std::sin(b);
            const double ca = std::cos(a), cb = std::cos(b);
            table[h][v] = c ? light(sb * ca, sb * sa, -cb) : light(ca * cb, sa, ca * sb);
        }
    return MakeRecord(type, vert, horz, table);
}

tIES Eulumdat(const tIES& ies) {
    tIES back;
    ParseLdt(BuildLdtText(ies, {}, "x.ldt").Text, "x.ldt", back);
    return back;
}

struct ClosedForm {
    Light Intensity;
    std::function<double(double, double)> Lumens;              // between two gamma angles (degrees)
    std::function<double(double, double, double, double)> Lux; // h, r^2, floor point (x, y)
    double Codes[3];                                           // N1..N3
};

double Sin2(double degrees) {
    return std::pow(std::sin(std::min(degrees, 90.0) * kRad), 2);
}

// Integral of sin^2 from 0 to `degrees`.
double SinSquared(double degrees) {
    return degrees * kRad / 2 - std::sin(2 * degrees * kRad) / 4;
}

// Constant I = 100 cd: 2 pi I (cos a - cos b), E = I h / (h^2 + d^2)^1.5, cones of a quarter,
// half, three quarters of the lower hemisphere. Lambertian I0 = 300 cd cos(gamma) below the
// horizon: pi I0 (sin^2 b - sin^2 a), E = I0 h^2 / (h^2 + d^2)^2. A lopsided light 100 x + 50 y
// (the positive parts) shows which way C0 and C90 point: 300 times the integral of sin^2 over
// the zone, E = (100 x + 50 y) h / r^4.
TEST(LightTables, ClosedFormLightsInEveryStorageGiveTheirZonesAndIlluminance) {
    const double h1 = std::acos(0.75) / kRad, h3 = std::acos(0.25) / kRad;
    const ClosedForm lights[] = {
        {[](double, double, double) { return 100.0; },
         [](double a, double b) {
             return 2 * kPi * 100 * (std::cos(a * kRad) - std::cos(b * kRad));
         },
         [](double h, double r2, double, double) { return 100 * h / std::pow(r2, 1.5); },
         {25, 50, 75}},
        {[](double, double, double z) { return 300 * std::max(0.0, -z); },
         [](double a, double b) { return kPi * 300 * (Sin2(b) - Sin2(a)); },
         [](double h, double r2, double, double) { return 300 * h * h / (r2 * r2); },
         {43.75, 75, 93.75}},
        {[](double x, double y, double) { return 100 * std::max(0.0, x) + 50 * std::max(0.0, y); },
         [](double a, double b) { return 300 * (SinSquared(b) - SinSquared(a)); },
         [](double h, double r2, double x, double y) {
             return (100 * std::max(0.0, x) + 50 * std::max(0.0, y)) * h / (r2 * r2);
         },
         {100 * SinSquared(h1) / SinSquared(90), 100 * SinSquared(60) / SinSquared(90),
          100 * SinSquared(h3) / SinSquared(90)}},
    };
    for (const ClosedForm& light : lights) {
        const tIES c = Sampled(1, light.Intensity);
        for (const tIES& ies : {c, Sampled(2, light.Intensity), Eulumdat(c)}) {
            SCOPED_TRACE(ies.PhotometricType * 10 + ies.HorzCount);
            const ZonalSummary z = ComputeZonal(ies);
            ASSERT_TRUE(z.Valid);
            for (const auto* zones : {&z.Zones, &z.TenDegreeZones})
                for (const ZoneFlux& zone : *zones) {
                    const double expected = light.Lumens(zone.From, zone.To);
                    EXPECT_NEAR(zone.Lumens, expected, 0.005 * expected + 1e-9) << ZoneName(zone);
                    EXPECT_NEAR(zone.PercentLamp, zone.Lumens / 10, 1e-9);
                    EXPECT_NEAR(zone.PercentLuminaire, 100 * zone.Lumens / z.LuminaireFlux, 1e-9);
                }
            for (int i = 0; i < 3; ++i)
                EXPECT_NEAR(z.CieFluxCodes[i], light.Codes[i], 0.005 * light.Codes[i]);
            EXPECT_NEAR(z.CieFluxCodes[3], 100 * z.Zones[3].Lumens / z.LuminaireFlux, 1e-9);
            EXPECT_NEAR(z.CieFluxCodes[4], z.LuminaireFlux / 10, 1e-9);
            const IlluminanceGrid grid = ComputeIlluminanceGrid(ies, 3, 10, 11);
            ASSERT_TRUE(grid.Valid);
            EXPECT_EQ(grid.Positions, Steps(-5, 5, 1));
            for (int iy = 0; iy < 11; ++iy)
                for (int ix = 0; ix < 11; ++ix) {
                    const double x = ix - 5, y = iy - 5, e = light.Lux(3, 9 + x * x + y * y, x, y);
                    EXPECT_NEAR(grid.At(ix, iy), e, 0.005 * e + 1e-9) << ix << " " << iy;
                }
            const double e = light.Lux(2.5, 6.25 + 2.25 + 0.49, 1.5, -0.7);
            EXPECT_NEAR(IlluminanceAt(ies, 2.5, 1.5, -0.7), e, 0.005 * e);
        }
    }
}

std::string Text(double value) {
    char buffer[32];
    return std::string(
        buffer, std::to_chars(buffer, buffer + 32, value, std::chars_format::general, 6).ptr);
}

// Over the samples: type C luminaire flux as the figures give it, the hemispheres adding up; the
// CSV texts and the cone of three kinds of file compared whole.
TEST(LightTables, SampleTablesAddUpAndReadAsExpected) {
    std::string out;
    for (const auto& item : std::filesystem::directory_iterator(GONILUX_SAMPLES_DIR)) {
        TiesData entry = CreateIesData(item.path().filename().string());
        if (!LoadIesEntry(entry, item.path().string())) continue;
        const ZonalSummary z = ComputeZonal(entry.Ies);
        if (!z.Valid) continue;
        const double tolerance = entry.Ies.PhotometricType == 1 ? 1e-9 : 0.005; // re-sampled
        EXPECT_NEAR(z.LuminaireFlux / ComputeMetrics(entry.Ies).LuminaireFlux, 1, tolerance);
        EXPECT_NEAR(z.Zones[3].Lumens + z.Zones[7].Lumens, z.LuminaireFlux, 1e-9 * z.LuminaireFlux);
    }
    for (const char* name :
         {"downlight_c_quarter.ies", "floodlight_b_two_sided.ies", "led_panel_absolute.ies"}) {
        TiesData entry = CreateIesData(name);
        ASSERT_TRUE(LoadIesEntry(entry, std::string(GONILUX_SAMPLES_DIR) + "/" + name));
        const tIES& ies = entry.Ies;
        out += std::string("== ") + name + "\n" + CandelaCsv(BuildCandelaTable(ies, false)) +
               CandelaCsv(BuildCandelaTable(ies, true)).substr(0, 200) + "...\n" +
               ZonalCsv(ComputeZonal(ies)) + IsoluxCsv(ComputeIlluminanceGrid(ies, 2, 6, 5));
        for (const ConeRow& row : ComputeCone(ies))
            out += "cone " + Text(row.Distance) + " m: " + Text(row.Lux) + " lx, beam " +
                   Text(row.BeamDiameter0) + " " + Text(row.BeamDiameter90) + ", field " +
                   Text(row.FieldDiameter0) + " " + Text(row.FieldDiameter90) + "\n";
    }
    testutil::ExpectMatchesFile("light_tables.txt", out);
}

TEST(LightTables, DamagedRecordsAndBadSizesGiveNoTables) {
    tIES nan = Sampled(1, [](double, double, double) { return 100.0; });
    nan.Candela[1][3] = kNaN;
    for (const tIES& ies : {nan, tIES{}}) {
        EXPECT_TRUE(std::isnan(IlluminanceAt(ies, 3, 0, 0)));
        EXPECT_TRUE(ComputeCone(ies).empty());
        EXPECT_EQ(CandelaCsv(BuildCandelaTable(ies, true)) + ZonalCsv(ComputeZonal(ies)) +
                      IsoluxCsv(ComputeIlluminanceGrid(ies, 3, 10)),
                  "");
    }
    const tIES good = Sampled(1, [](double, double, double) { return 100.0; });
    for (double bad : {0.0, -1.0, kNaN, std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(ComputeIlluminanceGrid(good, bad, 10).Valid);
        EXPECT_FALSE(ComputeIlluminanceGrid(good, 3, bad).Valid);
    }
    for (auto [asked, made] : {std::pair{-5, 3}, {4, 5}, {11, 11}, {1000, 401}})
        EXPECT_EQ(ComputeIlluminanceGrid(good, 3, 10, asked).Count, made);
}

} // namespace
} // namespace gonilux
