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

namespace {

std::vector<std::string> Cells(const std::string& text, char separator) {
    std::vector<std::string> cells;
    std::string cell;
    for (char c : text) {
        const bool end = separator == ' ' ? (c == ' ' || c == '\n') : (c == separator || c == '\n');
        if (!end) {
            cell += c;
        } else if (!cell.empty()) {
            cells.push_back(cell);
            cell.clear();
        }
    }
    return cells;
}

std::size_t Decimals(const std::string& cell) {
    const std::size_t point = cell.find('.');
    return point == std::string::npos ? 0 : cell.size() - point - 1;
}

// The candela table as text and as CSV: the same unit first and the same cells with the same
// digits, for either unit; a table prints every value with the same decimals.
TEST_F(CliTest, CandelaTableTextAndCsvAgreeOnUnitAndDigits) {
    for (const std::string unit : {"cd", "cdklm"}) {
        const std::string args = "table downlight_c_quarter.ies --kind candela --unit " + unit;
        const CliRun text = Cli(args), csv = Cli(args + " --csv");
        ASSERT_EQ(text.Status + csv.Status, 0) << text.Err << csv.Err;
        const std::string shown = unit == "cd" ? "cd" : "cd/klm";
        EXPECT_EQ(text.Out.rfind("intensities (" + shown + "):", 0), 0u) << text.Out;
        const std::string body = text.Out.substr(text.Out.find('\n') + 1);
        const std::vector<std::string> cells = Cells(body, ' ');
        EXPECT_EQ(cells, Cells(csv.Out, ',')) << body << csv.Out;
        ASSERT_FALSE(cells.empty());
        EXPECT_EQ(cells[0], shown);
        std::vector<std::size_t> decimals;
        for (const std::string& line : Cells(csv.Out.substr(csv.Out.find('\n') + 1), '\n'))
            for (const std::string& cell : Cells(line.substr(line.find(',') + 1), ','))
                decimals.push_back(Decimals(cell));
        ASSERT_FALSE(decimals.empty());
        EXPECT_EQ(std::count(decimals.begin(), decimals.end(), decimals[0]),
                  std::ptrdiff_t(decimals.size()));
    }
    EXPECT_NE(Cli("table downlight_c_quarter.ies --kind candela").Out,
              Cli("table downlight_c_quarter.ies --kind candela --unit cdklm").Out);
    for (const char* args :
         {"table b.ies --kind candela --unit lm", "table b.ies --kind zonal --unit cd"})
        EXPECT_EQ(Cli(args).Status, 2) << args;
}

// JSON numbers carry at most 6 significant digits; the opening of a file in feet is shown in
// metres unless the file's own units are asked for.
TEST_F(CliTest, InfoRoundsJsonAndShowsLengthsInTheUnitsAskedFor) {
    const CliRun json = Cli("info --json *.ies *.ldt");
    const std::regex number(R"([:,\[](-?[0-9][0-9.]*)(e[-+]?[0-9]+)?)");
    int numbers = 0;
    for (std::sregex_iterator it(json.Out.begin(), json.Out.end(), number), end; it != end;
         ++it, ++numbers) {
        std::string digits = (*it)[1].str();
        std::erase(digits, '-');
        std::erase(digits, '.');
        digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
        digits.erase(digits.find_last_not_of('0') + 1);
        EXPECT_LE(digits.size(), 6u) << it->str();
    }
    EXPECT_GT(numbers, 1000);
    const std::string opening = "luminous opening (width x length x height): ";
    EXPECT_NE(Cli("info linear_pendant_c_full.ies").Out.find(opening + "0.101 x 1.219 x 0.076 m"),
              std::string::npos);
    EXPECT_NE(Cli("info --units file linear_pendant_c_full.ies")
                  .Out.find(opening + "0.33 x 4.00 x 0.25 ft"),
              std::string::npos);
    EXPECT_NE(Cli("info --units file ldt_isym1_pendant.ldt").Out.find(" mm\n"), std::string::npos);
    EXPECT_EQ(Cli("info --units feet b.ies").Status, 2);
}

} // namespace
