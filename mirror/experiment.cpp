#include "mirror/experiment.h"

#include "common/maths.h"

#include <cmath>

namespace mirror {

int curvatureLimit(int kind) { return kind == 0 ? 12 : 20; }

int curvatureScroll(float a) { return static_cast<int>(std::lround(-double(a) / 0.00012)); }

// Before any spherical mirror was drawn there is no radius; the half aperture stands in.
float objectHeightLimit(const Mirror& mirror)
{
    return mirror.Radius != 0 ? std::abs(mirror.Radius) : kHalfAperture;
}

bool inFrontOfMirror(const Mirror& mirror, float x, float y)
{
    const float a = static_cast<float>(common::sgn(mirror.CurvCoeff));
    return x + a * MirrorSag(mirror, y) <= mirror.VertexX;
}

bool backwardRaysAllowed(const Mirror& mirror, float lightMode, float objectX, float objectY)
{
    if (mirror.CurvCoeff <= 0)
        return true;
    return lightMode == 0 && objectX >= FocusOfParallel(mirror, objectY);
}

} // namespace mirror
