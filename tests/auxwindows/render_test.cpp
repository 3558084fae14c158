// The render window's picture and the window's controls, settings and deferred rendering.
#include "auxwindows/render_image.h"
#include "auxwindows/render_window.h"
#include "fake_source.h"
#include "photometry/ini_document.h"
#include "platform/message_service.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace gonilux::auxwindows {
namespace {

using test::MakeRecord;
using test::Steps;

// Plane 0 falls from 1000 to 100 cd over 0..90 degrees, its opposite (180) from 500 to 50; the
// side planes are flat. Linear rows make the interpolation exact.
tIES Downlight(std::uint16_t type = 1) {
    return MakeRecord(
        {0, 90, 180, 270}, Steps(0, 90, 10),
        [](double h, double v) {
            if (h == 0) return 1000 - 10 * v;
            if (h == 180) return 500 - 5 * v;
            return 200.0;
        },
        type);
}

int GreyAt(const QImage& image, int x, int r) {
    return qRed(image.pixel(x, r));
}

struct PixelCase {
    const char* Name;
    int X; // pixel column and row
    int R;
    int WithRadiosity;
    int WithoutRadiosity;
};

TEST(DoRender, PixelsFollowThePlanePairAndTheAmbientTerm) {
    const PixelCase cases[] = {
        {"below the centre: the plane", 150, 250, 208, 207},
        {"just below: brighter than 255 is clipped", 150, 170, 255, 255},
        {"left of the centre: the opposite at about 90", 50, 150, 109, 10},
        {"right of the centre: the plane at about 90", 250, 150, 115, 21},
        {"lower left: the opposite at 36.8", 120, 190, 224, 107},
        {"above the centre: no data, ambient only", 150, 50, 104, 0},
    };
    const tIES ies = Downlight();
    RenderParams params;
    for (bool radiosity : {true, false}) {
        params.Radiosity = radiosity;
        const QImage image = DoRender(ies, params);
        ASSERT_EQ(image.size(), QSize(300, 300));
        for (const PixelCase& c : cases)
            EXPECT_EQ(GreyAt(image, c.X, c.R), radiosity ? c.WithRadiosity : c.WithoutRadiosity)
                << c.Name << (radiosity ? " (radiosity)" : "");
    }
}

TEST(DoRender, ImageIsGreyAndMirrorsOnlyTheDistanceTerm) {
    // Both halves from the same flat plane: the picture is symmetric about the vertical axis.
    const tIES flat = MakeRecord({0}, Steps(0, 180, 30), [](double, double) { return 300.0; });
    const QImage image = DoRender(flat, RenderParams{});
    for (int r : {10, 150, 290})
        for (int dx : {1, 40, 149}) {
            EXPECT_EQ(image.pixel(150 + dx, r), image.pixel(150 - dx, r)) << r << " " << dx;
            const QRgb p = image.pixel(150 + dx, r);
            EXPECT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p));
        }
}

TEST(DoRender, RecordsThatAreNotTypeCGetNoComputedPixels) {
    for (std::uint16_t type : {2, 3}) {
        const QImage image = DoRender(Downlight(type), RenderParams{});
        for (int r = 0; r < 300; r += 7)
            for (int x = 0; x < 300; x += 7)
                ASSERT_EQ(image.pixel(x, r), qRgb(0, 0, 0)) << type;
    }
}

TEST(DoRender, DegenerateRecordsGiveTheAmbientGlowOnly) {
    const tIES single = MakeRecord({0}, {0}, [](double, double) { return 800.0; });
    const tIES dark = MakeRecord({0, 180}, Steps(0, 90, 45), [](double, double) { return 0.0; });
    const QImage ambient = DoRender(Downlight(), RenderParams{});
    for (const tIES* ies : {&single, &dark}) {
        const QImage image = DoRender(*ies, RenderParams{});
        // Straight up has no data in the downlight either: the ambient value there.
        EXPECT_EQ(GreyAt(image, 150, 50), GreyAt(ambient, 150, 50));
        EXPECT_EQ(GreyAt(image, 150, 250), GreyAt(ambient, 150, 50));
        RenderParams off;
        off.Radiosity = false;
        EXPECT_EQ(DoRender(*ies, off).pixel(150, 250), qRgb(0, 0, 0));
    }
}

TEST(PlaneIntensity, InterpolatesWithinTheRangeOnly) {
    const tIES ies = Downlight();
    EXPECT_DOUBLE_EQ(PlaneIntensity(ies, 0, 25, 0, 90), 750);
    EXPECT_DOUBLE_EQ(PlaneIntensity(ies, 2, 90, 0, 90), 50);
    EXPECT_DOUBLE_EQ(PlaneIntensity(ies, 0, 90.5, 0, 90), 0);
    EXPECT_DOUBLE_EQ(PlaneIntensity(ies, -1, 25, 0, 90), 0);
    // A symmetric range uses |a|.
    EXPECT_DOUBLE_EQ(PlaneIntensity(ies, 0, -25, -90, 90), 750);
}

class RenderWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ini_ = dir_.filePath(QStringLiteral("gonilux.ini"));
        platform::MessageService::instance()->setRecorder(
            [this](const platform::MessageService::Message& m) { messages_.append(m.Text); });
        source_.Ies = Downlight();
        source_.File = QStringLiteral("/lib/a.ies");
    }
    void TearDown() override { platform::MessageService::instance()->setRecorder({}); }
    void writeIni(const char* text) {
        std::string error;
        ASSERT_TRUE(SaveIniFile(ini_.toStdString(), IniDocument::Parse(text), error));
    }
    IniDocument readIni() const {
        IniDocument ini;
        std::string error;
        LoadIniFile(ini_.toStdString(), ini, error);
        return ini;
    }

    QTemporaryDir dir_;
    QString ini_;
    test::FakeSource source_;
    QStringList messages_;
};

TEST_F(RenderWindowTest, StartsFromDefaultsAndShowsTheZoomLabelReversed) {
    TRenderWindow window(source_, ini_);
    EXPECT_EQ(window.TrackBarZoom()->value(), 500);
    EXPECT_EQ(window.LabelZoom()->text(), QStringLiteral("9500"));
    EXPECT_FALSE(window.TrackBarZ()->isEnabled());
    EXPECT_TRUE(window.SBradiosity()->isChecked());
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(RenderWindowTest, SettingsSectionIsReadAndWrittenBackKeepingOtherSections) {
    writeIni("[Viewer]\nPath=/"
             "x\n[Render]\nLeft=30\nTop=40\nBrightness=70\nZoom=1234\nRadiocity=0\nAutoR=0\n");
    {
        TRenderWindow window(source_, ini_);
        EXPECT_EQ(window.TrackBar2()->value(), 70);
        EXPECT_EQ(window.LabelZoom()->text(), QStringLiteral("8766"));
        EXPECT_FALSE(window.SBradiosity()->isChecked());
        EXPECT_FALSE(window.SBUpdate()->isChecked());
        EXPECT_EQ(window.pos(), QPoint(30, 40));
        window.TrackBar2()->setValue(55);
        window.SBUpdate()->setChecked(true);
    }
    const IniDocument ini = readIni();
    EXPECT_EQ(ini.ValueOr("Viewer", "Path", ""), "/x");
    EXPECT_EQ(ini.ValueOr("Render", "Brightness", ""), "55");
    EXPECT_EQ(ini.ValueOr("Render", "Zoom", ""), "1234");
    EXPECT_EQ(ini.ValueOr("Render", "Radiocity", ""), "0");
    EXPECT_EQ(ini.ValueOr("Render", "AutoR", ""), "1");
}

TEST_F(RenderWindowTest, MalformedValueIsReportedAndStopsReading) {
    writeIni("[Render]\nBrightness=70\nZoom=lots\nRadiocity=0\n");
    TRenderWindow window(source_, ini_);
    EXPECT_EQ(window.TrackBar2()->value(), 70);
    EXPECT_EQ(window.TrackBarZoom()->value(), 500);
    EXPECT_TRUE(window.SBradiosity()->isChecked());
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_.first().startsWith(QStringLiteral("Initialization error")));
}

TEST_F(RenderWindowTest, ReadOnlyFileMakesTheWriteFail) {
    TRenderWindow window(source_, dir_.filePath(QStringLiteral("missing/dir/gonilux.ini")));
    EXPECT_FALSE(window.FormDestroy());
    EXPECT_TRUE(window.FormDestroy()); // written once only
}

TEST_F(RenderWindowTest, ShowingRendersAndTrackBarsRenderOnReleaseOnly) {
    TRenderWindow window(source_, ini_);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.renderCount(), 1);
    EXPECT_EQ(window.RenderedFile(), source_.File);
    EXPECT_EQ(window.renderedImage(), DoRender(source_.Ies, window.currentParams()));

    window.TrackBar2()->setFocus();
    window.TrackBar2()->setValue(80);
    window.TrackBar2()->setValue(90);
    EXPECT_EQ(window.renderCount(), 1);
    EXPECT_TRUE(window.renderPending());
    QTest::keyRelease(window.TrackBar2(), Qt::Key_Right);
    EXPECT_EQ(window.renderCount(), 2);
    EXPECT_FALSE(window.renderPending());
    QTest::keyRelease(window.TrackBar2(), Qt::Key_Right); // nothing pending
    EXPECT_EQ(window.renderCount(), 2);

    window.TrackBarZoom()->setValue(100);
    QTest::mouseRelease(window.TrackBarZoom(), Qt::LeftButton);
    EXPECT_EQ(window.renderCount(), 3);
    EXPECT_EQ(window.renderedImage(), DoRender(source_.Ies, window.currentParams()));
}

TEST_F(RenderWindowTest, AutoUpdateToggleRendersOnlyForAnotherFile) {
    TRenderWindow window(source_, ini_);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const int shown = window.renderCount();
    QTest::mouseClick(window.SBUpdate(), Qt::LeftButton);
    QTest::mouseClick(window.SBUpdate(), Qt::LeftButton);
    EXPECT_EQ(window.renderCount(), shown);
    source_.File = QStringLiteral("/lib/b.ies");
    QTest::mouseClick(window.SBUpdate(), Qt::LeftButton);
    EXPECT_EQ(window.renderCount(), shown + 1);
    EXPECT_EQ(window.RenderedFile(), source_.File);
}

TEST_F(RenderWindowTest, ResetButtonsAndCloseSignal) {
    TRenderWindow window(source_, ini_);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.TrackBar2()->setValue(90);
    window.TrackBarZoom()->setValue(9000);
    QTest::mouseClick(window.ButtonResetBrightness(), Qt::LeftButton);
    QTest::mouseClick(window.ButtonResetZoom(), Qt::LeftButton);
    EXPECT_EQ(window.TrackBar2()->value(), 40);
    EXPECT_EQ(window.LabelZoom()->text(), QStringLiteral("9500"));
    EXPECT_EQ(window.renderedImage(), DoRender(source_.Ies, window.currentParams()));
    int closed = 0;
    QObject::connect(&window, &TRenderWindow::closed, [&closed] { ++closed; });
    QTest::mouseClick(window.ButtonClose(), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(closed, 1);
}

TEST_F(RenderWindowTest, NoFileMeansNoRender) {
    source_.File.clear();
    TRenderWindow window(source_, ini_);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.ButtonUpdateClick();
    EXPECT_EQ(window.renderCount(), 0);
}

} // namespace
} // namespace gonilux::auxwindows
