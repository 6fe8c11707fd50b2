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

// The middle follows the pointer; then the element is moved back just far
// enough to at most touch its neighbours (a converging lens or the eye by the
// apex of its outline, a diverging lens by its face plane). The next element
// wins over a grid mark that lies behind the first element.
bool System::moveElement(int k, double pointerX)
{
    if (!isElement(k) || !std::isfinite(pointerX))
        return false;
    placeElement(k, toLE(pointerX - templateOf(ElemKind[k]).thickness / 2.0));
    updateElement(k);
    if (k + 2 < ElemCount)
        keepRightExtremeAtMost(k, leftExtreme(k + 2));
    resolveOverlaps(); // the previous element or the object
    resetImages();
    return true;
}

} // namespace kit
