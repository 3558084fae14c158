// The printed page: its geometry, the header lines and a real print into a PDF file.
#include "auxwindows/print_page.h"
#include "fake_source.h"
#include "recording_device.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace gonilux::auxwindows {
namespace {

using gonilux::test::Op;
using gonilux::test::RecordDrawing;
using test::MakeRecord;
using test::Steps;

std::vector<std::string> AllTitles() {
    return {"", "a.ies", "T-1", "ACME", "Downlight 2x26W", "DL-226", "TC-D 26W", "LC-26"};
}

TEST(PageGeometry, PortraitAndLandscapePages) {
    struct Case {
        const char* Name;
        int W, H, F;
        int S, f, Left, First;
    };
    const Case cases[] = {
        {"A4 portrait at 600 dpi", 4800, 6800, -11, 4800, -139, 69, 4799},
        {"landscape: five lines fit under the diagram", 6800, 4800, -11, 4103, -139, 69, 4102},
        {"tiny page: text height at least one", 20, 100, -11, 20, -1, 0, 19},
        {"square screen-sized page", 380, 380, -11, 323, -11, 5, 322},
    };
    for (const Case& c : cases) {
        const PageGeometry g = ComputePageGeometry(c.W, c.H, c.F);
        EXPECT_EQ(g.Side, c.S) << c.Name;
        EXPECT_EQ(g.TextHeight, c.f) << c.Name;
        EXPECT_DOUBLE_EQ(g.Scale, c.S / 380.0) << c.Name;
        EXPECT_EQ(g.TextLeft, c.Left) << c.Name;
        EXPECT_EQ(g.FirstLine, c.First) << c.Name;
    }
    EXPECT_NEAR(ComputePageGeometry(4800, 6800, -11).Scale, 12.63, 0.005);
    EXPECT_EQ(ComputePageGeometry(10, 7, -11).Side, 0);
    EXPECT_EQ(ComputePageGeometry(10, 7, -11).Scale, 1.0); // a zero side keeps scale 1
}

TEST(PrintHeaderLines, InOrderSkippingEmptyValues) {
    EXPECT_EQ(PrintHeaderLines(AllTitles()),
              QStringList({"Manufacturer: ACME", "Luminaire catalog: DL-226",
                           "Luminaire: Downlight 2x26W", "Lamp catalog: LC-26", "Lamp: TC-D 26W"}));
    std::vector<std::string> some = AllTitles();
    some[TitleManufacturer].clear();
    some[TitleLampCatalog].clear();
    EXPECT_EQ(
        PrintHeaderLines(some),
        QStringList({"Luminaire catalog: DL-226", "Luminaire: Downlight 2x26W", "Lamp: TC-D 26W"}));
    EXPECT_TRUE(PrintHeaderLines({"", "a.ies", "", "", "", "", "", ""}).isEmpty());
    EXPECT_TRUE(PrintHeaderLines({"", "a.ies"}).isEmpty());
}

PrintJob Job(const tIES& ies, std::vector<std::string> titles) {
    PrintJob job;
    job.Ies = &ies;
    job.Titles = std::move(titles);
    return job;
}

TEST(PaintPage, A4LinesStartAtTheDiagramsLowerEdge) {
    const tIES ies = MakeRecord({0, 90, 180, 270}, Steps(0, 90, 30),
                                [](double, double v) { return 900 - 5 * v; });
    std::vector<std::string> titles = AllTitles();
    titles[TitleLuminaire].clear();
    const auto rec =
        RecordDrawing(4800, 6800, [&](QPainter& p) { PaintPage(p, 4800, 6800, Job(ies, titles)); });
    const char* expected[] = {"Manufacturer: ACME", "Luminaire catalog: DL-226",
                              "Lamp catalog: LC-26", "Lamp: TC-D 26W"};
    for (int i = 0; i < 4; ++i) {
        const auto* text = rec.FindText(QString::fromLatin1(expected[i]));
        ASSERT_NE(text, nullptr) << expected[i];
        EXPECT_EQ(text->TopLeft, QPoint(69, 4799 + 139 * i)) << expected[i];
        EXPECT_EQ(text->Font.pixelSize(), 139);
    }
    // The frame covers the page; nothing of the diagram leaves the S x S square.
    const auto rects = rec.OfType(Op::Rect);
    ASSERT_FALSE(rects.empty());
    EXPECT_EQ(rects.front().Box.toRect(), QRect(0, 0, 4799, 6799));
    for (const auto& line : rec.OfType(Op::Polyline))
        for (const QPointF& p : line.Transform.map(line.Points))
            EXPECT_LE(p.y(), 4800.5);
}

TEST(PaintPage, EntryWithoutKeywordsPrintsTheDiagramAlone) {
    const tIES ies = MakeRecord({0}, Steps(0, 90, 30), [](double, double) { return 500.0; });
    const auto rec = RecordDrawing(4800, 6800, [&](QPainter& p) {
        PaintPage(p, 4800, 6800, Job(ies, {"", "a.ies", "", "", "", "", "", ""}));
    });
    for (const auto& text : rec.OfType(Op::Text))
        EXPECT_LT(text.TopLeft.y(), 4799) << text.Text.toStdString();
}

TEST(PrintDiagram, WritesOnePdfPageWithTheJobTitle) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const tIES ies = MakeRecord({0, 90, 180, 270}, Steps(0, 90, 30),
                                [](double, double v) { return 900 - 5 * v; });
    QString error;
    ASSERT_TRUE(PrintDiagram(printer, Job(ies, AllTitles()), error)) << error.toStdString();
    EXPECT_EQ(printer.docName(), QStringLiteral("IES diagramm by Gonilux v2.9"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                  bytes.count("/Type /Page "),
              1);
    const PageGeometry g = ComputePageGeometry(printer.width(), printer.height(), -11);
    EXPECT_EQ(g.Side, printer.width()); // portrait: the diagram spans the width
    EXPECT_GT(printer.width(), 4500);
}

TEST(PrintDiagram, UnwritableOutputIsAnError) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/x/page.pdf"));
    const tIES ies = MakeRecord({0}, Steps(0, 90, 30), [](double, double) { return 500.0; });
    QString error;
    EXPECT_FALSE(PrintDiagram(printer, Job(ies, AllTitles()), error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
} // namespace gonilux::auxwindows
