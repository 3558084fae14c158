// The mouse tools over the preview: the readout's values, place and opacity, the lens, the
// shortcuts that drive the lens group, and the fish-eye lens on synthetic pictures.
#include "diagram/goniogram.h"
#include "mainwindow/fish_eye.h"
#include "mainwindow/hover_readout.h"
#include "photometry/ies_reader.h"
#include "viewer_fixture.h"

namespace gonilux::mainwindow::testing {
namespace {

const char kRound[] = "IESNA:LM-63-2002\r\nTILT=NONE\r\n1 1000 1 3 1 1 2 0 0 0\r\n1 1 40\r\n"
                      "0 45 90\r\n0\r\n800 500 0\r\n";

class PreviewToolsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pane_.resize(300, 332);
        pane_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane_));
        // The largest square under the button strip, centred.
        ASSERT_EQ(pane_.PaintBox()->geometry(), QRect(2, 35, 296, 296));
        tIES ies;
        ParseIes(kRound, ies);
        pane_.ShowPreviewItem(&ies, QStringLiteral("round.ies"));
    }
    QImage shown() const {
        return pane_.PaintBox()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    PreviewPane pane_;
};

// The intensity at the pointer's distance on the diagram's scale and the angle around the centre,
// in a box 16 pixels right of and 8 below the pointer, or pulled back to end at the pane's edge.
TEST_F(PreviewToolsTest, TheReadoutShowsTheDiagramScaleBesideThePointer) {
    const int c = 148, radius = c - pane_.previewScale().Margin;
    const QSize box = MeasureReadout(QFont()).Box;
    EXPECT_EQ(box.height(), 3 * QFontMetrics(QFont()).height());
    for (auto [x, y, part, angle, edge] :
         {std::tuple{c, c, 0.0, 0, false},
          {c, c + radius, 1.0, 90, false},
          {c - radius / 2, c, double(radius / 2) / radius, 180, false},
          {c + 60, c - 60, 60 * M_SQRT2 / radius, -45, true},
          {295, 2, std::hypot(147, 146) / radius, -45, true}}) {
        pane_.PaintBoxMouseMove(Qt::NoButton, Qt::NoModifier, x, y);
        EXPECT_EQ(pane_.readoutLines(),
                  QStringList(
                      {ReadoutIntensityLine(std::nearbyint(part * pane_.previewScale().FullScale)),
                       " 角度 " + QString::number(angle)}));
        const QPoint origin(edge ? 296 - box.width() : x + 16, std::min(y + 8, 296 - box.height()));
        EXPECT_EQ(pane_.readoutRect(), QRect(origin, box)) << x << "," << y;
    }
    pane_.ShowPreviewItem(nullptr, QString()); // nothing over a folder
    pane_.PaintBoxMouseMove(Qt::NoButton, Qt::NoModifier, 80, 80);
    EXPECT_FALSE(pane_.readoutShown());
}

// The box lets the diagram through by its opacity; the lens pushes it aside; a full redraw
// removes both.
TEST_F(PreviewToolsTest, TheReadoutsOpacityAndTheLens) {
    QPalette palette = pane_.PaintBox()->palette();
    palette.setColor(QPalette::ToolTipBase, Qt::blue);
    pane_.PaintBox()->setPalette(palette);
    const QImage clean = shown();
    for (int alpha : {0, 128, 255}) {
        pane_.setEyeSettings(EyeSettings{false, true, 32, 80, alpha});
        pane_.DrawHoverReadout(60, 70);
        const QColor under = clean.pixelColor(78, 80), seen = shown().pixelColor(78, 80);
        EXPECT_NEAR(seen.red(), under.red() * (255 - alpha) / 255.0, 1.5) << alpha;
        EXPECT_NEAR(seen.blue(), under.blue() + (255 - under.blue()) * alpha / 255.0, 1.5);
    }
    pane_.setEyeSettings(EyeSettings{true, true, 32, 80, 255});
    pane_.DrawHoverReadout(60, 70);
    EXPECT_EQ(pane_.lensRect(), QRect(28, 38, 64, 64));
    EXPECT_EQ(pane_.readoutRect().topLeft(), QPoint(60 + 16 + 16, 70 + 16 + 8));
    EXPECT_EQ(shown().pixel(40, 50), pane_.lensImage().pixel(12, 12));
    pane_.RenderDiagram(3);
    EXPECT_FALSE(pane_.readoutShown() || pane_.lensShown());
    EXPECT_EQ(shown(), clean);
}

// Ctrl + left / right click switch the lens and its direction, Alt + right / left drag set the
// radius and the refraction (re-anchored past an end, so reversing acts at once).
TEST_F(ViewerTest, TheDiagramsShortcutsDriveTheLensGroup) {
    write("round.ies", kRound);
    open();
    window_->openStartPath(path("round.ies"));
    QWidget* box = preview()->PaintBox();
    const QPoint at(100, 100);
    const auto drag = [&](Qt::MouseButton button, std::initializer_list<int> moves) {
        QTest::mousePress(box, button, Qt::AltModifier, at);
        QList<int> values;
        for (int dy : moves) {
            QMouseEvent move(QEvent::MouseMove, QPointF(at.x(), at.y() + dy), QPointF(at),
                             Qt::NoButton, button, Qt::AltModifier);
            QApplication::sendEvent(box, &move);
            values << (button == Qt::RightButton ? ctl<QSlider>("TrackBarR")
                                                 : ctl<QSlider>("TrackBarK"))
                          ->value();
        }
        QTest::mouseRelease(box, button, Qt::AltModifier, at);
        return values;
    };
    for (bool on : {false, true}) {
        ctl<QSlider>("TrackBarR")->setValue(30);
        QTest::mouseClick(box, Qt::LeftButton, Qt::ControlModifier, at);
        EXPECT_EQ(ctl("CheckBoxOn")->isChecked() && preview()->eyeSettings().On, on);
        EXPECT_EQ(drag(Qt::RightButton, {-10}), QList<int>{on ? 40 : 30});
    }
    ExpectSamePicture("glass_plus.png", ctl<QWidget>("PaintBoxArc")->grab().toImage());
    QTest::mouseClick(box, Qt::RightButton, Qt::ControlModifier, at);
    EXPECT_FALSE(ctl("CheckBoxPlus")->isChecked() || preview()->eyeSettings().Plus);
    ExpectSamePicture("glass_minus.png", ctl<QWidget>("PaintBoxArc")->grab().toImage());
    EXPECT_TRUE(preview()->lensShown()); // drawn at once at the click
    EXPECT_EQ(preview()->ReadoutPos(), at);
    ctl<QSlider>("TrackBarR")->setValue(30);
    EXPECT_EQ(drag(Qt::RightButton, {-10, -50, -49, 5}), QList<int>({40, 64, 63, 9}));
    ctl<QSlider>("TrackBarK")->setValue(20);
    EXPECT_EQ(drag(Qt::LeftButton, {5, 30, 29, -4}), QList<int>({15, 0, 1, 34}));
    ctl<QSlider>("TrackBarAlpha")->setValue(0);
    const EyeSettings eye = preview()->eyeSettings();
    EXPECT_EQ(QList<int>({eye.R, preview()->LastLensRadius(), eye.K, eye.Alpha}),
              QList<int>({9, 9, 34, 0}));
    ctl("CheckBoxOn")->setChecked(false);
    EXPECT_FALSE(preview()->lensShown());
}

// A picture whose pixels tell where they are: red = x, green = y.
QImage CoordinatePicture() {
    QImage picture(240, 240, QImage::Format_RGB32);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 240; ++x)
            picture.setPixel(x, y, qRgb(x, y, 77));
    return picture;
}

// R = 32, K = 80: n = 9. At (j, i) = (16, 12): d = 20, c = sqrt(1 - (20/32)^2) = 0.7806,
// t = tan(acos c - acos(c / n)) = -2.156, f = 1 -+ (sqrt(32^2 - 400) - 32) / 20 * t,
// 0.632 magnifying (16 f = 10.1, 12 f = 7.6) and 1.368 shrinking (21.9, 16.4).
// K = 20 (n = 3) at (20, 0): f = 0.743, 20 f = 14.9. Outside the picture: black.
TEST(FishEye, PointsComeFromWhereTheGlassRefractsThem) {
    const QImage picture = CoordinatePicture();
    for (auto [k, magnify, x, y, lens, source] :
         {std::tuple{80, true, 120, 120, QPoint(48, 44), QPoint(130, 128)},
          {80, false, 120, 120, QPoint(48, 20), QPoint(142, 104)},
          {20, true, 120, 120, QPoint(52, 32), QPoint(135, 120)},
          {80, false, 5, 235, QPoint(48, 20), QPoint(27, 219)},
          {80, false, 5, 235, QPoint(40, 50), QPoint(0, 0)}}) {
        QImage shown;
        ComputeFishEye(picture, x, y, FishEyeMap(32, k, magnify), shown);
        const QRgb pixel = shown.pixel(lens);
        EXPECT_EQ(QPoint(qRed(pixel), qGreen(pixel)), source) << k << magnify << lens.x() << x;
    }
    for (const QPoint at : {QPoint(5, 235), QPoint(236, 20)}) { // the whole glass at two corners
        QImage shown;
        ComputeFishEye(picture, at.x(), at.y(), FishEyeMap(32, 80, true), shown);
        ExpectSamePicture(QString("lens_%1_%2.png").arg(at.x()).arg(at.y()), shown);
    }
}

} // namespace
} // namespace gonilux::mainwindow::testing
