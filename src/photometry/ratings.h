// Every rating of a luminaire together (zone_ratings.h, glare_tables.h) and the single values
// that lists, queries and the library index show of them.
#pragma once

#include "glare_tables.h"
#include "ies_record.h"
#include "zone_ratings.h"

#include <string>
#include <vector>

namespace gonilux {

struct tRatings {
    bool Valid = false; // false: the record has no usable table (or is type A)
    tOutdoorRatings Outdoor;
    tLuminanceTable Luminance;
    tUgrValue Ugr;                  // the 4H x 8H room at 70/50/20, S = 0.25H
    std::vector<std::string> Notes; // why a figure is missing, in English
};

// What the ratings of an entry need beside its table: the file's format and its
// [DISTRIBUTION] keyword.
tRatingInput RatingInputOf(const TiesData& entry);

// Never throws; a record without a usable table gives every figure missing and a note.
tRatings ComputeRatings(const tIES& ies, const tRatingInput& input);

// The values of lists and queries (NaN when undefined):
// the worse (higher) of the standard room's crosswise and endwise UGR,
double WorseUgr(const tUgrValue& ugr);
// the smaller of the spacing criterion along (0-180) and across (90-270), so that sc>=1.2
// means at least 1.2 in both directions,
double SpacingValue(const tSpacingCriterion& spacing);
// the highest luminance of the planes C0, C45 and C90 at 65 degrees (cd/m2).
double Luminance65(const tLuminanceTable& luminance);

} // namespace gonilux
