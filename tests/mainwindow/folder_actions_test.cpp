// What the window does with folders: "加" before an entry is chosen, "浏览", a vanished folder,
// and Shift+F10 on the list.
#include "viewer_fixture.h"

namespace gonilux::mainwindow::testing {
namespace {

class FolderActionsTest : public ViewerTest {
  protected:
    void SetUp() override {
        ViewerTest::SetUp();
        write("lib/c0.ies", TypeCText(0));
        open();
    }
};

// The focus the listing puts on the first entry is not a choice: "加" adds the shown folder
// (without the up entry, and at the tree's root) until an entry is selected.
TEST_F(FolderActionsTest, AddTakesTheShownFolderUntilAnEntryIsSelected) {
    ctl("CheckBoxUp")->setChecked(false);
    for (const QString& shown : {path("lib"), root_.path()}) {
        window_->openStartPath(shown);
        ASSERT_EQ(list()->currentRow(), 0);
        ctl<QPushButton>("ButtonAdd")->click();
        EXPECT_GE(window_->favourites()->FindFavourite(shown), 0) << shown.toStdString();
    }
    list()->setCurrentRow(1, QItemSelectionModel::ClearAndSelect); // "other"
    ASSERT_TRUE(ctl<QPushButton>("ButtonAdd")->isEnabled());
    ctl<QPushButton>("ButtonAdd")->click();
    EXPECT_GE(window_->favourites()->FindFavourite(path("other")), 0);
    EXPECT_EQ(window_->favourites()->count(), 3);
}

// "浏览" asks the file manager to open the folder itself, not to show it in its parent.
TEST_F(FolderActionsTest, BrowseOpensTheFolderItself) {
    QTemporaryDir bin;
    QFile program(bin.filePath("dbus-send"));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\necho \"$*\" > ${0%/*}/log\n");
    program.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    program.close();
    platform::ShellActions::setInstance(std::make_unique<platform::DesktopShellActions>());
    const QByteArray searchPath = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());
    window_->openStartPath(path("lib"));
    list()->setCurrentRow(1, QItemSelectionModel::ClearAndSelect); // "sub"
    window_->fileActions()->PopupMenu()->Explore1->trigger();
    qputenv("PATH", searchPath);
    EXPECT_TRUE(ReadFile(bin.filePath("log"))
                    .contains("FileManager1.ShowFolders array:string:file://" +
                              path("lib/sub").toUtf8() + " string:"));
}

// The node of a vanished folder is selected: nothing is listed and the info panel says why.
TEST_F(FolderActionsTest, AVanishedFolderIsShownAsGone) {
    browser::FolderTreeView* tree = window_->folderTree();
    ASSERT_TRUE(QDir(path("other")).removeRecursively());
    tree->setCurrentItem(tree->findNode(path("other")));
    EXPECT_TRUE(test::WaitUntil([&] { return list()->folderPath() == path("other"); }));
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(window_->labelInfo()->text(), "此文件夹已不存在\n" + path("other"));
}

// Shift+F10 opens the list's popup as the menu key does.
TEST_F(FolderActionsTest, ShiftF10OpensTheListsPopup) {
    window_->openStartPath(path("lib/c0.ies"));
    QTest::keyClick(list(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(test::WaitUntil([&] { return window_->fileActions()->PopupMenu()->isVisible(); }));
    EXPECT_EQ(window_->fileActions()->PopupMenu()->Captions[1]->text(), "T-1");
    window_->fileActions()->PopupMenu()->close();
}

} // namespace
} // namespace gonilux::mainwindow::testing
