// The LM-63-2002 writer: its layout, its number text, and that the reader gets back exactly
// the record written, for our samples, the real IES files and records built to hit the edges.
#include "photometry/file_io.h"
#include "photometry/header_titles.h"
#include "photometry/ies_reader.h"
#include "photometry/ies_writer.h"
#include "test_util.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace gonilux {
namespace {

namespace fs = std::filesystem;
using testutil::ExpectSameRecord;
using testutil::MakeRecord;
using testutil::NumberedTable;
using testutil::SameBits;

tIES ReadBack(const std::string& text, ParseResult* parsed = nullptr) {
    tIES back;
    ParseResult result = ParseIes(text, back);
    EXPECT_FALSE(result.Diagnostics.HeaderError) << "line " << result.Diagnostics.HeaderErrorLine;
    if (parsed) *parsed = std::move(result);
    return back;
}

std::vector<std::string> Titles(std::vector<std::string> values) {
    values.resize(TitleCount);
    return values;
}

// ---------------------------------------------------------------------------------------------
// Number text

TEST(IesWriter, NumbersReadBackExactly) {
    const double values[] = {0.0,
                             -0.0,
                             47.6,
                             0.1 + 0.2,
                             -123.456,
                             1.0 / 3,
                             65535,
                             1e300,
                             -1e-7,
                             5e-324,
                             2.2250738585072014e-308,
                             1e15,
                             1e-5,
                             123456789012345678.0,
                             std::numeric_limits<double>::max()};
    for (double v : values) {
        const std::string text = ExactIesNumber(v);
        double back = 1;
        ASSERT_TRUE(ConvertToken(text, back)) << text;
        EXPECT_TRUE(SameBits(back, v)) << text;
        EXPECT_EQ(text.find_first_of(", "), std::string::npos) << text;
    }
}

TEST(IesWriter, NumbersUseTheUsualTextWhereItIsExact) {
    const std::pair<double, const char*> cases[] = {
        {0, "0"},         {-0.0, "-0"},     {47.6, "47.6"},
        {65535, "65535"}, {-0.25, "-0.25"}, {0.001, "0.001"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(ExactIesNumber(value), text);
}

// ---------------------------------------------------------------------------------------------
// Layout

TEST(IesWriter, WritesAnLm63_2002FileWithTheNonEmptyTitles) {
    tIES ies = MakeRecord(1, {0, 30, 60, 90}, {0, 90}, NumberedTable(2, 4));
    const std::vector<std::string> titles =
        Titles({"", "a.ldt", "R-7", "ACME [EU]", "", "P-1\tslim", " ", "LC-9"});
    const std::string text = BuildIesText(ies, titles);
    const std::vector<std::string> lines = SplitLines(text);
    const std::vector<std::string> head(lines.begin(), lines.begin() + 7);
    const std::vector<std::string> expected = {
        "IESNA:LM-63-2002", "[TEST] R-7", "[MANUFAC] ACME (EU)",   "[LUMCAT] P-1 slim",
        "[LAMPCAT] LC-9",   "TILT=NONE",  "1 1000 1 4 2 1 2 0 0 0"};
    EXPECT_EQ(head, expected);
    EXPECT_EQ(lines[7], "1 1 36");
    // Every line ends in CR LF and nothing else breaks a line.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'),
              std::count(text.begin(), text.end(), '\r'));
    EXPECT_EQ(text.find("\r\r"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

    ParseResult parsed;
    ReadBack(text, &parsed);
    TiesData entry = CreateIesData("a.ldt");
    ExtractTitles(entry, "a.ldt", parsed.HeaderText);
    EXPECT_EQ(entry.Lines, Titles({"", "a.ldt", "R-7", "ACME (EU)", "", "P-1 slim", "", "LC-9"}));
}

TEST(IesWriter, LongListsAreWrappedAt60Characters) {
    tArrEx vert;
    for (int i = 0; i <= 180; ++i)
        vert.push_back(i + 0.123456789);
    tIES ies = MakeRecord(1, vert, {0}, {vert});
    const std::vector<std::string> lines = SplitLines(BuildIesText(ies, Titles({})));
    EXPECT_GT(lines.size(), 10u);
    for (const std::string& line : lines)
        EXPECT_LE(line.size(), 60u) << line;
    ExpectSameRecord(ReadBack(BuildIesText(ies, Titles({}))), ies, "wrapped");
}

// ---------------------------------------------------------------------------------------------
// Round trips

struct RecordCase {
    const char* Name;
    tIES Ies;
};

std::vector<RecordCase> EdgeRecords() {
    std::vector<RecordCase> cases;
    auto add = [&cases](const char* name, auto change) {
        tIES ies = MakeRecord(1, {0, 45, 90}, {0, 90, 180}, NumberedTable(3, 3));
        change(ies);
        cases.push_back({name, ies});
    };
    add("plain", [](tIES&) {});
    add("seventeen digits", [](tIES& i) {
        i.Candela[1][1] = 0.1 + 0.2;
        i.Multiplier = 1.0 / 3;
    });
    add("negative zero and tiny values", [](tIES& i) {
        i.Candela[0][0] = -0.0;
        i.Candela[0][1] = 5e-324;
        i.Width = -1e-310;
    });
    add("huge values", [](tIES& i) {
        i.Candela[2][2] = 1.7e308;
        i.LumensPerLamp = 1e300;
        i.Multiplier = 2;
    });
    add("16-bit maxima", [](tIES& i) {
        i.LampCount = 65535;
        i.InputWatts = 65535;
    });
    add("absolute photometry", [](tIES& i) {
        i.LumensPerLamp = -1;
        i.Multiplier = 1;
    });
    add("lumens 1000 with multiplier 1", [](tIES& i) {
        i.LumensPerLamp = 1000;
        i.Multiplier = 1;
    });
    add("normalised lumens", [](tIES& i) {
        i.LumensPerLamp = 500;
        i.Multiplier = 0.5;
    });
    add("no lumens, multiplier 1", [](tIES& i) {
        i.LumensPerLamp = 0;
        i.Multiplier = 1;
    });
    add("round opening in feet", [](tIES& i) {
        i.Width = -0.5;
        i.Length = 0;
        i.Height = 0.2;
        i.UnitsType = 1;
    });
    add("type B, negative angles", [](tIES& i) {
        i.PhotometricType = 2;
        i.VertAngles = {-90, 0, 90};
        i.HorzAngles = {-45, 0, 45};
    });
    add("single plane", [](tIES& i) {
        i.HorzAngles = {0};
        i.HorzCount = 1;
        i.Candela.resize(1);
    });
    add("empty table", [](tIES& i) {
        i.VertAngles.clear();
        i.HorzAngles.clear();
        i.Candela.clear();
        i.VertCount = i.HorzCount = 0;
    });
    return cases;
}

TEST(IesWriter, EdgeRecordsReadBackBitForBit) {
    for (const RecordCase& c : EdgeRecords()) {
        const std::string text = BuildIesText(c.Ies, Titles({"", "x.ies", "T"}));
        ExpectSameRecord(ReadBack(text), c.Ies, c.Name);
    }
}

// The reader divides the values by lumens / 1000 when the multiplier is 1 and the lumens are
// neither 1000 nor absent. Files written that way still read back to the record they gave.
TEST(IesWriter, RecordsTheReaderNormalisedReadBackUnchanged) {
    const char* counts[] = {"1 500 1", "1 1000 1", "1 -1 1", "3 750 1.5", "1 0.001 1"};
    for (const char* count : counts) {
        const std::string file = std::string("IESNA:LM-63-2002\r\nTILT=NONE\r\n") + count +
                                 " 3 2 1 2 0.1 0.2 0\r\n1 1 20\r\n0 45 90\r\n0 90\r\n"
                                 "310.7 220.3 0.1\r\n300 200.25 0.3\r\n";
        tIES first = ReadBack(file);
        ExpectSameRecord(ReadBack(BuildIesText(first, Titles({}))), first, count);
    }
}

// The one record no reader gives: multiplier 1 beside 500 lm lamps. It is written as it stands;
// reading normalises it, keeping candela = value x multiplier.
TEST(IesWriter, UnnormalisedRecordReadsBackNormalised) {
    tIES ies = MakeRecord(1, {0, 90}, {0}, {{100, 50}});
    ies.LumensPerLamp = 500;
    tIES back = ReadBack(BuildIesText(ies, Titles({})));
    EXPECT_EQ(back.Multiplier, 0.5);
    EXPECT_EQ(back.Candela[0], (tArrEx{200, 100}));
}

TEST(IesWriter, RaggedRowsArePaddedWithZeros) {
    tIES ies = MakeRecord(1, {0, 45, 90}, {0, 90}, {{1, 2}, {3, 4, 5, 6}});
    tIES back = ReadBack(BuildIesText(ies, Titles({})));
    EXPECT_EQ(back.Candela, (tArrEx2{{1, 2, 0}, {3, 4, 5}}));
}

// Titles as they read back: control characters are blanks, square brackets round ones.
std::vector<std::string> Expected(std::vector<std::string> titles) {
    for (std::string& t : titles) {
        for (char& c : t)
            if (static_cast<unsigned char>(c) < ' ' || c == '\x7F')
                c = ' ';
            else if (c == ']')
                c = ')';
        const std::size_t a = t.find_first_not_of(' '), b = t.find_last_not_of(' ');
        t = a == std::string::npos ? std::string() : t.substr(a, b - a + 1);
    }
    return titles;
}

TEST(IesWriter, EverySampleAndRealIesFileReadsBackTheSame) {
    std::vector<fs::path> files = testutil::FilesIn(GONILUX_SAMPLES_DIR);
    const std::vector<fs::path> real =
        testutil::FilesIn(fs::path(GONILUX_TESTDATA_DIR) / "ies-real");
    files.insert(files.end(), real.begin(), real.end());
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        TiesData entry = CreateIesData(file.filename().string());
        ASSERT_TRUE(LoadIesEntry(entry, file.string())) << file;
        ParseResult parsed;
        tIES back = ReadBack(BuildIesText(entry.Ies, entry.Lines), &parsed);
        ExpectSameRecord(back, entry.Ies, file.filename().string());
        TiesData again = CreateIesData(file.filename().string());
        ExtractTitles(again, file.string(), parsed.HeaderText);
        for (int i = TitleTest; i < TitleCount; ++i)
            EXPECT_EQ(again.Lines[std::size_t(i)], Expected(entry.Lines)[std::size_t(i)])
                << file.filename() << " title " << i;
    }
}

} // namespace
} // namespace gonilux
