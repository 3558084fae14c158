#include "file_actions.h"

#include "browser/drag_out.h"
#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "browser/folder_tree.h"
#include "browser/popup_menu.h"
#include "diagram/diagram_file.h"
#include "favourites.h"
#include "options_panel.h"
#include "photometry/header_encoding.h"
#include "photometry/ldt_reader.h"
#include "picture_export.h"
#include "picture_export_dialog.h"
#include "platform/message_service.h"
#include "platform/shell_actions.h"
#include "preview_pane.h"
#include "viewer_services.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTreeView>

namespace gonilux::mainwindow {

using browser::FolderListView;
using platform::MessageService;
using platform::ShellActions;

FileActions::FileActions(FileActionServices* viewer, Favourites* favourites, QObject* parent)
    : QObject(parent), viewer_(viewer), favourites_(favourites), list_(viewer->fileList()),
      popup_(new browser::PopupMenu(viewer->fileList())) {
    list_->installEventFilter(this);
    listViewport_ = list_->viewport();
    listViewport_->installEventFilter(this);
    // The details view covers the list in its view style and is worked with the same way.
    QTreeView* details = list_->detailsView();
    details_ = details;
    details_->installEventFilter(this);
    detailsViewport_ = details->viewport();
    detailsViewport_->installEventFilter(this);
    popup_->installEventFilter(this); // the menus' hints go to the title bar
    wireMenu();
    connect(viewer->options(), &OptionsPanel::optionsChanged, this,
            [this](const ViewerOptions& now, const ViewerOptions& before) {
                if (now.DoubleClick != before.DoubleClick ||
                    now.DoubleClickAction != before.DoubleClickAction)
                    CheckBoxDblClickClick();
            });
    CheckBoxDblClickClick();
}

// Changes one option as the user would.
void FileActions::changeOption(const std::function<void(ViewerOptions&)>& change) {
    ViewerOptions options = viewer_->options()->options();
    change(options);
    viewer_->options()->changeOptions(options);
}

void FileActions::wireMenu() {
    browser::PopupMenu* p = popup_;
    connect(p->Open1, &QAction::triggered, this, &FileActions::Open1Click);
    connect(p->OpenNotepad1, &QAction::triggered, this, &FileActions::OpenNotepad1Click);
    connect(p->Openfolder1, &QAction::triggered, this, &FileActions::Openfolder1Click);
    connect(p->Explore1, &QAction::triggered, this, &FileActions::Explore1Click);
    connect(p->AddToFavorites1, &QAction::triggered, favourites_,
            &Favourites::AddToFavorites1Click);
    const std::pair<QAction*, FolderListView::ViewStyle> views[] = {
        {p->Thumbnails1, FolderListView::ViewStyle::Thumbnails},
        {p->Icons1, FolderListView::ViewStyle::Icons},
        {p->List1, FolderListView::ViewStyle::List},
        {p->Details1, FolderListView::ViewStyle::Details}};
    for (const auto& [action, view] : views)
        connect(action, &QAction::triggered, this, [this, view] {
            changeOption([view](ViewerOptions& o) { o.View = static_cast<int>(view); });
        });
    for (int i = 0; i < browser::PopupMenu::kCaptionCount; ++i)
        connect(p->Captions[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, i] { changeOption([i](ViewerOptions& o) { o.Caption = i; }); });
    connect(p->Sort1, &QAction::triggered, this,
            [this](bool on) { changeOption([on](ViewerOptions& o) { o.Sort = on; }); });
    connect(p->Refresh, &QAction::triggered, viewer_->folderTree(),
            &browser::FolderTreeView::ButtonRefreshClick);
    connect(p->SaveAsTypeC, &QAction::triggered, this, &FileActions::SaveAsTypeCClick);
    connect(p->SaveAsTypeCResampled, &QAction::triggered, this,
            &FileActions::SaveAsTypeCResampledClick);
    connect(p->SaveAsLdt, &QAction::triggered, this, &FileActions::SaveAsLdtClick);
    connect(p->SaveAsIes, &QAction::triggered, this, &FileActions::SaveAsIesClick);
    connect(p->CopytoClipboard, &QAction::triggered, this, &FileActions::CopytoClipboardClick);
    connect(p->ExportPicture1, &QAction::triggered, this, &FileActions::ExportPictureClick);
    connect(p->CopyPicture1, &QAction::triggered, this, &FileActions::CopyPictureClick);
    connect(p->ShowOptionsPanel, &QAction::triggered, this, &FileActions::ShowOptionsPanelClick);
}

void FileActions::PopupMenuPopup() {
    browser::PopupMenu* p = popup_;
    const int row = list_->currentRow();
    const bool multi = list_->selectedRows().size() > 1;
    const bool fileFocused = list_->isFileEntry(row);
    const bool single = fileFocused && !multi;
    p->AddToFavorites1->setVisible(favourites_->CanAddFavourite());
    for (QAction* action : {p->Open1, p->OpenNotepad1})
        action->setVisible(single);
    p->CopytoClipboard->setVisible(!SelectedFilePaths().isEmpty()); // as Ctrl+C copies
    p->Openfolder1->setVisible(!fileFocused);
    p->Explore1->setVisible(!fileFocused);
    // The conversions write the shown record under the focused entry's name: only when the
    // two are the same file.
    const bool picture = fileFocused && focusedPictureShown(row);
    const bool shown = single && picture;
    const tIES& ies = viewer_->preview()->PreviewIes();
    const bool typeB = ies.PhotometricType == 2;
    const bool at90 = !ies.HorzAngles.empty() && ies.HorzAngles.front() == 90.0;
    p->SaveAsTypeC->setVisible(shown && (typeB || at90));
    p->SaveAsTypeC->setText(typeB ? tr("另存为C型") : tr("旋转到零度"));
    const bool ldt =
        shown && IsLdtFileName(browser::EntryFileName(*list_->entryAt(row)).toStdString());
    p->SaveAsTypeCResampled->setVisible(shown && (typeB || ies.PhotometricType == 3));
    p->SaveAsLdt->setVisible(shown && !ldt);
    p->SaveAsIes->setVisible(shown && ldt);
    p->ExportPicture1->setVisible(picture);
    p->CopyPicture1->setVisible(picture);
    p->ShowReport1->setVisible(picture);
    prepareCaptions(fileFocused, multi);
    p->ShowOptionsPanel->setText(viewer_->options()->isShown() ? tr("隐藏选项面板")
                                                               : tr("显示选项面板"));
    favourites_->FillMenu(p->Favorites1);
    const QList<QAction*> favourites = p->Favorites1->actions();
    p->None1 =
        favourites.size() == 1 && !favourites.front()->isEnabled() ? favourites.front() : nullptr;
    prepareIcons(fileFocused);
}

void FileActions::prepareCaptions(bool fileFocused, bool multi) {
    browser::PopupMenu* p = popup_;
    const ViewerOptions o = viewer_->options()->options();
    const TiesData* entry = fileFocused && !multi ? list_->entryAt(list_->currentRow()) : nullptr;
    for (int i = 0; i < browser::PopupMenu::kCaptionCount; ++i) {
        QString caption = browser::PopupMenu::FixedCaptions()[static_cast<std::size_t>(i)];
        if (entry) {
            caption = browser::TitleText(*entry, i + 1);
            if (caption.isEmpty()) caption = browser::EntryFileName(*entry);
        }
        p->Captions[static_cast<std::size_t>(i)]->setText(caption);
        p->Captions[static_cast<std::size_t>(i)]->setChecked(i == o.Caption);
    }
    p->Sort1->setChecked(o.Sort);
    p->Thumbnails1->setChecked(o.View == int(FolderListView::ViewStyle::Thumbnails));
    p->Icons1->setChecked(o.View == int(FolderListView::ViewStyle::Icons));
    p->List1->setChecked(o.View == int(FolderListView::ViewStyle::List));
    p->Details1->setChecked(o.View == int(FolderListView::ViewStyle::Details));
}

void FileActions::prepareIcons(bool fileFocused) {
    browser::PopupMenu* p = popup_;
    QStyle* style = QApplication::style();
    const QString file = viewer_->preview()->CurrentFile();
    QIcon fileIcon = file.isEmpty() ? QIcon() : QFileIconProvider().icon(QFileInfo(file));
    if (fileIcon.isNull()) fileIcon = style->standardIcon(QStyle::SP_FileIcon);
    p->Open1->setIcon(fileIcon);
    p->OpenNotepad1->setIcon(
        QIcon::fromTheme(QStringLiteral("accessories-text-editor"),
                         style->standardIcon(QStyle::SP_FileDialogDetailedView)));
    p->Favorites1->menuAction()->setIcon(QIcon::fromTheme(
        QStringLiteral("user-bookmarks"), style->standardIcon(QStyle::SP_DirLinkIcon)));
    p->AddToFavorites1->setIcon(QIcon::fromTheme(QStringLiteral("bookmark-new"),
                                                 style->standardIcon(QStyle::SP_DirOpenIcon)));
    p->Explore1->setIcon(QIcon::fromTheme(QStringLiteral("system-file-manager"),
                                          style->standardIcon(QStyle::SP_DirIcon)));
    if (!fileFocused) {
        const QString folder = favourites_->FocusedFolder();
        p->Openfolder1->setIcon(folder.isEmpty()
                                    ? style->standardIcon(QStyle::SP_DirOpenIcon)
                                    : viewer_->folderTree()->folderNamespace().icon(folder));
    }
}

void FileActions::popupAt(QPoint globalPosition) {
    PopupMenuPopup();
    popup_->popup(globalPosition);
}

void FileActions::FolderListViewMouseDown(Qt::MouseButton button, QPoint position) {
    dragArmed_ = false;
    if (button != Qt::LeftButton) return;
    const QModelIndex pressed = list_->shownView()->indexAt(position);
    dragArmed_ = pressed.isValid() && list_->isFileEntry(pressed.row());
    pressPosition_ = position;
}

void FileActions::FolderListViewMouseUp(Qt::MouseButton button) {
    dragArmed_ = false;
    if (button == Qt::RightButton) popupAt(QCursor::pos());
}

bool FileActions::FolderListViewKeyUp(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Menu || (key == Qt::Key_F10 && (modifiers & Qt::ShiftModifier))) {
        QAbstractItemView* view = list_->shownView();
        const QModelIndex focused = view->currentIndex();
        const QPoint local = focused.isValid() ? view->visualRect(focused).center() : QPoint(0, 0);
        popupAt(view->viewport()->mapToGlobal(local));
        return true;
    }
    return false;
}

// The keys the popup shows beside its items act when pressed (a release may never come, or come
// without its modifiers, through an input method): Ctrl+C copies as "复制文件名称" does, in place
// of the view's own copy of the item's text; F5 lists the folder again.
bool FileActions::FolderListViewKeyDown(int key, Qt::KeyboardModifiers modifiers, bool repeated) {
    if (key == Qt::Key_C && (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        if (!repeated) CopytoClipboardClick();
        return true;
    }
    if (key == Qt::Key_F5) {
        if (!repeated) viewer_->folderTree()->ButtonRefreshClick();
        return true;
    }
    if (key == Qt::Key_Backspace) {
        browser::FolderTreeView* tree = viewer_->folderTree();
        QTreeWidgetItem* node = tree->currentItem();
        if (node && node->parent()) tree->setCurrentItem(node->parent());
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        FolderListViewDblClick();
        return true;
    }
    return false;
}

void FileActions::FolderListViewDblClick() {
    const int row = list_->currentRow();
    if (row < 0) {
        viewer_->preview()->ShowPreviewItem(nullptr, QString());
        return;
    }
    const ViewerOptions options = viewer_->options()->options();
    if (list_->showsFoundFiles() && list_->isFileEntry(row)) {
        list_->activateFoundFile(row); // a found file opens in its own folder
        return;
    }
    if (list_->isFileEntry(row)) {
        if (!options.DoubleClick) return;
        if (options.DoubleClickAction == 1)
            OpenNotepad1Click();
        else
            Open1Click();
        return;
    }
    viewer_->preview()->ShowPreviewItem(nullptr, QString());
    const QString path = list_->folderEntryPath(row);
    if (!path.isEmpty()) viewer_->folderTree()->openPath(path);
}

void FileActions::Open1Click() {
    const QString file = viewer_->preview()->CurrentFile();
    if (!file.isEmpty()) ShellActions::instance()->openFile(file);
}

void FileActions::OpenNotepad1Click() {
    const QString file = viewer_->preview()->CurrentFile();
    if (!file.isEmpty()) ShellActions::instance()->openInTextEditor(file);
}

// The folder the focused entry stands for, else the folder of the current file.
QString FileActions::targetFolder() const {
    const QString folder = favourites_->FocusedFolder();
    if (!folder.isEmpty()) return folder;
    const QString file = viewer_->preview()->CurrentFile();
    return file.isEmpty() ? list_->folderPath() : QFileInfo(file).absolutePath();
}

void FileActions::Openfolder1Click() {
    const QString folder = targetFolder();
    if (!folder.isEmpty()) ShellActions::instance()->openFolder(folder);
}

void FileActions::Explore1Click() {
    const QString folder = targetFolder();
    if (!folder.isEmpty()) ShellActions::instance()->showInFolder(folder);
}

// The selected files' paths, one a line in list order; nothing when no file is selected.
void FileActions::CopytoClipboardClick() {
    const QStringList paths = SelectedFilePaths();
    if (!paths.isEmpty()) ShellActions::instance()->copyText(paths.join(QLatin1Char('\n')));
}

// The picture items need the focused entry read and shown in the preview.
bool FileActions::focusedPictureShown(int row) {
    const TiesData* entry = list_->entryAt(row);
    if (entry && !entry->Loaded) list_->LoadIesEntry(row);
    entry = list_->entryAt(row);
    const QString file = viewer_->preview()->CurrentFile();
    return entry && entry->Loaded && !file.isEmpty() && file == list_->entryFilePath(row);
}

// The luminaire's name of the shown file, from its header (the file name when it has none).
QString FileActions::shownPictureName() const {
    const QString file = viewer_->preview()->CurrentFile();
    const TiesData* entry = list_->entryAt(list_->currentRow());
    const bool shown = entry && list_->entryFilePath(list_->currentRow()) == file;
    return PictureName(shown ? DecodeTitles(entry->Lines, browser::ShownEncoding(*entry))
                             : std::vector<std::string>{},
                       file);
}

void FileActions::ExportPictureClick() {
    const PreviewPane* preview = viewer_->preview();
    if (preview->CurrentFile().isEmpty()) return;
    const QFileInfo file(preview->CurrentFile());
    const QString name = shownPictureName();
    const PreviewPicture picture = PictureOfPreview(*preview, name);
    const std::optional<PictureExportChoice> choice = AskPictureExport(
        list_->window(),
        file.absoluteDir().filePath(PictureFileName(name) + QStringLiteral(".png")),
        DefaultPictureSize(picture));
    // The dialogs ran an event loop: the picture is taken again from the preview as it is now.
    if (choice && !preview->CurrentFile().isEmpty())
        ExportPicture(PictureOfPreview(*preview, shownPictureName()), choice->Path, choice->Size);
}

void FileActions::CopyPictureClick() {
    if (!viewer_->preview()->CurrentFile().isEmpty())
        CopyPictureToClipboard(PictureOfPreview(*viewer_->preview()));
}

// The popup's default item is what a double click does.
void FileActions::CheckBoxDblClickClick() {
    const ViewerOptions options = viewer_->options()->options();
    if (!options.DoubleClick)
        popup_->setDefaultAction(nullptr);
    else
        popup_->setDefaultAction(options.DoubleClickAction == 1 ? popup_->OpenNotepad1
                                                                : popup_->Open1);
}

void FileActions::ShowOptionsPanelClick() {
    OptionsPanel* o = viewer_->options();
    if (o->isShown()) {
        o->ButtonHideClick();
        return;
    }
    const QRect frame = viewer_->windowFrame();
    QCursor::setPos(frame.left() + frame.width() - OptionsPanel::kShownWidth / 2,
                    QCursor::pos().y());
    o->ButtonShowClick();
}

QStringList FileActions::SelectedFilePaths() const {
    QStringList paths;
    for (int row = list_->Tag(); row < list_->count(); ++row)
        if (list_->isRowSelected(row)) paths.append(list_->entryFilePath(row));
    return paths;
}

void FileActions::StartDragOut() {
    const QStringList paths = SelectedFilePaths();
    if (paths.isEmpty()) return;
    const char* failure = browser::DragFailureText(browser::RunDragOut(list_, paths));
    if (*failure)
        MessageService::instance()->show(QStringLiteral("Gonilux"),
                                         QCoreApplication::translate("DragOut", failure),
                                         MessageService::Icon::Error);
}

bool FileActions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == popup_ && event->type() == QEvent::StatusTip) {
        viewer_->DisplayHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    const bool isMouse =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove ||
        event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick;
    if ((watched == listViewport_ || watched == detailsViewport_) && isMouse) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            FolderListViewMouseDown(mouse->button(), mouse->position().toPoint());
            break;
        case QEvent::MouseMove:
            if (dragArmed_ && (mouse->buttons() & Qt::LeftButton) &&
                (mouse->position().toPoint() - pressPosition_).manhattanLength() >=
                    QApplication::startDragDistance()) {
                dragArmed_ = false;
                StartDragOut();
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            FolderListViewMouseUp(mouse->button());
            break;
        case QEvent::MouseButtonDblClick:
            if (mouse->button() != Qt::LeftButton) break;
            FolderListViewDblClick();
            return true;
        default:
            break;
        }
    } else if (watched == list_ || watched == details_) {
        if (event->type() == QEvent::ContextMenu) return true; // the popup opens on its own events
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (FolderListViewKeyDown(key->key(), key->modifiers(), key->isAutoRepeat()))
                return true;
        } else if (event->type() == QEvent::KeyRelease) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat() && FolderListViewKeyUp(key->key(), key->modifiers()))
                return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace gonilux::mainwindow
