// The file list's rows as an item model: the folder entries first (an optional up entry and the
// subfolders), then one row per photometric file owning its TiesData, with the caption, the
// picture, the figures and ratings once computed and, in the thumbnail view, a folder entry's
// cell. Views (list, large icons, thumbnails) show it; reading a file updates its row through
// dataChanged.
#pragma once

#include "browser/details_columns.h"
#include "photometry/ies_record.h"
#include "photometry/metrics.h"
#include "photometry/ratings.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace gonilux::browser {

class FileListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // The columns are those of the details view (DetailsColumn, the caption first); the list,
    // icon and thumbnail views show the caption column only.
    enum Column { CaptionColumn = 0, ColumnCount = kDetailsColumnCount };
    // Beyond the caption (DisplayRole), the picture (DecorationRole) and a file entry's hover
    // text (ToolTipRole): a file entry's TiesData pointer, a folder entry's folder path, a
    // folder entry's cell in the thumbnail view and a read file entry's figures once computed.
    enum Role {
        EntryRole = Qt::UserRole,
        FolderPathRole = Qt::UserRole + 1,
        ThumbIndexRole = Qt::UserRole + 2,
        MetricsRole = Qt::UserRole + 3,
    };

    explicit FileListModel(QObject* parent = nullptr);
    ~FileListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Sorts the file entries by a column's cells (SortedDetailsRows): numbers as numbers, empty
    // cells last, stable; folder entries keep their places.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Rows below folderCount() are folder entries, the rest file entries.
    int folderCount() const { return folderCount_; }
    bool hasUpEntry() const { return hasUpEntry_; }
    bool isFileRow(int row) const { return row >= folderCount_ && row < rowCount(); }
    TiesData* entry(int row) const;
    QString caption(int row) const;
    QIcon icon(int row) const;
    QString folderPath(int row) const; // a folder entry's folder, else empty
    int thumbCell(int row) const;      // -1 without a cell
    QStringList captions() const;

    // Empties the list.
    void clear();
    // Inserts a folder entry at `row` (0 .. folderCount()); the up entry goes at row 0.
    void insertFolder(int row, const QString& caption, const QIcon& icon, const QString& path,
                      bool upEntry = false);
    // Appends a file entry; returns its row.
    int appendFile(std::unique_ptr<TiesData> entry, const QIcon& icon, const QString& caption);
    // Removes a row with its record (the up entry counts as a folder entry).
    void removeEntry(int row);

    void setCaption(int row, const QString& caption);
    void setIcon(int row, const QIcon& icon);
    void setThumbCell(int row, int cell);
    // The entry's file was read into `read`: the row takes it and its figures and ratings when
    // they were computed with it, else forgets the old ones.
    void storeRead(int row, TiesData&& read, const std::optional<tMetrics>& figures = {},
                   const std::optional<tRatings>& ratings = {});
    // A file entry of a flat list of found files lives in a folder of its own: its path with a
    // trailing separator, and that folder as the folder column shows it.
    void setEntryFolder(int row, const QString& folder, const QString& shown);
    QString entryFolder(int row) const; // empty for the entries of the listed folder
    // The size of the entry's file in bytes (the details view's size column).
    void setFileSize(int row, qint64 size);
    // The details view's cell of a file entry (an empty cell for other rows).
    DetailsCell cell(int row, DetailsColumn column) const;
    // A read that failed: only the entry's diagnostics change.
    void storeDiagnostics(int row, const ReadDiagnostics& diagnostics);
    // The figures of a read file entry, computed on the first call after each read.
    std::optional<tMetrics> metrics(int row) const;
    bool hasMetrics(int row) const;
    // The ratings of a read file entry, likewise.
    std::optional<tRatings> ratings(int row) const;

    // Puts the rows in `order` (for each new position the old row; folder entries stay),
    // moving the persistent indexes (current item, selection, hidden rows) with their rows.
    void reorder(const std::vector<int>& order);

  private:
    struct Row;
    bool valid(int row) const { return row >= 0 && row < rowCount(); }
    void changed(int row, const QList<int>& roles);

    std::vector<Row> rows_;
    int folderCount_ = 0;
    bool hasUpEntry_ = false;
};

} // namespace gonilux::browser
