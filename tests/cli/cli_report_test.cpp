// gonilux-cli report: a file's datasheet, a folder's catalogue, and what damaged files do.
#include "cli_util.h"

namespace {

using namespace gonilux::clitest;

long Pages(const fs::path& pdf) {
    const std::string text = Slurp(pdf);
    long pages = 0;
    for (auto at = text.find("/Type /Page\n"); at != std::string::npos;
         at = text.find("/Type /Page\n", at + 1))
        ++pages;
    return pages;
}

// The folder's 27 samples in the list's order (two damaged: listed, no datasheet, exit 1) after
// two contents pages, each datasheet of a file with a luminous opening on two pages (all but
// bare_lamp_point_1986.ies); --recursive takes in a subfolder too. One file: its datasheet alone;
// a damaged file writes nothing; usage errors exit 2.
TEST_F(CliFixture, ReportWritesDatasheetsAndCatalogues) {
    CliRun run = Cli("report . -o cat.pdf");
    EXPECT_EQ(std::pair(run.Status, Pages(dir_ / "cat.pdf")), std::pair(1, 2L + 25 + 24))
        << run.Err;
    EXPECT_EQ(run.Err.rfind("[1/27] bare_lamp_point_1986.ies\n[2/27] bollard", 0), 0u) << run.Err;
    EXPECT_NE(run.Err.find("gonilux-cli: malformed_header_truncated.ies: damaged header: Line 12"),
              std::string::npos);
    EXPECT_EQ(Cli("report track_spot_c_full.ies -o one.pdf --lang en").Status +
                  Pages(dir_ / "one.pdf"),
              2);
    for (const char* file : {"malformed_header_truncated.ies", "missing.ies"})
        EXPECT_EQ(Cli(std::string("report ") + file + " -o bad.pdf").Status, 1);
    EXPECT_FALSE(fs::exists(dir_ / "bad.pdf"));
    fs::create_directory(dir_ / "Sub");
    fs::copy_file(dir_ / "uplight_c_quarter.ies", dir_ / "Sub/a.ies");
    run = Cli("report --recursive . -o cat.pdf");
    EXPECT_EQ(Pages(dir_ / "cat.pdf"), 2 + 26 + 25);
    EXPECT_NE(run.Err.find("/28] Sub/a.ies\n"), std::string::npos) << run.Err;
    for (const char* args :
         {"report", "report a.ies", "report a.ies -o a.png", "report -x",
          "report a.ies b.ies -o a.pdf", "report a.ies -o", "report a.ies -o a.pdf --lang fr",
          "report a.ies -o a.pdf --height 0", "report a.ies -o a.pdf --size x",
          "report a.ies -o a.pdf --height", "report a.ies -o a.pdf --size -3",
          "report a.ies -o a.pdf --lang", "report a.ies -o a.pdf --units"})
        EXPECT_EQ(Cli(args).Status, 2) << args;
    // A PDF that cannot be written is said so.
    run = Cli("report uplight_c_quarter.ies -o no/such/folder.pdf");
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("gonilux-cli: "), std::string::npos) << run.Err;
    // The isolux diagram's height and area: the same page for the defaults given, another for
    // others.
    const std::string sheet = "report track_spot_c_full.ies --lang en -o ";
    for (const char* args : {"d.pdf", "h.pdf --height 3 --size 10", "o.pdf --height 8 --size 30"})
        EXPECT_EQ(Cli(sheet + args).Status, 0) << args;
    // Compared by their sizes: the PDF writer embeds the fonts' subsets in no fixed order, so
    // the same page is not always the same bytes.
    const auto page = [&](const char* name) { return fs::file_size(dir_ / name); };
    EXPECT_EQ(std::pair(page("d.pdf") == page("h.pdf"), page("d.pdf") == page("o.pdf")),
              std::pair(true, false));
}

} // namespace
