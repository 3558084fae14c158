// The texts and small widgets of the file list: the photometric figures, thumbnail captions, the
// popup menu, the progress gauge and panel, the author mark, and dragging files out.
#include "browser/drag_out.h"
#include "browser/metrics_text.h"
#include "browser/popup_menu.h"
#include "browser/thumbnail_view.h"
#include "list_view_fixture.h"

#include <QApplication>
#include <QMimeData>
#include <QStyle>

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
    EXPECT_EQ(MetricsLines(m, 2).join('|'),
              "光通量: 7.3 lm (绝对光度)|最大光强: 3.0 cd (H -22.5°, V 0°)|"
              "光束角 H 90°: 50.1°|场角 H 0°: 80.0°");
    m.MaxVertAngle = kNoValue;
    m.Spread0 = m.Spread90 = {};
    EXPECT_EQ(MetricsBlock(m, 1), "\n\n光通量: 7.3 lm (绝对光度)\n最大光强: 3.0 cd");
    m.Valid = false;
    EXPECT_TRUE(MetricsBlock(m, 1).isEmpty());
    EXPECT_EQ(GroupedNumber(-12345.4, 0) + GroupedNumber(-0.04, 1) + GroupedNumber(kNoValue, 0),
              "-12 3450.0");
}

TEST(ThumbnailCaption, WrapsAtWordsAndCutsWithAnEllipsis) {
    const QFontMetrics metrics(QApplication::font());
    const int width = metrics.horizontalAdvance(QStringLiteral("Luminaire downlight"));
    for (const auto& [text, lines] : std::vector<std::pair<QString, QString>>{
             {"Luminaire  downlight recessed", "Luminaire downlight|recessed"},
             {"Luminaire downlight recessed with a very long wordy description",
              "Luminaire downlight|recessed with a..."},
             {"Supercalifragilisticexpialidocious_luminaire_name.ies", "Supercalifragilistic..."},
             {"a Supercalifragilisticexpialidocious_luminaire_name.ies b",
              "a|Supercalifragilistic..."}}) {
        const QStringList wrapped = WrapCaption(text, metrics, width, 2);
        EXPECT_EQ(wrapped.join('|'), lines);
        for (const QString& line : wrapped)
            EXPECT_LE(metrics.horizontalAdvance(line), width) << line.toStdString();
    }
    EXPECT_TRUE(WrapCaption("anything", metrics, 0, 2).isEmpty());
}

TEST(PopupMenu, ItemsChecksAndSignals) {
    TPopupMenu menu;
    QStringList items;
    for (QAction* action : menu.actions()) {
        items << (action->menu() ? action->menu()->objectName() : action->objectName()) +
                     (action->isCheckable() ? "#" : "");
        if (action->menu())
            for (QAction* sub : action->menu()->actions())
                items << " " + (sub->objectName().isEmpty() ? sub->text() : sub->objectName()) +
                             (sub->isCheckable() ? "#" : "");
    }
    EXPECT_EQ(
        items.join(','),
        "Open1,OpenNotepad1,Openfolder1,Explore1,AddToFavorites1,N6,Favorites1,N5,View1, "
        "Thumbnails1#, Icons1#, List1#,N2,Arrangeby1, 文件名#, 测试#, 生产商#, 灯具#, 灯具目录#, "
        "灯泡#, 灯泡目录#, N4, Sort1#,Refresh,N1,SaveAsTypeC,CopytoClipboard,ExportPicture1,"
        "CopyPicture1,N3,ShowOptionsPanel,ShowCompareWindow1,Map1");
    menu.Icons1->trigger();
    menu.List1->trigger(); // one view at a time, one caption at a time
    menu.Captions[2]->trigger();
    menu.Captions[5]->trigger();
    EXPECT_FALSE(menu.Icons1->isChecked() || menu.Captions[2]->isChecked());
    QSignalSpy compare(&menu, &TPopupMenu::compareRequested);
    QSignalSpy map(&menu, &TPopupMenu::mapRequested);
    menu.ShowCompareWindow1->trigger();
    menu.Map1->trigger();
    menu.Map1->trigger();
    EXPECT_EQ(compare.count() * 10 + map.count(), 12);
    menu.Favorites1->addAction("x");
    menu.clearFavourites();
    EXPECT_TRUE(menu.Favorites1->isEmpty());
}

TEST(ListWidgets, GaugePanelAndAuthorMark) {
    TGauge gauge;
    gauge.setMaxValue(0);
    EXPECT_EQ(gauge.percentDone(), 0);
    gauge.setMaxValue(3);
    gauge.setProgress(1);
    EXPECT_EQ(gauge.percentDone(), 33);
    gauge.setProgress(-4); // clamped to 0..maximum
    EXPECT_EQ(gauge.progress(), 0);
    gauge.setProgress(7);
    gauge.setMaxValue(2);
    EXPECT_EQ(gauge.progress(), 2);
    gauge.setMaxValue(100);
    gauge.setProgress(50);
    ExpectPicture(gauge.grab().toImage(), "gauge_50.png");

    TProcessingPanel panel;
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
    const QStringList files = {"/tmp/x/b c.ies", "/tmp/x/a.ies"};
    std::unique_ptr<QMimeData> data(MakeDragMimeData(files));
    EXPECT_EQ(data->urls(),
              (QList<QUrl>{QUrl("file:///tmp/x/b%20c.ies"), QUrl("file:///tmp/x/a.ies")}));
    // Without a platform drag loop (offscreen) the drag ends at once, as if cancelled.
    QWidget source;
    EXPECT_EQ(RunDragOut(&source, files), kDragCancel);
    EXPECT_EQ(RunDragOut(&source, {}), kDragCancel);
    EXPECT_STREQ(DragFailureText(kDragCancel), "");
    EXPECT_STREQ(DragFailureText(kDragDrop), "");
}

} // namespace
} // namespace gonilux::browser::testing
