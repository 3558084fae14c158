#include "ini_document.h"

#include "file_io.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>

namespace gonilux {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool IsComment(std::string_view trimmed) {
    return !trimmed.empty() && (trimmed.front() == ';' || trimmed.front() == '#');
}

// The name of a "[Section]" line: the trimmed text between "[" and the first "]".
std::optional<std::string_view> HeaderName(std::string_view raw) {
    const std::string_view trimmed = Trim(raw);
    if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
    const std::size_t close = trimmed.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(trimmed.substr(1, close - 1));
}

bool IsWritableSectionName(std::string_view name) {
    return !name.empty() && name.find(']') == std::string_view::npos && !HasLineBreak(name);
}

bool IsWritableKey(std::string_view key) {
    return !key.empty() && key.find('=') == std::string_view::npos && !HasLineBreak(key) &&
           !IsComment(key) && key.front() != '[';
}

// Calls `onLine` for every line of the text; LF, CR LF and a lone CR end a line, and a final
// line break does not start another line.
template <typename OnLine> void ForEachLine(std::string_view text, OnLine onLine) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            onLine(text.substr(start));
            return;
        }
        onLine(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
}

fs::path PathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

IniDocument::Line IniDocument::MakeLine(std::string_view raw) {
    Line line;
    line.Raw = std::string(raw);
    const std::string_view trimmed = Trim(raw);
    const std::size_t equals = trimmed.find('=');
    if (IsComment(trimmed) || equals == std::string_view::npos) return line;
    const std::string_view key = Trim(trimmed.substr(0, equals));
    if (key.empty()) return line;
    line.Key = std::string(key);
    line.Value = std::string(Trim(trimmed.substr(equals + 1)));
    line.IsEntry = true;
    return line;
}

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument document;
    ForEachLine(text, [&document](std::string_view raw) {
        if (const auto name = HeaderName(raw)) {
            document.sections_.push_back({std::string(raw), std::string(*name), {}});
        } else if (document.sections_.empty()) {
            document.preamble_.push_back(MakeLine(raw));
        } else {
            document.sections_.back().Lines.push_back(MakeLine(raw));
        }
    });
    return document;
}

std::string IniDocument::Text() const {
    std::string text;
    const auto append = [&text](const std::string& line) {
        text += line;
        text += '\n';
    };
    for (const Line& line : preamble_)
        append(line.Raw);
    for (const Section& section : sections_) {
        append(section.Header);
        for (const Line& line : section.Lines)
            append(line.Raw);
    }
    return text;
}

std::size_t IniDocument::FindSection(std::string_view name) const {
    name = Trim(name);
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (SameName(sections_[i].Name, name)) return i;
    }
    return kNone;
}

std::size_t IniDocument::OrderRank(std::string_view name) const {
    for (std::size_t i = 0; i < order_.size(); ++i) {
        if (SameName(order_[i], name)) return i;
    }
    return kNone;
}

// A section named in the order goes right after the last present section that precedes it
// there, else before the first one that follows it; any other section goes at the end.
std::size_t IniDocument::InsertSection(std::string_view name) {
    std::size_t position = sections_.size();
    const std::size_t rank = OrderRank(name);
    if (rank != kNone) {
        std::size_t after = kNone;
        std::size_t before = kNone;
        for (std::size_t i = 0; i < sections_.size(); ++i) {
            const std::size_t other = OrderRank(sections_[i].Name);
            if (other == kNone) continue;
            if (other < rank) after = i;
            if (other > rank && before == kNone) before = i;
        }
        if (after != kNone) {
            position = after + 1;
        } else if (before != kNone) {
            position = before;
        }
    }
    Section section{"[" + std::string(name) + "]", std::string(name), {}};
    sections_.insert(sections_.begin() + static_cast<std::ptrdiff_t>(position), std::move(section));
    return position;
}

std::optional<std::string> IniDocument::Value(std::string_view section,
                                              std::string_view key) const {
    const std::size_t index = FindSection(section);
    if (index == kNone) return std::nullopt;
    key = Trim(key);
    for (const Line& line : sections_[index].Lines) {
        if (line.IsEntry && SameName(line.Key, key)) return line.Value;
    }
    return std::nullopt;
}

std::string IniDocument::ValueOr(std::string_view section, std::string_view key,
                                 std::string_view fallback) const {
    std::optional<std::string> value = Value(section, key);
    return value ? std::move(*value) : std::string(fallback);
}

std::optional<int> IniDocument::IntegerOr(std::string_view section, std::string_view key,
                                          int fallback) const {
    const std::optional<std::string> value = Value(section, key);
    if (!value) return fallback;
    return ParseIniInteger(*value);
}

bool IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (!IsWritableSectionName(section) || !IsWritableKey(key)) return false;
    std::string text(value);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');

    std::size_t index = FindSection(section);
    if (index == kNone) index = InsertSection(section);
    std::vector<Line>& lines = sections_[index].Lines;
    auto found = std::find_if(lines.begin(), lines.end(), [key](const Line& line) {
        return line.IsEntry && SameName(line.Key, key);
    });
    if (found == lines.end()) {
        auto lastContent = std::find_if(lines.rbegin(), lines.rend(),
                                        [](const Line& line) { return !Trim(line.Raw).empty(); });
        found = lines.insert(lastContent.base(), Line{});
        found->Key = std::string(key);
        found->IsEntry = true;
    }
    found->Raw = found->Key + "=" + text;
    found->Value = std::string(Trim(text));
    return true;
}

bool IniDocument::SetInteger(std::string_view section, std::string_view key, int value) {
    return SetValue(section, key, std::to_string(value));
}

void IniDocument::EraseSection(std::string_view section) {
    section = Trim(section);
    std::erase_if(sections_, [section](const Section& candidate) {
        return SameName(candidate.Name, section);
    });
}

bool IniDocument::HasSection(std::string_view section) const {
    return FindSection(section) != kNone;
}

std::vector<std::string> IniDocument::Sections() const {
    std::vector<std::string> names;
    for (const Section& section : sections_) {
        const bool seen = std::any_of(names.begin(), names.end(), [&section](const std::string& n) {
            return SameName(n, section.Name);
        });
        if (!seen) names.push_back(section.Name);
    }
    return names;
}

std::vector<IniDocument::Entry> IniDocument::Entries(std::string_view section) const {
    std::vector<Entry> entries;
    const std::size_t index = FindSection(section);
    if (index == kNone) return entries;
    for (const Line& line : sections_[index].Lines) {
        if (!line.IsEntry) continue;
        const bool seen = std::any_of(entries.begin(), entries.end(), [&line](const Entry& e) {
            return SameName(e.first, line.Key);
        });
        if (!seen) entries.emplace_back(line.Key, line.Value);
    }
    return entries;
}

std::optional<int> ParseIniInteger(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimit) return std::nullopt;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max()) return std::nullopt;
    return static_cast<int>(value);
}

bool LoadIniFile(const std::string& path, IniDocument& document, std::string& error) {
    std::vector<std::string> order = document.SectionOrder();
    document = IniDocument{};
    document.SetSectionOrder(order);
    std::error_code ec;
    if (fs::status(PathOf(path), ec).type() == fs::file_type::not_found) return true;
    std::string bytes;
    if (!ReadWholeFile(path, bytes, error)) return false;
    document = IniDocument::Parse(bytes);
    document.SetSectionOrder(std::move(order));
    return true;
}

bool SaveIniFile(const std::string& path, const IniDocument& document, std::string& error) {
    std::error_code ec;
    const fs::file_status status = fs::status(PathOf(path), ec);
    const bool exists = fs::exists(status);
    std::string target = path;
    if (exists) {
        if (fs::is_directory(status)) {
            error = "is a folder, not a file";
            return false;
        }
        constexpr fs::perms kWrite =
            fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        if ((status.permissions() & kWrite) == fs::perms::none) {
            error = "the file is read-only";
            return false;
        }
        const fs::path real = fs::canonical(PathOf(path), ec);
        if (!ec) target = Utf8Of(real);
    }
    if (!WriteFileAtomically(target, document.Text(), error)) return false;
    if (exists) fs::permissions(PathOf(target), status.permissions(), ec);
    return true;
}

} // namespace gonilux
