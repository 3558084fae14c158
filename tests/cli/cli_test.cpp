// gonilux-cli run as a user or a script would: info, info --json, convert and convert --to ies
// over every sample and a few records for branches the samples do not reach, the usage errors,
// and files that are or are not replaced; each command's whole output is compared.
#include "cli_util.h"

namespace {

using namespace gonilux::clitest;
using CliTest = CliFixture;

const char* const kTypeB =
    "IESNA:LM-63-2002\r\n[TEST] B-1\r\n[MANUFAC] ACME\r\nTILT=NONE\r\n"
    "1 1000 1 5 3 2 2 0.1 0.2 0.3\r\n1 1 50\r\n-90 -45 0 45 90\r\n0 45 90\r\n"
    "10 20 30 20 10\r\n11 21 31 21 11\r\n12 22 32 22 12\r\n";

TEST_F(CliTest, EveryCommandGivesTheExpectedTranscript) {
    // A cone of 100 cd out to 30 degrees falling to 0 at 60, relative with twice the values.
    Write("cone.ies", "IESNA:LM-63-2002\r\n[TEST] cone\r\nTILT=NONE\r\n2 500 1 5 1 1 2 0 0 0\r\n"
                      "1 1 10\r\n0 30 60 90 180\r\n0\r\n100 100 0 0 0\r\n");
    Write("nolamp.ies", "TILT=NONE\n1 0 1 3 1 1 2 0 0 0\n1 1 0\n0 90 180\n0\n100 100 0\n");
    Write("odd.ies", "TILT=NONE\n1 1000 1 2 1 5 2 0 0 0\n1 1 0\n0 90\n0\n1 2\n");
    Write("nozero.ies", "TILT=NONE\n1 1000 1 2 1 2 2 0 0 0\n1 1 0\n10 20\n0\n1 2\n");
    Write("b.ies", kTypeB);
    Write("gbk.ies", std::string(kTypeB).replace(40, 4, "\xC5\xB7\xC6\xD5\xD5\xD5\xC3\xF7"));
    Write("foreign.ies", kTypeB);
    Write("foreign_C.ies", "somebody else's work\n");
    fs::create_directory(dir_ / "out");
    fs::create_directories(dir_ / "tree/sub");
    Write("tree/b.ies", kTypeB);
    Write("tree/c.IES", "TILT=NONE\n1 1000 1 3 1 1 2 0 0 0\n1 1 0\n0 90 180\n0\n100 50 0\n");
    Write("tree/notes.txt", "not a photometric file\n");
    Write("tree/sub/broken.ies", "IESNA:LM-63-2002\nTILT=NONE\n1 x\n");
    Write("tree/sub/a.ies", std::string(kTypeB).insert(30, "[OTHER] kept\r\n[MORE] whole\r\n"));
    const std::string transcript = Slurp(fs::path(GONILUX_TESTDATA_DIR) / "expected/cli/cli.txt");
    for (const auto& item : fs::directory_iterator(GONILUX_SAMPLES_DIR)) {
        if (item.path().extension() == ".md") continue;
        EXPECT_NE(transcript.find(" " + item.path().filename().string() + " "), std::string::npos)
            << item.path();
    }
    ExpectTranscript("cli.txt");
}

} // namespace
