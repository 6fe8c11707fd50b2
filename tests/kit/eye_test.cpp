#include "kit/eye.h"
#include "kit/kit_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using kit::Figure;
using kit::Kind;

constexpr double kRight = 3000;

struct Line {
    double m, b;
    bool enters;
    double x, y; // entry point, when it enters
};

class EyeLines : public testing::TestWithParam<Line> {};

// The eye lens at x = 0, so the ball's centre is at (150, 0).
TEST_P(EyeLines, EnterTheBallWhereItIsDrawn)
{
    const Line& c = GetParam();
    EXPECT_EQ(kit::EyeTest(c.m, c.b, 0), c.enters);
    const auto entry = kit::EyeEntry(c.m, c.b, 0);
    ASSERT_EQ(entry.has_value(), c.enters);
    if (entry) {
        EXPECT_NEAR(entry->x, c.x, 1e-9);
        EXPECT_NEAR(entry->y, c.y, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, EyeLines,
    testing::Values(Line{0, 220, true, 150 - std::sqrt(250.0 * 250 - 220 * 220), 220},
                    Line{0, -249.9, true, 150 - std::sqrt(250.0 * 250 - 249.9 * 249.9), -249.9},
                    Line{0, 250, false, 0, 0}, Line{0, -260, false, 0, 0},
                    // Through the centre: certainly in.
                    Line{-1.4, 210, true, 150 - 250 / std::sqrt(2.96), 1.4 * 250 / std::sqrt(2.96)},
                    Line{1.4, -210, true, 150 - 250 / std::sqrt(2.96), -1.4 * 250 / std::sqrt(2.96)},
                    // Cuts the ball only left of the lens plane, where no ball is drawn.
                    Line{4, 210, false, 0, 0}, Line{-4, -210, false, 0, 0},
                    // Passes above the ball.
                    Line{0.1, 400, false, 0, 0}));

TEST(EyeLines, EntryLiesOnTheBallAndTheLineRightOfTheLens)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> slope(-20, 20);
    std::uniform_real_distribution<double> height(-600, 600);
    int entered = 0;
    for (int i = 0; i < 2000; ++i) {
        const double m = slope(random);
        const double b = height(random);
        const auto entry = kit::EyeEntry(m, b, 0);
        if (!entry)
            continue;
        ++entered;
        EXPECT_NEAR(std::hypot(entry->x - 150, entry->y), kit::EyeR, 1e-9);
        EXPECT_NEAR(entry->y, m * entry->x + b, 1e-9 * (1 + std::abs(m)));
        EXPECT_GE(entry->x, 0);
    }
    EXPECT_GT(entered, 200);
}

TEST(Retina, HalfHeightOfTheBallAtEachRetina)
{
    EXPECT_EQ(kit::retinaHalfHeight(300), kit::EyeRetinaH);
    EXPECT_NEAR(kit::retinaHalfHeight(340), 162.48, 0.005);
    EXPECT_NEAR(kit::retinaHalfHeight(260), 224.50, 0.005);
    EXPECT_EQ(kit::retinaHalfHeight(450), 0); // behind the ball
}

// A ray through the lens rim that leaves along the ball's tangent there
// touches the ball: rounding must not make it miss its way out.
TEST(Retina, LineAlongTheBallsTangentAtTheRimLeavesThere)
{
    for (int i = -200; i <= 200; ++i) {
        const double m = 0.75 * (1 + i * 1e-16);
        for (const double eyeX : {0.0, 350.0, 1234.5}) {
            const kit::EyePoint exit = kit::EyeExit(m, 200 - m * eyeX, eyeX);
            EXPECT_NEAR(exit.x, eyeX, 1e-4) << i;
            EXPECT_NEAR(exit.y, 200, 1e-4) << i;
        }
    }
}

class ParallelIntoTheEye : public testing::TestWithParam<float> {};

// Parallel light through the eye lens (f = 300) meets on the normal retina;
// the short-sighted eye draws the rays on past their crossing, the
// long-sighted one stops them before.
TEST_P(ParallelIntoTheEye, EndsOnTheRetinaPlane)
{
    const float depth = GetParam();
    kit::System s;
    s.AddElement(Kind::Eye);
    s.setEyeDepth(depth);
    s.chooseObject(kit::ObjectMode::Parallel, 0);
    const kit::Strokes strokes = s.traceStoredRays(kRight);
    int rays = 0;
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        ASSERT_EQ(strokes[i].figure, Figure::RaySegment);
        if (strokes[i].x1 < 350)
            continue; // the rays' first two segments
        ++rays;
        const double start = strokes[i - 2].y1;
        EXPECT_EQ(strokes[i].x2, 350 + depth);
        EXPECT_NEAR(strokes[i].y2, start * (1 - depth / 300.0), 1e-9) << start;
    }
    EXPECT_EQ(rays, 5);
    // The image is found, but the eye draws none.
    ASSERT_TRUE(s.ImgFound[3]);
    EXPECT_NEAR(s.ImgX[3], 650, 1e-3);
    EXPECT_NEAR(s.ImgY[3], 0, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Depths, ParallelIntoTheEye, testing::Values(300.0f, 340.0f, 260.0f));

struct InsideRay {
    float depth;
    double slope; // from the object at (250, 100)
    bool onRetina;
};

class RaysInsideTheEye : public testing::TestWithParam<InsideRay> {};

// A ray that would cross the retina plane outside the ball ends where it
// leaves the ball.
TEST_P(RaysInsideTheEye, EndOnTheRetinaOrOnTheBall)
{
    const InsideRay& c = GetParam();
    kit::System s;
    s.AddElement(Kind::Eye);
    s.setEyeDepth(c.depth);
    s.moveObject(250, 100);
    ASSERT_TRUE(s.aimRay(350, 100 + 100 * c.slope));
    const kit::Strokes strokes = s.TraceRay(kRight);
    ASSERT_EQ(strokes.size(), 3u);
    const kit::Stroke& last = strokes.back();
    if (c.onRetina) {
        EXPECT_EQ(last.x2, 350 + c.depth);
        EXPECT_LE(std::abs(last.y2), kit::retinaHalfHeight(c.depth));
    } else {
        EXPECT_LT(last.x2, 350 + c.depth);
        EXPECT_NEAR(std::hypot(last.x2 - 500, last.y2), kit::EyeR, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Rays, RaysInsideTheEye,
                         testing::Values(InsideRay{300, 0.55, true},  // 161 high at the normal retina
                                         InsideRay{340, 0.55, false}, // 166 high where the ball is 162 high
                                         InsideRay{260, 0.55, true}, InsideRay{300, 0.9, false},
                                         InsideRay{340, -0.4, true}, InsideRay{340, -1.6, false}));

struct OutsideRay {
    double objectY;
    double slope; // from x = 50 to the eye at 350
    bool enters;
    double x, y;
};

class RaysOutsideTheEyeLens : public testing::TestWithParam<OutsideRay> {};

TEST_P(RaysOutsideTheEyeLens, EnterTheBallOrPassIt)
{
    const OutsideRay& c = GetParam();
    kit::System s;
    s.AddElement(Kind::Eye);
    s.moveObject(50, c.objectY);
    ASSERT_TRUE(s.aimRay(150, c.objectY + 100 * c.slope));
    const kit::Strokes strokes = s.TraceRay(kRight);
    ASSERT_EQ(strokes.size(), 1u);
    const kit::Stroke& ray = strokes[0];
    EXPECT_EQ(ray.x1, 50);
    if (c.enters) {
        EXPECT_NEAR(ray.x2, c.x, 1e-9);
        EXPECT_NEAR(ray.y2, c.y, 1e-9);
    } else {
        EXPECT_EQ(ray.x2, kRight);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rays, RaysOutsideTheEyeLens,
    testing::Values(OutsideRay{220, 0, true, 500 - std::sqrt(250.0 * 250 - 220 * 220), 220},
                    OutsideRay{-249, 0, true, 500 - std::sqrt(250.0 * 250 - 249 * 249), -249},
                    OutsideRay{250, 0, false, 0, 0}, OutsideRay{-300, 0, false, 0, 0},
                    // Aimed at the ball's centre (500, 0), 210 high in the lens plane.
                    OutsideRay{630, -1.4, true, 500 - 250 / std::sqrt(2.96), 1.4 * 250 / std::sqrt(2.96)}));

} // namespace
