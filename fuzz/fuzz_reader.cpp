// libFuzzer entry point for the IES reader and everything that consumes a freshly read record:
// title strings, info text, plane choice and the export. Any broken invariant aborts.
#include "photometry/export_text.h"
#include "photometry/header_titles.h"
#include "photometry/ies_reader.h"
#include "photometry/ies_record.h"
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

void CheckIndex(int index, const tIES& ies, bool allowNone, const char* what) {
    const int rows = static_cast<int>(ies.HorzCount);
    if (allowNone && index == -1) return;
    Require(index >= 0 && (index < rows || (rows == 0 && index == 0)), what);
}

void CheckSelection(const PlaneSelection& s, const tIES& ies) {
    CheckIndex(s.Plane, ies, false, "SelectPlanes: Plane inside the table");
    CheckIndex(s.Opposite, ies, true, "SelectPlanes: Opposite inside the table or -1");
    if (s.HasPerpendicular) {
        CheckIndex(s.PerpPlane, ies, false, "SelectPlanes: PerpPlane inside the table");
        CheckIndex(s.PerpOpposite, ies, true, "SelectPlanes: PerpOpposite inside the table");
    }
    if (!s.HasLocations) return;
    for (const ExtentLocation& at : s.Locations) {
        if (at.Plane == -1 && at.Vert == -1) continue;
        Require(at.Plane >= 0 && at.Plane < ies.HorzCount, "extent location plane in range");
        Require(at.Vert >= 0 && at.Vert < ies.VertCount, "extent location value in range");
    }
}

// A damaged header can announce huge tables that are mostly zero-filled. Those get fewer passes
// so that the fuzzer spends its time on inputs that differ; the reader itself always runs.
constexpr std::uint64_t kThoroughValues = 1u << 16;
constexpr std::uint64_t kExportValues = 1u << 18;
constexpr std::uint64_t kPlaneWork = 1u << 20;

std::uint64_t ValueCount(const tIES& ies) {
    return std::uint64_t{ies.VertCount} * std::uint64_t{ies.HorzCount};
}

// Fitted views: interactive, standard and another mode; each touches at most two plane pairs.
void SelectFitted(const tIES& ies, int plane) {
    CheckSelection(SelectPlanes(ies, 0, plane, {false, true, false}), ies);
    CheckSelection(SelectPlanes(ies, 1, plane, {false, true, true}), ies);
    CheckSelection(SelectPlanes(ies, 2, plane, {true, true, false}), ies);
}

// The interactive view unfitted scales to the whole table.
void SelectWhole(const tIES& ies, int plane) {
    CheckSelection(SelectPlanes(ies, 0, plane, {true, false, true}), ies);
}

void ExercisePlanes(const tIES& ies) {
    const int planes = ies.HorzCount == 0 ? 1 : ies.HorzCount;
    // Visit every plane while the work stays small (a fitted view searches the planes and
    // passes over two rows), else a spread of planes. The unfitted view differs from the fitted
    // one only in its extents, which do not depend on the plane: two planes suffice.
    const std::uint64_t fitted = std::uint64_t{ies.HorzCount} + ies.VertCount;
    const bool big = ValueCount(ies) > kThoroughValues;
    int stride = std::uint64_t(planes) * fitted <= kPlaneWork ? 1 : planes / 32 + 1;
    if (big) stride = planes / 4 + 1;
    for (int plane = 0; plane < planes; plane += stride)
        SelectFitted(ies, plane);
    SelectFitted(ies, planes - 1);
    if (big) return;
    SelectWhole(ies, 0);
    SelectWhole(ies, planes - 1);
}

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

bool MentionsTilt(const std::vector<std::string>& titles) {
    for (const std::string& t : titles)
        for (std::size_t i = 0; i + 4 <= t.size(); ++i)
            if ((t[i] | 0x20) == 't' && (t[i + 1] | 0x20) == 'i' && (t[i + 2] | 0x20) == 'l' &&
                (t[i + 3] | 0x20) == 't')
                return true;
    return false;
}

// Written numbers keep 15 significant digits, so a value that needs more reads back within
// half a unit of the 15th digit.
bool Near(double a, double b) {
    if (a == b) return true;
    const double scale = std::max(std::fabs(a), std::fabs(b));
    return std::fabs(a - b) <= scale * 1e-14 || std::fabs(a - b) < 1e-300;
}

bool NearValues(const tArrEx& a, const tArrEx& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!Near(a[i], b[i])) return false;
    return true;
}

// A rotation keeps the table: reading the written text back gives the same numbers (to the 15
// digits written), the horizontal angles shifted by 90. Titles naming TILT can legitimately end the
// new header early.
void CheckRotationRoundTrip(const tIES& ies, const ExportText& out,
                            const std::vector<std::string>& titles) {
    if (out.Kind != ExportKind::Rotation || ValueCount(ies) > kThoroughValues || !AllFinite(ies) ||
        MentionsTilt(titles))
        return;
    tIES back;
    ParseResult r = ParseIes(out.Text(), back);
    CheckShape(back);
    Require(!r.Diagnostics.HeaderError, "exported file reads back without header error");
    Require(back.VertCount == ies.VertCount && back.HorzCount == ies.HorzCount,
            "exported counts read back");
    Require(back.PhotometricType == 1, "exported file is type C");
    Require(back.LampCount == ies.LampCount && back.UnitsType == ies.UnitsType &&
                back.InputWatts == ies.InputWatts,
            "exported lamp count, units and watts read back");
    Require(Near(back.LumensPerLamp, ies.LumensPerLamp) && Near(back.Width, ies.Width) &&
                Near(back.Length, ies.Length) && Near(back.Height, ies.Height),
            "exported lumens and opening read back");
    Require(NearValues(back.VertAngles, ies.VertAngles), "exported vertical angles read back");
    for (std::size_t i = 0; i < ies.HorzAngles.size(); ++i)
        Require(Near(back.HorzAngles[i], ies.HorzAngles[i] - 90), "exported plane angles shifted");
    // Lumens other than 1000 with multiplier 1 are normalised once more on reading; a written
    // multiplier or lumens value that only reads back nearly equal may decide differently.
    if (back.Multiplier != ies.Multiplier || back.LumensPerLamp != ies.LumensPerLamp) return;
    if (ies.LumensPerLamp != 1000 && ies.Multiplier == 1) return;
    for (std::size_t h = 0; h < ies.Candela.size(); ++h)
        Require(NearValues(back.Candela[h], ies.Candela[h]), "exported candela rows read back");
}

void ExerciseExport(const tIES& ies, const std::vector<std::string>& titles) {
    ExportText out = BuildExportText(ies, titles);
    if (!out.Ok) return;
    Require(out.Kind == ExportKindOf(ies), "export kind agrees with ExportKindOf");
    std::size_t numeric = 1;
    while (numeric < out.Lines.size() && out.Lines[numeric] != "TILT=NONE")
        ++numeric;
    Require(numeric < out.Lines.size(), "export has a TILT=NONE line");
    for (std::size_t i = numeric + 1; i < out.Lines.size(); ++i)
        Require(out.Lines[i].size() <= 60, "numeric export lines are at most 60 characters");
    (void)ExportFileName("folder", "name.ies", out.Kind);
    CheckRotationRoundTrip(ies, out, titles);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    tIES ies;
    ParseResult result = ParseIes(text, ies);
    CheckShape(ies);
    Require(result.Diagnostics.HeaderErrorLine >= 0, "error line is not negative");

    TiesData entry = CreateIesData("fuzz.ies");
    ExtractTitles(entry, "some/folder/fuzz.ies", result.HeaderText);
    Require(entry.Lines.size() == TitleCount, "eight title strings");
    Require(entry.Lines[TitleFileName] == "fuzz.ies", "title 1 is the file name");
    ExtractTitles(entry, "some/folder/fuzz.ies", result.HeaderText);
    Require(entry.Lines[TitlePrevious] == "fuzz.ies", "second read keeps the former name");
    (void)BuildInfoText(entry.Lines, true);
    (void)BuildInfoText(entry.Lines, false);
    (void)BuildPreviewInfo(entry.Lines);

    if (ValueCount(ies) <= kThoroughValues) {
        tIES copy;
        CopyIes(ies, copy);
        Require(SameRecord(ies, copy), "CopyIes copies everything");
    }

    ExercisePlanes(ies);
    if (ValueCount(ies) <= kExportValues) ExerciseExport(ies, entry.Lines);
    return 0;
}
