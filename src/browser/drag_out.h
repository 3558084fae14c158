// Dragging IES files out of the file list: the files handed over as file URLs.
#pragma once

#include <cstdint>

class QMimeData;
#include <QStringList>
class QWidget;

namespace gonilux::browser {

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
