#include "kit/kit_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using kit::Kind;

constexpr double kRight = 3000;

// What element k keeps clear of on its left: the object, or the previous element.
float leftNeighbour(const kit::System& s, int k) { return k == 1 ? s.ElemX[0] : s.rightExtreme(k - 2); }

struct Drag {
    std::vector<Kind> kinds;
    int k;
    double pointerX;
    bool againstLeft; // stops at its left neighbour, else at its right one
};

class ElementDrags : public testing::TestWithParam<Drag> {};

TEST_P(ElementDrags, StopTouchingTheNeighbour)
{
    const Drag& c = GetParam();
    kit::System s;
    for (Kind kind : c.kinds)
        s.AddElement(kind);
    const auto before = s.ElemX;
    ASSERT_TRUE(s.moveElement(c.k, c.pointerX));
    const double gap = c.againstLeft ? s.leftExtreme(c.k) - leftNeighbour(s, c.k)
                                     : s.leftExtreme(c.k + 2) - s.rightExtreme(c.k);
    EXPECT_GE(gap, 0);
    EXPECT_LT(gap, 1e-3);
    // Nothing else moved, and the element kept its thickness.
    for (int j = 0; j < s.ElemCount; ++j) {
        if (j != c.k && j != c.k + 1) {
            EXPECT_EQ(s.ElemX[j], before[j]) << j;
        }
    }
    EXPECT_EQ(s.ElemX[c.k + 1] - s.ElemX[c.k], before[c.k + 1] - before[c.k]);
}

INSTANTIATE_TEST_SUITE_P(
    Neighbours, ElementDrags,
    testing::Values(Drag{{Kind::Converging, Kind::Diverging}, 1, 2000, false},
                    Drag{{Kind::Converging, Kind::Eye}, 1, 2000, false},
                    Drag{{Kind::Diverging, Kind::Eye}, 1, 2000, false},
                    Drag{{Kind::Converging, Kind::Converging}, 1, 2000, false},
                    Drag{{Kind::Converging, Kind::Diverging}, 3, -500, true},
                    Drag{{Kind::Diverging, Kind::Converging}, 3, -500, true},
                    Drag{{Kind::Converging, Kind::Eye}, 3, -500, true},
                    Drag{{Kind::Converging}, 1, -500, true}, Drag{{Kind::Diverging}, 1, -500, true},
                    Drag{{Kind::Eye}, 1, -500, true}));

TEST(ElementDrags, MiddleFollowsThePointerWhereThereIsRoom)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    s.AddElement(Kind::Diverging);
    ASSERT_TRUE(s.moveElement(3, 1000));
    EXPECT_EQ(s.ElemX[3], 980);
    EXPECT_EQ(s.ElemX[4], 1020);
    EXPECT_EQ(s.ElemGap[3], 980 - 375);
    EXPECT_FALSE(s.moveElement(5, 1000)); // right of the last element: nothing to move
    EXPECT_FALSE(s.moveElement(2, 1000));
}

struct ObjectDrag {
    Kind first;
    double stop;
};

class ObjectDrags : public testing::TestWithParam<ObjectDrag> {};

TEST_P(ObjectDrags, StopInFrontOfTheFirstElement)
{
    kit::System s;
    s.AddElement(GetParam().first);
    ASSERT_TRUE(s.moveObject(1000, -75));
    EXPECT_NEAR(s.ObjX, GetParam().stop, 1e-3);
    EXPECT_EQ(s.ObjY, -75);
    EXPECT_EQ(s.ElemX[0], s.ObjX);
    EXPECT_EQ(s.ObjXs, s.ObjX);
    EXPECT_EQ(s.ObjYs, -75);
    EXPECT_EQ(s.ElemZoneX[0], static_cast<float>(s.ObjX + 10));
    EXPECT_EQ(s.ElemGap[1], s.ElemX[1] - s.ObjX);
}

const double kConvergingApex = 350 + std::sqrt(1200.0 * 1200 - 200 * 200) - 1200;
const double kEyeApex = 350 + std::sqrt(1000.0 * 1000 - 200 * 200) - 1000;

INSTANTIATE_TEST_SUITE_P(Kinds, ObjectDrags,
                         testing::Values(ObjectDrag{Kind::Converging, kConvergingApex - 12.5},
                                         ObjectDrag{Kind::Diverging, 350}, ObjectDrag{Kind::Eye, kEyeApex}));

TEST(ObjectDrags, OnlyTheArrowAndCandleHaveAnObjectToDrag)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    s.chooseObject(kit::ObjectMode::Parallel, 0);
    EXPECT_FALSE(s.moveObject(100, 50));
    EXPECT_EQ(s.ObjXs, 50);
    s.chooseObject(kit::ObjectMode::Candle, 0);
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
    const std::vector<std::vector<Kind>> systems{{Kind::Converging, Kind::Diverging, Kind::Eye},
                                                 {Kind::Diverging, Kind::Converging, Kind::Converging},
                                                 {Kind::Eye}};
    std::uniform_real_distribution<double> objectX(-500, 0);
    for (const auto& kinds : systems)
        for (int trial = 0; trial < 400; ++trial) {
            kit::System s;
            for (Kind kind : kinds)
                s.AddElement(kind);
            // The object, or the start of the parallel bundle, anywhere in front.
            if (trial % 2 == 0)
                s.moveObject(objectX(random), 0);
            else
                s.chooseObject(kit::ObjectMode::Parallel, objectX(random));
            // Spread the elements at random, then drag each into its neighbours.
            for (int k = s.ElemCount - 2; k >= 1; k -= 2)
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
            kit::System s;
            s.AddElement(kind);
            s.moveElement(1, place(random));
            s.moveObject(1e5, 0);
            const double limit = kind == Kind::Diverging ? s.ElemX[1] : s.ElemZoneX[1] - s.ElemGap[2] / 2;
            ASSERT_LE(s.ObjX, limit) << trial;
        }
}

TEST(ParallelLight, TiltTurnsTheBundleAboutItsPivot)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    s.chooseObject(kit::ObjectMode::Parallel, -100);
    EXPECT_EQ(s.ObjX, -100);
    EXPECT_EQ(s.ParSlope, 0);
    s.pressParallel(200, 0); // on the middle ray
    ASSERT_TRUE(s.tiltParallel(250, -50, -100));
    EXPECT_EQ(s.ParSlope, 0.5);
    ASSERT_EQ(s.RayCount, 5);
    // Every ray starts at the view's left edge and crosses the lens plane at i 200/3.
    const kit::Strokes strokes = s.traceStoredRays(kRight);
    int rays = 0;
    for (const kit::Stroke& ray : strokes)
        if (ray.x1 == -100) {
            const double atLens = ray.y1 + (350 - ray.x1) * s.ParSlope;
            EXPECT_NEAR(atLens, (rays - 2) * 200.0 / 3, 1e-3);
            ++rays;
        }
    EXPECT_EQ(rays, 5);
}

TEST(ParallelLight, TiltIsLimitedAndNeverNotANumber)
{
    kit::System s;
    s.AddElement(Kind::Diverging);
    s.chooseObject(kit::ObjectMode::Parallel, 0);
    s.pressParallel(340, 10);
    ASSERT_TRUE(s.tiltParallel(349.999, -500, 0));
    EXPECT_EQ(s.ParSlope, 50);
    ASSERT_TRUE(s.tiltParallel(std::nextafter(350.0f, 0.0f), 500, 0));
    EXPECT_EQ(s.ParSlope, -50);
    // On the diverging lens's face and behind it the bundle is not tilted.
    for (double x : {350.0, 355.0})
        for (double y : {s.PivotY, -500.0}) {
            EXPECT_FALSE(s.tiltParallel(x, y, 0));
            EXPECT_EQ(s.ParSlope, -50);
        }
    for (float v : s.RayVal)
        EXPECT_TRUE(std::isfinite(v));
}

TEST(ParallelLight, ScrolledPastTheFirstElementStartsInFrontOfIt)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    s.chooseObject(kit::ObjectMode::Parallel, 1000);
    EXPECT_EQ(s.ObjX, s.leftExtreme(1));
    for (const kit::Stroke& ray : s.traceStoredRays(kRight))
        EXPECT_GE(ray.x2, ray.x1);
}

TEST(ObjectChoice, ArrowReturnsInFrontOfElementsMovedMeanwhile)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    s.AddElement(Kind::Diverging);
    s.moveObject(40, 80);
    s.chooseObject(kit::ObjectMode::Parallel, -1000);
    s.moveElement(1, -700);
    s.moveElement(3, -600); // against the first lens
    ASSERT_LT(s.rightExtreme(1), 40);
    s.chooseObject(kit::ObjectMode::Arrow, -1000);
    EXPECT_EQ(s.ObjX, 40);
    EXPECT_EQ(s.ObjY, 80);
    EXPECT_GE(s.leftExtreme(1), 40);
    EXPECT_NEAR(s.leftExtreme(1), 40, 1e-3);
    EXPECT_GE(s.leftExtreme(3), s.rightExtreme(1));
    EXPECT_NEAR(s.leftExtreme(3), s.rightExtreme(1), 1e-3);
}

TEST(ObjectChoice, EachModeStartsAfresh)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    for (double target : {0.0, 100.0}) {
        ASSERT_TRUE(s.aimRay(350, target));
        s.addRay(kRight);
    }
    ASSERT_TRUE(s.ImgFound[3]);

    s.chooseObject(kit::ObjectMode::PointGrid, -200);
    EXPECT_EQ(s.RayCount, 0);
    EXPECT_FALSE(s.ImgFound[3]);
    EXPECT_EQ(s.ObjX, -150);
    EXPECT_EQ(s.GridX, -160);
    EXPECT_EQ(s.ElemZoneX[0], -170);
    s.markPoint(-100, 0);
    s.traceLastPoint(kRight);
    ASSERT_EQ(s.PointCount, 1);

    s.chooseObject(kit::ObjectMode::Parallel, -200);
    EXPECT_EQ(s.PointCount, 0);
    EXPECT_EQ(s.RayCount, 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_FLOAT_EQ(s.RayVal[i], (i - 2) * 200.0f / 3);

    s.chooseObject(kit::ObjectMode::Arrow, -200);
    EXPECT_EQ(s.RayCount, 0);
    EXPECT_EQ(s.ObjX, 50);
    EXPECT_EQ(s.ElemZoneX[0], 60);
}

TEST(DoubleClick, DiscardsRaysAndPoints)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    s.chooseObject(kit::ObjectMode::PointGrid, 0);
    s.markPoint(100, 100);
    s.traceLastPoint(kRight);
    ASSERT_EQ(s.RayCount, 5);
    s.clearRaysAndPoints();
    EXPECT_EQ(s.RayCount, 0);
    EXPECT_EQ(s.PointCount, 0);
    EXPECT_TRUE(s.traceStoredRays(kRight).empty());
}

} // namespace
