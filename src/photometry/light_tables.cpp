// The report's tables. Zonal lumens integrate the stored type C table as the luminaire flux
// does (BandFluxes); types A and B are first re-sampled onto a type C grid no coarser than
// their own angles, so their zones are measured about the vertical axis like everybody else's.
// Illuminance looks each point's direction up in the record's own angles (IntensityToward).
#include "light_tables.h"

#include "angle_grid.h"
#include "figure_format.h"
#include "resample.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <utility>

namespace gonilux {
namespace {

constexpr double kRad = std::numbers::pi / 180;
constexpr double kDeg = 180 / std::numbers::pi;

using Band = std::pair<double, double>;

constexpr Band kMainZones[] = {{0, 30},   {0, 40},   {0, 60},   {0, 90}, {90, 120},
                               {90, 130}, {90, 150}, {90, 180}, {0, 180}};
constexpr std::size_t kTenDegreeZones = 18;

// The cones about the nadir of the CIE flux codes: pi/2, pi and 3 pi/2 steradians, a quarter,
// half and three quarters of the lower hemisphere (41.4, 60 and 75.5 degrees).
std::vector<Band> AllBands() {
    std::vector<Band> bands(std::begin(kMainZones), std::end(kMainZones));
    for (std::size_t i = 0; i < kTenDegreeZones; ++i)
        bands.emplace_back(10.0 * static_cast<double>(i), 10.0 * static_cast<double>(i + 1));
    for (double cosine : {0.75, 0.5, 0.25})
        bands.emplace_back(0, std::acos(cosine) * kDeg);
    return bands;
}

// Share in percent; NaN when the whole is missing or not positive.
double Percent(double part, double whole) {
    return std::isfinite(whole) && whole > 0 ? 100 * part / whole : kNoValue;
}

ZoneFlux Zone(const Band& band, double lumens, const ZonalSummary& z) {
    return {band.first, band.second, lumens, Percent(lumens, z.LampFlux),
            Percent(lumens, z.LuminaireFlux)};
}

void FillZones(const std::vector<Band>& bands, const std::vector<double>& fluxes, ZonalSummary& z) {
    const std::size_t main = std::size(kMainZones);
    z.LuminaireFlux = fluxes[main - 1]; // 0-180
    for (std::size_t i = 0; i < main; ++i)
        z.Zones.push_back(Zone(bands[i], fluxes[i], z));
    for (std::size_t i = main; i < main + kTenDegreeZones; ++i)
        z.TenDegreeZones.push_back(Zone(bands[i], fluxes[i], z));
    const double down = fluxes[3]; // 0-90
    const std::size_t cones = main + kTenDegreeZones;
    for (std::size_t i = 0; i < 3; ++i)
        z.CieFluxCodes[i] = Percent(fluxes[cones + i], down);
    z.CieFluxCodes[3] = Percent(down, z.LuminaireFlux);
    const double basis = std::isfinite(z.LampFlux) ? z.LampFlux : z.LuminaireFlux;
    z.CieFluxCodes[4] = Percent(z.LuminaireFlux, basis);
}

// Type, shape and every value finite: what the tables need to be computed at all.
bool UsableTable(const tIES& ies) {
    if (!grid::UsableShape(ies)) return false;
    for (const tArrEx& row : ies.Candela)
        for (double value : row)
            if (!std::isfinite(value * ies.Multiplier)) return false;
    return true;
}

// Lux at (x, y) on the floor `height` below, for a usable record.
double Illuminance(const tIES& ies, double height, double x, double y) {
    const double r2 = x * x + y * y + height * height;
    const double r = std::sqrt(r2);
    const double intensity = IntensityToward(ies, x / r, y / r, -height / r) * ies.Multiplier;
    return intensity * height / (r2 * r); // I cos(incidence) / r^2, cos = height / r
}

bool PositiveFinite(double value) {
    return std::isfinite(value) && value > 0;
}

// Diameter of a cone of full angle `angle` (degrees) at `distance`; NaN from a half turn on.
double Diameter(double angle, double distance) {
    if (!std::isfinite(angle) || angle >= 180) return kNoValue;
    return 2 * distance * std::tan(angle / 2 * kRad);
}

// A CSV row: its first cell, then the values with `decimals` (the labels of a header row with
// the fewest decimals that show them, when `decimals` is negative).
void AppendRow(std::string& out, const std::string& first, const std::vector<double>& values,
               int decimals = -1) {
    out += first;
    const int shown = decimals < 0 ? LabelDecimals(values) : decimals;
    for (double value : values)
        out += ',' + FixedNumber(value, shown);
    out += '\n';
}

std::string Label(double value) {
    return RoundedNumber(value);
}

} // namespace

ZonalSummary ComputeZonal(const tIES& ies) {
    ZonalSummary z;
    const tMetrics m = ComputeMetrics(ies);
    if (!m.Valid || !std::isfinite(m.LuminaireFlux)) return z;
    const std::vector<Band> bands = AllBands();
    const std::vector<double> fluxes =
        grid::IsTypeC(ies) ? BandFluxes(ies, bands) : BandFluxes(ResampleToTypeC(ies), bands);
    if (fluxes.size() != bands.size()) return z;
    z.Valid = true;
    z.LampFlux = m.LampFlux;
    FillZones(bands, fluxes, z);
    return z;
}

std::string ZoneName(const ZoneFlux& zone) {
    return Label(zone.From) + "-" + Label(zone.To);
}

AreaIlluminance ComputeAreaIlluminance(const tIES& ies, double height, double size) {
    AreaIlluminance area;
    if (!PositiveFinite(height) || !PositiveFinite(size) || !UsableTable(ies)) return area;
    // Composite Simpson over kAreaIntervals intervals each way; the maximum over its points.
    constexpr int kAreaIntervals = 200;
    constexpr int points = kAreaIntervals + 1;
    std::vector<double> weights(points);
    std::vector<double> positions(points);
    for (int i = 0; i < points; ++i) {
        weights[i] = i == 0 || i == kAreaIntervals ? 1 : (i % 2 ? 4 : 2);
        positions[i] = size * (i - kAreaIntervals / 2) / kAreaIntervals;
    }
    double sum = 0;
    double maximum = 0;
    for (int iy = 0; iy < points; ++iy) {
        double row = 0;
        for (int ix = 0; ix < points; ++ix) {
            const double lux = Illuminance(ies, height, positions[ix], positions[iy]);
            row += weights[ix] * lux;
            maximum = std::max(maximum, lux);
        }
        sum += weights[iy] * row;
    }
    const double norm = 3.0 * kAreaIntervals; // each axis: h / 3 with h = size / intervals
    area.Valid = true;
    area.Average = sum / (norm * norm);
    area.Maximum = maximum;
    return area;
}

IlluminanceGrid ComputeIlluminanceGrid(const tIES& ies, double height, double size, int count) {
    IlluminanceGrid grid;
    grid.Height = height;
    grid.Size = size;
    if (!PositiveFinite(height) || !PositiveFinite(size) || !UsableTable(ies)) return grid;
    count = std::clamp(count, 3, 401);
    if (count % 2 == 0) ++count;
    grid.Count = count;
    const int half = (count - 1) / 2;
    for (int i = 0; i < count; ++i) // the ends exactly at half the size, the middle at 0
        grid.Positions.push_back(size * (i - half) / (count - 1));
    grid.Lux.resize(static_cast<std::size_t>(count) * count);
    for (int iy = 0; iy < count; ++iy)
        for (int ix = 0; ix < count; ++ix)
            grid.Lux[static_cast<std::size_t>(iy) * count + ix] =
                Illuminance(ies, height, grid.Positions[ix], grid.Positions[iy]);
    const AreaIlluminance area = ComputeAreaIlluminance(ies, height, size);
    grid.Valid = true;
    grid.Maximum = area.Maximum;
    grid.Average = area.Average;
    return grid;
}

double IlluminanceAt(const tIES& ies, double height, double x, double y) {
    if (!PositiveFinite(height) || !std::isfinite(x) || !std::isfinite(y) || !UsableTable(ies))
        return kNoValue;
    return Illuminance(ies, height, x, y);
}

std::vector<ConeRow> ComputeCone(const tIES& ies) {
    const tMetrics m = ComputeMetrics(ies);
    std::vector<ConeRow> rows;
    if (!m.Valid) return rows;
    for (int metres = 1; metres <= 10; ++metres) {
        const double d = metres;
        rows.push_back({d, m.MaxIntensity / (d * d), Diameter(m.Spread0.Beam, d),
                        Diameter(m.Spread90.Beam, d), Diameter(m.Spread0.Field, d),
                        Diameter(m.Spread90.Field, d)});
    }
    return rows;
}

ValueScale ReportValueScale(const tIES& ies, bool absolute) {
    const double lamps = static_cast<double>(ies.LampCount) * ies.LumensPerLamp;
    if (absolute || !PositiveFinite(lamps)) return {ies.Multiplier, true};
    return {ies.Multiplier * 1000 / lamps, false};
}

CandelaTable BuildCandelaTable(const tIES& ies, bool absolute) {
    CandelaTable table;
    if (!UsableTable(ies)) return table;
    const ValueScale unit = ReportValueScale(ies, absolute);
    const double scale = unit.Factor;
    table.Candela = unit.Candela;
    table.Valid = true;
    table.Planes = ies.HorzAngles;
    table.Angles = ies.VertAngles;
    table.Values.assign(ies.VertAngles.size(), std::vector<double>(ies.HorzAngles.size()));
    for (std::size_t h = 0; h < ies.HorzAngles.size(); ++h)
        for (std::size_t v = 0; v < ies.VertAngles.size(); ++v)
            table.Values[v][h] = ies.Candela[h][v] * scale;
    return table;
}

std::string CandelaCsv(const CandelaTable& table) {
    if (!table.Valid) return {};
    std::string out;
    AppendRow(out, CandelaUnit(table), table.Planes);
    const int angleDecimals = LabelDecimals(table.Angles);
    const int decimals = CandelaDecimals(table);
    for (std::size_t v = 0; v < table.Angles.size(); ++v)
        AppendRow(out, FixedNumber(table.Angles[v], angleDecimals), table.Values[v], decimals);
    return out;
}

std::string CandelaUnit(const CandelaTable& table) {
    return table.Candela ? "cd" : "cd/klm";
}

int CandelaDecimals(const CandelaTable& table) {
    std::vector<double> all;
    for (const std::vector<double>& row : table.Values)
        all.insert(all.end(), row.begin(), row.end());
    return TableDecimals(FigureKind::Intensity, all);
}

int ZonalDecimals(const ZonalSummary& zonal) {
    std::vector<double> lumens;
    for (const auto* zones : {&zonal.Zones, &zonal.TenDegreeZones})
        for (const ZoneFlux& zone : *zones)
            lumens.push_back(zone.Lumens);
    return TableDecimals(FigureKind::Flux, lumens);
}

std::string ZonalCsv(const ZonalSummary& zonal) {
    if (!zonal.Valid) return {};
    const int lm = ZonalDecimals(zonal);
    const int percent = FigureRuleOf(FigureKind::Percent).Decimals;
    std::string out = "zone,lm,%lamp,%luminaire\n";
    for (const auto* zones : {&zonal.Zones, &zonal.TenDegreeZones})
        for (const ZoneFlux& zone : *zones)
            out += ZoneName(zone) + ',' + FixedNumber(zone.Lumens, lm) + ',' +
                   FixedNumber(zone.PercentLamp, percent) + ',' +
                   FixedNumber(zone.PercentLuminaire, percent) + '\n';
    return out;
}

std::string IsoluxCsv(const IlluminanceGrid& grid) {
    if (!grid.Valid) return {};
    std::string out;
    AppendRow(out, "lx", grid.Positions);
    const int positions = LabelDecimals(grid.Positions);
    const int decimals = TableDecimals(FigureKind::Illuminance, grid.Lux);
    for (int iy = 0; iy < grid.Count; ++iy) {
        const auto begin = grid.Lux.begin() + static_cast<std::ptrdiff_t>(iy) * grid.Count;
        AppendRow(out, FixedNumber(grid.Positions[iy], positions),
                  std::vector<double>(begin, begin + grid.Count), decimals);
    }
    return out;
}

} // namespace gonilux
