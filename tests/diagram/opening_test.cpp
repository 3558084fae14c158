#include "diagram/goniogram.h"
#include "diagram/opening.h"
#include "diagram/pictograms.h"
#include "recording_device.h"
#include "test_records.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace gonilux::test {
namespace {

struct ShapeCase {
    double W, L, H;
    const char* Identifier;
    const char* Description;
    int Cell;
    const char* Dimensions;
};

TEST(Opening, RecognisedShapesInMetres) {
    const ShapeCase cases[] = {
        {0.5, 0.25, 0, "方形", "方形", CellRectangle, "500x250 mm"},
        {0.5, 0.25, 0.1, "盒", "盒", CellBox, "500x250x100 mm"},
        {0.5, 0.25, -0.1, "盒", "盒", CellBox, "500x250x100 mm"},
        {1.2, 0, -0.05, "cilinderw", "Horiz. cilinder || width", CellCylinderWidth,
         "D=50 H=1200 mm"},
        {0.6, -0.3, 0.1, "Ellipsw", "Ellipse || width", CellEllipseV, "600x300 mm"},
        {0.6, -0.3, -0.2, "Ellipsoidw", "Ellipsoid || width", CellEllipsoidV, "600x300x200 mm"},
        {0, 0.8, -0.1, "cilinderl", "Horiz. cilinder || length", CellCylinderLength,
         "D=100 H=800 mm"},
        {0, 0, 0, "pointa", "点", -1, "0x0x0 mm"},
        {-0.2, 0.4, 0.1, "圆柱", "Ellipse || length", CellEllipseH, "200x400x100 mm"},
        {-0.2, 0.4, -0.1, "Ellipsoidl", "Ellipsoid || length", CellEllipsoidH, "200x400x100 mm"},
        {-0.1, 0, 0.2, "cilinderv", "垂直圆柱", CellCylinderV, "D=100 H=200 mm"},
        {-0.3, 0, 0, "圆", "圆", CellDisc, "D=300 mm"},
        {-0.3, 0, -0.3, "球", "球", CellSphere, "D=300 mm"},
    };
    for (const ShapeCase& c : cases) {
        const OpeningDescription d = DescribeOpening({c.W, c.L, c.H, 2});
        EXPECT_EQ(d.Identifier.toStdString(), c.Identifier) << c.W << " " << c.L << " " << c.H;
        EXPECT_EQ(d.Description.toStdString(), c.Description) << c.Identifier;
        EXPECT_EQ(d.Cell, c.Cell) << c.Identifier;
        EXPECT_EQ(d.DimensionText.toStdString(), c.Dimensions) << c.Identifier;
    }
}

TEST(Opening, FeetAreShownAsTheyStand) {
    const OpeningDescription d = DescribeOpening({0.5, 0.25, 0, 1});
    EXPECT_EQ(d.DimensionText, QStringLiteral("0.5x0.25 feet"));
    EXPECT_EQ(OpeningDim({-0.5, 0, 0, 1}, 1, true), QStringLiteral("0.5 feet"));
    EXPECT_EQ(OpeningDim({0, 0, -0.05, 2}, 3, false), QStringLiteral("50"));
}

TEST(Opening, UnrecognisedCombinationsKeepTheRawText) {
    const double cases[][3] = {
        {1, 0, 0},  {1, 0, 1},  {0.6, -0.3, 0}, {0, 1, 0},   {0, 1, 1},   {0, 0, 1},
        {0, 0, -1}, {0, -1, 0}, {-1, 1, 0},     {-1, -1, 0}, {-1, -1, 1},
    };
    for (const auto& c : cases) {
        const OpeningDescription d = DescribeOpening({c[0], c[1], c[2], 2});
        EXPECT_TRUE(d.Identifier.isEmpty()) << c[0] << " " << c[1] << " " << c[2];
        EXPECT_EQ(d.Cell, -1);
        EXPECT_EQ(d.DimensionText, d.RawText);
    }
    EXPECT_EQ(DescribeOpening({-1, -1, 0, 2}).RawText, QStringLiteral("-1000x-1000x0 mm"));
}

TEST(Opening, SignOf) {
    EXPECT_EQ(SignOf(0.001), 1);
    EXPECT_EQ(SignOf(0.0), 0);
    EXPECT_EQ(SignOf(-0.0), 0);
    EXPECT_EQ(SignOf(-2), -1);
}

constexpr int kSize = 240;

Recording DrawOpeningOf(int type, double w, double l, double h, bool labels, double scale = 1.0) {
    tIES ies = MakeRecord(type, {0, 90, 180}, {0, 180});
    ies.Width = w;
    ies.Length = l;
    ies.Height = h;
    DiagramOptions options;
    options.Labels = labels;
    return RecordDrawing(kSize, kSize, [&](QPainter& painter) {
        DrawGoniogram(painter, kSize, kSize, ies, kModeFull, scale, 0, options);
    });
}

bool HasCell(const Recording& device, int cell, QRectF box) {
    for (const RecordedOp& op : device.OfType(Op::Image))
        if (op.Box == box && op.Picture == PictogramCellImage(cell)) return true;
    return false;
}

TEST(OpeningDrawing, TextFormOnTheLastLine) {
    const Recording device = DrawOpeningOf(1, -0.1, 0, 0.2, true);
    const RecordedOp* line = device.FindText(QStringLiteral("垂直圆柱"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->Text, QStringLiteral("垂直圆柱 D=100 H=200 mm"));
    EXPECT_EQ(line->TopLeft, QPoint(5, kSize - 5 - 11));

    const Recording unknown = DrawOpeningOf(1, -1, -1, 0, true);
    const RecordedOp* raw = unknown.FindText(QStringLiteral(" -1000x"));
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(raw->Text, QStringLiteral(" -1000x-1000x0 mm"));
}

TEST(OpeningDrawing, PictogramFormWithTheDimensionsBesideIt) {
    const Recording disc = DrawOpeningOf(1, -0.3, 0, 0, false);
    EXPECT_TRUE(HasCell(disc, CellDisc, {5, kSize - 18, 17, 17}));
    const RecordedOp* text = disc.FindText(QStringLiteral("D=300 mm"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->TopLeft, QPoint(24, kSize - 16));

    // Unrecognised shapes and the point share the question mark.
    EXPECT_TRUE(HasCell(DrawOpeningOf(1, -1, -1, 0, false), CellQuestion, {5, kSize - 18, 17, 17}));
    const Recording point = DrawOpeningOf(1, 0, 0, 0, false);
    EXPECT_TRUE(HasCell(point, CellQuestion, {5, kSize - 18, 17, 17}));
    EXPECT_NE(point.FindText(QStringLiteral("0x0x0 mm")), nullptr);
}

TEST(OpeningDrawing, AxisPictogramByTypeOnScreenOnly) {
    struct Case {
        int Type;
        int Cell;
        QRectF Box;
    };
    const Case cases[] = {
        {1, CellAxisC, {120 - 8, 0, 17, 17}},
        {2, CellAxisB, {0, 120 - 8, 17, 17}},
        {3, CellAxisA, {0, 0, 17, 17}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(HasCell(DrawOpeningOf(c.Type, 0.5, 0.25, 0, false), c.Cell, c.Box)) << c.Type;
        EXPECT_TRUE(HasCell(DrawOpeningOf(c.Type, 0.5, 0.25, 0, true), c.Cell, c.Box)) << c.Type;
        const Recording printed = DrawOpeningOf(c.Type, 0.5, 0.25, 0, true, 2.0);
        for (const RecordedOp& op : printed.OfType(Op::Image))
            EXPECT_FALSE(op.Picture == PictogramCellImage(c.Cell)) << c.Type;
    }
    const Recording unknown = DrawOpeningOf(5, 0.5, 0.25, 0, false);
    for (const RecordedOp& op : unknown.OfType(Op::Image))
        for (int cell : {CellAxisA, CellAxisB, CellAxisC})
            EXPECT_FALSE(op.Picture == PictogramCellImage(cell)) << cell;
}

} // namespace
} // namespace gonilux::test
