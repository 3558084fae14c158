// Composing a complete diagram picture (background and diagram) into images and files.
#pragma once

#include "diagram/diagram_options.h"
#include "diagram/goniogram.h"
#include "photometry/ies_record.h"

#include <QImage>
#include <QString>

class QPainter;

namespace gonilux {

struct DiagramRequest {
    int Width = 400;
    int Height = 400;
    bool Thumbnail = false; // simple background and thumbnail mode
    double Scale = 1.0;
    int Plane = 0; // index into HorzAngles; clamped into the table
    DiagramOptions Options;
};

// The background, then the diagram, as the preview and the thumbnails compose them; returns the
// scale of the diagram drawn.
DiagramScale ComposeDiagram(QPainter& painter, const tIES& ies, const DiagramRequest& request);

QImage RenderDiagramImage(const tIES& ies, const DiagramRequest& request);

enum class DiagramFormat { Unknown, Png, Svg, Pdf };

// By the file name's extension, without regard to case.
DiagramFormat DiagramFormatOf(const QString& path);

// Writes the composed diagram as PNG, SVG or PDF (by extension). False with a readable reason
// in `error` for an unknown extension or a failed write.
bool WriteDiagramFile(const QString& path, const tIES& ies, const DiagramRequest& request,
                      QString& error);

} // namespace gonilux
