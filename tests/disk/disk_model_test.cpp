#include "disk/disk_model.h"
#include "disk/experiment.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const float kMaxBeta = static_cast<float>(std::asin(2.0 / 3.0));

TEST(Refraction, NeverExceedsTheCriticalAngleAndRisesWithAlpha)
{
    float previous = -1;
    for (int i = 0; i <= 9000; ++i) {
        const float beta = disk::refractionAngle(disk::DegToRad(i / 100.0f));
        EXPECT_LE(beta, kMaxBeta);
        EXPECT_GE(beta, previous);
        previous = beta;
    }
    EXPECT_LT(previous * 180 / M_PI, 41.82);
}

TEST(Readout, RoundsDownToWholeDegrees)
{
    EXPECT_EQ(disk::wholeDegrees(disk::DegToRad(29.99f)), 29);
    EXPECT_EQ(disk::wholeDegrees(disk::DegToRad(45)), 45);
    EXPECT_EQ(disk::wholeDegrees(0), 0);
}

struct QuadrantCase {
    float x, y;
    bool starts;
    float pressDegrees;
};

class PressQuadrant : public testing::TestWithParam<QuadrantCase> {};

TEST_P(PressQuadrant, OnlyTheUpperLeftQuadrantStartsARay)
{
    const QuadrantCase& c = GetParam();
    EXPECT_EQ(disk::pressStartsRay(c.x, c.y), c.starts);
    if (c.starts) {
        EXPECT_NEAR(disk::alphaAtPress(c.x, c.y) * 180 / M_PI, c.pressDegrees, 1e-4);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PressQuadrant,
                         testing::Values(QuadrantCase{-100, 100, true, 45}, QuadrantCase{0, 100, true, 0},
                                         QuadrantCase{0, 0, true, 90}, QuadrantCase{-50, 0, true, 90},
                                         QuadrantCase{0.5f, 100, false, 0}, QuadrantCase{-100, -0.5f, false, 0}));

TEST(Dragging, ClampsToTheQuadrant)
{
    EXPECT_EQ(disk::alphaWhileDragging(80, 100), 0.0f);      // right of the normal
    EXPECT_EQ(disk::alphaWhileDragging(-80, -5), disk::DegToRad(90)); // below the face
    EXPECT_EQ(disk::alphaWhileDragging(0, 0), disk::DegToRad(90));
    EXPECT_NEAR(disk::alphaWhileDragging(-100, 100), M_PI / 4, 1e-6);
}

TEST(Rays, EndOnTheirQuadrants)
{
    const disk::Point in = disk::incidentEnd(disk::DegToRad(30), 100);
    EXPECT_NEAR(in.x, -50, 1e-4);
    EXPECT_NEAR(in.y, 86.6025, 1e-3);
    const disk::Point out = disk::refractedEnd(disk::DegToRad(30), 100);
    EXPECT_NEAR(out.x, 50, 1e-4);
    EXPECT_NEAR(out.y, -86.6025, 1e-3);
    EXPECT_NEAR(disk::rayLength(900, 600), std::sqrt(600.0 * 600 + 300.0 * 300), 1e-3);
}

TEST(Graph, GridEndsInTheBorderAndComparisonLineHasSlopeTwoThirds)
{
    const auto grid = disk::gridLines();
    ASSERT_EQ(grid.size(), 12u);
    EXPECT_EQ(grid[10].from.y, disk::DegToRad(90)); // top border
    EXPECT_EQ(grid[11].from.x, disk::DegToRad(90)); // right border
    const disk::Segment line = disk::comparisonLine();
    EXPECT_FLOAT_EQ(line.to.y / line.to.x, 2.0f / 3.0f);
}

// However long one drags, the graph keeps one point per hundredth of a degree,
// 0 to 90 degrees both counted; checked at both ends of the range.
TEST(Graph, KeepsOnePointPerHundredthOfADegree)
{
    disk::Experiment e;
    for (const int from : {0, 89000}) {
        for (int i = from; i <= from + 1000; ++i)
            disk::plot(e, {disk::DegToRad(float(i) / 1000), 0});
        for (int i = from + 1000; i >= from; i -= 7)
            EXPECT_FALSE(disk::plot(e, {disk::DegToRad(float(i) / 1000), 0}));
    }
    EXPECT_EQ(int(e.points.size()), 2 * 101);
    EXPECT_EQ(disk::pointSlot(disk::DegToRad(90)) + 1, disk::kMaxPoints);
}

struct CurveCase {
    float alpha, beta;
    bool on;
};

class RefractionCurve : public testing::TestWithParam<CurveCase> {};

TEST_P(RefractionCurve, TakesWhatTheDiskProducesToWithinWrittenRounding)
{
    EXPECT_EQ(disk::onRefractionCurve({GetParam().alpha, GetParam().beta}), GetParam().on);
}

const float kBetaAtHalf = disk::refractionAngle(0.5f);
INSTANTIATE_TEST_SUITE_P(Cases, RefractionCurve,
                         testing::Values(CurveCase{0.5f, kBetaAtHalf, true},
                                         CurveCase{0.5f, std::round(kBetaAtHalf * 1e6f) / 1e6f, true},
                                         CurveCase{0.5f, kBetaAtHalf + 1e-4f, false},
                                         CurveCase{disk::DegToRad(90), kMaxBeta, true},
                                         CurveCase{1.5708f, kMaxBeta, false}, CurveCase{-1e-3f, 0, false},
                                         CurveCase{NAN, 0, false}));

TEST(Disk, RingHasAllTicksAndScalesWithTheScreen)
{
    const auto normal = disk::diskLines(1);
    const auto small = disk::diskLines(0.7f);
    ASSERT_EQ(normal.size(), 1u + 24 + 72 + 12 + 1);
    EXPECT_FLOAT_EQ(small.back().to.y, 0.7f * normal.back().to.y);
    EXPECT_FLOAT_EQ(normal.front().to.x, 200);
}

} // namespace
