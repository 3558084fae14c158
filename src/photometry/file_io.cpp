#include "file_io.h"

#include "header_encoding.h"
#include "header_titles.h"
#include "ies_reader.h"
#include "ldt_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

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

struct FdCloser {
    int Fd;
    ~FdCloser() { ::close(Fd); }
};

std::string KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "is a folder, not a file";
    if (S_ISFIFO(mode)) return "is a named pipe, not a file";
    if (S_ISSOCK(mode)) return "is a socket, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device, not a file";
    return "is not a regular file";
}

std::string TooLarge(std::uint64_t size) {
    // Rounded up, so that a file just over the limit does not read as within it.
    const std::uint64_t mib = 1024 * 1024;
    return "too large: " + std::to_string((size + mib - 1) / mib) + " MiB (the limit is " +
           std::to_string(kMaxFileBytes / (1024 * 1024)) + " MiB)";
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
    // Non-blocking, so that a named pipe without a writer cannot hold the caller; only regular
    // files are read at all.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        error = Reason(errno);
        return false;
    }
    const FdCloser closer{fd};
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        error = Reason(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        error = KindOf(status.st_mode);
        return false;
    }
    if (status.st_size > static_cast<off_t>(kMaxFileBytes)) {
        error = TooLarge(static_cast<std::uint64_t>(status.st_size));
        return false;
    }
    // What the file held when it was opened: data appended while reading is not followed.
    bytes.resize(static_cast<std::size_t>(status.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = Reason(errno);
            bytes.clear();
            return false;
        }
        if (n == 0) break; // shrank while reading
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
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
        entry.Distribution.clear();
    } else {
        ParseResult result = ParseIes(std::string_view(bytes), entry.Ies);
        entry.Diagnostics = result.Diagnostics;
        ExtractTitles(entry, path, result.HeaderText);
    }
    entry.HeaderEncoding = TitlesEncoding(entry.Lines, kAutoEncoding);
    return true;
}

namespace {

// The twelfth line of an EULUMDAT file (date, user) names this program when it wrote the file.
bool LdtWrittenByAuthor(std::string_view text) {
    std::size_t start = 0;
    for (int line = 1; line < 12 && start != std::string_view::npos; ++line) {
        start = text.find('\n', start);
        if (start != std::string_view::npos) ++start;
    }
    if (start == std::string_view::npos) return false;
    const std::string_view field = text.substr(start, text.find('\n', start) - start);
    return field.find(kAuthorSurname) != std::string_view::npos;
}

} // namespace

bool IsAuthorFile(const std::string& path) {
    std::string bytes;
    std::string error;
    if (!ReadWholeFile(path, bytes, error)) return false;
    if (IsLdtFileName(path)) return LdtWrittenByAuthor(bytes);
    tIES scratch;
    return HeaderChangedByAuthor(ParseIes(std::string_view(bytes), scratch).HeaderText);
}

} // namespace gonilux
