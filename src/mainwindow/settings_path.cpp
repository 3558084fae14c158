#include "settings_groups.h"

#include "group_box_ex.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>

namespace gonilux::mainwindow {
namespace {

std::string Key(const QObject* object) {
    return object->objectName().toStdString();
}

QList<QWidget*> DirectChildren(const TGroupBoxEx* box) {
    return box->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

// Checks exactly the radio buttons whose name is `name` (none when no button has it).
void CheckRadioButtons(const QList<QRadioButton*>& buttons, const QString& name) {
    for (QRadioButton* button : buttons)
        button->setAutoExclusive(false);
    for (QRadioButton* button : buttons)
        button->setChecked(button->objectName() == name);
    for (QRadioButton* button : buttons)
        button->setAutoExclusive(true);
}

} // namespace

QString DefaultRadioButton(const QString& box) {
    if (box == QLatin1String("GroupBoxExView")) return QStringLiteral("RadioButtonList");
    if (box == QLatin1String("GroupBoxExTree")) return QStringLiteral("RadioButtonXP");
    if (box == QLatin1String("GroupBoxExList")) return QStringLiteral("RadioButtonLXP");
    return {};
}

bool ChecksByDefault(const QString& checkBox) {
    static const QStringList kAlwaysOn = {
        QStringLiteral("CheckBoxButton"), QStringLiteral("CheckBoxWarning"),
        QStringLiteral("CheckBoxSort"), QStringLiteral("CheckBoxTitleBar"),
        QStringLiteral("CheckBoxLdt")};
    return kAlwaysOn.contains(checkBox);
}

bool LoadGroupBox(TGroupBoxEx* box, const IniDocument& ini, int collapsedDefault,
                  int checkDefault) {
    const std::string section = Key(box);
    std::optional<int> collapsed = ini.IntegerOr(section, "Collapsed", collapsedDefault);
    if (!collapsed) return false;
    box->setCollapsed(*collapsed != 0);
    QList<QRadioButton*> radios;
    for (QWidget* child : DirectChildren(box)) {
        const std::string key = Key(child);
        if (key.empty()) continue;
        if (auto* slider = qobject_cast<QAbstractSlider*>(child)) {
            std::optional<int> value = ini.IntegerOr(section, key, slider->value());
            if (!value) return false;
            slider->setValue(*value); // clamped into the slider's range
        } else if (auto* combo = qobject_cast<QComboBox*>(child)) {
            const int fallback = key == "ComboBoxUp" ? 2 : 0;
            std::optional<int> index = ini.IntegerOr(section, key, fallback);
            if (!index) return false;
            combo->setCurrentIndex(*index >= 0 && *index < combo->count() ? *index : -1);
        } else if (auto* edit = qobject_cast<QLineEdit*>(child)) {
            edit->setText(QString::fromStdString(ini.ValueOr(section, key, "-1")));
        } else if (auto* radio = qobject_cast<QRadioButton*>(child)) {
            radios.append(radio);
        } else if (auto* check = qobject_cast<QCheckBox*>(child)) {
            const int fallback = ChecksByDefault(child->objectName()) ? 1 : checkDefault;
            std::optional<int> value = ini.IntegerOr(section, key, fallback);
            if (!value) return false;
            check->setChecked(*value != 0);
        }
    }
    if (!radios.isEmpty()) {
        const std::string fallback = DefaultRadioButton(box->objectName()).toStdString();
        CheckRadioButtons(radios, QString::fromStdString(ini.ValueOr(section, "RB", fallback)));
    }
    return true;
}

void SaveGroupBox(const TGroupBoxEx* box, IniDocument& ini) {
    const std::string section = Key(box);
    ini.SetInteger(section, "Collapsed", box->isCollapsed() ? 1 : 0);
    for (QWidget* child : DirectChildren(box)) {
        const std::string key = Key(child);
        if (key.empty()) continue;
        if (auto* slider = qobject_cast<QAbstractSlider*>(child))
            ini.SetInteger(section, key, slider->value());
        else if (auto* combo = qobject_cast<QComboBox*>(child))
            ini.SetInteger(section, key, combo->currentIndex());
        else if (auto* edit = qobject_cast<QLineEdit*>(child))
            ini.SetValue(section, key, edit->text().toStdString());
        else if (auto* radio = qobject_cast<QRadioButton*>(child)) {
            if (radio->isChecked()) ini.SetValue(section, "RB", key);
        } else if (auto* check = qobject_cast<QCheckBox*>(child))
            ini.SetInteger(section, key, check->isChecked() ? 1 : 0);
    }
}

QString DefaultSettingsPath() {
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("gonilux.ini"));
    if (QFileInfo::exists(beside) || QFileInfo(QCoreApplication::applicationDirPath()).isWritable())
        return beside;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("gonilux.ini"));
}

} // namespace gonilux::mainwindow
