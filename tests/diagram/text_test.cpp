#include "diagram/diagram_text.h"
#include "recording_device.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace gonilux::test {
namespace {

struct NumberCase {
    double Value;
    const char* Expected;
};

TEST(FormatGrouped, GroupsTheDigitsBeforeTheSeparator) {
    const NumberCase cases[] = {
        {1234567.891, "1 234 567.891"},
        {999, "999"},
        {1000, "1 000"},
        {0.123456, "0.123456"}, // digits after the separator stay together
        {-123, "-123"},         // the sign is not a digit: no "- 123"
        {-123456, "-123 456"},
        {-2.5e20, "-2.5E20"}, // exponent forms are left alone
    };
    for (const NumberCase& c : cases)
        EXPECT_EQ(FormatGrouped(c.Value).toStdString(), c.Expected) << c.Value;
}

TEST(ShortestText, FifteenSignificantDigitsWithoutTrailingZeros) {
    const NumberCase cases[] = {
        {27.5, "27.5"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {0.00001, "0.00001"},
        {0.0000015, "1.5E-6"},
        {999999999999999, "999999999999999"},
        {9999999999999999.0, "1E16"},
        {-0.0, "0"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const NumberCase& c : cases)
        EXPECT_EQ(ShortestText(c.Value).toStdString(), c.Expected) << c.Value;
}

TEST(DiagramText, WrittenWithItsTopLeftCornerAtThePoint) {
    int width = 0;
    const Recording device = RecordDrawing(200, 100, [&](QPainter& painter) {
        painter.setFont(MakeDiagramFont(-13));
        DrawTextAt(painter, 17, 23, QStringLiteral("最大1 234.6 cd"));
        width = TextWidthOf(painter, QStringLiteral("最大1 234.6 cd"));
    });
    const auto texts = device.OfType(Op::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text, QStringLiteral("最大1 234.6 cd"));
    EXPECT_EQ(texts[0].TopLeft, QPoint(17, 23));
    EXPECT_GT(width, 40);
    EXPECT_EQ(MakeDiagramFont(0).pixelSize(), 1); // a zero height still gives a usable font
}

} // namespace
} // namespace gonilux::test
