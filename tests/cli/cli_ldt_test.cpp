// gonilux-cli convert --to ies over the real EULUMDAT files: each written IES file reads back as
// the same record as its source.
#include "cli_util.h"

namespace {

using namespace gonilux::clitest;
using CliLdtTest = CliFixture;

// The record as info --json prints it, from the lamp count to the intensity table.
std::string Record(const std::string& json) {
    const std::size_t from = json.find("\"lampCount\""), to = json.find(",\"titles\"");
    return from < to && to != std::string::npos ? json.substr(from, to - from) : json;
}

TEST_F(CliLdtTest, EveryRealFileConvertsToTheSameRecord) {
    const fs::path real = fs::path(GONILUX_TESTDATA_DIR) / "ldt-real";
    ASSERT_TRUE(fs::is_directory(real)) << real;
    int converted = 0;
    fs::create_directories(dir_ / "out");
    for (const auto& item : fs::recursive_directory_iterator(real)) {
        if (item.path().extension() != ".ldt" && item.path().extension() != ".LDT") continue;
        SCOPED_TRACE(item.path().string());
        fs::copy_file(item.path(), dir_ / "source.ldt", fs::copy_options::overwrite_existing);
        const CliRun run = Cli("convert --to ies source.ldt --output-dir out --force");
        ASSERT_EQ(run.Status, 0) << run.Err;
        const CliRun ies = Cli("info --json out/source.ies"), ldt = Cli("info --json source.ldt");
        EXPECT_NE(ies.Out.find("\"headerError\":false,"), std::string::npos) << ies.Out;
        EXPECT_EQ(Record(ies.Out), Record(ldt.Out));
        ++converted;
    }
    EXPECT_GE(converted, 20);
}

} // namespace
