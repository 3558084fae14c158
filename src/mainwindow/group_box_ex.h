// A group box that collapses to its caption strip when the strip is clicked.
//
// Height handling: a group box inside a layout normally gets its height from that layout, so
// this box makes its own height authoritative by fixing it (minimum = maximum) at every step of
// a collapse or expansion. The containing layout should be a plain top-aligned stack; boxes
// below a collapsing one then move up. To resize the box from outside use setFixedHeight() or
// setHeightExpanded(); while expanded, every new height becomes HeightExpanded, while collapsed
// the collapsed height is forced back (from the event loop, right after the resize).
//
// Child widgets that do not fit inside the collapsed height are hidden when the box collapses
// (so they can neither be seen nor take the focus) and shown again when it expands. Children
// that were hidden already stay hidden.
#pragma once

#include <QCursor>
#include <QGroupBox>
#include <QList>
#include <QMouseEvent>
#include <QPointer>
#include <QRect>
#include <vector>

namespace gonilux::mainwindow {

// The heights a box passes through when it collapses from `height`: two thirds of the previous
// height while that is still above `collapsedHeight`, ending with `collapsedHeight` itself.
std::vector<int> CollapseSteps(int height, int collapsedHeight);

class TGroupBoxEx : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(bool Collapsed READ isCollapsed WRITE setCollapsed NOTIFY OnExpand)
    Q_PROPERTY(int HeightExpanded READ heightExpanded WRITE setHeightExpanded)
    Q_PROPERTY(int BorderLR READ borderLR WRITE setBorderLR)
    Q_PROPERTY(int BorderTB READ borderTB WRITE setBorderTB)

  public:
    static constexpr int kMaxBorder = 20;

    explicit TGroupBoxEx(QWidget* parent = nullptr);
    explicit TGroupBoxEx(const QString& title, QWidget* parent = nullptr);

    bool isCollapsed() const { return m_collapsed; }
    // Stores the state and applies it (animated when collapsing); fires OnExpand afterwards,
    // also when the state did not change.
    void setCollapsed(bool collapsed);

    int heightExpanded() const { return m_heightExpanded; }
    void setHeightExpanded(int height);

    int borderLR() const { return m_borderLR; }
    void setBorderLR(int border); // clamped to 0..kMaxBorder
    int borderTB() const { return m_borderTB; }
    void setBorderTB(int border); // clamped to 0..kMaxBorder

    // Text height of the font + 3 + 2 * BorderTB.
    int collapsedHeight() const;
    // Hit area of the caption strip; a point is inside when it lies strictly between left()
    // and right() and strictly between top() and bottom().
    QRect captionRect() const;
    bool isInCaption(const QPoint& pos) const;

  signals:
    // After every collapse or expansion.
    void OnExpand();
    // Mouse events that do not belong to the caption strip. Down and move are sent for
    // positions outside the strip only; up is sent for every release that does not toggle,
    // so that a drag started outside the strip always sees its end.
    void mouseDownOutside(QMouseEvent* event);
    void mouseMoveOutside(QMouseEvent* event);
    void mouseUpOutside(QMouseEvent* event);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void applyCollapse();
    void showStep();
    void relayoutParent();
    void refitCollapsed();
    void setHeightNow(int height);
    void hideChildrenOutside();
    void showHiddenChildren();
    void cancelPress();
    void showArrowCursor();
    void restoreCursor();
    void paintFrame(QPainter& painter, int textHeight) const;
    void paintStrip(QPainter& painter, int textHeight) const;
    void paintCaption(QPainter& painter, int textHeight) const;

    bool m_collapsed = false;
    int m_heightExpanded = 0;
    int m_borderLR = 0;
    int m_borderTB = 0;

    bool m_pressed = false;   // left button went down inside the caption strip
    bool m_mouseLeft = false; // the pointer left the control while pressed
    bool m_captured = false;  // a press outside the strip owns the following events
    bool m_applying = false;  // a collapse or expansion is changing the height
    bool m_refitQueued = false;

    bool m_arrowShown = false; // the arrow replaces the control's cursor over the strip
    bool m_savedCursorSet = false;
    QCursor m_savedCursor;

    QList<QPointer<QWidget>> m_hiddenChildren;
};

} // namespace gonilux::mainwindow
