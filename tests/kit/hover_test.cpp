#include "kit/hover.h"

#include <gtest/gtest.h>

namespace {

using kit::Kind;
using kit::ObjectMode;
using kit::Pointer;

struct Spot {
    ObjectMode mode;
    double x, y;
    std::int16_t zone;
    std::int16_t kind;
    Pointer pointer;
};

class Zones : public testing::TestWithParam<Spot> {};

// A converging lens at 350..375 (outline from 333.2 to 391.8) and the eye at
// 675 (outline from 654.8 to 695.2); the arrow's tip at (50, 100).
TEST_P(Zones, TellWhatAPressWillDo)
{
    const Spot& c = GetParam();
    kit::System s;
    s.AddElement(Kind::Converging);
    s.AddElement(Kind::Eye);
    s.chooseObject(c.mode, 0);
    const kit::Hover hover = kit::UpdateHover(s, c.x, c.y);
    EXPECT_EQ(hover.HoverZone, c.zone);
    EXPECT_EQ(hover.HoverKind, c.kind);
    EXPECT_EQ(hover.pointer, c.pointer);
}

INSTANTIATE_TEST_SUITE_P(
    Spots, Zones,
    testing::Values(Spot{ObjectMode::Arrow, 45, 95, -1, -1, Pointer::SizeNESW},
                    Spot{ObjectMode::Candle, 55, 109, -1, -1, Pointer::SizeNESW},
                    Spot{ObjectMode::Arrow, 45, 80, -2, -1, Pointer::Cross},
                    Spot{ObjectMode::Arrow, 60, 100, 0, -1, Pointer::Cross},
                    Spot{ObjectMode::Arrow, 333.1, 0, 0, -1, Pointer::Cross},
                    Spot{ObjectMode::Arrow, 333.3, 0, 1, 1, Pointer::SizeHorizontal},
                    Spot{ObjectMode::Arrow, 391.7, 250, 1, 1, Pointer::SizeHorizontal},
                    Spot{ObjectMode::Arrow, 391.9, 0, 2, -1, Pointer::Arrow},
                    Spot{ObjectMode::Arrow, 660, 0, 3, 1, Pointer::SizeHorizontal},
                    Spot{ObjectMode::Arrow, 700, 0, 5, -1, Pointer::Arrow},
                    // Parallel light tilts in zone 0.
                    Spot{ObjectMode::Parallel, 200, 0, 0, -1, Pointer::SizeVertical},
                    // The grid's zone starts 10 left of the grid, wherever the marks are.
                    Spot{ObjectMode::PointGrid, 30, 0, 0, -1, Pointer::Cross},
                    Spot{ObjectMode::PointGrid, 29.9, 0, -2, -1, Pointer::Cross},
                    Spot{ObjectMode::PointGrid, 50, 0, 0, -1, Pointer::Cross}));

// Only the arrow and the candle draw a tip that can be grabbed.
TEST(Zones, NoTipWithoutAnArrowOrCandle)
{
    for (ObjectMode mode : {ObjectMode::Parallel, ObjectMode::PointGrid}) {
        kit::System s;
        s.AddElement(Kind::Converging);
        s.chooseObject(mode, 0);
        if (mode == ObjectMode::PointGrid) {
            s.markPoint(0, 20);
            s.traceLastPoint(2000);
        }
        s.traceStoredRays(2000);
        EXPECT_EQ(kit::UpdateHover(s, s.ObjX - 5, s.ObjY).HoverZone, -2);
    }
}

TEST(Zones, GridZoneDoesNotFollowTheMarks)
{
    kit::System s;
    s.AddElement(Kind::Converging);
    s.chooseObject(ObjectMode::PointGrid, 0);
    s.markPoint(300, 0);
    s.traceLastPoint(2000);
    EXPECT_EQ(kit::UpdateHover(s, 40, 0).HoverZone, 0);
}

TEST(Zones, NoZoneZeroWithoutElements)
{
    kit::System s;
    for (double x : {60.0, 200.0, 5000.0}) {
        const kit::Hover hover = kit::UpdateHover(s, x, 0);
        EXPECT_EQ(hover.HoverZone, 1) << x;
        EXPECT_EQ(hover.HoverKind, -1);
        EXPECT_EQ(hover.pointer, Pointer::Arrow);
    }
}

} // namespace
