// Reading IESNA LM-63 text into a tIES record. Never throws on bad input and never shows UI:
// malformed numeric headers are reported through the returned diagnostics.
#pragma once

#include "ies_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace gonilux {

// Products of VertCount and HorzCount above this are treated as a damaged header.
inline constexpr std::uint64_t kMaxCandelaValues = 16'777'216;

// Number of lines of text: CR LF, LF and CR each end one line. A final line without a break
// counts; a break at the very end does not start another line.
int CountLines(std::string_view text);

// Converts one whole token as the reader does; false (and value 0) when it is not a number.
bool ConvertToken(std::string_view token, double& value);

struct ParseResult {
    ReadDiagnostics Diagnostics;
    std::string HeaderText; // the header lines, each followed by CR LF
};

// Reads a whole file's text into `ies` (which is reset first).
ParseResult ParseIes(std::string_view fileText, tIES& ies);

// Round half to even, keep the low 16 bits; non-finite or |v| >= 2^63 gives 0.
std::uint16_t RoundTo16(double value);

} // namespace gonilux
