// The auxiliary windows in the viewer: the render button, automatic re-rendering, the compare
// window from the fit button and the render settings beside the main window's.
#include "auxwindows/compare_window.h"
#include "auxwindows/render_image.h"
#include "auxwindows/render_window.h"
#include "browser/folder_list_view.h"
#include "mainwindow/main_window.h"
#include "mainwindow/preview_pane.h"
#include "photometry/ini_document.h"
#include "platform/message_service.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace gonilux::mainwindow {
namespace {

using platform::MessageService;

QByteArray IesText(const QByteArray& values) {
    return "IESNA:LM-63-2002\r\n[MANUFAC] ACME\r\nTILT=NONE\r\n1 1000 1 3 4 1 2 0 0 0\r\n1 1 40\r\n"
           "0 45 90\r\n0 90 180 270\r\n" +
           values + "\r\n";
}

class ToolsWiringTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        write("a.ies", IesText("500 300 0\r\n400 200 0\r\n300 100 0\r\n200 100 0"));
        write("b.ies", IesText("900 800 700\r\n900 800 700\r\n900 800 700\r\n900 800 700"));
        MessageService::instance()->setRecorder(
            [this](const MessageService::Message& m) { messages_.append(m.Text); });
        start_.RootPath = root_.path();
        start_.SettingsFile = root_.filePath(QStringLiteral("gonilux.ini"));
        window_ = std::make_unique<TMainWindow>(start_);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        window_->openStartPath(root_.filePath(QStringLiteral("a.ies")));
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        window_.reset();
        MessageService::instance()->setRecorder({});
    }
    void write(const char* name, const QByteArray& bytes) {
        QFile file(root_.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void select(const QString& fileName) {
        browser::FolderListView* list = window_->fileList();
        for (int row = list->Tag(); row < list->count(); ++row)
            if (list->entryFilePath(row).endsWith(QLatin1Char('/') + fileName))
                list->setCurrentRow(row);
        QCoreApplication::processEvents();
    }

    QTemporaryDir root_;
    StartOptions start_;
    QStringList messages_;
    std::unique_ptr<TMainWindow> window_;
};

TEST_F(ToolsWiringTest, RenderButtonShowsTheWindowWhichFollowsSelectionAndPlane) {
    PreviewPane* preview = window_->preview();
    auxwindows::TRenderWindow* render = window_->renderWindow();
    ASSERT_NE(render, nullptr);
    ASSERT_TRUE(preview->CurrentFile().endsWith(QStringLiteral("a.ies")));
    QTest::mouseClick(preview->SpeedButtonRender(), Qt::LeftButton);
    EXPECT_TRUE(preview->SpeedButtonRender()->isChecked());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(render));
    EXPECT_EQ(render->RenderedFile(), preview->CurrentFile());
    const int renders = render->renderCount();

    preview->DegreeTrackBar()->setValue(2);
    EXPECT_EQ(render->RenderedPlane(), 2);
    EXPECT_EQ(render->renderedImage(),
              auxwindows::DoRender(preview->PreviewIes(), render->currentParams()));
    select(QStringLiteral("b.ies"));
    EXPECT_TRUE(render->RenderedFile().endsWith(QStringLiteral("b.ies")));
    EXPECT_EQ(render->renderCount(), renders + 2);

    render->SBUpdate()->setChecked(false); // automatic update off: selection no longer renders
    select(QStringLiteral("a.ies"));
    EXPECT_EQ(render->renderCount(), renders + 2);

    QTest::mouseClick(render->ButtonClose(), Qt::LeftButton);
    EXPECT_FALSE(render->isVisible());
    EXPECT_FALSE(preview->SpeedButtonRender()->isChecked());
}

TEST_F(ToolsWiringTest, RightReleaseOverFitOpensTheCompareWindowWithASnapshot) {
    PreviewPane* preview = window_->preview();
    const bool fit = preview->SpeedButtonFit()->isChecked();
    QTest::mouseRelease(preview->SpeedButtonFit(), Qt::RightButton);
    auxwindows::TBigGonioWin* compare = window_->compareWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(compare));
    EXPECT_EQ(preview->SpeedButtonFit()->isChecked(), fit);
    EXPECT_EQ(compare->CompareIes().Candela[0][0], 500);
    EXPECT_EQ(compare->windowTitle(), QStringLiteral("a.ies"));
    select(QStringLiteral("b.ies"));
    EXPECT_EQ(compare->CompareIes().Candela[0][0], 500);
    window_->showCompareWindow();
    EXPECT_EQ(compare->CompareIes().Candela[0][0], 900);
    window_->showMapWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_->mapWindow()));
}

TEST_F(ToolsWiringTest, RenderSectionIsWrittenWithTheMainWindowsSettings) {
    window_->renderWindow()->TrackBar2()->setValue(77);
    window_->close();
    window_.reset();
    IniDocument ini;
    std::string error;
    ASSERT_TRUE(LoadIniFile(start_.SettingsFile.toStdString(), ini, error));
    EXPECT_EQ(ini.ValueOr("Render", "Brightness", ""), "77");
    EXPECT_TRUE(ini.HasSection("Viewer"));
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join(QLatin1Char('|')).toStdString();
}

} // namespace
} // namespace gonilux::mainwindow
