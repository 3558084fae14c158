// The collapsible group box: collapse animation, heights, borders, caption strip clicks,
// outside mouse events, cursor and painting.
#include "mainwindow/group_box_ex.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <vector>

namespace gonilux::mainwindow {
namespace {

TEST(CollapseStepsRule, ShrinksByThirdsAndEndsAtTheCollapsedHeight) {
    struct Case {
        int height, collapsed;
        std::vector<int> steps;
    };
    const Case cases[] = {
        {226, 16, {150, 100, 66, 44, 29, 19, 12, 16}},
        {17, 16, {11, 16}},
        {16, 16, {16}}, // already collapsed
        {5, 16, {16}},  // lower than collapsed: grows to it in one step
    };
    for (const Case& c : cases)
        EXPECT_EQ(CollapseSteps(c.height, c.collapsed), c.steps) << c.height;
}

// Records the heights of the resize events a widget receives.
class HeightRecorder : public QObject {
  public:
    std::vector<int> heights;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            heights.push_back(static_cast<QResizeEvent*>(event)->size().height());
        return false;
    }
};

void SendMove(QWidget* widget, QPoint pos, Qt::MouseButtons buttons) {
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), widget->mapToGlobal(QPointF(pos)),
                     Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// A box in a plain top-aligned stack, with a widget below it that must follow its height.
class GroupBoxExTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto* stack = new QVBoxLayout(&window);
        stack->setContentsMargins(0, 0, 0, 0);
        stack->setSpacing(0);
        box = new TGroupBoxEx(QStringLiteral("显示IES"), &window);
        auto* inner = new QVBoxLayout(box);
        check = new QCheckBox(QStringLiteral("排序"), box);
        hiddenCheck = new QCheckBox(QStringLiteral("隐藏"), box);
        hiddenCheck->hide();
        inner->addWidget(check);
        inner->addWidget(hiddenCheck);
        stack->addWidget(box);
        below = new QWidget(&window);
        below->setFixedHeight(20);
        stack->addWidget(below);
        stack->addStretch(1);
        box->setHeightExpanded(226);
        window.setFixedSize(144, 600);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QPoint strip() const { return box->captionRect().center(); }
    QPoint body() const { return QPoint(box->width() / 2, box->height() - 10); }

    QWidget window;
    TGroupBoxEx* box = nullptr;
    QCheckBox* check = nullptr;
    QCheckBox* hiddenCheck = nullptr;
    QWidget* below = nullptr;
};

TEST_F(GroupBoxExTest, CollapsesInStepsAndExpandsInOne) {
    const int collapsed = QFontMetrics(box->font()).height() + 3;
    ASSERT_EQ(box->collapsedHeight(), collapsed);
    HeightRecorder recorder;
    box->installEventFilter(&recorder);
    int expands = 0;
    int belowAtExpand = -1; // the handler sees the stack already rearranged
    QObject::connect(box, &TGroupBoxEx::OnExpand, [&] {
        ++expands;
        belowAtExpand = below->y();
    });

    box->setCollapsed(true);
    EXPECT_EQ(recorder.heights, CollapseSteps(226, collapsed));
    EXPECT_EQ(box->height(), collapsed);
    EXPECT_EQ(belowAtExpand, collapsed);
    EXPECT_EQ(expands, 1);
    EXPECT_TRUE(check->isHidden()); // out of sight, out of the focus chain
    EXPECT_EQ(box->heightExpanded(), 226);

    recorder.heights.clear();
    box->setCollapsed(false);
    EXPECT_EQ(recorder.heights, std::vector<int>{226});
    EXPECT_EQ(belowAtExpand, 226);
    EXPECT_EQ(expands, 2);
    EXPECT_FALSE(check->isHidden());
    EXPECT_TRUE(hiddenCheck->isHidden()); // was hidden before, stays hidden

    box->setCollapsed(false); // setting the same state applies it again
    EXPECT_EQ(expands, 3);
}

TEST_F(GroupBoxExTest, ExpandingRestoresTheLastExpandedHeight) {
    box->setFixedHeight(300); // resized while expanded
    EXPECT_EQ(box->heightExpanded(), 300);
    box->setCollapsed(true);
    box->setFixedHeight(120); // a resize while collapsed is refused
    QCoreApplication::processEvents();
    EXPECT_EQ(box->height(), box->collapsedHeight());
    EXPECT_EQ(box->heightExpanded(), 300);
    box->setCollapsed(false);
    EXPECT_EQ(box->height(), 300);

    box->setCollapsed(true);
    box->setHeightExpanded(180); // stored only while collapsed
    EXPECT_EQ(box->height(), box->collapsedHeight());
    box->setCollapsed(false);
    EXPECT_EQ(box->height(), 180);
    box->setHeightExpanded(90); // applied at once while expanded
    EXPECT_EQ(box->height(), 90);
}

TEST(GroupBoxExStartup, CollapsedBeforeShownStaysCollapsed) {
    QWidget window;
    auto* stack = new QVBoxLayout(&window);
    auto* box = new TGroupBoxEx(QStringLiteral("资源目录"), &window);
    auto* inner = new QVBoxLayout(box);
    auto* check = new QCheckBox(QStringLiteral("x"), box);
    inner->addWidget(check);
    stack->addWidget(box);
    stack->addStretch(1);
    box->setHeightExpanded(174);
    box->setCollapsed(true);
    auto* late = new QCheckBox(QStringLiteral("y"), box); // added while collapsed
    inner->addWidget(late);
    window.resize(144, 500);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(box->height(), box->collapsedHeight());
    EXPECT_FALSE(check->isVisible());
    EXPECT_FALSE(late->isVisible());
    box->setCollapsed(false);
    EXPECT_EQ(box->height(), 174);
    EXPECT_TRUE(check->isVisible());
    EXPECT_TRUE(late->isVisible());
}

TEST(GroupBoxExStack, OnExpandSeesTheBoxesBelowInPlace) {
    QWidget window;
    auto* stack = new QVBoxLayout(&window);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(2);
    auto* box = new TGroupBoxEx(QStringLiteral("其它"), &window); // no children to show or hide
    auto* below = new TGroupBoxEx(QStringLiteral("偏爱收藏"), &window);
    stack->addWidget(box);
    stack->addWidget(below);
    stack->addStretch(1);
    box->setHeightExpanded(178);
    below->setHeightExpanded(266);
    window.resize(144, 600);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    std::vector<int> seen;
    QObject::connect(box, &TGroupBoxEx::OnExpand, [&] { seen.push_back(below->y()); });
    box->setCollapsed(true);
    box->setCollapsed(false);
    EXPECT_EQ(seen, (std::vector<int>{box->collapsedHeight() + 2, 178 + 2}));
}

TEST_F(GroupBoxExTest, BordersAreClampedAndWidenTheCollapsedHeight) {
    const std::pair<int, int> cases[] = {{-5, 0}, {0, 0}, {7, 7}, {20, 20}, {21, 20}};
    for (auto [given, stored] : cases) {
        box->setBorderLR(given);
        box->setBorderTB(given);
        EXPECT_EQ(box->borderLR(), stored) << given;
        EXPECT_EQ(box->borderTB(), stored) << given;
    }
    box->setBorderTB(4);
    box->setCollapsed(true);
    const int textHeight = QFontMetrics(box->font()).height();
    EXPECT_EQ(box->height(), textHeight + 3 + 8);
    box->setBorderTB(1); // refits while collapsed
    EXPECT_EQ(box->height(), textHeight + 3 + 2);
}

TEST_F(GroupBoxExTest, TogglesOnlyWhenPressAndReleaseAreBothInTheStrip) {
    enum Where { Strip, Body, Edge };
    struct Case {
        Where press, release;
        bool toggles;
    };
    const Case cases[] = {{Strip, Strip, true},
                          {Strip, Body, false},
                          {Body, Strip, false},
                          {Body, Body, false},
                          {Edge, Edge, false}}; // the strip's own edge is not inside
    const auto at = [&](Where where) {
        if (where == Strip) return strip();
        if (where == Body) return body();
        return QPoint(box->captionRect().left(), strip().y());
    };
    for (const Case& c : cases) { // no reset between cases unless one toggled
        if (box->isCollapsed()) box->setCollapsed(false);
        QTest::mousePress(box, Qt::LeftButton, {}, at(c.press));
        QTest::mouseRelease(box, Qt::LeftButton, {}, at(c.release));
        EXPECT_EQ(box->isCollapsed(), c.toggles) << c.press << " " << c.release;
    }
    // A click on the collapsed strip expands again.
    QTest::mousePress(box, Qt::LeftButton, {}, strip());
    QTest::mouseRelease(box, Qt::LeftButton, {}, strip());
    ASSERT_TRUE(box->isCollapsed());
    QTest::mousePress(box, Qt::LeftButton, {}, strip());
    QTest::mouseRelease(box, Qt::LeftButton, {}, strip());
    EXPECT_FALSE(box->isCollapsed());
    EXPECT_EQ(box->height(), 226);
}

TEST_F(GroupBoxExTest, LeavingTheControlWhilePressedCancels) {
    QTest::mousePress(box, Qt::LeftButton, {}, strip());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(box, &leave);
    QTest::mouseRelease(box, Qt::LeftButton, {}, strip());
    EXPECT_FALSE(box->isCollapsed());

    // Dragged off the control and back: cancelled as well.
    QTest::mousePress(box, Qt::LeftButton, {}, strip());
    SendMove(box, QPoint(box->width() + 30, 5), Qt::LeftButton);
    SendMove(box, strip(), Qt::LeftButton);
    QTest::mouseRelease(box, Qt::LeftButton, {}, strip());
    EXPECT_FALSE(box->isCollapsed());

    // Leaving only the strip, not the control, keeps the press.
    QTest::mousePress(box, Qt::LeftButton, {}, strip());
    SendMove(box, body(), Qt::LeftButton);
    SendMove(box, strip(), Qt::LeftButton);
    QTest::mouseRelease(box, Qt::LeftButton, {}, strip());
    EXPECT_TRUE(box->isCollapsed());
}

TEST_F(GroupBoxExTest, ReportsMouseEventsOutsideTheStripOnly) {
    std::vector<QPoint> downs, moves, ups;
    QObject::connect(box, &TGroupBoxEx::mouseDownOutside,
                     [&](QMouseEvent* e) { downs.push_back(e->position().toPoint()); });
    QObject::connect(box, &TGroupBoxEx::mouseMoveOutside,
                     [&](QMouseEvent* e) { moves.push_back(e->position().toPoint()); });
    QObject::connect(box, &TGroupBoxEx::mouseUpOutside,
                     [&](QMouseEvent* e) { ups.push_back(e->position().toPoint()); });

    // A drag that starts in the body is reported throughout, also beyond the control,
    // except while it crosses the strip.
    const QPoint beyond(box->width() / 2, box->height() + 40);
    QTest::mousePress(box, Qt::LeftButton, {}, body());
    SendMove(box, strip(), Qt::LeftButton);
    SendMove(box, beyond, Qt::LeftButton);
    QTest::mouseRelease(box, Qt::LeftButton, {}, beyond);
    EXPECT_EQ(downs, std::vector<QPoint>{body()});
    EXPECT_EQ(moves, std::vector<QPoint>{beyond});
    EXPECT_EQ(ups, std::vector<QPoint>{beyond});

    // A click in the strip is the box's own business.
    QTest::mousePress(box, Qt::LeftButton, {}, strip());
    SendMove(box, strip(), Qt::LeftButton);
    QTest::mouseRelease(box, Qt::LeftButton, {}, strip());
    EXPECT_TRUE(box->isCollapsed());
    EXPECT_EQ(downs.size(), 1u);
    EXPECT_EQ(moves.size(), 1u);
    EXPECT_EQ(ups.size(), 1u);

    // A drag that ends in the strip still reports its end.
    box->setCollapsed(false);
    QTest::mousePress(box, Qt::LeftButton, {}, body());
    QTest::mouseRelease(box, Qt::LeftButton, {}, strip());
    EXPECT_EQ(ups.size(), 2u);
    EXPECT_FALSE(box->isCollapsed());
}

TEST_F(GroupBoxExTest, ShowsTheArrowOverTheStripAndRestoresTheOwnCursor) {
    box->setCursor(Qt::PointingHandCursor);
    SendMove(box, strip(), Qt::NoButton);
    EXPECT_EQ(box->cursor().shape(), Qt::ArrowCursor);
    SendMove(box, body(), Qt::NoButton);
    EXPECT_EQ(box->cursor().shape(), Qt::PointingHandCursor);

    window.setCursor(Qt::OpenHandCursor); // inherited, not the box's own
    box->unsetCursor();
    SendMove(box, strip(), Qt::NoButton);
    EXPECT_EQ(box->cursor().shape(), Qt::ArrowCursor);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(box, &leave);
    EXPECT_FALSE(box->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(box->cursor().shape(), Qt::OpenHandCursor);
}

bool IsInk(QRgb pixel) {
    return qRed(pixel) < 128 && qGreen(pixel) < 128 && qBlue(pixel) < 128;
}

int InkIn(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += IsInk(image.pixel(x, y));
    return count;
}

TEST_F(GroupBoxExTest, PaintsRaisedOrSunkenStripInsideA3DFrame) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Light, Qt::red);
    palette.setColor(QPalette::Dark, Qt::blue);
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    box->setPalette(palette);
    box->setBorderLR(3);
    box->setBorderTB(2);
    const int th = QFontMetrics(box->font()).height();
    const QColor red(Qt::red), blue(Qt::blue);

    QImage image = box->grab().toImage();
    const int w = box->width();
    const int h = box->height();
    // Expanded: the strip is sunken, shadow on top, highlight at the bottom and right.
    EXPECT_EQ(image.pixelColor(20, 2), blue);
    EXPECT_EQ(image.pixelColor(20, th + 4), red);
    EXPECT_EQ(image.pixelColor(w - 11, 8), red);
    // The frame: shadow with the highlight one pixel right and down of it.
    EXPECT_EQ(image.pixelColor(3, h / 2), blue);
    EXPECT_EQ(image.pixelColor(4, h / 2), red);
    EXPECT_EQ(image.pixelColor(w / 2, h - th / 2 - 4), blue);
    EXPECT_EQ(image.pixelColor(w / 2, h - th / 2 - 3), red);

    box->setCollapsed(true);
    image = box->grab().toImage();
    EXPECT_EQ(image.pixelColor(20, 2), red); // raised
    EXPECT_EQ(image.pixelColor(20, th + 4), blue);
    EXPECT_EQ(image.pixelColor(w - 11, 8), blue);
}

TEST_F(GroupBoxExTest, MirrorsTheCaptionForRightToLeftReading) {
    box->setTitle(QStringLiteral("Wide"));
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    box->setPalette(palette);
    const int textWidth = QFontMetrics(box->font()).horizontalAdvance(QStringLiteral("- Wide"));
    const int th = QFontMetrics(box->font()).height();
    const QRect leading(8, 1, textWidth, th);
    const QRect trailing(box->width() - 8 - textWidth, 1, textWidth, th);
    ASSERT_FALSE(leading.intersects(trailing));

    QImage image = box->grab().toImage();
    EXPECT_GT(InkIn(image, leading), 0);
    EXPECT_EQ(InkIn(image, trailing), 0);
    box->setLayoutDirection(Qt::RightToLeft);
    image = box->grab().toImage();
    EXPECT_EQ(InkIn(image, leading), 0);
    EXPECT_GT(InkIn(image, trailing), 0);
}

} // namespace
} // namespace gonilux::mainwindow
