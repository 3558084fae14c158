// The details view's columns without a window: their keys, headers and alignment, the text and
// sort key each shows for a file entry, the sort of rows by a column, and the header's state
// (shown columns, order, widths, sort) as the settings file keeps it.
#pragma once

#include "photometry/ies_record.h"
#include "photometry/metrics.h"
#include "photometry/ratings.h"

#include <QString>
#include <QtGlobal>
#include <optional>
#include <span>
#include <vector>

namespace gonilux::browser {

enum class DetailsColumn {
    Caption,
    File,
    Manufacturer,
    Luminaire,
    Lamp,
    Catalog,
    Lumens,
    Flux,
    Watts,
    Efficacy,
    MaxCd,
    Beam,
    Field,
    Bug,
    Ugr,
    Road,
    Spacing,
    Luminance65,
    Type,
    Symmetry,
    Size,
    Status,
    Folder, // only in the flat list of a subtree search
};
inline constexpr int kDetailsColumnCount = int(DetailsColumn::Folder) + 1;

struct DetailsColumnInfo {
    DetailsColumn Column;
    // In the settings file; the query language's field where there is one (status: error). The
    // header without its unit names that field in the query language too, in either language.
    const char* Key;
    const char* Header; // source text of the header (context "DetailsColumns")
    bool Numeric;       // right-aligned, sorted as numbers
    int Width;          // default width, pixels
};

// Every column in its default order.
std::span<const DetailsColumnInfo> DetailsColumns();
const DetailsColumnInfo& ColumnInfo(DetailsColumn column);
std::optional<DetailsColumn> ColumnOfKey(const QString& key);
// The header text in the interface language.
QString ColumnHeader(DetailsColumn column);
Qt::Alignment ColumnAlignment(DetailsColumn column);
// True for the columns of the ratings (BUG, UGR, roadway type, spacing criterion, L65).
bool IsRatingColumn(DetailsColumn column);

// What a row shows of one entry. `Metrics` is null while the entry has no figures (unread),
// `Ratings` likewise; `Size` is the file's size in bytes, negative when unknown.
struct DetailsEntry {
    const TiesData& Entry;
    const tMetrics* Metrics = nullptr;
    qint64 Size = -1;
    int CaptionChoice = 0;
    QString Folder; // the entry's folder in a flat list
    const tRatings* Ratings = nullptr;
};

// A cell: its text and, for a numeric column, the number it sorts by (NaN when empty).
struct DetailsCell {
    QString Text;
    double Number = kNoValue;
    bool operator==(const DetailsCell&) const = default;
};

// Figures as the hover text writes them (grouped, the digits of their kind); beam and field are the
// wider of the two principal planes; the ratings as lists and queries take them (BugText, the
// worse UGR to 0.1, the roadway's lateral type, SpacingValue to 0.01, Luminance65 whole); the
// status is empty for a clean read, else the reader's error ("错误！ 第 12 行", "too large: ...").
DetailsCell DetailsCellOf(DetailsColumn column, const DetailsEntry& entry);

// The order of the rows after sorting by one column's cells (one per row). The first
// `folderCount` rows are folders and keep their places; the others sort by number (numeric
// columns) or by text in the order of CompareText, empty cells last in both directions, equal
// cells in their old order. Returns, for each new position, the old row (as SortedRowOrder).
std::vector<int> SortedDetailsRows(std::span<const DetailsCell> cells, int folderCount,
                                   bool numeric, bool descending);

// ---- The header's state ----

struct DetailsHeaderColumn {
    DetailsColumn Column;
    bool Visible = true;
    int Width = 0;
    bool operator==(const DetailsHeaderColumn&) const = default;
};

struct DetailsHeaderState {
    std::vector<DetailsHeaderColumn> Columns; // every column once, in the shown order
    std::optional<DetailsColumn> SortColumn;  // none: the list's own order
    bool Descending = false;
    bool operator==(const DetailsHeaderState&) const = default;
};

inline constexpr int kMinColumnWidth = 16;
inline constexpr int kMaxColumnWidth = 4000;

// The shown columns of a first start at their default widths (the others follow, hidden, in
// their default order).
inline constexpr const char* kDefaultDetailsColumns =
    "caption,manufacturer,luminaire,lamp,flux,watts,efficacy,beam,status";

DetailsHeaderState DefaultDetailsHeader();

// Columns: "caption:180,file:140,-manufacturer:120", every column once in its order, "-" before a
// hidden one. Sort: "flux:desc", "caption:asc" or "" for none.
QString DetailsColumnsText(const DetailsHeaderState& state);
QString DetailsSortText(const DetailsHeaderState& state);

// Reading is forgiving: a piece with an unknown key, a second mention of a column or a width
// that is not a whole number in kMinColumnWidth..kMaxColumnWidth is skipped; columns not
// mentioned follow, hidden. A columns text that leaves no column shown gives the default
// columns; a malformed sort gives none.
DetailsHeaderState ParseDetailsHeader(const QString& columns, const QString& sort);

} // namespace gonilux::browser
