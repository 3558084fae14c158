#include "diagram/pictograms.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <map>
#include <mutex>

// Resources of a static library must be registered explicitly (outside any namespace).
static void RegisterPictogramResources() {
    Q_INIT_RESOURCE(pictograms);
}

namespace gonilux {

namespace {

const char* const kStripPath = ":/gonilux/bitmapicons.png";

QImage LoadStrip() {
    RegisterPictogramResources();
    QImage strip(QString::fromLatin1(kStripPath));
    if (strip.width() < kPictogramCount * kPictogramSize || strip.height() < 2 * kPictogramSize)
        return {};
    return strip;
}

// Image pixel where the mask is black, transparent where it is white.
QImage CutCell(const QImage& strip, int index) {
    QImage cell(kPictogramSize, kPictogramSize, QImage::Format_ARGB32_Premultiplied);
    const int left = index * kPictogramSize;
    for (int y = 0; y < kPictogramSize; ++y) {
        auto* line = reinterpret_cast<QRgb*>(cell.scanLine(y));
        for (int x = 0; x < kPictogramSize; ++x) {
            const bool opaque = qGray(strip.pixel(left + x, y + kPictogramSize)) < 128;
            line[x] = opaque ? (strip.pixel(left + x, y) | 0xff000000u) : 0u;
        }
    }
    return cell;
}

struct StripCache {
    QImage Strip;
    std::array<QImage, kPictogramCount> Cells;
};

const StripCache& Cache() {
    static const StripCache cache = [] {
        StripCache c;
        c.Strip = LoadStrip();
        if (!c.Strip.isNull())
            for (int i = 0; i < kPictogramCount; ++i)
                c.Cells[static_cast<std::size_t>(i)] = CutCell(c.Strip, i);
        return c;
    }();
    return cache;
}

// A warning sign of our own: a rounded amber triangle with a dark border and an exclamation mark.
QImage DrawnWarning(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    QPainterPath triangle;
    triangle.moveTo(8, 1.2);
    triangle.lineTo(15.2, 14.6);
    triangle.lineTo(0.8, 14.6);
    triangle.closeSubpath();
    p.setPen(QPen(QColor(110, 70, 0), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 200, 20));
    p.drawPath(triangle);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 30));
    p.drawRoundedRect(QRectF(7.05, 5.0, 1.9, 5.6), 0.9, 0.9);
    p.drawEllipse(QRectF(7.0, 11.3, 2.0, 2.0));
    return image;
}

QImage ThemeWarning(int size) {
    const QIcon icon = QIcon::fromTheme(QStringLiteral("dialog-warning"));
    if (icon.isNull()) return {};
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    icon.paint(&p, QRect(0, 0, size, size));
    return image;
}

} // namespace

QImage PictogramStrip() {
    return Cache().Strip;
}

QImage PictogramCellImage(int index) {
    if (index < 0 || index >= kPictogramCount) return {};
    return Cache().Cells[static_cast<std::size_t>(index)];
}

void BlitPictogram(QPainter& painter, int index, int x, int y, int size) {
    if (size < 1 || index < 0 || index >= kPictogramCount) return;
    const QImage& cell = Cache().Cells[static_cast<std::size_t>(index)];
    if (cell.isNull()) return;
    painter.drawImage(QRect(x, y, size, size), cell);
}

QImage SystemIconImage(SystemIcon icon, int size) {
    constexpr int kLargestCached = 256; // screen sizes; print sizes are made when asked
    static std::mutex mutex;
    static std::map<int, QImage> cache;
    if (size < 1 || icon != SystemIcon::Warning) return {};
    const std::lock_guard<std::mutex> lock(mutex);
    auto found = cache.find(size);
    if (found != cache.end()) return found->second;
    QImage image = ThemeWarning(size);
    if (image.isNull()) image = DrawnWarning(size);
    if (size <= kLargestCached) cache.emplace(size, image);
    return image;
}

void DrawSystemIcon(QPainter& painter, SystemIcon icon, int x, int y, int size) {
    const QImage image = SystemIconImage(icon, size);
    if (!image.isNull()) painter.drawImage(QPoint(x, y), image);
}

} // namespace gonilux
