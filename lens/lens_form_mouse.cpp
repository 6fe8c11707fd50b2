// The mouse on the lens window's drawing area and the two light modes:
// aiming rays, turning the bundle, moving the object point and the lens,
// marking image points, clearing.
#include "lens/lens_form.h"

#include "common/angles.h"
#include "common/readouts.h"
#include "forms/colours.h"
#include "forms/dialogs.h"
#include "forms/picture_box.h"
#include "forms/spin_button.h"

#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace {
namespace colour = forms::colour;

constexpr float kNear = 10;
constexpr float kGridRight = 340; // right edge of the point grid, from the view's left edge
constexpr float kObjectStartX = 60;
constexpr float kObjectStartY = 100;
const char* const kTooManyRays =
    "Es können max. 50 Strahlen gezeichnet werden!  Zum Löschen der Strahlen auf Parallellicht umschalten ";
const char* const kTooManyImages = "Es können max. 50 Bildpunkte markiert werden! ";

} // namespace

// Regions: 0 the object point, 1 in front of the lens, 2 over it, 3 behind it.
// Later tests override earlier ones; where none applies nothing changes.
void lens_form::SetMousePointer(float x, float y)
{
    if (!parallelLight() && std::abs(x - model_.RayStartX) < kNear && std::abs(y - model_.RayStartY) < kNear) {
        MouseRegion = 0;
        Picture1->setPointer(forms::Pointer::SizeNESW);
    }
    if (model_.RayStartX + kNear <= x && x < model_.lens.LensMinX) {
        MouseRegion = 1;
        Picture1->setPointer(parallelLight() ? forms::Pointer::SizeNS : forms::Pointer::Cross);
    }
    if (model_.lens.LensMinX < x && x < model_.lens.LensMaxX) {
        MouseRegion = 2;
        Picture1->setPointer(forms::Pointer::SizeWE);
    }
    if (x > model_.lens.LensMaxX) {
        MouseRegion = 3;
        Picture1->setPointer(forms::Pointer::Arrow);
    }
}

void lens_form::showMousePosition(float x, float y)
{
    Text1->setText(QString::fromStdString(common::coordinateText('x', x)));
    Text2->setText(QString::fromStdString(common::coordinateText('y', y)));
}

void lens_form::Picture1_MouseMove(int /*button*/, int /*shift*/, float x, float y)
{
    showMousePosition(x, y);
    if (LupeMode == 1) {
        if (LupePlacing == 1) {
            Picture1->setPointer(forms::Pointer::Cross);
            EraseLupeMarker();
            setForeground(colour::black);
            DrawLupeMarker(x, y);
            markerDrawn_ = true;
            AimX = x;
            AimY = y;
        } else {
            Picture1->setPointer(forms::Pointer::Arrow);
        }
        return;
    }
    SetMousePointer(x, y);
    if (DragMode == 2 && MouseRegion == 1) {
        if (parallelLight()) {
            TurnBundle(x, y);
            return;
        }
        setForeground(colour::white);
        DrawPreview();
        setForeground(colour::black);
        RayAngle = common::aimAngle(x - model_.RayStartX, y - model_.RayStartY);
        AimX = x;
        AimY = y;
        DrawPreview();
    } else if (DragMode == 1) {
        MoveObject(x, y);
    } else if (DragMode == 3) {
        MoveLens(x);
    }
}

void lens_form::TurnBundle(float x, float y)
{
    setForeground(colour::white);
    DrawRays();
    setForeground(colour::black);
    // At the aperture plane itself the angle is undefined: the bundle keeps its angle.
    if (x != model_.lens.BlendeX)
        model_.BundleAngle = static_cast<float>(std::atan(double(BundlePivotY - y) / (model_.lens.BlendeX - x)));
    RebuildBundle();
    DrawImagePoints();
    model_.PairOpen = 0;
}

// Moving the object point after an image point was marked starts a new set of rays.
void lens_form::MoveObject(float x, float y)
{
    setForeground(colour::white);
    DrawObjectAndPairs();
    DrawRays();
    model_.RayStartX = std::min(x, model_.lens.LensMinX);
    model_.RayStartY = y;
    setForeground(colour::black);
    Form_Paint();
    if (model_.PairOpen == 1) {
        model_.RayCount = 0;
        model_.PairOpen = 0;
    }
    DrawRays();
}

// The lens centre follows the mouse; no part of the lens passes the object point
// (the view's left edge in parallel light). Nearly every ray moves with it, so
// the repair draws the new picture once rather than the handler drawing it
// and the repair mending it.
void lens_form::MoveLens(float x)
{
    setForeground(colour::white);
    DrawLens();
    DrawRays();
    if (model_.ApertureOn == 1)
        DrawBlende();
    if (parallelLight())
        DrawImagePoints();
    else
        DrawPairs();
    model_.lens.Vertex1X = x - model_.lens.Thickness / 2;
    lens::shapeLens(model_.lens);
    lens::keepRightOf(model_.lens, model_.RayStartX);
    model_.PairCount = 0;
    model_.PairOpen = 0;
    setForeground(colour::black);
    if (parallelLight())
        lens::buildBundle(model_, -View.offsetX());
    objectHidden_ = false; // a drag shows the object point that "Info" hid
    Picture1->drawAtFlush([this] {
        DrawLens();
        DrawRays();
        if (model_.ApertureOn == 1)
            DrawBlende();
        if (!parallelLight())
            Picture1->dot(model_.RayStartX, model_.RayStartY, kDotRadius);
    });
}

void lens_form::Picture1_MouseDown(int button, int /*shift*/, float x, float y)
{
    if (LupeHandlesPress(x, y))
        return;
    if (button == 2) {
        if (!parallelLight() && model_.RayCount >= 1) {
            setForeground(colour::white);
            RayAngle = model_.RayList[model_.RayCount - 1];
            TraceRay();
            setForeground(colour::black);
            --model_.RayCount;
        }
        return;
    }
    if (button != 1)
        return;
    switch (MouseRegion) {
    case 0:
        if (!parallelLight())
            DragMode = 1;
        break;
    case 2:
        DragMode = 3;
        break;
    case 1:
        if (model_.RayCount >= kMaxEntries) {
            forms::refuse(QString::fromUtf8(kTooManyRays));
        } else if (parallelLight()) {
            DragMode = 2;
            BundlePivotY = y + (model_.lens.BlendeX - x) * model_.BundleAngle;
        } else {
            DragMode = 2;
            RayAngle = common::aimAngle(x - model_.RayStartX, y - model_.RayStartY);
            AimX = x;
            AimY = y;
            DrawPreview();
        }
        break;
    default:
        MarkImage(x, y);
        break;
    }
}

// The first click behind the lens marks an image point (with its object point
// in point-source mode); further clicks move it.
void lens_form::MarkImage(float x, float y)
{
    if (model_.PairOpen == 0) {
        if (model_.PairCount >= kMaxEntries) {
            forms::refuse(QString::fromUtf8(kTooManyImages));
            return;
        }
        model_.ImgPtX[model_.PairCount] = x;
        model_.ImgPtY[model_.PairCount] = y;
        setForeground(colour::red);
        Picture1->dot(x, y, kDotRadius);
        if (!parallelLight()) {
            model_.ObjPtX[model_.PairCount] = model_.RayStartX;
            model_.ObjPtY[model_.PairCount] = model_.RayStartY;
            setForeground(colour::blue);
            Picture1->dot(model_.RayStartX, model_.RayStartY, kDotRadius);
        }
        setForeground(colour::black);
        model_.PairOpen = 1;
        ++model_.PairCount;
    } else if (model_.PairCount >= 1) {
        const int last = model_.PairCount - 1;
        setForeground(colour::white);
        Picture1->dot(model_.ImgPtX[last], model_.ImgPtY[last], kDotRadius);
        model_.ImgPtX[last] = x;
        model_.ImgPtY[last] = y;
        setForeground(colour::red);
        Picture1->dot(x, y, kDotRadius);
        setForeground(colour::black);
    }
}

void lens_form::Picture1_MouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/)
{
    if (DragMode == 2 && !parallelLight()) {
        setForeground(colour::white);
        DrawPreview();
        setForeground(colour::black);
        // Released anywhere but in front of the lens, the ray is dropped.
        if (MouseRegion == 1 && model_.RayCount < kMaxEntries) {
            TraceRay();
            model_.RayList[model_.RayCount] = RayAngle;
            ++model_.RayCount;
        }
    }
    if (DragMode == 1 && !parallelLight())
        ReleaseObject();
    if (!parallelLight())
        DrawPointGrid();
    DragMode = 0;
}

// Released over the grid, the object point snaps to it, never past the lens.
void lens_form::ReleaseObject()
{
    setForeground(colour::white);
    DrawObjectAndPairs();
    DrawRays();
    if (model_.RayStartX < kGridRight - View.offsetX()) {
        model_.RayStartX = std::min(common::SnapTo20(model_.RayStartX), model_.lens.LensMinX);
        model_.RayStartY = common::SnapTo20(model_.RayStartY);
    }
    setForeground(colour::black);
    DrawRays();
    Form_Paint();
}

void lens_form::Picture1_DblClick()
{
    if (LupeMode == 1)
        return; // the magnifier shows the rays; they stay until it is closed
    if (parallelLight()) {
        QuerLabel->show();
        QuerSpin->show();
        return;
    }
    setForeground(colour::white);
    DrawRays();
    DrawObjectAndPairs();
    model_.RayCount = 0;
    model_.PairCount = 0;
    model_.PairOpen = 0;
    setForeground(colour::black);
    Form_Paint();
}

void lens_form::PktOption_Click()
{
    if (Picture2->isVisible())
        CloseLupe();
    EraseRaysAndMarks();
    // In parallel light the lens may stand left of where the object point returns to.
    if (model_.lens.LensMinX < kObjectStartX) {
        DrawLens();
        if (model_.ApertureOn == 1)
            DrawBlende();
        lens::keepRightOf(model_.lens, kObjectStartX);
    }
    model_.PairCount = 0;
    model_.PairOpen = 0;
    setForeground(colour::black);
    DrawLens();
    model_.LightMode = 0;
    model_.RayStartX = kObjectStartX;
    model_.RayStartY = kObjectStartY;
    DrawObjectAndPairs();
    DrawAxis();
    QuerLabel->hide();
    QuerSpin->hide();
    model_.GridLeftX = 20 - View.offsetX();
    model_.RayCount = 0;
    DrawPointGrid();
}

void lens_form::ParallelOption_Click()
{
    if (Picture2->isVisible())
        CloseLupe();
    setForeground(colour::white);
    if (!parallelLight()) {
        DrawPointGrid();
        DrawObjectAndPairs();
    } else {
        DrawImagePoints();
    }
    DrawLens();
    DrawRays();
    Picture1->line(-View.offsetX(), 0, View.width() - View.offsetX(), 0, colour::white);
    model_.RayCount = 0;
    model_.PairCount = 0;
    model_.PairOpen = 0;
    setForeground(colour::black);
    DrawLens();
    if (model_.ApertureOn == 1)
        DrawBlende();
    DrawAxis();
    model_.LightMode = 1;
    model_.BundleAngle = 0;
    model_.lens.BlendeX = lens::apertureX(model_.lens);
    model_.QuerDivisor = 3;
    RebuildBundle();
}
