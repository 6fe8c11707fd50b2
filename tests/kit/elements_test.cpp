#include "kit_support.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using kit::Kind;
using support::kitWith;

// The first element stands 300 right of the object, the next 300 right of
// the last face; a seventh is refused.
TEST(Templates, ElementsStandThreeHundredApart)
{
    for (const auto& [kind, r1, right] : {std::tuple{Kind::Converging, 145.71, 375.0f},
                                          std::tuple{Kind::Diverging, -206.46, 390.0f},
                                          std::tuple{Kind::Eye, 300.0, 350.0f}}) {
        kit::System s = kitWith({kind});
        EXPECT_NEAR(s.ElemR[1], r1, 0.005);
        EXPECT_EQ(s.ElemX[1], 350);
        EXPECT_EQ(s.ElemX[2], right);
        if (s.AddElement(Kind::Diverging) == kit::AddResult::Added) {
            EXPECT_EQ(s.ElemX[3], right + 300);
        }
        EXPECT_THROW(s.AddElement(Kind::None), std::invalid_argument); // before any refusal
    }
    EXPECT_EQ(kitWith(std::vector(6, Kind::Converging)).AddElement(Kind::Eye), kit::AddResult::SixElements);
}

// Typed values stay within each kind's range; the spin arrows are tried through the window.
TEST(FocalLength, StaysWithinTheKindsRange)
{
    const std::tuple<Kind, float, float> typed[] = {
        {Kind::Converging, 20, 30},      {Kind::Converging, 6000, 5000}, {Kind::Diverging, -20, -30},
        {Kind::Diverging, -6000, -5000}, {Kind::Diverging, 50, -30},     {Kind::Eye, 400, 300},
        {Kind::Eye, 100, 188}};
    for (const auto& [kind, f, expected] : typed) {
        kit::System s = kitWith({kind});
        ASSERT_TRUE(s.setFocalLength(1, f));
        EXPECT_EQ(s.ElemF[1], expected) << f;
    }
}

// Parallel light meets (behind a diverging lens: seems to come from) the
// back focal point the element marks, where a dot is drawn; the eye draws
// none. A symmetric lens has its focal points symmetric about its middle.
TEST(FocalLength, PrincipalPlanesPutTheBackFocalPointWhereParallelLightMeets)
{
    for (const auto& [kind, f] : {std::pair{Kind::Converging, 30.0f}, {Kind::Converging, 4000.0f},
                                  {Kind::Diverging, -30.0f}, {Kind::Diverging, -100.0f}, {Kind::Eye, 200.0f}}) {
        SCOPED_TRACE(f);
        kit::System s = kitWith({kind}, kit::ObjectMode::Parallel);
        ASSERT_TRUE(s.setFocalLength(1, f));
        EXPECT_EQ(s.ElemPrincipal[2], -s.ElemPrincipal[1]);
        EXPECT_NEAR(s.ElemFocus[1] + s.ElemFocus[2], s.ElemX[1] + s.ElemX[2], 1e-3);
        const kit::Strokes strokes = s.traceStoredRays(10000);
        ASSERT_TRUE(s.ImgFound[3]);
        EXPECT_NEAR(s.ImgX[3], s.ElemFocus[2], 2e-5 * std::abs(f));
        EXPECT_NEAR(s.ImgY[3], 0, 1e-3);
        EXPECT_EQ(support::countOf(strokes, kit::Figure::ImageSymbol), 0);
        ASSERT_EQ(support::countOf(strokes, kit::Figure::ImageDot), kind == Kind::Eye ? 0 : 4);
        if (kind != Kind::Eye) {
            EXPECT_EQ(strokes.back().x1, s.ImgX[3]);
        }
        s.setShowImages(false);
        EXPECT_EQ(support::countOf(s.traceStoredRays(10000), kit::Figure::ImageDot), 0);
    }
}

// A lowered eye bulges more and is moved off what it touched: the lens in
// front, or the start of the parallel bundle scrolled past it to its apex.
TEST(FocalLength, LoweredEyeMovesOffWhatItTouched)
{
    kit::System s = kitWith({Kind::Converging, Kind::Eye});
    s.moveElement(3, 0);
    const float lensApex = s.ElemZoneX[2];
    s.setFocalLength(3, 188);
    EXPECT_NEAR(s.ElemArcR[3], 626.67, 0.005);
    EXPECT_GE(s.ElemZoneX[3], lensApex);
    EXPECT_NEAR(s.ElemZoneX[3], lensApex, 1e-3);
    EXPECT_EQ(s.ElemX[1], 350);

    s = kitWith({Kind::Eye});
    s.chooseObject(kit::ObjectMode::Parallel, 1000);
    ASSERT_EQ(s.ObjX, s.ElemZoneX[1]);
    s.setFocalLength(1, 188);
    EXPECT_GE(s.ElemZoneX[1], s.ObjX);
    EXPECT_NEAR(s.ElemZoneX[1], s.ObjX, 1e-3);
}

} // namespace
