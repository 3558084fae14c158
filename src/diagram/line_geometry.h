// Mapping of pixel-grid line drawing onto QPainter.
#pragma once

#include <QPainter>
#include <QRect>
#include <cstdlib>

namespace gonilux {

// Lines and outlines are drawn through pixel centres: integer coordinates are moved by half a
// pixel, so that one-pixel lines stay sharp when smoothed and every kind of device (images,
// SVG, PDF) places them alike.
inline void UsePixelCentres(QPainter& painter, bool antialias) {
    painter.setRenderHint(QPainter::Antialiasing, antialias);
    painter.translate(0.5, 0.5);
}

// The ellipse inscribed in the box from (left, top) to (right, bottom), the corners in any
// order.
inline QRect GdiEllipseBox(int left, int top, int right, int bottom) {
    return QRect(std::min(left, right), std::min(top, bottom), std::abs(right - left),
                 std::abs(bottom - top));
}

} // namespace gonilux
