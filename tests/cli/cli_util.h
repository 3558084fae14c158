// gonilux-cli run in a folder of the test's own, with its output captured.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace gonilux::clitest {

namespace fs = std::filesystem;

struct CliRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

inline std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class CliFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        const ::testing::UnitTest* unit = ::testing::UnitTest::GetInstance();
        dir_ = fs::temp_directory_path() / ("gonilux-cli-" + std::to_string(unit->random_seed()) +
                                            "-" + unit->current_test_info()->test_suite_name() +
                                            "-" + unit->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Write(const std::string& name, const std::string& text) {
        fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    CliRun Cli(const std::string& args) {
        const fs::path out = dir_ / "stdout.txt", err = dir_ / "stderr.txt";
        const std::string command = std::string("'") + GONILUX_CLI + "' " + args + " >'" +
                                    out.string() + "' 2>'" + err.string() + "'";
        CliRun run;
        const int raw = std::system(command.c_str());
        run.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.Out = Slurp(out);
        run.Err = Slurp(err);
        return run;
    }

    static std::string Q(const fs::path& p) { return "'" + p.string() + "'"; }

    // The folder's file names, without the captured output.
    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        for (const auto& item : fs::recursive_directory_iterator(dir_)) {
            const std::string name = item.path().filename().string();
            if (name != "stdout.txt" && name != "stderr.txt") names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

} // namespace gonilux::clitest
