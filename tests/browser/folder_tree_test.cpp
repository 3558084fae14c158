// The folder tree: building one level at a time, what it refuses, when a selection is listed,
// opening a path, refreshing (F5), the stored caption path, and its appearance.
#include "browser/folder_tree.h"
#include "list_view_fixture.h"

#include <QKeyEvent>
#include <QTreeWidgetItemIterator>

namespace gonilux::browser {
namespace {

class FolderTreeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        root_ = QDir::cleanPath(dir_.path());
        for (const char* folder : {"alpha/one", "alpha/two/deep", "beta", ".hidden/inner", "gamma"})
            QDir(root_).mkpath(folder);
        ASSERT_TRUE(QFile(path("beta/lamp.ies")).open(QIODevice::WriteOnly));
        tree_.resize(260, 140);
        tree_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree_));
        QObject::connect(&tree_, &FolderTreeView::folderChanged, [this](QTreeWidgetItem* node) {
            shown_ << tree_.ParsingName(node).mid(root_.size());
        });
        tree_.setRootPath(root_);
        tree_.ButtonCreateTreeClick();
    }
    QString path(const QString& relative) const { return root_ + "/" + relative; }
    QTreeWidgetItem* node(const QString& relative) const {
        return tree_.findNode(relative.isEmpty() ? root_ : path(relative));
    }
    // The children's captions, "(Dummy)" for a placeholder.
    static QString texts(const QTreeWidgetItem* parent) {
        QStringList result;
        for (int i = 0; i < parent->childCount(); ++i)
            result << (FolderTreeView::isDummy(parent->child(i)) ? "(Dummy)"
                                                                 : parent->child(i)->text(0));
        return result.join(',');
    }
    // The expanded nodes, "@" the current one, "^" the top one, "<" the folders listed so far.
    QString state() {
        QStringList expanded;
        for (QTreeWidgetItemIterator it(&tree_); *it; ++it)
            if ((*it)->isExpanded() && (*it)->parent()) expanded << (*it)->text(0);
        return expanded.join(',') + " @" + tree_.currentItem()->text(0) + " ^" +
               tree_.itemAt(QPoint(0, 0))->text(0) + " <" + shown_.join(',');
    }
    void key(QEvent::Type type, int key, bool autoRepeat = false) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(&tree_, &event);
    }
    void settle() { QTest::qWait(FolderTreeView::ChangeDelayMs * 2); }
    // Shows `relative` as a settled selection and forgets what was listed before.
    void settleOn(const QString& relative) {
        tree_.setCurrentItem(node(relative));
        settle();
        shown_.clear();
    }

    QTemporaryDir dir_;
    QString root_;
    FolderTreeView tree_;
    QStringList shown_;
};

TEST_F(FolderTreeTest, BuildsOneLevelAtATimeWithPlaceholders) {
    QTreeWidgetItem* root = tree_.rootNode();
    EXPECT_EQ(root->text(0) + ":" + texts(root),
              QDir(root_).dirName() + ":.hidden,alpha,beta,gamma");
    EXPECT_EQ(texts(node("alpha")) + "|" + texts(node("beta")), "(Dummy)|");
    node("alpha")->setExpanded(true); // expanding lists nothing
    EXPECT_EQ(texts(node("alpha")) + "|" + texts(node("alpha/two")), "one,two|(Dummy)");
    // The root never collapses; nothing expands or collapses while the tree is built.
    tree_.collapseAll();
    node("alpha")->setExpanded(true);
    tree_.setTreeBuilding(true);
    node("alpha")->setExpanded(false);
    node(".hidden")->setExpanded(true);
    tree_.setTreeBuilding(false);
    tree_.setCurrentItem(root);
    EXPECT_EQ(state(), "alpha @" + root->text(0) + " ^" + root->text(0) + " <");
    EXPECT_TRUE(root->isExpanded() && texts(node(".hidden")) == "(Dummy)");
    const FolderListing listing = tree_.listingOf(node("alpha"));
    EXPECT_EQ(listing.NodeText + " " + listing.Children.at(1).Path, "alpha " + path("alpha/two"));
    EXPECT_TRUE(listing.HasParent && listing.Browsable && !tree_.listingOf(root).HasParent);
}

TEST_F(FolderTreeTest, ASelectionIsListedOnlyWhereItSettles) {
    tree_.setCurrentItem(node("alpha"));
    tree_.setCurrentItem(node("beta"));
    tree_.setCurrentItem(node("gamma"));
    EXPECT_TRUE(shown_.isEmpty());
    settle();
    // Selecting creates the children without expanding the node; expanding it lists nothing.
    tree_.setCurrentItem(node("alpha"));
    settle();
    EXPECT_EQ(texts(node("alpha")), "one,two");
    node("alpha")->setExpanded(true);
    // Expanding a node selected but not yet listed lists it at once.
    tree_.setCurrentItem(node(".hidden"));
    node(".hidden")->setExpanded(true);
    EXPECT_EQ(shown_.join(','), "/gamma,/alpha,/.hidden");
    EXPECT_EQ(texts(node(".hidden")), "inner");

    // Holding Down: only the node where the key is released is listed.
    settleOn("");
    key(QEvent::KeyPress, Qt::Key_Down);
    settle();
    key(QEvent::KeyRelease, Qt::Key_Down, true);
    key(QEvent::KeyPress, Qt::Key_Down, true);
    settle();
    EXPECT_TRUE(shown_.isEmpty());
    key(QEvent::KeyRelease, Qt::Key_Down);
    settle();
    EXPECT_EQ(shown_, QStringList{"/.hidden/inner"});
}

TEST_F(FolderTreeTest, OpenPathExpandsTheChainAndListsOnlyTheTarget) {
    for (const QString& target : {path("alpha/two/deep/"), QString(), path("alpha/one/missing/x"),
                                  QString("/"), path("beta/lamp.ies")})
        tree_.openPath(target);
    settle();
    EXPECT_EQ(state(), "alpha,two @beta ^" + tree_.rootNode()->text(0) +
                           " </alpha/two/deep,,/alpha/one,,/beta");
}

TEST_F(FolderTreeTest, RefreshKeepsExpandedNodesSelectionAndTopNode) {
    for (int i = 1; i <= 20; ++i)
        QDir(root_).mkpath(QStringLiteral("d%1/s/t").arg(i, 2, 10, QChar('0')));
    tree_.ButtonRefreshClick();
    for (const char* expanded : {"d05", "d05/s", "d09"})
        node(expanded)->setExpanded(true);
    node("d09")->setExpanded(false);
    settleOn("d05/s/t");
    tree_.scrollToItem(node("d04"), QAbstractItemView::PositionAtTop);
    QDir(root_).mkpath("d05/s/new");
    QStringList events;
    QObject::connect(&tree_, &FolderTreeView::aboutToRebuild, [&] { events << "rebuild"; });
    QObject::connect(&tree_, &FolderTreeView::leavingFolder,
                     [&](const QString& left) { events << "leave " + left.mid(root_.size()); });
    // F5 refreshes once, on its release.
    key(QEvent::KeyPress, Qt::Key_F5);
    key(QEvent::KeyRelease, Qt::Key_F5, true);
    key(QEvent::KeyPress, Qt::Key_F5, true);
    EXPECT_TRUE(events.isEmpty());
    key(QEvent::KeyRelease, Qt::Key_F5);
    EXPECT_EQ(events.join(','), "leave /d05/s/t,rebuild");
    EXPECT_EQ(state(), "d05,s @t ^d04 </d05/s/t");
    EXPECT_EQ(texts(node("d05/s")), "new,t");
    EXPECT_TRUE(!tree_.treeBuilding() && tree_.isEnabled());

    // Vanished folders are skipped; the selection falls back to the root.
    ASSERT_TRUE(QDir(path("d05")).removeRecursively());
    shown_.clear();
    tree_.ButtonRefreshClick();
    const QString root = tree_.rootNode()->text(0);
    EXPECT_EQ(state(), " @" + root + " ^" + root + " <");
}

TEST_F(FolderTreeTest, TheStoredCaptionPathReopensTheSameFolder) {
    tree_.openPath(path("alpha/two"));
    const QString stored = tree_.GetTreePath();
    EXPECT_EQ(stored, QDir(root_).dirName() + "/alpha/two/");
    node("alpha")->setExpanded(false);
    settleOn("beta");
    tree_.setCurrentItem(node("alpha")); // selected, not listed yet: only the target is listed
    tree_.OpenTreePath(stored);
    settle();
    EXPECT_EQ(state(), "alpha @two ^" + tree_.rootNode()->text(0) + " </alpha/two");
    // In a new tree once the folder is gone: its deepest surviving ancestor.
    ASSERT_TRUE(QDir(path("alpha/two")).removeRecursively());
    FolderTreeView reopened;
    reopened.setRootPath(root_);
    reopened.ButtonCreateTreeClick();
    EXPECT_EQ(reopened.ParsingName(reopened.OpenTreePath(stored)), path("alpha"));
}

TEST_F(FolderTreeTest, LinesButtonsAndPresetsDrawTheBranches) {
    node("alpha")->setExpanded(true);
    tree_.setCurrentItem(nullptr);
    const auto branches = [this](const char* name) {
        testing::ExpectPicture(tree_.viewport()->grab().toImage().copy(0, 0, 19, 120), name);
    };
    EXPECT_EQ(tree_.preset(), TreePreset::Windows9x);
    branches("tree_lines.png");
    tree_.setShowButtons(false);
    branches("tree_lines_no_buttons.png");
    tree_.setShowButtons(true);
    tree_.applyPreset(TreePreset::WindowsXP);
    branches("tree_no_lines.png");
    // Auto-expand opens a node with subfolders when it is listed.
    settleOn("gamma");
    settleOn(".hidden");
    EXPECT_TRUE(node(".hidden")->isExpanded() && !node("gamma")->isExpanded());
    tree_.setLargeIcons(true);
    EXPECT_EQ(tree_.iconSize(), QSize(32, 32));
}

} // namespace
} // namespace gonilux::browser
