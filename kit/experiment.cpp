#include "kit/experiment.h"

#include <algorithm>
#include <cmath>

namespace kit {
namespace {

bool symbolMode(ObjectMode mode) { return mode == ObjectMode::Arrow || mode == ObjectMode::Candle; }

bool within(double value, double limit) { return std::abs(value) <= limit; } // false for NaN

bool elementInRange(const ElementSetting& e)
{
    if (e.kind != Kind::Converging && e.kind != Kind::Diverging && e.kind != Kind::Eye)
        return false;
    const FocalRange range = focalRange(e.kind);
    return e.f >= range.smallest && e.f <= range.largest && e.f == std::floor(e.f) && within(e.x, kFar);
}

// Marked points are rounded to multiples of 20.
bool onGrid(float value) { return std::fmod(value, 20.0f) == 0; }

} // namespace

Experiment experimentOf(const System& kit)
{
    Experiment e;
    for (int k = 1; k < kit.ElemCount; k += 2)
        e.elements.push_back({kit.ElemKind[k], kit.ElemX[k], kit.ElemF[k]});
    e.eyeDepth = kit.EyeDepth;
    e.mode = kit.ObjMode;
    e.objectX = kit.ObjXs;
    e.objectY = kit.ObjYs;
    if (symbolMode(kit.ObjMode))
        e.rays.assign(kit.RayVal.begin(), kit.RayVal.begin() + kit.RayCount);
    e.gridX = kit.GridX;
    if (kit.ObjMode == ObjectMode::PointGrid)
        for (int i = 0; i < kit.PointCount; ++i)
            e.points.push_back({kit.PtX[i], kit.PtY[i]});
    e.bundleSlope = kit.ParSlope;
    e.bundleShown = kit.BundleShown;
    e.showImages = kit.ShowImages != 0;
    e.showVirtual = kit.ShowVirtual != 0;
    return e;
}

bool inRange(const Experiment& e)
{
    const auto rayInRange = [](float slope) { return within(slope, kSteepestRay); };
    const auto pointInRange = [](const GridPoint& p) { return within(p.x, kFar) && within(p.y, kFar); };
    const bool knownMode = symbolMode(e.mode) || e.mode == ObjectMode::Parallel || e.mode == ObjectMode::PointGrid;
    return knownMode && e.elements.size() <= std::size_t(kMaxElements) && e.rays.size() <= std::size_t(kMaxRays)
        && e.points.size() <= std::size_t(kMaxPoints)
        && std::all_of(e.elements.begin(), e.elements.end(), elementInRange)
        && std::find(kEyeDepths.begin(), kEyeDepths.end(), e.eyeDepth) != kEyeDepths.end()
        && within(e.objectX, kFar) && within(e.objectY, kFar) && within(e.gridX, kFar)
        && std::all_of(e.rays.begin(), e.rays.end(), rayInRange)
        && std::all_of(e.points.begin(), e.points.end(), pointInRange) && within(e.bundleSlope, kSteepestBundle);
}

// The rules the element list and the mouse keep: nothing behind the eye, no
// element over its neighbour, the arrow or candle in front of the first
// element; rays belong to the arrow and the candle, marks to the grid.
Breach breachOf(const Experiment& e)
{
    using Rule = Breach::Rule;
    const int count = static_cast<int>(e.elements.size());
    for (int i = 0; i + 1 < count; ++i)
        if (e.elements[i].kind == Kind::Eye)
            return {Rule::BehindEye, i};
    const System kit = System::withElements(e.elements);
    for (int i = 1; i < count; ++i)
        if (kit.leftExtreme(2 * i + 1) < kit.rightExtreme(2 * i - 1))
            return {Rule::Overlap, i};
    if (symbolMode(e.mode) && count > 0 && kit.leftExtreme(1) < e.objectX)
        return {Rule::ObjectInside, 0};
    if (!symbolMode(e.mode) && !e.rays.empty())
        return {Rule::RaysWithoutSymbol, 0};
    if (e.mode != ObjectMode::PointGrid && !e.points.empty())
        return {Rule::PointsWithoutGrid, 0};
    for (int i = 0; i < static_cast<int>(e.points.size()); ++i) {
        const GridPoint p = e.points[i];
        if (!onGrid(p.x) || !onGrid(p.y))
            return {Rule::OffGrid, i};
        for (int j = 0; j < i; ++j)
            if (e.points[j].x == p.x && e.points[j].y == p.y)
                return {Rule::MarkedTwice, i};
    }
    return {};
}

} // namespace kit
