// The file list over the tree's selection, wired as the main window wires them: a folder that
// has vanished, and F5 on the folder shown.
#include "browser/folder_tree.h"
#include "list_view_fixture.h"

namespace gonilux::browser::testing {
namespace {

class FolderBehaviourTest : public ListViewTest {
  protected:
    void SetUp() override {
        ListViewTest::SetUp();
        makeFolder("lib", {{"a.ies", IesFile("T-1")}}, {"sub"});
        makeFolder("other", {});
        QObject::connect(
            &tree_, &FolderTreeView::folderChanged, &view_,
            [this](QTreeWidgetItem* node) { view_.ShowFolderContents(tree_.listingOf(node)); });
        tree_.setRootPath(root_.path());
        tree_.ButtonCreateTreeClick();
        tree_.show();
        view_.CheckBoxUpClick(true);
    }
    QTreeWidgetItem* node(const QString& name) const {
        return tree_.findNode(root_.filePath(name));
    }
    // Selects the folder's node as a click does and waits until the list shows it.
    void choose(const QString& name) {
        ASSERT_NE(node(name), nullptr);
        tree_.setCurrentItem(node(name));
        ASSERT_TRUE(test::WaitUntil([&] { return view_.folderPath() == root_.filePath(name); }))
            << name.toStdString();
    }

    FolderTreeView tree_;
};

// A removed folder, or one with a file in its place, is selected like any other; the list shows
// nothing of it, not its old subfolders nor the way up, and says it has vanished.
TEST_F(FolderBehaviourTest, AVanishedFolderIsSelectedAndListsNothing) {
    choose("lib");
    EXPECT_EQ(dump(), "直到 'lib'|sub|a.ies");
    EXPECT_FALSE(view_.folderVanished());
    choose("other");
    ASSERT_TRUE(QDir(root_.filePath("lib")).removeRecursively());
    ASSERT_TRUE(QDir(root_.filePath("other")).removeRecursively());
    write("other", "a file where the folder was");
    for (const char* name : {"lib", "other"}) {
        choose(name);
        EXPECT_EQ(tree_.currentItem(), node(name));
        EXPECT_EQ(dump(), "") << name;
        EXPECT_TRUE(view_.folderVanished()) << name;
    }
    choose(QString());
    EXPECT_FALSE(view_.folderVanished());
}

// F5 lists the shown folder again: the caption choice goes back to the file name (and the
// options panel is told) unless it is kept; listing again for the .ldt switch keeps it.
TEST_F(FolderBehaviourTest, F5ShowsFileNamesAgainUnlessTheCaptionIsKept) {
    choose("lib");
    QSignalSpy choices(&view_, &FolderListView::captionChoiceChanged);
    for (bool keep : {false, true}) {
        view_.setKeepCaption(keep);
        chooseCaption(1);
        QTest::keyRelease(&tree_, Qt::Key_F5);
        EXPECT_TRUE(settled());
        EXPECT_EQ(view_.folderPath(), root_.filePath("lib"));
        EXPECT_EQ(dump(), keep ? "直到 'lib'|sub|T-1!" : "直到 'lib'|sub|a.ies") << keep;
    }
    view_.setKeepCaption(false);
    view_.CheckBoxLdtClick(false);
    EXPECT_TRUE(settled());
    EXPECT_EQ(dump(), "直到 'lib'*|sub|T-1!"); // the focus comes back to the first entry
    QStringList emitted;
    for (const QList<QVariant>& choice : choices)
        emitted << choice.at(0).toString();
    EXPECT_EQ(emitted.join(','), "1,0,1");
}

} // namespace
} // namespace gonilux::browser::testing
