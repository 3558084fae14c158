// The main window's appearance options: the tree's and the list's boxes and their presets.
#include "browser/folder_list_view.h"
#include "browser/folder_tree.h"
#include "browser/list_appearance.h"
#include "main_window.h"
#include "options_panel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace gonilux::mainwindow {

using browser::FolderListView;
using browser::FolderTreeView;

// The tree's appearance options and their presets; a preset's radio button sets the three
// boxes, and a change of any box shows the preset that now matches.
void TMainWindow::wireAppearance() {
    OptionsPanel* o = options_;
    connect(o->CheckBoxLarge, &QCheckBox::toggled, tree_, &FolderTreeView::setLargeIcons);
    connect(o->CheckBoxButton, &QCheckBox::toggled, tree_, &FolderTreeView::setShowButtons);
    connect(o->CheckBoxLines, &QCheckBox::toggled, this, [this](bool on) {
        tree_->setShowLines(on);
        recomputeTreePreset();
    });
    connect(o->CheckBoxExpand, &QCheckBox::toggled, this, [this](bool on) {
        tree_->setAutoExpand(on);
        recomputeTreePreset();
    });
    connect(o->CheckBoxHotTrack, &QCheckBox::toggled, this, [this](bool on) {
        tree_->setHotTracking(on);
        recomputeTreePreset();
    });
    connect(o->RadioButton9X, &QRadioButton::toggled, this, [o](bool on) {
        if (!on) return;
        o->CheckBoxLines->setChecked(true);
        o->CheckBoxExpand->setChecked(false);
        o->CheckBoxHotTrack->setChecked(false);
    });
    connect(o->RadioButtonXP, &QRadioButton::toggled, this, [o](bool on) {
        if (!on) return;
        o->CheckBoxHotTrack->setChecked(true);
        o->CheckBoxExpand->setChecked(true);
        o->CheckBoxLines->setChecked(false);
    });
    connect(o->CheckBoxDblClick, &QCheckBox::toggled, o->ComboBoxDblClick, &QComboBox::setEnabled);
    connect(o->CheckBoxOn, &QCheckBox::toggled, this, [o](bool on) {
        for (QWidget* w : std::initializer_list<QWidget*>{o->CheckBoxLink, o->CheckBoxPlus,
                                                          o->TrackBarR, o->TrackBarK})
            w->setEnabled(on);
    });
    connect(o->CheckBoxFavs, &QCheckBox::toggled, this, [o](bool on) {
        o->CheckBoxFavViews->setEnabled(on);
        o->CheckBoxFavCaptions->setEnabled(on);
    });
}

void TMainWindow::recomputeTreePreset() {
    OptionsPanel* o = options_;
    const browser::TreePreset preset =
        browser::treePresetFor(o->CheckBoxLines->isChecked(), o->CheckBoxExpand->isChecked(),
                               o->CheckBoxHotTrack->isChecked());
    QRadioButton* target = preset == browser::TreePreset::Windows9x   ? o->RadioButton9X
                           : preset == browser::TreePreset::WindowsXP ? o->RadioButtonXP
                                                                      : o->RadioButtonCustom;
    const QSignalBlocker b1(o->RadioButton9X), b2(o->RadioButtonXP), b3(o->RadioButtonCustom);
    target->setChecked(true);
}

void TMainWindow::recomputeListPreset() {
    OptionsPanel* o = options_;
    const browser::ListPreset preset = browser::PresetOf(list_->listAppearance());
    QRadioButton* target = preset == browser::ListPreset::L9X   ? o->RadioButtonL9X
                           : preset == browser::ListPreset::LXP ? o->RadioButtonLXP
                                                                : o->RadioButtonLCustom;
    const QSignalBlocker b1(o->RadioButtonL9X), b2(o->RadioButtonLXP), b3(o->RadioButtonLCustom);
    target->setChecked(true);
}

// The list's appearance options: each box drives the list, then the matching preset is shown;
// a preset's radio button sets the four boxes.
void TMainWindow::wireListAppearance() {
    OptionsPanel* o = options_;
    connect(o->CheckBoxHandPont, &QCheckBox::toggled, this, [this](bool on) {
        list_->setHandPointer(on);
        recomputeListPreset();
    });
    connect(o->CheckBoxUnderlineHot, &QCheckBox::toggled, this, [this](bool on) {
        list_->setUnderlineHot(on);
        recomputeListPreset();
    });
    connect(o->CheckBoxUnderlineCold, &QCheckBox::toggled, this, [this](bool on) {
        list_->setUnderlineCold(on);
        recomputeListPreset();
    });
    connect(o->CheckBoxLHotTrack, &QCheckBox::toggled, this, [this](bool on) {
        list_->setHotTracking(on);
        recomputeListPreset();
    });
    connect(o->CheckBoxLHotTrack, &QCheckBox::toggled, o->EditHoverTime, &QLineEdit::setEnabled);
    connect(o->CheckBoxFlat, &QCheckBox::toggled, list_, &FolderListView::setFlatScrollBars);
    auto applyPreset = [this](browser::ListPreset preset) {
        const browser::ListAppearance a =
            browser::PresetAppearance(preset, list_->listAppearance());
        options_->CheckBoxHandPont->setChecked(a.HandPointer);
        options_->CheckBoxUnderlineHot->setChecked(a.UnderlineHot);
        options_->CheckBoxUnderlineCold->setChecked(a.UnderlineCold);
        options_->CheckBoxLHotTrack->setChecked(a.HotTracking);
    };
    connect(o->RadioButtonL9X, &QRadioButton::toggled, this, [applyPreset](bool on) {
        if (on) applyPreset(browser::ListPreset::L9X);
    });
    connect(o->RadioButtonLXP, &QRadioButton::toggled, this, [applyPreset](bool on) {
        if (on) applyPreset(browser::ListPreset::LXP);
    });
    connect(o, &OptionsPanel::hoverTimeEntered, this, [this](int ms) {
        list_->setHoverTime(ms);
        options_->setHoverTimeText(list_->hoverTime());
    });
}

} // namespace gonilux::mainwindow
