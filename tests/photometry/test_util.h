// Small helpers shared by the photometry tests.
#pragma once

#include "photometry/ies_record.h"

#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace gonilux::testutil {

// The lines joined with the given break after each one.
inline std::string JoinLines(const std::vector<std::string>& lines,
                             std::string_view lineBreak = "\r\n") {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += lineBreak;
    }
    return text;
}

// A record built directly, without the reader, so that tests control every value.
inline tIES MakeRecord(std::uint16_t type, std::vector<double> vert, std::vector<double> horz,
                       tArrEx2 candela) {
    tIES ies;
    ies.LampCount = 1;
    ies.LumensPerLamp = 1000;
    ies.Multiplier = 1;
    ies.UnitsType = 2;
    ies.InputWatts = 36;
    ies.PhotometricType = type;
    ies.VertCount = static_cast<std::uint16_t>(vert.size());
    ies.HorzCount = static_cast<std::uint16_t>(horz.size());
    ies.VertAngles = std::move(vert);
    ies.HorzAngles = std::move(horz);
    ies.Candela = std::move(candela);
    return ies;
}

// Candela table whose value at (h, v) is 10 * (h + 1) + v, so every value tells its origin.
inline tArrEx2 NumberedTable(std::size_t rows, std::size_t columns) {
    tArrEx2 table(rows, tArrEx(columns));
    for (std::size_t h = 0; h < rows; ++h) {
        for (std::size_t v = 0; v < columns; ++v) {
            table[h][v] = 10.0 * static_cast<double>(h + 1) + static_cast<double>(v);
        }
    }
    return table;
}

// Counts and array lengths agree.
inline void ExpectConsistent(const tIES& ies, const std::string& context = {}) {
    SCOPED_TRACE(context);
    EXPECT_EQ(ies.VertAngles.size(), ies.VertCount);
    EXPECT_EQ(ies.HorzAngles.size(), ies.HorzCount);
    ASSERT_EQ(ies.Candela.size(), ies.HorzCount);
    for (const tArrEx& row : ies.Candela) {
        ASSERT_EQ(row.size(), ies.VertCount);
    }
}

// A folder of its own under the system's temporary folder, removed again on destruction.
class TempFolder {
  public:
    TempFolder() {
        static std::atomic<int> counter{0};
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "gonilux-test-";
        if (info != nullptr) {
            name += std::string(info->test_suite_name()) + "-" + info->name();
        }
        for (char& c : name) {
            if (c == '/' || c == '\\' || c == ' ') c = '_';
        }
        name += "-" + std::to_string(std::random_device{}()) + "-" + std::to_string(counter++);
        path_ = std::filesystem::temp_directory_path() / name;
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string Str() const { return path_.string(); }

  private:
    std::filesystem::path path_;
};

} // namespace gonilux::testutil
