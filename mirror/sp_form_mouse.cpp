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
    const float v = model_.mirror.VertexX;
    if (std::abs(x - model_.ray.ObjectX) < kNear && std::abs(y - model_.ray.ObjectY) < kNear) {
        HoverRegion = 1;
        Picture1->setPointer(forms::Pointer::SizeNESW);
    } else if (std::abs(x - model_.ray.ObjectX) > kNear && x < v - kNear) {
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
    } else if (free && button == 1 && model_.RayCount < mirror::kMaxEntries) {
        DragMode = 2;
        if (model_.LightMode == 0) {
            EraseAngleScale();
            model_.ray.RayAngle = common::aimAngle(x - model_.ray.ObjectX, y - model_.ray.ObjectY);
            RubberX = x;
            RubberY = y;
        } else {
            BundleX = x;
            BundleY = y;
        }
        DrawRubberBand();
    } else if (model_.RayCount >= mirror::kMaxEntries && (free || HoverRegion == 4)) {
        forms::refuse(QString::fromUtf8(kTooManyRays));
    } else if (model_.LightMode == 1 && free && button == 2) {
        DragMode = 2;
        PivotY = (model_.mirror.VertexX - x) * std::tan(model_.BundleAngle) + y;
    } else if (model_.LightMode == 0 && button == 2 && (free || HoverRegion == 4)) {
        MarkImage(x, y);
    }
}

// Shift+click: the angle scale at the point of incidence nearest in height.
void sp_form::PressWithShift(float y)
{
    Picture1->setPointer(forms::Pointer::Arrow);
    EraseAngleScale();
    if (model_.RayCount > 0) {
        int nearest = 0;
        for (int i = 1; i < model_.RayCount; ++i)
            if (std::abs(y - model_.RayHitY[i]) < std::abs(y - model_.RayHitY[nearest]))
                nearest = i;
        ScaleX = model_.RayHitX[nearest];
        ScaleY = model_.RayHitY[nearest];
    }
    DrawAngleScale();
    ScaleShown = 1;
}

// The first right click marks an image point with its object point; further
// ones move that image point until the object point moves.
void sp_form::MarkImage(float x, float y)
{
    if (model_.MarkPending == 0) {
        if (model_.ImageCount >= mirror::kMaxEntries) {
            forms::refuse(QString::fromUtf8(kTooManyImages));
            return;
        }
        model_.ImageX[model_.ImageCount] = x;
        model_.ImageY[model_.ImageCount] = y;
        model_.ImageObjX[model_.ImageCount] = model_.ray.ObjectX;
        model_.ImageObjY[model_.ImageCount] = model_.ray.ObjectY;
        ++model_.ImageCount;
        DrawLastImage(colour::red);
        setForeground(colour::blue);
        Picture1->dot(model_.ray.ObjectX, model_.ray.ObjectY, kDotRadius);
        setForeground(colour::black);
        model_.MarkPending = 1;
    } else if (model_.ImageCount > 0) {
        DrawLastImage(colour::white);
        model_.ImageX[model_.ImageCount - 1] = x;
        model_.ImageY[model_.ImageCount - 1] = y;
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
    if (DragMode == 2 && model_.LightMode == 0) {
        setForeground(colour::white);
        DrawRubberBand();
        setForeground(colour::black);
        RubberX = x;
        RubberY = y;
        DrawRubberBand();
    } else if (DragMode == 2 && button == 2) {
        TurnBundle(x, y);
    } else if (DragMode == 1 && model_.LightMode == 0) {
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
    if (x != model_.mirror.VertexX) {
        const float angle = static_cast<float>(std::atan(double(PivotY - y) / (model_.mirror.VertexX - x)));
        model_.BundleAngle = std::clamp(angle, -kMaxBundleAngle, kMaxBundleAngle);
    }
    for (int i = 0; i < model_.RayCount; ++i)
        model_.RayList[i] = static_cast<float>(model_.RayVertexY[i] - model_.mirror.VertexX * std::tan(double(model_.BundleAngle)));
    DrawRays();
    DrawAxisAndObject();
}

// Moving the object point deletes the rays but keeps the marked pairs.
void sp_form::DragObject(float x, float y)
{
    setForeground(colour::white);
    EraseAngleScale();
    DrawAxisAndObject();
    DrawRays();
    model_.RayCount = 0;
    model_.MarkPending = 0;
    DrawPairs();
    model_.ray.ObjectX = x;
    model_.ray.ObjectY = y;
    const float limit = mirror::objectHeightLimit(model_.mirror);
    if (std::abs(y) > limit)
        model_.ray.ObjectY = limit * static_cast<float>(common::sgn(y));
    KeepObjectInFront();
    DrawAxisAndObject();
    UpdateBackButton();
}

// Holds the object point in front of the mirror surface at its height. The
// test is made again on the stored single-precision values, where the clamped
// x plus the sag can come out a rounding step behind the vertex.
void sp_form::KeepObjectInFront()
{
    const mirror::Mirror& m = model_.mirror;
    float& x = model_.ray.ObjectX;
    const float y = model_.ray.ObjectY;
    if (!mirror::inFrontOfMirror(m, x, y))
        x = m.VertexX - static_cast<float>(common::sgn(m.CurvCoeff)) * mirror::MirrorSag(m, y);
    while (!mirror::inFrontOfMirror(m, x, y))
        x = std::nextafter(x, -INFINITY);
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
    model_.mirror.VertexX = x;
    const float sag = mirror::MirrorSag(model_.mirror, model_.ray.ObjectY);
    const float a = static_cast<float>(common::sgn(model_.mirror.CurvCoeff));
    if (model_.ray.ObjectX + a * sag > model_.mirror.VertexX)
        model_.mirror.VertexX = model_.ray.ObjectX + a * sag; // the mirror cannot pass the object point
    DrawMirror();
    UpdateBackButton();
}

void sp_form::Picture1_MouseUp(int button, int /*shift*/, float x, float y)
{
    if (DragMode == 2 && model_.LightMode == 0) {
        setForeground(colour::white);
        DrawRubberBand();
        setForeground(colour::black);
        model_.ray.RayAngle = common::aimAngle(RubberX - model_.ray.ObjectX, RubberY - model_.ray.ObjectY);
        TraceRay(model_.RayCount);
        model_.RayList[model_.RayCount] = model_.ray.RayAngle;
        ++model_.RayCount;
    } else if (DragMode == 2 && model_.LightMode == 1 && button == 1) {
        setForeground(colour::white);
        DrawRubberBand();
        setForeground(colour::black);
        model_.ray.RayAngle = model_.BundleAngle;
        model_.ray.ObjectY = static_cast<float>(BundleY - BundleX * std::tan(double(model_.BundleAngle)));
        TraceRay(model_.RayCount);
        model_.RayList[model_.RayCount] = model_.ray.ObjectY;
        model_.RayVertexY[model_.RayCount] = static_cast<float>(model_.ray.ObjectY + model_.mirror.VertexX * std::tan(double(model_.BundleAngle)));
        ++model_.RayCount;
    } else if (DragMode == 3) {
        DrawAxisAndObject();
        DrawRays();
    } else if (DragMode == 1 && model_.LightMode == 0 && x >= 40 && x <= 540) {
        ReleaseObject(x, y);
    }
    DrawMirror();
    if (model_.LightMode == 0)
        DrawPointGrid();
    DragMode = 0;
}

// Released over the point grid, the object point snaps to it.
void sp_form::ReleaseObject(float x, float y)
{
    setForeground(colour::white);
    DrawAxisAndObject();
    setForeground(colour::black);
    model_.ray.ObjectX = common::SnapTo20(x);
    const float limit = mirror::objectHeightLimit(model_.mirror);
    if (std::abs(y) > limit)
        y = limit * static_cast<float>(common::sgn(y));
    model_.ray.ObjectY = common::SnapTo20(y);
    // Snapping must not carry the point past a mirror that stands in the grid.
    KeepObjectInFront();
    DrawAxisAndObject();
}

void sp_form::Picture1_DblClick()
{
    EraseRaysAndMarks();
    model_.RayCount = 0;
    model_.BundleAngle = 0;
    setForeground(colour::black);
    DrawAxisAndObject();
    DrawMirror();
    if (model_.LightMode == 0)
        DrawPointGrid();
}
