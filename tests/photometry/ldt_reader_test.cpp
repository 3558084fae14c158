// EULUMDAT files built here from the format's line layout in the styles different writers use,
// files with fields changed or left empty, and damaged files with the line of their first bad
// field.
#include "photometry/header_titles.h"
#include "photometry/ies_reader.h"
#include "photometry/ies_writer.h"
#include "photometry/ldt_reader.h"
#include "test_util.h"

namespace gonilux {
namespace {

using testutil::Dump;
using testutil::JoinLines;
using Lines = std::vector<std::string>;

// A file with symmetry 0, 24 C-planes and 7 gamma angles 15 degrees apart, one lamp set, line
// by line as the format lays it out. Every intensity tells its plane and angle.
Lines LdtLines() {
    Lines l = testutil::Split("ACME Lighting|2|0|24|15|7|15|R-1234|Panel 600|P600-1|panel.ldt|"
                              "2026-01-01 / QA|620|320|40|600|300|0|0|0|0|100|85.5|1.0|0|1|1|"
                              "LED 840|2000|4000|80|20.4",
                              '|');
    for (int i = 0; i < 10; ++i)
        l.push_back("0." + std::to_string(40 + 5 * i));
    for (int c = 0; c < 24; ++c)
        l.push_back(ExactIesNumber(15.0 * c));
    for (int g = 0; g < 7; ++g)
        l.push_back(ExactIesNumber(15.0 * g));
    for (int p = 0; p < 24; ++p)
        for (int g = 0; g < 7; ++g)
            l.push_back(ExactIesNumber(100.0 * (p + 1) + g + 0.25));
    return l;
}

// "name|N=value|...": the file with line N (1-based) replaced by the value, where a value with
// line breaks adds lines; "<N" keeps only the first N lines.
std::string Edited(const std::string& row) {
    Lines lines = LdtLines();
    for (const std::string& edit : testutil::Split(row, '|')) {
        const std::size_t at = edit.find('=');
        if (at != std::string::npos) lines[std::size_t(std::stoi(edit) - 1)] = edit.substr(at + 1);
        if (edit[0] == '<') lines.resize(std::size_t(std::stoi(edit.substr(1))));
    }
    return JoinLines(lines);
}

// Writers' styles: decimal commas and CR breaks; quoted texts and blanks around fields; a
// byte-order mark, two values a line and no final break.
std::string Styled(int style) {
    Lines l = LdtLines();
    for (std::string& line : l) {
        if (style == 0 && line.find_first_not_of("0123456789.-") == std::string::npos)
            std::replace(line.begin(), line.end(), '.', ',');
        if (style == 1) line = "  " + line + " \t";
    }
    for (std::size_t i : {0, 7, 8, 9, 10, 27})
        if (style == 1) l[i] = "\" " + l[i] + "\"";
    for (std::size_t i = 32; style == 2 && i + 1 < l.size(); ++i) {
        l[i] += "\t " + l[i + 1];
        l.erase(l.begin() + std::ptrdiff_t(i + 1));
    }
    const std::string text = JoinLines(l, style == 0 ? "\r" : "\n");
    return style == 2 ? "\xEF\xBB\xBF" + text.substr(0, text.size() - 1) : text;
}

// Symmetries, lamp sets (count line 27, flux line 29), luminous areas, empty fields and damaged
// files: the line of the first bad field, the record (two values of each plane) and the
// titles, compared with the checked-in list. Every file read without a fault survives the way
// through IES text, titles included.
TEST(LdtReader, FilesGiveTheListedRecordsAndErrorLines) {
    std::vector<std::pair<std::string, std::string>> cases = {
        {"decimal commas, CR breaks", Styled(0)},
        {"quoted texts, blanks around fields", Styled(1)},
        {"byte-order mark, two values a line, no final break", Styled(2)},
        {"trailing data and Ctrl-Z", Edited("") + "\n\n1 2 3\n4\n\x1A"},
        {"empty", ""},
        {"one line", "ACME"},
        {"IES text", "IESNA:LM-63-2002\r\n[TEST] 1\r\nTILT=NONE\r\n1 1000 1 2 1 1 2 0 0 0\r\n"},
        {"binary", std::string("\0\x01\xFF\xFE\n\n\n", 7)}};
    for (const std::string& row : testutil::Split(
             "isym 0;isym 1|3=1;isym 2|3=2;isym 3|3=3;isym 4|3=4;"
             "three lamps|27=3|28=T5|29=4500|32=36.5;conversion 0.25|24=0.25;conversion 0|24=0;"
             "conversion to 1|24=0.5;absolute|27=-2|29=611.9|32=20;no flux|29=0;"
             "500 lm lamps|27=2|29=1000;"
             "two sets|26=2|27=2|29=8900|32=118\n1\nLED 60W\n7000\n4000\n80\n61;round|16=200|17=0;"
             "box|16=-600|17=-300|18=20|20=-35;point|16=0|17=0;empty length|16=;"
             "empty colour, rendering, watts|30=|31=|32=;empty ratios|33=|34=|35=|36=|37=|38=;"
             "symmetry 5|3=5;symmetry -1|3=-1;symmetry text|3=two;no C-planes|4=0;"
             "half a plane|4=24.5;too many planes|4=70000;more planes than the file holds|4=3600;"
             "gamma count text|6=x;conversion text|24=1.0a;conversion overflows|24=1e308;"
             "lamp sets text|26=one;more lamp sets than lines|26=1000;lamp count text|27=many;"
             "lamp count over 16 bits|27=70000;flux text|29=2000 lm;two decimal commas|29=2,000,5;"
             "intensity text|83=12..5;C-plane angle text|66=x;cut in the header|<10;"
             "cut in the lamp set|<28;cut in plane 20|<214;65535 x 65535|<7|4=65535|6=65535;"
             "1025 x 16385|<7|3=4|4=4098|6=16385;4096 x 4096, just allowed|<7|4=4096|6=4096",
             ';'))
        cases.emplace_back(testutil::Split(row, '|')[0], Edited(row));
    std::string listing;
    for (const auto& [name, text] : cases) {
        tIES ies = testutil::MakeRecord(3, {1, 2}, {3}, {{4, 5}}); // reading again keeps nothing
        const LdtParseResult result = ParseLdt(text, "folder/panel.ldt", ies);
        tIES brief = ies;
        for (tArrEx& row : brief.Candela)
            row.resize(std::min<std::size_t>(row.size(), 2));
        listing += std::string(name) + ": " + DamageText(result.Diagnostics) + ": " + Dump(brief);
        for (const std::string& title : result.Titles)
            listing += title + "|";
        listing += "\n";
        if (result.Diagnostics.Damaged()) continue;
        tIES back;
        const ParseResult parsed = ParseIes(BuildIesText(ies, result.Titles), back);
        EXPECT_EQ(Dump(back), Dump(ies)) << name;
        TiesData entry = CreateIesData("x");
        ExtractTitles(entry, "panel.ldt", parsed.HeaderText);
        EXPECT_EQ(entry.Lines, result.Titles) << name;
    }
    testutil::ExpectMatchesFile("ldt_reader.txt", listing);
    EXPECT_TRUE(IsLdtFileName("a/B.lDt") && !IsLdtFileName("a.ldt/b") && !IsLdtFileName("ldt"));
}

} // namespace
} // namespace gonilux
