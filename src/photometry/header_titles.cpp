#include "header_titles.h"

namespace gonilux {
namespace {

bool IsTrimmed(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsTrimmed(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsTrimmed(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view CutAt(std::string_view s, std::string_view mark) {
    std::size_t at = s.find(mark);
    return at == std::string_view::npos ? s : s.substr(0, at);
}

struct TitleKey {
    std::string_view Keyword;
    std::string_view Terminator;
    std::string_view Fallback;
    std::string_view FallbackTerminator;
};

constexpr TitleKey kTitleKeys[] = {
    {"[TEST]", "[", "", ""},
    {"[MANUFAC]", "[", "", ""},
    {"[LUMINAIRE]", "[", "DESCR.-1 :", ""},
    {"[LUMCAT]", "[", "LM-NO.   :", "LM-DATE"},
    {"[LAMP]", "[", "LAMP     :", ""},
    {"[LAMPCAT]", "[", "", ""},
};

struct InfoLabel {
    int Index;
    std::string_view Chinese;
    std::string_view Bracket;
};

constexpr InfoLabel kInfoLabels[] = {
    {TitleTest, "测试: ", "[TEST] "},
    {TitleManufacturer, "生  产  商:   ", "[MANUFAC]  "},
    {TitleLuminaireCatalog, "灯   具   目   录: ", "[LUMCAT] "},
    {TitleLuminaire, "灯     具: ", "[LUMINAIRE] "},
    {TitleLampCatalog, "灯 泡 目 录:  ", "[LAMPCAT] "},
    {TitleLamp, "灯泡: ", "[LAMP] "},
};

} // namespace

std::string KeywordValue(std::string_view keyword, std::string_view headerText,
                         std::string_view terminator) {
    if (keyword.empty()) return {};
    std::size_t at = headerText.find(keyword);
    if (at == std::string_view::npos) return {};
    std::string_view value = headerText.substr(at + keyword.size());
    value = CutAt(value, "\n");
    value = CutAt(value, "\r");
    if (!terminator.empty()) value = CutAt(value, terminator);
    return std::string(Trim(value));
}

std::string FileNameOf(std::string_view path) {
    std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool HeaderChangedByAuthor(std::string_view headerText) {
    return KeywordValue("[CHANGED]", headerText, "[").find(kAuthorSurname) != std::string::npos;
}

void ExtractTitles(TiesData& entry, std::string_view fullPath, std::string_view headerText) {
    std::string previous = entry.Lines.size() > 2 ? entry.Lines[1] : std::string();
    entry.Lines.clear();
    entry.Lines.reserve(TitleCount);
    entry.Lines.push_back(std::move(previous));
    entry.Lines.push_back(FileNameOf(fullPath));
    for (const TitleKey& key : kTitleKeys) {
        std::string value = KeywordValue(key.Keyword, headerText, key.Terminator);
        if (value.empty() && !key.Fallback.empty())
            value = KeywordValue(key.Fallback, headerText, key.FallbackTerminator);
        entry.Lines.push_back(std::move(value));
    }
    entry.ChangedByAuthor = HeaderChangedByAuthor(headerText);
    entry.Distribution = KeywordValue("[DISTRIBUTION]", headerText, "");
}

std::string BuildInfoText(const std::vector<std::string>& lines, bool chineseLabels) {
    std::string text;
    for (const InfoLabel& label : kInfoLabels) {
        if (label.Index >= static_cast<int>(lines.size()) || lines[label.Index].empty()) continue;
        text.append(chineseLabels ? label.Chinese : label.Bracket);
        text.append(lines[label.Index]);
        text.append("\r\n");
    }
    if (text.size() >= 2) text.resize(text.size() - 2);
    return text;
}

std::string BuildPreviewInfo(const std::vector<std::string>& lines) {
    std::string text = "文件名:   ";
    if (lines.size() > TitleFileName) text.append(lines[TitleFileName]);
    text.push_back('\r');
    text.append(BuildInfoText(lines, true));
    return text;
}

} // namespace gonilux
