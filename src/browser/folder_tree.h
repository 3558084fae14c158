// The folder tree of the main window: the folder namespace shown one level at a time. A node's
// children are created when it is first expanded or selected; until then a node with subfolders
// carries a single "Dummy" child so that the tree draws its expand button. Real nodes carry their
// record (path and display name) in item data; placeholders carry none.
#pragma once

#include "browser/folder_listing.h"
#include "platform/folder_namespace.h"

#include <QString>
#include <QStringList>
#include <QTimer>
#include <QTreeWidget>

namespace gonilux::browser {

class BranchStyle;
class HotTrackDelegate;
class FolderSelectionGuard;

// The tree appearance presets of the options panel.
enum class TreePreset { Windows9x, WindowsXP, Custom };
// Lines only gives Windows9x; auto-expand and hot tracking without lines give WindowsXP.
TreePreset treePresetFor(bool lines, bool autoExpand, bool hotTrack);

class FolderTreeView : public QTreeWidget {
    Q_OBJECT
  public:
    static constexpr int PathRole = Qt::UserRole + 1; // record: parsing name
    static constexpr int NameRole = Qt::UserRole + 2; // record: display name
    static constexpr int TreeIndent = 19;
    static constexpr int ChangeDelayMs = 50;
    static inline const QString DummyText = QStringLiteral("Dummy");

    explicit FolderTreeView(QWidget* parent = nullptr);
    ~FolderTreeView() override;

    // The namespace root: empty for the desktop, else a folder (the viewer's --root). Takes
    // effect at the next build.
    void setRootPath(const QString& path);
    QString rootPath() const { return namespace_.rootPath(); }
    const platform::FolderNamespace& folderNamespace() const { return namespace_; }

    bool treeBuilding() const { return treeBuilding_; }
    void setTreeBuilding(bool building) { treeBuilding_ = building; }
    bool treeReady() const { return treeReady_; }
    void setTreeReady(bool ready) { treeReady_ = ready; }
    QTreeWidgetItem* lastTreeNode() const { return lastTreeNode_; }
    QTreeWidgetItem* rootNode() const {
        return topLevelItemCount() > 0 ? topLevelItem(0) : nullptr;
    }

    static bool hasRecord(const QTreeWidgetItem* node);
    static bool isDummy(const QTreeWidgetItem* node);
    // The node's path; empty for a placeholder or none.
    QString ParsingName(const QTreeWidgetItem* node) const;
    // First node in tree order whose path equals `path` exactly; only existing nodes are searched.
    QTreeWidgetItem* findNode(const QString& path) const;
    // What the file list needs of a node; creates the node's children first when needed.
    FolderListing listingOf(QTreeWidgetItem* node) const;

    // Expands the chain of nodes from the root down to `path` (without listing the intermediate
    // folders) and selects the deepest node reached, which is listed normally. An empty path or
    // one outside the namespace selects the root. Returns the selected node.
    QTreeWidgetItem* openPath(const QString& path);

    // The stored form of the selection: every caption from the root down, each followed by "/".
    QString GetTreePath() const;
    // Reopens a stored caption path: expands the nodes whose captions match, one level at a
    // time, without listing them, then selects the last node found. Returns it.
    QTreeWidgetItem* OpenTreePath(QString path);
    // Cuts the text before the first "/" (and the "/") off the front of `path`; empty when
    // there is no "/", which leaves the path unchanged.
    static QString CutPathComponent(QString& path);

    // Event rules, public so that the main window and the tests can run them.
    bool FolderTreeViewExpanding(QTreeWidgetItem* node);
    bool FolderTreeViewCollapsing(QTreeWidgetItem* node) const;
    bool FolderTreeViewChanging(QTreeWidgetItem* node);
    void AddFolderNodes(const QString& folderPath, QTreeWidgetItem* parentNode, int depth);

    // Appearance options.
    void setLargeIcons(bool large);
    bool largeIcons() const { return largeIcons_; }
    void setShowLines(bool show);
    bool showLines() const;
    void setShowButtons(bool show);
    bool showButtons() const;
    void setAutoExpand(bool on) { autoExpand_ = on; }
    bool autoExpand() const { return autoExpand_; }
    void setHotTracking(bool on);
    bool hotTracking() const;
    TreePreset preset() const { return treePresetFor(showLines(), autoExpand_, hotTracking()); }
    // Windows9x: lines on, auto-expand and hot tracking off; WindowsXP: the reverse. Custom: no-op.
    void applyPreset(TreePreset preset);

  public slots:
    void ButtonCreateTreeClick();
    void UpdateTreeView();
    void ButtonRefreshClick();
    void FreeTreeData();
    void FolderTreeViewExpand(QTreeWidgetItem* node);
    void FolderTreeViewChange(QTreeWidgetItem* node);

  signals:
    // The tree is about to be discarded and rebuilt: the file list must be cleared now.
    void aboutToRebuild();
    // The folder shown so far (`path`) is being left: the selection moves on or the tree is
    // refreshed. Its favourite's view settings are stored now.
    void leavingFolder(const QString& path);
    // The node is now the shown folder (`lastTreeNode()`): the main window clears the preview
    // and lists the folder.
    void folderChanged(QTreeWidgetItem* node);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    friend class FolderSelectionGuard;

    QTreeWidgetItem* createNode(const platform::FolderItem& item) const;
    bool canSelect(const QTreeWidgetItem* node) const;
    void onItemExpanded(QTreeWidgetItem* node);
    void onItemCollapsed(QTreeWidgetItem* node);
    void onChangeTimer();
    QStringList recordTreeState() const;
    void restoreExpandedNodes(QStringList names);
    QTreeWidgetItem* selectAndShow(QTreeWidgetItem* node);
    QTreeWidgetItem* openStartNode(const QString& target) const;
    void applyIconSize();

    platform::FolderNamespace namespace_;
    QTimer changeTimer_;
    BranchStyle* branchStyle_ = nullptr;
    HotTrackDelegate* delegate_ = nullptr;
    QTreeWidgetItem* lastTreeNode_ = nullptr;
    bool treeBuilding_ = false;
    bool treeReady_ = true;
    bool restoring_ = false; // openPath is expanding intermediate nodes
    bool reverting_ = false; // undoing a refused expansion or collapse
    bool largeIcons_ = false;
    bool autoExpand_ = false;
};

} // namespace gonilux::browser
