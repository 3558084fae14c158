// The file list of the viewer: a view of a FileListModel holding the current folder's folder
// entries (an optional up entry and the subfolders) followed by one entry per IES file. Files are
// read lazily: for a caption other than the file name, on selection, or when a view needs them.
// Three views: a list of small icons, large icons, and thumbnails of every file's diagram.
#pragma once

#include "browser/entry_filter.h"
#include "browser/file_list_model.h"
#include "browser/folder_listing.h"
#include "browser/list_appearance.h"
#include "diagram/diagram_options.h"
#include "photometry/ies_record.h"
#include "photometry/metrics.h"
#include "photometry/ratings.h"
#include "platform/message_service.h"

#include <QHash>
#include <QIcon>
#include <QImage>
#include <QListView>
#include <QPersistentModelIndex>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QTimer;
class QTreeView;

namespace gonilux::browser {

class ProcessingPanel;
class TGauge;
class ListItemDelegate;
class ThumbnailDelegate;
class EntryReader;
struct EntryRead;

class FolderListView : public QListView {
    Q_OBJECT
  public:
    enum class ViewStyle { List, Icons, Thumbnails, Details };
    // Texts and gauge use of the progress panel.
    enum ProgressMode {
        ProgressLoading = 0,    // caption change that reads files
        ProgressSorting = 1,    // SortFileList
        ProgressScanning = 2,   // AddIesFiles reading files: panel caption only
        ProgressThumbnails = 3, // preparing the thumbnail view
        ProgressClearing = 4,   // ClearFileList
    };
    explicit FolderListView(QWidget* parent = nullptr);
    ~FolderListView() override;

    // Layout of the list: rows below Tag() are folder entries, the rest file entries.
    int Tag() const { return model_->folderCount(); }
    bool isFileEntry(int row) const { return model_->isFileRow(row); }
    FileListModel* fileModel() const { return model_; }
    int count() const { return model_->rowCount(); }
    QModelIndex indexOfRow(int row) const { return model_->index(row, 0); }
    // The focused row (-1 for none). Without flags, the row becomes the current selection as a
    // click would make it.
    int currentRow() const { return currentIndex().row(); }
    void setCurrentRow(int row);
    void setCurrentRow(int row, QItemSelectionModel::SelectionFlags command);
    QString entryCaption(int row) const { return model_->caption(row); }
    QIcon entryIcon(int row) const { return model_->icon(row); }
    // The selected rows, in the order the selection was made.
    QList<int> selectedRows() const;
    bool isRowSelected(int row) const;
    void setRowSelected(int row, bool selected);
    void scrollToRow(int row, ScrollHint hint = EnsureVisible);
    bool isUpEntry(int row) const { return row == 0 && model_->hasUpEntry(); }
    TiesData* entryAt(int row) const;
    QString folderPath() const { return listing_.Path; }
    QString currentFolderPathWithSeparator() const;
    QString entryFilePath(int row) const;   // full path of a file entry, else empty
    QString folderEntryPath(int row) const; // the folder a folder entry stands for

    // Rebuilds the list for a folder of the tree (also the same folder again, as after F5): the
    // caption choice goes back to the file name unless it is kept. `relist` lists the shown
    // folder again with its caption choice (the .ldt switch). A vanished folder lists nothing.
    void ShowFolderContents(const FolderListing& listing, bool relist = false);
    // The folder listed last was no longer there (FolderVanished).
    bool folderVanished() const { return vanished_; }
    // Disposes of every entry and empties the list.
    void ClearFileList();
    // Lists the IES files of the shown folder (appends their entries; sorts when sorting is on).
    void ListFolderFiles();
    // Adds one file entry per file name of the shown folder; when the caption choice is not the
    // file name, the files are read on worker threads behind the progress panel, and the list
    // is captioned and sorted when they are in.
    void AddIesFiles(const QStringList& fileNames);
    // Reads a file entry's file for the user. A vanished or unreadable file leaves the entry
    // unread (an unreadable one is reported); a malformed header is reported as "错误！" /
    // "第 N 行". A file's problem raises its box once in a run.
    void LoadIesEntry(int row);
    // A file written into the shown folder: the entry of that name (if any) is replaced by a new
    // one, captioned and marked as written by this program, and the list is sorted again.
    // Returns the new row.
    int ReplaceFileEntry(const QString& fileName);
    // Removes the file entry of that name with its record; false when there is none.
    bool RemoveFileEntry(const QString& fileName);
    // The photometric figures of a read file entry, computed on the first call after each read;
    // none for an unread entry or a folder entry.
    std::optional<tMetrics> entryMetrics(int row);
    // Its ratings, likewise.
    std::optional<tRatings> entryRatings(int row);
    // The hover text of a file entry (EntryToolTipText); empty for other rows.
    QString entryToolTip(int row);

    void ShowProgress(int mode);
    void HideProgress();
    ProcessingPanel* processingPanel() const { return panel_; }
    TGauge* progressGauge() const;

    // Sorts the file entries by caption (stable; folder entries stay first).
    void SortFileList();
    // Sets the file entries' captions (reading unread files on worker threads when `reload` and
    // the choice is not the file name, behind the panel, then sorting) and the column width.
    void UpdateCaptions(bool reload);
    QString UpEntryCaption() const;

    // Selection events are ignored while suspended (nesting).
    void SuspendListChange();
    void ResumeListChange();

    bool ListBusy() const { return listBusy_; }
    // Inside an items update the list is not drawn.
    bool itemsUpdating() const { return itemsUpdateDepth_ > 0; }
    // The entry the selection handler handled last (invalid when none).
    QPersistentModelIndex LastListItem() const { return lastListItem_; }

    int captionChoice() const { return captionChoice_; }
    bool sortEnabled() const { return sort_; }
    bool keepCaption() const { return keepCaption_; }
    bool upEntryEnabled() const { return upShown_; }
    int upEntryStyle() const { return upStyle_; }
    // Whether EULUMDAT (.ldt) files are listed besides the IES files.
    bool listsLdt() const { return listLdt_; }
    ViewStyle viewStyle() const { return viewStyle_; }
    // The view radio buttons: list and icons restore the entries' own images and the plain
    // painting; thumbnails run RadioButtonThumbnailsClick.
    void setViewStyle(ViewStyle style);

    // ---- Thumbnail view ----
    // Switches to the thumbnail view (also after every folder scan while it is on): thumbnail
    // painting, the cells of the folder icons built behind the progress panel, the 100-pixel
    // grid.
    void RadioButtonThumbnailsClick();
    // Gives every entry the image of the list and icon views (the author mark for read files
    // written by this program).
    void SetDefaultImageIndex();
    // Rebuilds ThumbImages and points the folder entries at their cells.
    void BuildThumbnailImageList();
    const std::vector<QImage>& thumbImages() const { return thumbImages_; }
    // Rendering switches of the thumbnails: quality (off-screen composition, then one copy) or
    // direct drawing; the drawing options; the plane index (the preview slider's position),
    // which the thumbnails take on their next paint.
    void setQualityThumbnails(bool quality);
    bool qualityThumbnails() const { return qualityThumbnails_; }
    void setThumbnailOptions(const DiagramOptions& options);
    const DiagramOptions& thumbnailOptions() const { return thumbnailOptions_; }
    void setThumbnailPlane(int plane) { thumbnailPlane_ = plane; }
    int thumbnailPlane() const { return thumbnailPlane_; }

    // ---- Appearance ----
    void setHandPointer(bool on);
    void setUnderlineHot(bool on);
    void setUnderlineCold(bool on);
    void setHotTracking(bool on);
    void setFlatScrollBars(bool on);
    const ListAppearance& listAppearance() const { return appearance_; }
    bool flatScrollBars() const { return flatScrollBars_; }
    // Hover time of hot tracking in milliseconds; any negative value stands for the platform's
    // default and is reported as -1.
    void setHoverTime(int ms);
    int hoverTime() const { return hoverTime_; }
    int effectiveHoverTime() const;
    // The item under the mouse (invalid when there is none).
    QModelIndex hotIndex() const { return hotIndex_; }

    // ---- Filter ----
    // Shows only the file entries that satisfy the query `text` (EntryFilter); folder entries
    // stay.
    // Unread entries are read first on worker threads behind the progress panel; a text set
    // meanwhile is the one applied, another folder listed ends the reading.
    // Another folder listed clears the filter; Escape in the list clears an active one.
    void setFilterText(const QString& text);
    const QString& filterText() const { return filterText_; }
    // Hides the file entries that do not match the filter with what is read so far; a hidden
    // current entry passes the focus (and the selection, if it had it) to the first visible file.
    void applyFilter();

  public slots:
    // The selection handler; `row` is the row whose state changed (the current row).
    void FolderListViewChange(int row);
    // Caption choice k (0 file name, 1 test, ... 6 lamp catalogue).
    void ComboBoxCaptionChange(int k);
    void CheckBoxSortClick(bool checked);
    void CheckBoxUpClick(bool checked);
    void ComboBoxUpChange(int index);
    void setKeepCaption(bool keep) { keepCaption_ = keep; }
    // Lists .ldt files too, or no more; the shown folder is listed again, keeping the current
    // and selected entries that are still there.
    void CheckBoxLdtClick(bool checked);

  signals:
    // The focused row and the selection changed.
    void currentRowChanged(int row);
    void itemSelectionChanged();
    // The selection handler picked an entry: a file entry (already read) to preview, or a
    // folder entry (row < Tag()), for which the preview is cleared.
    void previewItem(int row);
    // The caption choice changed here (also the reset to 0 on a folder change without keep).
    void captionChoiceChanged(int k);
    // A folder entry was activated (double click, Enter). `upEntry` for the up entry, whose
    // path is the parent folder's.
    void folderActivated(const QString& path, bool upEntry);
    // The list cleared its filter itself (Escape, another folder listed).
    void filterCleared();

  public:
    // ---- Details view ----
    // The details view: one row per entry with the columns of DetailsColumns, over the same
    // model and selection as the list. It covers the list while the view style is Details; its
    // entries are read on worker threads and fill in as their records arrive.
    QTreeView* detailsView() const { return details_; }
    // The view the user sees and works with: the details view or the list itself.
    QAbstractItemView* shownView();
    DetailsHeaderState detailsHeader() const;
    void setDetailsHeader(const DetailsHeaderState& state);
    // Whether entries are still being read on worker threads (for a view, the captions or the
    // filter).
    bool entriesReading() const;
    // Reads the file of an unread entry soon, on a worker thread, those in sight first: called
    // when its thumbnail is painted. A problem with the file goes to the note, not a box.
    void readWhenPainted(int row);
    // The files of this listing read on worker threads that could not be read or are damaged,
    // and the note over the list that counts them (never a box); hidden while there is none.
    int readProblemCount() const { return readProblems_; }
    QLabel* readProblemNote() const { return problemNote_; }

    // ---- Found files ----
    // Lists these files (full paths) flat instead of the shown folder's entries, each in its own
    // folder, which the details view's folder column shows relative to the shown folder. Listing
    // a folder ends it.
    void ShowFoundFiles(const QStringList& paths);
    bool showsFoundFiles() const { return showsFound_; }
    // A found file was opened (Enter, double click): the window shows it in its folder.
    void activateFoundFile(int row);

  signals:
    // A found file is to be shown in its own folder.
    void foundFileActivated(const QString& path);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

  private:
    void makeDetailsView();
    void showFolderColumn(bool shown);
    void showDetailsView(bool shown);
    void popupHeaderMenu(const QPoint& position);
    void revealColumn(int section);
    // Reading on worker threads: what each read is for.
    enum ReadPurpose { ReadInBackground = 0, ReadForPanel = 1 };
    struct PendingRead {
        QPersistentModelIndex Row;
        int Purposes = ReadInBackground;
        bool Delivered = false;
    };
    void cancelReading();
    QList<int> requestReads(const std::vector<int>& rows, int purposes);
    void storeReads(quint64 generation, const QList<EntryRead>& reads);
    bool storeRead(int row, const EntryRead& read);
    void storeAttempt(int row, TiesData&& attempt, const std::optional<tMetrics>& figures,
                      const std::optional<tRatings>& ratings);
    void onReadingFinished(quint64 generation);
    void readForDetails();
    void readForCaptions();
    bool readForFilter();
    void finishCaptions();
    void measureCaptions();
    void showReadingPanel(int mode);
    void endProgress();
    void finishPanelReading();
    bool hasReadProblem(int row) const;
    void reportProblem(int row);
    void showProblemNote();
    void placeProblemNote();
    void onListChange();
    int selectedRow() const;
    void refreshEntryIcon(int row);
    void reorderFileItems(const std::vector<int>& order);
    int measureColumnWidth() const;
    void applyViewMode();
    void applyViewGeometry();
    void setHotIndex(const QModelIndex& index);
    void setAppearance(const ListAppearance& appearance);
    void updateHotCursor();
    void onHoverTimeout();
    QIcon defaultEntryIcon(int row);
    void beginItemsUpdate();
    void endItemsUpdate();
    void activateRow(int row);
    void moveFocusOffHidden();

    FileListModel* model_;
    FolderListing listing_;
    bool hasListing_ = false;
    bool vanished_ = false;
    bool listBusy_ = false;
    QPersistentModelIndex lastListItem_;
    int listChangeSuspend_ = 0;
    int itemsUpdateDepth_ = 0;

    int captionChoice_ = 0;
    bool sort_ = false;
    bool keepCaption_ = false;
    bool upShown_ = false;
    int upStyle_ = 0;
    bool listLdt_ = true;
    ViewStyle viewStyle_ = ViewStyle::List;
    int columnWidth_ = 0;

    QIcon defaultIesIcon_;
    QIcon authorMarkIcon_;
    ProcessingPanel* panel_;

    ListItemDelegate* listDelegate_ = nullptr;
    ThumbnailDelegate* thumbDelegate_ = nullptr;
    std::vector<QImage> thumbImages_; // ThumbImages
    std::vector<QIcon> thumbIcons_;   // the same cells as icons of the folder entries
    bool qualityThumbnails_ = true;
    DiagramOptions thumbnailOptions_;
    int thumbnailPlane_ = 0;

    ListAppearance appearance_;
    bool flatScrollBars_ = false;
    FlatScrollBarStyle* flatStyle_ = nullptr;
    int hoverTime_ = kDefaultHoverTime;
    QTimer* hoverTimer_ = nullptr;
    QPersistentModelIndex hotIndex_;

    QString filterText_;
    EntryFilter filter_;       // filterText_ as a query
    bool filterHides_ = false; // some rows may be hidden

    QTreeView* details_ = nullptr;
    EntryReader* reader_ = nullptr;
    quint64 readGeneration_ = 0; // counts listings: reads of an older one are dropped
    bool showsFound_ = false;
    std::vector<PendingRead> reading_;              // the rows given to the reader, by its numbers
    QHash<QString, int> queued_;                    // their paths: a file is tried once per listing
    std::vector<QPersistentModelIndex> paintReads_; // thumbnails painted unread
    bool paintReadsScheduled_ = false;
    int panelTotal_ = 0;   // reads the progress panel waits for
    int panelWaiting_ = 0; // of them not in yet
    int panelMode_ = ProgressLoading;
    bool captionPass_ = false;                // captions are finished when the panel's reads are in
    bool filterWaiting_ = false;              // so is the filter
    QPersistentModelIndex captionRemembered_; // current before a caption change
    QPersistentModelIndex captionParked_;     // current while the captions are read
    int readProblems_ = 0;          // files of this listing read on worker threads with a problem
    QLabel* problemNote_;           // counts them over the list
    std::vector<int> hiddenWidths_; // what hidden columns come back with, by column
};

} // namespace gonilux::browser
