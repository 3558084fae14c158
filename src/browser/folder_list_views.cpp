// The file list's views (list, icons, thumbnails) and its hot-track and scroll-bar appearance.
#include "browser/folder_list_view.h"
#include "browser/list_widgets.h"
#include "browser/thumbnail_view.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

namespace gonilux::browser {
namespace {

constexpr int kSmallIcon = 16;
constexpr int kIconCellMinWidth = 80;

} // namespace

// ---- Views ----

void FolderListView::setViewStyle(ViewStyle style) {
    if (style == ViewStyle::Thumbnails) {
        RadioButtonThumbnailsClick();
        return;
    }
    viewStyle_ = style;
    setItemDelegate(listDelegate_);
    SetDefaultImageIndex();
    applyViewMode();
    showDetailsView(style == ViewStyle::Details);
}

void FolderListView::RadioButtonThumbnailsClick() {
    viewStyle_ = ViewStyle::Thumbnails;
    showDetailsView(false);
    setItemDelegate(thumbDelegate_);
    SetDefaultImageIndex();
    beginItemsUpdate();
    ShowProgress(ProgressThumbnails);
    progressGauge()->setMaxValue(count());
    BuildThumbnailImageList();
    endProgress(); // a reading of the captions keeps its panel
    endItemsUpdate();
    applyViewMode();
}

void FolderListView::SetDefaultImageIndex() {
    const int firstChild = model_->hasUpEntry() ? 1 : 0;
    for (int i = 0; i < Tag() && i < count(); ++i) {
        const int child = i - firstChild;
        const QIcon icon = isUpEntry(i)                       ? listing_.NodeIcon
                           : child < listing_.Children.size() ? listing_.Children[child].Icon
                                                              : QIcon();
        model_->setIcon(i, icon);
    }
    for (int i = Tag(); i < count(); ++i)
        model_->setIcon(i, defaultEntryIcon(i));
}

void FolderListView::BuildThumbnailImageList() {
    thumbImages_.clear();
    thumbIcons_.clear();
    std::optional<QIcon> folderIcon;
    if (hasListing_ && listing_.HasParent) folderIcon = listing_.NodeIcon;
    QList<QIcon> folderEntryIcons;
    for (int i = 0; i < Tag(); ++i)
        folderEntryIcons.append(model_->icon(i));
    std::optional<QIcon> firstFileIcon;
    if (count() > Tag()) firstFileIcon = model_->icon(Tag());

    TGauge* gauge = progressGauge();
    ThumbnailCells cells = BuildThumbnailCells(folderIcon, folderEntryIcons, firstFileIcon,
                                               [gauge](int i) { gauge->setProgress(i); });
    thumbImages_ = std::move(cells.Images);
    for (const QImage& image : thumbImages_)
        thumbIcons_.emplace_back(QPixmap::fromImage(image));
    for (int i = 0; i < Tag(); ++i) {
        const int cell = cells.FolderCell[static_cast<std::size_t>(i)];
        model_->setIcon(i, thumbIcons_[static_cast<std::size_t>(cell)]);
        model_->setThumbCell(i, cell);
    }
    for (int i = Tag(); i < count(); ++i) {
        model_->setIcon(i, defaultIesIcon_);
        gauge->setProgress(i);
    }
}

void FolderListView::applyViewMode() {
    if (viewStyle_ == ViewStyle::List || viewStyle_ == ViewStyle::Details) {
        setViewMode(QListView::ListMode);
        setFlow(QListView::TopToBottom);
        setIconSize(QSize(kSmallIcon, kSmallIcon));
        setWordWrap(false);
    } else {
        setViewMode(QListView::IconMode);
        setFlow(QListView::LeftToRight);
        const int icon = viewStyle_ == ViewStyle::Thumbnails ? kThumbSize : kLargeIconSize;
        setIconSize(QSize(icon, icon));
        setWordWrap(true);
    }
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    applyViewGeometry();
}

void FolderListView::applyViewGeometry() {
    const QFontMetrics metrics(font());
    switch (viewStyle_) {
    case ViewStyle::Details: // the list under the details view keeps the list's layout
    case ViewStyle::List: {
        const int rowHeight = std::max(kSmallIcon, metrics.height()) + 4;
        const int width = std::max(columnWidth_, metrics.horizontalAdvance(QStringLiteral("WWWW")));
        setGridSize(QSize(width, rowHeight));
        break;
    }
    case ViewStyle::Icons: {
        const int cellWidth =
            std::max(kIconCellMinWidth, metrics.horizontalAdvance(QStringLiteral("WWWWWW")));
        setGridSize(QSize(cellWidth, kLargeIconSize + 2 * metrics.height() + 12));
        break;
    }
    case ViewStyle::Thumbnails:
        setGridSize(ThumbnailGridSize(metrics));
        break;
    }
    doItemsLayout();
}

// ---- Thumbnail switches ----

void FolderListView::setQualityThumbnails(bool quality) {
    qualityThumbnails_ = quality;
}

void FolderListView::setThumbnailOptions(const DiagramOptions& options) {
    thumbnailOptions_ = options;
    if (viewStyle_ == ViewStyle::Thumbnails) viewport()->update();
}

// ---- Appearance ----

void FolderListView::setHandPointer(bool on) {
    ListAppearance look = appearance_;
    look.HandPointer = on;
    setAppearance(look);
}

void FolderListView::setUnderlineHot(bool on) {
    ListAppearance look = appearance_;
    look.UnderlineHot = on;
    setAppearance(look);
}

void FolderListView::setUnderlineCold(bool on) {
    ListAppearance look = appearance_;
    look.UnderlineCold = on;
    setAppearance(look);
}

void FolderListView::setHotTracking(bool on) {
    ListAppearance look = appearance_;
    look.HotTracking = on;
    setAppearance(look);
    if (!on) hoverTimer_->stop();
}

void FolderListView::setAppearance(const ListAppearance& appearance) {
    if (appearance == appearance_) return;
    appearance_ = appearance;
    updateHotCursor();
    viewport()->update();
}

void FolderListView::setFlatScrollBars(bool on) {
    flatScrollBars_ = on;
    if (on && !flatStyle_) {
        flatStyle_ = new FlatScrollBarStyle;
        flatStyle_->setParent(this);
    }
    QStyle* style = on ? flatStyle_ : nullptr;
    verticalScrollBar()->setStyle(style);
    horizontalScrollBar()->setStyle(style);
}

void FolderListView::setHoverTime(int ms) {
    hoverTime_ = ms < 0 ? kDefaultHoverTime : ms;
}

int FolderListView::effectiveHoverTime() const {
    return hoverTime_ < 0 ? PlatformHoverTime() : hoverTime_;
}

// ---- The item under the mouse ----

void FolderListView::mouseMoveEvent(QMouseEvent* event) {
    setHotIndex(indexAt(event->position().toPoint()));
    QListView::mouseMoveEvent(event);
}

bool FolderListView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) setHotIndex(QModelIndex());
    return QListView::viewportEvent(event);
}

void FolderListView::setHotIndex(const QModelIndex& index) {
    if (index == QModelIndex(hotIndex_)) return;
    const QModelIndex previous = hotIndex_;
    hotIndex_ = index;
    if (appearance_ != ListAppearance{}) {
        if (previous.isValid()) viewport()->update(visualRect(previous));
        if (index.isValid()) viewport()->update(visualRect(index));
    }
    updateHotCursor();
    hoverTimer_->stop();
    if (index.isValid() && appearance_.HotTracking) hoverTimer_->start(effectiveHoverTime());
}

void FolderListView::updateHotCursor() {
    if (appearance_.HandPointer && hotIndex_.isValid())
        viewport()->setCursor(Qt::PointingHandCursor);
    else
        viewport()->unsetCursor();
}

// Hot tracking: the item the mouse has rested on for the hover time becomes the selection.
void FolderListView::onHoverTimeout() {
    if (!appearance_.HotTracking || !hotIndex_.isValid()) return;
    if (QGuiApplication::mouseButtons() != Qt::NoButton) return;
    const QModelIndex hot = hotIndex_;
    if (currentIndex() == hot && selectionModel()->selectedIndexes() == QModelIndexList{hot})
        return;
    selectionModel()->setCurrentIndex(hot, QItemSelectionModel::ClearAndSelect);
}

} // namespace gonilux::browser
