// One ray through the element list: paraxial refraction in each face's
// vertex plane, which makes every lens ideal, with the image points found
// where the ray crosses the first ray traced since the last reset.
#include "kit/coordinates.h"
#include "kit/eye.h"
#include "kit/kit_model.h"

#include "common/maths.h"

#include <algorithm>
#include <cmath>

namespace kit {
namespace {

constexpr double kIndex = 1.5;
// Rays whose slopes differ by no more than this make no image point.
constexpr double kParallelSlopes = 0.01;

// The one place strokes are made: none that could not be drawn.
void add(Strokes& out, Figure figure, double x1, double y1, double x2, double y2)
{
    if (std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2))
        out.push_back({figure, x1, y1, x2, y2});
}

void addAt(Strokes& out, Figure figure, double x, double y) { add(out, figure, x, y, x, y); }

// On along slope m to the right edge of the view; nothing when the edge lies
// left of the start, which would draw the ray backwards.
void toRightEdge(Strokes& out, double x, double y, double m, double viewRight)
{
    if (viewRight > x)
        add(out, Figure::RaySegment, x, y, viewRight, y + m * (viewRight - x));
}

// Where the line y = s x + b meets a face's outline circle about (centreX, 0):
// the crossing on the side of the face, chosen by the sign of its radius.
double outlineCrossing(double s, double b, double centreX, double outlineR, double faceR)
{
    const double A = s * s + 1;
    const double B = 2 * s * b - 2 * centreX;
    const double C = centreX * centreX + b * b - outlineR * outlineR;
    // The line passes the face plane within the circle; only rounding can
    // push the discriminant below zero at the rim.
    const double D = std::max(0.0, B * B - 4 * A * C);
    return (-B - common::sgn(faceR) * std::sqrt(D)) / (2 * A);
}

} // namespace

void System::resetImages()
{
    FirstSet.fill(0);
    ImgFound.fill(false);
}

Strokes System::TraceRay(double viewRight)
{
    Strokes out;
    traceInto(out, viewRight);
    return out;
}

Strokes System::traceStoredRays(double viewRight)
{
    resetImages();
    Strokes out;
    for (int i = 0; i < RayCount; ++i) {
        if (ObjMode == ObjectMode::Parallel) {
            ObjY = RayVal[i];
            RaySlope = ParSlope;
        } else {
            RaySlope = RayVal[i];
        }
        traceInto(out, viewRight);
    }
    return out;
}

void System::traceInto(Strokes& out, double viewRight)
{
    double y = ObjY;
    double m = RaySlope;
    RayPtX[0] = ObjX;
    RayPtY[0] = ObjY;
    ImgX[1] = ObjX;
    ImgY[1] = ObjY;
    ImgFound[1] = true;

    for (int j = 1; j < ElemCount; ++j) {
        const double mIn = m;
        const double yj = ElemGap[j] * m + y;
        const double b = y - ElemX[j - 1] * m;
        if (j > 2 && j % 2 == 1 && noteImage(j, m, b))
            drawIntermediateImage(j, out);

        const bool eye = ElemKind[j] == Kind::Eye;
        if (!eye && std::abs(yj) > kMountTop) {
            passOutside(j, mIn, out, viewRight);
            return;
        }
        if (std::abs(yj) > ElemHalfHeight[j]) {
            if (!eye) {
                add(out, Figure::RaySegment, RayPtX[j - 1], RayPtY[j - 1], ElemX[j], yj); // stopped by the mount
            } else if (const auto entry = EyeEntry(m, b, ElemX[j])) {
                add(out, Figure::RaySegment, RayPtX[j - 1], RayPtY[j - 1], entry->x, entry->y);
            } else {
                toRightEdge(out, RayPtX[j - 1], RayPtY[j - 1], mIn, viewRight);
            }
            return;
        }

        y = yj;
        const double r = ElemR[j];
        // The picture bends a ray where it meets the drawn outline: on the
        // incoming line at a left face, on the outgoing line at a right face.
        double s;
        if (j % 2 == 1) {
            m = (mIn - (kIndex - 1) * y / r) / kIndex;
            s = mIn;
        } else {
            m = kIndex * mIn + (kIndex - 1) * y / r;
            s = m;
        }
        const double bend = y - ElemX[j] * s;
        const double x = outlineCrossing(s, bend, ElemArcCX[j], ElemArcR[j], r);
        RayPtX[j] = x;
        RayPtY[j] = s * x + bend;
        add(out, Figure::RaySegment, RayPtX[j - 1], RayPtY[j - 1], RayPtX[j], RayPtY[j]);
    }
    if (ElemCount == 1)
        return;

    const int last = ElemCount - 1;
    const double b = y - ElemX[last] * m;
    if (hasEye())
        finishInEye(m, b, out);
    else
        toRightEdge(out, RayPtX[last], RayPtY[last], m, viewRight);
    if (noteImage(ElemCount, m, b))
        drawFinalImage(out);
}

bool System::noteImage(int slot, double m, double b)
{
    if (FirstSet[slot] != 1) {
        FirstIcpt[slot] = static_cast<float>(b);
        FirstSlope[slot] = static_cast<float>(m);
        FirstSet[slot] = 1;
        FirstPtX[slot] = RayPtX[slot - 1];
        FirstPtY[slot] = RayPtY[slot - 1];
        return false;
    }
    if (!(std::abs(FirstSlope[slot] - m) > kParallelSlopes))
        return false;
    ImgX[slot] = (b - FirstIcpt[slot]) / (FirstSlope[slot] - m);
    ImgY[slot] = m * ImgX[slot] + b;
    ImgFound[slot] = true;
    return true;
}

// The image made by the elements in front of entry j, when it stands in front of j.
void System::drawIntermediateImage(int j, Strokes& out) const
{
    if (ShowImages != 1 || !symbolMode() || !(ImgX[j] < ElemX[j]))
        return;
    addAt(out, Figure::ImageSymbol, ImgX[j], ImgY[j]);
    // A magnifier in front of the eye: its object inside the front focal length.
    if (ShowVirtual == 1 && hasEye() && ImgFound[j - 2] && ImgX[j - 2] > ElemFocus[j - 2]) {
        add(out, Figure::ConstructionLine, RayPtX[j - 1], RayPtY[j - 1], ImgX[j], ImgY[j]);
        add(out, Figure::ConstructionLine, FirstPtX[j], FirstPtY[j], ImgX[j], ImgY[j]);
    }
}

// The eye shows no image point: what it sees lands on the retina.
void System::drawFinalImage(Strokes& out) const
{
    if (hasEye() || ShowImages != 1)
        return;
    const int slot = ElemCount;
    addAt(out, symbolMode() ? Figure::ImageSymbol : Figure::ImageDot, ImgX[slot], ImgY[slot]);
    if (ShowVirtual == 1 && ImgX[slot] < ElemX[slot - 1]) {
        add(out, Figure::ConstructionLine, RayPtX[slot - 1], RayPtY[slot - 1], ImgX[slot], ImgY[slot]);
        add(out, Figure::ConstructionLine, FirstPtX[slot], FirstPtY[slot], ImgX[slot], ImgY[slot]);
    }
}

// A ray that passes a lens outside its mount goes on straight, untraced,
// from where it was last bent: into the eye, when there is one and the ray
// meets its lens or its ball, or else to the view's edge.
void System::passOutside(int j, double m, Strokes& out, double viewRight) const
{
    const double x0 = RayPtX[j - 1];
    const double y0 = RayPtY[j - 1];
    if (hasEye()) {
        const double lens = eyeX();
        const double b = y0 - m * x0;
        const double y = m * lens + b;
        if (std::abs(y) <= ElemHalfHeight[ElemCount - 2]) {
            add(out, Figure::RaySegment, x0, y0, lens, y);
            return;
        }
        if (const auto entry = EyeEntry(m, b, lens)) {
            add(out, Figure::RaySegment, x0, y0, entry->x, entry->y);
            return;
        }
    }
    toRightEdge(out, x0, y0, m, viewRight);
}

// A ray through the eye lens ends on the retina, or on the ball where it
// leaves the ball before reaching the retina plane.
void System::finishInEye(double m, double b, Strokes& out) const
{
    const int last = ElemCount - 1;
    const double retinaX = double(eyeX()) + EyeDepth;
    const double retinaY = m * retinaX + b;
    EyePoint end{retinaX, retinaY};
    if (!(std::abs(retinaY) <= retinaHalfHeight(EyeDepth)))
        end = EyeExit(m, b, eyeX());
    add(out, Figure::RaySegment, RayPtX[last], RayPtY[last], end.x, end.y);
}

void System::MakePointBundle()
{
    RayCount = 0;
    if (ElemCount == 1 || !(ObjX < leftExtreme(1)))
        return; // no rays from a point at or behind the first element
    const double run = ElemX[1] - ObjX;
    for (int i = -2; i <= 2; ++i)
        RayVal[i + 2] = static_cast<float>((i * 200.0 / 3 - ObjY) / run);
    RayCount = 5;
}

bool System::aimRay(double mouseX, double mouseY)
{
    const double x = toLE(mouseX);
    if (!std::isfinite(mouseY) || !(x > ObjX + 10))
        return false;
    RaySlope = (toLE(mouseY) - ObjY) / (x - ObjX);
    return true;
}

bool System::rayLimitReached() const { return RayCount >= kMaxRays; }

std::optional<Strokes> System::addRay(double viewRight)
{
    if (!symbolMode() || rayLimitReached() || ElemCount == 1)
        return std::nullopt;
    // Traced as it is stored, so that retracing the stored rays repeats it exactly.
    RaySlope = static_cast<float>(RaySlope);
    Strokes out = TraceRay(viewRight);
    RayVal[RayCount] = static_cast<float>(RaySlope);
    ++RayCount;
    return out;
}

} // namespace kit
