#include "ldt_reader.h"

#include "header_titles.h"
#include "ies_reader.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace gonilux {
namespace {

constexpr int kMaxCount = 65535; // plane and angle counts are 16-bit in the record

// The line of the first header field of each kind (1-based, as the file counts them).
enum LdtLine : int {
    LineMc = 4,          // number of C-planes
    LineConversion = 24, // conversion factor for the intensities
};

bool IsValueSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\x1A';
}

std::string_view TrimField(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

// A number as EULUMDAT writers put it: a decimal point or a single decimal comma.
bool ConvertLdtNumber(std::string_view token, double& value) {
    std::size_t comma = token.find(',');
    if (comma == std::string_view::npos || token.find('.') != std::string_view::npos ||
        token.find(',', comma + 1) != std::string_view::npos)
        return ConvertToken(token, value);
    std::string copy(token);
    copy[comma] = '.';
    return ConvertToken(copy, value);
}

// Walks the file line by line, one field a line, first through the header, then through the
// value lists. Remembers the first malformed or missing field.
class LdtCursor {
  public:
    explicit LdtCursor(std::string_view text)
        : text_(text), lastLine_(std::max(1, CountLines(text))) {}

    bool HasLines() const { return pos_ < text_.size(); }
    // At most this many values can still follow: each takes at least its line break.
    std::uint64_t MostValuesLeft() const { return text_.size() - pos_ + 1; }

    // The next line, trimmed; a missing line marks the error.
    std::string_view Text() {
        if (!HasLines()) {
            MarkMissing();
            return {};
        }
        std::size_t end = pos_;
        while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n')
            ++end;
        std::string_view line = text_.substr(pos_, end - pos_);
        lineOfText_ = line_;
        pos_ = end;
        SkipBreak();
        return TrimField(line);
    }

    // The next line as one number; an empty line is an empty field and reads as 0.
    double Number() {
        std::string_view field = Text();
        double value = 0;
        if (!field.empty() && !ConvertLdtNumber(field, value)) Mark(lineOfText_);
        return value;
    }

    // The next line as a whole number from `low` to `high`; anything else gives `fallback`.
    int Integer(int low, int high, int fallback) {
        double value = Number();
        if (value >= low && value <= high && value == std::floor(value))
            return static_cast<int>(value);
        Mark(lineOfText_);
        return fallback;
    }

    int LineOfText() const { return lineOfText_; }

    // The next value of the lists. Every field is a line; an empty line is an empty field and
    // reads as 0, so that no later field moves. A line holding several blank-separated values
    // gives them in turn.
    double Value() {
        if (!inLine_) {
            if (pos_ >= text_.size()) {
                MarkMissing();
                return 0;
            }
            inLine_ = true;
            SkipBlanks();
            if (AtLineEnd()) {
                EndLine();
                return 0;
            }
        }
        std::size_t end = pos_;
        while (end < text_.size() && !IsValueSeparator(text_[end]) && !IsBreak(text_[end]))
            ++end;
        double value = 0;
        if (!ConvertLdtNumber(text_.substr(pos_, end - pos_), value)) Mark(line_);
        pos_ = end;
        SkipBlanks();
        if (AtLineEnd()) EndLine();
        return value;
    }

    // Fills `out` (already sized, zeros) until the text runs out, and counts the values asked
    // for and found (a file that ends early is told by them).
    void Values(double* out, std::size_t count) {
        valuesExpected_ += count;
        for (std::size_t i = 0; i < count; ++i) {
            if (!inLine_ && pos_ >= text_.size()) return;
            out[i] = Value();
            ++valuesRead_;
        }
    }
    std::uint64_t ValuesExpected() const { return valuesExpected_; }
    std::uint64_t ValuesRead() const { return valuesRead_; }

    void Mark(int line) {
        if (error_) return;
        error_ = true;
        errorLine_ = line;
    }
    void MarkMissing() { Mark(lastLine_); }
    bool Error() const { return error_; }
    int ErrorLine() const { return errorLine_; }

  private:
    void SkipBreak() {
        if (pos_ >= text_.size()) return;
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        ++line_;
    }
    static bool IsBreak(char c) { return c == '\r' || c == '\n'; }
    bool AtLineEnd() const { return pos_ >= text_.size() || IsBreak(text_[pos_]); }
    void SkipBlanks() {
        while (pos_ < text_.size() && IsValueSeparator(text_[pos_]))
            ++pos_;
    }
    void EndLine() {
        SkipBreak();
        inLine_ = false;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;       // line of the text at pos_
    int lineOfText_ = 0; // line of the field Text() read last
    int lastLine_;
    bool inLine_ = false; // Value() is part way through a line
    std::uint64_t valuesExpected_ = 0;
    std::uint64_t valuesRead_ = 0;
    bool error_ = false;
    int errorLine_ = 0;
};

struct LampSet {
    double Lamps = 0;
    std::string Type;
    double Flux = 0;
    double Watts = 0;
    int FluxLine = 0;
};

struct LdtHeader {
    std::string Company, Report, Name, Number;
    int Isym = 0, Mc = 0, Ng = 0;
    double AreaLength = 0, AreaWidth = 0, AreaHeight = 0; // millimetres
    double Conversion = 1;
    LampSet First;
};

// Text fields: blanks and control characters trimmed, one pair of enclosing quotes removed.
std::string TextField(std::string_view field) {
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = TrimField(field.substr(1, field.size() - 2));
    return std::string(field);
}

// Lines 13 to 21: luminaire size (not kept), luminous area size and its four heights.
void ReadGeometry(LdtCursor& in, LdtHeader& h) {
    for (int i = 0; i < 3; ++i)
        in.Number();
    h.AreaLength = std::fabs(in.Number());
    h.AreaWidth = std::fabs(in.Number());
    for (int i = 0; i < 4; ++i)
        h.AreaHeight = std::max(h.AreaHeight, std::fabs(in.Number()));
}

LampSet ReadLampSet(LdtCursor& in) {
    LampSet set;
    set.Lamps = in.Number();
    if (std::fabs(set.Lamps) > kMaxCount) in.Mark(in.LineOfText());
    set.Type = TextField(in.Text());
    set.Flux = in.Number();
    set.FluxLine = in.LineOfText();
    in.Text(); // colour temperature
    in.Text(); // colour rendering
    set.Watts = in.Number();
    return set;
}

// Planes stored in the file for the symmetry indicator.
int StoredPlanes(int isym, int mc) {
    switch (isym) {
    case 1:
        return 1;
    case 2:
    case 3:
        return mc / 2 + 1;
    case 4:
        return mc / 4 + 1;
    default:
        return mc;
    }
}

void ReadHeader(LdtCursor& in, LdtHeader& h) {
    h.Company = TextField(in.Text());
    in.Number(); // type indicator
    h.Isym = in.Integer(0, 4, 0);
    h.Mc = in.Integer(1, kMaxCount, 0);
    in.Number(); // distance between C-planes
    h.Ng = in.Integer(1, kMaxCount, 0);
    if (std::uint64_t(StoredPlanes(h.Isym, h.Mc)) * std::uint64_t(h.Ng) > kMaxCandelaValues) {
        in.Mark(LineMc); // damaged like an IES header with too many values: no table
        h.Mc = 0;
        h.Ng = 0;
    }
    in.Number(); // distance between intensities
    h.Report = TextField(in.Text());
    h.Name = TextField(in.Text());
    h.Number = TextField(in.Text());
    in.Text(); // file name
    in.Text(); // date, user
    ReadGeometry(in, h);
    in.Number(); // downward flux fraction
    in.Number(); // light output ratio
    h.Conversion = in.Number();
    in.Number(); // tilt during measurement
    const int sets = in.Integer(0, 1 << 30, 0);
    for (int s = 0; s < sets; ++s) {
        if (!in.HasLines()) {
            in.MarkMissing();
            break;
        }
        LampSet set = ReadLampSet(in);
        if (s == 0) h.First = std::move(set);
    }
}

// The horizontal angles of the stored planes. Symmetry 3 stores C270 ... C0 ... C90; the record
// keeps the same half as the mirror image 90 ... 180 ... 270, whose rows are the stored rows in
// reverse order.
tArrEx PlaneAngles(const LdtHeader& h, const tArrEx& cAngles, int planes) {
    tArrEx angles(static_cast<std::size_t>(planes), 0.0);
    if (h.Isym == 1) return angles;
    const int back = h.Isym == 3 ? planes - (h.Mc / 4 + 1) : 0;
    for (int j = 0; j < planes; ++j) {
        const int index = j < back ? h.Mc - back + j : j - back;
        double angle = cAngles[static_cast<std::size_t>(index)];
        if (h.Isym == 3) {
            angle = 180 - angle;
            if (angle < 0) angle += 360;
            angles[static_cast<std::size_t>(planes - 1 - j)] = angle;
        } else {
            angles[static_cast<std::size_t>(j)] = angle;
        }
    }
    return angles;
}

// A file that ends before its value lists could is damaged beyond use: no table is allocated
// for it, so memory stays proportional to the file.
void ReadTable(LdtCursor& in, const LdtHeader& h, tIES& ies) {
    if (h.Mc == 0 || h.Ng == 0) return;
    const int planes = StoredPlanes(h.Isym, h.Mc);
    const std::uint64_t values = 10 + std::uint64_t(h.Mc) + std::uint64_t(h.Ng) * (planes + 1);
    if (values > in.MostValuesLeft()) {
        in.MarkMissing();
        return;
    }
    tArrEx ratios(10, 0.0);
    in.Values(ratios.data(), ratios.size());
    tArrEx cAngles(static_cast<std::size_t>(h.Mc), 0.0);
    in.Values(cAngles.data(), cAngles.size());
    ies.VertAngles.assign(static_cast<std::size_t>(h.Ng), 0.0);
    in.Values(ies.VertAngles.data(), ies.VertAngles.size());
    ies.Candela.assign(static_cast<std::size_t>(planes), tArrEx(ies.VertAngles.size(), 0.0));
    for (tArrEx& row : ies.Candela)
        in.Values(row.data(), row.size());
    if (h.Isym == 3) std::reverse(ies.Candela.begin(), ies.Candela.end());
    ies.HorzAngles = PlaneAngles(h, cAngles, planes);
    ies.VertCount = static_cast<std::uint16_t>(h.Ng);
    ies.HorzCount = static_cast<std::uint16_t>(planes);
}

// Luminous area in metres with the record's sign convention: a round area (width 0) is a
// negative width and no length.
void SetOpening(const LdtHeader& h, tIES& ies) {
    const bool round = h.AreaWidth == 0 && h.AreaLength != 0;
    ies.Width = round ? -h.AreaLength / 1000 : h.AreaWidth / 1000;
    ies.Length = round ? 0 : h.AreaLength / 1000;
    ies.Height = h.AreaHeight / 1000;
}

// Lamp figures of the first set. The file's values are cd/klm of the set's total flux. A
// negative lamp count marks absolute photometry, written as the planning programs' makers agreed
// in 2009: the lamp line carries the luminaire's own measured flux and the values stay cd/klm of
// it, so candela = value x flux / 1000 x conversion factor as for relative files; the record is
// absolute (no rated lamp flux, no light output ratio).
void SetLamps(LdtCursor& in, const LdtHeader& h, tIES& ies) {
    const LampSet& set = h.First;
    const bool absolute = set.Lamps < 0;
    ies.LampCount = RoundTo16(std::fabs(set.Lamps));
    ies.ExactInputWatts = set.Watts;
    ies.InputWatts = RoundTo16(set.Watts);
    const double conversion = h.Conversion != 0 ? h.Conversion : 1;
    const double perKilolumen = set.Flux <= 0 ? 1 : set.Flux / 1000;
    ies.LumensPerLamp = absolute ? -1 : set.Flux / std::max<double>(1, ies.LampCount);
    ies.Multiplier = perKilolumen * conversion;
    if (!std::isfinite(ies.Multiplier)) {
        in.Mark(LineConversion);
        ies.Multiplier = perKilolumen;
    }
}

// A multiplier of exactly 1 beside lamp lumens other than 1000 is what the IES reader takes for
// absolute values to normalise. The same normalisation here keeps every record one an IES file
// can hold, so that writing it as IES and reading that back gives the same record.
void NormaliseLikeIes(LdtCursor& in, const LdtHeader& h, tIES& ies) {
    if (!(ies.LumensPerLamp > 0 && ies.LumensPerLamp != 1000 && ies.Multiplier == 1)) return;
    const double factor = ies.LumensPerLamp / 1000;
    ies.Multiplier = factor;
    for (tArrEx& row : ies.Candela) {
        for (double& value : row) {
            value /= factor;
            if (std::isfinite(value)) continue;
            value = 0;
            in.Mark(h.First.FluxLine);
        }
    }
}

std::vector<std::string> LdtTitles(const LdtHeader& h, std::string_view fullPath) {
    std::vector<std::string> titles(TitleCount);
    titles[TitleFileName] = FileNameOf(fullPath);
    titles[TitleTest] = h.Report;
    titles[TitleManufacturer] = h.Company;
    titles[TitleLuminaire] = h.Name;
    titles[TitleLuminaireCatalog] = h.Number;
    titles[TitleLamp] = h.First.Type;
    return titles;
}

} // namespace

bool IsLdtFileName(std::string_view path) {
    if (path.size() < 4) return false;
    std::string_view ext = path.substr(path.size() - 4);
    return ext[0] == '.' && (ext[1] | 0x20) == 'l' && (ext[2] | 0x20) == 'd' &&
           (ext[3] | 0x20) == 't';
}

LdtParseResult ParseLdt(std::string_view fileText, std::string_view fullPath, tIES& ies) {
    ResetIes(ies);
    if (fileText.substr(0, 3) == "\xEF\xBB\xBF") fileText.remove_prefix(3);
    LdtCursor in(fileText);
    LdtHeader header;
    ReadHeader(in, header);
    ies.PhotometricType = 1;
    ies.UnitsType = 2;
    ReadTable(in, header, ies);
    SetOpening(header, ies);
    SetLamps(in, header, ies);
    NormaliseLikeIes(in, header, ies);
    LdtParseResult result;
    result.Diagnostics.HeaderError = in.Error();
    result.Diagnostics.HeaderErrorLine = in.ErrorLine();
    result.Diagnostics.ValuesExpected = in.ValuesExpected();
    result.Diagnostics.ValuesRead = in.ValuesRead();
    result.Titles = LdtTitles(header, fullPath);
    return result;
}

} // namespace gonilux
