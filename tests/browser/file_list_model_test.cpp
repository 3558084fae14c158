// The file list's model without a view: rows and roles, a read updating its row, and a sort
// that keeps the persistent indexes (the current entry, the selection) on their entries.
#include "browser/file_entries.h"
#include "browser/file_list_model.h"
#include "photometry/file_io.h"

#include <QItemSelectionModel>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace gonilux::browser {
namespace {

QStringList Column(const FileListModel& model, int role) {
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row)
        shown << model.index(row, 0).data(role).toString();
    return shown;
}

TEST(FileListModelTest, RowsRolesReadingAndASortThatKeepsTheEntries) {
    FileListModel model;
    for (const char* name : {"b.ies", "A.ies", "c.ies"})
        model.appendFile(std::make_unique<TiesData>(NewFileEntry(name)), QIcon(), name);
    model.insertFolder(0, "sub", QIcon(), "/x/sub");
    model.insertFolder(1, "..", QIcon(), "/", true); // the up entry always goes first
    EXPECT_EQ(model.rowCount() * 100 + model.columnCount() * 10 + model.folderCount(),
              500 + 10 * kDetailsColumnCount + 2);
    EXPECT_EQ(Column(model, Qt::DisplayRole),
              QStringList({"..", "sub", "b.ies", "A.ies", "c.ies"}));
    EXPECT_EQ(Column(model, FileListModel::FolderPathRole),
              QStringList({"/", "/x/sub", "", "", ""}));
    EXPECT_TRUE(model.index(2, 0).data(Qt::ToolTipRole).toString().contains("b.ies"));
    EXPECT_TRUE(model.index(1, 0).data(Qt::ToolTipRole).isNull() && !model.metrics(2));
    EXPECT_EQ(model.index(3, 0).data(FileListModel::EntryRole).value<quintptr>(),
              reinterpret_cast<quintptr>(model.entry(3)));
    EXPECT_TRUE(model.hasUpEntry() && !model.entry(1) && model.index(0, 0).flags() != 0);

    // A read changes its row only; the figures come when asked and go with the next read.
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    TiesData read;
    ASSERT_TRUE(LoadIesEntry(read, GONILUX_SAMPLES_DIR "/downlight_c_quarter.ies"));
    model.storeRead(3, TiesData(read));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), 3);
    EXPECT_FALSE(model.index(3, 0).data(FileListModel::MetricsRole).isValid());
    ASSERT_TRUE(model.metrics(3) && model.metrics(3)->Valid);
    EXPECT_TRUE(model.index(3, 0).data(FileListModel::MetricsRole).isValid());
    model.storeRead(3, std::move(read));
    EXPECT_FALSE(model.hasMetrics(3));
    model.metrics(3);
    model.setCaption(3, "A.ies"); // unchanged: no signal
    model.setCaption(4, "0 first");
    model.setThumbCell(4, 7); // the thumbnail view paints the new picture
    EXPECT_EQ(changed.size(), 4);
    EXPECT_EQ(model.index(4, 0).data(FileListModel::ThumbIndexRole), 7);

    // Sorting moves the rows with their entries, figures, selection and persistent indexes.
    QItemSelectionModel selection(&model);
    selection.setCurrentIndex(model.index(2, 0), QItemSelectionModel::ClearAndSelect);
    const QPersistentModelIndex b(model.index(2, 0));
    const TiesData* bEntry = model.entry(2);
    QSignalSpy layout(&model, &QAbstractItemModel::layoutChanged);
    model.reorder(SortedRowOrder(model.captions(), model.folderCount()));
    EXPECT_EQ(Column(model, Qt::DisplayRole),
              QStringList({"..", "sub", "0 first", "A.ies", "b.ies"}));
    EXPECT_EQ(layout.size(), 1);
    EXPECT_TRUE(b.row() == 4 && model.entry(4) == bEntry && model.hasMetrics(3));
    EXPECT_TRUE(selection.isSelected(model.index(4, 0)) && selection.currentIndex().row() == 4);
    model.reorder(SortedRowOrder(model.captions(), model.folderCount())); // already in order
    EXPECT_EQ(layout.size(), 1);

    model.removeEntry(0);
    EXPECT_TRUE(!model.hasUpEntry() && model.folderCount() == 1 && b.row() == 3);
    model.clear();
    EXPECT_TRUE(model.rowCount() == 0 && !b.isValid());
}

} // namespace
} // namespace gonilux::browser
