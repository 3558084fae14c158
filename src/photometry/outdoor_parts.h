// The pieces of the outdoor ratings (zone_ratings.h) shared by zone_ratings.cpp and
// road_class.cpp: a usable type C record read plane by plane in candela, the flux of gamma bands
// by exact integrals of the interpolated table, and the shape of the light around the luminaire.
#pragma once

#include "angle_grid.h"
#include "zone_ratings.h"

#include <array>
#include <string>
#include <vector>

namespace gonilux::outdoor {

// The gamma bands of the LCS zones: 0-30, 30-60, 60-80, 80-90, 90-100, 100-180 degrees.
inline constexpr std::array<double, 7> kBandEdges{0, 30, 60, 80, 90, 100, 180};
inline constexpr int kBands = 6;

// A usable type C record (type B already re-sampled), its values in candela.
struct tTable {
    const tIES* Ies = nullptr;
    grid::Layout Layout = grid::Layout::Single;
    double Front = 0; // the C-plane of the street side
    // BandWeights[b][v]: the flux of band b per radian of C-plane is the sum over v of
    // BandWeights[b][v] * value[v] (linear between the stored vertical angles, 0 beyond them).
    std::array<std::vector<double>, kBands> BandWeights;
    std::vector<double> Column; // scratch: one plane's values
};

// Prepares `table` for a usable type C record (weights computed, scratch sized).
void PrepareTable(tTable& table, const tIES& ies, double front);

// The values (candela) of the plane at C-angle `c` at the stored vertical angles, into `out`
// (VertCount values), blended between stored planes as the layout unfolds them.
void ColumnAt(const tTable& table, double c, double* out);

// Intensity (candela) toward C-angle `c`, gamma `gamma` (degrees).
double CandelaAt(const tTable& table, double c, double gamma);

// The flux per radian of C-plane of band `band` (0..5) of the column `values`.
double BandFlux(const tTable& table, int band, const double* values);

// Where the light goes around the luminaire, by the flux of the 60-90 degree band (the 0-90
// one when that band is dark) in 72 directions 5 degrees apart: round when the least is at least
// 80 % of the most (or the record has one plane), square when not round but a quarter turn maps
// the profile onto itself within 10 % of its most, else asymmetric.
enum class Shape { Asymmetric, Round, Square };
Shape ShapeOfLight(tTable& table);

// The shape a [DISTRIBUTION] keyword names: "TYPE V" (or 5) round, "TYPE VS" square, another
// type asymmetric; false when the text names no type.
bool ShapeFromKeyword(const std::string& text, Shape& shape);

// Roadway classification, cutoff class and spacing criterion (road_class.cpp).
tRoadway ClassifyRoadway(tTable& table, Shape shape, std::vector<std::string>& notes);
CutoffClass ClassifyCutoff(tTable& table, std::vector<std::string>& notes);
tSpacingCriterion ComputeSpacing(tTable& table, std::vector<std::string>& notes);

} // namespace gonilux::outdoor
