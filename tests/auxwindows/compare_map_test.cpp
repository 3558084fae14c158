// The compare window's snapshot and shape, and the map window's grey levels.
#include "auxwindows/compare_window.h"
#include "auxwindows/map_image.h"
#include "diagram/background.h"
#include "diagram/goniogram.h"
#include "fake_source.h"

#include <QPainter>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace gonilux::auxwindows {
namespace {

using test::MakeRecord;
using test::Steps;

tIES Flat(double value) {
    return MakeRecord({0, 90, 180, 270}, Steps(0, 90, 45),
                      [value](double, double) { return value; });
}

QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage Expected(const tIES& ies, int side, int plane, const DiagramOptions& options) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawBackground(painter, side, side, false);
    DrawGoniogram(painter, side, side, ies, kModeFull, 1.0, plane, options);
    return image;
}

TEST(CompareWindow, KeepsItsSnapshotUntilShownAgain) {
    test::FakeSource source;
    source.Ies = Flat(100);
    source.Plane = 2;
    source.Caption = QStringLiteral("first.ies");
    TBigGonioWin window(source);
    window.showCompare();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("first.ies"));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);

    source.Ies = Flat(700);
    source.Ies.VertAngles = Steps(0, 180, 90);
    source.Ies.Candela.assign(4, {700, 300, 0});
    source.Plane = 1;
    source.Caption.clear();
    window.repaint();
    EXPECT_EQ(window.CompareIes().Candela[0][0], 100);
    EXPECT_EQ(window.ComparePlane(), 2);

    window.showCompare(); // visible: a new snapshot
    EXPECT_EQ(window.CompareIes().Candela[0][0], 700);
    EXPECT_EQ(window.CompareIes().VertAngles.size(), 3u);
    EXPECT_EQ(window.ComparePlane(), 1);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("first.ies")); // nothing selected: unchanged
}

TEST(CompareWindow, PaintsTheSnapshotWithTheCurrentSwitches) {
    test::FakeSource source;
    source.Ies = MakeRecord({0, 90, 180, 270}, Steps(0, 90, 30),
                            [](double h, double v) { return h == 0 ? 900 - 5 * v : 300; });
    source.Options.Ortho = true;
    TBigGonioWin window(source);
    window.showCompare();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const int side = window.height();
    EXPECT_EQ(Grab(window), Expected(source.Ies, side, 0, source.Options));
    source.Options.Ortho = false;
    source.Options.Labels = true;
    EXPECT_EQ(Grab(window), Expected(window.CompareIes(), side, 0, source.Options));
}

TEST(CompareWindow, StaysSquareGrowingToTheLargerSide) {
    test::FakeSource source;
    source.Ies = Flat(100);
    TBigGonioWin window(source);
    window.showCompare();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.resize(400, 300);
    QTRY_COMPARE(window.size(), QSize(400, 400));
    window.resize(250, 420);
    QTRY_COMPARE(window.size(), QSize(420, 420));
}

// A rotationally symmetric record: 1000 cd at nadir falling by 5 cd per degree to 100 at 180.
tIES Symmetric() {
    return MakeRecord({0}, Steps(0, 180, 10), [](double, double v) { return 1000 - 5 * v; });
}

TEST(MapImage, GreyLevelsOfARotationallySymmetricRecord) {
    const QImage image = MapImage(Symmetric(), 1000);
    ASSERT_EQ(image.size(), QSize(512, 512));
    struct Case {
        int X, Y, Grey;
    };
    // Distance r from the centre (256, 256) is the vertical angle r / 256 * 180.
    const Case cases[] = {
        {256, 256, 255}, // nadir: 1000
        {384, 256, 140},
        {256, 384, 140},
        {128, 256, 140},
        {256, 128, 140},      // 90: 550
        {256 + 64, 256, 198}, // 45: 775 -> 197.6
        {511, 256, 26},       // 179.3: 103.5 -> 26.4
        {0, 0, 0},            // outside the circle: no data
        {511, 511, 0},
    };
    for (const Case& c : cases) {
        const QRgb p = image.pixel(c.X, c.Y);
        EXPECT_EQ(qRed(p), c.Grey) << c.X << "," << c.Y;
        EXPECT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p));
    }
    EXPECT_EQ(MapImage(Symmetric(), 0).pixel(256, 256), qRgb(0, 0, 0));
}

TEST(MapIntensity, FollowsTheRecordSymmetry) {
    auto byPlane = [](double h, double v) { return 1000 + h - v; };
    const tIES quarter = MakeRecord({0, 45, 90}, Steps(0, 90, 10), byPlane);
    const tIES half = MakeRecord({0, 90, 180}, Steps(0, 90, 10), byPlane);
    const tIES halfFrom90 = MakeRecord({90, 180, 270}, Steps(0, 90, 10), byPlane);
    const tIES open = MakeRecord({0, 120, 240}, Steps(0, 90, 10), byPlane);
    struct Case {
        const char* Name;
        const tIES* Ies;
        double H, V;
        std::optional<double> Expected;
    };
    const Case cases[] = {
        {"quarter, inside", &quarter, 30, 20, 1010},
        {"quarter, mirrored at 90", &quarter, 150, 20, 1010},
        {"quarter, mirrored at 180", &quarter, 210, 20, 1010},
        {"quarter, mirrored at 0", &quarter, 330, 20, 1010},
        {"quarter, below the data", &quarter, 30, 95, std::nullopt},
        {"half, mirrored", &half, 200, 0, 1160},
        {"half from 90, mirrored below", &halfFrom90, 30, 0, 1150},
        {"half from 90, mirrored above", &halfFrom90, 300, 0, 1240},
        {"full turn closing back to 0", &open, 300, 0, 1000 + 240 * 0.5},
        {"negative azimuth", &half, -20, 0, 1020},
    };
    for (const Case& c : cases) {
        const auto got = MapIntensity(*c.Ies, c.H, c.V);
        ASSERT_EQ(got.has_value(), c.Expected.has_value()) << c.Name;
        if (got) {
            EXPECT_NEAR(*got, *c.Expected, 1e-9) << c.Name;
        }
    }
}

TEST(MapWindow, PaintsThePreviewRecordAtFixedSize) {
    test::FakeSource source;
    source.Ies = Symmetric();
    TMapWindow window(source);
    window.showMap();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Map"));
    EXPECT_EQ(window.size(), QSize(512, 512));
    EXPECT_EQ(Grab(window), MapImage(source.Ies, 1000));
}

} // namespace
} // namespace gonilux::auxwindows
