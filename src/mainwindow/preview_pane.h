// The preview pane under the folder tree: the selected file's diagram at a chosen C-plane, the
// fit / orthogonal / render / print buttons and the C-plane slider.
#pragma once

#include "diagram/diagram_options.h"
#include "photometry/ies_record.h"

#include <QImage>
#include <QSlider>
#include <QString>
#include <QWidget>

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

    // Draws what the paint box shows (used by its paint event).
    void paintPreview(class QPainter& painter);

signals:
    // The plane changed through the slider (the render window follows it).
    void planeChanged(int position);
    // Ctrl + left / Ctrl + right on the diagram: the lens switches (handled by the mouse tools).
    void lensToggleRequested();
    void lensModeToggleRequested(QPoint position);

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

    DiagramOptions options_;
    bool qualityRedraw_ = true;
    tIES previewIes_;
    QString currentFile_;
    int lastDegree_ = 0;
    QImage previewBitmap_;
    bool bitmapFresh_ = false;
    bool renderBusy_ = false;
    double previewMaxIntensity_ = 0;

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

}  // namespace gonilux::mainwindow
