// What the favourites and the file actions use of the viewer, and nothing more: they are handed
// these services rather than the main window, so either can live beside another kind of window
// or a stand-in made for a test.
#pragma once

#include <QRect>
#include <QString>

namespace gonilux::browser {
class FolderTreeView;
class FolderListView;
} // namespace gonilux::browser

namespace gonilux::mainwindow {

class OptionsPanel;
class PreviewPane;

// The folder tree and the shown folder's file list, the options panel and the hint line.
class BrowsingServices {
  public:
    virtual browser::FolderTreeView* folderTree() const = 0;
    virtual browser::FolderListView* fileList() const = 0;
    virtual OptionsPanel* options() const = 0;
    virtual void DisplayHint(const QString& hint) = 0;

  protected:
    ~BrowsingServices() = default;
};

// Besides browsing, the file actions work on the previewed file and place the pointer over the
// options panel as it slides in at the window's right edge.
class FileActionServices : public BrowsingServices {
  public:
    virtual PreviewPane* preview() const = 0;
    virtual QRect windowFrame() const = 0;

  protected:
    ~FileActionServices() = default;
};

} // namespace gonilux::mainwindow
