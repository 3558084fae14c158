// Window-free rules of the main window's layout and title, kept apart so tests can check them.
#pragma once

#include "photometry/product_name.h"

#include <QRect>
#include <QString>

namespace gonilux::mainwindow {

inline const QString kAppCaption = QStringLiteral(GONILUX_PRODUCT_NAME);

// Info panel height while Splitter2 is dragged: whole 13-pixel lines plus 2, between 17 and 98.
int Splitter2CanResize(int proposed);

// Left column width while Splitter is dragged: refused (false) below the right part's minimum
// width or when equal to the last accepted width; `last` takes an accepted width.
bool SplitterCanResize(int proposed, int& last, int rightMinimum = 200);

// The preview square inside PanelImage under the PanelDegree strip.
QRect PreviewSquare(int panelWidth, int panelHeight, int degreeHeight);

// "Gonilux v2.9", four blanks, the folder path (without a trailing separator unless it is a
// root) and, when a file is shown, one separator and the file name.
QString TitleText(const QString& folderPath, const QString& fileName);

// Round half to even.
int RoundEven(double value);

} // namespace gonilux::mainwindow
