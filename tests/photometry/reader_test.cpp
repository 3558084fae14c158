// Reading IES text into a record: number text, layouts, tilt data, normalisation, rounding and
// the line named for a damaged header.
#include "photometry/ies_reader.h"
#include "test_util.h"

#include <bit>
#include <cstdint>

namespace gonilux {
namespace {

using testutil::Dump;

const std::string kHead = "IESNA:LM-63-1995\r\n[MANUFAC] ACME\r\nTILT=NONE\r\n";
const std::string kNumbers =
    "1 2000 1 3 1 1 2 0.5 0.6 0\r\n1 1 36\r\n0 45 90\r\n0\r\n100 80 10\r\n";
// 2000 lm with multiplier 1: the values are normalised to 1000 lm.
const std::string kExample = "1 2000 2 3 1 1 2 0.5 0.6 0 36 36 | 0 45 90 | 0 | 50 40 5 ";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

TEST(ParseIes, ExampleReadsTheSameInEveryLayoutAndTiltForm) {
    const std::string rows[] = {
        kHead + kNumbers,
        Replaced(kHead + kNumbers, "\r\n", "\r"),
        kHead + Replaced(kNumbers, " ", ","),
        kHead + Replaced(kNumbers, " ", "\t"),
        kHead + "1, 2000, +1, 3, 1, 1, 2, .5, .6, 0.\n1. 1. 36.\n0. 45. 90.\n0.\n1e2 8E1 1e1",
        kHead + "   1 2000 1 3 1 1 2 0.5 0.6 0 1 1 36 0 45\n90 0 100\r\n80\r10   \n",
        kHead + Replaced(kNumbers, "10\r\n", "10 11 12 13\r\n"),
        "IESNA\r\ntilt=none\r\n" + kNumbers,
        "TILT=   None  \r\n" + kNumbers,
        "TILT=INCLUDE\r\n1\r\n4\r\n0 30 60 90\r\n1 0.9 0.8 0.7\r\n" + kNumbers,
        "Tilt= Include\r\n1,2\r\n0,90,\r\n1,0.5\r\n" + kNumbers,
        "TILT=C:\\photometry\\NONSTANDARD.TLT\r\n" + kNumbers,
        "[OTHER] TILT=INCLUDE here\r\nTILT=NONE\r\n" + kNumbers,
        "[OTHER] TILT=NONE here\r\nTILT=INCLUDE\r\n1 1 0 1\r\n" + kNumbers,
        "1 1\r\n45 0.9\r\n" + kNumbers}; // no tilt line: the text starts with tilt data
    for (const std::string& text : rows) {
        tIES ies;
        const ParseResult result = ParseIes(text, ies);
        EXPECT_EQ(Dump(ies), kExample) << text;
        EXPECT_FALSE(result.Diagnostics.HeaderError) << text;
    }
    tIES ies;
    EXPECT_EQ(ParseIes(kHead + kNumbers, ies).HeaderText, kHead);
}

// The record and the line named for damaged headers, compared with the checked-in list.
TEST(ParseIes, OddAndDamagedFilesGiveTheirRecordAndErrorLine) {
    // Normalisation by the rated lamp flux; 16-bit fields (rounded half to even, low 16 bits
    // kept, 0 beyond 2^63); values that run out after the header (zeros, no message) or are bad
    // (0); too many values announced (the scalars stay, the table is empty); bad header numbers;
    // numbers that run out in the header (the file's last line); bad tilt data (no error).
    const std::vector<std::string> cases = testutil::Split(
        "TILT=NONE\n1 500 1 2 1 1 2 0 0 0\n1 1 10\n0 90\n0\n100 50\n;"
        "TILT=NONE\n1 2500 1.1 2 1 1 2 0 0 0\n1 1 10\n0 90\n0\n100 50\n;"
        "TILT=NONE\n1 0.5 1 2 1 1 2 0 0 0\n1 1 10\n0 90\n0\n100 50\n;"
        "TILT=NONE\n1 2000 1e0 1 1 1 2 0 0 0\n1 1 10\n0\n0\n100\n;"
        "TILT=NONE\n1 -1 1 1 1 1 2 0 0 0\n1 1 10\n0\n0\n100\n;"
        "TILT=NONE\n1 0 1 1 1 1 2 0 0 0\n1 1 10\n0\n0\n100\n;"
        "TILT=NONE\n1 1000 1 1 1 1 2 0 0 0\n1 1 10\n0\n0\n100\n;"
        "TILT=NONE\n-1.5 1000 1 1 1 3 1 0 0 0\n1 1 37.5\n10\n20\n30\n;"
        "TILT=NONE\n2.5 1000 1 1 1 1 2 0 0 0\n1 1 70000\n0\n0\n5\n;"
        "TILT=NONE\n9223372036854774784 1000 1 1 1 1 2 0 0 0\n1 1 1e30\n0\n0\n5\n;"
        "TILT=NONE\n-9223372036854774784 1000 1 1 1 1 2 0 0 0 1 1 9223372036854775808 0 0 5;"
        "TILT=NONE\n1 1000 1 3 2 1 2 0 0 0\r\n1 1 10\r\n0 45 90\r\n0 90\r\n100 80;"
        "TILT=NONE\n1 1000 1 3 1 1 2 0 0 0\n1 1 10\n0 4x5 90\n0\n100 8o 10\n;"
        "TILT=NONE\n1 1000 1 0 3 1 2 0 0 0\n1 1 5\n0 90 180\n;"
        "TILT=NONE\n2 3000 1.5 4097 4096 1 2 0.5 0.6 0.7\n1 1 40\n0 1 2\n;"
        "TILT=NONE\n2 3000 1.5 4096 4097 1 2 0.5 0.6 0.7\n1 1 40\n0 1 2\n;"
        "TILT=NONE\n1 1e999 1 3 1 1 2 0 0 0 1 1 1\n;"
        "TILT=NONE\n1 1000 1 1 1 1 2 0 0 0\n1 1 1e999\n0\n0\n5\n;"
        "IESNA\r\nTILT=NONE\r\n1 1000 1 3 1 1 2 0 0 0\r\n1 1 12a\r\n0 45 90\r\n0\r\n1 2 3\r\n;"
        "A\nTILT=NONE\r1 1000 1\r\n3 1 x 2 0 0 0\n1 1 1\n;"
        "TILT=NONE\nq 1000 1 3 1 1 2 0 0 0 1 1 1\n;"
        "TILT=NONE\n\n\n1 1000 1 3 1 1 2 0 0 0\n1 1\n\nbad\n;"
        "TILT=NONE\n1 1000 a 3 1 1 2 0 0 0\n1 1 b\n;"
        "TILT=NONE\n1,1000,1,3,1,1,2,0,0,0,1,1\n,,oops\n;"
        "[TEST] a\rb\nTILT=NONE\n1 1000 1 1 1 1 2 0 0 0 1 1 w\n;"
        "IESNA\nTILT=INCLUDE\n1\n2\n0 90\n1 1\n1 1000 1 3 1 1 2 0 0 0\n1 1 3x\n;"
        "1 0\n1 1000 1 1 1 1 2 0 0 0\n1 1 z\n;"
        "IESNA\nTILT =NONE\n1 1000 1 1 1 1 2 0 0 0 1 1 1 0 0 5\n;IESNA\nTILT=NONE\n1 1000 1 3\n;"
        "IESNA\rTILT=NONE\r1 1000 1\r\r;IESNA\r\nTILT=NONE\r\n;"
        "TILT=INCLUDE\n1 70000\n1 1000 1 1 1 1 2 0 0 0 1 1 1\n;"
        "TILT=INCLUDE\n1 x\n1 1000 1 1 1 1 2 0 0 0 1 1 1 0 0 5\n",
        ';');
    std::string listing;
    tIES ies = testutil::MakeRecord(3, {1, 2}, {3}, {{4, 5}}); // reading again keeps nothing
    for (const std::string& text : cases) {
        const ReadDiagnostics d = ParseIes(text, ies).Diagnostics;
        EXPECT_EQ(d.HeaderError, d.HeaderErrorLine != 0) << text;
        listing += testutil::Escaped(text) + "\n    line " + std::to_string(d.HeaderErrorLine) +
                   ", values " + std::to_string(d.ValuesRead) + "/" +
                   std::to_string(d.ValuesExpected) + ": " + Dump(ies) + "\n";
    }
    testutil::ExpectMatchesFile("ies_reader.txt", listing);
}

// Decimal numbers read exactly as the C library reads them, on the quick path of the value
// lists and on the careful one; anything else is no number (a comma never is a decimal point).
TEST(ParseIes, NumbersReadAsStrtodReadsThem) {
    const std::vector<std::string> tokens = testutil::Split(
        "0 -0 007 -.5 +7 5. .0 0.1 -7.25 1E3 1e-2 1.5e+2 +.5e1 1e-400 123456789012345678 "
        "1234567890123456789 12345678901234567890 18446744073709551617 9007199254740993 "
        "0.0000000000000000000001 0.00000000000000000000001 3.14159265358979323846 "
        "0000000000000000000000000012.5 100000000000000000000000 0.30000000000000004 "
        "2.2250738585072014e-308 4.9e-324 1.7976931348623157e308 "
        "0.1000000000000000055511151231257827021181583404541015625");
    std::string text =
        "TILT=NONE\n1 1000 1 " + std::to_string(tokens.size()) + " 1 1 2 0 0 0 1 1 1 ";
    for (std::size_t i = 0; i <= tokens.size(); ++i)
        text += std::to_string(i) + " ";
    for (const std::string& token : tokens)
        text += " " + token;
    tIES ies;
    EXPECT_FALSE(ParseIes(text, ies).Diagnostics.HeaderError);
    ASSERT_EQ(ies.Candela.size(), 1u);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const double expected = std::strtod(tokens[i].c_str(), nullptr);
        double value = -1;
        EXPECT_TRUE(ConvertToken(tokens[i], value)) << tokens[i];
        for (double read : {value, ies.Candela[0][i]})
            EXPECT_EQ(std::bit_cast<std::uint64_t>(read), std::bit_cast<std::uint64_t>(expected))
                << tokens[i];
    }
    for (const std::string& bad :
         testutil::Split(" - + . -. e5 1e 1e+ 1e3.5 12a 5- 1.2.3 --1 +-1 0x10 1d3 "
                         "inf nan 1e999 -1e999 1,5 12\xB0 \xEF\xBC\x95")) {
        double value = -1;
        EXPECT_TRUE(!ConvertToken(bad, value) && value == 0) << bad;
    }
}

} // namespace
} // namespace gonilux
