// libFuzzer entry point for the EULUMDAT reader and the LM-63-2002 writer: whatever ParseLdt
// makes of the bytes must be a whole, finite record that the IES reader gets back bit for bit
// from BuildIesText, with the same title strings. Any broken invariant aborts.
#include "photometry/header_titles.h"
#include "photometry/ies_reader.h"
#include "photometry/ies_record.h"
#include "photometry/ies_writer.h"
#include "photometry/ldt_reader.h"
#include "photometry/plane_pairs.h"
#include "record_checks.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace gonilux;
using namespace gonilux::fuzz;

bool AllFinite(const tIES& ies) {
    auto finite = [](const tArrEx& a) {
        for (double x : a)
            if (!std::isfinite(x)) return false;
        return true;
    };
    if (!finite(ies.VertAngles) || !finite(ies.HorzAngles)) return false;
    for (const tArrEx& row : ies.Candela)
        if (!finite(row)) return false;
    return std::isfinite(ies.LumensPerLamp) && std::isfinite(ies.Multiplier) &&
           std::isfinite(ies.Width) && std::isfinite(ies.Length) && std::isfinite(ies.Height);
}

// Old-style labels that ExtractTitles reads when a keyword is empty; a title holding one can
// legitimately read back as another title's text.
bool HasFallbackLabel(const std::vector<std::string>& titles) {
    for (const std::string& t : titles)
        for (const char* label : {"DESCR.-1 :", "LM-NO.   :", "LAMP     :"})
            if (KeywordText(t).find(label) != std::string::npos) return true;
    return false;
}

constexpr std::uint64_t kRoundTripValues = 1u << 16;

void CheckRoundTrip(const tIES& ies, const std::vector<std::string>& titles) {
    const std::string text = BuildIesText(ies, titles);
    tIES back;
    ParseResult parsed = ParseIes(text, back);
    CheckShape(back);
    Require(!parsed.Diagnostics.HeaderError, "written IES text reads without header error");
    Require(SameRecord(ies, back), "written IES text reads back to the same record");
    Require(BuildIesText(back, titles) == text, "writing the record read back gives the same text");
    if (HasFallbackLabel(titles)) return;
    TiesData entry = CreateIesData("fuzz.ies");
    ExtractTitles(entry, "fuzz.ldt", parsed.HeaderText);
    for (int i = TitleTest; i < TitleCount; ++i)
        Require(entry.Lines[std::size_t(i)] == KeywordText(titles[std::size_t(i)]),
                "title strings read back from the written header");
}

void CheckPlanes(const tIES& ies) {
    const int planes = ies.HorzCount == 0 ? 1 : ies.HorzCount;
    for (int plane : {0, planes / 2, planes - 1}) {
        for (std::uint16_t mode : {0, 1, 2}) {
            PlaneSelection s = SelectPlanes(ies, mode, plane, {false, true, true});
            Require(s.Plane >= 0 && (s.Plane < ies.HorzCount || s.Plane == 0), "plane in range");
            Require(s.Opposite >= -1 && s.Opposite < planes, "opposite in range");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tIES ies;
    LdtParseResult result = ParseLdt(text, "some/folder/fuzz.ldt", ies);
    CheckShape(ies);
    Require(result.Titles.size() == TitleCount, "eight title strings");
    Require(result.Titles[TitleFileName] == "fuzz.ldt", "title 1 is the file name");
    Require(result.Diagnostics.HeaderErrorLine >= (result.Diagnostics.HeaderError ? 1 : 0),
            "error line is 1-based");
    Require(result.Diagnostics.HeaderErrorLine <= std::max(1, CountLines(text)),
            "error line inside the file");
    Require(std::uint64_t{ies.VertCount} * ies.HorzCount <= kMaxCandelaValues,
            "table within the value limit");
    Require(ies.PhotometricType == 1 && ies.UnitsType == 2, "type C in metres");
    Require(AllFinite(ies), "every number of the record is finite");
    Require(!(ies.Multiplier == 1 && ies.LumensPerLamp > 0 && ies.LumensPerLamp != 1000),
            "no record the IES reader would normalise again");
    CheckPlanes(ies);
    if (std::uint64_t{ies.VertCount} * ies.HorzCount <= kRoundTripValues)
        CheckRoundTrip(ies, result.Titles);
    return 0;
}
