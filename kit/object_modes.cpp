// The choice of object and the parallel bundle.
#include "kit/coordinates.h"
#include "kit/kit_model.h"

#include <algorithm>
#include <cmath>

namespace kit {

void System::chooseObject(ObjectMode mode, double viewLeft)
{
    if (!std::isfinite(viewLeft))
        return;
    RayCount = 0;
    PointCount = 0;
    BundleShown = true;
    ObjMode = mode;
    switch (mode) {
    case ObjectMode::Arrow:
    case ObjectMode::Candle:
        // Held in front of the first element, which may have moved meanwhile;
        // the elements stay where the other modes left them.
        setObjectX(ObjXs);
        ObjY = ObjYs;
        holdObjectInFront();
        ObjXs = static_cast<float>(ObjX);
        break;
    case ObjectMode::Parallel:
        ParSlope = 0;
        makeParallelBundle(viewLeft);
        break;
    case ObjectMode::PointGrid:
        setObjectX(toLE(viewLeft + 50));
        GridX = toLE(viewLeft + 40);
        break;
    }
    updateDerived();
    resetImages();
}

void System::clearRaysAndPoints()
{
    BundleShown = false;
    RayCount = 0;
    PointCount = 0;
    resetImages();
}

void System::makeParallelBundle(double viewLeft)
{
    if (!std::isfinite(viewLeft))
        return;
    // Scrolled past the first element, the bundle still starts in front of it.
    float start = toLE(viewLeft);
    if (ElemCount > 1)
        start = std::min(start, leftExtreme(1));
    setObjectX(start);
    const double reference = ElemCount > 1 ? ElemX[1] : start;
    for (int i = -2; i <= 2; ++i)
        RayVal[i + 2] = static_cast<float>(i * 200.0 / 3 - (reference - start) * ParSlope);
    RayCount = BundleShown ? 5 : 0;
    updateDerived();
    resetImages();
}

void System::pressParallel(double mouseX, double mouseY)
{
    if (ObjMode != ObjectMode::Parallel || ElemCount == 1 || !std::isfinite(mouseX) || !std::isfinite(mouseY))
        return;
    PivotY = (ElemX[1] - toLE(mouseX)) * ParSlope + toLE(mouseY);
}

bool System::tiltParallel(double mouseX, double mouseY, double viewLeft)
{
    if (ObjMode != ObjectMode::Parallel || ElemCount == 1 || !std::isfinite(mouseY) || !std::isfinite(viewLeft)
        || !(mouseX < ElemX[1]))
        return false;
    // In front of the plane the run is positive; a run that small gives an
    // infinite slope, which the limit takes in.
    const double slope = (PivotY - toLE(mouseY)) / (ElemX[1] - mouseX);
    ParSlope = std::clamp(slope, -kSteepestBundle, kSteepestBundle);
    BundleShown = true;
    makeParallelBundle(viewLeft);
    return true;
}

} // namespace kit
