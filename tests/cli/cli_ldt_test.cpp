// gonilux-cli on EULUMDAT files, run as a user or a script would: convert --to ies and info.
#include "cli_util.h"
#include "photometry/ies_reader.h"
#include "photometry/ldt_reader.h"

#include <string>
#include <vector>

namespace {

using namespace gonilux::clitest;

const fs::path kRealFiles = fs::path(GONILUX_TESTDATA_DIR) / "ldt-real";

// A small Isym 4 file: 4 C-planes, 3 gamma angles, 2 stored planes.
const char* const kQuarter =
    "ACME\n2\n4\n4\n90\n3\n45\nR-9\nDownlight\nD-1\nd.ldt\n2026\n200\n0\n50\n180\n0\n"
    "0\n0\n0\n0\n100\n80\n1\n0\n1\n1\nLED 12W\n1200\n3000\n90\n12\n"
    "0.5\n0.6\n0.7\n0.8\n0.9\n0.9\n0.9\n1\n1\n1\n"
    "0\n90\n180\n270\n0\n45\n90\n300\n200\n10\n290\n190\n5\n";

using CliLdtTest = CliFixture;

// The written IES file holds the same record as the EULUMDAT file.
void ExpectSameRecordAsLdt(const fs::path& ies, const fs::path& ldt) {
    gonilux::tIES fromLdt, fromIes;
    gonilux::ParseLdt(Slurp(ldt), ldt.string(), fromLdt);
    gonilux::ParseResult parsed = gonilux::ParseIes(Slurp(ies), fromIes);
    EXPECT_FALSE(parsed.Diagnostics.HeaderError);
    EXPECT_EQ(fromIes.HorzAngles, fromLdt.HorzAngles);
    EXPECT_EQ(fromIes.VertAngles, fromLdt.VertAngles);
    EXPECT_EQ(fromIes.Candela, fromLdt.Candela);
    EXPECT_EQ(fromIes.Multiplier, fromLdt.Multiplier);
    EXPECT_EQ(fromIes.LumensPerLamp, fromLdt.LumensPerLamp);
}

TEST_F(CliLdtTest, ConvertToIesWritesBesideTheSource) {
    const fs::path source = Write("Quarter.LDT", kQuarter);
    CliRun run = Cli("convert --to ies " + Q(source));
    EXPECT_EQ(run.Status, 0) << run.Err;
    const fs::path written = dir_ / "Quarter.ies";
    EXPECT_EQ(run.Out, written.string() + "\n");
    EXPECT_TRUE(run.Err.empty());
    const std::string text = Slurp(written);
    EXPECT_EQ(text.rfind("IESNA:LM-63-2002\r\n[TEST] R-9\r\n[MANUFAC] ACME\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("\r\nTILT=NONE\r\n1 1200 1.2 3 2 1 2 -0.18 0 0\r\n1 1 12\r\n"),
              std::string::npos)
        << text;
    ExpectSameRecordAsLdt(written, source);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 4);
}

TEST_F(CliLdtTest, ConvertToIesIntoAnOutputFolderForEveryRealFile) {
    std::error_code error;
    if (!fs::is_directory(kRealFiles, error)) GTEST_SKIP() << "no files at " << kRealFiles;
    int converted = 0;
    for (const auto& item : fs::recursive_directory_iterator(kRealFiles)) {
        if (!item.is_regular_file() || !gonilux::IsLdtFileName(item.path().string())) continue;
        const fs::path out = dir_ / ("out" + std::to_string(converted++));
        fs::create_directories(out);
        CliRun run = Cli("convert " + Q(item.path()) + " --to ies --output-dir " + Q(out));
        ASSERT_EQ(run.Status, 0) << item.path() << run.Err;
        fs::path written = out / item.path().filename();
        written.replace_extension(".ies");
        EXPECT_EQ(run.Out, written.string() + "\n");
        ExpectSameRecordAsLdt(written, item.path());
    }
    EXPECT_GT(converted, 0);
}

TEST_F(CliLdtTest, ConvertToIesNeverReplacesAFileWithoutForce) {
    const fs::path source = Write("q.ldt", kQuarter);
    const fs::path target = Write("q.ies", "mine\n");
    CliRun refused = Cli("convert --to ies " + Q(source));
    EXPECT_EQ(refused.Status, 1);
    EXPECT_NE(refused.Err.find("already exists"), std::string::npos) << refused.Err;
    EXPECT_NE(refused.Err.find("--force"), std::string::npos) << refused.Err;
    EXPECT_TRUE(refused.Out.empty());
    EXPECT_EQ(Slurp(target), "mine\n");
    // Not even a file it wrote itself.
    EXPECT_EQ(Cli("convert --to ies --force " + Q(source)).Status, 0);
    EXPECT_EQ(Cli("convert --to ies " + Q(source)).Status, 1);
    EXPECT_EQ(Slurp(target).rfind("IESNA:LM-63-2002", 0), 0u);
}

TEST_F(CliLdtTest, ConvertToIesRefusalsWriteNothing) {
    struct Refusal {
        std::string Args;
        int Status;
        const char* Message;
    };
    std::string damaged = kQuarter;
    damaged.replace(damaged.find("\n90\n3\n"), 7, "\n90\nthree\n");
    const Refusal refusals[] = {
        {"convert --to", 2, "--to needs a format"},
        {"convert --to csv " + Q(Write("a.ldt", kQuarter)), 2, "unknown format"},
        {"convert --to ies", 2, "no file given"},
        {"convert --to ies " + Q(Write("plain.ies", "IESNA91\r\nTILT=NONE\r\n")), 1, ".ldt"},
        {"convert --to ies " + Q(dir_ / "gone.ldt"), 1, "gone.ldt"},
        {"convert --to ies " + Q(Write("damaged.ldt", damaged)), 1, "Line 6"},
        {"convert --to ies " + Q(Write("b.ldt", kQuarter)) + " --output-dir " +
             Q(dir_ / "no" / "such"),
         1, "cannot write"},
    };
    for (const Refusal& r : refusals) {
        const std::vector<std::string> before = Listing();
        CliRun run = Cli(r.Args);
        EXPECT_EQ(run.Status, r.Status) << r.Args;
        EXPECT_NE(run.Err.find(r.Message), std::string::npos) << r.Args << ": " << run.Err;
        EXPECT_TRUE(run.Out.empty()) << r.Args;
        EXPECT_EQ(Listing(), before) << r.Args;
    }
}

// A plain convert of an EULUMDAT file whose planes run 90 to 270 rotates it and names the
// result as the IES file it is.
TEST_F(CliLdtTest, PlainConvertOfAnLdtFileWritesAnIesFile) {
    std::string isym3 = kQuarter;
    isym3.replace(isym3.find("\n4\n4\n"), 5, "\n3\n4\n");
    const fs::path source = Write("street.ldt", isym3 + "280\n180\n4\n");
    CliRun run = Cli("convert " + Q(source));
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, (dir_ / "street_R.ies").string() + "\n");
    EXPECT_TRUE(fs::exists(dir_ / "street_R.ies"));
}

TEST_F(CliLdtTest, InfoReadsLdtFiles) {
    const fs::path source = Write("Quarter.ldt", kQuarter);
    CliRun run = Cli("info " + Q(source));
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("Quarter.ldt"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("ACME"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("Downlight"), std::string::npos) << run.Out;
    EXPECT_EQ(run.Out.find("damaged"), std::string::npos) << run.Out;

    CliRun json = Cli("info --json " + Q(source) + " " + Q(Write("cut.ldt", "ACME\n2\n")));
    EXPECT_EQ(json.Status, 0) << json.Err;
    EXPECT_NE(json.Out.find("\"headerError\":false"), std::string::npos) << json.Out;
    EXPECT_NE(json.Out.find("\"headerErrorLine\":2"), std::string::npos) << json.Out;
}

} // namespace
