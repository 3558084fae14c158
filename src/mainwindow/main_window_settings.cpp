// Reading and writing the main window's settings file.
#include "browser/folder_list_view.h"
#include "browser/folder_tree.h"
#include "favourites.h"
#include "layout_rules.h"
#include "main_window.h"
#include "options_panel.h"
#include "photometry/ini_document.h"
#include "platform/message_service.h"
#include "platform/native_names.h"
#include "preview_pane.h"
#include "settings_path.h"
#include "viewer_options.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QToolButton>
#include <algorithm>

namespace gonilux::mainwindow {
namespace {

const std::vector<std::string> kSectionOrder = {
    "Viewer",         "Options",       "GroupBoxExOptions",   "GroupBoxExView",  "GroupBoxExTree",
    "GroupBoxExList", "GroupBoxExEye", "GroupBoxExFavorites", "GroupBoxExOther", "Favorites",
    "Render"};

} // namespace

// Everything first takes the value a missing key gives; reading the file then stops at the first
// malformed number, so what was read before it stays and the rest keeps those defaults.
bool TMainWindow::LoadSettings() {
    IniDocument ini;
    ini.SetSectionOrder(kSectionOrder);
    std::string error;
    const bool read = LoadIniFile(settingsPath_.toStdString(), ini, error);
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QSize screen = primary ? primary->geometry().size() : QSize(1024, 768);
    ViewerOptions options = DefaultViewerOptions(screen, minimumSize());
    const bool ok = read && ReadWindowOptions(ini, options, screen, minimumSize()) &&
                    favourites_->LoadFavorites(ini) && ReadGroupOptions(ini, options);
    applySettings(options);
    return ok;
}

void TMainWindow::applySettings(const ViewerOptions& options) {
    lastPath_ = platform::PathFromNative(QByteArray::fromStdString(options.Path));
    resize(options.Width, options.Height);
    move(options.Left, options.Top);
    preview_->SpeedButtonOrtho()->setChecked(options.Ortho);
    preview_->SpeedButtonFit()->setChecked(options.Fit);
    startState_ = options.State == 1   ? Qt::WindowMinimized
                  : options.State == 2 ? Qt::WindowMaximized
                                       : Qt::WindowNoState;
    pendingTree_ = options.Tree;
    pendingRight_ = options.Right;
    pendingInfo_ = options.Info;
    panelShown_ = options.PanelShown;
    options_->setOptions(options);
}

// False when the file could not be written; the rest of saving is skipped then.
bool TMainWindow::SaveSettings() {
    IniDocument ini;
    ini.SetSectionOrder(kSectionOrder);
    std::string error;
    LoadIniFile(settingsPath_.toStdString(), ini, error); // keeps what others wrote
    ViewerOptions options = options_->options();
    const Qt::WindowStates state = windowState();
    options.State = (state & Qt::WindowMinimized) ? 1 : (state & Qt::WindowMaximized) ? 2 : 0;
    const QRect bounds =
        (state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
            ? normalGeometry()
            : QRect(pos(), size());
    options.Width = bounds.width();
    options.Height = bounds.height();
    options.Left = bounds.x();
    options.Top = bounds.y();
    options.Fit = preview_->SpeedButtonFit()->isChecked();
    options.Ortho = preview_->SpeedButtonOrtho()->isChecked();
    options.Tree = splitter1_->sizes().value(1, pendingTree_);
    options.Right = splitter_->sizes().value(0, pendingRight_);
    options.Info = splitter2_->sizes().value(1, pendingInfo_);
    // Folder paths are stored as their bytes, so a name that is not UTF-8 comes back.
    options.Path = platform::NativePath(tree_->GetTreePath()).toStdString();
    options.PanelShown = options_->isShown();
    const browser::DetailsHeaderState header = list_->detailsHeader();
    options.DetailsColumns = browser::DetailsColumnsText(header).toStdString();
    options.DetailsSort = browser::DetailsSortText(header).toStdString();
    WriteViewerOptions(options, ini);
    ini.EraseSection("Favorites");
    const QStringList pieces =
        favourites_->BuildFavoritesText().split(QLatin1Char('\r'), Qt::SkipEmptyParts);
    for (int i = 0; i < pieces.size(); ++i)
        ini.SetValue("Favorites", "folder" + std::to_string(i),
                     platform::NativePath(pieces[i]).toStdString());
    return SaveIniFile(settingsPath_.toStdString(), ini, error);
}

// Splitter sizes exclude the handles, so each pair keeps the sum the splitter has now. Stored
// sizes that no longer fit leave the tree and the list at least 100 pixels high and the list 200
// wide beside the options panel; the info panel is never taller than designed.
void TMainWindow::applyStoredLayout() {
    auto apply = [](QSplitter* splitter, int second, bool firstStored, int minFirst,
                    int minSecond) {
        const QList<int> sizes = splitter->sizes();
        const int total = sizes.value(0) + sizes.value(1);
        if (total <= 0) return;
        int stored =
            std::clamp(second, std::min(minSecond, total), std::max(minSecond, total - minFirst));
        if (firstStored)
            stored = total - std::clamp(second, std::min(minFirst, total),
                                        std::max(minFirst, total - minSecond));
        splitter->setSizes({total - stored, stored});
    };
    apply(splitter_, pendingRight_, true, 180, 200 + OptionsPanel::kShownWidth);
    lastSplitterSize_ = splitter_->sizes().value(0);
    apply(splitter1_, pendingTree_, false, 100, 150);
    const int designedInfo = DefaultViewerOptions({}, {}).Info;
    apply(splitter2_, std::min(pendingInfo_, designedInfo), false, 100, 17);
}

void TMainWindow::reportSettingsWriteFailure() {
    if (!settingsWriteFailed_) return;
    settingsWriteFailed_ = false;
    platform::MessageService* messages = platform::MessageService::instance();
    messages->setOwner(nullptr);
    messages->show(kAppCaption, tr("无法写入设置。\r文件 '%1' 可能是只读的。").arg(settingsPath_),
                   platform::MessageService::Icon::None);
}

} // namespace gonilux::mainwindow
