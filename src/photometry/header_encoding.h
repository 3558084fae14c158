// Which character encoding header text is in, and its text as UTF-8. The bytes of a file are
// never changed: this is only how they are shown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gonilux {

// The name that asks for the rule below instead of one encoding.
inline constexpr std::string_view kAutoEncoding = "auto";

// The encodings a user can choose, in the order they are offered (ICU's names).
const std::vector<std::string_view>& HeaderEncodingNames();

// True for "auto" and for the names above (compared without regard to case).
bool IsKnownHeaderEncoding(std::string_view name);

// The encoding of header text, decided in steps: UTF-8 when the bytes are valid UTF-8;
// windows-1251 for Cyrillic words; GB18030 when every non-ASCII byte pair lies in the GB2312
// area of common characters and the text does not read as Latin letters with a pair of accents
// (as German "Größe" does); Shift_JIS or Big5 when only that one decodes the words cleanly;
// else what ICU's detector names with confidence; else windows-1252.
std::string ChooseHeaderEncoding(std::string_view bytes);

// The encoding of an entry's header titles (test, manufacturer, luminaire, lamp and their
// numbers, decided together): `choice` itself unless it is "auto".
std::string TitlesEncoding(const std::vector<std::string>& titles, std::string_view choice);

// All title strings as UTF-8: the header's titles in `encoding`, the file names as they are.
std::vector<std::string> DecodeTitles(const std::vector<std::string>& titles,
                                      std::string_view encoding);

// The bytes as UTF-8 read in `encoding` ("auto" applies the rule above). Bytes the encoding
// does not define read as U+FFFD; an unknown encoding name reads as windows-1252.
std::string DecodeHeaderText(std::string_view bytes, std::string_view encoding);

} // namespace gonilux
