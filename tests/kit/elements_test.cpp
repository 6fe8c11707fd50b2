#include "kit_support.h"

#include <gtest/gtest.h>

namespace {

using kit::Kind;
using support::kitWith;

struct FirstElement {
    Kind kind;
    double r1;
    float right;
};

class FirstElementFaces : public testing::TestWithParam<FirstElement> {};

TEST_P(FirstElementFaces, StandThreeHundredRightOfTheObject)
{
    const FirstElement& c = GetParam();
    kit::System s = kitWith({c.kind});
    EXPECT_EQ(s.ElemKind[2], c.kind);
    EXPECT_NEAR(s.ElemR[1], c.r1, 0.005);
    EXPECT_EQ(s.ElemR[2], -s.ElemR[1]);
    EXPECT_EQ(s.ElemX[1], 350);
    EXPECT_EQ(s.ElemX[2], c.right);
    if (s.AddElement(Kind::Diverging) == kit::AddResult::Added) {
        EXPECT_EQ(s.ElemX[3], c.right + 300); // 300 right of the last face
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, FirstElementFaces,
                         testing::Values(FirstElement{Kind::Converging, (225 + std::sqrt(45000.0)) / 3, 375},
                                         FirstElement{Kind::Diverging, -206.46, 390},
                                         FirstElement{Kind::Eye, 300, 350}));

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
    kit::System s = kitWith(c.before);
    const kit::System before = s;
    EXPECT_EQ(s.AddElement(c.added), c.result);
    EXPECT_EQ(kit::refusalText(c.result), c.text);
    EXPECT_EQ(s.ElemCount, before.ElemCount);
    EXPECT_EQ(s.ElemX, before.ElemX);
    EXPECT_EQ(s.ElemKind, before.ElemKind);
}

const char* const kBehindEye = "Hinter dem Auge können keine weiteren Linsen eingefügt werden!";
const std::vector<Kind> kFiveLensesAndEye{Kind::Converging, Kind::Diverging, Kind::Converging,
                                          Kind::Diverging,  Kind::Converging, Kind::Eye};

INSTANTIATE_TEST_SUITE_P(
    Limits, Refusals,
    testing::Values(Refusal{{Kind::Eye}, Kind::Converging, kit::AddResult::BehindEye, kBehindEye},
                    Refusal{{Kind::Converging, Kind::Eye}, Kind::Diverging, kit::AddResult::BehindEye, kBehindEye},
                    Refusal{{Kind::Eye}, Kind::Eye, kit::AddResult::SecondEye, "Ein Auge genügt!"},
                    Refusal{std::vector<Kind>(6, Kind::Converging), Kind::Eye, kit::AddResult::SixElements,
                            "Es stehen max. 6 Linsen zur Verfügung!"},
                    // Behind the eye is checked before the limit of six.
                    Refusal{kFiveLensesAndEye, Kind::Converging, kit::AddResult::BehindEye, kBehindEye},
                    Refusal{kFiveLensesAndEye, Kind::Eye, kit::AddResult::SecondEye, "Ein Auge genügt!"}));

struct Step {
    Kind kind;
    float current, step;
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
                    // Typed values outside the range never step to a forbidden f.
                    Step{Kind::Converging, 5, 10, true, 30}, Step{Kind::Converging, -10, 10, false, 30},
                    Step{Kind::Converging, 9000, 10, false, 5000}, Step{Kind::Eye, 40, 10, true, 188},
                    Step{Kind::Eye, 1000, 10, false, 300}, Step{Kind::Diverging, 100, 10, true, -30},
                    Step{Kind::Diverging, -9000, 10, false, -5000}));

struct Typed {
    Kind kind;
    float typed, expected;
};

class TypedFocalLengths : public testing::TestWithParam<Typed> {};

TEST_P(TypedFocalLengths, AreLimitedToTheRange)
{
    const Typed& c = GetParam();
    kit::System s = kitWith({c.kind});
    ASSERT_TRUE(s.setFocalLength(1, c.typed));
    EXPECT_EQ(s.ElemF[1], c.expected);
    EXPECT_TRUE(std::isfinite(kit::frontRadius(c.kind, c.typed, 25))); // even unlimited
}

INSTANTIATE_TEST_SUITE_P(Panel, TypedFocalLengths,
                         testing::Values(Typed{Kind::Converging, 20, 30}, Typed{Kind::Converging, 6000, 5000},
                                         Typed{Kind::Converging, 5, 30}, Typed{Kind::Diverging, -20, -30},
                                         Typed{Kind::Diverging, 50, -30}, Typed{Kind::Diverging, -6000, -5000},
                                         Typed{Kind::Eye, 400, 300}, Typed{Kind::Eye, 100, 188}));

class PrincipalPlanes : public testing::TestWithParam<std::pair<Kind, float>> {};

// Parallel light meets (behind a diverging lens: seems to come from) the
// back focal point the element marks.
TEST_P(PrincipalPlanes, PutTheBackFocalPointWhereParallelLightMeets)
{
    const auto [kind, f] = GetParam();
    kit::System s = kitWith({kind});
    ASSERT_TRUE(s.setFocalLength(1, f));
    EXPECT_EQ(s.ElemPrincipal[2], -s.ElemPrincipal[1]);
    s.chooseObject(kit::ObjectMode::Parallel, 0);
    s.traceStoredRays(10000);
    ASSERT_TRUE(s.ImgFound[3]);
    EXPECT_NEAR(s.ImgX[3], s.ElemFocus[2], 2e-5 * std::abs(f));
    EXPECT_NEAR(s.ImgY[3], 0, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PrincipalPlanes,
                         testing::Values(std::pair{Kind::Converging, 100.0f}, std::pair{Kind::Converging, 30.0f},
                                         std::pair{Kind::Converging, 4000.0f}, std::pair{Kind::Diverging, -100.0f},
                                         std::pair{Kind::Diverging, -30.0f}, std::pair{Kind::Eye, 200.0f}));

// A lowered eye bulges more and is moved off what it touched: the lens in
// front, the arrow dragged against it, the parallel bundle scrolled to start at it.
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

    for (kit::ObjectMode mode : {kit::ObjectMode::Arrow, kit::ObjectMode::Parallel}) {
        kit::System eye = kitWith({Kind::Eye});
        if (mode == kit::ObjectMode::Arrow)
            eye.moveObject(1000, 30);
        else
            eye.chooseObject(mode, 1000);
        ASSERT_EQ(eye.ObjX, eye.ElemZoneX[1]);
        eye.setFocalLength(1, 188);
        EXPECT_GE(eye.ElemZoneX[1], eye.ObjX);
        EXPECT_NEAR(eye.ElemZoneX[1], eye.ObjX, 1e-3);
    }
}

TEST(AddElement, NoneIsNotAnElementEvenBehindTheEye)
{
    EXPECT_THROW(kitWith({Kind::Eye}).AddElement(Kind::None), std::invalid_argument);
}

TEST(EyeDepth, OnlyTheThreeRetinas)
{
    kit::System s;
    EXPECT_TRUE(s.setEyeDepth(260));
    EXPECT_FALSE(s.setEyeDepth(500));
    EXPECT_EQ(s.EyeDepth, 260);
}

TEST(Remove, TakesTheElementAndAllBehindIt)
{
    kit::System s = kitWith({Kind::Converging, Kind::Converging, Kind::Converging});
    EXPECT_FALSE(s.removeFrom(2));
    EXPECT_TRUE(s.removeFrom(3));
    EXPECT_EQ(s.ElemCount, 3);
    EXPECT_TRUE(s.removeFrom(1));
    EXPECT_EQ(s.ElemCount, 1);
}

} // namespace
