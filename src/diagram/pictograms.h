// The pictogram strip "BITMAPICONS" and the system warning icon.
#pragma once

#include <QImage>

class QPainter;

namespace gonilux {

// Cells of the strip: 30 cells of 16 x 16 side by side, colour images above their masks.
enum PictogramCell : int {
    CellTypeA = 0, // yellow triangles with the type letter; cell 3 - PhotometricType
    CellTypeB = 1,
    CellTypeC = 2,
    CellAngle = 3,
    CellBulb = 4,
    CellTwoBulbs = 5,
    CellMaxBulb = 6,
    CellRays = 7,
    CellSun = 8,
    CellQuestion = 9,
    CellLightning = 10,
    CellPower = 11,
    CellAxisC = 12, // axis pictograms; cell 11 + PhotometricType
    CellAxisB = 13,
    CellAxisA = 14,
    CellDisc = 15,
    CellEllipseH = 16,
    CellEllipseV = 17,
    CellRectangle = 18,
    CellSphere = 19,
    CellEllipsoidH = 20,
    CellEllipsoidV = 21,
    CellBox = 22,
    CellCylinderV = 23,
    CellCylinderWidth = 24,
    CellCylinderLength = 25,
    kPictogramCount = 30,
};

inline constexpr int kPictogramSize = 16;

// The strip as stored (480 x 32, image row above mask row); null if the resource is missing.
QImage PictogramStrip();

// Cell `index` as a 16 x 16 image with transparency taken from the mask (opaque where the mask
// is black). Null for an index outside the strip or a missing resource. Built once.
QImage PictogramCellImage(int index);

// Stamps cell `index`, scaled to size x size, with its top-left at (x, y). Nothing is drawn for
// an unknown cell, a size below 1 or a missing strip.
void BlitPictogram(QPainter& painter, int index, int x, int y, int size);

enum class SystemIcon { Warning };

// The standard icon at (x, y), size x size: the icon theme's "dialog-warning" where the
// platform has one, else a drawn warning triangle. Nothing for a size below 1.
void DrawSystemIcon(QPainter& painter, SystemIcon icon, int x, int y, int size);

// The icon as DrawSystemIcon draws it (cached per size).
QImage SystemIconImage(SystemIcon icon, int size);

} // namespace gonilux
