// Where each element's faces, outline and focal points lie, and the rule
// that no element overlaps its neighbour.
#include "kit/kit_model.h"

#include <cmath>

namespace kit {

void System::placeElement(int k, float left)
{
    ElemX[k] = left;
    ElemX[k + 1] = left + templateOf(ElemKind[k]).thickness;
}

void System::updateElement(int k)
{
    const double f = ElemF[k];
    ElemFocus[k] = static_cast<float>(double(ElemX[k]) + ElemPrincipal[k] - f);
    ElemFocus[k + 1] = static_cast<float>(double(ElemX[k + 1]) + ElemPrincipal[k + 1] + f);
    const float dist = ElemArcDist[k];
    const float radius = ElemArcR[k];
    if (bulgesOutward(ElemKind[k])) {
        ElemArcCX[k] = ElemX[k] + dist;
        ElemArcCX[k + 1] = ElemX[k + 1] - dist;
        ElemZoneX[k] = ElemArcCX[k] - radius;
        ElemZoneX[k + 1] = ElemArcCX[k + 1] + radius;
    } else {
        ElemArcCX[k] = ElemX[k] - dist;
        ElemArcCX[k + 1] = ElemX[k + 1] + dist;
        ElemZoneX[k] = ElemArcCX[k] + radius;
        ElemZoneX[k + 1] = ElemArcCX[k + 1] - radius;
    }
}

void System::updateDerived()
{
    for (int j = 1; j < ElemCount; ++j)
        ElemGap[j] = double(ElemX[j]) - ElemX[j - 1];
    for (int k = 1; k < ElemCount; k += 2)
        updateElement(k);
    // The grid's zone starts with the grid, wherever its points are marked.
    ElemZoneX[0] = ObjMode == ObjectMode::PointGrid ? GridX - 10 : static_cast<float>(ObjX + 10);
}

float System::leftExtreme(int k) const { return bulgesOutward(ElemKind[k]) ? ElemZoneX[k] : ElemX[k]; }

float System::rightExtreme(int k) const
{
    return bulgesOutward(ElemKind[k]) ? ElemZoneX[k + 1] : ElemX[k + 1];
}

void System::resolveOverlaps()
{
    updateDerived();
    for (int k = 1; k < ElemCount; k += 2) {
        if (k > 1)
            keepLeftExtremeAtLeast(k, rightExtreme(k - 2));
        else if (ObjMode != ObjectMode::PointGrid) // marks may lie anywhere; see MakePointBundle
            keepLeftExtremeAtLeast(k, ElemX[0]);
    }
    updateDerived();
}

// The outline is recomputed from the stored faces in single precision, so a
// shift by the computed shortfall may still leave it a step short: repeat,
// moving at least one representable step each time.
void System::keepLeftExtremeAtLeast(int k, float bound)
{
    while (leftExtreme(k) < bound) {
        const float shortfall = bound - leftExtreme(k);
        placeElement(k, std::fmax(ElemX[k] + shortfall, std::nextafter(ElemX[k], INFINITY)));
        updateElement(k);
    }
}

void System::keepRightExtremeAtMost(int k, float bound)
{
    while (rightExtreme(k) > bound) {
        const float excess = rightExtreme(k) - bound;
        placeElement(k, std::fmin(ElemX[k] - excess, std::nextafter(ElemX[k], -INFINITY)));
        updateElement(k);
    }
}

} // namespace kit
