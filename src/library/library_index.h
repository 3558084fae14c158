// The index of photometric files under folders: an embedded SQLite database with one row per
// file (path, size, time, titles, figures, status) and a trigram full-text table over the texts,
// so that queries over a whole library answer at once. Safe to share between processes (WAL,
// busy timeout); never throws: problems come back as notes and false results.
#pragma once

#include "library_record.h"
#include "query.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace gonilux::library {

struct UpdateCounts {
    int Added = 0;
    int Updated = 0;
    int Removed = 0;
    int Unchanged = 0;
    double Seconds = 0;
    bool Stopped = false; // `stop` was set: the counts are what was found, not all was stored
};

class LibraryIndex {
  public:
    // Opens (or makes) the index at `path`; ":memory:" keeps it in memory. An index that is
    // damaged or written by a newer version is set aside and a new one made; a folder that
    // cannot be written gives an index in memory. Each such event leaves one note.
    explicit LibraryIndex(const std::string& path);
    ~LibraryIndex();
    LibraryIndex(const LibraryIndex&) = delete;
    LibraryIndex& operator=(const LibraryIndex&) = delete;

    // $XDG_CACHE_HOME/gonilux/index.sqlite, or ~/.cache/gonilux/index.sqlite.
    static std::string DefaultPath();

    bool IsOpen() const { return db_ != nullptr; }
    const std::vector<std::string>& Notes() const { return notes_; }

    // Brings the rows under `folder` (and its subfolders) up to date: files that are new or
    // whose size or time changed are read (on as many threads as the machine has), rows of
    // files that are gone are dropped. The records are stored a batch at a time; when `stop`
    // becomes true the update ends after the batch at hand, keeping what was stored (and
    // dropping nothing when the folders were not all listed yet).
    UpdateCounts Update(const std::string& folder, const std::atomic<bool>* stop = nullptr);

    // The records under `folder` (every folder when empty) that match `query`, ordered as `sort`
    // says (ParseSort: a field, "-" before it for descending; by path when it names none; empty
    // values last), at most `limit` (0: all).
    std::vector<LibraryRecord> Find(const std::string& folder, const Query& query,
                                    const std::string& sort = "path", int limit = 0);

    // Number of rows.
    long long Count();

  private:
    bool OpenAt(const std::string& path);
    bool Prepare(std::int64_t version);
    bool AddMissingColumns(); // the columns later versions added, to an older table
    void SetAside(const std::string& path, const std::string& why);
    void Store(const std::vector<LibraryRecord>& records);
    void Remove(const std::vector<std::string>& paths);

    sqlite3* db_ = nullptr;
    std::vector<std::string> notes_;
};

} // namespace gonilux::library
