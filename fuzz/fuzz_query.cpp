// libFuzzer entry point for the query language: whatever a user types must either read as a
// query whose tree points only at its own terms, or give a message of a known kind that its
// parts make again; a query read is matched against two records (one with every value, one with
// none), and the text is tried as a sort field too. Any broken invariant aborts.
#include "library/query.h"
#include "record_checks.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace gonilux;
using namespace gonilux::library;
using fuzz::Require;

int CheckNode(const Query& query, const QueryNode& node, int depth) {
    Require(depth < 200, "the tree is not deeper than the parentheses allow");
    if (node.Term >= 0) {
        Require(static_cast<std::size_t>(node.Term) < query.Terms.size(), "leaf names a term");
        Require(node.Children.empty(), "a leaf has no children");
        return 1;
    }
    int leaves = 0;
    for (const QueryNode& child : node.Children)
        leaves += CheckNode(query, child, depth + 1);
    return leaves;
}

void CheckTerm(const QueryTerm& term) {
    if (!IsNumberField(term.Field)) return;
    Require(std::isfinite(term.Low) && std::isfinite(term.High), "numbers are finite");
    Require(term.Op != QueryOp::Range || term.Low <= term.High, "ranges go from low to high");
}

LibraryRecord FullRecord() {
    LibraryRecord r;
    r.Path = "/lib/Wall_Washer AND or.ies";
    r.Type = 2;
    r.Titles = {"T-1", "ACME and Sons", "Wall washer", "WW-1", "LED 40 W", "L-1"};
    r.Lumens = 4000;
    r.Flux = 3000;
    r.Watts = 40;
    r.Efficacy = 75;
    r.MaxCd = 900;
    r.Beam = 40;
    r.Field = 80;
    r.Lor = 75;
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const QueryParse parsed = ParseQuery(text);
    if (!parsed.Ok) {
        Require(parsed.Kind != QueryErrorKind::None, "a mistake has a kind");
        Require(!parsed.Error.empty(), "a mistake has a message");
        Require(parsed.Error == QueryErrorMessage(parsed.Kind, parsed.Args),
                "the message is made of its kind and parts");
        Require(parsed.Value.Terms.empty(), "a mistake leaves no terms");
    } else {
        Require(parsed.Error.empty() && parsed.Kind == QueryErrorKind::None, "no message");
        const int leaves = CheckNode(parsed.Value, parsed.Value.Root, 0);
        Require(static_cast<std::size_t>(leaves) == parsed.Value.Terms.size(),
                "every term is a leaf once");
        for (const QueryTerm& term : parsed.Value.Terms)
            CheckTerm(term);
        static const LibraryRecord full = FullRecord();
        (void)Matches(parsed.Value, full, "Caption");
        Require(Matches(parsed.Value, LibraryRecord{}) || !parsed.Value.Terms.empty(),
                "an empty query matches everything");
        const QueryParse again = ParseQuery(text);
        Require(again.Value.Terms.size() == parsed.Value.Terms.size(), "reading is repeatable");
    }
    if (const std::optional<QuerySort> sort = ParseSort(text))
        Require(!sort->Field.empty(), "a sort names a field");
    return 0;
}
