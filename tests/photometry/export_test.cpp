// Writing type B records as type C and rotating records whose planes start at 90 degrees: the
// whole text written and the file name.
#include "photometry/export_text.h"
#include "photometry/ies_reader.h"
#include "test_util.h"

#include <clocale>

namespace gonilux {
namespace {

using testutil::MakeRecord;
using testutil::NumberedTable;

// Number text, written and read, keeps its point when the C library's locale has a comma.
TEST(FormatIesNumber, PointWhateverTheLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    bool comma = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"})
        comma = comma || std::setlocale(LC_ALL, name) != nullptr;
    if (!comma) GTEST_SKIP() << "needs a decimal-comma locale";
    double point = 0;
    EXPECT_EQ(FormatIesNumber(1234567.25), "1234567.25");
    EXPECT_TRUE(ConvertToken("2.5", point) && point == 2.5);
    std::setlocale(LC_ALL, previous.c_str());
}

// The kind, the outcome and the whole text written for type B records laid out in every way
// the converter knows, for rotated records and for records nothing can be written for.
TEST(BuildExportText, WritesTheKindsTextOrNothing) {
    // "type|vertical angles|horizontal angles|values a row": type B one-sided, from -45,
    // two-sided, unordered planes, planes from 90; rotations (type A or C from 90); none; no
    // vertical angle 0, no angles, short rows, no planes, the beam axis outside the planes.
    std::string listing;
    for (const std::string& row : testutil::Split(
             "2|-90 -45 0 45 90|0 45 90|5;2|-45 0 45 90|-45 0 45|4;2|-90 -45 0 45 90|-90 -45 0 45 "
             "90|5;2|0 45 90|45 0 90|3;2|0 90|90 120|2;3|0 30 60 90|90 135 180 225 270|4;1|0 90|90 "
             "270|2;1|0 90|0 90|2;3|0 90|-90 0 90|2;1|0 90|90.000001 180|2;1|0 90||2;2|-90 -45 45 "
             "90|0 45|4;2||0 45 90|0;2|-90 0 90|0 45 90|2;2|0 45 90||3;2|-90 -60 -30 0 30 60 "
             "90|-30 "
             "0 30|7",
             ';')) {
        const std::vector<std::string> f = testutil::Split(row, '|');
        const tArrEx horz = testutil::Numbers(f[2]);
        tIES ies = MakeRecord(std::stoi(f[0]), testutil::Numbers(f[1]), horz,
                              NumberedTable(horz.size(), std::stoul(f[3])));
        ies.Width = 0.5, ies.Length = 1.25, ies.LumensPerLamp = 2500, ies.Multiplier = 2.5;
        const ExportText out = BuildExportText(ies, {"", "b.ies", "R-1", "ACME", "Lum", "", "HIT"});
        EXPECT_EQ(out.Kind, ExportKindOf(ies));
        EXPECT_EQ(out.Ok, !out.Lines.empty());
        listing += row + ": kind " + std::to_string(int(out.Kind)) +
                   (out.Ok ? "\n" : ", nothing written\n") + out.Text();
    }
    // File names: the suffix goes before the last extension; EULUMDAT sources give ".ies".
    for (const std::string& names : testutil::Split(
             "dir|a.b.ies|1 dir/|x_C.ies|1 C:\\data\\|x.ies|2 |sub/x.ies.old.ies|1 d|wall.LDT|2 "
             "|street.ldt|0 /tmp/ies.ies|lamp.ies|2 d|LAMP.IES|2 d|noextldt|1")) {
        const std::vector<std::string> n = testutil::Split(names, '|');
        listing += names + " -> " + ExportFileName(n[0], n[1], ExportKind(std::stoi(n[2]))) + "\n";
    }
    testutil::ExpectMatchesFile("export.txt", listing);
}

} // namespace
} // namespace gonilux
