// Plane pairs shown by a diagram and the intensity extents used to scale it, compared with the
// checked-in listing.
#include "photometry/plane_pairs.h"
#include "test_util.h"

namespace gonilux {
namespace {

using testutil::MakeRecord;
using testutil::NumberedTable;
using testutil::Steps;

// Rounded, so that the sine of 180 degrees shows as 0.
std::string Text(const tIesExtents& e) {
    std::vector<double> values;
    for (double v : {e.MaxIntensity, e.MinX, e.MaxX, e.MinY, e.MaxY})
        values.push_back(std::round(v * 1e9) / 1e9 + 0.0);
    return ::testing::PrintToString(values);
}

TEST(OppositePlane, FollowsTheSymmetryOfTheHorizontalAngles) {
    const std::tuple<std::uint16_t, tArrEx, bool> cases[] = {
        {1, {0, 90, 180, 270}, false},      {1, {0, 45, 90}, false},
        {1, Steps(0, 180, 30), false},      {1, {0}, false},
        {2, Steps(90, 270, 30), false},     {3, Steps(90, 270, 30), false},
        {2, Steps(90, 270, 30), true},      {1, Steps(90, 270, 30), false},
        {2, {0, 90, 180, 270}, false},      {2, {-90, -45, 0, 45, 90}, false},
        {1, {0, 10, 100, 200, 300}, false}, {1, {}, false},
        {1, Steps(0, 350, 10), false},      {1, {90, 0, 180, 270}, false},
        {1, {10, 20, 30}, false},           {1, {0, 0, 90, 90}, false}};
    std::string listing;
    for (const auto& [type, horz, complete] : cases) {
        const tIES ies = MakeRecord(type, {0, 45, 90}, horz, NumberedTable(horz.size(), 3));
        listing += "type " + std::to_string(type) + (complete ? " complete " : " ") +
                   ::testing::PrintToString(horz) + ": first zero " +
                   std::to_string(FirstZeroPlane(ies)) + ", perpendicular " +
                   std::to_string(PerpendicularPlane(ies)) + ", opposites";
        for (int plane = -1; plane <= int(horz.size()); ++plane)
            listing += " " + std::to_string(OppositePlane(ies, plane, {complete, true, true}));
        listing += "\n";
    }
    testutil::ExpectMatchesFile("opposite_planes.txt", listing);
}

// Rows at vertical angles 0, 90, 180: x = I sin(gamma), y = I cos(gamma). Row 0 (0 degrees)
// pairs with row 2, row 1 (90 degrees) with row 3.
tIES ExtentsRecord(std::uint16_t type) {
    return MakeRecord(type, {0, 90, 180}, {0, 90, 180, 270},
                      {{100, 50, 20}, {30, 200, 10}, {80, 60, 40}, {70, 20, 5}});
}

TEST(SelectPlanes, ModesAndSwitchesChooseThePlanesAndTheirExtents) {
    std::string listing;
    auto show = [&listing](const tIES& ies, std::uint16_t mode, int requested, PlaneOptions o) {
        const PlaneSelection s = SelectPlanes(ies, mode, requested, o);
        listing += "mode " + std::to_string(mode) + " plane " + std::to_string(requested) +
                   " complete/fit/ortho " + std::to_string(o.Complete) + std::to_string(o.Fit) +
                   std::to_string(o.Ortho) + ": " + std::to_string(s.Plane) + " & " +
                   std::to_string(s.Opposite) +
                   (s.HasPerpendicular ? ", " + std::to_string(s.PerpPlane) + " & " +
                                             std::to_string(s.PerpOpposite)
                                       : "") +
                   (s.HasLocations ? ", whole " : ", fitted ") + Text(s.Extents);
        for (const ExtentLocation& l : s.Locations) // the first value of each extent
            listing +=
                s.HasLocations ? " " + std::to_string(l.Plane) + "/" + std::to_string(l.Vert) : "";
        listing += "\n";
    };
    for (std::uint16_t mode : {0, 1, 2, 7})
        for (int requested : {-4, 0, 1, 9})
            for (bool fit : {false, true})
                for (bool ortho : {false, true})
                    show(ExtentsRecord(1), mode, requested, {false, fit, ortho});
    show(MakeRecord(1, {0, 90}, {-90, 0, 90, 180}, NumberedTable(4, 2)), 1, 3, {});
    show(MakeRecord(1, {0, 90}, {0}, {{100, 40}}), 2, 0, {});
    show(MakeRecord(1, {}, {0, 90}, tArrEx2(2)), 1, 0, {});
    show(MakeRecord(1, {0, 90}, {}, {}), 0, 0, {false, false, true});
    // Whole extents: type C mirrored about its axis, ties at the first location.
    show(ExtentsRecord(2), 0, 0, {false, false, true});
    show(MakeRecord(2, {-90, 0, 90}, {0}, {{70, 10, 30}}), 0, 0, {false, false, false});
    show(MakeRecord(1, {0, 90, 180}, {0, 90}, {{10, 50, 60}, {50, 50, 20}}), 0, 1,
         {false, false, false});
    testutil::ExpectMatchesFile("select_planes.txt", listing);
}

} // namespace
} // namespace gonilux
