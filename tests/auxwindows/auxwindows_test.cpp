// The auxiliary windows: the render window's glow picture and controls, the compare window's
// square snapshot, the map picture and the printed page. Pictures and the render window's
// controls are compared with files in tests/data/expected/auxwindows; GONILUX_UPDATE_EXPECTED=1
// rewrites them (look at them before committing).
#include "auxwindows/compare_window.h"
#include "auxwindows/map_image.h"
#include "auxwindows/preview_source.h"
#include "auxwindows/print_page.h"
#include "auxwindows/render_window.h"
#include "diagram/background.h"
#include "diagram/goniogram.h"
#include "platform/message_service.h"
#include "wait_until.h"

#include <QPrinter>
#include <QSignalSpy>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace gonilux::auxwindows {
namespace {

// A type C record whose rows follow `row(h, v)`.
tIES MakeRecord(const tArrEx& horz, const tArrEx& vert, double (*row)(double h, double v)) {
    tIES ies{.Candela = {}, .PhotometricType = 1, .VertAngles = vert, .HorzAngles = horz};
    for (double h : horz)
        for (ies.Candela.emplace_back(); double v : vert)
            ies.Candela.back().push_back(row(h, v));
    return ies;
}

// Plane 0 falls from 1000 to 100 cd over 0..90 degrees, its opposite from 500 to 50; the side
// planes are flat.
tIES Downlight() {
    return MakeRecord(
        {0, 90, 180, 270}, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90},
        [](double h, double v) { return h == 0 ? 1000 - 10 * v : (h == 180 ? 500 - 5 * v : 200); });
}

class FakeSource final : public PreviewSource {
  public:
    const tIES& previewIes() const override { return Ies; }
    QString currentFile() const override { return File; }
    int planePosition() const override { return Plane; }
    DiagramOptions diagramOptions() const override { return Options; }
    QString selectedCaption() const override { return Caption; }
    std::vector<std::string> focusedTitles() const override { return {}; }

    tIES Ies = Downlight();
    QString File = QStringLiteral("/lib/a.ies");
    int Plane = 0;
    DiagramOptions Options;
    QString Caption;
};

// The checked-in file NAME, first rewritten with `data` when GONILUX_UPDATE_EXPECTED=1.
QByteArray Expected(const QString& name, const QByteArray& data) {
    QFile file(QStringLiteral(GONILUX_TESTDATA_DIR "/expected/auxwindows/") + name);
    EXPECT_TRUE(qEnvironmentVariableIntValue("GONILUX_UPDATE_EXPECTED") != 1 ||
                (file.open(QIODevice::WriteOnly) && file.write(data) == data.size()));
    file.close();
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Grey pictures side by side, compared with NAME.png.
void ExpectPictures(const QString& name, const std::vector<QImage>& pictures) {
    const int w = pictures.front().width(), h = pictures.front().height();
    QImage sheet(w * static_cast<int>(pictures.size()), h, QImage::Format_Grayscale8);
    QPainter painter(&sheet);
    for (std::size_t i = 0; i < pictures.size(); ++i)
        painter.drawImage(w * static_cast<int>(i), 0, pictures[i]);
    painter.end();
    QBuffer png;
    ASSERT_TRUE(png.open(QIODevice::WriteOnly) && sheet.save(&png, "PNG"));
    EXPECT_EQ(sheet, QImage::fromData(Expected(name, png.data())).convertToFormat(sheet.format()));
}

// The diagram as the compare window and the printed page draw it.
QImage Diagram(const tIES& ies, int side, double scale, int plane, const DiagramOptions& options) {
    QImage image(side, side, QImage::Format_RGB32);
    QPainter painter(&image);
    DrawBackground(painter, side, side, false);
    DrawGoniogram(painter, side, side, ies, kModeFull, scale, plane, options);
    painter.end();
    return image;
}

// The render window's glow through a plane pair, with and without the ambient term, brighter,
// zoomed, other planes and switches, records reaching the zenith, one-sided, unsorted, type B
// (black), without vertical spread (ambient only). The map unfolds a quarter, two
// halves, a full turn closing back to 0 and one plane; nothing outside the vertical angles, for
// unsorted angles or without any light.
TEST(Pictures, RenderAndMapImages) {
    auto row = [](double h, double v) { return 1000 - h - 3 * std::abs(v); };
    auto curved = [](double h, double v) { return 1000 - h - v * v / 9; }; // unsorted: bent rows
    tIES typeB = Downlight();
    typeB.PhotometricType = 2;
    ExpectPictures(
        "render.png",
        {DoRender(Downlight(), {}), DoRender(Downlight(), {.Radiosity = false}),
         DoRender(Downlight(), {.Plane = 1, .Brightness = 90, .Zoom = 50}),
         DoRender(Downlight(), {.Plane = 3, .ZPosition = 5000, .Planes = {true, false, false}}),
         DoRender(MakeRecord({0, 90, 180, 270}, {0, 45, 90, 135, 180}, row), {.Plane = 2}),
         DoRender(MakeRecord({0, 90, 180, 270}, {-90, -45, 0, 45, 90}, row), {}),
         DoRender(MakeRecord({0, 180}, {30, 0, 60, 90}, curved), {}),
         DoRender(MakeRecord({0, 180}, {0, 90}, row), {}), DoRender(typeB, {}),
         DoRender(MakeRecord({0}, {0}, row), {})});
    std::vector<QImage> maps;
    for (const tArrEx& horz : {tArrEx{0, 45, 90}, {0, 90, 180}, {90, 180, 270}, {0, 120, 240}, {0}})
        maps.push_back(MapImage(MakeRecord(horz, {0, 30, 60, 90, 120}, row), 1000, 128));
    tIES damaged = MakeRecord({0, 90, 180}, {0, 30, 60, 90, 120}, row);
    damaged.Candela[1].resize(3);
    for (const tIES& ies : {damaged, MakeRecord({0, 90}, {90, 120, 180}, row),
                            MakeRecord({0, 90}, {0}, row), MakeRecord({0, 180, 90}, {0, 90}, row)})
        maps.push_back(MapImage(ies, 1000, 128));
    maps.push_back(MapImage(Downlight(), 0, 128));
    ExpectPictures("map.png", maps);
    EXPECT_EQ(PlaneIntensity(Downlight(), 0, 90, 0, 90), 100); // the last angle reads its own value
}

// The map window shows the previewed record. The compare window: centred when first shown,
// square whatever the user does, the plane and caption of the last snapshot with the current
// switches.
TEST(CompareAndMapWindows, ShowTheirPictures) {
    FakeSource source;
    TMapWindow map(source);
    map.showMap();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&map));
    EXPECT_EQ(map.grab().toImage(), MapImage(source.Ies, 1000, 512));
    source.Plane = 2;
    source.Caption = "first.ies";
    TBigGonioWin window(source);
    EXPECT_EQ(map.windowTitle() + " " + window.windowTitle(), "地图 比较");
    window.showCompare();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((window.geometry().center() - screen.center()).manhattanLength(), 4);
    source.Plane = 0;
    source.Caption.clear();
    source.Options.Labels = true;
    EXPECT_EQ(window.grab().toImage(), Diagram(source.Ies, 329, 1.0, 2, source.Options));
    window.showCompare();
    EXPECT_EQ(window.grab().toImage(), Diagram(source.Ies, 329, 1.0, 0, source.Options));
    EXPECT_EQ(window.windowTitle(), "first.ies");
    window.resize(400, 300);
    EXPECT_TRUE(::test::WaitUntil([&] { return window.size() == QSize(400, 400); }));
    window.resize(250, 420);
    EXPECT_TRUE(::test::WaitUntil([&] { return window.size() == QSize(420, 420); }));
    window.move(20, 30); // placed by the user: shown there again
    window.hide();
    window.showCompare();
    EXPECT_EQ(window.pos(), QPoint(20, 30));
}

// Page geometry at the edge of shrinking, tiny and empty; a landscape page where the diagram
// shrinks so that the header lines fit under it, each line in the text colour one text height below
// the previous one; a page printed into a PDF file, or the reason why not.
TEST(PrintPage, DiagramAndHeaderLinesOnOnePage) {
    QString out;
    for (const PageGeometry& g :
         {ComputePageGeometry(380, 435, -11), ComputePageGeometry(20, 100, -11),
          ComputePageGeometry(10, 7, -11)})
        QDebug(&out) << g.Side << g.TextHeight << g.TextLeft << g.FirstLine << g.Scale << "|";
    EXPECT_EQ(out, "380 -11 5 379 1 | 20 -1 0 19 0.0526316 | 0 -1 0 -1 1 | ");
    const tIES ies = Downlight();
    PrintJob job{&ies, 1, {}, {"", "a.ies", "T-1", "ACME", "", "DL-226", "TC-D 26W", "LC-26"}};
    job.Options.TextColor = QColor(0, 0, 200);
    QImage page(2600, 2000, QImage::Format_RGB32);
    QPainter painter(&page);
    const PageGeometry g = PaintPage(painter, 2600, 2000, job);
    painter.end();
    EXPECT_EQ(page.copy(0, 0, 1707, 1707),
              Diagram(ies, 1708, g.Scale, 1, job.Options).copy(0, 0, 1707, 1707));
    EXPECT_EQ(QList<QRgb>({page.pixel(0, 1999), page.pixel(2599, 1000), page.pixel(2598, 1998)}),
              QList<QRgb>({0xff000000, 0xff000000, 0xffffffff})); // the frame round the white page
    for (int i = 0; i < 4; ++i) // in colour, in the 58-pixel font, one text height apart
        EXPECT_FALSE(page.copy(300, 1708 + 58 * i, 100, 50).allGray()) << "line " << i;
    EXPECT_FALSE(page.copy(29, 1708, 71, 50).allGray()); // from |f| / 2 on
    EXPECT_TRUE(page.copy(0, 1708, 29, 290).allGray() && page.copy(0, 1955, 2600, 44).allGray());
    EXPECT_TRUE(PrintHeaderLines({"", "a.ies", "", ""}).isEmpty());
    QTemporaryDir dir;
    QPrinter printer;
    QString error;
    printer.setOutputFileName(dir.filePath("page.pdf"));
    EXPECT_TRUE(PrintDiagram(printer, job, error));
    printer.setOutputFileName("/nonexistent/page.pdf");
    EXPECT_FALSE(PrintDiagram(printer, job, error));
    EXPECT_TRUE(error.startsWith("无法启动打印机。"));
    EXPECT_EQ(printer.docName(), "IES diagramm by Gonilux v2.9");
    EXPECT_GT(QFileInfo(dir.filePath("page.pdf")).size(), 8000); // with the diagram
}

// The window's title, place and size, then one line per control: its kind and name, then the
// properties of these it has; compared with NAME.
void ExpectControls(const QString& name, const QWidget& window) {
    QString out;
    QDebug debug(&out);
    debug << window.windowTitle() << window.geometry() << window.maximumSize();
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        debug << "\n" << w->metaObject()->className() << w->objectName() << w->isHidden();
        for (const char* p : {"text", "toolTip", "geometry", "enabled", "checked", "autoDefault",
                              "value", "minimum", "maximum", "frameShape", "frameShadow"})
            if (w->property(p).isValid()) debug << p << w->property(p);
    }
    EXPECT_EQ(out, QString::fromUtf8(Expected(name, out.toUtf8())));
}

// Defaults at a first start; the "Render" section read, and written back once keeping the other
// sections; a malformed value reported, with nothing read after it. Then rendering.
TEST(RenderWindow, SettingsControlsAndRendering) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("gonilux.ini");
    FakeSource source;
    QStringList boxes;
    platform::MessageService::instance()->setRecorder([&](const auto& m) { boxes.append(m.Text); });
    auto write = [&](const char* text) {
        QFile file(ini);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) > 0);
    };
    ExpectControls("render_window.txt", TRenderWindow(source, ini));
    write("[V]\nA=1\n[Render]\nLeft=3\nTop=4\nBrightness=70\nZoom=12\nRadiocity=0\nAutoR=0\n");
    {
        TRenderWindow window(source, ini);
        ExpectControls("render_window_read.txt", window);
        window.TrackBar2()->setValue(55);
        window.SBradiosity()->setChecked(true);
        window.SBUpdate()->setChecked(true);
        window.move(5, 6);
        EXPECT_TRUE(window.FormDestroy());
        window.move(70, 80);
    }
    QFile written(ini);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(),
              "[V]\nA=1\n[Render]\nLeft=5\nTop=6\nBrightness=55\nZoom=12\nRadiocity=1\nAutoR=1\n");
    write("[Render]\nZoom=x\nRadiocity=0\n");
    const TRenderWindow stopped(source, ini);
    EXPECT_TRUE(stopped.SBradiosity()->isChecked() && stopped.SBUpdate()->isChecked());
    EXPECT_EQ(boxes, QStringList{"初始化错误\r无法读取设置\r"});
    platform::MessageService::instance()->setRecorder({});

    // Rendering on showing, on releasing a moved track bar (left button or key), on the buttons,
    // and on switching the automatic update on for another file; closing tells the main window.
    source.Plane = 2;
    TRenderWindow window(source, dir.filePath("render.ini"));
    auto shows = [&](RenderParams p) { return window.renderedImage() == DoRender(source.Ies, p); };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(shows({.Plane = 2}));
    window.TrackBar2()->setValue(90);
    QTest::keyRelease(window.TrackBar2(), Qt::Key_Right);
    QTest::keyRelease(window.TrackBar2(), Qt::Key_Right); // nothing left pending
    EXPECT_EQ(window.renderCount(), 2);
    window.TrackBarZoom()->setValue(100);
    QTest::mouseRelease(window.TrackBarZoom(), Qt::RightButton);
    EXPECT_EQ(window.renderCount(), 2);
    QTest::mouseRelease(window.TrackBarZoom(), Qt::LeftButton);
    EXPECT_TRUE(shows({.Plane = 2, .Brightness = 90, .Zoom = 100}));
    QTest::mouseClick(window.SBradiosity(), Qt::LeftButton);
    EXPECT_TRUE(shows({.Plane = 2, .Brightness = 90, .Zoom = 100, .Radiosity = false}));
    QTest::mouseClick(window.ButtonResetBrightness(), Qt::LeftButton);
    QTest::mouseClick(window.ButtonResetZoom(), Qt::LeftButton);
    EXPECT_TRUE(shows({.Plane = 2, .Radiosity = false}));
    QTest::mouseClick(window.SBUpdate(), Qt::LeftButton); // same file: no new render
    source.File = "/lib/b.ies";
    QTest::mouseClick(window.SBUpdate(), Qt::LeftButton);
    EXPECT_EQ(window.renderCount(), 7);
    QSignalSpy closed(&window, &TRenderWindow::closed);
    QTest::mouseClick(window.ButtonClose(), Qt::LeftButton);
    EXPECT_EQ(closed.size() * 10 + window.isVisible(), 10);
    EXPECT_FALSE(window.findChild<QLabel*>("Image1")->pixmap().isNull());
}

} // namespace
} // namespace gonilux::auxwindows
