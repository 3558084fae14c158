// How every photometric figure is shown: its unit and its digits, one rule per kind of figure.
// The viewer (list, hover text, info panel, details, preview), the report window, the datasheet,
// the CSV texts and gonilux-cli all write their figures through these functions, so one figure
// reads the same wherever it appears. Texts use '.' as the decimal point and no grouping; the
// windows group the digits of the result.
#pragma once

#include "ies_record.h"

#include <span>
#include <string>

namespace gonilux {

// The kinds of figure and their digits (see FigureRuleOf for the whole table).
enum class FigureKind {
    Flux,        // lm: 4 significant digits, whole lumens from 1000 on
    Intensity,   // cd or cd/klm: 4 significant digits, whole from 1000 on
    Illuminance, // lx: 3 significant digits, whole from 100 on
    Efficacy,    // lm/W: to 0.1
    Power,       // W: to 0.1
    Angle,       // degrees: to 0.1
    Percent,     // %: to 0.1
    FluxCode,    // the CIE flux code's numbers: whole percentages, as the code is written
    Multiplier,  // a factor: 4 significant digits without trailing zeros (1.66, 1, 0.5)
    Metres,      // m: to 0.001 (whole millimetres)
    Millimetres, // mm: whole
    Feet,        // ft: to 0.01
    Glare,       // a unified glare rating (UGR): to 0.1, no unit
    Spacing,     // a spacing criterion (S/H): to 0.01, no unit
    Luminance,   // cd/m2: 4 significant digits, whole from 1000 on
    Utilisation, // a coefficient of utilisation: whole percentages, as CU tables print them
};

struct FigureRule {
    FigureKind Kind;
    const char* Unit; // "lm", "cd", "%", "" for a multiplier (written "1.66x")
    int Significant;  // > 0: this many significant digits ...
    double WholeFrom; // ... and no decimals from this magnitude on
    int Decimals;     // Significant == 0: always this many decimals
    bool TrimZeros;   // trailing zeros after the point are dropped
};

const FigureRule& FigureRuleOf(FigureKind kind);

// The decimals one value of the kind is shown with (0 for zero and non-finite values of the
// kinds counted in significant digits).
int FigureDecimals(FigureKind kind, double value);

// The decimals of a whole table or column of one kind: those of its largest magnitude, so every
// value of the table has the same decimals ("13.0" beside "14.7", never "13").
int TableDecimals(FigureKind kind, std::span<const double> values);

// `value` rounded to `decimals` places ('.', no grouping, no "-0"); empty when not finite.
std::string FixedNumber(double value, int decimals);

// The number of a figure by its kind's rule, without unit; empty when not finite. Magnitudes
// from 1e15 on and below 1e-6 are written with an exponent ("1e+20") instead; no kind gets more
// than 9 decimals.
std::string FigureNumber(double value, FigureKind kind);

// The number and its unit ("3000 lm", "35.0°", "1.66x"); `missing` when the value is not
// finite.
std::string FigureText(double value, FigureKind kind, const std::string& missing = "n/a");

// Stored angles and other values that label a table's rows and columns (angles of the file's
// grid, distances): the fewest decimals, at most 2, that show every one of them as it is; the
// same for the whole row or column.
int LabelDecimals(std::span<const double> values);

// Up to `significant` significant digits without trailing zeros, fixed notation between 1e-4
// and 1e15 (17728.800000000003 -> "17728.8"); empty when not finite. The CSV texts' and JSON's
// raw numbers (grid positions, zone limits) use 6.
std::string RoundedNumber(double value, int significant = 6);

// A JSON number: RoundedNumber to 6 significant digits, "null" when not finite.
std::string JsonNumber(double value);

// ---- Lengths ----

// Which unit system lengths are shown in: metric (the default) or the file's own units.
enum class LengthSystem { Metric, File };

// The unit of the lengths a file writes: feet for IES units type 1, millimetres for EULUMDAT,
// else metres.
FigureKind FileLengthKind(const tIES& ies, bool eulumdat);

// The unit a set of lengths (metres, the record's convention) is shown in: metric gives
// millimetres when every length is below 1 m and metres otherwise; the file's own units as
// FileLengthKind says.
FigureKind LengthKindFor(std::span<const double> metres, LengthSystem system, FigureKind fileKind);

// A length given in metres, in the unit of `kind` (Metres, Millimetres or Feet).
double LengthIn(double metres, FigureKind kind);

// The record's opening dimensions (width, length, height) in metres, whatever its units.
struct OpeningMetres {
    double Width = 0, Length = 0, Height = 0;
};
OpeningMetres OpeningInMetres(const tIES& ies);

// The opening's width, length and height with their signs (the shape, as the file gives it) in
// the unit LengthKindFor chooses: "0.610 x 1.219 x 0.000 m", "600 x 600 x 80 mm".
std::string OpeningText(const tIES& ies, LengthSystem system, FigureKind fileKind);

} // namespace gonilux
