// The LM-63-2002 writer: its whole text, its number text, and that the reader gets back exactly
// the record written.
#include "photometry/ies_reader.h"
#include "photometry/ies_writer.h"
#include "test_util.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

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

TEST(IesWriter, NumbersUseTheUsualTextWhereItIsExactElseTheShortestExactOne) {
    std::string texts;
    for (double value : {0.0, -0.0, 47.6, 65535.0, -0.25, 1e-5, 1e15, 0.1 + 0.2, 1.0 / 3, -1e-7,
                         5e-324, 123456789012345678.0, std::numeric_limits<double>::max()}) {
        const std::string text = ExactIesNumber(value);
        double back = 1;
        EXPECT_TRUE(ConvertToken(text, back) && back == value) << text;
        texts += text + " ";
    }
    EXPECT_EQ(texts, "0 -0 47.6 65535 -0.25 0.00001 1e+15 0.30000000000000004 0.3333333333333333 "
                     "-1e-07 5e-324 123456789012345680 1.7976931348623157e+308 ");
}

TEST(IesWriter, WholeTextWithTheNonEmptyTitlesAndZerosForMissingValues) {
    const tIES ies = MakeRecord(1, {0, 30, 60, 90}, {0, 90, 180}, {{10, 11}, {20, 21, 22, 23, 24}});
    const std::vector<std::string> titles = {"", "a.ldt",     "R-7", "ACME [EU]",
                                             "", "P-1\tslim", " ",   " LC-9\x7F"};
    EXPECT_EQ(BuildIesText(ies, titles),
              "IESNA:LM-63-2002\r\n[TEST] R-7\r\n[MANUFAC] ACME (EU)\r\n[LUMCAT] P-1 slim\r\n"
              "[LAMPCAT] LC-9\r\nTILT=NONE\r\n1 1000 1 4 3 1 2 0 0 0\r\n1 1 36\r\n0 30 60 90\r\n"
              "0 90 180\r\n10 11 0 0\r\n20 21 22 23\r\n0 0 0 0\r\n");
    EXPECT_EQ(KeywordText("\t[x]\x01 "), "(x)");
    EXPECT_EQ(KeywordText(" \n "), "");
}

TEST(IesWriter, LongListsAreWrappedAt60Characters) {
    tArrEx vert;
    for (int i = 0; i <= 180; ++i)
        vert.push_back(i + 0.123456789);
    const tIES ies = MakeRecord(1, vert, {0}, {vert});
    const std::string text = BuildIesText(ies, {});
    std::size_t lines = 0;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2, ++lines)
        EXPECT_LE(end - start, 60u);
    EXPECT_GT(lines, 60u);
    EXPECT_EQ(Dump(ReadBack(text)), Dump(ies));
}

// Records built to hit the edges read back bit for bit.
TEST(IesWriter, EdgeRecordsReadBackBitForBit) {
    const std::function<void(tIES&)> changes[] = {
        [](tIES&) {},
        [](tIES& i) { i.Candela[1][1] = 0.1 + 0.2, i.Multiplier = 1.0 / 3; },
        [](tIES& i) { i.Candela[0][0] = -0.0, i.Candela[0][1] = 5e-324, i.Width = -1e-310; },
        [](tIES& i) { i.Candela[2][2] = 1.7e308, i.LumensPerLamp = 1e300, i.Multiplier = 2; },
        [](tIES& i) { i.LampCount = 65535, i.InputWatts = 65535; },
        [](tIES& i) { i.LumensPerLamp = -1; },
        [](tIES& i) { i.LumensPerLamp = 500, i.Multiplier = 0.5; },
        [](tIES& i) { i.LumensPerLamp = 0; },
        [](tIES& i) { i.Width = -0.5, i.Length = 0, i.Height = 0.2, i.UnitsType = 1; },
        [](tIES& i) {
            i.PhotometricType = 2;
            i.VertAngles = {-90, 0, 90};
            i.HorzAngles = {-45, 0, 45};
        },
        [](tIES& i) { i.HorzAngles = {0}, i.HorzCount = 1, i.Candela.resize(1); },
        [](tIES& i) { i = tIES{}, i.PhotometricType = 1; }};
    for (const auto& change : changes) {
        tIES ies = MakeRecord(1, {0, 45, 90}, {0, 90, 180}, NumberedTable(3, 3));
        change(ies);
        EXPECT_EQ(Dump(ReadBack(BuildIesText(ies, {"", "x.ies", "T"}))), Dump(ies));
    }
}

// The one record no reader gives, multiplier 1 beside 500 lm lamps, is written as it stands;
// reading normalises it, keeping candela = value x multiplier.
TEST(IesWriter, UnnormalisedRecordReadsBackNormalised) {
    tIES ies = MakeRecord(1, {0, 90}, {0}, {{100, 50}});
    ies.LumensPerLamp = 500;
    EXPECT_EQ(Dump(ReadBack(BuildIesText(ies, {}))),
              "1 500 0.5 2 1 1 2 0 0 0 36 | 0 90 | 0 | 200 100 ");
}

} // namespace
} // namespace gonilux
