// Writing a record as an EULUMDAT (.ldt) file.
#pragma once

#include "ies_record.h"
#include "product_name.h"

#include <string>
#include <string_view>
#include <vector>

namespace gonilux {

// Text of the user/date field of every EULUMDAT file this program writes; IsAuthorFile looks for
// it.
inline constexpr std::string_view kLdtAuthorField = GONILUX_PRODUCT_NAME " by Kestrin";

// Symmetry indicator of the full circle of planes `rows` (row k at k * 360 / rows.size()
// degrees): 1 when every plane is the same, 4 for both principal planes of symmetry, 2 for the
// C0-C180 plane, 3 for the C90-C270 plane, else 0. Values within `tolerance` count as equal.
int FindLdtSymmetry(const tArrEx2& rows, double tolerance);

// folder + separator + the file name with ".ldt" for its extension.
std::string LdtExportFileName(std::string_view folder, std::string_view fileName);

struct LdtText {
    bool Ok = false;
    int Symmetry = 0;
    bool Resampled = false; // the record was not type C on a regular grid of planes
    std::string Text;       // lines ending in CR LF
};

// The EULUMDAT text of `ies` with the entry's title strings: type C records on a regular grid
// of planes as they are, any other first re-sampled onto a regular type C grid; the symmetry
// indicator found from the values (within 0.1 % of the peak); intensities in cd/klm of the lamp
// flux, or, for absolute photometry, as a negative lamp count with 1000 lm, so that the values
// are candela however a reader takes them; sizes in mm; `fileName` in its field. Not Ok when the
// record has no usable table.
LdtText BuildLdtText(const tIES& ies, const std::vector<std::string>& titles,
                     std::string_view fileName);

} // namespace gonilux
