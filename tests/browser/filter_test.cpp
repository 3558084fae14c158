// The file list's filter: the hidden entries in each view, the reading of unread entries,
// Escape, another folder listed, and where the focus goes.
#include "list_view_fixture.h"

namespace gonilux::browser::testing {
namespace {

class FilterTest : public ListViewTest {
  protected:
    void SetUp() override {
        ListViewTest::SetUp();
        view_.CheckBoxUpClick(true);
        view_.CheckBoxSortClick(true);
        // "alpha.ies" matches "alpha" by name, "b.ies" by its [TEST] string, "c.ies" not at all.
        folder_ = makeFolder("lib",
                             {{"alpha.ies", IesFile("T-1")},
                              {"b.ies", IesFile("ALPHA-7")},
                              {"c.ies", IesFile("T-3 \xE7lair")}}, // Latin-1 ç
                             {"zeta"});
        other_ = makeFolder("other", {{"alpha2.ies", IesFile("T-9")}});
        show(folder_);
    }
    QString folder_, other_;
};

TEST_F(FilterTest, EachViewShowsTheMatchingFilesWithoutRegardToCase) {
    for (auto style : {FolderListView::ViewStyle::List, FolderListView::ViewStyle::Icons,
                       FolderListView::ViewStyle::Thumbnails}) {
        view_.setViewStyle(style);
        show(folder_);
        panels_.clear();
        view_.setFilterText(QStringLiteral("Alpha")); // the titles are read behind the panel
        EXPECT_EQ(panels_, QStringList{"Loading the IES files...||3"});
        EXPECT_FALSE(view_.processingPanel()->isVisible());
        for (const auto& [text, shown] : std::vector<std::pair<QString, QString>>{
                 {"Alpha", "alpha.ies!|b.ies!|~c.ies!"},
                 {"t-3", "~alpha.ies!|~b.ies!|c.ies!"},
                 {"ÇLAIR", "~alpha.ies!|~b.ies!|c.ies!"},
                 {"C.IES", "~alpha.ies!|~b.ies!|c.ies!"},
                 {"nothing like it", "~alpha.ies!|~b.ies!|~c.ies!"},
                 {"", "alpha.ies!|b.ies!|c.ies!"}}) {
            view_.setFilterText(text);
            EXPECT_EQ(dump(), "直到 'lib'|zeta|" + shown) << text.toStdString();
        }
    }
}

TEST_F(FilterTest, ReadingReportsBrokenFilesOnceAndATextSetMeanwhileStartsOver) {
    makeFolder("lib", {{"a0.ies", IesFile("T-0", true)}}); // read first: its box comes mid-pass
    show(folder_);
    onMessage_ = [this] {
        onMessage_ = nullptr;
        EXPECT_TRUE(view_.processingPanel()->isVisible());
        view_.setFilterText(QStringLiteral("T-3"));
    };
    view_.setFilterText(QStringLiteral("alpha"));
    EXPECT_EQ(view_.filterText(), QStringLiteral("T-3"));
    EXPECT_EQ(dump(), "直到 'lib'|zeta|~a0.ies!|~alpha.ies!|~b.ies!|c.ies!");
    EXPECT_FALSE(view_.processingPanel()->isVisible());
    // A file that cannot be opened is tried once, not on every key.
    show(other_);
    ASSERT_TRUE(QFile::remove(other_ + "/alpha2.ies") && QDir(other_).mkdir("alpha2.ies"));
    view_.setFilterText(QStringLiteral("a"));
    view_.setFilterText(QStringLiteral("al"));
    EXPECT_EQ(messages_.size(), 2u);
}

TEST_F(FilterTest, EscapeOrAnotherFolderClearsTheFilterEvenWhileReading) {
    QSignalSpy cleared(&view_, &FolderListView::filterCleared);
    QTest::keyClick(&view_, Qt::Key_Escape); // no filter: nothing to clear
    view_.setFilterText(QStringLiteral("b.ies"));
    QTest::keyClick(&view_, Qt::Key_Escape);
    EXPECT_EQ(dump(), "直到 'lib'|zeta|alpha.ies!|b.ies!|c.ies!");
    view_.setFilterText(QStringLiteral("b.ies"));
    show(folder_); // the same folder again keeps it
    EXPECT_EQ(dump(), "直到 'lib'|zeta|~alpha.ies!|b.ies!|~c.ies!");
    show(other_);
    EXPECT_EQ(cleared.count(), 2);
    // Listing a folder from inside the reading (a message box runs events) ends that reading.
    makeFolder("lib", {{"a0.ies", IesFile("T-0", true)}});
    show(folder_);
    onMessage_ = [this] {
        onMessage_ = nullptr;
        show(other_);
    };
    view_.setFilterText(QStringLiteral("t-"));
    EXPECT_TRUE(view_.filterText().isEmpty());
    EXPECT_EQ(dump(), "直到 'other'|alpha2.ies");
    EXPECT_FALSE(view_.processingPanel()->isVisible());
}

TEST_F(FilterTest, AHiddenFocusMovesToTheFirstVisibleFile) {
    QSignalSpy preview(&view_, &FolderListView::previewItem);
    select(rowOf("c.ies"));
    view_.setRowSelected(rowOf("alpha.ies"), true);
    view_.setFilterText(QStringLiteral("ALPHA-7")); // hides c.ies (focused) and alpha.ies
    EXPECT_EQ(dump(), "直到 'lib'|zeta|~alpha.ies!|b.ies*+!|~c.ies!");
    // The selection followed the focus: b is previewed.
    EXPECT_TRUE(preview.count() == 2 && preview.at(1).at(0).toInt() == rowOf("b.ies"));
    // Nothing left to focus but folder entries: the focus goes there, the preview stays.
    view_.setFilterText(QStringLiteral("nothing like it"));
    EXPECT_EQ(dump(), "直到 'lib'*|zeta|~alpha.ies!|~b.ies!|~c.ies!");
    EXPECT_EQ(preview.count(), 2);
    // A focus that is not selected moves without selecting.
    view_.setFilterText(QString());
    view_.setCurrentRow(rowOf("c.ies"), QItemSelectionModel::NoUpdate);
    view_.setFilterText(QStringLiteral("b.ies"));
    EXPECT_EQ(dump(), "直到 'lib'|zeta|~alpha.ies!|b.ies*!|~c.ies!");
}

TEST_F(FilterTest, SortingAndCaptionChangesKeepTheFilter) {
    view_.setFilterText(QStringLiteral("alpha"));
    view_.ComboBoxCaptionChange(1); // captions become the [TEST] strings, sorted
    EXPECT_EQ(dump(), "直到 'lib'*|zeta|ALPHA-7!|T-1!|~T-3 çlair!");
    view_.CheckBoxSortClick(false);
    view_.ComboBoxCaptionChange(0);
    EXPECT_EQ(dump(), "直到 'lib'*|zeta|b.ies!|alpha.ies!|~c.ies!");
    view_.CheckBoxSortClick(true); // every file row is taken out and put back
    view_.CheckBoxUpClick(false);
    EXPECT_EQ(dump(), "zeta*|alpha.ies!|b.ies!|~c.ies!");
}

} // namespace
} // namespace gonilux::browser::testing
