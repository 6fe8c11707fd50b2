#pragma once

#include "tests/kit/kit_support.h"

#include <string>

// What the kit's member functions promise to leave behind, for the fuzzers:
// empty when a kit keeps every promise, else the first one it breaks.
namespace support {

template <typename Array> bool allFinite(const Array& values, int count)
{
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(double(values[i])))
            return false;
    return true;
}

inline std::string brokenKit(const kit::System& s)
{
    using std::to_string;
    if (s.ElemCount < 1 || s.ElemCount > kit::kMaxElemCount || s.ElemCount % 2 != 1)
        return "ElemCount " + to_string(s.ElemCount);
    for (int k = 1; k < s.ElemCount; k += 2) {
        const kit::Kind kind = s.ElemKind[k];
        if (kind == kit::Kind::Eye && k != s.ElemCount - 2)
            return "an eye at " + to_string(k) + " is not last";
        const kit::FocalRange range = kit::focalRange(kind);
        if (!(s.ElemF[k] >= range.smallest && s.ElemF[k] <= range.largest))
            return "focal length " + to_string(s.ElemF[k]) + " of element " + to_string(k);
        if (k > 1 && s.rightExtreme(k - 2) > s.leftExtreme(k))
            return "element " + to_string(k) + " overlaps the one before";
    }
    for (int j = 2; j < s.ElemCount; ++j)
        if (!(s.ElemX[j] >= s.ElemX[j - 1]))
            return "faces out of order at " + to_string(j);
    if (s.RayCount < 0 || s.RayCount > kit::kMaxRays || s.PointCount < 0 || s.PointCount > kit::kMaxPoints)
        return to_string(s.RayCount) + " rays, " + to_string(s.PointCount) + " points";
    if (s.EyeDepth != 260 && s.EyeDepth != 300 && s.EyeDepth != 340)
        return "EyeDepth " + to_string(s.EyeDepth);
    if ((s.ObjMode == kit::ObjectMode::Arrow || s.ObjMode == kit::ObjectMode::Candle) && s.ElemCount > 1
        && s.ObjX > s.leftExtreme(1))
        return "object at " + to_string(s.ObjX) + " inside the first element";
    for (double v : {s.ObjX, s.ObjY, s.RaySlope, s.ParSlope, s.PivotY})
        if (!std::isfinite(v))
            return "a non-finite value in the kit's state";
    if (!allFinite(s.ElemX, s.ElemCount) || !allFinite(s.ElemR, s.ElemCount) || !allFinite(s.ElemFocus, s.ElemCount)
        || !allFinite(s.ElemZoneX, s.ElemCount) || !allFinite(s.ElemArcCX, s.ElemCount)
        || !allFinite(s.RayVal, s.RayCount) || !allFinite(s.PtImgX, s.PointCount) || !allFinite(s.PtImgY, s.PointCount)
        || !allFinite(s.ImgX, kit::kEntries) || !allFinite(s.ImgY, kit::kEntries))
        return "a non-finite value in the kit's tables";
    kit::System retraced = s;
    const kit::Strokes rays = s.ObjMode == kit::ObjectMode::PointGrid ? retraced.imageAllPoints(kRight)
                                                                      : retraced.traceStoredRays(kRight);
    return rayLeavingTheEye(s, rays);
}

} // namespace support
