#include "browser/file_list_model.h"

#include "browser/metrics_text.h"

#include <algorithm>

namespace gonilux::browser {

struct FileListModel::Row {
    QString Caption;
    QIcon Icon;
    QString FolderPath;
    int ThumbCell = -1;
    std::unique_ptr<TiesData> Entry;         // file entries only
    mutable std::optional<tMetrics> Metrics; // computed on demand after each read
    mutable std::optional<tRatings> Ratings; // likewise
    qint64 Size = -1;                        // bytes; -1 until known
    QString Folder, FolderShown;             // a found file's own folder
};

FileListModel::FileListModel(QObject* parent) : QAbstractTableModel(parent) {}

FileListModel::~FileListModel() = default;

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !valid(index.row())) return {};
    const int r = index.row();
    if (index.column() != CaptionColumn) {
        const auto column = static_cast<DetailsColumn>(index.column());
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(ColumnAlignment(column));
        return role == Qt::DisplayRole ? QVariant(cell(r, column).Text) : QVariant();
    }
    const Row& row = rows_[static_cast<std::size_t>(r)];
    switch (role) {
    case Qt::DisplayRole:
        return row.Caption;
    case Qt::DecorationRole:
        return row.Icon;
    case Qt::ToolTipRole:
        return row.Entry ? QVariant(EntryToolTipText(*row.Entry, metrics(r), ratings(r)))
                         : QVariant();
    case EntryRole:
        return row.Entry ? QVariant::fromValue(reinterpret_cast<quintptr>(row.Entry.get()))
                         : QVariant();
    case FolderPathRole:
        return row.Entry ? QVariant() : QVariant(row.FolderPath);
    case ThumbIndexRole:
        return row.ThumbCell >= 0 ? QVariant(row.ThumbCell) : QVariant();
    case MetricsRole:
        return row.Metrics ? QVariant::fromValue(*row.Metrics) : QVariant();
    default:
        return {};
    }
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) return {};
    const auto column = static_cast<DetailsColumn>(section);
    if (role == Qt::DisplayRole) return ColumnHeader(column);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(ColumnAlignment(column));
    return {};
}

DetailsCell FileListModel::cell(int row, DetailsColumn column) const {
    const TiesData* read = entry(row);
    if (!read) return {};
    if (column == DetailsColumn::Caption) return {caption(row), kNoValue};
    const std::optional<tMetrics> figures = metrics(row);
    const std::optional<tRatings> rated = IsRatingColumn(column) ? ratings(row) : std::nullopt;
    const Row& shownRow = rows_[static_cast<std::size_t>(row)];
    const DetailsEntry shown{.Entry = *read,
                             .Metrics = figures ? &*figures : nullptr,
                             .Size = shownRow.Size,
                             .Folder = shownRow.FolderShown,
                             .Ratings = rated ? &*rated : nullptr};
    return DetailsCellOf(column, shown);
}

void FileListModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount) return;
    const auto which = static_cast<DetailsColumn>(column);
    std::vector<DetailsCell> cells;
    cells.reserve(rows_.size());
    for (int row = 0; row < rowCount(); ++row)
        cells.push_back(row < folderCount_ ? DetailsCell{} : cell(row, which));
    reorder(SortedDetailsRows(cells, folderCount_, ColumnInfo(which).Numeric,
                              order == Qt::DescendingOrder));
}

void FileListModel::setEntryFolder(int row, const QString& folder, const QString& shown) {
    if (!isFileRow(row)) return;
    Row& changedRow = rows_[static_cast<std::size_t>(row)];
    changedRow.Folder = folder;
    changedRow.FolderShown = shown;
    changed(row, {});
}

QString FileListModel::entryFolder(int row) const {
    return isFileRow(row) ? rows_[static_cast<std::size_t>(row)].Folder : QString();
}

void FileListModel::setFileSize(int row, qint64 size) {
    if (!valid(row) || rows_[static_cast<std::size_t>(row)].Size == size) return;
    rows_[static_cast<std::size_t>(row)].Size = size;
    changed(row, {});
}

TiesData* FileListModel::entry(int row) const {
    return valid(row) ? rows_[static_cast<std::size_t>(row)].Entry.get() : nullptr;
}

QString FileListModel::caption(int row) const {
    return valid(row) ? rows_[static_cast<std::size_t>(row)].Caption : QString();
}

QIcon FileListModel::icon(int row) const {
    return valid(row) ? rows_[static_cast<std::size_t>(row)].Icon : QIcon();
}

QString FileListModel::folderPath(int row) const {
    return row >= 0 && row < folderCount_ ? rows_[static_cast<std::size_t>(row)].FolderPath
                                          : QString();
}

int FileListModel::thumbCell(int row) const {
    return valid(row) ? rows_[static_cast<std::size_t>(row)].ThumbCell : -1;
}

QStringList FileListModel::captions() const {
    QStringList all;
    all.reserve(rowCount());
    for (const Row& row : rows_)
        all.append(row.Caption);
    return all;
}

// ---- Rows coming and going ----

void FileListModel::clear() {
    beginResetModel();
    rows_.clear();
    folderCount_ = 0;
    hasUpEntry_ = false;
    endResetModel();
}

void FileListModel::insertFolder(int row, const QString& caption, const QIcon& icon,
                                 const QString& path, bool upEntry) {
    row = upEntry ? 0 : std::clamp(row, hasUpEntry_ ? 1 : 0, folderCount_);
    beginInsertRows({}, row, row);
    Row added;
    added.Caption = caption;
    added.Icon = icon;
    added.FolderPath = path;
    rows_.insert(rows_.begin() + row, std::move(added));
    ++folderCount_;
    hasUpEntry_ = hasUpEntry_ || upEntry;
    endInsertRows();
}

int FileListModel::appendFile(std::unique_ptr<TiesData> entry, const QIcon& icon,
                              const QString& caption) {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    Row added;
    added.Caption = caption;
    added.Icon = icon;
    added.Entry = std::move(entry);
    rows_.push_back(std::move(added));
    endInsertRows();
    return row;
}

void FileListModel::removeEntry(int row) {
    if (!valid(row)) return;
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    if (row < folderCount_) {
        --folderCount_;
        if (row == 0 && hasUpEntry_) hasUpEntry_ = false;
    }
    endRemoveRows();
}

// ---- What a row shows ----

void FileListModel::changed(int row, const QList<int>& roles) {
    const QModelIndex at = index(row, CaptionColumn);
    emit dataChanged(at, at.siblingAtColumn(ColumnCount - 1), roles);
}

void FileListModel::setCaption(int row, const QString& caption) {
    if (!valid(row) || rows_[static_cast<std::size_t>(row)].Caption == caption) return;
    rows_[static_cast<std::size_t>(row)].Caption = caption;
    changed(row, {Qt::DisplayRole});
}

void FileListModel::setIcon(int row, const QIcon& icon) {
    if (!valid(row)) return;
    QIcon& shown = rows_[static_cast<std::size_t>(row)].Icon;
    if (shown.cacheKey() == icon.cacheKey()) return;
    shown = icon;
    changed(row, {Qt::DecorationRole});
}

void FileListModel::setThumbCell(int row, int cell) {
    if (!valid(row) || rows_[static_cast<std::size_t>(row)].ThumbCell == cell) return;
    rows_[static_cast<std::size_t>(row)].ThumbCell = cell;
    changed(row, {ThumbIndexRole});
}

void FileListModel::storeRead(int row, TiesData&& read, const std::optional<tMetrics>& figures,
                              const std::optional<tRatings>& ratings) {
    TiesData* target = entry(row);
    if (!target) return;
    *target = std::move(read);
    rows_[static_cast<std::size_t>(row)].Metrics = target->Loaded ? figures : std::nullopt;
    rows_[static_cast<std::size_t>(row)].Ratings = target->Loaded ? ratings : std::nullopt;
    changed(row, {});
}

void FileListModel::storeDiagnostics(int row, const ReadDiagnostics& diagnostics) {
    TiesData* target = entry(row);
    if (!target) return;
    target->Diagnostics = diagnostics;
    changed(row, {});
}

std::optional<tMetrics> FileListModel::metrics(int row) const {
    const TiesData* read = entry(row);
    if (!read || !read->Loaded) return std::nullopt;
    std::optional<tMetrics>& cached = rows_[static_cast<std::size_t>(row)].Metrics;
    if (!cached) cached = ComputeMetrics(read->Ies);
    return cached;
}

bool FileListModel::hasMetrics(int row) const {
    return valid(row) && rows_[static_cast<std::size_t>(row)].Metrics.has_value();
}

std::optional<tRatings> FileListModel::ratings(int row) const {
    const TiesData* read = entry(row);
    if (!read || !read->Loaded) return std::nullopt;
    std::optional<tRatings>& cached = rows_[static_cast<std::size_t>(row)].Ratings;
    if (!cached) cached = ComputeRatings(read->Ies, RatingInputOf(*read));
    return cached;
}

// ---- Sorting ----

void FileListModel::reorder(const std::vector<int>& order) {
    if (order.size() != rows_.size()) return;
    bool identity = true;
    for (std::size_t i = 0; i < order.size() && identity; ++i)
        identity = order[i] == static_cast<int>(i);
    if (identity) return;

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRow(order.size());
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        newRow[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
        sorted.push_back(std::move(rows_[static_cast<std::size_t>(order[i])]));
    }
    rows_ = std::move(sorted);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before)
        after.append(index(newRow[static_cast<std::size_t>(old.row())], old.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace gonilux::browser
