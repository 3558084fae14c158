// The photometric datasheet: an A4 page per file (titles, polar and cartesian diagrams, isolux
// chart, main figures with the outdoor ratings, zonal table, CIE flux codes) and for a file with
// a luminous opening a second one (UGR and luminance tables), the catalogue's contents pages and
// the catalogue PDF (contents, then one datasheet per file).
#pragma once

#include "diagram/chart_axes.h"
#include "photometry/figure_format.h"
#include "photometry/ies_record.h"
#include "photometry/light_tables.h"
#include "photometry/metrics.h"
#include "photometry/ratings.h"

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QPainter;

namespace gonilux {

// Why a file has no datasheet.
enum class DatasheetProblem { None, Unreadable, DamagedHeader, Truncated, NoTable };

// Everything one datasheet shows, computed beforehand (any thread: nothing here paints), so
// that painting needs no figures of its own.
struct DatasheetInput {
    QString FileName; // shown as it is (no folder)
    bool Ok = false;  // false: the file could not be read or is damaged
    DatasheetProblem Problem = DatasheetProblem::None;
    QString Detail;       // the system's reason (Unreadable), the line (DamagedHeader)
    QString Error;        // the problem as the contents page shows it (translated)
    QString Manufacturer; // decoded titles (empty when the file has none)
    QString Luminaire;
    QString LuminaireCatalog;
    QString Lamp;
    QString LampCatalog;
    QString Test;
    tIES Ies;
    tMetrics Metrics;
    ZonalSummary Zonal;
    IlluminanceGrid Isolux; // its Height over a square of side Size
    int Plane = 0;          // the plane index of the polar diagram's view (0: C0)
    LengthSystem Lengths = LengthSystem::Metric; // the opening's unit system
    bool Eulumdat = false; // read from an EULUMDAT file (its own lengths are millimetres)
    tRatings Ratings;      // BUG, roadway, cutoff, spacing criterion, luminance
    tUgrTable Ugr;         // the standard table, S = 0.25H
};

// The mounting height and the side of the square area of the datasheet's isolux chart, in
// metres: the report window's settings or the command line's --height and --size.
struct DatasheetIsolux {
    double Height = 3.0;
    double Size = 10.0;
};

// The figures of an entry that was read (LoadIesEntry): titles decoded in the header's
// encoding, metrics, zonal summary, isolux grid at `isolux`. A failed read, a header error or a
// table without usable values make it not Ok, with the reason.
DatasheetInput MakeDatasheetInput(const TiesData& entry, const QString& fileName,
                                  const DatasheetIsolux& isolux = {});

// Reads the file at `path` (bytes, IES or EULUMDAT by its name) and makes its input, named
// by the path's last part. Thread safe.
DatasheetInput LoadDatasheetInput(const std::string& path, const DatasheetIsolux& isolux = {});

// Loads every path on up to `threads` threads (0: as many as the machine has cores), keeping
// the order of `paths`. `progress`, when given, is called on the calling thread in order as
// each file is ready (index from 0, count).
std::vector<DatasheetInput>
LoadDatasheetInputs(const std::vector<std::string>& paths, int threads,
                    const std::function<void(int index, int count)>& progress = {},
                    const DatasheetIsolux& isolux = {});

// Whether the record names a luminous opening (any of its dimensions not 0).
bool HasLuminousOpening(const tIES& ies);

// The pages of one datasheet: 0 for an input that is not Ok (in a catalogue), 2 for a file with
// a luminous opening (the glare page: UGR and luminance tables), else 1.
int DatasheetPages(const DatasheetInput& input);

// The page size the datasheet is laid out for: A4 in points (595 x 842). Painting into any
// other rectangle scales the page to fit it, keeping its proportions.
QSizeF DatasheetPageSize();

// Paints page `pageIndex` (from 0) of one datasheet into `page` (any device: PDF page, image,
// print preview). An input that is not Ok shows its titles and error.
void PaintDatasheet(QPainter& painter, const QRectF& page, const DatasheetInput& input,
                    int pageIndex = 0);

// The number of contents pages `count` files take (0 for none).
int CatalogueContentsPages(int count);

// Paints contents page `pageIndex` (from 0) of the catalogue of `entries` into `page`: a grid
// of thumbnails (polar curve) with file names, luminaires and main figures (flux, max cd,
// beam), and each damaged file with its error in place of a thumbnail. `firstSheet` is the
// page number of the first datasheet, so each entry names its page.
void PaintCatalogueContents(QPainter& painter, const QRectF& page,
                            const std::vector<DatasheetInput>& entries, int pageIndex,
                            int firstSheet);

// Writes the catalogue of `entries` to `path` as an A4 PDF: with more than one entry the
// contents pages first, then one datasheet per entry that is Ok (a single entry: its datasheet
// alone). Written through a temporary file in the same folder and a rename: a failed or
// cancelled write leaves an existing file as it was. `progress` (may be empty) is called
// before each datasheet (index in `entries`, count) and cancels the write when it returns
// false. False with a readable reason in `error` on failure or cancel.
bool WriteReportPdf(const QString& path, const std::vector<DatasheetInput>& entries,
                    const std::function<bool(int index, int count)>& progress, QString& error);

} // namespace gonilux
