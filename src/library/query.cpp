#include "query.h"

#include <charconv>
#include <cmath>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace gonilux::library {
namespace {

enum class Kind { Text, Choice, Number };

struct FieldSpec {
    std::string_view Name;
    Kind Type;
    std::string_view Choices; // for choice fields: "a|b|c"
};

constexpr FieldSpec kFields[] = {
    {"manufacturer", Kind::Text, ""},
    {"luminaire", Kind::Text, ""},
    {"lamp", Kind::Text, ""},
    {"catalog", Kind::Text, ""},
    {"file", Kind::Text, ""},
    {"type", Kind::Choice, "a|b|c"},
    {"format", Kind::Choice, "ies|ldt"},
    {"error", Kind::Choice, "yes|no"},
    {"lumens", Kind::Number, ""},
    {"flux", Kind::Number, ""},
    {"watts", Kind::Number, ""},
    {"efficacy", Kind::Number, ""},
    {"maxcd", Kind::Number, ""},
    {"beam", Kind::Number, ""},
    {"field", Kind::Number, ""},
    {"lor", Kind::Number, ""},
};

const FieldSpec* FindField(std::string_view name) {
    for (const FieldSpec& f : kFields)
        if (f.Name == name) return &f;
    return nullptr;
}

std::string KnownFields() {
    std::string list;
    for (const FieldSpec& f : kFields)
        list += (list.empty() ? "" : ", ") + std::string(f.Name);
    return list;
}

// Splits at blanks outside double quotes; the quotes themselves are dropped.
std::vector<std::string> Tokens(std::string_view text) {
    std::vector<std::string> tokens;
    std::string token;
    bool quoted = false, any = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (any) tokens.push_back(token);
            token.clear();
            any = false;
        } else {
            token += c;
            any = true;
        }
    }
    if (any) tokens.push_back(token);
    return tokens;
}

bool ReadNumber(std::string_view text, double& value) {
    if (text.empty()) return false;
    if (text.front() == '+') text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// The field name at the start of `token` and the operator after it; false when there is none.
bool SplitField(std::string_view token, std::string_view& name, std::string_view& op,
                std::string_view& value) {
    std::size_t n = 0;
    while (n < token.size() &&
           ((token[n] >= 'a' && token[n] <= 'z') || (token[n] >= 'A' && token[n] <= 'Z')))
        ++n;
    if (n == 0 || n == token.size()) return false;
    for (std::string_view candidate : {"<=", ">=", ":", "<", ">", "="}) {
        if (token.substr(n, candidate.size()) != candidate) continue;
        name = token.substr(0, n);
        op = candidate;
        value = token.substr(n + candidate.size());
        return true;
    }
    return false;
}

std::string NumberTerm(const FieldSpec& f, std::string_view op, std::string_view value,
                       std::string_view token, QueryTerm& term) {
    const std::size_t dots = value.find("..");
    if (dots != std::string_view::npos && (op == ":" || op == "=")) {
        if (!ReadNumber(value.substr(0, dots), term.Low) ||
            !ReadNumber(value.substr(dots + 2), term.High))
            return std::string(f.Name) + " needs two numbers for a range: " + std::string(token);
        if (term.Low > term.High)
            return std::string(f.Name) + " range must go from low to high: " + std::string(f.Name) +
                   ":" + std::string(value.substr(dots + 2)) + ".." +
                   std::string(value.substr(0, dots));
        term.Op = QueryOp::Range;
        return {};
    }
    if (!ReadNumber(value, term.Low))
        return std::string(f.Name) + " needs a number: " + std::string(token);
    term.High = term.Low;
    term.Op = op == "<"    ? QueryOp::Less
              : op == "<=" ? QueryOp::LessEqual
              : op == ">"  ? QueryOp::Greater
              : op == ">=" ? QueryOp::GreaterEqual
                           : QueryOp::Equal;
    return {};
}

// Reads one field term; returns the error message, empty when it is sound.
std::string FieldTerm(const FieldSpec& f, std::string_view op, std::string_view value,
                      std::string_view token, QueryTerm& term) {
    term.Field = f.Name;
    if (f.Type == Kind::Number) return NumberTerm(f, op, value, token, term);
    const std::string example = std::string(f.Name) + ":" + std::string(value);
    if (op != ":") return std::string(f.Name) + " takes \":\": " + example;
    term.Text = Lower(value);
    if (f.Type == Kind::Text) {
        if (term.Text.empty())
            return std::string(f.Name) + " needs a text: " + std::string(f.Name) + ":acme";
        return {};
    }
    std::string_view choices = f.Choices;
    for (std::size_t start = 0; start <= choices.size();) {
        std::size_t bar = choices.find('|', start);
        if (bar == std::string_view::npos) bar = choices.size();
        if (choices.substr(start, bar - start) == term.Text) return {};
        start = bar + 1;
    }
    std::string options(choices);
    for (char& c : options)
        if (c == '|') c = ' ';
    return std::string(f.Name) + " takes one of " + options + ": " + example;
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
    if (t.Field == "type") return r.Type != 0 && "cba"[r.Type - 1] == t.Text[0];
    if (t.Field == "format") return r.Ldt == (t.Text == "ldt");
    if (t.Field == "error") return r.Error.empty() == (t.Text == "no");
    return NumberMatches(t, NumberField(r, t.Field));
}

} // namespace

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

double NumberField(const LibraryRecord& r, std::string_view field) {
    if (field == "lumens") return r.Lumens;
    if (field == "flux") return r.Flux;
    if (field == "watts") return r.Watts;
    if (field == "efficacy") return r.Efficacy;
    if (field == "maxcd") return r.MaxCd;
    if (field == "beam") return r.Beam;
    if (field == "field") return r.Field;
    if (field == "lor") return r.Lor;
    return kNoValue;
}

bool IsNumberField(std::string_view field) {
    const FieldSpec* spec = FindField(field);
    return spec && spec->Type == Kind::Number;
}

QueryParse ParseQuery(std::string_view text) {
    QueryParse result;
    for (const std::string& token : Tokens(text)) {
        QueryTerm term;
        std::string_view name, op, value;
        if (!SplitField(token, name, op, value)) {
            term.Text = Lower(token);
            result.Value.Terms.push_back(std::move(term));
            continue;
        }
        const FieldSpec* field = FindField(Lower(name));
        if (!field) {
            result.Error = "unknown field \"" + std::string(name) + "\" in " + token +
                           "; the fields are " + KnownFields();
            return result;
        }
        result.Error = FieldTerm(*field, op, value, token, term);
        if (!result.Error.empty()) return result;
        result.Value.Terms.push_back(std::move(term));
    }
    result.Ok = true;
    return result;
}

bool Matches(const Query& query, const LibraryRecord& record, std::string_view caption) {
    for (const QueryTerm& term : query.Terms)
        if (!TermMatches(term, record, caption)) return false;
    return true;
}

} // namespace gonilux::library
