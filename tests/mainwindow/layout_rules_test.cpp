// The main window's layout and title rules.
#include "mainwindow/layout_rules.h"

#include <gtest/gtest.h>

#include <QDir>

namespace gonilux::mainwindow {
namespace {

TEST(Splitter2Rule, SnapsTheInfoPanelToWholeLines) {
    const std::pair<int, int> cases[] = {{5, 17}, {17, 17}, {26, 28}, {33, 41}, {41, 41},
                                         {45, 41}, {93, 93}, {96, 93}, {100, 98}, {400, 98}};
    for (auto [proposed, expected] : cases) EXPECT_EQ(Splitter2CanResize(proposed), expected) << proposed;
    EXPECT_EQ(Splitter2CanResize(39), 41);  // 39 / 13 = 3 exactly
    EXPECT_EQ(Splitter2CanResize(32), 28);  // 2.46 rounds to 2
}

TEST(SplitterRule, RefusesNarrowAndRepeatedWidths) {
    int last = -1;
    EXPECT_FALSE(SplitterCanResize(150, last));
    EXPECT_EQ(last, -1);
    EXPECT_TRUE(SplitterCanResize(260, last));
    EXPECT_EQ(last, 260);
    EXPECT_FALSE(SplitterCanResize(260, last));
    EXPECT_TRUE(SplitterCanResize(200, last));
}

TEST(PreviewSquareRule, CentresTheLargestSquareUnderTheStrip) {
    EXPECT_EQ(PreviewSquare(330, 362, 32), QRect(2, 35, 326, 326));
    EXPECT_EQ(PreviewSquare(200, 400, 32), QRect(2, 119, 196, 196));
    EXPECT_EQ(PreviewSquare(3, 3, 32).width(), 0);
}

TEST(TitleRule, JoinsFolderAndFileWithOneSeparator) {
    const QString sep = QDir::separator();
    EXPECT_EQ(TitleText(QStringLiteral("/data/ies"), QString()),
              QStringLiteral("Gonilux v2.9    ") + QDir::toNativeSeparators(QStringLiteral("/data/ies")));
    EXPECT_EQ(TitleText(QStringLiteral("/data/ies/"), QStringLiteral("a.ies")),
              QStringLiteral("Gonilux v2.9    ") + QDir::toNativeSeparators(QStringLiteral("/data/ies")) +
                  sep + QStringLiteral("a.ies"));
    EXPECT_EQ(TitleText(QStringLiteral("/"), QStringLiteral("a.ies")),
              QStringLiteral("Gonilux v2.9    ") + sep + QStringLiteral("a.ies"));
}

}  // namespace
}  // namespace gonilux::mainwindow
