#include "kit_support.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using kit::Kind;
using support::kitWith;

TEST(Templates, FirstElementStandsThreeHundredRightOfTheObject)
{
    for (const auto& [kind, r1, right] : {std::tuple{Kind::Converging, 145.71, 375.0f},
                                          std::tuple{Kind::Diverging, -206.46, 390.0f},
                                          std::tuple{Kind::Eye, 300.0, 350.0f}}) {
        kit::System s = kitWith({kind});
        EXPECT_NEAR(s.ElemR[1], r1, 0.005);
        EXPECT_EQ(s.ElemX[1], 350);
        EXPECT_EQ(s.ElemX[2], right);
        if (s.AddElement(Kind::Diverging) == kit::AddResult::Added) {
            EXPECT_EQ(s.ElemX[3], right + 300); // 300 right of the last face
        }
    }
}

// A refused element leaves the list as it was; behind the eye is checked
// before the limit of six.
TEST(Templates, RefusalsLeaveTheListUnchanged)
{
    const std::vector<Kind> eye{Kind::Eye}, six(6, Kind::Converging);
    std::vector<Kind> fiveAndEye(5, Kind::Diverging);
    fiveAndEye.push_back(Kind::Eye);
    for (const auto& [before, added, result] : {std::tuple{eye, Kind::Converging, kit::AddResult::BehindEye},
                                                {eye, Kind::Eye, kit::AddResult::SecondEye},
                                                {six, Kind::Eye, kit::AddResult::SixElements},
                                                {fiveAndEye, Kind::Converging, kit::AddResult::BehindEye},
                                                {fiveAndEye, Kind::Eye, kit::AddResult::SecondEye}}) {
        kit::System s = kitWith(before);
        const kit::System was = s;
        EXPECT_EQ(s.AddElement(added), result) << before.size();
        EXPECT_THROW(s.AddElement(Kind::None), std::invalid_argument); // before any refusal
        EXPECT_TRUE(s.ElemCount == was.ElemCount && s.ElemX == was.ElemX && s.ElemKind == was.ElemKind);
    }
}

// Spin steps and typed values stay within each kind's range; stepping from a
// typed value outside it never gives a forbidden f.
TEST(FocalLength, StaysWithinTheKindsRange)
{
    const std::tuple<Kind, float, float, bool, float> steps[] = { // kind, from, step, up, to
        {Kind::Converging, 4995, 10, true, 5000}, {Kind::Converging, 5000, 10, true, 5000},
        {Kind::Converging, 150, 1, true, 151},    {Kind::Converging, 150, 10, false, 140},
        {Kind::Eye, 190, 10, false, 188},         {Kind::Eye, 295, 10, true, 300},
        {Kind::Diverging, -35, 10, false, -30},   {Kind::Diverging, -200, 10, true, -210},
        {Kind::Converging, 5, 10, true, 30},      {Kind::Diverging, 100, 10, true, -30}};
    for (const auto& [kind, current, step, up, expected] : steps)
        EXPECT_EQ(kit::steppedFocalLength(kind, current, step, up), expected) << current << (up ? " up" : " down");
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
