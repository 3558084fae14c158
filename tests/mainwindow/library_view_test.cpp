// The details view and the search through a folder's subtree, end to end in the viewer.
#include "browser/details_columns.h"
#include "viewer_fixture.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>

namespace gonilux::mainwindow::testing {
namespace {

using browser::DetailsColumn;

class LibraryViewTest : public ViewerTest {
  protected:
    void SetUp() override {
        ViewerTest::SetUp();
        QDir().mkpath(path("lib/sub/deep"));
        write("lib/b.ies", kTypeB);
        write("lib/c0.ies", TypeCText(0, "Zed"));
        write("lib/bad.ies", "TILT=NONE\r\n1 1000 1 3 12a 1 2 0 0 0\r\n1 1 0\r\n");
        QFile::copy(GONILUX_TESTDATA_DIR "/ldt-real/JosefJerabek-illumination_map/FLD152-D1.ldt",
                    path("lib/f.ldt"));
        write("lib/sub/deep/x.ies", TypeCText(30, "Deep"));
    }
    QTreeView* details() const { return list()->detailsView(); }
    // "name:cell" for every shown file row, in the order shown.
    QString column(DetailsColumn which) const {
        QStringList cells;
        for (int row = list()->Tag(); row < list()->count(); ++row)
            if (!details()->isRowHidden(row, {}))
                cells << QFileInfo(list()->entryFilePath(row)).fileName() + ":" +
                             list()->fileModel()->cell(row, which).Text;
        return cells.join(' ');
    }
    bool allRead() const {
        for (int row = list()->Tag(); row < list()->count(); ++row)
            if (!list()->entryAt(row)->Loaded && !list()->entryAt(row)->Diagnostics.HeaderError)
                return false;
        return !list()->entriesReading();
    }
};

TEST_F(LibraryViewTest, TheDetailsViewReadsSortsFiltersAndKeepsItsHeader) {
    open("[GroupBoxExView]\nRB=RadioButtonDetails\nCheckBoxSort=0\n");
    window_->openStartPath(path("lib"));
    ASSERT_TRUE(details()->isVisible() && list()->shownView() == details());
    EXPECT_TRUE(test::WaitUntil([&] { return allRead(); }));
    EXPECT_EQ(column(DetailsColumn::Status).count("错误！ 第"), 1);
    // A click on a header sorts by it, numbers as numbers, files without the figure last.
    QHeaderView* header = details()->header();
    const int flux = static_cast<int>(DetailsColumn::Flux);
    for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
        header->setSortIndicator(flux, order);
        QStringList names = column(DetailsColumn::Flux).split(' ');
        EXPECT_TRUE(names.last().startsWith("bad.ies:")) << names.join(' ').toStdString();
        names.removeLast();
        QList<double> values;
        for (const QString& name : names)
            values << list()
                          ->fileModel()
                          ->cell(rowOf(name.section(':', 0, 0)), DetailsColumn::Flux)
                          .Number;
        EXPECT_TRUE(order == Qt::AscendingOrder ? std::is_sorted(values.begin(), values.end())
                                                : std::is_sorted(values.rbegin(), values.rend()));
    }
    // The filter hides rows here as in the list; Enter on a folder entry opens it.
    window_->filterEdit()->setText("type:c");
    EXPECT_EQ(column(DetailsColumn::Type), "f.ldt:C c0.ies:C bad.ies:C");
    window_->filterEdit()->clear();
    header->moveSection(header->visualIndex(static_cast<int>(DetailsColumn::File)), 0); // hidden
    header->setSectionHidden(static_cast<int>(DetailsColumn::Lamp), true);
    window_.reset();
    const QByteArray ini = read("gonilux.ini");
    EXPECT_TRUE(ini.contains("\nDetailsColumns=-file:160,caption:200,") &&
                ini.contains(",-lamp:150,") && ini.contains("\nDetailsSort=flux:desc\n"))
        << ini.toStdString();
    open();
    EXPECT_EQ(details()->header()->sortIndicatorSection() * 10 +
                  details()->header()->sortIndicatorOrder(),
              flux * 10 + Qt::DescendingOrder);
    EXPECT_TRUE(details()->header()->isSectionHidden(static_cast<int>(DetailsColumn::Lamp)));
    window_->openStartPath(path("lib")); // read, then sorted as kept: the largest flux first
    EXPECT_TRUE(test::WaitUntil([&] { return allRead(); }));
    EXPECT_TRUE(column(DetailsColumn::Flux).startsWith("f.ldt:"));
    list()->setCurrentRow(list()->Tag() - 1); // "sub"
    QTest::keyClick(details(), Qt::Key_Return);
    EXPECT_EQ(treePath(), path("lib/sub"));
}

// Picks the item of that text in the next popup menu once it is up.
void PickInNextMenu(const QString& text) {
    QTimer::singleShot(0, qApp, [text] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return PickInNextMenu(text);
        for (QAction* item : menu->actions())
            if (item->text() == text) item->trigger();
        menu->close();
    });
}

// Sideways, the scroll bar the user sees moves the header and the cells together; a column shown
// from the header's menu at the far end is scrolled into sight.
TEST_F(LibraryViewTest, TheDetailsViewScrollsSidewaysAndBringsAShownColumnIntoSight) {
    QDir().mkpath(path("wide"));
    for (int i = 0; i < 120; ++i) // enough for the list beneath to want a scroll bar of its own
        write(QString("wide/f%1.ies").arg(i, 3, 10, QChar('0')), TypeCText(0));
    open("[GroupBoxExView]\nRB=RadioButtonDetails\n");
    window_->openStartPath(path("wide"));
    EXPECT_TRUE(test::WaitUntil([&] { return allRead(); }));
    QHeaderView* header = details()->header();
    QScrollBar* bar = details()->horizontalScrollBar();
    ASSERT_TRUE(bar->isVisible() && bar->maximum() > 200) << bar->maximum();
    const QModelIndex cell =
        list()->fileModel()->index(rowOf("f000.ies"), static_cast<int>(DetailsColumn::Flux));
    const int x = details()->visualRect(cell).x();
    const QImage before = details()->grab().toImage();
    // The click lands on the details view's own scroll bar, not on the list's beneath.
    const QPoint inBar(bar->width() - 30, bar->height() / 2);
    EXPECT_EQ(list()->childAt(bar->mapTo(list(), inBar)), bar);
    QTest::mouseClick(bar, Qt::LeftButton, {}, inBar);
    ASSERT_GT(bar->value(), 0);
    EXPECT_EQ(header->offset(), bar->value());
    EXPECT_EQ(details()->visualRect(cell).x(), x - bar->value());
    EXPECT_NE(details()->grab().toImage(), before);
    bar->setValue(0);
    const int size = static_cast<int>(DetailsColumn::Size);
    ASSERT_TRUE(header->isSectionHidden(size));
    PickInNextMenu(browser::ColumnHeader(DetailsColumn::Size));
    emit header->customContextMenuRequested(QPoint(5, 5));
    ASSERT_FALSE(header->isSectionHidden(size));
    const int left = header->sectionViewportPosition(size);
    EXPECT_TRUE(left >= 0 && left + header->sectionSize(size) <= details()->viewport()->width())
        << left << " " << bar->value();
}

TEST_F(LibraryViewTest, TheSubtreeSearchListsMatchesFlatAndOpensThemInTheirFolder) {
    open("[GroupBoxExView]\nRB=RadioButtonDetails\n");
    window_->openStartPath(path("lib"));
    QTest::keyClick(list(), Qt::Key_F, Qt::ControlModifier);
    auto* subfolders = window_->findChild<QCheckBox*>("CheckBoxSubfolders");
    auto* status = window_->findChild<QLabel*>("LabelSearchStatus");
    ASSERT_TRUE(subfolders && status && subfolders->isVisible() && !subfolders->isChecked());
    subfolders->setChecked(true);
    window_->filterEdit()->setText("test:zed"); // a mistake: nothing is searched
    window_->filterEdit()->setText("type:c flux>0");
    EXPECT_TRUE(test::WaitUntil([&] { return list()->showsFoundFiles() && allRead(); }));
    EXPECT_EQ(column(DetailsColumn::Folder), "c0.ies: f.ldt: x.ies:sub/deep");
    EXPECT_EQ(status->text(), "3 个匹配");
    EXPECT_FALSE(details()->isColumnHidden(static_cast<int>(DetailsColumn::Folder)));
    // A found file opens in its own folder, selected; the list is a folder's list again.
    list()->setCurrentRow(rowOf("x.ies"));
    QTest::keyClick(details(), Qt::Key_Return);
    EXPECT_EQ(treePath(), path("lib/sub/deep"));
    EXPECT_TRUE(!subfolders->isChecked() && !list()->showsFoundFiles());
    EXPECT_EQ(list()->entryFilePath(list()->currentRow()), path("lib/sub/deep/x.ies"));
    EXPECT_TRUE(details()->isColumnHidden(static_cast<int>(DetailsColumn::Folder)));
    // Unticking lists the shown folder again, filtered by the query.
    window_->openStartPath(path("lib"));
    window_->filterEdit()->setText("zed");
    subfolders->setChecked(true); // searches the query in the field at once
    EXPECT_EQ(status->text(), "正在搜索…");
    EXPECT_TRUE(test::WaitUntil([&] { return list()->showsFoundFiles(); }));
    subfolders->setChecked(false);
    EXPECT_TRUE(!list()->showsFoundFiles() && list()->Tag() == 2);
    EXPECT_EQ(shownFiles(), QStringList("c0.ies"));
}

} // namespace
} // namespace gonilux::mainwindow::testing
