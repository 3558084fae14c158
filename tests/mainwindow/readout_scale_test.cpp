// The hover readout reads the picture under the pointer: other diagrams drawn meanwhile (the
// compare window, a picture export, a thumbnail) leave the value at the same point as it was.
#include "auxwindows/compare_window.h"
#include "diagram/render_diagram.h"
#include "mainwindow/picture_export.h"
#include "viewer_fixture.h"

#include <QPainter>

namespace gonilux::mainwindow::testing {
namespace {

// One plane, `peak` candela straight down, half of it at 45 degrees, none at 90.
QByteArray Downlight(int peak) {
    return "IESNA:LM-63-2002\r\nTILT=NONE\r\n1 1000 1 3 1 1 2 0 0 0\r\n1 1 40\r\n0 45 90\r\n0\r\n" +
           QByteArray::number(peak) + ' ' + QByteArray::number(peak / 2) + " 0\r\n";
}

TEST_F(ViewerTest, TheReadoutKeepsTheScaleOfThePictureUnderThePointer) {
    write("lib/big.ies", Downlight(3000));
    write("lib/small.ies", Downlight(40));
    open();
    window_->openStartPath(path("lib"));
    select("big.ies");
    window_->showCompareWindow(); // a snapshot of the large record
    ASSERT_TRUE(test::WaitUntil([&] { return window_->compareWindow()->isVisible(); }));
    select("small.ies");
    const int c = preview()->PaintBox()->width() / 2;
    const auto read = [&] { // straight down at the full radius (10 pixels inside) and half way
        QStringList values;
        for (int y : {2 * c - 10, c + (c - 10) / 2}) {
            preview()->PaintBoxMouseMove(Qt::NoButton, Qt::NoModifier, c, y);
            values << preview()->readoutLines().value(0);
        }
        return values;
    };
    const QStringList small = {" 光强 40.00", " 光强 20.00"};
    EXPECT_EQ(read(), small);
    window_->compareWindow()->grab(); // draws the large record
    EXPECT_EQ(read(), small);
    ASSERT_TRUE(ExportPicture(PictureOfPreview(*preview()), path("small.png"), 900));
    QImage scratch(300, 300, QImage::Format_RGB32);
    QPainter painter(&scratch);
    PaintDiagram(painter, 300, 300, window_->compareWindow()->CompareIes(), RenderDiagramCurves, 0,
                 {});
    EXPECT_EQ(read(), small);
}

} // namespace
} // namespace gonilux::mainwindow::testing
