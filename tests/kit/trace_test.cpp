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

// The five rays of the object point leave the last element on lines through
// one point: the Gaussian image through the principal planes.
TEST(Trace, BundleMeetsInTheGaussianImage)
{
    using Lenses = std::vector<support::ThickLens>;
    for (const Lenses& lenses : {Lenses{{350, 25, 150}}, Lenses{{350, 25, 150}, {675, 40, -200}}}) {
        kit::System s;
        support::Point expected{50, 100};
        for (const support::ThickLens& lens : lenses) {
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
            EXPECT_NEAR(p.x, expected.x, 1e-9) << lenses.size() << " " << i;
            EXPECT_NEAR(p.y, expected.y, 1e-9) << lenses.size() << " " << i;
        }
    }
}

// From (50, 100) to a height in the lens plane at 350: stopped at the face
// below 300, drawn on to the view's edge above.
TEST(Trace, MountStopsRaysBelowThreeHundredAndPassesThoseAbove)
{
    for (const double height : {200.01, 299.99, -250.0, 300.01, -350.0}) {
        kit::System s = kitWith({Kind::Converging});
        aim(s, (height - 100) / 300);
        const kit::Strokes strokes = s.TraceRay(kRight);
        ASSERT_EQ(strokes.size(), 1u) << height;
        EXPECT_EQ(strokes[0].x2, std::abs(height) > 300 ? kRight : 350) << height;
        if (std::abs(height) <= 300) {
            EXPECT_NEAR(strokes[0].y2, height, 1e-4);
        }
    }
}

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

// Slopes in front of an element (behind the last one for the final image)
// that differ by 0.01 or less make no image point there: the final image
// behind one lens, the intermediate one in front of the second.
TEST(Images, NearlyParallelRaysMakeNoImage)
{
    for (const int count : {1, 2}) {
        const std::vector<Kind> lenses(count, Kind::Converging);
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
            EXPECT_EQ(s.ImgFound[3], apart > 0.01) << count << " " << apart;
        }
    }
}

// Every ray after the first of one object makes the image with it, drawn
// after the ray. Erasing draws the stored rays again in white: retracing them
// must repeat, stroke for stroke, what was drawn as they were added.
TEST(TraceMemory, ImagesComeWithTheSecondRayAndRetracingRepeatsTheDrawing)
{
    kit::System s = kitWith({Kind::Converging});
    kit::Strokes drawn;
    const double slopes[] = {-0.1, 0.2, -0.033, 0.1407};
    for (int i = 0; i < 4; ++i) {
        aim(s, slopes[i]);
        const kit::Strokes ray = *s.addRay(kRight);
        ASSERT_EQ(countOf(ray, Figure::ImageSymbol), i == 0 ? 0 : 1) << i;
        if (i > 0) { // at the image worked out by hand
            EXPECT_EQ(ray.back().figure, Figure::ImageSymbol);
            EXPECT_NEAR(ray.back().x1, 658.31, 0.01);
            EXPECT_NEAR(ray.back().y1, -94.59, 0.01);
        }
        drawn.insert(drawn.end(), ray.begin(), ray.end());
    }
    const kit::Strokes again = s.traceStoredRays(kRight);
    ASSERT_EQ(again.size(), drawn.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const kit::Stroke &a = again[i], &d = drawn[i];
        EXPECT_TRUE(a.figure == d.figure && a.x1 == d.x1 && a.y1 == d.y1 && a.x2 == d.x2 && a.y2 == d.y2) << i;
    }
    s.resetImages(); // the next ray is a first ray again
    aim(s, 0.3);
    EXPECT_EQ(countOf(*s.addRay(kRight), Figure::ImageSymbol), 0);
}

// The slope is kept while the pointer is no more than 10 right of the object.
TEST(Rays, AimedOnlyBeyondTenOfTheObject)
{
    kit::System s = kitWith({Kind::Converging});
    aim(s, 0.25);
    EXPECT_FALSE(s.aimRay(60, -400));
    EXPECT_EQ(s.RaySlope, 0.25);
    EXPECT_TRUE(s.aimRay(60.5, 100 - 10.5));
    EXPECT_EQ(s.RaySlope, -1);
}

struct ImageCase {
    std::vector<Kind> kinds;
    double objectX, secondX; // secondX: where element 3's middle is dragged, 0 to leave it
    int symbols, lines;      // lines: while virtual images are shown
};

class Images : public testing::TestWithParam<ImageCase> {};

TEST_P(Images, SymbolsAndConstructionLinesOfTheBundle)
{
    const ImageCase& c = GetParam();
    for (const bool showVirtual : {false, true}) {
        kit::System s = kitWith(c.kinds);
        s.moveObject(c.objectX, 100);
        if (c.secondX != 0)
            s.moveElement(3, c.secondX);
        s.setShowVirtual(showVirtual);
        s.MakePointBundle();
        const kit::Strokes strokes = s.traceStoredRays(kRight);
        EXPECT_EQ(countOf(strokes, Figure::ImageSymbol), c.symbols);
        ASSERT_EQ(countOf(strokes, Figure::ConstructionLine), showVirtual ? c.lines : 0);
        const int slot = s.hasEye() ? 3 : s.ElemCount; // in front of the eye, or the final image
        for (const kit::Stroke& line : strokes)
            if (line.figure == Figure::ConstructionLine) { // from the rays back to the virtual image
                EXPECT_NEAR(line.x2, s.ImgX[slot], 1e-3);
                EXPECT_NEAR(line.y2, s.ImgY[slot], 1e-3);
                EXPECT_GT(line.x1, line.x2);
            }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Images,
    testing::Values(
        // A magnifier in front of the eye: object inside its focal length.
        ImageCase{{Kind::Converging, Kind::Eye}, 250, 0, 4, 8},
        // Outside the focal length: a real image in front of the eye.
        ImageCase{{Kind::Converging, Kind::Eye}, 50, 0, 4, 0},
        // Without an eye, only the final virtual image gets construction lines.
        ImageCase{{Kind::Converging, Kind::Converging}, 250, 0, 5, 0}, ImageCase{{Kind::Diverging}, 50, 0, 4, 8},
        // A real intermediate image in front of the second lens, and the final image.
        ImageCase{{Kind::Converging, Kind::Diverging}, 50, 0, 8, 8},
        // The second lens moved in front of where the first would form the image: none drawn there.
        ImageCase{{Kind::Converging, Kind::Diverging}, 50, 520, 4, 0}));

} // namespace
