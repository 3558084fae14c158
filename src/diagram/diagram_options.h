// The main window's switches that a diagram drawing depends on, passed in explicitly.
#pragma once

#include "photometry/figure_format.h"
#include "photometry/plane_pairs.h"

#include <QColor>

namespace gonilux {

struct DiagramOptions {
    bool Center = false;        // shift the drawing so that the curves are centred (CheckBoxCenter)
    bool Ortho = true;          // also show the perpendicular pair (SpeedButtonOrtho down)
    bool Fit = true;            // scale to the planes shown (SpeedButtonFit down)
    bool Complete = false;      // complete diagram: opposite planes for type A/B (CheckBoxComplete)
    bool Multi = false;         // absolute values: intensities times the multiplier (CheckBoxMulti)
    bool Warning = true;        // warning icon for type A and B records (CheckBoxWarning)
    bool Labels = false;        // text information block instead of pictograms (CheckBoxLabels)
    int FontHeight = -11;       // h0: the canvas font height of the main window (negative = pixels)
    QColor TextColor;           // the canvas text colour; invalid = the palette's window text
    int PlatformCorrection = 0; // subtracted from pictogram sizes
    bool Antialias = true;      // smooth curves, rings and spokes (off: plain pixel lines)
    LengthSystem Lengths = LengthSystem::Metric; // the opening in metric or the file's units
    bool Eulumdat = false; // the record came from an EULUMDAT file (its own lengths are mm)

    PlaneOptions Planes() const {
        PlaneOptions planes;
        planes.Complete = Complete;
        planes.Fit = Fit;
        planes.Ortho = Ortho;
        return planes;
    }
};

} // namespace gonilux
