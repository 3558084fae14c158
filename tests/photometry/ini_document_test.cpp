// The settings file format: lookups, edits that keep unknown content, line endings, section
// order, integers, and safe saving.
#include "photometry/ini_document.h"
#include "test_util.h"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace gonilux {
namespace {

namespace fs = std::filesystem;
using testutil::FileCount;
using testutil::JoinLines;
using testutil::ReadText;
using testutil::TempFolder;
using testutil::WriteText;
using Lines = std::vector<std::string>;
using Entries = std::vector<IniDocument::Entry>;

const std::vector<std::string> kOrder = {
    "Viewer",         "Options",       "GroupBoxExOptions",   "GroupBoxExView",  "GroupBoxExTree",
    "GroupBoxExList", "GroupBoxExEye", "GroupBoxExFavorites", "GroupBoxExOther", "Favorites",
    "Render"};

const Lines kSettingsLines = {
    "; kept by hand",
    "[Viewer]",
    "Path=Desktop/我的电脑/C:/Program Files (x86)/光度 数据/",
    "Width=1024",
    "Left=-8",
    "",
    "[Options]",
    "Panel=1",
    "K=80",
    "# a note between keys",
    "R=32",
    "",
    "[Plugins]",
    "Last=C:\\Users\\Kim Lee\\My Documents\\lamps, old\\a.ies",
    "no equals sign here",
    "",
    "[GroupBoxExOther]",
    "Collapsed=0",
    "EditTrel=  (C) 冷光 照明, \"quoted\" \\n  ",
    "",
    "[Favorites]",
    "folder0=22C:\\Photometry\\",
    "folder1=0A\\\\server\\share\\室内 灯具",
    "[Render]",
    "Zoom=3",
};

std::string SettingsText() {
    return JoinLines(kSettingsLines, "\n");
}

TEST(IniDocument, ReadsAndWritesBackARealisticFileUnchanged) {
    const std::string text = SettingsText();
    const IniDocument document = IniDocument::Parse(text);
    EXPECT_EQ(document.Text(), text);
    EXPECT_EQ(document.Sections(),
              (Lines{"Viewer", "Options", "Plugins", "GroupBoxExOther", "Favorites", "Render"}));
    EXPECT_EQ(document.ValueOr("Viewer", "Path", ""),
              "Desktop/我的电脑/C:/Program Files (x86)/光度 数据/");
    EXPECT_EQ(document.ValueOr("Plugins", "Last", ""),
              "C:\\Users\\Kim Lee\\My Documents\\lamps, old\\a.ies");
    EXPECT_EQ(document.ValueOr("GroupBoxExOther", "EditTrel", ""), "(C) 冷光 照明, \"quoted\" \\n");
    EXPECT_EQ(document.Entries("Favorites"),
              (Entries{{"folder0", "22C:\\Photometry\\"},
                       {"folder1", "0A\\\\server\\share\\室内 灯具"}}));
    EXPECT_EQ(document.Entries("Options"), (Entries{{"Panel", "1"}, {"K", "80"}, {"R", "32"}}));

    IniDocument written;
    for (const auto& [key, value] : document.Entries("Plugins"))
        written.SetValue("A", key, value);
    for (const auto& [key, value] : document.Entries("Viewer"))
        written.SetValue("A", key, value);
    written.SetValue("A", "Symbols", "a=b;c#d[e]\"f\"");
    const IniDocument reread = IniDocument::Parse(written.Text());
    EXPECT_EQ(reread.Entries("A"), written.Entries("A"));
    EXPECT_EQ(reread.Entries("A").size(), 5u);
    EXPECT_EQ(reread.Text(), written.Text());
}

TEST(IniDocument, LookupFollowsProfileStringRules) {
    const IniDocument document = IniDocument::Parse(JoinLines({
        "Early=before any section",
        "[viewer]",
        "  WIDTH  =  1024  ",
        "Width=640",
        "Bare",
        "=no name",
        "; Comment=1",
        "# Hash=1",
        "Empty=",
        "Tab\t=\tvalue with inner  spaces\t",
        "Eq=a=b",
        "[ Spaced ]",
        "X=1",
        "[Viewer]",
        "Second=ignored, the first section wins",
        "[Broken",
        "Y=2",
    }));
    const std::pair<const char*, const char*> missing[] = {
        {"Viewer", "Bare"},   {"Viewer", ""},      {"Viewer", "; Comment"}, {"Viewer", "# Hash"},
        {"Viewer", "Second"}, {"Viewer", "Early"}, {"", "Early"},           {"Spaced", "Y"},
        {"Broken", "Y"},      {"Missing", "Width"}};
    for (const auto& [section, key] : missing) {
        SCOPED_TRACE(std::string(section) + " / " + key);
        EXPECT_EQ(document.Value(section, key), std::nullopt);
        EXPECT_EQ(document.ValueOr(section, key, "fallback"), "fallback");
    }
    const std::array<const char*, 3> found[] = {{"Viewer", "Width", "1024"},
                                                {"VIEWER", "width", "1024"},
                                                {" viewer ", " Width", "1024"},
                                                {"Viewer", "Empty", ""},
                                                {"Viewer", "Eq", "a=b"},
                                                {"Spaced", "X", "1"},
                                                {"Viewer", "Tab", "value with inner  spaces"}};
    for (const auto& [section, key, value] : found) {
        SCOPED_TRACE(std::string(section) + " / " + key);
        EXPECT_EQ(document.Value(section, key), value);
    }
    EXPECT_EQ(document.Sections(), (Lines{"viewer", "Spaced"}));
    EXPECT_EQ(
        document.Entries("Viewer"),
        (Entries{
            {"WIDTH", "1024"}, {"Empty", ""}, {"Tab", "value with inner  spaces"}, {"Eq", "a=b"}}));
}

TEST(IniDocument, AcceptsEveryLineEndingAndWritesLf) {
    const Lines lines = {"[Viewer]", "Width=800", "", "[Options]", "K=80"};
    const std::string expected = JoinLines(lines, "\n");
    const std::string cases[] = {
        JoinLines(lines, "\r\n"),
        JoinLines(lines, "\r"),
        "[Viewer]\r\nWidth=800\r\r\n[Options]\nK=80",
        "[Viewer]\nWidth=800\n\n[Options]\nK=80",
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(::testing::PrintToString(text));
        const IniDocument document = IniDocument::Parse(text);
        EXPECT_EQ(document.Text(), expected);
        EXPECT_EQ(document.ValueOr("Viewer", "Width", ""), "800");
        EXPECT_EQ(document.ValueOr("Options", "K", ""), "80");
    }
    EXPECT_EQ(IniDocument::Parse("").Text(), "");
    EXPECT_EQ(IniDocument::Parse("\n").Text(), "\n");
}

TEST(IniDocument, SetValueKeepsEverythingItDoesNotTouch) {
    IniDocument document = IniDocument::Parse(SettingsText());
    ASSERT_TRUE(document.SetValue("viewer", "width", "1280")); // existing: stays in place
    ASSERT_TRUE(document.SetValue("Viewer", "Height", "720")); // new: after the last key
    ASSERT_TRUE(document.SetValue("OPTIONS", "Panel", " 0 ")); // value written verbatim
    ASSERT_TRUE(document.SetValue("Render", "AutoR", "1"));    // last section, no blank
    ASSERT_TRUE(document.SetValue("Brand New", "Key", "two\r\nlines"));

    Lines expected = kSettingsLines;
    expected[3] = "Width=1280";
    expected.insert(expected.begin() + 5, "Height=720");
    expected[8] = "Panel= 0 ";
    expected.insert(expected.end(), {"AutoR=1", "[Brand New]", "Key=two  lines"});
    EXPECT_EQ(document.Text(), JoinLines(expected, "\n"));
    EXPECT_EQ(document.Value("Options", "Panel"), "0");
    EXPECT_EQ(IniDocument::Parse(document.Text()).Value("Options", "Panel"), "0");
}

TEST(IniDocument, SetValueUpdatesOnlyTheFirstDuplicateAndRefusesUnwritableNames) {
    IniDocument document = IniDocument::Parse("[A]\nk=1\nK=2\n[a]\nk=3\n");
    ASSERT_TRUE(document.SetValue("a", "k", "9"));
    EXPECT_EQ(document.Text(), "[A]\nk=9\nK=2\n[a]\nk=3\n");

    const std::pair<const char*, const char*> refused[] = {
        {"", "Key"},  {"  ", "Key"}, {"A]", "Key"}, {"A\nB", "Key"}, {"A", ""},    {"A", " \t"},
        {"A", "k=v"}, {"A", ";k"},   {"A", "#k"},   {"A", "[k]"},    {"A", "k\r"},
    };
    for (const auto& [section, key] : refused) {
        SCOPED_TRACE(::testing::PrintToString(std::string(section) + "|" + key));
        EXPECT_FALSE(document.SetValue(section, key, "x"));
    }
    EXPECT_EQ(document.Text(), "[A]\nk=9\nK=2\n[a]\nk=3\n");
}

TEST(IniDocument, NewSectionsFollowTheGivenOrder) {
    IniDocument fresh;
    fresh.SetSectionOrder(kOrder);
    const char* const written[] = {
        "Render",  "Favorites",         "Viewer",         "GroupBoxExEye", "Options",
        "Unknown", "GroupBoxExOptions", "GroupBoxExOther"};
    for (const char* section : written)
        ASSERT_TRUE(fresh.SetValue(section, "Key", "1"));
    EXPECT_EQ(fresh.Sections(), (Lines{"Viewer", "Options", "GroupBoxExOptions", "GroupBoxExEye",
                                       "GroupBoxExOther", "Favorites", "Render", "Unknown"}));

    // An existing file keeps its own order; an erased section comes back at its old place.
    IniDocument existing = IniDocument::Parse("[Viewer]\nW=1\n[Custom]\nc=1\n"
                                              "[GroupBoxExOther]\nC=0\n"
                                              "[Favorites]\nfolder0=00a\nfolder1=00b\n"
                                              "[Render]\nZoom=1\n");
    existing.SetSectionOrder(kOrder);
    existing.EraseSection("favorites");
    ASSERT_TRUE(existing.SetValue("Favorites", "folder0", "01c"));
    ASSERT_TRUE(existing.SetValue("Options", "K", "80"));
    EXPECT_EQ(existing.Text(), "[Viewer]\nW=1\n[Options]\nK=80\n[Custom]\nc=1\n"
                               "[GroupBoxExOther]\nC=0\n[Favorites]\nfolder0=01c\n"
                               "[Render]\nZoom=1\n");

    IniDocument shuffled = IniDocument::Parse("[Render]\n[Viewer]\n[Favorites]\n");
    shuffled.SetSectionOrder(kOrder);
    ASSERT_TRUE(shuffled.SetValue("GroupBoxExEye", "K", "80"));
    ASSERT_TRUE(shuffled.SetValue("Options", "K", "80"));
    EXPECT_EQ(shuffled.Sections(),
              (Lines{"Render", "Viewer", "Options", "GroupBoxExEye", "Favorites"}));
}

TEST(IniDocument, EraseSectionRemovesEveryCopyWithItsLines) {
    IniDocument document = IniDocument::Parse(
        "[Favorites]\nfolder0=00a\n; note\nfolder3=00old\n\n[Render]\nZoom=2\n[FAVORITES]\nx=1\n");
    EXPECT_TRUE(document.HasSection("favorites"));
    document.EraseSection(" Favorites ");
    EXPECT_FALSE(document.HasSection("Favorites"));
    EXPECT_EQ(document.Value("Favorites", "folder3"), std::nullopt);
    EXPECT_EQ(document.Entries("Favorites"), Entries{});
    EXPECT_EQ(document.Text(), "[Render]\nZoom=2\n");
    document.EraseSection("Missing");
    EXPECT_EQ(document.Text(), "[Render]\nZoom=2\n");
}

TEST(IniDocument, IntegersAreDecimalWithinTheIntRange) {
    const std::pair<const char*, int> valid[] = {{"0", 0},
                                                 {"800", 800},
                                                 {" \t-8 ", -8},
                                                 {"+12", 12},
                                                 {"007", 7},
                                                 {"-0", 0},
                                                 {"2147483647", 2147483647},
                                                 {"-2147483648", -2147483647 - 1}};
    for (const auto& [text, value] : valid)
        EXPECT_EQ(ParseIniInteger(text), value) << text;
    for (const char* text : {"2147483648", "-2147483649", "99999999999999999999", "", "  ", "-",
                             "+-1", "8OO", "1 2", "0x10", "$10", "1.5", "1e3", "８"}) {
        EXPECT_EQ(ParseIniInteger(text), std::nullopt) << text;
    }

    IniDocument document = IniDocument::Parse("[Viewer]\nWidth=abc\nHeight=\nState= 2 \n");
    EXPECT_EQ(document.IntegerOr("Viewer", "Width", 800), std::nullopt);
    EXPECT_EQ(document.IntegerOr("Viewer", "Height", 600), std::nullopt);
    EXPECT_EQ(document.IntegerOr("Viewer", "State", 0), 2);
    EXPECT_EQ(document.IntegerOr("Viewer", "Tree", 362), 362);
    EXPECT_EQ(document.IntegerOr("Nowhere", "Tree", 362), 362);
    ASSERT_TRUE(document.SetInteger("Viewer", "Left", -8));
    EXPECT_EQ(document.IntegerOr("Viewer", "Left", 0), -8);
}

TEST(IniDocument, SurvivesBinaryGarbage) {
    std::mt19937 generator(7);
    std::uniform_int_distribution<int> byte(0, 255);
    const char alphabet[] = "[]=;# \t\r\n\0ab";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int i = 0; i < 400; ++i) {
            text += round % 2 ? static_cast<char>(byte(generator)) : alphabet[pick(generator)];
        }
        const IniDocument document = IniDocument::Parse(text);
        const std::string once = document.Text();
        const IniDocument reread = IniDocument::Parse(once);
        ASSERT_EQ(reread.Text(), once) << "round " << round;
        for (const std::string& section : document.Sections()) {
            ASSERT_EQ(reread.Entries(section), document.Entries(section)) << "round " << round;
        }
    }
    const std::string huge = "[S]\nk=" + std::string(1 << 20, 'v') + std::string(3, '\0') + "\n";
    EXPECT_EQ(IniDocument::Parse(huge).Text(), huge);
    EXPECT_EQ(IniDocument::Parse(huge).ValueOr("S", "k", "").size(), (1u << 20) + 3);
}

TEST(IniFile, SavesAtomicallyAndLoadsBack) {
    TempFolder folder;
    const fs::path file = folder.Path() / "设置 folder";
    fs::create_directory(file);
    const std::string path = (file / "gonilux.ini").string();
    std::string error;

    IniDocument document;
    document.SetSectionOrder(kOrder);
    ASSERT_TRUE(LoadIniFile(path, document, error)) << error; // missing file: empty document
    EXPECT_EQ(document.Text(), "");
    EXPECT_EQ(document.SectionOrder(), kOrder);

    WriteText(path, "[Viewer]\r\nWidth=640\r\n[Keep]\r\nmine=1\r\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(LoadIniFile(path, document, error)) << error;
    EXPECT_EQ(document.SectionOrder(), kOrder);
    ASSERT_TRUE(document.SetValue("Options", "K", "80"));
    ASSERT_TRUE(SaveIniFile(path, document, error)) << error;
    EXPECT_EQ(ReadText(path), "[Viewer]\nWidth=640\n[Options]\nK=80\n[Keep]\nmine=1\n");
    EXPECT_EQ(FileCount(file), 1u); // no temporary file left behind
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    IniDocument reread;
    ASSERT_TRUE(LoadIniFile(path, reread, error)) << error;
    EXPECT_EQ(reread.Text(), document.Text());

    const fs::path link = folder.Path() / "link.ini"; // a link is written through, not replaced
    fs::create_symlink(path, link);
    ASSERT_TRUE(reread.SetValue("Viewer", "Width", "320"));
    ASSERT_TRUE(SaveIniFile(link.string(), reread, error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadText(path), "[Viewer]\nWidth=320\n[Options]\nK=80\n[Keep]\nmine=1\n");
}

TEST(IniFile, ReportsFilesItCannotReadOrWrite) {
    TempFolder folder;
    const fs::path blocker = folder.Path() / "not a folder";
    WriteText(blocker, "x");
    const std::string underFile = (blocker / "gonilux.ini").string();
    const IniDocument document = IniDocument::Parse("[Viewer]\nWidth=800\n");
    std::string error;

    EXPECT_FALSE(SaveIniFile(underFile, document, error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(SaveIniFile(folder.Str(), document, error)); // a folder in the way
    EXPECT_FALSE(error.empty());

    IniDocument loaded = IniDocument::Parse("[Old]\na=1\n");
    error.clear();
    EXPECT_FALSE(LoadIniFile(folder.Str(), loaded, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(loaded.Text(), "");

    const fs::path readOnly = folder.Path() / "gonilux.ini";
    WriteText(readOnly, "[Viewer]\nWidth=1\n");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    error.clear();
    EXPECT_FALSE(SaveIniFile(readOnly.string(), document, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadText(readOnly), "[Viewer]\nWidth=1\n");
    EXPECT_EQ(FileCount(folder.Path()), 2u);
}

TEST(IniFile, ReadOnlyFolderKeepsTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not apply to root";
    TempFolder folder;
    const fs::path locked = folder.Path() / "locked";
    fs::create_directory(locked);
    const fs::path path = locked / "gonilux.ini";
    WriteText(path, "[Viewer]\nWidth=1\n");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    std::string error;
    const bool saved = SaveIniFile(path.string(), IniDocument::Parse("[A]\nb=2\n"), error);
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadText(path), "[Viewer]\nWidth=1\n");
    EXPECT_EQ(FileCount(locked), 1u);
}

} // namespace
} // namespace gonilux
