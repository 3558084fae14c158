// Small helpers shared by the photometry tests.
#pragma once

#include "photometry/ies_record.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace gonilux::testutil {

namespace fs = std::filesystem;

inline std::string JoinLines(const std::vector<std::string>& lines, std::string_view br = "\r\n") {
    std::string text;
    for (const std::string& line : lines)
        text.append(line).append(br);
    return text;
}

// A record built directly, without the reader, so that tests control every value.
inline tIES MakeRecord(std::uint16_t type, tArrEx vert, tArrEx horz, tArrEx2 candela) {
    tIES ies;
    ies.LampCount = 1, ies.LumensPerLamp = 1000, ies.Multiplier = 1, ies.UnitsType = 2;
    ies.InputWatts = 36, ies.ExactInputWatts = 36, ies.PhotometricType = type;
    ies.VertCount = static_cast<std::uint16_t>(vert.size());
    ies.HorzCount = static_cast<std::uint16_t>(horz.size());
    ies.VertAngles = std::move(vert), ies.HorzAngles = std::move(horz);
    ies.Candela = std::move(candela);
    return ies;
}

// The pieces of a text between the separators (an empty text gives one empty piece).
inline std::vector<std::string> Split(const std::string& text, char separator = ' ') {
    std::vector<std::string> pieces;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find(separator, at)) != std::string::npos; at = end + 1)
        pieces.push_back(text.substr(at, end - at));
    pieces.push_back(text.substr(at));
    return pieces;
}

// The numbers in a text separated by blanks.
inline tArrEx Numbers(const std::string& text) {
    tArrEx numbers;
    for (const std::string& word : Split(text))
        if (!word.empty()) numbers.push_back(std::stod(word));
    return numbers;
}

// Candela table whose value at (h, v) is 10 * (h + 1) + v, so every value tells its origin.
inline tArrEx2 NumberedTable(std::size_t rows, std::size_t columns) {
    tArrEx2 table(rows, tArrEx(columns));
    for (std::size_t h = 0; h < rows; ++h)
        for (std::size_t v = 0; v < columns; ++v)
            table[h][v] = 10.0 * double(h + 1) + double(v);
    return table;
}

inline tArrEx Steps(double first, double last, double step) {
    tArrEx angles;
    for (double a = first; a <= last + 1e-9; a += step)
        angles.push_back(a);
    return angles;
}

// Every field of the record as exact text (the shortest text of each double, so -0 shows).
inline std::string Dump(const tIES& r) {
    tArrEx2 lists = {{double(r.LampCount), r.LumensPerLamp, r.Multiplier, double(r.VertCount),
                      double(r.HorzCount), double(r.PhotometricType), double(r.UnitsType), r.Width,
                      r.Length, r.Height, double(r.InputWatts), r.ExactInputWatts},
                     r.VertAngles,
                     r.HorzAngles};
    lists.insert(lists.end(), r.Candela.begin(), r.Candela.end());
    std::string out;
    for (const tArrEx& list : lists) {
        out += out.empty() ? "" : "| ";
        for (char buffer[32]; double v : list)
            out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr) += ' ';
    }
    return out;
}

inline std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Line breaks and control characters made visible (and bytes beyond ASCII, when asked), for
// one-line listings.
inline std::string Escaped(std::string_view text, bool hexBeyondAscii = false) {
    std::string out;
    for (char hex[8]; unsigned char c : text) {
        std::snprintf(hex, sizeof hex, c == '\r' ? "\\r" : c == '\n' ? "\\n" : "\\x%02X", c);
        const bool plain = c >= ' ' && c != 0x7F && (c < 0x7F || !hexBeyondAscii);
        out += plain ? std::string(1, char(c)) : std::string(hex);
    }
    return out;
}

// Compares with the checked-in file tests/data/expected/photometry/<name>; with
// GONILUX_UPDATE_EXPECTED=1 the file is rewritten first.
inline void ExpectMatchesFile(const std::string& name, const std::string& text) {
    const fs::path path = fs::path(GONILUX_TESTDATA_DIR) / "expected" / "photometry" / name;
    if (const char* update = std::getenv("GONILUX_UPDATE_EXPECTED"); update && *update == '1')
        WriteText(path, text);
    EXPECT_EQ(text, ReadText(path)) << "differs from " << path;
}

// A folder of its own under the system's temporary folder, removed again on destruction.
struct TempFolder {
    const fs::path Path =
        fs::temp_directory_path() / ("gonilux-test-" + std::to_string(std::random_device{}()));
    TempFolder() { fs::create_directories(Path); }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(Path, ignored);
    }
    std::string Str(const std::string& name = {}) const { return (Path / name).string(); }
};

} // namespace gonilux::testutil
