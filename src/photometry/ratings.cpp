#include "ratings.h"

#include "ldt_reader.h"

#include <algorithm>
#include <cmath>

namespace gonilux {

tRatingInput RatingInputOf(const TiesData& entry) {
    tRatingInput input;
    input.Eulumdat =
        entry.Lines.size() > TitleFileName && IsLdtFileName(entry.Lines[TitleFileName]);
    input.Distribution = entry.Distribution;
    return input;
}

tRatings ComputeRatings(const tIES& ies, const tRatingInput& input) {
    tRatings r;
    r.Outdoor = ComputeOutdoorRatings(ies, input);
    r.Notes = r.Outdoor.Notes;
    r.Valid = r.Outdoor.Lcs.Valid;
    if (!r.Valid) return r;
    r.Luminance = ComputeLuminanceTable(ies);
    r.Ugr = ComputeStandardUgr(ies);
    if (!r.Luminance.Valid)
        r.Notes.push_back("the file gives no luminous opening: luminance and UGR are undefined");
    else if (std::isnan(WorseUgr(r.Ugr)))
        r.Notes.push_back("the UGR of the standard room is undefined for this light");
    return r;
}

double WorseUgr(const tUgrValue& ugr) {
    if (std::isnan(ugr.Crosswise)) return ugr.Endwise;
    if (std::isnan(ugr.Endwise)) return ugr.Crosswise;
    return std::max(ugr.Crosswise, ugr.Endwise);
}

double SpacingValue(const tSpacingCriterion& spacing) {
    if (std::isnan(spacing.Along)) return spacing.Across;
    if (std::isnan(spacing.Across)) return spacing.Along;
    return std::min(spacing.Along, spacing.Across);
}

double Luminance65(const tLuminanceTable& luminance) {
    return luminance.Valid ? luminance.MaxAt(2) : kNoValue;
}

} // namespace gonilux
