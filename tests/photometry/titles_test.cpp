// Title strings from the header keywords, the author mark, the info texts and header text
// decoding, compared with the checked-in listing.
#include "photometry/header_encoding.h"
#include "photometry/header_titles.h"
#include "photometry/text_encoding.h"
#include "test_util.h"

namespace gonilux {
namespace {

using testutil::Escaped;

TEST(ExtractTitles, HeadersGiveTheListedTitlesInfoTextsAndAuthorMark) {
    const std::string headers[] = {
        "IESNA:LM-63-1995\r\n[TEST] R-12 [MANUFAC] ACME\r\n[LUMINAIRE]\r\nDESCR.-1 : Downlight "
        "[2x26W]\r\nLM-NO.   : 1234 LM-DATE: 1999\r\nLAMP     : TC-D "
        "26W\r\n[LAMPCAT]\t26W/840\t\x1A",
        // A fallback only stands in for an empty value; the first of two keywords wins.
        "[LUMINAIRE] Real\r\nDESCR.-1 : Other\r\n[LUMCAT] C1\r\nLM-NO.   : 99\r\n[LAMP] L1\r\n"
        "LAMP     : L2\r\n[LAMPCAT] X\r\n[LAMPCAT] Y\r\n[CHANGED] by Kestrin: rotated",
        // Keywords are case-sensitive; a value ends at a line break of any kind.
        "[Test] T\r\n[manufac] M\r\n[LUMINAIRE] [LAMPCAT] Cat\r\n[TEST] a\rb\n[LAMP] 30\xB0\n"
        "LM-NO.   : 12\r\nLM-DATE: 1999\r\n[CHANGED] by kestrin\r\n[changed] Kestrin",
        "[MANUFAC] M\r\n[TEST] no break at the end [CHANGED] Kestrin",
        "[CHANGED] edited [MORE] Kestrin\r\n[LUMCAT] [LAMP] L", "[CHANGED]\r\n[MORE] Kestrin", ""};
    std::string listing;
    TiesData entry = CreateIesData("lamp.ies");
    int read = 0;
    for (const std::string& header : headers) {
        entry.ChangedByAuthor = !entry.ChangedByAuthor;
        ExtractTitles(entry, "C:\\data\\sub/lamp" + std::to_string(++read) + ".ies", header);
        listing += Escaped(ToUtf8Windows1252(header)) + "\n   ";
        for (const std::string& title : entry.Lines)
            listing += " " + Escaped(ToUtf8Windows1252(title)) + " |";
        listing += entry.ChangedByAuthor ? " by the author\n    " : "\n    ";
        listing += Escaped(ToUtf8Windows1252(BuildInfoText(entry.Lines, false))) + "\n    ";
        listing += Escaped(ToUtf8Windows1252(BuildPreviewInfo(entry.Lines))) + "\n";
    }
    listing += Escaped(BuildPreviewInfo({})) + "\n" + Escaped(BuildInfoText({"", "", "T"}, true));
    testutil::ExpectMatchesFile("titles.txt", listing + "\n");
}

// Header bytes as the screen shows them: the encoding chosen and the text shown, automatically
// and as asked, and the code-page readings of the file list (UTF-8 stays, anything else is
// Windows-1252, bytes it leaves undefined as ISO-8859-1) and of the command line's JSON
// (ISO-8859-1).
TEST(HeaderEncoding, ChosenEncodingsAndDecodedTextsAreTheListedOnes) {
    std::string listing;
    const std::vector<std::string> samples = testutil::Split(
        "Lumi\xC3\xA8re|Gr\xF6\xDF\x65 30\xB0|\xB5\xC6\xBE\xDF LED|a\xB5\xC6\x62|\xB5\xC6\xBE|"
        "\xB5\xC6\xBE\xA0|\x8F\xC6\x96\xBE\x8A\xED\x8B\xEF LED|\xBFO\xA8\xE3\xB7\xD3\xA9\xFA|"
        "\xC1\xB6\xB8\xED \xB1\xE2\xB1\xB8|caf\xE9 \x80\xA0|\xF1\xE2\xE5\xF2 "
        "\xB8\xEB\xEA\xE0|\xD1\xE2\xE5\xF2\xE8\xEB\xFC\xED\xE8"
        "\xEA 40 \xC2\xF2|\xB7\xD3\xA9\xFA\xBE\xB9\xA8\xE3|Lumi\xE8re \xE9l\xE9gante \xE0 40"
        "\xB0|Lumi\xC3\xA8re \xE2\x82\xAC \xF0\x9F\x92\xA1|Lumi\xE8re \x80 \x96\x9F|\x81\x8D"
        "\xFF|\xC3|\xC0\xAF|\xE0\x80\xAF|\xED\xA0\x80|\xF4\x90\x80\x80|\xE2\x82|\xF8\x88\x80"
        "\x80\x80|\xC2\xA0\xDF\xBF\xEF\xBF\xBF\xF4\x8F\xBF\xBF|\xC2\x80\xE0\xA0\x80\xF0\x90\x80"
        "\x80|\xED\xBF\xBF|x\x9Dy|LED p\xE4\xE4ty|cr\xE9\xE9z|LED \xB5\xC6 40W|\xB0\xB2\xC8\xAB|"
        "\xCB\xC0\xCC\xCF\xC0 \xEB\xE0\xEC\xEF\xE0|\xEC\xC1\xCD\xD0\xC1 "
        "\xCE\xC1\xCB\xC1\xCC\xC9\xD7\xC1\xCE\xC9\xD1",
        '|');
    for (const std::string& bytes : samples) {
        listing += Escaped(bytes, true) + " -> " + ChooseHeaderEncoding(bytes) + ": ";
        for (const char* encoding : {"AUTO", "Shift_JIS", "windows-1251", "utf-8", "nonsense"})
            listing += DecodeHeaderText(bytes, encoding) + " / ";
        listing += ToUtf8Windows1252(bytes) + " / " + ToUtf8Lenient(bytes) + "\n";
    }
    for (const char* name : {"auto", "AUTO", "gb18030", "koi8-r", "Windows-1252", "nonsense", ""})
        listing += std::string(name) + (IsKnownHeaderEncoding(name) ? " known\n" : " unknown\n");
    for (std::string_view name : HeaderEncodingNames())
        listing += std::string(name) + " ";
    testutil::ExpectMatchesFile("header_encoding.txt", listing + "\n");
    EXPECT_EQ(JsonQuote("a\"b\\c\nd\re\tf\x01g\x7F\x1Fh 灯"),
              "\"a\\\"b\\\\c\\nd\\re\\tf\\u0001g\\u007f\\u001fh 灯\"");
    // A view ends where it ends, whatever bytes follow it.
    EXPECT_FALSE(IsValidUtf8(std::string_view("Lumi\xC3\xA8re", 5)));
    EXPECT_EQ(ChooseHeaderEncoding(std::string_view("\xB5\xC6\xBE", 2)), "GB18030");
    // An entry's titles are decided together (the file names stay as they are), or as asked.
    const std::vector<std::string> titles = {"\xE9.ies", "f.ies", "1", "\xC1\xB6\xB8\xED", "LED"};
    EXPECT_EQ(TitlesEncoding(titles, "auto"), "GB18030");
    EXPECT_EQ(TitlesEncoding(titles, "euc-kr"), "EUC-KR");
    EXPECT_EQ(DecodeTitles(titles, "EUC-KR"),
              (std::vector<std::string>{"\xC3\xA9.ies", "f.ies", "1", "조명", "LED"}));
}

} // namespace
} // namespace gonilux
