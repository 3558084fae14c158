// Conversions that keep the light: type A and B re-sampled to type C, IES written as EULUMDAT and
// read back, and every header keyword carried into exported files.
#include "photometry/export_text.h"
#include "photometry/file_io.h"
#include "photometry/ldt_reader.h"
#include "photometry/ldt_writer.h"
#include "photometry/metrics.h"
#include "photometry/resample.h"
#include "test_util.h"

#include <cmath>

namespace gonilux {
namespace {

using testutil::MakeRecord;
using testutil::Steps;

// A spot of 1000 cd about the direction (horizontal 30, vertical 40) of its own system, on a
// floor of 10 cd: the peak's place after re-sampling tells which way each type turns.
tIES Spot(std::uint16_t type, double step) {
    const tArrEx horz = Steps(type == 2 ? -90 : -180, type == 2 ? 90 : 180, step);
    const tArrEx vert = Steps(-90, 90, step);
    tArrEx2 table(horz.size(), tArrEx(vert.size()));
    for (std::size_t h = 0; h < horz.size(); ++h)
        for (std::size_t v = 0; v < vert.size(); ++v)
            table[h][v] =
                10 + 990 * std::exp(-(std::pow(horz[h] - 30, 2) + std::pow(vert[v] - 40, 2)) / 200);
    return MakeRecord(type, vert, horz, table);
}

tIES Sample(const char* name, std::vector<std::string>* titles = nullptr) {
    TiesData entry = CreateIesData(name);
    EXPECT_TRUE(LoadIesEntry(entry, std::string(GONILUX_SAMPLES_DIR) + "/" + name)) << name;
    if (titles) *titles = entry.Lines;
    return entry.Ies;
}

TEST(Resample, KeepsTheFluxAndTheSplitAndTurnsEachTypeAboutItsOwnAxis) {
    struct Row {
        tIES Source;
        double PeakC, PeakGamma; // where the peak lands in type C
    } rows[] = {
        {Spot(2, 2), 37, 124}, // B: (cos H cos V, sin H, cos H sin V)
        {Spot(3, 2), 30, 130}, // A: (cos V cos H, cos V sin H, sin V)
        {Sample("floodlight_b_one_sided.ies"), -1, -1},
        {Sample("floodlight_b_two_sided.ies"), -1, -1},
        {Sample("sign_light_a.ies"), -1, -1},
    };
    for (const Row& row : rows) {
        const tMetrics before = ComputeMetrics(row.Source);
        const tIES c = ResampleToTypeC(row.Source);
        const tMetrics after = ComputeMetrics(c);
        ASSERT_TRUE(before.Valid && after.Valid);
        EXPECT_NEAR(after.LuminaireFlux / before.LuminaireFlux, 1, 0.005);
        EXPECT_NEAR(after.UpwardFraction, before.UpwardFraction, 0.005);
        EXPECT_EQ(c.PhotometricType, 1);
        EXPECT_EQ(c.HorzAngles.back(), 360);
        EXPECT_EQ(c.VertAngles.back(), 180);
        if (row.PeakC < 0) continue;
        EXPECT_NEAR(after.MaxHorzAngle, row.PeakC, 2.5);
        EXPECT_NEAR(after.MaxVertAngle, row.PeakGamma, 2.5);
    }
    // The grid is as fine as the source's finest step, and never coarser than 5 and 2.5.
    EXPECT_EQ(ResampleGridFor(Spot(2, 1)).PlaneStep, 1);
    EXPECT_EQ(ResampleGridFor(Spot(2, 10)).PlaneStep, 5);
    EXPECT_EQ(ResampleGridFor(Spot(2, 10)).VertStep, 2.5);
}

TEST(LdtWriter, ReadsBackWithTheSameLightTitlesAndSymmetry) {
    const struct {
        const char* Name;
        int Symmetry;
        bool Resampled; // not type C, or planes 22, 45, 68 ... not evenly spaced
    } rows[] = {{"downlight_c_quarter.ies", 4, false},   {"street_light_c_90_270.ies", 3, false},
                {"troffer_batwing_c_half.ies", 2, true}, {"globe_pendant_c_single.ies", 1, false},
                {"track_spot_c_full.ies", 0, false},     {"led_panel_absolute.ies", 4, false},
                {"floodlight_b_one_sided.ies", 0, true}, {"sign_light_a.ies", 0, true}};
    for (const auto& row : rows) {
        std::vector<std::string> titles;
        const tIES source = Sample(row.Name, &titles);
        const LdtText text = BuildLdtText(source, titles, "x.ldt");
        ASSERT_TRUE(text.Ok) << row.Name;
        EXPECT_EQ(text.Symmetry, row.Symmetry) << row.Name;
        EXPECT_EQ(text.Resampled, row.Resampled) << row.Name;
        tIES back;
        const LdtParseResult read = ParseLdt(text.Text, "x.ldt", back);
        EXPECT_FALSE(read.Diagnostics.HeaderError) << row.Name;
        for (int t :
             {TitleTest, TitleManufacturer, TitleLuminaire, TitleLuminaireCatalog, TitleLamp})
            EXPECT_EQ(read.Titles[t], titles[t]) << row.Name;
        const tMetrics a = ComputeMetrics(source), b = ComputeMetrics(back);
        EXPECT_NEAR(b.LuminaireFlux / a.LuminaireFlux, 1, text.Resampled ? 0.005 : 0.001);
        EXPECT_EQ(b.Absolute, a.Absolute) << row.Name;
        // Line 23, the light output ratio: 100 % for absolute photometry.
        std::string line23 = text.Text;
        for (int n = 1; n < 23; ++n)
            line23.erase(0, line23.find('\n') + 1);
        line23.resize(line23.find('\r'));
        EXPECT_NEAR(std::stod(line23), a.Absolute ? 100 : 100 * a.LightOutputRatio, 0.5);
        if (text.Resampled) continue;
        // Every stored direction of the copy has the source's intensity, to six digits.
        for (std::size_t h = 0; h < back.HorzAngles.size(); ++h)
            for (std::size_t v = 0; v < back.VertAngles.size(); ++v) {
                const double want = IntensityAt(source, back.HorzAngles[h], back.VertAngles[v]);
                EXPECT_NEAR(back.Candela[h][v] * back.Multiplier, want * source.Multiplier,
                            1e-5 * a.MaxIntensity + 1e-9)
                    << row.Name << " C" << back.HorzAngles[h] << " G" << back.VertAngles[v];
            }
    }
}

// Every line of files written from records built here: sizes in millimetres (feet converted, a
// round area as its diameter), the lamp line negative for absolute photometry, six significant
// digits and no exponents, and the planes each symmetry stores.
TEST(LdtWriter, WritesTheListedLines) {
    tIES relative = MakeRecord(1, {0, 90, 180}, Steps(0, 270, 90),
                               {{300, 60, 6}, {200, 40, 4}, {100, 20, 2}, {200, 40, 4}});
    relative.UnitsType = 1, relative.Width = 0.5, relative.Length = 2, relative.Height = 0.25;
    relative.LampCount = 2, relative.Multiplier = 2, relative.ExactInputWatts = 36.5;
    tIES absolute = MakeRecord(1, {90, 180}, {0, 180}, {{50, 10}, {40, 10}});
    absolute.LumensPerLamp = -1, absolute.Width = -0.2, absolute.Height = 0.1;
    absolute.ExactInputWatts = 0, absolute.InputWatts = 20;
    tIES single = MakeRecord(1, Steps(0, 180, 30), {0}, {{1234567, 0.5, 1e-5, 1e-9, 2e-10, 0, 0}});
    single.Length = 0.3, single.ExactInputWatts = 0.5, single.InputWatts = 1;
    const std::vector<std::string> titles = {"", "f.ies", "T-1", "ACME", "Lum", "Cat", "Lamp"};
    const struct {
        const tIES& Source;
        std::vector<std::string> Titles;
        const char* Lines;
    } rows[] = {
        {relative, titles,
         "ACME|3|2|4|90|3|90|T-1|Lum|Cat|x.ldt|@|609.6|152.4|76.2|609.6|"
         "152.4|76.2|76.2|76.2|76.2|78.4755|78.577|1|0|1|2|Lamp|2000|||36.5|0|0|0|0|0|0|0|0|0|0|"
         "0|90|180|270|0|90|180|300|60|6|200|40|4|100|20|2|"},
        {absolute,
         {},
         "|3|2|2|180|2|90||||x.ldt|@|200|0|100|200|0|100|100|100|100|0|"
         "100|1|0|1|-1||1000|||20|0|0|0|0|0|0|0|0|0|0|0|180|90|180|50|10|40|10|"},
        {single, titles,
         "ACME|1|1|1|0|7|30|T-1|Lum|Cat|x.ldt|@|300|0|0|300|0|0|0|0|0|100|"
         "34961.2|1|0|1|1|Lamp|1000|||0.5|0|0|0|0|0|0|0|0|0|0|0|0|30|60|90|120|150|180|1234567|"
         "0.5|0.000010000|0.000000001|0|0|0|"}};
    for (const auto& row : rows) {
        std::string text = BuildLdtText(row.Source, row.Titles, "x.ldt").Text;
        text.replace(text.find(kLdtAuthorField), kLdtAuthorField.size(), "@");
        for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
            text.replace(at, 2, "|");
        EXPECT_EQ(text, row.Lines);
    }
}

TEST(LdtWriter, PlanesThatDoNotDivideTheCircleAreResampled) {
    const struct {
        tArrEx Planes;
        bool Resampled;
        const char* PlaneCount;
    } rows[] = {{Steps(0, 350, 7), true, "72"},
                {Steps(5, 355, 10), true, "72"},
                {Steps(0, 359, 1), false, "360"}};
    for (const auto& row : rows) {
        const tArrEx2 table(row.Planes.size(), {9, 5, 1});
        const LdtText text = BuildLdtText(MakeRecord(1, {0, 90, 180}, row.Planes, table), {}, "x");
        EXPECT_TRUE(text.Ok && text.Resampled == row.Resampled && text.Symmetry == 1)
            << row.Planes[1];
        EXPECT_EQ(testutil::Split(text.Text, '\n').at(3), row.PlaneCount + std::string("\r"));
    }
}

TEST(LdtWriter, SymmetryIsFoundWithinAThousandthOfThePeak) {
    const tArrEx a{1, 2}, b{1, 3}, c{1, 4}, d{1, 5}, a2{1, 2.001};
    EXPECT_EQ(FindLdtSymmetry({a, a2, a, a}, 0.002), 1);
    EXPECT_EQ(FindLdtSymmetry({a, a2, a, a}, 0.0005), 3);
    EXPECT_EQ(FindLdtSymmetry({a, b, a, b}, 0.002), 4);
    EXPECT_EQ(FindLdtSymmetry({a, b, c, b}, 0.002), 2); // C90 = C270
    EXPECT_EQ(FindLdtSymmetry({a, b, a, c}, 0.002), 3); // C0 = C180
    EXPECT_EQ(FindLdtSymmetry({a, b, c, d}, 0.002), 0);
    EXPECT_EQ(FindLdtSymmetry({a, b, c}, 0.002), 0);
    EXPECT_EQ(FindLdtSymmetry({a, b, c, d, c, b}, 0.002), 2);
    EXPECT_EQ(FindLdtSymmetry({a, b, a, b}, 0), 4); // exactly alike
    EXPECT_EQ(FindLdtSymmetry({{1, 1}, {2, 1}, {1, 1}, {2, 1}}, 0.002), 4);
    // A thousandth of the peak also when every value is below 1 (a large multiplier).
    const tArrEx faintA{0.5, 0.1}, faintB{0.5, 0.1007};
    const tIES faint = MakeRecord(1, {0, 90}, Steps(0, 270, 90), {faintA, faintB, faintA, faintB});
    EXPECT_EQ(BuildLdtText(faint, {}, "x.ldt").Symmetry, 4);
    const tArrEx nearA{0.5, 0.1004}; // within a thousandth of the peak: all planes alike
    EXPECT_EQ(
        BuildLdtText(MakeRecord(1, {0, 90}, Steps(0, 270, 90), {faintA, nearA, faintA, nearA}), {},
                     "x.ldt")
            .Symmetry,
        1);
    EXPECT_EQ(LdtExportFileName("/x/", "a.b.ies"), "/x/a.b.ldt");
    EXPECT_EQ(LdtExportFileName("", "noext"), "noext.ldt");
    EXPECT_EQ(LdtExportFileName("", "a.ies"), "a.ldt");
    EXPECT_EQ(LdtExportFileName("/x.y/", "noext"), "/x.y/noext.ldt");
}

TEST(ExportKeywords, EveryKeywordLineOfTheSourceIsCarriedOverOnce) {
    const std::string text =
        "IESNA:LM-63-2002\r\n[TEST] T1\r\n[MANUFAC] ACME\r\n[LUMINAIRE] Flood\r\n[MORE] second "
        "line\r\n[OTHER] mounting height 8 m\r\n[more] of it\r\n  [BALLAST] B-1\r\n"
        "[CHANGED]     (C) Gonilux v2.9 by Kestrin: type B converted to type C\r\n"
        "free text\r\nTILT=NONE\r\n[NOT] a header line\r\n";
    const std::vector<std::string> keywords = HeaderKeywordLines(text);
    ASSERT_EQ(keywords.size(), 8u);
    std::vector<std::string> titles(TitleCount);
    titles[TitleTest] = "T1";
    titles[TitleManufacturer] = "ACME";
    titles[TitleLuminaire] = "Flood";
    const tIES b = MakeRecord(2, {-90, 0, 90}, {0, 90}, {{1, 2, 3}, {4, 5, 6}});
    for (const ExportText& out :
         {BuildExportText(b, titles, keywords), BuildResampledText(b, titles, keywords)}) {
        ASSERT_TRUE(out.Ok);
        const std::vector<std::string> head(out.Lines.begin() + 1, out.Lines.begin() + 10);
        EXPECT_EQ(head, (std::vector<std::string>{
                            "[TEST] T1", "[MANUFAC]  ACME", "[LUMINAIRE] Flood",
                            "[MORE] second line", ChangedLine(out.Kind),
                            "[OTHER] mounting height 8 m", "[more] of it", "  [BALLAST] B-1",
                            out.Kind == ExportKind::Conversion ? "TILT=NONE" : keywords[7]}));
    }
}

} // namespace
} // namespace gonilux
