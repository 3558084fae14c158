// The ratings as `info` prints them: the "ratings" object of the JSON line and the summary's
// lines.
#pragma once

#include "photometry/ratings.h"

#include <string>

namespace gonilux::cli {

// {"lcs": {...}, "bug": {...}, "roadway": {...}, "cutoff": "...", "ugr": {...}, "sc": {...},
//  "luminance": {...}, "notes": [...]}, null for each figure that is undefined.
std::string JsonRatings(const tRatings& ratings);

// The summary's lines, each "  label: value\n".
std::string RatingsSummary(const tRatings& ratings);

} // namespace gonilux::cli
