// The report's charts and datasheet: the readout of the cartesian chart against the record, the
// iso-lines against the closed form of a constant intensity, the pictures against checked-in
// PNGs (GONILUX_UPDATE_EXPECTED=1 rewrites them), the datasheet's ratings by their texts. The
// catalogue's pages: tests/cli.
#include "diagram/cartesian_chart.h"
#include "diagram/datasheet.h"
#include "diagram/isolux_chart.h"
#include "diagram/ratings_chart.h"
#include "photometry/file_io.h"
#include "recording_device.h"
#include "test_records.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

namespace gonilux::test {
namespace {

const QString kExpected = QStringLiteral(GONILUX_TESTDATA_DIR "/expected/diagram/");

tIES Counted(tIES ies) {
    return ies.VertCount = ies.VertAngles.size(), ies.HorzCount = ies.HorzAngles.size(), ies;
}

tIES Spot(double power) { // cos^power of gamma, brighter towards C90, no light above
    return Counted(MakeRecord(1, Steps(0, 180, 5), Steps(0, 90, 22.5), 0, [=](double h, double v) {
        return v < 90 ? (400 + h) * std::pow(std::cos(v * M_PI / 180), power) : 0;
    }));
}

// The pointer's value is the record's own, at stored and between stored angles, in either unit.
TEST(CartesianChart, ValuesDirectionsAndRangeComeFromTheRecord) {
    tIES ies = Spot(1);
    ies.Multiplier = 2;
    // Absolute values, C22.5 as the slider's plane.
    const CartesianChart chart = BuildCartesianChart(ies, {true, 1, true});
    ASSERT_EQ(chart.Series.size(), 3u);
    EXPECT_EQ(chart.Unit, "cd");
    EXPECT_EQ(chart.Series[2].Label, "C22.5-C202.5");
    for (double angle : {30.0, -30.0}) // C90 and C270, which mirrors it
        EXPECT_DOUBLE_EQ(SeriesValueAt(chart, 1, angle), 2 * ies.Candela[4][6]);
    EXPECT_DOUBLE_EQ(SeriesValueAt(chart, 2, 12.5), ies.Candela[1][2] + ies.Candela[1][3]);
    const CartesianDirection back = SeriesDirection(chart, 2, -40);
    EXPECT_EQ(std::pair(back.Gamma, back.Plane), std::pair(40.0, 202.5));
    // The angle axis is the narrowest that holds the light; the marked beam is the figure's.
    for (auto [power, high] : {std::pair{1.0, 90.0}, {60.0, 30.0}}) {
        const tIES spot = Spot(power);
        const CartesianChart c = BuildCartesianChart(spot, {});
        EXPECT_EQ(std::pair(c.AngleLow, c.AngleHigh), std::pair(-high, high));
        EXPECT_NEAR(c.Series[0].BeamHigh - c.Series[0].BeamLow, ComputeMetrics(spot).Spread0.Beam,
                    1e-9);
    }
    EXPECT_EQ(BuildCartesianChart(Counted(MakeRecord(1, {0, 180}, {0}, 1)), {}).AngleHigh, 180);
}

// Type B across the horizontal angles in cd, one side mirrored; an absolute file stays in cd
// when cd/klm is asked; at the ends of the stored gammas, where the curve drops to 0, the
// pointer reads the stored value.
TEST(CartesianChart, TypeBAbsoluteFilesAndTheEndsOfTheStoredAngles) {
    tIES b = Counted(MakeRecord(2, Steps(-90, 90, 10), Steps(0, 90, 10), 0,
                                [](double h, double v) { return 100 + h + v; }));
    b.Multiplier = 2;
    EXPECT_DOUBLE_EQ(SeriesValueAt(BuildCartesianChart(b, {true, -1, true}), 1, -30), 2 * 130);
    b.LumensPerLamp = -1;
    EXPECT_EQ(BuildCartesianChart(b, {false, -1, true}).Unit, "cd");
    const CartesianChart c = BuildCartesianChart(
        Counted(MakeRecord(1, Steps(10, 90, 10), {0}, 0, [](double, double v) { return 200 - v; })),
        {});
    for (double angle : {-90.0, -10.0, 10.0, 90.0})
        EXPECT_DOUBLE_EQ(SeriesValueAt(c, 0, angle), 200 - std::fabs(angle)) << angle;
}

// On a wide, short area the layouts map both ways and find the curve under the pointer; the
// isolux plot stays square.
TEST(CartesianChart, LayoutsMapPointsBothWaysInANonSquareArea) {
    const CartesianChart chart = BuildCartesianChart(Spot(1), {});
    const QRectF area(10, 20, 500, 160);
    const CartesianLayout layout(chart, area, {});
    EXPECT_TRUE(area.contains(layout.Plot().united(layout.Legend())));
    const QPointF point = layout.ToPoint(-35, 210);
    EXPECT_EQ(QPointF(layout.AngleAt(point), layout.ValueAt(point)), QPointF(-35, 210));
    const QPointF onCurve = layout.ToPoint(30, SeriesValueAt(chart, 1, 30));
    EXPECT_EQ(NearestSeries(chart, layout, onCurve + QPointF(0, 2), 4), 1);
    EXPECT_EQ(NearestSeries(chart, layout, area.topLeft(), 4), -1);
    const IsoluxLayout iso(ComputeIlluminanceGrid(Spot(1), 3, 8, 21), area, {});
    EXPECT_DOUBLE_EQ(iso.Plot().width(), iso.Plot().height());
    EXPECT_TRUE(area.contains(iso.Plot()));
    EXPECT_EQ(iso.ToMetres(iso.ToPoint(-1.5, 2.25)), QPointF(-1.5, 2.25)); // fuzzy compare
}

// A constant intensity I gives E = I h / (h^2 + d^2)^1.5: each iso-line is the circle of that
// level, closed, within the grid's resolution.
TEST(IsoluxChart, IsoLinesFollowTheClosedForm) {
    const tIES ies = Counted(MakeRecord(1, Steps(0, 180, 5), {0}, 1000));
    const IlluminanceGrid grid = ComputeIlluminanceGrid(ies, 2, 6, 61);
    EXPECT_EQ(IsoluxLevels(grid.Maximum), (std::vector<double>{200, 100, 50, 20, 10, 5}));
    for (const IsoLine& line : TraceIsolines(grid, {200, 100, 50})) {
        const double radius = std::sqrt(std::pow(1000 * 2 / line.Level, 2.0 / 3) - 4);
        ASSERT_EQ(line.Parts.size(), 1u) << line.Level;
        EXPECT_EQ(line.Parts[0].front(), line.Parts[0].back());
        for (const QPointF& p : line.Parts[0])
            EXPECT_NEAR(std::hypot(p.x(), p.y()), radius, 0.01) << line.Level;
    }
}

void ExpectSamePicture(const QString& name, const QImage& actual) {
    if (qEnvironmentVariableIntValue("GONILUX_UPDATE_EXPECTED") == 1) {
        EXPECT_TRUE(actual.save(kExpected + name));
    }
    const QImage expected = QImage(kExpected + name).convertToFormat(actual.format());
    EXPECT_TRUE(expected == actual) << name.toStdString() << " differs";
}

// The charts of two records on one scale, an isolux chart, and a datasheet at half size.
TEST(ReportPictures, ChartsAndDatasheetMatchTheExpectedPictures) {
    const tIES a = Spot(1), b = Spot(30);
    QImage charts(500, 200, QImage::Format_RGB32), sheet(298, 421, QImage::Format_RGB32);
    QPainter painter(&charts);
    PaintCartesianChart(painter, {0, 0, 300, 200},
                        BuildCartesianChart({&a, &b}, {"a", "b"}, {true, -1, true}), {});
    PaintIsoluxChart(painter, {300, 0, 200, 200}, ComputeIlluminanceGrid(a, 3, 10, 31), {});
    painter.end();
    ExpectSamePicture("report_charts.png", charts);
    painter.begin(&sheet);
    DatasheetInput input = LoadDatasheetInput(GONILUX_SAMPLES_DIR "/track_spot_c_full.ies");
    input.Metrics.LampFlux = 1800.4; // shown as whole lumens
    input.Ratings = {}; // their rows shown empty: the ratings' values are checked as text below
    PaintDatasheet(painter, sheet.rect(), input);
    painter.end();
    ExpectSamePicture("report_datasheet.png", sheet);
}

// The datasheet takes the entry's ratings: the outdoor ones among the main figures, the
// standard UGR table (S = 0.25H) on a second page for a file with a luminous opening only.
TEST(Datasheet, RatingsAndTheUgrPageOfFilesWithAnOpening) {
    const std::string path = GONILUX_SAMPLES_DIR "/street_light_c_90_270.ies";
    TiesData entry = CreateIesData("street_light_c_90_270.ies");
    LoadIesEntry(entry, path);
    const tRatings expected = ComputeRatings(entry.Ies, RatingInputOf(entry));
    const DatasheetInput input = LoadDatasheetInput(path);
    ASSERT_TRUE(input.Ok && expected.Valid);
    EXPECT_EQ(BugText(input.Ratings.Outdoor.Bug), BugText(expected.Outdoor.Bug));
    EXPECT_EQ(input.Ugr.Spacing, 0.25);
    const auto page = [&](int index) {
        return RecordDrawing(595, 842, [&](QPainter& p) {
            PaintDatasheet(p, QRectF(0, 0, 595, 842), input, index);
        });
    };
    const Recording first = page(0), second = page(1);
    const QString bug = QString::fromStdString(BugText(expected.Outdoor.Bug));
    // the label and its value along one baseline are one text
    EXPECT_TRUE(first.FindText("BUG 等级") && !bug.isEmpty() && first.FindText(bug));
    EXPECT_TRUE(first.FindText("截光分类" + CutoffName(expected.Outdoor.Cutoff)));
    EXPECT_EQ(DatasheetPages(input), 2);
    EXPECT_TRUE(second.FindText("统一眩光值 UGR") && second.FindText("横向观察纵向观察"));
    EXPECT_EQ(second.FindText("12H") != nullptr, input.Ugr.Valid); // the last rooms' X
    DatasheetInput noted = input; // a note tells why a figure is missing, in the sheet's language
    noted.Ratings.Notes = {"the file gives no luminous opening: luminance and UGR are undefined"};
    EXPECT_TRUE(RecordDrawing(595, 842, [&](QPainter& p) {
                    PaintDatasheet(p, QRectF(0, 0, 595, 842), noted);
                }).FindText("文件没有给出发光面"));
    const tIES bare = LoadDatasheetInput(GONILUX_SAMPLES_DIR "/bare_lamp_point_1986.ies").Ies;
    EXPECT_EQ(std::tuple(HasLuminousOpening(bare), HasLuminousOpening(input.Ies)),
              std::tuple(false, true));
}

// The LCS diagram: each zone's share of the ten, the back zones named left of the nadir and the
// front ones right of it, the uplight above the luminaire.
TEST(Datasheet, LcsDiagramPutsTheBackLeftAndTheFrontRight) {
    const tLcsZones lcs{true, 1, 2, 3, 4, 5, 6, 7, 8, 0, 4};
    const std::vector<LcsZoneShare> shares = LcsShares(lcs);
    ASSERT_EQ(shares.size(), 10u);
    EXPECT_EQ(std::string(shares[7].Name) + " " + std::to_string(shares[7].Percent),
              "FVH 20.000000");
    const Recording drawn = RecordDrawing(
        600, 400, [&](QPainter& p) { PaintLcsDiagram(p, QRectF(0, 0, 600, 400), lcs, {}); });
    QString sides;
    for (const char* name : {"BL", "BM", "BH", "BVH", "FL", "FM", "FH", "FVH", "UH"}) {
        const RecordedOp* label = drawn.FindText(name);
        ASSERT_TRUE(label) << name;
        const double x = label->Transform.map(label->Baseline).x() +
                         QFontMetricsF(label->Font).horizontalAdvance(label->Text) / 2;
        sides += x < 290 ? 'B' : x > 310 ? 'F' : 'U';
    }
    EXPECT_EQ(sides, "BBBBFFFFU");
}

} // namespace
} // namespace gonilux::test
