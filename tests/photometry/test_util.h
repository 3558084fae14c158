// Small helpers shared by the photometry tests.
#pragma once

#include "photometry/ies_record.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
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

// Angles from first to last (included) in equal steps.
inline tArrEx Steps(double first, double last, double step) {
    tArrEx angles;
    for (double a = first; a <= last + 1e-9; a += step)
        angles.push_back(a);
    return angles;
}

inline bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline bool SameValues(const tArrEx& a, const tArrEx& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameBits);
}

// Bitwise equal records, so that -0 and 0 differ.
inline void ExpectSameRecord(const tIES& a, const tIES& b, const std::string& context) {
    SCOPED_TRACE(context);
    EXPECT_EQ(a.LampCount, b.LampCount);
    EXPECT_TRUE(SameBits(a.LumensPerLamp, b.LumensPerLamp))
        << a.LumensPerLamp << " " << b.LumensPerLamp;
    EXPECT_TRUE(SameBits(a.Multiplier, b.Multiplier)) << a.Multiplier << " " << b.Multiplier;
    EXPECT_EQ(a.VertCount, b.VertCount);
    EXPECT_EQ(a.HorzCount, b.HorzCount);
    EXPECT_EQ(a.PhotometricType, b.PhotometricType);
    EXPECT_EQ(a.UnitsType, b.UnitsType);
    EXPECT_TRUE(SameBits(a.Width, b.Width));
    EXPECT_TRUE(SameBits(a.Length, b.Length));
    EXPECT_TRUE(SameBits(a.Height, b.Height));
    EXPECT_EQ(a.InputWatts, b.InputWatts);
    EXPECT_TRUE(SameValues(a.VertAngles, b.VertAngles));
    EXPECT_TRUE(SameValues(a.HorzAngles, b.HorzAngles));
    ASSERT_EQ(a.Candela.size(), b.Candela.size());
    for (std::size_t h = 0; h < a.Candela.size(); ++h)
        EXPECT_TRUE(SameValues(a.Candela[h], b.Candela[h])) << "row " << h;
}

// Whether the path ends in the given lower-case extension, in any case.
inline bool HasExtension(const std::filesystem::path& path, std::string_view extension) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == extension;
}

// The files of a folder with the given extension, sorted; none when the folder is missing.
inline std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder,
                                                  std::string_view extension = ".ies",
                                                  bool recursive = true) {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    std::error_code error;
    if (!fs::is_directory(folder, error)) return files;
    auto add = [&](const fs::directory_entry& item) {
        if (item.is_regular_file() && HasExtension(item.path(), extension))
            files.push_back(item.path());
    };
    if (recursive) {
        for (const auto& item : fs::recursive_directory_iterator(folder, error))
            add(item);
    } else {
        for (const auto& item : fs::directory_iterator(folder, error))
            add(item);
    }
    std::sort(files.begin(), files.end());
    return files;
}

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::size_t FileCount(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
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
