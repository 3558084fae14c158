// The options panel's controls as a ViewerOptions value: each stored control is found in its
// group by the key the table gives, and reports its changes. Also the rules that tie controls of
// the panel together: the preset buttons and their switches, and what is enabled when.
#include "browser/folder_tree.h"
#include "browser/list_appearance.h"
#include "group_box_ex.h"
#include "language.h"
#include "options_panel.h"

#include <QSignalBlocker>
#include <algorithm>
#include <utility>
#include <vector>

namespace gonilux::mainwindow {
namespace {

// Exactly the button at `index` ends checked (none for -1): as a group when `quietly`, so that no
// other button is checked on the way, else as a click checks it.
void CheckRadioButton(const QList<QRadioButton*>& buttons, int index, bool quietly) {
    if (!quietly) {
        if (index >= 0 && index < buttons.size()) buttons[index]->setChecked(true);
        return;
    }
    for (QRadioButton* button : buttons)
        button->setAutoExclusive(false);
    for (qsizetype i = 0; i < buttons.size(); ++i)
        buttons[i]->setChecked(i == index);
    for (QRadioButton* button : buttons)
        button->setAutoExclusive(true);
}

} // namespace

void OptionsPanel::bindControls() {
    for (const OptionRow& row : ViewerOptionTable()) {
        Binding binding{&row, findChild<TGroupBoxEx*>(QLatin1String(row.Section)), nullptr, {}};
        if (!binding.Group) continue; // the window's own values
        if (row.Kind == OptionKind::Radio) {
            for (const char* name : row.Names)
                if (name)
                    binding.Radios << binding.Group->findChild<QRadioButton*>(
                        QLatin1String(name), Qt::FindDirectChildrenOnly);
        } else if (qstrcmp(row.Key, "Collapsed") != 0) {
            binding.Control = binding.Group->findChild<QWidget*>(QLatin1String(row.Key),
                                                                 Qt::FindDirectChildrenOnly);
            if (!binding.Control) continue; // the language and the encoding have their own row
        }
        bindings_.push_back(binding);
    }
}

void OptionsPanel::apply(const ViewerOptions& options, bool quietly) {
    for (const Binding& b : bindings_) {
        const OptionRow& row = *b.Row;
        if (row.Kind == OptionKind::Radio)
            CheckRadioButton(b.Radios, options.*row.Number, quietly);
        else if (!b.Control && b.Group->isCollapsed() != options.*row.Flag)
            b.Group->setCollapsed(options.*row.Flag);
        else if (b.Control == EditTrel || b.Control == CheckBoxLink)
            continue; // they show fixed values
        else if (auto* box = qobject_cast<QCheckBox*>(b.Control))
            box->setChecked(options.*row.Flag);
        else if (auto* slider = qobject_cast<QSlider*>(b.Control))
            slider->setValue(options.*row.Number);
        else if (auto* combo = qobject_cast<QComboBox*>(b.Control))
            combo->setCurrentIndex(options.*row.Number);
        else if (auto* edit = qobject_cast<QLineEdit*>(b.Control);
                 edit && edit->text().toStdString() != options.*row.Text)
            edit->setText(QString::fromStdString(options.*row.Text));
    }
    // The box shows the language of this run ("--lang" may differ from the stored choice).
    if (language_ != options.Language) {
        language_ = options.Language;
        const auto stored = ParseLanguage(QString::fromStdString(language_));
        ComboBoxLanguage->setCurrentIndex(
            static_cast<int>(CommandLineLanguage().value_or(stored.value_or(Language::Chinese))));
    }
    const int encoding = ComboBoxEncoding->findData(QString::fromStdString(options.Encoding),
                                                    Qt::UserRole, Qt::MatchFixedString);
    ComboBoxEncoding->setCurrentIndex(std::max(0, encoding));
    CheckBoxCenter->setChecked(options.Centre);
}

ViewerOptions OptionsPanel::options() const {
    ViewerOptions options = shown_;
    for (const Binding& b : bindings_) {
        const OptionRow& row = *b.Row;
        if (row.Kind == OptionKind::Radio) {
            options.*row.Number = -1;
            for (qsizetype i = 0; i < b.Radios.size(); ++i)
                if (b.Radios[i]->isChecked()) options.*row.Number = static_cast<int>(i);
        } else if (!b.Control) {
            options.*row.Flag = b.Group->isCollapsed();
        } else if (const auto* box = qobject_cast<const QCheckBox*>(b.Control)) {
            options.*row.Flag = box->isChecked();
        } else if (const auto* slider = qobject_cast<const QSlider*>(b.Control)) {
            options.*row.Number = slider->value();
        } else if (const auto* combo = qobject_cast<const QComboBox*>(b.Control)) {
            options.*row.Number = combo->currentIndex();
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(b.Control)) {
            options.*row.Text = edit->text().toStdString();
        }
    }
    options.Language = language_;
    options.Encoding = ComboBoxEncoding->currentData().toString().toStdString();
    options.Centre = CheckBoxCenter->isChecked();
    return options;
}

void OptionsPanel::setOptions(const ViewerOptions& options) {
    shown_ = options;
    {
        std::vector<QSignalBlocker> quiet;
        const QList<QWidget*> controls = findChildren<QWidget*>();
        quiet.reserve(static_cast<std::size_t>(controls.size()));
        for (QWidget* control : controls)
            if (!qobject_cast<TGroupBoxEx*>(control)) quiet.emplace_back(control);
        apply(options, true);
    }
    syncEnabled();
    shown_ = this->options();
}

void OptionsPanel::changeOptions(const ViewerOptions& options) {
    apply(options, false);
}

void OptionsPanel::onControlChanged() {
    syncEnabled();
    ViewerOptions now = options();
    if (now == shown_) return;
    const ViewerOptions before = std::exchange(shown_, now);
    emit optionsChanged(now, before);
}

void OptionsPanel::syncEnabled() {
    CheckBoxAlwaysClick();
    EditHoverTime->setEnabled(CheckBoxLHotTrack->isChecked());
    ComboBoxUp->setEnabled(CheckBoxUp->isChecked());
    ComboBoxDblClick->setEnabled(CheckBoxDblClick->isChecked());
    for (QWidget* lens :
         std::initializer_list<QWidget*>{CheckBoxLink, CheckBoxPlus, TrackBarR, TrackBarK})
        lens->setEnabled(CheckBoxOn->isChecked());
    CheckBoxFavViews->setEnabled(CheckBoxFavs->isChecked());
    CheckBoxFavCaptions->setEnabled(CheckBoxFavs->isChecked());
    PaintBoxArc->update(); // the glass follows "+/-"
}

// A preset button sets the switches it stands for; a change of a switch shows the preset that
// now matches. Then every stored control reports its changes.
void OptionsPanel::wirePresets() {
    for (QCheckBox* box : {CheckBoxLines, CheckBoxExpand, CheckBoxHotTrack})
        connect(box, &QCheckBox::toggled, this, &OptionsPanel::recomputeTreePreset);
    connect(RadioButton9X, &QRadioButton::toggled, this, [this](bool on) {
        if (!on) return;
        CheckBoxLines->setChecked(true);
        CheckBoxExpand->setChecked(false);
        CheckBoxHotTrack->setChecked(false);
    });
    connect(RadioButtonXP, &QRadioButton::toggled, this, [this](bool on) {
        if (!on) return;
        CheckBoxHotTrack->setChecked(true);
        CheckBoxExpand->setChecked(true);
        CheckBoxLines->setChecked(false);
    });
    for (QCheckBox* box :
         {CheckBoxHandPont, CheckBoxUnderlineHot, CheckBoxUnderlineCold, CheckBoxLHotTrack})
        connect(box, &QCheckBox::toggled, this, &OptionsPanel::recomputeListPreset);
    auto applyPreset = [this](browser::ListPreset preset) {
        const browser::ListAppearance look = browser::PresetAppearance(preset);
        CheckBoxHandPont->setChecked(look.HandPointer);
        CheckBoxUnderlineHot->setChecked(look.UnderlineHot);
        CheckBoxUnderlineCold->setChecked(look.UnderlineCold);
        CheckBoxLHotTrack->setChecked(look.HotTracking);
    };
    connect(RadioButtonL9X, &QRadioButton::toggled, this, [applyPreset](bool on) {
        if (on) applyPreset(browser::ListPreset::L9X);
    });
    connect(RadioButtonLXP, &QRadioButton::toggled, this, [applyPreset](bool on) {
        if (on) applyPreset(browser::ListPreset::LXP);
    });
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        if (!qobject_cast<QPushButton*>(button))
            connect(button, &QAbstractButton::toggled, this, &OptionsPanel::onControlChanged);
    for (QSlider* slider : findChildren<QSlider*>())
        connect(slider, &QSlider::valueChanged, this, &OptionsPanel::onControlChanged);
    for (QComboBox* combo : findChildren<QComboBox*>())
        connect(combo, &QComboBox::currentIndexChanged, this, &OptionsPanel::onControlChanged);
}

void OptionsPanel::recomputeTreePreset() {
    const browser::TreePreset preset = browser::treePresetFor(
        CheckBoxLines->isChecked(), CheckBoxExpand->isChecked(), CheckBoxHotTrack->isChecked());
    QRadioButton* target = preset == browser::TreePreset::Windows9x   ? RadioButton9X
                           : preset == browser::TreePreset::WindowsXP ? RadioButtonXP
                                                                      : RadioButtonCustom;
    const QSignalBlocker b1(RadioButton9X), b2(RadioButtonXP), b3(RadioButtonCustom);
    target->setChecked(true);
}

void OptionsPanel::recomputeListPreset() {
    const browser::ListPreset preset =
        browser::PresetOf({CheckBoxHandPont->isChecked(), CheckBoxUnderlineHot->isChecked(),
                           CheckBoxUnderlineCold->isChecked(), CheckBoxLHotTrack->isChecked()});
    QRadioButton* target = preset == browser::ListPreset::L9X   ? RadioButtonL9X
                           : preset == browser::ListPreset::LXP ? RadioButtonLXP
                                                                : RadioButtonLCustom;
    const QSignalBlocker b1(RadioButtonL9X), b2(RadioButtonLXP), b3(RadioButtonLCustom);
    target->setChecked(true);
}

} // namespace gonilux::mainwindow
