#include "diagram/background.h"

#include "diagram/diagram_math.h"
#include "diagram/line_geometry.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace gonilux {

void DrawBackground(QPainter& painter, int width, int height, bool simple, bool antialias) {
    const int cx = width / 2;
    const int cy = height / 2;
    const int r0 = RoundEven(0.1 * std::max(cx, cy));
    const QPalette palette = QGuiApplication::palette();

    const QColor face = palette.color(QPalette::Button);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(0, 0, width, height), face);
    // The border and the axes run along whole pixels and need no smoothing.
    UsePixelCentres(painter, false);
    painter.setPen(QPen(palette.color(QPalette::Dark), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(0, 0, width - 1, height - 1));
    if (!simple) {
        painter.setRenderHint(QPainter::Antialiasing, antialias);
        painter.setBrush(face);
        painter.drawEllipse(GdiEllipseBox(cx - r0, cy - r0, cx + r0, cy + r0));
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    const QLine axes[2] = {QLine(0, cy, 2 * cx, cy), QLine(cx, 0, cx, 2 * cy)};
    painter.drawLines(axes, 2);
    if (!simple) {
        painter.setRenderHint(QPainter::Antialiasing, antialias);
        QLine spokes[37];
        for (int i = 0; i <= 36; ++i) {
            const double a = i * 10 * std::numbers::pi / 180;
            spokes[i] = QLine(RoundEven(std::cos(a) * r0 + cx), RoundEven(std::sin(a) * r0 + cy),
                              RoundEven(std::cos(a) * cx + cx), RoundEven(std::sin(a) * cy + cy));
        }
        painter.drawLines(spokes, 37);
    }
    painter.restore();
}

} // namespace gonilux
