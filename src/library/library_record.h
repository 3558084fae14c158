// One photometric file as the library index keeps it: where it is, what its header says, its
// figures and whether it could be read.
#pragma once

#include "photometry/header_encoding.h"
#include "photometry/ies_record.h"
#include "photometry/metrics.h"
#include "photometry/ratings.h"

#include <array>
#include <cstdint>
#include <string>

namespace gonilux::library {

enum LibraryTitle : int { Test, Manufacturer, Luminaire, Catalog, Lamp, LampCatalog, TitleKinds };

struct LibraryRecord {
    std::string Path;       // the file's path as the file system gives it (bytes)
    std::int64_t Size = 0;  // bytes
    std::int64_t MTime = 0; // modification time, nanoseconds since the epoch
    bool Ldt = false;
    int Type = 0;      // photometric type: 1 C, 2 B, 3 A; 0 when unknown
    std::string Error; // empty when the file read cleanly, else what went wrong ("Line 24")
    std::array<std::string, TitleKinds> Titles; // UTF-8, decoded by the header encoding rule
    // Figures, NaN when unknown. Beam and field are the wider of the two principal planes.
    double Lumens = kNoValue;   // rated lamp flux, lm
    double Flux = kNoValue;     // luminaire flux, lm
    double Watts = kNoValue;    // input watts as the file writes them
    double Efficacy = kNoValue; // lm/W
    double MaxCd = kNoValue;
    double Beam = kNoValue;
    double Field = kNoValue;
    double Lor = kNoValue; // light output ratio, %
    // Ratings (ratings.h): BUG 0 to 5 (-1 when not rated), the roadway type, its length class
    // and the cutoff class as RoadTypeText & co. write them (empty when unclassified), the
    // worse UGR of the standard room, the spacing criterion and the luminance at 65 degrees
    // (cd/m2), NaN when undefined.
    int BugB = -1, BugU = -1, BugG = -1;
    std::string Road, RoadLength, Cutoff;
    double Ugr = kNoValue;
    double Sc = kNoValue;
    double L65 = kNoValue;
};

// The file name part of the record's path.
std::string FileNameOf(const LibraryRecord& record);

// The record of an entry in memory: its path is its file name, its titles are decoded in
// `encoding` ("auto": the automatic rule), its error comes from its diagnostics. `metrics` are
// the entry's figures; without them the record has only what the header says (no lumens, flux,
// efficacy, maxcd, beam, field, lor); without `ratings`, no ratings.
LibraryRecord EntryLibraryRecord(const TiesData& entry, const tMetrics* metrics,
                                 const tRatings* ratings = nullptr,
                                 std::string_view encoding = kAutoEncoding);

// Reads the file at `path` (size and time as listed) into a record; never throws.
LibraryRecord ReadLibraryRecord(const std::string& path, std::int64_t size, std::int64_t mtime);

} // namespace gonilux::library
