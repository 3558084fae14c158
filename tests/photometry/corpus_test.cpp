// Every sample and every real third-party file loads with sane figures and survives the way
// through IES text; their figures and exports match the checked-in list; plain file access.
#include "photometry/export_text.h"
#include "photometry/file_io.h"
#include "photometry/header_titles.h"
#include "photometry/ies_reader.h"
#include "photometry/ies_writer.h"
#include "photometry/metrics.h"
#include "photometry/text_encoding.h"
#include "test_util.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace gonilux {
namespace {

namespace fs = std::filesystem;
using testutil::Dump;

const fs::path kRoot = fs::path(GONILUX_SAMPLES_DIR).parent_path();
const fs::path kData = GONILUX_TESTDATA_DIR;

std::vector<fs::path> CorpusFiles() {
    std::vector<fs::path> files;
    for (const auto& [folder, extension] : {std::pair{fs::path(GONILUX_SAMPLES_DIR), ".ies"},
                                            {GONILUX_SAMPLES_DIR, ".ldt"},
                                            {kData / "ies-real", ".ies"},
                                            {kData / "ldt-real", ".ldt"}}) {
        const std::vector<fs::path> found = testutil::FilesIn(folder, extension);
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}

std::string Figure(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string Figures(std::initializer_list<double> values) {
    std::string text;
    for (double v : values)
        text += " " + Figure(v);
    return text + " |";
}

bool IsReal(const fs::path& file) {
    return file.string().find("-real") != std::string::npos;
}

TiesData Load(const fs::path& file) {
    TiesData entry = CreateIesData(file.filename().string());
    EXPECT_TRUE(LoadIesEntry(entry, file.string())) << file;
    EXPECT_TRUE(entry.Loaded) << file;
    return entry;
}

// Files whose intensities disagree with their rated lamp flux (a synthetic file, converted
// test lamps): their light output ratio is far above 1, as the numbers in them say.
bool RatedFluxDisagrees(const fs::path& file) {
    const std::string name = file.filename().string();
    return name == "TILT_TEST_SYNTHETIC.ies" || name == "wiki-batwing.ldt" ||
           name.starts_with("Testlamp_Isym2_symmetryOverC0C180axis") ||
           name == "Testlamp_Isym3_symmetryOverC90C270axis.ies";
}

TEST(Corpus, EveryFileReadsWithSaneFiguresAndRoundTripsThroughIesText) {
    for (const fs::path& file : CorpusFiles()) {
        const TiesData entry = Load(file);
        const std::string name = file.filename().string();
        testutil::ExpectConsistent(entry.Ies, name);
        ASSERT_EQ(entry.Lines.size(), std::size_t(TitleCount)) << name;
        EXPECT_EQ(entry.Lines[TitleFileName], name);
        EXPECT_FALSE(IsReal(file) && entry.Diagnostics.HeaderError) << name;
        if (entry.Diagnostics.HeaderError) continue;
        const tMetrics m = ComputeMetrics(entry.Ies);
        EXPECT_TRUE(m.Valid) << name;
        EXPECT_GT(m.LuminaireFlux, 0) << name;
        EXPECT_NEAR(m.DownwardFraction + m.UpwardFraction, 1, 1e-12) << name;
        EXPECT_GE(std::min(m.DownwardFraction, m.UpwardFraction), 0) << name;
        EXPECT_TRUE(std::isnan(m.LightOutputRatio) ||
                    (m.LightOutputRatio > 1.2) == RatedFluxDisagrees(file))
            << name;
        EXPECT_GT(m.MaxIntensity, 0) << name;
        for (const tSpread& s : {m.Spread0, m.Spread90})
            EXPECT_TRUE(std::isnan(s.Beam) || (0 < s.Beam && s.Beam <= s.Field && s.Field <= 360));

        tIES back;
        const ParseResult parsed = ParseIes(BuildIesText(entry.Ies, entry.Lines), back);
        EXPECT_EQ(Dump(back), Dump(entry.Ies)) << name;
        TiesData again = CreateIesData(name);
        ExtractTitles(again, name, parsed.HeaderText);
        for (int i = TitleTest; i < TitleCount; ++i)
            EXPECT_EQ(again.Lines[std::size_t(i)], KeywordText(entry.Lines[std::size_t(i)]))
                << name;
    }
}

std::string Hash(const std::string& text) {
    std::uint32_t h = 2166136261u;
    for (unsigned char c : text)
        h = (h ^ c) * 16777619u;
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", h);
    return hex;
}

// One line per file: the record's figures, titles and computed figures, and the export.
std::string Digest(const fs::path& file) {
    const TiesData entry = Load(file);
    const tIES& r = entry.Ies;
    std::string line = file.lexically_relative(kRoot).generic_string() + ":";
    auto add = [&line](std::initializer_list<double> values) { line += Figures(values); };
    add({double(entry.Diagnostics.HeaderErrorLine), double(r.VertCount), double(r.HorzCount),
         double(r.PhotometricType), double(r.UnitsType), double(r.LampCount), r.LumensPerLamp,
         r.Multiplier, r.Width, r.Length, r.Height, double(r.InputWatts)});
    if (!r.VertAngles.empty() && !r.HorzAngles.empty()) {
        double sum = 0;
        for (const tArrEx& row : r.Candela)
            for (double v : row)
                sum += v;
        add({r.VertAngles.front(), r.VertAngles.back(), r.HorzAngles.front(), r.HorzAngles.back(),
             sum * r.Multiplier});
    }
    for (std::size_t i = TitleTest; i < entry.Lines.size(); ++i)
        line += " " + testutil::Escaped(ToUtf8Windows1252(entry.Lines[i])) + " |";
    const tMetrics m = ComputeMetrics(r);
    add({m.LuminaireFlux, m.DownwardFraction, m.LightOutputRatio, m.Efficacy, m.MaxIntensity,
         m.MaxVertAngle, m.MaxHorzAngle, m.Spread0.Beam, m.Spread0.Field, m.Spread90.Beam,
         m.Spread90.Field});
    const ExportText text = BuildExportText(r, entry.Lines);
    const ExportKind kind = text.Ok ? text.Kind : ExportKind::None;
    return line + " " + FileNameOf(ExportFileName("", file.filename().string(), kind)) + " " +
           Hash(text.Text()) + " " + Hash(BuildIesText(r, entry.Lines)) + "\n";
}

TEST(Corpus, FiguresOfEveryFileMatchTheCheckedInList) {
    std::string digest;
    for (const fs::path& file : CorpusFiles())
        digest += Digest(file);
    testutil::ExpectMatchesFile("corpus.txt", digest);
}

TEST(FileIo, UnreadableFilesLeaveTheEntryAsItWas) {
    testutil::TempFolder folder;
    fs::create_directory(folder.Path() / "sub.ies");
    ASSERT_EQ(::mkfifo(folder.Str("pipe.ies").c_str(), 0600), 0); // never waited for
    testutil::WriteText(folder.Path() / "huge.ies", "TILT=NONE");
    fs::resize_file(folder.Path() / "huge.ies", kMaxFileBytes + 1);
    fs::create_symlink("/dev/zero", folder.Path() / "zero.ies");
    fs::create_symlink(folder.Path() / "loop.ies", folder.Path() / "loop.ies");
    for (const std::string& path :
         {folder.Str("absent.ies"), folder.Str("sub.ies"), folder.Str("pipe.ies"),
          folder.Str("huge.ies"), folder.Str("zero.ies"), folder.Str("loop.ies")}) {
        TiesData entry = CreateIesData("lamp.ies");
        EXPECT_FALSE(LoadIesEntry(entry, path));
        EXPECT_FALSE(entry.Loaded);
        EXPECT_TRUE(entry.Diagnostics.OpenFailed);
        EXPECT_FALSE(entry.Diagnostics.OpenError.empty());
        EXPECT_EQ(entry.Lines, (std::vector<std::string>{"", "lamp.ies"}));
        EXPECT_EQ(Dump(entry.Ies), Dump(tIES{}));
        EXPECT_FALSE(IsAuthorFile(path));
    }
}

TEST(FileIo, AtomicWriteReplacesTheFileWholeOrKeepsTheOldOne) {
    testutil::TempFolder folder;
    const std::string path = folder.Str("x_C.ies");
    const std::string bytes("IESNA91\r\n[CHANGED] Kestrin\r\nTILT=NONE\r\n\x1A\0end", 44);
    std::string error, read;
    ASSERT_TRUE(WriteFileAtomically(path, "old", error)) << error;
    ASSERT_TRUE(WriteFileAtomically(path, bytes, error)) << error;
    ASSERT_TRUE(ReadWholeFile(path, read, error)) << error;
    EXPECT_EQ(read, bytes);
    EXPECT_TRUE(IsAuthorFile(path));
    std::string big(200000, 'x');
    ASSERT_TRUE(WriteFileAtomically(path, big, error)) << error;
    ASSERT_TRUE(ReadWholeFile(path, read, error)) << error;
    EXPECT_EQ(read, big);
    // A folder in the way: the write fails with a reason and leaves no temporary file.
    fs::create_directories(folder.Path() / "taken" / "inside");
    error.clear();
    EXPECT_FALSE(WriteFileAtomically(folder.Str("taken"), bytes, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(WriteFileAtomically(folder.Str("no/such/x.ies"), bytes, error));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator{}), 2);
    EXPECT_TRUE(fs::exists(folder.Path() / "taken" / "inside"));
}

} // namespace
} // namespace gonilux
