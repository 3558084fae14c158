// Favourite folders: kept, sorted by name, in the options panel's list box, each remembering the
// view and caption choice in use when the folder was last left.
#pragma once

#include <QObject>
#include <QString>

class QListWidget;
class QListWidgetItem;
class QMenu;

namespace gonilux {
class IniDocument;
}

namespace gonilux::mainwindow {

class BrowsingServices;
class OptionsPanel;

// High hexadecimal digit: view index (0 thumbnails, 1 icons, 2 list, 3 details); low digit:
// caption index.
int EncodeViewCode(int viewIndex, int captionIndex);
int ViewIndexOf(int viewCode);
int CaptionIndexOf(int viewCode);
// The path as shown in hints: native separators, no trailing separator except for a root.
QString FavouriteHintPath(const QString& path);

class Favourites : public QObject {
    Q_OBJECT
  public:
    static constexpr int ViewCodeRole = Qt::UserRole;
    static constexpr int PathRole = Qt::UserRole + 1;

    Favourites(BrowsingServices* viewer, QObject* parent);

    int count() const;
    int AddFavourite(const QString& caption, const QString& path);
    void RemoveFavourite(int index);
    int FindFavourite(const QString& path) const;
    QString FavouritePath(int index) const;
    int ViewCode(int index) const;
    void setViewCode(int index, int code);
    void StoreViewSettings(int index);
    void ApplyViewSettings(int index);
    void GoToFavourite(int index);

    // The folder the focused list entry stands for once selected, else the shown folder; empty
    // for a selected file entry.
    QString FocusedFolder() const;
    bool CanAddFavourite() const;
    void AddToFavorites1Click();
    void ButtonRemoveClick();
    // Refills the popup's favourites submenu.
    void FillMenu(QMenu* menu);

    // False when a stored code is not hexadecimal (reading ends there).
    bool LoadFavorites(const IniDocument& ini);
    // One "code + path" piece per favourite, each ended by CR; empties the list.
    QString BuildFavoritesText();

  private:
    void updateButtonAdd();
    int currentViewIndex() const;
    void onListBoxMouseMove(QListWidgetItem* item);
    bool eventFilter(QObject* watched, QEvent* event) override;

    BrowsingServices* viewer_;
    OptionsPanel* options_;
    QListWidgetItem* lastHinted_ = nullptr;
    QString lastHint_;
    QListWidget* box_ = nullptr;     // the panel's list box; compared by address in events
    QWidget* boxViewport_ = nullptr; // compared by address only
};

} // namespace gonilux::mainwindow
