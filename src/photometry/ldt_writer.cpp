#include "ldt_writer.h"

#include "angle_grid.h"
#include "export_text.h"
#include "ies_writer.h"
#include "metrics.h"
#include "resample.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace gonilux {
namespace {

using namespace grid;

constexpr double kAngleSlack = 1e-6; // degrees

// A number as EULUMDAT readers expect it: plain decimal, six significant digits.
std::string LdtNumber(double value) {
    if (!std::isfinite(value) || std::fabs(value) < 1e-9) return "0";
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", value);
    if (std::string_view(text).find('e') != std::string_view::npos)
        std::snprintf(text, sizeof text, std::fabs(value) >= 1 ? "%.0f" : "%.9f", value);
    return text;
}

// The gap between neighbouring angles when they are evenly spaced, else 0.
double EvenStep(const tArrEx& angles) {
    if (angles.size() < 2) return 0;
    const double step = angles[1] - angles[0];
    for (std::size_t i = 1; i < angles.size(); ++i)
        if (std::fabs(angles[i] - angles[i - 1] - step) > kAngleSlack) return 0;
    return step;
}

// The stored step between planes when they lie on a regular grid that divides the circle.
double RegularStep(const tArrEx& angles) {
    const double step = EvenStep(angles);
    if (step == 0) return 0;
    const double turns = 360 / step;
    if (std::fabs(turns - std::round(turns)) > kAngleSlack) return 0;
    const double offset = angles[0] / step;
    return std::fabs(offset - std::round(offset)) > kAngleSlack ? 0 : step;
}

// The whole circle of planes of a type C record, one row per grid step from C0; false when a
// grid plane is not a stored one (it would need interpolating).
bool UnfoldCircle(const tIES& ies, tArrEx2& rows) {
    if (ies.HorzAngles.size() == 1) {
        rows = {ies.Candela[0]};
        return true;
    }
    const double step = RegularStep(ies.HorzAngles);
    if (step == 0) return false;
    const Layout layout = LayoutOf(ies);
    const auto count = static_cast<std::size_t>(std::lround(360 / step));
    rows.clear();
    for (std::size_t k = 0; k < count; ++k) {
        const Blend at = PlaneAt(ies.HorzAngles, layout, static_cast<double>(k) * step);
        if (!at.Found || (at.T > 1e-9 && at.T < 1 - 1e-9)) return false;
        rows.push_back(ies.Candela[at.T < 0.5 ? at.Lo : at.Hi]);
    }
    return true;
}

bool SameRows(const tArrEx& a, const tArrEx& b, double tolerance) {
    for (std::size_t v = 0; v < a.size(); ++v)
        if (std::fabs(a[v] - b[v]) > tolerance) return false;
    return true;
}

// Every row equals its image under k -> (shift - k) mod n.
bool Mirrors(const tArrEx2& rows, std::size_t shift, double tolerance) {
    const std::size_t n = rows.size();
    for (std::size_t k = 0; k < n; ++k)
        if (!SameRows(rows[k], rows[(shift + n - k) % n], tolerance)) return false;
    return true;
}

// The rows an EULUMDAT file with symmetry `isym` stores, in its order.
tArrEx2 StoredRows(const tArrEx2& rows, int isym) {
    const std::size_t n = rows.size();
    std::vector<std::size_t> picks;
    if (isym == 1) picks = {0};
    if (isym == 2)
        for (std::size_t k = 0; k <= n / 2; ++k)
            picks.push_back(k);
    if (isym == 3)
        for (std::size_t j = 0; j <= n / 2; ++j)
            picks.push_back((n - n / 4 + j) % n);
    if (isym == 4)
        for (std::size_t k = 0; k <= n / 4; ++k)
            picks.push_back(k);
    if (isym == 0)
        for (std::size_t k = 0; k < n; ++k)
            picks.push_back(k);
    tArrEx2 out;
    for (std::size_t k : picks)
        out.push_back(rows[k]);
    return out;
}

double Millimetres(const tIES& ies, double size) {
    return std::fabs(size) * (ies.UnitsType == 1 ? 304.8 : 1000);
}

std::string Title(const std::vector<std::string>& titles, int index) {
    return index < static_cast<int>(titles.size()) ? KeywordText(titles[index]) : std::string();
}

class LdtLines {
  public:
    void Add(std::string_view line) { text_.append(line).append("\r\n"); }
    void Add(double value) { Add(LdtNumber(value)); }
    void AddAll(const tArrEx& values) {
        for (double v : values)
            Add(v);
    }
    std::string Take() { return std::move(text_); }

  private:
    std::string text_;
};

void WriteHeader(LdtLines& out, const tIES& ies, const std::vector<std::string>& titles,
                 std::string_view fileName, int isym, std::size_t planes) {
    out.Add(Title(titles, TitleManufacturer));
    out.Add(isym == 1 ? "1" : "3");
    out.Add(std::to_string(isym));
    out.Add(std::to_string(planes));
    out.Add(planes > 1 ? 360.0 / static_cast<double>(planes) : 0.0);
    out.Add(std::to_string(ies.VertAngles.size()));
    out.Add(EvenStep(ies.VertAngles));
    out.Add(Title(titles, TitleTest));
    out.Add(Title(titles, TitleLuminaire));
    out.Add(Title(titles, TitleLuminaireCatalog));
    out.Add(KeywordText(fileName));
    out.Add(kLdtAuthorField);
    // A round luminous area (negative width) is written as its diameter with no width.
    const bool round = ies.Width < 0;
    const double length = Millimetres(ies, round ? ies.Width : ies.Length);
    const double width = round ? 0 : Millimetres(ies, ies.Width);
    const double height = Millimetres(ies, ies.Height);
    for (double size : {length, width, height, length, width, height, height, height, height})
        out.Add(size);
}

void WriteLampsAndTable(LdtLines& out, const tIES& ies, const std::vector<std::string>& titles,
                        const tArrEx2& stored, std::size_t planes) {
    const tMetrics m = ComputeMetrics(ies);
    const double lampFlux = static_cast<double>(ies.LampCount) * ies.LumensPerLamp;
    const bool absolute = !(lampFlux > 0);
    out.Add(m.DownwardFraction >= 0 ? 100 * m.DownwardFraction : 0.0);
    out.Add(absolute || !(m.LightOutputRatio >= 0) ? 100.0 : 100 * m.LightOutputRatio);
    out.Add("1"); // conversion factor
    out.Add("0"); // tilt during measurement
    out.Add("1"); // lamp sets
    const double lamps = std::max<double>(1, ies.LampCount);
    out.Add(LdtNumber(absolute ? -lamps : lamps));
    out.Add(Title(titles, TitleLamp));
    out.Add(absolute ? 1000.0 : lampFlux);
    out.Add(""); // colour temperature
    out.Add(""); // colour rendering
    out.Add(ies.ExactInputWatts > 0 ? ies.ExactInputWatts : double(ies.InputWatts));
    for (int k = 0; k < 10; ++k)
        out.Add("0"); // direct ratios: not worked out
    for (std::size_t k = 0; k < planes; ++k)
        out.Add(planes > 1 ? static_cast<double>(k) * 360 / static_cast<double>(planes) : 0.0);
    out.AddAll(ies.VertAngles);
    const double scale = ies.Multiplier * (absolute ? 1 : 1000 / lampFlux);
    for (const tArrEx& row : stored)
        for (double value : row)
            out.Add(value * scale);
}

} // namespace

std::string LdtExportFileName(std::string_view folder, std::string_view fileName) {
    const std::string name = ExportFileName(folder, fileName, ExportKind::None);
    const std::size_t dot = name.find_last_of('.');
    const std::size_t slash = name.find_last_of('/');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? name.substr(0, dot) : name) + ".ldt";
}

int FindLdtSymmetry(const tArrEx2& rows, double tolerance) {
    const std::size_t n = rows.size();
    bool single = true;
    for (const tArrEx& row : rows)
        single = single && SameRows(row, rows[0], tolerance);
    if (single) return 1;
    const bool about0 = n % 2 == 0 && Mirrors(rows, 0, tolerance);
    const bool about90 = n % 4 == 0 && Mirrors(rows, n / 2, tolerance);
    if (about0 && about90) return 4;
    if (about0) return 2;
    return about90 ? 3 : 0;
}

LdtText BuildLdtText(const tIES& source, const std::vector<std::string>& titles,
                     std::string_view fileName) {
    LdtText result;
    if (!UsableShape(source)) return result;
    tIES resampled;
    tArrEx2 rows;
    const bool asIs = IsTypeC(source) && source.VertAngles.front() >= 0 &&
                      source.VertAngles.back() <= 180 && UnfoldCircle(source, rows);
    if (!asIs) {
        resampled = ResampleToTypeC(source);
        if (resampled.HorzAngles.empty()) return result;
        resampled.HorzAngles.pop_back(); // C360 is C0 again
        resampled.Candela.pop_back();
        resampled.HorzCount = static_cast<std::uint16_t>(resampled.HorzAngles.size());
        rows = resampled.Candela;
    }
    const tIES& ies = asIs ? source : resampled;
    double peak = 0;
    for (const tArrEx& row : rows)
        for (double v : row)
            peak = std::max(peak, std::fabs(v));
    result.Symmetry = FindLdtSymmetry(rows, 0.001 * peak);
    result.Resampled = !asIs;
    LdtLines out;
    WriteHeader(out, ies, titles, fileName, result.Symmetry, rows.size());
    WriteLampsAndTable(out, ies, titles, StoredRows(rows, result.Symmetry), rows.size());
    result.Text = out.Take();
    result.Ok = true;
    return result;
}

} // namespace gonilux
