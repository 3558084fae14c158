#include "list_widgets.h"

#include "diagram/pictograms.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>

namespace gonilux::browser {
namespace {

const QColor kGaugeBlue(0, 0, 255);
constexpr int kLabelTop = 4;
constexpr int kGaugeMargin = 16; // left and right of the gauge inside the panel
constexpr int kGaugeBottom = 8;  // from the gauge's bottom to the panel's

// The link arrow on a white square, in the bottom-left corner of a size x size picture.
void DrawLinkArrow(QPainter& p, int size) {
    const int box = std::max(7, size * 7 / 16);
    const QRectF square(0.5, size - box + 0.5, box - 1, box - 1);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(square);

    const qreal inset = box * 0.22;
    const QPointF from(square.left() + inset, square.bottom() - inset);
    const QPointF to(square.right() - inset, square.top() + inset);
    QPainterPath curve(from);
    curve.quadTo(QPointF(from.x(), to.y() + (from.y() - to.y()) * 0.3), to);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, std::max(1.0, size / 16.0), Qt::SolidLine, Qt::RoundCap));
    p.drawPath(curve);

    const qreal head = box * 0.38;
    QPolygonF arrowHead;
    arrowHead << to << QPointF(to.x() - head, to.y()) << QPointF(to.x(), to.y() + head);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(arrowHead);
}

QPixmap MarkedPixmap(const QIcon& iesIcon, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    iesIcon.paint(&p, QRect(0, 0, size, size));
    DrawLinkArrow(p, size);
    return pixmap;
}

} // namespace

TGauge::TGauge(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GaugeSort"));
    resize(kWidth, kHeight);
}

int TGauge::percentDone() const {
    if (maxValue_ <= 0) return 0;
    return static_cast<int>(100LL * progress_ / maxValue_);
}

void TGauge::setProgress(int value) {
    value = std::clamp(value, 0, maxValue_);
    if (value == progress_) return;
    const int before = percentDone();
    progress_ = value;
    if (isVisible() && percentDone() != before) repaint();
}

void TGauge::setMaxValue(int value) {
    maxValue_ = std::max(0, value);
    progress_ = std::min(progress_, maxValue_);
    if (isVisible()) update();
}

void TGauge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    p.fillRect(inner, Qt::white);
    const int filled =
        maxValue_ > 0
            ? static_cast<int>(static_cast<long long>(inner.width()) * progress_ / maxValue_)
            : 0;
    const QRect bar(inner.left(), inner.top(), filled, inner.height());
    p.fillRect(bar, kGaugeBlue);

    const QString text = QString::asprintf("%d%%", percentDone());
    p.setFont(font());
    p.setClipRect(inner.adjusted(filled, 0, 0, 0));
    p.setPen(kGaugeBlue);
    p.drawText(inner, Qt::AlignCenter, text);
    p.setClipRect(bar);
    p.setPen(Qt::white);
    p.drawText(inner, Qt::AlignCenter, text);
    p.setClipping(false);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(frame);
}

ProcessingPanel::ProcessingPanel(QWidget* parent)
    : QFrame(parent), label_(new QLabel(this)), gauge_(new TGauge(this)) {
    setObjectName(QStringLiteral("PanelProcessing"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    label_->setObjectName(QStringLiteral("LabelProcessing"));
    label_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label_->setFont(bold);
    QFont gaugeFont = bold;
    gaugeFont.setPixelSize(TGauge::kHeight - 2);
    gauge_->setFont(gaugeFont);
    resize(kWidth, kHeight);
    hide();
}

ListNote::ListNote(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("ListNote"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(3);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);
    setCursor(Qt::PointingHandCursor);
    hide();
}

void ListNote::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    hide();
}

void ProcessingPanel::setCaption(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    update();
}

void ProcessingPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (caption_.isEmpty()) return;
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(contentsRect(), Qt::AlignCenter, caption_);
}

void ProcessingPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const int h = label_->fontMetrics().height() + 2;
    label_->setGeometry(frameWidth(), kLabelTop, width() - 2 * frameWidth(), h);
    const int gaugeWidth = std::min(TGauge::kWidth, std::max(1, width() - 2 * kGaugeMargin));
    gauge_->setGeometry((width() - gaugeWidth) / 2, height() - kGaugeBottom - TGauge::kHeight,
                        gaugeWidth, TGauge::kHeight);
}

QIcon MakeAuthorMarkIcon(const QIcon& iesIcon) {
    QIcon marked;
    for (int size : {16, 32})
        marked.addPixmap(MarkedPixmap(iesIcon, size));
    return marked;
}

QRect ErrorBadgeRect(const QRect& iconRect) {
    const int side = std::clamp(std::min(iconRect.width(), iconRect.height()) / 2, 9, 20);
    return QRect(iconRect.right() + 1 - side, iconRect.bottom() + 1 - side, side, side);
}

void DrawErrorBadge(QPainter& painter, const QRect& iconRect) {
    const QRect badge = ErrorBadgeRect(iconRect);
    DrawSystemIcon(painter, SystemIcon::Warning, badge.left(), badge.top(), badge.width());
}

} // namespace gonilux::browser
