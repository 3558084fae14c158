// Plane pairs of a polar diagram and the intensity extents to scale it.
#pragma once

#include "ies_record.h"

#include <array>
#include <cstdint>

namespace gonilux {

// The main window's switches that the plane choice depends on.
struct PlaneOptions {
    bool Complete = false; // "show the complete diagram": opposite planes for type A/B at 90+
    bool Fit = true;       // scale to the planes shown
    bool Ortho = true;     // show the perpendicular pair too
};

struct tIesExtents {
    double MaxIntensity = 0;
    double MinX = 0;
    double MaxX = 0;
    double MinY = 0;
    double MaxY = 0;
};

struct ExtentLocation {
    int Plane = -1;
    int Vert = -1;
};
// One location per extents field, in the field order.
using tIesLocations = std::array<ExtentLocation, 5>;

int FirstZeroPlane(const tIES& ies);
// Row that shows the other half of the diagram for `plane`; -1 for none (also for a plane
// outside the table).
int OppositePlane(const tIES& ies, int plane, const PlaneOptions& options);
int PerpendicularPlane(const tIES& ies);
void PairExtents(const tIES& ies, int plane, int opposite, tIesExtents& extents);
void WholeExtents(const tIES& ies, tIesExtents& extents, tIesLocations& locations);

struct PlaneSelection {
    int Plane = 0;
    int Opposite = -1;
    bool HasPerpendicular = false; // PerpPlane/PerpOpposite were chosen
    int PerpPlane = -1;
    int PerpOpposite = -1;
    tIesExtents Extents;
    bool HasLocations = false; // Extents came from WholeExtents
    tIesLocations Locations;
};

// Mode 1 = standard view (plane at 0 with its perpendicular pair), 0 = interactive (requested
// plane, whole extents unless fitting), other = requested plane fitted.
PlaneSelection SelectPlanes(const tIES& ies, std::uint16_t mode, int requestedPlane,
                            const PlaneOptions& options);

} // namespace gonilux
