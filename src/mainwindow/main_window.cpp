#include "main_window.h"

#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "browser/folder_tree.h"
#include "browser/list_appearance.h"
#include "browser/metrics_text.h"
#include "browser/popup_menu.h"
#include "diagram/render_diagram.h"
#include "favourites.h"
#include "file_actions.h"
#include "group_box_ex.h"
#include "hover_readout.h"
#include "language.h"
#include "layout_rules.h"
#include "options_panel.h"
#include "photometry/header_encoding.h"
#include "photometry/header_titles.h"
#include "photometry/text_encoding.h"
#include "platform/message_service.h"
#include "platform/native_names.h"
#include "preview_pane.h"
#include "settings_path.h"
#include "viewer_options.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QStyleFactory>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace gonilux::mainwindow {

using browser::FolderListView;
using browser::FolderTreeView;
using platform::MessageService;

namespace {

// Hints show as soon as the pointer rests on a control, in every window of the application.
class InstantHintStyle final : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_ToolTip_WakeUpDelay) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

void UseInstantHints() {
    if (dynamic_cast<InstantHintStyle*>(QApplication::style())) return;
    QApplication::setStyle(
        new InstantHintStyle(QStyleFactory::create(QApplication::style()->name())));
}

} // namespace

TMainWindow::TMainWindow(const StartOptions& start, QWidget* parent)
    : QMainWindow(parent), start_(start) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(kAppCaption);
    setMinimumHeight(300);
    MessageService::instance()->setOwner(this);
    UseInstantHints();
    buildLayout();
    wireOptions();
    favourites_ = new Favourites(this, this);
    fileActions_ = new FileActions(this, favourites_, this);
    FormCreate();
    wireTools();
    wireCommandKeys();
    wireFilter();
    ConnectLanguageChoice(this);
    setTabChain();
    connect(fileActions_->PopupMenu(), &browser::PopupMenu::compareRequested, this,
            &TMainWindow::showCompareWindow);
    connect(fileActions_->PopupMenu(), &browser::PopupMenu::mapRequested, this,
            &TMainWindow::showMapWindow);
    connect(fileActions_->PopupMenu(), &browser::PopupMenu::reportRequested, this,
            &TMainWindow::showReportWindow);
}

TMainWindow::~TMainWindow() {
    if (!closed_) FormClose();
    qApp->removeEventFilter(this);
    // The children send events while they are destroyed; the helpers that watch them stop
    // first.
    for (QObject* watcher :
         {static_cast<QObject*>(fileActions_), static_cast<QObject*>(favourites_)}) {
        if (!watcher) continue;
        for (QWidget* watched : {static_cast<QWidget*>(list_), list_->viewport(),
                                 static_cast<QWidget*>(options_->favouritesBox()),
                                 options_->favouritesBox()->viewport()})
            watched->removeEventFilter(watcher);
    }
    destroyTools();
    reportSettingsWriteFailure(); // FormDestroy
}

void TMainWindow::buildLayout() {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("Splitter"));
    splitter_->setChildrenCollapsible(false);
    splitter1_ = new QSplitter(Qt::Vertical, splitter_);
    splitter1_->setObjectName(QStringLiteral("Splitter1"));
    splitter1_->setChildrenCollapsible(false);
    panelLeftAll_ = splitter1_;
    panelLeftAll_->setMinimumWidth(180);
    tree_ = new FolderTreeView(splitter1_);
    preview_ = new PreviewPane(splitter1_);
    preview_->setMinimumHeight(150);

    splitter2_ = new QSplitter(Qt::Vertical, splitter_);
    splitter2_->setObjectName(QStringLiteral("Splitter2"));
    splitter2_->setChildrenCollapsible(false);
    panelRightAll_ = splitter2_;
    panelRightAll_->setMinimumWidth(200);
    auto* listArea = new QWidget(splitter2_);
    listArea->setObjectName(QStringLiteral("PanelRightAll"));
    auto* listLayout = new QHBoxLayout(listArea);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(0);
    filterEdit_ = new QLineEdit(listArea);
    list_ = new FolderListView(listArea);
    options_ = new OptionsPanel(listArea);
    auto* listColumn = new QVBoxLayout;
    listColumn->setSpacing(0);
    listColumn->addWidget(filterEdit_);
    listColumn->addWidget(list_, 1);
    listLayout->addLayout(listColumn, 1);
    listLayout->addWidget(options_);
    panelInfo_ = new QWidget(splitter2_);
    panelInfo_->setObjectName(QStringLiteral("PanelInfo"));
    panelInfo_->setMinimumHeight(17);
    auto* infoLayout = new QHBoxLayout(panelInfo_);
    infoLayout->setContentsMargins(4, 2, 4, 2);
    // The header text and the figures below it may be taller than the panel: it scrolls.
    auto* infoScroll = new QScrollArea(panelInfo_);
    infoScroll->setFrameShape(QFrame::NoFrame);
    infoScroll->setWidgetResizable(true);
    labelInfo_ = new QLabel(infoScroll);
    labelInfo_->setObjectName(QStringLiteral("LabelInfo"));
    labelInfo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    labelInfo_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    infoScroll->setWidget(labelInfo_);
    infoLayout->addWidget(infoScroll, 1);

    setCentralWidget(splitter_);
    const ViewerOptions start = DefaultViewerOptions({}, {});
    resize(start.Width, start.Height);
    splitter_->setSizes({start.Right, start.Width - start.Right});
    splitter1_->setSizes({start.Height - start.Tree, start.Tree});
    splitter2_->setSizes({start.Height - start.Info, start.Info});
    // A change of the window's size goes to the file list and the tree; the left column, the
    // preview and the info panel keep their sizes.
    for (QSplitter* split : {splitter_, splitter1_, splitter2_}) {
        split->setStretchFactor(0, split == splitter_ ? 0 : 1);
        split->setStretchFactor(1, split == splitter_ ? 1 : 0);
    }
    connect(splitter_, &QSplitter::splitterMoved, this, &TMainWindow::onSplitterMoved);
    connect(splitter2_, &QSplitter::splitterMoved, this, &TMainWindow::onSplitter2Moved);
}

// Tab goes tree, filter field (while it shows), list, preview, then the options panel's controls.
void TMainWindow::setTabChain() {
    preview_->setFocusPolicy(Qt::StrongFocus);
    QList<QWidget*> chain = {tree_, filterEdit_, list_, preview_};
    for (QWidget* pane : {static_cast<QWidget*>(preview_), static_cast<QWidget*>(options_)})
        for (QWidget* child : pane->findChildren<QWidget*>())
            if ((child->focusPolicy() & Qt::TabFocus) && child->window() == this) chain << child;
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void TMainWindow::wireOptions() {
    connect(options_, &OptionsPanel::optionsChanged, this, &TMainWindow::onOptionsChanged);
    connect(list_, &FolderListView::captionChoiceChanged, this, [this](int k) {
        ViewerOptions shown = options_->options();
        shown.Caption = k;
        options_->setOptions(shown);
    });
    connect(preview_->SpeedButtonFit(), &QToolButton::toggled, this,
            [this] { list_->setThumbnailOptions(preview_->diagramOptions()); });
    connect(preview_->SpeedButtonOrtho(), &QToolButton::toggled, this,
            [this] { list_->setThumbnailOptions(preview_->diagramOptions()); });
    connect(preview_, &PreviewPane::planeChanged, list_, &FolderListView::setThumbnailPlane);
    connect(options_, &OptionsPanel::refreshRequested, tree_, &FolderTreeView::ButtonRefreshClick);
    connect(options_, &OptionsPanel::hoverTimeEntered, this, [this](int ms) {
        list_->setHoverTime(ms);
        options_->setHoverTimeText(list_->hoverTime());
    });
    ConnectEyeControls(options_, preview_);
    connect(tree_, &FolderTreeView::aboutToRebuild, list_, &FolderListView::ClearFileList);
    connect(tree_, &FolderTreeView::folderChanged, this, &TMainWindow::onFolderChanged);
    connect(list_, &FolderListView::previewItem, this, &TMainWindow::ShowPreviewItem);
    connect(list_, &FolderListView::folderActivated, this, &TMainWindow::onFolderActivated);
}

void TMainWindow::FormCreate() {
    settingsPath_ = start_.SettingsFile.isEmpty() ? DefaultSettingsPath() : start_.SettingsFile;
    if (!LoadSettings())
        MessageService::instance()->show(tr("错误！"), tr("初始化错误\r无法读取设置\r"),
                                         MessageService::Icon::Error);
    const ViewerOptions options = options_->options();
    if (!options.AlwaysShown || !panelShown_) options_->ButtonHideClick();
    applyOptions(options);
    options_->FitOptionsPanel();
    if (!start_.RootPath.isEmpty()) tree_->setRootPath(start_.RootPath);
    tree_->setTreeBuilding(false);
    tree_->setTreeReady(true);
    applyTreeOptions(options);
    tree_->ButtonCreateTreeClick();
    list_->viewport()->setMouseTracking(true);
    qApp->installEventFilter(this);
}

DiagramOptions TMainWindow::currentDiagramOptions() const {
    return preview_->diagramOptions();
}

void TMainWindow::onDrawingOptionChanged(bool repaintThumbnails) {
    preview_->setDiagramOptions(PanelDiagramOptions(options_->options()));
    list_->setThumbnailOptions(preview_->diagramOptions());
    if (repaintThumbnails) list_->viewport()->update();
    preview_->RedrawPreview(RenderBackground | RenderDiagramCurves);
}

void TMainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TMainWindow::FormShow() {
    applyStoredLayout();
    if (startState_ != Qt::WindowNoState) setWindowState(startState_);
    if (!options_->options().SaveFolder) lastPath_.clear();
    if (!start_.OpenPath.isEmpty())
        openStartPath(start_.OpenPath);
    else
        tree_->OpenTreePath(lastPath_);
}

void TMainWindow::openStartPath(const QString& path) {
    QFileInfo info(path);
    if (!info.exists()) { // a mistyped path: its nearest folder that exists, and a word
        QDir parent = info.absoluteDir();
        while (!parent.exists() && !parent.isRoot())
            parent.setPath(QFileInfo(parent.absolutePath()).absolutePath());
        if (parent.exists())
            tree_->openPath(parent.absolutePath());
        else
            tree_->OpenTreePath(lastPath_);
        labelInfo_->setText(tr("路径不存在: %1").arg(QDir::toNativeSeparators(path)));
        return;
    }
    const bool isFile = info.isFile();
    const QString folder = isFile ? info.absolutePath() : info.absoluteFilePath();
    tree_->openPath(folder);
    if (isFile) selectFileEntry(info.fileName());
}

void TMainWindow::selectFileEntry(const QString& fileName) {
    for (int row = list_->Tag(); row < list_->count(); ++row) {
        if (QFileInfo(list_->entryFilePath(row)).fileName() == fileName) {
            list_->setCurrentRow(row);
            list_->scrollToRow(row);
            return;
        }
    }
}

void TMainWindow::onFolderChanged(QTreeWidgetItem* node) {
    preview_->clearPreview();
    infoText_.clear();
    labelInfo_->clear();
    list_->ShowFolderContents(tree_->listingOf(node));
    if (list_->folderVanished()) // the info panel says why the list is empty
        labelInfo_->setText(tr("此文件夹已不存在") + QLatin1Char('\n') +
                            QDir::toNativeSeparators(list_->folderPath()));
    if (list_->count() > 0) {
        list_->setCurrentRow(0, QItemSelectionModel::NoUpdate);
        list_->scrollToRow(0);
    }
    UpdateTitle();
    if (searchesSubtree()) runSubtreeSearch(); // the new folder's subtree
}

void TMainWindow::ShowPreviewItem(int row) {
    const bool isFile = list_->isFileEntry(row);
    gonilux::TiesData* entry = isFile ? list_->entryAt(row) : nullptr;
    if (entry) {
        preview_->ShowPreviewItem(&entry->Ies, list_->entryFilePath(row));
        const std::vector<std::string> titles =
            DecodeTitles(entry->Lines, browser::ShownEncoding(*entry));
        infoText_ = TranslateInfoLabels(QString::fromStdString(BuildPreviewInfo(titles)));
    } else {
        preview_->ShowPreviewItem(nullptr, QString());
        infoText_.clear();
    }
    QString shown = infoText_;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (const auto figures = entry ? list_->entryMetrics(row) : std::nullopt) {
        QString block = browser::MetricsBlock(*figures, entry->Ies.PhotometricType);
        if (!block.isEmpty() && entry->Diagnostics.Damaged())
            block.insert(2, browser::HeaderErrorText(*entry) + QLatin1Char('\n') +
                                browser::DamagedFiguresNote() + QLatin1Char('\n'));
        shown += block;
    }
    labelInfo_->setText(shown);
    const QString file = preview_->CurrentFile();
    preview_->PaintBox()->setCursor(file.isEmpty() ? Qt::ArrowCursor : Qt::CrossCursor);
    applicationTitle_ = file.isEmpty() ? QStringLiteral("Gonilux")
                                       : platform::DisplayPath(QFileInfo(file).fileName());
    UpdateTitle();
}

void TMainWindow::onFolderActivated(const QString& path, bool) {
    if (!path.isEmpty()) tree_->openPath(path);
}

void TMainWindow::UpdateTitle() {
    if (!options_->options().FullPathTitle || titleShowsHint_) return;
    QTreeWidgetItem* node = tree_->currentItem();
    if (!node || !FolderTreeView::hasRecord(node)) return;
    const QString file = preview_->CurrentFile();
    setWindowTitle(platform::DisplayPath(TitleText(
        tree_->ParsingName(node), file.isEmpty() ? QString() : QFileInfo(file).fileName())));
}

void TMainWindow::CheckBoxTitleBarClick() {
    if (options_->options().FullPathTitle)
        UpdateTitle();
    else
        setWindowTitle(kAppCaption);
}

void TMainWindow::DisplayHint(const QString& hint) {
    if (!hint.isEmpty() && hint.startsWith(QLatin1Char('?'))) {
        QString longPart = hint.mid(1);
        const int bar = longPart.indexOf(QLatin1Char('|'));
        if (bar >= 0) longPart = longPart.mid(bar + 1);
        setWindowTitle(kAppCaption + QStringLiteral("    ") + longPart);
        titleShowsHint_ = true;
    } else if (hint.isEmpty() && titleShowsHint_) {
        titleShowsHint_ = false;
        if (options_->options().FullPathTitle)
            UpdateTitle();
        else
            setWindowTitle(kAppCaption);
    }
}

bool TMainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip)
        DisplayHint(static_cast<QStatusTipEvent*>(event)->tip());
    return QMainWindow::event(event);
}

bool TMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && !closed_ &&
        (watched == list_->viewport() || watched == this)) {
        auto* move = static_cast<QMouseEvent*>(event);
        const QPoint at = list_->viewport()->mapFromGlobal(move->globalPosition().toPoint());
        options_->FormMouseMove(move->buttons(), move->modifiers(), at.x(),
                                list_->viewport()->width());
    }
    if (event->type() == QEvent::Wheel) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && handleWheel(static_cast<QWheelEvent*>(event)))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TMainWindow::handleWheel(QWheelEvent* wheel) {
    const int delta =
        wheel->angleDelta().y() != 0 ? wheel->angleDelta().y() : wheel->angleDelta().x();
    if (delta == 0) return false;
    if (wheel->modifiers() == Qt::ShiftModifier && wheel->buttons() == Qt::NoButton) {
        preview_->stepPlane(delta < 0 ? 1 : -1);
        return true;
    }
    if (wheel->buttons() == Qt::MiddleButton && wheel->modifiers() == Qt::NoModifier) {
        MessageService::instance()->show(QString(), tr("点击!"), MessageService::Icon::Information);
        return true;
    }
    return false;
}

void TMainWindow::onSplitterMoved() {
    const QList<int> sizes = splitter_->sizes();
    if (sizes.size() < 2) return;
    int last = lastSplitterSize_;
    if (SplitterCanResize(sizes[0], last)) {
        lastSplitterSize_ = last;
    } else if (lastSplitterSize_ > 0 && sizes[0] != lastSplitterSize_) {
        QSignalBlocker block(splitter_);
        splitter_->setSizes({lastSplitterSize_, sizes[0] + sizes[1] - lastSplitterSize_});
    }
}

void TMainWindow::onSplitter2Moved() {
    const QList<int> sizes = splitter2_->sizes();
    if (sizes.size() < 2) return;
    const int info = Splitter2CanResize(sizes[1]);
    if (info == sizes[1]) return;
    QSignalBlocker block(splitter2_);
    splitter2_->setSizes({sizes[0] + sizes[1] - info, info});
}

void TMainWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) FormClose();
    event->accept();
}

void TMainWindow::FormClose() {
    closed_ = true;
    if (!SaveSettings()) settingsWriteFailed_ = true;
    tree_->setTreeBuilding(true);
    list_->ClearFileList();
    tree_->FreeTreeData();
}

} // namespace gonilux::mainwindow
