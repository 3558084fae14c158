// The main window as a user handles it: resizing and maximising, a damaged settings file, the
// hints, the options panel's scroll bar, the language of the run, the keyboard.
#include "auxwindows/compare_window.h"
#include "mainwindow/language.h"
#include "viewer_fixture.h"

#include <QCommandLineParser>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

namespace gonilux::mainwindow::testing {
namespace {

class WindowBehaviourTest : public ViewerTest {
  protected:
    void SetUp() override {
        ViewerTest::SetUp();
        size_ = {}; // the size the settings give
    }
    // Left column width, preview height, info panel height.
    QList<int> panes() const {
        return {window_->splitter()->sizes().value(0), window_->splitter1()->sizes().value(1),
                window_->splitter2()->sizes().value(1)};
    }
    // The settings file written at close, its lines sorted (the order of keys aside).
    QList<QByteArray> writtenLines() {
        window_.reset();
        QList<QByteArray> lines = read("gonilux.ini").split('\n');
        std::sort(lines.begin(), lines.end());
        return lines;
    }
    // Presses a key in the active window; the widget that has the focus then.
    QWidget* press(QWidget* at, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        window_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        QTest::keyClick(at, key, modifiers);
        return QApplication::focusWidget();
    }
};

// The list and the tree take up every change of the window's size; a window closed maximised
// comes back maximised over the same panes, and leaving that state gives the normal bounds back.
TEST_F(WindowBehaviourTest, TheListTakesUpEveryChangeOfTheWindowsSize) {
    const QByteArray ini = "[Viewer]\nWidth=600\nHeight=400\nLeft=10\nTop=20\nTree=200\nRight=250\n"
                           "Info=80\n";
    open(ini);
    const QList<int> kept = {250, 200, 80};
    EXPECT_EQ(panes(), kept);
    window_->resize(700, 450);
    ASSERT_TRUE(test::WaitUntil([&] { return window_->size() == QSize(700, 450); }));
    EXPECT_EQ(panes(), kept);
    open(QByteArray(ini).replace("[Viewer]\n", "[Viewer]\nState=2\n"));
    ASSERT_TRUE(test::WaitUntil(
        [&] { return window_->isMaximized() && window_->size() != QSize(600, 400); }));
    EXPECT_EQ(panes(), kept);
    window_->showNormal();
    ASSERT_TRUE(test::WaitUntil([&] { return window_->size() == QSize(600, 400); }));
    EXPECT_EQ(panes(), kept);
    EXPECT_EQ(QRect(window_->pos(), window_->size()), QRect(10, 20, 600, 400));
    // Sizes that no longer fit leave the tree and the list usable, the info panel at its height.
    open("[Viewer]\nWidth=600\nHeight=400\nTree=900\nRight=900\nInfo=300\n");
    EXPECT_EQ(window_->folderTree()->height(), 100);
    EXPECT_GE(list()->width(), 200);
    EXPECT_EQ(panes().value(2), 101);
    open("[Viewer]\nWidth=600\nHeight=400\nTree=0\n"); // the preview keeps 150 pixels
    EXPECT_EQ(panes().value(1), 150);
}

// What a malformed value keeps from being read keeps the defaults a first start writes.
TEST_F(WindowBehaviourTest, AMalformedValueLeavesTheDefaultsForTheRest) {
    open();
    const QList<QByteArray> expected = writtenLines();
    for (const char* bad : {"[Viewer]\nState=bad\n", "[Viewer]\nWidth=wide\n"}) {
        messages_.clear();
        open(bad);
        EXPECT_EQ(messages_.size(), 1) << bad;
        EXPECT_EQ(writtenLines(), expected) << bad;
    }
}

// "记住设置" stored off leaves its two sub-options disabled; the window's hints come at once.
TEST_F(WindowBehaviourTest, StoredSwitchesAndHintsTakeEffectAtStart) {
    open("[GroupBoxExFavorites]\nCheckBoxFavs=0\n");
    EXPECT_FALSE(ctl("CheckBoxFavViews")->isEnabled() || ctl("CheckBoxFavCaptions")->isEnabled());
    const QWidget* hinted = ctl("CheckBoxOn");
    EXPECT_EQ(hinted->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, hinted), 0);
}

// Groups taller than the panel get a scroll bar that reaches the last group; the wheel and the
// bar move the same stack, and without need there is no bar.
TEST_F(WindowBehaviourTest, TheOptionsPanelScrollsToItsLastGroup) {
    open("[Viewer]\nWidth=600\nHeight=400\n[GroupBoxExView]\nCollapsed=0\n"
         "[GroupBoxExList]\nCollapsed=0\n");
    QScrollBar* bar = ctl<QScrollBar>("ScrollBarPanel");
    ASSERT_TRUE(bar->isVisible());
    EXPECT_LE(ctl<QWidget>("PanelMainChild")->width() + bar->width(), o()->width());
    QWheelEvent wheel({5, 5}, ctl<QLabel>("LabelMy")->mapToGlobal(QPointF(5, 5)), {}, {0, -120},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(o(), &wheel); // as a wheel event reaches it from the controls
    EXPECT_GT(bar->value(), 0);
    bar->setValue(0); // a click below the handle scrolls by the panel's height
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(-ctl<QWidget>("PanelMainChild")->y(), std::min(o()->height(), bar->maximum()));
    bar->setValue(bar->maximum());
    const QWidget* other = ctl<TGroupBoxEx>("GroupBoxExOther");
    EXPECT_TRUE(o()->rect().contains(QRect(other->mapTo(o(), QPoint()), other->size())));
    for (TGroupBoxEx* group : o()->groups())
        group->setCollapsed(true);
    EXPECT_TRUE(test::WaitUntil([&] { return !bar->isVisible(); }));
}

// "--lang en" shows English in the box while the stored choice stays as it was.
TEST_F(WindowBehaviourTest, TheLanguageBoxShowsTheLanguageOfTheRun) {
    QCommandLineParser parser;
    parser.addOption(LanguageOption());
    QString error;
    parser.parse({"gonilux", "--lang", "en"});
    EXPECT_EQ(StartLanguage(parser, iniPath(), error), Language::English);
    open("[GroupBoxExOther]\nLanguage=zh\n");
    EXPECT_EQ(ctl<QComboBox>("ComboBoxLanguage")->currentText(), "English");
    window_.reset();
    EXPECT_EQ(ReadLanguageSetting(iniPath()), Language::Chinese);
    parser.parse({"gonilux"}); // the next runs go without the option
    EXPECT_EQ(StartLanguage(parser, iniPath(), error), Language::Chinese);
}

// Tab goes tree, list, preview, options panel; Ctrl+P, Ctrl+E, Ctrl+K and Ctrl+F reach printing,
// picture export, the compare window and the filter, and the popup shows its items' keys.
TEST_F(WindowBehaviourTest, TheKeyboardReachesThePanesAndTheCommands) {
    write("lib/c.ies", TypeCText(0));
    open();
    window_->openStartPath(path("lib/c.ies"));
    window_->folderTree()->setFocus();
    QString order;
    for (int i = 0; i < 4; ++i) {
        const QWidget* now = press(nullptr, Qt::Key_Tab);
        const QList<QWidget*> panes = {window_->folderTree(), list(), preview(), o()};
        for (int pane = 0; pane < panes.size(); ++pane)
            if (now == panes[pane] || panes[pane]->isAncestorOf(now))
                order += QString::number(pane);
    }
    EXPECT_EQ(order, "1233"); // list, preview, options panel (its first two controls)
    QStringList dialogs;
    for (Qt::Key key : {Qt::Key_P, Qt::Key_E}) {
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        QTimer::singleShot(0, qApp, [&] { // the dialog is up by then
            QWidget* dialog = QApplication::activeModalWidget();
            dialogs << (dialog ? dialog->metaObject()->className() : "none");
            if (dialog) dialog->close();
        });
        QTest::keyClick(list(), key, Qt::ControlModifier);
    }
    EXPECT_EQ(dialogs.join(','), "QPrintDialog,QFileDialog");
    press(list(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_TRUE(window_->compareWindow()->isVisible());
    EXPECT_EQ(press(list(), Qt::Key_F, Qt::ControlModifier), window_->filterEdit());
    const browser::PopupMenu* p = window_->fileActions()->PopupMenu();
    EXPECT_EQ(p->ExportPicture1->shortcut().toString() +
                  p->ShowCompareWindow1->shortcut().toString(),
              "Ctrl+ECtrl+K");
}

} // namespace
} // namespace gonilux::mainwindow::testing
