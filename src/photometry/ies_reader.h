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

// Splits text into lines; CR LF, LF and CR each end one line. A final line without a break
// counts; a break at the very end does not start another line.
std::vector<std::string> SplitLines(std::string_view text);

// Number of lines SplitLines would return.
int CountLines(std::string_view text);

// Moves the header lines (up to and including the first line whose name part, the text before
// its first "=", equals "tilt" without regard to case) from `lines` into `header` and returns
// the remaining lines joined as the numeric block (CR, LF and commas turned into blanks).
// Without such a line nothing is moved and the whole text is numeric.
void SplitHeader(std::vector<std::string>& lines, std::vector<std::string>& header,
                 std::string& numericText);

// Reads one number from the front of `text` and removes it with its separator. Blanks, tabs,
// CR, LF, commas and Ctrl-Z separate numbers. An empty or malformed token gives 0 and sets
// errorFlag (which is never cleared here).
double ReadNumber(std::string_view& text, bool& errorFlag);

// Converts one whole token as the reader does; false (and value 0) when it is not a number.
bool ConvertToken(std::string_view token, double& value);

struct ParseResult {
    ReadDiagnostics Diagnostics;
    std::string HeaderText; // the header lines, each followed by CR LF
};

// Reads a whole file's text into `ies` (which is reset first).
ParseResult ParseIes(std::string_view fileText, tIES& ies);

// The same for a file already split into lines; the header lines are removed from `lines`.
ParseResult ParseIes(std::vector<std::string>& lines, tIES& ies);

// Round half to even, keep the low 16 bits; non-finite or |v| >= 2^63 gives 0.
std::uint16_t RoundTo16(double value);

} // namespace gonilux
