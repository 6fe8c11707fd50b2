#include "lens/experiment.h"

#include <cmath>
#include <cstdlib>

namespace lens {

std::optional<Face> faceAt(int barValue)
{
    if (barValue == 0)
        return Face{kRefRadius, 0, 0};
    if (std::abs(barValue) <= kPlaneWithin)
        return std::nullopt;
    return changeFace({kRefRadius, 1, 1}, barValue).face;
}

int barValue(const Face& face) { return face.curved == 1 ? static_cast<int>(std::lround(face.curvature * 100)) : 0; }

bool inFrontOfLens(const Lens& lens, float x) { return x <= lens.LensMinX; }

void buildBundle(Experiment& e, float leftX)
{
    e.RayStartX = leftX;
    for (int i = -2; i <= 2; ++i)
        e.RayList[i + 2] = 120.0f * i / e.QuerDivisor - (e.lens.BlendeX - leftX) * e.BundleAngle;
    e.RayCount = 5;
}

float viewLeftX(const ViewSteps& view)
{
    return static_cast<float>(view.ScrollX * std::pow(1.1, view.ScrollXZoom - view.Zoom));
}

} // namespace lens
