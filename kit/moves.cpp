// Dragging the object point and the elements, each held so that it at most
// touches what lies next to it.
#include "kit/coordinates.h"
#include "kit/kit_model.h"

#include <algorithm>
#include <cmath>

namespace kit {

bool System::moveObject(double x, double y)
{
    if (!symbolMode() || !std::isfinite(x) || !std::isfinite(y))
        return false;
    // A converging lens or the eye: its apex less half its thickness; a
    // diverging lens: its face plane.
    double limit = kFar;
    if (ElemCount > 1)
        limit = bulgesOutward(ElemKind[1]) ? ElemZoneX[1] - ElemGap[2] / 2 : ElemX[1];
    float held = toLE(std::min(x, limit));
    if (held > limit)
        held = std::nextafter(held, -INFINITY);
    setObjectX(held);
    ObjXs = held;
    ObjYs = toLE(y);
    ObjY = ObjYs;
    updateDerived();
    resetImages();
    return true;
}

bool System::moveElement(int k, double pointerX)
{
    if (!isElement(k) || !std::isfinite(pointerX))
        return false;
    const double d = templateOf(ElemKind[k]).thickness;
    const bool bulges = bulgesOutward(ElemKind[k]);
    const double leftReach = d / 2 + (bulges ? double(ElemX[k]) - ElemZoneX[k] : 0);
    const double rightReach = d / 2 + (bulges ? double(ElemZoneX[k + 1]) - ElemX[k + 1] : 0);
    const bool hasNext = k + 2 < ElemCount;
    const double lowest = (k == 1 ? ElemX[0] : rightExtreme(k - 2)) + leftReach;
    const double highest = hasNext ? leftExtreme(k + 2) - rightReach : kFar;
    // Only a marked point of the grid can lie where the first element cannot
    // keep clear of it; the next element wins then.
    const double middle = std::min(std::max(pointerX, lowest), highest);

    placeElement(k, toLE(middle - d / 2));
    updateElement(k);
    if (hasNext)
        keepRightExtremeAtMost(k, leftExtreme(k + 2));
    resolveOverlaps(); // also moves it off its left neighbour, should rounding have put it there
    resetImages();
    return true;
}

} // namespace kit
