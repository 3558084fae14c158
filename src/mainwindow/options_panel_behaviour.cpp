// The options panel's stacking, drag scrolling, hiding and showing, and the hover-time field.
#include "group_box_ex.h"
#include "layout_rules.h"
#include "options_panel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace gonilux::mainwindow {

void OptionsPanel::FitOptionsPanel() {
    int bottom = 0;
    // The stack first gets room for every box at its fixed height: a layout squeezed into less
    // room lays fixed-height boxes over each other (several boxes expanded at once at start).
    QLayout* stack = PanelMainChild->layout();
    const int needed = stack->minimumSize().height();
    if (PanelMainChild->height() < needed) PanelMainChild->resize(kShownWidth, needed);
    stack->activate();
    // Before the window shows, a resize does not lay the stack out again: it is placed here.
    stack->setGeometry(PanelMainChild->rect());
    for (QWidget* child :
         PanelMainChild->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!child->isHidden()) bottom = std::max(bottom, child->y() + child->height());
    PanelMainChild->setGeometry(PanelMainChild->x(), PanelMainChild->y(), kShownWidth, bottom + 20);
    PanelMainResize();
    PanelMainChild->update();
}

void OptionsPanel::PanelMainResize() {
    const int stackHeight = PanelMainChild->height();
    int top = PanelMainChild->y();
    if (top + stackHeight < height()) {
        if (top < 0) top = height() - stackHeight;
        if (top > 0) top = 0;
    }
    PanelMainChild->move(0, top);
    syncScrollBar();
}

// The bar stands beside the stack, which gives up the bar's width while it shows.
void OptionsPanel::syncScrollBar() {
    const bool needed = canScroll();
    const int bar = ScrollBar->sizeHint().width();
    PanelMainChild->resize(needed ? kShownWidth - bar : kShownWidth, PanelMainChild->height());
    ScrollBar->setGeometry(width() - bar, 0, bar, height());
    const QSignalBlocker block(ScrollBar);
    ScrollBar->setRange(0, std::max(0, PanelMainChild->height() - height()));
    ScrollBar->setPageStep(std::max(1, height()));
    ScrollBar->setSingleStep(20);
    ScrollBar->setValue(-PanelMainChild->y());
    ScrollBar->setVisible(needed);
}

void OptionsPanel::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (!canScroll() || delta == 0) {
        event->ignore();
        return;
    }
    ScrollBar->setValue(ScrollBar->value() -
                        delta * ScrollBar->singleStep() * QApplication::wheelScrollLines() / 120);
    event->accept();
}

void OptionsPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PanelMainResize();
}

bool OptionsPanel::canScroll() const {
    return PanelMainChild->height() > height();
}

void OptionsPanel::PanelMainChildMouseDown(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !canScroll()) return;
    panelDragging_ = true;
    panelDragOffset_ = static_cast<int>(event->globalPosition().y()) - PanelMainChild->y();
    PanelMainChild->setCursor(Qt::ClosedHandCursor);
}

void OptionsPanel::PanelMainChildMouseMove(QMouseEvent* event) {
    if (!canScroll()) {
        PanelMainChild->unsetCursor();
        return;
    }
    if (!panelDragging_) PanelMainChild->setCursor(Qt::OpenHandCursor);
    if ((event->buttons() & Qt::LeftButton) && panelDragging_) {
        const int wanted = static_cast<int>(event->globalPosition().y()) - panelDragOffset_;
        const int top = std::clamp(wanted, height() - PanelMainChild->height(), 0);
        if (top != PanelMainChild->y()) PanelMainChild->move(0, top);
        syncScrollBar();
    }
}

bool OptionsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EditHoverTime && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.size() == 1 && !HoverKeyAccepted(EditHoverTime->text(), text[0])) return true;
        return false;
    }
    if (watched == EditHoverTime && event->type() == QEvent::FocusOut) {
        EditHoverTimeExit();
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress)
        PanelMainChildMouseDown(static_cast<QMouseEvent*>(event));
    else if (event->type() == QEvent::MouseMove)
        PanelMainChildMouseMove(static_cast<QMouseEvent*>(event));
    else if (event->type() == QEvent::MouseButtonRelease) {
        panelDragging_ = false;
        PanelMainChild->setCursor(canScroll() ? Qt::OpenHandCursor : Qt::ArrowCursor);
    }
    return QWidget::eventFilter(watched, event);
}

void OptionsPanel::ButtonHideClick() {
    if (returnControl_) returnControl_->setFocus();
    setEnabled(false);
    int w = width();
    for (int step = 8; w - step >= 1; step *= 2) {
        w -= step;
        setFixedWidth(w);
        repaint();
    }
    setFixedWidth(0);
    hide();
}

void OptionsPanel::ButtonShowClick() {
    show();
    int w = std::max(width(), 0);
    for (int step = 90; w + step < kShownWidth - 1; step = std::max(step / 2, 1)) {
        w += step;
        setFixedWidth(w);
        repaint();
    }
    returnControl_ = QApplication::focusWidget();
    setFixedWidth(kShownWidth);
    setEnabled(true);
    setFocus();
}

void OptionsPanel::CheckBoxAlwaysClick() {
    CheckBoxHide->setEnabled(!CheckBoxAlways->isChecked());
}

void OptionsPanel::FormMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                                 int listWidth) {
    if (isShown()) {
        if (CheckBoxHide->isChecked() && !CheckBoxAlways->isChecked()) ButtonHideClick();
    } else if (x > listWidth - 20) {
        const bool rightOnly = buttons == Qt::RightButton && modifiers == Qt::NoModifier;
        const bool ctrlOnly = buttons == Qt::NoButton && modifiers == Qt::ControlModifier;
        if (rightOnly || ctrlOnly) ButtonShowClick();
    }
}

void OptionsPanel::onFocusChanged(QWidget* old, QWidget* now) {
    const bool wasInside = old && isAncestorOf(old);
    const bool isInside = now && (now == this || isAncestorOf(now));
    if (wasInside && !isInside && isShown() && !CheckBoxAlways->isChecked()) ButtonHideClick();
    if (isInside && now != this && canScroll()) { // a control reached by Tab scrolls into view
        const int top = now->mapTo(this, QPoint()).y();
        if (top < 0 || top + now->height() > height())
            ScrollBar->setValue(ScrollBar->value() + top -
                                (top < 0 ? 2 : height() - now->height() - 2));
    }
}

bool OptionsPanel::HoverKeyAccepted(const QString& text, QChar key) {
    if (key > QLatin1Char('9')) return false;
    if (key == QLatin1Char('-') && text.contains(QLatin1Char('-'))) return false;
    return true;
}

int OptionsPanel::HoverTimeFromText(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) return 0;
    const double hundredths = std::nearbyint(100.0 * std::clamp(value, -1e9, 1e9)) / 100.0;
    return RoundEven(hundredths);
}

void OptionsPanel::EditHoverTimeExit() {
    emit hoverTimeEntered(HoverTimeFromText(EditHoverTime->text()));
    EditHoverTime->selectAll();
}

void OptionsPanel::setHoverTimeText(int milliseconds) {
    EditHoverTime->setText(QString::number(milliseconds));
    EditHoverTime->selectAll();
}

} // namespace gonilux::mainwindow
