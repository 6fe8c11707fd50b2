#include "kit/eye.h"

#include "kit_support.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using kit::Kind;
using support::kitWith;
using support::kRight;

const double kCentreEntry = 150 - 250 / std::sqrt(2.96); // of the lines of slope -+1.4 through the centre

struct Line {
    double m, b; // y = m x + b, with the eye lens at x = 0 and the ball's centre at (150, 0)
    bool enters;
    double x, y; // entry point, when it enters
};

class EyeLines : public testing::TestWithParam<Line> {};

// The same line, traced from x = 50 into an eye at 350, ends where it enters
// the ball, or runs on to the view's edge.
TEST_P(EyeLines, EnterTheBallWhereItIsDrawn)
{
    const Line& c = GetParam();
    EXPECT_EQ(kit::EyeTest(c.m, c.b, 0), c.enters);
    const auto entry = kit::EyeEntry(c.m, c.b, 0);
    ASSERT_EQ(entry.has_value(), c.enters);
    kit::System s = kitWith({Kind::Eye});
    s.moveObject(50, c.b - 300 * c.m);
    ASSERT_TRUE(s.aimRay(150, s.ObjY + 100 * c.m));
    const kit::Strokes strokes = s.TraceRay(kRight);
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_NEAR(strokes[0].x2, c.enters ? 350 + c.x : kRight, 1e-9);
    if (entry) {
        EXPECT_NEAR(entry->x, c.x, 1e-9);
        EXPECT_NEAR(entry->y, c.y, 1e-9);
        EXPECT_NEAR(strokes[0].y2, c.y, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, EyeLines,
    testing::Values(Line{0, 220, true, 150 - std::sqrt(250.0 * 250 - 220 * 220), 220},
                    Line{0, -249.875, true, 150 - std::sqrt(250.0 * 250 - 249.875 * 249.875), -249.875},
                    Line{0, 250, false, 0, 0}, Line{0, -260, false, 0, 0},
                    // Through the centre: certainly in.
                    Line{-1.4, 210, true, kCentreEntry, 1.4 * (150 - kCentreEntry)},
                    Line{1.4, -210, true, kCentreEntry, -1.4 * (150 - kCentreEntry)},
                    // Cuts the ball only left of the lens plane, where no ball is drawn.
                    Line{4, 210, false, 0, 0}, Line{-4, -210, false, 0, 0}, Line{0.1, 400, false, 0, 0}));

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

// For every refractive error the retina lies in its plane, 20 short of the
// ball there, and the wall reaches that plane less its small gap. Parallel
// light through the eye lens (f = 300) meets on the normal retina; the
// short-sighted eye draws the rays on past their crossing, the long-sighted
// one stops them before. No image is drawn.
TEST(Retina, LiesInItsPlaneAndEndsParallelLight)
{
    for (const float depth : {300.0f, 340.0f, 260.0f}) {
        SCOPED_TRACE(depth);
        const double ballHalf = std::sqrt(250.0 * 250 - (depth - 150) * (depth - 150));
        EXPECT_NEAR(kit::retinaHalfHeight(depth), ballHalf, 1e-9);
        EXPECT_EQ(kit::retinaHalfHeight(depth + 150), 0); // beyond the ball
        const kit::EyeOutline eye = kit::eyeOutline(350, depth);
        EXPECT_NEAR(eye.retinaHalf, ballHalf - 20, 1e-9);
        EXPECT_EQ(eye.retinaX, 350 + depth);
        // Without its gap, the upper arc would end at the corner (350 + depth, ballHalf), the lower one mirrored.
        EXPECT_NEAR(500 + 250 * std::cos(eye.upperFrom - 0.05), 350 + depth, 1e-9);
        EXPECT_NEAR(250 * std::sin(eye.upperFrom - 0.05), ballHalf, 1e-9);
        EXPECT_NEAR(250 * std::sin(eye.lowerTo + 0.05), -ballHalf, 1e-9);
        EXPECT_NEAR(500 + 250 * std::cos(eye.upperTo + 0.05), 350, 1e-9); // and at the lens rim
        EXPECT_NEAR(250 * std::sin(eye.lowerFrom - 0.05), -200, 1e-9);

        kit::System s = kitWith({Kind::Eye}, kit::ObjectMode::Parallel);
        ASSERT_TRUE(s.setEyeDepth(depth));
        EXPECT_FALSE(s.setEyeDepth(depth + 1)); // only the three retinas
        const kit::Strokes strokes = s.traceStoredRays(kRight);
        ASSERT_EQ(support::countOf(strokes, kit::Figure::RaySegment), 15);
        ASSERT_EQ(strokes.size(), 15u);
        for (std::size_t i = 0; i < strokes.size(); i += 3) {
            EXPECT_EQ(strokes[i + 2].x2, 350 + depth);
            EXPECT_NEAR(strokes[i + 2].y2, strokes[i].y1 * (1 - depth / 300.0), 1e-9);
        }
    }
}

// From the object at (250, 100): a ray that would cross the retina plane
// outside the ball ends where it leaves the ball.
TEST(Retina, RaysEndOnTheRetinaOrOnTheBall)
{
    const std::tuple<float, double, bool> rays[] = {
        {300, 0.55, true},  // 161 high at the normal retina
        {340, 0.55, false}, // 166 high where the ball is 162 high
        {260, 0.55, true},  {300, 0.9, false}, {340, -0.4, true}, {340, -1.6, false}};
    for (const auto& [depth, slope, onRetina] : rays) {
        kit::System s = kitWith({Kind::Eye});
        s.setEyeDepth(depth);
        s.moveObject(250, 100);
        ASSERT_TRUE(s.aimRay(350, 100 + 100 * slope));
        const kit::Strokes strokes = s.TraceRay(kRight);
        ASSERT_EQ(strokes.size(), 3u);
        const kit::Stroke& last = strokes.back();
        if (onRetina) {
            EXPECT_EQ(last.x2, 350 + depth) << slope;
        } else {
            EXPECT_LT(last.x2, 350 + depth) << slope;
            EXPECT_NEAR(std::hypot(last.x2 - s.eyeBallX(), last.y2), kit::EyeR, 1e-9) << slope;
        }
    }
}

} // namespace
