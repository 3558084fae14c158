// The search of a folder's subtree through the library index: a number term finds a file deep
// in the tree and nothing outside it, the newest search alone answers, a cache folder that cannot
// be written gives one note, and the search can go mid-update keeping the rows written.
#include "browser/subtree_search.h"
#include "wait_until.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>

namespace gonilux::browser {
namespace {

const QString kReal = GONILUX_TESTDATA_DIR "/ies-real/tobspr-RenderPipeline/";

// "id:" and the paths found, with watts and the manufacturer's first word.
struct Answers {
    explicit Answers(SubtreeSearch& search) {
        QObject::connect(&search, &SubtreeSearch::found, [this](int id, const auto& records) {
            found << QString::number(id) + ":";
            for (const library::LibraryRecord& r : records)
                found.back() += QString::fromStdString(r.Path + " " + r.Titles[1].substr(0, 8)) +
                                QStringLiteral(" %1;").arg(r.Watts);
        });
        QObject::connect(&search, &SubtreeSearch::noted, [this](const QString& n) { notes << n; });
    }
    QStringList found, notes;
};

library::Query Parsed(const char* text) {
    return library::ParseQuery(text).Value;
}

TEST(SubtreeSearch, ANumberTermFindsNestedFilesTheNewestSearchAnswersAndAFileForAFolderIsANote) {
    for (const char* index : {"cache/index.sqlite", "plain/index.sqlite"}) { // "plain" is a file
        QTemporaryDir tree; // a/bollard.ies 100 W, a/b/c/tight_focused.ies 175 W, other/ the same
        for (const auto& [from, to] : {std::pair{"bollard.ies", "a/"},
                                       {"tight_focused.ies", "a/b/c/"},
                                       {"tight_focused.ies", "other/"}}) {
            QDir(tree.path()).mkpath(to);
            QFile::copy(kReal + from, tree.filePath(to) + from);
        }
        QFile(tree.filePath("plain")).open(QIODevice::WriteOnly);
        SubtreeSearch search(tree.filePath(index));
        Answers got(search);
        const QString a = tree.filePath("a");
        search.Search(a, Parsed("acme")); // superseded before it answers
        const int id = search.Search(a, Parsed("watts>150"));
        ASSERT_TRUE(test::WaitUntil([&] { return got.found.size() == 1; }));
        search.Search(a, Parsed("watts<150"), false);
        search.Cancel();
        const int last = search.Search(
            tree.path(), Parsed("(watts:90..180 OR manufacturer:nobody) AND 输入功率 >= 90"),
            false);
        ASSERT_TRUE(test::WaitUntil([&] { return got.found.size() == 2; }));
        EXPECT_FALSE(test::WaitUntil([&] { return got.found.size() > 2; }, 300));
        const QString deep = a + "/b/c/tight_focused.ies INFINITY 175;";
        const QString near = a + "/bollard.ies H.E. WIL 100;";
        // other/ was not brought up to date: only a's rows are there.
        EXPECT_EQ(got.found, (QStringList{QString::number(id) + ":" + deep,
                                          QString::number(last) + ":" + deep + near}));
        EXPECT_EQ(got.notes.filter("using one in memory").size(), index[0] == 'p' ? 1 : 0);
        EXPECT_EQ(got.notes.size(), index[0] == 'p' ? 1 : 0);
    }
}

TEST(SubtreeSearch, GoingMidUpdateKeepsTheRowsWritten) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("tree");
    for (int i = 0; i < 4000; ++i)
        std::filesystem::create_hard_link((kReal + "bollard.ies").toStdString(),
                                          dir.filePath("tree/%1.ies").arg(i).toStdString());
    const std::string index = dir.filePath("index.sqlite").toStdString();
    auto search = std::make_unique<SubtreeSearch>(dir.filePath("index.sqlite"));
    search->Search(dir.filePath("tree"), {});
    ASSERT_TRUE(test::WaitUntil([&] { return library::LibraryIndex(index).Count() > 0; }, 60000));
    search.reset();
    library::LibraryIndex after(index);
    const long long kept = after.Count(); // a batch or two
    const library::UpdateCounts counts = after.Update(dir.filePath("tree").toStdString());
    EXPECT_EQ(std::tuple(kept < 4000, counts.Unchanged, counts.Added + counts.Unchanged),
              std::tuple(true, kept, 4000));
}

} // namespace
} // namespace gonilux::browser
