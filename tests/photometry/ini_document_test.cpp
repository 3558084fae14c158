// The settings file format: lookups, edits that keep unknown content, line endings, section
// order, integers, and safe saving.
#include "photometry/ini_document.h"
#include "test_util.h"

#include <unistd.h>

namespace gonilux {
namespace {

namespace fs = std::filesystem;
using testutil::ReadText;
using testutil::WriteText;
using Lines = std::vector<std::string>;

const Lines kOrder = {"Viewer",        "Options",         "GroupBoxExOptions", "GroupBoxExView",
                      "GroupBoxExEye", "GroupBoxExOther", "Favorites",         "Render"};

const std::string kSettings =
    "; kept by hand\n[viewer]\n  Path  =  Desktop/我的电脑/光度 数据/  \n"
    "Width=1024\nwidth=640\n\n[Options]\nPanel=1\n# a note=1\nEmpty=\n"
    "Eq=a=b\n=no name\nBare\n\n[Plugins]\nLast=C:\\Users\\Kim Lee\\a, b.ies\n"
    "Tab\t=\tvalue with inner  spaces\t\n[ Spaced ]\nX=1\n[Viewer]\nSecond=1\n"
    "[Broken\nY=2\n[Render]\nZoom=3";

std::string Shown(const IniDocument& document) {
    std::string text = "sections";
    for (const std::string& section : document.Sections()) {
        text += " [" + section + "]";
        for (const auto& [key, value] : document.Entries(section))
            text += " " + key + "=" + value + ";";
    }
    return text + "\n" + testutil::Escaped(document.Text()) + "\n";
}

// Lookups by the profile-string rules, edits that keep what they do not touch, refused names,
// new sections in the given order and erased ones, compared with the checked-in listing.
TEST(IniDocument, LookupsAndEditsGiveTheListedDocuments) {
    IniDocument document = IniDocument::Parse(kSettings);
    EXPECT_EQ(document.Text(), kSettings + "\n");
    std::string listing = Shown(document);
    for (const char* name :
         {"Viewer/Path", "VIEWER/WIDTH", " viewer / width ", "Options/Empty", "Options/Eq",
          "Options/Bare", "Options/", "Options/# a note", "Viewer/Second", "Spaced/X", "Spaced/Y",
          "Plugins/Tab", "Plugins/Last", "/Path", "Missing/Width"}) {
        const std::string text = name, section = text.substr(0, text.find('/'));
        const std::string key = text.substr(text.find('/') + 1);
        listing += text + " -> " + document.ValueOr(section, key, "(none)") + " / " +
                   ::testing::PrintToString(document.IntegerOr(section, key, -7)) + "\n";
        EXPECT_EQ(document.Value(section, key).has_value(),
                  document.ValueOr(section, key, "(none)") != "(none)");
    }
    document.SetSectionOrder(kOrder);
    for (const char* edit :
         {"viewer|WIDTH|1280", "Viewer|Height|720", " Options | Panel | 0 ", "Render|AutoR|1",
          "Brand New|Key|two\r\nlines", "Favorites|f0|a", "GroupBoxExEye|Eye|1", "Spaced|K|x",
          "|Key|x", "  |Key|x", "A]|Key|x", "A\nB|Key|x", "A||x", "A| \t|x", "A|k=v|x", "A|;k|x",
          "A|#k|x", "A|[k]|x", "A|k\r|x"}) {
        const std::vector<std::string> e = testutil::Split(edit, '|');
        listing += testutil::Escaped(e[0] + "/" + e[1] + " = " + e[2]) + ": " +
                   (document.SetValue(e[0], e[1], e[2]) ? "set\n" : "refused\n");
    }
    EXPECT_TRUE(document.SetInteger("Render", "Left", -8));
    listing += Shown(document);
    document.EraseSection(" VIEWER ");
    document.EraseSection("Missing");
    EXPECT_FALSE(document.HasSection("Viewer"));
    document.SetValue("Viewer", "W", "1");
    document.SetValue("Options", "Panel", "2");
    document.SetValue("GroupBoxExOptions", "P", "3");
    listing += Shown(document);
    IniDocument fresh;
    fresh.SetSectionOrder(kOrder);
    for (const char* section : {"Render", "Favorites", "Viewer", "GroupBoxExEye", "Options",
                                "Unknown", "GroupBoxExOptions", "GroupBoxExOther"})
        fresh.SetValue(section, "Key", "1");
    listing += Shown(fresh);
    // Every line ending reads the same; lines that mean nothing are kept as they are.
    for (const char* text : {"", "[Viewer]\r\nWidth=800\r\r\n[Options]\nK=80",
                             "[Viewer]\rWidth=800\r\r[Options]\rK=80\r",
                             "[x]]\n=a\n[\n;=\n#k=v\n\x01=\xE7\n[ ]\nk = = v\n[x]\nK=2"})
        listing += Shown(IniDocument::Parse(text));
    listing += "integers";
    for (const std::string& text : testutil::Split("0| \t-8 |+12|007|-0|2147483647|-2147483648|"
                                                   "2147483648|-2147483649|99999999999999999999||"
                                                   "-|+-1|8OO|1 2|0x10|1.5|/|:|８",
                                                   '|'))
        listing += " " + ::testing::PrintToString(ParseIniInteger(text));
    testutil::ExpectMatchesFile("ini_document.txt", listing + "\n");
}

TEST(IniFile, SavesAtomicallyThroughLinksAndLoadsBack) {
    testutil::TempFolder folder;
    const fs::path file = folder.Path / "设置 folder";
    fs::create_directory(file);
    const std::string path = (file / "gonilux.ini").string();
    std::string error;
    IniDocument document = IniDocument::Parse("[Old]\na=1\n");
    document.SetSectionOrder(kOrder);
    EXPECT_TRUE(LoadIniFile(path, document, error)) << error; // missing file: empty document
    EXPECT_EQ(document.Text(), "");
    WriteText(path, "[Viewer]\r\nWidth=640\r\n[Keep]\r\nmine=1\r\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(LoadIniFile(path, document, error)) << error;
    document.SetValue("Options", "K", "80");
    EXPECT_TRUE(SaveIniFile(path, document, error)) << error;
    EXPECT_EQ(ReadText(path), "[Viewer]\nWidth=640\n[Options]\nK=80\n[Keep]\nmine=1\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(file), fs::directory_iterator{}), 1);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    const fs::path link = folder.Path / "link.ini"; // a link is written through, not replaced
    fs::create_symlink(path, link);
    document.SetValue("Viewer", "Width", "320");
    EXPECT_TRUE(SaveIniFile(link.string(), document, error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadText(path), "[Viewer]\nWidth=320\n[Options]\nK=80\n[Keep]\nmine=1\n");
}

TEST(IniFile, FilesItCannotReadOrWriteGiveAReasonAndStayAsTheyWere) {
    testutil::TempFolder folder;
    WriteText(folder.Path / "not a folder", "x");
    WriteText(folder.Path / "gonilux.ini", "[Viewer]\nWidth=1\n");
    fs::permissions(folder.Path / "gonilux.ini", fs::perms::owner_read | fs::perms::group_read);
    std::string reasons, error;
    for (const char* name : {"not a folder/gonilux.ini", "", "gonilux.ini"})
        reasons +=
            (SaveIniFile(folder.Str(name), IniDocument::Parse("[A]\nb=2\n"), error) ? "saved"
                                                                                    : error) +
            "\n";
    IniDocument loaded = IniDocument::Parse("[Old]\na=1\n");
    EXPECT_FALSE(LoadIniFile(folder.Str(), loaded, error));
    EXPECT_EQ(
        reasons + error + loaded.Text(),
        "Not a directory\nis a folder, not a file\nthe file is read-only\nis a folder, not a file");
    EXPECT_EQ(ReadText(folder.Path / "gonilux.ini"), "[Viewer]\nWidth=1\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path), fs::directory_iterator{}), 2);
}

} // namespace
} // namespace gonilux
