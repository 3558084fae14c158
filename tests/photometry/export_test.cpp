// Writing type B records as type C and rotating records whose planes start at 90 degrees.
#include "photometry/export_text.h"
#include "photometry/ies_reader.h"
#include "test_util.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <locale>
#include <string>
#include <vector>

namespace gonilux {
namespace {

using testutil::ExpectConsistent;
using testutil::JoinLines;
using testutil::MakeRecord;
using testutil::NumberedTable;
using Lines = std::vector<std::string>;

const Lines kNoTitles = {"", "lamp.ies", "", "", "", "", "", ""};
const char* const kConvertedLine =
    "[CHANGED]     (C) Gonilux v2.9 by Kestrin: type B converted to type C";
const char* const kRotatedLine = "[CHANGED]     (C) Gonilux v2.9 by Kestrin: rotated from 90 to 0";

TEST(ExportKind, ChosenByTypeAndFirstPlane) {
    struct Case {
        std::uint16_t type;
        std::vector<double> horz;
        ExportKind kind;
    };
    const Case cases[] = {
        {2, {90, 120}, ExportKind::Conversion},
        {1, {90, 180, 270}, ExportKind::Rotation},
        {3, {90}, ExportKind::Rotation},
        {1, {0, 90}, ExportKind::None},
        {3, {-90, 0, 90}, ExportKind::None},
        {1, {90.000001, 180}, ExportKind::None},
        {1, {}, ExportKind::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.horz) + " type " + std::to_string(c.type));
        const std::size_t rows = c.horz.size();
        EXPECT_EQ(ExportKindOf(MakeRecord(c.type, {0, 90}, c.horz, NumberedTable(rows, 2))),
                  c.kind);
    }
}

TEST(ExportFileName, SuffixGoesBeforeTheLastExtension) {
    struct Case {
        const char* folder;
        const char* name;
        ExportKind kind;
        const char* expected;
    };
    const Case cases[] = {
        {"dir", "a.b.ies", ExportKind::Conversion, "dir/a.b_C.ies"},
        {"dir/", "x_C.ies", ExportKind::Conversion, "dir/x_C_C.ies"},
        {"C:\\data\\", "x.ies", ExportKind::Rotation, "C:\\data\\x_R.ies"},
        {"", "x.ies.old.ies", ExportKind::Conversion, "x.ies.old_C.ies"},
        {"d", "a.iesb.ies", ExportKind::Conversion, "d/a.iesb_C.ies"},
        {"d", "wall.LDT", ExportKind::Rotation, "d/wall_R.ies"},
        {"", "street.ldt", ExportKind::None, "street.ies"},
        {"/tmp/ies.ies", "lamp.ies", ExportKind::Rotation, "/tmp/ies.ies/lamp_R.ies"},
        {"d", "LAMP.IES", ExportKind::Rotation, "d/LAMP_R.IES"},
        {"d", "noext", ExportKind::Conversion, "d/noext_C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(ExportFileName(c.folder, c.name, c.kind), c.expected);
    }
}

TEST(FormatIesNumber, ShortestTextUpToFifteenDigits) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {1000, "1000"},
        {2.5, "2.5"},
        {0.125, "0.125"},
        {0.1, "0.1"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {0.1 + 0.2, "0.3"},
        {-0.5, "-0.5"},
        {0, "0"},
        {3.14159265358979, "3.14159265358979"},
        {123456789012345.0, "123456789012345"},
        {2.5e-5, "0.000025"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatIesNumber(c.value), c.text);
    }
}

TEST(FormatIesNumber, ExtremeValuesReadBackAsTheyWere) {
    const double values[] = {1e-6, -1e-6,  1e20, -3.5e20,       1.5e300, 1e-300,
                             0.1,  98.765, 1e15, 123456.000001, 2.5e-300};
    for (double value : values) {
        const std::string text = FormatIesNumber(value);
        SCOPED_TRACE(text);
        EXPECT_EQ(text.find(','), std::string::npos);
        EXPECT_EQ(text.find(' '), std::string::npos);
        double back = -1;
        ASSERT_TRUE(ConvertToken(text, back));
        EXPECT_EQ(back, value);
    }
}

// A C++ locale whose numbers use a decimal comma and digit grouping.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// Number text and the number reader under the locale in force when called.
void ExpectPointTexts() {
    EXPECT_EQ(FormatIesNumber(2.5), "2.5");
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
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE", "German"})
        if (!found && std::setlocale(LC_ALL, name) != nullptr) found = true;
    if (!found) GTEST_SKIP() << "no C locale with a decimal comma installed";
    ExpectPointTexts();
    std::setlocale(LC_ALL, previous.c_str());
}

TEST(WrapNumericLine, CutsAfterTheLastBlankWithinSixtyCharacters) {
    auto repeat = [](const std::string& piece, int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += piece;
        return text;
    };
    EXPECT_EQ(WrapNumericLine(repeat("12345 ", 30)),
              (Lines{repeat("12345 ", 10), repeat("12345 ", 10), repeat("12345 ", 10)}));
    EXPECT_EQ(WrapNumericLine(repeat("1234567 ", 30)),
              (Lines{repeat("1234567 ", 7), repeat("1234567 ", 7), repeat("1234567 ", 7),
                     repeat("1234567 ", 7), repeat("1234567 ", 2)}));
    EXPECT_EQ(WrapNumericLine(repeat("12345 ", 10) + "1"), (Lines{repeat("12345 ", 10), "1"}));
    EXPECT_EQ(WrapNumericLine("0 90 180 270"), (Lines{"0 90 180 270"}));
    EXPECT_EQ(WrapNumericLine(repeat("9", 59) + " "), (Lines{repeat("9", 59) + " "}));
}

// The record of the rotation example: planes 90 and 270, only a manufacturer.
tIES RotationExample() {
    return MakeRecord(1, {0, 90}, {90, 270}, {{100, 50}, {100, 50}});
}

TEST(BuildExportText, RotationExampleLineByLine) {
    const Lines titles = {"", "r.ies", "", "ACME", "", "", "", ""};
    const ExportText out = BuildExportText(RotationExample(), titles);
    ASSERT_TRUE(out.Ok);
    EXPECT_EQ(out.Kind, ExportKind::Rotation);
    const Lines expected = {
        "IESNA91", "[MANUFAC]  ACME", kRotatedLine, "TILT=NONE", "1 1000 1 2 2 1 2 0 0 0",
        "1 1 36",  "0 90 ",           "0 180 ",     "100 50 ",   "100 50 "};
    EXPECT_EQ(out.Lines, expected);
    EXPECT_EQ(out.Text(), JoinLines(expected, "\r\n"));
}

TEST(BuildExportText, RotationKeepsRowsAndWritesTypeC) {
    tIES ies = MakeRecord(3, {0, 30, 60, 90}, {90, 135, 180, 225, 270}, NumberedTable(5, 4));
    ies.Width = 0.5;
    ies.Length = 1.25;
    ies.Height = 0.125;
    ies.UnitsType = 1;
    ies.LampCount = 2;
    const ExportText out = BuildExportText(ies, {});
    ASSERT_TRUE(out.Ok);
    const Lines expected = {"IESNA91",
                            "",
                            kRotatedLine,
                            "TILT=NONE",
                            "2 1000 1 4 5 1 1 0.5 1.25 0.125",
                            "1 1 36",
                            "0 30 60 90 ",
                            "0 45 90 135 180 ",
                            "10 11 12 13 ",
                            "20 21 22 23 ",
                            "30 31 32 33 ",
                            "40 41 42 43 ",
                            "50 51 52 53 "};
    EXPECT_EQ(out.Lines, expected);
}

// Reads the written text back and checks counts against arrays.
tIES ReadBack(const ExportText& out) {
    tIES back;
    const ParseResult result = ParseIes(out.Text(), back);
    EXPECT_FALSE(result.Diagnostics.HeaderError);
    ExpectConsistent(back, "read back");
    return back;
}

struct ConversionCase {
    const char* name;
    std::vector<double> vert;
    std::vector<double> horz;
    Lines tail; // the count line and everything after "1 1 36"
};

TEST(BuildExportText, TypeBConversionCases) {
    const ConversionCase cases[] = {
        {"three planes",
         {-90, -45, 0, 45, 90},
         {0, 45, 90},
         {"1 1000 1 3 3 1 2 0.5 0.6 0", "1 1 36", "0 45 90 ", "0 90 180", "12 13 14 ", "12 22 32 ",
          "12 11 10 "}},
        {"three planes, beam axis not first",
         {-45, 0, 45, 90},
         {-45, 0, 45},
         {"1 1000 1 3 3 1 2 0.5 0.6 0", "1 1 36", "-45 0 45 ", "0 90 180", "21 22 23 ", "11 21 31 ",
          "21 20 "}},
        {"two-sided, four planes",
         {-90, -45, 0, 45, 90},
         {-90, -45, 0, 45, 90},
         {"1 1000 1 3 4 1 2 0.5 0.6 0", "1 1 36", "0 45 90 ", "0 90 180 270", "32 33 34 ",
          "32 42 52 ", "32 31 30 ", "32 22 12 "}},
        {"two planes",
         {0, 45, 90},
         {0, 45, 90},
         {"1 1000 1 3 2 1 2 0.5 0.6 0", "1 1 36", "0 45 90 ", "0 90", "10 11 12 ", "10 20 30 "}},
    };
    const Lines titles = {"", "b.ies", "R-1", "ACME", "Lum", "", "HIT", ""};
    for (const ConversionCase& c : cases) {
        SCOPED_TRACE(c.name);
        tIES ies = MakeRecord(2, c.vert, c.horz, NumberedTable(c.horz.size(), c.vert.size()));
        ies.Width = 0.5;
        ies.Length = 0.6;
        const ExportText out = BuildExportText(ies, titles);
        ASSERT_TRUE(out.Ok);
        EXPECT_EQ(out.Kind, ExportKind::Conversion);
        Lines expected = {"IESNA91",    "[TEST] R-1",   "[MANUFAC]  ACME", "[LUMINAIRE] Lum",
                          "[LAMP] HIT", kConvertedLine, "TILT=NONE"};
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(out.Lines, expected);
        EXPECT_EQ(ReadBack(out).PhotometricType, 1);
    }
}

TEST(BuildExportText, ImpossibleConversionsAreUnexpectedErrors) {
    struct Case {
        const char* name;
        tIES ies;
    };
    const Case cases[] = {
        {"no vertical angle 0", MakeRecord(2, {-90, -45, 45, 90}, {0, 45}, NumberedTable(2, 4))},
        {"no vertical angles", MakeRecord(2, {}, {0, 45, 90}, tArrEx2(3))},
        {"no rows", MakeRecord(2, {-90, 0, 90}, {0, 45, 90}, {})},
        {"no planes", MakeRecord(2, {0, 45, 90}, {}, {})},
        {"two-sided, zero beyond the rows",
         MakeRecord(2, {-90, -60, -30, 0, 30, 60, 90}, {-30, 0, 30}, NumberedTable(3, 7))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ExportText out = BuildExportText(c.ies, kNoTitles);
        EXPECT_FALSE(out.Ok);
    }
}

TEST(BuildExportText, RotationReadsBackWithIdenticalRows) {
    std::vector<double> vert;
    for (int i = 0; i < 30; ++i)
        vert.push_back(3.0 * i);
    tArrEx2 rows(3, tArrEx(30));
    for (std::size_t h = 0; h < rows.size(); ++h) {
        for (std::size_t v = 0; v < 30; ++v) {
            rows[h][v] = 1234.5 + 100.25 * static_cast<double>(h) - 7.125 * static_cast<double>(v);
        }
    }
    tIES ies = MakeRecord(1, vert, {90, 180, 270}, rows);
    ies.LumensPerLamp = 2500;
    ies.Multiplier = 2.5; // as the reader stores a normalised file
    ies.Width = 0.3;
    ies.InputWatts = 150;
    const ExportText out = BuildExportText(ies, {"", "n.ies", "T"});
    ASSERT_TRUE(out.Ok);
    // Numeric lines follow the TILT line; none of them is longer than 60 characters.
    const auto tilt = std::find(out.Lines.begin(), out.Lines.end(), "TILT=NONE");
    ASSERT_NE(tilt, out.Lines.end());
    for (auto line = tilt + 1; line != out.Lines.end(); ++line) {
        EXPECT_LE(line->size(), 60u) << *line;
        EXPECT_EQ(line->find('\r'), std::string::npos);
    }
    EXPECT_GT(out.Lines.size(), 6u + 2u + 3u); // the 30-number lists were wrapped

    const tIES back = ReadBack(out);
    EXPECT_EQ(back.LampCount, 1);
    EXPECT_EQ(back.LumensPerLamp, 2500);
    EXPECT_EQ(back.Multiplier, 2.5);
    EXPECT_EQ(back.Width, 0.3);
    EXPECT_EQ(back.InputWatts, 150);
    EXPECT_EQ(back.PhotometricType, 1);
    EXPECT_EQ(back.VertAngles, vert);
    EXPECT_EQ(back.HorzAngles, (tArrEx{0, 90, 180}));
    EXPECT_EQ(back.Candela, rows);
}

TEST(BuildExportText, FifteenDigitValuesReadBackClosely) {
    tIES ies = MakeRecord(1, {0, 1.0 / 3.0, 90}, {90, 270},
                          {{1.0 / 7.0, 2.0 / 3.0, 1e-7}, {1e20, 0.1 + 0.2, 5.0 / 9.0}});
    const tIES back = ReadBack(BuildExportText(ies, kNoTitles));
    ASSERT_EQ(back.Candela.size(), 2u);
    for (std::size_t h = 0; h < 2; ++h) {
        for (std::size_t v = 0; v < 3; ++v) {
            EXPECT_NEAR(back.Candela[h][v], ies.Candela[h][v],
                        1e-14 * std::fabs(ies.Candela[h][v]));
        }
    }
    EXPECT_NEAR(back.VertAngles[1], 1.0 / 3.0, 1e-15);
}

} // namespace
} // namespace gonilux
