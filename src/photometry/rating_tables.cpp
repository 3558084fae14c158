#include "rating_tables.h"

#include "figure_format.h"

#include <array>
#include <cmath>

namespace gonilux {
namespace {

using Row = std::vector<std::string>;

std::string Cell(double value, FigureKind kind) {
    return std::isfinite(value) ? FigureNumber(value, kind) : "n/a";
}

std::string Cell(double value, int decimals) {
    return std::isfinite(value) ? FixedNumber(value, decimals) : "n/a";
}

RatingTable Missing(std::string note) {
    RatingTable table;
    table.Note = std::move(note);
    return table;
}

std::string FirstNote(const tRatings& ratings, const char* fallback) {
    return ratings.Notes.empty() ? fallback : ratings.Notes.front();
}

RatingTable LcsTable(const tRatings& ratings) {
    const tLcsZones& z = ratings.Outdoor.Lcs;
    if (!z.Valid) return Missing(FirstNote(ratings, "no LCS zones for this file"));
    const std::array<tLcsZone, 10> zones = LcsZoneList(z);
    std::vector<double> lumens;
    for (const tLcsZone& zone : zones)
        lumens.push_back(zone.Lumens);
    RatingTable table;
    table.Title = "IES TM-15-11 luminaire classification system: lumens by zone";
    table.Rows.push_back({"zone", "lm", "% luminaire"});
    const int decimals = TableDecimals(FigureKind::Flux, lumens);
    for (const tLcsZone& zone : zones)
        table.Rows.push_back({zone.Name, Cell(zone.Lumens, decimals),
                              Cell(zone.Percent, FigureRuleOf(FigureKind::Percent).Decimals)});
    return table;
}

RatingTable BugTable(const tRatings& ratings) {
    const tBugRating& bug = ratings.Outdoor.Bug;
    if (!bug.Valid) return Missing(FirstNote(ratings, "no BUG rating for this file"));
    RatingTable table;
    table.Title = "IES TM-15-11 BUG rating: " + BugText(bug);
    table.Rows = {{"letter", "rating"},
                  {"B", std::to_string(bug.B)},
                  {"U", std::to_string(bug.U)},
                  {"G", std::to_string(bug.G)}};
    return table;
}

RatingTable SpacingTable(const tRatings& ratings) {
    const tSpacingCriterion& sc = ratings.Outdoor.Spacing;
    if (std::isnan(sc.Along) && std::isnan(sc.Across) && std::isnan(sc.Diagonal))
        return Missing(FirstNote(ratings, "no spacing criterion for this file"));
    RatingTable table;
    table.Title = "IES spacing criterion (S/H)";
    table.Rows = {{"direction", "SC"},
                  {"0-180", Cell(sc.Along, FigureKind::Spacing)},
                  {"90-270", Cell(sc.Across, FigureKind::Spacing)},
                  {"diagonal", Cell(sc.Diagonal, FigureKind::Spacing)}};
    return table;
}

RatingTable LuminanceRows(const tLuminanceTable& l, const tRatings& ratings) {
    if (!l.Valid) return Missing(FirstNote(ratings, "the file gives no luminous opening"));
    RatingTable table;
    table.Title = "luminance (cd/m²): angle from the nadir down, planes across";
    table.Rows.push_back({"gamma"});
    for (double plane : tLuminanceTable::Planes)
        table.Rows[0].push_back("C" + FixedNumber(plane, 0));
    std::vector<double> all;
    for (const auto& row : l.Values)
        all.insert(all.end(), row.begin(), row.end());
    const int decimals = TableDecimals(FigureKind::Luminance, all);
    for (std::size_t a = 0; a < tLuminanceTable::Angles.size(); ++a) {
        table.Rows.push_back({FixedNumber(tLuminanceTable::Angles[a], 0)});
        for (double value : l.Values[a])
            table.Rows.back().push_back(Cell(value, decimals));
    }
    return table;
}

RatingTable UgrRows(const tUgrTable& ugr) {
    if (!ugr.Valid) return Missing(ugr.Note.empty() ? "the UGR table is undefined" : ugr.Note);
    RatingTable table;
    table.Title = "UGR (CIE 190 tabular method), S = " + RoundedNumber(ugr.Spacing) + "H";
    table.Rows.push_back({"room"});
    for (const char* view : {" crosswise", " endwise"})
        for (const tReflectances& r : kUgrReflectances)
            table.Rows[0].push_back(ReflectanceLabel(r, true) + view);
    for (std::size_t room = 0; room < kUgrRooms.size(); ++room) {
        table.Rows.push_back({UgrRoomLabel(kUgrRooms[room])});
        for (const auto* view : {&ugr.Crosswise, &ugr.Endwise})
            for (double value : (*view)[room])
                table.Rows.back().push_back(Cell(value, FigureKind::Glare));
    }
    return table;
}

RatingTable CuRows(const tCuTable& cu) {
    if (!cu.Valid) return Missing("no coefficients of utilisation for this file");
    RatingTable table;
    table.Title = "coefficients of utilisation (%), IES zonal cavity method, floor 20 %";
    table.Rows.push_back({"RCR"});
    for (const tReflectances& r : kCuReflectances)
        table.Rows[0].push_back(ReflectanceLabel(r, false));
    for (std::size_t rcr = 0; rcr < cu.Percent.size(); ++rcr) {
        table.Rows.push_back({std::to_string(rcr)});
        for (double value : cu.Percent[rcr])
            table.Rows.back().push_back(Cell(value, FigureKind::Utilisation));
    }
    return table;
}

std::string CsvCell(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

} // namespace

bool IsRatingTableKind(std::string_view kind) {
    for (std::string_view known : {"lcs", "bug", "ugr", "cu", "sc", "luminance"})
        if (kind == known) return true;
    return false;
}

RatingTable BuildRatingTable(std::string_view kind, const tIES& ies, const tRatingInput& input,
                             double ugrSpacing) {
    if (kind == "ugr") return UgrRows(ComputeUgrTable(ies, ugrSpacing));
    if (kind == "cu") return CuRows(ComputeCuTable(ies));
    const tRatings ratings = ComputeRatings(ies, input);
    if (kind == "lcs") return LcsTable(ratings);
    if (kind == "bug") return BugTable(ratings);
    if (kind == "sc") return SpacingTable(ratings);
    if (kind == "luminance") return LuminanceRows(ratings.Luminance, ratings);
    return Missing("unknown table");
}

std::string RatingCsv(const RatingTable& table) {
    std::string out;
    for (const std::vector<std::string>& row : table.Rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            out += (i ? "," : "") + CsvCell(row[i]);
        out += '\n';
    }
    return out;
}

std::string UgrRoomLabel(const tUgrRoom& room) {
    return std::to_string(room.X) + "H " + std::to_string(room.Y) + "H";
}

std::string ReflectanceLabel(const tReflectances& r, bool withFloor) {
    std::string label = std::to_string(r.Ceiling) + "/" + std::to_string(r.Walls);
    return withFloor ? label + "/" + std::to_string(r.Floor) : label;
}

} // namespace gonilux
