// The photometric record of one IES file and the file-list entry that owns it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gonilux {

using tArrEx = std::vector<double>;
using tArrEx2 = std::vector<tArrEx>;

// One IES file's photometric data. Counts and array lengths always agree after a read:
// VertAngles.size() == VertCount, HorzAngles.size() == HorzCount, Candela.size() == HorzCount
// and every Candela row has VertCount values. Candela[h][v] belongs to HorzAngles[h],
// VertAngles[v].
struct tIES {
    double LumensPerLamp = 0;
    double Multiplier = 0; // as read; LumensPerLamp / 1000 when the values were normalised
    double Width = 0;
    double Length = 0;
    double Height = 0;
    double ExactInputWatts = 0; // the file's input watts as written; InputWatts rounds it
    tArrEx2 Candela;
    std::uint16_t VertCount = 0;
    std::uint16_t HorzCount = 0;
    std::uint16_t UnitsType = 0; // 1 = feet, 2 = metres
    std::uint16_t InputWatts = 0;
    std::uint16_t LampCount = 0;
    std::uint16_t PhotometricType = 0; // 1 = C, 2 = B, 3 = A
    tArrEx VertAngles;
    tArrEx HorzAngles;
};

// All scalars 0, all arrays empty.
void ResetIes(tIES& ies);

// Copies the scalars, then each non-empty array of src; an empty array of src leaves dst's
// array untouched (callers reset dst first).
void CopyIes(const tIES& src, tIES& dst);

// Title string indices (see ExtractTitles).
enum TitleIndex : int {
    TitlePrevious = 0,
    TitleFileName = 1,
    TitleTest = 2,
    TitleManufacturer = 3,
    TitleLuminaire = 4,
    TitleLuminaireCatalog = 5,
    TitleLamp = 6,
    TitleLampCatalog = 7,
    TitleCount = 8,
};

// Outcome of the last read of an entry's file.
struct ReadDiagnostics {
    bool HeaderError = false; // an invalid or missing token among the thirteen header numbers
    int HeaderErrorLine = 0;  // 1-based line of that token ("Line N" of the message)
    bool OpenFailed = false;  // the file could not be opened or read at all
    std::string OpenError;    // the reason, when OpenFailed
    // The angles and intensities the header announces, and how many of them the file holds.
    // A file that ends early is damaged: the values it has are kept, the rest read as 0.
    std::uint64_t ValuesExpected = 0;
    std::uint64_t ValuesRead = 0;
    bool Truncated() const { return ValuesRead < ValuesExpected; }
    // Damaged: a bad header number or missing values (the figures are then only as good as
    // the values present).
    bool Damaged() const { return HeaderError || Truncated(); }
};

// What is wrong with a damaged file, in English ("ends after 230 of 444 values", "Line 12");
// empty when nothing is.
std::string DamageText(const ReadDiagnostics& diagnostics);

// One IES file entry of the file list.
struct TiesData {
    std::vector<std::string> Lines; // title strings: {"", file name} before the first read, 8 after
    bool Loaded = false;
    bool ChangedByAuthor = false;
    std::string HeaderEncoding; // the encoding its titles read in by the automatic rule
    std::string Distribution;   // the [DISTRIBUTION] keyword's value (IES), empty when none
    tIES Ies;
    ReadDiagnostics Diagnostics;
};

// A fresh entry for a file name (no folder): title strings {"", fileName}, not loaded.
TiesData CreateIesData(const std::string& fileName);

} // namespace gonilux
