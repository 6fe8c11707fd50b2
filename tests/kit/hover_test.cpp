#include "kit/hover.h"

#include "kit_support.h"

#include <gtest/gtest.h>

namespace {

using kit::Kind;
using kit::ObjectMode;
using kit::Pointer;

struct Spot {
    ObjectMode mode;
    double x, y;
    std::int16_t zone;
    Pointer pointer;
};

class Zones : public testing::TestWithParam<Spot> {};

// A converging lens at 350..375 (outline from 333.2 to 391.8) and the eye at
// 675 (outline from 654.8 to 695.2); the arrow's tip at (50, 100), zone 0 from
// 10 right of it. Whether a press grabs an element (HoverKind) the property
// test checks for every zone.
TEST_P(Zones, TellWhatAPressWillDo)
{
    const Spot& c = GetParam();
    kit::System s = support::kitWith({Kind::Converging, Kind::Eye}, c.mode);
    if (c.mode != ObjectMode::Arrow)
        s.traceStoredRays(2000); // in parallel light the trace leaves ObjY at the top ray's start
    const kit::Hover hover = kit::UpdateHover(s, c.x, c.y);
    EXPECT_EQ(hover.HoverZone, c.zone);
    EXPECT_EQ(hover.pointer, c.pointer);
}

INSTANTIATE_TEST_SUITE_P(
    Spots, Zones,
    testing::Values(
        Spot{ObjectMode::Arrow, 45, 95, -1, Pointer::SizeNESW}, Spot{ObjectMode::Arrow, 45, 80, -2, Pointer::Cross},
        Spot{ObjectMode::Arrow, 59.9, 0, -2, Pointer::Cross}, Spot{ObjectMode::Arrow, 60.1, 0, 0, Pointer::Cross},
        Spot{ObjectMode::Arrow, 333.1, 0, 0, Pointer::Cross},
        Spot{ObjectMode::Arrow, 333.3, 0, 1, Pointer::SizeHorizontal},
        Spot{ObjectMode::Arrow, 391.7, 250, 1, Pointer::SizeHorizontal},
        Spot{ObjectMode::Arrow, 391.9, 0, 2, Pointer::Arrow},
        Spot{ObjectMode::Arrow, 660, 0, 3, Pointer::SizeHorizontal}, Spot{ObjectMode::Arrow, 700, 0, 5, Pointer::Arrow},
        // Parallel light tilts in zone 0; it draws no tip to grab.
        Spot{ObjectMode::Parallel, 200, 0, 0, Pointer::SizeVertical},
        Spot{ObjectMode::Parallel, -5, 400.0 / 3, -2, Pointer::Cross},
        // The grid's zone starts 10 left of the grid, wherever the marks are.
        Spot{ObjectMode::PointGrid, 30, 0, 0, Pointer::Cross}, Spot{ObjectMode::PointGrid, 29.9, 0, -2, Pointer::Cross},
        Spot{ObjectMode::PointGrid, 50, 100, 0, Pointer::Cross}));

} // namespace
