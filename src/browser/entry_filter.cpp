#include "browser/entry_filter.h"

#include "browser/file_entries.h"

#include <QCoreApplication>
#include <algorithm>
#include <iterator>
#include <string_view>

namespace gonilux::browser {

namespace {

// The fields of the query language that look at an entry's ratings.
bool IsRatingField(std::string_view field) {
    static constexpr std::string_view kRatingFields[] = {"bug",  "b",  "u",   "g",     "ugr",
                                                         "road", "sc", "l65", "cutoff"};
    return std::ranges::find(kRatingFields, field) != std::end(kRatingFields);
}

} // namespace

QString QueryErrorText(const library::QueryParse& parse) {
    // In the order of library::QueryErrorKind; the English translations are the core's words.
    static constexpr const char* kTexts[] = {
        "",
        QT_TRANSLATE_NOOP("QueryError", "未知字段“%1”（%2）；字段有 %3，也可用详细信息视图的列名"),
        QT_TRANSLATE_NOOP("QueryError", "%1 需要一个数：%2"),
        QT_TRANSLATE_NOOP("QueryError", "%1 的范围需要两个数：%2"),
        QT_TRANSLATE_NOOP("QueryError", "%1 的范围应从小到大：%2"),
        QT_TRANSLATE_NOOP("QueryError", "%1 后面用“:”：%2"),
        QT_TRANSLATE_NOOP("QueryError", "%1 需要文字：%2"),
        QT_TRANSLATE_NOOP("QueryError", "%1 只取 %2 之一：%3"),
        QT_TRANSLATE_NOOP("QueryError", "“%1”不是比较符，请用 <、<=、>、>=、= 或“:”：%2"),
        QT_TRANSLATE_NOOP("QueryError", "“%1”前面需要字段名，例如 flux>=3000"),
        QT_TRANSLATE_NOOP("QueryError", "引号没有闭合：在 %1 后加上 \""),
        QT_TRANSLATE_NOOP("QueryError", "空括号“()”：在括号里写条件，或去掉括号"),
        QT_TRANSLATE_NOOP("QueryError", "“(”没有闭合：在 %1 后加上“)”"),
        QT_TRANSLATE_NOOP("QueryError", "“)”前面没有对应的“(”：%1"),
        QT_TRANSLATE_NOOP("QueryError", "“%1”两边都需要条件，例如 a %1 b"),
        QT_TRANSLATE_NOOP("QueryError", "括号嵌套超过 %1 层"),
        QT_TRANSLATE_NOOP("QueryError", "%1 需要形如 B1U0G1 的等级（每个字母 0 到 5）：%2"),
    };
    const auto kind = static_cast<std::size_t>(parse.Kind);
    if (parse.Ok || kind == 0 || kind >= std::size(kTexts)) return {};
    const QString text = QCoreApplication::translate("QueryError", kTexts[kind]);
    const auto arg = [&](std::size_t i) {
        return i < parse.Args.size() ? QString::fromStdString(parse.Args[i]) : QString();
    };
    // All parts at once, so that a "%2" the user typed stays as it is.
    switch (parse.Args.size()) {
    case 0:
        return text;
    case 1:
        return text.arg(arg(0));
    case 2:
        return text.arg(arg(0), arg(1));
    default:
        return text.arg(arg(0), arg(1), arg(2));
    }
}

bool EntryFilter::SetText(const QString& text) {
    text_ = text;
    library::QueryParse parsed = library::ParseQuery(text.toStdString());
    error_ = QueryErrorText(parsed);
    query_ = parsed.Ok ? std::move(parsed.Value) : library::Query{};
    needsFigures_ = needsRatings_ = false;
    namesOnly_ = true;
    for (const library::QueryTerm& term : query_.Terms) {
        needsFigures_ = needsFigures_ || library::IsNumberField(term.Field);
        needsRatings_ = needsRatings_ || IsRatingField(term.Field);
        namesOnly_ = namesOnly_ && (term.Field == "file" || term.Field == "format");
    }
    return parsed.Ok;
}

bool EntryFilter::Accepts(const TiesData& entry, int captionChoice,
                          const std::optional<tMetrics>& metrics,
                          const std::optional<tRatings>& ratings) const {
    if (query_.Terms.empty()) return true;
    library::LibraryRecord record =
        library::EntryLibraryRecord(entry, metrics ? &*metrics : nullptr,
                                    ratings ? &*ratings : nullptr, HeaderEncodingChoice());
    record.Path = EntryFileName(entry).toStdString();
    return library::Matches(query_, record, EntryCaption(entry, captionChoice).toStdString());
}

bool EntryFilter::NeedsReading(const TiesData& entry) const {
    return !namesOnly_ && entry.Lines.size() < 3 && !entry.Diagnostics.OpenFailed;
}

} // namespace gonilux::browser
