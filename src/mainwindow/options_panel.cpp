#include "options_panel.h"

#include "group_box_ex.h"
#include "hover_readout.h"
#include "language.h"
#include "layout_rules.h"
#include "photometry/header_encoding.h"
#include "photometry/product_name.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace gonilux::mainwindow {
namespace {

QString Hint(const char* text) {
    return OptionsPanel::tr(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

OptionsPanel::OptionsPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PanelMain"));
    setFixedWidth(kShownWidth);
    PanelMainChild = new QWidget(this);
    PanelMainChild->setObjectName(QStringLiteral("PanelMainChild"));
    auto* stack = new QVBoxLayout(PanelMainChild);
    stack->setContentsMargins(2, 2, 2, 2);
    stack->setSpacing(2);
    stack->setAlignment(Qt::AlignTop);
    stack->setSizeConstraint(QLayout::SetNoConstraint);
    ScrollBar = new QScrollBar(Qt::Vertical, this);
    ScrollBar->setObjectName(QStringLiteral("ScrollBarPanel"));
    ScrollBar->hide();
    connect(ScrollBar, &QScrollBar::valueChanged, this,
            [this](int value) { PanelMainChild->move(0, -value); });
    buildOptionsGroup();
    buildViewGroup();
    buildTreeGroup();
    buildListGroup();
    buildEyeGroup();
    buildFavouritesGroup();
    buildOtherGroup();
    CheckBoxCenter = new QCheckBox(this);
    CheckBoxCenter->setObjectName(QStringLiteral("CheckBoxCenter"));
    CheckBoxCenter->hide();
    finishGroups(); // the groups' heights are taken without the texts below
    LabelMy->setText(QStringLiteral(GONILUX_PRODUCT_NAME "\nKestrin\n2002-2026"));
    EditTrel->setText(QStringLiteral("C++20 · Qt %1").arg(QString::fromLatin1(qVersion())));
    bindControls();
    wirePresets();
    syncEnabled();
    connect(qApp, &QApplication::focusChanged, this, &OptionsPanel::onFocusChanged);
    connect(ButtonRefresh, &QPushButton::clicked, this, &OptionsPanel::refreshRequested);
    connect(ComboBoxLanguage, &QComboBox::activated, this, [this](int index) {
        language_ = LanguageCode(index == 1 ? Language::English : Language::Chinese).toStdString();
        emit languageChosen(index);
    });
    shown_ = options();
}

TGroupBoxEx* OptionsPanel::addGroup(const char* name, const QString& caption, int designedHeight) {
    auto* group = new TGroupBoxEx(caption, PanelMainChild);
    group->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(1);
    layout->setAlignment(Qt::AlignTop);
    group->setProperty("designedHeight", designedHeight);
    PanelMainChild->layout()->addWidget(group);
    groups_.append(group);
    return group;
}

QCheckBox* OptionsPanel::addCheck(TGroupBoxEx* group, const char* name, const QString& caption,
                                  bool on, const char* hint) {
    auto* box = new QCheckBox(caption, group);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(on);
    if (hint) box->setToolTip(Hint(hint));
    group->layout()->addWidget(box);
    return box;
}

QRadioButton* OptionsPanel::addRadio(TGroupBoxEx* group, const char* name, const QString& caption) {
    auto* button = new QRadioButton(caption, group);
    button->setObjectName(QString::fromLatin1(name));
    group->layout()->addWidget(button);
    return button;
}

QSlider* OptionsPanel::addSlider(TGroupBoxEx* group, const char* name, int minimum, int maximum,
                                 int value, const char* hint) {
    auto* slider = new QSlider(Qt::Horizontal, group);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setRange(minimum, maximum);
    slider->setValue(value);
    if (hint) slider->setToolTip(Hint(hint));
    group->layout()->addWidget(slider);
    return slider;
}

QComboBox* OptionsPanel::addCombo(TGroupBoxEx* group, const char* name, const QStringList& items,
                                  int index) {
    auto* combo = new QComboBox(group);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(items);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setCurrentIndex(index);
    group->layout()->addWidget(combo);
    return combo;
}

void OptionsPanel::buildOptionsGroup() {
    GroupBoxExOptions = addGroup("GroupBoxExOptions", tr("选项板"), 74);
    CheckBoxHide = addCheck(GroupBoxExOptions, "CheckBoxHide", tr("自动隐藏"), false);
    CheckBoxAlways = addCheck(GroupBoxExOptions, "CheckBoxAlways", tr("一直显示"), true);
    auto* row = new QWidget(GroupBoxExOptions);
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    ButtonRefresh = new QPushButton(tr("更新"), GroupBoxExOptions);
    ButtonRefresh->setObjectName(QStringLiteral("ButtonRefresh"));
    ButtonRefresh->setToolTip(Hint(QT_TR_NOOP("更新   \rF5")));
    ButtonHide = new QPushButton(QStringLiteral(">>"), GroupBoxExOptions);
    ButtonHide->setObjectName(QStringLiteral("ButtonHide"));
    ButtonHide->setToolTip(
        Hint(QT_TR_NOOP("隐藏选项面板      \r显示: Ctrl(或鼠标右键)+移动鼠标到窗口的右边")));
    rowLayout->addWidget(ButtonRefresh);
    rowLayout->addWidget(ButtonHide);
    GroupBoxExOptions->layout()->addWidget(row);
    connect(ButtonHide, &QPushButton::clicked, this, &OptionsPanel::ButtonHideClick);
}

void OptionsPanel::buildViewGroup() {
    GroupBoxExView = addGroup("GroupBoxExView", tr("显示IES"), 266);
    ComboBoxCaption = addCombo(GroupBoxExView, "ComboBoxCaption",
                               {tr("文件名"), tr("测试"), tr("生产商"), tr("灯具"), tr("灯具标题"),
                                tr("灯泡"), tr("灯泡标题")},
                               0);
    ComboBoxCaption->setToolTip(tr("IES 标题"));
    CheckBoxSort =
        addCheck(GroupBoxExView, "CheckBoxSort", tr("排序"), true, QT_TR_NOOP("按字母排序IES文件"));
    CheckBoxLdt = addCheck(GroupBoxExView, "CheckBoxLdt", tr("EULUMDAT (.ldt)"), true,
                           QT_TR_NOOP("文件列表中也显示EULUMDAT (.ldt)文件"));
    RadioButtonList = addRadio(GroupBoxExView, "RadioButtonList", tr("列表"));
    RadioButtonIcons = addRadio(GroupBoxExView, "RadioButtonIcons", tr("图标"));
    RadioButtonThumbnails = addRadio(GroupBoxExView, "RadioButtonThumbnails", tr("缩略图"));
    RadioButtonDetails = addRadio(GroupBoxExView, "RadioButtonDetails", tr("详细信息"));
    RadioButtonList->setChecked(true);
    CheckBoxKeep = addCheck(GroupBoxExView, "CheckBoxKeep", tr("保持标题"), false,
                            QT_TR_NOOP("当改变文件夹时保持标题"));
    CheckBoxMulti = addCheck(GroupBoxExView, "CheckBoxMulti", tr("绝对值"), false,
                             QT_TR_NOOP("对于所有光强的倍增量   \r值: 相对(cd/klm) / 绝对(cd)"));
    CheckBoxComplete = addCheck(GroupBoxExView, "CheckBoxComplete", tr("显示完整图表"), false,
                                QT_TR_NOOP("在开始度数大于90度时显示完整图表"));
    CheckBoxWarning =
        addCheck(GroupBoxExView, "CheckBoxWarning", tr("显示警告图标"), true,
                 QT_TR_NOOP("警告图标\rAutodesk VIZ4 及 Insight 2.xx使用此IES文件可能不正确"));
    CheckBoxLabels = addCheck(GroupBoxExView, "CheckBoxLabels", tr("显示文本标签"), false);
}

void OptionsPanel::buildTreeGroup() {
    GroupBoxExTree = addGroup("GroupBoxExTree", tr("资源目录"), 174);
    CheckBoxLarge = addCheck(GroupBoxExTree, "CheckBoxLarge", tr("大图标"), false);
    CheckBoxButton = addCheck(GroupBoxExTree, "CheckBoxButton", tr("显示按钮"), true);
    CheckBoxLines = addCheck(GroupBoxExTree, "CheckBoxLines", tr("显示线"), true);
    CheckBoxExpand = addCheck(GroupBoxExTree, "CheckBoxExpand", tr("自动展开"), false);
    CheckBoxHotTrack = addCheck(GroupBoxExTree, "CheckBoxHotTrack", tr("热点追踪"), false);
    RadioButton9X = addRadio(GroupBoxExTree, "RadioButton9X", QStringLiteral("Windows 9.x, Me"));
    RadioButtonXP = addRadio(GroupBoxExTree, "RadioButtonXP", QStringLiteral("Windows XP"));
    RadioButtonCustom = addRadio(GroupBoxExTree, "RadioButtonCustom", tr("自定义"));
    RadioButtonCustom->setEnabled(false);
    RadioButton9X->setChecked(true);
}

void OptionsPanel::buildListGroup() {
    GroupBoxExList = addGroup("GroupBoxExList", tr("资源列表"), 274);
    CheckBoxHandPont = addCheck(GroupBoxExList, "CheckBoxHandPont", tr("手形指针"), false);
    CheckBoxUnderlineHot = addCheck(GroupBoxExList, "CheckBoxUnderlineHot", tr("热点底线"), false);
    CheckBoxUnderlineCold =
        addCheck(GroupBoxExList, "CheckBoxUnderlineCold", tr("冷点底线"), false);
    CheckBoxFlat = addCheck(GroupBoxExList, "CheckBoxFlat", tr("平式滚动条"), false);
    CheckBoxLHotTrack = addCheck(GroupBoxExList, "CheckBoxLHotTrack", tr("热点追踪"), false);
    EditHoverTime = new QLineEdit(QStringLiteral("-1"), GroupBoxExList);
    EditHoverTime->setObjectName(QStringLiteral("EditHoverTime"));
    EditHoverTime->setMaxLength(5);
    EditHoverTime->setToolTip(tr("-1 至 10000"));
    EditHoverTime->setEnabled(false);
    EditHoverTime->installEventFilter(this);
    GroupBoxExList->layout()->addWidget(EditHoverTime);
    RadioButtonL9X = addRadio(GroupBoxExList, "RadioButtonL9X", QStringLiteral("Windows 9.x, Me"));
    RadioButtonLXP = addRadio(GroupBoxExList, "RadioButtonLXP", QStringLiteral("Windows XP"));
    RadioButtonLCustom = addRadio(GroupBoxExList, "RadioButtonLCustom", tr("自定义"));
    RadioButtonLCustom->setEnabled(false);
    RadioButtonL9X->setChecked(true);
    CheckBoxUp = addCheck(GroupBoxExList, "CheckBoxUp", tr("上级文件夹"), true);
    ComboBoxUp =
        addCombo(GroupBoxExList, "ComboBoxUp", {tr("直到"), QStringLiteral(".."), tr(".. 仅")}, 2);
    CheckBoxDblClick = addCheck(GroupBoxExList, "CheckBoxDblClick", tr("双击"), true);
    ComboBoxDblClick =
        addCombo(GroupBoxExList, "ComboBoxDblClick", {tr("使用默认打开"), tr("使用记事本打开")}, 0);
    ComboBoxDblClick->setEnabled(false);
    connect(EditHoverTime, &QLineEdit::returnPressed, this, &OptionsPanel::EditHoverTimeExit);
}

void OptionsPanel::buildEyeGroup() {
    GroupBoxExEye = addGroup("GroupBoxExEye", tr("鱼眼及浮动窗口"), 170);
    TrackBarR = addSlider(GroupBoxExEye, "TrackBarR", 8, 64, 32,
                          QT_TR_NOOP("半径\r在图表上 Alt+鼠标右键+鼠标上下移动"));
    TrackBarK = addSlider(GroupBoxExEye, "TrackBarK", 0, 80, 80,
                          QT_TR_NOOP("折射率\r在图表上 Alt+鼠标左键+鼠标上下移动"));
    CheckBoxLink = addCheck(GroupBoxExEye, "CheckBoxLink", tr("联动 R-Z"), true);
    CheckBoxLink->hide();
    CheckBoxPlus = addCheck(GroupBoxExEye, "CheckBoxPlus", QStringLiteral("+/-"), false,
                            QT_TR_NOOP("放大/缩小\r在图表上 Ctrl+单击鼠标左键"));
    CheckBoxOn = addCheck(GroupBoxExEye, "CheckBoxOn", tr("开"), false,
                          QT_TR_NOOP("开/关 放大镜\r在图表上 Ctrl+单击鼠标左键"));
    PaintBoxArc = new PaintBoxArcWidget(CheckBoxPlus, GroupBoxExEye);
    GroupBoxExEye->layout()->addWidget(PaintBoxArc);
    TrackBarAlpha = addSlider(GroupBoxExEye, "TrackBarAlpha", 0, 255, 128, nullptr);
}

void OptionsPanel::buildFavouritesGroup() {
    GroupBoxExFavorites = addGroup("GroupBoxExFavorites", tr("偏爱收藏"), 266);
    CheckBoxFavs = addCheck(GroupBoxExFavorites, "CheckBoxFavs", tr("记住设置"), false,
                            QT_TR_NOOP("记住每个偏好文件夹的查看设置"));
    CheckBoxFavViews = addCheck(GroupBoxExFavorites, "CheckBoxFavViews", tr("查看"), false);
    CheckBoxFavCaptions = addCheck(GroupBoxExFavorites, "CheckBoxFavCaptions", tr("标题"), false);
    ListBoxFavorites = new QListWidget(GroupBoxExFavorites);
    ListBoxFavorites->setObjectName(QStringLiteral("ListBoxFavorites"));
    ListBoxFavorites->setSortingEnabled(true);
    ListBoxFavorites->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBoxFavorites->setMouseTracking(true);
    GroupBoxExFavorites->layout()->addWidget(ListBoxFavorites);
    auto* favButtons = new QHBoxLayout;
    ButtonAdd = new QPushButton(tr("加"), GroupBoxExFavorites);
    ButtonAdd->setObjectName(QStringLiteral("ButtonAdd"));
    ButtonAdd->setToolTip(Hint(QT_TR_NOOP("将当前文件夹加为偏爱")));
    ButtonRemove = new QPushButton(tr("删"), GroupBoxExFavorites);
    ButtonRemove->setObjectName(QStringLiteral("ButtonRemove"));
    ButtonRemove->setEnabled(false);
    favButtons->addWidget(ButtonAdd);
    favButtons->addWidget(ButtonRemove);
    static_cast<QVBoxLayout*>(GroupBoxExFavorites->layout())->addLayout(favButtons);
}

void OptionsPanel::buildOtherGroup() {
    GroupBoxExOther = addGroup("GroupBoxExOther", tr("其它"), 262);
    CheckBoxMessages = addCheck(GroupBoxExOther, "CheckBoxMessages", tr("显示IO信息"), false);
    EditTrel = new QLineEdit(GroupBoxExOther);
    EditTrel->setObjectName(QStringLiteral("EditTrel"));
    EditTrel->setReadOnly(true);
    EditTrel->setFrame(false);
    GroupBoxExOther->layout()->addWidget(EditTrel);
    CheckBoxSave = addCheck(GroupBoxExOther, "CheckBoxSave", tr("保存最后文件夹"), false);
    CheckBoxMethod = addCheck(GroupBoxExOther, "CheckBoxMethod", tr("质量重绘"), false,
                              QT_TR_NOOP("质量重绘图表\r没有闪烁的重绘，此方法需要更多内存。"));
    CheckBoxTitleBar = addCheck(GroupBoxExOther, "CheckBoxTitleBar", tr("标题栏全路径"), false);
    auto* lengths = new QLabel(tr("长度单位"), GroupBoxExOther);
    lengths->setObjectName(QStringLiteral("LabelLengths"));
    GroupBoxExOther->layout()->addWidget(lengths);
    ComboBoxLengths =
        addCombo(GroupBoxExOther, "ComboBoxLengths", {tr("公制"), tr("文件自身单位")}, 0);
    ComboBoxLengths->setToolTip(tr("发光面尺寸的单位：公制 (m 或 mm)，或文件自身的单位 "
                                   "(IES: 英尺或米；EULUMDAT: mm)"));
    buildLanguageRow();
    LabelMy = new QLabel(GroupBoxExOther);
    LabelMy->setObjectName(QStringLiteral("LabelMy"));
    // The group is as high as the controls above it: the label below takes what is left and is
    // cut first, never the boxes.
    LabelMy->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    GroupBoxExOther->layout()->addWidget(LabelMy);
}

// The interface language and the header encoding. Their boxes sit in rows of their own, so the
// group's generic storage passes them by; the language names are in their own language.
void OptionsPanel::buildLanguageRow() {
    auto* row = new QWidget(GroupBoxExOther);
    auto* grid = new QGridLayout(row);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    LabelLanguage = new QLabel(tr("语言"), row);
    LabelLanguage->setObjectName(QStringLiteral("LabelLanguage"));
    ComboBoxLanguage = new QComboBox(row);
    ComboBoxLanguage->setObjectName(QStringLiteral("ComboBoxLanguage"));
    ComboBoxLanguage->addItems({QStringLiteral("中文"), QStringLiteral("English")});
    ComboBoxLanguage->setToolTip(tr("界面语言（下次启动时生效）"));
    // How header text is read; like the language, kept under its own key.
    LabelEncoding = new QLabel(tr("标题编码"), row);
    LabelEncoding->setObjectName(QStringLiteral("LabelEncoding"));
    ComboBoxEncoding = new QComboBox(row);
    ComboBoxEncoding->setObjectName(QStringLiteral("ComboBoxEncoding"));
    ComboBoxEncoding->addItem(
        tr("自动"), QString::fromLatin1(kAutoEncoding.data(), qsizetype(kAutoEncoding.size())));
    for (std::string_view name : HeaderEncodingNames()) {
        const QString text = QString::fromLatin1(name.data(), qsizetype(name.size()));
        ComboBoxEncoding->addItem(text, text);
    }
    ComboBoxEncoding->setToolTip(tr("文件标题的字符编码；自动按内容判断"));
    // One above the other, so that each box is as wide as its longest item in either language.
    for (QComboBox* box : {ComboBoxLanguage, ComboBoxEncoding})
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    grid->addWidget(LabelLanguage, 0, 0);
    grid->addWidget(ComboBoxLanguage, 1, 0);
    grid->addWidget(LabelEncoding, 2, 0);
    grid->addWidget(ComboBoxEncoding, 3, 0);
    GroupBoxExOther->layout()->addWidget(row);
}

// Expanded heights: the designed height, or more when this platform's font needs it.
void OptionsPanel::finishGroups() {
    for (TGroupBoxEx* group : groups_) {
        // The contents and the frame around them (the caption's band above, the border below).
        const QMargins frame = group->contentsMargins();
        const int needed = group->layout()->sizeHint().height() + frame.top() + frame.bottom();
        group->setHeightExpanded(std::max(group->property("designedHeight").toInt(), needed));
        bindDragScrolling(group);
        connect(group, &TGroupBoxEx::OnExpand, this, &OptionsPanel::FitOptionsPanel);
        connect(group, &TGroupBoxEx::mouseDownOutside, this,
                &OptionsPanel::PanelMainChildMouseDown);
        connect(group, &TGroupBoxEx::mouseMoveOutside, this,
                &OptionsPanel::PanelMainChildMouseMove);
        connect(group, &TGroupBoxEx::mouseUpOutside, this, [this] { panelDragging_ = false; });
    }
    bindDragScrolling(PanelMainChild);
    bindDragScrolling(LabelMy);
    FitOptionsPanel();
}

void OptionsPanel::bindDragScrolling(QWidget* widget) {
    widget->setMouseTracking(true);
    if (!qobject_cast<TGroupBoxEx*>(widget)) widget->installEventFilter(this);
}

QList<TGroupBoxEx*> OptionsPanel::groups() const {
    return groups_;
}

} // namespace gonilux::mainwindow
