// What the user does with the file list's entries besides looking at them: the popup menu,
// opening files and folders, copying the path, navigating with keys, dragging files out, and
// writing the type C or rotated copy of the shown file.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>

namespace gonilux::browser {
class PopupMenu;
class FolderListView;
} // namespace gonilux::browser

namespace gonilux::mainwindow {

class FileActionServices;
class Favourites;
struct ViewerOptions;

class FileActions : public QObject {
    Q_OBJECT
  public:
    FileActions(FileActionServices* viewer, Favourites* favourites, QObject* parent);

    browser::PopupMenu* PopupMenu() const { return popup_; }

    // Prepares visibility, captions, default mark, icons and the favourites submenu.
    void PopupMenuPopup();
    void FolderListViewMouseDown(Qt::MouseButton button, QPoint position);
    void FolderListViewMouseUp(Qt::MouseButton button);
    // True when the key was handled. The commands of keys act on the press (a key held down
    // acts once); the menu key opens the popup on the release.
    bool FolderListViewKeyUp(int key, Qt::KeyboardModifiers modifiers);
    bool FolderListViewKeyDown(int key, Qt::KeyboardModifiers modifiers, bool repeated = false);
    void FolderListViewDblClick();

    void Open1Click();
    void OpenNotepad1Click();
    void Openfolder1Click();
    void Explore1Click();
    // Copies the selected files' full paths, one a line (also Ctrl+C in the list's views).
    void CopytoClipboardClick();
    void CheckBoxDblClickClick();
    void ShowOptionsPanelClick();
    void SaveAsTypeCClick();
    // Type A or B re-sampled to type C, IES as EULUMDAT, EULUMDAT as IES; each written beside
    // the shown file and listed.
    void SaveAsTypeCResampledClick();
    void SaveAsLdtClick();
    void SaveAsIesClick();
    // The preview's picture: to a file of a chosen format and size, or to the clipboard.
    void ExportPictureClick();
    void CopyPictureClick();
    // The selected file entries' full paths, in list order.
    QStringList SelectedFilePaths() const;
    void StartDragOut();

  private:
    void changeOption(const std::function<void(ViewerOptions&)>& change);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wireMenu();
    void prepareIcons(bool fileFocused);
    void prepareCaptions(bool fileFocused, bool multi);
    bool focusedPictureShown(int row);
    void popupAt(QPoint globalPosition);
    QString targetFolder() const;
    QString exportTitle(bool conversion) const;
    bool writeExport(const QString& target, const std::string& text, const QString& title);
    // Writes `text` as `fileName` beside the shown file, lists it and says so; false when not.
    bool writeBeside(const QString& fileName, const std::string& text, const QString& title);
    // Why nothing is written for the shown file, in the command line's words, or empty: a
    // damaged header (refused by the IES and EULUMDAT conversions, named whenever the
    // conversion failed), else `tableProblem` when the conversion failed.
    QString notWritten(bool refuseDamaged, bool ok, const QString& tableProblem) const;
    QString tableNotConverted() const; // "%1: the intensity table cannot be converted; ..."
    void writeConverted(const QString& title, const QString& newName, const QString& problem,
                        const std::string& text, bool ldt, const QString& done);
    std::string shownFilePath() const; // the file system's bytes
    QString shownPictureName() const;
    QString besideName(const std::function<std::string(const std::string&)>& name) const;

    FileActionServices* viewer_;
    Favourites* favourites_;
    browser::FolderListView* list_;
    QWidget* listViewport_ = nullptr; // compared by address only: the list may be going away
    QObject* details_ = nullptr;      // the details view and its viewport, likewise
    QWidget* detailsViewport_ = nullptr;
    browser::PopupMenu* popup_;
    QPoint pressPosition_;
    bool dragArmed_ = false;
};

} // namespace gonilux::mainwindow
