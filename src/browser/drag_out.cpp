#include "drag_out.h"

#include <QDrag>
#include <QMimeData>
#include <QStringList>
#include <QUrl>
#include <QWidget>

namespace gonilux::browser {
namespace {

void PutInt32(std::vector<std::uint8_t>& block, std::size_t offset, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        block[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bits >> (8 * i));
}

constexpr std::size_t kHeaderSize = 20;

} // namespace

std::vector<std::uint8_t> BuildHDropBlock(const TDragDropInfo& info) {
    std::size_t size = kHeaderSize + 1;
    for (const std::string& file : info.Files)
        size += file.size() + 1;
    std::vector<std::uint8_t> block(size, 0);
    PutInt32(block, 0, static_cast<std::int32_t>(kHeaderSize));
    PutInt32(block, 4, info.DropPointX);
    PutInt32(block, 8, info.DropPointY);
    PutInt32(block, 12, info.InClientArea ? -1 : 0);
    PutInt32(block, 16, 0); // ANSI names
    std::size_t at = kHeaderSize;
    for (const std::string& file : info.Files) {
        std::copy(file.begin(), file.end(), block.begin() + static_cast<std::ptrdiff_t>(at));
        at += file.size() + 1; // the NUL is already there
    }
    return block;
}

const char* DragFailureText(std::uint32_t code) {
    if (code == kDragDrop || code == kDragCancel) return "";
    return code == kOutOfMemory ? QT_TRANSLATE_NOOP("DragOut", "Out of memory")
                                : QT_TRANSLATE_NOOP("DragOut", "Something bad happened");
}

QMimeData* MakeDragMimeData(const QStringList& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data->setUrls(urls);
    // On Windows Qt renders these URLs as the shell's dropped-files block (CF_HDROP) itself.
    return data;
}

std::uint32_t RunDragOut(QWidget* source, const QStringList& paths) {
    if (paths.isEmpty()) return kDragCancel;
    QMimeData* data = MakeDragMimeData(paths);
    if (!data) return kOutOfMemory;
    auto* drag = new QDrag(source);
    drag->setMimeData(data);
    const Qt::DropAction result = drag->exec(Qt::CopyAction, Qt::CopyAction);
    return result == Qt::CopyAction ? kDragDrop : kDragCancel;
}

} // namespace gonilux::browser
