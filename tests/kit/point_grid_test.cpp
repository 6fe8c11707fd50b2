#include "kit/kit_model.h"

#include "optics.h"

#include <gtest/gtest.h>

namespace {

using kit::Kind;
using kit::MarkResult;

constexpr double kRight = 3000;

kit::System gridWith(std::vector<Kind> kinds)
{
    kit::System s;
    for (Kind kind : kinds)
        s.AddElement(kind);
    s.chooseObject(kit::ObjectMode::PointGrid, 0);
    return s;
}

void mark(kit::System& s, double x, double y)
{
    ASSERT_EQ(s.markPoint(x, y), MarkResult::Marked);
    s.traceLastPoint(kRight);
}

struct Snap {
    double x, y;
    float gridX, gridY;
};

class Snapping : public testing::TestWithParam<Snap> {};

TEST_P(Snapping, MarksTheNearestGridPointHalvesAwayFromZero)
{
    kit::System s = gridWith({Kind::Converging});
    ASSERT_EQ(s.markPoint(GetParam().x, GetParam().y), MarkResult::Marked);
    EXPECT_EQ(s.PtX[0], GetParam().gridX);
    EXPECT_EQ(s.PtY[0], GetParam().gridY);
}

INSTANTIATE_TEST_SUITE_P(Points, Snapping,
                         testing::Values(Snap{29.6, -29.6, 20, -20}, Snap{30, -30, 40, -40},
                                         Snap{50, -10, 60, -20}, Snap{9.99, 10, 0, 20}, Snap{129.9, 0.4, 120, 0}));

TEST(Marking, ClickOnTheOnlyMarkedPointJustUnmarksIt)
{
    kit::System s = gridWith({Kind::Converging});
    mark(s, 100, 40);
    ASSERT_EQ(s.RayCount, 5);
    EXPECT_EQ(s.markPoint(105, 35), MarkResult::Unmarked);
    EXPECT_EQ(s.PointCount, 0);
    EXPECT_EQ(s.RayCount, 0);
    EXPECT_TRUE(s.traceLastPoint(kRight).empty());
    EXPECT_TRUE(s.imageAllPoints(kRight).empty());
}

TEST(Marking, LastPointTakesTheUnmarkedPlaceWithItsImage)
{
    kit::System s = gridWith({Kind::Converging});
    mark(s, 100, 40);
    mark(s, 120, 0);
    mark(s, 140, -60);
    const float imageX = s.PtImgX[2];
    const float imageY = s.PtImgY[2];
    EXPECT_EQ(s.markPoint(100, 40), MarkResult::Unmarked);
    ASSERT_EQ(s.PointCount, 2);
    EXPECT_EQ(s.PtX[0], 140);
    EXPECT_EQ(s.PtY[0], -60);
    EXPECT_EQ(s.PtImgX[0], imageX);
    EXPECT_EQ(s.PtImgY[0], imageY);
}

TEST(Marking, FiftyPointsAndNoMore)
{
    kit::System s = gridWith({Kind::Converging});
    for (int i = 0; i < kit::kMaxPoints; ++i)
        ASSERT_EQ(s.markPoint(60 + 20 * (i % 10), -100 + 20 * (i / 10)), MarkResult::Marked) << i;
    EXPECT_EQ(s.markPoint(300, 300), MarkResult::Refused);
    EXPECT_EQ(s.PointCount, 50);
    EXPECT_EQ(kit::kTooManyPointsText, "Es können max. 50 Punkte markiert werden!");
    // Unmarking is no 51st mark.
    EXPECT_EQ(s.markPoint(60, -100), MarkResult::Unmarked);
    EXPECT_EQ(s.PointCount, 49);
}

TEST(Marking, OnlyInThePointGrid)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    EXPECT_EQ(s.markPoint(100, 40), MarkResult::Ignored);
    EXPECT_EQ(s.PointCount, 0);
    EXPECT_TRUE(s.traceLastPoint(kRight).empty());
    EXPECT_EQ(s.ObjX, 50);
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
    for (const kit::Stroke& stroke : strokes)
        EXPECT_GE(stroke.x2, stroke.x1);
    if (!c.rays) {
        EXPECT_EQ(s.PtImgX[0], s.PtX[0]);
        EXPECT_EQ(s.PtImgY[0], s.PtY[0]);
    }
}

// The converging lens reaches left to 333.2, the diverging lens to its face at 350.
INSTANTIATE_TEST_SUITE_P(Points, MarksAtTheFirstElement,
                         testing::Values(Behind{Kind::Converging, 320, true}, Behind{Kind::Converging, 340, false},
                                         Behind{Kind::Diverging, 340, true}, Behind{Kind::Diverging, 355, false},
                                         Behind{Kind::Diverging, 360, false}, Behind{Kind::Eye, 340, false}));

TEST(Marking, FirstElementDraggedPastEarlierMarks)
{
    kit::System s = gridWith({Kind::Converging});
    mark(s, 200, 40);
    mark(s, 60, 40);
    s.moveElement(1, 150); // held only by the last mark, at 60
    ASSERT_LT(s.leftExtreme(1), 200);
    const kit::Strokes last = s.imageAllPoints(kRight);
    EXPECT_EQ(s.PtImgX[0], 200);
    EXPECT_EQ(s.PtImgY[0], 40);
    EXPECT_EQ(s.RayCount, 5);
    EXPECT_EQ(last.front().x1, 60);
}

struct GridPoint {
    double x, y;
};

class GaussianMarks : public testing::TestWithParam<GridPoint> {};

TEST_P(GaussianMarks, ImageMarkOfOneLensIsTheGaussianImage)
{
    kit::System s = gridWith({Kind::Converging});
    mark(s, GetParam().x, GetParam().y);
    const optics::Point image = optics::ThickLens{350, 25, 150}.image({GetParam().x, GetParam().y});
    EXPECT_NEAR(s.PtImgX[0], image.x, 2e-3 * std::max(1.0, std::abs(image.x) / 1000));
    EXPECT_NEAR(s.PtImgY[0], image.y, 2e-3 * std::max(1.0, std::abs(image.y) / 1000));
}

INSTANTIATE_TEST_SUITE_P(Points, GaussianMarks,
                         testing::Values(GridPoint{100, 40}, GridPoint{40, -300}, GridPoint{280, 100},
                                         GridPoint{160, 0}, GridPoint{60, 200}));

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

TEST(ImageMarks, AllPointsAreImagedAnewAfterAMove)
{
    kit::System s = gridWith({Kind::Converging});
    const std::vector<GridPoint> points{{100, 40}, {40, -120}, {200, 160}};
    for (const GridPoint& p : points)
        mark(s, p.x, p.y);
    s.moveElement(1, 512.5);
    const kit::Strokes last = s.imageAllPoints(kRight);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const optics::Point image = optics::ThickLens{500, 25, 150}.image({points[i].x, points[i].y});
        EXPECT_NEAR(s.PtImgX[i], image.x, 2e-3) << i;
        EXPECT_NEAR(s.PtImgY[i], image.y, 2e-3) << i;
    }
    // The strokes are the last point's bundle, which stays the stored rays.
    EXPECT_EQ(s.ObjX, 200);
    EXPECT_EQ(s.ObjY, 160);
    int starts = 0;
    for (const kit::Stroke& stroke : last)
        starts += stroke.x1 == 200 && stroke.y1 == 160;
    EXPECT_EQ(starts, 5);
    EXPECT_EQ(last.size(), s.traceStoredRays(kRight).size());
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
    // Place the eye so that it images (100, 40) at 300 + fromRetina behind it.
    const double sImage = 300 + c.fromRetina;
    const double sObject = 1 / (1 / 188.0 - 1 / sImage);
    s.moveElement(1, 100 + sObject);
    mark(s, 100, 40);
    if (c.seen) {
        EXPECT_NEAR(s.PtImgX[0], s.eyeX() + sImage, 1e-2);
        EXPECT_NEAR(s.PtImgY[0], -40 * sImage / sObject, 1e-3);
    } else {
        EXPECT_EQ(s.PtImgX[0], 100);
        EXPECT_EQ(s.PtImgY[0], 40);
    }
}

INSTANTIATE_TEST_SUITE_P(Images, EyeImageMarks,
                         testing::Values(RetinaCase{0, 300, true}, RetinaCase{4.9, 300, true},
                                         RetinaCase{-4.9, 300, true}, RetinaCase{5.1, 300, false},
                                         RetinaCase{-5.1, 300, false}, RetinaCase{0, 340, false},
                                         RetinaCase{40, 340, true}, RetinaCase{-40, 260, true}));

} // namespace
