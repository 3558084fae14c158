#include "diagram/background.h"
#include "recording_device.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <cmath>
#include <gtest/gtest.h>

namespace gonilux::test {
namespace {

Recording Record(int width, int height, bool simple, bool antialias = false) {
    return RecordDrawing(width, height, [&](QPainter& painter) {
        DrawBackground(painter, width, height, simple, antialias);
    });
}

QColor Palette(QPalette::ColorRole role) {
    return QGuiApplication::palette().color(role);
}

TEST(Background, FieldCircleAndAxesOfA200By129Rectangle) {
    const Recording device = Record(200, 129, false);
    const auto rects = device.OfType(Op::Rect);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].Box, QRectF(0, 0, 200, 129));
    EXPECT_EQ(rects[0].Brush.color(), Palette(QPalette::Button));
    // The border covers pixels 0..199 x 0..128.
    EXPECT_EQ(rects[1].Box, QRectF(0, 0, 199, 128));
    EXPECT_EQ(rects[1].Pen.color(), Palette(QPalette::Dark));
    EXPECT_EQ(rects[1].Brush.style(), Qt::NoBrush);

    const auto circles = device.OfType(Op::Ellipse);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].Box, QRectF(90, 54, 20, 20)); // cx 100, cy 64, r0 10
    EXPECT_EQ(circles[0].Brush.color(), Palette(QPalette::Button));

    const auto lines = device.OfType(Op::Lines);
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(lines[0].Points.size(), 4);
    EXPECT_EQ(lines[0].Points[0], QPointF(0, 64));
    EXPECT_EQ(lines[0].Points[1], QPointF(200, 64));
    EXPECT_EQ(lines[0].Points[2], QPointF(100, 0));
    EXPECT_EQ(lines[0].Points[3], QPointF(100, 128));
}

TEST(Background, SpokesRunFromTheCircleToTheInscribedEllipse) {
    const Recording device = Record(200, 129, false);
    const QPolygonF spokes = device.OfType(Op::Lines).at(1).Points;
    ASSERT_EQ(spokes.size(), 2 * 37);
    struct Expected {
        int Index;
        QPointF From, To;
    };
    const Expected cases[] = {
        {0, {110, 64}, {200, 64}},  // 0 degrees
        {3, {109, 69}, {187, 96}},  // 30: cos 86.6 -> 187, sin 32 -> 96
        {9, {100, 74}, {100, 128}}, // 90: down, to the ellipse's lowest point
        {18, {90, 64}, {0, 64}},    // 180
        {27, {100, 54}, {100, 0}},  // 270
        {36, {110, 64}, {200, 64}}, // 360 repeats the first
    };
    for (const Expected& c : cases) {
        EXPECT_EQ(spokes[2 * c.Index], c.From) << "spoke " << c.Index;
        EXPECT_EQ(spokes[2 * c.Index + 1], c.To) << "spoke " << c.Index;
    }
    for (int i = 0; i < 37; ++i) {
        const QPointF end = spokes[2 * i + 1];
        const double onEllipse =
            std::pow((end.x() - 100) / 100, 2) + std::pow((end.y() - 64) / 64, 2);
        EXPECT_NEAR(onEllipse, 1.0, 0.03) << "spoke " << i;
    }
}

TEST(Background, SimpleLeavesOutCircleAndSpokes) {
    const Recording device = Record(100, 100, true);
    EXPECT_TRUE(device.OfType(Op::Ellipse).empty());
    const auto lines = device.OfType(Op::Lines);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Points.size(), 4);
    EXPECT_EQ(device.OfType(Op::Rect).size(), 2u);
}

TEST(Background, OddSizesTruncateTheHalves) {
    const Recording device = Record(201, 251, false);
    const QPolygonF axes = device.OfType(Op::Lines).at(0).Points;
    EXPECT_EQ(axes[1], QPointF(200, 125)); // the horizontal axis ends at 2 * (201 div 2)
    EXPECT_EQ(axes[3], QPointF(100, 250));
    // r0 = round(12.5) = 12: halves go to the even neighbour.
    EXPECT_EQ(device.OfType(Op::Ellipse).at(0).Box, QRectF(88, 113, 24, 24));
}

TEST(Background, LinesRunThroughPixelCentresAndOnlyCircleAndSpokesAreSmoothed) {
    const Recording device = Record(200, 129, false, true);
    ASSERT_EQ(device.Ops.size(), 5u); // field, border, circle, axes, spokes
    EXPECT_EQ(device.Ops[0].Transform, QTransform());
    for (std::size_t i = 0; i < device.Ops.size(); ++i) {
        EXPECT_EQ(device.Ops[i].Antialias, i == 2 || i == 4) << i;
        if (i > 0) {
            EXPECT_EQ(device.Ops[i].Transform, QTransform::fromTranslate(0.5, 0.5)) << i;
        }
    }
}

TEST(Background, PixelsOfTheComposedField) {
    for (bool antialias : {false, true}) {
        SCOPED_TRACE(antialias ? "antialiased" : "aliased");
        QImage image(200, 129, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter painter(&image);
        DrawBackground(painter, 200, 129, false, antialias);
        painter.end();
        const QRgb dark = Palette(QPalette::Dark).rgb();
        EXPECT_EQ(image.pixel(0, 0), dark);
        EXPECT_EQ(image.pixel(199, 128), dark);
        EXPECT_EQ(image.pixel(50, 64), dark);                          // horizontal axis
        EXPECT_EQ(image.pixel(100, 20), dark);                         // vertical axis
        EXPECT_EQ(image.pixel(8, 8), Palette(QPalette::Button).rgb()); // outside the spokes
    }
}

} // namespace
} // namespace gonilux::test
