// The LM-63-2002 writer: its whole text, its number text, and that the reader gets back exactly
// the record written.
#include "photometry/export_text.h"
#include "photometry/ies_reader.h"
#include "photometry/ies_writer.h"
#include "test_util.h"

namespace gonilux {
namespace {

using testutil::Dump;
using testutil::MakeRecord;
using testutil::NumberedTable;

tIES ReadBack(const std::string& text) {
    tIES back;
    EXPECT_FALSE(ParseIes(text, back).Diagnostics.HeaderError) << text;
    return back;
}

// Number text of exported files (at most fifteen digits, a point, no exponent between 1e-5 and
// 1e15) and of IES text (that text where it reads back exactly, else the shortest exact one).
TEST(IesWriter, NumberTextsAreTheListedOnes) {
    std::string texts;
    for (const std::string& token : testutil::Split(
             "1000 0.125 0.3333333333333333 0.6666666666666666 0.30000000000000004 -0.5 0 -0 "
             "123456789012345 1e15 1e-5 -2.5e-5 1e-6 -1e-7 -3.5e20 1.5e300 2.5e-300 1234567.25 "
             "47.6 65535 5e-324 123456789012345678 1.7976931348623157e308 nan inf")) {
        const double value = std::strtod(token.c_str(), nullptr);
        const std::string text = ExactIesNumber(value);
        double back = 1;
        EXPECT_TRUE(!std::isfinite(value) || (ConvertToken(text, back) && back == value)) << text;
        texts += FormatIesNumber(value) + " " + (std::isfinite(value) ? text : "-") + "\n";
    }
    testutil::ExpectMatchesFile("numbers.txt", texts);
}

TEST(IesWriter, WholeTextWithTheNonEmptyTitlesAndZerosForMissingValues) {
    tIES ies = MakeRecord(1, {0, 30, 60, 90}, {0, 90, 180}, {{10, 11}, {20, 21, 22, 23, 24}});
    ies.ExactInputWatts = 0; // a record built without the file's own text of the watts
    const std::vector<std::string> titles = {"", "a.ldt",     "R-7", "ACME [EU]",
                                             "", "P-1\tslim", " ",   " LC-9\x7F"};
    EXPECT_EQ(BuildIesText(ies, titles),
              "IESNA:LM-63-2002\r\n[TEST] R-7\r\n[MANUFAC] ACME (EU)\r\n[LUMCAT] P-1 slim\r\n"
              "[LAMPCAT] LC-9\r\nTILT=NONE\r\n1 1000 1 4 3 1 2 0 0 0\r\n1 1 36\r\n0 30 60 90\r\n"
              "0 90 180\r\n10 11 0 0\r\n20 21 22 23\r\n0 0 0 0\r\n");
    EXPECT_EQ(KeywordText("\t[x]\x01 "), "(x)");
    EXPECT_EQ(KeywordText(" \n "), "");
}

// Records built to hit the edges read back bit for bit, in lines of at most 60 characters.
TEST(IesWriter, EdgeRecordsReadBackBitForBit) {
    const std::function<void(tIES&)> changes[] = {
        [](tIES&) {},
        [](tIES& i) { i.Candela[1][1] = 0.1 + 0.2, i.Multiplier = 1.0 / 3; },
        [](tIES& i) { i.Candela[0][0] = -0.0, i.Candela[0][1] = 5e-324, i.Width = -1e-310; },
        [](tIES& i) { i.Candela[2][2] = 1.7e308, i.LumensPerLamp = 1e300, i.Multiplier = 2; },
        [](tIES& i) { i.LampCount = 65535, i.InputWatts = 65535, i.ExactInputWatts = 65535; },
        [](tIES& i) { i.LumensPerLamp = -1, i.ExactInputWatts = 43.5, i.InputWatts = 44; },
        [](tIES& i) { i.Width = -0.5, i.Length = 0, i.Height = 0.2, i.UnitsType = 1; },
        [](tIES& i) { i.PhotometricType = 2, i.VertAngles[0] = -90, i.HorzAngles[0] = -45; },
        [](tIES& i) { i.HorzAngles.resize(1), i.HorzCount = 1, i.Candela.resize(1); },
        [](tIES& i) { i = tIES{}, i.PhotometricType = 1; },
        [](tIES& i) {
            i.VertAngles = testutil::Steps(0.123456789, 180.2, 1), i.VertCount = 181;
            i.Candela.assign(3, i.VertAngles);
        }};
    for (const auto& change : changes) {
        tIES ies = MakeRecord(1, {0, 45, 90}, {0, 90, 180}, NumberedTable(3, 3));
        change(ies);
        const std::string text = BuildIesText(ies, {"", "x.ies", "T"});
        EXPECT_EQ(Dump(ReadBack(text)), Dump(ies));
        for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2)
            EXPECT_LE(end - start, 60u);
    }
}

} // namespace
} // namespace gonilux
