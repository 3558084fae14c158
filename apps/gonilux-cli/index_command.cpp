// gonilux-cli index and find: the library index of folder trees and queries over it.
#include "commands.h"
#include "library/library_index.h"
#include "photometry/text_encoding.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace gonilux::cli {
namespace {

using namespace gonilux::library;
namespace fs = std::filesystem;

// The folder as an absolute path without a trailing separator, or "" when it is no folder.
std::string FolderPath(const std::string& given) {
    std::error_code ec;
    if (!fs::is_directory(given, ec)) return {};
    std::string path = fs::absolute(given, ec).lexically_normal().string();
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

void PrintNotes(const LibraryIndex& index) {
    for (const std::string& note : index.Notes())
        std::fprintf(stderr, "gonilux-cli: %s\n", note.c_str());
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string CsvNumber(double value) {
    if (std::isnan(value)) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

// A found path as the user named its folder: "lib/a/x.ies" for `find lib`.
std::string Shown(const std::string& path, const std::string& folder, const std::string& given) {
    if (path.compare(0, folder.size(), folder) != 0) return path;
    std::string prefix = given;
    while (prefix.size() > 1 && prefix.back() == '/')
        prefix.pop_back();
    return prefix + path.substr(folder.size());
}

void PrintCsv(const std::vector<LibraryRecord>& records, const std::string& folder,
              const std::string& given) {
    std::printf("path,file,manufacturer,luminaire,catalog,lamp,type,format,error,lumens,flux,"
                "watts,efficacy,maxcd,beam,field,lor,bug,road,cutoff,ugr,sc,l65\n");
    for (const LibraryRecord& r : records) {
        std::string line = CsvField(ToUtf8Lenient(Shown(r.Path, folder, given))) + "," +
                           CsvField(ToUtf8Lenient(FileNameOf(r)));
        for (int t : {Manufacturer, Luminaire, Catalog, Lamp})
            line += "," + CsvField(r.Titles[t]);
        line += std::string(",") + (r.Type ? std::string(1, "CBA"[r.Type - 1]) : "") + "," +
                (r.Ldt ? "ldt" : "ies") + "," + CsvField(r.Error);
        for (double v : {r.Lumens, r.Flux, r.Watts, r.Efficacy, r.MaxCd, r.Beam, r.Field, r.Lor})
            line += "," + CsvNumber(v);
        const tBugRating bug{r.BugB >= 0, r.BugB, r.BugU, r.BugG};
        line += "," + BugText(bug) + "," + r.Road + "," + r.Cutoff;
        for (double v : {r.Ugr, r.Sc, r.L65})
            line += "," + CsvNumber(v);
        std::printf("%s\n", line.c_str());
    }
}

struct FindArgs {
    std::string Folder;
    std::string Query;
    std::string Index = LibraryIndex::DefaultPath();
    std::string Sort = "path";
    int Limit = 0;
    bool Json = false, Csv = false, Update = true;
};

int ParseFind(int argc, char** argv, FindArgs& a) {
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--json") {
            a.Json = true;
        } else if (arg == "--csv") {
            a.Csv = true;
        } else if (arg == "--no-update") {
            a.Update = false;
        } else if (arg == "--index" || arg == "--sort" || arg == "--limit") {
            if (!hasValue) return UsageError("find: this option needs a value", arg.c_str());
            const std::string value = argv[++i];
            if (arg == "--index") a.Index = value;
            if (arg == "--sort") a.Sort = value;
            if (arg == "--limit" &&
                (std::sscanf(value.c_str(), "%d", &a.Limit) != 1 || a.Limit < 1))
                return UsageError("find: --limit takes a whole number above 0", value.c_str());
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            return UsageError("find: unknown option", arg.c_str());
        } else if (a.Folder.empty()) {
            a.Folder = arg;
        } else {
            words.push_back(arg);
        }
    }
    if (a.Folder.empty()) return UsageError("find: no folder given");
    for (const std::string& word : words)
        a.Query += (a.Query.empty() ? "" : " ") + word;
    if (a.Json && a.Csv) return UsageError("find: --json or --csv, not both");
    if (!ParseSort(a.Sort)) {
        const std::string fields = "\"" + a.Sort + "\"; the fields are " + SortFieldList() +
                                   ", with \"-\" before one for descending order";
        return UsageError("find: unknown --sort field", fields.c_str());
    }
    return 0;
}

} // namespace

int RunIndex(int argc, char** argv) {
    std::string indexPath = LibraryIndex::DefaultPath();
    std::vector<std::string> folders;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--index") == 0) {
            if (i + 1 >= argc) return UsageError("index: --index needs a file");
            indexPath = argv[++i];
        } else if (argv[i][0] == '-' && argv[i][1] == '-') {
            return UsageError("index: unknown option", argv[i]);
        } else {
            folders.emplace_back(argv[i]);
        }
    }
    if (folders.empty()) return UsageError("index: no folder given");
    LibraryIndex index(indexPath);
    PrintNotes(index);
    int status = 0;
    for (const std::string& given : folders) {
        const std::string folder = FolderPath(given);
        if (folder.empty()) {
            std::fprintf(stderr, "gonilux-cli: %s: not a folder\n", given.c_str());
            status = 1;
            continue;
        }
        const UpdateCounts c = index.Update(folder);
        std::printf("%s: added %d, updated %d, removed %d, unchanged %d in %.2f s\n", given.c_str(),
                    c.Added, c.Updated, c.Removed, c.Unchanged, c.Seconds);
    }
    return status;
}

int RunFind(int argc, char** argv) {
    FindArgs a;
    if (int usage = ParseFind(argc, argv, a)) return usage;
    const QueryParse query = ParseQuery(a.Query);
    if (!query.Ok) return UsageError("find", query.Error.c_str());
    const std::string folder = FolderPath(a.Folder);
    if (folder.empty()) return UsageError("find: not a folder", a.Folder.c_str());
    LibraryIndex index(a.Index);
    PrintNotes(index);
    if (a.Update) index.Update(folder);
    const std::vector<LibraryRecord> found = index.Find(folder, query.Value, a.Sort, a.Limit);
    if (a.Csv) {
        PrintCsv(found, folder, a.Folder);
    } else {
        for (const LibraryRecord& r : found) {
            if (a.Json)
                std::printf("%s\n", InfoJsonLine(r.Path, "\"path\":" +
                                                             JsonQuote(ToUtf8Lenient(r.Path)) + ",")
                                        .c_str());
            else
                std::printf("%s\n", Shown(r.Path, folder, a.Folder).c_str());
        }
    }
    std::fflush(stdout);
    return found.empty() ? 1 : 0;
}

} // namespace gonilux::cli
