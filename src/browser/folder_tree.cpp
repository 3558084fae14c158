#include "browser/folder_tree.h"

#include "platform/native_names.h"
#include "platform/shell_actions.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyledItemDelegate>
#include <QTreeWidgetItemIterator>

namespace gonilux::browser {

using platform::FolderItem;
using platform::FolderNamespace;

// Branch area of the tree: dotted lines and classic +/- boxes when lines are on, the platform's
// own expand indicator when they are off, and no indicator at all when buttons are off.
class BranchStyle : public QProxyStyle {
  public:
    bool Lines = true;
    bool Buttons = true;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_IndicatorBranch) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        if (Lines) drawLines(*option, painter);
        QStyleOption button(*option);
        button.state &= ~(State_Item | State_Sibling);
        if (!Buttons || !(button.state & State_Children)) return;
        if (Lines)
            drawBox(button, painter);
        else
            QProxyStyle::drawPrimitive(element, &button, painter, widget);
    }

  private:
    static void drawLines(const QStyleOption& option, QPainter* painter) {
        const QRect& r = option.rect;
        const int x = r.center().x();
        const int y = r.center().y();
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Mid), 1, Qt::DotLine));
        if (option.state & State_Item) {
            painter->drawLine(x, r.top(), x, (option.state & State_Sibling) ? r.bottom() : y);
            painter->drawLine(x, y, r.right(), y);
        } else if (option.state & State_Sibling) {
            painter->drawLine(x, r.top(), x, r.bottom());
        }
        painter->restore();
    }

    static void drawBox(const QStyleOption& option, QPainter* painter) {
        const QPoint c = option.rect.center();
        const QRect box(c.x() - 4, c.y() - 4, 8, 8);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Dark));
        painter->setBrush(option.palette.color(QPalette::Base));
        painter->drawRect(box);
        painter->setPen(option.palette.color(QPalette::Text));
        painter->drawLine(c.x() - 2, c.y(), c.x() + 2, c.y());
        if (!(option.state & State_Open)) painter->drawLine(c.x(), c.y() - 2, c.x(), c.y() + 2);
        painter->restore();
    }
};

// Hot tracking: the node under the mouse is shown underlined in the link colour.
class HotTrackDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool Enabled = false;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!Enabled || !(option->state & QStyle::State_MouseOver)) return;
        option->font.setUnderline(true);
        option->palette.setColor(QPalette::Text, option->palette.color(QPalette::Link));
    }
};

// Refuses moving the current node or the selection to a node that cannot be listed.
class FolderSelectionGuard : public QItemSelectionModel {
  public:
    FolderSelectionGuard(FolderTreeView* view, QAbstractItemModel* model)
        : QItemSelectionModel(model, view), view_(view) {}

    void setCurrentIndex(const QModelIndex& index, SelectionFlags command) override {
        if (index.isValid() && index != currentIndex() &&
            !view_->FolderTreeViewChanging(view_->itemFromIndex(index)))
            return;
        QItemSelectionModel::setCurrentIndex(index, command);
    }

    void select(const QItemSelection& selection, SelectionFlags command) override {
        if (command & Select) {
            for (const QModelIndex& index : selection.indexes())
                if (!view_->canSelect(view_->itemFromIndex(index))) return;
        }
        QItemSelectionModel::select(selection, command);
    }
    using QItemSelectionModel::select;

  private:
    FolderTreeView* view_;
};

TreePreset treePresetFor(bool lines, bool autoExpand, bool hotTrack) {
    if (lines && !autoExpand && !hotTrack) return TreePreset::Windows9x;
    if (!lines && autoExpand && hotTrack) return TreePreset::WindowsXP;
    return TreePreset::Custom;
}

FolderTreeView::FolderTreeView(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("FolderTreeView"));
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setIndentation(TreeIndent);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setUniformRowHeights(true);
    // QTreeWidget emits currentItemChanged for its own selection model only.
    setSelectionModel(new FolderSelectionGuard(this, model()));
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                emit currentItemChanged(itemFromIndex(current), itemFromIndex(previous));
            });

    branchStyle_ = new BranchStyle;
    branchStyle_->setParent(this);
    setStyle(branchStyle_);
    delegate_ = new HotTrackDelegate(this);
    setItemDelegate(delegate_);
    applyIconSize();

    changeTimer_.setSingleShot(true);
    changeTimer_.setInterval(ChangeDelayMs);
    connect(&changeTimer_, &QTimer::timeout, this, &FolderTreeView::onChangeTimer);
    connect(this, &QTreeWidget::currentItemChanged, this, [this] {
        if (!treeBuilding_) changeTimer_.start();
    });
    connect(this, &QTreeWidget::itemExpanded, this, &FolderTreeView::onItemExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &FolderTreeView::onItemCollapsed);
}

FolderTreeView::~FolderTreeView() = default;

void FolderTreeView::setRootPath(const QString& path) {
    namespace_ = FolderNamespace(path);
}

bool FolderTreeView::hasRecord(const QTreeWidgetItem* node) {
    return node != nullptr && node->data(0, PathRole).isValid();
}

bool FolderTreeView::isDummy(const QTreeWidgetItem* node) {
    return node != nullptr && !hasRecord(node) && node->text(0) == DummyText;
}

QString FolderTreeView::ParsingName(const QTreeWidgetItem* node) const {
    return hasRecord(node) ? node->data(0, PathRole).toString() : QString();
}

QTreeWidgetItem* FolderTreeView::findNode(const QString& path) const {
    if (path.isEmpty()) return nullptr;
    for (QTreeWidgetItemIterator it(const_cast<FolderTreeView*>(this)); *it; ++it)
        if (hasRecord(*it) && ParsingName(*it) == path) return *it;
    return nullptr;
}

QTreeWidgetItem* FolderTreeView::createNode(const FolderItem& item) const {
    auto* node = new QTreeWidgetItem(QStringList{item.Name});
    node->setData(0, PathRole, item.Path);
    node->setData(0, NameRole, item.Name);
    node->setIcon(0, namespace_.icon(item.Path));
    return node;
}

void FolderTreeView::AddFolderNodes(const QString& folderPath, QTreeWidgetItem* parentNode,
                                    int depth) {
    if (depth <= 0 || parentNode == nullptr) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QList<QTreeWidgetItem*> nodes;
    for (const FolderItem& item : namespace_.children(folderPath)) {
        QTreeWidgetItem* node = createNode(item);
        nodes.append(node);
        if (platform::IsDirectory(item.Path)) AddFolderNodes(item.Path, node, depth - 1);
        if (depth == 1 && FolderNamespace::hasSubfolders(item.Path))
            node->addChild(new QTreeWidgetItem(QStringList{DummyText}));
    }
    parentNode->addChildren(nodes);
    QApplication::restoreOverrideCursor();
}

void FolderTreeView::FreeTreeData() {
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        (*it)->setData(0, PathRole, QVariant());
        (*it)->setData(0, NameRole, QVariant());
    }
    lastTreeNode_ = nullptr;
}

void FolderTreeView::UpdateTreeView() {
    emit aboutToRebuild();
    FreeTreeData();
    clear();
    const QString root = namespace_.rootPath();
    QTreeWidgetItem* rootNode = createNode({root, namespace_.displayName(root)});
    addTopLevelItem(rootNode);
    applyIconSize();
    AddFolderNodes(root, rootNode, 1);
    treeBuilding_ = false;
}

void FolderTreeView::ButtonCreateTreeClick() {
    treeBuilding_ = true;
    setUpdatesEnabled(false);
    UpdateTreeView();
    treeBuilding_ = false;
    if (QTreeWidgetItem* root = rootNode()) root->setExpanded(true);
    setUpdatesEnabled(true);
}

void FolderTreeView::FolderTreeViewExpand(QTreeWidgetItem* node) {
    if (node == nullptr || node->childCount() == 0 || !isDummy(node->child(0))) return;
    qDeleteAll(node->takeChildren());
    const QString path = ParsingName(node);
    if (platform::IsDirectory(path)) AddFolderNodes(path, node, 1);
}

bool FolderTreeView::FolderTreeViewExpanding(QTreeWidgetItem* node) {
    if (treeBuilding_ || node == nullptr) return false;
    if (node == currentItem() && !restoring_) {
        FolderTreeViewChange(node);
        // Not shown yet (an arrow key is held): its placeholder must still go.
        if (node->childCount() == 0 || !isDummy(node->child(0))) return true;
    }
    if (!FolderNamespace::canEnumerate(ParsingName(node))) return false;
    FolderTreeViewExpand(node);
    return true;
}

bool FolderTreeView::FolderTreeViewCollapsing(QTreeWidgetItem* node) const {
    return !treeBuilding_ && node != nullptr && node->parent() != nullptr;
}

bool FolderTreeView::canSelect(const QTreeWidgetItem* node) const {
    if (node == nullptr) return true;
    if (!hasRecord(node)) return !treeBuilding_;
    // A vanished folder is selected all the same, so that the list can say it is gone; one that
    // is there but cannot be listed (no medium, no access) keeps the selection where it was.
    const QString path = ParsingName(node);
    return FolderNamespace::canEnumerate(path) || FolderVanished(path);
}

bool FolderTreeView::FolderTreeViewChanging(QTreeWidgetItem* node) {
    if (!canSelect(node)) return false;
    if (hasRecord(lastTreeNode_) && node != lastTreeNode_)
        emit leavingFolder(ParsingName(lastTreeNode_));
    return true;
}

void FolderTreeView::onItemExpanded(QTreeWidgetItem* node) {
    if (reverting_ || FolderTreeViewExpanding(node)) return;
    reverting_ = true;
    node->setExpanded(false);
    reverting_ = false;
}

void FolderTreeView::onItemCollapsed(QTreeWidgetItem* node) {
    if (reverting_ || FolderTreeViewCollapsing(node)) return;
    reverting_ = true;
    node->setExpanded(true);
    reverting_ = false;
}

void FolderTreeView::FolderTreeViewChange(QTreeWidgetItem* node) {
    if (node == nullptr || node == lastTreeNode_ || !treeReady_ || treeBuilding_) return;
    FolderTreeViewExpand(node);
    lastTreeNode_ = node;
    if (autoExpand_ && node->childCount() > 0) node->setExpanded(true);
    emit folderChanged(node);
}

void FolderTreeView::onChangeTimer() {
    if (!treeBuilding_) FolderTreeViewChange(currentItem());
}

// Ctrl+C copies the current folder's full path, as the file list copies its files' paths (the
// tree's own copy would take the caption); a node without a path gives its caption.
void FolderTreeView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        event->accept();
        QTreeWidgetItem* node = currentItem();
        if (event->isAutoRepeat() || !hasRecord(node)) return;
        const QString path = ParsingName(node);
        platform::ShellActions::instance()->copyText(path.isEmpty() ? node->text(0) : path);
        return;
    }
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) treeReady_ = false;
    QTreeWidget::keyPressEvent(event);
}

void FolderTreeView::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            treeReady_ = true;
            FolderTreeViewChange(currentItem());
            break;
        case Qt::Key_F5:
            ButtonRefreshClick();
            break;
        default:
            break;
        }
    }
    QTreeWidget::keyReleaseEvent(event);
}

void FolderTreeView::focusOutEvent(QFocusEvent* event) {
    // An arrow key released elsewhere must not leave the tree unable to list.
    if (!treeReady_) {
        treeReady_ = true;
        changeTimer_.start();
    }
    QTreeWidget::focusOutEvent(event);
}

FolderListing FolderTreeView::listingOf(QTreeWidgetItem* node) const {
    FolderListing listing;
    if (node == nullptr) return listing;
    const_cast<FolderTreeView*>(this)->FolderTreeViewExpand(node);
    listing.Path = ParsingName(node);
    listing.NodeText = node->text(0);
    listing.NodeIcon = node->icon(0);
    listing.HasParent = node->parent() != nullptr;
    listing.Browsable = hasRecord(node) && FolderNamespace::canEnumerate(listing.Path);
    for (int i = 0; i < node->childCount(); ++i) {
        const QTreeWidgetItem* child = node->child(i);
        if (hasRecord(child))
            listing.Children.append({child->text(0), ParsingName(child), child->icon(0)});
    }
    return listing;
}

// Expanded nodes (root excluded) in tree order, then the top node, then the selected node.
QStringList FolderTreeView::recordTreeState() const {
    QStringList state;
    for (QTreeWidgetItemIterator it(const_cast<FolderTreeView*>(this)); *it; ++it)
        if ((*it)->parent() != nullptr && (*it)->isExpanded() && hasRecord(*it))
            state.append(ParsingName(*it));
    const QTreeWidgetItem* top = itemAt(QPoint(0, 0));
    state.append(hasRecord(top) ? ParsingName(top) : QStringLiteral("TopItem"));
    const QTreeWidgetItem* selected = currentItem();
    state.append(hasRecord(selected) ? ParsingName(selected) : QStringLiteral("Selected"));
    return state;
}

void FolderTreeView::restoreExpandedNodes(QStringList names) {
    bool found = true;
    while (!names.isEmpty() && found) {
        found = false;
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (QTreeWidgetItem* node = findNode(names.at(i))) {
                node->setExpanded(true);
                names.removeAt(i);
                found = true;
                break;
            }
        }
    }
}

// Selects the node, or the root when the node cannot be selected, and shows it at once.
QTreeWidgetItem* FolderTreeView::selectAndShow(QTreeWidgetItem* node) {
    setCurrentItem(node);
    if (currentItem() != node) {
        node = rootNode();
        setCurrentItem(node);
    }
    FolderTreeViewChange(currentItem());
    return currentItem();
}

void FolderTreeView::ButtonRefreshClick() {
    if (hasRecord(currentItem())) emit leavingFolder(ParsingName(currentItem()));
    QWidget* active = QApplication::focusWidget();
    setEnabled(false);
    setUpdatesEnabled(false);
    treeBuilding_ = true;
    QStringList state = recordTreeState();
    const QString selectedName = state.takeLast();
    const QString topName = state.takeLast();
    UpdateTreeView();
    restoreExpandedNodes(state);

    QTreeWidgetItem* selected = findNode(selectedName);
    if (selected == nullptr) selected = rootNode();
    const bool wasExpanded = selected->isExpanded();
    selected = selectAndShow(selected);
    if (selected != nullptr) selected->setExpanded(wasExpanded);

    treeBuilding_ = true;
    QTreeWidgetItem* top = findNode(topName);
    if (top == nullptr) top = rootNode();
    scrollToItem(top, PositionAtTop);
    treeBuilding_ = false;
    setUpdatesEnabled(true);
    setEnabled(true);
    if (active != nullptr) active->setFocus();
}

// The deepest of the root and its children that holds `target`.
QTreeWidgetItem* FolderTreeView::openStartNode(const QString& target) const {
    QTreeWidgetItem* root = rootNode();
    QTreeWidgetItem* best = nullptr;
    qsizetype bestLength = -1;
    QList<QTreeWidgetItem*> candidates{root};
    for (int i = 0; i < root->childCount(); ++i)
        candidates.append(root->child(i));
    for (QTreeWidgetItem* node : candidates) {
        const QString path = ParsingName(node);
        if (hasRecord(node) && FolderNamespace::isWithin(target, path) &&
            path.size() > bestLength) {
            best = node;
            bestLength = path.size();
        }
    }
    return best;
}

QTreeWidgetItem* FolderTreeView::openPath(const QString& path) {
    QTreeWidgetItem* root = rootNode();
    if (root == nullptr) return nullptr;
    const QString target = FolderNamespace::normalizedPath(path);
    QTreeWidgetItem* node = target.isEmpty() ? nullptr : openStartNode(target);
    if (node == nullptr) node = root;
    restoring_ = true;
    while (ParsingName(node) != target) {
        FolderTreeViewExpand(node);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < node->childCount() && next == nullptr; ++i) {
            QTreeWidgetItem* child = node->child(i);
            if (hasRecord(child) && FolderNamespace::isWithin(target, ParsingName(child)))
                next = child;
        }
        if (next == nullptr) break;
        node->setExpanded(true);
        node = next;
    }
    restoring_ = false;
    node = selectAndShow(node);
    if (node != nullptr) scrollToItem(node);
    return node;
}

void FolderTreeView::applyIconSize() {
    const int small = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    const int large = style()->pixelMetric(QStyle::PM_LargeIconSize, nullptr, this);
    const int size = largeIcons_ ? large : small;
    setIconSize(QSize(size, size));
    setIndentation(TreeIndent);
}

void FolderTreeView::setLargeIcons(bool large) {
    largeIcons_ = large;
    applyIconSize();
}

void FolderTreeView::setShowLines(bool show) {
    branchStyle_->Lines = show;
    viewport()->update();
}

bool FolderTreeView::showLines() const {
    return branchStyle_->Lines;
}

void FolderTreeView::setShowButtons(bool show) {
    branchStyle_->Buttons = show;
    viewport()->update();
}

bool FolderTreeView::showButtons() const {
    return branchStyle_->Buttons;
}

void FolderTreeView::setHotTracking(bool on) {
    delegate_->Enabled = on;
    setMouseTracking(on);
    viewport()->setAttribute(Qt::WA_Hover, on);
    viewport()->update();
}

bool FolderTreeView::hotTracking() const {
    return delegate_->Enabled;
}

void FolderTreeView::applyPreset(TreePreset preset) {
    if (preset == TreePreset::Custom) return;
    const bool xp = preset == TreePreset::WindowsXP;
    setShowLines(!xp);
    setAutoExpand(xp);
    setHotTracking(xp);
}

} // namespace gonilux::browser
