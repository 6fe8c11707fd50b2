#include "kit_support.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <random>

namespace {

using kit::Kind;
using kit::ObjectMode;
using support::kitWith;
using support::kRight;

// What element k keeps clear of on its left: the object, or the previous element.
float leftNeighbour(const kit::System& s, int k) { return k == 1 ? s.ElemX[0] : s.rightExtreme(k - 2); }

struct Drag {
    std::vector<Kind> kinds;
    int k;
    double pointerX;
};

class ElementDrags : public testing::TestWithParam<Drag> {};

TEST_P(ElementDrags, StopTouchingTheNeighbour)
{
    const Drag& c = GetParam();
    kit::System s = kitWith(c.kinds);
    const auto before = s.ElemX;
    ASSERT_TRUE(s.moveElement(c.k, c.pointerX));
    const double gap = c.pointerX < 0 ? s.leftExtreme(c.k) - leftNeighbour(s, c.k)
                                      : s.leftExtreme(c.k + 2) - s.rightExtreme(c.k);
    EXPECT_GE(gap, 0);
    EXPECT_LT(gap, 1e-3);
    for (int j = 0; j < s.ElemCount; ++j) { // nothing else moved, and the element kept its thickness
        if (j != c.k && j != c.k + 1) {
            EXPECT_EQ(s.ElemX[j], before[j]) << j;
        }
    }
    EXPECT_EQ(s.ElemX[c.k + 1] - s.ElemX[c.k], before[c.k + 1] - before[c.k]);
}

INSTANTIATE_TEST_SUITE_P(Neighbours, ElementDrags,
                         testing::Values(Drag{{Kind::Converging, Kind::Diverging}, 1, 2000},
                                         Drag{{Kind::Converging, Kind::Eye}, 1, 2000},
                                         Drag{{Kind::Diverging, Kind::Eye}, 1, 2000},
                                         Drag{{Kind::Converging, Kind::Diverging}, 3, -500},
                                         Drag{{Kind::Diverging, Kind::Converging}, 3, -500},
                                         Drag{{Kind::Converging, Kind::Eye}, 3, -500},
                                         Drag{{Kind::Converging}, 1, -500}, Drag{{Kind::Diverging}, 1, -500},
                                         Drag{{Kind::Eye}, 1, -500}));

TEST(ElementDrags, MiddleFollowsThePointerWhereThereIsRoom)
{
    kit::System s = kitWith({Kind::Converging, Kind::Diverging});
    ASSERT_TRUE(s.moveElement(3, 1000));
    EXPECT_EQ(s.ElemX[3], 980);
    EXPECT_EQ(s.ElemX[4], 1020);
    EXPECT_FALSE(s.moveElement(5, 1000)); // the zone right of the last element holds none
}

const double kConvergingApex = 350 + std::sqrt(1200.0 * 1200 - 200 * 200) - 1200;
const double kEyeApex = 350 + std::sqrt(1000.0 * 1000 - 200 * 200) - 1000;

class ObjectDrags : public testing::TestWithParam<std::pair<Kind, double>> {};

TEST_P(ObjectDrags, StopInFrontOfTheFirstElement)
{
    kit::System s = kitWith({GetParam().first});
    ASSERT_TRUE(s.moveObject(1000, -75));
    EXPECT_NEAR(s.ObjX, GetParam().second, 1e-3);
    EXPECT_EQ(s.ObjY, -75);
    EXPECT_EQ(s.ElemX[0], s.ObjX);
    EXPECT_EQ(s.ObjXs, s.ObjX);
    EXPECT_EQ(s.ElemZoneX[0], static_cast<float>(s.ObjX + 10));
}

// A converging lens: its apex less half its thickness; a diverging lens: its face; the eye: its apex.
INSTANTIATE_TEST_SUITE_P(Kinds, ObjectDrags,
                         testing::Values(std::pair{Kind::Converging, kConvergingApex - 12.5},
                                         std::pair{Kind::Diverging, 350.0}, std::pair{Kind::Eye, kEyeApex}));

TEST(ObjectDrags, OnlyTheArrowAndCandleHaveAnObjectToDrag)
{
    kit::System s = kitWith({Kind::Converging}, ObjectMode::Parallel);
    EXPECT_FALSE(s.moveObject(100, 50));
    s.chooseObject(ObjectMode::Candle, 0);
    EXPECT_TRUE(s.moveObject(100, 50));
    EXPECT_EQ(s.ObjXs, 100);
}

// Stored in single precision and recomputed from what is stored, a clamped
// position must still satisfy its bound exactly, without pushing the
// neighbour it stops at: no tolerance here.
TEST(Clamps, ElementsStopExactlyAtTheirNeighbours)
{
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> far(0, 4000);
    std::uniform_real_distribution<double> objectX(-500, 0);
    for (const auto& kinds : {std::vector{Kind::Converging, Kind::Diverging, Kind::Eye},
                              std::vector{Kind::Diverging, Kind::Converging, Kind::Converging},
                              std::vector{Kind::Eye}})
        for (int trial = 0; trial < 400; ++trial) {
            kit::System s = kitWith(kinds);
            // The object, or the start of the parallel bundle, anywhere in front.
            if (trial % 2 == 0)
                s.moveObject(objectX(random), 0);
            else
                s.chooseObject(ObjectMode::Parallel, objectX(random));
            for (int k = s.ElemCount - 2; k >= 1; k -= 2) // spread at random
                s.moveElement(k, far(random) + 400 * k);
            for (int k = 1; k < s.ElemCount; k += 2) {
                const auto before = s.ElemX;
                s.moveElement(k, k + 2 < s.ElemCount ? 1e5 : -1e5);
                if (k + 2 < s.ElemCount) {
                    ASSERT_LE(s.rightExtreme(k), s.leftExtreme(k + 2)) << trial;
                    ASSERT_EQ(s.ElemX[k + 2], before[k + 2]) << trial;
                }
                s.moveElement(k, -1e5);
                ASSERT_GE(s.leftExtreme(k), leftNeighbour(s, k)) << trial;
                ASSERT_EQ(s.ElemX[k - 1], before[k - 1]) << trial;
            }
        }
}

TEST(Clamps, ObjectStopsExactlyInFrontOfTheFirstElement)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<double> place(100, 4200);
    for (Kind kind : {Kind::Converging, Kind::Diverging, Kind::Eye})
        for (int trial = 0; trial < 2000; ++trial) {
            kit::System s = kitWith({kind});
            s.moveElement(1, place(random));
            s.moveObject(1e5, 0);
            const double limit = kind == Kind::Diverging ? s.ElemX[1] : s.ElemZoneX[1] - s.ElemGap[2] / 2;
            ASSERT_LE(s.ObjX, limit) << trial;
        }
}

TEST(ParallelLight, TiltTurnsTheBundleAboutItsPivot)
{
    kit::System s = kitWith({Kind::Converging});
    s.chooseObject(ObjectMode::Parallel, -100);
    s.pressParallel(200, 0); // on the middle ray
    ASSERT_TRUE(s.tiltParallel(250, -50, -100));
    EXPECT_EQ(s.ParSlope, 0.5);
    // Every ray starts at the view's left edge and crosses the lens plane at i 200/3.
    int rays = 0;
    for (const kit::Stroke& ray : s.traceStoredRays(kRight)) {
        if (ray.x1 == -100) {
            EXPECT_NEAR(ray.y1 + 450 * s.ParSlope, (rays++ - 2) * 200.0 / 3, 1e-3);
        }
    }
    EXPECT_EQ(rays, 5);
}

TEST(ParallelLight, TiltIsLimitedAndNeverNotANumber)
{
    kit::System s = kitWith({Kind::Diverging}, ObjectMode::Parallel);
    s.pressParallel(340, 10);
    ASSERT_TRUE(s.tiltParallel(349.999, -500, 0));
    EXPECT_EQ(s.ParSlope, 50);
    ASSERT_TRUE(s.tiltParallel(std::nextafter(350.0f, 0.0f), 500, 0));
    EXPECT_EQ(s.ParSlope, -50);
    for (double x : {350.0, 355.0}) // on the diverging lens's face and behind it
        for (double y : {s.PivotY, -500.0}) {
            EXPECT_FALSE(s.tiltParallel(x, y, 0));
            EXPECT_EQ(s.ParSlope, -50);
        }
}

TEST(ParallelLight, ScrolledPastTheFirstElementStartsInFrontOfIt)
{
    kit::System s = kitWith({Kind::Converging});
    s.chooseObject(ObjectMode::Parallel, 1000);
    EXPECT_EQ(s.ObjX, s.leftExtreme(1));
    EXPECT_EQ(s.ElemX[1], 350);
}

// The elements stay where parallel light left them; the arrow comes back in
// front of the first one.
TEST(ObjectChoice, ArrowReturnsInFrontOfElementsMovedMeanwhile)
{
    kit::System s = kitWith({Kind::Converging, Kind::Diverging});
    s.moveObject(300, 80);
    s.chooseObject(ObjectMode::Parallel, -1000);
    s.moveElement(1, -700);
    const auto placed = s.ElemX;
    s.chooseObject(ObjectMode::Arrow, -1000);
    EXPECT_TRUE(std::equal(placed.begin() + 1, placed.end(), s.ElemX.begin() + 1)); // entry 0 is the object
    EXPECT_LE(s.ObjX, s.ElemZoneX[1] - s.ElemGap[2] / 2);
    EXPECT_NEAR(s.ObjX, s.ElemZoneX[1] - s.ElemGap[2] / 2, 1e-3);
    EXPECT_EQ(s.ObjY, 80);
    EXPECT_EQ(s.ObjXs, s.ObjX);
}

TEST(ObjectChoice, EachModeStartsAfresh)
{
    kit::System s = kitWith({Kind::Converging});
    for (double target : {0.0, 100.0}) {
        ASSERT_TRUE(s.aimRay(350, target));
        s.addRay(kRight);
    }
    s.chooseObject(ObjectMode::PointGrid, -200);
    EXPECT_EQ(s.RayCount, 0);
    EXPECT_FALSE(s.ImgFound[3]);
    EXPECT_EQ(s.ObjX, -150);
    EXPECT_EQ(s.GridX, -160);
    EXPECT_EQ(s.ElemZoneX[0], -170);
    s.markPoint(-100, 0);
    s.traceLastPoint(kRight);
    ASSERT_EQ(s.RayCount, 5);
    s.clearRaysAndPoints(); // the double click
    EXPECT_EQ(s.RayCount, 0);
    EXPECT_EQ(s.PointCount, 0);
    s.markPoint(-100, 0);
    s.chooseObject(ObjectMode::Parallel, -200);
    EXPECT_EQ(s.PointCount, 0);
    EXPECT_EQ(s.RayCount, 5);
    EXPECT_FLOAT_EQ(s.RayVal[4], 400.0f / 3);
    s.chooseObject(ObjectMode::Arrow, -200);
    EXPECT_EQ(s.RayCount, 0);
    EXPECT_EQ(s.ElemZoneX[0], 60);
}

} // namespace
