// The auxiliary windows in the viewer: the render button, automatic re-rendering, the compare
// window from the fit button and the render settings beside the main window's.
#include "../mainwindow/viewer_fixture.h"
#include "auxwindows/compare_window.h"
#include "auxwindows/render_image.h"
#include "auxwindows/render_window.h"
#include "mainwindow/preview_pane.h"
#include "photometry/ini_document.h"

#include <QPushButton>
#include <QToolButton>

namespace gonilux::mainwindow::testing {
namespace {

QByteArray IesText(const QByteArray& values) {
    return "IESNA:LM-63-2002\r\n[MANUFAC] ACME\r\nTILT=NONE\r\n1 1000 1 3 4 1 2 0 0 0\r\n1 1 40\r\n"
           "0 45 90\r\n0 90 180 270\r\n" +
           values + "\r\n";
}

class ToolsWiringTest : public ViewerTest {
  protected:
    void SetUp() override {
        ViewerTest::SetUp();
        write(QStringLiteral("a.ies"), IesText("500 300 0\r\n400 200 0\r\n300 100 0\r\n200 100 0"));
        write(QStringLiteral("b.ies"),
              IesText("900 800 700\r\n900 800 700\r\n900 800 700\r\n900 800 700"));
        open();
        window_->openStartPath(path(QStringLiteral("a.ies")));
        QCoreApplication::processEvents();
    }
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
    ASSERT_TRUE(LoadIniFile(path(QStringLiteral("gonilux.ini")).toStdString(), ini, error));
    EXPECT_EQ(ini.ValueOr("Render", "Brightness", ""), "77");
    EXPECT_TRUE(ini.HasSection("Viewer"));
    EXPECT_TRUE(messages_.isEmpty()) << messages_.front().Text.toStdString();
}

} // namespace
} // namespace gonilux::mainwindow::testing
