// The options panel at the right edge of the file list: the option controls, named as the
// settings file knows them, stacked in their groups.
#pragma once

#include "diagram/diagram_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace gonilux::mainwindow {

class OptionsPanel : public QWidget {
    Q_OBJECT
public:
    explicit OptionsPanel(QWidget* parent = nullptr);

    // The drawing switches of the panel (fit and orthogonal belong to the preview).
    DiagramOptions diagramOptions() const;

    QWidget* PanelMainChild = nullptr;
    QGroupBox* GroupBoxExOptions = nullptr;
    QGroupBox* GroupBoxExView = nullptr;
    QGroupBox* GroupBoxExList = nullptr;
    QGroupBox* GroupBoxExOther = nullptr;

    QCheckBox* CheckBoxHide = nullptr;
    QCheckBox* CheckBoxAlways = nullptr;
    QPushButton* ButtonHide = nullptr;
    QPushButton* ButtonRefresh = nullptr;

    QComboBox* ComboBoxCaption = nullptr;
    QCheckBox* CheckBoxSort = nullptr;
    QRadioButton* RadioButtonList = nullptr;
    QRadioButton* RadioButtonIcons = nullptr;
    QCheckBox* CheckBoxKeep = nullptr;
    QCheckBox* CheckBoxMulti = nullptr;
    QCheckBox* CheckBoxComplete = nullptr;
    QCheckBox* CheckBoxWarning = nullptr;
    QCheckBox* CheckBoxLabels = nullptr;

    QCheckBox* CheckBoxUp = nullptr;
    QComboBox* ComboBoxUp = nullptr;

    QCheckBox* CheckBoxMessages = nullptr;
    QCheckBox* CheckBoxSave = nullptr;
    QCheckBox* CheckBoxMethod = nullptr;
    QCheckBox* CheckBoxTitleBar = nullptr;
    QCheckBox* CheckBoxCenter = nullptr;  // hidden redraw trigger

private:
    QGroupBox* addGroup(const char* name, const QString& caption);
    QCheckBox* addCheck(QGroupBox* group, const char* name, const QString& caption, bool on,
                        const char* hint = nullptr);
};

}  // namespace gonilux::mainwindow
