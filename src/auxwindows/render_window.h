// The render window: the current record as a grey glow image through the selected plane pair,
// with brightness, zoom, ambient term and automatic update.
#pragma once

#include "render_image.h"

#include <QDialog>
#include <QImage>
#include <QSlider>
#include <QString>

class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace gonilux::auxwindows {

class PreviewSource;

// A trackbar of the render window: releasing the left button or a key asks for the render
// that the movement left pending, so dragging does not re-render continuously.
class RenderTrackBar : public QSlider {
    Q_OBJECT
  public:
    RenderTrackBar(int minimum, int maximum, QWidget* parent);
  signals:
    void renderRequested();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};

class TTrackBar2 final : public RenderTrackBar {
  public:
    using RenderTrackBar::RenderTrackBar;
};
class TTrackBarZoom final : public RenderTrackBar {
  public:
    using RenderTrackBar::RenderTrackBar;
};
class TTrackBarZ final : public RenderTrackBar {
  public:
    using RenderTrackBar::RenderTrackBar;
};

class TRenderWindow : public QDialog {
    Q_OBJECT
  public:
    // Reads the "Render" section of `settingsPath`.
    TRenderWindow(const PreviewSource& source, const QString& settingsPath,
                  QWidget* parent = nullptr);
    ~TRenderWindow() override;

    // Writes the "Render" section (once); false when the file could not be written.
    bool FormDestroy();

    void DoRender();
    const QImage& renderedImage() const { return image_; }
    const QString& RenderedFile() const { return renderedFile_; }
    int RenderedPlane() const { return renderedPlane_; }
    int renderCount() const { return renderCount_; }
    bool renderPending() const { return pending_; }
    RenderParams currentParams() const;

    TTrackBar2* TrackBar2() const { return trackBar2_; }
    TTrackBarZoom* TrackBarZoom() const { return trackBarZoom_; }
    TTrackBarZ* TrackBarZ() const { return trackBarZ_; }
    QToolButton* SBradiosity() const { return sbRadiosity_; }
    QToolButton* SBUpdate() const { return sbUpdate_; }
    QLabel* Label2() const { return label2_; }
    QLabel* LabelZoom() const { return labelZoom_; }
    QPushButton* ButtonResetBrightness() const { return buttonResetBrightness_; }
    QPushButton* ButtonResetZoom() const { return buttonResetZoom_; }
    QPushButton* ButtonClose() const { return buttonClose_; }

  signals:
    // The window was closed: the main window releases its render button.
    void closed();

  public slots:
    void FormShow();
    void ButtonUpdateClick();
    void SBUpdateClick();
    void SBradiosityClick();
    void ButtonResetBrightnessClick();
    void ButtonResetZoomClick();
    void ButtonResetClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildControls();
    void buildTrackBars();
    void LoadSettings();
    void renderIfPending();
    bool hasFile() const;
    QPushButton* makeButton(const QString& text, const QString& hint, int x, int y, int w, int h);

    const PreviewSource& source_;
    QString settingsPath_;
    bool settingsWritten_ = false;
    bool pending_ = false;
    QString renderedFile_;
    int renderedPlane_ = 0;
    int renderCount_ = 0;
    QImage image_;

    QLabel* image1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* labelZoom_ = nullptr;
    TTrackBar2* trackBar2_ = nullptr;
    TTrackBarZoom* trackBarZoom_ = nullptr;
    TTrackBarZ* trackBarZ_ = nullptr;
    QToolButton* sbRadiosity_ = nullptr;
    QToolButton* sbUpdate_ = nullptr;
    QPushButton* buttonResetBrightness_ = nullptr;
    QPushButton* buttonResetZoom_ = nullptr;
    QPushButton* buttonReset_ = nullptr;
    QPushButton* buttonClose_ = nullptr;
    QPushButton* buttonUpdate_ = nullptr;
};

} // namespace gonilux::auxwindows
