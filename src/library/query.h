// The library's query language, shared by the filter field and the command line:
//   words               every word in a title, the caption or the file name (any case)
//   field:text          manufacturer, luminaire, lamp, catalog, file: the field contains text
//   type:a|b|c  format:ies|ldt  error:yes|no
//   number fields       lumens flux watts efficacy maxcd beam field lor, with <, <=, >, >=, =
//                       or a range a..b after ":" or "="
// Terms are ANDed; "..." quotes text with blanks.
#pragma once

#include "library_record.h"

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

struct Query {
    std::vector<QueryTerm> Terms; // empty: everything matches
};

struct QueryParse {
    bool Ok = false;
    std::string Error; // names the place and the fix: "flux needs a number: flux>=abc"
    Query Value;
};

QueryParse ParseQuery(std::string_view text);

// The names of the fields, in the order they are listed in messages.
const std::vector<std::string_view>& QueryFieldNames();

// True when `record` (shown with `caption`) satisfies every term.
bool Matches(const Query& query, const LibraryRecord& record, std::string_view caption = {});

// The record's value of a number field (lumens, flux, ...); NaN for other names.
double NumberField(const LibraryRecord& record, std::string_view field);

bool IsNumberField(std::string_view field);

// Case-folded UTF-8 (simple folding, every script: "ÇLAIR" gives "çlair"); bytes that are not
// UTF-8 stay as they are.
std::string Lower(std::string_view text);

} // namespace gonilux::library
