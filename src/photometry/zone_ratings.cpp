#include "zone_ratings.h"

#include "outdoor_parts.h"
#include "resample.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

namespace gonilux {
namespace outdoor {
namespace {

constexpr double kRad = std::numbers::pi / 180;

// Adds to `w` the weights of the band [lo, hi] (degrees): the integral of the values, linear
// between the stored vertical angles, times sin(gamma) d gamma, worked out cell by cell.
void BandWeightsOf(const tArrEx& vert, double lo, double hi, std::vector<double>& w) {
    w.assign(vert.size(), 0.0);
    for (std::size_t j = 0; j + 1 < vert.size(); ++j) {
        const double a = std::max(vert[j], lo) * kRad;
        const double b = std::min(vert[j + 1], hi) * kRad;
        if (!(b > a)) continue;
        const double v0 = vert[j] * kRad;
        const double step = (vert[j + 1] - vert[j]) * kRad;
        const double s0 = std::cos(a) - std::cos(b);
        // The integral of (g - v0) sin g is sin g - (g - v0) cos g.
        const double s1 =
            (std::sin(b) - (b - v0) * std::cos(b)) - (std::sin(a) - (a - v0) * std::cos(a));
        w[j] += s0 - s1 / step;
        w[j + 1] += s1 / step;
    }
}

} // namespace

void PrepareTable(tTable& table, const tIES& ies, double front) {
    table.Ies = &ies;
    table.Layout = grid::LayoutOf(ies);
    table.Front = front;
    for (int b = 0; b < kBands; ++b)
        BandWeightsOf(ies.VertAngles, kBandEdges[b], kBandEdges[b + 1], table.BandWeights[b]);
    table.Column.resize(ies.VertAngles.size());
}

void ColumnAt(const tTable& table, double c, double* out) {
    const tIES& ies = *table.Ies;
    const grid::Blend plane = grid::PlaneAt(ies.HorzAngles, table.Layout, c);
    const std::size_t n = ies.VertAngles.size();
    if (!plane.Found) {
        std::fill(out, out + n, 0.0);
        return;
    }
    const tArrEx& lo = ies.Candela[plane.Lo];
    const tArrEx& hi = ies.Candela[plane.Hi];
    for (std::size_t v = 0; v < n; ++v)
        out[v] = (lo[v] + plane.T * (hi[v] - lo[v])) * ies.Multiplier;
}

double CandelaAt(const tTable& table, double c, double gamma) {
    return IntensityAt(*table.Ies, c, gamma) * table.Ies->Multiplier;
}

double BandFlux(const tTable& table, int band, const double* values) {
    const std::vector<double>& w = table.BandWeights[static_cast<std::size_t>(band)];
    double sum = 0;
    for (std::size_t v = 0; v < w.size(); ++v)
        sum += w[v] * values[v];
    return sum;
}

Shape ShapeOfLight(tTable& table) {
    if (table.Layout == grid::Layout::Single) return Shape::Round;
    constexpr int kSteps = 72;
    std::array<double, kSteps> profile{};
    for (int pass = 0; pass < 2; ++pass) {
        const int firstBand = pass == 0 ? 2 : 0; // 60-90, then 0-90 when that is dark
        for (int k = 0; k < kSteps; ++k) {
            ColumnAt(table, 5.0 * k, table.Column.data());
            profile[k] = 0;
            for (int b = firstBand; b < 4; ++b)
                profile[k] += BandFlux(table, b, table.Column.data());
        }
        if (*std::max_element(profile.begin(), profile.end()) > 0) break;
    }
    const auto [low, high] = std::minmax_element(profile.begin(), profile.end());
    if (!(*high > 0)) return Shape::Asymmetric;
    if (*low >= 0.8 * *high) return Shape::Round;
    for (int k = 0; k < kSteps; ++k)
        if (std::fabs(profile[k] - profile[(k + kSteps / 4) % kSteps]) > 0.1 * *high)
            return Shape::Asymmetric;
    return Shape::Square;
}

bool ShapeFromKeyword(const std::string& text, Shape& shape) {
    std::string upper(text);
    for (char& ch : upper)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    for (std::size_t at = upper.find("TYPE"); at != std::string::npos;
         at = upper.find("TYPE", at + 4)) {
        std::size_t i = at + 4;
        while (i < upper.size() && (upper[i] == ' ' || upper[i] == '-' || upper[i] == '_' ||
                                    upper[i] == ':' || upper[i] == '.'))
            ++i;
        std::size_t end = i;
        while (end < upper.size() && std::isalnum(static_cast<unsigned char>(upper[end])))
            ++end;
        const std::string word = upper.substr(i, end - i);
        if (word == "V" || word == "5") {
            const bool square = upper.find("SQUARE", end) != std::string::npos;
            shape = square ? Shape::Square : Shape::Round;
            return true;
        }
        if (word == "VS" || word == "5S" || word == "VSQ") {
            shape = Shape::Square;
            return true;
        }
        for (const char* other : {"I", "II", "III", "IV", "1", "2", "3", "4"})
            if (word == other) {
                shape = Shape::Asymmetric;
                return true;
            }
    }
    return false;
}

} // namespace outdoor

namespace {

using namespace outdoor;

// The C-angles between which the record's values are linear in C: every image of a stored
// plane under the layout's symmetry, the ends of the turn and the sides of the front half.
void PlaneBreaks(const tTable& table, std::vector<double>& breaks) {
    const tArrEx& h = table.Ies->HorzAngles;
    breaks.assign({0.0, 360.0});
    for (double side : {table.Front - 90, table.Front + 90})
        breaks.push_back(grid::Wrap(side, 360));
    if (table.Layout == grid::Layout::Cyclic) {
        for (double a : h)
            breaks.push_back(grid::Wrap(a, 360));
    } else if (table.Layout == grid::Layout::Mirrored) {
        const double period = 2 * (h.back() - h.front());
        if (static_cast<double>(h.size()) * 360 / period > 1e5) {
            // Planes a hair apart mirrored all round: a break every tenth of a degree instead.
            for (int k = 1; k < 3600; ++k)
                breaks.push_back(0.1 * k);
        } else {
            for (double a : h)
                for (double image : {a, 2 * h.front() - a})
                    for (double x = image - period * std::ceil(image / period); x <= 360;
                         x += period)
                        if (x >= 0) breaks.push_back(x);
        }
    }
    std::sort(breaks.begin(), breaks.end());
    breaks.erase(
        std::unique(breaks.begin(), breaks.end(), [](double a, double b) { return b - a < 1e-9; }),
        breaks.end());
}

// TM-15-11 LCS: the flux of each gamma band, front and back half apart, by the trapezoid rule
// in C between the breaks (exact, the values being linear in C there) and the band weights in
// gamma (exact for values linear in gamma).
tLcsZones IntegrateZones(tTable& table) {
    thread_local std::vector<double> breaks, a, b;
    PlaneBreaks(table, breaks);
    const std::size_t n = table.Column.size();
    a.resize(n), b.resize(n);
    ColumnAt(table, breaks[0], a.data());
    double flux[2][kBands] = {};
    for (std::size_t i = 1; i < breaks.size(); ++i) {
        ColumnAt(table, breaks[i], b.data());
        const double width = (breaks[i] - breaks[i - 1]) * (std::numbers::pi / 180);
        const double mid = (breaks[i] + breaks[i - 1]) / 2;
        const int side = std::cos((mid - table.Front) * (std::numbers::pi / 180)) > 0 ? 0 : 1;
        for (int band = 0; band < kBands; ++band)
            flux[side][band] +=
                width / 2 * (BandFlux(table, band, a.data()) + BandFlux(table, band, b.data()));
        std::swap(a, b);
    }
    tLcsZones z;
    z.Valid = true;
    z.FL = flux[0][0], z.FM = flux[0][1], z.FH = flux[0][2], z.FVH = flux[0][3];
    z.BL = flux[1][0], z.BM = flux[1][1], z.BH = flux[1][2], z.BVH = flux[1][3];
    z.UL = flux[0][4] + flux[1][4];
    z.UH = flux[0][5] + flux[1][5];
    return z;
}

using Limits = std::array<double, 5>; // the most lumens of ratings 0 to 4; more is 5

// A zero limit is met by less than half a lumen (what shows as 0 lm), any other one by lumens
// up to the limit itself.
int RatingOf(double lumens, const Limits& limits) {
    for (int k = 0; k < 5; ++k)
        if (limits[k] == 0 ? lumens < 0.5 : lumens <= limits[k]) return k;
    return 5;
}

} // namespace

// TM-15-11 Addendum A, tables A-1 (backlight), A-2 (uplight) and A-3 (glare); the glare
// table's BH row of type V and VS distributions is its FH row.
tBugRating BugRatingOf(const tLcsZones& z, bool roundOrSquare) {
    constexpr Limits kBackLowHigh{110, 500, 1000, 2500, 5000}; // BL, BH
    constexpr Limits kBackMid{220, 1000, 2500, 5000, 8500};    // BM
    constexpr Limits kUp{0, 10, 50, 500, 1000};                // UL, UH
    constexpr Limits kVeryHigh{10, 100, 225, 500, 750};        // FVH, BVH
    constexpr Limits kFrontHigh{660, 1800, 5000, 7500, 12000}; // FH
    tBugRating r;
    if (!z.Valid) return r;
    r.Valid = true;
    r.B = std::max(
        {RatingOf(z.BL, kBackLowHigh), RatingOf(z.BM, kBackMid), RatingOf(z.BH, kBackLowHigh)});
    r.U = std::max(RatingOf(z.UL, kUp), RatingOf(z.UH, kUp));
    r.G = std::max({RatingOf(z.FVH, kVeryHigh), RatingOf(z.BVH, kVeryHigh),
                    RatingOf(z.FH, kFrontHigh),
                    RatingOf(z.BH, roundOrSquare ? kFrontHigh : kBackLowHigh)});
    return r;
}

namespace {

bool FiniteValues(const tIES& ies) {
    for (const tArrEx& row : ies.Candela)
        for (double v : row)
            if (!std::isfinite(v)) return false;
    return true;
}

// Why a record cannot be rated; empty when it can.
std::string Unratable(const tIES& ies) {
    if (ies.PhotometricType == 3)
        return "type A photometry is not rated: its axes are not tied to the ground and the "
               "street";
    if (!grid::UsableShape(ies) || !FiniteValues(ies)) return "no usable intensity table";
    if (ies.VertAngles.size() < 2) return "a single vertical angle holds no flux";
    return {};
}

} // namespace

double FrontPlaneOf(const tIES& ies, const tRatingInput& input) {
    if (ies.PhotometricType == 2) return 0; // the beam axis, as photometered
    if (ies.PhotometricType != 1) return kNoValue;
    // IES roadway files lay the road along C90-C270 with the street side at C0; EULUMDAT files
    // (the CIE road convention) lay it along C0-C180 with the street side at C90.
    return input.Eulumdat ? 90 : 0;
}

tOutdoorRatings ComputeOutdoorRatings(const tIES& ies, const tRatingInput& input) {
    tOutdoorRatings r;
    if (const std::string why = Unratable(ies); !why.empty()) {
        r.Notes.push_back(why);
        return r;
    }
    thread_local tIES resampled;
    const bool typeB = ies.PhotometricType == 2;
    if (typeB) resampled = ResampleToTypeC(ies);
    const tIES& record = typeB ? resampled : ies;
    r.FrontPlane = FrontPlaneOf(ies, input);
    thread_local tTable table;
    PrepareTable(table, record, r.FrontPlane);
    r.Lcs = IntegrateZones(table);
    const Shape measured = ShapeOfLight(table);
    Shape named = measured;
    ShapeFromKeyword(input.Distribution, named);
    r.Bug = BugRatingOf(r.Lcs, named != Shape::Asymmetric);
    r.Roadway = ClassifyRoadway(table, measured, r.Notes);
    r.Cutoff = ClassifyCutoff(table, r.Notes);
    r.Spacing = ComputeSpacing(table, r.Notes);
    return r;
}

std::array<tLcsZone, 10> LcsZoneList(const tLcsZones& z) {
    std::array<tLcsZone, 10> zones{{{"BL", z.BL},
                                    {"BM", z.BM},
                                    {"BH", z.BH},
                                    {"BVH", z.BVH},
                                    {"FL", z.FL},
                                    {"FM", z.FM},
                                    {"FH", z.FH},
                                    {"FVH", z.FVH},
                                    {"UL", z.UL},
                                    {"UH", z.UH}}};
    double total = 0;
    for (const tLcsZone& zone : zones)
        total += std::isfinite(zone.Lumens) ? zone.Lumens : 0;
    for (tLcsZone& zone : zones)
        zone.Percent = z.Valid && total > 0 ? zone.Lumens / total * 100 : kNoValue;
    return zones;
}

std::string BugText(const tBugRating& bug) {
    if (!bug.Valid) return {};
    return "B" + std::to_string(bug.B) + " U" + std::to_string(bug.U) + " G" +
           std::to_string(bug.G);
}

std::string RoadTypeText(RoadType type) {
    switch (type) {
    case RoadType::I:
        return "I";
    case RoadType::II:
        return "II";
    case RoadType::III:
        return "III";
    case RoadType::IV:
        return "IV";
    case RoadType::V:
        return "V";
    case RoadType::VS:
        return "VS";
    case RoadType::None:
        break;
    }
    return {};
}

std::string RoadLengthText(RoadLength length) {
    switch (length) {
    case RoadLength::VeryShort:
        return "VS";
    case RoadLength::Short:
        return "S";
    case RoadLength::Medium:
        return "M";
    case RoadLength::Long:
        return "L";
    case RoadLength::None:
        break;
    }
    return {};
}

std::string CutoffText(CutoffClass cutoff) {
    switch (cutoff) {
    case CutoffClass::Full:
        return "full";
    case CutoffClass::Cutoff:
        return "cutoff";
    case CutoffClass::Semicutoff:
        return "semicutoff";
    case CutoffClass::Noncutoff:
        return "noncutoff";
    case CutoffClass::None:
        break;
    }
    return {};
}

} // namespace gonilux
