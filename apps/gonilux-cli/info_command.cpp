// gonilux-cli info: a summary or a JSON line per file.
#include "commands.h"
#include "photometry/figure_format.h"
#include "photometry/file_io.h"
#include "photometry/header_encoding.h"
#include "photometry/header_titles.h"
#include "photometry/ldt_reader.h"
#include "photometry/light_tables.h"
#include "photometry/metrics.h"
#include "photometry/text_encoding.h"
#include "ratings_info.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace gonilux::cli {
namespace {

std::string JsonArray(const tArrEx& values) {
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i) out += ',';
        out += JsonNumber(values[i]);
    }
    return out + "]";
}

// Title i as UTF-8: the header's titles in the header's encoding, the file names as they are.
std::string TitleText(const std::vector<std::string>& lines, int i, const std::string& encoding) {
    const std::string& text = i < static_cast<int>(lines.size()) ? lines[i] : std::string();
    return i >= TitleTest ? DecodeHeaderText(text, encoding) : ToUtf8Lenient(text);
}

std::string JsonTitles(const std::vector<std::string>& lines, const std::string& encoding) {
    std::string out = "[";
    for (int i = 0; i < TitleCount; ++i) {
        if (i) out += ',';
        out += JsonQuote(TitleText(lines, i, encoding));
    }
    return out + "]";
}

std::string JsonSpread(const tMetrics& m, int plane) {
    const tSpread& spread = plane == 0 ? m.Spread0 : m.Spread90;
    return "{\"plane\":" + JsonQuote(SpreadPlaneName(m.SpreadPlanes, plane)) +
           ",\"beam\":" + JsonNumber(spread.Beam) + ",\"field\":" + JsonNumber(spread.Field) +
           ",\"axis\":" + JsonNumber(spread.Axis) + "}";
}

std::string JsonMetrics(const tMetrics& m) {
    std::string out = std::string("{\"valid\":") + (m.Valid ? "true" : "false");
    out += std::string(",\"absolute\":") + (m.Absolute ? "true" : "false");
    const std::pair<const char*, double> figures[] = {
        {"luminaireFlux", m.LuminaireFlux},
        {"lampFlux", m.LampFlux},
        {"downwardFraction", m.DownwardFraction},
        {"upwardFraction", m.UpwardFraction},
        {"lightOutputRatio", m.LightOutputRatio},
        {"efficacy", m.Efficacy},
        {"maxIntensity", m.MaxIntensity},
        {"maxVertAngle", m.MaxVertAngle},
        {"maxHorzAngle", m.MaxHorzAngle},
        {"beam", BeamAngle(m)},
        {"field", FieldAngle(m)},
    };
    for (const auto& [key, value] : figures)
        out += ",\"" + std::string(key) + "\":" + JsonNumber(value);
    out += ",\"spread0\":" + JsonSpread(m, 0);
    out += ",\"spread90\":" + JsonSpread(m, 1);
    return out + "}";
}

// "zonal": lumens by zone name, "cieFluxCodes": N1..N5 (percent); null without a table.
std::string JsonZonal(const tIES& ies) {
    const ZonalSummary z = ComputeZonal(ies);
    if (!z.Valid) return "\"zonal\":null,\"cieFluxCodes\":null";
    std::string out = "\"zonal\":{";
    for (const auto* zones : {&z.Zones, &z.TenDegreeZones})
        for (const ZoneFlux& zone : *zones)
            out += (out.back() == '{' ? "" : ",") + JsonQuote(ZoneName(zone)) + ":" +
                   JsonNumber(zone.Lumens);
    return out +
           "},\"cieFluxCodes\":" + JsonArray(tArrEx(z.CieFluxCodes.begin(), z.CieFluxCodes.end()));
}

std::string JsonRecord(const std::string& file, const TiesData& entry,
                       const std::string& encoding) {
    const tIES& ies = entry.Ies;
    const ReadDiagnostics& d = entry.Diagnostics;
    std::string out = "{\"file\":" + JsonQuote(ToUtf8Lenient(file));
    auto field = [&out](const char* key, const std::string& value) {
        out += ",\"";
        out += key;
        out += "\":" + value;
    };
    field("headerError", d.HeaderError ? "true" : "false");
    field("headerErrorLine", d.HeaderError ? std::to_string(d.HeaderErrorLine) : "null");
    field("damaged", d.Damaged() ? "true" : "false");
    field("damage", d.Damaged() ? JsonQuote(DamageText(d)) : "null");
    field("valuesExpected", std::to_string(d.ValuesExpected));
    field("valuesRead", std::to_string(d.ValuesRead));
    field("lampCount", std::to_string(ies.LampCount));
    field("lumensPerLamp", JsonNumber(ies.LumensPerLamp));
    field("multiplier", JsonNumber(ies.Multiplier));
    field("vertCount", std::to_string(ies.VertCount));
    field("horzCount", std::to_string(ies.HorzCount));
    field("photometricType", std::to_string(ies.PhotometricType));
    field("unitsType", std::to_string(ies.UnitsType));
    field("width", JsonNumber(ies.Width));
    field("length", JsonNumber(ies.Length));
    field("height", JsonNumber(ies.Height));
    field("inputWatts", std::to_string(ies.InputWatts));
    field("vertAngles", JsonArray(ies.VertAngles));
    field("horzAngles", JsonArray(ies.HorzAngles));
    std::string rows = "[";
    for (std::size_t h = 0; h < ies.Candela.size(); ++h)
        rows += (h ? "," : "") + JsonArray(ies.Candela[h]);
    field("candela", rows + "]");
    field("titles", JsonTitles(entry.Lines, encoding));
    field("encoding", JsonQuote(encoding));
    field("changedByAuthor", entry.ChangedByAuthor ? "true" : "false");
    field("metrics", JsonMetrics(ComputeMetrics(ies)));
    field("ratings", JsonRatings(ComputeRatings(ies, RatingInputOf(entry))));
    return out + "," + JsonZonal(ies) + "}";
}

const char* TypeName(std::uint16_t type) {
    switch (type) {
    case 1:
        return "C";
    case 2:
        return "B";
    case 3:
        return "A";
    default:
        return "unknown";
    }
}

// The figure with its kind's digits and unit, "n/a" when there is none.
std::string Figure(double value, FigureKind kind) {
    return FigureText(value, kind);
}

std::string FluxBasis(const tMetrics& m) {
    if (m.Absolute) return "absolute photometry";
    if (std::isnan(m.LampFlux)) return "relative photometry, no rated lamp flux";
    return "relative photometry, rated lamp flux " + Figure(m.LampFlux, FigureKind::Flux);
}

void PrintMetrics(const tMetrics& m) {
    if (!m.Valid) {
        std::printf("  luminous flux: n/a (no usable intensity table)\n");
        return;
    }
    using K = FigureKind;
    std::printf("  luminous flux: %s (%s)\n", Figure(m.LuminaireFlux, K::Flux).c_str(),
                FluxBasis(m).c_str());
    std::printf("  downward %s, upward %s\n", Figure(100 * m.DownwardFraction, K::Percent).c_str(),
                Figure(100 * m.UpwardFraction, K::Percent).c_str());
    std::printf("  light output ratio: %s\n", Figure(100 * m.LightOutputRatio, K::Percent).c_str());
    std::printf("  efficacy: %s\n", Figure(m.Efficacy, K::Efficacy).c_str());
    std::printf("  maximum intensity at: vertical %s, horizontal %s\n",
                Figure(m.MaxVertAngle, K::Angle).c_str(), Figure(m.MaxHorzAngle, K::Angle).c_str());
    const std::string firstName = SpreadPlaneName(m.SpreadPlanes, 0);
    const std::string secondName = SpreadPlaneName(m.SpreadPlanes, 1);
    const char* first = firstName.c_str();
    const char* second = secondName.c_str();
    std::printf("  beam angle (50 %%, the wider plane): %s\n",
                Figure(BeamAngle(m), K::Angle).c_str());
    std::printf("  field angle (10 %%, the wider plane): %s\n",
                Figure(FieldAngle(m), K::Angle).c_str());
    std::printf("  beam angle (50 %%): %s %s, %s %s\n", first,
                Figure(m.Spread0.Beam, K::Angle).c_str(), second,
                Figure(m.Spread90.Beam, K::Angle).c_str());
    std::printf("  field angle (10 %%): %s %s, %s %s\n", first,
                Figure(m.Spread0.Field, K::Angle).c_str(), second,
                Figure(m.Spread90.Field, K::Angle).c_str());
    std::printf("  measured about the peak at: %s %s, %s %s\n", first,
                Figure(m.Spread0.Axis, K::Angle).c_str(), second,
                Figure(m.Spread90.Axis, K::Angle).c_str());
}

void PrintSummary(const std::string& file, const TiesData& entry, const std::string& encoding,
                  LengthSystem units) {
    const tIES& ies = entry.Ies;
    double maximum = 0;
    for (const tArrEx& row : ies.Candela)
        for (double v : row)
            maximum = std::max(maximum, v);
    std::printf("%s\n", ToUtf8Lenient(file).c_str());
    std::printf("  type %s, %u vertical x %u horizontal angles\n", TypeName(ies.PhotometricType),
                unsigned{ies.VertCount}, unsigned{ies.HorzCount});
    if (ies.LumensPerLamp < 0)
        std::printf("  absolute photometry, %u lamp(s)\n", unsigned{ies.LampCount});
    else
        std::printf("  rated lamp flux: %u x %s\n", unsigned{ies.LampCount},
                    Figure(ies.LumensPerLamp, FigureKind::Flux).c_str());
    std::printf("  maximum intensity: %s (multiplier %s)\n",
                Figure(maximum * (std::isfinite(ies.Multiplier) ? ies.Multiplier : 1),
                       FigureKind::Intensity)
                    .c_str(),
                FigureNumber(ies.Multiplier, FigureKind::Multiplier).c_str());
    std::printf("  luminous opening (width x length x height): %s\n",
                OpeningText(ies, units, FileLengthKind(ies, IsLdtFileName(file))).c_str());
    if (entry.Diagnostics.Damaged())
        std::printf("  damaged file: %s; the figures come from the values present\n",
                    DamageText(entry.Diagnostics).c_str());
    const tMetrics metrics = ComputeMetrics(ies);
    PrintMetrics(metrics);
    if (metrics.Valid)
        std::fputs(RatingsSummary(ComputeRatings(ies, RatingInputOf(entry))).c_str(), stdout);
    static const char* const kLabels[] = {"test",          "manufacturer", "luminaire",
                                          "luminaire no.", "lamp",         "lamp no."};
    for (int i = TitleTest; i < TitleCount && i < static_cast<int>(entry.Lines.size()); ++i)
        if (!entry.Lines[i].empty())
            std::printf("  %s: %s\n", kLabels[i - TitleTest],
                        TitleText(entry.Lines, i, encoding).c_str());
    std::printf("  header encoding: %s\n", encoding.c_str());
}

std::string KnownEncodings() {
    std::string names(kAutoEncoding);
    for (std::string_view name : HeaderEncodingNames())
        names += ", " + std::string(name);
    return names;
}

} // namespace

std::string InfoJsonLine(const std::string& file, const std::string& extra) {
    TiesData entry = CreateIesData(FileNameOf(file));
    if (!LoadIesEntry(entry, file))
        return "{" + extra + "\"file\":" + JsonQuote(ToUtf8Lenient(file)) +
               ",\"error\":" + JsonQuote(ToUtf8Lenient(entry.Diagnostics.OpenError)) + "}";
    const std::string json =
        JsonRecord(file, entry, TitlesEncoding(entry.Lines, std::string(kAutoEncoding)));
    return "{" + extra + json.substr(1);
}

int RunInfo(int argc, char** argv) {
    bool json = false;
    LengthSystem units = LengthSystem::Metric;
    std::string encoding(kAutoEncoding);
    std::vector<std::string> files;
    bool optionsDone = false;
    for (int i = 1; i < argc; ++i) {
        if (!optionsDone && std::strcmp(argv[i], "--json") == 0) {
            json = true;
        } else if (!optionsDone && std::strcmp(argv[i], "--encoding") == 0) {
            if (i + 1 >= argc || !IsKnownHeaderEncoding(argv[i + 1]))
                return UsageError("info: --encoding takes one of", KnownEncodings().c_str());
            encoding = argv[++i];
        } else if (!optionsDone && std::strcmp(argv[i], "--units") == 0) {
            if (i + 1 >= argc || !ParseLengthSystem(argv[i + 1], units))
                return UsageError("info: --units takes", "metric or file");
            ++i;
        } else if (!optionsDone && std::strcmp(argv[i], "--") == 0)
            optionsDone = true;
        else if (!optionsDone && argv[i][0] == '-' && argv[i][1] != '\0')
            return UsageError("info: unknown option", argv[i]);
        else
            files.emplace_back(argv[i]);
    }
    if (files.empty()) return UsageError("info: no file given");
    int status = 0;
    for (const std::string& file : files) {
        TiesData entry = CreateIesData(FileNameOf(file));
        if (!LoadIesEntry(entry, file)) {
            status = 1;
            if (json)
                std::printf("{\"file\":%s,\"error\":%s}\n", JsonQuote(ToUtf8Lenient(file)).c_str(),
                            JsonQuote(ToUtf8Lenient(entry.Diagnostics.OpenError)).c_str());
            else
                std::fprintf(stderr, "gonilux-cli: %s: %s\n", file.c_str(),
                             entry.Diagnostics.OpenError.c_str());
            continue;
        }
        if (entry.Diagnostics.Damaged()) status = 1; // printed all the same
        const std::string used = TitlesEncoding(entry.Lines, encoding);
        if (json)
            std::printf("%s\n", JsonRecord(file, entry, used).c_str());
        else
            PrintSummary(file, entry, used, units);
    }
    std::fflush(stdout);
    return status;
}

} // namespace gonilux::cli
