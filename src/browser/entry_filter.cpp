#include "browser/entry_filter.h"

#include "browser/file_entries.h"

namespace gonilux::browser {
namespace {

// The query language folds ASCII letters only; the list folds every script the same way on
// both sides, so "ÇLAIR" finds "çlair".
std::string Folded(const QString& text) {
    return text.toCaseFolded().toStdString();
}

std::string Folded(const std::string& utf8) {
    return Folded(QString::fromStdString(utf8));
}

} // namespace

bool EntryFilter::SetText(const QString& text) {
    text_ = text;
    library::QueryParse parsed = library::ParseQuery(text.toStdString());
    error_ = QString::fromStdString(parsed.Error);
    query_ = parsed.Ok ? std::move(parsed.Value) : library::Query{};
    needsFigures_ = false;
    namesOnly_ = true;
    for (library::QueryTerm& term : query_.Terms) {
        term.Text = Folded(term.Text);
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
    for (std::string& title : record.Titles)
        title = Folded(title);
    record.Path = Folded(EntryFileName(entry));
    return library::Matches(query_, record, Folded(EntryCaption(entry, captionChoice)));
}

bool EntryFilter::NeedsReading(const TiesData& entry) const {
    return !namesOnly_ && entry.Lines.size() < 3 && !entry.Diagnostics.OpenFailed;
}

} // namespace gonilux::browser
