// The report window from the main window: Ctrl+R opens it on the shown file, nothing while no
// file is shown; it follows the shown file and the files selected in the list. Where the popup
// offers the item, and its key, are in the popup's listings (popup.txt, popup_menu.txt).
#include "auxwindows/report_window.h"
#include "viewer_fixture.h"

namespace gonilux::mainwindow::testing {
namespace {

TEST_F(ViewerTest, CtrlROpensTheReportWhichFollowsTheList) {
    write("lib/c0.ies", TypeCText(0));
    write("lib/c90.ies", TypeCText(90, "T-2"));
    open();
    window_->openStartPath(path("lib"));
    auxwindows::ReportWindow* report = window_->reportWindow();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(list(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_FALSE(report->isVisible()); // no file shown yet
    select("c0.ies");
    QTest::keyClick(list(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(::test::WaitUntil([&] { return report->isVisible(); }));
    EXPECT_EQ(report->ReportFile(), path("lib/c0.ies"));
    select("c90.ies");
    EXPECT_TRUE(::test::WaitUntil([&] { return report->ReportFile() == path("lib/c90.ies"); }));
    list()->setRowSelected(rowOf("c0.ies"), true);
    EXPECT_TRUE(::test::WaitUntil([&] { return report->overlayPlan().Drawn(); }));
}

} // namespace
} // namespace gonilux::mainwindow::testing
