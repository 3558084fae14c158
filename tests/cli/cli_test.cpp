// gonilux-cli run as a user or a script would: exit codes, stdout, stderr, written files.
#include "cli_util.h"

#include <sstream>
#include <string>

namespace {

using namespace gonilux::clitest;
using CliTest = CliFixture;

const char* const kTypeB =
    "IESNA:LM-63-2002\r\n[TEST] B-1\r\n[MANUFAC] ACME\r\nTILT=NONE\r\n"
    "1 1000 1 5 3 2 2 0.1 0.2 0.3\r\n1 1 50\r\n-90 -45 0 45 90\r\n0 45 90\r\n"
    "10 20 30 20 10\r\n11 21 31 21 11\r\n12 22 32 22 12\r\n";

TEST_F(CliTest, HelpVersionAndUsageErrors) {
    CliRun help = Cli("--help");
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("convert FILE"), std::string::npos);
    EXPECT_EQ(Cli("--version").Status, 0);

    for (const char* bad : {"", "frobnicate", "info", "info --bogus x.ies", "convert",
                            "convert a.ies b.ies", "convert a.ies --output-dir"}) {
        CliRun run = Cli(bad);
        EXPECT_EQ(run.Status, 2) << bad;
        EXPECT_FALSE(run.Err.empty()) << bad;
        EXPECT_TRUE(run.Out.empty()) << bad;
    }
}

TEST_F(CliTest, InfoJsonPrintsOneLinePerFileAndGoesOnAfterAnUnreadableOne) {
    fs::path good = Write("good.ies", kTypeB);
    fs::path bad = Write("bad.ies", "TILT=NONE\n1 1000 1 3 12a 1 2 0 0 0\n1 1 0\n");
    CliRun run = Cli("info --json " + Q(good) + " " + Q(dir_ / "missing.ies") + " " + Q(bad));
    EXPECT_EQ(run.Status, 1);
    std::istringstream lines(run.Out);
    std::string first, second, third, extra;
    std::getline(lines, first);
    std::getline(lines, second);
    std::getline(lines, third);
    EXPECT_FALSE(std::getline(lines, extra));
    EXPECT_NE(first.find("\"photometricType\":2"), std::string::npos);
    EXPECT_NE(first.find("\"vertAngles\":[-90,-45,0,45,90]"), std::string::npos);
    EXPECT_NE(first.find("\"candela\":[[10,20,30,20,10],[11,21,31,21,11],[12,22,32,22,12]]"),
              std::string::npos);
    EXPECT_NE(first.find("\"titles\":[\"\",\"good.ies\",\"B-1\",\"ACME\",\"\",\"\",\"\",\"\"]"),
              std::string::npos);
    EXPECT_NE(first.find("\"headerErrorLine\":null"), std::string::npos);
    EXPECT_NE(second.find("\"error\":"), std::string::npos);
    EXPECT_NE(third.find("\"headerError\":true,\"headerErrorLine\":2"), std::string::npos);
}

TEST_F(CliTest, InfoJsonDecodesLatin1HeaderBytes) {
    fs::path file =
        Write("l1.ies", "[MANUFAC] Lumi\xE8re\r\nTILT=NONE\r\n1 1000 1 1 1 1 2 0 0 0\r\n"
                        "1 1 0\r\n0\r\n0\r\n5\r\n");
    CliRun run = Cli("info --json " + Q(file));
    EXPECT_EQ(run.Status, 0);
    EXPECT_NE(run.Out.find("Lumi\xC3\xA8re"), std::string::npos);
}

TEST_F(CliTest, ConvertWritesBesideTheSourceAndReadsBack) {
    fs::path source = Write("flood.b.ies", kTypeB);
    CliRun run = Cli("convert " + Q(source));
    ASSERT_EQ(run.Status, 0) << run.Err;
    const fs::path written = dir_ / "flood.b_C.ies";
    EXPECT_EQ(run.Out, written.string() + "\n");
    std::string text = Slurp(written);
    EXPECT_EQ(
        text.rfind("IESNA91\r\n[TEST] B-1\r\n[MANUFAC]  ACME\r\n[CHANGED]     (C) Gonilux v2.9 "
                   "by Kestrin: type B converted to type C\r\nTILT=NONE\r\n",
                   0),
        0u);
    CliRun info = Cli("info --json " + Q(written));
    EXPECT_NE(info.Out.find("\"photometricType\":1"), std::string::npos);
    EXPECT_NE(info.Out.find("\"changedByAuthor\":true"), std::string::npos);
    EXPECT_NE(info.Out.find("\"horzAngles\":[0,90,180]"), std::string::npos);
    // A second run replaces our own file without asking.
    EXPECT_EQ(Cli("convert " + Q(source)).Status, 0);
}

TEST_F(CliTest, ConvertNeverReplacesAForeignFileWithoutForce) {
    fs::path source = Write("x.ies", kTypeB);
    fs::create_directories(dir_ / "out");
    fs::path foreign = Write("out/x_C.ies", "somebody else's work\n");
    CliRun refused = Cli("convert " + Q(source) + " --output-dir " + Q(dir_ / "out"));
    EXPECT_EQ(refused.Status, 1);
    EXPECT_NE(refused.Err.find("--force"), std::string::npos);
    EXPECT_EQ(Slurp(foreign), "somebody else's work\n");
    CliRun forced = Cli("convert " + Q(source) + " --output-dir " + Q(dir_ / "out") + " --force");
    EXPECT_EQ(forced.Status, 0) << forced.Err;
    EXPECT_EQ(Slurp(foreign).rfind("IESNA91", 0), 0u);
}

TEST_F(CliTest, ConvertRefusalsWriteNothing) {
    fs::path plain = Write("plain.ies", "TILT=NONE\n1 1000 1 2 1 1 2 0 0 0\n1 1 0\n0 90\n0\n1 2\n");
    CliRun neither = Cli("convert " + Q(plain));
    EXPECT_EQ(neither.Status, 1);
    EXPECT_FALSE(neither.Err.empty());
    // Type B without a vertical angle 0 cannot be converted.
    fs::path noZero =
        Write("nozero.ies", "TILT=NONE\n1 1000 1 2 1 2 2 0 0 0\n1 1 0\n10 20\n0\n1 2\n");
    CliRun unexpected = Cli("convert " + Q(noZero));
    EXPECT_EQ(unexpected.Status, 1);
    EXPECT_EQ(unexpected.Err, "Unexpected error.\n");
    EXPECT_FALSE(fs::exists(dir_ / "nozero_C.ies"));
    CliRun missing = Cli("convert " + Q(dir_ / "gone.ies"));
    EXPECT_EQ(missing.Status, 1);
    CliRun unwritable = Cli("convert " + Q(Write("b.ies", kTypeB)) + " --output-dir " +
                            Q(dir_ / "no" / "such" / "folder"));
    EXPECT_EQ(unwritable.Status, 1);
    EXPECT_NE(unwritable.Err.find("cannot write"), std::string::npos);
}

// A cone of 100 cd out to 30 degrees, falling linearly to 0 at 60: 189.09 lm, beam 90, field 114.
const char* const kCone = "IESNA:LM-63-2002\r\n[TEST] cone\r\nTILT=NONE\r\n"
                          "2 500 1 5 1 1 2 0 0 0\r\n1 1 10\r\n0 30 60 90 180\r\n0\r\n"
                          "100 100 0 0 0\r\n";

TEST_F(CliTest, InfoSummaryPrintsThePhotometricFigures) {
    fs::path cone = Write("cone.ies", kCone);
    fs::path absolute =
        Write("abs.ies", "TILT=NONE\n1 -1 1 3 1 1 2 0 0 0\n1 1 0\n0 90 180\n0\n100 100 0\n");
    fs::path unusable =
        Write("odd.ies", "TILT=NONE\n1 1000 1 2 1 5 2 0 0 0\n1 1 0\n0 90\n0\n1 2\n");
    CliRun run = Cli("info " + Q(cone) + " " + Q(absolute) + " " + Q(unusable));
    ASSERT_EQ(run.Status, 0) << run.Err;
    for (const char* line : {
             "  luminous flux: 189.1 lm (relative photometry, rated lamp flux 1000 lm)\n"
             "  downward 100.0 %, upward 0.0 %\n"
             "  light output ratio: 18.9 %\n"
             "  efficacy: 18.9 lm/W\n"
             "  maximum intensity at: vertical 0, horizontal 0\n"
             "  beam angle (50 %): C0-C180 90.0, C90-C270 90.0\n"
             "  field angle (10 %): C0-C180 114.0, C90-C270 114.0\n",
             "  luminous flux: 1028.3 lm (absolute photometry)\n"
             "  downward 61.1 %, upward 38.9 %\n"
             "  light output ratio: n/a\n"
             "  efficacy: n/a\n",
             "  luminous flux: n/a (no usable intensity table)\n",
         }) {
        EXPECT_NE(run.Out.find(line), std::string::npos) << line << "\nin\n" << run.Out;
    }
    CliRun typeB = Cli("info " + Q(Write("b.ies", kTypeB)));
    EXPECT_NE(typeB.Out.find("  beam angle (50 %): vertical "), std::string::npos) << typeB.Out;
}

TEST_F(CliTest, InfoJsonAddsTheFiguresAsTheLastKey) {
    fs::path cone = Write("cone.ies", kCone);
    fs::path absolute =
        Write("abs.ies", "TILT=NONE\n1 -1 1 3 1 1 2 0 0 0\n1 1 5\n0 90 180\n0\n100 100 0\n");
    CliRun run = Cli("info --json " + Q(cone) + " " + Q(absolute));
    ASSERT_EQ(run.Status, 0) << run.Err;
    std::istringstream lines(run.Out);
    std::string relative, absolut;
    std::getline(lines, relative);
    std::getline(lines, absolut);
    const std::string tail = "\"changedByAuthor\":false,\"metrics\":{\"valid\":true,";
    EXPECT_NE(relative.find("\"candela\":[[200,200,0,0,0]],\"titles\":"), std::string::npos);
    EXPECT_NE(relative.find(tail + "\"absolute\":false,\"luminaireFlux\":189.08"),
              std::string::npos)
        << relative;
    EXPECT_NE(relative.find("\"lampFlux\":1000,"), std::string::npos);
    EXPECT_NE(relative.find("\"efficacy\":18.90"), std::string::npos);
    EXPECT_NE(relative.find("\"spread0\":{\"beam\":90,\"field\":114},"
                            "\"spread90\":{\"beam\":90,\"field\":114}}}"),
              std::string::npos)
        << relative;
    EXPECT_EQ(relative.back(), '}');
    EXPECT_NE(absolut.find(tail + "\"absolute\":true,"), std::string::npos) << absolut;
    EXPECT_NE(absolut.find("\"lampFlux\":null,"), std::string::npos);
    EXPECT_NE(absolut.find("\"lightOutputRatio\":null,"), std::string::npos);
    EXPECT_NE(absolut.find("\"efficacy\":205.66"), std::string::npos) << absolut;
}

} // namespace
