// gonilux-cli run in a temporary folder of the test's own, with its output captured.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace gonilux::clitest {

namespace fs = std::filesystem;

struct CliRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

inline std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Computed figures rounded to 6 significant digits, so that every build type prints the same.
inline std::string Rounded(const std::string& text) {
    static const std::regex kNumber(R"(-?\d+\.\d{5,}(e-?\d+)?)");
    std::string out;
    auto last = text.cbegin();
    for (std::sregex_iterator it(text.begin(), text.end(), kNumber), end; it != end; ++it) {
        char figure[32];
        std::snprintf(figure, sizeof figure, "%.6g", std::stod(it->str()));
        out.append(last, (*it)[0].first).append(figure);
        last = (*it)[0].second;
    }
    return out.append(last, text.cend());
}

// The program runs inside the test's folder, which starts with a copy of every sample, with no
// display of any kind, as file managers run it.
class CliFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "gonilux-cli-XXXXXX").string();
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        dir_ = name;
        for (const auto& item : fs::directory_iterator(GONILUX_SAMPLES_DIR))
            fs::copy_file(item.path(), dir_ / item.path().filename());
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }

    CliRun Cli(const std::string& args) {
        const std::string command =
            "cd '" + dir_.string() + "' && env -u QT_QPA_PLATFORM -u DISPLAY " +
            "-u WAYLAND_DISPLAY '" GONILUX_CLI "' " + args + " >.out 2>.err";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(dir_ / ".out"), Slurp(dir_ / ".err")};
    }

    // Every file below the folder with its text, without the captured output.
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        for (const auto& item : fs::recursive_directory_iterator(dir_))
            if (item.is_regular_file() && item.path().filename().string()[0] != '.' &&
                item.path().string().find(".sqlite") == std::string::npos) // the library index
                files[fs::relative(item.path(), dir_).string()] = Slurp(item.path());
        return files;
    }

    // Runs the commands of tests/data/expected/cli/NAME (its lines starting "$ ") one after
    // another and compares the whole transcript: exit status, stdout, stderr, and each file
    // written or changed (IES files with their text). GONILUX_UPDATE_EXPECTED=1 rewrites it.
    void ExpectTranscript(const std::string& name) {
        const fs::path path = fs::path(GONILUX_TESTDATA_DIR) / "expected" / "cli" / name;
        const std::string expected = Slurp(path);
        std::istringstream lines(expected);
        std::string actual;
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("$ ", 0) != 0) continue;
            const auto before = Files();
            const CliRun run = Cli(line.substr(2));
            actual += line + "\nstatus " + std::to_string(run.Status) + "\n" + run.Out + run.Err;
            for (const auto& [file, text] : Files())
                if (!before.count(file) || before.at(file) != text)
                    actual += "== " + file + "\n" +
                              (file.ends_with(".ies") && text.size() < 20000 ? text : "");
        }
        // The test's own folder, and the time an index update took, vary from run to run.
        for (std::size_t at; (at = actual.find(dir_.string())) != std::string::npos;)
            actual.replace(at, dir_.string().size(), "DIR");
        const std::regex took(R"( in \d+\.\d\d s\n)");
        actual = Rounded(std::regex_replace(actual, took, " in N s\n"));
        if (std::getenv("GONILUX_UPDATE_EXPECTED")) std::ofstream(path, std::ios::binary) << actual;
        EXPECT_EQ(actual, expected) << path;
    }

    fs::path dir_;
};

} // namespace gonilux::clitest
