// The texts and small widgets of the file list: the photometric figures, the popup menu, the
// progress gauge and panel, the author mark, and dragging files out.
#include "browser/drag_out.h"
#include "browser/metrics_text.h"
#include "browser/popup_menu.h"
#include "browser/thumbnail_view.h"
#include "list_view_fixture.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>

namespace gonilux::browser::testing {
namespace {

// The figures the real files do not have (see real_files.txt for the others).
TEST(MetricsText, UnknownFiguresAreLeftOut) {
    tMetrics m;
    m.Valid = m.Absolute = true;
    m.LuminaireFlux = 7.26;
    m.MaxIntensity = 3.04;
    m.MaxHorzAngle = -22.5;
    m.MaxVertAngle = -0.01;
    m.Spread0.Field = 80;
    m.Spread90.Beam = 50.06;
    m.SpreadPlanes = {false, 337.5}; // each value with its plane's name
    EXPECT_EQ(MetricsLines(m, 2).join('|'),
              "光通量: 7.260 lm (绝对光度)|最大光强: 3.040 cd (H -22.5°, V 0.0°)|"
              "光束角 ⊥ C337.5-C157.5: 50.1°|场角 C337.5-C157.5: 80.0°");
    m.MaxVertAngle = kNoValue;
    m.Spread0 = m.Spread90 = {};
    EXPECT_EQ(MetricsBlock(m, 1), "\n\n光通量: 7.260 lm (绝对光度)\n最大光强: 3.040 cd");
    m.Valid = false;
    EXPECT_TRUE(MetricsBlock(m, 1).isEmpty());
    EXPECT_EQ(GroupedNumber(-19995.4, 0) + "|" + GroupedNumber(-9.04, 0) + "|" +
                  GroupedNumber(-0.04, 1) + GroupedNumber(kNoValue, 0),
              "-19 995|-9|0.0");
}

// A read entry's hover text ends with its BUG rating and UGR where they are defined.
TEST(MetricsText, TheHoverTextTellsTheBugRatingAndUgrWhereDefined) {
    TiesData entry = NewFileEntry("r.ies");
    entry.Loaded = true;
    tRatings r;
    r.Valid = true;
    r.Outdoor.Bug = {true, 1, 0, 1};
    r.Ugr = {kNoValue, 18.24};
    EXPECT_EQ(EntryToolTipText(entry, std::nullopt, r),
              "r.ies\nBUG 等级: B1 U0 G1\n统一眩光值 UGR (4H×8H, 70/50/20): 18.2");
    r.Outdoor.Bug.Valid = false;
    EXPECT_EQ(EntryToolTipText(entry, std::nullopt, r).count('\n'), 1);
    r.Ugr = {};
    EXPECT_EQ(EntryToolTipText(entry, std::nullopt, r), "r.ies");
    r.Outdoor.Bug.Valid = true;
    entry.Loaded = false;
    EXPECT_EQ(EntryToolTipText(entry, std::nullopt, r), "r.ies");
}

// (The views' pictures show long captions wrapped and cut.)
TEST(ThumbnailCaption, EndsAtTheLastWholeWordThatLeavesRoomForTheEllipsis) {
    const QFontMetrics metrics(QApplication::font());
    EXPECT_EQ(WrapCaption("Luminaire  downlight recessed with a very long wordy description",
                          metrics, metrics.horizontalAdvance("Luminaire downlight"), 2),
              (QStringList{"Luminaire downlight", "recessed with a..."}));
}

TEST(PopupMenu, ItemsChecksAndSignals) {
    PopupMenu menu;
    menu.Icons1->trigger();
    menu.List1->trigger(); // one view at a time, one caption at a time
    menu.Captions[2]->trigger();
    menu.Captions[5]->trigger();
    // One line an item: name, text, "#" when it can be checked ("#*" checked), keys.
    QString items;
    const auto list = [&](QAction* item, const QString& indent) {
        const QObject* named = item->menu() ? item->menu() : static_cast<QObject*>(item);
        const QString checks = item->isCheckable() ? item->isChecked() ? " #*" : " #" : "";
        const QString keys = item->shortcut().isEmpty() ? "" : " " + item->shortcut().toString();
        items +=
            indent + (named->objectName() + " " + item->text()).trimmed() + checks + keys + "\n";
    };
    for (QAction* action : menu.actions()) {
        list(action, "");
        for (QAction* sub : action->menu() ? action->menu()->actions() : QList<QAction*>())
            list(sub, "  ");
    }
    ExpectText(items, "popup_menu.txt");
    QSignalSpy compare(&menu, &PopupMenu::compareRequested);
    QSignalSpy map(&menu, &PopupMenu::mapRequested);
    QSignalSpy report(&menu, &PopupMenu::reportRequested);
    for (QAction* item : {menu.ShowCompareWindow1, menu.Map1, menu.Map1, menu.ShowReport1})
        item->trigger();
    EXPECT_EQ(compare.count() * 100 + map.count() * 10 + report.count(), 121);
    menu.Favorites1->addAction("x");
    menu.clearFavourites();
    EXPECT_TRUE(menu.Favorites1->isEmpty());
}

TEST(ListWidgets, GaugePanelAndAuthorMark) {
    TGauge gauge; // the progress stays within 0..maximum, also when the maximum shrinks
    QStringList seen;
    for (const auto& [max, progress] :
         {std::pair{0, 0}, {3, 1}, {3, -4}, {3, 7}, {2, 3}, {100, 50}}) {
        gauge.setMaxValue(max);
        seen << QString::number(gauge.progress());
        gauge.setProgress(progress);
        seen.last() +=
            QString(">%1/%2 %3%").arg(gauge.progress()).arg(max).arg(gauge.percentDone());
    }
    EXPECT_EQ(seen.join(','), "0>0/0 0%,0>1/3 33%,1>0/3 0%,0>3/3 100%,2>2/2 100%,2>50/100 50%");
    ExpectPicture(gauge.grab().toImage(), "gauge_50.png");

    ProcessingPanel panel;
    panel.label()->setText("Sorting data...");
    ExpectPicture(panel.grab().toImage(), "panel_text.png");
    panel.label()->clear();
    panel.setCaption("Loading the IES files...");
    ExpectPicture(panel.grab().toImage(), "panel_caption.png");

    QPixmap grey(32, 32);
    grey.fill(QColor(180, 180, 180));
    const QIcon marked = MakeAuthorMarkIcon(QIcon(grey));
    for (int size : {16, 32})
        ExpectPicture(marked.pixmap(size, size).toImage(), QString("author_mark_%1.png").arg(size));
}

TEST(DragOut, CarriesTheFilesInTheirOrder) {
    std::unique_ptr<QMimeData> data(MakeDragMimeData({"/tmp/x/b c.ies", "/tmp/x/a.ies"}));
    EXPECT_EQ(data->urls(),
              (QList<QUrl>{QUrl("file:///tmp/x/b%20c.ies"), QUrl("file:///tmp/x/a.ies")}));
    QWidget source; // without a platform drag loop (offscreen) the drag ends at once: cancelled
    EXPECT_EQ(RunDragOut(&source, {"/tmp/x/a.ies"}), kDragCancel);
    const QDrag* drag = source.findChild<QDrag*>(); // what a drop target would have been given
    ASSERT_TRUE(drag && drag->mimeData());
    EXPECT_EQ(drag->mimeData()->urls(), QList<QUrl>{QUrl("file:///tmp/x/a.ies")});
    EXPECT_EQ(QString(DragFailureText(kDragCancel)) + DragFailureText(kDragDrop), ""); // no box
    EXPECT_STREQ(DragFailureText(kOutOfMemory), "内存不足");
}

} // namespace
} // namespace gonilux::browser::testing
