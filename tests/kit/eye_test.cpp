#include "kit/eye.h"

#include "kit_support.h"

#include <gtest/gtest.h>

namespace {

using kit::Kind;
using support::kitWith;
using support::kRight;

const double kCentreEntry = 150 - 250 / std::sqrt(2.96); // of the lines of slope -+1.4 through the centre

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
                    Line{-1.4, 210, true, kCentreEntry, 1.4 * (150 - kCentreEntry)},
                    Line{1.4, -210, true, kCentreEntry, -1.4 * (150 - kCentreEntry)},
                    // Cuts the ball only left of the lens plane, where no ball is drawn.
                    Line{4, 210, false, 0, 0}, Line{-4, -210, false, 0, 0}, Line{0.1, 400, false, 0, 0}));

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
    for (int i = -200; i <= 200; ++i)
        for (const double eyeX : {0.0, 350.0, 1234.5}) {
            const double m = 0.75 * (1 + i * 1e-16);
            const kit::EyePoint exit = kit::EyeExit(m, 200 - m * eyeX, eyeX);
            EXPECT_NEAR(exit.x, eyeX, 1e-4) << i;
            EXPECT_NEAR(exit.y, 200, 1e-4) << i;
        }
}

class ParallelIntoTheEye : public testing::TestWithParam<float> {};

// Parallel light through the eye lens (f = 300) meets on the normal retina;
// the short-sighted eye draws the rays on past their crossing, the
// long-sighted one stops them before. The image is found, but none drawn.
TEST_P(ParallelIntoTheEye, EndsOnTheRetinaPlane)
{
    const float depth = GetParam();
    kit::System s = kitWith({Kind::Eye});
    s.setEyeDepth(depth);
    s.chooseObject(kit::ObjectMode::Parallel, 0);
    const kit::Strokes strokes = s.traceStoredRays(kRight);
    ASSERT_EQ(strokes.size(), 15u);
    for (std::size_t i = 0; i < strokes.size(); i += 3) {
        EXPECT_EQ(strokes[i + 2].x2, 350 + depth);
        EXPECT_NEAR(strokes[i + 2].y2, strokes[i].y1 * (1 - depth / 300.0), 1e-9);
    }
    EXPECT_EQ(support::countOf(strokes, kit::Figure::RaySegment), 15);
    ASSERT_TRUE(s.ImgFound[3]);
    EXPECT_NEAR(s.ImgX[3], 650, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Depths, ParallelIntoTheEye, testing::Values(300.0f, 340.0f, 260.0f));

struct InsideRay {
    float depth;
    double slope; // from the object at (250, 100)
    bool onRetina;
};

class RaysInsideTheEye : public testing::TestWithParam<InsideRay> {};

// A ray that would cross the retina plane outside the ball ends where it leaves the ball.
TEST_P(RaysInsideTheEye, EndOnTheRetinaOrOnTheBall)
{
    const InsideRay& c = GetParam();
    kit::System s = kitWith({Kind::Eye});
    s.setEyeDepth(c.depth);
    s.moveObject(250, 100);
    ASSERT_TRUE(s.aimRay(350, 100 + 100 * c.slope));
    const kit::Strokes strokes = s.TraceRay(kRight);
    ASSERT_EQ(strokes.size(), 3u);
    const kit::Stroke& last = strokes.back();
    if (c.onRetina) {
        EXPECT_EQ(last.x2, 350 + c.depth);
    } else {
        EXPECT_LT(last.x2, 350 + c.depth);
        EXPECT_NEAR(std::hypot(last.x2 - s.eyeBallX(), last.y2), kit::EyeR, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Rays, RaysInsideTheEye,
                         testing::Values(InsideRay{300, 0.55, true},  // 161 high at the normal retina
                                         InsideRay{340, 0.55, false}, // 166 high where the ball is 162 high
                                         InsideRay{260, 0.55, true}, InsideRay{300, 0.9, false},
                                         InsideRay{340, -0.4, true}, InsideRay{340, -1.6, false}));

struct OutsideRay {
    double objectY, slope; // from x = 50 to the eye lens at 350
    bool enters;
    double x, y;
};

class RaysOutsideTheEyeLens : public testing::TestWithParam<OutsideRay> {};

TEST_P(RaysOutsideTheEyeLens, EnterTheBallOrPassIt)
{
    const OutsideRay& c = GetParam();
    kit::System s = kitWith({Kind::Eye});
    s.moveObject(50, c.objectY);
    ASSERT_TRUE(s.aimRay(150, c.objectY + 100 * c.slope));
    const kit::Strokes strokes = s.TraceRay(kRight);
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_NEAR(strokes[0].x2, c.enters ? c.x : kRight, 1e-9);
    if (c.enters) {
        EXPECT_NEAR(strokes[0].y2, c.y, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Rays, RaysOutsideTheEyeLens,
                         testing::Values(OutsideRay{220, 0, true, 500 - std::sqrt(250.0 * 250 - 220 * 220), 220},
                                         OutsideRay{250, 0, false, 0, 0}, OutsideRay{-300, 0, false, 0, 0},
                                         // Aimed at the ball's centre (500, 0), 210 high in the lens plane.
                                         OutsideRay{630, -1.4, true, 350 + kCentreEntry,
                                                    1.4 * (150 - kCentreEntry)}));

} // namespace
