// The viewer end to end: tree, list, preview, info label and title on temporary folders, the
// switches of the options panel, the panel's hiding, scrolling and hover-time field, and the
// splitters.
#include "auxwindows/compare_window.h"
#include "auxwindows/render_window.h"
#include "auxwindows/report_window.h"
#include "mainwindow/layout_rules.h"
#include "viewer_fixture.h"

#include <QLabel>
#include <QSplitter>
#include <QWheelEvent>
#include <QWindow>

namespace gonilux::mainwindow::testing {
namespace {

class MainWindowTest : public ViewerTest {
  protected:
    void SetUp() override {
        ViewerTest::SetUp();
        write("lib/b.ies", kTypeB);
        write("lib/c0.ies", TypeCText(0));
        write("lib/one.ies", "IESNA:LM-63-2002\r\nTILT=NONE\r\n1 1000 1 3 1 1 2 0 0 0\r\n1 1 40\r\n"
                             "0 45 90\r\n0\r\n500 300 0\r\n");
        write("lib/bad.ies", "TILT=NONE\r\n1 1000 1 3 12a 1 2 0 0 0\r\n1 1 0\r\n");
        QFile::copy(GONILUX_TESTDATA_DIR "/ldt-real/JosefJerabek-illumination_map/FLD152-D1.ldt",
                    path("lib/f.ldt"));
        open();
    }
    // A mouse move over the file list at `x` (from the list's right edge when negative).
    void moveOverList(int x, Qt::MouseButtons buttons = {}, Qt::KeyboardModifiers mods = {}) {
        const QPointF at(x < 0 ? list()->viewport()->width() + x : x, 50);
        QMouseEvent move(QEvent::MouseMove, at, list()->viewport()->mapToGlobal(at), Qt::NoButton,
                         buttons, mods);
        QApplication::sendEvent(list()->viewport(), &move);
    }
    void wheel(int delta, Qt::KeyboardModifiers mods, Qt::MouseButtons buttons = {}) {
        QWheelEvent event({9, 9}, {9, 9}, {}, {0, delta}, buttons, mods, Qt::NoScrollPhase, false);
        QApplication::sendEvent(preview()->PaintBox(), &event);
    }
};

TEST_F(MainWindowTest, AFolderIsListedUnreadAndAFileIsShownWhenSelected) {
    window_->openStartPath(path("lib"));
    EXPECT_EQ(list()->Tag() * 10 + list()->count(), 27); // "..", "sub" and five files
    EXPECT_FALSE(list()->entryAt(2)->Loaded || list()->entryAt(5)->Loaded);
    EXPECT_EQ(window_->windowTitle(), title("lib"));
    const QImage empty = preview()->PreviewBitmap();
    select("c0.ies");
    EXPECT_EQ(preview()->CurrentFile(), path("lib/c0.ies"));
    EXPECT_TRUE(window_->labelInfo()->text().startsWith(
        QStringLiteral("文件名:   c0.ies\n测试: T-1\n生  产  商:   Beta\n\n光通量: ")));
    EXPECT_EQ(window_->applicationTitle() + window_->windowTitle(), "c0.ies" + title("lib/c0.ies"));
    EXPECT_TRUE(preview()->SpeedButtonPrint()->isEnabled());
    EXPECT_EQ(preview()->PaintBox()->cursor().shape(), Qt::CrossCursor);
    EXPECT_NE(preview()->PreviewBitmap(), empty);
    list()->setCurrentRow(1); // the subfolder
    EXPECT_TRUE(preview()->CurrentFile().isEmpty() && window_->labelInfo()->text().isEmpty());
    EXPECT_FALSE(preview()->SpeedButtonPrint()->isEnabled());
    EXPECT_EQ(window_->applicationTitle() + window_->windowTitle(), "Gonilux" + title("lib"));
    EXPECT_EQ(preview()->PreviewBitmap(), empty);
    // A real EULUMDAT file is listed and shown like an IES file, and hidden with its switch.
    window_->openStartPath(path("lib/f.ldt"));
    EXPECT_EQ(preview()->CurrentFile(), path("lib/f.ldt"));
    EXPECT_TRUE(window_->labelInfo()->text().contains("\n\n光通量: ") &&
                preview()->PreviewBitmap() != empty);
    ctl("CheckBoxLdt")->setChecked(false);
    EXPECT_EQ(shownFiles(), QStringList({"b.ies", "bad.ies", "c0.ies", "one.ies"}));
    window_->openStartPath(path("lib/bad.ies")); // a damaged header is reported with its line
    EXPECT_TRUE(test::WaitUntil([&] { return !messages_.isEmpty(); }));
    QTest::qWait(20);
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_[0].Title + messages_[0].Text, "错误！第 2 行\rbad.ies");
    ctl("CheckBoxTitleBar")->setChecked(false); // the title shows the folder only when asked
    EXPECT_EQ(window_->windowTitle(), "Gonilux v2.9");
    for (bool titleBar : {false, true}) { // hints show over it
        ctl("CheckBoxTitleBar")->setChecked(titleBar);
        window_->DisplayHint("?short|/favourite");
        EXPECT_EQ(window_->windowTitle(), "Gonilux v2.9    /favourite");
        window_->DisplayHint({});
        EXPECT_EQ(window_->windowTitle(), titleBar ? title("lib/bad.ies") : "Gonilux v2.9");
    }
    write("lib/sub/k.ies", TypeCText(0, "\xCA\xEE\xF2")); // the header encoding chosen applies
    window_->openStartPath(path("lib/sub/k.ies"));
    ctl<QComboBox>("ComboBoxEncoding")
        ->setCurrentIndex(ctl<QComboBox>("ComboBoxEncoding")->findData("windows-1251"));
    EXPECT_TRUE(window_->infoText().contains("测试: Кот")) << window_->infoText().toStdString();
    window_->openStartPath(path("lib/gone/x.ies")); // mistyped: the nearest folder, and a word
    EXPECT_EQ(list()->folderPath() + " " + window_->labelInfo()->text(),
              path("lib") + " 路径不存在: " + path("lib/gone/x.ies"));
}

// One slider position per plane, starting at the 0 degree plane; Shift + wheel steps it and the
// thumbnails follow; a single plane shows "轴对称" instead. Clicks toggle fit and ortho.
TEST_F(MainWindowTest, TheSliderStartsAtTheZeroPlaneAndStepsByShiftWheel) {
    window_->openStartPath(path("lib/b.ies"));
    QSlider* slider = preview()->DegreeTrackBar();
    EXPECT_EQ(slider->maximum() * 10 + slider->value(), 42);
    EXPECT_TRUE(slider->isVisible() && !preview()->LabelAxial()->isVisible());
    for (auto [delta, mods, value] : {std::tuple{-120, Qt::ShiftModifier, 3},
                                      {-120, Qt::ControlModifier, 3},
                                      {-120, Qt::ShiftModifier, 4},
                                      {-120, Qt::ShiftModifier, 4},
                                      {120, Qt::ShiftModifier, 3}}) {
        wheel(delta, mods);
        EXPECT_EQ(slider->value() * 10 + list()->thumbnailPlane(), value * 11);
    }
    wheel(120, {}, Qt::MiddleButton);
    EXPECT_EQ(messages_.value(0).Text, "点击!");
    const QImage unfitted = preview()->PreviewBitmap();
    preview()->SpeedButtonFit()->click(); // the plane's curves fill the square
    EXPECT_NE(preview()->PreviewBitmap(), unfitted);
    preview()->SpeedButtonFit()->click();
    for (auto [button, mods, fit, ortho] : {std::tuple{Qt::LeftButton, Qt::NoModifier, true, true},
                                            {Qt::LeftButton, Qt::ShiftModifier, true, true},
                                            {Qt::RightButton, Qt::NoModifier, true, false}}) {
        QTest::mouseClick(preview()->PaintBox(), button, mods, QPoint(20, 20));
        EXPECT_EQ(preview()->SpeedButtonFit()->isChecked(), fit);
        EXPECT_EQ(preview()->SpeedButtonOrtho()->isChecked(), ortho);
    }
    window_->openStartPath(path("lib/one.ies"));
    EXPECT_FALSE(slider->isVisible() || slider->isEnabled() || preview()->stepPlane(1));
    EXPECT_TRUE(preview()->LabelAxial()->isVisible());
}

// Each switch reaches what it drives, at start from the settings file and when changed.
TEST_F(MainWindowTest, SwitchesDriveTheListTreeAndPreview) {
    for (const QByteArray& ini :
         {QByteArray(), ReadFile(GONILUX_TESTDATA_DIR "/expected/mainwindow/changed.ini")}) {
        open(ini);
        const browser::FolderTreeView* tree = window_->folderTree();
        const auto on = [&](const char* name) { return ctl<QWidget>(name)->isEnabledTo(o()); };
        const auto box = [&](const char* name) {
            return ctl(("CheckBox" + std::string(name)).c_str());
        };
        // clang-format off
        QAbstractButton* const switches[] = {
            box("Sort"), box("Keep"), box("Ldt"), box("Up"), box("Up"), box("Method"), box("Method"),
            box("Multi"), box("Multi"), box("Complete"), box("Complete"), box("Warning"), box("Warning"),
            box("Labels"), box("Labels"), box("Center"), preview()->SpeedButtonFit(),
            preview()->SpeedButtonOrtho(), box("Large"), box("Button"), box("Lines"), box("Expand"),
            box("HotTrack"), box("HandPont"), box("UnderlineHot"), box("UnderlineCold"), box("LHotTrack"),
            box("LHotTrack"), box("Flat"), box("DblClick"), box("On"), box("On"), box("On"), box("Plus"),
            box("Favs"), box("Favs")};
        const auto driven = [&] {
            const DiagramOptions shown = preview()->diagramOptions(), thumbs = list()->thumbnailOptions();
            const browser::ListAppearance looks = list()->listAppearance();
            return QList<bool>{
                list()->sortEnabled(), list()->keepCaption(), list()->listsLdt(), list()->upEntryEnabled(),
                on("ComboBoxUp"), preview()->qualityRedraw(), list()->qualityThumbnails(), shown.Multi,
                thumbs.Multi, shown.Complete, thumbs.Complete, shown.Warning, thumbs.Warning, shown.Labels,
                thumbs.Labels, shown.Center, thumbs.Fit, thumbs.Ortho, tree->largeIcons(),
                tree->showButtons(), tree->showLines(), tree->autoExpand(), tree->hotTracking(),
                looks.HandPointer, looks.UnderlineHot, looks.UnderlineCold, looks.HotTracking,
                on("EditHoverTime"), list()->flatScrollBars(), on("ComboBoxDblClick"),
                preview()->eyeSettings().On, on("TrackBarR") && on("TrackBarK"),
                on("CheckBoxPlus"), preview()->eyeSettings().Plus, on("CheckBoxFavViews"),
                on("CheckBoxFavCaptions")};
        };
        for (int turn = 0; turn < 3; ++turn) {
            QList<bool> checked;
            for (QAbstractButton* button : switches) checked << button->isChecked();
            EXPECT_EQ(driven(), checked) << turn;
            for (QAbstractButton* button : QSet<QAbstractButton*>(std::begin(switches), std::end(switches))) button->toggle();
        }
        // clang-format on
        using View = browser::FolderListView::ViewStyle;
        for (auto [button, view] : {std::pair{ctl<QRadioButton>("RadioButtonIcons"), View::Icons},
                                    {ctl<QRadioButton>("RadioButtonThumbnails"), View::Thumbnails},
                                    {ctl<QRadioButton>("RadioButtonList"), View::List}}) {
            button->setChecked(true);
            EXPECT_EQ(list()->viewStyle(), view);
        }
        ctl<QComboBox>("ComboBoxCaption")->setCurrentIndex(2);
        ctl<QComboBox>("ComboBoxUp")->setCurrentIndex(1);
        EXPECT_EQ(list()->captionChoice() * 10 + list()->upEntryStyle(), 21);
    }
    // A preset sets its boxes; boxes changed by hand show the preset that matches.
    const auto checked = [&] {
        QByteArray on;
        for (const char* name :
             {"RadioButton9X", "RadioButtonXP", "RadioButtonCustom", "CheckBoxLines",
              "CheckBoxExpand", "CheckBoxHotTrack", "RadioButtonL9X", "RadioButtonLXP",
              "RadioButtonLCustom", "CheckBoxHandPont", "CheckBoxUnderlineHot",
              "CheckBoxUnderlineCold", "CheckBoxLHotTrack"})
            on += ctl<QAbstractButton>(name)->isChecked() ? name + QByteArray(" ") : "";
        return on;
    };
    for (auto [clicks, shown] :
         std::initializer_list<std::pair<std::vector<const char*>, const char*>>{
             {{"RadioButton9X", "RadioButtonL9X"}, "RadioButton9X CheckBoxLines RadioButtonL9X "},
             {{"RadioButtonXP", "RadioButtonLXP"},
              "RadioButtonXP CheckBoxExpand CheckBoxHotTrack "
              "RadioButtonLXP CheckBoxHandPont CheckBoxUnderlineHot "},
             {{"CheckBoxLines", "CheckBoxUnderlineCold"},
              "RadioButtonCustom CheckBoxLines CheckBoxExpand CheckBoxHotTrack RadioButtonLCustom "
              "CheckBoxHandPont CheckBoxUnderlineHot CheckBoxUnderlineCold "},
             {{"CheckBoxExpand", "CheckBoxHotTrack", "CheckBoxHandPont", "CheckBoxUnderlineHot",
               "CheckBoxUnderlineCold"},
              "RadioButton9X CheckBoxLines RadioButtonL9X "}}) {
        for (const char* name : clicks)
            ctl<QAbstractButton>(name)->toggle();
        EXPECT_EQ(checked().toStdString(), shown) << clicks.front();
    }
}

// The left column keeps its last width when dragged narrower than 200 pixels; the info panel
// snaps to whole 13-pixel lines between 17 and 98 pixels. The popup opens compare and map.
TEST_F(MainWindowTest, SplittersKeepTheirLimits) {
    QSplitter* columns = window_->splitter();
    const int total = columns->sizes()[0] + columns->sizes()[1];
    EXPECT_EQ(columns->sizes()[0], 330);
    for (auto [dragged, kept] : {std::pair{199, 330}, {260, 260}, {200, 200}}) {
        columns->setSizes({dragged, total - dragged});
        emit columns->splitterMoved(dragged, 1);
        EXPECT_EQ(columns->sizes()[0], kept) << dragged;
    }
    QSplitter* info = window_->splitter2();
    const int height = info->sizes()[0] + info->sizes()[1];
    for (auto [dragged, kept] : {std::pair{5, 17}, {32, 28}, {39, 41}, {300, 98}}) {
        info->setSizes({height - dragged, dragged});
        emit info->splitterMoved(height - dragged, 1);
        EXPECT_EQ(info->sizes()[1], kept) << dragged;
    }
}

// The render button shows and hides the render window, which follows the file and the plane
// while its "auto update" is down; a right click on "Fit" or the popup opens compare and map.
TEST_F(MainWindowTest, TheToolWindowsFollowThePreview) {
    window_->openStartPath(path("lib/b.ies"));
    QToolButton* button = preview()->SpeedButtonRender();
    auxwindows::TRenderWindow* render = window_->renderWindow();
    button->click();
    EXPECT_TRUE(button->isChecked() && render->isVisible());
    EXPECT_TRUE(test::WaitUntil([&] { return QApplication::activeWindow() == render; }));
    for (bool follow : {false, true}) {
        render->SBUpdate()->setChecked(follow);
        select(follow ? "c0.ies" : "one.ies");
        EXPECT_EQ(render->RenderedFile(), path(follow ? "lib/c0.ies" : "lib/b.ies"));
        wheel(-120, Qt::ShiftModifier);
        EXPECT_EQ(render->RenderedFile() + QString::number(render->RenderedPlane()),
                  follow ? path("lib/c0.ies") + "1" : path("lib/b.ies") + "2");
    }
    render->ButtonClose()->click();
    EXPECT_FALSE(button->isChecked() || render->isVisible());
    button->click();
    button->click();
    EXPECT_FALSE(render->isVisible());
    window_->openStartPath(path("lib/b.ies"));
    wheel(-120, Qt::ShiftModifier);
    QWidget* fit = preview()->SpeedButtonFit();
    for (auto [button, x] : {std::pair{Qt::LeftButton, 5}, {Qt::RightButton, -5}})
        QTest::mouseRelease(fit, button, {}, QPoint(x, 5));
    EXPECT_FALSE(window_->compareWindow()->isVisible());
    QTest::mouseRelease(fit, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(window_->compareWindow()->windowTitle() +
                  QString::number(window_->compareWindow()->ComparePlane()),
              "b.ies3");
    window_->fileActions()->PopupMenu()->Map1->trigger();
    EXPECT_TRUE(window_->mapWindow()->isVisible());
    window_->showReportWindow(); // a tool window of the main window: kept above it
    QWidget* report = window_->reportWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(report));
    EXPECT_TRUE(report->windowType() == Qt::Tool && report->parentWidget() == window_.get() &&
                report->windowHandle()->transientParent() == window_->windowHandle());
}

// Ctrl+F shows the filter field; typing filters the list; Return goes to the list with the filter
// kept; Escape clears and hides it; an empty field hides when the focus leaves it.
TEST_F(MainWindowTest, TheFilterFieldFiltersTheList) {
    window_->openStartPath(path("lib"));
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    QLineEdit* field = window_->filterEdit();
    EXPECT_FALSE(field->isVisible());
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        QTest::keyClick(list(), Qt::Key_F, Qt::ControlModifier);
        EXPECT_TRUE(field->isVisible() && field->hasFocus());
        QTest::keyClicks(field, "C0");
        EXPECT_EQ(shownFiles(), QStringList("c0.ies"));
        QTest::keyClick(field, Qt::Key(key));
        EXPECT_TRUE(list()->hasFocus());
        EXPECT_EQ(field->isVisible(), key != Qt::Key_Escape) << key;
        EXPECT_EQ(shownFiles().size(), key == Qt::Key_Escape ? 5 : 1);
        field->clear();
    }
    // A query with a mistake filters nothing and says what is wrong under the red field.
    QTest::keyClick(list(), Qt::Key_F, Qt::ControlModifier);
    auto* error = window_->findChild<QLabel*>("LabelFilterError");
    ASSERT_TRUE(error && !error->isVisible());
    for (const QString text : {"c0 flux>=abc", "C0 type:c", "c0 type:b"}) {
        field->setText(text);
        const bool wrong = text.endsWith("abc");
        EXPECT_EQ(shownFiles().size(), wrong ? 5 : text.endsWith('c') ? 1 : 0);
        EXPECT_EQ(error->isVisible(), wrong);
        EXPECT_EQ(field->toolTip(), wrong ? "flux 需要一个数：flux>=abc" : "");
    }
    field->setText("flux>=abc");
    EXPECT_EQ(error->text(), "筛选条件有误：flux 需要一个数：flux>=abc");
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(error->isVisible() || !field->styleSheet().isEmpty());
    QTest::keyClick(list(), Qt::Key_F, Qt::ControlModifier);
    list()->setFocus();
    EXPECT_FALSE(field->isVisible());
}

// Ctrl, or the right button alone, with the mouse at the list's right edge shows the hidden panel.
TEST_F(MainWindowTest, ThePanelHidesAndShows) {
    using Move = std::tuple<int, Qt::MouseButtons, Qt::KeyboardModifiers, bool>;
    // clang-format off
    for (auto [x, buttons, mods, shows] :
         {Move{-20, {}, Qt::ControlModifier, false}, Move{-10, {}, {}, false},
          Move{-10, {}, Qt::ControlModifier | Qt::ShiftModifier, false},
          Move{-10, Qt::RightButton | Qt::LeftButton, {}, false}, Move{-10, Qt::RightButton, Qt::ControlModifier, false},
          Move{-19, Qt::RightButton, {}, true}, Move{-1, {}, Qt::ControlModifier, true}}) {
        // clang-format on
        if (o()->isVisible()) ctl<QPushButton>("ButtonHide")->click();
        EXPECT_FALSE(o()->isVisible());
        moveOverList(x, buttons, mods);
        EXPECT_EQ(o()->isShown(), shows) << x << " " << buttons << " " << mods;
        EXPECT_EQ(o()->width(), shows ? OptionsPanel::kShownWidth : 0);
    }
    // Without "一直显示" the panel starts hidden, hides again at the next move over the list
    // while "自动隐藏" is on, and when the focus leaves it.
    open("[GroupBoxExOptions]\nCheckBoxAlways=0\n");
    EXPECT_FALSE(o()->isShown());
    EXPECT_TRUE(ctl("CheckBoxHide")->isEnabledTo(o()));
    for (auto [hide, always, shown] :
         {std::tuple{true, false, false}, {false, false, true}, {true, true, true}}) {
        moveOverList(-1, {}, Qt::ControlModifier);
        ctl("CheckBoxHide")->setChecked(hide);
        ctl("CheckBoxAlways")->setChecked(always);
        moveOverList(50);
        EXPECT_EQ(o()->isShown(), shown);
    }
    EXPECT_FALSE(ctl("CheckBoxHide")->isEnabled());
    window_->activateWindow(); // focus moving within the panel keeps it, leaving it hides it
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    for (bool always : {true, false}) {
        ctl("CheckBoxAlways")->setChecked(always);
        if (o()->isVisible()) ctl<QPushButton>("ButtonHide")->click();
        moveOverList(-1, {}, Qt::ControlModifier);
        EXPECT_TRUE(o()->hasFocus()); // shown, it takes the focus
        ctl<QPushButton>("ButtonRefresh")->setFocus();
        o()->setFocus();
        EXPECT_TRUE(o()->isShown());
        list()->setFocus();
        EXPECT_EQ(o()->isShown(), always);
    }
}

// A click in a group's caption strip expands it (a press that leaves the strip or the control
// does not); expanded groups stack without overlap; dragging a group's body scrolls the stack
// within its ends, and the stack's end stays at the panel's end when a group collapses.
TEST_F(MainWindowTest, ThePanelsGroupsExpandByTheirCaptionAndScrollByDragging) {
    const auto send = [&](QWidget* target, QEvent::Type type, QPoint global) {
        QMouseEvent event(type, target->mapFromGlobal(QPointF(global)), QPointF(global),
                          Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
        QApplication::sendEvent(target, &event);
        return ctl<QWidget>("PanelMainChild")->y();
    };
    const QList<TGroupBoxEx*> groups = o()->groups();
    const QPoint strip = groups[1]->mapToGlobal(groups[1]->captionRect().center());
    send(groups[1], QEvent::MouseButtonRelease, strip); // a release alone does nothing
    send(groups[1], QEvent::MouseButtonPress, strip);
    send(groups[1], QEvent::MouseButtonRelease, strip + QPoint(0, 30));
    send(groups[1], QEvent::MouseButtonPress, strip);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(groups[1], &leave);
    send(groups[1], QEvent::MouseButtonRelease, strip);
    EXPECT_TRUE(groups[1]->isCollapsed() && ctl("CheckBoxSort")->isHidden());
    for (TGroupBoxEx* group : groups) {
        const QPoint at = group->mapToGlobal(group->captionRect().center());
        if (group->isCollapsed()) send(group, QEvent::MouseButtonPress, at);
        send(group, QEvent::MouseButtonRelease, at);
    }
    EXPECT_FALSE(ctl("CheckBoxSort")->isHidden());
    const int lowest = o()->height() - ctl<QWidget>("PanelMainChild")->height();
    ASSERT_LT(lowest, -100);
    const QPoint body = groups[1]->mapToGlobal(QPoint(20, groups[1]->height() / 2));
    send(groups[1], QEvent::MouseButtonPress, body);
    for (auto [dy, top] : {std::pair{-50, -50}, {-5000, lowest}, {5000, 0}, {-20, -20}})
        EXPECT_EQ(send(groups[1], QEvent::MouseMove, body + QPoint(0, dy)), top) << dy;
    send(groups[1], QEvent::MouseButtonRelease, body);
    EXPECT_EQ(send(groups[1], QEvent::MouseMove, body + QPoint(0, -90)), -20);
    QWidget* stack = ctl<QWidget>("PanelMainChild"); // the same below the last group
    const QPoint below = stack->mapToGlobal(QPoint(20, stack->height() - 5));
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease})
        send(stack, type, below + QPoint(0, type == QEvent::MouseMove ? 10 : 0));
    EXPECT_EQ(send(stack, QEvent::MouseMove, below + QPoint(0, 60)), -10);
    send(groups[1], QEvent::MouseButtonPress, body);
    send(groups[1], QEvent::MouseMove, body + QPoint(0, -5000));
    groups[6]->setCollapsed(true);
    EXPECT_EQ(ctl<QWidget>("PanelMainChild")->y(),
              o()->height() - ctl<QWidget>("PanelMainChild")->height());
    for (TGroupBoxEx* group : groups)
        group->setCollapsed(true); // shorter than the panel: at top
    EXPECT_EQ(ctl<QWidget>("PanelMainChild")->y(), 0);
}

// The field takes digits, '.', and one '-'; Enter gives the list the time, rounded half to even,
// and the field shows what the list took.
TEST_F(MainWindowTest, TheHoverTimeFieldTakesNumbersOnly) {
    QLineEdit* field = ctl<QLineEdit>("EditHoverTime");
    EXPECT_FALSE(field->isEnabled());
    ctl("CheckBoxLHotTrack")->setChecked(true);
    // clang-format off
    for (auto [typed, kept, time] : {std::tuple{"2x5:0", "250", 250}, {"9-9", "9-9", 0}, {"12.5", "12.5", 12},
                                     {"13.5", "13.5", 14}, {"-5-0", "-50", -1}, {"", "", 0}}) {
        // clang-format on
        field->clear();
        QTest::keyClicks(field, typed);
        EXPECT_EQ(field->text(), kept);
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(list()->hoverTime(), time) << typed;
        EXPECT_EQ(field->text(), QString::number(time));
    }
}

// The title: the folder without its trailing separator (a root keeps it), then the file.
TEST(TitleText, JoinsTheFolderAndTheFile) {
    const char* const rows[][3] = {
        {"/", "", "/"}, {"/", "a.ies", "/a.ies"}, {"/x/", "", "/x"}, {"C:/", "", "C:/"}};
    for (const auto& [folder, file, shown] : rows)
        EXPECT_EQ(TitleText(folder, file), kAppCaption + "    " + shown) << folder << file;
}

} // namespace
} // namespace gonilux::mainwindow::testing
