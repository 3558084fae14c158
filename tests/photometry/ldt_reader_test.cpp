// EULUMDAT files: fixtures built here from the format's line layout in the styles different
// writers use, damaged files with the line of their first bad field, and every real file of
// the shared test data, each of which must survive the way to IES text and back.
#include "photometry/file_io.h"
#include "photometry/header_titles.h"
#include "photometry/ies_reader.h"
#include "photometry/ies_writer.h"
#include "photometry/ldt_reader.h"
#include "test_util.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace gonilux {
namespace {

namespace fs = std::filesystem;
using testutil::ExpectSameRecord;
using testutil::JoinLines;
using testutil::Steps;

// Fixtures

struct LampSetSpec {
    std::string Lamps = "1";
    std::string Type = "LED 840";
    std::string Flux = "2000";
    std::string Watts = "20.4";
};

struct LdtSpec {
    int Isym = 0;
    int Mc = 24; // C-planes every 15 degrees
    int Ng = 7;  // gamma every 15 degrees, 0 to 90
    std::vector<LampSetSpec> Sets{LampSetSpec{}};
    std::string Conversion = "1.0";
    std::string AreaLength = "600";
    std::string AreaWidth = "300";
    std::array<std::string, 4> AreaHeights{"0", "0", "0", "0"};
};

int StoredPlaneCount(const LdtSpec& s) {
    const int counts[] = {s.Mc, 1, s.Mc / 2 + 1, s.Mc / 2 + 1, s.Mc / 4 + 1};
    return counts[s.Isym];
}

// Every stored value tells its plane and angle.
double StoredValue(int plane, int gamma) {
    return 100.0 * (plane + 1) + gamma + 0.25;
}

// The file line by line as the format lays it out.
std::vector<std::string> LdtLines(const LdtSpec& s) {
    std::vector<std::string> l = {"ACME Lighting",
                                  "2",
                                  std::to_string(s.Isym),
                                  std::to_string(s.Mc),
                                  "15",
                                  std::to_string(s.Ng),
                                  "15",
                                  "R-1234",
                                  "Panel 600",
                                  "P600-1",
                                  "panel.ldt",
                                  "2026-01-01 / QA",
                                  "620",
                                  "320",
                                  "40",
                                  s.AreaLength,
                                  s.AreaWidth};
    for (const std::string& h : s.AreaHeights)
        l.push_back(h);
    for (const char* x : {"100", "85.5", s.Conversion.c_str(), "0"})
        l.push_back(x);
    l.push_back(std::to_string(s.Sets.size()));
    for (const LampSetSpec& set : s.Sets)
        for (const std::string& x :
             {set.Lamps, set.Type, set.Flux, std::string("4000"), std::string("80"), set.Watts})
            l.push_back(x);
    for (int i = 0; i < 10; ++i)
        l.push_back("0." + std::to_string(40 + 5 * i));
    for (int c = 0; c < s.Mc; ++c)
        l.push_back(ExactIesNumber(15.0 * c));
    for (int g = 0; g < s.Ng; ++g)
        l.push_back(ExactIesNumber(15.0 * g));
    for (int p = 0; p < StoredPlaneCount(s); ++p)
        for (int g = 0; g < s.Ng; ++g)
            l.push_back(ExactIesNumber(StoredValue(p, g)));
    return l;
}

std::string LdtText(const LdtSpec& s) {
    return JoinLines(LdtLines(s), "\r\n");
}

// Line of the first lamp set's fields and of the first intensity.
constexpr int kLampsLine = 27, kFluxLine = 29;
int FirstIntensityLine(const LdtSpec& s) {
    return 26 + 6 * static_cast<int>(s.Sets.size()) + 10 + s.Mc + s.Ng + 1;
}

struct Read {
    tIES Ies;
    LdtParseResult Result;
};

Read ParseText(std::string_view text, std::string_view path = "folder/panel.ldt") {
    Read r;
    r.Result = ParseLdt(text, path, r.Ies);
    return r;
}

// The record as IES text and back, titles included.
void ExpectIesRoundTrip(const tIES& ies, const std::vector<std::string>& titles,
                        const std::string& context) {
    const std::string text = BuildIesText(ies, titles);
    tIES back;
    ParseResult parsed = ParseIes(text, back);
    EXPECT_FALSE(parsed.Diagnostics.HeaderError) << context;
    ExpectSameRecord(ies, back, context + " (IES round trip)");
    TiesData entry = CreateIesData("x");
    ExtractTitles(entry, titles[TitleFileName], parsed.HeaderText);
    for (int i = TitleFileName; i < TitleCount; ++i)
        EXPECT_EQ(entry.Lines[static_cast<std::size_t>(i)], titles[static_cast<std::size_t>(i)])
            << context << " title " << i;
}

// Plane layouts

struct SymmetryCase {
    int Isym;
    tArrEx Horz;
    bool Mirrored; // record rows are the stored planes in reverse order
};

TEST(LdtReader, EachSymmetryKeepsThePlanesItStores) {
    const SymmetryCase cases[] = {
        {0, Steps(0, 345, 15), false}, {1, {0}, false},
        {2, Steps(0, 180, 15), false}, {3, Steps(90, 270, 15), true},
        {4, Steps(0, 90, 15), false},
    };
    for (const SymmetryCase& c : cases) {
        LdtSpec spec;
        spec.Isym = c.Isym;
        Read r = ParseText(LdtText(spec));
        const std::string context = "Isym " + std::to_string(c.Isym);
        EXPECT_FALSE(r.Result.Diagnostics.HeaderError) << context;
        testutil::ExpectConsistent(r.Ies, context);
        EXPECT_EQ(r.Ies.PhotometricType, 1);
        EXPECT_EQ(r.Ies.UnitsType, 2);
        EXPECT_EQ(r.Ies.HorzAngles, c.Horz) << context;
        EXPECT_EQ(r.Ies.VertAngles, Steps(0, 90, 15)) << context;
        const int rows = static_cast<int>(c.Horz.size());
        for (int h = 0; h < rows; ++h) {
            const int stored = c.Mirrored ? rows - 1 - h : h;
            for (int g = 0; g < spec.Ng; ++g)
                EXPECT_EQ(r.Ies.Candela[static_cast<std::size_t>(h)][static_cast<std::size_t>(g)],
                          StoredValue(stored, g))
                    << context << " plane " << h << " gamma " << g;
        }
        ExpectIesRoundTrip(r.Ies, r.Result.Titles, context);
    }
}

// Writers' styles

// The value lists packed several to a line with blank lines between them, as some programs do.
std::string WithPackedValues(const std::vector<std::string>& lines) {
    std::vector<std::string> out(lines.begin(), lines.begin() + 32);
    for (std::size_t i = 32; i < lines.size(); i += 5) {
        std::string packed;
        for (std::size_t k = i; k < std::min(i + 5, lines.size()); ++k)
            packed += lines[k] + "\t ";
        out.push_back(packed);
        out.push_back("");
    }
    return JoinLines(out, "\r\n");
}

struct StyleCase {
    const char* Name;
    std::function<std::string(const std::vector<std::string>&)> Write;
};

TEST(LdtReader, WritersStylesReadTheSame) {
    const StyleCase styles[] = {
        {"LF", [](const auto& l) { return JoinLines(l, "\n"); }},
        {"CR", [](const auto& l) { return JoinLines(l, "\r"); }},
        {"no final break",
         [](const auto& l) {
             std::string t = JoinLines(l, "\n");
             t.pop_back();
             return t;
         }},
        {"byte-order mark", [](const auto& l) { return "\xEF\xBB\xBF" + JoinLines(l, "\r\n"); }},
        {"decimal commas",
         [](auto l) {
             for (std::string& line : l)
                 if (!line.empty() && line.find_first_not_of("0123456789.-") == std::string::npos)
                     std::replace(line.begin(), line.end(), '.', ',');
             return JoinLines(l, "\n");
         }},
        {"packed values", WithPackedValues},
        {"quoted texts",
         [](auto l) {
             for (std::size_t i : {0, 7, 8, 9, 10, 27})
                 l[i] = "\"" + l[i] + "\"";
             return JoinLines(l, "\n");
         }},
        {"blanks around fields",
         [](auto l) {
             for (std::string& line : l)
                 line = "  " + line + " ";
             return JoinLines(l, "\n");
         }},
        {"trailing data and Ctrl-Z",
         [](const auto& l) { return JoinLines(l, "\n") + "\n\n1 2 3\n4\n\x1A"; }},
    };
    for (int isym : {0, 3}) {
        LdtSpec spec;
        spec.Isym = isym;
        const std::vector<std::string> lines = LdtLines(spec);
        const Read plain = ParseText(JoinLines(lines, "\r\n"));
        ASSERT_FALSE(plain.Result.Diagnostics.HeaderError);
        for (const StyleCase& style : styles) {
            const std::string context = std::string(style.Name) + ", Isym " + std::to_string(isym);
            Read r = ParseText(style.Write(lines));
            EXPECT_FALSE(r.Result.Diagnostics.HeaderError)
                << context << " line " << r.Result.Diagnostics.HeaderErrorLine;
            ExpectSameRecord(r.Ies, plain.Ies, context);
            EXPECT_EQ(r.Result.Titles, plain.Result.Titles) << context;
        }
    }
}

// Lamps, flux and multiplier

struct LampCase {
    const char* Name;
    std::string Lamps, Flux, Conversion;
    std::uint16_t LampCount;
    double LumensPerLamp, Multiplier;
    double ValueScale; // record value / stored value
};

TEST(LdtReader, LampFiguresGiveCandelaThroughTheMultiplier) {
    const LampCase cases[] = {
        {"one lamp", "1", "2000", "1.0", 1, 2000, 2, 1},
        {"three lamps", "3", "4500", "1", 3, 1500, 4.5, 1},
        {"conversion factor", "1", "2000", "0.25", 1, 2000, 0.5, 1},
        {"conversion factor making the multiplier 1", "1", "2000", "0.5", 1, 2000, 2, 0.5},
        {"conversion factor 0 means none", "1", "2000", "0", 1, 2000, 2, 1},
        {"absolute photometry", "-1", "611.9", "1", 1, -1, 1, 1},
        {"absolute, several lamps", "-2", "800", "1", 2, -1, 1, 1},
        {"no flux given", "1", "0", "1", 1, 0, 1, 1},
        // Two lamps of 500 lm: the values would be candela with multiplier 1, which an IES
        // file expresses per 1000 lm of one lamp.
        {"multiplier 1 with 500 lm lamps", "2", "1000", "1", 2, 500, 0.5, 2},
    };
    for (const LampCase& c : cases) {
        LdtSpec spec;
        spec.Sets[0].Lamps = c.Lamps;
        spec.Sets[0].Flux = c.Flux;
        spec.Conversion = c.Conversion;
        Read r = ParseText(LdtText(spec));
        EXPECT_FALSE(r.Result.Diagnostics.HeaderError) << c.Name;
        EXPECT_EQ(r.Ies.LampCount, c.LampCount) << c.Name;
        EXPECT_DOUBLE_EQ(r.Ies.LumensPerLamp, c.LumensPerLamp) << c.Name;
        EXPECT_DOUBLE_EQ(r.Ies.Multiplier, c.Multiplier) << c.Name;
        EXPECT_EQ(r.Ies.InputWatts, 20) << c.Name;
        EXPECT_DOUBLE_EQ(r.Ies.Candela[3][2], StoredValue(3, 2) * c.ValueScale) << c.Name;
        ExpectIesRoundTrip(r.Ies, r.Result.Titles, c.Name);
    }
}

TEST(LdtReader, FirstLampSetGivesTheFiguresAndTheLampTitle) {
    LdtSpec spec;
    spec.Sets = {{"2", "T5 54W", "8900", "118"}, {"1", "LED 60W", "7000", "61"}};
    Read r = ParseText(LdtText(spec));
    EXPECT_FALSE(r.Result.Diagnostics.HeaderError);
    EXPECT_EQ(r.Ies.LampCount, 2);
    EXPECT_EQ(r.Ies.LumensPerLamp, 4450);
    EXPECT_EQ(r.Ies.InputWatts, 118);
    EXPECT_EQ(r.Result.Titles[TitleLamp], "T5 54W");
    EXPECT_EQ(r.Ies.Candela[0][0], StoredValue(0, 0)); // the data follow both sets
    EXPECT_EQ(r.Ies.Candela.back().back(), StoredValue(23, 6));
}

struct OpeningCase {
    const char* Name;
    std::string Length, Width;
    std::array<std::string, 4> Heights;
    double W, L, H;
};

TEST(LdtReader, LuminousAreaBecomesTheOpeningInMetres) {
    const OpeningCase cases[] = {
        {"rectangle", "600", "300", {"0", "0", "0", "0"}, 0.3, 0.6, 0},
        {"round", "200", "0", {"0", "0", "0", "0"}, -0.2, 0, 0},
        {"box, tallest side", "600", "300", {"20", "0", "35", "0"}, 0.3, 0.6, 0.035},
        {"point", "0", "0", {"0", "0", "0", "0"}, 0, 0, 0},
    };
    for (const OpeningCase& c : cases) {
        LdtSpec spec;
        spec.AreaLength = c.Length;
        spec.AreaWidth = c.Width;
        spec.AreaHeights = c.Heights;
        Read r = ParseText(LdtText(spec));
        EXPECT_EQ(r.Ies.Width, c.W) << c.Name;
        EXPECT_EQ(r.Ies.Length, c.L) << c.Name;
        EXPECT_EQ(r.Ies.Height, c.H) << c.Name;
    }
}

TEST(LdtReader, RecognisesTheExtensionInAnyCase) {
    for (const char* yes : {"a.ldt", "A.LDT", "dir/x.Ldt", ".ldt"})
        EXPECT_TRUE(IsLdtFileName(yes)) << yes;
    for (const char* no : {"a.ies", "ldt", "a.ldt.ies", "a_ldt", "a.ldtx", ""})
        EXPECT_FALSE(IsLdtFileName(no)) << no;
}

// Damaged files

struct DamageCase {
    const char* Name;
    std::function<void(std::vector<std::string>&)> Damage;
    int Line; // 0: the file's last line
};

TEST(LdtReader, DamagedFilesNameTheLineOfTheFirstBadField) {
    const LdtSpec spec;
    const int firstValue = FirstIntensityLine(spec);
    auto set = [](int line, std::string value) {
        return [line, value](std::vector<std::string>& l) {
            l[static_cast<std::size_t>(line - 1)] = value;
        };
    };
    auto cut = [](int keep) {
        return [keep](std::vector<std::string>& l) { l.resize(static_cast<std::size_t>(keep)); };
    };
    const DamageCase cases[] = {
        {"symmetry 5", set(3, "5"), 3},
        {"symmetry not a number", set(3, "two"), 3},
        {"no C-planes", set(4, "0"), 4},
        {"fractional plane count", set(4, "24.5"), 4},
        {"too many C-planes", set(4, "70000"), 4},
        {"gamma count not a number", set(6, "x"), 6},
        {"empty luminous length", set(16, ""), 16},
        {"conversion factor", set(24, "1.0a"), 24},
        {"lamp sets not a number", set(26, "one"), 26},
        {"lamp count", set(kLampsLine, "many"), kLampsLine},
        {"lamp count over 16 bits", set(kLampsLine, "70000"), kLampsLine},
        {"flux", set(kFluxLine, "2000 lm"), kFluxLine},
        {"two decimal commas", set(kFluxLine, "2,000,5"), kFluxLine},
        {"intensity", set(firstValue + 9, "12..5"), firstValue + 9},
        {"cut in the header", cut(10), 10},
        {"cut in the lamp set", cut(28), 28},
        {"cut in the intensities", cut(firstValue + 20), firstValue + 20},
        {"more lamp sets than lines", set(26, "1000"), 0},
    };
    for (const DamageCase& c : cases) {
        std::vector<std::string> lines = LdtLines(spec);
        c.Damage(lines);
        const std::string text = JoinLines(lines, "\r\n");
        Read r = ParseText(text);
        EXPECT_TRUE(r.Result.Diagnostics.HeaderError) << c.Name;
        EXPECT_EQ(r.Result.Diagnostics.HeaderErrorLine, c.Line ? c.Line : CountLines(text))
            << c.Name;
        testutil::ExpectConsistent(r.Ies, c.Name);
        EXPECT_EQ(r.Result.Titles.size(), std::size_t(TitleCount)) << c.Name;
    }
}

TEST(LdtReader, TruncatedTableKeepsItsShapeAndTheValuesRead) {
    const LdtSpec spec;
    std::vector<std::string> lines = LdtLines(spec);
    // Planes 0 to 19 whole and three values of plane 20.
    lines.resize(static_cast<std::size_t>(FirstIntensityLine(spec) - 1 + 20 * spec.Ng + 3));
    const std::string text = JoinLines(lines, "\n");
    Read r = ParseText(text);
    EXPECT_TRUE(r.Result.Diagnostics.HeaderError);
    EXPECT_EQ(r.Result.Diagnostics.HeaderErrorLine, CountLines(text));
    ASSERT_EQ(r.Ies.HorzCount, 24);
    EXPECT_EQ(r.Ies.Candela[20][2], StoredValue(20, 2));
    EXPECT_EQ(r.Ies.Candela[20][3], 0);
    EXPECT_EQ(r.Ies.Candela[23][6], 0);
}

// A whole header announcing `planes` C-planes, followed by the values of 24.
std::string Announcing(int planes) {
    std::vector<std::string> lines = LdtLines(LdtSpec{});
    lines[3] = std::to_string(planes);
    return JoinLines(lines, "\n");
}

struct GarbageCase {
    const char* Name;
    std::string Text;
    int Line;
};

TEST(LdtReader, GarbageGivesAnErrorAndNoTable) {
    const GarbageCase cases[] = {
        {"empty", "", 1},
        {"one line", "ACME", 1},
        {"an IES file", "IESNA:LM-63-2002\r\n[TEST] 1\r\nTILT=NONE\r\n1 1000 1 2 1 1 2 0 0 0\r\n",
         2},
        {"binary", std::string("\0\x01\xFF\xFE\n\n\n", 7), 2},
        // 65535 x 65535 values announced: refused before anything is allocated.
        {"huge table", JoinLines({"x", "1", "0", "65535", "1", "65535", "1"}, "\n"), 4},
        // A table the rest of the file could never hold is not allocated either.
        {"table larger than the file", Announcing(3600), CountLines(Announcing(3600))},
    };
    for (const GarbageCase& c : cases) {
        Read r = ParseText(c.Text);
        EXPECT_TRUE(r.Result.Diagnostics.HeaderError) << c.Name;
        EXPECT_EQ(r.Result.Diagnostics.HeaderErrorLine, c.Line) << c.Name;
        EXPECT_TRUE(r.Ies.Candela.empty()) << c.Name;
        testutil::ExpectConsistent(r.Ies, c.Name);
    }
}

// Loading through the file list's entry

TEST(LdtReader, LoadIesEntryReadsLdtFiles) {
    testutil::TempFolder folder;
    const std::string path = (folder.Path() / "Panel.LDT").string();
    testutil::WriteText(path, LdtText(LdtSpec{}));
    TiesData entry = CreateIesData("Panel.LDT");
    ASSERT_TRUE(LoadIesEntry(entry, path));
    Read direct = ParseText(LdtText(LdtSpec{}), path);
    EXPECT_TRUE(entry.Loaded);
    EXPECT_FALSE(entry.ChangedByAuthor);
    EXPECT_FALSE(entry.Diagnostics.HeaderError);
    const std::vector<std::string> titles = {"",          "Panel.LDT", "R-1234",  "ACME Lighting",
                                             "Panel 600", "P600-1",    "LED 840", ""};
    EXPECT_EQ(entry.Lines, titles);
    EXPECT_EQ(direct.Result.Titles, titles);
    ExpectSameRecord(entry.Ies, direct.Ies, "LoadIesEntry");
    EXPECT_FALSE(IsAuthorFile(path));
    // A second read keeps the former file name in title 0, as for IES files.
    ASSERT_TRUE(LoadIesEntry(entry, path));
    EXPECT_EQ(entry.Lines[TitlePrevious], "Panel.LDT");
}

// Real files

const fs::path kRealFiles = fs::path(GONILUX_TESTDATA_DIR) / "ldt-real";

TEST(LdtReader, EveryRealFileReadsAndSurvivesTheWayThroughIes) {
    const std::vector<fs::path> files = testutil::FilesIn(kRealFiles, ".ldt");
    if (files.empty()) GTEST_SKIP() << "no real EULUMDAT files at " << kRealFiles;
    EXPECT_GE(files.size(), 30u);
    for (const fs::path& file : files) {
        const std::string name = file.lexically_relative(kRealFiles).string();
        std::string bytes, error;
        ASSERT_TRUE(ReadWholeFile(file.string(), bytes, error)) << name;
        Read r = ParseText(bytes, file.string());
        EXPECT_FALSE(r.Result.Diagnostics.HeaderError)
            << name << " line " << r.Result.Diagnostics.HeaderErrorLine;
        testutil::ExpectConsistent(r.Ies, name);
        // Symmetry and plane count as lines 3 and 4 of the file state them.
        const std::vector<std::string> lines = SplitLines(bytes);
        const int isym = std::stoi(lines.at(2));
        EXPECT_EQ(r.Ies.HorzCount, StoredPlaneCount({.Isym = isym, .Mc = std::stoi(lines.at(3))}))
            << name;
        EXPECT_GT(r.Ies.VertCount, 1) << name;
        EXPECT_TRUE(std::is_sorted(r.Ies.HorzAngles.begin(), r.Ies.HorzAngles.end())) << name;
        EXPECT_TRUE(std::is_sorted(r.Ies.VertAngles.begin(), r.Ies.VertAngles.end())) << name;
        const double first = isym == 3 ? 90 : 0;
        EXPECT_EQ(r.Ies.HorzAngles.front(), first) << name;
        if (isym >= 2) {
            EXPECT_EQ(r.Ies.HorzAngles.back(), first + (isym == 4 ? 90 : 180)) << name;
        }
        EXPECT_GT(r.Ies.Multiplier, 0) << name;
        EXPECT_GT(r.Ies.LampCount, 0) << name;
        double largest = 0;
        for (const tArrEx& row : r.Ies.Candela)
            for (double v : row)
                largest = std::max(largest, v);
        EXPECT_GT(largest, 0) << name;
        EXPECT_EQ(r.Result.Titles[TitleFileName], file.filename().string()) << name;
        ExpectIesRoundTrip(r.Ies, r.Result.Titles, name);
    }
}

} // namespace
} // namespace gonilux
