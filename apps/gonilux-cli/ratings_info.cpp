#include "ratings_info.h"

#include "photometry/figure_format.h"
#include "photometry/text_encoding.h"

#include <cmath>
#include <utility>
#include <vector>

namespace gonilux::cli {
namespace {

using Pairs = std::vector<std::pair<std::string, double>>;

std::string JsonObject(const Pairs& pairs) {
    std::string out = "{";
    for (const auto& [key, value] : pairs)
        out += (out.size() > 1 ? "," : "") + JsonQuote(key) + ":" + JsonNumber(value);
    return out + "}";
}

std::string JsonLcs(const tLcsZones& z) {
    if (!z.Valid) return "null";
    Pairs zones;
    for (const tLcsZone& zone : LcsZoneList(z))
        zones.emplace_back(zone.Name, zone.Lumens);
    return JsonObject(zones);
}

std::string JsonText(const std::string& text) {
    return text.empty() ? "null" : JsonQuote(text);
}

std::string JsonRoadway(const tRoadway& road) {
    if (!road.Valid) return "null";
    return "{\"type\":" + JsonText(RoadTypeText(road.Type)) +
           ",\"length\":" + JsonText(RoadLengthText(road.Length)) + "}";
}

bool AllMissing(const Pairs& pairs) {
    for (const auto& pair : pairs)
        if (std::isfinite(pair.second)) return false;
    return true;
}

std::string JsonLuminance(const tLuminanceTable& l) {
    if (!l.Valid) return "null";
    Pairs pairs;
    for (std::size_t a = 0; a < tLuminanceTable::Angles.size(); ++a)
        pairs.emplace_back(FixedNumber(tLuminanceTable::Angles[a], 0),
                           l.MaxAt(static_cast<int>(a)));
    return JsonObject(pairs);
}

} // namespace

std::string JsonRatings(const tRatings& r) {
    const tOutdoorRatings& o = r.Outdoor;
    const tBugRating& bug = o.Bug;
    std::string out = "{\"lcs\":" + JsonLcs(o.Lcs);
    out += ",\"bug\":" +
           (bug.Valid ? "{\"B\":" + std::to_string(bug.B) + ",\"U\":" + std::to_string(bug.U) +
                            ",\"G\":" + std::to_string(bug.G) + "}"
                      : std::string("null"));
    out += ",\"roadway\":" + JsonRoadway(o.Roadway);
    out += ",\"cutoff\":" + JsonText(CutoffText(o.Cutoff));
    const Pairs ugr{{"crosswise", r.Ugr.Crosswise}, {"endwise", r.Ugr.Endwise}};
    out += ",\"ugr\":" + (AllMissing(ugr) ? std::string("null") : JsonObject(ugr));
    const Pairs sc{
        {"0-180", o.Spacing.Along}, {"90-270", o.Spacing.Across}, {"diagonal", o.Spacing.Diagonal}};
    out += ",\"sc\":" + (AllMissing(sc) ? std::string("null") : JsonObject(sc));
    out += ",\"luminance\":" + JsonLuminance(r.Luminance);
    out += ",\"notes\":[";
    for (std::size_t i = 0; i < r.Notes.size(); ++i)
        out += (i ? "," : "") + JsonQuote(r.Notes[i]);
    return out + "]}";
}

std::string RatingsSummary(const tRatings& r) {
    const tOutdoorRatings& o = r.Outdoor;
    using K = FigureKind;
    auto line = [](const std::string& label, const std::string& value) {
        return "  " + label + ": " + (value.empty() ? "n/a" : value) + "\n";
    };
    std::string road = RoadTypeText(o.Roadway.Type);
    if (o.Roadway.Length != RoadLength::None) road += " " + RoadLengthText(o.Roadway.Length);
    std::string out = line("BUG rating", BugText(o.Bug)) + line("roadway type", road) +
                      line("cutoff class", CutoffText(o.Cutoff));
    out +=
        line("UGR (4H x 8H, 70/50/20, S = 0.25H)",
             std::isnan(WorseUgr(r.Ugr)) ? ""
                                         : FigureText(r.Ugr.Crosswise, K::Glare) + " crosswise, " +
                                               FigureText(r.Ugr.Endwise, K::Glare) + " endwise");
    out += line("spacing criterion",
                std::isnan(SpacingValue(o.Spacing))
                    ? ""
                    : "0-180 " + FigureText(o.Spacing.Along, K::Spacing) + ", 90-270 " +
                          FigureText(o.Spacing.Across, K::Spacing) + ", diagonal " +
                          FigureText(o.Spacing.Diagonal, K::Spacing));
    out += line("luminance at 65°", std::isnan(Luminance65(r.Luminance))
                                        ? ""
                                        : FigureText(Luminance65(r.Luminance), K::Luminance));
    for (const std::string& note : r.Notes)
        out += "  note: " + note + "\n";
    return out;
}

} // namespace gonilux::cli
