// The preview's picture outside the window: written to a PNG, SVG or PDF file of a chosen size,
// or put on the clipboard. The picture is the preview as shown (record, C-plane and switches),
// laid out at the preview's size and scaled to the size asked for.
#pragma once

#include "diagram/diagram_options.h"
#include "photometry/ies_record.h"

#include <QImage>
#include <QString>

namespace gonilux::mainwindow {

class PreviewPane;

inline constexpr int kMinPictureSize = 64;
inline constexpr int kMaxPictureSize = 4096;

struct PreviewPicture {
    const tIES* Ies = nullptr; // the record shown; null draws the background only
    int Plane = 0;             // the C-plane slider's position
    DiagramOptions Options;    // the switches as the preview uses them
    int LayoutSize = 0;        // the side of the preview's square; 0 lays out at the picture size
    QString Caption; // the luminaire's name: a line at the bottom, the SVG's and PDF's title
};

// What the preview pane shows at the moment, named `caption`.
PreviewPicture PictureOfPreview(const PreviewPane& preview, const QString& caption = {});

// The side offered for an export: the preview's side, kept within the allowed sizes.
int DefaultPictureSize(const PreviewPicture& picture);

// The picture as a size x size image.
QImage RenderPreviewPicture(const PreviewPicture& picture, int size);

// Writes the picture as PNG, SVG or PDF (by the file name's extension) through a temporary file
// that replaces `path` only when complete. False with the reason in `reason`.
bool WritePictureFile(const PreviewPicture& picture, const QString& path, int size,
                      QString& reason);

// WritePictureFile, a failure reported through the message service with the file and the reason.
bool ExportPicture(const PreviewPicture& picture, const QString& path, int size);

// Puts the picture at the preview's size on the clipboard as an image.
void CopyPictureToClipboard(const PreviewPicture& picture);

} // namespace gonilux::mainwindow
