// Small widgets and pictures of the file list: the progress gauge, the floating progress panel,
// the IES icon with the author mark and the warning badge of damaged files.
#pragma once

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QRect>
#include <QString>
#include <QWidget>

class QPainter;

namespace gonilux::browser {

// A horizontal bar filled from the left in proportion to progress over maximum, with the
// percentage centred on it in inverted colours (blue text on the empty part, white on the bar).
class TGauge : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 177;
    static constexpr int kHeight = 12;

    explicit TGauge(QWidget* parent = nullptr);

    int progress() const { return progress_; }
    int maxValue() const { return maxValue_; }
    // Percentage shown: 100 * progress / maximum, truncated; 0 while the maximum is 0.
    int percentDone() const;

    // Values are clamped to 0..maximum. The bar repaints at once when its percentage changes,
    // since it is only ever updated while a long operation blocks the event loop.
    void setProgress(int value);
    void setMaxValue(int value);

    QSize sizeHint() const override { return {kWidth, kHeight}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int progress_ = 0;
    int maxValue_ = 100;
};

// The panel shown over the list during long operations: lowered bevel, bold font, a caption of
// its own centred in it, the progress text at the top and the gauge below it.
class ProcessingPanel : public QFrame {
    Q_OBJECT
  public:
    static constexpr int kWidth = 209;
    static constexpr int kHeight = 49;

    explicit ProcessingPanel(QWidget* parent = nullptr);

    QLabel* label() const { return label_; }
    TGauge* gauge() const { return gauge_; }
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QLabel* label_;
    TGauge* gauge_;
    QString caption_;
};

// A one-line note over the list in the colours of hover texts; it blocks nothing, and a click
// puts it away.
class ListNote : public QLabel {
    Q_OBJECT
  public:
    explicit ListNote(QWidget* parent = nullptr);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// The IES file icon with a small link arrow in its bottom-left corner, in 16 and 32 pixels:
// the image of files that this program wrote.
QIcon MakeAuthorMarkIcon(const QIcon& iesIcon);

// Where the warning badge of a damaged file goes on an entry's picture: a square in the
// bottom-right corner of `iconRect`, half the picture's side (at least 9, at most 20 pixels).
QRect ErrorBadgeRect(const QRect& iconRect);
// Draws the badge (the warning triangle of the diagrams) on the picture at `iconRect`.
void DrawErrorBadge(QPainter& painter, const QRect& iconRect);

} // namespace gonilux::browser
