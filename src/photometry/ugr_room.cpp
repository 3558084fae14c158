// The rooms of the UGR table: the position of every luminaire of the array as the observer sees
// it (distance, angles, Guth's position index) and the flux exchange between floor, walls and
// ceiling that makes the background luminance (CIE 190).
#include "ugr_room.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <numbers>

namespace gonilux {
namespace ugr {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = 180 / kPi;
constexpr double kRad = kPi / 180;
constexpr double kMaxGamma = 85;

// Form factor between two equal parallel rectangles x by y facing each other at distance 1.
double ParallelFormFactor(double x, double y) {
    const double x2 = x * x, y2 = y * y;
    const double sx = std::sqrt(1 + x2), sy = std::sqrt(1 + y2);
    const double sum = 0.5 * std::log((1 + x2) * (1 + y2) / (1 + x2 + y2)) +
                       x * sy * std::atan(x / sy) + y * sx * std::atan(y / sx) - x * std::atan(x) -
                       y * std::atan(y);
    return 2 * sum / (kPi * x * y);
}

using Matrix = std::array<std::array<double, 3>, 3>;

double Determinant(const Matrix& m) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

// The solution of m v = b by Cramer's rule (m is well conditioned: reflectances below 1).
std::array<double, 3> Solve(const Matrix& m, const std::array<double, 3>& b) {
    const double det = Determinant(m);
    std::array<double, 3> v{};
    for (std::size_t col = 0; col < 3; ++col) {
        Matrix replaced = m;
        for (std::size_t row = 0; row < 3; ++row)
            replaced[row][col] = b[row];
        v[col] = Determinant(replaced) / det;
    }
    return v;
}

// Share of the positions (i + 1/2), i < count, of a row of `count` luminaires 1 apart whose
// light, moved sideways by d, still lands between 0 and count.
double RowShare(double d, int count) {
    const double landing = std::floor(count - 0.5 - std::fabs(d)) + 1;
    return std::clamp(landing, 0.0, double(count)) / count;
}

// Share of a 10 degree zone's lumens (uniform over its solid angle and all around) from the 1:1
// array of an x by y room (in H) that falls directly on the floor.
double FloorShare(int zone, int x, int y) {
    constexpr int kSteps = 10; // vertical steps within the zone
    constexpr int kTurns = 45; // azimuth steps over a quarter turn (the rest is symmetric)
    double sum = 0, weights = 0;
    for (int s = 0; s < kSteps; ++s) {
        const double gamma = (10.0 * zone + (s + 0.5) * 10.0 / kSteps) * kRad;
        const double reach = std::tan(gamma);
        double around = 0;
        for (int t = 0; t < kTurns; ++t) {
            const double phi = (t + 0.5) * (kPi / 2) / kTurns;
            around += RowShare(reach * std::cos(phi), x) * RowShare(reach * std::sin(phi), y);
        }
        sum += std::sin(gamma) * around / kTurns;
        weights += std::sin(gamma);
    }
    return sum / weights;
}

tRoomLight BuildRoomLight(const tUgrRoom& room) {
    tRoomLight light;
    light.FloorShare = FloorShares(room.X, room.Y);
    for (std::size_t r = 0; r < kUgrReflectances.size(); ++r)
        light.Transfers[r] = TransferFactors(room.X, room.Y, kUgrReflectances[r]);
    return light;
}

tCell BuildCell(int k, int j, int divisions) {
    const double step = kHeight / divisions;
    const double t = (k + 0.5) * step, r = (j + 0.5) * step, h = kHeight;
    const double horizontal = std::hypot(t, r);
    const double distance = std::hypot(horizontal, h);
    tCell cell;
    cell.Gamma = std::atan2(horizontal, h) * kDeg;
    cell.Side = std::atan2(t, r) * kDeg;
    const double p = GuthPositionIndex(t, r, h);
    cell.Seen = cell.Gamma <= kMaxGamma + 1e-9 && std::isfinite(p);
    cell.Weight = cell.Seen ? 1 / (distance * distance * p * p) : 0;
    cell.Across = t / distance;
    cell.Ahead = r / distance;
    cell.Down = h / distance;
    return cell;
}

tLattice BuildLattice(int divisions) {
    tLattice lattice;
    lattice.Divisions = divisions;
    lattice.HalfWidth = kMaxHalfWidth * divisions;
    lattice.Depth = kMaxDepth * divisions;
    lattice.Cells.reserve(static_cast<std::size_t>(lattice.HalfWidth) * lattice.Depth);
    for (int k = 0; k < lattice.HalfWidth; ++k)
        for (int j = 0; j < lattice.Depth; ++j)
            lattice.Cells.push_back(BuildCell(k, j, divisions));
    return lattice;
}

} // namespace

std::array<double, 9> FloorShares(int x, int y) {
    std::array<double, 9> shares{};
    for (int zone = 0; zone < 9; ++zone)
        shares[static_cast<std::size_t>(zone)] = x > 0 && y > 0 ? FloorShare(zone, x, y) : 0;
    return shares;
}

std::array<double, 3> TransferFactors(double x, double y, const tReflectances& reflectances) {
    // Surfaces 0 ceiling, 1 floor, 2 walls; form[i][j] = share of i's flux reaching j.
    const double area = x * y, walls = 2 * (x + y);
    const double across = ParallelFormFactor(x, y);
    const double toWalls = 1 - across;
    const double fromWalls = area * toWalls / walls;
    const Matrix form{
        {{0, across, toWalls}, {across, 0, toWalls}, {fromWalls, fromWalls, 1 - 2 * fromWalls}}};
    const std::array<double, 3> rho{reflectances.Ceiling / 100.0, reflectances.Floor / 100.0,
                                    reflectances.Walls / 100.0};
    Matrix exchange{};
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            exchange[i][j] = (i == j ? 1 : 0) - rho[i] * form[j][i];
    // Flux leaving each surface after all reflections of one lumen first falling on `first`;
    // what of it reaches the walls.
    auto toWallsFrom = [&](std::size_t first) {
        std::array<double, 3> direct{};
        direct[first] = rho[first];
        const std::array<double, 3> leaving = Solve(exchange, direct);
        return leaving[0] * form[0][2] + leaving[1] * form[1][2] + leaving[2] * form[2][2];
    };
    return {toWallsFrom(1), toWallsFrom(2), toWallsFrom(0)};
}

int DivisionsFor(double spacing) {
    if (!std::isfinite(spacing) || !(spacing > 0)) return 4;
    const double n = std::round(1 / spacing);
    return static_cast<int>(std::clamp(n, 1.0, double(kMaxDivisions)));
}

const tLattice& LatticeFor(int divisions) {
    static std::array<std::once_flag, kMaxDivisions> built;
    static std::array<tLattice, kMaxDivisions> lattices;
    const auto index = static_cast<std::size_t>(std::clamp(divisions, 1, kMaxDivisions) - 1);
    std::call_once(built[index], [index] { lattices[index] = BuildLattice(int(index) + 1); });
    return lattices[index];
}

const std::array<tRoomLight, 19>& RoomLights() {
    static const std::array<tRoomLight, 19> lights = [] {
        std::array<tRoomLight, 19> all;
        for (std::size_t room = 0; room < kUgrRooms.size(); ++room)
            all[room] = BuildRoomLight(kUgrRooms[room]);
        return all;
    }();
    return lights;
}

} // namespace ugr

double GuthPositionIndex(double t, double r, double h) {
    t = std::fabs(t);
    h = std::fabs(h);
    if (!(r > 0) || !std::isfinite(t) || !std::isfinite(h) || t > 3 * r || h > 1.9 * r)
        return kNoValue;
    const double tau = std::atan2(t, h) * ugr::kDeg;
    const double sigma = std::atan2(std::hypot(t, h), r) * ugr::kDeg;
    const double linear = (35.2 - 0.31889 * tau - 1.22 * std::exp(-2 * tau / 9)) * 1e-3;
    const double square = (21 + 0.26667 * tau - 0.002963 * tau * tau) * 1e-5;
    return std::exp(linear * sigma + square * sigma * sigma);
}

std::array<double, 3> UgrTransferFactors(const tUgrRoom& room, const tReflectances& reflectances) {
    if (room.X <= 0 || room.Y <= 0) return {kNoValue, kNoValue, kNoValue};
    return ugr::TransferFactors(room.X, room.Y, reflectances);
}

} // namespace gonilux
