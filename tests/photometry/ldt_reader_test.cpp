// EULUMDAT files built here from the format's line layout in the styles different writers use,
// and damaged files with the line of their first bad field.
#include "photometry/file_io.h"
#include "photometry/header_titles.h"
#include "photometry/ies_reader.h"
#include "photometry/ies_writer.h"
#include "photometry/ldt_reader.h"
#include "test_util.h"

#include <algorithm>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace gonilux {
namespace {

using testutil::Dump;
using testutil::JoinLines;
using Lines = std::vector<std::string>;

struct LdtSpec {
    int Isym = 0;
    int Mc = 24; // C-planes every 15 degrees
    int Ng = 7;  // gamma every 15 degrees, 0 to 90
    std::vector<std::array<std::string, 4>> Sets{{"1", "LED 840", "2000", "20.4"}};
    std::string Conversion = "1.0";
    std::array<std::string, 6> Area{"600", "300", "0", "0", "0", "0"}; // length, width, heights
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
Lines LdtLines(const LdtSpec& s) {
    Lines l = {"ACME Lighting",
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
               "40"};
    l.insert(l.end(), s.Area.begin(), s.Area.end());
    l.insert(l.end(), {"100", "85.5", s.Conversion, "0", std::to_string(s.Sets.size())});
    for (const auto& set : s.Sets)
        l.insert(l.end(), {set[0], set[1], set[2], "4000", "80", set[3]});
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

// Lines of the first lamp set's count and flux, and of the first intensity.
constexpr int kLampsLine = 27, kFluxLine = 29, kFirstValueLine = 74;

struct Read {
    tIES Ies;
    LdtParseResult Result;
};

Read ParseText(std::string_view text) {
    Read r;
    r.Result = ParseLdt(text, "folder/panel.ldt", r.Ies);
    return r;
}

std::string WithSpec(const std::function<void(LdtSpec&)>& change) {
    LdtSpec spec;
    change(spec);
    return JoinLines(LdtLines(spec));
}

std::string WithLine(int line, const std::string& value) {
    Lines lines = LdtLines({});
    lines[std::size_t(line - 1)] = value;
    return JoinLines(lines);
}

std::string Cut(int keep) {
    Lines lines = LdtLines({});
    lines.resize(std::size_t(keep));
    return JoinLines(lines);
}

// The value lists packed several to a line.
std::string WithPackedValues(const Lines& lines) {
    Lines out(lines.begin(), lines.begin() + 32);
    for (std::size_t i = 32; i < lines.size(); i += 5) {
        std::string packed;
        for (std::size_t k = i; k < std::min(i + 5, lines.size()); ++k)
            packed += lines[k] + "\t ";
        out.push_back(packed);
    }
    return JoinLines(out);
}

// Writers' styles.
std::string Styled(int style) {
    Lines l = LdtLines({});
    for (std::string& line : l) {
        if (style == 0 && !line.empty() &&
            line.find_first_not_of("0123456789.-") == std::string::npos)
            std::replace(line.begin(), line.end(), '.', ','); // decimal commas
        if (style == 1) line = "  " + line + " \t";           // blanks around fields
    }
    for (std::size_t i : {0, 7, 8, 9, 10, 27})
        if (style == 2) l[i] = "\" " + l[i] + "\""; // quoted texts
    const std::string text = JoinLines(l, style == 3 ? "\r" : "\n");
    return style == 4 ? "\xEF\xBB\xBF" + text.substr(0, text.size() - 1) : text;
}

// Symmetries, lamp sets, luminous areas and damaged files: the line of the first bad field,
// the record (two values of each plane) and the titles, compared with the checked-in list.
// Every file read without a fault survives the way through IES text, titles included.
TEST(LdtReader, FilesGiveTheListedRecordsAndErrorLines) {
    using Set = std::array<std::string, 4>;
    const std::pair<const char*, std::string> cases[] = {
        {"isym 0", WithSpec([](LdtSpec&) {})},
        {"decimal commas", Styled(0)},
        {"blanks around fields", Styled(1)},
        {"quoted texts", Styled(2)},
        {"CR breaks", Styled(3)},
        {"byte-order mark, no final break", Styled(4)},
        {"packed values", WithPackedValues(LdtLines({}))},
        {"trailing data and Ctrl-Z", JoinLines(LdtLines({})) + "\n\n1 2 3\n4\n\x1A"},
        {"isym 1", WithSpec([](LdtSpec& s) { s.Isym = 1; })},
        {"isym 2", WithSpec([](LdtSpec& s) { s.Isym = 2; })},
        {"isym 3", WithSpec([](LdtSpec& s) { s.Isym = 3; })},
        {"isym 4", WithSpec([](LdtSpec& s) { s.Isym = 4; })},
        {"three lamps", WithSpec([](LdtSpec& s) {
             s.Sets = {Set{"3", "T5", "4500", "36.5"}};
         })},
        {"conversion 0.25", WithSpec([](LdtSpec& s) { s.Conversion = "0.25"; })},
        {"conversion 0", WithSpec([](LdtSpec& s) { s.Conversion = "0"; })},
        {"conversion to 1", WithSpec([](LdtSpec& s) { s.Conversion = "0.5"; })},
        {"absolute", WithSpec([](LdtSpec& s) {
             s.Sets = {Set{"-2", "LED", "611.9", "20"}};
         })},
        {"no flux", WithSpec([](LdtSpec& s) {
             s.Sets = {Set{"1", "LED", "0", "20"}};
         })},
        {"500 lm lamps", WithSpec([](LdtSpec& s) {
             s.Sets = {Set{"2", "LED", "1000", "20"}};
         })},
        {"two sets", WithSpec([](LdtSpec& s) {
             s.Sets = {Set{"2", "T5 54W", "8900", "118"}, Set{"1", "LED 60W", "7000", "61"}};
         })},
        {"round", WithSpec([](LdtSpec& s) { s.Area = {"200", "0", "0", "0", "0", "0"}; })},
        {"box", WithSpec([](LdtSpec& s) { s.Area = {"-600", "-300", "20", "0", "-35", "0"}; })},
        {"point", WithSpec([](LdtSpec& s) { s.Area = {"0", "0", "0", "0", "0", "0"}; })},
        {"symmetry 5", WithLine(3, "5")},
        {"symmetry -1", WithLine(3, "-1")},
        {"symmetry text", WithLine(3, "two")},
        {"no C-planes", WithLine(4, "0")},
        {"half a plane", WithLine(4, "24.5")},
        {"too many planes", WithLine(4, "70000")},
        {"gamma count text", WithLine(6, "x")},
        {"empty length", WithLine(16, "")},
        {"conversion text", WithLine(24, "1.0a")},
        {"conversion overflows", WithLine(24, "1e308")},
        {"lamp sets text", WithLine(26, "one")},
        {"more lamp sets than lines", WithLine(26, "1000")},
        {"lamp count text", WithLine(kLampsLine, "many")},
        {"lamp count over 16 bits", WithLine(kLampsLine, "70000")},
        {"flux text", WithLine(kFluxLine, "2000 lm")},
        {"two decimal commas", WithLine(kFluxLine, "2,000,5")},
        {"intensity text", WithLine(kFirstValueLine + 9, "12..5")},
        {"C-plane angle text", WithLine(kFirstValueLine - 8, "x")},
        {"cut in the header", Cut(10)},
        {"cut in the lamp set", Cut(28)},
        {"cut in plane 20", Cut(kFirstValueLine + 140)},
        {"empty", ""},
        {"one line", "ACME"},
        {"IES text", "IESNA:LM-63-2002\r\n[TEST] 1\r\nTILT=NONE\r\n1 1000 1 2 1 1 2 0 0 0\r\n"},
        {"binary", std::string("\0\x01\xFF\xFE\n\n\n", 7)},
        {"65535 x 65535", JoinLines({"x", "1", "0", "65535", "1", "65535", "1"})},
        {"1025 x 16385", JoinLines({"x", "1", "4", "4098", "1", "16385", "1"})},
        {"4096 x 4096, just allowed", JoinLines({"x", "1", "0", "4096", "1", "4096", "1"})},
        {"more planes than the file holds", WithLine(4, "3600")}};
    std::string listing;
    for (const auto& [name, text] : cases) {
        const Read r = ParseText(text);
        testutil::ExpectConsistent(r.Ies, name);
        tIES brief = r.Ies;
        for (tArrEx& row : brief.Candela)
            row.resize(std::min<std::size_t>(row.size(), 2));
        listing += std::string(name) + ": line " +
                   std::to_string(r.Result.Diagnostics.HeaderErrorLine) + ": " + Dump(brief);
        for (const std::string& title : r.Result.Titles)
            listing += title + "|";
        listing += "\n";
        if (r.Result.Diagnostics.HeaderError) continue;
        tIES back;
        const ParseResult parsed = ParseIes(BuildIesText(r.Ies, r.Result.Titles), back);
        EXPECT_EQ(Dump(back), Dump(r.Ies)) << name;
        TiesData entry = CreateIesData("x");
        ExtractTitles(entry, "panel.ldt", parsed.HeaderText);
        EXPECT_EQ(entry.Lines, r.Result.Titles) << name;
    }
    testutil::ExpectMatchesFile("ldt_reader.txt", listing);
}

} // namespace
} // namespace gonilux
