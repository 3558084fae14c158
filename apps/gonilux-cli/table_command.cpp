// gonilux-cli table: the candela table, the zonal lumens, the illuminance on a floor or one of
// the ratings' tables of one file, as aligned text or as CSV.
#include "commands.h"
#include "photometry/figure_format.h"
#include "photometry/file_io.h"
#include "photometry/header_titles.h"
#include "photometry/light_tables.h"
#include "photometry/rating_tables.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace gonilux::cli {
namespace {

constexpr int kIsoluxPoints = 11;

struct TableOptions {
    std::string File;
    std::string Kind;
    double Height = 3;
    double Size = 10;
    bool HeightGiven = false;
    bool SizeGiven = false;
    bool Csv = false;
    bool Candela = true; // --unit cd (true) or cdklm: the report window's two choices
    bool UnitGiven = false;
    double UgrSpacing = 0.25; // --spacing: the UGR table's S/H
    bool SpacingGiven = false;
};

constexpr const char* kKinds = "candela, zonal, isolux, lcs, bug, ugr, cu, sc or luminance";

// `decimals` after the point ('.' whatever the locale); "n/a" when there is no value.
std::string Number(double value, int decimals) {
    return std::isfinite(value) ? FixedNumber(value, decimals) : "n/a";
}

// A figure by its kind's digits, without unit.
std::string Number(double value, FigureKind kind) {
    return std::isfinite(value) ? FigureNumber(value, kind) : "n/a";
}

using Row = std::vector<std::string>;

// Rows in columns two blanks apart: the first column to the left, the others to the right.
std::string Aligned(const std::vector<Row>& rows) {
    std::vector<std::size_t> widths;
    for (const Row& row : rows)
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (widths.size() <= i) widths.push_back(0);
            widths[i] = std::max(widths[i], row[i].size());
        }
    std::string out;
    for (const Row& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            const std::string pad(widths[i] - row[i].size(), ' ');
            out += i == 0 ? row[i] + pad : "  " + pad + row[i];
        }
        out.erase(out.find_last_not_of(' ') + 1);
        out += '\n';
    }
    return out;
}

std::string CandelaText(const CandelaTable& table) {
    const std::string unit = CandelaUnit(table);
    std::vector<Row> rows{{unit}};
    const int planeDecimals = LabelDecimals(table.Planes);
    for (double plane : table.Planes)
        rows[0].push_back(Number(plane, planeDecimals));
    const int angleDecimals = LabelDecimals(table.Angles);
    const int decimals = CandelaDecimals(table);
    for (std::size_t v = 0; v < table.Angles.size(); ++v) {
        rows.push_back({Number(table.Angles[v], angleDecimals)});
        for (double value : table.Values[v])
            rows.back().push_back(Number(value, decimals));
    }
    return "intensities (" + unit + "): vertical angles down, horizontal angles across\n" +
           Aligned(rows);
}

std::string ZonalText(const ZonalSummary& z) {
    using K = FigureKind;
    const int lm = ZonalDecimals(z);
    const int percent = FigureRuleOf(K::Percent).Decimals;
    std::vector<Row> rows{{"zone", "lm", "% lamp", "% luminaire"}};
    for (const auto* zones : {&z.Zones, &z.TenDegreeZones})
        for (const ZoneFlux& zone : *zones)
            rows.push_back({ZoneName(zone), Number(zone.Lumens, lm),
                            Number(zone.PercentLamp, percent),
                            Number(zone.PercentLuminaire, percent)});
    std::string codes;
    for (double code : z.CieFluxCodes)
        codes += " " + Number(code, K::FluxCode);
    return Aligned(rows) + "lamp flux: " + Number(z.LampFlux, K::Flux) +
           " lm, luminaire flux: " + Number(z.LuminaireFlux, K::Flux) +
           " lm\nCIE flux code:" + codes + "\n";
}

std::string IsoluxText(const IlluminanceGrid& grid) {
    std::vector<Row> rows{{"y\\x (m)"}};
    const int positions = LabelDecimals(grid.Positions);
    for (double x : grid.Positions)
        rows[0].push_back(Number(x, positions));
    const int decimals = TableDecimals(FigureKind::Illuminance, grid.Lux);
    for (int iy = 0; iy < grid.Count; ++iy) {
        rows.push_back({Number(grid.Positions[iy], positions)});
        for (int ix = 0; ix < grid.Count; ++ix)
            rows.back().push_back(Number(grid.At(ix, iy), decimals));
    }
    return "illuminance (lx) on a floor " + RoundedNumber(grid.Height) +
           " m below the luminaire, " + RoundedNumber(grid.Size) + " m square: maximum " +
           Number(grid.Maximum, FigureKind::Illuminance) + ", average " +
           Number(grid.Average, FigureKind::Illuminance) + "\n" + Aligned(rows);
}

std::string RatingText(const RatingTable& table, bool csv) {
    return csv ? RatingCsv(table) : table.Title + "\n" + Aligned(table.Rows);
}

// The text of the table; empty when the record has none, with the reason in `why` when there
// is one.
std::string TableText(const TiesData& entry, const TableOptions& o, std::string& why) {
    const tIES& ies = entry.Ies;
    if (IsRatingTableKind(o.Kind)) {
        const RatingTable table = BuildRatingTable(o.Kind, ies, RatingInputOf(entry), o.UgrSpacing);
        why = table.Note;
        return table.Valid() ? RatingText(table, o.Csv) : std::string();
    }
    if (o.Kind == "candela") {
        const CandelaTable table = BuildCandelaTable(ies, o.Candela);
        return !table.Valid ? "" : o.Csv ? CandelaCsv(table) : CandelaText(table);
    }
    if (o.Kind == "zonal") {
        const ZonalSummary zonal = ComputeZonal(ies);
        return !zonal.Valid ? "" : o.Csv ? ZonalCsv(zonal) : ZonalText(zonal);
    }
    const IlluminanceGrid grid = ComputeIlluminanceGrid(ies, o.Height, o.Size, kIsoluxPoints);
    return !grid.Valid ? "" : o.Csv ? IsoluxCsv(grid) : IsoluxText(grid);
}

// 0 when the arguments are complete, else the usage error's status.
int ParseTableOptions(int argc, char** argv, TableOptions& o) {
    bool optionsDone = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool option = !optionsDone && arg[0] == '-' && arg[1] != '\0';
        const bool metres =
            option && (!std::strcmp(arg, "--height") || !std::strcmp(arg, "--size"));
        if (option && !std::strcmp(arg, "--kind")) {
            if (i + 1 >= argc) return UsageError("table: --kind takes", kKinds);
            o.Kind = argv[++i];
        } else if (option && !std::strcmp(arg, "--spacing")) {
            const std::string_view spacing = i + 1 < argc ? argv[i + 1] : "";
            if (spacing != "0.25" && spacing != "1" && spacing != "1.0")
                return UsageError("table: --spacing takes", "0.25 or 1 (times the height)");
            o.UgrSpacing = spacing == "0.25" ? 0.25 : 1.0;
            o.SpacingGiven = true;
            ++i;
        } else if (metres) {
            const bool height = arg[2] == 'h';
            double& value = height ? o.Height : o.Size;
            if (i + 1 >= argc || !ParseMetres(argv[i + 1], value))
                return UsageError("table: a positive number of metres must follow", arg);
            (height ? o.HeightGiven : o.SizeGiven) = true;
            ++i;
        } else if (option && !std::strcmp(arg, "--unit")) {
            const std::string_view unit = i + 1 < argc ? argv[i + 1] : "";
            if (unit != "cd" && unit != "cdklm")
                return UsageError("table: --unit takes", "cd or cdklm");
            o.Candela = unit == "cd";
            o.UnitGiven = true;
            ++i;
        } else if (option && !std::strcmp(arg, "--csv")) {
            o.Csv = true;
        } else if (option && !std::strcmp(arg, "--")) {
            optionsDone = true;
        } else if (option) {
            return UsageError("table: unknown option", arg);
        } else if (!o.File.empty()) {
            return UsageError("table: one file only; also given", arg);
        } else {
            o.File = arg;
        }
    }
    if (o.File.empty()) return UsageError("table: no file given");
    if (o.Kind != "candela" && o.Kind != "zonal" && o.Kind != "isolux" &&
        !IsRatingTableKind(o.Kind))
        return UsageError("table: --kind takes", kKinds);
    if (o.Kind != "ugr" && o.SpacingGiven)
        return UsageError("table: --spacing belongs to", "--kind ugr");
    if (o.Kind != "candela" && o.UnitGiven)
        return UsageError("table: --unit belongs to", "--kind candela");
    if (o.Kind != "isolux" && (o.HeightGiven || o.SizeGiven))
        return UsageError("table: --height and --size belong to", "--kind isolux");
    return 0;
}

} // namespace

bool ParseMetres(const char* text, double& value) {
    const std::string_view s(text);
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() && end == s.data() + s.size() && std::isfinite(value) && value > 0;
}

int RunTable(int argc, char** argv) {
    TableOptions options;
    if (const int usage = ParseTableOptions(argc, argv, options)) return usage;
    TiesData entry = CreateIesData(FileNameOf(options.File));
    if (!LoadIesEntry(entry, options.File)) {
        std::fprintf(stderr, "gonilux-cli: %s: %s\n", options.File.c_str(),
                     entry.Diagnostics.OpenError.c_str());
        return 1;
    }
    std::string why;
    const std::string text = TableText(entry, options, why);
    if (text.empty()) {
        std::fprintf(stderr, "gonilux-cli: %s: %s\n", options.File.c_str(),
                     why.empty() ? "no usable intensity table" : why.c_str());
        return 1;
    }
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
    if (entry.Diagnostics.Damaged()) {
        std::fprintf(stderr, "gonilux-cli: %s: damaged file: %s\n", options.File.c_str(),
                     DamageText(entry.Diagnostics).c_str());
        return 1;
    }
    return 0;
}

} // namespace gonilux::cli
