#include "file_io.h"

#include "header_titles.h"
#include "ies_reader.h"
#include "ldt_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

namespace gonilux {
namespace {

namespace fs = std::filesystem;

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

fs::path PathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Reason(int error) {
    return std::generic_category().message(error);
}

std::string TemporaryNameBeside(const std::string& path) {
    static std::mt19937_64 generator{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08llx.tmp",
                  static_cast<unsigned long long>(generator() & 0xFFFFFFFFu));
    return path + suffix;
}

} // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    bytes.clear();
    std::error_code ec;
    if (fs::is_directory(PathOf(path), ec)) {
        error = "is a folder, not a file";
        return false;
    }
    errno = 0;
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = Reason(errno ? errno : EIO);
        return false;
    }
    char buffer[65536];
    for (;;) {
        std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        bytes.append(buffer, got);
        if (got < sizeof buffer) break;
    }
    if (std::ferror(file.get())) {
        error = Reason(errno ? errno : EIO);
        bytes.clear();
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    const std::string temporary = TemporaryNameBeside(path);
    errno = 0;
    FilePtr file(std::fopen(temporary.c_str(), "wb"));
    if (!file) {
        error = Reason(errno ? errno : EIO);
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    ok = std::fflush(file.get()) == 0 && ok;
    int savedErrno = errno;
    ok = std::fclose(file.release()) == 0 && ok;
    if (!ok) {
        error = Reason(savedErrno ? savedErrno : (errno ? errno : EIO));
        std::remove(temporary.c_str());
        return false;
    }
    std::error_code ec;
    fs::rename(PathOf(temporary), PathOf(path), ec);
    if (ec) {
        error = ec.message();
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool LoadIesEntry(TiesData& entry, const std::string& path) {
    std::string bytes;
    std::string error;
    entry.Diagnostics = ReadDiagnostics{};
    if (!ReadWholeFile(path, bytes, error)) {
        entry.Diagnostics.OpenFailed = true;
        entry.Diagnostics.OpenError = error;
        return false;
    }
    entry.Loaded = true;
    if (IsLdtFileName(path)) {
        LdtParseResult result = ParseLdt(std::string_view(bytes), path, entry.Ies);
        // Title 0 keeps the former file name as ExtractTitles does.
        result.Titles[TitlePrevious] = entry.Lines.size() > 2 ? entry.Lines[1] : std::string();
        entry.Diagnostics = result.Diagnostics;
        entry.Lines = std::move(result.Titles);
        entry.ChangedByAuthor = false;
        return true;
    }
    ParseResult result = ParseIes(std::string_view(bytes), entry.Ies);
    entry.Diagnostics = result.Diagnostics;
    ExtractTitles(entry, path, result.HeaderText);
    return true;
}

bool IsAuthorFile(const std::string& path) {
    if (IsLdtFileName(path)) return false;
    std::string bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error)) return false;
    tIES scratch;
    return HeaderChangedByAuthor(ParseIes(std::string_view(bytes), scratch).HeaderText);
}

} // namespace gonilux
