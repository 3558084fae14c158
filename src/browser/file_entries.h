// The file list's rules that need no window: caption choice, caption comparison and the stable
// sort of file entries, the up entry's caption, the caption-change sample and the folder scan.
#pragma once

#include "photometry/ies_record.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

namespace gonilux::browser {

// Caption choices: choice k shows title string k+1.
inline constexpr int kCaptionChoiceCount = 7;

// Items of the up entry's wording combo; the third gives the bare "..".
inline constexpr int kUpEntryBareDots = 2;
QStringList UpEntryItems();

// Text of the up entry for the chosen wording (an index into UpEntryItems()) and the listed
// folder's node text: the item text, " '", the node text and "'"; ".. 仅" gives "..".
QString UpEntryCaption(int upItemIndex, const QString& nodeText);

// A title string of an entry as text (header values may be in any 8-bit encoding; invalid UTF-8
// reads as Latin-1). Empty when the entry has no such string.
QString TitleText(const TiesData& entry, int index);

// How header titles are shown: "auto" (each entry by the automatic rule) or one encoding's
// name, as the option "标题编码" says. Unknown names count as "auto".
void SetHeaderEncodingChoice(const std::string& choice);
const std::string& HeaderEncodingChoice();

// The encoding an entry's titles are shown in under the current choice.
std::string ShownEncoding(const TiesData& entry);

// The file name an entry stands for (title string 1), for showing.
QString EntryFileName(const TiesData& entry);
// The same name with every byte kept (platform::PathFromNative), for reaching the file.
QString EntryPathName(const TiesData& entry);

// Caption of a file entry for a caption choice: title string choice+1, or the file name when
// that string is empty or missing (an unread entry has only two strings).
QString EntryCaption(const TiesData& entry, int captionChoice);

// A fresh entry for a file found in a folder (title strings: empty and the file name's bytes).
TiesData NewFileEntry(const QString& fileName);

// Case-insensitive for the ASCII letters only (a to z fold to A to Z); every other character
// compares by its UTF-8 bytes. Negative, zero or positive like strcmp.
int CompareText(const QString& a, const QString& b);

// The order of a list after sorting its file entries by caption. `captions` holds every item's
// caption (folder entries first); the first `folderCount` stay where they are. Returns, for
// each new position, the old row. Stable: equal captions keep their relative order.
// `progress` (optional) receives the larger old row of each comparison.
std::vector<int> SortedRowOrder(const QStringList& captions, int folderCount,
                                const std::function<void(int)>& progress = {});

// The caption-change sample: with more than one file entry and a choice other than the file
// name, the entries at rows `folderCount`, the last row and max(last - folderCount, folderCount)
// are looked at; true when any of them has fewer than three title strings (is unread), so the
// change will read files and the progress panel should show. `titleCount(row)` gives an
// entry's number of title strings.
bool CaptionChangeReadsFiles(int itemCount, int folderCount, int captionChoice,
                             const std::function<int(int)>& titleCount);

// Whether a file of this name is listed: ".ies" in any case, and ".ldt" (EULUMDAT) in any case
// when `withLdt`.
bool IsListedFileName(const QString& fileName, bool withLdt);

// The names of the photometric files of a folder (IsListedFileName), hidden ones included, in
// the order the file system returns them. Pipes, sockets, devices and broken links with such
// names are listed too, so that their entries can say why they cannot be read.
QStringList ScanIesFiles(const QString& folderPath, bool withLdt = false);

// True when the entry's file could not be read (a pipe, a device, too large, vanished...) or was
// read and its header numbers were malformed.
bool ShowsErrorBadge(const TiesData& entry);

// The folder path with a trailing '/' (unchanged when it already ends in a separator).
QString WithSeparator(const QString& folderPath);

} // namespace gonilux::browser
