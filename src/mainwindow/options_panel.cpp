#include "options_panel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace gonilux::mainwindow {
namespace {

QString Hint(const char* text) {
    return QString::fromUtf8(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

}  // namespace

OptionsPanel::OptionsPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PanelMain"));
    setFixedWidth(144);
    PanelMainChild = new QWidget(this);
    PanelMainChild->setObjectName(QStringLiteral("PanelMainChild"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(PanelMainChild);
    outer->addStretch(1);
    auto* stack = new QVBoxLayout(PanelMainChild);
    stack->setContentsMargins(2, 2, 2, 2);
    stack->setSpacing(4);

    GroupBoxExOptions = addGroup("GroupBoxExOptions", QStringLiteral("选项板"));
    CheckBoxHide = addCheck(GroupBoxExOptions, "CheckBoxHide", QStringLiteral("自动隐藏"), true);
    CheckBoxAlways = addCheck(GroupBoxExOptions, "CheckBoxAlways", QStringLiteral("一直显示"), true);
    ButtonRefresh = new QPushButton(QStringLiteral("更新"), GroupBoxExOptions);
    ButtonRefresh->setObjectName(QStringLiteral("ButtonRefresh"));
    ButtonRefresh->setToolTip(Hint("更新   \rF5"));
    GroupBoxExOptions->layout()->addWidget(ButtonRefresh);

    GroupBoxExView = addGroup("GroupBoxExView", QStringLiteral("显示IES"));
    ComboBoxCaption = new QComboBox(GroupBoxExView);
    ComboBoxCaption->setObjectName(QStringLiteral("ComboBoxCaption"));
    ComboBoxCaption->addItems({QStringLiteral("文件名"), QStringLiteral("测试"), QStringLiteral("生产商"),
                               QStringLiteral("灯具"), QStringLiteral("灯具标题"),
                               QStringLiteral("灯泡"), QStringLiteral("灯泡标题")});
    ComboBoxCaption->setToolTip(QStringLiteral("IES 标题"));
    GroupBoxExView->layout()->addWidget(ComboBoxCaption);
    CheckBoxSort = addCheck(GroupBoxExView, "CheckBoxSort", QStringLiteral("排序"), true, "按字母排序IES文件");
    RadioButtonList = new QRadioButton(QStringLiteral("列表"), GroupBoxExView);
    RadioButtonList->setObjectName(QStringLiteral("RadioButtonList"));
    RadioButtonList->setChecked(true);
    RadioButtonIcons = new QRadioButton(QStringLiteral("图标"), GroupBoxExView);
    RadioButtonIcons->setObjectName(QStringLiteral("RadioButtonIcons"));
    GroupBoxExView->layout()->addWidget(RadioButtonList);
    GroupBoxExView->layout()->addWidget(RadioButtonIcons);
    CheckBoxKeep = addCheck(GroupBoxExView, "CheckBoxKeep", QStringLiteral("保持标题"), false,
                            "当改变文件夹时保持标题");
    CheckBoxMulti = addCheck(GroupBoxExView, "CheckBoxMulti", QStringLiteral("绝对值"), false);
    CheckBoxMulti->setToolTip(Hint("对于所有光强的倍增量   \r值: 相对(cd/klm) / 绝对(cd)"));
    CheckBoxComplete = addCheck(GroupBoxExView, "CheckBoxComplete", QStringLiteral("显示完整图表"), false,
                                "在开始度数大于90度时显示完整图表");
    CheckBoxWarning = addCheck(GroupBoxExView, "CheckBoxWarning", QStringLiteral("显示警告图标"), true,
                               "警告图标\rAutodesk VIZ4 及 Insight 2.xx使用此IES文件可能不正确");
    CheckBoxLabels = addCheck(GroupBoxExView, "CheckBoxLabels", QStringLiteral("显示文本标签"), false);

    GroupBoxExList = addGroup("GroupBoxExList", QStringLiteral("资源列表"));
    CheckBoxUp = addCheck(GroupBoxExList, "CheckBoxUp", QStringLiteral("上级文件夹"), true);
    ComboBoxUp = new QComboBox(GroupBoxExList);
    ComboBoxUp->setObjectName(QStringLiteral("ComboBoxUp"));
    ComboBoxUp->addItems({QStringLiteral("直到"), QStringLiteral(".."), QStringLiteral(".. 仅")});
    ComboBoxUp->setCurrentIndex(2);
    GroupBoxExList->layout()->addWidget(ComboBoxUp);

    GroupBoxExOther = addGroup("GroupBoxExOther", QStringLiteral("其它"));
    CheckBoxMessages = addCheck(GroupBoxExOther, "CheckBoxMessages", QStringLiteral("显示IO信息"), true);
    CheckBoxSave = addCheck(GroupBoxExOther, "CheckBoxSave", QStringLiteral("保存最后文件夹"), true);
    CheckBoxMethod = addCheck(GroupBoxExOther, "CheckBoxMethod", QStringLiteral("质量重绘"), true,
                              "质量重绘图表\r没有闪烁的重绘，此方法需要更多内存。");
    CheckBoxTitleBar = addCheck(GroupBoxExOther, "CheckBoxTitleBar", QStringLiteral("标题栏全路径"), true);
    auto* labelMy = new QLabel(QStringLiteral("Gonilux v2.9\nKestrin\n2002-2026"), GroupBoxExOther);
    labelMy->setObjectName(QStringLiteral("LabelMy"));
    GroupBoxExOther->layout()->addWidget(labelMy);

    CheckBoxCenter = new QCheckBox(this);
    CheckBoxCenter->setObjectName(QStringLiteral("CheckBoxCenter"));
    CheckBoxCenter->hide();
}

QGroupBox* OptionsPanel::addGroup(const char* name, const QString& caption) {
    auto* group = new QGroupBox(caption, PanelMainChild);
    group->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(1);
    PanelMainChild->layout()->addWidget(group);
    return group;
}

QCheckBox* OptionsPanel::addCheck(QGroupBox* group, const char* name, const QString& caption,
                                  bool on, const char* hint) {
    auto* box = new QCheckBox(caption, group);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(on);
    if (hint) box->setToolTip(Hint(hint));
    group->layout()->addWidget(box);
    return box;
}

DiagramOptions OptionsPanel::diagramOptions() const {
    DiagramOptions options;
    options.Center = CheckBoxCenter->isChecked();
    options.Complete = CheckBoxComplete->isChecked();
    options.Multi = CheckBoxMulti->isChecked();
    options.Warning = CheckBoxWarning->isChecked();
    options.Labels = CheckBoxLabels->isChecked();
    return options;
}

}  // namespace gonilux::mainwindow
