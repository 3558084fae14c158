// Reading a query: the text is cut into words, operators and parentheses, then read as terms
// joined by AND (also where nothing is written) and OR, AND binding closer, with parentheses.
#include "query.h"
#include "query_terms.h"

#include <array>
#include <utility>

namespace gonilux::library {
namespace {

using detail::QueryError;

constexpr int kMaxDepth = 32;    // parentheses inside each other
constexpr int kMaxNameWords = 3; // "light output ratio"
constexpr char kOperatorChars[] = "<>=:";

// The signs a Chinese keyboard gives, read as their ASCII counterparts outside quotes; the
// curly quotes are quotes.
constexpr std::array<std::pair<std::string_view, std::string_view>, 11> kWideSigns{{
    {"\xEF\xBC\x9A", ":"},  // ：
    {"\xEF\xBC\x9C", "<"},  // ＜
    {"\xEF\xBC\x9D", "="},  // ＝
    {"\xEF\xBC\x9E", ">"},  // ＞
    {"\xEF\xBC\x88", "("},  // （
    {"\xEF\xBC\x89", ")"},  // ）
    {"\xE2\x89\xA4", "<="}, // ≤
    {"\xE2\x89\xA5", ">="}, // ≥
    {"\xE3\x80\x80", " "},  // ideographic space
    {"\xE2\x80\x9C", "\""}, // “
    {"\xE2\x80\x9D", "\""}, // ”
}};

std::string Normalised(std::string_view text) {
    std::string out;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [wide, narrow] : kWideSigns) {
            if (text.substr(i, wide.size()) != wide || (quoted && narrow != "\"")) continue;
            out += narrow;
            i += wide.size();
            replaced = true;
            break;
        }
        if (replaced) {
            quoted = quoted != (out.back() == '"');
            continue;
        }
        const char c = text[i++];
        if (c == '"') quoted = !quoted;
        out += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
    }
    return out;
}

struct Token {
    enum Kind { Word, Operator, Open, Close } Type = Word;
    std::string Text;    // a word without its quotes; an operator as written
    bool Quoted = false; // a word with quotes is never AND or OR
    std::size_t At = 0;  // where it starts in the (normalised) text
};

bool IsOperatorChar(char c) {
    return std::string_view(kOperatorChars).find(c) != std::string_view::npos;
}

std::string Unquoted(std::string_view raw) {
    std::string text;
    for (char c : raw)
        if (c != '"') text += c;
    return text;
}

// A name that may be a field's: letters of any script, dots and underscores (blanks too when
// quoted), digits after the first character ("l65", never "12" of "12:30").
bool LooksLikeName(std::string_view raw) {
    const bool quoted = raw.find('"') != std::string_view::npos;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        const auto b = static_cast<unsigned char>(c);
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '.' ||
              c == '"' || b >= 0x80 || (quoted && c == ' ') || (i > 0 && c >= '0' && c <= '9')))
            return false;
    }
    return Unquoted(raw).find_first_not_of(' ') != std::string::npos;
}

// One blank-free piece of text: a word, or NAME OP VALUE with either side possibly empty.
void SplitPiece(std::string_view raw, std::size_t at, std::vector<Token>& tokens) {
    std::size_t k = 0;
    for (bool quoted = false; k < raw.size() && (quoted || !IsOperatorChar(raw[k])); ++k)
        if (raw[k] == '"') quoted = !quoted;
    const std::string_view name = raw.substr(0, k);
    if (k == raw.size() || (!name.empty() && !LooksLikeName(name))) {
        tokens.push_back({Token::Word, Unquoted(raw), raw.find('"') != raw.npos, at});
        return;
    }
    if (!name.empty())
        tokens.push_back({Token::Word, Unquoted(name), name.find('"') != name.npos, at});
    std::string_view op = raw.substr(k, 1);
    for (std::string_view two : {"<=", ">=", "=>", "=<", "=="})
        if (raw.substr(k, 2) == two) op = two;
    tokens.push_back({Token::Operator, std::string(op), false, at + k});
    const std::string_view value = raw.substr(k + op.size());
    if (!value.empty())
        tokens.push_back(
            {Token::Word, Unquoted(value), value.find('"') != value.npos, at + k + op.size()});
}

// Cuts the text into tokens; false (and the mistake) for a quote that is not closed.
bool Cut(const std::string& text, std::vector<Token>& tokens, QueryError& error) {
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == ' ') {
            ++i;
        } else if (c == '(' || c == ')') {
            tokens.push_back({c == '(' ? Token::Open : Token::Close, std::string(1, c), false, i});
            ++i;
        } else {
            const std::size_t start = i;
            std::size_t quote = 0;
            bool quoted = false;
            for (; i < text.size() &&
                   (quoted || (text[i] != ' ' && text[i] != '(' && text[i] != ')'));
                 ++i)
                if (text[i] == '"' && (quoted = !quoted)) quote = i;
            if (quoted) {
                error = {QueryErrorKind::UnclosedQuote, {text.substr(quote)}};
                return false;
            }
            SplitPiece(std::string_view(text).substr(start, i - start), start, tokens);
        }
    }
    return true;
}

class Parser {
  public:
    Parser(const std::string& text, const std::vector<Token>& tokens, Query& query)
        : text_(text), tokens_(tokens), query_(query) {}

    QueryError Run() {
        if (Either(query_.Root) && at_ < tokens_.size()) // only a ")" stops the top level
            Fail(QueryErrorKind::UnopenedParenthesis, {text_.substr(0, tokens_[at_].At + 1)});
        return error_;
    }

  private:
    bool Failed() const { return error_.Kind != QueryErrorKind::None; }
    bool Fail(QueryErrorKind kind, std::vector<std::string> args) {
        if (!Failed()) error_ = {kind, std::move(args)};
        return false;
    }
    const Token* Peek(std::size_t ahead = 0) const {
        return at_ + ahead < tokens_.size() ? &tokens_[at_ + ahead] : nullptr;
    }
    bool IsJoin(const Token* t, std::string_view word) const {
        return t && t->Type == Token::Word && !t->Quoted && Lower(t->Text) == word;
    }
    bool IsAnyJoin(const Token* t) const { return IsJoin(t, "and") || IsJoin(t, "or"); }

    // A join word at the cursor must have a term after it.
    bool TakeJoin(bool termBefore) {
        const Token& join = tokens_[at_++];
        const Token* next = Peek();
        if (!termBefore || !next || next->Type == Token::Close || IsAnyJoin(next))
            return Fail(QueryErrorKind::DanglingJoin, {join.Text});
        return true;
    }

    static void Add(QueryNode& to, QueryNode part) {
        if (part.Term < 0 && part.Join == to.Join) {
            for (QueryNode& child : part.Children)
                to.Children.push_back(std::move(child));
        } else {
            to.Children.push_back(std::move(part));
        }
    }
    static void Simplify(QueryNode& node) {
        if (node.Children.size() == 1) {
            QueryNode only = std::move(node.Children.front());
            node = std::move(only);
        }
    }

    // Terms joined by OR.
    bool Either(QueryNode& node) {
        node.Join = QueryJoin::Or;
        for (;;) {
            QueryNode part;
            if (!All(part)) return false;
            const bool empty = part.Term < 0 && part.Children.empty();
            if (!IsJoin(Peek(), "or")) {
                if (!empty || !node.Children.empty()) Add(node, std::move(part));
                break;
            }
            if (!TakeJoin(!empty)) return false;
            Add(node, std::move(part));
        }
        Simplify(node);
        if (node.Children.empty()) node.Join = QueryJoin::And; // nothing: everything matches
        return true;
    }

    // Terms one after the other, with or without AND between them.
    bool All(QueryNode& node) {
        node.Join = QueryJoin::And;
        for (const Token* t; (t = Peek()) && t->Type != Token::Close && !IsJoin(t, "or");) {
            if (IsJoin(t, "and")) {
                if (!TakeJoin(!node.Children.empty())) return false;
                continue;
            }
            QueryNode part;
            if (!One(part)) return false;
            Add(node, std::move(part));
        }
        Simplify(node);
        return true;
    }

    // A term or a group in parentheses.
    bool One(QueryNode& node) {
        const Token& t = tokens_[at_];
        if (t.Type == Token::Operator) return Fail(QueryErrorKind::MissingField, {t.Text});
        if (t.Type == Token::Word) return Term(node);
        if (depth_ == kMaxDepth) return Fail(QueryErrorKind::TooDeep, {std::to_string(kMaxDepth)});
        ++at_;
        if (Peek() && Peek()->Type == Token::Close)
            return Fail(QueryErrorKind::EmptyParentheses, {});
        ++depth_;
        const bool read = Either(node);
        --depth_;
        if (!read) return false;
        if (!Peek()) return Fail(QueryErrorKind::UnclosedParenthesis, {text_.substr(t.At)});
        ++at_;
        return true;
    }

    // The number of words before the operator when the words at the cursor name a field (up to
    // kMaxNameWords of them), else 0.
    int NameWords(std::string& name) const {
        for (int n = 1; n <= kMaxNameWords; ++n) {
            const Token* word = Peek(static_cast<std::size_t>(n - 1));
            if (!word || word->Type != Token::Word || IsAnyJoin(word)) return 0;
            name += (n > 1 ? " " : "") + word->Text;
            const Token* next = Peek(static_cast<std::size_t>(n));
            if (next && next->Type == Token::Operator) return n;
        }
        return 0;
    }

    bool Term(QueryNode& node) {
        node.Term = static_cast<int>(query_.Terms.size());
        QueryTerm term;
        std::string name;
        const int words = NameWords(name);
        const std::optional<std::string> field = words ? QueryFieldOfName(name) : std::nullopt;
        if (!field) {
            if (words == 1) {
                const Token* value = Peek(2);
                const std::string token = name + tokens_[at_ + 1].Text +
                                          (value && value->Type == Token::Word ? value->Text : "");
                return Fail(QueryErrorKind::UnknownField, {name, token, detail::KnownFields()});
            }
            term.Text = Lower(tokens_[at_++].Text);
            query_.Terms.push_back(std::move(term));
            return true;
        }
        at_ += static_cast<std::size_t>(words);
        return FieldValue(*field, name, term) && (query_.Terms.push_back(std::move(term)), true);
    }

    // The operator at the cursor and the value after it.
    bool FieldValue(const std::string& field, const std::string& name, QueryTerm& term) {
        std::string op = tokens_[at_++].Text;
        const Token* next = Peek();
        std::string value;
        if (next && next->Type == Token::Operator)
            return Fail(QueryErrorKind::BadComparison, {op + next->Text, name + op + next->Text});
        if (next && next->Type == Token::Word) {
            value = next->Text;
            ++at_;
            if (!next->Quoted && !value.empty() && IsOperatorChar(value[0])) {
                const std::size_t end = value.find_first_not_of(kOperatorChars);
                return Fail(QueryErrorKind::BadComparison,
                            {op + value.substr(0, end), name + op + value});
            }
        }
        const std::string token = name + op + value;
        op = op == "=>" ? ">=" : op == "=<" ? "<=" : op == "==" ? "=" : op;
        error_ = detail::FieldTerm(field, op, value, token, term);
        return !Failed();
    }

    const std::string& text_;
    const std::vector<Token>& tokens_;
    Query& query_;
    std::size_t at_ = 0;
    int depth_ = 0;
    QueryError error_;
};

} // namespace

QueryParse ParseQuery(std::string_view text) {
    QueryParse result;
    const std::string normal = Normalised(text);
    std::vector<Token> tokens;
    QueryError error;
    if (Cut(normal, tokens, error)) error = Parser(normal, tokens, result.Value).Run();
    if (error.Kind != QueryErrorKind::None) {
        result.Kind = error.Kind;
        result.Args = std::move(error.Args);
        result.Error = QueryErrorMessage(result.Kind, result.Args);
        result.Value = {};
        return result;
    }
    result.Ok = true;
    return result;
}

} // namespace gonilux::library
