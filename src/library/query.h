// The library's query language, shared by the filter field and the command line:
//   words               every word in a title, the caption or the file name (any case)
//   field:text          manufacturer, luminaire, lamp, catalog, file, caption: the field
//                       contains text
//   type:a|b|c  format:ies|ldt  error:yes|no
//   road:i|ii|iii|iv|v|vs  cutoff:full|cutoff|semicutoff|noncutoff
//   bug:B1U0G1          a BUG rating of B1, U0 and G1 or better on each letter
//   number fields       lumens flux watts efficacy maxcd beam field lor b u g ugr sc l65, with
//                       <, <=, >, >=, =
//                       (=> and =< read as >= and <=), or a range a..b after ":" or "="
// A field may also be named as the details view's column shows it, in Chinese or English, without
// its unit ("光束角<30", "luminaire flux>=3000"); blanks around the operator do not matter. Terms
// next to each other must all match (AND may be written), OR between them lets either match, AND
// binding closer; parentheses group. "..." quotes text with blanks, parentheses or the words
// AND/OR.
#pragma once

#include "library_record.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gonilux::library {

enum class QueryOp { Contains, Less, LessEqual, Greater, GreaterEqual, Equal, Range };

struct QueryTerm {
    std::string Field; // "" for a plain word, else the field's name
    QueryOp Op = QueryOp::Contains;
    std::string Text; // lower case, for words, text and choice fields
    double Low = 0;   // numbers: the value, or the range's ends
    double High = 0;
};

enum class QueryJoin { And, Or };

// A node of the query's tree: a term, or its children joined by AND or OR.
struct QueryNode {
    QueryJoin Join = QueryJoin::And;
    int Term = -1; // >= 0: a leaf, the index of its term in Query::Terms
    std::vector<QueryNode> Children;
};

struct Query {
    std::vector<QueryTerm> Terms; // every term in the order written; none: everything matches
    QueryNode Root;               // how they combine (all of them when it has no children)
};

// What is wrong with a query; the message's parts are in QueryParse::Args, in the order of the
// English text each kind's comment shows.
enum class QueryErrorKind {
    None,
    UnknownField,        // unknown field "NAME" in TOKEN; the fields are LIST
    NeedsNumber,         // FIELD needs a number: TOKEN
    RangeNumbers,        // FIELD needs two numbers for a range: TOKEN
    RangeOrder,          // FIELD range must go from low to high: FIXED
    TakesColon,          // FIELD takes ":": FIXED
    NeedsText,           // FIELD needs a text: EXAMPLE
    TakesChoice,         // FIELD takes one of CHOICES: TOKEN
    BadComparison,       // "OP" is no comparison; use <, <=, >, >=, = or ":": TOKEN
    MissingField,        // "OP" needs a field name before it, as in flux>=3000
    UnclosedQuote,       // the quote is not closed: add " after TEXT
    EmptyParentheses,    // empty parentheses "()": put a term between them or leave them out
    UnclosedParenthesis, // "(" is not closed: add ")" after TEXT
    UnopenedParenthesis, // ")" has no "(" before it: TEXT
    DanglingJoin,        // "WORD" needs a term on each side, as in a WORD b
    TooDeep,             // more than COUNT parentheses inside each other
    BugRating,           // FIELD takes a rating such as B1U0G1 (each letter 0 to 5): TOKEN
};

struct QueryParse {
    bool Ok = false;
    std::string Error; // in English, names the place and the fix: "flux needs a number: flux>=abc"
    QueryErrorKind Kind = QueryErrorKind::None;
    std::vector<std::string> Args; // the parts of the message
    Query Value;
};

QueryParse ParseQuery(std::string_view text);

// The English message of an error kind with its parts.
std::string QueryErrorMessage(QueryErrorKind kind, const std::vector<std::string>& args);

// The names of the fields, in the order they are listed in messages.
const std::vector<std::string_view>& QueryFieldNames();

// The field a name stands for: its own name or a column's shown name in either language, in any
// case, blanks, dots and underscores aside ("Max. intensity", "最大光强"); nullopt when none.
std::optional<std::string> QueryFieldOfName(std::string_view name);

// True when `record` (shown with `caption`) satisfies the query.
bool Matches(const Query& query, const LibraryRecord& record, std::string_view caption = {});

// The record's value of a number field (lumens, flux, ...); NaN for other names.
double NumberField(const LibraryRecord& record, std::string_view field);

bool IsNumberField(std::string_view field);

// The order of found files: a field ("flux", "manufacturer", "path", "size", or any name
// QueryFieldOfName takes), "-" before it for descending. Empty values go last either way.
struct QuerySort {
    std::string Field = "path";
    bool Descending = false;
};
std::optional<QuerySort> ParseSort(std::string_view text);
// The fields ParseSort takes by their own names, for messages.
std::string SortFieldList();

// Case-folded UTF-8 (simple folding, every script: "ÇLAIR" gives "çlair"); bytes that are not
// UTF-8 stay as they are.
std::string Lower(std::string_view text);

} // namespace gonilux::library
