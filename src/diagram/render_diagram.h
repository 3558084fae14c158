// Off-screen composition of a diagram picture: the preview, the thumbnails, the exports.
#pragma once

#include "diagram/diagram_options.h"
#include "diagram/goniogram.h"
#include "photometry/ies_record.h"

#include <QImage>

namespace gonilux {

enum RenderFlag : int {
    RenderBackground = 1,
    RenderDiagramCurves = 2,
    RenderThumbnail = 4,
};

// A width x height picture: the button-face field, then the background and the diagram as the
// flags ask (thumbnail: simple background and the standard view). `scale`, when given, receives
// the scale of the picture (to read values back off it).
QImage ComposeDiagram(int width, int height, const tIES& ies, int flags, int plane,
                      const DiagramOptions& options, DiagramScale* scale = nullptr);

// Draws the same onto a painter that is already open (direct drawing without a copy); returns
// the scale of what it drew.
DiagramScale PaintDiagram(class QPainter& painter, int width, int height, const tIES& ies,
                          int flags, int plane, const DiagramOptions& options);

} // namespace gonilux
