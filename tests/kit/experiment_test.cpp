// A whole experiment taken at once: accepted whole, or refused with the kit as it was.
#include "kit/experiment.h"
#include "kit_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using kit::Kind;

kit::System candleWithARay()
{
    kit::System s = support::kitWith({Kind::Converging, Kind::Diverging, Kind::Eye}, kit::ObjectMode::Candle);
    s.aimRay(200, 40);
    s.addRay(support::kRight);
    return s;
}

// What the controls cannot give, and what would overrun the kit's tables.
TEST(Experiment, RefusedWholeWhenAValueIsOutOfItsRange)
{
    const kit::Experiment valid = kit::experimentOf(candleWithARay());
    const std::pair<const char*, std::function<void(kit::Experiment&)>> faults[] = {
        {"seven elements", [](kit::Experiment& e) { e.elements.resize(7, {Kind::Converging, 90000, 150}); }},
        {"no kind", [](kit::Experiment& e) { e.elements[0].kind = Kind::None; }},
        {"a focal length between whole numbers", [](kit::Experiment& e) { e.elements[0].f = 150.5; }},
        {"a focal length of the other kind", [](kit::Experiment& e) { e.elements[1].f = 150; }},
        {"an eye depth other than the three", [](kit::Experiment& e) { e.eyeDepth = 320; }},
        {"51 rays", [](kit::Experiment& e) { e.rays.resize(51, 0.5f); }},
        {"51 points", [](kit::Experiment& e) { e.points.resize(51); }},
        {"a ray steeper than any aimed", [](kit::Experiment& e) { e.rays[0] = 3e5f; }},
        {"a position beyond reach", [](kit::Experiment& e) { e.objectY = NAN; }},
        {"a tilt steeper than 50", [](kit::Experiment& e) { e.bundleSlope = 50.5; }},
        {"an unknown object", [](kit::Experiment& e) { e.mode = static_cast<kit::ObjectMode>(4); }},
        {"an element over the one before", [](kit::Experiment& e) { e.elements[1].x = e.elements[0].x; }},
    };
    for (const auto& [name, spoil] : faults) {
        kit::Experiment e = valid;
        spoil(e);
        kit::System s;
        s.chooseObject(kit::ObjectMode::Parallel, 0);
        const kit::System before = s;
        EXPECT_FALSE(s.apply(e, 0)) << name;
        EXPECT_EQ(kit::experimentOf(s), kit::experimentOf(before)) << name;
    }
}

} // namespace
