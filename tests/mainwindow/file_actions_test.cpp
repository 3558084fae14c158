// The file list's popup menu, keys and double click, the type C export, and the preview's
// picture as a file and on the clipboard, on temporary folders.
#include "auxwindows/report_window.h"
#include "mainwindow/picture_export.h"
#include "mainwindow/picture_export_dialog.h"
#include "photometry/export_text.h"
#include "photometry/file_io.h"
#include "viewer_fixture.h"

#include <QClipboard>
#include <QFileDialog>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTimer>
#include <functional>

namespace gonilux::mainwindow::testing {
namespace {

using browser::PopupMenu;

class FileActionsTest : public ViewerTest {
  protected:
    void SetUp() override {
        ViewerTest::SetUp();
        write("lib/b.ies", kTypeB);
        write("lib/r90.ies", TypeCText(90, "Rot"));
        write("lib/c0.ies", TypeCText(0));
        write("lib/a.b.ies", QByteArray(kTypeB).replace("TILT", "[_KEPT] yes\r\nTILT"));
        open();
        window_->openStartPath(path("lib"));
    }
    FileActions* actions() const { return window_->fileActions(); }
    PopupMenu* popup() const {
        actions()->PopupMenuPopup();
        return actions()->PopupMenu();
    }
};

// What the popup offers for the file shown, a file focused but not shown, two files, a
// subfolder, and the up entry with a favourite and the panel hidden.
TEST_F(FileActionsTest, ThePopupOffersWhatSuitsTheFocusedEntries) {
    QByteArray shown;
    const auto add = [&](const char* what) {
        actions()->PopupMenuPopup();
        shown += QByteArray("== ") + what + "\n" + MenuListing(actions()->PopupMenu());
    };
    select("r90.ies");
    add("r90.ies");
    list()->setCurrentRow(rowOf("b.ies"), QItemSelectionModel::NoUpdate);
    add("b.ies focused");
    EXPECT_TRUE(list()->entryAt(rowOf("b.ies"))->Loaded);
    list()->setCurrentRow(rowOf("r90.ies"), QItemSelectionModel::ClearAndSelect);
    list()->setRowSelected(rowOf("c0.ies"), true);
    add("r90.ies and c0.ies");
    list()->setCurrentRow(1, QItemSelectionModel::ClearAndSelect); // "sub"
    add("sub");
    popup()->Explore1->trigger();
    EXPECT_EQ(shell_->Calls, QStringList{"show " + path("lib/sub")});
    window_->favourites()->AddFavourite("lib", path("lib"));
    ctl<QPushButton>("ButtonHide")->click();
    list()->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
    add("..");
    ExpectSameAsFile("popup.txt", shown);
}

// The view items show the panel's choices and set them; the last item hides and shows the panel.
TEST_F(FileActionsTest, ThePopupsViewItemsFollowAndSetThePanel) {
    PopupMenu* p = popup();
    p->Icons1->trigger();
    EXPECT_TRUE(ctl<QRadioButton>("RadioButtonIcons")->isChecked());
    for (QAction* item : {p->Captions[4], p->Sort1, p->Thumbnails1})
        item->trigger();
    EXPECT_TRUE(ctl<QRadioButton>("RadioButtonThumbnails")->isChecked() &&
                !ctl("CheckBoxSort")->isChecked());
    EXPECT_EQ(ctl<QComboBox>("ComboBoxCaption")->currentIndex(), 4);
    EXPECT_EQ(MenuListing(popup()->View1),
              QStringLiteral("*缩略图\n图标\n列表\n详细信息\n").toUtf8());
    EXPECT_FALSE(p->Sort1->isChecked() || p->Captions[0]->isChecked() ||
                 !p->Captions[4]->isChecked());
    p->Captions[0]->trigger();
    EXPECT_EQ(ctl<QComboBox>("ComboBoxCaption")->currentIndex(), 0);
    p->ShowOptionsPanel->trigger();
    EXPECT_EQ(popup()->ShowOptionsPanel->text(), "显示选项面板");
    p->ShowOptionsPanel->trigger();
    EXPECT_TRUE(o()->isShown());
}

// Type B files convert, type C files at 90 degrees rotate, the others offer nothing; a second run
// replaces the file written first and lists it once, in its sorted place.
TEST_F(FileActionsTest, TheExportWritesTheFileBesideAndListsIt) {
    const QString converted = "部分数据可能丢失。\r文件 %1.ies (B型) 已转换为 %1_C.ies (C型)\r"
                              "光通量: 之前 138.2 lm, 之后 161.1 lm";
    for (auto [file, item, written, message] :
         {std::tuple<QString, QString, QString, QString>{"c0", {}, {}, {}},
          {"b", "另存为C型", "b_C.ies", converted.arg("b")},
          {"r90", "旋转到零度", "r90_R.ies",
           "文件 r90.ies 已旋转并保存为 r90_R.ies\r光通量: 之前 428.3 lm, 之后 428.3 lm"},
          {"a.b", "另存为C型", "a.b_C.ies", converted.arg("a.b")},
          {"b", "另存为C型", "b_C.ies", converted.arg("b")}}) {
        select(file + ".ies");
        messages_.clear();
        EXPECT_EQ(popup()->SaveAsTypeC->isVisible() ? popup()->SaveAsTypeC->text() : QString(),
                  item);
        popup()->SaveAsTypeC->trigger();
        EXPECT_EQ(messages_.size(), item.isEmpty() ? 0 : 1);
        if (item.isEmpty()) continue;
        const ExportText expected = // the source's other keyword lines kept
            BuildExportText(preview()->PreviewIes(), list()->entryAt(list()->currentRow())->Lines,
                            HeaderKeywordLines(read("lib/" + file + ".ies").toStdString()));
        EXPECT_EQ(read("lib/" + written).toStdString(), expected.Text());
        EXPECT_TRUE(IsAuthorFile(QFile::encodeName(path("lib/" + written)).toStdString()));
        EXPECT_EQ(messages_.value(0).Text, message);
        EXPECT_EQ(shownFiles().count(written), 1);
        EXPECT_EQ(list()->entryCaption(rowOf(written) - 1), file + ".ies");
    }
    // The other conversions: each item only where it applies, the file listed, the flux kept.
    const struct {
        const char* File;
        QAction* Item;
        const char* Written;
    } rows[] = {{"b.ies", popup()->SaveAsTypeCResampled, "b_Cr.ies"},
                {"c0.ies", popup()->SaveAsLdt, "c0.ldt"}};
    for (const auto& row : rows) {
        select(row.File);
        messages_.clear();
        EXPECT_TRUE(popup() && row.Item->isVisible() && !popup()->SaveAsIes->isVisible());
        row.Item->trigger();
        EXPECT_EQ(shownFiles().count(row.Written), 1);
        const QRegularExpressionMatch flux =
            QRegularExpression("之前 ([0-9.]+) lm, 之后 ([0-9.]+) lm$")
                .match(messages_.value(0).Text);
        ASSERT_TRUE(flux.hasMatch()) << messages_.value(0).Text.toStdString();
        // within 2 % on this coarse 45-degree record; the core's tests hold real grids to 0.5 %
        EXPECT_NEAR(flux.captured(2).toDouble() / flux.captured(1).toDouble(), 1, 0.02);
    }
    // A damaged file: what is wrong and that nothing was written, as the command line says it.
    write("lib/sub/bad.ies", "TILT=NONE\r\n1 1000 1 3 12a 1 2 0 0 0\r\n1 1 0\r\n");
    window_->openStartPath(path("lib/sub/bad.ies"));
    messages_.clear();
    popup()->SaveAsLdt->trigger();
    EXPECT_EQ(messages_.value(0).Text, "bad.ies: 文件已损坏 (第 2 行); 未写入任何文件");
    EXPECT_FALSE(QFile::exists(path("lib/sub/bad.ldt")));
    window_->openStartPath(path("lib"));
    select("c0.ldt");
    EXPECT_TRUE(popup()->SaveAsIes->isVisible() && !popup()->SaveAsLdt->isVisible() &&
                !popup()->SaveAsTypeCResampled->isVisible());
    popup()->SaveAsIes->trigger();
    EXPECT_EQ(messages_.last().Text,
              "文件 c0.ldt 已保存为 c0.ies (IES)\r光通量: 之前 428.3 lm, 之后 428.3 lm");
}

TEST_F(FileActionsTest, AForeignOrUnwritableTargetIsKept) {
    write("lib/b_C.ies", "foreign");
    select("b.ies");
    for (bool answer : {false, true}) {
        record(answer);
        popup()->SaveAsTypeC->trigger();
        EXPECT_EQ(read("lib/b_C.ies") == "foreign", !answer);
        EXPECT_EQ(shownFiles().count("b_C.ies"), answer ? 1 : 0);
    }
    QDir(root_.path()).mkpath("lib/r90_R.ies"); // the name is taken by a folder
    select("r90.ies");
    messages_.clear();
    popup()->SaveAsTypeC->trigger();
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_[0].Kind, platform::MessageService::Icon::Error);
    EXPECT_TRUE(messages_[0].Text.startsWith("无法写入文件 " + path("lib/r90_R.ies")));
    EXPECT_EQ(shownFiles().count("r90_R.ies"), 0);
}

// Ctrl+C copies the path, the menu key opens the popup, F5 lists new files, Enter opens the file
// by the chosen program, Backspace goes up.
TEST_F(FileActionsTest, KeysAndDoubleClicksOfTheList) {
    select("c0.ies");
    QTest::keyClick(list(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(list(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(shell_->Calls, QStringList{"copy " + path("lib/c0.ies")});
    QTest::keyClick(list(), Qt::Key_Menu);
    EXPECT_TRUE(test::WaitUntil([&] { return actions()->PopupMenu()->isVisible(); }));
    EXPECT_EQ(actions()->PopupMenu()->Captions[1]->text(), "T-1");
    actions()->PopupMenu()->close();
    write("lib/new.ies", TypeCText(0));
    QTest::keyClick(list(), Qt::Key_F5);
    EXPECT_EQ(shownFiles().count("new.ies"), 1);
    ctl<QComboBox>("ComboBoxDblClick")->setCurrentIndex(1);
    select("c0.ies");
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(shell_->Calls.value(1), "text " + path("lib/c0.ies"));
    // A double click opens a file only when "双击" is on, by the chosen program (the popup marks
    // it); it opens a folder entry. The selected files go in list order.
    const QString file = path("lib/c0.ies");
    PopupMenu* p = actions()->PopupMenu();
    for (auto [on, program, mark, call] :
         {std::tuple<bool, int, QAction*, QString>{false, 0, nullptr, {}},
          {true, 0, p->Open1, "open "},
          {true, 1, p->OpenNotepad1, "text "},
          {false, 1, nullptr, {}}}) {
        ctl("CheckBoxDblClick")->setChecked(on);
        ctl<QComboBox>("ComboBoxDblClick")->setCurrentIndex(program);
        EXPECT_EQ(p->defaultAction(), mark);
        shell_->Calls.clear();
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {},
                           list()->visualRect(list()->currentIndex()).center());
        EXPECT_EQ(shell_->Calls, call.isEmpty() ? QStringList() : QStringList{call + file});
    }
    // The popup's items do the same (the last double click above called nothing).
    for (QAction* item : {p->Open1, p->OpenNotepad1, p->CopytoClipboard})
        item->trigger();
    EXPECT_EQ(shell_->Calls, QStringList({"open " + file, "text " + file, "copy " + file}));
    list()->setRowSelected(rowOf("a.b.ies"), true);
    EXPECT_EQ(actions()->SelectedFilePaths(), QStringList({path("lib/a.b.ies"), file}));
    list()->setCurrentRow(1);
    actions()->FolderListViewDblClick();
    EXPECT_EQ(treePath(), path("lib/sub"));
    QTest::keyClick(list(), Qt::Key_Backspace);
    EXPECT_TRUE(test::WaitUntil([&] { return list()->folderPath() == path("lib"); }));
}

// The keys the popup shows work with the focus in any view of the list: the window's (Ctrl+R),
// and those acting when pressed (a release may never come through an input method): Ctrl+C
// copies the selected files' paths as the item does, nothing for a folder entry; F5 lists the
// folder again. In the tree Ctrl+C copies the folder's path, not its caption.
TEST_F(FileActionsTest, TheShownKeysWorkWhenPressedInEveryViewAndCtrlCInTheTree) {
    list()->setCurrentRow(rowOf("c0.ies"), QItemSelectionModel::ClearAndSelect);
    list()->setRowSelected(rowOf("a.b.ies"), true);
    const QString both = "copy " + path("lib/a.b.ies") + "\n" + path("lib/c0.ies");
    for (const char* view :
         {"RadioButtonList", "RadioButtonIcons", "RadioButtonThumbnails", "RadioButtonDetails"}) {
        ctl<QRadioButton>(view)->click();
        QAbstractItemView* shown = list()->shownView();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        QTest::keyClick(shown, Qt::Key_R, Qt::ControlModifier); // a key of the window's
        EXPECT_TRUE(test::WaitUntil([&] { return window_->reportWindow()->isVisible(); })) << view;
        window_->reportWindow()->close();
        shell_->Calls.clear();
        QTest::keyPress(shown, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(shell_->Calls, QStringList{both}) << view;
        QKeyEvent held(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QString(), true);
        QApplication::sendEvent(shown, &held); // held down: once
        QTest::keyRelease(shown, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(shell_->Calls.size(), 1) << view;
    }
    popup()->CopytoClipboard->trigger();
    EXPECT_EQ(shell_->Calls.value(1), both);
    write("lib/new.ies", TypeCText(0));
    QTest::keyPress(list()->shownView(), Qt::Key_F5);
    EXPECT_EQ(shownFiles().count("new.ies"), 1);
    list()->setCurrentRow(1, QItemSelectionModel::ClearAndSelect); // "sub"
    shell_->Calls.clear();
    QTest::keyClick(list()->shownView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(popup()->CopytoClipboard->isVisible());
    QTest::keyClick(window_->folderTree(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(shell_->Calls, QStringList{"copy " + path("lib")});
}

// Answers the next modal dialog once it is up.
void AnswerNextDialog(std::function<void(QWidget*)> answer) {
    QTimer::singleShot(0, qApp, [answer] {
        if (QWidget* dialog = QApplication::activeModalWidget()) return answer(dialog);
        AnswerNextDialog(answer);
    });
}

// At the preview's size the file and the clipboard hold what the preview shows; larger, the same
// drawing enlarged; SVG and PDF are of the size asked for. The item asks for a name (the chosen
// filter's suffix is added) and a size within the limits; a failed write is reported.
TEST_F(FileActionsTest, ThePictureGoesToFilesAndTheClipboardAsShown) {
    select("r90.ies");
    preview()->SpeedButtonFit()->click();
    const PreviewPicture picture = PictureOfPreview(*preview());
    const int side = preview()->PaintBox()->width();
    EXPECT_EQ(DefaultPictureSize(picture), side);
    const QImage shown = preview()->PreviewBitmap().convertToFormat(QImage::Format_RGB32);
    ASSERT_TRUE(ExportPicture(picture, path("same.png"), side) &&
                ExportPicture(picture, path("large.PNG"), 2 * side));
    EXPECT_EQ(QImage(path("same.png")).convertToFormat(QImage::Format_RGB32), shown);
    const QImage large(path("large.PNG"));
    EXPECT_EQ(large.size(), QSize(2 * side, 2 * side));
    EXPECT_EQ(large.pixelColor(4, 4), shown.pixelColor(2, 2));
    popup()->CopyPicture1->trigger();
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), shown);
    PreviewPicture named = picture; // a caption line at the bottom, the drawing above it kept
    named.Caption = "Spot";
    ASSERT_TRUE(ExportPicture(named, path("named.png"), side));
    const QImage captioned = QImage(path("named.png")).convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(captioned.copy(0, 0, side, side - 40) == shown.copy(0, 0, side, side - 40) &&
                captioned != shown);
    AnswerNextDialog([&](QWidget* files) {
        EXPECT_EQ(static_cast<QFileDialog*>(files)->selectedFiles().value(0), path("lib/r90.png"));
        static_cast<QFileDialog*>(files)->selectNameFilter(
            static_cast<QFileDialog*>(files)->nameFilters().value(1));
        static_cast<QFileDialog*>(files)->selectFile(path("lib/chosen"));
        AnswerNextDialog([&](QWidget* sized) {
            auto* size = static_cast<PictureSizeDialog*>(sized);
            EXPECT_EQ(size->size(), side);
            size->sizeBox()->setValue(128);
            size->accept();
        });
        static_cast<QDialog*>(files)->accept();
    });
    popup()->ExportPicture1->trigger();
    const QByteArray svg = read("lib/chosen.svg"); // the preview's drawing scaled to 128 pixels
    EXPECT_TRUE(
        svg.contains("<svg width=\"45.1556mm\" height=\"45.1556mm\"\n viewBox=\"0 0 128 128\"") &&
        svg.contains("<title>r90</title>") && // the file's name: its header names no luminaire
        svg.contains("transform=\"matrix(0.392638,0,0,0.392638,0,0)\""));
    EXPECT_TRUE(messages_.isEmpty());
    ASSERT_TRUE(ExportPicture(picture, path("x.pdf"), 256)); // a named page of 256 points
    EXPECT_TRUE(read("x.pdf").contains("/MediaBox [0 0 256.000000 256.000000]") &&
                read("x.pdf").contains(QByteArray("/Title (\xFE\xFF\0G\0o\0n\0i\0l\0u\0x)", 25)));
    EXPECT_FALSE(ExportPicture(picture, path("gone/x.pdf"), 256));
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].Text.startsWith("无法保存图像\r" + path("gone/x.pdf")));
}

} // namespace
} // namespace gonilux::mainwindow::testing
