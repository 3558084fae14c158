// The isolux diagram of the report: lines of equal illuminance on the floor below a luminaire,
// from an IlluminanceGrid (photometry/light_tables.h).
#pragma once

#include "diagram/chart_axes.h"
#include "photometry/light_tables.h"

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <vector>

class QPainter;

namespace gonilux {

// Round lux values for the iso-lines of a grid whose maximum is `maximum`: 1, 2 and 5 times
// powers of ten below 90 % of it (a line closer to the peak would be a dot), the highest
// `count` of them, highest first. Empty for no light.
std::vector<double> IsoluxLevels(double maximum, int count = 6);

// The lines of one level, in metres on the floor (x towards C0, y towards C90), traced by
// marching squares with the crossing points interpolated linearly along the grid's edges.
// Each polyline is open or closed (first point repeated at the end).
struct IsoLine {
    double Level = 0;
    std::vector<QPolygonF> Parts;
};
std::vector<IsoLine> TraceIsolines(const IlluminanceGrid& grid, const std::vector<double>& levels);

// Where the chart is drawn inside `area`: a square plot (metres alike on both axes) centred in
// what is left after the axis labels and the line of figures, and the mapping both ways.
class IsoluxLayout {
  public:
    IsoluxLayout(const IlluminanceGrid& grid, const QRectF& area, const ChartStyle& style);
    QRectF Plot() const { return plot_; }
    QPointF ToPoint(double x, double y) const; // metres -> device (y up)
    QPointF ToMetres(const QPointF& point) const;
    bool InPlot(const QPointF& point) const { return plot_.contains(point); }

  private:
    QRectF plot_;
    double half_ = 5; // half the area's side, metres
};

// Draws the chart into `area`: grid lines and axes in metres, the iso-lines with their lux
// labels, the luminaire's position at the centre, and the maximum, the average and the
// mounting height below. An invalid grid draws the frame and says there is no light.
void PaintIsoluxChart(QPainter& painter, const QRectF& area, const IlluminanceGrid& grid,
                      const ChartStyle& style);

} // namespace gonilux
