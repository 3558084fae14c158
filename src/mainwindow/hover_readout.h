// The readout box that follows the mouse over the preview diagram: the intensity at the
// pointer's distance from the diagram centre and the angle around it. Also the Alt-drag of the
// lens sliders and the wiring of the options panel's lens group to the preview.
#pragma once

#include <QFont>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>

class QCheckBox;

namespace gonilux::mainwindow {

class OptionsPanel;
class PreviewPane;
struct EyeSettings;
struct ViewerOptions;

struct ReadoutValues {
    double Intensity = 0; // a whole number
    int Angle = 0;        // degrees, -180 to 180, from the rightward direction, downwards positive
};

// The values at pixel (x, y) of a square pane `paneWidth` wide whose picture shows `fullScale`
// at the radius (cx - margin), cx = paneWidth div 2.
ReadoutValues ComputeReadout(int x, int y, int paneWidth, double fullScale, int margin);

// The box and its line step f, measured with `font`: w = width of "Intensity 9 999" + f,
// h = 3 f, f = the font's text height.
struct ReadoutMetrics {
    QSize Box;
    int LineStep = 0;
};
ReadoutMetrics MeasureReadout(const QFont& font);

// Top-left corner of the box for a pointer at (x, y): r + 16 to the right and r + 8 below, or
// pulled back so the box ends at the pane's right / bottom edge (the pane is square).
QPoint ReadoutBoxOrigin(int x, int y, QSize box, int paneWidth, int r);

// " Intensity 1 234" and " Degree -90".
QString ReadoutIntensityLine(double intensity);
QString ReadoutDegreeLine(int angle);

// Alt-drag of a lens slider: the slider follows anchor - y within its range; when the drag
// hits an end, the anchor moves along so that reversing the drag acts at once.
struct EyeDrag {
    int Position = 0;
    int Anchor = 0;
};
EyeDrag DragEyeSlider(int anchor, int y, int minimum, int maximum);

// The small picture of the lens glass (dome or bowl) in the lens group.
class PaintBoxArcWidget : public QWidget {
  public:
    PaintBoxArcWidget(const QCheckBox* plus, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const QCheckBox* plus_;
};

// The lens and readout settings of the options.
EyeSettings EyeSettingsOf(const ViewerOptions& options);
// Keeps the preview's lens and readout in step with the lens group of the options panel, and
// the preview's mouse shortcuts (Ctrl + click, Alt + drag) acting on that group.
void ConnectEyeControls(OptionsPanel* options, PreviewPane* preview);

} // namespace gonilux::mainwindow
