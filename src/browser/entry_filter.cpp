#include "browser/entry_filter.h"

#include "browser/file_entries.h"

namespace gonilux::browser {

bool EntryMatchesFilter(const TiesData& entry, int captionChoice, const QString& text) {
    if (text.isEmpty()) return true;
    if (EntryCaption(entry, captionChoice).contains(text, Qt::CaseInsensitive)) return true;
    for (int i = 0; i < static_cast<int>(entry.Lines.size()); ++i)
        if (TitleText(entry, i).contains(text, Qt::CaseInsensitive)) return true;
    return false;
}

bool FilterNeedsReading(const TiesData& entry, const QString& text) {
    return !text.isEmpty() && entry.Lines.size() < 3 && !entry.Diagnostics.OpenFailed;
}

} // namespace gonilux::browser
