// The report window over a fake preview: following the shown file, the candela table with its
// clipboard text and CSV file, the pointer readouts, the isolux, zonal, cone and ratings pages,
// the pictures and the datasheet it writes, and the overlay of the files selected in the list.
// GONILUX_REPORT_SHOTS=DIR writes a picture of each page into DIR to look at.
#include "auxwindows/preview_source.h"
#include "auxwindows/report_model.h"
#include "auxwindows/report_window.h"
#include "diagram/diagram_text.h"
#include "diagram/ratings_chart.h"
#include "diagram/render_diagram.h"
#include "platform/message_service.h"
#include "platform/shell_actions.h"
#include "wait_until.h"

#include <QtWidgets>
#include <gtest/gtest.h>

namespace gonilux::auxwindows {
namespace {

QString Cell(const QTableWidget* table, int row, int column) {
    return table->item(row, column) ? table->item(row, column)->text() : QString("(none)");
}

// A type C downlight of one 1000 lm lamp: C0 falls from 1000 at the nadir by 10 a degree, C180
// from 500 by 5, C90 and C270 are flat at 200.
tIES Light(double multiplier = 1) {
    tIES ies{.LumensPerLamp = 1000,
             .Multiplier = multiplier,
             .Candela = {},
             .LampCount = 1,
             .PhotometricType = 1,
             .VertAngles = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90},
             .HorzAngles = {0, 90, 180, 270}};
    std::tie(ies.VertCount, ies.HorzCount) = std::pair(10, 4);
    for (double h : ies.HorzAngles)
        for (ies.Candela.emplace_back(); double v : ies.VertAngles)
            ies.Candela.back().push_back(h == 0 ? 1000 - 10 * v : (h == 180 ? 500 - 5 * v : 200));
    return ies;
}

class Source final : public PreviewSource {
  public:
    const tIES& previewIes() const override { return Ies; }
    QString currentFile() const override { return File; }
    int planePosition() const override { return 0; }
    DiagramOptions diagramOptions() const override { return Options; }
    QString selectedCaption() const override { return {}; }
    std::vector<std::string> focusedTitles() const override { return Titles; }
    std::vector<SelectedRecord> selectedRecords(int limit) const override {
        std::vector<SelectedRecord> taken;
        for (std::size_t i = 0; i < Selected.size() && std::ssize(taken) < limit; ++i)
            taken.push_back({QStringLiteral("f%1.ies").arg(i), &Selected[i]});
        return taken;
    }

    tIES Ies = Light();
    QString File =
        QStringLiteral(GONILUX_TESTDATA_DIR "/ies-real/tobspr-RenderPipeline/bollard.ies");
    DiagramOptions Options;
    std::vector<tIES> Selected;
    std::vector<std::string> Titles;
};

class ReportWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::MessageService::instance()->setRecorder(
            [this](const platform::MessageService::Message& m) { messages_.append(m.Text); });
        auto shell = std::make_unique<platform::RecordingShellActions>();
        shell_ = shell.get();
        platform::ShellActions::setInstance(std::move(shell));
        window_.showReport();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }
    void TearDown() override {
        platform::MessageService::instance()->setRecorder({});
        platform::ShellActions::setInstance(nullptr);
    }
    Source source_;
    ReportWindow window_{source_};
    QStringList messages_;
    platform::RecordingShellActions* shell_ = nullptr;
    QTemporaryDir dir_;
};

// The pages of the shown file; another file with absolute values replaces them; copying,
// saving and writing pictures and the datasheet, and what a failed write says.
TEST_F(ReportWindowTest, PagesFollowTheShownFileAndAreWritten) {
    QTableWidget* table = window_.candelaTable();
    EXPECT_EQ(window_.windowTitle() +
                  QString(" %1x%2").arg(table->columnCount()).arg(table->rowCount()),
              "光度报告 - bollard.ies 4x10");
    EXPECT_EQ(table->horizontalHeaderItem(1)->text() + table->verticalHeaderItem(3)->text() + " " +
                  Cell(table, 3, 0) + " " + Cell(table, 3, 2),
              "C9030° 700 350");
    QTest::mouseClick(window_.findChild<QPushButton*>("ButtonCopy"), Qt::LeftButton);
    EXPECT_TRUE(shell_->Calls.value(0).startsWith(
        "copy cd/klm\t0\t90\t180\t270\n0\t1000\t200\t500\t200\n"));
    EXPECT_TRUE(window_.saveCandelaCsv(dir_.filePath("t.csv")));
    QFile csv(dir_.filePath("t.csv"));
    EXPECT_TRUE(csv.open(QIODevice::ReadOnly) && csv.peek(20) == "cd/klm,0,90,180,270\n");
    // The window names the unit the clipboard and the CSV give, with the same cells and digits.
    EXPECT_EQ(window_.candelaUnit()->text(), "光强 (cd/klm)");
    EXPECT_EQ("copy " + QString::fromUtf8(csv.readAll()).replace(',', '\t'),
              shell_->Calls.value(0));
    EXPECT_EQ(Cell(window_.zonalTable(), 3, 0) + " " + Cell(window_.coneTable(), 1, 1) + " " +
                  QString::number(window_.zonalTable()->rowCount() * 100 +
                                  window_.coneTable()->rowCount()),
              "0-90° 250 2710"); // the cone's 2 m: I(0) / 2^2
    window_.heightBox()->setValue(4);
    window_.areaBox()->setValue(0.5); // 1 m at least
    EXPECT_EQ(window_.heightBox()->text() + " " + window_.areaBox()->text(),
              QLocale().toString(4.0, 'f', 1) + " m " + QLocale().toString(1.0, 'f', 1) + " m");
    EXPECT_NEAR(window_.isoluxGrid().At(50, 50), 1000 / 16.0, 0.01); // I(0) / h^2 below the lamp
    EXPECT_TRUE(window_.isoluxFigures()->text().startsWith("最大 62.5 lx"));

    source_.Ies = Light(2);
    source_.File = "/lib/b.ies";
    source_.Options.Multi = true;
    source_.Titles = {"", "", "", "", " Spot 30/x "}; // the luminaire names the pictures
    window_.refresh();
    EXPECT_EQ(window_.windowTitle() + " " + Cell(table, 3, 0) + " " + table->toolTip() + " " +
                  window_.candelaUnit()->text(),
              "光度报告 - b.ies 1400 光强 (cd) 光强 (cd)");
    for (const char* name : {"c.svg", "c.png", "c.pdf"})
        EXPECT_TRUE(window_.exportPage(ReportWindow::Cartesian, dir_.filePath(name), {500, 400}));
    QFile svg(dir_.filePath("c.svg"));
    EXPECT_TRUE(svg.open(QIODevice::ReadOnly) &&
                svg.readAll().contains("<title>Spot 30/x</title>"));
    EXPECT_TRUE(QImage(dir_.filePath("c.png")).size() == QSize(500, 400));
    EXPECT_TRUE(window_.exportPage(ReportWindow::Polar, dir_.filePath("p.png"), {300, 400}));
    // the preview's diagram, centred above the caption line of 20 pixels
    EXPECT_TRUE(QImage(dir_.filePath("p.png")).copy(0, 40, 300, 300) ==
                ComposeDiagram(300, 300, source_.Ies, RenderBackground | RenderDiagramCurves, 0,
                               source_.Options)
                    .convertToFormat(QImage::Format_RGB32));
    EXPECT_FALSE(window_.exportPage(ReportWindow::Candela, dir_.filePath("t.png"), {500, 400}));
    EXPECT_FALSE(window_.writeDatasheet(dir_.filePath("sheet.pdf"))); // b.ies is not there
    source_.File = GONILUX_TESTDATA_DIR "/ies-real/tobspr-RenderPipeline/bollard.ies";
    window_.refresh();
    EXPECT_TRUE(window_.writeDatasheet(dir_.filePath("sheet.pdf")) &&
                QFile(dir_.filePath("sheet.pdf")).size() > 2000);
    const IlluminanceGrid sheetGrid = window_.datasheetInput().Isolux; // the page's settings
    EXPECT_EQ(QSizeF(sheetGrid.Height, sheetGrid.Size), QSizeF(4, 1));
    EXPECT_FALSE(window_.saveCandelaCsv("/nonexistent/t.csv"));
    EXPECT_EQ(messages_.size(), 3);
    EXPECT_EQ(messages_.value(0), "无法保存图像\r" + dir_.filePath("t.png") + "\r此页不是图表");
    EXPECT_TRUE(messages_.value(2).startsWith("无法保存文件\r/nonexistent/t.csv\r"));
}

// The pointer over the cartesian page reads the curve under it; over the polar page the plane
// on the right and its opposite on the left, by the angle from the nadir.
TEST_F(ReportWindowTest, ThePointerReadsTheCurveUnderIt) {
    window_.pages()->setCurrentIndex(ReportWindow::Cartesian);
    ReportChartView* view = window_.view(ReportWindow::Cartesian);
    const CartesianLayout layout(window_.cartesianChart(), view->rect(), window_.chartStyle());
    const QPoint at = layout.ToPoint(25, 750).toPoint();
    const double angle = layout.AngleAt(at);
    QTest::mouseMove(view, at);
    EXPECT_TRUE(::test::WaitUntil([&] {
        return window_.readout()->text() ==
               "C 0.0°  γ " + GroupedFigureText(angle, FigureKind::Angle) + "  " +
                   GroupedFigure(1000 - 10 * angle, FigureKind::Intensity) + " cd/klm";
    })) << window_.readout()->text().toStdString();
    window_.pages()->setCurrentIndex(ReportWindow::Polar); // left of and below the centre
    ReportChartView* polar = window_.view(ReportWindow::Polar);
    QTest::mouseMove(polar, QPoint(polar->width() / 2 - 40, polar->height() / 2 + 40));
    EXPECT_TRUE(::test::WaitUntil([&] {
        return window_.readout()->text().startsWith("C 180.0°  γ 4");
    })) << window_.readout()->text().toStdString();
    const tIES ies = Light(2); // values twice as stored, also per 1000 lm of the lamp
    EXPECT_EQ(ReadingText(PolarReading(ies, 0, true, {-10, 10})), "C 180.0°  γ 45.0°  550.0 cd");
    EXPECT_EQ(ReadingText(PolarReading(ies, 1, false, {10, 0})) +
                  ReadingText(PolarReading(ies, 0, false, {0, 0})), // nothing at the centre
              "C 90.0°  γ 90.0°  400.0 cd/klm");
    EXPECT_EQ(ReportNumber(1, 0) + " " + ReportNumber(-0.04, 1), "1 0.0"); // no "-0.0"
    EXPECT_TRUE(ReadingText(PolarReading(ies, 0, false, {0, -10})).startsWith("C 0.0°  γ 180"))
        << ReadingText(PolarReading(ies, 0, false, {0, -10})).toStdString(); // on the axis: C0
    // The figures' table names each principal plane with its own beam and field.
    tMetrics m;
    m.Valid = true;
    m.SpreadPlanes = {false, 30};
    m.Spread0 = {10, 20};
    m.Spread90 = {30, 40};
    const std::vector<QStringList> rows = FigureRows({m});
    ASSERT_GE(rows.size(), 7u);
    EXPECT_TRUE(rows[5][1].startsWith("C30-C210: 10") && rows[5][1].contains(" / 20"))
        << rows[5][1].toStdString();
    EXPECT_TRUE(rows[6][1].startsWith("⊥ C30-C210: 30") && rows[6][1].contains(" / 40"))
        << rows[6][1].toStdString();
}

// The ratings page, computed when it is shown: the core's ratings in its tables (a UGR cell,
// the CU and luminance tables) and in its clipboard text (the BUG rating); the spacing switch
// recomputes the UGR table; a record without a table leaves the tables empty with a note.
TEST_F(ReportWindowTest, TheRatingsPageShowsTheRatingsAndSwitchesTheUgrSpacing) {
    source_.Ies.Width = source_.Ies.Length = 0.6; // a luminous opening: UGR and luminance
    window_.refresh();
    EXPECT_FALSE(window_.ratings().Valid); // not computed before its page is shown
    window_.pages()->setCurrentIndex(ReportWindow::Ratings);
    EXPECT_EQ(window_.pages()->tabText(ReportWindow::Ratings), "等级评定");
    const tRatings expected = ComputeRatings(source_.Ies, source_.ratingInput());
    ASSERT_TRUE(expected.Valid && window_.ratings().Valid);
    QTableWidget* ugr = window_.ugrTable();
    const tUgrTable quarter = ComputeUgrTable(source_.Ies, 0.25);
    // a first row names the sides
    EXPECT_EQ(QString("%1x%2 ").arg(ugr->rowCount()).arg(ugr->columnCount()) +
                  ugr->verticalHeaderItem(9)->text() + " " + ugr->horizontalHeaderItem(5)->text() +
                  " " + Cell(ugr, 0, 5),
              "20x10 4H 4H 70/50/20 纵向观察");
    EXPECT_EQ(Cell(ugr, 9, 1) + " " + Cell(ugr, 9, 5),
              UgrCell(quarter.Crosswise[8][1]) + " " + UgrCell(quarter.Endwise[8][0]));
    EXPECT_EQ(Cell(window_.cuTable(), 10, 17) + " " +
                  window_.luminanceTable()->horizontalHeaderItem(1)->text() + " " +
                  Cell(window_.luminanceTable(), 2, 2),
              CuCell(ComputeCuTable(source_.Ies).Percent[10][17]) + " C45 " +
                  LuminanceCell(expected.Luminance.Values[2][2]));
    window_.ugrSpacingBox()->setCurrentIndex(1);
    const tUgrTable whole = ComputeUgrTable(source_.Ies, 1.0);
    EXPECT_EQ(window_.ugrValues().Spacing, 1.0);
    EXPECT_EQ(Cell(ugr, 19, 9), UgrCell(whole.Endwise[18][4]));
    QTest::mouseClick(window_.findChild<QPushButton*>("ButtonCopyRatings"), Qt::LeftButton);
    const QString copied = shell_->Calls.value(0);
    EXPECT_TRUE(copied.startsWith("copy LCS 区域\tlm\t%\nBL\t")) << copied.toStdString();
    EXPECT_TRUE(copied.contains("\nBUG 等级\t" +
                                QString::fromStdString(BugText(expected.Outdoor.Bug)) + "\n") &&
                copied.contains("\t横向观察\t\t\t\t\t纵向观察\t\t\t\t\nUGR S = 1H\t70/50/20\t"))
        << copied.toStdString();
    EXPECT_TRUE(window_.exportPage(ReportWindow::Ratings, dir_.filePath("r.svg"), {600, 400}));
    EXPECT_EQ(window_.ratingNotes()->text(),
              RatingNotes(window_.ratings(), &window_.ugrValues()).join('\n'));
    source_.Ies = tIES{};
    window_.refresh(); // the page is shown: computed at once
    EXPECT_EQ(window_.ugrTable()->item(1, 0), nullptr);
    EXPECT_FALSE(window_.ratingNotes()->isHidden() || window_.ratingNotes()->text().isEmpty());
}

// Two selected files are drawn over each other with their figures side by side; one file, or
// files without a table, give the hint instead; of five, the first four are taken.
TEST_F(ReportWindowTest, TheOverlayTakesTwoToFourSelectedFiles) {
    EXPECT_FALSE(window_.overlayHint()->isHidden() || window_.overlayPlan().Drawn());
    source_.Selected = {Light(), tIES{}, Light(3)};
    window_.refreshOverlay();
    QTableWidget* figures = window_.overlayFigures();
    EXPECT_TRUE(window_.overlayHint()->isHidden() && !figures->isHidden());
    EXPECT_EQ(figures->horizontalHeaderItem(2)->text() + " " + Cell(figures, 0, 1) + " " +
                  Cell(figures, 0, 2),
              "f2.ies 1 000 3 000");
    EXPECT_GE(window_.overlayChart().Values.High, 3000); // one candela scale for both
    source_.Selected.assign(5, Light());
    window_.refreshOverlay();
    EXPECT_EQ(window_.overlayHint()->text() + QString::number(window_.overlayPlan().Records.size()),
              "只比较所选文件中的前四个。4");
    const QString shots = qEnvironmentVariable("GONILUX_REPORT_SHOTS");
    for (int page = 0; !shots.isEmpty() && page < ReportWindow::PageCount; ++page) {
        window_.pages()->setCurrentIndex(page);
        window_.grab().save(QStringLiteral("%1/report_%2.png").arg(shots).arg(page));
    }
}

} // namespace
} // namespace gonilux::auxwindows
