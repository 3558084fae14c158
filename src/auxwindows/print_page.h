// Printing the current diagram on one page: the polar diagram as a square in the top-left
// corner and up to five header lines under it.
#pragma once

#include "diagram/diagram_options.h"
#include "photometry/ies_record.h"
#include "photometry/product_name.h"

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QPainter;
class QPrinter;
class QWidget;

namespace gonilux::auxwindows {

class PreviewSource;

inline constexpr char kPrintJobTitle[] = "IES diagramm by " GONILUX_PRODUCT_NAME;
// The diagram size on paper that corresponds to the screen's drawing scale 1.
inline constexpr int kReferenceSide = 380;

struct PageGeometry {
    int Width = 0;       // W: the printable page
    int Height = 0;      // H
    int Side = 0;        // S: the diagram square
    int TextHeight = -1; // f: negative character height of the header font
    double Scale = 1.0;  // S / 380
    int TextLeft = 0;    // |f| div 2
    int FirstLine = 0;   // S - 1: the top of the first header line
};

// The page geometry for a W x H page and the main window's font height (negative pixels).
PageGeometry ComputePageGeometry(int width, int height, int fontHeight);

// The header lines of a file entry's title strings, empty values skipped.
QStringList PrintHeaderLines(const std::vector<std::string>& titles);

struct PrintJob {
    const tIES* Ies = nullptr;
    int Plane = 0;
    DiagramOptions Options;
    std::vector<std::string> Titles;
};

// Draws the page onto an open painter whose device is width x height units.
PageGeometry PaintPage(QPainter& painter, int width, int height, const PrintJob& job);

// Prints one page on the printer (job title set); false with a readable reason when the
// printer cannot be started or reports an error.
bool PrintDiagram(QPrinter& printer, const PrintJob& job, QString& error);

// The print button: the print dialog, then the page; an error is shown in a message box.
void PrintWithDialog(QWidget* parent, const PreviewSource& source);

} // namespace gonilux::auxwindows
