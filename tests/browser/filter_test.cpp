// The file list's filter: the matching rule, the hidden entries in each view, the reading of
// unread entries, Escape, another folder listed, and where the focus goes.
#include "browser/entry_filter.h"
#include "browser/list_widgets.h"
#include "list_view_fixture.h"

#include <QSignalSpy>
#include <string>

namespace gonilux::browser::testing {
namespace {

// ---- The rule ----

TiesData ReadEntry(const std::string& fileName, const std::string& test,
                   const std::string& manufacturer) {
    TiesData entry = NewFileEntry(QString::fromStdString(fileName));
    entry.Lines.resize(TitleCount);
    entry.Lines[TitleTest] = test;
    entry.Lines[TitleManufacturer] = manufacturer;
    entry.Lines[TitleLamp] = "LED 3000K";
    entry.Loaded = true;
    return entry;
}

TEST(EntryFilter, MatchesCaptionOrAnyTitleWithoutRegardToCase) {
    const TiesData read = ReadEntry("Spot-12.ies", "R-77", "Acme \xE7lairage"); // Latin-1 ç
    const TiesData unread = NewFileEntry(QStringLiteral("Wand_灯具.IES"));
    struct Case {
        const char* Name;
        const TiesData& Entry;
        int Choice;
        QString Text;
        bool Matches;
    };
    const Case cases[] = {
        {"empty text", unread, 0, QString(), true},
        {"file name caption", read, 0, QStringLiteral("spot"), true},
        {"other caption, file name title", read, 2, QStringLiteral("SPOT-1"), true},
        {"test title", read, 0, QStringLiteral("r-7"), true},
        {"8-bit title", read, 0, QStringLiteral("ÇLAIR"), true},
        {"no title has it", read, 0, QStringLiteral("downlight"), false},
        {"unread: name only", unread, 0, QStringLiteral("灯具.ies"), true},
        {"unread: nothing else", unread, 0, QStringLiteral("acme"), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EntryMatchesFilter(c.Entry, c.Choice, c.Text), c.Matches) << c.Name;
}

TEST(EntryFilter, OnlyUnreadEntriesThatCanBeOpenedNeedReading) {
    const QString text = QStringLiteral("x");
    TiesData unread = NewFileEntry(QStringLiteral("a.ies"));
    EXPECT_TRUE(FilterNeedsReading(unread, text));
    EXPECT_FALSE(FilterNeedsReading(unread, QString()));
    EXPECT_FALSE(FilterNeedsReading(ReadEntry("a.ies", "", ""), text));
    unread.Diagnostics.OpenFailed = true;
    EXPECT_FALSE(FilterNeedsReading(unread, text));
}

// ---- The list ----

class FilterTest : public ListViewTest {
  protected:
    void SetUp() override {
        ListViewTest::SetUp();
        view_.CheckBoxUpClick(true);
        view_.CheckBoxSortClick(true); // the folder's files in a known order
        // "alpha.ies" matches "alpha" by name, "b.ies" by its [TEST] string, "c.ies" not at all.
        folder_ = makeFolder("lib",
                             {{"alpha.ies", IesFile("T-1")},
                              {"b.ies", IesFile("ALPHA-7")},
                              {"c.ies", IesFile("T-3")}},
                             {"zeta"});
        other_ = makeFolder("other", {{"alpha2.ies", IesFile("T-9")}});
    }
    // The captions the view lays out (hidden rows have no place), folders included.
    QStringList shown() {
        view_.doItemsLayout();
        QStringList result;
        for (int i = 0; i < view_.count(); ++i) {
            const bool hidden = view_.isRowHidden(i);
            EXPECT_EQ(view_.visualItemRect(view_.item(i)).isEmpty(), hidden) << i;
            if (!hidden) result << view_.item(i)->text();
        }
        return result;
    }
    void selectFile(const QString& name) { select(rowOf(name)); }

    QString folder_;
    QString other_;
};

TEST_F(FilterTest, EachViewShowsTheMatchingFilesAndEveryFolderEntry) {
    const struct {
        const char* Name;
        FolderListView::ViewStyle Style;
    } views[] = {{"list", FolderListView::ViewStyle::List},
                 {"icons", FolderListView::ViewStyle::Icons},
                 {"thumbnails", FolderListView::ViewStyle::Thumbnails}};
    for (const auto& v : views) {
        SCOPED_TRACE(v.Name);
        view_.setViewStyle(v.Style);
        show(folder_);
        const QString up = view_.item(0)->text();
        ASSERT_EQ(loadedCount(), 0);

        view_.setFilterText(QStringLiteral("Alpha"));
        EXPECT_EQ(loadedCount(), 3); // the titles are needed
        EXPECT_FALSE(view_.processingPanel()->isVisible());
        EXPECT_EQ(shown(), (QStringList{up, "zeta", "alpha.ies", "b.ies"}));

        view_.setFilterText(QStringLiteral("t-3"));
        EXPECT_EQ(shown(), (QStringList{up, "zeta", "c.ies"}));
        view_.setFilterText(QStringLiteral("nothing like it"));
        EXPECT_EQ(shown(), (QStringList{up, "zeta"}));
        view_.setFilterText(QString());
        EXPECT_EQ(shown().size(), 5);
    }
}

TEST_F(FilterTest, ReadingShowsTheProgressPanelAndSkipsFilesThatFailedToOpen) {
    makeFolder("lib", {{"d.ies", IesFile("T-4", true)}});
    show(folder_);
    bool panelShown = false;
    onMessage_ = [&] { panelShown = view_.processingPanel()->isVisible(); };
    view_.setFilterText(QStringLiteral("t-"));
    EXPECT_TRUE(panelShown); // the broken header was reported while the panel showed
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(loadedCount(), 4);

    // A file that cannot be opened is tried once, not on every key.
    show(other_);
    ASSERT_TRUE(QFile::remove(other_ + QStringLiteral("/alpha2.ies")));
    ASSERT_TRUE(QDir(other_).mkdir(QStringLiteral("alpha2.ies")));
    view_.setFilterText(QStringLiteral("a"));
    view_.setFilterText(QStringLiteral("al"));
    EXPECT_EQ(messages_.size(), 2u);
}

TEST_F(FilterTest, ATextSetWhileReadingStartsTheReadingOver) {
    makeFolder("lib", {{"a0.ies", IesFile("T-0", true)}});
    show(folder_);
    ASSERT_EQ(rowOf("a0.ies"), view_.Tag()); // read first: its message comes mid-pass
    onMessage_ = [this] {
        onMessage_ = nullptr;
        view_.setFilterText(QStringLiteral("T-3"));
    };
    view_.setFilterText(QStringLiteral("alpha"));
    EXPECT_EQ(view_.filterText(), QStringLiteral("T-3"));
    EXPECT_EQ(loadedCount(), 4);
    EXPECT_EQ(shown(), (QStringList{view_.item(0)->text(), "zeta", "c.ies"}));
    EXPECT_FALSE(view_.processingPanel()->isVisible());
}

TEST_F(FilterTest, AnotherFolderListedClearsTheFilterEvenWhileReading) {
    show(folder_);
    QSignalSpy cleared(&view_, &FolderListView::filterCleared);
    view_.setFilterText(QStringLiteral("alpha"));
    show(folder_); // the same folder again keeps it
    EXPECT_EQ(view_.filterText(), QStringLiteral("alpha"));
    EXPECT_EQ(shown().size(), 4);
    EXPECT_EQ(cleared.count(), 0);

    show(other_);
    EXPECT_TRUE(view_.filterText().isEmpty());
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_EQ(shown().size(), 2);

    // Listing a folder from inside the reading (a message box runs events) ends that reading.
    makeFolder("lib", {{"a0.ies", IesFile("T-0", true)}});
    show(folder_);
    onMessage_ = [this] {
        onMessage_ = nullptr;
        show(other_);
    };
    view_.setFilterText(QStringLiteral("t-"));
    EXPECT_TRUE(view_.filterText().isEmpty());
    EXPECT_EQ(view_.currentFolderPathWithSeparator(), other_ + QLatin1Char('/'));
    EXPECT_EQ(loadedCount(), 0);
    EXPECT_EQ(shown().size(), 2);
    EXPECT_FALSE(view_.processingPanel()->isVisible());
}

TEST_F(FilterTest, EscapeInTheListClearsAnActiveFilter) {
    show(folder_);
    QSignalSpy cleared(&view_, &FolderListView::filterCleared);
    QTest::keyClick(&view_, Qt::Key_Escape); // no filter: nothing to clear
    EXPECT_EQ(cleared.count(), 0);
    view_.setFilterText(QStringLiteral("b.ies"));
    EXPECT_EQ(shown().size(), 3);
    QTest::keyClick(&view_, Qt::Key_Escape);
    EXPECT_TRUE(view_.filterText().isEmpty());
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_EQ(shown().size(), 5);
}

TEST_F(FilterTest, AHiddenFocusMovesToTheFirstVisibleFile) {
    show(folder_);
    QSignalSpy preview(&view_, &FolderListView::previewItem);
    selectFile(QStringLiteral("c.ies"));
    view_.item(rowOf("alpha.ies"))->setSelected(true);
    ASSERT_EQ(preview.count(), 1);

    view_.setFilterText(QStringLiteral("ALPHA-7")); // hides c.ies (focused) and alpha.ies
    const int b = rowOf("b.ies");
    EXPECT_EQ(view_.currentRow(), b);
    EXPECT_EQ(view_.selectedItems(), QList<QListWidgetItem*>{view_.item(b)});
    ASSERT_EQ(preview.count(), 2); // the selection followed the focus: b is previewed
    EXPECT_EQ(preview.at(1).at(0).toInt(), b);

    // Nothing left to focus but folder entries: the focus goes there, the preview stays.
    view_.setFilterText(QStringLiteral("nothing like it"));
    EXPECT_EQ(view_.currentRow(), 0);
    EXPECT_TRUE(view_.selectedItems().isEmpty());
    EXPECT_EQ(preview.count(), 2);

    // A focus that is not selected moves without selecting.
    view_.setFilterText(QString());
    view_.setCurrentItem(view_.item(rowOf("c.ies")), QItemSelectionModel::NoUpdate);
    view_.setFilterText(QStringLiteral("b.ies"));
    EXPECT_EQ(view_.currentRow(), rowOf("b.ies"));
    EXPECT_TRUE(view_.selectedItems().isEmpty());
}

TEST_F(FilterTest, SortingAndCaptionChangesKeepTheFilter) {
    show(folder_);
    view_.setFilterText(QStringLiteral("alpha"));
    view_.ComboBoxCaptionChange(1); // captions become the [TEST] strings, sorted
    const QString up = view_.item(0)->text();
    EXPECT_EQ(shown(), (QStringList{up, "zeta", "ALPHA-7", "T-1"}));
    view_.CheckBoxSortClick(false);
    view_.ComboBoxCaptionChange(0);
    EXPECT_EQ(shown(), (QStringList{up, "zeta", "b.ies", "alpha.ies"}));
    view_.CheckBoxSortClick(true); // every file row is taken out and put back
    EXPECT_EQ(shown(), (QStringList{up, "zeta", "alpha.ies", "b.ies"}));
    view_.CheckBoxUpClick(false);
    EXPECT_EQ(shown(), (QStringList{"zeta", "alpha.ies", "b.ies"}));
}

} // namespace
} // namespace gonilux::browser::testing
