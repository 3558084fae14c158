// Reading and writing the main window's settings file.
#include "browser/folder_tree.h"
#include "favourites.h"
#include "group_box_ex.h"
#include "language.h"
#include "layout_rules.h"
#include "main_window.h"
#include "options_panel.h"
#include "photometry/ini_document.h"
#include "platform/message_service.h"
#include "platform/native_names.h"
#include "preview_pane.h"
#include "settings_groups.h"

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

struct GroupDefaults {
    int Collapsed;
    int Check;
};
constexpr GroupDefaults kGroupDefaults[] = {{0, 1}, {1, 0}, {1, 0}, {1, 1}, {1, 1}, {1, 1}, {0, 1}};

} // namespace

// Every value goes through the control's own setter, so its handler runs. Everything first takes
// the value a missing key gives; reading the file then stops at the first malformed number, so
// what was applied before it stays and the rest keeps those defaults.
bool TMainWindow::LoadSettings() {
    IniDocument ini;
    ini.SetSectionOrder(kSectionOrder);
    std::string error;
    const bool read = LoadIniFile(settingsPath_.toStdString(), ini, error);
    applySettings(IniDocument());
    return read && applySettings(ini);
}

bool TMainWindow::applySettings(const IniDocument& ini) {
    // The box shows the language of this run ("--lang" may differ from the stored choice).
    storedLanguage_ = static_cast<int>(LanguageFromIni(ini));
    options_->ComboBoxLanguage->setCurrentIndex(
        static_cast<int>(CommandLineLanguage().value_or(LanguageFromIni(ini))));
    const int encoding = options_->ComboBoxEncoding->findData(
        QString::fromStdString(ini.ValueOr(kLanguageSection, "Encoding", "auto")), Qt::UserRole,
        Qt::MatchFixedString);
    options_->ComboBoxEncoding->setCurrentIndex(std::max(0, encoding));
    lastPath_ =
        platform::PathFromNative(QByteArray::fromStdString(ini.ValueOr("Viewer", "Path", "")));
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->geometry()
                             : QRect(0, 0, 1024, 768);
    auto number = [&ini](const char* section, const char* key, int fallback) {
        return ini.IntegerOr(section, key, fallback);
    };
    auto width = number("Viewer", "Width", 800);
    if (!width) return false;
    resize(*width, height());
    auto height = number("Viewer", "Height", 600);
    if (!height) return false;
    resize(this->width(), *height);
    auto left = number("Viewer", "Left", (screen.width() - this->width()) / 2);
    if (!left) return false;
    auto top = number("Viewer", "Top", (screen.height() - this->height()) / 2);
    if (!top) return false;
    move(*left, *top);
    auto ortho = number("Viewer", "Ortho", 1);
    if (!ortho) return false;
    preview_->SpeedButtonOrtho()->setChecked(*ortho != 0);
    auto fit = number("Viewer", "Fit", 0);
    if (!fit) return false;
    preview_->SpeedButtonFit()->setChecked(*fit != 0);
    auto state = number("Viewer", "State", 0);
    if (!state) return false;
    if (*state == 0)
        startState_ = Qt::WindowNoState;
    else if (*state == 1)
        startState_ = Qt::WindowMinimized;
    else if (*state == 2)
        startState_ = Qt::WindowMaximized;
    auto tree = number("Viewer", "Tree", 362);
    auto right = tree ? number("Viewer", "Right", 330) : std::nullopt;
    auto info = right ? number("Viewer", "Info", 101) : std::nullopt;
    if (!info) return false;
    pendingTree_ = *tree;
    pendingRight_ = *right;
    pendingInfo_ = *info;
    auto panel = number("Options", "Panel", 1);
    if (!panel) return false;
    panelShown_ = *panel != 0;
    auto k = number("Options", "K", 80);
    auto r = k ? number("Options", "R", 32) : std::nullopt;
    if (!r) return false;
    options_->TrackBarK->setValue(*k);
    options_->TrackBarR->setValue(*r);
    if (!favourites_->LoadFavorites(ini)) return false;
    const QList<TGroupBoxEx*> groups = options_->groups();
    for (int i = 0; i < groups.size(); ++i)
        if (!LoadGroupBox(groups[i], ini, kGroupDefaults[i].Collapsed, kGroupDefaults[i].Check))
            return false;
    return true;
}

// False when the file could not be written; the rest of saving is skipped then.
bool TMainWindow::SaveSettings() {
    IniDocument ini;
    ini.SetSectionOrder(kSectionOrder);
    std::string error;
    LoadIniFile(settingsPath_.toStdString(), ini, error); // keeps what others wrote
    const Qt::WindowStates state = windowState();
    ini.SetInteger("Viewer", "State",
                   (state & Qt::WindowMinimized)   ? 1
                   : (state & Qt::WindowMaximized) ? 2
                                                   : 0);
    const QRect bounds =
        (state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
            ? normalGeometry()
            : QRect(pos(), size());
    ini.SetInteger("Viewer", "Width", bounds.width());
    ini.SetInteger("Viewer", "Height", bounds.height());
    ini.SetInteger("Viewer", "Left", bounds.x());
    ini.SetInteger("Viewer", "Top", bounds.y());
    ini.SetInteger("Viewer", "Fit", preview_->SpeedButtonFit()->isChecked() ? 1 : 0);
    ini.SetInteger("Viewer", "Ortho", preview_->SpeedButtonOrtho()->isChecked() ? 1 : 0);
    ini.SetInteger("Viewer", "Tree", splitter1_->sizes().value(1, pendingTree_));
    ini.SetInteger("Viewer", "Right", splitter_->sizes().value(0, pendingRight_));
    ini.SetInteger("Viewer", "Info", splitter2_->sizes().value(1, pendingInfo_));
    // Folder paths are stored as their bytes, so a name that is not UTF-8 comes back.
    ini.SetValue("Viewer", "Path", platform::NativePath(tree_->GetTreePath()).toStdString());
    ini.SetInteger("Options", "K", options_->TrackBarK->value());
    ini.SetInteger("Options", "R", options_->TrackBarR->value());
    ini.SetInteger("Options", "Panel", options_->isShown() ? 1 : 0);
    for (TGroupBoxEx* group : options_->groups())
        SaveGroupBox(group, ini);
    SetLanguageInIni(ini, static_cast<Language>(storedLanguage_));
    ini.SetValue(kLanguageSection, "Encoding",
                 options_->ComboBoxEncoding->currentData().toString().toStdString());
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
    apply(splitter2_, std::min(pendingInfo_, 101), false, 100, 17);
}

void TMainWindow::reportSettingsWriteFailure() {
    if (!settingsWriteFailed_) return;
    settingsWriteFailed_ = false;
    platform::MessageService* messages = platform::MessageService::instance();
    messages->setOwner(nullptr);
    messages->show(kAppCaption,
                   tr("Unable to write configuration data.\rIt is possible file '%1' is read only.")
                       .arg(settingsPath_),
                   platform::MessageService::Icon::None);
}

} // namespace gonilux::mainwindow
