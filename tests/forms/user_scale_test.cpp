#include "forms/user_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct MappingCase {
    const char* name;
    double left, top, width, height;   // user scale
    double pxWidth, pxHeight;          // widget size
    double x, y;                       // user point
    double px, py;                     // expected pixel
};

class UserScaleMapping : public testing::TestWithParam<MappingCase> {};

TEST_P(UserScaleMapping, MapsBothWays)
{
    const MappingCase& c = GetParam();
    forms::UserScale scale;
    scale.setPixelSize(c.pxWidth, c.pxHeight);
    scale.setScale(c.left, c.top, c.width, c.height);
    EXPECT_DOUBLE_EQ(scale.toPixelX(c.x), c.px);
    EXPECT_DOUBLE_EQ(scale.toPixelY(c.y), c.py);
    EXPECT_NEAR(scale.toUserX(c.px), c.x, 1e-9);
    EXPECT_NEAR(scale.toUserY(c.py), c.y, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserScaleMapping,
    testing::Values(
        // 800 LE across 400 pixels, y upwards with the axis in the middle.
        MappingCase{"world", 0, 150, 800, -300, 400, 150, 200, 0, 100, 75},
        MappingCase{"world_bottom", 0, 150, 800, -300, 400, 150, 800, -150, 400, 150},
        // Shifted left edge, as after scrolling a view.
        MappingCase{"shifted", -200, 100, 400, -200, 200, 100, -100, 50, 50, 25},
        // The disk: origin two thirds across and half-way down.
        MappingCase{"disk", -60, 40, 90, -80, 900, 800, 0, 0, 600, 400},
        // y downwards, the toolkit's own orientation.
        MappingCase{"downwards", 10, 20, 100, 50, 200, 100, 60, 45, 100, 50}),
    [](const testing::TestParamInfo<MappingCase>& row) { return std::string(row.param.name); });

TEST(UserScale, RefusesScalesThatWouldDivideByZero)
{
    forms::UserScale scale;
    scale.setPixelSize(100, 100);
    scale.setScale(0, 0, 50, -50);
    scale.setScale(0, 0, 0, -50);
    scale.setScale(0, 0, 10, 0);
    scale.setScale(0, 0, 10, std::numeric_limits<double>::quiet_NaN());
    EXPECT_DOUBLE_EQ(scale.width(), 50);
    EXPECT_DOUBLE_EQ(scale.height(), -50);

    scale.setPixelSize(0, 0);
    EXPECT_TRUE(std::isfinite(scale.toUserX(3)));
    EXPECT_TRUE(std::isfinite(scale.toUserY(3)));
}

} // namespace
