// Fast scanning of the separated decimal numbers of an IES numeric block.
#pragma once

#include <cstddef>
#include <string_view>

namespace gonilux::detail {

// Blank, tab, CR, LF, comma and Ctrl-Z separate numbers.
struct SeparatorTable {
    bool Is[256] = {};
    constexpr SeparatorTable() {
        for (unsigned char c : {' ', '\t', '\r', '\n', ',', '\x1A'})
            Is[c] = true;
    }
};
inline constexpr SeparatorTable kSeparators{};

inline bool IsSeparator(unsigned char c) {
    return kSeparators.Is[c];
}

// Walks the tokens of a text. Reading past the end yields empty, invalid tokens.
class TokenCursor {
  public:
    explicit TokenCursor(std::string_view text) : text_(text) {}

    // Next token's value; sets `error` on an empty or malformed token (value 0).
    double Next(bool& error);
    // Reads `count` values into `out`, each divided by `divisor` (when it is not 1); once the
    // text is used up the rest are 0. Malformed values read as 0 without an error. Returns how
    // many values the text held.
    std::size_t ReadValues(double* out, std::size_t count, double divisor);
    // Skips one token without converting it; false when the text is exhausted.
    bool Skip();
    // Offset of the start of the token most recently read (text size when exhausted).
    std::size_t LastTokenOffset() const { return lastStart_; }
    // True once only separators are left.
    bool Exhausted() const { return pos_ >= text_.size(); }
    void SeekTo(std::size_t offset) { pos_ = offset < text_.size() ? offset : text_.size(); }

  private:
    void SkipSeparators();
    bool TryFastNumber(double& value);
    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t lastStart_ = 0;
};

} // namespace gonilux::detail
