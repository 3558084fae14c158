#include "ies_reader.h"

#include "number_scan.h"

#include <cmath>
#include <cstdint>

namespace gonilux {
namespace {

using detail::TokenCursor;

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// Length of the line break at text[pos] (0 when there is none).
std::size_t BreakLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return 0;
    if (text[pos] == '\r') return (pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
    return text[pos] == '\n' ? 1 : 0;
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

bool IsTiltLine(std::string_view line) {
    std::size_t eq = line.find('=');
    return eq != std::string_view::npos && EqualsNoCase(line.substr(0, eq), "tilt");
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

enum class TiltKind { None, Inline, OtherFile };

// The tilt value of the line that ended the header. "NONE" in any case means no tilt data;
// "INCLUDE" means the data follows inline; anything else names a separate tilt file.
TiltKind TiltKindOf(std::string_view tiltLine) {
    std::string_view value = TrimBlanks(tiltLine.substr(tiltLine.find('=') + 1));
    if (value.size() >= 4 && EqualsNoCase(value.substr(0, 4), "none")) return TiltKind::None;
    if (value.size() >= 7 && EqualsNoCase(value.substr(0, 7), "include")) return TiltKind::Inline;
    return TiltKind::OtherFile;
}

struct HeaderSplit {
    bool Found = false;
    std::size_t NumericStart = 0; // offset of the first byte after the tilt line's break
    std::string_view TiltLine;
};

HeaderSplit FindHeader(std::string_view text, std::string* headerText) {
    HeaderSplit split;
    std::size_t pos = 0;
    std::string collected;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && !IsLineBreak(text[end]))
            ++end;
        std::string_view line = text.substr(pos, end - pos);
        if (headerText) {
            collected.append(line);
            collected.append("\r\n");
        }
        std::size_t next = end + BreakLength(text, end);
        if (IsTiltLine(line)) {
            split.Found = true;
            split.NumericStart = next;
            split.TiltLine = line;
            if (headerText) *headerText = std::move(collected);
            return split;
        }
        pos = next;
    }
    return split;
}

std::int64_t RoundHalfEven(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 9223372036854775808.0) return 0;
    double floor = std::floor(value);
    double diff = value - floor;
    auto result = static_cast<std::int64_t>(floor);
    if (diff > 0.5 || (diff == 0.5 && (result % 2 != 0))) ++result;
    return result;
}

void SkipInlineTilt(TokenCursor& cursor) {
    bool ignored = false;
    cursor.Next(ignored); // lamp-to-luminaire geometry
    std::int64_t pairs = RoundHalfEven(cursor.Next(ignored));
    for (std::int64_t i = 0; i < 2 * pairs && pairs < (std::int64_t{1} << 40); ++i)
        if (!cursor.Skip()) break;
}

int LineOfOffset(std::string_view text, std::size_t offset) {
    int line = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n')
            ++line;
        else if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))
            ++line;
    }
    return line;
}

// Reads one header number and remembers where the first bad one stood.
class HeaderReader {
  public:
    HeaderReader(TokenCursor& cursor, std::string_view text) : cursor_(cursor), text_(text) {}
    double Next() {
        bool bad = false;
        double value = cursor_.Next(bad);
        if (bad) MarkError(cursor_.LastTokenOffset());
        return value;
    }
    void MarkError(std::size_t offset) {
        if (error_) return;
        error_ = true;
        line_ = offset >= text_.size() ? CountLines(text_) : LineOfOffset(text_, offset);
    }
    bool Error() const { return error_; }
    int Line() const { return line_; }

  private:
    TokenCursor& cursor_;
    std::string_view text_;
    bool error_ = false;
    int line_ = 0;
};

// Reads `count` values; once the text is used up the rest stay 0. Counts what was there.
void ReadArray(TokenCursor& cursor, tArrEx& out, std::size_t count, double divisor,
               ReadDiagnostics& d) {
    out.resize(count);
    d.ValuesExpected += count;
    d.ValuesRead += cursor.ReadValues(out.data(), count, divisor);
}

} // namespace

std::uint16_t RoundTo16(double value) {
    return static_cast<std::uint16_t>(static_cast<std::uint64_t>(RoundHalfEven(value)) & 0xFFFF);
}

ParseResult ParseIes(std::string_view text, tIES& ies) {
    ResetIes(ies);
    ParseResult result;
    HeaderSplit split = FindHeader(text, &result.HeaderText);
    // The cursor walks the whole text from the numeric block on, so offsets are file offsets.
    TokenCursor cursor(text);
    cursor.SeekTo(split.Found ? split.NumericStart : 0);
    if (!split.Found || TiltKindOf(split.TiltLine) == TiltKind::Inline) SkipInlineTilt(cursor);

    HeaderReader header(cursor, text);
    ies.LampCount = RoundTo16(header.Next());
    ies.LumensPerLamp = header.Next();
    ies.Multiplier = header.Next();
    double factor = 1.0;
    if (ies.LumensPerLamp > 0 && ies.LumensPerLamp != 1000 && ies.Multiplier == 1) {
        factor = ies.LumensPerLamp / 1000;
        ies.Multiplier = factor;
    }
    std::uint16_t vertCount = RoundTo16(header.Next());
    std::uint16_t horzCount = RoundTo16(header.Next());
    std::size_t horzOffset = cursor.LastTokenOffset();
    ies.PhotometricType = RoundTo16(header.Next());
    ies.UnitsType = RoundTo16(header.Next());
    ies.Width = header.Next();
    ies.Length = header.Next();
    ies.Height = header.Next();
    header.Next(); // ballast factor
    header.Next(); // future use / ballast-lamp factor
    ies.ExactInputWatts = header.Next();
    ies.InputWatts = RoundTo16(ies.ExactInputWatts);

    if (std::uint64_t{vertCount} * horzCount > kMaxCandelaValues) {
        header.MarkError(horzOffset);
        vertCount = 0;
        horzCount = 0;
    }
    result.Diagnostics.HeaderError = header.Error();
    result.Diagnostics.HeaderErrorLine = header.Line();

    ies.VertCount = vertCount;
    ies.HorzCount = horzCount;
    ReadDiagnostics& d = result.Diagnostics;
    ReadArray(cursor, ies.VertAngles, vertCount, 1.0, d);
    ReadArray(cursor, ies.HorzAngles, horzCount, 1.0, d);
    ies.Candela.resize(horzCount);
    for (tArrEx& row : ies.Candela)
        ReadArray(cursor, row, vertCount, factor, d);
    return result;
}

int CountLines(std::string_view text) {
    int count = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && !IsLineBreak(text[end]))
            ++end;
        ++count;
        pos = end + BreakLength(text, end);
    }
    return count;
}

} // namespace gonilux
