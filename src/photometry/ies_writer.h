// Writing any record as an IESNA LM-63-2002 file.
#pragma once

#include "ies_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace gonilux {

// The text of an LM-63-2002 file for `ies` with the entry's title strings (keywords [TEST],
// [MANUFAC], [LUMINAIRE], [LUMCAT], [LAMP], [LAMPCAT] for the non-empty ones; control
// characters become blanks and square brackets round ones, so that each title reads back
// whole), TILT=NONE, lines ending in CR LF. The counts written are the lengths of the angle
// lists; missing candela values are written as 0.
// ParseIes of the text gives back the same record, bit for bit, for every record ParseIes or
// ParseLdt produce. The one kind of record neither produces, multiplier exactly 1 beside lamp
// lumens above 0 other than 1000, is written as it stands and reads back normalised.
std::string BuildIesText(const tIES& ies, const std::vector<std::string>& titles);

// A title as it is written after its keyword (and so as it reads back): control characters as
// blanks, square brackets as round ones, blanks at either end removed.
std::string KeywordText(std::string_view title);

// Number text that reads back to exactly `value` (finite values; -0 stays negative): the
// program's usual number text where that is exact, else the shortest exact one.
std::string ExactIesNumber(double value);

} // namespace gonilux
