#include "hover_readout.h"

#include "diagram/diagram_text.h"
#include "diagram/render_diagram.h"
#include "fish_eye.h"
#include "options_panel.h"
#include "preview_pane.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QSlider>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace gonilux::mainwindow {

ReadoutValues ComputeReadout(int x, int y, int paneWidth, double fullScale, int margin) {
    const int cx = paneWidth / 2;
    const double dx = x - cx, dy = y - cx;
    const double d = std::sqrt(dx * dx + dy * dy);
    ReadoutValues values;
    const int radius = cx - margin;
    if (radius > 0 && std::isfinite(fullScale))
        values.Intensity = std::nearbyint(d / radius * fullScale);
    values.Angle = static_cast<int>(std::nearbyint(std::atan2(dy, dx) * 180.0 / std::numbers::pi));
    return values;
}

ReadoutMetrics MeasureReadout(const QFont& font) {
    const QFontMetrics metrics(font);
    const int f = std::abs(metrics.height());
    return {QSize(metrics.horizontalAdvance(QCoreApplication::translate("HoverReadout", "光强") +
                                            QStringLiteral(" 9 999")) +
                      f,
                  3 * f),
            f};
}

QPoint ReadoutBoxOrigin(int x, int y, QSize box, int paneWidth, int r) {
    int dx = r + 16, dy = r + 8;
    if (x + dx + box.width() > paneWidth) dx = paneWidth - x - box.width();
    if (y + dy + box.height() > paneWidth) dy = paneWidth - y - box.height();
    return {x + dx, y + dy};
}

QString ReadoutIntensityLine(double intensity) {
    return QLatin1Char(' ') + QCoreApplication::translate("HoverReadout", "光强") +
           QLatin1Char(' ') + GroupedFigure(intensity, FigureKind::Intensity);
}

QString ReadoutDegreeLine(int angle) {
    return QLatin1Char(' ') + QCoreApplication::translate("HoverReadout", "角度") +
           QLatin1Char(' ') + QString::number(angle);
}

EyeDrag DragEyeSlider(int anchor, int y, int minimum, int maximum) {
    const int requested = anchor - y;
    EyeDrag drag{std::clamp(requested, minimum, maximum), anchor};
    if (std::abs(requested) > 2 && (drag.Position == maximum || drag.Position == minimum))
        drag.Anchor = drag.Position + y;
    return drag;
}

// ---- The preview's mouse tools ----

void PreviewPane::setEyeSettings(const EyeSettings& settings) {
    if (!eyeSet_) lastLensRadius_ = settings.R; // the radius the controls start with
    eyeSet_ = true;
    eye_ = settings;
}

void PreviewPane::PaintBoxMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                                    int x, int y) {
    const bool alt = modifiers == Qt::AltModifier;
    if (alt && buttons == Qt::RightButton && eye_.On) {
        const EyeDrag drag = DragEyeSlider(eyeDragAnchor_, y, kLensRadiusMin, kLensRadiusMax);
        eyeDragAnchor_ = drag.Anchor;
        emit lensRadiusDragged(drag.Position);
    } else if (alt && buttons == Qt::LeftButton && eye_.On) {
        const EyeDrag drag =
            DragEyeSlider(eyeDragAnchor_, y, kLensRefractionMin, kLensRefractionMax);
        eyeDragAnchor_ = drag.Anchor;
        emit lensRefractionDragged(drag.Position);
    }
    if (!currentFile_.isEmpty()) DrawHoverReadout(x, y);
}

void PreviewPane::TrackBarAlphaChange() {
    if (!currentFile_.isEmpty()) DrawHoverReadout(readoutPos_.x(), readoutPos_.y());
}

const ReadoutMetrics& PreviewPane::readoutMetrics() {
    if (!readoutMetrics_) {
        readoutMetrics_ = MeasureReadout(QFont());
        readoutFont_ = MakeDiagramFont(-QFontInfo(paintBox_->font()).pixelSize());
    }
    return *readoutMetrics_;
}

// The box (and the lens) for a pointer at (x, y); only the union of the old and the new areas
// is repainted from the clean picture.
void PreviewPane::DrawHoverReadout(int x, int y) {
    if (!bitmapFresh_ || previewBitmap_.size() != paintBox_->size())
        RenderDiagram(currentFile_.isEmpty() ? RenderBackground
                                             : (RenderBackground | RenderDiagramCurves));
    const int paneWidth = paintBox_->width();
    const ReadoutMetrics& metrics = readoutMetrics();
    const int r = eye_.On ? eye_.R / 2 : 0;
    const int r0 = eye_.On ? lastLensRadius_ / 2 : 0;
    const QRect previous(
        ReadoutBoxOrigin(readoutPos_.x(), readoutPos_.y(), metrics.Box, paneWidth, r0),
        metrics.Box);
    const QRect next(ReadoutBoxOrigin(x, y, metrics.Box, paneWidth, r), metrics.Box);
    QRect dirty = previous.united(next).adjusted(0, 0, 0, 1);
    if (readoutShown_) dirty |= readoutRect_;
    const ReadoutValues values =
        ComputeReadout(x, y, paneWidth, previewScale_.FullScale, previewScale_.Margin);
    readoutLines_ = {ReadoutIntensityLine(values.Intensity), ReadoutDegreeLine(values.Angle)};
    readoutRect_ = next;
    readoutShown_ = true;
    if (eye_.R > 0 && eye_.On) dirty |= DrawFishEye(x, y, readoutPos_);
    readoutPos_ = QPoint(x, y);
    paintBox_->update(dirty);
}

// Computes the lens at (x, y) and returns the area to repaint: the old lens square around
// `previous` and the new one.
QRect PreviewPane::DrawFishEye(int x, int y, QPoint previous) {
    const int r = eye_.R;
    if (!lensMap_ || !lensMap_->matches(r, eye_.K, eye_.Plus))
        lensMap_.emplace(r, eye_.K, eye_.Plus);
    const int last = lastLensRadius_;
    QRect work = QRect(previous.x() - last, previous.y() - last, 2 * last, 2 * last)
                     .united(QRect(x - r, y - r, 2 * r, 2 * r));
    if (lensShown_) work |= lensRect_;
    ComputeFishEye(previewBitmap_, x, y, *lensMap_, lensImage_);
    lensRect_ = QRect(x - r, y - r, 2 * r, 2 * r);
    lensShown_ = true;
    lastLensRadius_ = r;
    return work;
}

void PreviewPane::clearOverlay() {
    readoutShown_ = false;
    lensShown_ = false;
}

// The lens, then the translucent box with its two lines on top.
void PreviewPane::paintOverlay(QPainter& painter) {
    if (lensShown_) painter.drawImage(lensRect_.topLeft(), lensImage_);
    if (!readoutShown_) return;
    const ReadoutMetrics& metrics = readoutMetrics();
    QColor fill = paintBox_->palette().color(QPalette::ToolTipBase);
    fill.setAlpha(eye_.Alpha);
    painter.fillRect(readoutRect_, fill);
    painter.setPen(QColor(0, 0, 0, eye_.Alpha));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(readoutRect_.adjusted(0, 0, -1, -1));
    painter.setFont(readoutFont_);
    painter.setPen(paintBox_->palette().color(QPalette::WindowText));
    const int f = metrics.LineStep;
    DrawTextAt(painter, readoutRect_.left() + f, readoutRect_.top() + f, readoutLines_.value(0));
    DrawTextAt(painter, readoutRect_.left() + f, readoutRect_.top() + 2 * f,
               readoutLines_.value(1));
}

// ---- The lens group ----

PaintBoxArcWidget::PaintBoxArcWidget(const QCheckBox* plus, QWidget* parent)
    : QWidget(parent), plus_(plus) {
    setObjectName(QStringLiteral("PaintBoxArc"));
    setFixedSize(60, 46);
}

void PaintBoxArcWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintBoxArcPaint(painter, width(), height(), plus_ && plus_->isChecked(),
                     palette().color(QPalette::Dark));
}

EyeSettings EyeSettingsOf(const ViewerOptions& o) {
    return {o.LensOn, o.LensPlus, o.LensRadius, o.LensRefraction, o.ReadoutAlpha};
}

void ConnectEyeControls(OptionsPanel* o, PreviewPane* p) {
    QObject::connect(o, &OptionsPanel::optionsChanged, p,
                     [p](const ViewerOptions& now, const ViewerOptions& before) {
                         if (EyeSettingsOf(now) == EyeSettingsOf(before)) return;
                         p->setEyeSettings(EyeSettingsOf(now));
                         if (now.LensOn != before.LensOn) // also removes the lens
                             p->RedrawPreview(RenderBackground | RenderDiagramCurves);
                         else
                             p->TrackBarAlphaChange();
                     });
    // The preview's mouse shortcuts change the lens group as the user would.
    auto change = [o](auto edit) {
        ViewerOptions options = o->options();
        edit(options);
        o->changeOptions(options);
    };
    QObject::connect(p, &PreviewPane::lensRadiusDragged, o, [change](int r) {
        change([r](ViewerOptions& options) { options.LensRadius = r; });
    });
    QObject::connect(p, &PreviewPane::lensRefractionDragged, o, [change](int k) {
        change([k](ViewerOptions& options) { options.LensRefraction = k; });
    });
    QObject::connect(p, &PreviewPane::lensToggleRequested, o, [change] {
        change([](ViewerOptions& options) { options.LensOn = !options.LensOn; });
    });
    QObject::connect(p, &PreviewPane::lensModeToggleRequested, p, [change, p](QPoint at) {
        change([](ViewerOptions& options) { options.LensPlus = !options.LensPlus; });
        p->PaintBoxMouseMove(Qt::RightButton, Qt::ControlModifier, at.x(), at.y());
    });
}

} // namespace gonilux::mainwindow
