// The three views of the file list as painted (icons, captions wrapped and cut, badge, focus,
// hot item, flat scroll bars), thumbnails drawn from the records on either path and read on their
// first paint, hover texts and hot tracking.
#include "browser/thumbnail_view.h"
#include "diagram/render_diagram.h"
#include "list_view_fixture.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QPixmap>
#include <QTextDocument>
#include <QToolTip>

namespace gonilux::browser::testing {
namespace {

using View = FolderListView::ViewStyle;

QIcon SolidIcon(const QColor& colour) {
    QPixmap pixmap(kLargeIconSize, kLargeIconSize);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

class ViewsTest : public ListViewTest {
  protected:
    // The hover text the list shows over an entry.
    QString toolTipOver(int row) {
        const QPoint at = rectOf(row).center();
        QHelpEvent help(QEvent::ToolTip, at, view_.viewport()->mapToGlobal(at));
        QApplication::sendEvent(view_.viewport(), &help);
        const QString text = QToolTip::text();
        QToolTip::hideText();
        return text;
    }
};

TEST_F(ViewsTest, ThumbnailsDrawTheRecordsInTheChosenPlaneOnBothPaths) {
    makeFolder(".", {{"a.ies", IesFile("T", false, true)}, {"b.ies", IesFile()}}, {"sub"});
    view_.CheckBoxSortClick(true);
    view_.setViewStyle(View::Thumbnails);
    show();
    view_.setCurrentRow(0);
    DiagramOptions options;
    options.Ortho = false;
    options.Antialias = false;
    view_.setThumbnailOptions(options);
    // The diagram library's thumbnail, at the screen's resolution or at twice it.
    const auto expected = [&](int row, int ratio) {
        QImage image(QSize(kThumbSize, kThumbSize) * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        QPainter painter(&image);
        PaintDiagram(painter, kThumbSize, kThumbSize, view_.entryAt(row)->Ies,
                     RenderBackground | RenderDiagramCurves | RenderThumbnail, 2, options);
        return image;
    };
    paint(); // reads the files
    const auto pictureRect = [&](int row) {
        return LayoutThumbnailItem(rectOf(row), QFontMetrics(view_.font())).Icon;
    };
    // The slider's plane is handed on (a thumbnail shows the standard view of the record).
    view_.setThumbnailPlane(2);
    for (bool quality : {true, false}) {
        view_.setQualityThumbnails(quality);
        QImage image = paint().convertToFormat(QImage::Format_RGB32);
        for (int row : {1, 2})
            EXPECT_EQ(image.copy(pictureRect(row)), expected(row, 1)) << quality;
        // At twice the resolution only the direct path draws finer; the other enlarges.
        image = QImage(view_.viewport()->size() * 2, QImage::Format_RGB32);
        image.setDevicePixelRatio(2);
        view_.viewport()->render(&image);
        image = image.copy(QRect(pictureRect(1).topLeft() * 2, QSize(2, 2) * kThumbSize));
        image.setDevicePixelRatio(2);
        EXPECT_EQ(image == expected(1, 2), !quality);
    }
}

TEST_F(ViewsTest, ThumbnailFilesAreReadOnTheirFirstPaintOnly) {
    Files files;
    for (int i = 0; i < 60; ++i)
        files.append({QString("f%1.ies").arg(i, 2, 10, QChar('0')), IesFile()});
    const QString path = makeFolder("Lazy", files);
    view_.CheckBoxSortClick(true);
    view_.setViewStyle(View::Thumbnails);
    view_.ShowFolderContents(ListingOf(path)); // not painted yet: nothing is read
    // The file in the first cell is replaced by a folder of its name: it cannot be read.
    ASSERT_TRUE(QFile::remove(path + "/f00.ies") && QDir(path).mkdir("f00.ies"));

    paint(); // the files come from worker threads, the pictures with them
    EXPECT_FALSE(dump().contains('!'));
    EXPECT_TRUE(settled());
    const int visible = dump().count('!');
    EXPECT_TRUE(visible > 0 && visible < 59) << visible; // only the rows in sight
    // No box for a file read in the background: the note over the list counts it.
    EXPECT_TRUE(messages_.empty() && view_.readProblemNote()->isVisible());
    EXPECT_EQ(view_.readProblemNote()->text(), "1 个文件无法读取或已损坏，详见状态列或悬停提示");
    paint(); // nothing is read again, not even the file that failed
    EXPECT_TRUE(settled());
    EXPECT_TRUE(dump().count('!') == visible && view_.readProblemCount() == 1);
    // Picked, the file raises its box, once.
    for (int pick = 0; pick < 2; ++pick) {
        select(rowOf("f00.ies"));
        select(rowOf("f01.ies"));
    }
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].Text.startsWith("无法读取文件\r" + path + "/f00.ies"));
    QTest::mouseClick(view_.readProblemNote(), Qt::LeftButton); // a click puts the note away
    EXPECT_FALSE(view_.readProblemNote()->isVisible());
    view_.scrollToBottom();
    paint();
    EXPECT_TRUE(settled());
    EXPECT_TRUE(view_.entryAt(view_.count() - 1)->Loaded);
}

TEST_F(ViewsTest, EachViewShowsIconsCaptionsBadgeFocusAndTheHotItem) {
    const QString mine = "mine, a name far too long for just two lines.ies"; // wrapped and cut
    Files files = {{"bad.ies", IesFile("T-1", true)}, {mine, IesFile("T", false, true)}};
    for (int i = 0; i < 30; ++i)
        files.append({QString("x%1 with a longer name.ies").arg(i, 2, 10, QChar('0')), IesFile()});
    FolderListing listing = ListingOf(makeFolder("Views", files, {"a", "b", "c"}));
    listing.NodeIcon = SolidIcon(Qt::red);
    listing.Children[0].Icon = listing.Children[1].Icon = SolidIcon(Qt::green);
    listing.Children[2].Icon = SolidIcon(Qt::blue);
    view_.CheckBoxSortClick(true);
    view_.setHoverTime(100000);
    view_.setViewStyle(View::Thumbnails);
    view_.ShowFolderContents(listing);
    view_.CheckBoxUpClick(true); // the up entry takes the current folder's cell
    select(rowOf("bad.ies"));
    select(rowOf(mine));
    view_.setFlatScrollBars(true);
    for (const auto& [style, look, name] :
         {std::tuple{View::Thumbnails, ListAppearance{false, false, true, false}, "thumbs_cold"},
          {View::Thumbnails, PresetAppearance(ListPreset::LXP), "thumbnails"},
          {View::List, ListAppearance{true, true, false, true}, "list"},
          {View::Icons, ListAppearance{false, false, true, false}, "icons"}}) {
        view_.setHandPointer(look.HandPointer);
        view_.setUnderlineHot(look.UnderlineHot);
        view_.setUnderlineCold(look.UnderlineCold);
        view_.setHotTracking(look.HotTracking);
        view_.setViewStyle(style);
        QTest::mouseMove(view_.viewport(), rectOf(rowOf("bad.ies")).center());
        EXPECT_EQ(view_.viewport()->cursor().shape(),
                  look.HandPointer ? Qt::PointingHandCursor : Qt::ArrowCursor)
            << name;
        view_.grab(); // thumbnails in sight are read on their first paint
        EXPECT_TRUE(settled()) << name;
        ExpectPicture(view_.grab().toImage(), QString("view_%1.png").arg(name));
        QEvent leave(QEvent::Leave); // the mouse leaves the list: the usual cursor again
        QApplication::sendEvent(view_.viewport(), &leave);
        EXPECT_EQ(view_.viewport()->cursor().shape(), Qt::ArrowCursor) << name;
        QTest::mouseMove(view_.viewport(), rectOf(rowOf("bad.ies")).center() + QPoint(1, 1));
    }
    // Back in the list view the folders show their own icons again.
    EXPECT_EQ(view_.entryIcon(1).cacheKey(), listing.Children[0].Icon.cacheKey());
    EXPECT_EQ(messages_.size(), 1u);
    // Hover texts: the name of an unread file (not read for it), the damage, the figures.
    EXPECT_EQ(toolTipOver(rowOf("x29 with a longer name.ies")),
              Qt::convertFromPlainText("x29 with a longer name.ies", Qt::WhiteSpaceNoWrap));
    EXPECT_FALSE(view_.entryAt(rowOf("x29 with a longer name.ies"))->Loaded);
    EXPECT_TRUE(toolTipOver(rowOf("bad.ies")).contains("bad.ies<br>\n错误！ 第 4 行"));
    EXPECT_TRUE(toolTipOver(rowOf(mine)).contains(mine + "<br>\n光通量"));
}

TEST_F(ViewsTest, HotTrackingSelectsAfterTheHoverTime) {
    makeFolder(".", {{"a.ies", IesFile()}, {"b.ies", IesFile()}, {"c.ies", IesFile()}});
    show();
    view_.setViewStyle(View::Icons);
    view_.setHoverTime(-7); // the platform's time
    EXPECT_EQ(QString("%1 %2").arg(view_.hoverTime()).arg(view_.effectiveHoverTime()), "-1 400");
    view_.setHoverTime(20);
    QSignalSpy preview(&view_, &FolderListView::previewItem);
    view_.setCurrentRow(0);
    for (bool tracking : {false, true}) {
        view_.setHotTracking(tracking);
        QTest::mouseMove(view_.viewport(), QPoint(1, view_.viewport()->height() - 2));
        QTest::mouseMove(view_.viewport(), rectOf(2).center());
        // Without hot tracking nothing happens however long the mouse rests.
        EXPECT_EQ(test::WaitUntil([&] { return view_.currentRow() == 2; }, tracking ? 2000 : 100),
                  tracking);
    }
    EXPECT_TRUE(preview.count() == 2 && view_.entryAt(2)->Loaded);
}

} // namespace
} // namespace gonilux::browser::testing
