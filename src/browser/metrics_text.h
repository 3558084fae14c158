// The photometric figures of a record as text: the lines under the header text of the info panel
// and the hover text of a file entry in the file list. No widgets; the texts are translated.
#pragma once

#include "photometry/ies_record.h"
#include "photometry/metrics.h"
#include "photometry/ratings.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace gonilux::browser {

// A number with blanks between groups of three digits and `decimals` digits after the point,
// e.g. 1234.56 with 1 decimal gives "1 234.6"; empty when it is not a number. The figures
// themselves take their digits from their kind (GroupedFigure, photometry/figure_format.h).
QString GroupedNumber(double value, int decimals);

// One line per figure that is present (NaN figures are left out; nothing for an invalid
// record): luminous flux, light output ratio, efficacy, maximum intensity with its direction,
// beam and field angles of the two plane pairs, downward flux. `photometricType` names the
// angles (C-planes and gamma for type C, horizontal and vertical angles for A and B).
QStringList MetricsLines(const tMetrics& metrics, int photometricType);

// The figures as a block to append below other text: a blank line, then the lines. Empty when
// there is no figure.
QString MetricsBlock(const tMetrics& metrics, int photometricType);

// What is wrong with a read entry: the header error as the reader reports it ("错误！ 第 N 行")
// and missing values ("incomplete file: 230 of 444 values"); empty when the entry is sound or
// was not read.
QString HeaderErrorText(const TiesData& entry);

// The line that marks figures computed from a damaged file's values.
QString DamagedFiguresNote();

// The hover text of a file entry: the file name, the header error, then the figures and the
// BUG rating and UGR where they are defined (for a read entry; `metrics` and `ratings` are absent
// for an unread one). Plain lines separated by '\n'.
QString EntryToolTipText(const TiesData& entry, const std::optional<tMetrics>& metrics,
                         const std::optional<tRatings>& ratings = std::nullopt);

} // namespace gonilux::browser
