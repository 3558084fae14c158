#include "query.h"

#include "query_terms.h"

#include <charconv>
#include <cmath>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace gonilux::library {
namespace {

enum class Kind { Text, Choice, Number, Bug };

struct FieldSpec {
    std::string_view Name;
    Kind Type;
    std::string_view Choices; // for choice fields: "a|b|c"
    // The details view's column in Chinese and English (without the unit), where there is one;
    // a test holds them to the view's headers.
    std::string_view Chinese, English;
};

constexpr FieldSpec kFields[] = {
    {"manufacturer", Kind::Text, "", "制造商", "manufacturer"},
    {"luminaire", Kind::Text, "", "灯具", "luminaire"},
    {"lamp", Kind::Text, "", "光源", "lamp"},
    {"catalog", Kind::Text, "", "目录号", "catalogue no."},
    {"file", Kind::Text, "", "文件名", "file name"},
    {"caption", Kind::Text, "", "标题", "caption"},
    {"type", Kind::Choice, "a|b|c", "类型", "type"},
    {"format", Kind::Choice, "ies|ldt", "格式", "format"},
    {"error", Kind::Choice, "yes|no", "状态", "status"},
    {"lumens", Kind::Number, "", "额定光通量", "lamp flux"},
    {"flux", Kind::Number, "", "灯具光通量", "luminaire flux"},
    {"watts", Kind::Number, "", "输入功率", "input"},
    {"efficacy", Kind::Number, "", "光效", "efficacy"},
    {"maxcd", Kind::Number, "", "最大光强", "max. intensity"},
    {"beam", Kind::Number, "", "光束角", "beam"},
    {"field", Kind::Number, "", "场角", "field"},
    {"lor", Kind::Number, "", "灯具效率", "light output ratio"},
    {"bug", Kind::Bug, "", "BUG等级", "BUG rating"},
    {"b", Kind::Number, "", "", ""},
    {"u", Kind::Number, "", "", ""},
    {"g", Kind::Number, "", "", ""},
    {"ugr", Kind::Number, "", "UGR", "UGR"},
    {"road", Kind::Choice, "i|ii|iii|iv|v|vs", "道路类型", "roadway type"},
    {"cutoff", Kind::Choice, "full|cutoff|semicutoff|noncutoff", "", ""},
    {"sc", Kind::Number, "", "距高比", "spacing criterion"},
    {"l65", Kind::Number, "", "L65亮度", "L65 luminance"},
};

// A name compared without case, blanks, dots, underscores and hyphens: "Max. intensity" and
// "max_intensity" are "maxintensity".
std::string NormalName(std::string_view name) {
    std::string normal;
    for (char c : Lower(name))
        if (c != ' ' && c != '.' && c != '_' && c != '-') normal += c;
    return normal;
}

const FieldSpec* FindField(std::string_view name) {
    const std::string normal = NormalName(name);
    for (const FieldSpec& f : kFields)
        if (normal == f.Name || (!f.Chinese.empty() && normal == NormalName(f.Chinese)) ||
            (!f.English.empty() && normal == NormalName(f.English)))
            return &f;
    return nullptr;
}

bool ReadNumber(std::string_view text, double& value) {
    if (text.empty()) return false;
    if (text.front() == '+') text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

using detail::QueryError;

// "B1U0G1", "b1-u0-g1" as the three digits "101"; empty when it is no rating.
std::string BugDigits(std::string_view value) {
    std::string letters;
    for (char c : Lower(value))
        if (c != '-') letters += c;
    if (letters.size() != 6) return {};
    std::string digits;
    for (int i = 0; i < 3; ++i) {
        const char digit = letters[static_cast<std::size_t>(2 * i + 1)];
        if (letters[static_cast<std::size_t>(2 * i)] != "bug"[i] || digit < '0' || digit > '5')
            return {};
        digits += digit;
    }
    return digits;
}

QueryError Mistake(QueryErrorKind kind, std::vector<std::string> args) {
    return {kind, std::move(args)};
}

QueryError NumberTerm(const std::string& name, std::string_view op, std::string_view value,
                      std::string_view token, QueryTerm& term) {
    const std::size_t dots = value.find("..");
    if (dots != std::string_view::npos && (op == ":" || op == "=")) {
        if (!ReadNumber(value.substr(0, dots), term.Low) ||
            !ReadNumber(value.substr(dots + 2), term.High))
            return Mistake(QueryErrorKind::RangeNumbers, {name, std::string(token)});
        if (term.Low > term.High)
            return Mistake(QueryErrorKind::RangeOrder,
                           {name, name + ":" + std::string(value.substr(dots + 2)) + ".." +
                                      std::string(value.substr(0, dots))});
        term.Op = QueryOp::Range;
        return {};
    }
    if (!ReadNumber(value, term.Low))
        return Mistake(QueryErrorKind::NeedsNumber, {name, std::string(token)});
    term.High = term.Low;
    term.Op = op == "<"    ? QueryOp::Less
              : op == "<=" ? QueryOp::LessEqual
              : op == ">"  ? QueryOp::Greater
              : op == ">=" ? QueryOp::GreaterEqual
                           : QueryOp::Equal;
    return {};
}

bool Contains(std::string_view haystack, std::string_view lowerNeedle) {
    return Lower(haystack).find(lowerNeedle) != std::string::npos;
}

bool NumberMatches(const QueryTerm& term, double v) {
    if (std::isnan(v)) return false;
    switch (term.Op) {
    case QueryOp::Less:
        return v < term.Low;
    case QueryOp::LessEqual:
        return v <= term.Low;
    case QueryOp::Greater:
        return v > term.Low;
    case QueryOp::GreaterEqual:
        return v >= term.Low;
    case QueryOp::Range:
        return v >= term.Low && v <= term.High;
    default:
        return v == term.Low;
    }
}

bool TermMatches(const QueryTerm& t, const LibraryRecord& r, std::string_view caption) {
    if (t.Field.empty()) {
        if (Contains(caption, t.Text) || Contains(FileNameOf(r), t.Text)) return true;
        for (const std::string& title : r.Titles)
            if (Contains(title, t.Text)) return true;
        return false;
    }
    if (t.Field == "manufacturer") return Contains(r.Titles[Manufacturer], t.Text);
    if (t.Field == "luminaire") return Contains(r.Titles[Luminaire], t.Text);
    if (t.Field == "lamp") return Contains(r.Titles[Lamp], t.Text);
    if (t.Field == "catalog") return Contains(r.Titles[Catalog], t.Text);
    if (t.Field == "file") return Contains(FileNameOf(r), t.Text);
    // Without a caption (the index keeps none) the file name stands for it.
    if (t.Field == "caption") return Contains(caption.empty() ? FileNameOf(r) : caption, t.Text);
    if (t.Field == "type") return r.Type != 0 && "cba"[r.Type - 1] == t.Text[0];
    if (t.Field == "format") return r.Ldt == (t.Text == "ldt");
    if (t.Field == "error") return r.Error.empty() == (t.Text == "no");
    if (t.Field == "bug")
        return r.BugB >= 0 && r.BugB <= t.Text[0] - '0' && r.BugU >= 0 &&
               r.BugU <= t.Text[1] - '0' && r.BugG >= 0 && r.BugG <= t.Text[2] - '0';
    if (t.Field == "road") return Lower(r.Road) == t.Text;
    if (t.Field == "cutoff") return r.Cutoff == t.Text;
    return NumberMatches(t, NumberField(r, t.Field));
}

bool NodeMatches(const Query& q, const QueryNode& node, const LibraryRecord& r,
                 std::string_view caption) {
    if (node.Term >= 0)
        return static_cast<std::size_t>(node.Term) < q.Terms.size() &&
               TermMatches(q.Terms[static_cast<std::size_t>(node.Term)], r, caption);
    const bool any = node.Join == QueryJoin::Or;
    for (const QueryNode& child : node.Children)
        if (NodeMatches(q, child, r, caption) == any) return any;
    return !any || node.Children.empty();
}

} // namespace

namespace detail {

QueryError FieldTerm(const std::string& field, std::string_view op, std::string_view value,
                     std::string_view token, QueryTerm& term) {
    const FieldSpec* f = FindField(field);
    term.Field = f->Name;
    const std::string name(f->Name);
    if (f->Type == Kind::Number) return NumberTerm(name, op, value, token, term);
    const std::string example = name + ":" + std::string(value);
    if (op != ":") return Mistake(QueryErrorKind::TakesColon, {name, example});
    term.Text = Lower(value);
    if (f->Type == Kind::Bug) {
        term.Text = BugDigits(value);
        if (term.Text.empty())
            return Mistake(QueryErrorKind::BugRating, {name, std::string(token)});
        return {};
    }
    if (f->Type == Kind::Text) {
        if (term.Text.empty()) return Mistake(QueryErrorKind::NeedsText, {name, name + ":acme"});
        return {};
    }
    std::string_view choices = f->Choices;
    for (std::size_t start = 0; start <= choices.size();) {
        std::size_t bar = choices.find('|', start);
        if (bar == std::string_view::npos) bar = choices.size();
        if (choices.substr(start, bar - start) == term.Text) return {};
        start = bar + 1;
    }
    std::string options(choices);
    for (char& c : options)
        if (c == '|') c = ' ';
    return Mistake(QueryErrorKind::TakesChoice, {name, options, example});
}

std::string KnownFields() {
    std::string list;
    for (const FieldSpec& f : kFields)
        list += (list.empty() ? "" : ", ") + std::string(f.Name);
    return list;
}

} // namespace detail

std::string Lower(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < length;) {
        if (bytes[i] < 0x80) { // the common case: ASCII
            const char c = static_cast<char>(bytes[i++]);
            out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
            continue;
        }
        const int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) { // not UTF-8: the bytes stay as they are
            out.append(
                text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)));
            continue;
        }
        uint8_t folded[U8_MAX_LENGTH]; // room for any code point
        int32_t size = 0;
        U8_APPEND_UNSAFE(folded, size, u_foldCase(c, U_FOLD_CASE_DEFAULT));
        out.append(reinterpret_cast<const char*>(folded), static_cast<std::size_t>(size));
    }
    return out;
}

const std::vector<std::string_view>& QueryFieldNames() {
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> list;
        for (const FieldSpec& f : kFields)
            list.push_back(f.Name);
        return list;
    }();
    return names;
}

std::optional<std::string> QueryFieldOfName(std::string_view name) {
    const FieldSpec* f = FindField(name);
    return f ? std::optional<std::string>(f->Name) : std::nullopt;
}

std::string QueryErrorMessage(QueryErrorKind kind, const std::vector<std::string>& args) {
    static constexpr const char* kTexts[] = {
        "",
        "unknown field \"%1\" in %2; the fields are %3",
        "%1 needs a number: %2",
        "%1 needs two numbers for a range: %2",
        "%1 range must go from low to high: %2",
        "%1 takes \":\": %2",
        "%1 needs a text: %2",
        "%1 takes one of %2: %3",
        "\"%1\" is no comparison; use <, <=, >, >=, = or \":\": %2",
        "\"%1\" needs a field name before it, as in flux>=3000",
        "the quote is not closed: add \" after %1",
        "empty parentheses \"()\": put a term between them or leave them out",
        "\"(\" is not closed: add \")\" after %1",
        "\")\" has no \"(\" before it: %1",
        "\"%1\" needs a term on each side, as in a %1 b",
        "more than %1 parentheses inside each other",
        "%1 takes a rating such as B1U0G1 (each letter 0 to 5): %2",
    };
    const std::string_view text = kTexts[static_cast<int>(kind)];
    std::string message;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t arg = i + 1 < text.size() && text[i] == '%' ? text[i + 1] - '1' : 9;
        if (arg >= 9) {
            message += text[i];
            continue;
        }
        if (arg < args.size()) message += args[arg];
        ++i;
    }
    return message;
}

double NumberField(const LibraryRecord& r, std::string_view field) {
    if (field == "lumens") return r.Lumens;
    if (field == "flux") return r.Flux;
    if (field == "watts") return r.Watts;
    if (field == "efficacy") return r.Efficacy;
    if (field == "maxcd") return r.MaxCd;
    if (field == "beam") return r.Beam;
    if (field == "field") return r.Field;
    if (field == "lor") return r.Lor;
    if (field == "b") return r.BugB < 0 ? kNoValue : r.BugB;
    if (field == "u") return r.BugU < 0 ? kNoValue : r.BugU;
    if (field == "g") return r.BugG < 0 ? kNoValue : r.BugG;
    if (field == "ugr") return r.Ugr;
    if (field == "sc") return r.Sc;
    if (field == "l65") return r.L65;
    return kNoValue;
}

bool IsNumberField(std::string_view field) {
    for (const FieldSpec& f : kFields)
        if (f.Name == field) return f.Type == Kind::Number;
    return false;
}

bool Matches(const Query& query, const LibraryRecord& record, std::string_view caption) {
    return NodeMatches(query, query.Root, record, caption);
}

std::optional<QuerySort> ParseSort(std::string_view text) {
    QuerySort sort;
    if (!text.empty() && text.front() == '-') {
        sort.Descending = true;
        text.remove_prefix(1);
    }
    if (!text.empty() && text.front() == '-') return std::nullopt;
    const std::string normal = NormalName(text);
    if (normal == "path" || normal == "size") {
        sort.Field = normal;
        return sort;
    }
    const FieldSpec* f = FindField(text);
    if (!f) return std::nullopt;
    sort.Field = f->Name;
    return sort;
}

std::string SortFieldList() {
    return "path, size, " + detail::KnownFields();
}

} // namespace gonilux::library
