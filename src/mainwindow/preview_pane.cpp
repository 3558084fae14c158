#include "preview_pane.h"

#include "diagram/render_diagram.h"
#include "layout_rules.h"
#include "photometry/ldt_reader.h"
#include "photometry/plane_pairs.h"

#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <algorithm>

namespace gonilux::mainwindow {
namespace {

constexpr int kDegreeStripHeight = 32;
constexpr int kButtonSize = 25;
constexpr int kSliderMaxWidth = 193;

QString Hint(QString text) {
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

enum class Glyph { Fit, Ortho, Render, Print };

// Small pictures of the speed buttons, drawn here so they look the same everywhere.
QIcon ButtonIcon(Glyph glyph) {
    QPixmap pixmap(40, 40);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    p.setPen(QPen(QColor(40, 40, 40), 1.6));
    switch (glyph) {
    case Glyph::Fit:
        p.drawRect(QRectF(5, 5, 10, 10));
        p.drawLine(QPointF(1, 1), QPointF(5, 5));
        p.drawLine(QPointF(19, 1), QPointF(15, 5));
        p.drawLine(QPointF(1, 19), QPointF(5, 15));
        p.drawLine(QPointF(19, 19), QPointF(15, 15));
        break;
    case Glyph::Ortho:
        p.drawEllipse(QRectF(3, 3, 14, 14));
        p.setPen(QPen(QColor(200, 60, 60), 1.6));
        p.drawLine(QPointF(10, 1), QPointF(10, 19));
        p.drawLine(QPointF(1, 10), QPointF(19, 10));
        break;
    case Glyph::Render:
        p.setBrush(QColor(250, 200, 40));
        p.drawEllipse(QRectF(6, 6, 8, 8));
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(10, 10);
            p.rotate(45.0 * i);
            p.drawLine(QPointF(0, 5.5), QPointF(0, 9));
            p.restore();
        }
        break;
    case Glyph::Print:
        p.drawRect(QRectF(5, 2, 10, 6));
        p.setBrush(QColor(200, 200, 200));
        p.drawRoundedRect(QRectF(2, 8, 16, 7), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 12, 10, 6));
        break;
    }
    return QIcon(pixmap);
}

double LargestIntensity(const tIES& ies, int firstRow, int lastRow) {
    double largest = 0;
    for (int h = std::max(firstRow, 0); h <= lastRow && h < static_cast<int>(ies.Candela.size());
         ++h)
        for (double v : ies.Candela[static_cast<std::size_t>(h)])
            largest = std::max(largest, v);
    return largest;
}

} // namespace

TTrackBarDegree::TTrackBarDegree(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setObjectName(QStringLiteral("DegreeTrackBar"));
    setTickPosition(QSlider::TicksAbove);
    setRange(0, 0);
    setValue(0);
    setEnabled(false);
    setFocusPolicy(Qt::ClickFocus);
    setVisible(false);
    setToolTip(Hint(tr("改变垂直度数\rCtrl + 滚动鼠标中轮")));
    setFixedHeight(29);
    setMaximumWidth(kSliderMaxWidth);
}

void TTrackBarDegree::mouseReleaseEvent(QMouseEvent* event) {
    QSlider::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) emit released();
}

void TTrackBarDegree::keyReleaseEvent(QKeyEvent* event) {
    QSlider::keyReleaseEvent(event);
    if (!event->isAutoRepeat()) emit keyReleased();
}

PaintBoxWidget::PaintBoxWidget(PreviewPane* pane) : QWidget(pane), pane_(pane) {
    setObjectName(QStringLiteral("PaintBox"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void PaintBoxWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    pane_->paintPreview(painter, event->rect());
}

void PaintBoxWidget::mousePressEvent(QMouseEvent* event) {
    emit pressed(event);
}

// The second press of a double click is not a second click: the mouse toggles act once.
void PaintBoxWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void PaintBoxWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    pane_->PaintBoxMouseMove(event->buttons(), event->modifiers(), at.x(), at.y());
}

PreviewPane::PreviewPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PanelImage"));
    setMinimumWidth(180);
    buildStrip();
    paintBox_ = new PaintBoxWidget(this);
    connect(paintBox_, &PaintBoxWidget::pressed, this, &PreviewPane::PaintBoxMouseDown);
}

QToolButton* PreviewPane::makeSpeedButton(const char* name, const QString& text,
                                          const QString& hint, bool checkable) {
    auto* button = new QToolButton(panelDegree_);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    static const QHash<QString, Glyph> kGlyphs = {
        {QStringLiteral("SpeedButtonFit"), Glyph::Fit},
        {QStringLiteral("SpeedButtonOrtho"), Glyph::Ortho},
        {QStringLiteral("SpeedButtonRender"), Glyph::Render},
        {QStringLiteral("SpeedButtonPrint"), Glyph::Print}};
    button->setIcon(ButtonIcon(kGlyphs.value(button->objectName())));
    button->setIconSize(QSize(20, 20));
    button->setToolTip(hint);
    button->setCheckable(checkable);
    button->setAutoRaise(true);
    button->setFixedSize(kButtonSize, kButtonSize);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void PreviewPane::buildStrip() {
    panelDegree_ = new QWidget(this);
    panelDegree_->setObjectName(QStringLiteral("PanelDegree"));
    panelDegree_->setFixedHeight(kDegreeStripHeight);
    fit_ = makeSpeedButton("SpeedButtonFit", QStringLiteral("⤢"),
                           Hint(tr("适配图表\r在图表上单击左键")), true);
    ortho_ = makeSpeedButton("SpeedButtonOrtho", QStringLiteral("⊥"),
                             Hint(tr("显示正交图表\r在图表上单击右键")), true);
    render_ = makeSpeedButton("SpeedButtonRender", QStringLiteral("☀"), tr("渲染"), false);
    print_ = makeSpeedButton("SpeedButtonPrint", QStringLiteral("⎙"), tr("打印"), false);
    ortho_->setChecked(true);
    render_->setEnabled(false);
    print_->setEnabled(false);
    int x = 3;
    for (QToolButton* b : {fit_, ortho_, render_, print_}) {
        b->move(x, 3);
        x += kButtonSize + 2;
    }
    labelDegree_ = new QLabel(tr("角度:"), panelDegree_);
    labelDegree_->setObjectName(QStringLiteral("LabelDegree"));
    labelDegree_->hide();
    labelAxial_ = new QLabel(tr("轴对称"), panelDegree_);
    labelAxial_->setObjectName(QStringLiteral("LabelAxial"));
    labelAxial_->move(x + 6, 8);
    labelAxial_->hide();
    degreeTrackBar_ = new TTrackBarDegree(panelDegree_);
    degreeTrackBar_->move(x + 4, 1);
    connect(fit_, &QToolButton::clicked, this, &PreviewPane::SpeedButtonFitClick);
    connect(ortho_, &QToolButton::clicked, this, &PreviewPane::SpeedButtonOrthoClick);
    connect(degreeTrackBar_, &QSlider::valueChanged, this, &PreviewPane::DegreeTrackBarChange);
    auto recompose = [this] {
        if (!qualityRedraw_) RenderDiagram(RenderBackground | RenderDiagramCurves);
    };
    connect(degreeTrackBar_, &TTrackBarDegree::released, this, recompose);
    connect(degreeTrackBar_, &TTrackBarDegree::keyReleased, this, recompose);
}

void PreviewPane::setDiagramOptions(const DiagramOptions& options) {
    options_ = options;
}

DiagramOptions PreviewPane::diagramOptions() const {
    DiagramOptions options = options_;
    options.Fit = fit_->isChecked();
    options.Ortho = ortho_->isChecked();
    options.Eulumdat = IsLdtFileName(currentFile_.toStdString());
    return options;
}

int PreviewPane::planePosition() const {
    return degreeTrackBar_->value();
}

void PreviewPane::ShowPreviewItem(const tIES* ies, const QString& currentFile) {
    degreeTrackBar_->setEnabled(false);
    const bool isFile = ies != nullptr;
    render_->setEnabled(isFile);
    print_->setEnabled(isFile);
    bool multi = false;
    if (!isFile) {
        degreeTrackBar_->setValue(degreeTrackBar_->minimum());
        ResetIes(previewIes_);
        currentFile_.clear();
        RenderDiagram(RenderBackground);
    } else {
        ResetIes(previewIes_);
        CopyIes(*ies, previewIes_);
        const int planes = static_cast<int>(previewIes_.HorzAngles.size());
        degreeTrackBar_->setMaximum(std::max(planes - 1, 0));
        multi = planes > 1;
        if (multi)
            degreeTrackBar_->setValue(FirstZeroPlane(previewIes_) + degreeTrackBar_->minimum());
        else
            degreeTrackBar_->setValue(degreeTrackBar_->minimum());
        lastDegree_ = degreeTrackBar_->value();
        degreeTrackBar_->setEnabled(multi);
        if (!fit_->isChecked()) {
            tIesExtents extents;
            tIesLocations locations;
            WholeExtents(previewIes_, extents, locations);
            previewMaxIntensity_ = extents.MaxIntensity;
        }
        currentFile_ = currentFile;
        RenderDiagram(RenderBackground | RenderDiagramCurves);
    }
    degreeTrackBar_->setVisible(isFile && multi);
    labelAxial_->setVisible(isFile && !multi);
}

void PreviewPane::clearPreview() {
    currentFile_.clear();
    ResetIes(previewIes_);
    bitmapFresh_ = false;
    clearOverlay();
    degreeTrackBar_->setEnabled(false);
    degreeTrackBar_->hide();
    labelAxial_->hide();
    render_->setEnabled(false);
    print_->setEnabled(false);
    paintBox_->update();
}

void PreviewPane::RenderDiagram(int flags) {
    if (renderBusy_) return;
    renderBusy_ = true;
    DiagramScale scale;
    QImage picture = ComposeDiagram(paintBox_->width(), paintBox_->height(), previewIes_, flags,
                                    planePosition(), diagramOptions(), &scale);
    if (!(flags & RenderThumbnail)) {
        previewBitmap_ = picture;
        previewScale_ = scale;
        bitmapFresh_ = !picture.isNull();
        clearOverlay();
    }
    paintBox_->update();
    renderBusy_ = false;
}

void PreviewPane::RedrawPreview(int flags) {
    if (currentFile_.isEmpty()) return;
    if (qualityRedraw_) {
        RenderDiagram(flags);
    } else {
        bitmapFresh_ = false; // drawn straight onto the paint box
        clearOverlay();
        paintBox_->update();
    }
}

void PreviewPane::paintPreview(QPainter& painter, const QRect& area) {
    const int w = paintBox_->width(), h = paintBox_->height();
    if (bitmapFresh_ && previewBitmap_.size() == paintBox_->size()) {
        const QRect part = area.intersected(previewBitmap_.rect());
        painter.drawImage(part.topLeft(), previewBitmap_, part);
    } else {
        const int flags =
            currentFile_.isEmpty() ? RenderBackground : (RenderBackground | RenderDiagramCurves);
        previewScale_ =
            PaintDiagram(painter, w, h, previewIes_, flags, planePosition(), diagramOptions());
    }
    paintOverlay(painter);
}

bool PreviewPane::stepPlane(int delta) {
    if (!degreeTrackBar_->isEnabled()) return false;
    const int target = degreeTrackBar_->value() + delta;
    if (target < degreeTrackBar_->minimum() || target > degreeTrackBar_->maximum()) return false;
    degreeTrackBar_->setValue(target);
    return true;
}

void PreviewPane::SpeedButtonFitClick() {
    if (currentFile_.isEmpty()) return;
    if (!fit_->isChecked() && !previewIes_.Candela.empty())
        previewMaxIntensity_ =
            LargestIntensity(previewIes_, degreeTrackBar_->minimum(), degreeTrackBar_->maximum());
    RenderDiagram(RenderBackground | RenderDiagramCurves);
}

void PreviewPane::SpeedButtonOrthoClick() {
    const bool pairExists = planePosition() == FirstZeroPlane(previewIes_) &&
                            degreeTrackBar_->maximum() > degreeTrackBar_->minimum();
    if (pairExists && !currentFile_.isEmpty())
        RenderDiagram(RenderBackground | RenderDiagramCurves);
}

void PreviewPane::DegreeTrackBarChange(int position) {
    if (!degreeTrackBar_->isEnabled()) return;
    if (position != lastDegree_) RedrawPreview(RenderBackground | RenderDiagramCurves);
    lastDegree_ = position;
    emit planeChanged(position);
}

void PreviewPane::PaintBoxMouseDown(QMouseEvent* event) {
    const Qt::MouseButtons buttons = event->buttons();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (buttons == Qt::LeftButton && mods == Qt::NoModifier) {
        fit_->toggle();
        SpeedButtonFitClick();
    } else if (buttons == Qt::RightButton && mods == Qt::NoModifier) {
        ortho_->toggle();
        SpeedButtonOrthoClick();
    } else if (buttons == Qt::LeftButton && mods == Qt::ControlModifier) {
        RenderDiagram(RenderBackground | RenderDiagramCurves);
        emit lensToggleRequested();
    } else if (buttons == Qt::RightButton && mods == Qt::ControlModifier) {
        emit lensModeToggleRequested(event->position().toPoint());
    } else if (buttons == Qt::LeftButton && mods == Qt::AltModifier) {
        eyeDragAnchor_ = eye_.K + event->position().toPoint().y();
    } else if (buttons == Qt::RightButton && mods == Qt::AltModifier) {
        eyeDragAnchor_ = eye_.R + event->position().toPoint().y();
    }
}

void PreviewPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PanelImageResize();
}

void PreviewPane::PanelImageResize() {
    panelDegree_->setGeometry(0, 0, width(), kDegreeStripHeight);
    const int sliderLeft = degreeTrackBar_->x();
    degreeTrackBar_->resize(std::clamp(width() - sliderLeft - 10, 20, kSliderMaxWidth), 29);
    paintBox_->setGeometry(PreviewSquare(width(), height(), kDegreeStripHeight));
    RenderDiagram(currentFile_.isEmpty() ? RenderBackground
                                         : (RenderBackground | RenderDiagramCurves));
}

} // namespace gonilux::mainwindow
