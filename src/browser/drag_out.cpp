#include "drag_out.h"

#include "platform/native_names.h"

#include <QDrag>
#include <QMimeData>
#include <QStringList>
#include <QUrl>
#include <QWidget>

namespace gonilux::browser {

const char* DragFailureText(std::uint32_t code) {
    if (code == kDragDrop || code == kDragCancel) return "";
    return code == kOutOfMemory ? QT_TRANSLATE_NOOP("DragOut", "内存不足")
                                : QT_TRANSLATE_NOOP("DragOut", "拖放失败");
}

QMimeData* MakeDragMimeData(const QStringList& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(platform::UrlFromPath(path)); // the real bytes of a name that is not UTF-8
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
