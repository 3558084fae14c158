#include "group_box_ex.h"

#include <QLayout>
#include <QPainter>
#include <algorithm>
#include <utility>

namespace gonilux::mainwindow {
namespace {

// One-pixel outline of the rectangle from (l, t) to (r, b), right and bottom exclusive.
void FrameEdges(QPainter& p, int l, int t, int r, int b, const QColor& color) {
    if (r <= l || b <= t) return;
    p.fillRect(l, t, r - l, 1, color);
    p.fillRect(l, b - 1, r - l, 1, color);
    p.fillRect(l, t, 1, b - t, color);
    p.fillRect(r - 1, t, 1, b - t, color);
}

// A filled rectangle with an outline of another colour, right and bottom exclusive.
void FilledRectangle(QPainter& p, int l, int t, int r, int b, const QColor& pen,
                     const QColor& brush) {
    if (r <= l || b <= t) return;
    p.fillRect(l, t, r - l, b - t, brush);
    FrameEdges(p, l, t, r, b, pen);
}

} // namespace

std::vector<int> CollapseSteps(int height, int collapsedHeight) {
    std::vector<int> steps;
    while (height > collapsedHeight) {
        height = height * 2 / 3;
        steps.push_back(height);
    }
    steps.push_back(collapsedHeight);
    return steps;
}

TGroupBoxEx::TGroupBoxEx(QWidget* parent) : QGroupBox(parent) {
    setMouseTracking(true);
}

TGroupBoxEx::TGroupBoxEx(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
    setMouseTracking(true);
}

void TGroupBoxEx::setCollapsed(bool collapsed) {
    m_collapsed = collapsed;
    m_pressed = false;
    m_mouseLeft = false;
    applyCollapse();
}

void TGroupBoxEx::setHeightExpanded(int height) {
    m_heightExpanded = height;
    if (!m_collapsed) setHeightNow(height);
}

void TGroupBoxEx::setBorderLR(int border) {
    m_borderLR = std::clamp(border, 0, kMaxBorder);
    update();
}

void TGroupBoxEx::setBorderTB(int border) {
    m_borderTB = std::clamp(border, 0, kMaxBorder);
    if (m_collapsed) setHeightNow(collapsedHeight());
    update();
}

int TGroupBoxEx::collapsedHeight() const {
    return fontMetrics().height() + 3 + 2 * m_borderTB;
}

QRect TGroupBoxEx::captionRect() const {
    // The strip as painted, shifted by one pixel (see paintStrip).
    const int textHeight = fontMetrics().height();
    return QRect(QPoint(m_borderLR + 7, m_borderTB + 1),
                 QPoint(width() - m_borderLR - 8, textHeight + 2 + m_borderTB));
}

bool TGroupBoxEx::isInCaption(const QPoint& pos) const {
    const QRect r = captionRect();
    return pos.x() > r.left() && pos.x() < r.right() && pos.y() > r.top() && pos.y() < r.bottom();
}

void TGroupBoxEx::applyCollapse() {
    m_applying = true;
    if (m_collapsed) {
        for (int step : CollapseSteps(height(), collapsedHeight())) {
            setHeightNow(step);
            showStep();
        }
        hideChildrenOutside();
    } else {
        setHeightNow(m_heightExpanded);
        showHiddenChildren();
        relayoutParent();
    }
    m_applying = false;
    emit OnExpand();
}

// Lets the boxes below follow at once, before OnExpand looks at them.
void TGroupBoxEx::relayoutParent() {
    QWidget* parent = parentWidget();
    if (parent && parent->layout()) parent->layout()->activate();
}

// Shows an intermediate height immediately, together with the boxes that moved up.
void TGroupBoxEx::showStep() {
    relayoutParent();
    QWidget* parent = parentWidget();
    if (parent && parent->isVisible())
        parent->repaint();
    else
        repaint();
}

void TGroupBoxEx::setHeightNow(int height) {
    height = std::max(0, height);
    if (minimumHeight() != height || maximumHeight() != height || this->height() != height)
        setFixedHeight(height);
}

void TGroupBoxEx::hideChildrenOutside() {
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || child->isHidden()) continue;
        if (child->geometry().bottom() < height()) continue;
        child->hide();
        m_hiddenChildren.append(child);
    }
}

void TGroupBoxEx::showHiddenChildren() {
    const auto children = std::exchange(m_hiddenChildren, {});
    for (const QPointer<QWidget>& child : children)
        if (child) child->setVisible(true);
}

void TGroupBoxEx::cancelPress() {
    if (!m_pressed) return;
    m_mouseLeft = true;
    m_pressed = false;
    update();
}

void TGroupBoxEx::showArrowCursor() {
    if (m_arrowShown) return;
    m_arrowShown = true;
    m_savedCursorSet = testAttribute(Qt::WA_SetCursor);
    if (m_savedCursorSet) m_savedCursor = cursor();
    setCursor(Qt::ArrowCursor);
}

void TGroupBoxEx::restoreCursor() {
    if (!m_arrowShown) return;
    m_arrowShown = false;
    // Someone else set a cursor meanwhile: theirs wins.
    if (!testAttribute(Qt::WA_SetCursor) || cursor().shape() != Qt::ArrowCursor) return;
    if (m_savedCursorSet)
        setCursor(m_savedCursor);
    else
        unsetCursor();
}

void TGroupBoxEx::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const int textHeight = fontMetrics().height();
    paintFrame(painter, textHeight);
    paintStrip(painter, textHeight);
    paintCaption(painter, textHeight);
}

// Shadow frame with a highlight frame one pixel right and down of it, both of the frame's size
// less one pixel so that the pair stays inside the rectangle.
void TGroupBoxEx::paintFrame(QPainter& painter, int textHeight) const {
    const int half = textHeight / 2;
    const int l = m_borderLR;
    const int t = half - 1 + m_borderTB;
    const int r = width() - m_borderLR;
    const int b = height() - half - m_borderTB;
    FrameEdges(painter, l + 1, t + 1, r, b, palette().color(QPalette::Light));
    FrameEdges(painter, l, t, r - 1, b - 1, palette().color(QPalette::Dark));
}

// The strip is outlined in colour A, again two pixels right and down in colour B, and once more
// in between in the face colour: A shows on the top and left, B on the bottom and right.
void TGroupBoxEx::paintStrip(QPainter& painter, int textHeight) const {
    const int l = m_borderLR + 6;
    const int t = m_borderTB;
    const int r = width() - m_borderLR - 9;
    const int b = textHeight + 1 + m_borderTB;
    const QColor face = palette().color(backgroundRole());
    QColor a = palette().color(QPalette::Light); // collapsed: raised
    QColor c = palette().color(QPalette::Dark);
    if (!m_collapsed) std::swap(a, c); // expanded: sunken
    FilledRectangle(painter, l, t, r, b, a, face);
    FilledRectangle(painter, l + 2, t + 2, r + 2, b + 2, c, face);
    FilledRectangle(painter, l + 1, t + 1, r + 1, b + 1, face, face);
}

void TGroupBoxEx::paintCaption(QPainter& painter, int textHeight) const {
    if (title().isEmpty()) return;
    const QString text = (m_collapsed ? QStringLiteral("+ ") : QStringLiteral("- ")) + title();
    const int textWidth = fontMetrics().horizontalAdvance(text);
    int x = m_borderLR + 8;
    if (isRightToLeft()) x = width() - x - textWidth;
    const QRect box(x, m_borderTB + 1, textWidth, textHeight);
    painter.fillRect(box, palette().color(backgroundRole()));
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(box, Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     text);
}

void TGroupBoxEx::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    if (!m_applying) {
        if (!m_collapsed)
            m_heightExpanded = height();
        else if (height() != collapsedHeight() && !m_refitQueued) {
            // Resizing from inside the resize event itself is unreliable: refit afterwards.
            m_refitQueued = true;
            QMetaObject::invokeMethod(this, &TGroupBoxEx::refitCollapsed, Qt::QueuedConnection);
        }
    }
    update();
}

void TGroupBoxEx::refitCollapsed() {
    m_refitQueued = false;
    if (m_collapsed) setHeightNow(collapsedHeight());
}

void TGroupBoxEx::showEvent(QShowEvent* event) {
    QGroupBox::showEvent(event);
    // Children added or laid out while the box was hidden.
    if (m_collapsed) hideChildrenOutside();
}

void TGroupBoxEx::changeEvent(QEvent* event) {
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_collapsed) setHeightNow(collapsedHeight());
}

void TGroupBoxEx::mousePressEvent(QMouseEvent* event) {
    if (isInCaption(event->position().toPoint())) {
        if (event->button() == Qt::LeftButton) {
            m_pressed = true;
            m_mouseLeft = false;
            update();
        }
        return;
    }
    m_captured = true;
    emit mouseDownOutside(event);
}

void TGroupBoxEx::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (isInCaption(pos)) {
        showArrowCursor();
        return;
    }
    restoreCursor();
    if (!m_captured && !rect().contains(pos)) {
        // Only a press in the strip keeps the events here while the pointer is elsewhere:
        // treat it as having left the control.
        cancelPress();
        return;
    }
    emit mouseMoveOutside(event);
}

void TGroupBoxEx::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const bool left = event->button() == Qt::LeftButton;
    if (left && m_pressed && isInCaption(pos)) {
        m_collapsed = !m_collapsed;
        m_pressed = false;
        m_mouseLeft = false;
        applyCollapse();
        update();
        return;
    }
    const bool ours = m_captured || rect().contains(pos);
    if (left && m_pressed) {
        m_pressed = false;
        update();
    }
    if (event->buttons() == Qt::NoButton) m_captured = false;
    if (ours) emit mouseUpOutside(event);
}

void TGroupBoxEx::leaveEvent(QEvent* event) {
    QGroupBox::leaveEvent(event);
    cancelPress();
    restoreCursor();
}

} // namespace gonilux::mainwindow
