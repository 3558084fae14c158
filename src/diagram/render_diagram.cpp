#include "diagram/render_diagram.h"

#include "diagram/background.h"
#include "diagram/goniogram.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

namespace gonilux {

DiagramScale PaintDiagram(QPainter& painter, int width, int height, const tIES& ies, int flags,
                          int plane, const DiagramOptions& options) {
    const bool thumbnail = (flags & RenderThumbnail) != 0;
    painter.fillRect(0, 0, width, height, QGuiApplication::palette().color(QPalette::Button));
    if (flags & RenderBackground) DrawBackground(painter, width, height, thumbnail);
    if (!(flags & RenderDiagramCurves)) return {};
    return DrawGoniogram(painter, width, height, ies, thumbnail ? kModeThumbnail : kModeFull, 1.0,
                         plane, options);
}

QImage ComposeDiagram(int width, int height, const tIES& ies, int flags, int plane,
                      const DiagramOptions& options, DiagramScale* scale) {
    if (scale) *scale = {};
    if (width <= 0 || height <= 0) return {};
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    const DiagramScale drawn = PaintDiagram(painter, width, height, ies, flags, plane, options);
    if (scale) *scale = drawn;
    return image;
}

} // namespace gonilux
