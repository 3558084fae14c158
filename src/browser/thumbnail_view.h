// The thumbnail view of the file list: the cells of the folder icons (ThumbImages), the layout
// of a thumbnail and its caption, and the item delegates that paint the list.
#pragma once

#include <QFontMetrics>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QStyledItemDelegate>
#include <functional>
#include <optional>
#include <vector>

namespace gonilux::browser {

class FolderListView;

// Width and height of a thumbnail and of the ThumbImages cells.
inline constexpr int kThumbSize = 100;
// Size of the shell's large icons drawn into the cells.
inline constexpr int kLargeIconSize = 32;
// Caption lines below a thumbnail.
inline constexpr int kThumbCaptionLines = 2;

// A cell picture: the button-face field with the icon's large image centred in it.
QImage MakeIconCell(const QIcon& icon);

// ThumbImages after a rebuild, in this order: the current folder's icon (when the folder has a
// parent in the tree), one cell per further distinct icon of the folder entries in order of
// first use, then the first file entry's icon when there is a file entry, then a spare cell (a
// copy of the one before, or an empty cell without file entries). Equal pictures share a cell.
struct ThumbnailCells {
    std::vector<QImage> Images;
    std::vector<int> FolderCell; // the cell of each folder entry, by row
};

ThumbnailCells BuildThumbnailCells(const std::optional<QIcon>& folderIcon,
                                   const QList<QIcon>& folderEntryIcons,
                                   const std::optional<QIcon>& firstFileIcon,
                                   const std::function<void(int)>& progress = {});

// Where a thumbnail item's parts go inside its item rectangle: the 100 x 100 picture centred at
// the top and the caption area below it (two lines of the list's font).
struct ThumbnailLayout {
    QRect Icon;
    QRect Label;
};
ThumbnailLayout LayoutThumbnailItem(const QRect& itemRect, const QFontMetrics& metrics);
// The grid cell of the thumbnail view.
QSize ThumbnailGridSize(const QFontMetrics& metrics);

// The caption broken into lines of at most `width` pixels at blanks. When more than `maxLines`
// lines would be needed, the last one shown ends at a whole word followed by "..."; a single
// word wider than a line is cut and ends in "...".
QStringList WrapCaption(const QString& text, const QFontMetrics& metrics, int width, int maxLines);

// Paints the items of the list and icon views with the list's hot-track options: underlined
// captions, the hot caption colour with the hand pointer, the hot-tracking highlight; a read
// file with a damaged header gets the warning badge on its icon. The hover text of a file entry
// is its file name, header error and photometric figures (files are not read for it).
class ListItemDelegate : public QStyledItemDelegate {
  public:
    explicit ListItemDelegate(FolderListView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

    FolderListView* view_;
};

// The thumbnail view's painting: every file entry is drawn afresh from its record on every
// paint (the file is read on its first paint); folder entries are drawn from their icon cells.
class ThumbnailDelegate : public ListItemDelegate {
  public:
    explicit ThumbnailDelegate(FolderListView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // One file entry: its diagram at the top of the item, tinted with the selection colour when
    // it is the focused item, the warning badge of a damaged file, and its caption below.
    void DrawThumbnailItem(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const;

  private:
    void drawPicture(QPainter* painter, const QPoint& origin, int row) const;
    void drawCaption(QPainter* painter, const QStyleOptionViewItem& option,
                     const QModelIndex& index, const QRect& labelArea) const;
};

} // namespace gonilux::browser
