#include "library_record.h"

#include "photometry/file_io.h"
#include "photometry/header_encoding.h"
#include "photometry/header_titles.h"
#include "photometry/ldt_reader.h"

#include <cmath>

namespace gonilux::library {
std::string FileNameOf(const LibraryRecord& record) {
    return gonilux::FileNameOf(record.Path);
}

namespace {

void StoreRatings(const tRatings& ratings, LibraryRecord& r) {
    const tOutdoorRatings& outdoor = ratings.Outdoor;
    if (outdoor.Bug.Valid) {
        r.BugB = outdoor.Bug.B;
        r.BugU = outdoor.Bug.U;
        r.BugG = outdoor.Bug.G;
    }
    r.Road = RoadTypeText(outdoor.Roadway.Type);
    r.RoadLength = RoadLengthText(outdoor.Roadway.Length);
    r.Cutoff = CutoffText(outdoor.Cutoff);
    r.Ugr = WorseUgr(ratings.Ugr);
    r.Sc = SpacingValue(outdoor.Spacing);
    r.L65 = Luminance65(ratings.Luminance);
}

} // namespace

LibraryRecord EntryLibraryRecord(const TiesData& entry, const tMetrics* metrics,
                                 const tRatings* ratings, std::string_view encoding) {
    LibraryRecord r;
    if (entry.Lines.size() > TitleFileName) r.Path = entry.Lines[TitleFileName];
    r.Ldt = IsLdtFileName(r.Path);
    if (entry.Diagnostics.OpenFailed) r.Error = entry.Diagnostics.OpenError;
    if (entry.Diagnostics.Damaged()) r.Error = DamageText(entry.Diagnostics);
    const std::vector<std::string> titles = DecodeTitles(entry.Lines, encoding);
    const int sources[TitleKinds] = {TitleTest,      TitleManufacturer,
                                     TitleLuminaire, TitleLuminaireCatalog,
                                     TitleLamp,      TitleLampCatalog};
    for (int t = 0; t < TitleKinds; ++t)
        if (sources[t] < static_cast<int>(titles.size())) r.Titles[t] = titles[sources[t]];
    if (!entry.Loaded) return r;
    const tIES& ies = entry.Ies;
    r.Type = ies.PhotometricType >= 1 && ies.PhotometricType <= 3 ? ies.PhotometricType : 0;
    const double watts = ies.ExactInputWatts > 0 ? ies.ExactInputWatts : ies.InputWatts;
    if (watts > 0) r.Watts = watts;
    if (ratings) StoreRatings(*ratings, r);
    if (!metrics) return r;
    const tMetrics& m = *metrics;
    r.Lumens = m.LampFlux;
    r.Flux = m.LuminaireFlux;
    r.Efficacy = m.Efficacy;
    r.MaxCd = m.MaxIntensity;
    r.Beam = BeamAngle(m);
    r.Field = FieldAngle(m);
    r.Lor = m.LightOutputRatio * 100;
    return r;
}

LibraryRecord ReadLibraryRecord(const std::string& path, std::int64_t size, std::int64_t mtime) {
    TiesData entry = CreateIesData(gonilux::FileNameOf(path));
    LibraryRecord r;
    if (LoadIesEntry(entry, path)) {
        const tMetrics metrics = ComputeMetrics(entry.Ies);
        r = EntryLibraryRecord(entry, &metrics);
    } else {
        r.Ldt = IsLdtFileName(path);
        r.Error = entry.Diagnostics.OpenError;
    }
    r.Path = path;
    r.Size = size;
    r.MTime = mtime;
    return r;
}

} // namespace gonilux::library
