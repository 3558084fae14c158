// Reading EULUMDAT (.ldt) text into the same record and title strings as an IES file.
// Never throws on bad input and never shows UI: problems are reported through the diagnostics.
#pragma once

#include "ies_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace gonilux {

// True when the file name ends in ".ldt" in any case.
bool IsLdtFileName(std::string_view path);

struct LdtParseResult {
    ReadDiagnostics Diagnostics;     // HeaderError/HeaderErrorLine for the first malformed field
    std::vector<std::string> Titles; // TitleCount strings as ExtractTitles builds them
};

// Reads a whole EULUMDAT file into `ies` (reset first): type C, metres, intensities in cd/klm
// with Multiplier = the first lamp set's total flux / 1000 times the conversion factor (so
// Candela * Multiplier is candela); a negative lamp count means the values are candela
// already (LumensPerLamp -1). The planes are those the symmetry indicator stores: all of them,
// one (rotational symmetry), 0-180, 0-90, or for symmetry about the C90-C270 plane the mirror
// half 90-270. Where the multiplier comes out as exactly 1 beside lamp lumens other than 1000,
// the values are normalised as the IES reader does for such a file, so that every record read
// here can be written as IES text and read back unchanged.
// Diagnostics: the line of the first malformed field (a text where a number belongs, a count
// out of range, a table over kMaxCandelaValues values: no table) or, when the file ends early,
// its last line; the values read so far are kept, unless the rest of the file could not even
// hold the announced lists, in which case no table is allocated.
// A leading UTF-8 byte-order mark is skipped; numbers may use a decimal comma; text fields lose
// surrounding blanks and one pair of enclosing double quotes.
// Titles: [1] the file name part of `fullPath`, [2] the measurement report number, [3] the
// company, [4] the luminaire name, [5] the luminaire number, [6] the first lamp set's type.
LdtParseResult ParseLdt(std::string_view fileText, std::string_view fullPath, tIES& ies);

} // namespace gonilux
