#include "kit/kit_model.h"

#include "kit/eye.h"

#include <cmath>

namespace kit {

System::System()
{
    setObjectX(50);
    updateDerived();
}

AddResult System::AddElement(Kind kind)
{
    templateOf(kind); // refuses Kind::None before anything else
    if (hasEye())
        return kind == Kind::Eye ? AddResult::SecondEye : AddResult::BehindEye;
    if (ElemCount >= kMaxElemCount)
        return AddResult::SixElements;
    ComputeElement(ElemCount, kind);
    ElemCount += 2;
    resolveOverlaps();
    resetImages();
    return AddResult::Added;
}

void System::ComputeElement(int k, Kind kind)
{
    ElemKind[k] = ElemKind[k + 1] = kind;
    ElemHalfHeight[k] = ElemHalfHeight[k + 1] = kHalfHeight;
    ElemArcR[k] = ElemArcR[k + 1] = templateOf(kind).outlineRadius;
    placeElement(k, ElemX[k - 1] + kNewElementGap);
    computeFaces(k, templateOf(kind).focal);
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
    if (depth != 300 && depth != 340 && depth != 260)
        return false;
    EyeDepth = depth;
    resetImages();
    return true;
}

void System::setShowImages(bool on) { ShowImages = on ? 1 : 0; }

void System::setShowVirtual(bool on) { ShowVirtual = on ? 1 : 0; }

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
