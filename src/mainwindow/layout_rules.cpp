#include "layout_rules.h"

#include <QDir>
#include <algorithm>
#include <cmath>

namespace gonilux::mainwindow {

int RoundEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

int Splitter2CanResize(int proposed) {
    int size = 13 * RoundEven(proposed / 13.0) + 2;
    return std::max(std::min(size, 98), 17);
}

bool SplitterCanResize(int proposed, int& last, int rightMinimum) {
    if (proposed < rightMinimum || proposed == last) return false;
    last = proposed;
    return true;
}

QRect PreviewSquare(int panelWidth, int panelHeight, int degreeHeight) {
    int size = std::max(0, std::min(panelWidth - 4, panelHeight - degreeHeight - 4));
    int left = (panelWidth - size) / 2;
    int top = (panelHeight + degreeHeight - size) / 2 + 1;
    return QRect(left, top, size, size);
}

static bool IsRootPath(const QString& path) {
    return path == QLatin1String("/") || (path.size() >= 2 && path.size() <= 3 && path[1] == ':');
}

QString TitleText(const QString& folderPath, const QString& fileName) {
    QString path = QDir::toNativeSeparators(folderPath);
    const QChar separator = QDir::separator();
    if (!IsRootPath(path) && path.endsWith(separator)) path.chop(1);
    QString caption = kAppCaption + QStringLiteral("    ") + path;
    if (!fileName.isEmpty()) {
        if (!caption.endsWith(separator)) caption += separator;
        caption += fileName;
    }
    return caption;
}

} // namespace gonilux::mainwindow
