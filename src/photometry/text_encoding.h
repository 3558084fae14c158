// Byte-string helpers for presenting header text: UTF-8 validity and Latin-1 decoding.
#pragma once

#include <string>
#include <string_view>

namespace gonilux {

bool IsValidUtf8(std::string_view bytes);

// The bytes themselves when they are valid UTF-8, otherwise each byte read as ISO-8859-1.
std::string ToUtf8Lenient(std::string_view bytes);

// The bytes themselves when they are valid UTF-8, otherwise each byte read as Windows-1252 (the
// 8-bit code page of most old header text; bytes it leaves undefined read as ISO-8859-1).
std::string ToUtf8Windows1252(std::string_view bytes);

// Each byte read as Windows-1252, whatever the bytes are.
std::string Windows1252ToUtf8(std::string_view bytes);

// A JSON string literal (with quotes) of UTF-8 text.
std::string JsonQuote(std::string_view utf8);

} // namespace gonilux
