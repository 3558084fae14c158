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

// Reads a whole EULUMDAT file into `ies` (reset first): type C, intensities in cd/klm with
// Multiplier = total lamp flux / 1000 (so Candela * Multiplier is candela), the planes expanded
// as the symmetry indicator requires. `fullPath` gives title string 1 (its file name part).
LdtParseResult ParseLdt(std::string_view fileText, std::string_view fullPath, tIES& ies);

}  // namespace gonilux
