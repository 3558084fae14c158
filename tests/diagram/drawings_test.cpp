// Whole drawings of representative records against checked-in expected files: every drawing
// call with its geometry, pen, texts and pictures, and the scale published for the hover
// readout. Rewrite them with GONILUX_UPDATE_EXPECTED=1 and read the differences before
// committing.
#include "diagram/diagram_file.h"
#include "diagram/diagram_text.h"
#include "diagram/goniogram.h"
#include "diagram/opening.h"
#include "diagram/pictograms.h"
#include "diagram/render_diagram.h"
#include "recording_device.h"
#include "test_records.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace gonilux::test {
namespace {

const QString kExpected = QStringLiteral(GONILUX_TESTDATA_DIR "/expected/diagram/");
const bool kUpdate = qEnvironmentVariableIntValue("GONILUX_UPDATE_EXPECTED") == 1;

QByteArray Digest(const QImage& picture) {
    const QByteArrayView bytes(picture.constBits(), picture.sizeInBytes());
    return " #" + QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().left(12);
}

QString Describe(const RecordedOp& op) {
    static const char* const kNames[] = {"lines", "polyline", "polygon", "ellipse",
                                         "rect",  "text",     "image",   "path"};
    const auto colour = [](const auto& tool) {
        return tool.style() ? tool.color().name(QColor::HexArgb).toStdString() : "none";
    };
    QString line = QString::asprintf(
        "%s%s shift %g,%g pen %s/%g/%d fill %s box %g,%g %gx%g", kNames[int(op.Type)],
        op.Antialias ? " smooth" : "", op.Transform.dx(), op.Transform.dy(), colour(op.Pen).c_str(),
        op.Pen.widthF(), int(op.Pen.joinStyle()), colour(op.Brush).c_str(), op.Box.x(), op.Box.y(),
        op.Box.width(), op.Box.height());
    for (const QPointF& p : op.Points)
        line += QString::asprintf(" %g,%g", p.x(), p.y());
    if (op.Type == Op::Text)
        line += " \"" + op.Text +
                QString::asprintf("\" at %d,%d %dpx", op.TopLeft.x(), op.TopLeft.y(),
                                  op.Font.pixelSize());
    for (int i = 0; i < kPictogramCount && !op.Picture.isNull(); ++i)
        if (op.Picture == PictogramCellImage(i)) line += QStringLiteral(" cell %1").arg(i);
    if (!op.Picture.isNull()) line += Digest(op.Picture);
    return line;
}

void ExpectSameText(const QString& name, const QString& actual) {
    QFile file(kExpected + name + ".txt");
    if (kUpdate && file.open(QIODevice::WriteOnly)) file.write(actual.toUtf8()), file.close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QStringList want = QString::fromUtf8(file.readAll()).split('\n'),
                      got = actual.split('\n');
    qsizetype i = 0; // the first line that differs
    while (i < want.size() && i < got.size() && want[i] == got[i])
        ++i;
    EXPECT_EQ(want.value(i).toStdString(), got.value(i).toStdString()) << "line " << i + 1;
}

struct Drawing {
    std::string Name;
    tIES Ies;
    DiagramRequest Request;
    int Flags; // drawn as the preview does (PaintDiagram) with these flags; 0: ComposeDiagram
};

Drawing Row(const std::string& name, const tIES& ies, int width, int height,
            DiagramOptions options = {}, int plane = 0, double scale = 1, bool thumbnail = false,
            int flags = 0) {
    return {name, ies, {width, height, thumbnail, scale, plane, options}, flags};
}

std::vector<Drawing> Drawings() {
    // Type C with light above and below; the 45 degree plane is the brightest.
    tIES c = MakeRecord(1, Steps(0, 180, 30), Steps(0, 315, 45), 0, [](double h, double v) {
        return (v <= 90 ? 500 - 3 * v : 260 - v) * (h == 45 ? 1.3 : 1 - h / 1000);
    });
    c.LampCount = 4, c.InputWatts = 72, c.Width = 0.5, c.Length = 0.25, c.Height = 0.1;
    tIES absolute = c;
    absolute.Multiplier = 2, absolute.LampCount = 2, absolute.UnitsType = 1;
    absolute.Width = -0.1, absolute.Length = 0, absolute.Height = 0.2;
    // Rows shorter and longer than the vertical angles, and an empty one.
    tIES damaged = MakeRecord(1, Steps(0, 180, 45), Steps(0, 270, 90), 300);
    damaged.Candela[0].resize(2), damaged.Candela[2].resize(9, 150), damaged.Candela[3].clear();
    tIES empty = damaged, dark = MakeRecord(1, Steps(0, 180, 90), Steps(0, 270, 90), 0.0);
    empty.Candela.clear();
    tIES negative = MakeRecord(1, Steps(0, 180, 45), {0}, 500);
    negative.Multiplier = -1;
    // A huge value and a missing one at vertical 0, outside the planes scaled to: the cross
    // curve stays within the coordinate limit and puts the missing value at the centre.
    const tIES extreme = MakeRecord(2, {-90, 0, 90}, {0, 45, 90}, 0, [](double h, double v) {
        return v != 0 ? 10 : h == 45 ? 1e12 : h == 90 ? std::nan("") : 100;
    });
    // Type B stored on one side, asymmetric in the vertical angle; unrecognised opening.
    tIES b = MakeRecord(2, Steps(-90, 90, 30), Steps(0, 90, 30), 0,
                        [](double h, double v) { return 400 - 3 * std::abs(v) + v / 2 - h / 2; });
    b.LampCount = 5, b.Width = -1, b.Length = -1, b.Height = 0;
    tIES oneSided = MakeRecord(2, Steps(0, 90, 45), Steps(90, 270, 45), 0,
                               [](double h, double v) { return 300 - 2 * v + (h - 180); });
    oneSided.LumensPerLamp = -1, oneSided.Width = -0.3;
    tIES a = MakeRecord(3, Steps(-90, 90, 45), Steps(-90, 90, 45), 0,
                        [](double h, double v) { return 250 - std::abs(v) - std::abs(h) / 2; });
    a.Width = 0.6, a.Length = -0.3, a.Height = -0.2;
    // A downlight whose rings are too close for the canvas font; the point opening.
    const tIES small = MakeRecord(1, Steps(0, 90, 45), Steps(0, 270, 90), 0,
                                  [](double, double v) { return 920 - v; });
    tIES unknown =
        MakeRecord(0, Steps(0, 180, 45), {0}, 0, [](double, double v) { return 200 + v; });
    unknown.Width = -0.3, unknown.Height = -0.3;
    DiagramOptions centred, complete, whole, aliased, corrected, noPair, tiny;
    centred.Center = centred.Multi = centred.Labels = true, centred.Antialias = false;
    centred.PlatformCorrection = 20, tiny.PlatformCorrection = 8; // no and 1 pixel pictograms
    complete.Complete = complete.Labels = true, complete.Warning = false;
    complete.FontHeight = -13, complete.TextColor = QColor(0, 0, 160);
    whole.Ortho = whole.Fit = false, whole.Labels = true;
    aliased.Antialias = false, corrected.PlatformCorrection = 1, noPair.Ortho = false;
    const int preview = RenderBackground | RenderDiagramCurves;
    std::vector<Drawing> rows{
        {"c_default", c, {}, 0},
        Row("c_nonsquare_centred_absolute_labels", absolute, 320, 220, centred, 2),
        Row("b_cross_curve", b, 240, 240),
        Row("b_one_sided_complete_labels", oneSided, 200, 240, complete, 99),
        Row("a_print_scale", a, 300, 300, aliased, 0, 2),
        Row("c_small_shrunk_font", small, 120, 120, corrected),
        Row("c_whole_extents", c, 220, 220, whole, 1),
        Row("c_damaged_rows", damaged, 160, 160),
        Row("c_no_values", empty, 100, 100),
        Row("c_zero_values_centred", dark, 100, 100, centred),
        Row("c_negative_multiplier_absolute", negative, 100, 100, centred),
        Row("b_extreme_values", extreme, 100, 100, tiny),
        Row("b_thumbnail", b, 100, 100, noPair, 0, 1, true),
        Row("b_one_sided_thumbnail", oneSided, 100, 100, {}, 0, 1, true),
        Row("a_pictograms", a, 160, 160),
        Row("c_thumbnail_preview", c, 100, 100, {}, 3, 1, false, preview | RenderThumbnail),
        Row("unknown_type_curves_only", unknown, 160, 160, {}, 0, 1, false, RenderDiagramCurves),
        // A plane past the last one (a slider left there by the previous file): the last one.
        Row("unknown_type_labels_preview", unknown, 160, 160, whole, 7, 1, false, preview),
    };
    // Scale rings: 4 to 8 rings of a round step, none for nothing to scale to.
    for (double top : {850.0, 870.0, 350.0, 340.0, 100.0, 3.3, 8.5e6, 1e9, 1e20, 1e-300, 0.0})
        rows.push_back(Row("rings_" + QString::number(top).toStdString(),
                           MakeRecord(1, {0, 90, 180}, {0}, top), 120, 120));
    return rows;
}

TEST(Drawings, MatchTheExpectedCallsAndPictures) {
    for (const Drawing& d : Drawings()) {
        SCOPED_TRACE(d.Name);
        const DiagramRequest& r = d.Request;
        DiagramScale seen; // the scale the drawing reports for reading values back off it
        const auto draw = [&](QPainter& painter) {
            painter.setBrush(Qt::green); // the caller's, unused by the drawing and kept
            seen = d.Flags ? PaintDiagram(painter, r.Width, r.Height, d.Ies, d.Flags, r.Plane,
                                          r.Options)
                           : ComposeDiagram(painter, d.Ies, r);
            EXPECT_EQ(painter.brush(), QBrush(Qt::green));
        };
        QString calls;
        for (const RecordedOp& op : RecordDrawing(r.Width, r.Height, draw).Ops)
            calls += Describe(op) + '\n';
        calls += QStringLiteral("readout: %1 at margin %2\n").arg(seen.FullScale).arg(seen.Margin);
        const QImage picture =
            d.Flags ? ComposeDiagram(r.Width, r.Height, d.Ies, d.Flags, r.Plane, r.Options)
                    : RenderDiagramImage(d.Ies, r);
        ExpectSameText(QString::fromStdString(d.Name), calls + "picture" + Digest(picture) + '\n');
    }
    // Degenerate sizes: no picture to compose, and a written picture has at least one pixel.
    const tIES dot = MakeRecord(1, {0}, {0});
    EXPECT_TRUE(ComposeDiagram(0, 5, dot, RenderBackground, 0, {}).isNull());
    EXPECT_EQ(ComposeDiagram(1, 1, dot, RenderBackground, 0, {}).size(), QSize(1, 1));
    EXPECT_EQ(RenderDiagramImage(dot, {0, 1, false, 1, 0, {}}).size(), QSize(1, 1));
}

// Number texts and the opening's shape by the signs of its dimensions, in metres (2) or feet,
// shown in metric units and in the file's own.
TEST(Drawings, NumberAndOpeningTexts) {
    QString texts;
    for (double value :
         {1234567.891, 999.0, 1000.0, -123.0, -123456.0, 0.1 + 0.2, 1.0 / 3, 1e-5, 1.5e-6,
          999999999999999.0, 1e15, 9999999999999999.0, -2.5e20, -0.0, qQNaN(), qInf(), -qInf()})
        texts += ShortestText(value) + " | " + FormatGrouped(value) + '\n';
    const double openings[][4] = {
        {0.5, 0.25, 0, 2},   {0.5, 0.25, 0.1, 2},  {0.5, 0.25, -0.1, 2}, {1.2, 0, -0.05, 2},
        {0.6, -0.3, 0.1, 2}, {0.6, -0.3, -0.2, 2}, {0, 0.8, -0.1, 2},    {0, 0, 0, 2},
        {-0.2, 0.4, 0.1, 2}, {-0.2, 0.4, -0.1, 2}, {-0.1, 0, 0.2, 2},    {-0.3, 0, 0, 2},
        {-0.3, 0, -0.3, 2},  {0.5, 0.25, 0, 1},    {-0.5, 0, 0, 1},      {-1, -1, 0, 2},
        {1, 0, 1, 2},        {0, 1, 0, 2},         {0, 0, -1, 1},        {-1, 1, 0, 2}};
    for (const auto& o : openings) {
        tIES ies;
        std::tie(ies.Width, ies.Length, ies.Height) = std::tuple(o[0], o[1], o[2]);
        ies.UnitsType = static_cast<std::uint16_t>(o[3]);
        for (const LengthSystem system : {LengthSystem::Metric, LengthSystem::File}) {
            const auto d = DescribeOpening(OpeningOf(ies, system, false));
            texts += QStringLiteral("%1 cell %2: %3 | %4\n")
                         .arg(d.Identifier.isEmpty() ? "?" : d.Description)
                         .arg(d.Cell)
                         .arg(d.DimensionText, d.RawText);
        }
    }
    ExpectSameText(QStringLiteral("texts"), texts);
}

// Worked out by hand: 320 x 220 has its centre at (160, 110), Rx = 150 and Ry = 100, so 100 cd at
// 45 degrees lie 150 and 100 times 0.7071 off the centre.
TEST(Drawings, NonSquareRectangleScalesEachAxisByItsOwnRadius) {
    const tIES ies = MakeRecord(1, {0, 45, 90}, {0});
    const auto draw = [&](const DiagramOptions& options) {
        return RecordDrawing(320, 220, [&](QPainter& painter) {
            DrawGoniogram(painter, 320, 220, ies, kModeFull, 1, 0, options);
        });
    };
    // The main curve's right half follows the perpendicular pair (here the same plane).
    const QPolygonF plain{{160, 210}, {266, 181}, {310, 110}, {160, 110}};
    EXPECT_EQ(draw({}).OfType(Op::Polyline).at(2).Points, plain);
    // Centred: the extents x 0..100 and y 0..100 reach 100, so 70 cd reach the radius; the
    // shift is -round(50 / 70 * 160) = -114 across and -round(50 / 70 * 110) = -79 down.
    DiagramOptions centre;
    centre.Center = true;
    const Recording centred = draw(centre);
    const QPolygonF shifted{{46, 174}, {198, 132}, {260, 31}, {46, 31}};
    EXPECT_EQ(centred.OfType(Op::Polyline).at(2).Points, shifted);
    EXPECT_EQ(centred.OfType(Op::Ellipse).at(0).Box, QRectF(46, 31, 0, 0)); // the zero ring
}

// On a desktop with an icon theme the warning sign is the theme's own (here a blue square).
TEST(Drawings, TheWarningSignIsTheIconThemesWhenThereIsOne) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("t/48"));
    QFile index(dir.filePath("t/index.theme"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nDirectories=48\n[48]\nSize=48\nType=Scalable\nMaxSize=512\n");
    index.close();
    QImage blue(48, 48, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(dir.filePath("t/48/dialog-warning.png")));
    QIcon::setThemeSearchPaths({dir.path()});
    QIcon::setThemeName("t");
    const QImage sign = SystemIconImage(SystemIcon::Warning, 300); // too large to be cached
    QIcon::setThemeName({});
    EXPECT_EQ(sign.pixelColor(150, 150), QColor(Qt::blue));
}

} // namespace
} // namespace gonilux::test
