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
    setObjectX(toLE(x));
    ObjYs = toLE(y);
    ObjY = ObjYs;
    holdObjectInFront();
    ObjXs = static_cast<float>(ObjX);
    updateDerived();
    resetImages();
    return true;
}

// A converging lens or the eye holds the object at its apex less half its
// thickness, a diverging lens at its face plane; exactly, in the single
// precision the object's x is kept in.
void System::holdObjectInFront()
{
    if (ElemCount == 1)
        return;
    const double limit = bulgesOutward(ElemKind[1]) ? ElemZoneX[1] - ElemGap[2] / 2 : ElemX[1];
    float held = toLE(std::min(ObjX, limit));
    if (held > limit)
        held = std::nextafter(held, -INFINITY);
    setObjectX(held);
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
