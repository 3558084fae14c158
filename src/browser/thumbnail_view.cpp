#include "thumbnail_view.h"

#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "browser/list_appearance.h"
#include "browser/list_widgets.h"
#include "diagram/background.h"
#include "diagram/goniogram.h"
#include "diagram/render_diagram.h"
#include "platform/message_service.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QTextDocument>
#include <QToolTip>
#include <algorithm>
#include <cstdlib>

namespace gonilux::browser {
namespace {

constexpr int kThumbTop = 4;     // space above the picture in its grid cell
constexpr int kCaptionGap = 4;   // between the picture and the caption
constexpr int kSideMargin = 10;  // beside the picture in its grid cell
constexpr int kLabelPadding = 2; // inside the caption box, left and right
const QString kEllipsis = QStringLiteral("...");

// What makes two icons the same picture: the pixels of their large image.
QByteArray IconPixels(const QIcon& icon) {
    if (icon.isNull()) return {};
    const QImage image = icon.pixmap(QSize(kLargeIconSize, kLargeIconSize))
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QByteArray key = QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height());
    key.append(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    return key;
}

// The longest start of `word` that fits in `width` with "..." after it.
QString CutWord(const QString& word, const QFontMetrics& metrics, int width) {
    for (qsizetype n = word.size(); n > 0; --n) {
        const QString cut = word.left(n) + kEllipsis;
        if (metrics.horizontalAdvance(cut) <= width) return cut;
    }
    return kEllipsis;
}

// A line that ends at its last whole word that still leaves room for "...".
QString EndWithEllipsis(const QString& line, const QFontMetrics& metrics, int width) {
    if (line.endsWith(kEllipsis)) return line;
    QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    while (!words.isEmpty()) {
        const QString candidate = words.join(QLatin1Char(' ')) + kEllipsis;
        if (metrics.horizontalAdvance(candidate) <= width) return candidate;
        if (words.size() == 1) return CutWord(words.first(), metrics, width);
        words.removeLast();
    }
    return kEllipsis;
}

// The caption broken at blanks into lines that fit, without a limit on their number.
QStringList WrapAll(const QString& text, const QFontMetrics& metrics, int width) {
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (metrics.horizontalAdvance(joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.isEmpty()) lines.append(line);
        line = metrics.horizontalAdvance(word) <= width ? word : QString();
        if (line.isEmpty()) lines.append(CutWord(word, metrics, width));
    }
    if (!line.isEmpty()) lines.append(line);
    return lines;
}

} // namespace

// ---- ThumbImages ----

QImage MakeIconCell(const QIcon& icon) {
    QImage cell(kThumbSize, kThumbSize, QImage::Format_ARGB32_Premultiplied);
    cell.fill(QGuiApplication::palette().color(QPalette::Button));
    if (icon.isNull()) return cell;
    const QPixmap pixmap = icon.pixmap(QSize(kLargeIconSize, kLargeIconSize));
    const QSize size = pixmap.deviceIndependentSize().toSize();
    QPainter painter(&cell);
    painter.drawPixmap(std::abs(kThumbSize - size.width()) / 2,
                       std::abs(kThumbSize - size.height()) / 2, pixmap);
    return cell;
}

ThumbnailCells BuildThumbnailCells(const std::optional<QIcon>& folderIcon,
                                   const QList<QIcon>& folderEntryIcons,
                                   const std::optional<QIcon>& firstFileIcon,
                                   const std::function<void(int)>& progress) {
    ThumbnailCells cells;
    struct Seen {
        qint64 CacheKey;
        QByteArray Pixels;
    };
    std::vector<Seen> seen;
    const auto cellOf = [&](const QIcon& icon) {
        const qint64 key = icon.cacheKey();
        for (std::size_t i = 0; i < seen.size(); ++i)
            if (seen[i].CacheKey == key) return static_cast<int>(i);
        const QByteArray pixels = IconPixels(icon);
        for (std::size_t i = 0; i < seen.size(); ++i)
            if (seen[i].Pixels == pixels) return static_cast<int>(i);
        seen.push_back({key, pixels});
        cells.Images.push_back(MakeIconCell(icon));
        return static_cast<int>(seen.size()) - 1;
    };
    if (folderIcon) cellOf(*folderIcon);
    for (int i = 0; i < folderEntryIcons.size(); ++i) {
        cells.FolderCell.push_back(cellOf(folderEntryIcons[i]));
        if (progress) progress(i);
    }
    // The file icon's cell and the spare cell after it are never shared.
    if (firstFileIcon) cells.Images.push_back(MakeIconCell(*firstFileIcon));
    cells.Images.push_back(firstFileIcon ? cells.Images.back() : MakeIconCell(QIcon()));
    return cells;
}

// ---- Layout and captions ----

QSize ThumbnailGridSize(const QFontMetrics& metrics) {
    return {kThumbSize + 2 * kSideMargin,
            kThumbTop + kThumbSize + kCaptionGap + kThumbCaptionLines * metrics.height() + 6};
}

ThumbnailLayout LayoutThumbnailItem(const QRect& itemRect, const QFontMetrics& metrics) {
    ThumbnailLayout layout;
    layout.Icon = QRect(itemRect.left() + (itemRect.width() - kThumbSize) / 2,
                        itemRect.top() + kThumbTop, kThumbSize, kThumbSize);
    layout.Label =
        QRect(itemRect.left() + kLabelPadding, layout.Icon.bottom() + 1 + kCaptionGap,
              itemRect.width() - 2 * kLabelPadding, kThumbCaptionLines * metrics.height());
    return layout;
}

QStringList WrapCaption(const QString& text, const QFontMetrics& metrics, int width, int maxLines) {
    if (maxLines < 1 || width <= 0) return {};
    QStringList lines = WrapAll(text, metrics, width);
    if (lines.size() <= maxLines) return lines;
    lines.resize(maxLines);
    lines.last() = EndWithEllipsis(lines.last(), metrics, width);
    return lines;
}

// ---- Delegates ----

ListItemDelegate::ListItemDelegate(FolderListView* view) : QStyledItemDelegate(view), view_(view) {}

void ListItemDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const ListAppearance& look = view_->listAppearance();
    const bool hot = index.isValid() && index == view_->hotIndex();
    const bool thumbnails = view_->viewStyle() == FolderListView::ViewStyle::Thumbnails;
    option->font.setUnderline(CaptionUnderlined(look, hot, thumbnails));
    if (!hot) return;
    if (look.HandPointer)
        option->palette.setColor(QPalette::Text, HotCaptionColour(option->palette));
    if (look.HotTracking && !(option->state & QStyle::State_Selected))
        option->backgroundBrush = HotTrackBackground(option->palette);
}

void ListItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    const TiesData* entry = view_->entryAt(index.row());
    if (!entry || !ShowsErrorBadge(*entry)) return;
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget* widget = option.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    DrawErrorBadge(*painter,
                   style->subElementRect(QStyle::SE_ItemViewItemDecoration, &item, widget));
}

bool ListItemDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                 const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (!event || event->type() != QEvent::ToolTip || !view_->isFileEntry(index.row()))
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = view_->entryToolTip(index.row());
    QToolTip::showText(event->globalPos(), Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap),
                       view->viewport(), option.rect);
    return true;
}

ThumbnailDelegate::ThumbnailDelegate(FolderListView* view) : ListItemDelegate(view) {}

QSize ThumbnailDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& /*index*/) const {
    return ThumbnailGridSize(QFontMetrics(option.font));
}

void ThumbnailDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const int row = index.row();
    if (!view_->isFileEntry(row)) {
        ListItemDelegate::paint(painter, option, index);
        return;
    }
    // Items wholly above the client area are skipped, and nothing is drawn (or read) while
    // the list is being rebuilt. An unread file is read on a worker thread; its picture comes
    // when its record does.
    if (option.rect.bottom() < 0 || view_->itemsUpdating()) return;
    view_->readWhenPainted(row);
    DrawThumbnailItem(painter, option, index);
}

void ThumbnailDelegate::DrawThumbnailItem(QPainter* painter, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
    const ThumbnailLayout layout = LayoutThumbnailItem(option.rect, QFontMetrics(option.font));
    const QPoint origin((layout.Icon.left() + layout.Icon.right() + 1 - kThumbSize) / 2,
                        (layout.Icon.top() + layout.Icon.bottom() + 1 - kThumbSize) / 2);
    drawPicture(painter, origin, index.row());
    const QRect picture(origin, QSize(kThumbSize, kThumbSize));
    if (index == view_->currentIndex())
        painter->fillRect(picture, FocusBlendColour(option.palette));
    const TiesData* entry = view_->entryAt(index.row());
    if (entry && ShowsErrorBadge(*entry)) DrawErrorBadge(*painter, picture);
    drawCaption(painter, option, index, layout.Label);
}

void ThumbnailDelegate::drawPicture(QPainter* painter, const QPoint& origin, int row) const {
    const TiesData* entry = view_->entryAt(row);
    if (!entry) return;
    const DiagramOptions& options = view_->thumbnailOptions();
    const int plane = view_->thumbnailPlane();
    if (view_->qualityThumbnails()) {
        const int flags = RenderBackground | RenderDiagramCurves | RenderThumbnail;
        painter->drawImage(
            origin, ComposeDiagram(kThumbSize, kThumbSize, entry->Ies, flags, plane, options));
        return;
    }
    painter->save();
    painter->translate(origin);
    painter->setClipRect(QRect(0, 0, kThumbSize, kThumbSize), Qt::IntersectClip);
    DrawBackground(*painter, kThumbSize, kThumbSize, true, options.Antialias);
    DrawGoniogram(*painter, kThumbSize, kThumbSize, entry->Ies, kModeThumbnail, 1.0, plane,
                  options);
    painter->restore();
}

void ThumbnailDelegate::drawCaption(QPainter* painter, const QStyleOptionViewItem& option,
                                    const QModelIndex& index, const QRect& labelArea) const {
    const ListAppearance& look = view_->listAppearance();
    const bool hot = index == view_->hotIndex();
    const bool focusedItem = index == view_->currentIndex();
    QFont font = option.font;
    font.setUnderline(CaptionUnderlined(look, hot, true));
    QColor text = option.palette.color(QPalette::Text);
    if (hot && look.HandPointer) text = ActiveCaptionColour(option.palette);
    QColor back = option.palette.color(QPalette::Base);
    if (focusedItem) {
        text = option.palette.color(QPalette::HighlightedText);
        back = option.palette.color(QPalette::Highlight);
    }
    const QFontMetrics metrics(font);
    const QStringList lines =
        WrapCaption(index.data(Qt::DisplayRole).toString(), metrics,
                    labelArea.width() - 2 * kLabelPadding, kThumbCaptionLines);
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const int labelWidth = std::min(labelArea.width(), widest + 2 * kLabelPadding);
    const QRect label(labelArea.left() + (labelArea.width() - labelWidth) / 2, labelArea.top(),
                      labelWidth, std::max<int>(1, lines.size()) * metrics.height());

    painter->save();
    const QRect box = label.adjusted(0, -2, 0, 0); // one pixel taller each way, one pixel up
    painter->fillRect(box, back);
    if (option.state & QStyle::State_HasFocus) {
        painter->setPen(
            QPen(QColor(255 - back.red(), 255 - back.green(), 255 - back.blue()), 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(box.adjusted(0, 0, -1, -1));
    }
    painter->setFont(font);
    painter->setPen(text);
    for (int i = 0; i < lines.size(); ++i)
        painter->drawText(QRect(label.left(), label.top() + i * metrics.height(), label.width(),
                                metrics.height()),
                          Qt::AlignHCenter | Qt::AlignTop, lines[i]);
    painter->restore();
}

} // namespace gonilux::browser
