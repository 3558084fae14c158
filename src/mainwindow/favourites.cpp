#include "favourites.h"

#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "browser/folder_tree.h"
#include "browser/popup_menu.h"
#include "options_panel.h"
#include "photometry/ini_document.h"
#include "platform/native_names.h"
#include "viewer_services.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace gonilux::mainwindow {

int EncodeViewCode(int viewIndex, int captionIndex) {
    if (viewIndex < 0) viewIndex = 2;
    if (captionIndex < 0) captionIndex = 0;
    return ((viewIndex & 0xF) << 4) | (captionIndex & 0xF);
}

int ViewIndexOf(int viewCode) {
    return (viewCode >> 4) & 0xF;
}
int CaptionIndexOf(int viewCode) {
    return viewCode & 0xF;
}

namespace {

// The view code's view index counts the first three views the other way round (0 thumbnails,
// 1 icons, 2 list); 3 is the details view in both. The same turn takes an index back to a view.
int TurnedViewOrder(int view) {
    return view == kDetailsView ? kDetailsView : 2 - view;
}

} // namespace

QString FavouriteHintPath(const QString& path) {
    QString shown = QDir::toNativeSeparators(platform::DisplayPath(path));
    const QChar separator = QDir::separator();
    while (shown.size() > 1 && shown.endsWith(separator))
        shown.chop(1);
    if (shown.size() == 2 && shown.endsWith(QLatin1Char(':'))) shown += separator; // a bare drive
    return shown;
}

Favourites::Favourites(BrowsingServices* viewer, QObject* parent)
    : QObject(parent), viewer_(viewer), options_(viewer->options()) {
    QListWidget* box = options_->favouritesBox();
    connect(options_->addFavouriteButton(), &QPushButton::clicked, this,
            &Favourites::AddToFavorites1Click);
    connect(options_->removeFavouriteButton(), &QPushButton::clicked, this,
            &Favourites::ButtonRemoveClick);
    connect(box, &QListWidget::itemSelectionChanged, this, [this, box] {
        options_->removeFavouriteButton()->setEnabled(!box->selectedItems().isEmpty());
    });
    connect(box, &QListWidget::itemDoubleClicked, this, [this, box](QListWidgetItem* item) {
        box->clearSelection();
        item->setSelected(true);
        GoToFavourite(box->row(item));
    });
    box->installEventFilter(this);
    box_ = box;
    boxViewport_ = box->viewport();
    boxViewport_->installEventFilter(this);
    browser::FolderTreeView* tree = viewer->folderTree();
    connect(tree, &browser::FolderTreeView::leavingFolder, this,
            [this](const QString& path) { StoreViewSettings(FindFavourite(path)); });
    connect(tree, &browser::FolderTreeView::folderChanged, this,
            [this, tree](QTreeWidgetItem* node) {
                ApplyViewSettings(FindFavourite(tree->ParsingName(node)));
                updateButtonAdd();
            });
    connect(viewer->fileList(), &browser::FolderListView::currentRowChanged, this,
            &Favourites::updateButtonAdd);
    connect(viewer->fileList(), &browser::FolderListView::itemSelectionChanged, this,
            &Favourites::updateButtonAdd);
}

int Favourites::count() const {
    return box_->count();
}

namespace {

// Favourites sort as the file list does: the ASCII letters without regard to case.
class FavouriteItem : public QListWidgetItem {
  public:
    using QListWidgetItem::QListWidgetItem;
    bool operator<(const QListWidgetItem& other) const override {
        return browser::CompareText(text(), other.text()) < 0;
    }
};

} // namespace

int Favourites::AddFavourite(const QString& caption, const QString& path) {
    auto* item = new FavouriteItem(caption);
    item->setData(ViewCodeRole, EncodeViewCode(currentViewIndex(), options_->options().Caption));
    item->setData(PathRole, path);
    item->setData(Qt::StatusTipRole, QStringLiteral("?") + FavouriteHintPath(path));
    item->setIcon(viewer_->folderTree()->folderNamespace().icon(path));
    box_->addItem(item);
    return box_->row(item);
}

void Favourites::RemoveFavourite(int index) {
    if (index < 0 || index >= count()) return;
    QListWidgetItem* item = box_->takeItem(index);
    if (item == lastHinted_) lastHinted_ = nullptr;
    delete item;
}

int Favourites::FindFavourite(const QString& path) const {
    if (path.isEmpty()) return -1;
    for (int i = 0; i < count(); ++i)
        if (FavouritePath(i) == path) return i;
    return -1;
}

QString Favourites::FavouritePath(int index) const {
    if (index < 0 || index >= count()) return {};
    return box_->item(index)->data(PathRole).toString();
}

int Favourites::ViewCode(int index) const {
    if (index < 0 || index >= count()) return 0;
    return box_->item(index)->data(ViewCodeRole).toInt();
}

void Favourites::setViewCode(int index, int code) {
    if (index >= 0 && index < count()) box_->item(index)->setData(ViewCodeRole, code & 0xFF);
}

int Favourites::currentViewIndex() const {
    const int view = options_->options().View;
    return view >= 0 ? TurnedViewOrder(view) : 0;
}

void Favourites::StoreViewSettings(int index) {
    const ViewerOptions options = options_->options();
    if (index < 0 || index >= count() || !options.FavouriteSettings) return;
    const int code = ViewCode(index);
    int view = ViewIndexOf(code);
    int caption = CaptionIndexOf(code);
    if (options.FavouriteViews) view = currentViewIndex();
    if (options.FavouriteCaptions) caption = options.Caption;
    setViewCode(index, EncodeViewCode(view, caption));
}

// The view first, then the caption, each as the user would choose it.
void Favourites::ApplyViewSettings(int index) {
    ViewerOptions options = options_->options();
    if (index < 0 || index >= count() || !options.FavouriteSettings) return;
    const int code = ViewCode(index);
    if (options.FavouriteViews && ViewIndexOf(code) <= kDetailsView) {
        options.View = TurnedViewOrder(ViewIndexOf(code));
        options_->changeOptions(options);
    }
    if (options.FavouriteCaptions && CaptionIndexOf(code) < browser::kCaptionChoiceCount) {
        options.Caption = CaptionIndexOf(code);
        options_->changeOptions(options);
    }
}

void Favourites::GoToFavourite(int index) {
    const QString path = FavouritePath(index);
    if (!path.isEmpty()) viewer_->folderTree()->openPath(path);
}

QString Favourites::FocusedFolder() const {
    browser::FolderListView* list = viewer_->fileList();
    browser::FolderTreeView* tree = viewer_->folderTree();
    const int row = list->currentRow();
    // The focus the listing puts on the first entry is no choice of the user's: an entry
    // stands for its folder only once it is selected.
    if (row < 0 || list->isUpEntry(row) || !list->isRowSelected(row))
        return tree->ParsingName(tree->currentItem());
    if (list->isFileEntry(row)) return {};
    return list->folderEntryPath(row);
}

bool Favourites::CanAddFavourite() const {
    browser::FolderListView* list = viewer_->fileList();
    if (list->isFileEntry(list->currentRow())) return false;
    if (list->selectedRows().size() != 1) return false;
    const QString folder = FocusedFolder();
    return !folder.isEmpty() && FindFavourite(folder) < 0 && platform::IsDirectory(folder);
}

void Favourites::AddToFavorites1Click() {
    const QString folder = FocusedFolder();
    if (folder.isEmpty() || FindFavourite(folder) >= 0 || !platform::IsDirectory(folder)) return;
    AddFavourite(viewer_->folderTree()->folderNamespace().displayName(folder), folder);
    updateButtonAdd();
}

void Favourites::ButtonRemoveClick() {
    for (int i = box_->count() - 1; i >= 0; --i)
        if (box_->item(i)->isSelected()) RemoveFavourite(i);
    updateButtonAdd();
    options_->removeFavouriteButton()->setEnabled(false);
}

void Favourites::updateButtonAdd() {
    const QString folder = FocusedFolder();
    options_->addFavouriteButton()->setEnabled(!folder.isEmpty() && FindFavourite(folder) < 0 &&
                                               platform::IsDirectory(folder));
}

void Favourites::FillMenu(QMenu* menu) {
    menu->clear();
    if (count() == 0) {
        QAction* none = menu->addAction(tr("无"));
        none->setObjectName(QStringLiteral("None1"));
        none->setEnabled(false);
        return;
    }
    for (int i = 0; i < count(); ++i) {
        QListWidgetItem* item = box_->item(i);
        QAction* action = menu->addAction(item->icon(), item->text());
        action->setStatusTip(item->data(Qt::StatusTipRole).toString());
        connect(action, &QAction::triggered, this, [this, i] { GoToFavourite(i); }); // None1Click
    }
}

// Hints of the list box: "?" + path goes to the title bar; leaving the items clears it.
void Favourites::onListBoxMouseMove(QListWidgetItem* item) {
    if (item == lastHinted_) return;
    lastHinted_ = item;
    const QString hint = item ? item->data(Qt::StatusTipRole).toString() : QString();
    if (hint == lastHint_) return;
    lastHint_ = hint;
    viewer_->DisplayHint(hint);
}

bool Favourites::eventFilter(QObject* watched, QEvent* event) {
    // Only addresses are compared before an event of interest is known: the watched widgets
    // also send events while they are being destroyed.
    if (watched != boxViewport_ && watched != box_) return QObject::eventFilter(watched, event);
    QListWidget* box = box_;
    if (watched == boxViewport_ && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        onListBoxMouseMove(box->itemAt(move->position().toPoint()));
    } else if (watched == boxViewport_ && event->type() == QEvent::Leave) {
        onListBoxMouseMove(nullptr);
    } else if (watched == box && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && box->currentItem()) {
            GoToFavourite(box->currentRow());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool Favourites::LoadFavorites(const IniDocument& ini) {
    for (int n = 0;; ++n) {
        const std::string value = ini.ValueOr("Favorites", "folder" + std::to_string(n), "***");
        if (value == "***") return true;
        bool ok = value.size() >= 2;
        const int code = ok ? QString::fromStdString(value.substr(0, 2)).toInt(&ok, 16) : 0;
        if (!ok) return false; // a malformed code ends the reading
        // Stored as the folder's bytes, so that a name that is not UTF-8 comes back.
        const QString path = platform::PathFromNative(
            QByteArray::fromStdString(value.size() > 2 ? value.substr(2) : std::string()));
        if (path.isEmpty() || !platform::IsDirectory(path)) continue; // gone: dropped silently
        const QString folder = platform::FolderNamespace::normalizedPath(path);
        if (FindFavourite(folder) >= 0) continue;
        const int index =
            AddFavourite(viewer_->folderTree()->folderNamespace().displayName(folder), folder);
        setViewCode(index, code);
    }
}

QString Favourites::BuildFavoritesText() {
    browser::FolderTreeView* tree = viewer_->folderTree();
    StoreViewSettings(FindFavourite(tree->ParsingName(tree->lastTreeNode())));
    QString text;
    while (count() > 0) {
        QString path = FavouritePath(0);
        if (path.size() == 2 && path.endsWith(QLatin1Char(':'))) path += QLatin1Char('\\');
        text += QStringLiteral("%1").arg(ViewCode(0), 2, 16, QLatin1Char('0')).toUpper() + path +
                QLatin1Char('\r');
        RemoveFavourite(0);
    }
    return text;
}

} // namespace gonilux::mainwindow
