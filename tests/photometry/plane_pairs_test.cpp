// Plane pairs shown by a diagram and the intensity extents used to scale it.
#include "photometry/plane_pairs.h"
#include "test_util.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace gonilux {
namespace {

using testutil::MakeRecord;
using testutil::NumberedTable;
using testutil::Steps;

tIES RecordWithPlanes(std::uint16_t type, std::vector<double> horz) {
    const std::size_t rows = horz.size();
    return MakeRecord(type, {0, 45, 90}, std::move(horz), NumberedTable(rows, 3));
}

struct OppositeCase {
    const char* name;
    std::uint16_t type;
    std::vector<double> horz;
    bool complete;
    std::vector<int> opposites; // expected opposite of each plane in turn
};

TEST(OppositePlane, SymmetryOfTheHorizontalAngles) {
    const OppositeCase cases[] = {
        {"full", 1, {0, 90, 180, 270}, false, {2, 3, 0, 1}},
        {"quarter", 1, {0, 45, 90}, false, {0, 1, 2}},
        {"half", 1, Steps(0, 180, 30), false, {6, 5, 4, 3, 2, 1, 0}},
        {"single", 1, {0}, false, {0}},
        {"type B from 90", 2, Steps(90, 270, 30), false, {-1, -1, -1, -1, -1, -1, -1}},
        {"type A from 90", 3, Steps(90, 270, 30), false, {-1, -1, -1, -1, -1, -1, -1}},
        {"type B from 90, complete", 2, Steps(90, 270, 30), true, {6, 5, 4, 3, 2, 1, 0}},
        {"type C from 90", 1, Steps(90, 270, 30), false, {6, 5, 4, 3, 2, 1, 0}},
        {"type B from 0", 2, {0, 90, 180, 270}, false, {2, 3, 0, 1}},
        {"type B from -90", 2, {-90, -45, 0, 45, 90}, false, {4, 3, 2, 1, 0}},
    };
    for (const OppositeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const tIES ies = RecordWithPlanes(c.type, c.horz);
        PlaneOptions options;
        options.Complete = c.complete;
        for (int plane = 0; plane < static_cast<int>(c.opposites.size()); ++plane) {
            SCOPED_TRACE("plane " + std::to_string(plane));
            EXPECT_EQ(OppositePlane(ies, plane, options), c.opposites[plane]);
        }
    }
}

TEST(OppositePlane, FullCircleSearchFindsThePlaneHalfATurnAway) {
    const tIES ies = RecordWithPlanes(1, Steps(0, 350, 10));
    const PlaneOptions options;
    EXPECT_EQ(OppositePlane(ies, 0, options), 18);
    EXPECT_EQ(OppositePlane(ies, 18, options), 0);
    EXPECT_EQ(OppositePlane(ies, 2, options), 20);
    EXPECT_EQ(OppositePlane(ies, 20, options), 2);
    EXPECT_EQ(OppositePlane(ies, 17, options), 35);
    // Uneven planes without a partner: the search runs out at the last index.
    const tIES uneven = RecordWithPlanes(1, {0, 10, 100, 200, 300});
    EXPECT_EQ(OppositePlane(uneven, 1, options), 4);
    EXPECT_EQ(OppositePlane(uneven, 2, options), 4);
}

TEST(OppositePlane, PlaneOutsideTheTableHasNoOpposite) {
    for (const std::vector<double>& horz : std::vector<std::vector<double>>{
             {0, 90, 180, 270}, {0, 45, 90}, {0, 30, 60, 90, 120, 150, 180}, {0}, {}}) {
        const tIES ies = RecordWithPlanes(1, horz);
        const int count = static_cast<int>(horz.size());
        for (int plane : {-1, count, count + 5, 1000}) {
            SCOPED_TRACE(std::to_string(count) + " planes, plane " + std::to_string(plane));
            EXPECT_EQ(OppositePlane(ies, plane, PlaneOptions{}), -1);
        }
    }
}

TEST(PlaneSearch, FirstZeroAndPerpendicularPlanes) {
    struct Case {
        std::vector<double> horz;
        int firstZero;
        int perpendicular;
    };
    const Case cases[] = {
        {{0, 90, 180, 270}, 0, 1},
        {{0, 45, 90}, 0, 2},
        {{90, 0, 180, 270}, 1, 2},
        {{-90, -45, 0, 45, 90}, 2, 2},
        {Steps(90, 270, 30), 0, 3},
        {{10, 20, 30}, 0, 0},
        {{0}, 0, 0},
        {{0, 0, 90, 90}, 0, 2},
        {{}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.horz));
        const tIES ies = RecordWithPlanes(1, c.horz);
        EXPECT_EQ(FirstZeroPlane(ies), c.firstZero);
        EXPECT_EQ(PerpendicularPlane(ies), c.perpendicular);
    }
}

// Rows at vertical angles 0, 90, 180: x = I sin(gamma), y = I cos(gamma).
tIES ExtentsRecord(std::uint16_t type) {
    return MakeRecord(type, {0, 90, 180}, {0, 90, 180, 270},
                      {{100, 50, 20}, {30, 200, 10}, {80, 60, 40}, {70, 20, 5}});
}

void ExpectExtents(const tIesExtents& e, double maxI, double minX, double maxX, double minY,
                   double maxY) {
    EXPECT_NEAR(e.MaxIntensity, maxI, 1e-9);
    EXPECT_NEAR(e.MinX, minX, 1e-9);
    EXPECT_NEAR(e.MaxX, maxX, 1e-9);
    EXPECT_NEAR(e.MinY, minY, 1e-9);
    EXPECT_NEAR(e.MaxY, maxY, 1e-9);
}

TEST(PairExtents, WidensByBothRowsWithoutMirroring) {
    const tIES ies = ExtentsRecord(1);
    tIesExtents e;
    PairExtents(ies, 0, -1, e);
    ExpectExtents(e, 100, 0, 50, -20, 100);
    PairExtents(ies, 2, -1, e);
    ExpectExtents(e, 100, 0, 60, -40, 100);

    tIesExtents pair;
    PairExtents(ies, 0, 2, pair);
    ExpectExtents(pair, 100, 0, 60, -40, 100);

    tIesExtents wide{1000, -1000, 1000, -1000, 1000};
    PairExtents(ies, 1, 3, wide);
    ExpectExtents(wide, 1000, -1000, 1000, -1000, 1000);
}

TEST(WholeExtents, TypeCIsSymmetricLeftAndRight) {
    tIesExtents e;
    tIesLocations locations;
    WholeExtents(ExtentsRecord(1), e, locations);
    ExpectExtents(e, 200, -200, 200, -40, 100);

    WholeExtents(ExtentsRecord(2), e, locations);
    ExpectExtents(e, 200, 0, 200, -40, 100);

    // Values left of the axis (negative gamma) for a type B record.
    const tIES left = MakeRecord(2, {-90, 0, 90}, {0}, {{70, 10, 30}});
    WholeExtents(left, e, locations);
    ExpectExtents(e, 70, -70, 30, 0, 10);
    EXPECT_EQ(locations[1].Plane, 0);
    EXPECT_EQ(locations[1].Vert, 0);
}

TEST(WholeExtents, StartsFromZeroAndTiesKeepTheFirstLocation) {
    const tIES ies = MakeRecord(2, {0, 90}, {0, 90, 180}, {{10, 50}, {50, 50}, {50, 20}});
    tIesExtents e{999, -999, 999, -999, 999};
    tIesLocations locations;
    WholeExtents(ies, e, locations);
    ExpectExtents(e, 50, 0, 50, 0, 50);
    EXPECT_EQ(locations[0].Plane, 0); // MaxIntensity: 50 at (0, 1) first
    EXPECT_EQ(locations[0].Vert, 1);
    EXPECT_EQ(locations[2].Plane, 0); // MaxX: 50 * sin 90 at (0, 1)
    EXPECT_EQ(locations[2].Vert, 1);
    EXPECT_EQ(locations[4].Plane, 1); // MaxY: 50 * cos 0 first at (1, 0)
    EXPECT_EQ(locations[4].Vert, 0);
}

struct SelectCase {
    const char* name;
    std::uint16_t mode;
    int requested;
    PlaneOptions options;
    int plane;
    int opposite;
    bool perpendicular;
    int perpPlane;
    int perpOpposite;
    bool whole;
    tIesExtents extents;
};

TEST(SelectPlanes, ModesAndSwitches) {
    // Row 0 (0 deg) pairs with row 2, row 1 (90 deg) with row 3.
    const tIES ies = ExtentsRecord(1);
    const tIesExtents pair0{100, 0, 60, -40, 100};
    const tIesExtents pair0AndPerp{200, 0, 200, -40, 100};
    const tIesExtents pair1{200, 0, 200, -10, 70};
    const tIesExtents whole{200, -200, 200, -40, 100};
    const SelectCase cases[] = {
        {"standard", 1, 3, {false, true, true}, 0, 2, true, 1, 3, false, pair0AndPerp},
        {"standard, plain", 1, 2, {false, false, false}, 0, 2, true, 1, 3, false, pair0AndPerp},
        {"interactive whole", 0, 1, {false, false, true}, 1, 3, false, -1, -1, true, whole},
        {"interactive ortho", 0, 0, {false, false, true}, 0, 2, true, 1, 3, true, whole},
        {"interactive fit", 0, 1, {false, true, true}, 1, 3, false, -1, -1, false, pair1},
        {"interactive fit ortho", 0, 0, {false, true, true}, 0, 2, true, 1, 3, false, pair0AndPerp},
        {"interactive fit plain", 0, 0, {false, true, false}, 0, 2, false, -1, -1, false, pair0},
        {"fitted", 2, 1, {false, false, true}, 1, 3, false, -1, -1, false, pair1},
        {"fitted ortho", 7, 0, {false, false, true}, 0, 2, true, 1, 3, false, pair0AndPerp},
        {"fitted plain", 7, 0, {false, false, false}, 0, 2, false, -1, -1, false, pair0},
    };
    for (const SelectCase& c : cases) {
        SCOPED_TRACE(c.name);
        const PlaneSelection s = SelectPlanes(ies, c.mode, c.requested, c.options);
        EXPECT_EQ(s.Plane, c.plane);
        EXPECT_EQ(s.Opposite, c.opposite);
        EXPECT_EQ(s.HasPerpendicular, c.perpendicular);
        if (c.perpendicular) {
            EXPECT_EQ(s.PerpPlane, c.perpPlane);
            EXPECT_EQ(s.PerpOpposite, c.perpOpposite);
        }
        EXPECT_EQ(s.HasLocations, c.whole);
        ExpectExtents(s.Extents, c.extents.MaxIntensity, c.extents.MinX, c.extents.MaxX,
                      c.extents.MinY, c.extents.MaxY);
    }
}

TEST(SelectPlanes, StandardViewStartsAtTheZeroPlane) {
    // Zero at index 1; the perpendicular pair is only chosen for plane index 0.
    const tIES ies = MakeRecord(1, {0, 90}, {-90, 0, 90, 180}, NumberedTable(4, 2));
    const PlaneSelection s = SelectPlanes(ies, 1, 3, PlaneOptions{});
    EXPECT_EQ(s.Plane, 1);
    EXPECT_EQ(s.Opposite, 3);
    EXPECT_FALSE(s.HasPerpendicular);

    // Without a zero plane the first plane is shown.
    const tIES noZero = MakeRecord(1, {0, 90}, {10, 100, 190, 280}, NumberedTable(4, 2));
    const PlaneSelection t = SelectPlanes(noZero, 1, 2, PlaneOptions{});
    EXPECT_EQ(t.Plane, 0);
    EXPECT_EQ(t.Opposite, 2);
    EXPECT_TRUE(t.HasPerpendicular);
    EXPECT_EQ(t.PerpPlane, 1);
    EXPECT_EQ(t.PerpOpposite, 3);
}

TEST(SelectPlanes, FittedMaximumStartsFromTheFirstValueOfThePlane) {
    // All values of the plane lie below its first one; the other extents start at 0.
    const tIES ies = MakeRecord(1, {0, 90}, {0}, {{100, 40}});
    const PlaneSelection s = SelectPlanes(ies, 2, 0, PlaneOptions{false, true, false});
    ExpectExtents(s.Extents, 100, 0, 40, 0, 100);
}

TEST(SelectPlanes, EmptyRowsAndPlanesOutsideTheTableDoNotFail) {
    const tIES emptyRows = MakeRecord(1, {}, {0, 90, 180, 270}, tArrEx2(4));
    const tIES noPlanes = MakeRecord(1, {0, 90}, {}, {});
    const tIES full = ExtentsRecord(1);
    for (std::uint16_t mode : {0, 1, 2}) {
        for (bool fit : {false, true}) {
            for (bool ortho : {false, true}) {
                const PlaneOptions options{true, fit, ortho};
                SCOPED_TRACE("mode " + std::to_string(mode) + " fit " + std::to_string(fit) +
                             " ortho " + std::to_string(ortho));
                const PlaneSelection s = SelectPlanes(emptyRows, mode, 0, options);
                EXPECT_EQ(s.Extents.MaxIntensity, 0);
                EXPECT_EQ(s.Extents.MaxX, 0);
                SelectPlanes(emptyRows, mode, 9, options);
                SelectPlanes(noPlanes, mode, 0, options);
                SelectPlanes(noPlanes, mode, 3, options);
                for (int plane : {4, 5, 100, -1}) {
                    SelectPlanes(full, mode, plane, options);
                }
            }
        }
    }
}

} // namespace
} // namespace gonilux
