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
    if (!parallelLight() && std::abs(x - RayStartX) < kNear && std::abs(y - RayStartY) < kNear) {
        MouseRegion = 0;
        Picture1->setPointer(forms::Pointer::SizeNESW);
    }
    if (RayStartX + kNear <= x && x < lens.LensMinX) {
        MouseRegion = 1;
        Picture1->setPointer(parallelLight() ? forms::Pointer::SizeNS : forms::Pointer::Cross);
    }
    if (lens.LensMinX < x && x < lens.LensMaxX) {
        MouseRegion = 2;
        Picture1->setPointer(forms::Pointer::SizeWE);
    }
    if (x > lens.LensMaxX) {
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
        RayAngle = common::aimAngle(x - RayStartX, y - RayStartY);
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
    if (x != lens.BlendeX)
        BundleAngle = static_cast<float>(std::atan(double(BundlePivotY - y) / (lens.BlendeX - x)));
    RebuildBundle();
    DrawImagePoints();
    PairOpen = 0;
}

// Moving the object point after an image point was marked starts a new set of rays.
void lens_form::MoveObject(float x, float y)
{
    setForeground(colour::white);
    DrawObjectAndPairs();
    DrawRays();
    RayStartX = std::min(x, lens.LensMinX);
    RayStartY = y;
    setForeground(colour::black);
    Form_Paint();
    if (PairOpen == 1) {
        RayCount = 0;
        PairOpen = 0;
    }
    DrawRays();
}

// The lens centre follows the mouse; no part of the lens passes the object point
// (the view's left edge in parallel light).
void lens_form::MoveLens(float x)
{
    setForeground(colour::white);
    Form_Paint();
    DrawRays();
    if (parallelLight()) {
        DrawImagePoints();
        if (ApertureOn == 1)
            DrawBlende();
    }
    lens.Vertex1X = x - lens.Thickness / 2;
    lens::shapeLens(lens);
    lens::keepRightOf(lens, RayStartX);
    PairCount = 0;
    PairOpen = 0;
    setForeground(colour::black);
    Form_Paint();
    if (parallelLight()) {
        if (ApertureOn == 1)
            DrawBlende();
        RebuildBundle();
    } else {
        DrawRays();
    }
}

void lens_form::Picture1_MouseDown(int button, int /*shift*/, float x, float y)
{
    if (LupeHandlesPress(x, y))
        return;
    if (button == 2) {
        if (!parallelLight() && RayCount >= 1) {
            setForeground(colour::white);
            RayAngle = RayList[RayCount - 1];
            TraceRay();
            setForeground(colour::black);
            --RayCount;
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
        if (RayCount >= kMaxEntries) {
            forms::refuse(QString::fromUtf8(kTooManyRays));
        } else if (parallelLight()) {
            DragMode = 2;
            BundlePivotY = y + (lens.BlendeX - x) * BundleAngle;
        } else {
            DragMode = 2;
            RayAngle = common::aimAngle(x - RayStartX, y - RayStartY);
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
    if (PairOpen == 0) {
        if (PairCount >= kMaxEntries) {
            forms::refuse(QString::fromUtf8(kTooManyImages));
            return;
        }
        ImgPtX[PairCount] = x;
        ImgPtY[PairCount] = y;
        setForeground(colour::red);
        Picture1->dot(x, y, kDotRadius);
        if (!parallelLight()) {
            ObjPtX[PairCount] = RayStartX;
            ObjPtY[PairCount] = RayStartY;
            setForeground(colour::blue);
            Picture1->dot(RayStartX, RayStartY, kDotRadius);
        }
        setForeground(colour::black);
        PairOpen = 1;
        ++PairCount;
    } else if (PairCount >= 1) {
        const int last = PairCount - 1;
        setForeground(colour::white);
        Picture1->dot(ImgPtX[last], ImgPtY[last], kDotRadius);
        ImgPtX[last] = x;
        ImgPtY[last] = y;
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
        if (MouseRegion == 1 && RayCount < kMaxEntries) {
            TraceRay();
            RayList[RayCount] = RayAngle;
            ++RayCount;
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
    if (RayStartX < kGridRight - View.offsetX()) {
        RayStartX = std::min(common::SnapTo20(RayStartX), lens.LensMinX);
        RayStartY = common::SnapTo20(RayStartY);
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
    RayCount = 0;
    PairCount = 0;
    PairOpen = 0;
    setForeground(colour::black);
    Form_Paint();
}

void lens_form::PktOption_Click()
{
    if (Picture2->isVisible())
        CloseLupe();
    EraseRaysAndMarks();
    // In parallel light the lens may stand left of where the object point returns to.
    if (lens.LensMinX < kObjectStartX) {
        DrawLens();
        if (ApertureOn == 1)
            DrawBlende();
        lens::keepRightOf(lens, kObjectStartX);
    }
    PairCount = 0;
    PairOpen = 0;
    setForeground(colour::black);
    DrawLens();
    LightMode = 0;
    RayStartX = kObjectStartX;
    RayStartY = kObjectStartY;
    DrawObjectAndPairs();
    DrawAxis();
    QuerLabel->hide();
    QuerSpin->hide();
    GridLeftX = 20 - View.offsetX();
    RayCount = 0;
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
    RayCount = 0;
    PairCount = 0;
    PairOpen = 0;
    setForeground(colour::black);
    DrawLens();
    if (ApertureOn == 1)
        DrawBlende();
    DrawAxis();
    LightMode = 1;
    BundleAngle = 0;
    lens.BlendeX = lens::apertureX(lens);
    QuerDivisor = 3;
    RebuildBundle();
}
