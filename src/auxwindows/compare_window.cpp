#include "compare_window.h"

#include "diagram/background.h"
#include "diagram/goniogram.h"
#include "map_image.h"
#include "preview_source.h"

#include <QGuiApplication>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <algorithm>

namespace gonilux::auxwindows {

TBigGonioWin::TBigGonioWin(const PreviewSource& source, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      source_(source) {
    setObjectName(QStringLiteral("BigGonioWin"));
    setWindowTitle(tr("比较"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(329, 326);
}

void TBigGonioWin::showCompare() {
    if (!isVisible()) {
        show(); // the show event takes the snapshot
    } else {
        FormShow();
    }
    raise();
}

void TBigGonioWin::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!centred_ && QGuiApplication::primaryScreen()) {
        centred_ = true;
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        move(screen.center() - QPoint(width() / 2, height() / 2));
    }
    FormShow();
}

void TBigGonioWin::FormShow() {
    tIES copy;
    CopyIes(source_.previewIes(), copy);
    compareIes_ = std::move(copy);
    comparePlane_ = source_.planePosition();
    const QString caption = source_.selectedCaption();
    if (!caption.isEmpty()) setWindowTitle(caption);
    update();
}

// The window stays square, growing to the larger of its two sides.
void TBigGonioWin::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int side = std::max(width(), height());
    if (width() != side || height() != side) resize(side, side);
    update();
}

void TBigGonioWin::paintEvent(QPaintEvent*) {
    const int side = height();
    QPainter painter(this);
    DrawBackground(painter, side, side, false);
    DrawGoniogram(painter, side, side, compareIes_, kModeFull, 1.0, comparePlane_,
                  source_.diagramOptions());
}

TMapWindow::TMapWindow(const PreviewSource& source, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      source_(source) {
    setObjectName(QStringLiteral("MapWindow"));
    setWindowTitle(tr("地图"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(kMapSize, kMapSize);
}

void TMapWindow::showMap() {
    show();
    raise();
    update();
}

void TMapWindow::paintEvent(QPaintEvent*) {
    const tIES& ies = source_.previewIes();
    QPainter painter(this);
    painter.drawImage(0, 0, MapImage(ies, LargestIntensity(ies), kMapSize));
}

} // namespace gonilux::auxwindows
