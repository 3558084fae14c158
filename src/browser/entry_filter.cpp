#include "browser/entry_filter.h"

#include "browser/file_entries.h"

namespace gonilux::browser {

bool EntryFilter::SetText(const QString& text) {
    text_ = text;
    library::QueryParse parsed = library::ParseQuery(text.toStdString());
    error_ = QString::fromStdString(parsed.Error);
    query_ = parsed.Ok ? std::move(parsed.Value) : library::Query{};
    needsFigures_ = false;
    namesOnly_ = true;
    for (const library::QueryTerm& term : query_.Terms) {
        needsFigures_ = needsFigures_ || library::IsNumberField(term.Field);
        namesOnly_ = namesOnly_ && (term.Field == "file" || term.Field == "format");
    }
    return parsed.Ok;
}

bool EntryFilter::Accepts(const TiesData& entry, int captionChoice,
                          const std::optional<tMetrics>& metrics) const {
    if (query_.Terms.empty()) return true;
    library::LibraryRecord record =
        library::EntryLibraryRecord(entry, metrics ? &*metrics : nullptr, HeaderEncodingChoice());
    record.Path = EntryFileName(entry).toStdString();
    return library::Matches(query_, record, EntryCaption(entry, captionChoice).toStdString());
}

bool EntryFilter::NeedsReading(const TiesData& entry) const {
    return !namesOnly_ && entry.Lines.size() < 3 && !entry.Diagnostics.OpenFailed;
}

} // namespace gonilux::browser
