// The drawing commands: "gonilux-cli render" (the polar diagram as a PNG, SVG or PDF picture)
// and "gonilux-cli thumbnail" (the file list's thumbnail as a square PNG).
#pragma once

#include "photometry/ies_record.h"

#include <QImage>

namespace gonilux::cli {

// argv[0] is "render". Returns 0 on success, 1 when the file cannot be read, the output format
// is unknown or the picture cannot be written, 2 on a usage error.
int RunRenderCommand(int argc, char** argv);

// argv[0] is "thumbnail": -s SIZE INPUT OUTPUT.png. Same exit statuses.
int RunThumbnailCommand(int argc, char** argv);

// argv[0] is "report": FILE|DIR -o OUT.pdf [--recursive] [--lang en|zh]. The datasheet of a
// file, or the catalogue of a folder's photometric files. 1 when a file was damaged (the
// catalogue is written all the same, listing it) or the PDF could not be written.
int RunReportCommand(int argc, char** argv);

// The file list's thumbnail drawn in its 100 x 100 cell scaled to size x size, on a round field
// with transparent corners.
QImage RenderThumbnailImage(const tIES& ies, int size);

} // namespace gonilux::cli
