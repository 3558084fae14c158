// Every sample and every real third-party file: its record, titles, figures and exports match
// the checked-in list, and it survives the way through IES text.
#include "photometry/export_text.h"
#include "photometry/file_io.h"
#include "photometry/header_titles.h"
#include "photometry/ies_reader.h"
#include "photometry/ies_writer.h"
#include "photometry/metrics.h"
#include "photometry/ratings.h"
#include "photometry/text_encoding.h"
#include "test_util.h"

namespace gonilux {
namespace {

namespace fs = std::filesystem;
using testutil::Dump;

const fs::path kData = GONILUX_TESTDATA_DIR;

// The sample and real files (upper-case extensions too), sorted.
std::vector<fs::path> CorpusFiles() {
    std::vector<fs::path> files;
    for (const fs::path& folder :
         {fs::path(GONILUX_SAMPLES_DIR), kData / "ies-real", kData / "ldt-real"})
        for (const auto& item : fs::recursive_directory_iterator(folder)) {
            std::string ext = item.path().extension().string();
            std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) { return c | 0x20; });
            if (ext == ".ies" || ext == ".ldt") files.push_back(item.path());
        }
    std::sort(files.begin(), files.end());
    EXPECT_GT(files.size(), 60u);
    return files;
}

std::string Figures(std::initializer_list<double> values) {
    std::string text;
    for (char figure[32]; double v : values)
        text.append(figure, std::size_t(std::snprintf(figure, sizeof figure, " %.6g", v)));
    return text + " |";
}

std::string Hash(const std::string& text) {
    std::uint32_t h = 2166136261u;
    for (unsigned char c : text)
        h = (h ^ c) * 16777619u;
    char hex[10];
    std::snprintf(hex, sizeof hex, " %08x", h);
    return hex;
}

// One line per file: the record's figures, titles, encoding and computed figures, the export's
// name and hashes of the record, the export and the IES text.
std::string Digest(const fs::path& file, const TiesData& entry) {
    const tIES& r = entry.Ies;
    std::string line = file.lexically_relative(kData.parent_path().parent_path()).generic_string();
    const ReadDiagnostics& d = entry.Diagnostics;
    line += ":" + Figures({double(d.HeaderErrorLine), double(d.ValuesExpected - d.ValuesRead),
                           double(r.VertCount), double(r.HorzCount), double(r.PhotometricType),
                           double(r.UnitsType), double(r.LampCount), r.LumensPerLamp, r.Multiplier,
                           r.Width, r.Length, r.Height, r.ExactInputWatts});
    for (std::size_t i = TitleTest; i < entry.Lines.size(); ++i)
        line += " " + testutil::Escaped(ToUtf8Windows1252(entry.Lines[i])) + " |";
    const tMetrics m = ComputeMetrics(r);
    line += " " + entry.HeaderEncoding +
            Figures({m.LuminaireFlux, m.DownwardFraction, m.UpwardFraction, m.LampFlux,
                     m.LightOutputRatio, m.Efficacy, m.MaxIntensity, m.MaxVertAngle, m.MaxHorzAngle,
                     m.Spread0.Beam, m.Spread0.Field, m.Spread0.Axis, m.Spread90.Beam,
                     m.Spread90.Field, m.Spread90.Axis});
    // The ratings, every table computed (for files damaged or odd as much as sound ones).
    const tRatings rating = ComputeRatings(r, RatingInputOf(entry));
    const tUgrTable ugr = ComputeUgrTable(r);
    const tCuTable cu = ComputeCuTable(r);
    line += " " + BugText(rating.Outdoor.Bug) + "|" + RoadTypeText(rating.Outdoor.Roadway.Type) +
            RoadLengthText(rating.Outdoor.Roadway.Length) + "|" +
            CutoffText(rating.Outdoor.Cutoff) +
            Figures({WorseUgr(rating.Ugr), SpacingValue(rating.Outdoor.Spacing),
                     Luminance65(rating.Luminance), ugr.Valid ? ugr.Endwise[18][4] : kNoValue,
                     cu.Valid ? cu.Percent[10][17] : kNoValue});
    const ExportText text = BuildExportText(r, entry.Lines);
    const ExportKind kind = text.Ok ? text.Kind : ExportKind::None;
    return line + " " + FileNameOf(ExportFileName("", file.filename().string(), kind)) +
           Hash(Dump(r)) + Hash(text.Text()) + Hash(BuildIesText(r, entry.Lines)) + "\n";
}

TEST(Corpus, EveryFileGivesTheListedFiguresAndRoundTripsThroughIesText) {
    std::string digest;
    for (const fs::path& file : CorpusFiles()) {
        const std::string name = file.filename().string();
        TiesData entry = CreateIesData(name);
        EXPECT_TRUE(LoadIesEntry(entry, file.string()) && entry.Loaded) << file;
        ASSERT_EQ(entry.Lines.size(), std::size_t(TitleCount)) << name;
        EXPECT_TRUE(entry.Lines[TitleFileName] == name && entry.Lines[TitlePrevious].empty());
        EXPECT_EQ(IsAuthorFile(file.string()), entry.ChangedByAuthor) << name;
        digest += Digest(file, entry);
        if (entry.Diagnostics.Damaged()) continue;
        tIES back, copy;
        const ParseResult parsed = ParseIes(BuildIesText(entry.Ies, entry.Lines), back);
        EXPECT_EQ(Dump(back), Dump(entry.Ies)) << name;
        CopyIes(back, copy);
        EXPECT_EQ(Dump(copy), Dump(back)) << name;
        ResetIes(copy);
        EXPECT_EQ(Dump(copy), Dump(tIES{})) << name;
        TiesData again = CreateIesData(name);
        ExtractTitles(again, name, parsed.HeaderText);
        for (int i = TitleTest; i < TitleCount; ++i)
            EXPECT_EQ(again.Lines[std::size_t(i)], KeywordText(entry.Lines[std::size_t(i)]))
                << name;
    }
    testutil::ExpectMatchesFile("corpus.txt", digest);
}

} // namespace
} // namespace gonilux
