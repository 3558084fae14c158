// The library index and its query language: what a query finds among the samples, the same
// through the index as record by record, messages for mistakes, and an index that stays usable
// when its file is damaged, newer or cannot be written.
#include "library/library_index.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sqlite3.h>

namespace gonilux::library {
namespace {

namespace fs = std::filesystem;

class Library : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("gonilux-library-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "tree/sub/folder.ies"); // a folder is not read as a file
        for (const auto& item : fs::directory_iterator(GONILUX_SAMPLES_DIR)) {
            const std::string name = item.path().filename().string();
            if (name.ends_with(".md")) continue;
            fs::copy_file(item.path(),
                          dir_ / (name.ends_with(".ldt") ? "tree/sub" : "tree") / name);
        }
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Tree() const { return (dir_ / "tree").string(); }

    static std::set<std::string> Names(const std::vector<LibraryRecord>& records) {
        std::set<std::string> names;
        for (const LibraryRecord& r : records)
            names.insert(FileNameOf(r));
        return names;
    }

    fs::path dir_;
};

TEST_F(Library, QueriesFindTheSameThroughTheIndexAsRecordByRecord) {
    LibraryIndex index((dir_ / "index.sqlite").string());
    ASSERT_TRUE(index.IsOpen());
    EXPECT_TRUE(index.Notes().empty());
    const UpdateCounts first = index.Update(Tree());
    EXPECT_EQ(first.Added, 27);
    std::vector<LibraryRecord> all = index.Find("", {});
    ASSERT_EQ(all.size(), 27u);
    const struct {
        const char* Query;
        std::set<std::string> Expected; // empty: only checked against the records
    } rows[] = {
        {"kaldera", {"downlight_c_quarter.ies", "highbay_tilt_include.ies"}},
        {"kl-2417", {"downlight_c_quarter.ies"}}, // its [TEST] title only
        {"KALDERA flux<2000", {"downlight_c_quarter.ies"}},
        {"type:b", {"floodlight_b_one_sided.ies", "floodlight_b_two_sided.ies"}},
        {"type:a", {"sign_light_a.ies"}},
        {"type:c manufacturer:kaldera", {"downlight_c_quarter.ies", "highbay_tilt_include.ies"}},
        {"format:ldt error:yes", {"ldt_damaged_truncated.ldt"}},
        {"error:yes", {"ldt_damaged_truncated.ldt", "malformed_header_truncated.ies"}},
        {"manufacturer:\"vantor illu\" watts<100",
         {"led_panel_absolute.ies", "wall_washer_c_full.ies"}},
        {"file:_R", {"street_light_c_90_270_R.ies"}},
        {"beam:25..30 lor>=90", {"stadium_flood_c_large.ies"}},
        {"lumens=2000", {"downlight_c_quarter.ies"}},
        {"flux>=3000 maxcd>20000", {}},
        {"efficacy>100 field<=120", {}},
        {"le", {}},
        {"lamp:led catalog:-", {}},
        {"nothing-is-called-this", {}},
        {"type:a OR type : B",
         {"sign_light_a.ies", "floodlight_b_one_sided.ies", "floodlight_b_two_sided.ies"}},
        {"(kaldera or solbrook) AND 灯具光通量 < 2000", {"downlight_c_quarter.ies"}},
        {"lumens=2000 OR (beam:25..30 lor>=90)",
         {"downlight_c_quarter.ies", "stadium_flood_c_large.ies"}},
        {"le OR flux>1e9", {}},
        // Ratings: the index's columns answer as the records do (no names: equal sets only).
        {"bug:B2U2G2 OR ugr<19", {}},
        {"road:iii cutoff:full sc>=1", {}},
        {"l65<3000 OR (b<=1 g>0)", {}},
    };
    for (const auto& row : rows) {
        const QueryParse q = ParseQuery(row.Query);
        ASSERT_TRUE(q.Ok) << row.Query << ": " << q.Error;
        std::set<std::string> byRecord;
        for (const LibraryRecord& r : all)
            if (Matches(q.Value, r)) byRecord.insert(FileNameOf(r));
        EXPECT_EQ(Names(index.Find(Tree(), q.Value)), byRecord) << row.Query;
        if (!row.Expected.empty()) {
            EXPECT_EQ(byRecord, row.Expected) << row.Query;
        }
    }
    std::string many = "kaldera"; // more than SQLite takes in one expression: every row checked
    for (int i = 0; i < 1200; ++i)
        many += " OR nothing" + std::to_string(i);
    EXPECT_EQ(index.Find(Tree(), ParseQuery(many).Value).size(), 2u);
    // Sorted by a number, empty values last; a limit keeps the first ones.
    EXPECT_EQ(index.Find(Tree(), {}, "flux", 3).size(), 3u);
    const std::vector<LibraryRecord> sorted = index.Find(Tree(), {}, "maxcd");
    for (std::size_t i = 1; i < sorted.size(); ++i)
        EXPECT_TRUE(sorted[i - 1].MaxCd <= sorted[i].MaxCd || std::isnan(sorted[i].MaxCd)) << i;
    std::vector<std::string> byName; // "file" sorts by the name, whatever the folder
    for (const LibraryRecord& r : index.Find(Tree(), {}, "file"))
        byName.push_back(FileNameOf(r));
    EXPECT_TRUE(std::is_sorted(byName.begin(), byName.end()));
    const std::vector<LibraryRecord> down = index.Find(Tree(), {}, "-最大光强"); // descending
    for (std::size_t i = 1; i < down.size(); ++i)
        EXPECT_TRUE(down[i - 1].MaxCd >= down[i].MaxCd || std::isnan(down[i].MaxCd)) << i;
    EXPECT_FALSE(std::isnan(down.front().MaxCd));
    EXPECT_FALSE(ParseSort("nosuch") || ParseSort("-") || ParseSort("--flux"));
    EXPECT_EQ(ParseSort("-Luminaire flux")->Field, "flux");
    EXPECT_TRUE(index.Find((dir_ / "tre").string(), {}).empty()); // a prefix is no folder
    // A sub-watt marker light of no known type: its own watts, and no type letter.
    std::ofstream(dir_ / "marker.ies") << "IESNA:LM-63-2002\n[TEST] m\nTILT=NONE\n"
                                          "1 -1 1 1 1 5 2 0 0 0\n1 1 0.5\n0\n0\n100\n";
    const LibraryRecord marker = ReadLibraryRecord((dir_ / "marker.ies").string(), 0, 0);
    EXPECT_EQ(marker.Watts, 0.5);
    EXPECT_EQ(marker.Type, 0);
}

TEST_F(Library, UpdatesReadOnlyWhatChangedAndDropWhatIsGone) {
    const std::string path = (dir_ / "index.sqlite").string();
    {
        LibraryIndex index(path);
        index.Update(Tree());
    }
    fs::remove(dir_ / "tree/sign_light_a.ies");
    std::ofstream(dir_ / "tree/uplight_c_quarter.ies", std::ios::app) << "\n";
    fs::copy_file(dir_ / "tree/track_spot_c_full.ies", dir_ / "tree/sub/new.IES");
    LibraryIndex index(path);
    LibraryIndex reader(path); // a second user of the same file at once
    const UpdateCounts c = index.Update(Tree() + "/");
    EXPECT_EQ(c.Added, 1);
    EXPECT_EQ(c.Updated, 1);
    EXPECT_EQ(c.Removed, 1);
    EXPECT_EQ(c.Unchanged, 25);
    EXPECT_EQ(reader.Count(), 27);
    EXPECT_EQ(index.Update(Tree()).Unchanged, 27);
    // An index of an older version (without the ratings' columns) keeps its rows and reads
    // every file again on its update, since the figures' definitions changed since.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    std::string downgrade =
        "UPDATE files SET beam=999; PRAGMA user_version=2; DROP INDEX files_ugr;";
    for (const char* column : {"b", "u", "g", "road", "roadlength", "cutoff", "ugr", "sc", "l65"})
        downgrade += std::string("ALTER TABLE files DROP COLUMN ") + column + ";";
    EXPECT_EQ(sqlite3_exec(db, downgrade.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    LibraryIndex older(path);
    EXPECT_EQ(older.Count(), 27);
    EXPECT_EQ(older.Update(Tree()).Updated, 27);
    EXPECT_TRUE(older.Find(Tree(), ParseQuery("beam>900").Value).empty());
    EXPECT_FALSE(older.Find(Tree(), ParseQuery("ugr>0").Value).empty());
}

TEST_F(Library, ADamagedNewerOrUnwritableIndexIsReplacedWithOneNote) {
    const std::string path = (dir_ / "index.sqlite").string();
    std::ofstream(path) << std::string(4096, 'x');
    {
        LibraryIndex index(path);
        ASSERT_EQ(index.Notes().size(), 1u);
        EXPECT_NE(index.Notes()[0].find("is damaged"), std::string::npos);
        EXPECT_EQ(index.Update(Tree()).Added, 27);
    }
    EXPECT_TRUE(fs::exists(path + ".old"));
    {
        LibraryIndex index(path);
        EXPECT_TRUE(index.Notes().empty());
        EXPECT_EQ(index.Count(), 27);
    }
    // Written by a later version: set aside too.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, "PRAGMA user_version=99", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    LibraryIndex newer(path);
    ASSERT_EQ(newer.Notes().size(), 1u);
    EXPECT_NE(newer.Notes()[0].find("newer version"), std::string::npos);
    EXPECT_EQ(newer.Count(), 0);
    // A folder that cannot be made: an index in memory that works all the same.
    std::ofstream(dir_ / "plain") << "x";
    LibraryIndex memory((dir_ / "plain/index.sqlite").string());
    ASSERT_EQ(memory.Notes().size(), 1u);
    EXPECT_EQ(memory.Update(Tree()).Added, 27);
    // Without a file named: $XDG_CACHE_HOME when it is an absolute path, else ~/.cache.
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    for (const auto& [cache, path] : {std::pair{"/c", "/c/gonilux/index.sqlite"},
                                      {"relative", "/h/.cache/gonilux/index.sqlite"}}) {
        setenv("XDG_CACHE_HOME", cache, 1), setenv("HOME", "/h", 1);
        EXPECT_EQ(LibraryIndex::DefaultPath(), path);
    }
    unsetenv("XDG_CACHE_HOME"), setenv("HOME", home.c_str(), 1);
}

// Letters of every script match without regard to case; bytes that are not UTF-8 stay.
TEST(Query, CaseIsFoldedInEveryScript) {
    EXPECT_EQ(Lower("ÇLAIR Σοφία ÆØ A\xff"), "çlair σοφία æø a\xff");
    LibraryRecord record;
    record.Titles[Manufacturer] = "Éclairage Ørsted";
    for (const char* text : {"ÉCLAIRAGE", "manufacturer:ørSTED", "éclairage ØRSTED"})
        EXPECT_TRUE(Matches(ParseQuery(text).Value, record)) << text;
    EXPECT_FALSE(Matches(ParseQuery("eclairage").Value, record)); // accents are letters
}

TEST(Query, MistakesNameThePlaceAndTheFix) {
    using K = QueryErrorKind;
    const std::string fields = "the fields are manufacturer, luminaire, lamp, catalog, file, "
                               "caption, type, format, error, lumens, flux, watts, efficacy, "
                               "maxcd, beam, field, lor, bug, b, u, g, ugr, road, cutoff, sc, l65";
    const std::string deep(33, '(');
    const struct {
        std::string Query;
        K Kind;
        std::string Error;
    } rows[] = {
        {"flux>=abc", K::NeedsNumber, "flux needs a number: flux>=abc"},
        {"flux >= ", K::NeedsNumber, "flux needs a number: flux>="},
        {"beam:40..20", K::RangeOrder, "beam range must go from low to high: beam:20..40"},
        {"beam:20..x", K::RangeNumbers, "beam needs two numbers for a range: beam:20..x"},
        {"类型:d", K::TakesChoice, "type takes one of a b c: type:d"},
        {"manufacturer>acme", K::TakesColon, "manufacturer takes \":\": manufacturer:acme"},
        {"zoom:2", K::UnknownField, "unknown field \"zoom\" in zoom:2; " + fields},
        {"a 光速角 < 30", K::UnknownField, "unknown field \"光速角\" in 光速角<30; " + fields},
        {"lamp:", K::NeedsText, "lamp needs a text: lamp:acme"},
        {"flux<>3", K::BadComparison,
         "\"<>\" is no comparison; use <, <=, >, >=, = or \":\": flux<>3"},
        {"flux >= >3", K::BadComparison,
         "\">=>\" is no comparison; use <, <=, >, >=, = or \":\": flux>=>"},
        {">= 3000", K::MissingField, "\">=\" needs a field name before it, as in flux>=3000"},
        {"acme \"wall washer", K::UnclosedQuote,
         "the quote is not closed: add \" after \"wall washer"},
        {"a () b", K::EmptyParentheses,
         "empty parentheses \"()\": put a term between them or leave them out"},
        {"(a OR (b c)", K::UnclosedParenthesis, "\"(\" is not closed: add \")\" after (a OR (b c)"},
        {"a OR b) c", K::UnopenedParenthesis, "\")\" has no \"(\" before it: a OR b)"},
        {"a or", K::DanglingJoin, "\"or\" needs a term on each side, as in a or b"},
        {"AND a", K::DanglingJoin, "\"AND\" needs a term on each side, as in a AND b"},
        {"a AND OR b", K::DanglingJoin, "\"AND\" needs a term on each side, as in a AND b"},
        {"(a OR) b", K::DanglingJoin, "\"OR\" needs a term on each side, as in a OR b"},
        {deep, K::TooDeep, "more than 32 parentheses inside each other"},
        {"bug:B1U0G6", K::BugRating,
         "bug takes a rating such as B1U0G1 (each letter 0 to 5): bug:B1U0G6"},
        {"bug:U0B1G1", K::BugRating,
         "bug takes a rating such as B1U0G1 (each letter 0 to 5): bug:U0B1G1"},
        {"road:VI", K::TakesChoice, "road takes one of i ii iii iv v vs: road:VI"},
    };
    for (const auto& row : rows) {
        const QueryParse q = ParseQuery(row.Query);
        EXPECT_FALSE(q.Ok) << row.Query;
        EXPECT_EQ(q.Kind, row.Kind) << row.Query;
        EXPECT_EQ(q.Error, row.Error);
        EXPECT_EQ(QueryErrorMessage(q.Kind, q.Args), q.Error);
    }
    const QueryParse ok = ParseQuery("  Acme \"wall washer\" FLUX>=3000 beam=20..40 12:30 ");
    ASSERT_TRUE(ok.Ok) << ok.Error;
    ASSERT_EQ(ok.Value.Terms.size(), 5u);
    EXPECT_EQ(ok.Value.Terms[1].Text, "wall washer");
    EXPECT_EQ(ok.Value.Terms[2].Field, "flux");
    EXPECT_EQ(ok.Value.Terms[3].Op, QueryOp::Range);
    EXPECT_EQ(ok.Value.Terms[4].Text, "12:30");
}

// Blanks around operators, the columns' names, AND, OR and parentheses, against one record.
TEST(Query, NamesJoinsAndGroupsPickTheRecord) {
    LibraryRecord r;
    r.Path = "/x/Wall_Washer.ies";
    r.Titles[Manufacturer] = "ACME and Sons";
    r.Flux = 3000;
    r.Beam = 40;
    r.MaxCd = 900;
    r.BugB = 1;
    r.BugU = 0;
    r.BugG = 2;
    r.Road = "III";
    r.Cutoff = "cutoff";
    r.Ugr = 18.4;
    r.Sc = 1.2;
    const std::pair<const char*, bool> rows[] = {
        {"bug:B1U0G2 road:iii cutoff:cutoff", true},
        {"bug:b2-u1-g2", true}, // or better on each letter
        {"bug:B0U0G2", false},
        {"bug:B1U0G1", false},
        {"b<=1 u=0 g>1", true},
        {"UGR<19 距高比>=1.2", true},
        {"ugr<18.4", false},
        {"road:ii", false},
        {"cutoff:full", false},
        {"l65<3000", false}, // no luminance: no match
        {"acme wall_w flux>=3000 beam:20..40", true},
        {"acme flux>3000", false},
        {"watts<50", false}, // unknown watts match no number
        {"flux >= 3000", true},
        {"flux >=3000 beam= 40", true},
        {"flux=>3000", true},
        {"flux =< 2999", false},
        {"flux==3000", true},
        {"灯具光通量>=3000 光束角<30", false},
        {"灯具光通量＞2999 光束角 ≤ 40 制造商：sons", true}, // a Chinese keyboard's signs
        {"Luminaire flux>=3000 \"Max. intensity\" < 1000 File Name:washer", true},
        {"lamp flux>0", false}, // the rated lamp flux, unknown here
        {"flux>=3000 AND beam<30", false},
        {"flux>=3000 and beam<=40", true},
        {"flux>3000 OR beam:40", true},
        {"flux>3000 Or beam<40", false},
        {"acme (flux>3000 OR beam=40)", true},
        {"nothing OR (acme AND wall)", true},
        {"(nothing OR acme) nothing2", false},
        {"nothing OR acme nothing2", false}, // AND binds closer
        {"\"and\" acme", true},              // a quoted "and" is a word
        {"\"or\"", false},
        {"caption:washer", true}, // no caption: the file name stands for it
        {"", true},
    };
    for (const auto& [text, expected] : rows) {
        const QueryParse q = ParseQuery(text);
        ASSERT_TRUE(q.Ok) << text << ": " << q.Error;
        EXPECT_EQ(Matches(q.Value, r), expected) << text;
    }
    EXPECT_TRUE(Matches(ParseQuery("caption-word").Value, r, "A Caption-Word here"));
    EXPECT_FALSE(Matches(ParseQuery("caption:washer").Value, r, "A Caption"));
}

} // namespace
} // namespace gonilux::library
