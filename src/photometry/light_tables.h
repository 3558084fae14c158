// The tables of a photometric report: zonal lumens and the CIE flux codes, illuminance on a
// floor below the luminaire (isolux grid), the cone of light along the peak direction and the
// candela table. Every angle here is in the type C frame: gamma from the nadir (0) to the zenith
// (180), C from C0 towards C90; types A and B are looked up in their own angles (see
// IntensityToward), so the same light stored in any type gives the same tables.
#pragma once

#include "ies_record.h"
#include "metrics.h"

#include <array>
#include <string>
#include <vector>

namespace gonilux {

// Lumens between two gamma angles (degrees, From < To) and their shares.
struct ZoneFlux {
    double From = 0;
    double To = 0;
    double Lumens = kNoValue;
    double PercentLamp = kNoValue;      // of the rated lamp flux; NaN when absolute or none
    double PercentLuminaire = kNoValue; // of the luminaire flux (0-180)
};

struct ZonalSummary {
    bool Valid = false; // false: no usable table (then every figure is NaN and the lists empty)
    double LampFlux = kNoValue;      // lm, LampCount * LumensPerLamp; NaN when absolute or 0
    double LuminaireFlux = kNoValue; // lm, 0-180
    // 0-30, 0-40, 0-60, 0-90, 90-120, 90-130, 90-150, 90-180, 0-180, in this order.
    std::vector<ZoneFlux> Zones;
    // 0-10, 10-20, ... 170-180.
    std::vector<ZoneFlux> TenDegreeZones;
    // CIE flux codes N1..N5 (CIE 52, EN 13032-2) as percentages (not rounded): N1, N2, N3 the
    // flux within 41.4, 60 and 75.5 degrees of the nadir (cones of pi/2, pi and 3 pi/2 sr) as a
    // share of the downward flux (0-90); N4 the downward flux as a share of the luminaire flux
    // (0-90 / 0-180, the downward flux fraction); N5 the luminaire flux as a share of the lamp
    // flux, the light output ratio (100 without a lamp flux, as with absolute photometry).
    std::array<double, 5> CieFluxCodes{kNoValue, kNoValue, kNoValue, kNoValue, kNoValue};
};

// Never throws; a record without a usable table gives Valid = false.
ZonalSummary ComputeZonal(const tIES& ies);

// Zone names as the tables print them: "0-90", "90-120" ...
std::string ZoneName(const ZoneFlux& zone);

// Illuminance (lux) on a horizontal floor `height` metres below the luminaire, which hangs
// over the centre and is aimed straight down (C0 towards +x, C90 towards +y), over a square
// of side `size` metres: Count x Count points from -size/2 to size/2 on both axes (so the
// centre, the edges and the corners are points of the grid when Count is odd).
struct IlluminanceGrid {
    bool Valid = false;
    double Height = 3;
    double Size = 10;
    int Count = 0;
    std::vector<double> Positions; // the Count coordinates (metres), shared by x and y
    std::vector<double> Lux;       // Count * Count values, row by row: Lux[iy * Count + ix]
    double Maximum = kNoValue;     // of the whole area, as ComputeAreaIlluminance (not the nodes')
    double Average = kNoValue;     // of the whole area, as ComputeAreaIlluminance (not the nodes')
    double At(int ix, int iy) const { return Lux[static_cast<std::size_t>(iy) * Count + ix]; }
};

// The illuminance of the whole square (the same floor and square as IlluminanceGrid): the
// average is the integral over the area divided by the area (the luminous flux falling on it
// per square metre), not a mean of grid points, so it does not depend on how finely a table or
// a chart samples the floor; the maximum is the largest value on a 201 x 201 lattice of the
// square (centre, edges and corners included). Worked out by Simpson's rule on that lattice.
struct AreaIlluminance {
    bool Valid = false;
    double Average = kNoValue; // lx
    double Maximum = kNoValue; // lx
};
AreaIlluminance ComputeAreaIlluminance(const tIES& ies, double height, double size);

// Count is forced odd and between 3 and 401; height and size must be positive and finite
// (else Valid = false). Intensities in candela (values times the multiplier).
IlluminanceGrid ComputeIlluminanceGrid(const tIES& ies, double height, double size,
                                       int count = 101);

// Illuminance (lux) at a point (x, y) of the floor `height` metres below; NaN when the record
// has no usable table.
double IlluminanceAt(const tIES& ies, double height, double x, double y);

// Along the peak direction: the illuminance at each distance and the diameters of the beam
// (50 %) and field (10 %) cones there, for each principal plane pair.
struct ConeRow {
    double Distance = 0;              // metres
    double Lux = kNoValue;            // maximum intensity / distance^2
    double BeamDiameter0 = kNoValue;  // the first principal plane (tMetrics::Spread0), metres
    double BeamDiameter90 = kNoValue; // the second (tMetrics::Spread90)
    double FieldDiameter0 = kNoValue;
    double FieldDiameter90 = kNoValue;
};

// Distances 1 to 10 m; empty when the record has no usable table.
std::vector<ConeRow> ComputeCone(const tIES& ies);

// What a report shows of a table value: candela when `absolute`, or when the record has no rated
// lamp flux (its values are candela then); else cd/klm of the whole rated lamp flux (lamp count
// times lumens per lamp), whatever the file's multiplier.
struct ValueScale {
    double Factor = 1;   // table value * Factor = the value shown
    bool Candela = true; // the unit shown: cd (true) or cd/klm
};
ValueScale ReportValueScale(const tIES& ies, bool absolute);

// Every stored value: the vertical angles down the first column, the planes across the first
// row, values as ReportValueScale says.
struct CandelaTable {
    bool Valid = false;
    bool Candela = true; // the unit of the values: cd (true) or cd/klm
    std::vector<double> Planes;
    std::vector<double> Angles;
    std::vector<std::vector<double>> Values; // Values[angle][plane]
};
CandelaTable BuildCandelaTable(const tIES& ies, bool absolute);

// The unit of the table's values as its texts name it: "cd" or "cd/klm".
std::string CandelaUnit(const CandelaTable& table);
// The decimals of every value of the table (FigureKind::Intensity, from its largest value).
int CandelaDecimals(const CandelaTable& table);
// The decimals of the lumens of every zone (main and 10 degree ones; FigureKind::Flux).
int ZonalDecimals(const ZonalSummary& zonal);

// The three tables as CSV text (comma separated, '.' decimals, LF line ends, a header row whose
// first cell names the unit of the values). The values have the digits of their kind
// (figure_format.h), the same decimals down a whole table or column; the angles and positions
// of the rows and columns the fewest decimals that show them.
std::string CandelaCsv(const CandelaTable& table);
std::string ZonalCsv(const ZonalSummary& zonal);    // one row per zone: zone,lm,%lamp,%luminaire
std::string IsoluxCsv(const IlluminanceGrid& grid); // x in the first row, then y,lux,lux...

} // namespace gonilux
