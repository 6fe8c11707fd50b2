#include "kit/kit_model.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using kit::Kind;

struct FirstElement {
    Kind kind;
    double r1;
    float right;
};

class FirstElementFaces : public testing::TestWithParam<FirstElement> {};

TEST_P(FirstElementFaces, StandThreeHundredRightOfTheObject)
{
    const FirstElement& c = GetParam();
    kit::System s;
    ASSERT_EQ(s.AddElement(c.kind), kit::AddResult::Added);
    EXPECT_EQ(s.ElemCount, 3);
    EXPECT_EQ(s.ElemKind[1], c.kind);
    EXPECT_EQ(s.ElemKind[2], c.kind);
    EXPECT_NEAR(s.ElemR[1], c.r1, 0.005);
    EXPECT_EQ(s.ElemR[2], -s.ElemR[1]);
    EXPECT_EQ(s.ElemX[1], 350);
    EXPECT_EQ(s.ElemX[2], c.right);
    EXPECT_EQ(s.ElemGap[2], c.right - 350);
}

INSTANTIATE_TEST_SUITE_P(Templates, FirstElementFaces,
                         testing::Values(FirstElement{Kind::Converging, (225 + std::sqrt(45000.0)) / 3, 375},
                                         FirstElement{Kind::Diverging, -206.46, 390},
                                         FirstElement{Kind::Eye, 300, 350}));

TEST(AddElement, NextElementStandsThreeHundredRightOfTheLastFace)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    s.AddElement(Kind::Diverging);
    s.AddElement(Kind::Eye);
    EXPECT_EQ(s.ElemX[3], 675);
    EXPECT_EQ(s.ElemX[4], 715);
    EXPECT_EQ(s.ElemX[5], 1015);
    EXPECT_EQ(s.ElemX[6], 1015);
    EXPECT_TRUE(s.hasEye());
    EXPECT_EQ(s.eyeBallX(), 1165);
}

struct Refusal {
    std::vector<Kind> before;
    Kind added;
    kit::AddResult result;
    const char* text;
};

class Refusals : public testing::TestWithParam<Refusal> {};

TEST_P(Refusals, LeaveTheListUnchanged)
{
    const Refusal& c = GetParam();
    kit::System s;
    for (Kind kind : c.before)
        ASSERT_EQ(s.AddElement(kind), kit::AddResult::Added);
    const auto count = s.ElemCount;
    const auto x = s.ElemX;
    const auto kinds = s.ElemKind;
    EXPECT_EQ(s.AddElement(c.added), c.result);
    EXPECT_EQ(kit::refusalText(c.result), c.text);
    EXPECT_EQ(s.ElemCount, count);
    EXPECT_EQ(s.ElemX, x);
    EXPECT_EQ(s.ElemKind, kinds);
}

const std::vector<Kind> kSixLenses(6, Kind::Converging);
const std::vector<Kind> kFiveLensesAndEye{Kind::Converging, Kind::Diverging, Kind::Converging,
                                          Kind::Diverging,  Kind::Converging, Kind::Eye};

INSTANTIATE_TEST_SUITE_P(
    Limits, Refusals,
    testing::Values(
        Refusal{{Kind::Eye}, Kind::Converging, kit::AddResult::BehindEye,
                "Hinter dem Auge können keine weiteren Linsen eingefügt werden!"},
        Refusal{{Kind::Converging, Kind::Eye}, Kind::Diverging, kit::AddResult::BehindEye,
                "Hinter dem Auge können keine weiteren Linsen eingefügt werden!"},
        Refusal{{Kind::Eye}, Kind::Eye, kit::AddResult::SecondEye, "Ein Auge genügt!"},
        Refusal{kSixLenses, Kind::Eye, kit::AddResult::SixElements, "Es stehen max. 6 Linsen zur Verfügung!"},
        // Behind the eye is checked before the limit of six.
        Refusal{kFiveLensesAndEye, Kind::Converging, kit::AddResult::BehindEye,
                "Hinter dem Auge können keine weiteren Linsen eingefügt werden!"},
        Refusal{kFiveLensesAndEye, Kind::Eye, kit::AddResult::SecondEye, "Ein Auge genügt!"}));

TEST(AddElement, NoneIsNotAnElement)
{
    kit::System s;
    EXPECT_THROW(s.AddElement(Kind::None), std::invalid_argument);
    EXPECT_EQ(s.ElemCount, 1);
}

struct Step {
    Kind kind;
    float current;
    float step;
    bool up;
    float expected;
};

class SpinSteps : public testing::TestWithParam<Step> {};

TEST_P(SpinSteps, StayWithinTheKindsRange)
{
    const Step& c = GetParam();
    EXPECT_EQ(kit::steppedFocalLength(c.kind, c.current, c.step, c.up), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Panel, SpinSteps,
    testing::Values(Step{Kind::Converging, 4995, 10, true, 5000}, Step{Kind::Converging, 5000, 10, true, 5000},
                    Step{Kind::Converging, 150, 1, true, 151}, Step{Kind::Converging, 150, 10, false, 140},
                    Step{Kind::Eye, 190, 10, false, 188}, Step{Kind::Eye, 295, 10, true, 300},
                    Step{Kind::Diverging, -35, 10, false, -30}, Step{Kind::Diverging, -200, 10, true, -210},
                    Step{Kind::Diverging, -4995, 10, true, -5000},
                    // Typed values outside the range never step to a forbidden f.
                    Step{Kind::Converging, 5, 10, true, 30}, Step{Kind::Converging, -10, 10, false, 30},
                    Step{Kind::Converging, 9000, 10, false, 5000}, Step{Kind::Eye, 40, 10, true, 188},
                    Step{Kind::Eye, 1000, 10, false, 300}, Step{Kind::Diverging, 100, 10, true, -30},
                    Step{Kind::Diverging, -9000, 10, false, -5000}));

struct Typed {
    Kind kind;
    float typed;
    float expected;
};

class TypedFocalLengths : public testing::TestWithParam<Typed> {};

TEST_P(TypedFocalLengths, AreLimitedToTheRange)
{
    const Typed& c = GetParam();
    EXPECT_EQ(kit::limitFocalLength(c.kind, c.typed), c.expected);
    kit::System s;
    s.AddElement(c.kind);
    ASSERT_TRUE(s.setFocalLength(1, c.typed));
    EXPECT_EQ(s.ElemF[1], c.expected);
}

INSTANTIATE_TEST_SUITE_P(Panel, TypedFocalLengths,
                         testing::Values(Typed{Kind::Converging, 20, 30}, Typed{Kind::Converging, 6000, 5000},
                                         Typed{Kind::Converging, 777, 777}, Typed{Kind::Diverging, -20, -30},
                                         Typed{Kind::Diverging, 50, -30}, Typed{Kind::Diverging, -6000, -5000},
                                         Typed{Kind::Eye, 400, 300}, Typed{Kind::Eye, 100, 188},
                                         Typed{Kind::Eye, 0, 188}));

TEST(FocalLength, FacesStayFiniteForAnyFocalLength)
{
    for (double f : {5.0, 16.0, -5.0})
        for (Kind kind : {Kind::Converging, Kind::Diverging})
            EXPECT_TRUE(std::isfinite(kit::frontRadius(kind, f, 25))) << f;
}

TEST(FocalLength, NotANumberGivesTheTemplate) { EXPECT_EQ(kit::limitFocalLength(Kind::Diverging, NAN), -200); }

TEST(FocalLength, RefusedForWhatIsNotAnElement)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    EXPECT_FALSE(s.setFocalLength(2, 100));
    EXPECT_FALSE(s.setFocalLength(3, 100));
    EXPECT_FALSE(s.setFocalLength(1, INFINITY));
    EXPECT_EQ(s.ElemF[1], 150);
}

struct Focus {
    Kind kind;
    float f;
};

class PrincipalPlanes : public testing::TestWithParam<Focus> {};

// Parallel light meets (or, behind a diverging lens, seems to come from) the
// back focal point the element marks.
TEST_P(PrincipalPlanes, PutTheBackFocalPointWhereParallelLightMeets)
{
    const Focus& c = GetParam();
    kit::System s;
    s.AddElement(c.kind);
    ASSERT_TRUE(s.setFocalLength(1, c.f));
    EXPECT_EQ(s.ElemPrincipal[2], -s.ElemPrincipal[1]);
    s.chooseObject(kit::ObjectMode::Parallel, 0);
    s.traceStoredRays(10000);
    ASSERT_TRUE(s.ImgFound[3]);
    EXPECT_NEAR(s.ImgX[3], s.ElemFocus[2], 2e-3 * std::abs(c.f) / 100);
    EXPECT_NEAR(s.ImgY[3], 0, 1e-3);
    EXPECT_NEAR(s.ElemFocus[2] - s.ElemFocus[1], s.ElemGap[2] + 2 * s.ElemPrincipal[2] + 2 * s.ElemF[1], 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PrincipalPlanes,
                         testing::Values(Focus{Kind::Converging, 100}, Focus{Kind::Converging, 30},
                                         Focus{Kind::Converging, 4000}, Focus{Kind::Diverging, -100},
                                         Focus{Kind::Diverging, -30}, Focus{Kind::Eye, 200}));

TEST(FocalLength, EyeOutlineFollowsItsFocalLength)
{
    kit::System s;
    s.AddElement(Kind::Eye);
    EXPECT_EQ(s.ElemArcR[1], 1000);
    s.setFocalLength(1, 188);
    EXPECT_NEAR(s.ElemArcR[1], 626.67, 0.005);
    EXPECT_EQ(s.ElemArcR[2], s.ElemArcR[1]);
    EXPECT_NEAR(s.ElemArcDist[1], std::sqrt(626.667 * 626.667 - 200.0 * 200), 0.01);
    EXPECT_NEAR(s.ElemZoneX[1], 350 - (626.667 - std::sqrt(626.667 * 626.667 - 200.0 * 200)), 0.01);
    EXPECT_EQ(s.ElemR[1], 188);
}

TEST(FocalLength, LoweredEyeBulgesAndMovesOffTheLensItTouched)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    s.AddElement(Kind::Eye);
    s.moveElement(3, 0);
    const float lensApex = s.ElemZoneX[2];
    ASSERT_NEAR(s.ElemZoneX[3], lensApex, 1e-3);
    s.setFocalLength(3, 188);
    EXPECT_GE(s.ElemZoneX[3], lensApex);
    EXPECT_NEAR(s.ElemZoneX[3], lensApex, 1e-3);
    EXPECT_EQ(s.ElemX[1], 350);
    EXPECT_EQ(s.ElemX[3], s.ElemX[4]);
}

class EyeInFront : public testing::TestWithParam<kit::ObjectMode> {};

// The arrow dragged against the eye, or the parallel bundle scrolled to start at it.
TEST_P(EyeInFront, LoweredEyeMovesOffTheObjectItTouched)
{
    kit::System s;
    s.AddElement(Kind::Eye);
    if (GetParam() == kit::ObjectMode::Arrow)
        s.moveObject(1000, 30);
    else
        s.chooseObject(GetParam(), 1000);
    ASSERT_EQ(s.ObjX, s.ElemZoneX[1]);
    s.setFocalLength(1, 188);
    EXPECT_GE(s.ElemZoneX[1], s.ObjX);
    EXPECT_NEAR(s.ElemZoneX[1], s.ObjX, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Objects, EyeInFront, testing::Values(kit::ObjectMode::Arrow, kit::ObjectMode::Parallel));

TEST(Remove, TakesTheElementAndAllBehindIt)
{
    kit::System s;
    for (int i = 0; i < 3; ++i)
        s.AddElement(Kind::Converging);
    EXPECT_FALSE(s.removeFrom(2));
    EXPECT_FALSE(s.removeFrom(7));
    EXPECT_EQ(s.ElemCount, 7);
    EXPECT_TRUE(s.removeFrom(3));
    EXPECT_EQ(s.ElemCount, 3);
    EXPECT_TRUE(s.removeFrom(1));
    EXPECT_EQ(s.ElemCount, 1);
    EXPECT_EQ(s.AddElement(Kind::Diverging), kit::AddResult::Added);
    EXPECT_EQ(s.ElemX[1], 350);
}

TEST(EyeDepth, OnlyTheThreeRetinas)
{
    kit::System s;
    for (float depth : {340.0f, 260.0f, 300.0f}) {
        EXPECT_TRUE(s.setEyeDepth(depth));
        EXPECT_EQ(s.EyeDepth, depth);
    }
    EXPECT_FALSE(s.setEyeDepth(500));
    EXPECT_EQ(s.EyeDepth, 300);
}

} // namespace
