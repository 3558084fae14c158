// Composing a complete diagram picture (background and diagram) into images and files.
#pragma once

#include "diagram/diagram_options.h"
#include "diagram/goniogram.h"
#include "photometry/ies_record.h"

#include <QImage>
#include <QString>
#include <string>
#include <vector>

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

// What an exported picture is called: the luminaire's title (decoded `titles` of the file),
// else the file name `fileName` without its extension.
QString PictureName(const std::vector<std::string>& titles, const QString& fileName);
// `name` as a file name: folder separators, control characters and the characters other
// systems refuse turned into "_", blanks at the ends dropped; "picture" when nothing is left.
QString PictureFileName(const QString& name);

// The caption line of an exported picture `height` pixels high: the luminaire's name under
// the drawing, so that a picture found later says what it shows.
double CaptionHeight(double pictureHeight);
// Paints `caption` into `line`: dark text on a light band, elided to fit.
void PaintCaption(QPainter& painter, const QRectF& line, const QString& caption);

enum class DiagramFormat { Unknown, Png, Svg, Pdf };

// By the file name's extension, without regard to case.
DiagramFormat DiagramFormatOf(const QString& path);

// Writes the composed diagram as PNG, SVG or PDF (by extension). False with a readable reason
// in `error` for an unknown extension or a failed write.
bool WriteDiagramFile(const QString& path, const tIES& ies, const DiagramRequest& request,
                      QString& error);

} // namespace gonilux
