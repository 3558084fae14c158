// Header keywords, title strings, the author mark and the info texts.
#include "photometry/header_titles.h"
#include "photometry/text_encoding.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace gonilux {
namespace {

using Titles = std::vector<std::string>;

TEST(KeywordValue, RestOfTheKeywordsOwnLineTrimmedAndCut) {
    struct Case {
        const char* keyword;
        std::string header;
        const char* terminator;
        std::string expected;
    };
    const Case cases[] = {
        {"[TEST]", "[TEST] R-12 [MANUFAC] ACME\r\n", "[", "R-12"},
        {"[MANUFAC]", "[TEST] R-12 [MANUFAC] ACME\r\n", "[", "ACME"},
        {"[TEST]", "[Test] R-12\r\n", "[", ""},
        {"[TEST]", "", "[", ""},
        {"[TEST]", "abc[TEST]   spaced out  \t\r\nnext\r\n", "[", "spaced out"},
        {"[TEST]", "[TEST]\t\tR-12\t\x1A\r\n", "[", "R-12"},
        {"[TEST]", "[TEST] a\rb\r\n", "[", "a"},
        {"[TEST]", "[TEST] a\nb\r\n", "[", "a"},
        {"[TEST]", "[TEST] first\r\n[TEST] second\r\n", "[", "first"},
        {"[TEST]", "[TEST]\r\n[MANUFAC] X\r\n", "[", ""},
        {"[TEST]", "[TEST] no break at the end", "[", "no break at the end"},
        {"[LAMP]", "[LAMPCAT] C-1\r\n[LAMP] HIT 70W\r\n", "[", "HIT 70W"},
        {"[LAMPCAT]", "[LAMPCAT] 30\xB0\r\n", "[", "30\xB0"},
        {"[LAMPCAT]", "[LAMPCAT]\xB0 beam\r\n", "[", "\xB0 beam"},
        {"DESCR.-1 :", "DESCR.-1 : A [B]\r\n", "", "A [B]"},
        {"LM-NO.   :", "LM-NO.   : 1234 LM-DATE: 1999\r\n", "LM-DATE", "1234"},
        {"LM-NO.   :", "LM-NO.   : 1234\r\nLM-DATE: 1999\r\n", "LM-DATE", "1234"},
        {"LM-NO.   :", "LM-NO. : 1234\r\n", "LM-DATE", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.keyword) + " in \"" + c.header + "\"");
        EXPECT_EQ(KeywordValue(c.keyword, c.header, c.terminator), c.expected);
    }
}

TEST(ExtractTitles, KeywordsAndTheirFallbacks) {
    struct Case {
        std::string header;
        Titles expected;
    };
    const Case cases[] = {
        {"IESNA:LM-63-1995\r\n[TEST] R-12 [MANUFAC] ACME\r\n[LUMINAIRE]\r\n"
         "DESCR.-1 : Downlight 2x26W\r\nLM-NO.   : 1234 LM-DATE: 1999\r\n"
         "LAMP     : TC-D 26W\r\n[LAMPCAT] 26W/840\r\nTILT=NONE\r\n",
         {"", "lamp.ies", "R-12", "ACME", "Downlight 2x26W", "1234", "TC-D 26W", "26W/840"}},
        // A fallback only stands in for an empty value.
        {"[LUMINAIRE] Real\r\nDESCR.-1 : Other\r\n[LUMCAT] C1\r\nLM-NO.   : 99\r\n"
         "[LAMP] L1\r\nLAMP     : L2\r\nTILT=NONE\r\n",
         {"", "lamp.ies", "", "", "Real", "C1", "L1", ""}},
        // Mixed case keywords are not recognised; an empty value falls back.
        {"[Test] T\r\n[manufac] M\r\n[LUMINAIRE] [LUMCAT] Cat\r\nTILT=NONE\r\n",
         {"", "lamp.ies", "", "", "", "Cat", "", ""}},
        {"", {"", "lamp.ies", "", "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        TiesData entry = CreateIesData("lamp.ies");
        ExtractTitles(entry, "lamp.ies", c.header);
        EXPECT_EQ(entry.Lines, c.expected);
    }
}

TEST(ExtractTitles, FileNameWithoutFoldersAndPreviousNameOnSecondRead) {
    TiesData entry = CreateIesData("lamp.ies");
    const std::string header = "[TEST] T1\r\nTILT=NONE\r\n";
    ExtractTitles(entry, "C:\\data\\sub/lamp.ies", header);
    EXPECT_EQ(entry.Lines, (Titles{"", "lamp.ies", "T1", "", "", "", "", ""}));
    ExtractTitles(entry, "/data/lamp.ies", header);
    EXPECT_EQ(entry.Lines, (Titles{"lamp.ies", "lamp.ies", "T1", "", "", "", "", ""}));

    ExtractTitles(entry, "/data/renamed.ies", "");
    EXPECT_EQ(entry.Lines, (Titles{"lamp.ies", "renamed.ies", "", "", "", "", "", ""}));

    TiesData bare; // no title strings at all
    ExtractTitles(bare, "x.ies", header);
    EXPECT_EQ(bare.Lines, (Titles{"", "x.ies", "T1", "", "", "", "", ""}));
}

TEST(ExtractTitles, ChangedByAuthorNeedsTheSurnameInTheChangedValue) {
    struct Case {
        std::string header;
        bool changed;
    };
    const Case cases[] = {
        {"[CHANGED]     (C) Gonilux v2.9 by Kestrin: rotated from 90 to 0\r\n", true},
        {"[CHANGED] KestrinX\r\n", true},
        {"[CHANGED] by kestrin\r\n", false},
        {"[changed] Kestrin\r\n", false},
        {"[CHANGED] edited [MORE] Kestrin\r\n", false},
        {"[CHANGED]\r\n[MORE] Kestrin\r\n", false},
        {"[MORE] Kestrin\r\n", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        EXPECT_EQ(HeaderChangedByAuthor(c.header), c.changed);
        TiesData entry = CreateIesData("a.ies");
        entry.ChangedByAuthor = !c.changed;
        ExtractTitles(entry, "a.ies", c.header);
        EXPECT_EQ(entry.ChangedByAuthor, c.changed);
    }
}

TEST(BuildInfoText, LabelsInFixedOrderWithoutFinalBreak) {
    const Titles all = {"old.ies", "f.ies", "T", "M", "Lu", "LC", "La", "LaC"};
    struct Case {
        Titles lines;
        bool chinese;
        std::string expected;
    };
    const Case cases[] = {
        {{"x", "f.ies", "", "", "", "", "", ""}, true, ""},
        {{"x", "f.ies", "", "", "", "", "", ""}, false, ""},
        {{"", "f.ies", "", "", "", "", "La", ""}, true, "灯泡: La"},
        {{"", "f.ies", "", "", "", "", "La", ""}, false, "[LAMP] La"},
        {all, true,
         "测试: T\r\n生  产  商:   M\r\n灯   具   目   录: LC\r\n灯     具: Lu\r\n"
         "灯 泡 目 录:  LaC\r\n灯泡: La"},
        {all, false,
         "[TEST] T\r\n[MANUFAC]  M\r\n[LUMCAT] LC\r\n[LUMINAIRE] Lu\r\n[LAMPCAT] LaC\r\n[LAMP] La"},
        {{"", "f.ies", "", "M", "", "", "", "LaC"}, false, "[MANUFAC]  M\r\n[LAMPCAT] LaC"},
        {{"", "f.ies", "T", "", "Lu", "", "", ""}, true, "测试: T\r\n灯     具: Lu"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(BuildInfoText(c.lines, c.chinese), c.expected);
    }
}

TEST(BuildPreviewInfo, FileNameLineThenChineseInfo) {
    EXPECT_EQ(BuildPreviewInfo({"", "f.ies", "", "ACME", "", "", "", ""}),
              "文件名:   f.ies\r生  产  商:   ACME");
    EXPECT_EQ(BuildPreviewInfo({"", "f.ies", "", "", "", "", "", ""}), "文件名:   f.ies\r");
}

TEST(FileNameOf, BothSeparatorsEndFolders) {
    EXPECT_EQ(FileNameOf("C:\\data\\lamp.ies"), "lamp.ies");
    EXPECT_EQ(FileNameOf("/data/sub/lamp.ies"), "lamp.ies");
    EXPECT_EQ(FileNameOf("a\\b/c.ies"), "c.ies");
    EXPECT_EQ(FileNameOf("c.ies"), "c.ies");
    EXPECT_EQ(FileNameOf("dir/"), "");
    EXPECT_EQ(FileNameOf(""), "");
}

TEST(HeaderTextDecoding, Utf8StaysAndOtherBytesReadAsWindows1252OrLatin1) {
    EXPECT_EQ(ToUtf8Windows1252("Lumi\xC3\xA8re"), "Lumi\xC3\xA8re");
    EXPECT_EQ(ToUtf8Windows1252("Lumi\xE8re \x80 \x96"),
              "Lumi\xC3\xA8re \xE2\x82\xAC \xE2\x80\x93");
    EXPECT_EQ(ToUtf8Windows1252("\x81"), "\xC2\x81"); // undefined in the code page
    EXPECT_EQ(ToUtf8Lenient("\x80"), "\xC2\x80");     // the command line's JSON keeps ISO-8859-1
}

} // namespace
} // namespace gonilux
