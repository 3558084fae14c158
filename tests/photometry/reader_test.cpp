// Reading IES text into a record: tokens, lines, header split, tilt data, header numbers,
// normalisation, rounding and the diagnostics of malformed files.
#include "photometry/ies_reader.h"
#include "test_util.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace gonilux {
namespace {

using testutil::ExpectConsistent;
using testutil::JoinLines;

// The example file used throughout: one plane, three vertical angles, 2000 lm with multiplier 1.
const std::vector<std::string> kExampleLines = {
    "IESNA:LM-63-1995", "[MANUFAC] ACME", "TILT=NONE", "1 2000 1 3 1 1 2 0.5 0.6 0",
    "1 1 36",           "0 45 90",        "0",         "100 80 10",
};

void ExpectExampleRecord(const tIES& ies) {
    tIES expected = testutil::MakeRecord(1, {0, 45, 90}, {0}, {{50, 40, 5}});
    expected.LumensPerLamp = 2000;
    expected.Multiplier = 2;
    expected.Width = 0.5;
    expected.Length = 0.6;
    testutil::ExpectSameRecord(ies, expected, "example record");
}

// ---------------------------------------------------------------------------------------------
// Tokens

struct ValidToken {
    const char* token;
    double value;
};

const ValidToken kValidTokens[] = {
    {"0", 0},      {"-0", 0},        {"007", 7},      {".5", 0.5},   {"5.", 5},    {"3150.", 3150},
    {".0", 0},     {"-7.25", -7.25}, {"-.5", -0.5},   {"+3", 3},     {"+.5e1", 5}, {"1e3", 1000},
    {"1E3", 1000}, {"1E-2", 0.01},   {"1.5e+2", 150}, {"1e-400", 0}, // underflow is a valid zero
};

// "1e999" overflows a double; "1,5": a comma is never a decimal point; the last one is a
// full-width digit.
const char* const kInvalidTokens[] = {
    "",    "-",   "+",     ".",      "-.",  "e5",     "E5",    "1e",          "1e+",  "1e3.5",
    "12a", "5-",  "1.2.3", "--1",    "+-1", "0x10",   "1d3",   "inf",         "-inf", "Infinity",
    "nan", "NaN", "1e999", "-1e999", "1,5", "12\xB0", "5\xA0", "\xEF\xBC\x95"};

TEST(ReadNumber, ConvertsTokensByTheDecimalGrammar) {
    for (const ValidToken& c : kValidTokens) {
        SCOPED_TRACE(std::string("token \"") + c.token + "\"");
        double value = -123;
        EXPECT_TRUE(ConvertToken(c.token, value));
        EXPECT_EQ(value, c.value);
    }
    for (const char* token : kInvalidTokens) {
        SCOPED_TRACE(std::string("token \"") + token + "\"");
        double value = -123;
        EXPECT_FALSE(ConvertToken(token, value));
        EXPECT_EQ(value, 0);
    }
}

// Reads `token` followed by " 7" and checks the value, the flag and that 7 comes next.
void ExpectReadsToken(const char* token, double value, bool valid) {
    SCOPED_TRACE(std::string("token \"") + token + "\"");
    const std::string text = std::string(token) + " 7";
    std::string_view rest = text;
    bool error = false;
    EXPECT_EQ(ReadNumber(rest, error), value);
    EXPECT_EQ(error, !valid);
    bool secondError = false;
    EXPECT_EQ(ReadNumber(rest, secondError), 7);
    EXPECT_FALSE(secondError);
}

TEST(ReadNumber, ReadsEachTokenUpToItsSeparator) {
    for (const ValidToken& c : kValidTokens)
        ExpectReadsToken(c.token, c.value, true);
    for (const char* token : kInvalidTokens) {
        // Tokens that contain or are separators themselves do not stand alone.
        if (*token != '\0' && std::string_view(token).find(',') == std::string_view::npos) {
            ExpectReadsToken(token, 0, false);
        }
    }
}

TEST(ReadNumber, BlanksTabsBreaksCommasAndCtrlZSeparate) {
    const std::string text = "  1\t2,3\r\n4\r5\n6\x1A"
                             "7 ,\t 8,,9\t\t10\x1A\r\n";
    std::string_view rest = text;
    bool error = false;
    for (double expected = 1; expected <= 10; ++expected) {
        EXPECT_EQ(ReadNumber(rest, error), expected);
    }
    EXPECT_FALSE(error);
    EXPECT_EQ(ReadNumber(rest, error), 0); // exhausted: an empty, invalid token
    EXPECT_TRUE(error);
}

TEST(ReadNumber, ErrorFlagIsNeverClearedByAValidToken) {
    std::string_view text = "x 5 6";
    bool error = false;
    EXPECT_EQ(ReadNumber(text, error), 0);
    EXPECT_TRUE(error);
    EXPECT_EQ(ReadNumber(text, error), 5);
    EXPECT_TRUE(error);

    std::string_view blanks = " \t\r\n ";
    bool alreadySet = true;
    EXPECT_EQ(ReadNumber(text, alreadySet), 6);
    EXPECT_TRUE(alreadySet);
    bool blankError = false;
    EXPECT_EQ(ReadNumber(blanks, blankError), 0);
    EXPECT_TRUE(blankError);
}

// ---------------------------------------------------------------------------------------------
// Lines and the header split

TEST(SplitLines, EachBreakKindEndsOneLine) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\n\n", {"a", ""}},
        {"a\n\rb", {"a", "", "b"}},
        {"\r\r\n", {"", ""}},
        {"x\r\n\r\ny\r", {"x", "", "y"}},
        {std::string("t\tu\x1A", 4), {std::string("t\tu\x1A", 4)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("text \"" + c.text + "\"");
        EXPECT_EQ(SplitLines(c.text), c.lines);
        EXPECT_EQ(CountLines(c.text), static_cast<int>(c.lines.size()));
    }
}

TEST(SplitHeader, TiltLineIsMatchedByItsNamePartIgnoringCase) {
    struct Case {
        const char* line;
        bool endsHeader;
    };
    const Case cases[] = {
        {"TILT=NONE", true},      {"TILT=None", true},     {"tilt=none", true},
        {"Tilt=lamp.tlt", true},  {"TILT=INCLUDE", true},  {"TILT= NONE", true},
        {"TILT =NONE", false},    {" TILT=NONE", false},   {"[X] TILT=NONE", false},
        {"TILTED=NONE", false},   {"TIL=NONE", false},     {"NONE", false},
        {"\xB0TILT=NONE", false}, {"T\xC4LT=NONE", false}, {"TILT\t=NONE", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::vector<std::string> lines = {"IESNA91", c.line, "5 6"};
        std::vector<std::string> header = {"left over"};
        std::string numeric;
        SplitHeader(lines, header, numeric);
        if (c.endsHeader) {
            EXPECT_EQ(header, (std::vector<std::string>{"IESNA91", c.line}));
            EXPECT_EQ(lines, (std::vector<std::string>{"5 6"}));
            EXPECT_EQ(numeric, "5 6  ");
        } else {
            EXPECT_TRUE(header.empty());
            EXPECT_EQ(lines.size(), 3u);
            EXPECT_EQ(numeric, std::string("IESNA91  ") + c.line + "  5 6  ");
        }
    }
}

TEST(SplitHeader, FirstTiltLineEndsHeaderAndBreaksAndCommasBecomeBlanks) {
    std::vector<std::string> lines = {"IESNA", "[TEST] a,b", "TILT=NONE",
                                      "1 2,3", "TILT=NONE",  "4\r5"};
    std::vector<std::string> header;
    std::string numeric;
    SplitHeader(lines, header, numeric);
    EXPECT_EQ(header, (std::vector<std::string>{"IESNA", "[TEST] a,b", "TILT=NONE"}));
    EXPECT_EQ(lines, (std::vector<std::string>{"1 2,3", "TILT=NONE", "4\r5"}));
    EXPECT_EQ(numeric, "1 2 3  TILT=NONE  4 5  ");
}

// ---------------------------------------------------------------------------------------------
// Whole files

TEST(ParseIes, ExampleFileWithEveryLineBreakKind) {
    for (const char* lineBreak : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(::testing::PrintToString(std::string(lineBreak)));
        tIES ies;
        const ParseResult result = ParseIes(JoinLines(kExampleLines, lineBreak), ies);
        ExpectExampleRecord(ies);
        EXPECT_FALSE(result.Diagnostics.HeaderError);
        EXPECT_EQ(result.HeaderText, "IESNA:LM-63-1995\r\n[MANUFAC] ACME\r\nTILT=NONE\r\n");
    }
}

TEST(ParseIes, LineListOverloadRemovesTheHeaderLines) {
    std::vector<std::string> lines = kExampleLines;
    tIES ies;
    const ParseResult result = ParseIes(lines, ies);
    ExpectExampleRecord(ies);
    EXPECT_EQ(lines, std::vector<std::string>(kExampleLines.begin() + 3, kExampleLines.end()));
    EXPECT_EQ(result.HeaderText, "IESNA:LM-63-1995\r\n[MANUFAC] ACME\r\nTILT=NONE\r\n");
}

TEST(ParseIes, NumbersMayBeLaidOutAnyWay) {
    const std::string head = "IESNA:LM-63-1995\r\n[MANUFAC] ACME\r\nTILT=NONE\r\n";
    const std::string layouts[] = {
        "1 2000 1 3 1 1 2 0.5 0.6 0 1 1 36 0 45 90 0 100 80 10",
        "1\n2000\n1\n3\n1\n1\n2\n0.5\n0.6\n0\n1\n1\n36\n0\n45\n90\n0\n100\n80\n10\n",
        "1,2000,1,3,1,1,2,0.5,0.6,0\r\n1,1,36\r\n0,45,90\r\n0\r\n100,80,10\r\n",
        "1, 2000, 1, 3, 1, 1, 2, .5, .6, 0.\r\n1. 1. 36.\r\n0. 45. 90.\r\n0.\r\n1e2 8E1 1e1\r\n",
        "1\t2000\t1\t3\t1\t1\t2\t0.5\t0.6\t0\n1\t1\t36\n0\t45\t90\n0\n100\t80\t10\n",
        "   1 2000 1 3 1 1 2 0.5 0.6 0 1 1 36 0 45\n90 0 100\r\n80\r10   \n",
        "1 2000 1 3 1 1 2 0.5 0.6 0\n1 1 36\n0 45 90\n0\n100 80 10\nEND\n\x1A",
        "1 2000 1 3 1 1 2 0.5 0.6 0\r\r\n\n1 1 36\n\n\n0 45 90 0 100 80 10 11 12 13\n",
    };
    for (const std::string& layout : layouts) {
        SCOPED_TRACE(layout);
        tIES ies;
        const ParseResult result = ParseIes(head + layout, ies);
        ExpectExampleRecord(ies);
        EXPECT_FALSE(result.Diagnostics.HeaderError);
    }
}

TEST(ParseIes, TiltValueDecidesWhetherInlineTiltDataIsSkipped) {
    struct Case {
        std::vector<std::string> headerLines;
        std::vector<std::string> tiltBlock;
    };
    const std::vector<std::string> tenNumbers = {"1", "4", "0 30 60 90", "1 0.9 0.8 0.7"};
    const Case cases[] = {
        {{"TILT=NONE"}, {}},
        {{"tilt=none"}, {}},
        {{"TILT=  none  "}, {}},
        {{"TILT=INCLUDE"}, tenNumbers},
        {{"Tilt=Include"}, tenNumbers},
        {{"TILT=INCLUDE"}, {"1 0"}},
        {{"TILT=INCLUDE"}, {"1,2", "0,90,", "1,0.5"}},
        {{"TILT=lamp.tlt"}, {}},
        {{"TILT=C:\\photometry\\NONSTANDARD.TLT"}, {}},
        {{"[OTHER] no TILT=INCLUDE data", "TILT=NONE"}, {}},
        {{"[LUMINAIRE] TILT=INCLUDE Test Fixture", "TILT=none"}, {}},
        {{"[OTHER] TILT=NONE here", "TILT=INCLUDE"}, tenNumbers},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = {"IESNA:LM-63-2002", "[MANUFAC] ACME"};
        lines.insert(lines.end(), c.headerLines.begin(), c.headerLines.end());
        lines.insert(lines.end(), c.tiltBlock.begin(), c.tiltBlock.end());
        lines.insert(lines.end(), kExampleLines.begin() + 3, kExampleLines.end());
        const std::string text = JoinLines(lines);
        SCOPED_TRACE(text);
        tIES ies;
        const ParseResult result = ParseIes(text, ies);
        ExpectExampleRecord(ies);
        EXPECT_FALSE(result.Diagnostics.HeaderError);
    }
}

TEST(ParseIes, FileWithoutTiltLineTakesFirstTwoTokensAsTiltData) {
    tIES ies;
    // Geometry 1, one tilt pair (two numbers), then the example's numbers.
    ParseResult result =
        ParseIes("1 1\n45 0.9\n1 2000 1 3 1 1 2 0.5 0.6 0 1 1 36 0 45 90 0 100 80 10\n", ies);
    ExpectExampleRecord(ies);
    EXPECT_FALSE(result.Diagnostics.HeaderError);
    EXPECT_TRUE(result.HeaderText.empty());

    // Ordinary header text without a tilt line: the words are invalid tokens.
    result = ParseIes("IESNA:LM-63-1995\n[TEST] x\n1 2000 1 3 1 1 2 0.5 0.6 0\n", ies);
    EXPECT_TRUE(result.Diagnostics.HeaderError);
    ExpectConsistent(ies);
}

TEST(ParseIes, NormalisesOnlyForPositiveFluxWithMultiplierOne) {
    struct Case {
        const char* lumens;
        const char* multiplier;
        double storedMultiplier;
        double first;
        double second;
    };
    const Case cases[] = {
        {"2000", "1", 2, 50, 25},      {"500", "1", 0.5, 200, 100}, {"2500", "1.1", 1.1, 100, 50},
        {"1000", "1", 1, 100, 50},     {"-1", "1", 1, 100, 50},     {"0", "1", 1, 100, 50},
        {"1000", "0.5", 0.5, 100, 50}, {"-1", "2", 2, 100, 50},     {"2000", "1e0", 2, 50, 25},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("TILT=NONE\n1 ") + c.lumens + " " + c.multiplier +
                                 " 2 1 1 2 0 0 0\n1 1 10\n0 90\n0\n100 50\n";
        SCOPED_TRACE(text);
        tIES ies;
        ParseIes(text, ies);
        EXPECT_EQ(ies.Multiplier, c.storedMultiplier);
        ASSERT_EQ(ies.Candela.size(), 1u);
        ASSERT_EQ(ies.Candela[0].size(), 2u);
        EXPECT_DOUBLE_EQ(ies.Candela[0][0], c.first);
        EXPECT_DOUBLE_EQ(ies.Candela[0][1], c.second);
        EXPECT_TRUE(std::isfinite(ies.Candela[0][0]));
    }
}

TEST(ParseIes, RoundedFieldsGoHalfToEvenAndKeepLow16Bits) {
    struct Case {
        const char* watts;
        std::uint16_t stored;
        bool error;
    };
    const Case cases[] = {
        {"36.5", 36, false},    {"37.5", 38, false}, {"-1", 65535, false},
        {"36.4999", 36, false}, {"1e999", 0, true},  {"1e30", 0, false},
    };
    for (const Case& c : cases) {
        const std::string text =
            std::string("TILT=NONE\n1 1000 1 1 1 1 2 0 0 0\n1 1 ") + c.watts + "\n0\n0\n5\n";
        SCOPED_TRACE(text);
        tIES ies;
        const ParseResult result = ParseIes(text, ies);
        EXPECT_EQ(ies.InputWatts, c.stored);
        EXPECT_EQ(result.Diagnostics.HeaderError, c.error);
    }
}

TEST(RoundTo16, HalfToEvenLow16BitsAndZeroForUnrepresentable) {
    const double two63 = 9223372036854775808.0;
    struct Case {
        double value;
        std::uint16_t expected;
    };
    const Case cases[] = {
        {0, 0},
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {-0.5, 0},
        {-1, 65535},
        {-1.5, 65534},
        {65535, 65535},
        {65535.5, 0},
        {70000, 4464},
        {4294967303.0, 7},
        {4503599627370496.0 + 65536 * 3 + 5, 5}, // 2^52 + ...
        {two63 - 1024, 64512},                   // largest double below 2^63
        {-(two63 - 1024), 1024},
        {two63, 0},
        {-two63, 0},
        {std::numeric_limits<double>::infinity(), 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(RoundTo16(c.value), c.expected);
    }
}

TEST(ParseIes, EarlyEndZeroFillsWithoutMessage) {
    tIES ies;
    const ParseResult result =
        ParseIes("TILT=NONE\r\n1 1000 1 3 2 1 2 0 0 0\r\n1 1 10\r\n0 45 90\r\n0 90\r\n100 80", ies);
    EXPECT_FALSE(result.Diagnostics.HeaderError);
    ExpectConsistent(ies);
    EXPECT_EQ(ies.VertAngles, (tArrEx{0, 45, 90}));
    EXPECT_EQ(ies.HorzAngles, (tArrEx{0, 90}));
    EXPECT_EQ(ies.Candela, (tArrEx2{{100, 80, 0}, {0, 0, 0}}));
}

TEST(ParseIes, BadValuesAfterTheHeaderNumbersAreNotReported) {
    tIES ies;
    const ParseResult result =
        ParseIes("TILT=NONE\n1 1000 1 3 1 1 2 0 0 0\n1 1 10\n0 4x5 90\n0\n100 8o 10\n", ies);
    EXPECT_FALSE(result.Diagnostics.HeaderError);
    EXPECT_EQ(ies.VertAngles, (tArrEx{0, 0, 90}));
    EXPECT_EQ(ies.Candela, (tArrEx2{{100, 0, 10}}));
}

TEST(ParseIes, HeaderErrorNamesTheLineOfTheFirstBadNumber) {
    struct Case {
        std::string text;
        bool error;
        int line;
    };
    const Case cases[] = {
        {"IESNA\r\nTILT=NONE\r\n1 1000 1 3 1 1 2 0 0 0\r\n1 1 12a\r\n0 45 90\r\n0\r\n1 2 3\r\n",
         true, 4},
        {"A\nTILT=NONE\r1 1000 1\r\n3 1 x 2 0 0 0\n1 1 1\n", true, 4},
        {"TILT=NONE\nq 1000 1 3 1 1 2 0 0 0 1 1 1\n", true, 2},
        {"TILT=NONE\n\n\n1 1000 1 3 1 1 2 0 0 0\n1 1\n\nbad\n", true, 7},
        {"TILT=NONE\n1 1000 a 3 1 1 2 0 0 0\n1 1 b\n", true, 2},
        {"TILT=NONE\n1,1000,1,3,1,1,2,0,0,0,1,1\n,,oops\n", true, 3},
        {"TILT=NONE\n1 1e999 1 3 1 1 2 0 0 0 1 1 1\n", true, 2},
        {"[TEST] a\rb\nTILT=NONE\n1 1000 1 1 1 1 2 0 0 0 1 1 w\n", true, 4},
        {"IESNA\nTILT=INCLUDE\n1\n2\n0 90\n1 1\n1 1000 1 3 1 1 2 0 0 0\n1 1 3x\n", true, 8},
        {"1 0\n1 1000 1 1 1 1 2 0 0 0\n1 1 z\n", true, 3},
        // The numbers run out: the line count of the file.
        {"IESNA\nTILT=NONE\n1 1000 1 3\n", true, 3},
        {"IESNA\nTILT=NONE\n1 1000 1 3", true, 3},
        {"IESNA\rTILT=NONE\r1 1000 1\r\r", true, 4},
        {"IESNA\r\nTILT=NONE\r\n", true, 2},
        {"TILT=INCLUDE\n1 70000\n1 1000 1 1 1 1 2 0 0 0 1 1 1\n", true, 3}, // eats them all
        // Bad tilt data is not a header error.
        {"TILT=INCLUDE\n1 x\n1 1000 1 1 1 1 2 0 0 0 1 1 1 0 0 5\n", false, 0},
        {"TILT=NONE\n1 1000 1 1 1 1 2 0 0 0 1 1 1 0 0 bad\n", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        tIES ies;
        const ParseResult result = ParseIes(c.text, ies);
        EXPECT_EQ(result.Diagnostics.HeaderError, c.error);
        if (c.error) {
            EXPECT_EQ(result.Diagnostics.HeaderErrorLine, c.line);
        }
        ExpectConsistent(ies);
    }
}

TEST(ParseIes, AbsurdCountsKeepScalarsAndEmptyArrays) {
    for (const char* counts : {"4097 4096", "65535 65535", "4096 4097"}) {
        const std::string text = std::string("TILT=NONE\n2 3000 1.5 ") + counts +
                                 " 1 2 0.5 0.6 0.7\n1 1 40\n0 1 2 3 4 5\n";
        SCOPED_TRACE(text);
        tIES ies;
        const ParseResult result = ParseIes(text, ies);
        EXPECT_TRUE(result.Diagnostics.HeaderError);
        EXPECT_EQ(ies.VertCount, 0);
        EXPECT_EQ(ies.HorzCount, 0);
        ExpectConsistent(ies);
        EXPECT_EQ(ies.LampCount, 2);
        EXPECT_EQ(ies.LumensPerLamp, 3000);
        EXPECT_EQ(ies.Multiplier, 1.5);
        EXPECT_EQ(ies.PhotometricType, 1);
        EXPECT_EQ(ies.UnitsType, 2);
        EXPECT_EQ(ies.Width, 0.5);
        EXPECT_EQ(ies.Length, 0.6);
        EXPECT_EQ(ies.Height, 0.7);
        EXPECT_EQ(ies.InputWatts, 40);
    }
}

TEST(ParseIes, ZeroCountsGiveEmptyRowsOfTheAnnouncedNumber) {
    tIES ies;
    const ParseResult result =
        ParseIes("TILT=NONE\n1 1000 1 0 3 1 2 0 0 0\n1 1 5\n0 90 180\n", ies);
    EXPECT_FALSE(result.Diagnostics.HeaderError);
    ExpectConsistent(ies);
    EXPECT_EQ(ies.HorzAngles, (tArrEx{0, 90, 180}));
    EXPECT_EQ(ies.Candela.size(), 3u);
}

TEST(ParseIes, ReadingAgainLeavesNothingOfThePreviousRecord) {
    tIES ies;
    ParseIes(JoinLines(kExampleLines), ies);
    ies.Candela.push_back({1, 2, 3});
    ParseIes("TILT=NONE\n1 1000 1 1 1 3 1 0 0 0\n1 1 5\n10\n20\n30\n", ies);
    ExpectConsistent(ies);
    EXPECT_EQ(ies.Candela, (tArrEx2{{30}}));
    EXPECT_EQ(ies.PhotometricType, 3);
    EXPECT_EQ(ies.UnitsType, 1);
    EXPECT_EQ(ies.Width, 0);

    ParseIes("", ies);
    ExpectConsistent(ies);
    EXPECT_EQ(ies.LumensPerLamp, 0);
    EXPECT_EQ(ies.PhotometricType, 0);
}

} // namespace
} // namespace gonilux
