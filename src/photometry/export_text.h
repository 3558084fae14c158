// Writing a type B record as type C, or a record whose planes start at 90 rotated to 0.
#pragma once

#include "ies_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace gonilux {

enum class ExportKind { None, Conversion, Rotation, Resampled };

// Conversion for type B, rotation for any other record whose first horizontal angle is 90.
ExportKind ExportKindOf(const tIES& ies);

// "_C", "_R" or "_Cr".
std::string_view ExportSuffix(ExportKind kind);

// The [CHANGED] line written for each kind.
std::string ChangedLine(ExportKind kind);

// folder + separator + file name without its extension + suffix + extension (".ies" for an
// EULUMDAT source, since the text written is IES).
// `folder` may be empty (the name is then relative); a trailing separator is not doubled.
std::string ExportFileName(std::string_view folder, std::string_view fileName, ExportKind kind);

struct ExportText {
    bool Ok = false; // false: "Unexpected error.", nothing to write
    ExportKind Kind = ExportKind::None;
    std::vector<std::string> Lines; // without line breaks
    std::string Text() const;       // the lines, each followed by CR LF
};

// Builds the file for `ies` with the entry's title strings (8 strings, fewer are treated as
// empty). `keywords` are the source file's keyword lines (HeaderKeywordLines): the [MORE] lines
// of a title's keyword follow the title, every other one follows the [CHANGED] line, in order.
ExportText BuildExportText(const tIES& ies, const std::vector<std::string>& titles,
                           const std::vector<std::string>& keywords = {});

// A type A or B record re-sampled onto a regular type C grid (ResampleToTypeC), which keeps its
// luminous flux, with the header as BuildExportText writes it. Not Ok for other records.
ExportText BuildResampledText(const tIES& ies, const std::vector<std::string>& titles,
                              const std::vector<std::string>& keywords = {});

// The keyword lines ("[...] ...") of an IES file's header, up to its TILT= line, in order.
std::vector<std::string> HeaderKeywordLines(std::string_view fileText);

// Number text of written files: at most 15 significant digits, the shortest that reads back to
// the same double where one exists, "." always, no exponent between 1e-5 and 1e15.
std::string FormatIesNumber(double value);

// Cuts a numeric line into pieces of at most 60 characters, each break after a blank.
std::vector<std::string> WrapNumericLine(std::string_view line);

} // namespace gonilux
