// The viewer end to end: tree, list, preview, info label and title on temporary folders.
#include "auxwindows/compare_window.h"
#include "browser/popup_menu.h"
#include "mainwindow/file_actions.h"
#include "mainwindow/options_panel.h"
#include "mainwindow/preview_pane.h"
#include "viewer_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QToolButton>
#include <QWheelEvent>

namespace gonilux::mainwindow::testing {
namespace {

using platform::MessageService;

QByteArray IesText(const QByteArray& manufacturer, const QByteArray& horz, int planes) {
    QByteArray text = "IESNA:LM-63-2002\r\n[TEST] T-1\r\n[MANUFAC] " + manufacturer +
                      "\r\nTILT=NONE\r\n1 1000 1 3 " + QByteArray::number(planes) +
                      " 1 2 0 0 0\r\n1 1 40\r\n0 45 90\r\n" + horz + "\r\n";
    for (int i = 0; i < planes; ++i)
        text += "500 300 0\r\n";
    return text;
}

class MainWindowTest : public ViewerTest {
  protected:
    void SetUp() override {
        ViewerTest::SetUp();
        write(QStringLiteral("lib/full.ies"), IesText("ACME", "0 90 180 270", 4));
        write(QStringLiteral("lib/single.ies"), IesText("Beta", "0", 1));
        write(QStringLiteral("lib/bad.ies"), "TILT=NONE\r\n1 1000 1 3 12a 1 2 0 0 0\r\n1 1 0\r\n");
        open();
    }
    QString libPath() const { return path(QStringLiteral("lib")); }
};

TEST_F(MainWindowTest, OpeningAFolderListsItWithoutReadingFiles) {
    window_->openStartPath(libPath());
    browser::FolderListView* list = window_->fileList();
    EXPECT_EQ(list->Tag(), 2); // ".." and "sub"
    EXPECT_EQ(list->count(), 5);
    for (int row = list->Tag(); row < list->count(); ++row)
        EXPECT_FALSE(list->entryAt(row)->Loaded);
    EXPECT_TRUE(window_->preview()->CurrentFile().isEmpty());
    EXPECT_EQ(window_->windowTitle(),
              QStringLiteral("Gonilux v2.9    ") + QDir::toNativeSeparators(libPath()));
}

TEST_F(MainWindowTest, SelectingAFileShowsItsDiagramInfoAndTitle) {
    window_->openStartPath(libPath());
    select(QStringLiteral("full.ies"));
    PreviewPane* preview = window_->preview();
    EXPECT_EQ(preview->CurrentFile(), QDir(libPath()).filePath(QStringLiteral("full.ies")));
    EXPECT_EQ(window_->infoText(),
              QStringLiteral("文件名:   full.ies\r测试: T-1\r\n生  产  商:   ACME"));
    EXPECT_EQ(window_->applicationTitle(), QStringLiteral("full.ies"));
    EXPECT_TRUE(window_->windowTitle().endsWith(QDir::separator() + QStringLiteral("full.ies")));
    // Slider: one position per plane, starting at the plane of 0 degrees, visible.
    EXPECT_EQ(preview->DegreeTrackBar()->minimum(), 0);
    EXPECT_EQ(preview->DegreeTrackBar()->maximum(), 3);
    EXPECT_EQ(preview->DegreeTrackBar()->value(), 0);
    EXPECT_TRUE(preview->DegreeTrackBar()->isVisible());
    EXPECT_FALSE(preview->LabelAxial()->isVisible());
    EXPECT_TRUE(preview->SpeedButtonPrint()->isEnabled());
    // The composed picture holds the red curve below the centre.
    const QImage& picture = preview->PreviewBitmap();
    ASSERT_FALSE(picture.isNull());
    const int half = picture.height() / 2;
    EXPECT_GT(RedPixels(picture.copy(0, half, picture.width(), picture.height() - half)), 20);
}

TEST_F(MainWindowTest, ASinglePlaneShowsTheAxialLabelAndNoSlider) {
    window_->openStartPath(QDir(libPath()).filePath(QStringLiteral("single.ies")));
    PreviewPane* preview = window_->preview();
    EXPECT_TRUE(preview->CurrentFile().endsWith(QStringLiteral("single.ies")));
    EXPECT_FALSE(preview->DegreeTrackBar()->isVisible());
    EXPECT_FALSE(preview->DegreeTrackBar()->isEnabled());
    EXPECT_TRUE(preview->LabelAxial()->isVisible());
    EXPECT_EQ(preview->LabelAxial()->text(), QStringLiteral("轴对称"));
    // Shift + wheel does nothing without a slider.
    EXPECT_FALSE(preview->stepPlane(1));
}

TEST_F(MainWindowTest, ShiftWheelStepsThePlaneWithinItsRange) {
    window_->openStartPath(QDir(libPath()).filePath(QStringLiteral("full.ies")));
    QSlider* slider = window_->preview()->DegreeTrackBar();
    QWidget* target = window_->preview()->PaintBox();
    auto wheel = [&](int delta, Qt::KeyboardModifiers mods) {
        QPointF pos(10, 10);
        QWheelEvent event(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                          mods, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    };
    wheel(-120, Qt::ShiftModifier);
    EXPECT_EQ(slider->value(), 1);
    wheel(-120, Qt::ControlModifier);
    EXPECT_EQ(slider->value(), 1);
    wheel(120, Qt::ShiftModifier);
    wheel(120, Qt::ShiftModifier);
    EXPECT_EQ(slider->value(), 0);
}

TEST_F(MainWindowTest, SelectingAFolderEntryClearsThePreview) {
    window_->openStartPath(libPath());
    select(QStringLiteral("full.ies"));
    window_->fileList()->setCurrentRow(1); // the subfolder
    QCoreApplication::processEvents();
    EXPECT_TRUE(window_->preview()->CurrentFile().isEmpty());
    EXPECT_TRUE(window_->infoText().isEmpty());
    EXPECT_FALSE(window_->preview()->SpeedButtonPrint()->isEnabled());
}

TEST_F(MainWindowTest, ADamagedHeaderIsReportedOnceWithItsLine) {
    window_->openStartPath(libPath());
    select(QStringLiteral("bad.ies"));
    QTest::qWait(20);
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_[0].Title, QStringLiteral("Error!"));
    EXPECT_EQ(messages_[0].Text, QStringLiteral("Line 2"));
    EXPECT_TRUE(window_->preview()->CurrentFile().endsWith(QStringLiteral("bad.ies")));
}

TEST_F(MainWindowTest, MessagesAskedForWhilePaintingWaitForTheEventLoop) {
    MessageService* service = MessageService::instance();
    {
        MessageService::PaintScope painting(service);
        service->show(QStringLiteral("Error!"), QStringLiteral("Line 3"),
                      MessageService::Icon::Error);
        EXPECT_TRUE(messages_.isEmpty());
        EXPECT_EQ(service->pendingCount(), 1);
    }
    QTest::qWait(20);
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_[0].Text, QStringLiteral("Line 3"));
}

TEST_F(MainWindowTest, LeftClickTogglesFitAndRightClickOrtho) {
    window_->openStartPath(QDir(libPath()).filePath(QStringLiteral("full.ies")));
    PreviewPane* preview = window_->preview();
    const bool fit = preview->SpeedButtonFit()->isChecked();
    const bool ortho = preview->SpeedButtonOrtho()->isChecked();
    QTest::mouseClick(preview->PaintBox(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_NE(preview->SpeedButtonFit()->isChecked(), fit);
    QTest::mouseClick(preview->PaintBox(), Qt::LeftButton, Qt::ShiftModifier, QPoint(20, 20));
    EXPECT_NE(preview->SpeedButtonFit()->isChecked(), fit);
    QTest::mouseClick(preview->PaintBox(), Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_NE(preview->SpeedButtonOrtho()->isChecked(), ortho);
}

TEST_F(MainWindowTest, TitleBarOptionOffShowsOnlyTheCaption) {
    window_->openStartPath(libPath());
    window_->options()->CheckBoxTitleBar->setChecked(false);
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Gonilux v2.9"));
    window_->options()->CheckBoxTitleBar->setChecked(true);
    EXPECT_NE(window_->windowTitle(), QStringLiteral("Gonilux v2.9"));
    window_->DisplayHint(QStringLiteral("?/favourite/folder"));
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Gonilux v2.9    /favourite/folder"));
    window_->DisplayHint(QString());
    EXPECT_TRUE(window_->windowTitle().startsWith(QStringLiteral("Gonilux v2.9    ")));
    EXPECT_NE(window_->windowTitle(), QStringLiteral("Gonilux v2.9    /favourite/folder"));
}

TEST_F(MainWindowTest, PopupItemsOpenTheCompareAndMapWindows) {
    window_->openStartPath(QDir(libPath()).filePath(QStringLiteral("full.ies")));
    browser::TPopupMenu* popup = window_->fileActions()->PopupMenu();
    popup->ShowCompareWindow1->trigger();
    popup->Map1->trigger();
    QCoreApplication::processEvents();
    ASSERT_NE(window_->compareWindow(), nullptr);
    ASSERT_NE(window_->mapWindow(), nullptr);
    EXPECT_TRUE(window_->compareWindow()->isVisible());
    EXPECT_TRUE(window_->mapWindow()->isVisible());
}

} // namespace
} // namespace gonilux::mainwindow::testing
