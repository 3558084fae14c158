// The main window's auxiliary windows: render, compare, map and report windows, and printing.
#include "auxwindows/compare_window.h"
#include "auxwindows/preview_source.h"
#include "auxwindows/print_page.h"
#include "auxwindows/render_window.h"
#include "auxwindows/report_window.h"
#include "browser/file_entries.h"
#include "browser/folder_list_view.h"
#include "file_actions.h"
#include "main_window.h"
#include "options_panel.h"
#include "photometry/header_encoding.h"
#include "photometry/ratings.h"
#include "preview_pane.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QShortcut>
#include <QToolButton>
#include <functional>
#include <tuple>

namespace gonilux::mainwindow {
namespace {

// The preview and the file list as the auxiliary windows read them.
class MainWindowSource final : public auxwindows::PreviewSource {
  public:
    explicit MainWindowSource(const TMainWindow& window) : window_(window) {}

    const tIES& previewIes() const override { return window_.preview()->PreviewIes(); }
    QString currentFile() const override { return window_.preview()->CurrentFile(); }
    int planePosition() const override { return window_.preview()->planePosition(); }
    DiagramOptions diagramOptions() const override { return window_.currentDiagramOptions(); }
    QString selectedCaption() const override {
        const browser::FolderListView* list = window_.fileList();
        const QList<int> rows = list->selectedRows();
        return rows.isEmpty() ? QString() : list->entryCaption(rows.first());
    }
    std::vector<std::string> focusedTitles() const override {
        browser::FolderListView* list = window_.fileList();
        const int row = list->currentRow();
        const TiesData* entry = list->isFileEntry(row) ? list->entryAt(row) : nullptr;
        return entry ? DecodeTitles(entry->Lines, browser::ShownEncoding(*entry))
                     : std::vector<std::string>{};
    }
    tRatingInput ratingInput() const override {
        browser::FolderListView* list = window_.fileList();
        const int row = list->currentRow();
        const TiesData* entry = list->isFileEntry(row) ? list->entryAt(row) : nullptr;
        return entry ? RatingInputOf(*entry) : PreviewSource::ratingInput();
    }
    std::vector<auxwindows::SelectedRecord> selectedRecords(int limit) const override {
        browser::FolderListView* list = window_.fileList();
        std::vector<auxwindows::SelectedRecord> records;
        for (int row = list->Tag(); row < list->count() && std::ssize(records) < limit; ++row) {
            if (!list->isRowSelected(row)) continue;
            if (list->entryAt(row) && !list->entryAt(row)->Loaded) list->LoadIesEntry(row);
            const TiesData* entry = list->entryAt(row);
            if (entry && entry->Loaded) records.push_back({list->entryCaption(row), &entry->Ies});
        }
        return records;
    }

  private:
    const TMainWindow& window_;
};

// Runs `action` when the right mouse button is released over the watched widget.
class RightReleaseFilter final : public QObject {
  public:
    RightReleaseFilter(QObject* parent, std::function<void()> action)
        : QObject(parent), action_(std::move(action)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget &&
                widget->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
                action_();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> action_;
};

} // namespace

struct TMainWindow::ToolWindows {
    explicit ToolWindows(const TMainWindow& window) : Source(window) {}
    MainWindowSource Source;
    auxwindows::TRenderWindow* Render = nullptr;
    auxwindows::TBigGonioWin* Compare = nullptr;
    auxwindows::TMapWindow* Map = nullptr;
    auxwindows::ReportWindow* Report = nullptr;
};

void TMainWindow::wireTools() {
    tools_ = new ToolWindows(*this);
    tools_->Render = new auxwindows::TRenderWindow(tools_->Source, settingsPath_, this);
    tools_->Compare = new auxwindows::TBigGonioWin(tools_->Source, this);
    tools_->Map = new auxwindows::TMapWindow(tools_->Source, this);
    tools_->Report = new auxwindows::ReportWindow(tools_->Source, this);

    QToolButton* render = preview_->SpeedButtonRender();
    render->setCheckable(true);
    connect(render, &QToolButton::toggled, this, [this](bool down) {
        auxwindows::TRenderWindow* window = tools_->Render;
        if (down) {
            window->show();
            window->raise();
            window->activateWindow();
        } else {
            window->hide();
        }
    });
    connect(tools_->Render, &auxwindows::TRenderWindow::closed, render,
            [render] { render->setChecked(false); });
    auto follow = [this] {
        auxwindows::TRenderWindow* window = tools_ ? tools_->Render : nullptr;
        if (window && window->isVisible() && window->SBUpdate()->isChecked())
            window->ButtonUpdateClick();
    };
    connect(list_, &browser::FolderListView::previewItem, this, follow);
    connect(preview_, &PreviewPane::planeChanged, this, follow);
    wireReport();

    QToolButton* print = preview_->SpeedButtonPrint();
    connect(print, &QToolButton::clicked, this, [this, print] {
        auxwindows::PrintWithDialog(this, tools_->Source);
        print->setDown(false); // released whatever happened
        print->setChecked(false);
    });

    preview_->SpeedButtonFit()->installEventFilter(
        new RightReleaseFilter(this, [this] { showCompareWindow(); }));
    // The compare window draws with the current switches: repaint it when they change.
    auto repaintCompare = [this] {
        if (tools_ && tools_->Compare->isVisible()) tools_->Compare->update();
    };
    for (QAbstractButton* button : {preview_->SpeedButtonFit(), preview_->SpeedButtonOrtho()})
        connect(button, &QAbstractButton::toggled, this, repaintCompare);
    connect(options_, &OptionsPanel::optionsChanged, this,
            [repaintCompare](const ViewerOptions& now, const ViewerOptions& before) {
                if (std::tie(now.Multi, now.Labels, now.Complete, now.Warning, now.Centre) !=
                    std::tie(before.Multi, before.Labels, before.Complete, before.Warning,
                             before.Centre))
                    repaintCompare();
            });
}

// Ctrl+P prints, Ctrl+E exports the picture, Ctrl+K shows the compare window, Ctrl+R the report
// (Ctrl+F, the filter, is the filter field's); the popup shows the keys beside its items.
void TMainWindow::wireCommandKeys() {
    auto bind = [this](QKeyCombination keys, std::function<void()> command) {
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, std::move(command));
    };
    bind(Qt::CTRL | Qt::Key_P, [this] {
        if (preview_->SpeedButtonPrint()->isEnabled()) preview_->SpeedButtonPrint()->click();
    });
    bind(Qt::CTRL | Qt::Key_E, [this] { fileActions_->ExportPictureClick(); });
    bind(Qt::CTRL | Qt::Key_K, [this] { showCompareWindow(); });
    bind(Qt::CTRL | Qt::Key_R, [this] { showReportWindow(); });
}

// The render window writes its settings section before the main window reports a failed write.
void TMainWindow::destroyTools() {
    if (!tools_) return;
    ToolWindows* tools = tools_;
    tools_ = nullptr;
    if (!tools->Render->FormDestroy()) settingsWriteFailed_ = true;
    delete tools->Render;
    delete tools->Compare;
    delete tools->Map;
    delete tools->Report;
    delete tools;
}

auxwindows::TRenderWindow* TMainWindow::renderWindow() const {
    return tools_ ? tools_->Render : nullptr;
}
auxwindows::TBigGonioWin* TMainWindow::compareWindow() const {
    return tools_ ? tools_->Compare : nullptr;
}
auxwindows::TMapWindow* TMainWindow::mapWindow() const {
    return tools_ ? tools_->Map : nullptr;
}
auxwindows::ReportWindow* TMainWindow::reportWindow() const {
    return tools_ ? tools_->Report : nullptr;
}

void TMainWindow::showCompareWindow() {
    if (tools_) tools_->Compare->showCompare();
}

void TMainWindow::showMapWindow() {
    if (tools_) tools_->Map->showMap();
}

// The report shows the previewed file: only while a file is shown.
void TMainWindow::showReportWindow() {
    if (tools_ && !preview_->CurrentFile().isEmpty()) tools_->Report->showReport();
}

// The open report follows the shown file, the plane, the switches and the list's selection.
void TMainWindow::wireReport() {
    auto follow = [this] {
        if (tools_ && tools_->Report->isVisible()) tools_->Report->refresh();
    };
    connect(list_, &browser::FolderListView::previewItem, this, follow);
    connect(preview_, &PreviewPane::planeChanged, this, [this] {
        if (tools_ && tools_->Report->isVisible()) tools_->Report->followPlane();
    });
    for (QAbstractButton* button : {preview_->SpeedButtonFit(), preview_->SpeedButtonOrtho()})
        connect(button, &QAbstractButton::toggled, this, follow);
    connect(options_, &OptionsPanel::optionsChanged, this,
            [follow](const ViewerOptions& now, const ViewerOptions& before) {
                if (std::tie(now.Multi, now.Labels, now.Complete, now.Warning) !=
                    std::tie(before.Multi, before.Labels, before.Complete, before.Warning))
                    follow();
            });
    connect(list_, &browser::FolderListView::itemSelectionChanged, this, [this] {
        if (tools_ && tools_->Report->isVisible()) tools_->Report->refreshOverlay();
    });
}

} // namespace gonilux::mainwindow
