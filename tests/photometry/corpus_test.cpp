// Every sample file and every real third-party file loads, and every one that can be converted
// or rotated writes a file that reads back to the same values.
#include "photometry/export_text.h"
#include "photometry/file_io.h"
#include "photometry/header_titles.h"
#include "photometry/ies_reader.h"
#include "test_util.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace gonilux {
namespace {

namespace fs = std::filesystem;
using testutil::TempFolder;

const fs::path kSamples = GONILUX_SAMPLES_DIR;
const fs::path kRealFiles = fs::path(GONILUX_TESTDATA_DIR) / "ies-real";

void ExpectNear(double actual, double expected, const char* what) {
    EXPECT_NEAR(actual, expected, 1e-13 * std::max(1.0, std::fabs(expected))) << what;
}

void ExpectListNear(const tArrEx& actual, const tArrEx& expected, const char* what) {
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (std::size_t i = 0; i < actual.size(); ++i)
        ExpectNear(actual[i], expected[i], what);
}

void ExpectRowsNear(const tArrEx2& actual, const tArrEx2& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t h = 0; h < actual.size(); ++h)
        ExpectListNear(actual[h], expected[h], "candela");
}

// What a converted file holds: its vertical angles, planes and rows, and the vertical count
// written on its count line.
struct Converted {
    std::size_t writtenVertCount = 0;
    tArrEx vert;
    tArrEx planes;
    tArrEx2 rows;
};

// False when the record cannot be converted (no vertical angle 0, rows missing).
bool ExpectedConversion(const tIES& ies, Converted& c) {
    const tArrEx& V = ies.VertAngles;
    const tArrEx& H = ies.HorzAngles;
    const tArrEx2& T = ies.Candela;
    const auto zero = std::find(H.begin(), H.end(), 0.0);
    const std::size_t p = zero == H.end() ? 0 : static_cast<std::size_t>(zero - H.begin());
    const std::size_t k = static_cast<std::size_t>(std::find(V.begin(), V.end(), 0.0) - V.begin());
    if (k >= V.size() || H.empty() || T.size() != H.size()) return false;
    const bool twoSided = V.back() - V.front() >= 180 && V.front() < 0 && H.front() < 0;
    if (twoSided && k >= H.size()) return false;

    tArrEx c0(T[p].begin() + static_cast<std::ptrdiff_t>(k), T[p].end());
    tArrEx c90;
    tArrEx c180;
    for (std::size_t i = k + 1; i-- > 0;)
        c180.push_back(T[p][i]);
    if (twoSided) {
        c.writtenVertCount = (H.size() - 1) / 2 + 1;
        c.vert.assign(H.begin() + static_cast<std::ptrdiff_t>(k), H.end());
        c.planes = {0, 90, 180, 270};
        for (std::size_t h = k; h < H.size(); ++h)
            c90.push_back(T[h][k]);
        tArrEx c270;
        for (std::size_t h = k + 1; h-- > 0;)
            c270.push_back(T[h][k]);
        c.rows = {c0, c90, c180, c270};
    } else {
        c.writtenVertCount = H.size();
        c.vert = H;
        for (std::size_t h = 0; h < H.size(); ++h)
            c90.push_back(T[h][k]);
        if (k == 0) {
            c.planes = {0, 90};
            c.rows = {c0, c90};
        } else {
            c.planes = {0, 90, 180};
            c.rows = {c0, c90, c180};
        }
    }
    return true;
}

bool LaidOutEvenly(const Converted& c) {
    if (c.vert.size() != c.writtenVertCount) return false;
    return std::all_of(c.rows.begin(), c.rows.end(),
                       [&](const tArrEx& row) { return row.size() == c.writtenVertCount; });
}

bool Consistent(const tIES& ies) {
    if (ies.VertAngles.size() != ies.VertCount || ies.HorzAngles.size() != ies.HorzCount ||
        ies.Candela.size() != ies.HorzCount) {
        return false;
    }
    return std::all_of(ies.Candela.begin(), ies.Candela.end(),
                       [&](const tArrEx& row) { return row.size() == ies.VertCount; });
}

// True when the entry is fit for further checks.
bool ExpectLoaded(const TiesData& entry, const fs::path& path) {
    EXPECT_TRUE(entry.Loaded);
    EXPECT_FALSE(entry.Diagnostics.OpenFailed) << entry.Diagnostics.OpenError;
    EXPECT_EQ(entry.Lines.size(), 8u);
    if (entry.Lines.size() != 8u) return false;
    EXPECT_EQ(entry.Lines[TitleFileName], path.filename().string());
    EXPECT_TRUE(Consistent(entry.Ies))
        << "counts " << entry.Ies.VertCount << " x " << entry.Ies.HorzCount;
    return Consistent(entry.Ies);
}

void ExpectSameScalars(const tIES& back, const tIES& src) {
    EXPECT_EQ(back.LampCount, src.LampCount);
    EXPECT_EQ(back.InputWatts, src.InputWatts);
    EXPECT_EQ(back.UnitsType, src.UnitsType);
    EXPECT_EQ(back.PhotometricType, 1);
    ExpectNear(back.LumensPerLamp, src.LumensPerLamp, "lumens");
    ExpectNear(back.Multiplier, src.Multiplier, "multiplier");
    ExpectNear(back.Width, src.Width, "width");
    ExpectNear(back.Length, src.Length, "length");
    ExpectNear(back.Height, src.Height, "height");
}

void ExpectReadsBack(const TiesData& src, const TiesData& back, ExportKind kind) {
    ExpectSameScalars(back.Ies, src.Ies);
    EXPECT_TRUE(back.ChangedByAuthor);
    for (int i = TitleTest; i < TitleCount; ++i) {
        EXPECT_EQ(back.Lines[i], src.Lines[i]) << "title " << i;
    }
    if (kind == ExportKind::Rotation) {
        tArrEx shifted = src.Ies.HorzAngles;
        for (double& a : shifted)
            a -= 90;
        ExpectListNear(back.Ies.VertAngles, src.Ies.VertAngles, "vertical angles");
        ExpectListNear(back.Ies.HorzAngles, shifted, "horizontal angles");
        ExpectRowsNear(back.Ies.Candela, src.Ies.Candela);
        return;
    }
    Converted expected;
    if (!ExpectedConversion(src.Ies, expected)) {
        ADD_FAILURE() << "converted although the record has no place for the planes";
        return;
    }
    EXPECT_EQ(back.Ies.VertCount, expected.writtenVertCount);
    EXPECT_EQ(back.Ies.HorzCount, expected.planes.size());
    if (!LaidOutEvenly(expected)) return; // the values no longer line up with the counts
    ExpectListNear(back.Ies.VertAngles, expected.vert, "vertical angles");
    ExpectListNear(back.Ies.HorzAngles, expected.planes, "planes");
    ExpectRowsNear(back.Ies.Candela, expected.rows);
}

// Loads every file; returns the number of exports written and read back.
int CheckFolder(const fs::path& folder, bool recursive, const fs::path& outFolder) {
    const std::vector<fs::path> files = testutil::FilesIn(folder, ".ies", recursive);
    EXPECT_FALSE(files.empty()) << folder;
    int exported = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const fs::path& path = files[i];
        SCOPED_TRACE(path.string());
        TiesData entry = CreateIesData(path.filename().string());
        EXPECT_TRUE(LoadIesEntry(entry, path.string()));
        if (!ExpectLoaded(entry, path)) continue;

        const ExportKind kind = ExportKindOf(entry.Ies);
        if (kind == ExportKind::None) continue;
        const ExportText out = BuildExportText(entry.Ies, entry.Lines);
        EXPECT_EQ(out.Kind, kind);
        if (kind == ExportKind::Rotation) {
            EXPECT_TRUE(out.Ok);
        }
        if (!out.Ok) continue;

        const fs::path subFolder = outFolder / std::to_string(i);
        fs::create_directories(subFolder);
        const std::string target =
            ExportFileName(subFolder.string(), entry.Lines[TitleFileName], kind);
        std::string error;
        EXPECT_TRUE(WriteFileAtomically(target, out.Text(), error)) << error;
        EXPECT_TRUE(IsAuthorFile(target));
        const auto tilt = std::find(out.Lines.begin(), out.Lines.end(), "TILT=NONE");
        EXPECT_NE(tilt, out.Lines.end());
        for (auto line = tilt; line != out.Lines.end(); ++line) {
            EXPECT_LE(line->size(), 60u) << *line; // the numeric lines are wrapped
        }

        TiesData back = CreateIesData(fs::path(target).filename().string());
        EXPECT_TRUE(LoadIesEntry(back, target));
        EXPECT_FALSE(back.Diagnostics.HeaderError);
        if (!ExpectLoaded(back, target)) continue;
        ExpectReadsBack(entry, back, kind);
        ++exported;
    }
    return exported;
}

TEST(Corpus, SamplesLoadAndExportsReadBack) {
    if (!fs::is_directory(kSamples)) GTEST_SKIP() << "no samples folder " << kSamples;
    TempFolder out;
    const int exported = CheckFolder(kSamples, false, out.Path());
    RecordProperty("exported", exported);
    EXPECT_GT(exported, 0);
}

TEST(Corpus, RealFilesLoadAndExportsReadBack) {
    if (!fs::is_directory(kRealFiles)) GTEST_SKIP() << "no test data folder " << kRealFiles;
    TempFolder out;
    const int exported = CheckFolder(kRealFiles, true, out.Path());
    RecordProperty("exported", exported);
    EXPECT_GT(exported, 0); // the files whose planes run from 90 to 270 rotate
}

TEST(Corpus, RealTiltIncludeFileSkipsItsTiltData) {
    const fs::path path = kRealFiles / "holg-eulumdat-rs" / "TILT_TEST_SYNTHETIC.ies";
    if (!fs::exists(path)) GTEST_SKIP() << "missing " << path;
    TiesData entry = CreateIesData(path.filename().string());
    ASSERT_TRUE(LoadIesEntry(entry, path.string()));
    EXPECT_FALSE(entry.Diagnostics.HeaderError);
    EXPECT_EQ(entry.Ies.VertCount, 5);
    EXPECT_EQ(entry.Ies.HorzCount, 1);
    EXPECT_EQ(entry.Ies.InputWatts, 10);
    EXPECT_EQ(entry.Ies.VertAngles, (tArrEx{0, 22.5, 45, 67.5, 90}));
    EXPECT_EQ(entry.Ies.Candela, (tArrEx2{{1000, 900, 700, 400, 100}}));
    EXPECT_EQ(entry.Lines[TitleLuminaire], "TILT=INCLUDE Test Fixture");
}

TEST(FileIo, MissingFileLeavesTheEntryUnread) {
    TempFolder folder;
    TiesData entry = CreateIesData("absent.ies");
    EXPECT_FALSE(LoadIesEntry(entry, (folder.Path() / "absent.ies").string()));
    EXPECT_FALSE(entry.Loaded);
    EXPECT_TRUE(entry.Diagnostics.OpenFailed);
    EXPECT_EQ(entry.Lines, (std::vector<std::string>{"", "absent.ies"}));
    EXPECT_EQ(entry.Ies.HorzCount, 0);
    EXPECT_TRUE(entry.Ies.Candela.empty());
    EXPECT_FALSE(IsAuthorFile((folder.Path() / "absent.ies").string()));
}

TEST(FileIo, AtomicWriteReplacesTheFileByteForByte) {
    TempFolder folder;
    const std::string path = (folder.Path() / "x_C.ies").string();
    const std::string first("IESNA91\r\nfirst\r\n", 16);
    const std::string second("IESNA91\r\n[CHANGED] Kestrin\r\nTILT=NONE\r\n\x1A\0end", 44);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, first, error)) << error;
    ASSERT_TRUE(WriteFileAtomically(path, second, error)) << error;
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes, error)) << error;
    EXPECT_EQ(bytes, second);
    EXPECT_TRUE(IsAuthorFile(path));
    // Only the one file is left behind, no temporaries.
    EXPECT_EQ(testutil::FileCount(folder.Path()), 1u);

    EXPECT_FALSE(
        WriteFileAtomically((folder.Path() / "no" / "such" / "x.ies").string(), first, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(ReadWholeFile((folder.Path() / "none.ies").string(), bytes, error));
    EXPECT_FALSE(error.empty());
}

TEST(FileIo, SecondReadOfAnEntryKeepsThePreviousName) {
    TempFolder folder;
    const std::string path = (folder.Path() / "lamp.ies").string();
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path,
                                    "IESNA91\r\n[MANUFAC] ACME\r\nTILT=NONE\r\n"
                                    "1 1000 1 1 1 1 2 0 0 0\r\n1 1 5\r\n0\r\n0\r\n7\r\n",
                                    error))
        << error;
    TiesData entry = CreateIesData("lamp.ies");
    ASSERT_TRUE(LoadIesEntry(entry, path));
    EXPECT_EQ(entry.Lines, (std::vector<std::string>{"", "lamp.ies", "", "ACME", "", "", "", ""}));
    EXPECT_FALSE(entry.ChangedByAuthor);
    EXPECT_FALSE(IsAuthorFile(path));
    ASSERT_TRUE(LoadIesEntry(entry, path));
    EXPECT_EQ(entry.Lines[TitlePrevious], "lamp.ies");
    EXPECT_EQ(entry.Ies.Candela, (tArrEx2{{7}}));
}

// Record operations

TEST(Record, ResetAndDeepCopy) {
    tIES src;
    ParseIes("TILT=NONE\n1 2000 1 3 1 1 2 0.5 0.6 0 1 1 36 0 45 90 0 100 80 10\n", src);

    tIES dst;
    ResetIes(dst);
    CopyIes(src, dst);
    testutil::ExpectSameRecord(dst, src, "copy");
    dst.Candela[0][0] = -1;
    dst.VertAngles[0] = -1;
    EXPECT_EQ(src.Candela[0][0], 50);
    EXPECT_EQ(src.VertAngles[0], 0);

    // Empty arrays of the source leave the destination's arrays alone.
    tIES empty;
    empty.LampCount = 9;
    CopyIes(empty, dst);
    EXPECT_EQ(dst.LampCount, 9);
    EXPECT_EQ(dst.VertAngles.size(), 3u);
    EXPECT_EQ(dst.Candela.size(), 1u);

    ResetIes(dst);
    testutil::ExpectSameRecord(dst, tIES{}, "reset");
}

} // namespace
} // namespace gonilux
