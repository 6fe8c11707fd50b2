#include "kit_support.h"

#include <gtest/gtest.h>

namespace {

using kit::Figure;
using kit::Kind;
using support::countOf;
using support::kitWith;
using support::kRight;

// Aims the next ray from the object point with slope m.
void aim(kit::System& s, double m) { ASSERT_TRUE(s.aimRay(s.ObjX + 100, s.ObjY + 100 * m)); }

class IdealLenses : public testing::TestWithParam<std::vector<support::ThickLens>> {};

// The five rays of the object point leave the last element on lines through
// one point: the Gaussian image through the principal planes.
TEST_P(IdealLenses, BundleMeetsInTheGaussianImage)
{
    kit::System s;
    support::Point expected{50, 100};
    for (const support::ThickLens& lens : GetParam()) {
        s.AddElement(lens.f > 0 ? Kind::Converging : Kind::Diverging);
        expected = lens.image(expected);
    }
    s.MakePointBundle();
    std::vector<kit::Stroke> rays; // the segments from behind the last element to the view's edge
    for (const kit::Stroke& ray : s.traceStoredRays(kRight))
        if (ray.x2 == kRight && ray.x1 > s.ElemX[s.ElemCount - 1] - 15)
            rays.push_back(ray);
    ASSERT_EQ(rays.size(), 5u);
    for (std::size_t i = 1; i < rays.size(); ++i) {
        const support::Point p = support::meet(rays[0], rays[i]);
        EXPECT_NEAR(p.x, expected.x, 1e-9) << i;
        EXPECT_NEAR(p.y, expected.y, 1e-9) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Systems, IdealLenses,
                         testing::Values(std::vector<support::ThickLens>{{350, 25, 150}},
                                         std::vector<support::ThickLens>{{350, 25, 150}, {675, 40, -200}},
                                         std::vector<support::ThickLens>{{350, 25, 150}, {675, 25, 150}}));

TEST(IdealLenses, QuotedImageOfTheStartingObject)
{
    const support::Point image = support::ThickLens{350, 25, 150}.image({50, 100});
    EXPECT_NEAR(image.x, 658.31, 0.005);
    EXPECT_NEAR(image.y, -94.59, 0.005);
}

class Mount : public testing::TestWithParam<double> {};

// From (50, 100) to a height in the lens plane at 350: stopped at the face
// below 300, drawn on to the view's edge above.
TEST_P(Mount, StopsRaysBelowThreeHundredAndPassesThoseAbove)
{
    const double height = GetParam();
    kit::System s = kitWith({Kind::Converging});
    aim(s, (height - 100) / 300);
    const kit::Strokes strokes = s.TraceRay(kRight);
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(strokes[0].x1, 50);
    EXPECT_EQ(strokes[0].x2, std::abs(height) > 300 ? kRight : 350);
    if (std::abs(height) <= 300) {
        EXPECT_NEAR(strokes[0].y2, height, 1e-4);
    }
}

INSTANTIATE_TEST_SUITE_P(Heights, Mount, testing::Values(200.01, 250, 299.99, -250, 300.01, -350, 1000));

// A ray that reaches a face plane just inside the rim, along the outline's
// tangent there, touches the outline: rounding must not make it miss.
TEST(Trace, RaysGrazingTheRimStillBendAtTheOutline)
{
    for (Kind kind : {Kind::Converging, Kind::Eye}) {
        kit::System s = kitWith({kind});
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
    kit::System s = kitWith({Kind::Converging});
    aim(s, 0);
    const kit::Strokes strokes = s.TraceRay(360);
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_GT(strokes[1].x2, strokes[1].x1);
}

class ImageThreshold : public testing::TestWithParam<int> {};

// Slopes in front of an element (behind the last one for the final image)
// that differ by 0.01 or less make no image point there.
TEST_P(ImageThreshold, NearlyParallelRaysMakeNoImage)
{
    const std::vector<Kind> lenses(GetParam(), Kind::Converging);
    auto slopeBehindFirstLens = [&](double m) {
        kit::System s = kitWith(lenses);
        aim(s, m);
        const kit::Stroke gap = s.TraceRay(kRight).at(2);
        return (gap.y2 - gap.y1) / (gap.x2 - gap.x1);
    };
    const double gain = (slopeBehindFirstLens(0.2) - slopeBehindFirstLens(0.1)) / 0.1;
    for (const double apart : {0.0099, 0.0101}) {
        kit::System s = kitWith(lenses);
        for (double m : {0.1, 0.1 + apart / gain}) {
            aim(s, m);
            s.addRay(kRight);
        }
        EXPECT_EQ(s.ImgFound[3], apart > 0.01) << apart;
    }
}

INSTANTIATE_TEST_SUITE_P(FinalAndIntermediate, ImageThreshold, testing::Values(1, 2));

TEST(TraceMemory, ImageAppearsWithTheSecondRayOfOneObject)
{
    kit::System s = kitWith({Kind::Converging});
    aim(s, -0.1);
    EXPECT_EQ(countOf(*s.addRay(kRight), Figure::ImageSymbol), 0);
    aim(s, 0.2);
    const kit::Strokes second = *s.addRay(kRight);
    ASSERT_EQ(countOf(second, Figure::ImageSymbol), 1);
    EXPECT_EQ(second.back().figure, Figure::ImageSymbol); // after the ray that made it
    const support::Point expected = support::ThickLens{350, 25, 150}.image({50, 100});
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
    kit::System s = kitWith({Kind::Converging, Kind::Diverging});
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
    kit::System s = kitWith({Kind::Converging});
    aim(s, 0.25);
    EXPECT_FALSE(s.aimRay(60, -400));
    EXPECT_EQ(s.RaySlope, 0.25);
    EXPECT_TRUE(s.aimRay(60.5, 100 - 10.5));
    EXPECT_EQ(s.RaySlope, -1);
}

TEST(Rays, FiftyAreStoredAndTheFiftyFirstIsRefused)
{
    kit::System s = kitWith({Kind::Converging});
    for (int i = 0; i < kit::kMaxRays; ++i) {
        aim(s, -0.5 + 0.02 * i);
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

struct ImageCase {
    std::vector<Kind> kinds;
    double objectX, secondX; // secondX: where element 3's middle is dragged, 0 to leave it
    bool showVirtual;
    int symbols, lines;
};

class Images : public testing::TestWithParam<ImageCase> {};

TEST_P(Images, SymbolsAndConstructionLinesOfTheBundle)
{
    const ImageCase& c = GetParam();
    kit::System s = kitWith(c.kinds);
    s.moveObject(c.objectX, 100);
    if (c.secondX != 0)
        s.moveElement(3, c.secondX);
    s.setShowVirtual(c.showVirtual);
    s.MakePointBundle();
    const kit::Strokes strokes = s.traceStoredRays(kRight);
    EXPECT_EQ(countOf(strokes, Figure::ImageSymbol), c.symbols);
    ASSERT_EQ(countOf(strokes, Figure::ConstructionLine), c.lines);
    const int slot = s.hasEye() ? 3 : s.ElemCount; // in front of the eye, or the final image
    for (const kit::Stroke& line : strokes)
        if (line.figure == Figure::ConstructionLine) { // from the rays back to the virtual image
            EXPECT_NEAR(line.x2, s.ImgX[slot], 1e-3);
            EXPECT_NEAR(line.y2, s.ImgY[slot], 1e-3);
            EXPECT_GT(line.x1, line.x2);
        }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Images,
    testing::Values(
        // A magnifier in front of the eye: object inside its focal length.
        ImageCase{{Kind::Converging, Kind::Eye}, 250, 0, true, 4, 8},
        ImageCase{{Kind::Converging, Kind::Eye}, 250, 0, false, 4, 0},
        // Outside the focal length: a real image in front of the eye.
        ImageCase{{Kind::Converging, Kind::Eye}, 50, 0, true, 4, 0},
        // Without an eye, only the final virtual image gets construction lines.
        ImageCase{{Kind::Converging, Kind::Converging}, 250, 0, true, 5, 0},
        ImageCase{{Kind::Diverging}, 50, 0, true, 4, 8}, ImageCase{{Kind::Diverging}, 50, 0, false, 4, 0},
        // A real intermediate image in front of the second lens, and the final image.
        ImageCase{{Kind::Converging, Kind::Diverging}, 50, 0, true, 8, 8},
        // The second lens moved in front of where the first would form the image: none drawn there.
        ImageCase{{Kind::Converging, Kind::Diverging}, 50, 520, true, 4, 0}));

TEST(Images, ParallelLightMarksItsFocusWithADot)
{
    kit::System s = kitWith({Kind::Converging}, kit::ObjectMode::Parallel);
    const kit::Strokes strokes = s.traceStoredRays(kRight);
    EXPECT_EQ(countOf(strokes, Figure::ImageSymbol), 0);
    EXPECT_EQ(countOf(strokes, Figure::ImageDot), 4);
    EXPECT_NEAR(strokes.back().x1, s.ElemFocus[2], 1e-3);
    s.setShowImages(false);
    EXPECT_EQ(countOf(s.traceStoredRays(kRight), Figure::ImageDot), 0);
}

} // namespace
