// Inside the query language: the reading of one field term, shared by the parser and the
// matching. Not for use outside src/library.
#pragma once

#include "query.h"

#include <string>
#include <string_view>
#include <vector>

namespace gonilux::library::detail {

struct QueryError {
    QueryErrorKind Kind = QueryErrorKind::None;
    std::vector<std::string> Args;
};

// Reads the term `field` `op` `value` (`op` one of < <= > >= = :, `token` the term as written,
// for messages) into `term`; returns the mistake, Kind None when it is sound.
QueryError FieldTerm(const std::string& field, std::string_view op, std::string_view value,
                     std::string_view token, QueryTerm& term);

// "manufacturer, luminaire, ...".
std::string KnownFields();

} // namespace gonilux::library::detail
