// The cartesian diagram of the report: intensity against the angle across a plane pair, for
// one record (C0-C180, C90-C270 and the preview's plane) or several (the overlay page, one
// colour a record, on a common candela scale).
#pragma once

#include "diagram/chart_axes.h"
#include "photometry/ies_record.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

namespace gonilux {

// What a chart shows.
struct CartesianOptions {
    bool Absolute = false; // cd (values times the multiplier), else the table's cd/klm
    int ExtraPlane = -1;   // index into HorzAngles of one more plane pair (the preview's
                           // slider); -1 or a principal plane: none
    bool Principal = true; // the C0-C180 and C90-C270 pairs (types A, B: the plane H 0 across
                           // the vertical angles and the cut V 0 across the horizontal angles)
};

// One curve: the record's intensity at its stored angles across a plane pair, the signed
// angle running from the opposite plane (negative) through the nadir to the plane (positive);
// a type C gamma of 180 is at +-180. Between points the intensity is linear, as the record
// interpolates it, so the points are the curve exactly.
struct CartesianSeries {
    QString Label; // "C0-C180", "C90-C270", "C45-C225"; types A, B: "H 0", "V 0";
                   // several records: the record's name before it
    QColor Color;
    Qt::PenStyle Style = Qt::SolidLine;
    int Record = 0;                // index of the record it belongs to
    bool TypeC = true;             // the angle is gamma on a C-plane pair (else the record's own)
    bool AcrossHorizontal = false; // types A, B: the V 0 cut, the angle is horizontal
    double Plane = 0;            // type C: the C-plane of the positive side; A, B: the fixed angle
    std::vector<QPointF> Points; // (signed angle in degrees, value) in increasing angle
    double Peak = 0;             // the largest value
    double PeakAngle = 0;
    // Beam (50 % of the peak) and field (10 %) angles of the cut as the figures define them
    // (photometry/beam_spread.h), and their edges as angles of the axis (-180 to 180); NaN
    // without light.
    double Beam, Field;
    double BeamLow, BeamHigh, FieldLow, FieldHigh;
};

struct CartesianChart {
    bool Valid = false; // false: no record had a usable table (nothing but the frame)
    std::vector<CartesianSeries> Series;
    QString Unit;          // "cd" or "cd/klm"
    double AngleLow = -90; // the angle axis: +-30, +-60, +-90 or +-180, the narrowest
    double AngleHigh = 90; // that holds every value above 0.5 % of the highest peak
    double AngleStep = 15; // between angle ticks
    AxisTicks Values;      // the value axis, from 0
};

// One chart of one record.
CartesianChart BuildCartesianChart(const tIES& ies, const CartesianOptions& options);

// One chart of several records (the overlay page: up to four, their principal pairs) with
// `names` in the legend and the record colours of RecordColor; pass Absolute for a common
// candela scale. Records without a usable table add no series.
CartesianChart BuildCartesianChart(const std::vector<const tIES*>& records,
                                   const std::vector<QString>& names,
                                   const CartesianOptions& options);

// The colour of record `index` on charts of several records (four distinct colours, then
// repeating), also for the overlay's polar diagram.
QColor RecordColor(int index);

// The value of series `series` at the signed angle (degrees): interpolated between the
// record's stored values, as the record itself does; NaN outside the series' angles or for
// an unknown series.
double SeriesValueAt(const CartesianChart& chart, int series, double angle);

// The direction of a signed angle of a series in the record's own terms, for the readout:
// type C gamma from the nadir (0..180) and the C-plane (the series' plane or its opposite);
// types A, B the vertical and horizontal angle.
struct CartesianDirection {
    double Gamma = 0; // type C: gamma; A, B: the vertical angle
    double Plane = 0; // type C: the C-plane; A, B: the horizontal angle
};
CartesianDirection SeriesDirection(const CartesianChart& chart, int series, double angle);

// Where a chart is drawn inside `area`: the plot (inside the axes' labels and the legend) and
// the mapping between (angle, value) and points.
class CartesianLayout {
  public:
    CartesianLayout(const CartesianChart& chart, const QRectF& area, const ChartStyle& style);
    QRectF Plot() const { return plot_; }
    QRectF Legend() const { return legend_; } // empty when there is no legend
    // Where each series' legend entry is (sample line and text), in series order.
    const std::vector<QRectF>& LegendItems() const { return legendItems_; }
    QPointF ToPoint(double angle, double value) const;
    double AngleAt(const QPointF& point) const; // may lie outside the axis range
    double ValueAt(const QPointF& point) const;
    bool InPlot(const QPointF& point) const { return plot_.contains(point); }

  private:
    QRectF plot_;
    QRectF legend_;
    std::vector<QRectF> legendItems_;
    double angleLow_, angleHigh_, valueHigh_;
};

// The series whose curve passes nearest `point` (vertically, at the pointer's angle) within
// `reach` device units; -1 when none does or the point is outside the plot.
int NearestSeries(const CartesianChart& chart, const CartesianLayout& layout, const QPointF& point,
                  double reach);

// Draws the chart into `area`: white field, grid, axes with round ticks and their unit,
// curves, beam (dashed) and field (dotted) edge marks of the first two series, legend.
void PaintCartesianChart(QPainter& painter, const QRectF& area, const CartesianChart& chart,
                         const ChartStyle& style);

} // namespace gonilux
