#pragma once

#include "kit/coordinates.h"
#include "kit/element_kinds.h"
#include "kit/kit_model.h"

#include <vector>

// A kit experiment as a file keeps it, in LE and the model's own terms, and
// the rules the controls obey that relate its values to one another.
namespace kit {

constexpr int kMaxElements = (kMaxElemCount - 1) / 2;
// A ray is aimed at the pointer more than 10 right of the object, both within kFar.
constexpr double kSteepestRay = 2 * kFar / 10;

struct GridPoint {
    float x = 0;
    float y = 0;
    bool operator==(const GridPoint&) const = default;
};

// What the kit shows, without what every redraw builds anew (the trace
// memory, the images of the marked points, the parallel bundle's rays) and
// what lasts only while the mouse is held (the aimed slope, the tilt's pivot).
struct Experiment {
    std::vector<ElementSetting> elements;
    float eyeDepth = 300;
    ObjectMode mode = ObjectMode::Arrow;
    // The arrow's and candle's object point, held while another mode is on.
    float objectX = 50;
    float objectY = 100;
    std::vector<float> rays; // arrow and candle: the stored slopes
    float gridX = 40;
    std::vector<GridPoint> points; // point grid: the marked points, the bundle's last
    double bundleSlope = 0;        // parallel light's tilt
    bool bundleShown = true;
    bool showImages = true;
    bool showVirtual = false;
    bool operator==(const Experiment&) const = default;
};

Experiment experimentOf(const System& kit);

// Whether each value lies in the range the controls give it: an element's
// kind, whole focal length in its kind's range, one of kEyeDepths, at most
// kMaxElements, kMaxRays and kMaxPoints, slopes up to kSteepestRay and
// kSteepestBundle, every position within kFar.
bool inRange(const Experiment& experiment);

// The first rule an experiment breaks, with the element or point concerned.
struct Breach {
    enum class Rule {
        None,
        BehindEye,         // element `index` is an eye, and another one follows it
        Overlap,           // element `index` overlaps the one before it
        ObjectInside,      // the first element reaches over the object point
        RaysWithoutSymbol, // stored rays, though the object is no arrow or candle
        PointsWithoutGrid, // marked points, though the object is no point grid
        OffGrid,           // point `index` lies between the grid's points
        MarkedTwice,       // point `index` repeats an earlier one
    };
    Rule rule = Rule::None;
    int index = 0;
};

// The rules between values, for an experiment inRange.
Breach breachOf(const Experiment& experiment);

} // namespace kit
