// Writing any record as an IESNA LM-63-2002 file.
#pragma once

#include "ies_record.h"

#include <string>
#include <vector>

namespace gonilux {

// The text of an LM-63-2002 file for `ies` with the entry's title strings (keywords [TEST],
// [MANUFAC], [LUMINAIRE], [LUMCAT], [LAMP], [LAMPCAT] for the non-empty ones), TILT=NONE, lines
// ending in CR LF. ParseIes of the text gives back the same record.
std::string BuildIesText(const tIES& ies, const std::vector<std::string>& titles);

}  // namespace gonilux
