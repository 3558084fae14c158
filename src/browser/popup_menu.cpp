#include "popup_menu.h"

#include <QActionGroup>

namespace gonilux::browser {

std::array<QString, PopupMenu::kCaptionCount> PopupMenu::FixedCaptions() {
    return {tr("文件名"),   tr("测试"), tr("生产商"),  tr("灯具"),
            tr("灯具目录"), tr("灯泡"), tr("灯泡目录")};
}

PopupMenu::PopupMenu(QWidget* parent) : QMenu(parent) {
    setObjectName(QStringLiteral("PopupMenu"));
    Open1 = addNamed(this, "Open1", tr("打开"));
    OpenNotepad1 = addNamed(this, "OpenNotepad1", tr("使用记事本打开"));
    Openfolder1 = addNamed(this, "Openfolder1", tr("打开文件夹"));
    Explore1 = addNamed(this, "Explore1", tr("浏览"));
    AddToFavorites1 = addNamed(this, "AddToFavorites1", tr("添加到收藏夹"));
    N6 = addSeparatorNamed(this, "N6");
    Favorites1 = addMenu(tr("偏爱"));
    Favorites1->setObjectName(QStringLiteral("Favorites1"));
    Favorites1->menuAction()->setObjectName(QStringLiteral("Favorites1"));
    N5 = addSeparatorNamed(this, "N5");
    View1 = addMenu(tr("查看"));
    View1->setObjectName(QStringLiteral("View1"));
    auto* views = new QActionGroup(this);
    Thumbnails1 = addNamed(View1, "Thumbnails1", tr("缩略图"));
    Icons1 = addNamed(View1, "Icons1", tr("图标"));
    List1 = addNamed(View1, "List1", tr("列表"));
    Details1 = addNamed(View1, "Details1", tr("详细信息"));
    for (QAction* view : {Thumbnails1, Icons1, List1, Details1}) {
        view->setCheckable(true);
        views->addAction(view);
    }
    N2 = addSeparatorNamed(this, "N2");
    Arrangeby1 = addMenu(tr("排列"));
    Arrangeby1->setObjectName(QStringLiteral("Arrangeby1"));
    auto* captions = new QActionGroup(this);
    for (int i = 0; i < kCaptionCount; ++i) {
        Captions[static_cast<std::size_t>(i)] =
            Arrangeby1->addAction(FixedCaptions()[static_cast<std::size_t>(i)]);
        Captions[static_cast<std::size_t>(i)]->setCheckable(true);
        captions->addAction(Captions[static_cast<std::size_t>(i)]);
    }
    N4 = addSeparatorNamed(Arrangeby1, "N4");
    Sort1 = addNamed(Arrangeby1, "Sort1", tr("排序"));
    Sort1->setCheckable(true);
    Refresh = addNamed(this, "Refresh", tr("更新                F5"));
    N1 = addSeparatorNamed(this, "N1");
    SaveAsTypeC = addNamed(this, "SaveAsTypeC", tr("另存为C型"));
    SaveAsTypeCResampled = addNamed(this, "SaveAsTypeCResampled", tr("另存为C型 (重采样)"));
    SaveAsLdt = addNamed(this, "SaveAsLdt", tr("另存为LDT"));
    SaveAsIes = addNamed(this, "SaveAsIes", tr("另存为IES"));
    CopytoClipboard = addNamed(this, "CopytoClipboard", tr("复制文件名称 Ctrl-C"));
    ExportPicture1 = addNamed(this, "ExportPicture1", tr("导出图像..."));
    CopyPicture1 = addNamed(this, "CopyPicture1", tr("复制图像"));
    N3 = addSeparatorNamed(this, "N3");
    ShowOptionsPanel = addNamed(this, "ShowOptionsPanel", tr("显示选项面板"));
    ShowCompareWindow1 = addNamed(this, "ShowCompareWindow1", tr("显示对比窗口"));
    ShowReport1 = addNamed(this, "ShowReport1", tr("光度报告"));
    Map1 = addNamed(this, "Map1", tr("地图"));
    // The window's keys of these commands, shown beside the items (and taken while it is open).
    for (auto [item, keys] : {std::pair{ExportPicture1, Qt::CTRL | Qt::Key_E},
                              std::pair{ShowCompareWindow1, Qt::CTRL | Qt::Key_K},
                              std::pair{ShowReport1, Qt::CTRL | Qt::Key_R}}) {
        item->setShortcut(QKeySequence(keys));
        item->setShortcutContext(Qt::WidgetShortcut);
    }
    connect(ShowCompareWindow1, &QAction::triggered, this, &PopupMenu::compareRequested);
    connect(ShowReport1, &QAction::triggered, this, &PopupMenu::reportRequested);
    connect(Map1, &QAction::triggered, this, &PopupMenu::mapRequested);
}

void PopupMenu::clearFavourites() {
    Favorites1->clear();
    None1 = nullptr;
}

QAction* PopupMenu::addNamed(QMenu* menu, const char* name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QAction* PopupMenu::addSeparatorNamed(QMenu* menu, const char* name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

} // namespace gonilux::browser
