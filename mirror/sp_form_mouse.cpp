// The mouse on the mirror window's drawing area: starting rays, turning the
// bundle, dragging the object point and the mirror, marking image points and
// the angle scale.
#include "common/angles.h"
#include "common/maths.h"
#include "common/readouts.h"
#include "mirror/sp_form.h"

#include "forms/colours.h"
#include "forms/dialogs.h"
#include "forms/picture_box.h"

#include <QLineEdit>

#include <algorithm>
#include <cmath>

namespace {
namespace colour = forms::colour;

constexpr float kNear = 10;         // LE around the object point and the vertex
constexpr float kVertexReach = 50;  // how far above and below the axis the vertex can be grabbed
constexpr float kMaxBundleAngle = 1; // radian
const char* const kTooManyRays =
    "Es können max. 50 Strahlen gezeichnet werden!  Zum Löschen der Strahlen Objektpunkt verschieben! ";
const char* const kTooManyImages = "Es können max. 50 Bildpunkte markiert werden! ";

} // namespace

void sp_form::UpdatePointer(float x, float y)
{
    const float v = mirror.VertexX;
    if (std::abs(x - ray.ObjectX) < kNear && std::abs(y - ray.ObjectY) < kNear) {
        HoverRegion = 1;
        Picture1->setPointer(forms::Pointer::SizeNESW);
    } else if (std::abs(x - ray.ObjectX) > kNear && x < v - kNear) {
        HoverRegion = 2;
        Picture1->setPointer(forms::Pointer::Cross);
    } else if (std::abs(x - v) < kNear && std::abs(y) < kVertexReach) {
        HoverRegion = 3;
        Picture1->setPointer(forms::Pointer::SizeWE);
    } else if (std::abs(x - v) > kNear) {
        HoverRegion = 4;
        Picture1->setPointer(forms::Pointer::Arrow);
    }
}

void sp_form::showMousePosition(float x, float y)
{
    Text1->setText(QString::fromStdString(common::coordinateText('x', x)));
    Text2->setText(QString::fromStdString(common::coordinateText('y', y)));
}

void sp_form::Picture1_MouseDown(int button, int shift, float x, float y)
{
    if (shift == 1) {
        PressWithShift(y);
        return;
    }
    if (shift != 0)
        return;
    UpdatePointer(x, y);
    const bool free = HoverRegion == 2;
    if (HoverRegion == 1 || HoverRegion == 3) {
        DragMode = HoverRegion;
    } else if (free && button == 1 && RayCount < kMaxEntries) {
        DragMode = 2;
        if (LightMode == 0) {
            EraseAngleScale();
            ray.RayAngle = common::aimAngle(x - ray.ObjectX, y - ray.ObjectY);
            RubberX = x;
            RubberY = y;
        } else {
            BundleX = x;
            BundleY = y;
        }
        DrawRubberBand();
    } else if (RayCount >= kMaxEntries && (free || HoverRegion == 4)) {
        forms::refuse(QString::fromUtf8(kTooManyRays));
    } else if (LightMode == 1 && free && button == 2) {
        DragMode = 2;
        PivotY = (mirror.VertexX - x) * std::tan(BundleAngle) + y;
    } else if (LightMode == 0 && button == 2 && (free || HoverRegion == 4)) {
        MarkImage(x, y);
    }
}

// Shift+click: the angle scale at the point of incidence nearest in height.
void sp_form::PressWithShift(float y)
{
    Picture1->setPointer(forms::Pointer::Arrow);
    EraseAngleScale();
    if (RayCount > 0) {
        int nearest = 0;
        for (int i = 1; i < RayCount; ++i)
            if (std::abs(y - RayHitY[i]) < std::abs(y - RayHitY[nearest]))
                nearest = i;
        ScaleX = RayHitX[nearest];
        ScaleY = RayHitY[nearest];
    }
    DrawAngleScale();
    ScaleShown = 1;
}

// The first right click marks an image point with its object point; further
// ones move that image point until the object point moves.
void sp_form::MarkImage(float x, float y)
{
    if (MarkPending == 0) {
        if (ImageCount >= kMaxEntries) {
            forms::refuse(QString::fromUtf8(kTooManyImages));
            return;
        }
        ImageX[ImageCount] = x;
        ImageY[ImageCount] = y;
        ImageObjX[ImageCount] = ray.ObjectX;
        ImageObjY[ImageCount] = ray.ObjectY;
        ++ImageCount;
        DrawLastImage(colour::red);
        setForeground(colour::blue);
        Picture1->dot(ray.ObjectX, ray.ObjectY, kDotRadius);
        setForeground(colour::black);
        MarkPending = 1;
    } else if (ImageCount > 0) {
        DrawLastImage(colour::white);
        ImageX[ImageCount - 1] = x;
        ImageY[ImageCount - 1] = y;
        DrawLastImage(colour::red);
    }
}

void sp_form::Picture1_MouseMove(int button, int shift, float x, float y)
{
    showMousePosition(x, y);
    if (shift == 1) {
        Picture1->setPointer(forms::Pointer::Arrow);
        return;
    }
    if (shift != 0)
        return;
    UpdatePointer(x, y);
    if (DragMode == 2 && LightMode == 0) {
        setForeground(colour::white);
        DrawRubberBand();
        setForeground(colour::black);
        RubberX = x;
        RubberY = y;
        DrawRubberBand();
    } else if (DragMode == 2 && button == 2) {
        TurnBundle(x, y);
    } else if (DragMode == 1 && LightMode == 0) {
        DragObject(x, y);
    } else if (DragMode == 3) {
        DragMirror(x);
    }
}

// Turns the bundle about the pivot on the vertex plane; every ray keeps its
// height there.
void sp_form::TurnBundle(float x, float y)
{
    setForeground(colour::white);
    EraseAngleScale();
    DrawRays();
    setForeground(colour::black);
    // On the vertex plane itself the angle is undefined: the bundle keeps its angle.
    if (x != mirror.VertexX) {
        const float angle = static_cast<float>(std::atan(double(PivotY - y) / (mirror.VertexX - x)));
        BundleAngle = std::clamp(angle, -kMaxBundleAngle, kMaxBundleAngle);
    }
    for (int i = 0; i < RayCount; ++i)
        RayList[i] = static_cast<float>(RayVertexY[i] - mirror.VertexX * std::tan(double(BundleAngle)));
    DrawRays();
    DrawAxisAndObject();
}

float sp_form::objectHeightLimit() const
{
    // Before any spherical mirror was drawn there is no radius; the mirror's half aperture stands in.
    return mirror.Radius != 0 ? std::abs(mirror.Radius) : mirror::kHalfAperture;
}

// Moving the object point deletes the rays but keeps the marked pairs.
void sp_form::DragObject(float x, float y)
{
    setForeground(colour::white);
    EraseAngleScale();
    DrawAxisAndObject();
    DrawRays();
    RayCount = 0;
    MarkPending = 0;
    DrawPairs();
    ray.ObjectX = x;
    ray.ObjectY = y;
    const float limit = objectHeightLimit();
    if (std::abs(y) > limit)
        ray.ObjectY = limit * static_cast<float>(common::sgn(y));
    KeepObjectInFront();
    DrawAxisAndObject();
    UpdateBackButton();
}

// Holds the object point in front of the mirror surface at its height. The
// test is made again on the stored single-precision values, where the clamped
// x plus the sag can come out a rounding step behind the vertex.
void sp_form::KeepObjectInFront()
{
    const float sag = mirror::MirrorSag(mirror, ray.ObjectY);
    const float a = static_cast<float>(common::sgn(mirror.CurvCoeff));
    if (ray.ObjectX + a * sag > mirror.VertexX)
        ray.ObjectX = mirror.VertexX - a * sag;
    while (ray.ObjectX + a * sag > mirror.VertexX)
        ray.ObjectX = std::nextafter(ray.ObjectX, -INFINITY);
}

// Dragging the mirror keeps the rays (drawn again on release) and deletes the pairs.
void sp_form::DragMirror(float x)
{
    setForeground(colour::white);
    EraseAngleScale();
    ErasePairs();
    DrawRays();
    DrawMirror();
    setForeground(colour::black);
    mirror.VertexX = x;
    const float sag = mirror::MirrorSag(mirror, ray.ObjectY);
    const float a = static_cast<float>(common::sgn(mirror.CurvCoeff));
    if (ray.ObjectX + a * sag > mirror.VertexX)
        mirror.VertexX = ray.ObjectX + a * sag; // the mirror cannot pass the object point
    DrawMirror();
    UpdateBackButton();
}

void sp_form::Picture1_MouseUp(int button, int /*shift*/, float x, float y)
{
    if (DragMode == 2 && LightMode == 0) {
        setForeground(colour::white);
        DrawRubberBand();
        setForeground(colour::black);
        ray.RayAngle = common::aimAngle(RubberX - ray.ObjectX, RubberY - ray.ObjectY);
        TraceRay(RayCount);
        RayList[RayCount] = ray.RayAngle;
        ++RayCount;
    } else if (DragMode == 2 && LightMode == 1 && button == 1) {
        setForeground(colour::white);
        DrawRubberBand();
        setForeground(colour::black);
        ray.RayAngle = BundleAngle;
        ray.ObjectY = static_cast<float>(BundleY - BundleX * std::tan(double(BundleAngle)));
        TraceRay(RayCount);
        RayList[RayCount] = ray.ObjectY;
        RayVertexY[RayCount] = static_cast<float>(ray.ObjectY + mirror.VertexX * std::tan(double(BundleAngle)));
        ++RayCount;
    } else if (DragMode == 3) {
        DrawAxisAndObject();
        DrawRays();
    } else if (DragMode == 1 && LightMode == 0 && x >= 40 && x <= 540) {
        ReleaseObject(x, y);
    }
    DrawMirror();
    if (LightMode == 0)
        DrawPointGrid();
    DragMode = 0;
}

// Released over the point grid, the object point snaps to it.
void sp_form::ReleaseObject(float x, float y)
{
    setForeground(colour::white);
    DrawAxisAndObject();
    setForeground(colour::black);
    ray.ObjectX = common::SnapTo20(x);
    const float limit = objectHeightLimit();
    if (std::abs(y) > limit)
        y = limit * static_cast<float>(common::sgn(y));
    ray.ObjectY = common::SnapTo20(y);
    // Snapping must not carry the point past a mirror that stands in the grid.
    KeepObjectInFront();
    DrawAxisAndObject();
}

void sp_form::Picture1_DblClick()
{
    EraseRaysAndMarks();
    RayCount = 0;
    BundleAngle = 0;
    setForeground(colour::black);
    DrawAxisAndObject();
    DrawMirror();
    if (LightMode == 0)
        DrawPointGrid();
}
