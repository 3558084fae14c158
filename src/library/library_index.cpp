#include "library_index.h"

#include "photometry/ldt_reader.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sqlite3.h>
#include <sys/stat.h>
#include <thread>

namespace gonilux::library {
namespace {

namespace fs = std::filesystem;

// 2: the figures' definitions changed (beam and field angles through the peak, absolute
// EULUMDAT files, files that end early): rows of version 1 are kept but read again.
// 3: the ratings' columns (b, u, g, road, roadlength, cutoff, ugr, sc, l65): added to an older
// table, whose rows are then read again.
constexpr int kSchemaVersion = 3;

constexpr const char* kSchema = R"(
CREATE TABLE IF NOT EXISTS files(
  id INTEGER PRIMARY KEY, path TEXT UNIQUE NOT NULL, size INTEGER, mtime INTEGER, ldt INTEGER,
  type INTEGER, error TEXT, name TEXT, test TEXT, manufacturer TEXT, luminaire TEXT,
  catalog TEXT, lamp TEXT, lampcat TEXT, lumens REAL, flux REAL, watts REAL, efficacy REAL,
  maxcd REAL, beam REAL, field REAL, lor REAL, b REAL, u REAL, g REAL, road TEXT,
  roadlength TEXT, cutoff TEXT, ugr REAL, sc REAL, l65 REAL);
CREATE VIRTUAL TABLE IF NOT EXISTS files_fts USING fts5(
  name, test, manufacturer, luminaire, catalog, lamp, lampcat,
  content='files', content_rowid='id', tokenize='trigram');
CREATE TRIGGER IF NOT EXISTS files_ai AFTER INSERT ON files BEGIN
  INSERT INTO files_fts(rowid, name, test, manufacturer, luminaire, catalog, lamp, lampcat)
  VALUES (new.id, new.name, new.test, new.manufacturer, new.luminaire, new.catalog, new.lamp,
          new.lampcat);
END;
CREATE TRIGGER IF NOT EXISTS files_ad AFTER DELETE ON files BEGIN
  INSERT INTO files_fts(files_fts, rowid, name, test, manufacturer, luminaire, catalog, lamp,
                        lampcat)
  VALUES ('delete', old.id, old.name, old.test, old.manufacturer, old.luminaire, old.catalog,
          old.lamp, old.lampcat);
END;
)";

constexpr const char* kColumns =
    "path, size, mtime, ldt, type, error, test, manufacturer, luminaire, catalog, lamp, lampcat, "
    "lumens, flux, watts, efficacy, maxcd, beam, field, lor, b, u, g, road, roadlength, cutoff, "
    "ugr, sc, l65";

// The columns version 3 added to the files table.
constexpr const char* kRatingColumns[] = {"b REAL",    "u REAL",          "g REAL",
                                          "road TEXT", "roadlength TEXT", "cutoff TEXT",
                                          "ugr REAL",  "sc REAL",         "l65 REAL"};

double BugLetter(int value) {
    return value < 0 ? kNoValue : value;
}

int BugLetter(double value) {
    return std::isnan(value) ? -1 : static_cast<int>(value);
}

// A prepared statement that finalises itself.
class Statement {
  public:
    Statement(sqlite3* db, const std::string& sql) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK) stmt_ = nullptr;
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    explicit operator bool() const { return stmt_ != nullptr; }
    void Bind(int i, const std::string& text) {
        sqlite3_bind_text(stmt_, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    void Bind(int i, double value) {
        if (std::isnan(value))
            sqlite3_bind_null(stmt_, i);
        else
            sqlite3_bind_double(stmt_, i, value);
    }
    void Bind(int i, std::int64_t value) { sqlite3_bind_int64(stmt_, i, value); }
    bool Step() { return stmt_ && sqlite3_step(stmt_) == SQLITE_ROW; }
    int Run() {
        const int rc = stmt_ ? sqlite3_step(stmt_) : SQLITE_ERROR;
        sqlite3_reset(stmt_);
        return rc;
    }
    std::string Text(int i) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
        return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, i)))
                    : std::string();
    }
    std::int64_t Int(int i) { return sqlite3_column_int64(stmt_, i); }
    double Real(int i) {
        return sqlite3_column_type(stmt_, i) == SQLITE_NULL ? kNoValue
                                                            : sqlite3_column_double(stmt_, i);
    }

  private:
    sqlite3_stmt* stmt_ = nullptr;
};

bool Exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

struct Listed {
    std::string Path;
    std::int64_t Size;
    std::int64_t MTime;
};

bool IsPhotometricName(const std::string& name) {
    if (name.size() < 4) return false;
    const std::string tail = Lower(std::string_view(name).substr(name.size() - 4));
    return tail == ".ies" || tail == ".ldt";
}

// Records are read and stored this many at a time, so that a stopped update keeps its work.
constexpr std::size_t kBatchFiles = 1024;

bool Stopping(const std::atomic<bool>* stop) {
    return stop && stop->load(std::memory_order_relaxed);
}

// The photometric files under `folder`, with their size and time (links followed to files).
// Stops early, with what was found so far, when `stop` is set.
std::vector<Listed> ListFiles(const std::string& folder, const std::atomic<bool>* stop) {
    std::vector<Listed> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator
             it(folder, fs::directory_options::skip_permission_denied, ec),
         end;
         !ec && it != end && !Stopping(stop); it.increment(ec)) {
        const std::string path = it->path().string();
        struct stat st {};
        if (!IsPhotometricName(it->path().filename().string()) || ::stat(path.c_str(), &st) != 0 ||
            S_ISDIR(st.st_mode))
            continue;
        files.push_back(
            {path, static_cast<std::int64_t>(st.st_size),
             static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec});
    }
    return files;
}

using KnownFiles = std::map<std::string, std::pair<std::int64_t, std::int64_t>>;

// The files of `listed` that are new or changed, counted; the files seen leave `known`, which
// then holds the files that are gone.
std::vector<Listed> NewOrChanged(std::vector<Listed>& listed, KnownFiles& known,
                                 UpdateCounts& counts) {
    std::vector<Listed> changed;
    for (Listed& file : listed) {
        const auto it = known.find(file.Path);
        if (it == known.end()) {
            ++counts.Added;
            changed.push_back(std::move(file));
            continue;
        }
        const bool same = it->second == std::make_pair(file.Size, file.MTime);
        known.erase(it);
        if (same) {
            ++counts.Unchanged;
            continue;
        }
        ++counts.Updated;
        changed.push_back(std::move(file));
    }
    return changed;
}

std::string Trimmed(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

// Reads files[first, last) on every core; the order of the result is the order of `files`.
// When `stop` is set the files not reached keep an empty record (no path).
std::vector<LibraryRecord> ReadAll(const std::vector<Listed>& files, std::size_t first,
                                   std::size_t last, const std::atomic<bool>* stop) {
    std::vector<LibraryRecord> records(last - first);
    std::atomic<std::size_t> next{first};
    auto work = [&] {
        for (std::size_t i; !Stopping(stop) && (i = next++) < last;)
            records[i - first] = ReadLibraryRecord(files[i].Path, files[i].Size, files[i].MTime);
    };
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 16u);
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads && t < records.size(); ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& thread : pool)
        thread.join();
    return records;
}

// The column a sort field orders by.
std::string SortColumn(const QuerySort& sort) {
    if (sort.Field == "file" || sort.Field == "caption") return "name";
    if (sort.Field == "format") return "ldt";
    if (sort.Field == "bug") return "(b * 100 + u * 10 + g)";
    return sort.Field; // every other field is a column of its own name
}

// The SQL condition of a number term, with its values written out (they are finite numbers).
std::string NumberCondition(const QueryTerm& term) {
    auto number = [](double v) {
        char text[40];
        std::snprintf(text, sizeof text, "%.17g", v);
        return std::string(text);
    };
    const std::string& column = term.Field;
    switch (term.Op) {
    case QueryOp::Less:
        return column + " < " + number(term.Low);
    case QueryOp::LessEqual:
        return column + " <= " + number(term.Low);
    case QueryOp::Greater:
        return column + " > " + number(term.Low);
    case QueryOp::GreaterEqual:
        return column + " >= " + number(term.Low);
    case QueryOp::Range:
        return column + " BETWEEN " + number(term.Low) + " AND " + number(term.High);
    default:
        return column + " = " + number(term.Low);
    }
}

// The SQL condition of a bug term: each letter at most the term's.
std::string BugCondition(const QueryTerm& term) {
    return "(b <= " + std::string(1, term.Text[0]) + " AND u <= " + term.Text[1] +
           " AND g <= " + term.Text[2] + ")";
}

// A condition that holds for at least the rows that match `node` ("" when it cannot narrow
// them), its texts to bind added to `texts`. Words narrow the rows through the trigram table,
// numbers through their columns.
std::string Condition(const Query& query, const QueryNode& node, std::vector<std::string>& texts) {
    if (node.Term >= 0) {
        const QueryTerm& term = query.Terms[static_cast<std::size_t>(node.Term)];
        if (IsNumberField(term.Field)) return NumberCondition(term);
        if (term.Field == "bug") return BugCondition(term);
        if (!term.Field.empty() || term.Text.size() < 3) return {};
        std::string phrase = "\"";
        for (char c : term.Text)
            phrase += c == '"' ? std::string("\"\"") : std::string(1, c);
        texts.push_back(phrase + "\"");
        return "id IN (SELECT rowid FROM files_fts WHERE files_fts MATCH ?)";
    }
    const bool either = node.Join == QueryJoin::Or;
    std::vector<std::string> own;
    std::string joined;
    for (const QueryNode& child : node.Children) {
        const std::string part = Condition(query, child, own);
        if (part.empty() && either) return {}; // one side that cannot narrow: neither can OR
        if (part.empty()) continue;
        joined += (joined.empty() ? "(" : either ? " OR " : " AND ") + part;
    }
    if (joined.empty()) return {};
    texts.insert(texts.end(), own.begin(), own.end());
    return joined + ")";
}

} // namespace

std::string LibraryIndex::DefaultPath() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && *cache == '/') return std::string(cache) + "/gonilux/index.sqlite";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "/tmp") + "/.cache/gonilux/index.sqlite";
}

LibraryIndex::LibraryIndex(const std::string& path) {
    if (path != ":memory:") {
        std::error_code ec;
        const fs::path folder = fs::path(path).parent_path();
        if (!folder.empty()) fs::create_directories(folder, ec);
        if (OpenAt(path)) return;
        notes_.push_back("cannot write the index at " + path + "; using one in memory");
    }
    OpenAt(":memory:");
}

LibraryIndex::~LibraryIndex() {
    sqlite3_close(db_);
}

void LibraryIndex::SetAside(const std::string& path, const std::string& why) {
    sqlite3_close(db_);
    db_ = nullptr;
    std::error_code ec;
    const std::string aside = path + ".old";
    fs::rename(path, aside, ec);
    fs::remove(path + "-wal", ec);
    fs::remove(path + "-shm", ec);
    notes_.push_back("the index " + path + " " + why + "; it was moved to " + aside +
                     " and a new one is made");
}

bool LibraryIndex::OpenAt(const std::string& path) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK) {
            sqlite3_close(db_);
            db_ = nullptr;
            return false;
        }
        sqlite3_busy_timeout(db_, 5000);
        bool readable = false;
        std::int64_t found = 0;
        { // finalised before the connection may be closed below
            Statement version(db_, "PRAGMA user_version");
            readable = version.Step();
            found = readable ? version.Int(0) : 0;
        }
        if (readable && found <= kSchemaVersion && Prepare(found)) return true;
        if (path == ":memory:" || attempt == 1) break;
        const int code = sqlite3_errcode(db_);
        if (readable && found > kSchemaVersion)
            SetAside(path, "was written by a newer version of Gonilux");
        else if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT || readable)
            SetAside(path, "is damaged");
        else
            break; // cannot write there: not the index's fault
    }
    sqlite3_close(db_);
    db_ = nullptr;
    return false;
}

bool LibraryIndex::Prepare(std::int64_t version) {
    Exec(db_, "PRAGMA journal_mode=WAL");
    Exec(db_, "PRAGMA synchronous=NORMAL");
    if (!Exec(db_, kSchema)) return false;
    // Opening a current index writes nothing, so it need not wait for another one's update.
    const std::string current = "PRAGMA user_version=" + std::to_string(kSchemaVersion);
    if (version != kSchemaVersion) {
        // An older index keeps its rows; a time no file has makes the next update read each
        // file again with today's figures.
        if (version > 0 && !AddMissingColumns()) return false;
        if (version > 0 && !Exec(db_, "UPDATE files SET mtime = -1")) return false;
        if (!Exec(db_, current.c_str())) return false;
    }
    // The figures most queries name first find their rows without a pass over the table.
    if (!Exec(db_, "CREATE INDEX IF NOT EXISTS files_flux ON files(flux);"
                   "CREATE INDEX IF NOT EXISTS files_ugr ON files(ugr)"))
        return false;
    Statement check(db_, "SELECT count(*) FROM files");
    return check.Step();
}

bool LibraryIndex::AddMissingColumns() {
    std::set<std::string> present;
    {
        Statement columns(db_, "SELECT name FROM pragma_table_info('files')");
        while (columns.Step())
            present.insert(columns.Text(0));
    }
    for (const char* column : kRatingColumns) {
        const std::string_view definition(column);
        const std::string name(definition.substr(0, definition.find(' ')));
        if (!present.count(name) &&
            !Exec(db_, (std::string("ALTER TABLE files ADD COLUMN ") + column).c_str()))
            return false;
    }
    return true;
}

void LibraryIndex::Store(const std::vector<LibraryRecord>& records) {
    Statement erase(db_, "DELETE FROM files WHERE path = ?");
    Statement insert(
        db_, std::string("INSERT INTO files(") + kColumns +
                 ", name) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (const LibraryRecord& r : records) {
        if (r.Path.empty()) continue; // not read: the update was stopped
        erase.Bind(1, r.Path);
        erase.Run();
        int i = 1;
        insert.Bind(i++, r.Path);
        insert.Bind(i++, r.Size);
        insert.Bind(i++, r.MTime);
        insert.Bind(i++, std::int64_t(r.Ldt));
        insert.Bind(i++, std::int64_t(r.Type));
        insert.Bind(i++, r.Error);
        for (const std::string& title : r.Titles)
            insert.Bind(i++, title);
        for (double value : {r.Lumens, r.Flux, r.Watts, r.Efficacy, r.MaxCd, r.Beam, r.Field, r.Lor,
                             BugLetter(r.BugB), BugLetter(r.BugU), BugLetter(r.BugG)})
            insert.Bind(i++, value);
        for (const std::string* text : {&r.Road, &r.RoadLength, &r.Cutoff})
            insert.Bind(i++, *text);
        for (double value : {r.Ugr, r.Sc, r.L65})
            insert.Bind(i++, value);
        insert.Bind(i++, FileNameOf(r));
        insert.Run();
    }
}

void LibraryIndex::Remove(const std::vector<std::string>& paths) {
    Statement erase(db_, "DELETE FROM files WHERE path = ?");
    for (const std::string& path : paths) {
        erase.Bind(1, path);
        erase.Run();
    }
}

UpdateCounts LibraryIndex::Update(const std::string& folderPath, const std::atomic<bool>* stop) {
    UpdateCounts counts;
    if (!db_) return counts;
    const auto start = std::chrono::steady_clock::now();
    const std::string folder = Trimmed(folderPath);
    KnownFiles known;
    Statement rows(db_, "SELECT path, size, mtime FROM files WHERE path > ? AND path < ?");
    rows.Bind(1, folder + "/");
    rows.Bind(2, folder + "0"); // '0' follows '/'
    while (rows.Step())
        known[rows.Text(0)] = {rows.Int(1), rows.Int(2)};
    std::vector<Listed> listed = ListFiles(folder, stop);
    if (Stopping(stop)) { // an unfinished listing would take the files not reached for gone
        counts.Stopped = true;
        return counts;
    }
    const std::vector<Listed> changed = NewOrChanged(listed, known, counts);
    std::vector<std::string> gone;
    for (const auto& entry : known)
        gone.push_back(entry.first);
    counts.Removed = static_cast<int>(gone.size());
    Exec(db_, "BEGIN IMMEDIATE");
    Remove(gone);
    Exec(db_, "COMMIT");
    for (std::size_t first = 0; first < changed.size(); first += kBatchFiles) {
        if (Stopping(stop)) {
            counts.Stopped = true;
            break;
        }
        const std::vector<LibraryRecord> records =
            ReadAll(changed, first, std::min(changed.size(), first + kBatchFiles), stop);
        Exec(db_, "BEGIN IMMEDIATE");
        Store(records);
        Exec(db_, "COMMIT");
    }
    counts.Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return counts;
}

std::vector<LibraryRecord> LibraryIndex::Find(const std::string& folderPath, const Query& query,
                                              const std::string& sort, int limit) {
    std::vector<LibraryRecord> found;
    if (!db_) return found;
    std::string where = " WHERE 1";
    std::vector<std::string> texts;
    const std::string folder = Trimmed(folderPath);
    if (!folder.empty()) {
        where += " AND path > ? AND path < ?";
        texts = {folder + "/", folder + "0"};
    }
    const QuerySort order = ParseSort(sort).value_or(QuerySort{});
    const std::string column = SortColumn(order);
    const std::string orderBy = " ORDER BY (" + column + " IS NULL OR " + column + " = ''), " +
                                column + (order.Descending ? " DESC" : "") + ", path";
    const std::size_t folderTexts = texts.size();
    // Every row found is checked again, so the answer is exactly Matches(); a query too large
    // for SQLite's limits is answered by checking every row of the folder.
    const std::string condition = Condition(query, query.Root, texts);
    const std::string select = std::string("SELECT ") + kColumns + " FROM files";
    // With a condition, the rows are found by it (the words' trigram table) or by one pass over
    // the table; walking the path index instead would visit every row of the folder through
    // the index, several times slower.
    std::string narrowed = where;
    if (!condition.empty() && !folder.empty())
        narrowed = " WHERE +path > ? AND +path < ? AND " + condition;
    Statement rows(db_, select + (condition.empty() ? where : narrowed) + orderBy);
    Statement all(db_, rows ? std::string() : select + where + orderBy);
    Statement& chosen = rows ? rows : all;
    for (std::size_t i = 0; i < (rows ? texts.size() : folderTexts); ++i)
        chosen.Bind(static_cast<int>(i) + 1, texts[i]);
    while (chosen.Step()) {
        LibraryRecord r;
        int i = 0;
        r.Path = chosen.Text(i++);
        r.Size = chosen.Int(i++);
        r.MTime = chosen.Int(i++);
        r.Ldt = chosen.Int(i++) != 0;
        r.Type = static_cast<int>(chosen.Int(i++));
        r.Error = chosen.Text(i++);
        for (std::string& title : r.Titles)
            title = chosen.Text(i++);
        for (double* value :
             {&r.Lumens, &r.Flux, &r.Watts, &r.Efficacy, &r.MaxCd, &r.Beam, &r.Field, &r.Lor})
            *value = chosen.Real(i++);
        for (int* letter : {&r.BugB, &r.BugU, &r.BugG})
            *letter = BugLetter(chosen.Real(i++));
        for (std::string* text : {&r.Road, &r.RoadLength, &r.Cutoff})
            *text = chosen.Text(i++);
        for (double* value : {&r.Ugr, &r.Sc, &r.L65})
            *value = chosen.Real(i++);
        if (!Matches(query, r)) continue;
        found.push_back(std::move(r));
        if (limit > 0 && static_cast<int>(found.size()) >= limit) break;
    }
    return found;
}

long long LibraryIndex::Count() {
    if (!db_) return 0;
    Statement count(db_, "SELECT count(*) FROM files");
    return count.Step() ? count.Int(0) : 0;
}

} // namespace gonilux::library
