#include "kit/kit_model.h"

#include "optics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using kit::Figure;
using kit::Kind;

constexpr double kRight = 3000; // right edge of the view

int countOf(const kit::Strokes& strokes, Figure figure)
{
    return static_cast<int>(std::count_if(strokes.begin(), strokes.end(),
                                          [figure](const kit::Stroke& s) { return s.figure == figure; }));
}

// Aims the next ray from the object point with slope m.
void aim(kit::System& s, double m) { ASSERT_TRUE(s.aimRay(s.ObjX + 100, s.ObjY + 100 * m)); }

struct LensSystem {
    std::vector<Kind> kinds;
    std::vector<optics::ThickLens> lenses; // the same system, worked out on its own
};

class IdealLenses : public testing::TestWithParam<LensSystem> {};

// The five rays of the object point leave the last element on lines through
// one point, the Gaussian image through the principal planes.
TEST_P(IdealLenses, BundleMeetsInTheGaussianImage)
{
    kit::System s;
    for (Kind kind : GetParam().kinds)
        s.AddElement(kind);
    s.MakePointBundle();
    ASSERT_EQ(s.RayCount, 5);
    // Behind the last right face; a ray stopped at a face would start further left.
    const auto rays = optics::toTheEdge(s.traceStoredRays(kRight), s.ElemX[s.ElemCount - 1] - 15, kRight);
    ASSERT_EQ(rays.size(), 5u);

    optics::Point expected{50, 100};
    for (const optics::ThickLens& lens : GetParam().lenses)
        expected = lens.image(expected);
    for (std::size_t i = 1; i < rays.size(); ++i) {
        const optics::Point p = optics::meet(rays[0], rays[i]);
        EXPECT_NEAR(p.x, expected.x, 1e-9) << i;
        EXPECT_NEAR(p.y, expected.y, 1e-9) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Systems, IdealLenses,
    testing::Values(LensSystem{{Kind::Converging}, {{350, 25, 150}}},
                    LensSystem{{Kind::Converging, Kind::Diverging}, {{350, 25, 150}, {675, 40, -200}}},
                    LensSystem{{Kind::Converging, Kind::Converging}, {{350, 25, 150}, {675, 25, 150}}}));

TEST(IdealLenses, QuotedImageOfTheStartingObject)
{
    const optics::Point image = optics::ThickLens{350, 25, 150}.image({50, 100});
    EXPECT_NEAR(image.x, 658.31, 0.005);
    EXPECT_NEAR(image.y, -94.59, 0.005);
}

struct Stop {
    double heightAtLens; // where the ray from (50, 100) crosses the first face's plane at 350
    bool toEdge;
};

class Mount : public testing::TestWithParam<Stop> {};

TEST_P(Mount, StopsRaysBelowThreeHundredAndPassesThoseAbove)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    aim(s, (GetParam().heightAtLens - 100) / 300);
    const kit::Strokes strokes = s.TraceRay(kRight);
    ASSERT_EQ(strokes.size(), 1u);
    const kit::Stroke& ray = strokes[0];
    EXPECT_EQ(ray.x1, 50);
    EXPECT_EQ(ray.y1, 100);
    if (GetParam().toEdge) {
        EXPECT_EQ(ray.x2, kRight);
    } else {
        EXPECT_EQ(ray.x2, 350);
        EXPECT_NEAR(ray.y2, GetParam().heightAtLens, 1e-4);
    }
}

INSTANTIATE_TEST_SUITE_P(Heights, Mount,
                         testing::Values(Stop{200.01, false}, Stop{250, false}, Stop{299.99, false},
                                         Stop{-250, false}, Stop{300.01, true}, Stop{-350, true},
                                         Stop{1000, true}));

TEST(Mount, RayPassingTheLeftFaceCanStopAtTheRightFace)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    s.moveObject(50, 195 - 300 * 4.0);
    aim(s, 4);
    const kit::Strokes strokes = s.TraceRay(kRight);
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_EQ(strokes[1].x2, 375);
    EXPECT_GT(std::abs(strokes[1].y2), 200);
    EXPECT_LE(std::abs(strokes[1].y2), 300);
}

TEST(Trace, RayPassingTheLensBendsAtItsOutline)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    aim(s, 0);
    const kit::Strokes strokes = s.TraceRay(kRight);
    ASSERT_EQ(strokes.size(), 3u);
    // The outline circles pass through the face planes at +-200.
    for (int j : {1, 2})
        EXPECT_NEAR(std::hypot(s.RayPtX[j] - s.ElemArcCX[j], s.RayPtY[j]), 1200, 1e-6);
    EXPECT_EQ(strokes[0].x2, s.RayPtX[1]);
    EXPECT_EQ(strokes[1].x2, s.RayPtX[2]);
    EXPECT_LT(s.RayPtX[1], 350);
    EXPECT_GT(s.RayPtX[2], 375);
    EXPECT_EQ(strokes[2].x2, kRight);
}

// A ray that reaches a face plane just inside the rim, along the outline's
// tangent there, touches the outline: rounding must not make it miss.
TEST(Trace, RaysGrazingTheRimStillBendAtTheOutline)
{
    for (Kind kind : {Kind::Converging, Kind::Eye}) {
        kit::System s;
        s.AddElement(kind);
        const double tangent = (s.ElemArcCX[1] - 350) / 200;
        for (int i = 0; i < 400; ++i) {
            const double slope = tangent * (1 + (i - 200) * 1e-9);
            s.moveObject(50, 200 - 300 * slope - 1e-4 * (i % 7));
            ASSERT_TRUE(s.aimRay(100, s.ObjY + 50 * slope));
            const kit::Strokes strokes = s.TraceRay(kRight);
            ASSERT_FALSE(strokes.empty()) << i;
            if (std::abs(s.ElemGap[1] * s.RaySlope + s.ObjY) <= 200) {
                EXPECT_LE(strokes[0].x2, 350) << i;
            }
        }
    }
}

TEST(Trace, NeverDrawsBackToAViewEdgeLeftOfTheRay)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    aim(s, 0);
    const kit::Strokes strokes = s.TraceRay(360);
    ASSERT_EQ(strokes.size(), 2u);
    for (const kit::Stroke& ray : strokes)
        EXPECT_GE(ray.x2, ray.x1);
}

class ImageThreshold : public testing::TestWithParam<int> {};

// Slopes in front of an element (behind the last one for the final image)
// that differ by 0.01 or less make no image point there.
TEST_P(ImageThreshold, NearlyParallelRaysMakeNoImage)
{
    const int lenses = GetParam();
    auto build = [lenses] {
        kit::System s;
        for (int i = 0; i < lenses; ++i)
            s.AddElement(Kind::Converging);
        return s;
    };
    // Slope behind the first lens of a ray that leaves the object with slope m.
    auto slopeBehind = [&](double m) {
        kit::System s = build();
        aim(s, m);
        const kit::Stroke gap = s.TraceRay(kRight).at(2);
        return (gap.y2 - gap.y1) / (gap.x2 - gap.x1);
    };
    const double gain = (slopeBehind(0.2) - slopeBehind(0.1)) / 0.1;
    for (const double apart : {0.0099, 0.0101}) {
        kit::System s = build();
        aim(s, 0.1);
        s.addRay(kRight);
        aim(s, 0.1 + apart / gain);
        s.addRay(kRight);
        EXPECT_EQ(s.ImgFound[3], apart > 0.01) << apart;
    }
}

INSTANTIATE_TEST_SUITE_P(FinalAndIntermediate, ImageThreshold, testing::Values(1, 2));

TEST(TraceMemory, ImageAppearsWithTheSecondRayOfOneObject)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    aim(s, -0.1);
    const kit::Strokes first = *s.addRay(kRight);
    EXPECT_EQ(countOf(first, Figure::ImageSymbol), 0);
    EXPECT_FALSE(s.ImgFound[3]);
    aim(s, 0.2);
    const kit::Strokes second = *s.addRay(kRight);
    ASSERT_EQ(countOf(second, Figure::ImageSymbol), 1);
    // The image follows the ray that made it.
    EXPECT_EQ(second.back().figure, Figure::ImageSymbol);
    EXPECT_EQ(second[second.size() - 2].x2, kRight);
    const optics::Point expected = optics::ThickLens{350, 25, 150}.image({50, 100});
    EXPECT_NEAR(second.back().x1, expected.x, 2e-3);
    EXPECT_NEAR(second.back().y1, expected.y, 2e-3);

    // After a reset the next ray is a first ray again.
    s.resetImages();
    EXPECT_FALSE(s.ImgFound[3]);
    aim(s, 0.05);
    EXPECT_EQ(countOf(*s.addRay(kRight), Figure::ImageSymbol), 0);
}

// Erasing draws the stored rays again in white: the whole set must repeat,
// stroke for stroke, what was drawn as the rays were added.
TEST(TraceMemory, RetracingTheStoredRaysRepeatsTheAddedRaysExactly)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    s.AddElement(Kind::Diverging);
    kit::Strokes drawn;
    for (double target : {-170.0, -33.3, 0.0, 80.1, 140.7}) {
        ASSERT_TRUE(s.aimRay(350, target));
        const kit::Strokes ray = *s.addRay(kRight);
        drawn.insert(drawn.end(), ray.begin(), ray.end());
    }
    const kit::Strokes again = s.traceStoredRays(kRight);
    ASSERT_EQ(again.size(), drawn.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_EQ(again[i].figure, drawn[i].figure) << i;
        EXPECT_EQ(again[i].x1, drawn[i].x1) << i;
        EXPECT_EQ(again[i].y1, drawn[i].y1) << i;
        EXPECT_EQ(again[i].x2, drawn[i].x2) << i;
        EXPECT_EQ(again[i].y2, drawn[i].y2) << i;
    }
}

TEST(Rays, AimKeepsThePreviousSlopeWithinTenOfTheObject)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    aim(s, 0.25);
    EXPECT_FALSE(s.aimRay(60, -400));
    EXPECT_EQ(s.RaySlope, 0.25);
    EXPECT_TRUE(s.aimRay(60.5, 100 - 10.5));
    EXPECT_EQ(s.RaySlope, -1);
}

TEST(Rays, FiftyAreStoredAndTheFiftyFirstIsRefused)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    for (int i = 0; i < kit::kMaxRays; ++i) {
        aim(s, -0.5 + 0.02 * i);
        ASSERT_FALSE(s.rayLimitReached());
        ASSERT_TRUE(s.addRay(kRight).has_value()) << i;
    }
    EXPECT_TRUE(s.rayLimitReached());
    const auto stored = s.RayVal;
    aim(s, 0.9);
    EXPECT_FALSE(s.addRay(kRight).has_value());
    EXPECT_EQ(s.RayCount, 50);
    EXPECT_EQ(s.RayVal, stored);
    EXPECT_EQ(kit::kTooManyRaysText, " Es können max. 50 Strahlen gezeichnet werden! Zum Löschen Umschalten auf "
                                     "'Parallellicht' oder 'Punktraster'");
}

TEST(Rays, OnlyArrowAndCandleTakeSingleRays)
{
    for (auto mode : {kit::ObjectMode::Parallel, kit::ObjectMode::PointGrid}) {
        kit::System s;
        s.AddElement(Kind::Converging);
        s.chooseObject(mode, 0);
        const auto count = s.RayCount;
        EXPECT_FALSE(s.addRay(kRight).has_value());
        EXPECT_EQ(s.RayCount, count);
    }
}

TEST(Images, RealIntermediateImageStandsInFrontOfTheSecondLens)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    s.AddElement(Kind::Diverging);
    s.MakePointBundle();
    const kit::Strokes strokes = s.traceStoredRays(kRight);
    const optics::Point expected = optics::ThickLens{350, 25, 150}.image({50, 100});
    ASSERT_TRUE(s.ImgFound[3]);
    EXPECT_NEAR(s.ImgX[3], expected.x, 2e-3);
    EXPECT_NEAR(s.ImgY[3], expected.y, 2e-3);
    // Four symbols in front of the second lens, four of the final image; no
    // construction lines without an eye.
    EXPECT_EQ(countOf(strokes, Figure::ImageSymbol), 8);
    EXPECT_EQ(countOf(strokes, Figure::ConstructionLine), 0);

    s.setShowImages(false);
    EXPECT_EQ(countOf(s.traceStoredRays(kRight), Figure::ImageSymbol), 0);
}

struct VirtualCase {
    std::vector<Kind> kinds;
    double objectX;
    bool showVirtual;
    int symbols;
    int lines;
};

class VirtualImages : public testing::TestWithParam<VirtualCase> {};

TEST_P(VirtualImages, ConstructionLinesLeadToTheVirtualImage)
{
    const VirtualCase& c = GetParam();
    kit::System s;
    for (Kind kind : c.kinds)
        s.AddElement(kind);
    s.moveObject(c.objectX, 100);
    s.setShowVirtual(c.showVirtual);
    s.MakePointBundle();
    const kit::Strokes strokes = s.traceStoredRays(kRight);
    EXPECT_EQ(countOf(strokes, Figure::ImageSymbol), c.symbols);
    ASSERT_EQ(countOf(strokes, Figure::ConstructionLine), c.lines);
    // In front of the eye, or the final image of a single lens: slot 3 either way.
    for (const kit::Stroke& line : strokes)
        if (line.figure == Figure::ConstructionLine) {
            EXPECT_NEAR(line.x2, s.ImgX[3], 1e-3);
            EXPECT_NEAR(line.y2, s.ImgY[3], 1e-3);
            EXPECT_GT(line.x1, line.x2); // from the ray back to the image
        }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VirtualImages,
    testing::Values(
        // A magnifier in front of the eye: object inside its focal length.
        VirtualCase{{Kind::Converging, Kind::Eye}, 250, true, 4, 8},
        VirtualCase{{Kind::Converging, Kind::Eye}, 250, false, 4, 0},
        // The object outside the focal length: a real image in front of the eye, no lines.
        VirtualCase{{Kind::Converging, Kind::Eye}, 50, true, 4, 0},
        // The final image of a diverging lens is virtual.
        VirtualCase{{Kind::Diverging}, 50, true, 4, 8}, VirtualCase{{Kind::Diverging}, 50, false, 4, 0},
        VirtualCase{{Kind::Converging}, 50, true, 4, 0},
        // Construction lines of an image in front of a later element only show what an eye sees.
        VirtualCase{{Kind::Converging, Kind::Converging}, 250, true, 5, 0}));

TEST(Images, NoSymbolInFrontOfAnElementForAnImageBehindIt)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    s.AddElement(Kind::Diverging);
    s.moveElement(3, 520); // in front of the image at 658 the first lens would make
    s.MakePointBundle();
    s.traceStoredRays(kRight);
    ASSERT_TRUE(s.ImgFound[3]);
    EXPECT_GT(s.ImgX[3], s.ElemX[3]);
    EXPECT_EQ(countOf(s.traceStoredRays(kRight), Figure::ImageSymbol), 4); // the final image only
}

TEST(Images, ParallelLightMarksItsFocusWithADot)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    s.chooseObject(kit::ObjectMode::Parallel, 0);
    const kit::Strokes strokes = s.traceStoredRays(kRight);
    EXPECT_EQ(countOf(strokes, Figure::ImageSymbol), 0);
    EXPECT_EQ(countOf(strokes, Figure::ImageDot), 4);
    EXPECT_NEAR(strokes.back().x1, s.ElemFocus[2], 1e-3);
}

} // namespace
