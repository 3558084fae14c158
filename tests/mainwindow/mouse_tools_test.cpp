// The mouse tools over the preview: readout values and box placement, the Alt-drag of the lens
// sliders, and the fish-eye lens on synthetic pictures.
#include "diagram/goniogram.h"
#include "mainwindow/fish_eye.h"
#include "mainwindow/hover_readout.h"
#include "mainwindow/options_panel.h"
#include "mainwindow/preview_pane.h"
#include "photometry/ies_reader.h"
#include "viewer_fixture.h"

#include <QApplication>
#include <QPainter>
#include <QSignalSpy>
#include <cmath>
#include <gtest/gtest.h>

namespace gonilux::mainwindow {
namespace {

constexpr std::uint32_t kBlack = 0xff000000u;

// ---- Readout ----

struct ReadoutCase {
    const char* Name;
    int X;
    int Y;
    double Intensity;
    int Angle;
};

TEST(HoverReadout, ValuesAroundTheCentre) {
    // Pane 401 wide: cx = 200, radius 190 at a full scale of 380, so one pixel is worth 2.
    const ReadoutCase cases[] = {
        {"centre", 200, 200, 0, 0},         {"below", 200, 300, 200, 90},
        {"above", 200, 100, 200, -90},      {"left", 100, 200, 200, 180},
        {"right", 250, 200, 100, 0},        {"below right", 230, 230, 85, 45},
        {"above left", 170, 170, 85, -135},
    };
    for (const ReadoutCase& c : cases) {
        const ReadoutValues v = ComputeReadout(c.X, c.Y, 401, 380.0, 10);
        EXPECT_EQ(v.Intensity, c.Intensity) << c.Name;
        EXPECT_EQ(v.Angle, c.Angle) << c.Name;
    }
    // A pane too small for a radius, or no diagram drawn yet, reads 0.
    EXPECT_EQ(ComputeReadout(5, 9, 20, 380.0, 10).Intensity, 0);
    EXPECT_EQ(ComputeReadout(5, 9, 401, std::nan(""), 10).Intensity, 0);
}

TEST(HoverReadout, BoxFollowsThePointerAndFlipsAtTheEdges) {
    const QSize box(100, 48);
    EXPECT_EQ(ReadoutBoxOrigin(50, 50, box, 300, 0), QPoint(66, 58));
    EXPECT_EQ(ReadoutBoxOrigin(50, 50, box, 300, 16), QPoint(82, 74));
    // Right edge: dx = W - X - w = -50, so the box ends at the edge, left of the pointer.
    EXPECT_EQ(ReadoutBoxOrigin(250, 50, box, 300, 0), QPoint(200, 58));
    EXPECT_EQ(ReadoutBoxOrigin(299, 280, box, 300, 16), QPoint(200, 252));
}

TEST(HoverReadout, AltDragFollowsThePointerAndReanchorsAtTheEnds) {
    // Anchor = position 32 + pointer y 100; one pixel up is one step up.
    EXPECT_EQ(DragEyeSlider(132, 90, 8, 64).Position, 42);
    EXPECT_EQ(DragEyeSlider(132, 90, 8, 64).Anchor, 132);
    const EyeDrag top = DragEyeSlider(132, 40, 8, 64); // asks for 92
    EXPECT_EQ(top.Position, 64);
    EXPECT_EQ(top.Anchor, 104);
    EXPECT_EQ(DragEyeSlider(top.Anchor, 41, 8, 64).Position, 63); // reversing acts at once
    const EyeDrag bottom = DragEyeSlider(108, 200, 8, 64);
    EXPECT_EQ(bottom.Position, 8);
    EXPECT_EQ(bottom.Anchor, 208);
}

// ---- The readout and lens in the preview pane ----

tIES RoundRecord() {
    const char* text = "IESNA:LM-63-2002\r\n[TEST] T\r\nTILT=NONE\r\n1 1000 1 3 1 1 2 0 0 0\r\n"
                       "1 1 40\r\n0 45 90\r\n0\r\n800 500 0\r\n";
    tIES ies;
    ParseIes(text, ies);
    return ies;
}

class PreviewMouseTools : public ::testing::Test {
  protected:
    void SetUp() override {
        pane_.resize(300, 332);
        pane_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane_));
        pane_.setEyeSettings(EyeSettings{false, true, 32, 80, 255});
        const tIES ies = RoundRecord();
        pane_.ShowPreviewItem(&ies, QStringLiteral("round.ies"));
        w_ = pane_.PaintBox()->width();
        ASSERT_GT(w_, 100);
        cx_ = w_ / 2;
    }
    PreviewPane pane_;
    int w_ = 0;
    int cx_ = 0;
};

TEST_F(PreviewMouseTools, ReadoutShowsTheDiagramScale) {
    pane_.PaintBoxMouseMove(Qt::NoButton, Qt::NoModifier, cx_, cx_);
    EXPECT_EQ(pane_.readoutLines(), QStringList({" Intensity 0", " Degree 0"}));
    // At the full radius below the centre the value of the scale's outer radius shows.
    pane_.PaintBoxMouseMove(Qt::NoButton, Qt::NoModifier, cx_, cx_ + cx_ - GonioMargin);
    EXPECT_GT(GonioFullScale, 0);
    EXPECT_EQ(pane_.readoutLines(),
              QStringList({ReadoutIntensityLine(std::nearbyint(GonioFullScale)), " Degree 90"}));
    EXPECT_EQ(pane_.ReadoutPos(), QPoint(cx_, 2 * cx_ - GonioMargin));
}

TEST_F(PreviewMouseTools, BoxSitsBesideThePointerOrInsideThePane) {
    pane_.DrawHoverReadout(20, 30);
    const QRect box = pane_.readoutRect();
    EXPECT_EQ(box.topLeft(), QPoint(36, 38));
    pane_.DrawHoverReadout(w_ - 3, 30);
    EXPECT_EQ(pane_.readoutRect().right(), w_ - 1);
    EXPECT_LT(pane_.readoutRect().left(), w_ - 3);
    EXPECT_EQ(pane_.readoutRect().size(), box.size());
}

TEST_F(PreviewMouseTools, OpaqueBoxOverTheLensAndFullRedrawRemovesBoth) {
    pane_.setEyeSettings(EyeSettings{true, true, 32, 80, 255});
    pane_.DrawHoverReadout(60, 70);
    ASSERT_TRUE(pane_.lensShown());
    EXPECT_EQ(pane_.lensRect(), QRect(28, 38, 64, 64));
    EXPECT_EQ(pane_.readoutRect().topLeft(), QPoint(60 + 16 + 16, 70 + 16 + 8));
    const QImage shown = pane_.PaintBox()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QColor tip = pane_.PaintBox()->palette().color(QPalette::ToolTipBase);
    EXPECT_EQ(shown.pixelColor(pane_.readoutRect().topLeft() + QPoint(2, 2)).rgb(), tip.rgb());
    EXPECT_EQ(shown.pixel(40, 50), pane_.lensImage().pixel(12, 12));
    EXPECT_EQ(pane_.LastLensRadius(), 32);
    pane_.RenderDiagram(3);
    EXPECT_FALSE(pane_.readoutShown());
    EXPECT_FALSE(pane_.lensShown());
}

TEST_F(PreviewMouseTools, NothingOverAFolderAndNoDragWithTheLensOff) {
    QSignalSpy radius(&pane_, &PreviewPane::lensRadiusDragged);
    pane_.PaintBoxMouseMove(Qt::RightButton, Qt::AltModifier, 50, 50);
    EXPECT_EQ(radius.count(), 0);
    pane_.setEyeSettings(EyeSettings{true, true, 32, 80, 128});
    pane_.PaintBoxMouseMove(Qt::RightButton, Qt::AltModifier, 50, 50);
    EXPECT_EQ(radius.count(), 1);
    pane_.ShowPreviewItem(nullptr, QString());
    pane_.PaintBoxMouseMove(Qt::NoButton, Qt::NoModifier, 80, 80);
    EXPECT_FALSE(pane_.readoutShown());
}

// The shortcuts on the diagram act on the options panel's lens group, and its controls reach
// the preview.
using MouseToolsInTheViewer = testing::ViewerTest;

TEST_F(MouseToolsInTheViewer, ShortcutsAndControlsReachEachOther) {
    write(QStringLiteral("round.ies"), "IESNA:LM-63-2002\r\nTILT=NONE\r\n1 1000 1 3 1 1 2 0 0 0\r\n"
                                       "1 1 40\r\n0 45 90\r\n0\r\n800 500 0\r\n");
    open();
    window_->openStartPath(path(QStringLiteral("round.ies")));
    OptionsPanel* o = window_->options();
    PreviewPane* preview = window_->preview();
    ASSERT_FALSE(preview->CurrentFile().isEmpty());
    QWidget* box = preview->PaintBox();
    const QPoint at(box->width() / 2, box->height() / 2);

    const bool wasOn = o->CheckBoxOn->isChecked();
    QTest::mouseClick(box, Qt::LeftButton, Qt::ControlModifier, at);
    EXPECT_NE(o->CheckBoxOn->isChecked(), wasOn);
    EXPECT_EQ(preview->eyeSettings().On, o->CheckBoxOn->isChecked());
    EXPECT_EQ(o->TrackBarR->isEnabled(), o->CheckBoxOn->isChecked());
    o->CheckBoxOn->setChecked(true);

    const bool wasPlus = o->CheckBoxPlus->isChecked();
    QTest::mouseClick(box, Qt::RightButton, Qt::ControlModifier, at);
    EXPECT_NE(o->CheckBoxPlus->isChecked(), wasPlus);
    EXPECT_EQ(preview->eyeSettings().Plus, o->CheckBoxPlus->isChecked());
    EXPECT_TRUE(preview->lensShown()); // redrawn at once at the click
    EXPECT_EQ(preview->ReadoutPos(), at);

    // Alt + right drag upwards by 10 pixels raises the radius by 10.
    o->TrackBarR->setValue(30);
    QTest::mousePress(box, Qt::RightButton, Qt::AltModifier, at);
    QMouseEvent drag(QEvent::MouseMove, QPointF(at.x(), at.y() - 10), box->mapToGlobal(QPointF(at)),
                     Qt::NoButton, Qt::RightButton, Qt::AltModifier);
    QApplication::sendEvent(box, &drag);
    EXPECT_EQ(o->TrackBarR->value(), 40);
    EXPECT_EQ(preview->eyeSettings().R, 40);
    EXPECT_EQ(preview->LastLensRadius(), 40);
    o->TrackBarAlpha->setValue(7);
    EXPECT_EQ(preview->eyeSettings().Alpha, 7);
}

// ---- The lens ----

// A picture whose pixels tell where they are: red = x, green = y.
QImage CoordinatePicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x, y, 77));
    return picture;
}

bool OnRim(const FishEyeMap& map, int x, int y) {
    const int offset = y * 2 * map.radius() + x;
    return std::find(map.rim().begin(), map.rim().end(), offset) != map.rim().end();
}

TEST(FishEye, WithoutRefractionOnlyTheRimChangesThePicture) {
    const QImage picture = CoordinatePicture(200, 200);
    for (bool magnify : {true, false}) {
        const FishEyeMap map(32, 0, magnify);
        QImage lens;
        ComputeFishEye(picture, 100, 90, map, lens);
        ASSERT_EQ(lens.size(), QSize(64, 64));
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const QRgb expected = OnRim(map, x, y) ? kBlack : picture.pixel(68 + x, 58 + y);
                ASSERT_EQ(lens.pixel(x, y), expected) << x << "," << y;
            }
    }
}

TEST(FishEye, RimIsTheCircleInsideTheSquare) {
    const FishEyeMap map(32, 80, true);
    EXPECT_TRUE(OnRim(map, 32, 0));
    EXPECT_TRUE(OnRim(map, 0, 32));
    EXPECT_TRUE(OnRim(map, 63, 32));
    EXPECT_TRUE(OnRim(map, 32, 63));
    EXPECT_FALSE(OnRim(map, 0, 0));
    EXPECT_FALSE(OnRim(map, 32, 32));
}

TEST(FishEye, CentreAndCornersKeepThePicture) {
    const QImage picture = CoordinatePicture(200, 200);
    for (bool magnify : {true, false}) {
        const FishEyeMap map(40, 80, magnify);
        QImage lens;
        ComputeFishEye(picture, 90, 110, map, lens);
        EXPECT_EQ(lens.pixel(40, 40), picture.pixel(90, 110));
        EXPECT_EQ(lens.pixel(0, 0), picture.pixel(50, 70));
        EXPECT_EQ(lens.pixel(79, 0), picture.pixel(129, 70));
        EXPECT_EQ(lens.pixel(0, 79), picture.pixel(50, 149));
        EXPECT_EQ(lens.pixel(79, 79), picture.pixel(129, 149));
    }
}

TEST(FishEye, OutsideThePictureIsBlack) {
    const QImage picture = CoordinatePicture(200, 200);
    QImage lens;
    ComputeFishEye(picture, 5, 195, FishEyeMap(32, 0, true), lens);
    EXPECT_EQ(lens.pixel(0, 0), kBlack);   // left of the picture
    EXPECT_EQ(lens.pixel(40, 50), kBlack); // below it
    EXPECT_EQ(lens.pixel(40, 20), picture.pixel(13, 183));
    // Shrinking near the left edge takes pixels from beyond it.
    ComputeFishEye(picture, 10, 100, FishEyeMap(32, 80, false), lens);
    EXPECT_EQ(lens.pixel(3, 32), kBlack);
    EXPECT_EQ(lens.pixel(32, 32), picture.pixel(10, 100));
}

TEST(FishEye, MagnifyTakesFromNearerTheCentreShrinkFromFurther) {
    const QImage picture = CoordinatePicture(240, 240);
    struct Case {
        int K;
        bool Magnify;
        int Sign; // of |source offset| - 10
    } const cases[] = {{0, true, 0}, {0, false, 0}, {80, true, -1}, {80, false, 1}, {20, true, -1}};
    for (const Case& c : cases) {
        QImage lens;
        ComputeFishEye(picture, 120, 120, FishEyeMap(32, c.K, c.Magnify), lens);
        const int sourceX = qRed(lens.pixel(32 + 10, 32)); // 10 pixels right of the centre
        const int offset = std::abs(sourceX - 120) - 10;
        EXPECT_EQ((offset > 0) - (offset < 0), c.Sign) << c.K << " " << c.Magnify;
        EXPECT_EQ(qGreen(lens.pixel(32 + 10, 32)), 120); // stays on its row
    }
}

TEST(FishEye, PictogramShowsDomeOrBowl) {
    const QColor shadow(128, 128, 128);
    auto draw = [&](bool magnify) {
        QImage image(60, 46, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintBoxArcPaint(painter, 60, 46, magnify, shadow);
        return image;
    };
    const QImage dome = draw(true), bowl = draw(false);
    // The flat side of the half disc: at the bottom of a dome, at the top of a bowl.
    EXPECT_EQ(dome.pixel(3, 31), qRgb(0, 0, 0));
    EXPECT_NE(dome.pixel(3, 1), qRgb(0, 0, 0));
    EXPECT_EQ(bowl.pixel(3, 1), qRgb(0, 0, 0));
    EXPECT_NE(bowl.pixel(3, 31), qRgb(0, 0, 0));
    EXPECT_EQ(dome.pixel(20, 40), shadow.rgb()); // the solid bar
}

} // namespace
} // namespace gonilux::mainwindow
