// What the auxiliary windows read of the main window: the previewed record, its file, the plane
// slider, the diagram switches and the selected list entries.
#pragma once

#include "diagram/diagram_options.h"
#include "photometry/ies_record.h"
#include "photometry/zone_ratings.h"

#include <QString>
#include <string>
#include <vector>

namespace gonilux::auxwindows {

// A read file entry selected in the file list: its caption and its record (owned by the list,
// valid until the list changes).
struct SelectedRecord {
    QString Caption;
    const tIES* Ies = nullptr;
};

class PreviewSource {
  public:
    virtual ~PreviewSource() = default;

    virtual const tIES& previewIes() const = 0;
    // Full path of the file shown; empty when none.
    virtual QString currentFile() const = 0;
    // The plane slider's position (an index into the horizontal angles).
    virtual int planePosition() const = 0;
    virtual DiagramOptions diagramOptions() const = 0;
    // Caption of the file list's selected item; empty when nothing is selected.
    virtual QString selectedCaption() const = 0;
    // Title strings of the focused file entry (empty when the focus is not on a file).
    virtual std::vector<std::string> focusedTitles() const = 0;
    // What the ratings of the shown file need beside its record (format, [DISTRIBUTION]); by
    // default the format by the file's name.
    virtual tRatingInput ratingInput() const;
    // The selected file entries in list order, read when needed, at most `limit` of them
    // (entries that could not be read are left out).
    virtual std::vector<SelectedRecord> selectedRecords(int limit) const {
        static_cast<void>(limit);
        return {};
    }
};

} // namespace gonilux::auxwindows
