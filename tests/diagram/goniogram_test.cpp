#include "diagram/goniogram.h"
#include "diagram/pictograms.h"
#include "recording_device.h"
#include "test_records.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace gonilux::test {
namespace {

const QColor kRed(255, 0, 0);
const QColor kPale(200, 128, 128);

DiagramOptions PlainOptions() {
    DiagramOptions options;
    options.Antialias = false;
    return options;
}

Recording Draw(const tIES& ies, std::uint16_t mode, double scale = 1.0, int plane = 0,
               DiagramOptions options = PlainOptions(), int width = 220, int height = 220) {
    return RecordDrawing(width, height, [&](QPainter& painter) {
        DrawGoniogram(painter, width, height, ies, mode, scale, plane, options);
    });
}

std::vector<RecordedOp> CurvesIn(const Recording& device, const QColor& colour) {
    std::vector<RecordedOp> found;
    for (const RecordedOp& op : device.OfType(Op::Polyline))
        if (op.Pen.color() == colour) found.push_back(op);
    return found;
}

QPolygonF Points(std::initializer_list<QPointF> points) {
    return QPolygonF(points);
}

// Type C, planes 0/90/180/270 with 100, 50, 80, 40 cd; a 220 x 220 rectangle gives cx = cy = 110
// and Rx = Ry = 100, and the scale maximum is 100 cd.
tIES FourPlanes() {
    const std::vector<double> vert{0, 45, 90, 135, 180};
    return MakeRecord(1, vert, {0, 90, 180, 270},
                      {std::vector<double>(5, 100), std::vector<double>(5, 50),
                       std::vector<double>(5, 80), std::vector<double>(5, 40)});
}

TEST(Goniogram, MainPairRightAndMirroredLeft) {
    const auto red = CurvesIn(Draw(FourPlanes(), kModeFull), kRed);
    ASSERT_EQ(red.size(), 2u);
    EXPECT_EQ(red[0].Points, Points({{110, 210}, {181, 181}, {210, 110}, {181, 39}, {110, 10}}));
    EXPECT_EQ(red[1].Points, Points({{110, 190}, {53, 167}, {30, 110}, {53, 53}, {110, 30}}));
    EXPECT_EQ(red[0].Pen.width(), 2);
    EXPECT_EQ(red[0].Brush.style(), Qt::NoBrush);
}

TEST(Goniogram, PerpendicularPairIsDrawnFirstInThePaleColour) {
    const Recording device = Draw(FourPlanes(), kModeFull);
    const auto curves = device.OfType(Op::Polyline);
    ASSERT_EQ(curves.size(), 4u);
    EXPECT_EQ(curves[0].Pen.color(), kPale);
    EXPECT_EQ(curves[1].Pen.color(), kPale);
    EXPECT_EQ(curves[0].Points.at(1), QPointF(145, 145)); // 90 deg plane, 50 cd at 45 deg
    EXPECT_EQ(curves[1].Points.at(2), QPointF(70, 110));  // 270 deg plane mirrored, 40 cd

    DiagramOptions noOrtho = PlainOptions();
    noOrtho.Ortho = false;
    EXPECT_TRUE(CurvesIn(Draw(FourPlanes(), kModeFull, 1.0, 0, noOrtho), kPale).empty());
    // Thumbnails always show the pair.
    EXPECT_EQ(CurvesIn(Draw(FourPlanes(), kModeThumbnail, 1.0, 0, noOrtho), kPale).size(), 2u);
    // Another plane than the zero plane has no pair.
    EXPECT_TRUE(CurvesIn(Draw(FourPlanes(), kModeFull, 1.0, 1), kPale).empty());
}

TEST(Goniogram, PenWidthsFollowModeAndScale) {
    struct Case {
        std::uint16_t Mode;
        double Scale;
        int Main, Perpendicular;
    };
    for (const Case& c : {Case{kModeFull, 1.0, 2, 2}, Case{kModeFull, 3.0, 6, 3},
                          Case{kModeFull, 2.5, 5, 2}, Case{kModeThumbnail, 3.0, 1, 1}}) {
        const Recording device = Draw(FourPlanes(), c.Mode, c.Scale);
        EXPECT_EQ(CurvesIn(device, kRed).at(0).Pen.width(), c.Main) << c.Scale;
        EXPECT_EQ(CurvesIn(device, kPale).at(0).Pen.width(), c.Perpendicular) << c.Scale;
    }
}

TEST(Goniogram, DownlightHalvesEndWithALineToTheCentre) {
    const tIES ies = MakeRecord(1, {0, 45, 90}, {0, 90, 180, 270});
    const auto red = CurvesIn(Draw(ies, kModeFull), kRed);
    ASSERT_EQ(red.size(), 2u);
    EXPECT_EQ(red[0].Points, Points({{110, 210}, {181, 181}, {210, 110}, {110, 110}}));
    EXPECT_EQ(red[1].Points, Points({{110, 210}, {39, 181}, {10, 110}, {110, 110}}));
}

TEST(Goniogram, APlaneWithoutOppositeIsClosedOnItself) {
    // Type B planes from 90 to 270: no opposite unless the complete diagram is asked for.
    const tIES ies = MakeRecord(2, {0, 45, 90}, {90, 135, 180, 225, 270});
    const auto red = CurvesIn(Draw(ies, kModeFull), kRed);
    ASSERT_EQ(red.size(), 1u);
    EXPECT_EQ(red[0].Points, Points({{110, 210}, {181, 181}, {210, 110}, {110, 110}, {110, 210}}));

    DiagramOptions complete = PlainOptions();
    complete.Complete = true;
    EXPECT_EQ(CurvesIn(Draw(ies, kModeFull, 1.0, 0, complete), kRed).size(), 2u);
}

TEST(Goniogram, TypeBWithNegativeAnglesHasNoMirroredHalfAndACrossCurve) {
    // Vertical -90..90, horizontal 0..90 stored on one side: the cross curve at vertical 0 runs
    // over the horizontal angles and is mirrored.
    std::vector<std::vector<double>> rows{
        {10, 20, 100, 20, 10}, {10, 20, 60, 20, 10}, {10, 20, 30, 20, 10}};
    const tIES ies = MakeRecord(2, {-90, -45, 0, 45, 90}, {0, 45, 90}, rows);
    const Recording device = Draw(ies, kModeFull);
    const auto red = CurvesIn(device, kRed);
    ASSERT_EQ(red.size(), 1u);
    EXPECT_EQ(red[0].Points.size(), 6);
    EXPECT_EQ(red[0].Points.first(), QPointF(100, 110)); // -90: 10 cd to the left
    EXPECT_EQ(red[0].Points.last(), QPointF(110, 110));  // ends at 90: back to the centre
    const auto cross = CurvesIn(device, kPale);
    ASSERT_EQ(cross.size(), 2u);
    EXPECT_EQ(cross[0].Points, Points({{110, 210}, {152, 152}, {140, 110}}));
    EXPECT_EQ(cross[1].Points, Points({{110, 210}, {68, 152}, {80, 110}}));
}

TEST(Goniogram, NoCrossCurveWhenZeroIsOnlyTheFirstVerticalAngle) {
    const tIES ies = MakeRecord(2, {0, 45, 90}, {0, 45, 90});
    const Recording device = Draw(ies, kModeFull);
    EXPECT_TRUE(CurvesIn(device, kPale).empty());
    EXPECT_FALSE(CurvesIn(device, kRed).empty());
}

TEST(Goniogram, SingleHorizontalAngleShowsTheSameRowOnBothSides) {
    const tIES ies = MakeRecord(1, {0, 90, 180}, {0});
    const auto red = CurvesIn(Draw(ies, kModeFull), kRed);
    ASSERT_EQ(red.size(), 2u);
    EXPECT_EQ(red[0].Points, Points({{110, 210}, {210, 110}, {110, 10}}));
    EXPECT_EQ(red[1].Points, Points({{110, 210}, {10, 110}, {110, 10}}));
}

TEST(Goniogram, LaterZeroPlaneHasNoPerpendicularPair) {
    // The zero plane is index 1; the pair is only chosen for index 0.
    const tIES ies = MakeRecord(1, {0, 90, 180}, {-90, 0, 90, 180});
    const Recording device = Draw(ies, kModeFull, 1.0, 1);
    EXPECT_TRUE(CurvesIn(device, kPale).empty());
    EXPECT_FALSE(CurvesIn(device, kRed).empty());
}

TEST(Goniogram, CentringShiftsCurvesAndRings) {
    DiagramOptions centre = PlainOptions();
    centre.Center = true;
    const Recording device = Draw(FourPlanes(), kModeFull, 1.0, 0, centre);
    // Extents x 0..100, y -100..100: Rmax = 70, offX = -round(100 * 110 / 2 / 70) = -79.
    const auto red = CurvesIn(device, kRed);
    EXPECT_EQ(red.at(0).Points.at(0), QPointF(31, 253)); // 100 / 70 * 100 = 142.86 -> 143
    const auto rings = device.OfType(Op::Ellipse);
    ASSERT_FALSE(rings.empty());
    EXPECT_EQ(rings[0].Box, QRectF(31, 110, 0, 0));
}

TEST(Goniogram, ZeroMaximumCollapsesToTheCentreWithoutRings) {
    const tIES ies = MakeRecord(1, {0, 90, 180}, {0, 90, 180, 270}, {}, 0.0);
    for (bool centre : {false, true}) {
        DiagramOptions options = PlainOptions();
        options.Center = centre;
        const Recording device = Draw(ies, kModeFull, 1.0, 0, options);
        for (const RecordedOp& curve : device.OfType(Op::Polyline))
            for (const QPointF& p : curve.Points)
                EXPECT_EQ(p, QPointF(110, 110));
        EXPECT_TRUE(device.OfType(Op::Ellipse).empty());
        EXPECT_NE(device.FindText(QStringLiteral("=")), nullptr); // the info block remains
    }
    EXPECT_EQ(GonioFullScale, 0.0);
}

TEST(Goniogram, PublishesTheFullScaleOfFullDrawingsOnly) {
    tIES ies = FourPlanes();
    ies.Multiplier = 2;
    DiagramOptions absolute = PlainOptions();
    absolute.Multi = true;
    Draw(ies, kModeFull, 1.0, 0, absolute);
    EXPECT_EQ(GonioFullScale, 200.0);
    EXPECT_EQ(GonioMargin, 10);
    Draw(MakeRecord(1, {0, 90}, {0}, {}, 5), kModeThumbnail);
    EXPECT_EQ(GonioFullScale, 200.0);
}

TEST(Goniogram, ThumbnailWarningIconOnlyForTypesAAndB) {
    const tIES typeB = MakeRecord(2, {0, 90}, {0, 90});
    const auto images =
        Draw(typeB, kModeThumbnail, 1.0, 0, PlainOptions(), 100, 100).OfType(Op::Image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].Box, QRectF(83, 1, 16, 16));
    EXPECT_EQ(images[0].Picture, SystemIconImage(SystemIcon::Warning, 16));

    const auto printed =
        Draw(typeB, kModeThumbnail, 2.0, 0, PlainOptions(), 100, 100).OfType(Op::Image);
    EXPECT_EQ(printed.at(0).Box, QRectF(66, 2, 32, 32));

    DiagramOptions quiet = PlainOptions();
    quiet.Warning = false;
    EXPECT_TRUE(Draw(typeB, kModeThumbnail, 1.0, 0, quiet).OfType(Op::Image).empty());
    EXPECT_TRUE(Draw(FourPlanes(), kModeThumbnail).OfType(Op::Image).empty());
}

TEST(Goniogram, ThumbnailDrawsNoTexts) {
    const Recording device = Draw(FourPlanes(), kModeThumbnail);
    EXPECT_TRUE(device.OfType(Op::Text).empty());
    EXPECT_TRUE(device.OfType(Op::Ellipse).empty());
}

TEST(Goniogram, DefectiveTablesAreReadOnlyWithinBounds) {
    // Rows shorter or longer than the vertical angles, a plane index beyond the table.
    tIES ies = MakeRecord(1, {0, 45, 90, 135, 180}, {0, 90, 180, 270});
    ies.Candela[0].resize(2);
    ies.Candela[2].resize(9, 50);
    ies.Candela[3].clear();
    for (int plane : {-5, 0, 3, 99}) {
        const Recording device = Draw(ies, kModeFull, 1.0, plane);
        for (const RecordedOp& curve : device.OfType(Op::Polyline))
            EXPECT_LE(curve.Points.size(), 6);
    }
    EXPECT_EQ(CurvesIn(Draw(ies, kModeFull), kRed).at(0).Points.size(), 2);

    tIES empty = ies;
    empty.Candela.clear();
    EXPECT_TRUE(Draw(empty, kModeFull).Ops.empty());
    tIES noAngles = FourPlanes();
    noAngles.VertAngles.clear();
    EXPECT_TRUE(Draw(noAngles, kModeFull).Ops.empty());
}

} // namespace
} // namespace gonilux::test
