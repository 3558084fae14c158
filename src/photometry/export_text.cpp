#include "export_text.h"

#include "header_titles.h"
#include "ies_writer.h"
#include "ldt_reader.h"
#include "plane_pairs.h"
#include "product_name.h"
#include "resample.h"

#include <cctype>

namespace gonilux {
namespace {

using Index = std::size_t;

// Collects the lines of one output file; every numeric line is wrapped.
class LineSink {
  public:
    void Text(std::string line) { lines_.push_back(std::move(line)); }
    void Numeric(std::string_view line) {
        for (std::string& piece : WrapNumericLine(line))
            lines_.push_back(std::move(piece));
    }
    template <typename Values> void List(const Values& values) {
        std::string line;
        for (double v : values)
            line += FormatIesNumber(v) + " ";
        Numeric(line);
    }
    std::vector<std::string> Take() { return std::move(lines_); }

  private:
    std::vector<std::string> lines_;
};

std::string Join(std::initializer_list<double> values) {
    std::string out;
    for (double v : values) {
        if (!out.empty()) out += ' ';
        out += FormatIesNumber(v);
    }
    return out;
}

int FindIndex(const tArrEx& values, double wanted) {
    for (Index i = 0; i < values.size(); ++i)
        if (values[i] == wanted) return static_cast<int>(i);
    return -1;
}

tArrEx Slice(const tArrEx& row, Index from, Index to) { // [from, to)
    return tArrEx(row.begin() + static_cast<std::ptrdiff_t>(from),
                  row.begin() + static_cast<std::ptrdiff_t>(to));
}

tArrEx Backwards(const tArrEx& row, Index from) { // row[from], row[from-1], ..., row[0]
    tArrEx out;
    for (Index i = from + 1; i-- > 0;)
        out.push_back(row[i]);
    return out;
}

tArrEx Column(const tArrEx2& table, Index from, Index to, Index column) {
    tArrEx out;
    for (Index h = from; h < to; ++h)
        out.push_back(table[h][column]);
    return out;
}

bool TableIsWhole(const tIES& ies) {
    if (ies.Candela.size() != ies.HorzAngles.size()) return false;
    for (const tArrEx& row : ies.Candela)
        if (row.size() != ies.VertAngles.size()) return false;
    return true;
}

std::string UnitsAndSize(const tIES& ies) {
    return Join({double(ies.UnitsType), ies.Width, ies.Length, ies.Height});
}

std::string CountStart(const tIES& ies) {
    return Join({double(ies.LampCount), ies.LumensPerLamp, ies.Multiplier}) + " ";
}

// The type B record's beam plane and vertical line become C-planes.
bool WriteConversion(const tIES& ies, LineSink& out, std::string& countLine) {
    const tArrEx& v = ies.VertAngles;
    const tArrEx& h = ies.HorzAngles;
    const tArrEx2& t = ies.Candela;
    if (v.empty() || h.empty()) return false;
    const Index nV = v.size(), nH = h.size();
    const auto p = static_cast<Index>(FirstZeroPlane(ies));
    const int k = FindIndex(v, 0);
    const bool twoSided = v.back() - v.front() >= 180 && v.front() < 0 && h.front() < 0;
    if (k < 0 || (twoSided && (k == 0 || static_cast<Index>(k) >= nH))) return false;
    const auto kk = static_cast<Index>(k);
    const std::string tail = " 1 " + UnitsAndSize(ies);
    if (twoSided) {
        countLine = CountStart(ies) + FormatIesNumber(double((nH - 1) / 2 + 1)) + " 4" + tail;
        out.List(Slice(h, kk, nH));
        out.Text("0 90 180 270");
        out.List(Slice(t[p], kk, nV));
        out.List(Column(t, kk, nH, kk));
        out.List(Backwards(t[p], kk));
        tArrEx c270;
        for (Index i = kk + 1; i-- > 0;)
            c270.push_back(t[i][kk]);
        out.List(c270);
    } else if (k == 0) {
        countLine = CountStart(ies) + FormatIesNumber(double(nH)) + " 2" + tail;
        out.List(h);
        out.Text("0 90");
        out.List(t[p]);
        out.List(Column(t, 0, nH, 0));
    } else {
        countLine = CountStart(ies) + FormatIesNumber(double(nH)) + " 3" + tail;
        out.List(h);
        out.Text("0 90 180");
        out.List(Slice(t[p], kk, nV));
        out.List(Column(t, 0, nH, kk));
        out.List(Backwards(t[p], kk));
    }
    return true;
}

void WriteRotation(const tIES& ies, LineSink& out, std::string& countLine) {
    countLine = CountStart(ies) +
                Join({double(ies.VertAngles.size()), double(ies.HorzAngles.size())}) + " 1 " +
                UnitsAndSize(ies);
    out.List(ies.VertAngles);
    tArrEx rotated;
    for (double angle : ies.HorzAngles)
        rotated.push_back(angle - 90);
    out.List(rotated);
    for (const tArrEx& row : ies.Candela)
        out.List(row);
}

// The keyword of a header line ("MORE" for "[MORE] ..."), upper case; empty for other lines.
std::string KeywordOf(std::string_view line) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos || line[start] != '[') return {};
    const std::size_t end = line.find(']', start);
    if (end == std::string_view::npos) return {};
    std::string keyword(line.substr(start + 1, end - start - 1));
    for (char& c : keyword)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return keyword;
}

// A source keyword line with the [MORE] lines that continue it.
struct KeywordBlock {
    std::string Keyword;
    std::vector<std::string> Lines;
    bool Used = false;
};

std::vector<KeywordBlock> BlocksOf(const std::vector<std::string>& keywords) {
    std::vector<KeywordBlock> blocks;
    for (const std::string& line : keywords) {
        const std::string keyword = KeywordOf(line);
        if (keyword == "MORE" && !blocks.empty())
            blocks.back().Lines.push_back(line);
        else
            blocks.push_back({keyword, {line}});
    }
    return blocks;
}

// The title lines, each followed by the [MORE] lines its keyword had in the source, the
// [CHANGED] line, then every other keyword line of the source in its order; nothing twice.
void WriteKeywords(LineSink& out, const std::vector<std::string>& titles, ExportKind kind,
                   const std::vector<std::string>& keywords) {
    std::vector<KeywordBlock> blocks = BlocksOf(keywords);
    const std::string info = BuildInfoText(titles, false);
    if (info.empty()) out.Text(""); // as files without titles were always written
    std::size_t start = 0;
    while (start < info.size()) {
        std::size_t br = info.find("\r\n", start);
        if (br == std::string::npos) br = info.size();
        const std::string line = info.substr(start, br - start);
        out.Text(line);
        const std::string keyword = KeywordOf(line);
        for (KeywordBlock& block : blocks) {
            if (block.Used || block.Keyword != keyword) continue;
            block.Used = true;
            for (std::size_t i = 1; i < block.Lines.size(); ++i)
                out.Text(block.Lines[i]);
            break;
        }
        start = br + 2;
    }
    const std::string changed = ChangedLine(kind);
    out.Text(changed);
    for (const KeywordBlock& block : blocks) {
        if (block.Used || (block.Lines.size() == 1 && block.Lines[0] == changed)) continue;
        for (const std::string& line : block.Lines)
            out.Text(line);
    }
}

} // namespace

ExportKind ExportKindOf(const tIES& ies) {
    if (ies.PhotometricType == 2) return ExportKind::Conversion;
    if (!ies.HorzAngles.empty() && ies.HorzAngles[0] == 90) return ExportKind::Rotation;
    return ExportKind::None;
}

std::string_view ExportSuffix(ExportKind kind) {
    switch (kind) {
    case ExportKind::Conversion:
        return "_C";
    case ExportKind::Rotation:
        return "_R";
    case ExportKind::Resampled:
        return "_Cr";
    default:
        return "";
    }
}

std::string ChangedLine(ExportKind kind) {
    std::string line = "[CHANGED]     (C) " + std::string(kProductName) + " by Kestrin: ";
    if (kind == ExportKind::Resampled) return line + "re-sampled to type C";
    return line +
           (kind == ExportKind::Conversion ? "type B converted to type C" : "rotated from 90 to 0");
}

std::string ExportFileName(std::string_view folder, std::string_view fileName, ExportKind kind) {
    std::string name = FileNameOf(fileName);
    std::size_t dot = name.find_last_of('.');
    std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    std::string stem = name.substr(0, name.size() - extension.size());
    // What is written is IES text, so an EULUMDAT source gets the IES extension.
    if (IsLdtFileName(name)) extension = ".ies";
    std::string path(folder);
    if (!path.empty() && path.back() != '/' && path.back() != '\\') path.push_back('/');
    return path + stem + std::string(ExportSuffix(kind)) + extension;
}

ExportText BuildExportText(const tIES& ies, const std::vector<std::string>& titles,
                           const std::vector<std::string>& keywords) {
    ExportText result;
    result.Kind = ExportKindOf(ies);
    if (result.Kind == ExportKind::None || !TableIsWhole(ies)) return result;
    LineSink body;
    std::string countLine;
    if (result.Kind == ExportKind::Conversion) {
        if (!WriteConversion(ies, body, countLine)) return result;
    } else {
        WriteRotation(ies, body, countLine);
    }
    LineSink out;
    out.Text("IESNA91");
    WriteKeywords(out, titles, result.Kind, keywords);
    out.Text("TILT=NONE");
    out.Numeric(countLine);
    out.Numeric("1 1 " + FormatIesNumber(ies.InputWatts));
    result.Lines = out.Take();
    for (std::string& line : body.Take())
        result.Lines.push_back(std::move(line));
    result.Ok = true;
    return result;
}

ExportText BuildResampledText(const tIES& ies, const std::vector<std::string>& titles,
                              const std::vector<std::string>& keywords) {
    ExportText result;
    if (ies.PhotometricType != 2 && ies.PhotometricType != 3) return result;
    const tIES c = ResampleToTypeC(ies);
    if (c.HorzAngles.empty()) return result;
    result.Kind = ExportKind::Resampled;
    LineSink out;
    out.Text("IESNA91");
    WriteKeywords(out, titles, result.Kind, keywords);
    out.Text("TILT=NONE");
    out.Numeric(CountStart(c) + Join({double(c.VertCount), double(c.HorzCount)}) + " 1 " +
                UnitsAndSize(c));
    const double watts = c.ExactInputWatts > 0 ? c.ExactInputWatts : c.InputWatts;
    out.Numeric("1 1 " + ExactIesNumber(watts));
    out.List(c.VertAngles);
    out.List(c.HorzAngles);
    for (const tArrEx& row : c.Candela)
        out.List(row);
    result.Lines = out.Take();
    result.Ok = true;
    return result;
}

std::vector<std::string> HeaderKeywordLines(std::string_view fileText) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < fileText.size()) {
        std::size_t end = fileText.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = fileText.size();
        const std::string_view line = fileText.substr(start, end - start);
        const std::size_t text = line.find_first_not_of(" \t");
        if (text != std::string_view::npos && line.substr(text, 5) == "TILT=") break;
        if (!KeywordOf(line).empty()) lines.emplace_back(line);
        start = end + 1;
        if (end + 1 < fileText.size() && fileText[end] == '\r' && fileText[end + 1] == '\n')
            ++start;
    }
    return lines;
}

std::string ExportText::Text() const {
    std::string text;
    for (const std::string& line : Lines)
        text += line + "\r\n";
    return text;
}

} // namespace gonilux
