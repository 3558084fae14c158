#include "diagram/goniogram.h"
#include "recording_device.h"
#include "test_records.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace gonilux::test {
namespace {

TEST(RingSpacing, FourToEightRingsOfARoundStep) {
    struct Case {
        double Top;
        double Step;
        int Count;
    };
    const Case cases[] = {
        {920, 200, 5}, // 9 rings of 100 are too many: steps of 200
        {850, 100, 8}, // round(8.5) = 8, halves to even
        {250, 50, 5},  // round(2.5) = 2 rings are too few: half the decade
        {100, 20, 5},  // unit 10 after the decade search
        {3.3, 0.5, 7}, // unit 1 -> 3 rings -> half a unit
        {200000, 50000, 4}, {1234567, 200000, 6}, // decades stop at 100000: multiples of it beyond
    };
    for (const Case& c : cases) {
        const RingSpacing rings = ComputeRingSpacing(c.Top);
        EXPECT_TRUE(rings.Valid) << c.Top;
        EXPECT_DOUBLE_EQ(rings.Step, c.Step) << c.Top;
        EXPECT_EQ(rings.Count, c.Count) << c.Top;
    }
}

TEST(RingSpacing, DegenerateMaximaGiveNoRingsAndNeverHang) {
    for (double top : {0.0, -5.0, std::nan(""), std::numeric_limits<double>::infinity(), 1e-320})
        EXPECT_FALSE(ComputeRingSpacing(top).Valid) << top;
    for (double top : {1e9, 3.7e14, 1e300, 1e-300}) {
        const RingSpacing rings = ComputeRingSpacing(top);
        EXPECT_TRUE(rings.Valid) << top;
        EXPECT_GE(rings.Count, 4) << top;
        EXPECT_LE(rings.Count, 8) << top;
    }
}

struct DrawnRings {
    std::vector<QRectF> Boxes;
    std::vector<QString> Labels;
    std::vector<QPoint> LabelCorners;
    std::vector<RecordedOp> Ops;
};

DrawnRings DrawRings(double maximum, int fontHeight = -11, int size = 220) {
    tIES ies = MakeRecord(1, {0, 90, 180}, {0}, {}, maximum);
    DiagramOptions options;
    options.Antialias = false;
    options.FontHeight = fontHeight;
    const Recording device = RecordDrawing(size, size, [&](QPainter& painter) {
        DrawGoniogram(painter, size, size, ies, kModeFull, 1.0, 0, options);
    });
    DrawnRings drawn;
    drawn.Ops = device.OfType(Op::Ellipse);
    for (const RecordedOp& ring : drawn.Ops)
        drawn.Boxes.push_back(ring.Box);
    // Ring labels are the texts just after each ring.
    for (std::size_t i = 0; i + 1 < device.Ops.size(); ++i) {
        if (device.Ops[i].Type != Op::Ellipse) continue;
        const RecordedOp& label = device.Ops[i + 1];
        drawn.Labels.push_back(label.Text);
        drawn.LabelCorners.push_back(label.TopLeft);
    }
    return drawn;
}

TEST(ScaleRings, CirclesAndLabelsBelowThemRightOfTheAxis) {
    const DrawnRings drawn = DrawRings(920); // Rx = 100, step 200, rings 0..1000
    const std::vector<int> radii{0, 22, 43, 65, 87, 109};
    ASSERT_EQ(drawn.Boxes.size(), radii.size());
    const QStringList labels{"0", "200", "400", "600", "800", "1 000"};
    for (std::size_t i = 0; i < radii.size(); ++i) {
        const int r = radii[i];
        EXPECT_EQ(drawn.Boxes[i], QRectF(110 - r, 110 - r, 2 * r, 2 * r)) << i;
        EXPECT_EQ(drawn.Labels[i], labels[static_cast<int>(i)]);
        EXPECT_EQ(drawn.LabelCorners[i], QPoint(110, 110 + r));
    }
    const RecordedOp& ring = drawn.Ops.back();
    EXPECT_EQ(ring.Pen.color(), QGuiApplication::palette().color(QPalette::Dark));
    EXPECT_EQ(ring.Pen.width(), 1);
    EXPECT_EQ(ring.Brush.style(), Qt::NoBrush);
}

TEST(ScaleRings, FontShrinksBelowTheRingDistanceButNotUnderOnePixel) {
    struct Case {
        double Maximum;
        int Canvas;
        int Size;
        int Expected;
    };
    const Case cases[] = {
        {920, -11, 220, 11}, // ring distance 21.7: the canvas font fits
        {920, -30, 220, 20}, // round(-21.74 + 2) = -20
        {850, -11, 60, 1},   // rings 5 pixels apart: 1 pixel at least
    };
    for (const Case& c : cases) {
        tIES ies = MakeRecord(1, {0, 90, 180}, {0}, {}, c.Maximum);
        DiagramOptions options;
        options.FontHeight = c.Canvas;
        const Recording device = RecordDrawing(c.Size, c.Size, [&](QPainter& painter) {
            DrawGoniogram(painter, c.Size, c.Size, ies, kModeFull, 1.0, 0, options);
        });
        const auto texts = device.OfType(Op::Text);
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.front().Font.pixelSize(), c.Expected) << c.Maximum << " " << c.Canvas;
    }
}

TEST(ScaleRings, NegativeMultiplierShownAbsoluteHasNoRings) {
    tIES ies = MakeRecord(1, {0, 90, 180}, {0}, {}, 500);
    ies.Multiplier = -1;
    DiagramOptions options;
    options.Multi = true;
    const Recording device = RecordDrawing(220, 220, [&](QPainter& painter) {
        DrawGoniogram(painter, 220, 220, ies, kModeFull, 1.0, 0, options);
    });
    EXPECT_TRUE(device.OfType(Op::Ellipse).empty());
    EXPECT_EQ(device.OfType(Op::Polyline).front().Points.first(), QPointF(110, 210));
}

} // namespace
} // namespace gonilux::test
