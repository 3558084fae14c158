// The luminaire-independent parts of the UGR table (glare_tables.h), worked out once: where each
// luminaire of an array stands as seen from the observer, and how the rooms pass light on.
#pragma once

#include "glare_tables.h"

#include <array>
#include <vector>

namespace gonilux::ugr {

inline constexpr double kHeight = 2.0;           // metres from the eye up to the luminaires
inline constexpr int kMaxDivisions = 8;          // spacing H / n, n = 1 .. 8
inline constexpr int kMaxHalfWidth = 6;          // the widest room is 12H: 6H each side
inline constexpr int kMaxDepth = 12;             // the deepest is 12H
inline constexpr std::size_t kStandardRoom = 10; // 4H x 8H in kUgrRooms

// One luminaire position of the array at spacing H / n: T = (k + 1/2) H / n to either side of
// the line of sight, R = (j + 1/2) H / n ahead, H above the eye.
struct tCell {
    bool Seen = false; // within 85 degrees of its nadir and the position index's field
    double Gamma = 0;  // degrees from the luminaire's nadir to the eye
    double Side = 0;   // atan(T / R), degrees
    double Weight = 0; // 1 / (r2 p2), 1/m2
    double Across = 0; // T / r, R / r and H / r: the direction to the eye
    double Ahead = 0;
    double Down = 0;
};

struct tLattice {
    int Divisions = 0; // n
    int HalfWidth = 0; // cells to each side: 6n
    int Depth = 0;     // cells ahead: 12n
    std::vector<tCell> Cells;
    const tCell& At(int k, int j) const {
        return Cells[static_cast<std::size_t>(k) * Depth + static_cast<std::size_t>(j)];
    }
};

// The lattice of spacing H / n (n from 1 to kMaxDivisions), built on first use.
const tLattice& LatticeFor(int divisions);

// The spacing's n: the nearest 1/n to `spacing` (in H), 4 when it is not a positive number.
int DivisionsFor(double spacing);

// Per room of kUgrRooms: the share of each downward 10 degree zone's lumens falling directly on
// the floor (1:1 array) and the transfer factors of each reflectance set of kUgrReflectances.
struct tRoomLight {
    std::array<double, 9> FloorShare{};
    std::array<std::array<double, 3>, 5> Transfers{};
};
const std::array<tRoomLight, 19>& RoomLights();

// The same for any room x by y (in H): floor shares and transfer factors.
std::array<double, 9> FloorShares(int x, int y);
std::array<double, 3> TransferFactors(double x, double y, const tReflectances& reflectances);

} // namespace gonilux::ugr
