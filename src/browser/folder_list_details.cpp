// The file list's details view: a tree view over the list's model and selection that shows every
// column, sorts by a clicked header and lets the header's menu show or hide columns. Its entries
// are read on worker threads; rows fill in as their records arrive, and the kept sort is applied
// when they are all in.
#include "browser/entry_reader.h"
#include "browser/file_entries.h"
#include "browser/folder_list_view.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTreeView>
#include <algorithm>

namespace gonilux::browser {

void FolderListView::makeDetailsView() {
    details_ = new QTreeView(this);
    details_->setObjectName(QStringLiteral("FolderDetailsView"));
    details_->setModel(model_);
    details_->setSelectionModel(selectionModel());
    details_->setSelectionMode(selectionMode());
    details_->setSelectionBehavior(QAbstractItemView::SelectRows);
    details_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    details_->setRootIsDecorated(false);
    details_->setItemsExpandable(false);
    details_->setUniformRowHeights(true);
    details_->setAllColumnsShowFocus(true);
    details_->hide(); // keys it leaves alone (Escape, Enter on a folder) reach the list
    QHeaderView* header = details_->header();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setStretchLastSection(false);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    setDetailsHeader(DefaultDetailsHeader());
    connect(header, &QHeaderView::sortIndicatorChanged, model_, &FileListModel::sort);
    connect(header, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { popupHeaderMenu(position); });
    connect(details_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { activateRow(index.row()); });
    reader_ = new EntryReader(this);
    connect(reader_, &EntryReader::entriesRead, this,
            [this](quint64 generation, const QList<EntryRead>& reads) {
                storeReads(generation, reads);
            });
    connect(reader_, &EntryReader::finished, this,
            [this](quint64 generation) { onReadingFinished(generation); });
}

QAbstractItemView* FolderListView::shownView() {
    if (viewStyle_ == ViewStyle::Details) return details_;
    return this;
}

void FolderListView::showDetailsView(bool shown) {
    if (shown == details_->isVisible()) return;
    // The list's own scroll bars would come up over the details view when the list's layout
    // needs them, and move only the list beneath: off while the details view covers it.
    const Qt::ScrollBarPolicy own = shown ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    setHorizontalScrollBarPolicy(own);
    setVerticalScrollBarPolicy(own);
    details_->setGeometry(rect());
    details_->setVisible(shown);
    if (shown) details_->raise();
    if (problemNote_->isVisible()) { // over the shown view
        placeProblemNote();
        problemNote_->raise();
    }
    const bool hadFocus = hasFocus() || details_->hasFocus();
    setFocusProxy(shown ? details_ : nullptr);
    if (hadFocus) (shown ? static_cast<QWidget*>(details_) : this)->setFocus();
    if (!shown) return;
    for (int row = Tag(); row < count(); ++row)
        details_->setRowHidden(row, {}, isRowHidden(row));
    readForDetails();
}

void FolderListView::resizeEvent(QResizeEvent* event) {
    QListView::resizeEvent(event);
    if (details_) details_->setGeometry(rect());
    if (problemNote_->isVisible()) placeProblemNote();
}

void FolderListView::popupHeaderMenu(const QPoint& position) {
    QHeaderView* header = details_->header();
    QMenu menu(details_);
    for (const DetailsColumnInfo& info : DetailsColumns()) {
        // The caption always shows; the folder only beside found files.
        if (info.Column == DetailsColumn::Caption || info.Column == DetailsColumn::Folder) continue;
        QAction* action = menu.addAction(ColumnHeader(info.Column));
        action->setCheckable(true);
        const int section = static_cast<int>(info.Column);
        action->setChecked(!header->isSectionHidden(section));
        connect(action, &QAction::toggled, this, [this, header, section](bool on) {
            const int width = on ? hiddenWidths_[static_cast<std::size_t>(section)]
                                 : header->sectionSize(section);
            hiddenWidths_[static_cast<std::size_t>(section)] = width;
            header->setSectionHidden(section, !on);
            if (on) {
                header->resizeSection(section, width);
                revealColumn(section);
            }
        });
    }
    menu.exec(header->mapToGlobal(position));
}

// Scrolls the details view sideways just enough to show a column whole (its left edge when it
// is wider than the view).
void FolderListView::revealColumn(int section) {
    details_->doItemsLayout(); // the scroll range takes in the column now
    const QHeaderView* header = details_->header();
    QScrollBar* bar = details_->horizontalScrollBar();
    const int left = header->sectionPosition(section);
    const int right = left + header->sectionSize(section);
    const int shown = details_->viewport()->width();
    if (right - bar->value() > shown) bar->setValue(right - shown);
    if (left < bar->value()) bar->setValue(left);
}

DetailsHeaderState FolderListView::detailsHeader() const {
    const QHeaderView* header = details_->header();
    DetailsHeaderState state;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int section = header->logicalIndex(visual);
        const auto column = static_cast<DetailsColumn>(section);
        const bool hidden = header->isSectionHidden(section) || column == DetailsColumn::Folder;
        const int width = hidden ? hiddenWidths_[static_cast<std::size_t>(section)]
                                 : header->sectionSize(section);
        state.Columns.push_back(
            {column, !hidden, std::clamp(width, kMinColumnWidth, kMaxColumnWidth)});
    }
    if (header->sortIndicatorSection() >= 0 && header->sortIndicatorSection() < header->count()) {
        state.SortColumn = static_cast<DetailsColumn>(header->sortIndicatorSection());
        state.Descending = header->sortIndicatorOrder() == Qt::DescendingOrder;
    }
    return state;
}

void FolderListView::setDetailsHeader(const DetailsHeaderState& state) {
    QHeaderView* header = details_->header();
    const QSignalBlocker block(header);
    hiddenWidths_.resize(kDetailsColumnCount);
    for (const DetailsColumnInfo& info : DetailsColumns())
        hiddenWidths_[static_cast<std::size_t>(info.Column)] = info.Width;
    for (int visual = 0; visual < static_cast<int>(state.Columns.size()); ++visual) {
        const DetailsHeaderColumn& shown = state.Columns[static_cast<std::size_t>(visual)];
        const int section = static_cast<int>(shown.Column);
        header->moveSection(header->visualIndex(section), visual);
        header->setSectionHidden(
            section, !shown.Visible || (shown.Column == DetailsColumn::Folder && !showsFound_));
        // A column at its default width is at least as wide as its header's text, which may be
        // longer in another language.
        int width = shown.Width;
        if (width == hiddenWidths_[static_cast<std::size_t>(section)]) {
            const QString text = header->model()->headerData(section, Qt::Horizontal).toString();
            width = std::max(width, header->fontMetrics().horizontalAdvance(text) + 16);
        }
        header->resizeSection(section, width);
        hiddenWidths_[static_cast<std::size_t>(section)] = width;
    }
    const int sortSection = state.SortColumn ? static_cast<int>(*state.SortColumn) : -1;
    const Qt::SortOrder order = state.Descending ? Qt::DescendingOrder : Qt::AscendingOrder;
    header->setSortIndicator(sortSection, order);
    if (sortSection >= 0) model_->sort(sortSection, order);
}

} // namespace gonilux::browser
