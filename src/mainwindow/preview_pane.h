// The preview pane under the folder tree: the selected file's diagram at a chosen C-plane, the
// fit / orthogonal / render / print buttons, the C-plane slider, and the mouse tools over the
// diagram (the readout box and the fish-eye lens, hover_readout.cpp).
#pragma once

#include "diagram/diagram_options.h"
#include "diagram/goniogram.h"
#include "fish_eye.h"
#include "hover_readout.h"
#include "photometry/ies_record.h"

#include <QImage>
#include <QSlider>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

class QLabel;
class QToolButton;

namespace gonilux::mainwindow {

// The C-plane slider: its position is an index into the preview record's horizontal angles.
// Releasing the mouse button on it is reported, so a direct redraw can be recomposed.
class TTrackBarDegree : public QSlider {
    Q_OBJECT
  public:
    explicit TTrackBarDegree(QWidget* parent = nullptr);
  signals:
    void released();
    void keyReleased();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};

class PreviewPane;

// The settings of the lens and the readout (the options panel's lens group).
struct EyeSettings {
    bool On = false;  // lens on
    bool Plus = true; // magnify (else shrink)
    int R = 32;       // lens radius in pixels
    int K = 80;       // index of refraction = K / 10 + 1
    int Alpha = 128;  // opacity of the readout box

    bool operator==(const EyeSettings&) const = default;
};

// The square paint box that shows the preview picture.
class PaintBoxWidget : public QWidget {
    Q_OBJECT
  public:
    explicit PaintBoxWidget(PreviewPane* pane);
  signals:
    void pressed(QMouseEvent* event);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    PreviewPane* pane_;
};

class PreviewPane : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewPane(QWidget* parent = nullptr);

    // The main window's switches (fit and orthogonal come from this pane's own buttons).
    void setDiagramOptions(const DiagramOptions& options);
    DiagramOptions diagramOptions() const;
    void setQualityRedraw(bool on) { qualityRedraw_ = on; }
    bool qualityRedraw() const { return qualityRedraw_; }

    // The selection: a file entry's record (copied) and full path, or nothing / a folder entry.
    void ShowPreviewItem(const tIES* ies, const QString& currentFile);
    // The folder changed: empty, background only, slider and "轴对称" hidden.
    void clearPreview();

    void RedrawPreview(int flags);
    void RenderDiagram(int flags);

    const QString& CurrentFile() const { return currentFile_; }
    const tIES& PreviewIes() const { return previewIes_; }
    const QImage& PreviewBitmap() const { return previewBitmap_; }
    double PreviewMaxIntensity() const { return previewMaxIntensity_; }
    bool PreviewBitmapFresh() const { return bitmapFresh_; }
    // The scale of the picture the paint box shows, kept when that picture is drawn.
    const DiagramScale& previewScale() const { return previewScale_; }
    int planePosition() const;

    TTrackBarDegree* DegreeTrackBar() const { return degreeTrackBar_; }
    QToolButton* SpeedButtonFit() const { return fit_; }
    QToolButton* SpeedButtonOrtho() const { return ortho_; }
    QToolButton* SpeedButtonRender() const { return render_; }
    QToolButton* SpeedButtonPrint() const { return print_; }
    QLabel* LabelAxial() const { return labelAxial_; }
    PaintBoxWidget* PaintBox() const { return paintBox_; }

    // Steps the slider by one (Shift + wheel); false when it is disabled or at its end.
    bool stepPlane(int delta);

    // Draws what the paint box shows in `area` (used by its paint event).
    void paintPreview(class QPainter& painter, const QRect& area);

    // The mouse tools: the readout box following the pointer and the lens.
    void setEyeSettings(const EyeSettings& settings);
    const EyeSettings& eyeSettings() const { return eye_; }
    void PaintBoxMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void DrawHoverReadout(int x, int y);
    // A lens or readout setting changed: both again at the last pointer position.
    void TrackBarAlphaChange();
    QPoint ReadoutPos() const { return readoutPos_; }
    int LastLensRadius() const { return lastLensRadius_; }
    int EyeDragAnchor() const { return eyeDragAnchor_; }
    bool readoutShown() const { return readoutShown_; }
    QRect readoutRect() const { return readoutRect_; }
    QStringList readoutLines() const { return readoutLines_; }
    bool lensShown() const { return lensShown_; }
    QRect lensRect() const { return lensRect_; }
    const QImage& lensImage() const { return lensImage_; }

  signals:
    // The plane changed through the slider (the render window follows it).
    void planeChanged(int position);
    // Ctrl + left / Ctrl + right on the diagram: the lens switches (handled by the mouse tools).
    void lensToggleRequested();
    void lensModeToggleRequested(QPoint position);
    // Alt + right / Alt + left drag: the new position of the radius / refraction slider.
    void lensRadiusDragged(int position);
    void lensRefractionDragged(int position);

  public slots:
    void SpeedButtonFitClick();
    void SpeedButtonOrthoClick();
    void DegreeTrackBarChange(int position);
    void PaintBoxMouseDown(QMouseEvent* event);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildStrip();
    void PanelImageResize();
    QToolButton* makeSpeedButton(const char* name, const QString& text, const QString& hint,
                                 bool checkable);
    QRect DrawFishEye(int x, int y, QPoint previous);
    const ReadoutMetrics& readoutMetrics();
    void clearOverlay();
    void paintOverlay(class QPainter& painter);

    DiagramOptions options_;
    bool qualityRedraw_ = true;
    tIES previewIes_;
    QString currentFile_;
    int lastDegree_ = 0;
    QImage previewBitmap_;
    DiagramScale previewScale_;
    bool bitmapFresh_ = false;
    bool renderBusy_ = false;
    double previewMaxIntensity_ = 0;

    EyeSettings eye_;
    bool eyeSet_ = false;
    QPoint readoutPos_{-100, -100};
    int lastLensRadius_ = 32;
    int eyeDragAnchor_ = 0;
    std::optional<ReadoutMetrics> readoutMetrics_;
    QFont readoutFont_;
    bool readoutShown_ = false;
    QRect readoutRect_;
    QStringList readoutLines_;
    std::optional<FishEyeMap> lensMap_;
    bool lensShown_ = false;
    QRect lensRect_;
    QImage lensImage_;

    QWidget* panelDegree_ = nullptr;
    QToolButton* fit_ = nullptr;
    QToolButton* ortho_ = nullptr;
    QToolButton* render_ = nullptr;
    QToolButton* print_ = nullptr;
    QLabel* labelDegree_ = nullptr;
    QLabel* labelAxial_ = nullptr;
    TTrackBarDegree* degreeTrackBar_ = nullptr;
    PaintBoxWidget* paintBox_ = nullptr;
};

} // namespace gonilux::mainwindow
