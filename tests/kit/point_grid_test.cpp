#include "kit_support.h"

#include <gtest/gtest.h>

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

TEST(Marking, ClickOnTheOnlyMarkedPointJustUnmarksIt)
{
    kit::System s = gridWith({Kind::Converging});
    mark(s, 100, 40);
    EXPECT_EQ(s.markPoint(105, 35), MarkResult::Unmarked);
    EXPECT_EQ(s.PointCount, 0);
    EXPECT_EQ(s.RayCount, 0);
    EXPECT_TRUE(s.traceLastPoint(kRight).empty());
}

TEST(Marking, LastPointTakesTheUnmarkedPlaceWithItsImage)
{
    kit::System s = gridWith({Kind::Converging});
    mark(s, 100, 40);
    mark(s, 120, 0);
    mark(s, 140, -60);
    const float imageX = s.PtImgX[2];
    EXPECT_EQ(s.markPoint(100, 40), MarkResult::Unmarked);
    ASSERT_EQ(s.PointCount, 2);
    EXPECT_EQ(s.PtX[0], 140);
    EXPECT_EQ(s.PtY[0], -60);
    EXPECT_EQ(s.PtImgX[0], imageX);
}

TEST(Marking, FiftyPointsAndNoMore)
{
    kit::System s = gridWith({Kind::Converging});
    for (int i = 0; i < kit::kMaxPoints; ++i)
        ASSERT_EQ(s.markPoint(60 + 20 * (i % 10), -100 + 20 * (i / 10)), MarkResult::Marked) << i;
    EXPECT_EQ(s.markPoint(300, 300), MarkResult::Refused);
    EXPECT_EQ(s.PointCount, 50);
    EXPECT_EQ(kit::kTooManyPointsText, "Es können max. 50 Punkte markiert werden!");
    EXPECT_EQ(s.markPoint(60, -100), MarkResult::Unmarked); // no 51st mark
}

TEST(Marking, OnlyInThePointGrid)
{
    kit::System s = support::kitWith({Kind::Converging});
    EXPECT_EQ(s.markPoint(100, 40), MarkResult::Ignored);
    EXPECT_EQ(s.PointCount, 0);
}

struct Behind {
    Kind first;
    double markX;
    bool rays;
};

class MarksAtTheFirstElement : public testing::TestWithParam<Behind> {};

// A mark at or behind the first element's left extreme sends no rays; its
// image mark is the point itself.
TEST_P(MarksAtTheFirstElement, SendRaysOnlyFromInFront)
{
    const Behind& c = GetParam();
    kit::System s = gridWith({c.first});
    ASSERT_EQ(s.markPoint(c.markX, 20), MarkResult::Marked);
    const kit::Strokes strokes = s.traceLastPoint(kRight);
    EXPECT_EQ(s.RayCount, c.rays ? 5 : 0);
    EXPECT_EQ(strokes.empty(), !c.rays);
    if (!c.rays) {
        EXPECT_EQ(s.PtImgX[0], s.PtX[0]);
        EXPECT_EQ(s.PtImgY[0], s.PtY[0]);
    }
}

// The converging lens reaches left to 333.2, the diverging lens to its face at 350, the eye to 329.8.
INSTANTIATE_TEST_SUITE_P(Points, MarksAtTheFirstElement,
                         testing::Values(Behind{Kind::Converging, 320, true}, Behind{Kind::Converging, 340, false},
                                         Behind{Kind::Diverging, 340, true}, Behind{Kind::Diverging, 355, false},
                                         Behind{Kind::Eye, 340, false}));

TEST(Marking, FirstElementDraggedPastEarlierMarks)
{
    kit::System s = gridWith({Kind::Converging});
    mark(s, 200, 40);
    mark(s, 60, 40);
    s.moveElement(1, 150); // held only by the last mark, at 60
    const kit::Strokes last = s.imageAllPoints(kRight);
    EXPECT_EQ(s.PtImgX[0], 200);
    EXPECT_EQ(s.PtImgY[0], 40);
    EXPECT_EQ(last.front().x1, 60);
}

// The last mark, which holds the first element on its left, may lie behind
// it; the next element still holds it on its right.
TEST(Marking, MarkBehindTheFirstElementNeverPushesTheNext)
{
    kit::System s = gridWith({Kind::Converging, Kind::Diverging});
    mark(s, 660, 0);
    ASSERT_TRUE(s.moveElement(1, 100));
    EXPECT_EQ(s.ElemX[3], 675);
    EXPECT_LE(s.rightExtreme(1), s.ElemX[3]);
}

TEST(ImageMarks, OfOneLensAreTheGaussianImages)
{
    const std::vector<support::Point> points{{100, 40}, {40, -300}, {280, 100}, {160, 0}, {60, 200}};
    kit::System s = gridWith({Kind::Converging});
    for (const support::Point& p : points)
        mark(s, p.x, p.y);
    for (double lensX : {350.0, 500.0}) {
        s.moveElement(1, lensX + 12.5);
        const kit::Strokes last = s.imageAllPoints(kRight);
        for (std::size_t i = 0; i < points.size(); ++i) {
            const support::Point image = support::ThickLens{lensX, 25, 150}.image(points[i]);
            EXPECT_NEAR(s.PtImgX[i], image.x, 2e-3 * std::max(1.0, std::abs(image.x) / 1000)) << i;
            EXPECT_NEAR(s.PtImgY[i], image.y, 2e-3 * std::max(1.0, std::abs(image.y) / 1000)) << i;
        }
        // The strokes are the last point's bundle, which stays the stored rays.
        EXPECT_EQ(s.ObjX, 60);
        EXPECT_EQ(last.size(), s.traceStoredRays(kRight).size());
    }
}

TEST(ImageMarks, PointWithoutImageIsNotGivenAStaleOne)
{
    kit::System s = gridWith({Kind::Converging});
    mark(s, 100, 40);
    ASSERT_NE(s.PtImgX[0], 100);
    // Put the lens's front focal point on the grid point (200, 40): its rays leave parallel.
    s.moveElement(1, 200 + 150 - s.ElemPrincipal[1] + 12.5);
    ASSERT_NEAR(s.ElemFocus[1], 200, 1e-3);
    mark(s, 200, 40);
    EXPECT_EQ(s.PtImgX[1], 200);
    EXPECT_EQ(s.PtImgY[1], 40);
}

struct RetinaCase {
    double fromRetina; // where the eye forms the image, measured from the normal retina
    float depth;
    bool seen;
};

class EyeImageMarks : public testing::TestWithParam<RetinaCase> {};

// With the eye last, a point's image mark is its image only when that lies
// within 5 of the retina; otherwise the point itself.
TEST_P(EyeImageMarks, CountOnlyNearTheRetina)
{
    const RetinaCase& c = GetParam();
    kit::System s = gridWith({Kind::Eye});
    s.setFocalLength(1, 188);
    s.setEyeDepth(c.depth);
    const double sImage = 300 + c.fromRetina;
    const double sObject = 1 / (1 / 188.0 - 1 / sImage);
    s.moveElement(1, 100 + sObject);
    mark(s, 100, 40);
    EXPECT_NEAR(s.PtImgX[0], c.seen ? s.eyeX() + sImage : 100, 1e-2);
    EXPECT_NEAR(s.PtImgY[0], c.seen ? -40 * sImage / sObject : 40, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Images, EyeImageMarks,
                         testing::Values(RetinaCase{0, 300, true}, RetinaCase{4.9, 300, true},
                                         RetinaCase{-4.9, 300, true}, RetinaCase{5.1, 300, false},
                                         RetinaCase{-5.1, 300, false}, RetinaCase{0, 340, false},
                                         RetinaCase{40, 340, true}, RetinaCase{-40, 260, true}));

} // namespace
