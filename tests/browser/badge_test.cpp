// The warning badge of files with a damaged header on their list icons and thumbnails, and the
// hover text of file entries, probed on the painted list.
#include "browser/list_widgets.h"
#include "browser/thumbnail_view.h"
#include "diagram/pictograms.h"
#include "list_view_fixture.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>
#include <optional>

namespace gonilux::browser::testing {
namespace {

// Top-left of the first place in `area` where every opaque pixel of `badge` shows unchanged.
std::optional<QPoint> FindBadge(const QImage& painted, const QRect& area, const QImage& badge) {
    const QImage image = painted.convertToFormat(QImage::Format_ARGB32);
    const QImage mark = badge.convertToFormat(QImage::Format_ARGB32);
    const QRect within = area.intersected(image.rect());
    for (int y = within.top(); y + mark.height() - 1 <= within.bottom(); ++y)
        for (int x = within.left(); x + mark.width() - 1 <= within.right(); ++x) {
            bool same = true;
            for (int by = 0; by < mark.height() && same; ++by)
                for (int bx = 0; bx < mark.width() && same; ++bx) {
                    const QRgb want = mark.pixel(bx, by);
                    same = qAlpha(want) < 255 ||
                           (image.pixel(x + bx, y + by) & 0xFFFFFF) == (want & 0xFFFFFF);
                }
            if (same) return QPoint(x, y);
        }
    return std::nullopt;
}

class BadgeTest : public ListViewTest {
  protected:
    void SetUp() override {
        ListViewTest::SetUp();
        write("bad.ies", IesFile("T-1", true));
        write("good.ies", IesFile());
        show();
    }
    QRect rectOf(const QString& name) const {
        return view_.visualRect(view_.model()->index(rowOf(name), 0));
    }
    QImage badgeFor(int iconSide) const {
        const int side = ErrorBadgeRect(QRect(0, 0, iconSide, iconSide)).width();
        return SystemIconImage(SystemIcon::Warning, side);
    }
    // The hover text the list shows over an entry.
    QString toolTipOver(const QString& name) {
        const QPoint at = rectOf(name).center();
        QHelpEvent help(QEvent::ToolTip, at, view_.viewport()->mapToGlobal(at));
        QApplication::sendEvent(view_.viewport(), &help);
        const QString text = QToolTip::text();
        QToolTip::hideText();
        return text;
    }
};

TEST_F(BadgeTest, OnlyAReadDamagedFileShowsTheBadgeInEveryView) {
    const QImage smallBadge = badgeFor(16);
    ASSERT_FALSE(smallBadge.isNull());
    // Not read yet: nothing is known of the damage.
    EXPECT_FALSE(FindBadge(paint(), rectOf("bad.ies"), smallBadge));

    select(rowOf("good.ies"));
    select(rowOf("bad.ies"));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].Text, QStringLiteral("Line 4"));

    struct ViewCase {
        const char* Name;
        FolderListView::ViewStyle Style;
        int IconSide;
    };
    const ViewCase views[] = {{"list", FolderListView::ViewStyle::List, 16},
                              {"icons", FolderListView::ViewStyle::Icons, kLargeIconSize},
                              {"thumbnails", FolderListView::ViewStyle::Thumbnails, kThumbSize}};
    for (const ViewCase& v : views) {
        SCOPED_TRACE(v.Name);
        view_.setViewStyle(v.Style);
        const QImage image = paint();
        const QImage badge = badgeFor(v.IconSide);
        const std::optional<QPoint> found = FindBadge(image, rectOf("bad.ies"), badge);
        ASSERT_TRUE(found.has_value());
        EXPECT_FALSE(FindBadge(image, rectOf("good.ies"), badge));
        if (v.Style != FolderListView::ViewStyle::Thumbnails) continue;
        // On the thumbnail: the bottom-right corner of the picture.
        const QRect picture =
            LayoutThumbnailItem(rectOf("bad.ies"), QFontMetrics(view_.font())).Icon;
        EXPECT_EQ(*found, ErrorBadgeRect(picture).topLeft());
        EXPECT_EQ(ErrorBadgeRect(picture).bottomRight(), picture.bottomRight());
    }
}

TEST_F(BadgeTest, TheHoverTextNamesTheDamagedLine) {
    // Unread entries give their file name only; hovering reads nothing.
    EXPECT_EQ(toolTipOver("bad.ies"), Qt::convertFromPlainText("bad.ies", Qt::WhiteSpaceNoWrap));
    EXPECT_FALSE(view_.entryAt(rowOf("bad.ies"))->Loaded);

    select(rowOf("bad.ies"));
    select(rowOf("good.ies"));
    const QString bad = toolTipOver("bad.ies");
    EXPECT_TRUE(bad.contains("bad.ies"));
    EXPECT_TRUE(bad.contains("Error! Line 4")) << bad.toStdString();
    const QString good = toolTipOver("good.ies");
    EXPECT_TRUE(good.contains("good.ies"));
    EXPECT_FALSE(good.contains("Line")) << good.toStdString();
    EXPECT_TRUE(good.contains(QStringLiteral("最大光强"))) << good.toStdString();

    // The thumbnail view gives the same text.
    view_.setViewStyle(FolderListView::ViewStyle::Thumbnails);
    EXPECT_TRUE(toolTipOver("good.ies").contains("good.ies"));
}

TEST(ErrorBadge, SitsInTheBottomRightCornerAtHalfTheSide) {
    struct Case {
        QRect Icon;
        QRect Badge;
    };
    const Case cases[] = {
        {QRect(0, 0, 16, 16), QRect(7, 7, 9, 9)},       // never below 9 pixels
        {QRect(10, 20, 32, 32), QRect(26, 36, 16, 16)}, // half the side
        {QRect(5, 5, 100, 100), QRect(85, 85, 20, 20)}, // never above 20 pixels
        {QRect(0, 0, 40, 24), QRect(28, 12, 12, 12)},   // half the shorter side
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorBadgeRect(c.Icon), c.Badge);
}

} // namespace
} // namespace gonilux::browser::testing
