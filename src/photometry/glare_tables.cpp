// The unified glare rating table (CIE 190's tabular method on CIE 117's formula). The rooms of
// the table are nested: every luminaire of a smaller room stands where one of a larger room
// does, seen from the same observer. So each luminaire position of the largest rooms is rated
// once (ugr_room.h holds the positions and the rooms' flux exchange), summed along the line of
// sight, and every room takes the sums of its own columns.
#include "glare_tables.h"

#include "angle_grid.h"
#include "indoor_light.h"
#include "resample.h"
#include "ugr_room.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace gonilux {
namespace {

using indoor::tOpening;
using indoor::tZoneFluxes;
using ugr::tCell;
using ugr::tLattice;

// Whether the record is the same on both sides of the plane through the nadir and its C0
// (`end`) or C90 (`cross`) direction: a plane its stored symmetry mirrors at.
void MirrorPlanes(const tIES& ies, bool& end, bool& cross) {
    end = cross = false;
    if (!grid::IsTypeC(ies)) return;
    const grid::Layout layout = grid::LayoutOf(ies);
    if (layout == grid::Layout::Single) end = cross = true;
    if (layout != grid::Layout::Mirrored) return;
    for (double plane : {ies.HorzAngles.front(), ies.HorzAngles.back()}) {
        const double folded = grid::Wrap(plane, 180);
        end = end || std::fabs(folded) < grid::kTolerance ||
              std::fabs(folded - 180) < grid::kTolerance;
        cross = cross || std::fabs(folded - 90) < grid::kTolerance;
    }
}

// The intensities (cd) towards the eye from the two luminaires of a cell, at +T and -T:
// [0], [1] endwise (C0 towards the observer), [2], [3] crosswise (C90 towards the observer).
class CellIntensity {
  public:
    explicit CellIntensity(const tIES& ies)
        : ies_(ies), typeC_(grid::IsTypeC(ies)), layout_(grid::LayoutOf(ies)) {
        MirrorPlanes(ies, sameEnd_, sameCross_);
    }

    std::array<double, 4> At(const tCell& cell) const {
        std::array<double, 4> i{};
        if (typeC_) {
            const grid::Blend level = grid::BlendAt(ies_.VertAngles, cell.Gamma);
            if (!level.Found) return i;
            i[0] = InPlane(level, -cell.Side);
            i[1] = sameEnd_ ? i[0] : InPlane(level, cell.Side);
            i[2] = InPlane(level, 90 - cell.Side);
            i[3] = sameCross_ ? i[2] : InPlane(level, 90 + cell.Side);
        } else {
            i[0] = IntensityToward(ies_, cell.Ahead, -cell.Across, -cell.Down);
            i[1] = IntensityToward(ies_, cell.Ahead, cell.Across, -cell.Down);
            i[2] = IntensityToward(ies_, cell.Across, cell.Ahead, -cell.Down);
            i[3] = IntensityToward(ies_, -cell.Across, cell.Ahead, -cell.Down);
        }
        for (double& value : i)
            value *= ies_.Multiplier;
        return i;
    }

  private:
    double InPlane(const grid::Blend& level, double c) const {
        const grid::Blend plane = grid::PlaneAt(ies_.HorzAngles, layout_, c);
        if (!plane.Found) return 0;
        auto at = [&](std::size_t v) {
            const double lo = ies_.Candela[plane.Lo][v];
            return lo + plane.T * (ies_.Candela[plane.Hi][v] - lo);
        };
        const double lo = at(level.Lo);
        return level.T == 0 ? lo : lo + level.T * (at(level.Hi) - lo);
    }

    const tIES& ies_;
    bool typeC_;
    grid::Layout layout_;
    bool sameEnd_ = false;
    bool sameCross_ = false;
};

// Sums of L2 w / p2 = I2 / (Ap r2 p2) of the cells, running along the line of sight:
// End[k][j] over the cells (k, 0 .. j - 1), both sides of the line of sight.
struct GlareSums {
    int Depth = 0;
    std::vector<double> End;
    std::vector<double> Cross;
    // The room reaching `halfWidth` cells to each side and `depth` cells ahead.
    double Room(bool crosswise, int halfWidth, int depth) const {
        const std::vector<double>& sums = crosswise ? Cross : End;
        double sum = 0;
        for (int k = 0; k < halfWidth; ++k)
            sum +=
                sums[static_cast<std::size_t>(k) * (Depth + 1) + static_cast<std::size_t>(depth)];
        return sum;
    }
};

// The glare of each cell of the columns k < halfWidth, each column to depthOf(k) cells ahead.
template <typename DepthOf>
GlareSums SumGlare(const tIES& ies, const tOpening& opening, const tLattice& lattice, int halfWidth,
                   DepthOf depthOf) {
    GlareSums sums;
    sums.Depth = lattice.Depth;
    const std::size_t size = static_cast<std::size_t>(halfWidth) * (lattice.Depth + 1);
    sums.End.assign(size, 0.0);
    sums.Cross.assign(size, 0.0);
    const CellIntensity intensity(ies);
    for (int k = 0; k < halfWidth; ++k) {
        const std::size_t column = static_cast<std::size_t>(k) * (lattice.Depth + 1);
        double end = 0, cross = 0;
        for (int j = 0; j < depthOf(k); ++j) {
            const tCell& cell = lattice.At(k, j);
            if (cell.Seen) {
                const std::array<double, 4> i = intensity.At(cell);
                const double endArea =
                    indoor::ProjectedArea(opening, cell.Ahead, cell.Across, cell.Down);
                const double crossArea =
                    indoor::ProjectedArea(opening, cell.Across, cell.Ahead, cell.Down);
                if (endArea > 0) end += cell.Weight * (i[0] * i[0] + i[1] * i[1]) / endArea;
                if (crossArea > 0) cross += cell.Weight * (i[2] * i[2] + i[3] * i[3]) / crossArea;
            }
            sums.End[column + static_cast<std::size_t>(j) + 1] = end;
            sums.Cross[column + static_cast<std::size_t>(j) + 1] = cross;
        }
    }
    return sums;
}

// Background luminance (cd/m2) of a room x by y (in H) with n luminaires per H each way.
double Background(const tZoneFluxes& zones, const std::array<double, 9>& floorShare,
                  const std::array<double, 3>& transfers, int x, int y, int divisions) {
    double floor = 0;
    for (std::size_t zone = 0; zone < 9; ++zone)
        floor += zones.Down[zone] * floorShare[zone];
    const double walls = zones.Downward() - floor;
    const double luminaires = double(x) * divisions * y * divisions;
    const double wallArea = 2.0 * (x + y) * ugr::kHeight * ugr::kHeight;
    const double indirect = floor * transfers[0] + walls * transfers[1] + zones.Up * transfers[2];
    return luminaires * indirect / wallArea / std::numbers::pi;
}

double Rating(double glare, double background) {
    if (!(glare > 0) || !(background > 0)) return kNoValue;
    return 8 * std::log10(0.25 * glare / background);
}

// What every table needs of the record; false (and the reason) when it cannot have one.
struct Inputs {
    tOpening Opening;
    tZoneFluxes Zones;
};
bool ReadInputs(const tIES& ies, Inputs& in, std::string& note) {
    if (!indoor::UsableRecord(ies)) {
        note = "no usable intensity table";
        return false;
    }
    in.Opening = indoor::OpeningOf(ies);
    if (in.Opening.Shape == indoor::OpeningShape::None) {
        note = "no luminous opening (width, length and height are 0)";
        return false;
    }
    in.Zones = indoor::ZoneFluxesOf(ies);
    if (!in.Zones.Valid || !(in.Zones.Total() > 0)) {
        note = "no light";
        return false;
    }
    return true;
}

void FillRoom(std::size_t room, const GlareSums& sums, const Inputs& in, int n, tUgrTable& table) {
    const tUgrRoom& size = kUgrRooms[room];
    const ugr::tRoomLight& light = ugr::RoomLights()[room];
    const int halfWidth = size.X * n / 2;
    const double end = sums.Room(false, halfWidth, size.Y * n);
    const double cross = sums.Room(true, halfWidth, size.Y * n);
    for (std::size_t r = 0; r < kUgrReflectances.size(); ++r) {
        const double lb =
            Background(in.Zones, light.FloorShare, light.Transfers[r], size.X, size.Y, n);
        table.Endwise[room][r] = Rating(end, lb);
        table.Crosswise[room][r] = Rating(cross, lb);
    }
}

} // namespace

tUgrTable ComputeUgrTable(const tIES& ies, double spacing) {
    tUgrTable table;
    const int n = ugr::DivisionsFor(spacing);
    table.Spacing = 1.0 / n;
    for (auto* view : {&table.Crosswise, &table.Endwise})
        for (auto& row : *view)
            row.fill(kNoValue);
    Inputs in;
    if (!ReadInputs(ies, in, table.Note)) return table;
    const tLattice& lattice = ugr::LatticeFor(n);
    // Rooms 12H wide are at most 8H deep; the others reach 12H.
    const GlareSums sums = SumGlare(ies, in.Opening, lattice, lattice.HalfWidth,
                                    [n](int k) { return k < 4 * n ? 12 * n : 8 * n; });
    for (std::size_t room = 0; room < kUgrRooms.size(); ++room)
        FillRoom(room, sums, in, n, table);
    table.Valid = true;
    return table;
}

tUgrValue ComputeStandardUgr(const tIES& ies) {
    tUgrValue value;
    Inputs in;
    std::string note;
    if (!ReadInputs(ies, in, note)) return value;
    constexpr int n = 4;
    const tUgrRoom& size = kUgrRooms[ugr::kStandardRoom];
    const GlareSums sums = SumGlare(ies, in.Opening, ugr::LatticeFor(n), size.X * n / 2,
                                    [&size](int) { return size.Y * n; });
    const ugr::tRoomLight& light = ugr::RoomLights()[ugr::kStandardRoom];
    const double lb = Background(in.Zones, light.FloorShare, light.Transfers[0], size.X, size.Y, n);
    value.Crosswise = Rating(sums.Room(true, size.X * n / 2, size.Y * n), lb);
    value.Endwise = Rating(sums.Room(false, size.X * n / 2, size.Y * n), lb);
    return value;
}

double UgrBackgroundLuminance(const tIES& ies, const tUgrRoom& room,
                              const tReflectances& reflectances, double spacing) {
    const tZoneFluxes zones = indoor::ZoneFluxesOf(ies);
    if (!zones.Valid || room.X <= 0 || room.Y <= 0) return kNoValue;
    return Background(zones, ugr::FloorShares(room.X, room.Y),
                      ugr::TransferFactors(room.X, room.Y, reflectances), room.X, room.Y,
                      ugr::DivisionsFor(spacing));
}

} // namespace gonilux
