// Records and a stand-in for the main window, shared by the auxiliary window tests.
#pragma once

#include "auxwindows/preview_source.h"

#include <functional>

namespace gonilux::auxwindows::test {

// A type C record whose rows follow `row(h, v)` at the given angles.
inline tIES MakeRecord(const tArrEx& horz, const tArrEx& vert,
                       const std::function<double(double h, double v)>& row,
                       std::uint16_t type = 1) {
    tIES ies;
    ies.PhotometricType = type;
    ies.Multiplier = 1;
    ies.HorzAngles = horz;
    ies.VertAngles = vert;
    ies.HorzCount = static_cast<std::uint16_t>(horz.size());
    ies.VertCount = static_cast<std::uint16_t>(vert.size());
    for (double h : horz) {
        tArrEx values;
        for (double v : vert)
            values.push_back(row(h, v));
        ies.Candela.push_back(values);
    }
    return ies;
}

inline tArrEx Steps(double first, double last, double step) {
    tArrEx angles;
    for (double a = first; a <= last + 1e-9; a += step)
        angles.push_back(a);
    return angles;
}

class FakeSource final : public PreviewSource {
  public:
    const tIES& previewIes() const override { return Ies; }
    QString currentFile() const override { return File; }
    int planePosition() const override { return Plane; }
    DiagramOptions diagramOptions() const override { return Options; }
    QString selectedCaption() const override { return Caption; }
    std::vector<std::string> focusedTitles() const override { return Titles; }

    tIES Ies;
    QString File;
    int Plane = 0;
    DiagramOptions Options;
    QString Caption;
    std::vector<std::string> Titles;
};

} // namespace gonilux::auxwindows::test
