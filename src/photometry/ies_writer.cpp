#include "ies_writer.h"

#include "export_text.h"
#include "ies_reader.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace gonilux {
namespace {

struct TitleKeyword {
    int Index;
    std::string_view Keyword;
};

constexpr TitleKeyword kKeywords[] = {
    {TitleTest, "[TEST] "},           {TitleManufacturer, "[MANUFAC] "},
    {TitleLuminaire, "[LUMINAIRE] "}, {TitleLuminaireCatalog, "[LUMCAT] "},
    {TitleLamp, "[LAMP] "},           {TitleLampCatalog, "[LAMPCAT] "},
};

} // namespace

std::string KeywordText(std::string_view title) {
    std::string text;
    for (char c : title) {
        if (static_cast<unsigned char>(c) < ' ' || c == '\x7F')
            c = ' ';
        else if (c == '[')
            c = '(';
        else if (c == ']')
            c = ')';
        text.push_back(c);
    }
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

namespace {

class Lines {
  public:
    void Text(std::string_view line) {
        text_.append(line);
        text_.append("\r\n");
    }
    template <typename Values> void List(const Values& values) {
        std::string line;
        for (double v : values)
            line += ExactIesNumber(v) + " ";
        if (line.empty()) return;
        line.pop_back();
        for (const std::string& piece : WrapNumericLine(line))
            Text(piece);
    }
    std::string Take() { return std::move(text_); }

  private:
    std::string text_;
};

// A row padded with zeros or cut to the number of vertical angles.
tArrEx RowOf(const tIES& ies, std::size_t h) {
    tArrEx row = h < ies.Candela.size() ? ies.Candela[h] : tArrEx();
    row.resize(ies.VertAngles.size(), 0.0);
    return row;
}

// The input watts as the source file gave them, so that reading the text back gives the same
// record.
double WrittenWatts(const tIES& ies) {
    return ies.ExactInputWatts != 0 ? ies.ExactInputWatts : double(ies.InputWatts);
}

} // namespace

std::string ExactIesNumber(double value) {
    if (value == 0) return std::signbit(value) ? "-0" : "0";
    std::string text = FormatIesNumber(value);
    double back = 0;
    if (ConvertToken(text, back) && back == value) return text;
    char buffer[64];
    auto done = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, done.ptr);
}

std::string BuildIesText(const tIES& ies, const std::vector<std::string>& titles) {
    Lines out;
    out.Text("IESNA:LM-63-2002");
    for (const TitleKeyword& key : kKeywords) {
        if (key.Index >= static_cast<int>(titles.size())) continue;
        std::string value = KeywordText(titles[static_cast<std::size_t>(key.Index)]);
        if (!value.empty()) out.Text(std::string(key.Keyword) + value);
    }
    out.Text("TILT=NONE");
    out.List(std::initializer_list<double>{
        double(ies.LampCount), ies.LumensPerLamp, ies.Multiplier, double(ies.VertAngles.size()),
        double(ies.HorzAngles.size()), double(ies.PhotometricType), double(ies.UnitsType),
        ies.Width, ies.Length, ies.Height});
    out.List(std::initializer_list<double>{1, 1, WrittenWatts(ies)});
    out.List(ies.VertAngles);
    out.List(ies.HorzAngles);
    for (std::size_t h = 0; h < ies.HorzAngles.size(); ++h) {
        if (h < ies.Candela.size() && ies.Candela[h].size() == ies.VertAngles.size())
            out.List(ies.Candela[h]);
        else
            out.List(RowOf(ies, h));
    }
    return out.Take();
}

} // namespace gonilux
