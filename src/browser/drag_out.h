// Dragging IES files out of the file list: the file list handed over as file URLs, and the
// shell's dropped-files block (CF_HDROP) that Windows programs read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class QMimeData;
#include <QStringList>
class QWidget;

namespace gonilux::browser {

// The files of one drag and the drop point written into the block.
struct TDragDropInfo {
    bool InClientArea = true;
    std::int32_t DropPointX = 0;
    std::int32_t DropPointY = 0;
    std::vector<std::string> Files; // full paths in the system's code page
};

// The dropped-files block: a 20-byte header (offset of the list, drop point, non-client flag,
// wide-character flag, each 32-bit little-endian), then each path with a NUL and one final NUL.
// Its size is 20 + the sum of (length + 1) + 1.
std::vector<std::uint8_t> BuildHDropBlock(const TDragDropInfo& info);

// Outcome codes of the platform's drag loop.
constexpr std::uint32_t kDragDrop = 0x40100;
constexpr std::uint32_t kDragCancel = 0x40101;
constexpr std::uint32_t kOutOfMemory = 0x8007000E;
// The message for a drag that ended with `code`; empty for a drop or a cancel.
const char* DragFailureText(std::uint32_t code);

// The data of a drag: the files as local file URLs.
QMimeData* MakeDragMimeData(const QStringList& paths);

// Runs the drag loop with the copy effect only; returns the outcome code. Escape cancels, the
// release of the button drops.
std::uint32_t RunDragOut(QWidget* source, const QStringList& paths);

} // namespace gonilux::browser
