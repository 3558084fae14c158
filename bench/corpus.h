// Generated IES files for the benchmarks: realistic type C text, the same for the same seed.
#pragma once

#include <string>
#include <vector>

namespace gonilux::bench {

// A type C file of vertCount vertical angles (0-90 for up to 91 values, else 0-180) and
// horzCount horizontal angles (0-360, or the single plane 0): LM-63-2002 header with keywords,
// TILT=NONE, candela values with one decimal, lines of at most 80 characters ending in CR LF.
std::string MakeIesText(int vertCount, int horzCount, unsigned seed);

// Writes `files` such files (seeds 0, 1, ...) into `folder`, creating it when needed, and
// returns their paths. Stops at the first file that cannot be written.
std::vector<std::string> WriteCorpus(const std::string& folder, int files, int vertCount,
                                     int horzCount);

} // namespace gonilux::bench
