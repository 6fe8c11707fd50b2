#pragma once

#include "tests/kit/kit_support.h"

#include <string>

// What the kit's member functions promise to leave behind, for the fuzzers:
// empty when a kit keeps every promise, else the first one it breaks.
namespace support {

template <class... Arrays> bool allFinite(int count, const Arrays&... arrays)
{
    for (int i = 0; i < count; ++i)
        if (!(std::isfinite(double(arrays[i])) && ...))
            return false;
    return true;
}

// Strokes as drawn: finite, rays drawn rightwards, none out of the eyeball.
inline std::string brokenStrokes(const kit::System& s, const kit::Strokes& strokes)
{
    for (const kit::Stroke& r : strokes) {
        if (!allFinite(1, &r.x1, &r.y1, &r.x2, &r.y2))
            return "a non-finite stroke";
        // Touching faces are held in single precision; the outline is crossed in double.
        if (r.figure == kit::Figure::RaySegment && r.x2 < r.x1 - 1e-6 * std::abs(r.x1))
            return "a ray drawn backwards from x = " + std::to_string(r.x1);
    }
    return rayLeavingTheEye(s, strokes);
}

inline std::string brokenKit(const kit::System& s, double viewRight = kRight)
{
    using std::to_string;
    if (s.ElemCount < 1 || s.ElemCount > kit::kMaxElemCount || s.ElemCount % 2 != 1)
        return "ElemCount " + to_string(s.ElemCount);
    for (int k = 1; k < s.ElemCount; k += 2) {
        const kit::Kind kind = s.ElemKind[k];
        if (kind == kit::Kind::None || s.ElemKind[k + 1] != kind)
            return "the faces of element " + to_string(k) + " of different kinds";
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
    if (s.ElemX[0] != s.ObjX)
        return "entry 0 is not the object";
    if (s.ObjMode != kit::ObjectMode::PointGrid && s.ElemCount > 1 && s.ObjX > s.leftExtreme(1))
        return "object at " + to_string(s.ObjX) + " inside the first element";
    if (!(std::abs(s.ParSlope) <= 50))
        return "bundle slope " + to_string(s.ParSlope);
    if (!allFinite(1, &s.ObjY, &s.RaySlope, &s.PivotY)
        || !allFinite(kit::kEntries, s.ElemX, s.ElemGap, s.ElemF, s.ElemR, s.ElemPower, s.ElemPrincipal, s.ElemFocus,
                      s.ElemArcDist, s.ElemArcAngle, s.ElemArcCX, s.ElemZoneX, s.RayPtX, s.RayPtY, s.FirstSlope,
                      s.FirstIcpt, s.FirstPtX, s.FirstPtY, s.ImgX, s.ImgY)
        || !allFinite(s.RayCount, s.RayVal) || !allFinite(s.PointCount, s.PtImgX, s.PtImgY))
        return "a non-finite value in the kit's state";
    std::string broken = brokenStrokes(s, kit::System(s).traceStoredRays(viewRight));
    if (broken.empty() && s.ObjMode == kit::ObjectMode::PointGrid)
        broken = brokenStrokes(s, kit::System(s).imageAllPoints(viewRight));
    return broken;
}

} // namespace support
