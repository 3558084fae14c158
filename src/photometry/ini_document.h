// Settings files in the plain INI format: "[Section]" lines and "key=value" lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gonilux {

// One INI file held line by line, so that whatever the program does not know (other sections
// and keys, comments, blank lines, their order) is written back unchanged.
//
// Lookups follow the Windows profile-string rules: section and key names compare without
// regard to ASCII case, the first section and the first key of a name win, blanks (spaces and
// tabs) around names and values are dropped, and lines before the first section, comment lines
// (";" or "#") and lines without "=" are never found. Values are stored verbatim: no quoting
// and no escapes; bytes that are not ASCII (UTF-8 text) pass through untouched.
class IniDocument {
  public:
    using Entry = std::pair<std::string, std::string>;

    // Never fails: lines that are neither headers nor key=value lines are kept as they are.
    // LF, CR LF and a lone CR all end a line.
    static IniDocument Parse(std::string_view text);
    // The whole document, every line ended by LF. Empty for an empty document.
    std::string Text() const;

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::string ValueOr(std::string_view section, std::string_view key,
                        std::string_view fallback) const;
    // The decimal integer stored under the key; `fallback` when the key is missing; nullopt
    // when the key is present but its value (an empty one included) is not a decimal integer.
    std::optional<int> IntegerOr(std::string_view section, std::string_view key,
                                 int fallback) const;

    // Stores the value under the first key of that name, keeping the line where it is and the
    // key's spelling; a new key goes after the last non-blank line of its section, and a missing
    // section is created (see SetSectionOrder). A line break inside the value becomes a space.
    // Returns false, changing nothing, for names that cannot be written back: an empty name, a
    // line break, "]" in a section name, "=" in a key or a key starting with ";", "#" or "[".
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);
    bool SetInteger(std::string_view section, std::string_view key, int value);

    // Removes every section of that name with all its lines.
    void EraseSection(std::string_view section);
    bool HasSection(std::string_view section) const;
    // Section names in file order, each name once, spelled as it first appears.
    std::vector<std::string> Sections() const;
    // The key=value pairs of the section in file order, each key once (its first occurrence).
    std::vector<Entry> Entries(std::string_view section) const;

    // The order sections should have in a new file. A section created later is placed before
    // the first existing section that comes after it in this order, else at the end; sections
    // already present never move. Sections not named here are always added at the end.
    void SetSectionOrder(std::vector<std::string> order) { order_ = std::move(order); }
    const std::vector<std::string>& SectionOrder() const { return order_; }

  private:
    struct Line {
        std::string Raw;
        std::string Key; // trimmed name; empty unless IsEntry
        std::string Value;
        bool IsEntry = false;
    };
    struct Section {
        std::string Header; // the header line as read or written
        std::string Name;
        std::vector<Line> Lines;
    };

    static Line MakeLine(std::string_view raw);
    std::size_t FindSection(std::string_view name) const;
    std::size_t InsertSection(std::string_view name);
    std::size_t OrderRank(std::string_view name) const;

    std::vector<Line> preamble_; // lines before the first section header
    std::vector<Section> sections_;
    std::vector<std::string> order_;
};

// A decimal integer in the int range with optional blanks around it and an optional sign;
// nullopt for anything else. As a switch, 0 means off and any other integer means on.
std::optional<int> ParseIniInteger(std::string_view text);

// Reads the file into `document`, keeping the document's section order. A missing file gives
// an empty document and true; a file that exists but cannot be read gives false, an empty
// document and a readable reason in `error`.
bool LoadIniFile(const std::string& path, IniDocument& document, std::string& error);

// Writes the document through a temporary file and a rename, so the target is either the old
// file or the complete new one. A read-only file, a read-only folder or a full disk gives false
// and a readable reason in `error`, leaving the old file as it was. A symbolic link is followed
// and the file keeps its permissions.
bool SaveIniFile(const std::string& path, const IniDocument& document, std::string& error);

} // namespace gonilux
