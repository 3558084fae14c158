// The IES roadway classification, cutoff class and spacing criterion of a prepared table
// (outdoor_parts.h). Distances on the road are in mounting heights: a direction at gamma from the
// nadir lands tan(gamma) away from the point below the luminaire.
#include "outdoor_parts.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gonilux::outdoor {
namespace {

constexpr double kRad = std::numbers::pi / 180;
constexpr double kDeg = 180 / std::numbers::pi;

// The largest stored value and where it is (stored plane, stored vertical angle).
struct Peak {
    double Candela = 0;
    double Plane = 0;
    double Gamma = 0;
};

Peak PeakOf(const tTable& table) {
    const tIES& ies = *table.Ies;
    Peak peak;
    for (std::size_t h = 0; h < ies.Candela.size(); ++h)
        for (std::size_t v = 0; v < ies.VertAngles.size(); ++v)
            if (ies.Candela[h][v] * ies.Multiplier > peak.Candela)
                peak = {ies.Candela[h][v] * ies.Multiplier, ies.HorzAngles[h], ies.VertAngles[v]};
    return peak;
}

// Intensity toward the point of the road `along` mounting heights along it and `across`
// mounting heights towards the street side (negative: the house side).
double CandelaOnRoad(const tTable& table, double along, double across) {
    const double gamma = std::atan(std::sqrt(along * along + across * across)) * kDeg;
    return CandelaAt(table, table.Front + std::atan2(along, across) * kDeg, gamma);
}

// IES longitudinal class: where the maximum lands along the road (transverse roadway lines at
// 1.0, 2.25, 3.75 and 6.0 mounting heights).
RoadLength LengthOf(double along, double& from, double& to) {
    constexpr double kLines[] = {0, 1.0, 2.25, 3.75, 6.0};
    constexpr RoadLength kClasses[] = {RoadLength::VeryShort, RoadLength::Short, RoadLength::Medium,
                                       RoadLength::Long};
    for (int k = 0; k < 4; ++k)
        if (along < kLines[k + 1] || (k == 3 && along <= kLines[4])) {
            from = kLines[k], to = kLines[k + 1];
            return kClasses[k];
        }
    return RoadLength::None;
}

// How far towards the street side the half-maximum region reaches along the line `along`:
// scanned inwards from 3 mounting heights (past the last lateral line) in quarters, the crossing
// then halved down to a few ten-thousandths.
double ReachAt(const tTable& table, double along, double half) {
    constexpr double kFar = 3.0, kNear = -1.5, kStep = 0.25;
    if (CandelaOnRoad(table, along, kFar) >= half) return kFar;
    for (double y = kFar - kStep; y >= kNear; y -= kStep) {
        if (CandelaOnRoad(table, along, y) < half) continue;
        double inside = y, outside = y + kStep;
        for (int i = 0; i < 10; ++i) {
            const double mid = (inside + outside) / 2;
            (CandelaOnRoad(table, along, mid) >= half ? inside : outside) = mid;
        }
        return inside;
    }
    return kNear;
}

// IES lateral type from the street-side reach (longitudinal roadway lines at 1.0, 1.75 and 2.75
// mounting heights).
RoadType TypeOfReach(double reach) {
    if (reach <= 1.0) return RoadType::I;
    if (reach <= 1.75) return RoadType::II;
    if (reach <= 2.75) return RoadType::III;
    return RoadType::IV;
}

} // namespace

// IES roadway classification: types V and VS by the shape of the light (ShapeOfLight); else the
// longitudinal class from where the maximum candela point lands along the road, and the lateral
// type from the farthest street-side reach of the half-maximum isocandela trace within that
// class's range (both directions along the road, five lines across each and the maximum's own).
tRoadway ClassifyRoadway(tTable& table, Shape shape, std::vector<std::string>& notes) {
    tRoadway road;
    if (shape != Shape::Asymmetric) {
        road.Valid = true;
        road.Type = shape == Shape::Round ? RoadType::V : RoadType::VS;
        return road;
    }
    const Peak peak = PeakOf(table);
    if (!(peak.Candela > 0) || peak.Gamma >= 90) {
        notes.push_back("roadway class: the maximum intensity is at or above the horizontal");
        return road;
    }
    const double along =
        std::fabs(std::tan(peak.Gamma * kRad) * std::sin((peak.Plane - table.Front) * kRad));
    double from = 0, to = 0;
    road.Length = LengthOf(along, from, to);
    if (road.Length == RoadLength::None) {
        notes.push_back(
            "roadway class: the maximum lands beyond 6 mounting heights along the road");
        return road;
    }
    double reach = -1e9;
    for (double sign : {-1.0, 1.0}) {
        reach = std::max(reach, ReachAt(table, sign * along, peak.Candela / 2));
        for (int k = 0; k <= 4; ++k)
            reach = std::max(reach,
                             ReachAt(table, sign * (from + (to - from) * k / 4), peak.Candela / 2));
    }
    road.Valid = true;
    road.Type = TypeOfReach(reach);
    return road;
}

// IES cutoff classification from the largest intensity at and above 90 and at and above 80
// degrees in any plane, as shares of the rated lamp lumens: full cutoff 0 and 10 %, cutoff
// 2.5 % and 10 %, semicutoff 5 % and 20 %, else noncutoff (candela per lamp lumen).
CutoffClass ClassifyCutoff(tTable& table, std::vector<std::string>& notes) {
    const tIES& ies = *table.Ies;
    if (ies.LumensPerLamp < 0) {
        notes.push_back("cutoff class: absolute photometry has no rated lamp lumens");
        return CutoffClass::None;
    }
    const double lamp = ies.LampCount * ies.LumensPerLamp;
    if (!(lamp > 0) || !std::isfinite(lamp)) {
        notes.push_back("cutoff class: the file has no rated lamp lumens");
        return CutoffClass::None;
    }
    double at80 = 0, at90 = 0;
    for (const tArrEx& row : ies.Candela) {
        for (double edge : {80.0, 90.0}) {
            const grid::Blend b = grid::BlendAt(ies.VertAngles, edge);
            const double value = b.Found ? row[b.Lo] + b.T * (row[b.Hi] - row[b.Lo]) : 0;
            (edge == 80 ? at80 : at90) = std::max(edge == 80 ? at80 : at90, value);
        }
        for (std::size_t v = 0; v < row.size(); ++v) {
            if (ies.VertAngles[v] >= 80) at80 = std::max(at80, row[v]);
            if (ies.VertAngles[v] >= 90) at90 = std::max(at90, row[v]);
        }
    }
    at80 *= ies.Multiplier / lamp;
    at90 *= ies.Multiplier / lamp;
    at80 = std::max(at80, at90);
    if (at90 <= 0 && at80 <= 0.10) return CutoffClass::Full;
    if (at90 <= 0.025 && at80 <= 0.10) return CutoffClass::Cutoff;
    if (at90 <= 0.05 && at80 <= 0.20) return CutoffClass::Semicutoff;
    return CutoffClass::Noncutoff;
}

namespace {

// The IES spacing criterion of `count` luminaires around a point, each seen from it in the
// planes `planes`: the first gamma from the nadir outwards at which their direct illuminance
// there, count * I(gamma) cos^3(gamma) (I the mean of the planes), falls to that straight below
// one, I(0); `factor` * tan(gamma) then. NaN (and a note) when there is no light straight down
// or the illuminance never falls that low before the horizon.
double SpacingOf(tTable& table, std::initializer_list<double> planes, double count, double factor,
                 const char* name, std::vector<std::string>& notes) {
    thread_local std::vector<double> sum;
    const tArrEx& vert = table.Ies->VertAngles;
    sum.assign(vert.size(), 0.0);
    for (double c : planes) {
        ColumnAt(table, c, table.Column.data());
        for (std::size_t v = 0; v < sum.size(); ++v)
            sum[v] += table.Column[v] / static_cast<double>(planes.size());
    }
    auto at = [&](double gamma) {
        const grid::Blend b = grid::BlendAt(vert, gamma);
        return b.Found ? sum[b.Lo] + b.T * (sum[b.Hi] - sum[b.Lo]) : 0.0;
    };
    const double below = at(0);
    if (!(below > 0)) {
        notes.push_back(std::string("spacing criterion ") + name + ": no light straight down");
        return kNoValue;
    }
    auto excess = [&](double gamma) {
        const double c = std::cos(gamma * kRad);
        return count * at(gamma) * c * c * c - below;
    };
    constexpr double kStep = 0.5;
    for (double gamma = kStep; gamma < 90; gamma += kStep) {
        if (excess(gamma) > 0) continue;
        double inside = gamma - kStep, outside = gamma;
        for (int i = 0; i < 30; ++i) {
            const double mid = (inside + outside) / 2;
            (excess(mid) > 0 ? inside : outside) = mid;
        }
        return factor * std::tan((inside + outside) / 2 * kRad);
    }
    notes.push_back(std::string("spacing criterion ") + name +
                    ": the illuminance midway never falls to that below a luminaire");
    return kNoValue;
}

} // namespace

// IES spacing criterion: 0-180 from the C0 half-plane and 90-270 from the C90 one (two
// luminaires, S/H = 2 tan(gamma)); diagonal from the four luminaires at the corners of a square
// seen from its centre in C45, C135, C225 and C315 (S/H of the square's side = sqrt(2) tan(gamma)).
tSpacingCriterion ComputeSpacing(tTable& table, std::vector<std::string>& notes) {
    tSpacingCriterion sc;
    sc.Along = SpacingOf(table, {0.0}, 2, 2, "0-180", notes);
    sc.Across = SpacingOf(table, {90.0}, 2, 2, "90-270", notes);
    sc.Diagonal =
        SpacingOf(table, {45.0, 135.0, 225.0, 315.0}, 4, std::sqrt(2.0), "diagonal", notes);
    return sc;
}

} // namespace gonilux::outdoor
