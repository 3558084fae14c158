// The file list's filter: which file entries a filter text lets through. The text is a query of
// the library's language (words, field:value, comparisons and ranges), as `gonilux-cli find`
// takes it; plain words match any title, the caption or the file name. Needs no window.
#pragma once

#include "library/query.h"
#include "photometry/ies_record.h"
#include "photometry/metrics.h"
#include "photometry/ratings.h"

#include <QString>
#include <optional>

namespace gonilux::browser {

// The message of a query's mistake in the interface language (the core's English words, or
// their Chinese); empty for a sound query.
QString QueryErrorText(const library::QueryParse& parse);

class EntryFilter {
  public:
    // Takes a new filter text. An invalid query lets every entry through and keeps the message
    // that names the mistake; false then.
    bool SetText(const QString& text);
    const QString& Text() const { return text_; }
    // Empty when the text is a valid query (or empty).
    const QString& Error() const { return error_; }

    // True when the entry (with its caption for the caption choice, its figures and its
    // ratings, if read) satisfies the query. Case does not matter, in any script.
    bool Accepts(const TiesData& entry, int captionChoice, const std::optional<tMetrics>& metrics,
                 const std::optional<tRatings>& ratings = std::nullopt) const;
    // True when the query asks for figures (lumens, flux, beam, ...).
    bool NeedsFigures() const { return needsFigures_; }
    // True when the query asks for ratings (bug, ugr, road, sc, l65, cutoff).
    bool NeedsRatings() const { return needsRatings_; }
    // True when the entry must be read before the query can be answered: it has only the title
    // strings of a fresh entry, its file did not fail to open before, and the query looks at
    // more than the file name.
    bool NeedsReading(const TiesData& entry) const;

  private:
    QString text_;
    QString error_;
    library::Query query_;
    bool needsFigures_ = false;
    bool needsRatings_ = false;
    bool namesOnly_ = true; // every term looks at the file name only (file:, format:)
};

} // namespace gonilux::browser
