// The file list's popup menu, keys and the type C export on temporary folders.
#include "browser/popup_menu.h"
#include "mainwindow/file_actions.h"
#include "mainwindow/options_panel.h"
#include "mainwindow/preview_pane.h"
#include "photometry/export_text.h"
#include "photometry/file_io.h"
#include "viewer_fixture.h"

#include <QFileInfo>

namespace gonilux::mainwindow::testing {
namespace {

using browser::TPopupMenu;

class FileActionsTest : public ViewerTest {
  protected:
    void SetUp() override {
        ViewerTest::SetUp();
        write(QStringLiteral("lib/b.ies"), TypeBText());
        write(QStringLiteral("lib/r90.ies"), TypeCText(90, "Rot"));
        write(QStringLiteral("lib/c0.ies"), TypeCText(0));
        write(QStringLiteral("lib/a.b.ies"), TypeBText());
        open();
        window_->openStartPath(path(QStringLiteral("lib")));
    }
    TFileActions* actions() const { return window_->fileActions(); }
    TPopupMenu* popup() const {
        actions()->PopupMenuPopup();
        return actions()->PopupMenu();
    }
    QString captionOf(int i) const {
        return actions()->PopupMenu()->Captions[static_cast<std::size_t>(i)]->text();
    }
};

TEST_F(FileActionsTest, PopupForOneFileOffersFileItemsAndItsTitles) {
    select(QStringLiteral("r90.ies"));
    TPopupMenu* p = popup();
    for (QAction* shown : {p->Open1, p->OpenNotepad1, p->CopytoClipboard, p->SaveAsTypeC})
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    for (QAction* hidden : {p->Openfolder1, p->Explore1, p->AddToFavorites1})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_EQ(captionOf(0), QStringLiteral("r90.ies"));
    EXPECT_EQ(captionOf(1), QStringLiteral("Rot"));
    EXPECT_EQ(captionOf(2), QStringLiteral("Beta"));
    EXPECT_EQ(captionOf(3), QStringLiteral("r90.ies")); // empty title: the file name
    EXPECT_EQ(p->ShowOptionsPanel->text(), QStringLiteral("隐藏选项面板"));
    ASSERT_EQ(p->Favorites1->actions().size(), 1);
    EXPECT_FALSE(p->Favorites1->actions().front()->isEnabled());
}

TEST_F(FileActionsTest, PopupForTwoFilesShowsFixedCaptionsAndNoFileItems) {
    select(QStringLiteral("r90.ies"));
    list()->item(rowOf(QStringLiteral("c0.ies")))->setSelected(true);
    TPopupMenu* p = popup();
    for (QAction* hidden :
         {p->Open1, p->OpenNotepad1, p->CopytoClipboard, p->SaveAsTypeC, p->Openfolder1})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    for (int i = 0; i < TPopupMenu::kCaptionCount; ++i)
        EXPECT_EQ(captionOf(i), TPopupMenu::FixedCaptions()[static_cast<std::size_t>(i)]);
}

TEST_F(FileActionsTest, PopupForAFolderEntryAndForNoFocusOffersFolderItems) {
    list()->setCurrentRow(list()->Tag() - 1); // "sub"
    TPopupMenu* p = popup();
    EXPECT_TRUE(p->Openfolder1->isVisible());
    EXPECT_TRUE(p->Explore1->isVisible());
    EXPECT_TRUE(p->AddToFavorites1->isVisible());
    EXPECT_FALSE(p->Open1->isVisible());
    EXPECT_FALSE(p->SaveAsTypeC->isVisible());
    p->Openfolder1->trigger();
    p->Explore1->trigger();
    EXPECT_EQ(shell_->Calls,
              QStringList({QStringLiteral("folder ") + path(QStringLiteral("lib/sub")),
                           QStringLiteral("show ") + path(QStringLiteral("lib/sub"))}));
    list()->setCurrentItem(nullptr);
    popup();
    EXPECT_TRUE(p->Openfolder1->isVisible());
    EXPECT_FALSE(p->Open1->isVisible());
    EXPECT_FALSE(p->CopytoClipboard->isVisible());
}

TEST_F(FileActionsTest, ExportItemFollowsTheShownRecord) {
    const struct {
        const char* File;
        bool Visible;
        const char* Caption;
    } cases[] = {{"b.ies", true, "Save as type C"},
                 {"r90.ies", true, "Rotate to zero"},
                 {"c0.ies", false, nullptr}};
    for (const auto& c : cases) {
        select(QString::fromLatin1(c.File));
        TPopupMenu* p = popup();
        EXPECT_EQ(p->SaveAsTypeC->isVisible(), c.Visible) << c.File;
        if (c.Caption) {
            EXPECT_EQ(p->SaveAsTypeC->text(), QString::fromLatin1(c.Caption)) << c.File;
        }
    }
}

TEST_F(FileActionsTest, ExportWritesTheFileAndListsItOnceAfterTwoRuns) {
    select(QStringLiteral("b.ies"));
    actions()->SaveAsTypeCClick();
    const QString target = path(QStringLiteral("lib/b_C.ies"));
    ASSERT_TRUE(QFileInfo::exists(target));
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const ExportText expected = BuildExportText(
        window_->preview()->PreviewIes(), list()->entryAt(rowOf(QStringLiteral("b.ies")))->Lines);
    EXPECT_EQ(file.readAll().toStdString(), expected.Text());
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_[0].Title, QStringLiteral("Save type B as C"));
    EXPECT_EQ(messages_[0].Text, QStringLiteral("Some data can be lost.\rFile b.ies (type B) "
                                                "successfully converted to b_C.ies (type C)"));
    select(QStringLiteral("b.ies"));
    actions()->SaveAsTypeCClick();
    EXPECT_EQ(entriesNamed(QStringLiteral("b_C.ies")), 1);
    EXPECT_EQ(messages_.size(), 2);
    // The new entry is listed in sorted place and is marked as written by this program.
    const int row = rowOf(QStringLiteral("b_C.ies"));
    EXPECT_EQ(list()->item(row)->text(), QStringLiteral("b_C.ies"));
    EXPECT_EQ(list()->item(row - 1)->text(), QStringLiteral("b.ies"));
    EXPECT_TRUE(IsAuthorFile(QFile::encodeName(target).toStdString()));
}

TEST_F(FileActionsTest, ExportOfADottedNameKeepsTheInnerDot) {
    select(QStringLiteral("a.b.ies"));
    actions()->SaveAsTypeCClick();
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("lib/a.b_C.ies"))));
    EXPECT_EQ(entriesNamed(QStringLiteral("a.b_C.ies")), 1);
}

TEST_F(FileActionsTest, RotationSavesUnderTheRotationSuffix) {
    select(QStringLiteral("r90.ies"));
    actions()->SaveAsTypeCClick();
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("lib/r90_R.ies"))));
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_[0].Text,
              QStringLiteral("File r90.ies successfully rotated and saved to r90_R.ies"));
}

TEST_F(FileActionsTest, AForeignFileIsReplacedOnlyWhenConfirmed) {
    write(QStringLiteral("lib/b_C.ies"), "foreign");
    platform::MessageService::instance()->setRecorder(
        [this](const platform::MessageService::Message& m) { messages_.append(m); }, false);
    select(QStringLiteral("b.ies"));
    actions()->SaveAsTypeCClick();
    QFile file(path(QStringLiteral("lib/b_C.ies")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("foreign"));
    file.close();
    EXPECT_EQ(entriesNamed(QStringLiteral("b_C.ies")), 0);
    platform::MessageService::instance()->setRecorder(
        [this](const platform::MessageService::Message& m) { messages_.append(m); }, true);
    actions()->SaveAsTypeCClick();
    EXPECT_TRUE(IsAuthorFile(QFile::encodeName(path(QStringLiteral("lib/b_C.ies"))).toStdString()));
    EXPECT_EQ(entriesNamed(QStringLiteral("b_C.ies")), 1);
}

TEST_F(FileActionsTest, AnUnwritableTargetIsReportedAndNotListed) {
    QDir(root_.path()).mkpath(QStringLiteral("lib/b_C.ies")); // the name is taken by a folder
    select(QStringLiteral("b.ies"));
    const int before = list()->count();
    actions()->SaveAsTypeCClick();
    ASSERT_FALSE(messages_.isEmpty());
    EXPECT_EQ(messages_.back().Kind, platform::MessageService::Icon::Error);
    EXPECT_TRUE(messages_.back().Text.contains(QStringLiteral("b_C.ies")));
    EXPECT_EQ(list()->count(), before);
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("lib/b_C.ies"))).isDir());
}

TEST_F(FileActionsTest, CtrlCCopiesThePathAndOtherChordsDoNot) {
    select(QStringLiteral("c0.ies"));
    QTest::keyClick(list(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(shell_->Calls.isEmpty());
    QTest::keyClick(list(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(shell_->Calls,
              QStringList{QStringLiteral("copy ") + path(QStringLiteral("lib/c0.ies"))});
}

TEST_F(FileActionsTest, BackspaceGoesToTheParentFolder) {
    window_->openStartPath(path(QStringLiteral("lib/sub")));
    ASSERT_EQ(list()->folderPath(), path(QStringLiteral("lib")) + QStringLiteral("/sub"));
    QTest::keyClick(list(), Qt::Key_Backspace);
    QTRY_COMPARE(list()->folderPath(), path(QStringLiteral("lib")));
}

TEST_F(FileActionsTest, DoubleClickOpensByTheChosenProgramOnlyWhenEnabled) {
    window_->options()->CheckBoxDblClick->setChecked(false);
    select(QStringLiteral("c0.ies"));
    actions()->FolderListViewDblClick();
    EXPECT_TRUE(shell_->Calls.isEmpty());
    window_->options()->CheckBoxDblClick->setChecked(true);
    EXPECT_EQ(actions()->PopupMenu()->defaultAction(), actions()->PopupMenu()->Open1);
    actions()->FolderListViewDblClick();
    window_->options()->ComboBoxDblClick->setCurrentIndex(1);
    EXPECT_EQ(actions()->PopupMenu()->defaultAction(), actions()->PopupMenu()->OpenNotepad1);
    QTest::keyClick(list(), Qt::Key_Return);
    const QString file = path(QStringLiteral("lib/c0.ies"));
    EXPECT_EQ(shell_->Calls,
              QStringList({QStringLiteral("open ") + file, QStringLiteral("text ") + file}));
    window_->options()->CheckBoxDblClick->setChecked(false);
    EXPECT_EQ(actions()->PopupMenu()->defaultAction(), nullptr);
}

} // namespace
} // namespace gonilux::mainwindow::testing
