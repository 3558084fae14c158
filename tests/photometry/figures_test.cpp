// One definition per figure: the same light stored in another way gives the same beam and field
// angles; the area average of an isolux floor, absolute EULUMDAT files and files that end early.
#include "photometry/file_io.h"
#include "photometry/ies_reader.h"
#include "photometry/ies_writer.h"
#include "photometry/ldt_reader.h"
#include "photometry/ldt_writer.h"
#include "photometry/light_tables.h"
#include "photometry/metrics.h"
#include "photometry/resample.h"
#include "test_util.h"

#include <numbers>

namespace gonilux {
namespace {

using testutil::MakeRecord;
using testutil::Steps;

constexpr double kPi = std::numbers::pi;

double Cos(double degrees) {
    return std::cos(degrees * kPi / 180);
}

// Full angle at which cos^n falls to the share p.
double Spread(double n, double p) {
    return 2 * std::acos(std::pow(p, 1 / n)) * 180 / kPi;
}

// A type B floodlight aimed at the horizon, I = 1000 cos^nV(V) cos^nH(H).
tIES TypeBFlood(double nV, double nH) {
    const tArrEx vert = Steps(-90, 90, 2.5), horz = Steps(0, 90, 2.5);
    tArrEx2 table;
    for (double h : horz) {
        table.emplace_back();
        for (double v : vert)
            table.back().push_back(1000 * std::pow(Cos(v), nV) * std::pow(Cos(h), nH));
    }
    tIES ies = MakeRecord(2, vert, horz, table);
    return ies;
}

tIES ReadLdt(const std::string& text) {
    tIES ies;
    ParseLdt(text, "x.ldt", ies);
    return ies;
}

tIES ReadIes(const std::string& text) {
    tIES ies;
    ParseIes(text, ies);
    return ies;
}

const std::vector<std::string> kTitles{"", "x.ies", "", "", "", "", "", ""};

// The same light as type B, re-sampled type C, EULUMDAT and the IES written from that: one pair
// of beam and field angles, in the vertical plane through the peak and the plane across it.
TEST(Figures, SameLightGivesSameAngles) {
    const tIES flood = TypeBFlood(60, 8);
    const tIES resampled = ResampleToTypeC(flood);
    const tIES ldt = ReadLdt(BuildLdtText(flood, kTitles, "x.ldt").Text);
    const tIES ies = ReadIes(BuildIesText(ldt, kTitles));
    const double expected[] = {Spread(60, 0.5), Spread(60, 0.1), Spread(8, 0.5), Spread(8, 0.1)};
    for (const tIES* record : {&flood, &resampled, &ldt, &ies}) {
        const tMetrics m = ComputeMetrics(*record);
        const double actual[] = {m.Spread0.Beam, m.Spread0.Field, m.Spread90.Beam,
                                 m.Spread90.Field};
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_NEAR(actual[i], expected[i], 0.6)
                << "type " << record->PhotometricType << " figure " << i;
        EXPECT_FALSE(m.SpreadPlanes.Vertical);
        EXPECT_EQ(SpreadPlaneName(m.SpreadPlanes, 0), "C0-C180");
        EXPECT_EQ(SpreadPlaneName(m.SpreadPlanes, 1), "\u22A5 C0-C180");
        EXPECT_NEAR(BeamAngle(m), Spread(8, 0.5), 0.6);
        EXPECT_NEAR(FieldAngle(m), Spread(8, 0.1), 0.6);
    }
}

// Type C beams pointing anywhere: straight up with a weaker downward lobe (the beam is about the
// zenith, never the whole circle), and tilted to gamma 60 in C30 (the planes follow the peak).
TEST(Figures, BeamIsMeasuredAboutThePeak) {
    const tArrEx vert = Steps(0, 180, 1), horz = Steps(0, 355, 5);
    struct Case {
        double Gamma, Plane, Lobe; // the peak's direction, the downward lobe's share
        const char* First;
        const char* Second;
    };
    for (const Case& c : {Case{180, 0, 0.7, "C0-C180", "C90-C270"},
                          Case{60, 30, 0, "C30-C210", "\u22A5 C30-C210"}}) {
        tArrEx2 table;
        for (double h : horz) {
            table.emplace_back();
            for (double v : vert) {
                // cos of the angle between (h, v) and the peak's direction
                const double a = v * kPi / 180, b = c.Gamma * kPi / 180;
                const double d = (h - c.Plane) * kPi / 180;
                const double cosine =
                    std::sin(a) * std::sin(b) * std::cos(d) + std::cos(a) * std::cos(b);
                const double lobe = c.Lobe * std::pow(std::max(0.0, Cos(v)), 2);
                table.back().push_back(1000 * std::pow(std::max(0.0, cosine), 20) + 1000 * lobe);
            }
        }
        const tMetrics m = ComputeMetrics(MakeRecord(1, vert, horz, table));
        EXPECT_NEAR(m.Spread0.Beam, Spread(20, 0.5), 0.2) << c.First;
        EXPECT_NEAR(m.Spread90.Beam, Spread(20, 0.5), 0.2) << c.Second;
        EXPECT_NEAR(m.Spread0.Field, Spread(20, 0.1), 0.2) << c.First;
        EXPECT_NEAR(m.Spread0.Axis, c.Gamma, 1e-9);
        EXPECT_EQ(SpreadPlaneName(m.SpreadPlanes, 0), c.First);
        EXPECT_EQ(SpreadPlaneName(m.SpreadPlanes, 1), c.Second);
    }
}

// An isotropic source over a square: the average is the flux on the square over its area,
// I * solid angle / area, whatever grid a table or chart draws; the maximum is right below.
TEST(Figures, IsoluxAverageIsOverTheArea) {
    const tIES point = MakeRecord(1, Steps(0, 180, 5), {0}, {tArrEx(37, 1000.0)});
    const double h = 3, a = 5; // a: half the side
    const double solid = 4 * std::atan(a * a / (h * std::sqrt(2 * a * a + h * h)));
    const double average = 1000 * solid / (4 * a * a);
    for (int count : {11, 21, 101}) {
        const IlluminanceGrid grid = ComputeIlluminanceGrid(point, h, 2 * a, count);
        EXPECT_NEAR(grid.Average, average, 1e-4 * average) << count;
        EXPECT_NEAR(grid.Maximum, 1000 / (h * h), 1e-9) << count;
    }
}

// EULUMDAT with a negative lamp count: values in cd/klm of the lamp line's flux, which is the
// luminaire's own; the record is absolute (no lamp flux, no light output ratio).
TEST(Figures, AbsoluteEulumdatTakesTheLampLineFlux) {
    TiesData entry = CreateIesData("sample_17.ldt");
    ASSERT_TRUE(LoadIesEntry(entry, GONILUX_TESTDATA_DIR "/ldt-real/123VincentB-eulumdat-analysis/"
                                                         "sample_17.ldt"));
    const tMetrics m = ComputeMetrics(entry.Ies);
    EXPECT_TRUE(m.Absolute);
    EXPECT_NEAR(m.LuminaireFlux, 611.9, 611.9 * 0.01);
    EXPECT_TRUE(std::isnan(m.LightOutputRatio));
    // Gonilux's own absolute files (-1 lamps, 1000 lm) still read as candela.
    const tIES back = ReadLdt(BuildLdtText(entry.Ies, kTitles, "x.ldt").Text);
    EXPECT_NEAR(ComputeMetrics(back).LuminaireFlux, m.LuminaireFlux, m.LuminaireFlux * 0.01);
}

// A file cut short keeps its values but is damaged, and says how much is missing.
TEST(Figures, FilesThatEndEarlyAreDamaged) {
    const std::string ies = "IESNA:LM-63-2002\r\nTILT=NONE\r\n1 1000 1 3 2 1 2 0 0 0\r\n"
                            "1 1 10\r\n0 45 90\r\n0 90\r\n100 80 10\r\n100 80 10\r\n";
    tIES record;
    EXPECT_FALSE(ParseIes(ies, record).Diagnostics.Damaged());
    const struct {
        std::size_t Cut;
        std::uint64_t Read;
    } cuts[] = {{ies.size() - 11, 8}, {ies.find("0 45"), 0}};
    for (const auto& cut : cuts) {
        const ReadDiagnostics d = ParseIes(ies.substr(0, cut.Cut), record).Diagnostics;
        EXPECT_TRUE(d.Damaged());
        EXPECT_FALSE(d.HeaderError);
        EXPECT_EQ(d.ValuesExpected, 11u);
        EXPECT_EQ(d.ValuesRead, cut.Read);
        EXPECT_EQ(DamageText(d), "ends after " + std::to_string(cut.Read) + " of 11 values");
    }
    const std::string ldt = BuildLdtText(ReadIes(ies), kTitles, "x.ldt").Text;
    tIES out;
    EXPECT_FALSE(ParseLdt(ldt, "x.ldt", out).Diagnostics.Damaged());
    const ReadDiagnostics d = ParseLdt(ldt.substr(0, ldt.size() - 8), "x.ldt", out).Diagnostics;
    EXPECT_TRUE(d.Truncated());
    EXPECT_LT(d.ValuesRead, d.ValuesExpected);
}

} // namespace
} // namespace gonilux
