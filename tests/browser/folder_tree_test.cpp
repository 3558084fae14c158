#include "browser/folder_tree.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <unistd.h>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace gonilux::browser {
namespace {

class FolderTreeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        root_ = QDir::cleanPath(dir_.path());
        QFile file(path("beta/lamp.ies"));
        makeDirs({"alpha/one", "alpha/two/deep", "beta", ".hidden/inner", "gamma"});
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        tree_.resize(260, 140);
        tree_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree_));
        QObject::connect(&tree_, &FolderTreeView::folderChanged,
                         [this](QTreeWidgetItem* node) { shown_.append(tree_.ParsingName(node)); });
    }

    void makeDirs(const QStringList& relative) {
        for (const QString& folder : relative)
            ASSERT_TRUE(QDir(root_).mkpath(folder));
    }
    QString path(const QString& relative) const { return root_ + "/" + relative; }
    void build() {
        tree_.setRootPath(root_);
        tree_.ButtonCreateTreeClick();
    }
    QTreeWidgetItem* node(const QString& relative) const {
        return tree_.findNode(relative.isEmpty() ? root_ : path(relative));
    }
    static QStringList texts(const QTreeWidgetItem* parent) {
        QStringList result;
        for (int i = 0; i < parent->childCount(); ++i)
            result.append(parent->child(i)->text(0));
        return result;
    }
    void sendKey(QEvent::Type type, int key, bool autoRepeat = false) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(&tree_, &event);
    }
    // Shows `relative` as a settled selection and forgets what was listed before.
    void settleOn(const QString& relative) {
        tree_.setCurrentItem(node(relative));
        tree_.FolderTreeViewChange(node(relative));
        QTest::qWait(FolderTreeView::ChangeDelayMs * 2);
        shown_.clear();
    }

    QTemporaryDir dir_;
    QString root_;
    FolderTreeView tree_;
    QStringList shown_;
};

TEST_F(FolderTreeTest, BuildsRootAndFirstLevelWithPlaceholdersWhereSubfoldersExist) {
    build();
    QTreeWidgetItem* root = tree_.rootNode();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), QDir(root_).dirName());
    EXPECT_EQ(tree_.ParsingName(root), root_);
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(texts(root), (QStringList{".hidden", "alpha", "beta", "gamma"}));
    for (const char* folder : {".hidden", "alpha"}) {
        QTreeWidgetItem* item = node(folder);
        ASSERT_NE(item, nullptr) << folder;
        ASSERT_EQ(item->childCount(), 1) << folder;
        EXPECT_TRUE(FolderTreeView::isDummy(item->child(0)));
        EXPECT_EQ(tree_.ParsingName(item->child(0)), QString());
    }
    EXPECT_EQ(node("beta")->childCount(), 0); // files only
}

TEST_F(FolderTreeTest, ExpandingReplacesThePlaceholderByOneLevel) {
    build();
    node("alpha")->setExpanded(true);
    EXPECT_EQ(texts(node("alpha")), (QStringList{"one", "two"}));
    EXPECT_EQ(node("alpha/one")->childCount(), 0);
    ASSERT_EQ(node("alpha/two")->childCount(), 1);
    EXPECT_TRUE(FolderTreeView::isDummy(node("alpha/two")->child(0)));
    EXPECT_TRUE(shown_.isEmpty()); // expanding does not list
}

TEST_F(FolderTreeTest, RootNeverCollapsesAndBuildingBlocksExpandAndCollapse) {
    build();
    tree_.rootNode()->setExpanded(false);
    EXPECT_TRUE(tree_.rootNode()->isExpanded());
    tree_.collapseAll();
    EXPECT_TRUE(tree_.rootNode()->isExpanded());

    node("alpha")->setExpanded(true);
    tree_.setTreeBuilding(true);
    node("alpha")->setExpanded(false);
    node(".hidden")->setExpanded(true);
    tree_.setTreeBuilding(false);
    EXPECT_TRUE(node("alpha")->isExpanded());
    EXPECT_FALSE(node(".hidden")->isExpanded());
    EXPECT_TRUE(FolderTreeView::isDummy(node(".hidden")->child(0)));
    node("alpha")->setExpanded(false);
    EXPECT_FALSE(node("alpha")->isExpanded());
}

// A folder that cannot be listed any more: removed after the tree was built, or locked.
class UnlistableFolderTest : public FolderTreeTest, public ::testing::WithParamInterface<bool> {
  protected:
    bool removed() const { return GetParam(); }
    void SetUp() override {
        FolderTreeTest::SetUp();
        if (!removed() && geteuid() == 0) GTEST_SKIP() << "the superuser can list any folder";
    }
    void makeUnlistable(const QString& relative) {
        if (removed())
            ASSERT_TRUE(QDir(path(relative)).removeRecursively());
        else
            ASSERT_TRUE(QFile::setPermissions(path(relative), QFileDevice::Permissions()));
    }
    void TearDown() override {
        QFile::setPermissions(path("alpha"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
    }
};

TEST_P(UnlistableFolderTest, RefusesSelectionAndExpansion) {
    build();
    settleOn(".hidden");
    makeUnlistable("alpha");
    QTreeWidgetItem* alpha = node("alpha");

    tree_.setCurrentItem(alpha);
    EXPECT_EQ(tree_.currentItem(), node(".hidden"));
    QTest::mouseClick(tree_.viewport(), Qt::LeftButton, {}, tree_.visualItemRect(alpha).center());
    EXPECT_EQ(tree_.currentItem(), node(".hidden"));
    sendKey(QEvent::KeyPress, Qt::Key_Down); // the next node is alpha
    sendKey(QEvent::KeyRelease, Qt::Key_Down);
    EXPECT_EQ(tree_.currentItem(), node(".hidden"));
    EXPECT_EQ(tree_.selectedItems(), QList<QTreeWidgetItem*>{node(".hidden")});

    alpha->setExpanded(true);
    EXPECT_FALSE(alpha->isExpanded());
    ASSERT_EQ(alpha->childCount(), 1);
    EXPECT_TRUE(FolderTreeView::isDummy(alpha->child(0)));
    EXPECT_FALSE(tree_.listingOf(alpha).Browsable);
    QTest::qWait(FolderTreeView::ChangeDelayMs * 2);
    EXPECT_TRUE(shown_.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Folder, UnlistableFolderTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Removed" : "Locked";
                         });

TEST_F(FolderTreeTest, SelectionIsListedAfterTheDelayOnlyWhereItSettles) {
    build();
    tree_.setCurrentItem(node("alpha"));
    tree_.setCurrentItem(node("beta"));
    tree_.setCurrentItem(node("gamma"));
    EXPECT_TRUE(shown_.isEmpty());
    QTest::qWait(FolderTreeView::ChangeDelayMs * 3);
    EXPECT_EQ(shown_, QStringList{path("gamma")});
    EXPECT_EQ(tree_.lastTreeNode(), node("gamma"));

    // Selecting creates the children without expanding the node.
    tree_.setCurrentItem(node("alpha"));
    QTest::qWait(FolderTreeView::ChangeDelayMs * 3);
    EXPECT_EQ(texts(node("alpha")), (QStringList{"one", "two"}));
    EXPECT_FALSE(node("alpha")->isExpanded());
    // Expanding the selected node again lists nothing new; it is already shown.
    node("alpha")->setExpanded(true);
    EXPECT_EQ(shown_, (QStringList{path("gamma"), path("alpha")}));

    // Expanding a node selected but not yet listed lists it at once.
    tree_.setCurrentItem(node(".hidden"));
    node(".hidden")->setExpanded(true);
    EXPECT_EQ(shown_.size(), 3);
    EXPECT_EQ(shown_.last(), path(".hidden"));
    EXPECT_EQ(texts(node(".hidden")), QStringList{"inner"});
}

TEST_F(FolderTreeTest, HoldingDownListsOnlyTheNodeWhereTheKeyIsReleased) {
    build();
    settleOn("");
    sendKey(QEvent::KeyPress, Qt::Key_Down);
    QTest::qWait(FolderTreeView::ChangeDelayMs * 2);
    for (int repeat = 0; repeat < 2; ++repeat) {
        sendKey(QEvent::KeyRelease, Qt::Key_Down, true);
        sendKey(QEvent::KeyPress, Qt::Key_Down, true);
        QTest::qWait(FolderTreeView::ChangeDelayMs * 2);
    }
    EXPECT_TRUE(shown_.isEmpty());
    EXPECT_EQ(tree_.currentItem(), node("beta"));
    sendKey(QEvent::KeyRelease, Qt::Key_Down);
    EXPECT_EQ(shown_, QStringList{path("beta")});
    QTest::qWait(FolderTreeView::ChangeDelayMs * 2);
    EXPECT_EQ(shown_, QStringList{path("beta")});
    EXPECT_TRUE(tree_.treeReady());
}

TEST_F(FolderTreeTest, OpenPathExpandsTheChainAndListsOnlyTheTarget) {
    build();
    QTreeWidgetItem* deep = tree_.openPath(path("alpha/two/deep/"));
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(tree_.ParsingName(deep), path("alpha/two/deep"));
    EXPECT_EQ(tree_.currentItem(), deep);
    EXPECT_TRUE(node("alpha")->isExpanded());
    EXPECT_TRUE(node("alpha/two")->isExpanded());
    EXPECT_FALSE(deep->isExpanded());
    QTest::qWait(FolderTreeView::ChangeDelayMs * 2);
    EXPECT_EQ(shown_, QStringList{path("alpha/two/deep")});

    struct Case {
        QString target;
        QString selected;
    };
    for (const Case& c :
         {Case{path("alpha/one/missing/x"), path("alpha/one")}, Case{QStringLiteral("/"), root_},
          Case{QString(), root_}, Case{path("beta/lamp.ies"), path("beta")}}) {
        QTreeWidgetItem* reached = tree_.openPath(c.target);
        ASSERT_NE(reached, nullptr) << c.target.toStdString();
        EXPECT_EQ(tree_.ParsingName(reached), c.selected) << c.target.toStdString();
        EXPECT_EQ(tree_.currentItem(), reached);
        EXPECT_EQ(shown_.last(), c.selected);
    }
}

TEST_F(FolderTreeTest, ListingOfANodeHandsOverItsChildrenInTreeOrder) {
    build();
    const FolderListing rootListing = tree_.listingOf(tree_.rootNode());
    EXPECT_EQ(rootListing.Path, root_);
    EXPECT_FALSE(rootListing.HasParent);
    EXPECT_TRUE(rootListing.Browsable);
    ASSERT_EQ(rootListing.Children.size(), 4);
    EXPECT_EQ(rootListing.Children.at(1).Name, "alpha");
    EXPECT_EQ(rootListing.Children.at(1).Path, path("alpha"));

    const FolderListing alpha = tree_.listingOf(node("alpha")); // still a placeholder
    EXPECT_EQ(alpha.NodeText, "alpha");
    EXPECT_TRUE(alpha.HasParent);
    ASSERT_EQ(alpha.Children.size(), 2);
    EXPECT_EQ(alpha.Children.at(0).Path, path("alpha/one"));
    EXPECT_EQ(alpha.Children.at(1).Path, path("alpha/two"));
    EXPECT_TRUE(tree_.listingOf(node("gamma")).Children.isEmpty());
}

class FolderTreeRefreshTest : public FolderTreeTest {
  protected:
    void SetUp() override {
        FolderTreeTest::SetUp();
        for (int i = 1; i <= 20; ++i)
            makeDirs({QStringLiteral("d%1/s/t").arg(i, 2, 10, QChar('0'))});
        build();
    }
    QStringList expandedPaths() const {
        QStringList paths;
        for (QTreeWidgetItemIterator it(const_cast<FolderTreeView*>(&tree_)); *it; ++it)
            if ((*it)->isExpanded() && (*it)->parent() != nullptr)
                paths.append(tree_.ParsingName(*it));
        return paths;
    }
    QString topPath() const { return tree_.ParsingName(tree_.itemAt(QPoint(0, 0))); }
};

TEST_F(FolderTreeRefreshTest, KeepsExpandedNodesSelectionAndTopNode) {
    node("d05")->setExpanded(true);
    node("d05/s")->setExpanded(true);
    node("d09")->setExpanded(true);
    node("d09")->setExpanded(false); // its children stay, and so does nothing else
    settleOn("d05/s/t");
    tree_.scrollToItem(node("d04"), QAbstractItemView::PositionAtTop);
    ASSERT_EQ(topPath(), path("d04"));
    makeDirs({"d05/s/new", "d06/later"});
    const QStringList before = expandedPaths();
    QStringList events;
    QObject::connect(&tree_, &FolderTreeView::aboutToRebuild, [&] { events.append("rebuild"); });
    QObject::connect(&tree_, &FolderTreeView::leavingFolder,
                     [&](const QString& left) { events.append("leave " + left); });

    tree_.ButtonRefreshClick();
    EXPECT_EQ(events, (QStringList{"leave " + path("d05/s/t"), "rebuild"}));
    EXPECT_EQ(expandedPaths(), before);
    EXPECT_EQ(tree_.ParsingName(tree_.currentItem()), path("d05/s/t"));
    EXPECT_EQ(shown_, QStringList{path("d05/s/t")});
    EXPECT_EQ(topPath(), path("d04"));
    EXPECT_EQ(texts(node("d05/s")), (QStringList{"new", "t"}));
    EXPECT_FALSE(tree_.treeBuilding());
    EXPECT_TRUE(tree_.isEnabled());
}

TEST_F(FolderTreeRefreshTest, SkipsVanishedFoldersAndFallsBackToTheRoot) {
    node("d03")->setExpanded(true);
    node("d07")->setExpanded(true);
    node("d07/s")->setExpanded(true);
    settleOn("d07/s");
    tree_.scrollToItem(node("d07"), QAbstractItemView::PositionAtTop);
    ASSERT_TRUE(QDir(path("d07")).removeRecursively());

    tree_.ButtonRefreshClick();
    EXPECT_EQ(expandedPaths(), QStringList{path("d03")});
    EXPECT_EQ(tree_.currentItem(), tree_.rootNode());
    EXPECT_EQ(shown_, QStringList{root_});
    EXPECT_EQ(topPath(), root_);
}

TEST_F(FolderTreeRefreshTest, F5ReleaseRefreshesOnce) {
    settleOn("d02");
    int rebuilds = 0;
    QObject::connect(&tree_, &FolderTreeView::aboutToRebuild, [&] { ++rebuilds; });
    sendKey(QEvent::KeyPress, Qt::Key_F5);
    sendKey(QEvent::KeyRelease, Qt::Key_F5, true);
    sendKey(QEvent::KeyPress, Qt::Key_F5, true);
    EXPECT_EQ(rebuilds, 0);
    sendKey(QEvent::KeyRelease, Qt::Key_F5);
    EXPECT_EQ(rebuilds, 1);
    EXPECT_EQ(tree_.ParsingName(tree_.currentItem()), path("d02"));
}

TEST(FolderTreePresetTest, PresetFollowsLinesAutoExpandAndHotTracking) {
    struct Case {
        bool lines, autoExpand, hotTrack;
        TreePreset preset;
    };
    // Each preset, and one step away from either.
    for (const Case c :
         {Case{true, false, false, TreePreset::Windows9x},
          Case{false, true, true, TreePreset::WindowsXP},
          Case{true, true, true, TreePreset::Custom}, Case{false, false, false, TreePreset::Custom},
          Case{false, true, false, TreePreset::Custom}})
        EXPECT_EQ(treePresetFor(c.lines, c.autoExpand, c.hotTrack), c.preset)
            << c.lines << c.autoExpand << c.hotTrack;

    FolderTreeView tree;
    EXPECT_EQ(tree.preset(), TreePreset::Windows9x);
    tree.applyPreset(TreePreset::WindowsXP);
    EXPECT_TRUE(tree.autoExpand() && tree.hotTracking() && !tree.showLines());
    tree.applyPreset(TreePreset::Custom);
    EXPECT_EQ(tree.preset(), TreePreset::WindowsXP);
    tree.setShowLines(true);
    EXPECT_EQ(tree.preset(), TreePreset::Custom);
}

TEST(TreePathRule, CutsOneComponentAtATime) {
    QString path = QStringLiteral("Desktop/File System/data/");
    EXPECT_EQ(FolderTreeView::CutPathComponent(path), QStringLiteral("Desktop"));
    EXPECT_EQ(FolderTreeView::CutPathComponent(path), QStringLiteral("File System"));
    EXPECT_EQ(FolderTreeView::CutPathComponent(path), QStringLiteral("data"));
    EXPECT_EQ(path, QString());
    QString bare = QStringLiteral("no-slash");
    EXPECT_EQ(FolderTreeView::CutPathComponent(bare), QString());
    EXPECT_EQ(bare, QStringLiteral("no-slash"));
}

TEST(TreePathRule, StoredPathReopensTheSameFolder) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("a/b/c")));
    const auto absolute = [&](const char* relative) {
        return QDir(root.filePath(QString::fromUtf8(relative))).absolutePath();
    };
    QString stored;
    {
        FolderTreeView tree;
        tree.setRootPath(root.path());
        tree.ButtonCreateTreeClick();
        tree.openPath(root.filePath(QStringLiteral("a/b")));
        stored = tree.GetTreePath();
        EXPECT_TRUE(stored.endsWith(QStringLiteral("/a/b/"))) << stored.toStdString();
    }
    // Reopened in a new tree; once the folder is gone, its deepest surviving ancestor.
    for (const char* expected : {"a/b", "a"}) {
        FolderTreeView reopened;
        reopened.setRootPath(root.path());
        reopened.ButtonCreateTreeClick();
        QSignalSpy listed(&reopened, &FolderTreeView::folderChanged);
        QTreeWidgetItem* node = reopened.OpenTreePath(stored);
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(reopened.ParsingName(node), absolute(expected));
        EXPECT_EQ(listed.count(), 1); // only the final folder is listed
        QDir(root.filePath(QStringLiteral("a/b"))).removeRecursively();
    }
}

} // namespace
} // namespace gonilux::browser
