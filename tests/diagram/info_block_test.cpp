#include "diagram/goniogram.h"
#include "diagram/pictograms.h"
#include "recording_device.h"
#include "test_records.h"

#include <QFontMetrics>
#include <QPainter>
#include <gtest/gtest.h>

namespace gonilux::test {
namespace {

constexpr int kSize = 300;

// Maximum 1234.56 cd, multiplier 2, two lamps of 36 W, 1000 lm.
tIES InfoRecord(int type = 2) {
    tIES ies = MakeRecord(type, {0, 45, 90}, {0, 90, 180, 270},
                          {{1234.56, 800, 10}, {900, 500, 10}, {1000, 700, 10}, {900, 500, 10}});
    ies.Multiplier = 2;
    ies.LampCount = 2;
    ies.InputWatts = 72;
    ies.LumensPerLamp = 1000;
    return ies;
}

Recording Draw(const tIES& ies, DiagramOptions options, double scale = 1.0) {
    return RecordDrawing(kSize, kSize, [&](QPainter& painter) {
        DrawGoniogram(painter, kSize, kSize, ies, kModeFull, scale, 0, options);
    });
}

DiagramOptions Labels(bool multi = false) {
    DiagramOptions options;
    options.Labels = true;
    options.Multi = multi;
    return options;
}

void ExpectText(const Recording& device, const QString& text, QPoint corner) {
    const RecordedOp* op = device.FindText(text);
    ASSERT_NE(op, nullptr) << text.toStdString();
    EXPECT_EQ(op->Text, text);
    EXPECT_EQ(op->TopLeft, corner) << text.toStdString();
}

TEST(InfoText, LinesDownTheLeftSide) {
    const Recording device = Draw(InfoRecord(), Labels());
    ExpectText(device, QStringLiteral("光量=1 000 lm"), {5, 5});
    ExpectText(device, QStringLiteral("最大1 234.6 cd/klm"), {5, 16});
    ExpectText(device, QStringLiteral("P 2x36=72 W"), {5, 27});
    ExpectText(device, QStringLiteral("倍      增=2"), {5, 38});
    ExpectText(device, QStringLiteral("度   数=0"), {5, 49});
}

TEST(InfoText, AbsoluteValuesSingleLampAndNoFlux) {
    tIES ies = InfoRecord();
    ies.LampCount = 1;
    ies.LumensPerLamp = -1;
    const Recording device = Draw(ies, Labels(true));
    ExpectText(device, QStringLiteral("最大2 469.1 cd"), {5, 16});
    ExpectText(device, QStringLiteral("功率 =72 W"), {5, 27});
    EXPECT_EQ(device.FindText(QStringLiteral("光量")), nullptr);
}

TEST(InfoText, TypeLabelTopRightWithTheWarningBesideIt) {
    const Recording device = Draw(InfoRecord(2), Labels());
    const RecordedOp* label = device.FindText(QStringLiteral("类型 B"));
    ASSERT_NE(label, nullptr);
    RecordingDevice measure(kSize, kSize);
    const QFontMetrics metrics(label->Font, &measure);
    const int x = kSize - metrics.horizontalAdvance(label->Text) - 5;
    EXPECT_EQ(label->TopLeft, QPoint(x, 5));
    const auto images = device.OfType(Op::Image);
    ASSERT_FALSE(images.empty());
    EXPECT_EQ(images[0].Box, QRectF(x - 16, 5, 17, 17));

    DiagramOptions quiet = Labels();
    quiet.Warning = false;
    const QImage warning = SystemIconImage(SystemIcon::Warning, 17);
    for (const RecordedOp& op : Draw(InfoRecord(2), quiet).OfType(Op::Image))
        EXPECT_FALSE(op.Picture == warning);
    for (const RecordedOp& op : Draw(InfoRecord(1), Labels()).OfType(Op::Image))
        EXPECT_FALSE(op.Picture == warning);
    EXPECT_NE(Draw(InfoRecord(3), Labels()).FindText(QStringLiteral("类型 A")), nullptr);
    EXPECT_NE(Draw(InfoRecord(7), Labels()).FindText(QStringLiteral("类型 ?")), nullptr);
}

TEST(InfoText, PrintScaleSelectsTheTextForm) {
    const Recording device = Draw(InfoRecord(1), DiagramOptions(), 2.0);
    // Font 22 pixels, margin 10: the second line one font height lower.
    ExpectText(device, QStringLiteral("最大1 234.6 cd/klm"), {10, 32});
    for (const RecordedOp& image : device.OfType(Op::Image))
        ADD_FAILURE() << "no pictograms on paper, found one at " << image.Box.x();
}

// The pictogram ops with the cell each shows.
std::vector<std::pair<int, QRectF>> Pictograms(const Recording& device) {
    std::vector<std::pair<int, QRectF>> found;
    for (const RecordedOp& op : device.OfType(Op::Image)) {
        int cell = -1;
        for (int i = 0; i < kPictogramCount; ++i)
            if (op.Picture == PictogramCellImage(i)) cell = i;
        found.emplace_back(cell, op.Box);
    }
    return found;
}

bool HasPictogram(const Recording& device, int cell, QRectF box) {
    for (const auto& [c, b] : Pictograms(device))
        if (c == cell && b == box) return true;
    return false;
}

TEST(InfoIcons, PictogramsAndValuesOnTheirRows) {
    tIES ies = InfoRecord(1);
    ies.LampCount = 3;
    const Recording device = Draw(ies, DiagramOptions());
    // fontH -11, size 17, text column 24; rows 5, 5 + 16, 5 + 33, 5 + 50 (round(-49.5) = -50), 5
    // + 66.
    EXPECT_TRUE(HasPictogram(device, CellTypeC, {kSize - 22, 5, 17, 17}));
    EXPECT_TRUE(HasPictogram(device, CellRays, {5, 3, 17, 17}));
    ExpectText(device, QStringLiteral("=1 000 lm"), {24, 5});
    EXPECT_TRUE(HasPictogram(device, CellMaxBulb, {5, 21, 17, 17}));
    ExpectText(device, QStringLiteral("=1 234.6 cd/klm"), {24, 21});
    EXPECT_TRUE(HasPictogram(device, CellPower, {5, 38, 17, 17}));
    ExpectText(device, QStringLiteral(" 3x24=72 W"), {24, 38});
    EXPECT_TRUE(HasPictogram(device, CellTwoBulbs, {5, 55, 17, 17}));
    ExpectText(device, QStringLiteral("=2x"), {24, 55});
    EXPECT_TRUE(HasPictogram(device, CellAngle, {5, 71, 17, 17}));
    ExpectText(device, QStringLiteral("=0"), {24, 71});
    for (int i = 0; i < 3; ++i) // three bulbs side by side above the opening line
        EXPECT_TRUE(HasPictogram(device, CellBulb, {5.0 + 17 * i, kSize - 38, 17, 17})) << i;
    EXPECT_FALSE(HasPictogram(device, CellBulb, {56, kSize - 38, 17, 17}));
}

TEST(InfoIcons, ManyLampsShowOneBulbAndTheCount) {
    tIES ies = InfoRecord(1);
    ies.LampCount = 6;
    const Recording device = Draw(ies, DiagramOptions());
    EXPECT_TRUE(HasPictogram(device, CellBulb, {5, kSize - 38, 17, 17}));
    EXPECT_FALSE(HasPictogram(device, CellBulb, {22, kSize - 38, 17, 17}));
    ExpectText(device, QStringLiteral("x6"), {24, kSize - 5 - 28}); // round(-27.5) = -28

    ies.LampCount = 0;
    EXPECT_TRUE(HasPictogram(Draw(ies, DiagramOptions()), CellBulb, {5, kSize - 38, 17, 17}));
}

TEST(InfoIcons, WarningForTypeBAndTheQuestionMarkForUnknownTypes) {
    const Recording typeB = Draw(InfoRecord(2), DiagramOptions());
    EXPECT_TRUE(HasPictogram(typeB, CellTypeB, {kSize - 22, 5, 17, 17}));
    bool warning = false;
    for (const RecordedOp& op : typeB.OfType(Op::Image))
        warning |= op.Box == QRectF(kSize - 33, 5, 17, 17) &&
                   op.Picture == SystemIconImage(SystemIcon::Warning, 17);
    EXPECT_TRUE(warning);
    EXPECT_TRUE(
        HasPictogram(Draw(InfoRecord(0), DiagramOptions()), CellQuestion, {kSize - 22, 5, 17, 17}));
}

} // namespace
} // namespace gonilux::test
