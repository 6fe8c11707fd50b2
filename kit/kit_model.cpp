#include "kit/kit_model.h"

#include "kit/experiment.h"
#include "kit/eye.h"

#include <algorithm>
#include <cmath>

namespace kit {

System::System()
{
    setObjectX(50);
    updateDerived();
}

System System::withElements(const std::vector<ElementSetting>& elements)
{
    System kit;
    for (const ElementSetting& e : elements) {
        if (kit.ElemCount >= kMaxElemCount)
            break;
        kit.ComputeElement(kit.ElemCount, e.kind, e.x, e.f);
        kit.ElemCount += 2;
    }
    kit.updateDerived();
    return kit;
}

AddResult System::AddElement(Kind kind)
{
    templateOf(kind); // refuses Kind::None before anything else
    if (hasEye())
        return kind == Kind::Eye ? AddResult::SecondEye : AddResult::BehindEye;
    if (ElemCount >= kMaxElemCount)
        return AddResult::SixElements;
    ComputeElement(ElemCount, kind, ElemX[ElemCount - 1] + kNewElementGap, templateOf(kind).focal);
    ElemCount += 2;
    resolveOverlaps();
    resetImages();
    return AddResult::Added;
}

void System::ComputeElement(int k, Kind kind, float left, float f)
{
    ElemKind[k] = ElemKind[k + 1] = kind;
    ElemHalfHeight[k] = ElemHalfHeight[k + 1] = kHalfHeight;
    ElemArcR[k] = ElemArcR[k + 1] = templateOf(kind).outlineRadius;
    placeElement(k, left);
    computeFaces(k, f);
}

void System::computeFaces(int k, float f)
{
    const Kind kind = ElemKind[k];
    const double d = templateOf(kind).thickness;
    const double r1 = frontRadius(kind, f, d);
    ElemF[k] = f;
    ElemR[k] = r1;
    ElemR[k + 1] = -r1;
    ElemPrincipal[k] = static_cast<float>(-(f * d * 0.5) / (ElemR[k + 1] * 1.5));
    ElemPrincipal[k + 1] = static_cast<float>(-(f * d * 0.5) / (ElemR[k] * 1.5));
    ElemPower[k] = 0.5 / ElemR[k];
    ElemPower[k + 1] = -0.5 / ElemR[k + 1];
    if (kind == Kind::Eye)
        ElemArcR[k] = ElemArcR[k + 1] = std::abs(f) * 10.0f / 3.0f;
    // The outline's radius is at least 600, well above the half height.
    ElemArcDist[k] = ElemArcDist[k + 1] = std::sqrt(ElemArcR[k] * ElemArcR[k] - kHalfHeight * kHalfHeight);
    ElemArcAngle[k] = ElemArcAngle[k + 1] = std::atan(kHalfHeight / ElemArcDist[k]);
}

bool System::setFocalLength(int k, float f)
{
    if (!isElement(k) || !std::isfinite(f))
        return false;
    computeFaces(k, limitFocalLength(ElemKind[k], f));
    resolveOverlaps();
    resetImages();
    return true;
}

bool System::removeFrom(int k)
{
    if (!isElement(k))
        return false;
    ElemCount = static_cast<std::int16_t>(k);
    updateDerived();
    resetImages();
    return true;
}

bool System::setEyeDepth(float depth)
{
    if (std::find(kEyeDepths.begin(), kEyeDepths.end(), depth) == kEyeDepths.end())
        return false;
    EyeDepth = depth;
    resetImages();
    return true;
}

void System::setShowImages(bool on) { ShowImages = on ? 1 : 0; }

void System::setShowVirtual(bool on) { ShowVirtual = on ? 1 : 0; }

bool System::apply(const Experiment& e, double viewLeft)
{
    if (!inRange(e) || breachOf(e).rule != Breach::Rule::None || !std::isfinite(viewLeft))
        return false;
    System next = withElements(e.elements);
    next.EyeDepth = e.eyeDepth;
    next.setShowImages(e.showImages);
    next.setShowVirtual(e.showVirtual);
    next.ObjMode = e.mode;
    next.ObjXs = e.objectX;
    next.ObjYs = e.objectY;
    next.ParSlope = e.bundleSlope;
    next.BundleShown = e.bundleShown;
    next.GridX = e.gridX;
    switch (e.mode) {
    case ObjectMode::Arrow:
    case ObjectMode::Candle:
        next.setObjectX(e.objectX);
        next.ObjY = e.objectY;
        std::copy(e.rays.begin(), e.rays.end(), next.RayVal.begin());
        next.RayCount = static_cast<std::int16_t>(e.rays.size());
        break;
    case ObjectMode::Parallel:
        next.makeParallelBundle(viewLeft);
        break;
    case ObjectMode::PointGrid:
        next.setObjectX(e.gridX + 10);
        for (const GridPoint& p : e.points) {
            next.PtX[next.PointCount] = next.PtImgX[next.PointCount] = p.x;
            next.PtY[next.PointCount] = next.PtImgY[next.PointCount] = p.y;
            ++next.PointCount;
        }
        break;
    }
    next.updateDerived();
    next.resetImages();
    *this = next;
    return true;
}

bool System::isElement(int k) const { return k >= 1 && k < ElemCount && k % 2 == 1; }

bool System::hasEye() const { return ElemCount > 1 && ElemKind[ElemCount - 1] == Kind::Eye; }

float System::eyeX() const { return ElemX[ElemCount - 1]; }

double System::eyeBallX() const { return eyeX() + EyeBallOffset; }

bool System::symbolMode() const { return ObjMode == ObjectMode::Arrow || ObjMode == ObjectMode::Candle; }

void System::setObjectX(float x)
{
    ObjX = x;
    ElemX[0] = x;
}

} // namespace kit
