// The ratings as tables of text: what `gonilux-cli table --kind lcs|bug|ugr|cu|sc|luminance`
// prints, aligned or as CSV, with each figure's digits from figure_format.h.
#pragma once

#include "ratings.h"

#include <string>
#include <string_view>
#include <vector>

namespace gonilux {

// The first row holds the column labels, every later row starts with its own label. Empty
// rows and a note when the table is undefined for the record.
struct RatingTable {
    std::string Title; // what the values are, with their unit
    std::vector<std::vector<std::string>> Rows;
    std::string Note; // why the table is missing, in English
    bool Valid() const { return !Rows.empty(); }
};

// The kinds of table by name: "lcs", "bug", "ugr", "cu", "sc", "luminance".
bool IsRatingTableKind(std::string_view kind);

// The table of that kind for a record. `ugrSpacing` is the UGR table's S/H (0.25 or 1).
RatingTable BuildRatingTable(std::string_view kind, const tIES& ies, const tRatingInput& input,
                             double ugrSpacing = 0.25);

// The rows as CSV: comma separated, cells with a comma or a quote quoted, LF line ends.
std::string RatingCsv(const RatingTable& table);

// The labels of the UGR table's rows ("4H 8H") and columns ("70/50/20 crosswise") and of the
// CU table's columns ("80/70").
std::string UgrRoomLabel(const tUgrRoom& room);
std::string ReflectanceLabel(const tReflectances& reflectances, bool withFloor);

} // namespace gonilux
