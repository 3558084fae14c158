// Drawing and writing helpers of the report window: the overlay's polar diagram of several
// records and the pictures of its pages as PNG, SVG or PDF files.
#pragma once

#include "diagram/cartesian_chart.h"
#include "diagram/chart_axes.h"

#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>

class QPainter;

namespace gonilux::auxwindows {

// The curves of `chart` (signed angle, value) as a polar diagram in the largest square of
// `area`: the nadir down, positive angles to the right, rings at the chart's value ticks.
void PaintOverlayPolar(QPainter& painter, const QRectF& area, const CartesianChart& chart,
                       const ChartStyle& style);

// Paints `paint` into a picture of `size` and writes it to `path` as PNG, SVG or PDF (by the
// extension) through a temporary file that replaces `path` only when complete. A `caption`
// (the luminaire's name) takes a line at the bottom and is the SVG's and PDF's title. False
// with the reason in `error`.
bool WriteReportPicture(const QString& path, QSize size,
                        const std::function<void(QPainter&, const QRectF&)>& paint, QString& error,
                        const QString& caption = {});

// `bytes` written to `path` through a temporary file; false with the reason in `error`.
bool WriteReportFile(const QString& path, const QByteArray& bytes, QString& error);

} // namespace gonilux::auxwindows
