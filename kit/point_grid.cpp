// Marked points of the point grid and their image marks.
#include "kit/coordinates.h"
#include "kit/kit_model.h"

#include <cmath>

namespace kit {
namespace {

// An image mark stands at most this far from the retina plane to count as seen by the eye.
constexpr double kRetinaTolerance = 5;

// The nearest multiple of 20, halves away from zero.
float toGrid(double value) { return toLE(std::round(value / 20) * 20); }

} // namespace

int System::markedAt(float gx, float gy) const
{
    for (int i = 0; i < PointCount; ++i)
        if (PtX[i] == gx && PtY[i] == gy)
            return i;
    return -1;
}

bool System::markRefused(double x, double y) const
{
    return PointCount >= kMaxPoints && std::isfinite(x) && std::isfinite(y) && markedAt(toGrid(x), toGrid(y)) < 0;
}

MarkResult System::markPoint(double x, double y)
{
    if (ObjMode != ObjectMode::PointGrid || !std::isfinite(x) || !std::isfinite(y))
        return MarkResult::Ignored;
    const float gx = toGrid(x);
    const float gy = toGrid(y);
    if (const int i = markedAt(gx, gy); i >= 0) {
        const int last = PointCount - 1;
        PtX[i] = PtX[last];
        PtY[i] = PtY[last];
        PtImgX[i] = PtImgX[last];
        PtImgY[i] = PtImgY[last];
        --PointCount;
        RayCount = 0;
        BundleShown = false;
        return MarkResult::Unmarked;
    }
    if (PointCount >= kMaxPoints)
        return MarkResult::Refused;
    PtX[PointCount] = PtImgX[PointCount] = gx;
    PtY[PointCount] = PtImgY[PointCount] = gy;
    ++PointCount;
    RayCount = 0;
    BundleShown = true;
    return MarkResult::Marked;
}

Strokes System::traceLastPoint(double viewRight)
{
    if (ObjMode != ObjectMode::PointGrid || PointCount == 0)
        return {};
    return imagePoint(PointCount - 1, viewRight);
}

Strokes System::imageAllPoints(double viewRight)
{
    Strokes last;
    if (ObjMode != ObjectMode::PointGrid)
        return last;
    for (int i = 0; i < PointCount; ++i)
        last = imagePoint(i, viewRight);
    if (!BundleShown) {
        RayCount = 0;
        return {};
    }
    return last;
}

// Point i becomes the object point and its bundle is traced. Its image mark
// is the final image, unless there is none, it lies beyond reach, or the eye
// does not see it sharply: then the point itself.
Strokes System::imagePoint(int i, double viewRight)
{
    setObjectX(PtX[i]);
    ObjY = PtY[i];
    updateDerived();
    MakePointBundle();
    Strokes out = traceStoredRays(viewRight);

    const int slot = ElemCount;
    bool seen = ImgFound[slot] && std::abs(ImgX[slot]) < kFar && std::abs(ImgY[slot]) < kFar;
    if (seen && hasEye())
        seen = std::abs(double(eyeX()) + EyeDepth - ImgX[slot]) <= kRetinaTolerance;
    PtImgX[i] = seen ? static_cast<float>(ImgX[slot]) : PtX[i];
    PtImgY[i] = seen ? static_cast<float>(ImgY[slot]) : PtY[i];
    return out;
}

} // namespace kit
