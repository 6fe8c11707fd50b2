#include "kit_support.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using kit::Kind;
using kit::MarkResult;
using kit::ObjectMode;
using support::kRight;

kit::System gridWith(const std::vector<Kind>& kinds) { return support::kitWith(kinds, ObjectMode::PointGrid); }

void mark(kit::System& s, double x, double y)
{
    ASSERT_EQ(s.markPoint(x, y), MarkResult::Marked);
    s.traceLastPoint(kRight);
}

TEST(Marking, NearestGridPointHalvesAwayFromZero)
{
    const std::vector<std::array<double, 4>> cases{
        {29.6, -29.6, 20, -20}, {30, -30, 40, -40}, {9.99, 10, 0, 20}, {129.9, 0.4, 120, 0}};
    for (const auto& [x, y, gridX, gridY] : cases) {
        kit::System s = gridWith({Kind::Converging});
        ASSERT_EQ(s.markPoint(x, y), MarkResult::Marked);
        EXPECT_EQ(s.PtX[0], gridX) << x;
        EXPECT_EQ(s.PtY[0], gridY) << y;
    }
}

// Unmarking moves the last point, with its image mark, into the gap; the
// only point left is unmarked without tracing anything.
TEST(Marking, ClickOnAMarkedPointUnmarksIt)
{
    kit::System s = gridWith({Kind::Converging});
    mark(s, 100, 40);
    mark(s, 140, -60);
    const float imageX = s.PtImgX[1];
    EXPECT_EQ(s.markPoint(100, 40), MarkResult::Unmarked);
    ASSERT_EQ(s.PointCount, 1);
    EXPECT_EQ(s.PtX[0], 140);
    EXPECT_EQ(s.PtY[0], -60);
    EXPECT_EQ(s.PtImgX[0], imageX);
    EXPECT_EQ(s.markPoint(145, -55), MarkResult::Unmarked);
    EXPECT_EQ(s.PointCount, 0);
    EXPECT_EQ(s.RayCount, 0);
    EXPECT_TRUE(s.traceLastPoint(kRight).empty());
}

// The window asks in advance and never reaches the model's own limit; the
// model keeps to it all the same.
TEST(Marking, FiftyPointsAndNoMore)
{
    kit::System s = gridWith({Kind::Converging});
    for (int i = 0; i < kit::kMaxPoints; ++i)
        s.markPoint(60 + 20 * (i % 10), -100 + 20 * (i / 10));
    EXPECT_TRUE(s.markRefused(300, 300));
    EXPECT_EQ(s.markPoint(300, 300), MarkResult::Refused);
    EXPECT_EQ(s.PointCount, kit::kMaxPoints);
}

// A mark at or behind the first element's left extreme sends no rays; its
// image mark is the point itself. The converging lens reaches left to 333.2,
// the diverging lens to its face at 350, the eye to 329.8.
TEST(Marking, OnlyMarksInFrontOfTheFirstElementSendRays)
{
    for (const auto& [first, markX, rays] : {std::tuple{Kind::Converging, 320, true}, {Kind::Converging, 340, false},
                                             {Kind::Diverging, 340, true}, {Kind::Diverging, 355, false},
                                             {Kind::Eye, 340, false}}) {
        kit::System s = gridWith({first});
        ASSERT_EQ(s.markPoint(markX, 20), MarkResult::Marked);
        const kit::Strokes strokes = s.traceLastPoint(kRight);
        EXPECT_EQ(s.RayCount, rays ? 5 : 0) << markX;
        EXPECT_EQ(strokes.empty(), !rays) << markX;
        if (!rays) {
            EXPECT_EQ(s.PtImgX[0], s.PtX[0]);
            EXPECT_EQ(s.PtImgY[0], s.PtY[0]);
        }
    }
}

// Wherever the lens is moved it images every point anew; dragged to 150,
// past two marks, those are marked as themselves. The strokes returned are
// the bundle of the last point marked.
TEST(ImageMarks, OfOneLensAreTheGaussianImages)
{
    const std::vector<support::Point> points{{100, 40}, {40, -300}, {280, 100}, {160, 0}, {60, 200}};
    kit::System s = gridWith({Kind::Converging});
    for (const support::Point& p : points)
        mark(s, p.x, p.y);
    for (double lensX : {350.0, 500.0, 150.0}) {
        s.moveElement(1, lensX + 12.5);
        const kit::Strokes last = s.imageAllPoints(kRight);
        for (std::size_t i = 0; i < points.size(); ++i) {
            const bool behind = lensX == 150 && points[i].x > 150;
            const support::Point image = behind ? points[i] : support::ThickLens{lensX, 25, 150}.image(points[i]);
            EXPECT_NEAR(s.PtImgX[i], image.x, 2e-3 * std::max(1.0, std::abs(image.x) / 1000)) << i;
            EXPECT_NEAR(s.PtImgY[i], image.y, 2e-3 * std::max(1.0, std::abs(image.y) / 1000)) << i;
        }
        EXPECT_EQ(last.front().x1, 60);
    }
}

// With the eye last, a point's image mark is its image only when that lies
// within 5 of the retina; otherwise the point itself. fromRetina: where the
// eye forms the image, measured from the normal retina.
TEST(ImageMarks, WithTheEyeCountOnlyNearTheRetina)
{
    for (const auto& [fromRetina, depth, seen] :
         {std::tuple{0.0, 300.0f, true}, {4.9, 300.0f, true}, {-4.9, 300.0f, true}, {5.1, 300.0f, false},
          {-5.1, 300.0f, false}, {0.0, 340.0f, false}, {40.0, 340.0f, true}, {-40.0, 260.0f, true}}) {
        kit::System s = gridWith({Kind::Eye});
        s.setFocalLength(1, 188);
        s.setEyeDepth(depth);
        const double sImage = 300 + fromRetina;
        const double sObject = 1 / (1 / 188.0 - 1 / sImage);
        s.moveElement(1, 100 + sObject);
        mark(s, 100, 40);
        EXPECT_NEAR(s.PtImgX[0], seen ? s.eyeX() + sImage : 100, 1e-2) << fromRetina << " " << depth;
        EXPECT_NEAR(s.PtImgY[0], seen ? -40 * sImage / sObject : 40, 1e-3) << fromRetina << " " << depth;
    }
}

} // namespace
