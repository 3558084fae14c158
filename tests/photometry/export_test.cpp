// Writing type B records as type C and rotating records whose planes start at 90 degrees: the
// file name, the number text and the whole text written.
#include "photometry/export_text.h"
#include "photometry/ies_reader.h"
#include "test_util.h"

#include <clocale>
#include <gtest/gtest.h>
#include <limits>
#include <locale>
#include <string>
#include <vector>

namespace gonilux {
namespace {

using testutil::MakeRecord;
using testutil::NumberedTable;

TEST(ExportFileName, SuffixGoesBeforeTheLastExtension) {
    const std::pair<std::string, const char*> cases[] = {
        {ExportFileName("dir", "a.b.ies", ExportKind::Conversion), "dir/a.b_C.ies"},
        {ExportFileName("dir/", "x_C.ies", ExportKind::Conversion), "dir/x_C_C.ies"},
        {ExportFileName("C:\\data\\", "x.ies", ExportKind::Rotation), "C:\\data\\x_R.ies"},
        {ExportFileName("", "sub/x.ies.old.ies", ExportKind::Conversion), "x.ies.old_C.ies"},
        {ExportFileName("d", "wall.LDT", ExportKind::Rotation), "d/wall_R.ies"},
        {ExportFileName("", "street.ldt", ExportKind::None), "street.ies"},
        {ExportFileName("/tmp/ies.ies", "lamp.ies", ExportKind::Rotation),
         "/tmp/ies.ies/lamp_R.ies"},
        {ExportFileName("d", "LAMP.IES", ExportKind::Rotation), "d/LAMP_R.IES"},
        {ExportFileName("d", "noextldt", ExportKind::Conversion), "d/noextldt_C"}};
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(name, expected);
}

TEST(FormatIesNumber, ShortestTextUpToFifteenDigitsWithAPoint) {
    std::string texts;
    for (double value :
         {1000.0, 0.125, 1.0 / 3, 2.0 / 3, 0.1 + 0.2, -0.5, 0.0, -0.0, 123456789012345.0, 1e15,
          1e-5, -2.5e-5, 1e-6, -3.5e20, 1.5e300, 2.5e-300, 1234567.25,
          std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        texts += FormatIesNumber(value) + " ";
    EXPECT_EQ(texts, "1000 0.125 0.333333333333333 0.666666666666667 0.3 -0.5 0 0 123456789012345 "
                     "1e+15 0.00001 -0.000025 1e-06 -3.5e+20 1.5e+300 2.5e-300 1234567.25 0 0 ");
}

// A C++ locale whose numbers use a decimal comma and digit grouping.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

void ExpectPointTexts() {
    EXPECT_EQ(FormatIesNumber(1234567.25), "1234567.25");
    double point = 0;
    EXPECT_TRUE(ConvertToken("2.5", point));
    EXPECT_EQ(point, 2.5);
}

TEST(FormatIesNumber, PointWhateverTheGlobalLocale) {
    const std::locale previous = std::locale::global(std::locale(std::locale(), new CommaPunct));
    ExpectPointTexts();
    std::locale::global(previous);
}

TEST(FormatIesNumber, PointWhateverTheCLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    bool found = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"})
        found = found || std::setlocale(LC_ALL, name) != nullptr;
    if (!found) GTEST_SKIP() << "needs a decimal-comma locale";
    ExpectPointTexts();
    std::setlocale(LC_ALL, previous.c_str());
}

// The kind, the outcome and the whole text written for type B records laid out in every way
// the converter knows, for rotated records and for records nothing can be written for.
TEST(BuildExportText, WritesTheKindsTextOrNothing) {
    const std::tuple<std::uint16_t, tArrEx, tArrEx, std::size_t> cases[] = {
        {2, {-90, -45, 0, 45, 90}, {0, 45, 90}, 5},
        {2, {-45, 0, 45, 90}, {-45, 0, 45}, 4},
        {2, {-90, -45, 0, 45, 90}, {-90, -45, 0, 45, 90}, 5}, // two-sided
        {2, {0, 45, 90}, {45, 0, 90}, 3},
        {2, {0, 90}, {90, 120}, 2},
        {3, {0, 30, 60, 90}, {90, 135, 180, 225, 270}, 4},
        {1, {0, 90}, {90, 270}, 2},
        {1, {0, 90}, {0, 90}, 2},
        {3, {0, 90}, {-90, 0, 90}, 2},
        {1, {0, 90}, {90.000001, 180}, 2},
        {1, {0, 90}, {}, 2},
        {2, {-90, -45, 45, 90}, {0, 45}, 4}, // no vertical angle 0
        {2, {}, {0, 45, 90}, 0},
        {2, {-90, 0, 90}, {0, 45, 90}, 2}, // short rows
        {2, {0, 45, 90}, {}, 3},
        {2, {-90, -60, -30, 0, 30, 60, 90}, {-30, 0, 30}, 7}, // beam axis beyond the planes
    };
    std::string listing;
    for (const auto& [type, vert, horz, columns] : cases) {
        tIES ies = MakeRecord(type, vert, horz, NumberedTable(horz.size(), columns));
        ies.Width = 0.5;
        ies.Length = 1.25;
        ies.LumensPerLamp = 2500;
        ies.Multiplier = 2.5;
        const ExportText out = BuildExportText(ies, {"", "b.ies", "R-1", "ACME", "Lum", "", "HIT"});
        EXPECT_EQ(out.Kind, ExportKindOf(ies));
        EXPECT_EQ(out.Ok, !out.Lines.empty());
        listing += "type " + std::to_string(type) + " " + ::testing::PrintToString(vert) + " x " +
                   ::testing::PrintToString(horz) + ": kind " + std::to_string(int(out.Kind)) +
                   (out.Ok ? "\n" : ", nothing written\n") + out.Text();
    }
    testutil::ExpectMatchesFile("export.txt", listing);
}

} // namespace
} // namespace gonilux
