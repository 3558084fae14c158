// The main window: folder tree and preview on the left, the file list with the options panel and
// the header text on the right.
#pragma once

#include "diagram/diagram_options.h"
#include "mainwindow/viewer_services.h"

#include <QMainWindow>
#include <QString>

class QCheckBox;
class QLabel;
class QTimer;
class QLineEdit;
class QSplitter;
class QTreeWidgetItem;

namespace gonilux {
class IniDocument;
}

namespace gonilux::browser {
class FolderTreeView;
class FolderListView;
class SubtreeSearch;
} // namespace gonilux::browser

namespace gonilux::auxwindows {
class TRenderWindow;
class TBigGonioWin;
class TMapWindow;
class ReportWindow;
} // namespace gonilux::auxwindows

namespace gonilux::mainwindow {

class OptionsPanel;
struct ViewerOptions;
class PreviewPane;
class Favourites;
class FileActions;

struct StartOptions {
    QString SettingsFile; // used from the settings file on
    QString RootPath;     // the folder tree's root instead of the desktop
    QString OpenPath;     // a folder, or a file whose folder is shown with the file selected
    QString IndexPath;    // the library index of the subtree search; empty: the user's cache
};

class TMainWindow : public QMainWindow, public FileActionServices {
    Q_OBJECT
  public:
    explicit TMainWindow(const StartOptions& start, QWidget* parent = nullptr);
    ~TMainWindow() override;

    browser::FolderTreeView* folderTree() const override { return tree_; }
    browser::FolderListView* fileList() const override { return list_; }
    PreviewPane* preview() const override { return preview_; }
    OptionsPanel* options() const override { return options_; }
    QRect windowFrame() const override { return frameGeometry(); }
    // The auxiliary windows (render, compare, map, report) and their commands.
    auxwindows::TRenderWindow* renderWindow() const;
    auxwindows::TBigGonioWin* compareWindow() const;
    auxwindows::TMapWindow* mapWindow() const;
    auxwindows::ReportWindow* reportWindow() const;
    void showCompareWindow();
    void showMapWindow();
    void showReportWindow();
    Favourites* favourites() const { return favourites_; }
    FileActions* fileActions() const { return fileActions_; }
    QLabel* labelInfo() const { return labelInfo_; }
    // The file list's filter field (Ctrl+F), above the list.
    QLineEdit* filterEdit() const { return filterEdit_; }
    // The info label's text as built (CR separates the file name from the header text).
    const QString& infoText() const { return infoText_; }
    // The application title: the shown file's name, else "Gonilux".
    const QString& applicationTitle() const { return applicationTitle_; }
    QSplitter* splitter() const { return splitter_; }
    QSplitter* splitter1() const { return splitter1_; }
    QSplitter* splitter2() const { return splitter2_; }

    // The diagram switches of the options panel and the preview's buttons, as one struct.
    DiagramOptions currentDiagramOptions() const;

    void UpdateTitle();
    void DisplayHint(const QString& hint) override;
    void CheckBoxTitleBarClick();

    // Opens a folder (or a file's folder, selecting the file) in the tree and the list.
    void openStartPath(const QString& path);

    const QString& settingsPath() const { return settingsPath_; }
    // The folder stored as "Path" and reopened at show time.
    const QString& lastPath() const { return lastPath_; }
    bool LoadSettings();
    bool SaveSettings();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildLayout();
    void setTabChain();
    void wireCommandKeys();
    void applySettings(const ViewerOptions& options);
    // Every part of the options reaches what it drives, once (at start).
    void applyOptions(const ViewerOptions& options);
    void applyTreeOptions(const ViewerOptions& options);
    // A change reported by the options panel reaches what it drives.
    void onOptionsChanged(const ViewerOptions& now, const ViewerOptions& before);
    void applyStoredLayout();
    void reportSettingsWriteFailure();
    void wireOptions();
    void FormCreate();
    void FormShow();
    void FormClose();
    void onFolderChanged(QTreeWidgetItem* node);
    void ShowPreviewItem(int row);
    void onFolderActivated(const QString& path, bool upEntry);
    void onDrawingOptionChanged(bool repaintThumbnails);
    bool handleWheel(class QWheelEvent* wheel);
    void onSplitterMoved();
    void onSplitter2Moved();
    void selectFileEntry(const QString& fileName);
    void wireTools();
    void wireReport();
    void wireFilter();
    void wireSubtreeSearch();
    bool searchesSubtree() const;
    void onFilterTextChanged(const QString& text);
    void runSubtreeSearch();
    void endSubtreeSearch();
    void relistShownFolder();
    void destroyTools();
    struct ToolWindows;
    ToolWindows* tools_ = nullptr;

    StartOptions start_;
    browser::FolderTreeView* tree_ = nullptr;
    browser::FolderListView* list_ = nullptr;
    PreviewPane* preview_ = nullptr;
    OptionsPanel* options_ = nullptr;
    Favourites* favourites_ = nullptr;
    FileActions* fileActions_ = nullptr;
    QWidget* panelLeftAll_ = nullptr;
    QWidget* panelRightAll_ = nullptr;
    QWidget* panelInfo_ = nullptr;
    QLabel* labelInfo_ = nullptr;
    QLineEdit* filterEdit_ = nullptr;
    QCheckBox* subfolders_ = nullptr; // search the subtree ("包括子文件夹")
    QLabel* searchStatus_ = nullptr;
    QTimer* searchDelay_ = nullptr;
    browser::SubtreeSearch* search_ = nullptr;
    int searchId_ = 0;
    QSplitter* splitter_ = nullptr;
    QSplitter* splitter1_ = nullptr;
    QSplitter* splitter2_ = nullptr;
    QString infoText_;
    QString applicationTitle_ = QStringLiteral("Gonilux");
    bool titleShowsHint_ = false;
    bool shown_ = false;
    bool closed_ = false;
    int lastSplitterSize_ = -1;
    QString lastPath_;
    QString settingsPath_;
    bool settingsWriteFailed_ = false;
    Qt::WindowStates startState_ = Qt::WindowNoState;
    int pendingTree_ = 0; // the splitter sizes read, applied once the window shows
    int pendingRight_ = 0;
    int pendingInfo_ = 0;
    bool panelShown_ = true;
};

} // namespace gonilux::mainwindow
