// A paint device that records what is drawn on it, with the painter state of each call, so
// that tests can check the exact geometry of a drawing.
#pragma once

#include <QPainter>
#include <functional>
#include <vector>

namespace gonilux::test {

enum class Op { Lines, Polyline, Polygon, Ellipse, Rect, Text, Image, Path };

struct RecordedOp {
    Op Type = Op::Lines;
    QPen Pen;
    QBrush Brush;
    QTransform Transform;
    bool Antialias = false;
    QPolygonF Points; // Lines: start and end of each line in turn; Polyline/Polygon: vertices
    QRectF Box;       // Ellipse, Rect, Image: the target rectangle; Path: its bounds
    QString Text;     // pieces in several fonts along one baseline are joined
    QPointF Baseline; // Text: left end of the baseline
    QPoint TopLeft;   // Text: the baseline start raised by the font's ascent
    QFont Font;
    QImage Picture;
};

struct Recording {
    std::vector<RecordedOp> Ops;

    std::vector<RecordedOp> OfType(Op type) const;
    // The first text that starts with `prefix`; nullptr when there is none.
    const RecordedOp* FindText(const QString& prefix) const;
};

// Runs `draw` with a painter on a fresh width x height recording device (96 dpi).
Recording RecordDrawing(int width, int height, const std::function<void(QPainter&)>& draw);

} // namespace gonilux::test
