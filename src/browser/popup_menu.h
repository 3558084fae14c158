// The file list's popup menu. Its items are prepared anew each time it opens (visibility,
// captions, default mark, icons) by the main window's file actions.
#pragma once

#include <QAction>
#include <QMenu>
#include <array>

namespace gonilux::browser {

class PopupMenu : public QMenu {
    Q_OBJECT
  public:
    static constexpr int kCaptionCount = 7;
    // The fixed captions of the arrange-by items.
    static std::array<QString, kCaptionCount> FixedCaptions();

    explicit PopupMenu(QWidget* parent = nullptr);

    // The favourites submenu is emptied and refilled on each opening.
    void clearFavourites();

    QAction* Open1 = nullptr;
    QAction* OpenNotepad1 = nullptr;
    QAction* Openfolder1 = nullptr;
    QAction* Explore1 = nullptr;
    QAction* AddToFavorites1 = nullptr;
    QAction* N6 = nullptr;
    QMenu* Favorites1 = nullptr;
    QAction* None1 = nullptr; // "无" while there are no favourites (recreated on each opening)
    QAction* N5 = nullptr;
    QMenu* View1 = nullptr;
    QAction* Thumbnails1 = nullptr;
    QAction* Icons1 = nullptr;
    QAction* List1 = nullptr;
    QAction* Details1 = nullptr;
    QAction* N2 = nullptr;
    QMenu* Arrangeby1 = nullptr;
    std::array<QAction*, kCaptionCount> Captions{};
    QAction* N4 = nullptr;
    QAction* Sort1 = nullptr;
    QAction* Refresh = nullptr;
    QAction* N1 = nullptr;
    QAction* SaveAsTypeC = nullptr;
    QAction* SaveAsTypeCResampled = nullptr; // type A or B re-sampled onto a type C grid
    QAction* SaveAsLdt = nullptr;            // an IES file written as EULUMDAT
    QAction* SaveAsIes = nullptr;            // an EULUMDAT file written as IES
    QAction* CopytoClipboard = nullptr;
    QAction* ExportPicture1 = nullptr; // the preview's picture to a PNG, SVG or PDF file
    QAction* CopyPicture1 = nullptr;   // the preview's picture to the clipboard
    QAction* N3 = nullptr;
    QAction* ShowOptionsPanel = nullptr;
    QAction* ShowCompareWindow1 = nullptr;
    QAction* ShowReport1 = nullptr; // the photometric report of a read file entry
    QAction* Map1 = nullptr;

  signals:
    void compareRequested();
    void reportRequested();
    void mapRequested();

  private:
    QAction* addNamed(QMenu* menu, const char* name, const QString& text);
    QAction* addSeparatorNamed(QMenu* menu, const char* name);
};

} // namespace gonilux::browser
