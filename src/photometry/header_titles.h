// Header keywords, title strings and the info text of an IES file.
#pragma once

#include "ies_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace gonilux {

// The author's surname; a [CHANGED] value containing it marks a file this program wrote.
inline constexpr std::string_view kAuthorSurname = "Kestrin";

// Value of the first occurrence of `keyword` in the header text (case-sensitive): the rest of
// its line, cut before `terminator` when that is not empty, blanks and control characters
// trimmed. Empty when the keyword does not occur.
std::string KeywordValue(std::string_view keyword, std::string_view headerText,
                         std::string_view terminator);

// Rebuilds entry.Lines (8 title strings), entry.ChangedByAuthor and entry.Distribution from the
// header text.
// fullPath may contain folders; only its file name is stored.
void ExtractTitles(TiesData& entry, std::string_view fullPath, std::string_view headerText);

// True when the header's [CHANGED] value names the author.
bool HeaderChangedByAuthor(std::string_view headerText);

// The info text: one "label value" line (CR LF separated, no final break) for each non-empty
// title of index 2, 3, 5, 4, 7, 6. Chinese labels for the screen, bracket keywords for files.
std::string BuildInfoText(const std::vector<std::string>& lines, bool chineseLabels);

// The preview's info label: "文件名:" three blanks, the file name, CR, then the Chinese info text.
std::string BuildPreviewInfo(const std::vector<std::string>& lines);

// The file name part of a path ('/' and '\\' both separate folders).
std::string FileNameOf(std::string_view path);

} // namespace gonilux
