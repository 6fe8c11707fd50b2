#include "kit_support.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using kit::Kind;
using kit::ObjectMode;
using support::kitWith;
using support::kRight;

// Dragged as far as it goes either way, an element stops touching its
// neighbour (the first one: the object, or the start of the parallel bundle)
// and moves nothing else. Stored in single precision and recomputed from what
// is stored, the clamp must still hold exactly: no tolerance on the overlap.
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
            if (trial % 2 == 0)
                s.moveObject(objectX(random), 0);
            else
                s.chooseObject(ObjectMode::Parallel, objectX(random));
            for (int k = s.ElemCount - 2; k >= 1; k -= 2) // spread at random
                s.moveElement(k, far(random) + 400 * k);
            for (int k = 1; k < s.ElemCount; k += 2)
                for (const bool right : {true, false}) {
                    if (right && k + 2 == s.ElemCount)
                        continue;
                    const auto before = s.ElemX;
                    ASSERT_TRUE(s.moveElement(k, right ? 1e5 : -1e5));
                    const double gap = right ? s.leftExtreme(k + 2) - s.rightExtreme(k)
                                             : s.leftExtreme(k) - (k == 1 ? s.ElemX[0] : s.rightExtreme(k - 2));
                    ASSERT_GE(gap, 0) << trial;
                    ASSERT_LT(gap, 5e-3) << trial; // a few single-precision steps
                    ASSERT_NEAR(s.ElemX[k + 1] - s.ElemX[k], kit::templateOf(s.ElemKind[k]).thickness, 1e-3);
                    auto others = s.ElemX; // nothing else moved
                    others[k] = before[k];
                    others[k + 1] = before[k + 1];
                    ASSERT_EQ(others, before) << trial;
                }
        }
}

// The object is held at a converging lens's apex less half its thickness,
// at a diverging lens's face, at the eye's apex: exactly, in the single
// precision it is kept in, wherever the element stands.
TEST(Clamps, ObjectStopsExactlyInFrontOfTheFirstElement)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<double> place(100, 4200);
    for (const auto& [kind, held] : {std::pair{Kind::Converging, 350 + std::sqrt(1200.0 * 1200 - 40000) - 1212.5},
                                    std::pair{Kind::Diverging, 350.0},
                                    std::pair{Kind::Eye, 350 + std::sqrt(1000.0 * 1000 - 40000) - 1000}}) {
        kit::System s = kitWith({kind});
        ASSERT_TRUE(s.moveObject(1000, -75));
        EXPECT_NEAR(s.ObjX, held, 1e-3);
        EXPECT_EQ(s.ObjY, -75);
        EXPECT_EQ(s.ObjXs, s.ObjX);
        for (int trial = 0; trial < 2000; ++trial) {
            s = kitWith({kind});
            s.moveElement(1, place(random));
            s.moveObject(1e5, 0);
            ASSERT_NEAR(s.ObjX, s.ElemX[1] + held - 350, 1e-3) << trial;
            ASSERT_LE(s.ObjX, s.leftExtreme(1)) << trial;
        }
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
    EXPECT_NEAR(s.ObjX, s.ElemX[1] + std::sqrt(1200.0 * 1200 - 40000) - 1212.5, 1e-3); // held as in front of any lens
    EXPECT_EQ(s.ObjY, 80);
    EXPECT_EQ(s.ObjXs, s.ObjX);
}

// Each mode starts without the rays, points and images of the last, and so
// does the double click; the grid starts at the view's left edge. Only the
// grid takes marks, only the arrow and the candle are dragged.
TEST(ObjectChoice, EachModeStartsAfresh)
{
    kit::System s = kitWith({Kind::Converging});
    EXPECT_EQ(s.markPoint(100, 0), kit::MarkResult::Ignored);
    for (const double target : {0.0, 100.0}) {
        ASSERT_TRUE(s.aimRay(350, target));
        s.addRay(kRight);
    }
    s.chooseObject(ObjectMode::PointGrid, -200);
    EXPECT_EQ(s.RayCount, 0);
    EXPECT_FALSE(s.ImgFound[3]);
    EXPECT_EQ(s.ObjX, -150);
    s.markPoint(-100, 0);
    s.traceLastPoint(kRight);
    s.clearRaysAndPoints();
    EXPECT_EQ(s.RayCount + s.PointCount, 0);
    s.markPoint(-100, 0);
    s.chooseObject(ObjectMode::Parallel, -200);
    EXPECT_EQ(s.PointCount, 0);
    EXPECT_FALSE(s.moveObject(100, 50));
    s.chooseObject(ObjectMode::Arrow, -200);
    EXPECT_EQ(s.RayCount, 0);
    s.chooseObject(ObjectMode::Candle, -200);
    EXPECT_TRUE(s.moveObject(100, 50));
}

} // namespace
