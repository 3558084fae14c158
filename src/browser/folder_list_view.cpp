#include "folder_list_view.h"

#include "browser/entry_reader.h"
#include "browser/file_entries.h"
#include "browser/list_widgets.h"
#include "browser/thumbnail_view.h"
#include "photometry/file_io.h"
#include "platform/message_service.h"
#include "platform/native_names.h"

#include <QDir>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QSet>
#include <QStyle>
#include <QTimer>
#include <algorithm>

namespace gonilux::browser {
namespace {

using platform::MessageService;

// The hourglass for the life of the object, restoring the previous cursor afterwards.
class WaitCursor {
  public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QString ProgressText(int mode) {
    switch (mode) {
    case FolderListView::ProgressLoading:
        return FolderListView::tr("正在读取 IES 文件...");
    case FolderListView::ProgressSorting:
        return FolderListView::tr("正在排序...");
    case FolderListView::ProgressThumbnails:
        return FolderListView::tr("正在准备缩略图...");
    case FolderListView::ProgressClearing:
        return FolderListView::tr("正在清除...");
    default:
        return {};
    }
}

// The folder an up entry leads to.
QString ParentPathOf(const QString& folderPath) {
    return folderPath.isEmpty() ? QString() : QFileInfo(QDir::cleanPath(folderPath)).path();
}

} // namespace

FolderListView::FolderListView(QWidget* parent)
    : QListView(parent), model_(new FileListModel(this)), panel_(new ProcessingPanel(this)),
      problemNote_(new ListNote(this)) {
    setObjectName(QStringLiteral("FolderListView"));
    setModel(model_);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(false);
    listDelegate_ = new ListItemDelegate(this);
    thumbDelegate_ = new ThumbnailDelegate(this);
    hoverTimer_ = new QTimer(this);
    hoverTimer_->setSingleShot(true);
    connect(hoverTimer_, &QTimer::timeout, this, [this] { onHoverTimeout(); });
    viewport()->setMouseTracking(true);
    makeDetailsView();
    setViewStyle(ViewStyle::List);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { emit currentRowChanged(current.row()); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit itemSelectionChanged(); });
    connect(this, &FolderListView::currentRowChanged, this, [this] { onListChange(); });
    connect(this, &FolderListView::itemSelectionChanged, this, [this] { onListChange(); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { activateRow(index.row()); });
}

FolderListView::~FolderListView() {
    // Signals go before the entries.
    SuspendListChange();
    disconnect(this, nullptr, this, nullptr);
    disconnect(selectionModel(), nullptr, this, nullptr);
}

TiesData* FolderListView::entryAt(int row) const {
    return model_->entry(row);
}

QString FolderListView::currentFolderPathWithSeparator() const {
    return listing_.Path.isEmpty() ? QString() : WithSeparator(listing_.Path);
}

QString FolderListView::entryFilePath(int row) const {
    const TiesData* entry = entryAt(row);
    if (!entry) return {};
    const QString own = model_->entryFolder(row);
    return (own.isEmpty() ? currentFolderPathWithSeparator() : own) + EntryPathName(*entry);
}

QString FolderListView::folderEntryPath(int row) const {
    return model_->folderPath(row);
}

// ---- Building the list ----

void FolderListView::ShowFolderContents(const FolderListing& listing, bool relist) {
    const bool otherFolder =
        !hasListing_ || listing.Path != listing_.Path || listing.NodeText != listing_.NodeText;
    if (!relist && !keepCaption_ && captionChoice_ != 0) {
        captionChoice_ = 0;
        emit captionChoiceChanged(0);
    }
    if (otherFolder && !filterText_.isEmpty()) {
        filterText_.clear();
        emit filterCleared();
    }
    listBusy_ = true;
    beginItemsUpdate();
    SuspendListChange();
    ClearFileList();
    showFolderColumn(false);
    listing_ = listing;
    hasListing_ = true;
    vanished_ = FolderVanished(listing.Path);
    if (vanished_) { // nothing to show, not even the way up
        listing_.HasParent = listing_.Browsable = false;
        listing_.Children.clear();
    }
    authorMarkIcon_ = QIcon();
    thumbImages_.clear();
    thumbIcons_.clear();
    if (upShown_ && listing_.HasParent)
        model_->insertFolder(0, UpEntryCaption(), listing_.NodeIcon, ParentPathOf(listing_.Path),
                             true);
    for (const FolderChild& child : listing_.Children)
        model_->insertFolder(count(), child.Name, child.Icon, child.Path);
    if (listing_.Browsable) ListFolderFiles();
    viewport()->update();
    if (viewStyle_ == ViewStyle::Thumbnails) RadioButtonThumbnailsClick();
    readForDetails();
    if (captionChoice_ == 0) UpdateCaptions(false);
    listBusy_ = false;
    ResumeListChange();
    endItemsUpdate();
    if (!filterText_.isEmpty()) setFilterText(filterText_); // the same folder listed again
}

void FolderListView::ClearFileList() {
    cancelReading(); // late records of these entries are dropped
    SuspendListChange();
    const bool savedBusy = listBusy_;
    listBusy_ = true;
    const bool showPanel = count() > 0;
    if (showPanel) ShowProgress(ProgressClearing);
    TGauge* gauge = progressGauge();
    for (int i = Tag(); i < count(); ++i)
        gauge->setProgress(i);
    selectionModel()->clear();
    model_->clear();
    if (showPanel) HideProgress();
    lastListItem_ = QPersistentModelIndex();
    listBusy_ = savedBusy;
    ResumeListChange();
}

void FolderListView::ListFolderFiles() {
    const QString folder = currentFolderPathWithSeparator();
    if (folder.isEmpty()) return;
    const QStringList names = ScanIesFiles(folder, listLdt_);
    if (names.isEmpty()) return;
    WaitCursor wait;
    defaultIesIcon_ = QFileIconProvider().icon(QFileInfo(folder + names.first()));
    if (defaultIesIcon_.isNull()) defaultIesIcon_ = style()->standardIcon(QStyle::SP_FileIcon);
    if (authorMarkIcon_.isNull()) authorMarkIcon_ = MakeAuthorMarkIcon(defaultIesIcon_);
    AddIesFiles(names);
    if (sort_ && !captionPass_) SortFileList(); // else when the captions are in
}

void FolderListView::AddIesFiles(const QStringList& fileNames) {
    if (fileNames.isEmpty()) return;
    const bool loadNow = captionChoice_ > 0;
    if (loadNow) {
        panelMode_ = ProgressScanning;
        ShowProgress(ProgressScanning);
    }
    for (const QString& name : fileNames) {
        const int row = model_->appendFile(std::make_unique<TiesData>(NewFileEntry(name)),
                                           defaultIesIcon_, QString());
        model_->setCaption(row, EntryCaption(*entryAt(row), captionChoice_));
    }
    if (loadNow)
        readForCaptions();
    else
        HideProgress();
}

// ---- Entry icons ----

void FolderListView::refreshEntryIcon(int row) {
    // Thumbnails are drawn from the records; the icons follow when the view changes back.
    if (viewStyle_ == ViewStyle::Thumbnails) return;
    const TiesData* entry = entryAt(row);
    if (!entry || !entry->Loaded) return;
    model_->setIcon(row, defaultEntryIcon(row));
}

QIcon FolderListView::defaultEntryIcon(int row) {
    const TiesData* entry = entryAt(row);
    if (!entry || !entry->Loaded || !entry->ChangedByAuthor) return defaultIesIcon_;
    if (authorMarkIcon_.isNull()) authorMarkIcon_ = MakeAuthorMarkIcon(defaultIesIcon_);
    return authorMarkIcon_;
}

// ---- Progress panel ----

TGauge* FolderListView::progressGauge() const {
    return panel_->gauge();
}

void FolderListView::ShowProgress(int mode) {
    const int panelWidth =
        width() < ProcessingPanel::kWidth ? std::max(1, width() - 40) : ProcessingPanel::kWidth;
    panel_->setGeometry((width() - panelWidth) / 2, (height() - ProcessingPanel::kHeight) / 2,
                        panelWidth, ProcessingPanel::kHeight);
    TGauge* gauge = panel_->gauge();
    gauge->setProgress(0);
    gauge->setMaxValue(count() - Tag());
    if (mode == ProgressScanning) {
        panel_->label()->clear();
        panel_->setCaption(tr("正在读取 IES 文件..."));
    } else {
        gauge->show();
        panel_->label()->setText(ProgressText(mode));
        panel_->setCaption(QString());
    }
    // Painted now: the operation that follows blocks the event loop.
    panel_->raise();
    panel_->show();
    panel_->label()->repaint();
    panel_->repaint();
}

void FolderListView::HideProgress() {
    panel_->gauge()->hide();
    panel_->hide();
}

// ---- Sorting and captions ----

void FolderListView::SortFileList() {
    if (count() <= Tag()) return;
    ShowProgress(ProgressSorting);
    TGauge* gauge = progressGauge();
    const std::vector<int> order = SortedRowOrder(model_->captions(), Tag(), [gauge](int row) {
        gauge->setProgress(std::max(gauge->progress(), row));
    });
    reorderFileItems(order);
    endProgress();
    applyFilter(); // moved rows lose their hidden state
}

void FolderListView::reorderFileItems(const std::vector<int>& order) {
    // The current entry, the selection and the hidden rows move with their entries.
    SuspendListChange();
    model_->reorder(order);
    ResumeListChange();
}

void FolderListView::UpdateCaptions(bool reload) {
    if (reload) {
        for (int row = Tag(); row < count(); ++row)
            if (const TiesData* entry = entryAt(row))
                model_->setCaption(row, EntryCaption(*entry, captionChoice_));
        readForCaptions();
        return;
    }
    measureCaptions();
}

void FolderListView::measureCaptions() {
    scrollToRow(0);
    columnWidth_ = measureColumnWidth();
    applyViewGeometry();
    applyFilter();
}

int FolderListView::measureColumnWidth() const {
    const QFontMetrics metrics(font());
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(model_->caption(i)));
    return widest + metrics.horizontalAdvance(QStringLiteral("WWWW"));
}

QString FolderListView::UpEntryCaption() const {
    return browser::UpEntryCaption(upStyle_, listing_.NodeText);
}

// ---- The up entry ----

void FolderListView::CheckBoxUpClick(bool checked) {
    upShown_ = checked;
    if (!hasListing_ || !listing_.HasParent || checked == model_->hasUpEntry()) return;
    SuspendListChange();
    if (checked) {
        // In the thumbnail view the up entry takes cell 0, the current folder's icon.
        const bool thumbnails = viewStyle_ == ViewStyle::Thumbnails && !thumbIcons_.empty();
        model_->insertFolder(0, UpEntryCaption(),
                             thumbnails ? thumbIcons_.front() : listing_.NodeIcon,
                             ParentPathOf(listing_.Path), true);
        if (thumbnails) model_->setThumbCell(0, 0);
    } else {
        model_->removeEntry(0); // the last handled entry's index goes with it
    }
    columnWidth_ = measureColumnWidth();
    applyViewGeometry();
    ResumeListChange();
}

void FolderListView::ComboBoxUpChange(int index) {
    upStyle_ = std::clamp(index, 0, static_cast<int>(UpEntryItems().size()) - 1);
    if (!hasListing_ || !listing_.HasParent || !model_->hasUpEntry()) return;
    model_->setCaption(0, UpEntryCaption());
    columnWidth_ = measureColumnWidth();
    applyViewGeometry();
}

// ---- Caption choice and sorting switches ----

void FolderListView::ComboBoxCaptionChange(int k) {
    k = std::clamp(k, 0, kCaptionChoiceCount - 1);
    SuspendListChange();
    const bool changed = k != captionChoice_;
    captionChoice_ = k;
    captionRemembered_ = currentIndex();
    captionParked_ = QPersistentModelIndex();
    WaitCursor wait;
    beginItemsUpdate();
    if (count() - 1 > Tag() && k >= 1) {
        setCurrentRow(0, QItemSelectionModel::NoUpdate);
        captionParked_ = currentIndex();
        const bool reads = CaptionChangeReadsFiles(count(), Tag(), k, [this](int row) {
            const TiesData* entry = entryAt(row);
            return entry ? static_cast<int>(entry->Lines.size()) : TitleCount;
        });
        panelMode_ = ProgressLoading;
        if (reads) ShowProgress(ProgressLoading);
    }
    UpdateCaptions(true); // finished now, or when the files are in
    endItemsUpdate();
    ResumeListChange();
    if (changed) emit captionChoiceChanged(k);
}

void FolderListView::CheckBoxSortClick(bool checked) {
    sort_ = checked;
    if (checked) SortFileList();
}

// ---- Selection ----

void FolderListView::SuspendListChange() {
    ++listChangeSuspend_;
}

void FolderListView::ResumeListChange() {
    if (--listChangeSuspend_ < 1) listChangeSuspend_ = 0;
}

void FolderListView::onListChange() {
    if (listChangeSuspend_ == 0) FolderListViewChange(currentRow());
}

int FolderListView::selectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    int first = -1;
    for (const QModelIndex& index : selected)
        if (first < 0 || index.row() < first) first = index.row();
    return first;
}

void FolderListView::FolderListViewChange(int changed) {
    const int selected = selectedRow();
    if (selected >= 0 && listBusy_ && selected >= Tag()) listBusy_ = false;
    if (changed < 0 || changed >= count() || listBusy_ || changed != selected) return;
    if (lastListItem_.isValid() && lastListItem_.row() == changed) return;
    lastListItem_ = QPersistentModelIndex(indexOfRow(changed));
    const TiesData* entry = entryAt(changed);
    if (entry && !entry->Loaded)
        LoadIesEntry(changed);
    else
        reportProblem(changed); // read on a worker thread: its box comes when it is picked
    emit previewItem(changed);
    if (changed < Tag()) listBusy_ = true;
}

void FolderListView::activateRow(int row) {
    if (row < 0 || row >= Tag()) return;
    emit folderActivated(folderEntryPath(row), isUpEntry(row));
}

void FolderListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !filterText_.isEmpty()) {
        setFilterText(QString());
        emit filterCleared();
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0 &&
        currentRow() < Tag()) {
        activateRow(currentRow());
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

// ---- Items update bracket ----

void FolderListView::beginItemsUpdate() {
    if (itemsUpdateDepth_++ == 0) viewport()->setUpdatesEnabled(false);
}

void FolderListView::endItemsUpdate() {
    if (itemsUpdateDepth_ > 0 && --itemsUpdateDepth_ == 0) viewport()->setUpdatesEnabled(true);
}

} // namespace gonilux::browser
