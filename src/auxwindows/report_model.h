// What the report window decides without a window: the pointer readout of its polar and
// cartesian pages, the files its overlay page takes, and the texts of its tables (candela and
// ratings).
#pragma once

#include "diagram/cartesian_chart.h"
#include "photometry/light_tables.h"
#include "photometry/metrics.h"
#include "photometry/ratings.h"
#include "preview_source.h"

#include <QPointF>
#include <QString>
#include <QStringList>
#include <vector>

namespace gonilux::auxwindows {

inline constexpr int kMaxOverlayFiles = 4;

// A number rounded to `decimals` places with grouped digits ("1 234.5"); "-" for NaN. Figures
// take their digits from their kind instead (GroupedFigure, photometry/figure_format.h).
QString ReportNumber(double value, int decimals);

// The intensity under the pointer: the direction (type C: gamma from the nadir and the C-plane;
// types A, B: the vertical and horizontal angle) and the record's value there.
struct PointerReading {
    bool Valid = false;
    bool TypeC = true;
    double Gamma = 0;
    double Plane = 0;
    double Value = kNoValue;
    QString Unit; // "cd" or "cd/klm"
};

// "C 90°  γ 35°  1 234.5 cd/klm" (types A, B: "H 90°  V 35°  ..."); empty when not valid.
QString ReadingText(const PointerReading& reading);

// The polar diagram of `plane` with its centre at `offset` from the pointer subtracted
// (pointer - centre, y down): the angle from straight down, the plane on the right half and
// its opposite on the left (types A, B: the signed vertical angle within the plane). Nothing
// at the centre itself or for a record without a table.
PointerReading PolarReading(const tIES& ies, int plane, bool absolute, QPointF offset);

// The curve of the cartesian chart nearest the pointer, read at the pointer's angle; nothing
// outside the plot or the curves' angles.
PointerReading CartesianReading(const CartesianChart& chart, const CartesianLayout& layout,
                                QPointF point);

// The overlay page: the selected records that have a table, at most kMaxOverlayFiles of them
// in list order, and the text shown instead of the charts or above them.
struct OverlayPlan {
    std::vector<SelectedRecord> Records;
    QString Hint; // fewer than two files: how to choose them; more than four: which are shown
    bool Drawn() const { return Records.size() >= 2; }
};
OverlayPlan PlanOverlay(const std::vector<SelectedRecord>& selected);

// The main figures of several records side by side: one row per figure, a name then one
// text per record.
std::vector<QStringList> FigureRows(const std::vector<tMetrics>& metrics);

// The candela table as the table widget shows it and the clipboard gets it: the angles down the
// first column, the planes across the header row (its first cell the unit), separated by tabs,
// one line per row. Every value has the same decimals (CandelaDecimals), as in the CSV and
// `gonilux-cli table --kind candela`; the angles the fewest that show them (LabelDecimals).
QString CandelaText(const CandelaTable& table);
QString CandelaCell(double value, int decimals);
// "cd" or "cd/klm".
QString CandelaUnitText(const CandelaTable& table);

// A table of the ratings page as its widget shows it: column and row headers and the cells
// (Cells[row][column]); no cells when the table is undefined.
struct RatingTableText {
    QStringList Columns;
    QStringList Rows;
    std::vector<QStringList> Cells;
    QStringList Groups; // captions over equal groups of the columns (the UGR table's sides)
};
// Luminance (cd/m2): 45-85 degrees down, C0 C45 C90 across.
RatingTableText LuminanceTableText(const tLuminanceTable& table);
// UGR: the 19 rooms ("2H 4H") down; crosswise then endwise (the groups), each by the 5
// reflectance sets.
RatingTableText UgrTableText(const tUgrTable& table);
// CU (%): RCR 0-10 down, the 18 ceiling / wall pairs across (floor 20 %).
RatingTableText CuTableText(const tCuTable& table);

// The ratings page for the clipboard: the LCS zones, the outdoor figures, then each table with
// its headers, tab separated, a blank line between the parts.
QString RatingsText(const tRatings& ratings, const tUgrTable& ugr, const tCuTable& cu);

} // namespace gonilux::auxwindows
