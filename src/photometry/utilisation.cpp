// Coefficients of utilisation by the IES zonal cavity method (the IES Lighting Handbook's
// formulas): the light reaching the work plane of rooms of room cavity ratio 0 to 10, as a share
// of the lamp lumens, from the luminaire's lumens in 10 degree zones.
#include "glare_tables.h"
#include "indoor_light.h"

#include <cmath>

namespace gonilux {
namespace {

// The zonal multipliers K_N = exp(-A_N RCR^B_N) of the downward zones 0-10 ... 80-90: the share
// of a zone's lumens that reaches the work plane directly.
constexpr std::array<double, 9> kA{0, 0.041, 0.070, 0.100, 0.136, 0.190, 0.315, 0.640, 2.100};
constexpr std::array<double, 9> kB{0, 0.98, 1.05, 1.12, 1.16, 1.25, 1.25, 1.25, 0.80};

// The luminaire's lumens as shares of the table's base.
struct Shares {
    std::array<double, 9> Zones{};
    double Down = 0;
    double Up = 0;
};

// The base: the rated lamp lumens; the luminaire's own lumens for absolute photometry or when
// the file rates no lamp.
double BaseLumens(const tIES& ies, const indoor::tZoneFluxes& fluxes) {
    const double lamps = ies.LampCount * ies.LumensPerLamp;
    return ies.LumensPerLamp > 0 && lamps > 0 ? lamps : fluxes.Total();
}

double DirectRatio(const Shares& s, int rcr) {
    if (!(s.Down > 0)) return 0;
    double direct = 0;
    for (std::size_t n = 0; n < 9; ++n)
        direct += std::exp(-kA[n] * std::pow(rcr, kB[n])) * s.Zones[n];
    return direct / s.Down;
}

// The parts of one room cavity ratio shared by every reflectance column: direct ratio and form
// factor.
struct Cavity {
    double Rcr = 0;
    double Direct = 0;
    double Form = 0;
};

Cavity CavityOf(const Shares& s, int rcr) {
    const double r = rcr;
    return {r, DirectRatio(s, rcr),
            0.026 + 0.503 * std::exp(-0.270 * r) + 0.470 * std::exp(-0.119 * r)};
}

// CU (share of the base) for ceiling cavity, wall and floor cavity reflectances rc, rw, rf.
double Utilisation(const Shares& s, const Cavity& cavity, double rc, double rw, double rf) {
    if (cavity.Rcr == 0) return (s.Down + rc * s.Up) / (1 - rc * rf);
    const double r = cavity.Rcr, d = cavity.Direct, f = cavity.Form, f2 = f * f;
    const double c1 = (1 - rw) * (1 - f2) * r / (2.5 * rw * (1 - f2) + r * f * (1 - rw));
    const double c2 = (1 - rc) * (1 + f) / (1 + rc * f);
    const double c3 = (1 - rf) * (1 + f) / (1 + rf * f);
    const double c0 = c1 + c2 + c3;
    const double walls = 2.5 * rw * c1 * c3 * (1 - d) * s.Down / (r * (1 - rw) * (1 - rf) * c0);
    const double ceiling = rc * c2 * c3 * s.Up / ((1 - rc) * (1 - rf) * c0);
    const double direct = (1 - rf * c3 * (c1 + c2) / ((1 - rf) * c0)) * d * s.Down / (1 - rf);
    return walls + ceiling + direct;
}

} // namespace

tCuTable ComputeCuTable(const tIES& ies) {
    tCuTable table;
    for (auto& row : table.Percent)
        row.fill(kNoValue);
    const indoor::tZoneFluxes fluxes = indoor::ZoneFluxesOf(ies);
    if (!fluxes.Valid || !(fluxes.Total() > 0)) return table;
    const double base = BaseLumens(ies, fluxes);
    Shares shares;
    for (std::size_t n = 0; n < 9; ++n)
        shares.Zones[n] = fluxes.Down[n] / base;
    shares.Down = fluxes.Downward() / base;
    shares.Up = fluxes.Up / base;
    for (int rcr = 0; rcr <= 10; ++rcr) {
        const Cavity cavity = CavityOf(shares, rcr);
        for (std::size_t col = 0; col < kCuReflectances.size(); ++col) {
            const tReflectances& refl = kCuReflectances[col];
            table.Percent[static_cast<std::size_t>(rcr)][col] =
                100 * Utilisation(shares, cavity, refl.Ceiling / 100.0, refl.Walls / 100.0,
                                  refl.Floor / 100.0);
        }
    }
    table.Valid = true;
    return table;
}

} // namespace gonilux
