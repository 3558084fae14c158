// The file list's filter rule: which file entries a filter text lets through. Needs no window.
#pragma once

#include "photometry/ies_record.h"

#include <QString>

namespace gonilux::browser {

// True when `text` is empty or occurs, without regard to case, in the entry's caption for the
// caption choice or in any of its title strings (the file name among them).
bool EntryMatchesFilter(const TiesData& entry, int captionChoice, const QString& text);

// True when the filter needs the entry read first: a non-empty filter and an entry that has only
// the title strings of a fresh entry and whose file did not fail to open before.
bool FilterNeedsReading(const TiesData& entry, const QString& text);

} // namespace gonilux::browser
