// What the lens window draws. Every routine draws in Picture1's current
// foreground colour and uses colours of its own only under the foreground
// rule, so the same routine called with white erases.
#include "lens/lens_form.h"

#include "common/angles.h"
#include "forms/colours.h"
#include "forms/colour_scope.h"
#include "forms/picture_box.h"

#include <cmath>

namespace {
namespace colour = forms::colour;
constexpr float kApertureReach = 240;
constexpr int kApertureWidth = 3;
} // namespace

float lens_form::viewRight() const { return View.right(); }

void lens_form::setForeground(QRgb colour) { Picture1->setForeground(colour); }

// The paint routine: axis, lens, in point-source mode the aperture, object
// point and marked pairs, and on the first paint only the point grid.
void lens_form::Form_Paint()
{
    Painted = 1;
    DrawAxis();
    DrawLens();
    if (!parallelLight())
        DrawObjectAndPairs();
    if (GridDrawn == 0) {
        DrawPointGrid();
        GridDrawn = 1;
    }
}

void lens_form::DrawAxis()
{
    forms::ColourScope grey(*Picture1, colour::lightGrey);
    Picture1->line(-View.offsetX(), 0, View.width() - View.offsetX(), 0);
}

void lens_form::DrawLens() { DrawLensOn(*Picture1); }

// Spherical faces are arcs about their centres, plane ones vertical lines;
// the edges at y = +-120 join the rims.
void lens_form::DrawLensOn(forms::PictureBox& box)
{
    const lens::Lens& shape = model_.lens;
    const float pi = common::singlePi();
    const float h = lens::kHalfHeight;
    if (shape.Face1Curved == 1) {
        const float theta = static_cast<float>(std::asin(h / std::abs(shape.Radius1)));
        if (shape.Radius1 > 0)
            box.arc(shape.Center1X, 0, std::abs(shape.Radius1), pi - theta, pi + theta);
        else
            box.arc(shape.Center1X, 0, std::abs(shape.Radius1), 2 * pi - theta, theta);
    } else {
        box.line(shape.Vertex1X, -h, shape.Vertex1X, h);
    }
    if (shape.Face2Curved == 1) {
        const float theta = static_cast<float>(std::asin(h / std::abs(shape.Radius2)));
        if (shape.Radius2 < 0)
            box.arc(shape.Center2X, 0, std::abs(shape.Radius2), 2 * pi - theta, theta);
        else
            box.arc(shape.Center2X, 0, std::abs(shape.Radius2), pi - theta, pi + theta);
    } else {
        box.line(shape.Vertex2X, -h, shape.Vertex2X, h);
    }
    box.line(shape.Rim1X, h, shape.Rim2X, h);
    box.line(shape.Rim1X, -h, shape.Rim2X, -h);
}

// Point-source mode: the aperture, the object point and the marked pairs.
void lens_form::DrawObjectAndPairs()
{
    if (model_.ApertureOn == 1)
        DrawBlende();
    Picture1->dot(model_.RayStartX, model_.RayStartY, kDotRadius);
    if (Picture1->foreground() == colour::black)
        objectHidden_ = false;
    DrawPairs();
}

// Red image points with their blue object points.
void lens_form::DrawPairs()
{
    for (int i = 0; i < model_.PairCount; ++i) {
        {
            forms::ColourScope red(*Picture1, colour::red);
            Picture1->dot(model_.ImgPtX[i], model_.ImgPtY[i], kDotRadius);
        }
        forms::ColourScope blue(*Picture1, colour::blue);
        Picture1->dot(model_.ObjPtX[i], model_.ObjPtY[i], kDotRadius);
    }
}

// Parallel light marks image points only.
void lens_form::DrawImagePoints()
{
    forms::ColourScope red(*Picture1, colour::red);
    for (int i = 0; i < model_.PairCount; ++i)
        Picture1->dot(model_.ImgPtX[i], model_.ImgPtY[i], kDotRadius);
}

void lens_form::DrawPointGrid()
{
    for (int column = 0; column <= 16; ++column)
        for (int y = -260; y <= 260; y += 20)
            Picture1->point(model_.GridLeftX + 20.0f * column, y);
}

// Two thick bars at the aperture plane leave |y| < 120 + BlendeOffset open.
void lens_form::DrawBlende()
{
    const float open = lens::kHalfHeight + model_.BlendeOffset;
    Picture1->setLineWidth(kApertureWidth);
    Picture1->line(model_.lens.BlendeX, open, model_.lens.BlendeX, kApertureReach);
    Picture1->line(model_.lens.BlendeX, -kApertureReach, model_.lens.BlendeX, -open);
    Picture1->setLineWidth(1);
}

void lens_form::TraceRay() { TraceRayOn(*Picture1, {model_.RayStartY, RayAngle}, true); }

// The magnifier draws the same trace without the aperture.
void lens_form::TraceRayOn(forms::PictureBox& box, RayStart ray, bool withAperture)
{
    const lens::Aperture aperture{withAperture && model_.ApertureOn == 1, model_.BlendeOffset};
    for (const lens::Segment& s :
         lens::TraceRay(model_.lens, model_.RayStartX, ray.y, ray.angle, aperture, viewRight()))
        box.line(s.x1, s.y1, s.x2, s.y2);
}

// Ray i of the list: an angle from the object point, or a bundle ray's start height.
lens_form::RayStart lens_form::rayOf(int i) const
{
    if (parallelLight())
        return {model_.RayList[i], model_.BundleAngle};
    return {model_.RayStartY, model_.RayList[i]};
}

void lens_form::DrawRays()
{
    for (int i = 0; i < model_.RayCount; ++i)
        TraceRayOn(*Picture1, rayOf(i), true);
}

// Five rays 120 / QuerDivisor apart from the view's left edge, centred on the
// axis where they cross the aperture plane.
void lens_form::RebuildBundle()
{
    lens::buildBundle(model_, -View.offsetX());
    DrawRays();
}

void lens_form::DrawPreview() { Picture1->line(model_.RayStartX, model_.RayStartY, AimX, AimY); }

// Leaves the foreground white.
void lens_form::EraseRaysAndMarks()
{
    setForeground(colour::white);
    DrawRays();
    if (parallelLight())
        DrawImagePoints();
    else
        DrawObjectAndPairs();
}

void lens_form::EraseAll()
{
    setForeground(colour::white);
    DrawRays();
    Form_Paint();
    if (parallelLight()) {
        DrawImagePoints();
        if (model_.ApertureOn == 1)
            DrawBlende();
    } else {
        DrawPointGrid();
    }
}

// Everything in black again, after EraseAll and a change of the view or the lens.
void lens_form::RedrawAll()
{
    setForeground(colour::black);
    Picture1->setLineWidth(1);
    Form_Paint();
    if (parallelLight()) {
        RebuildBundle();
        DrawImagePoints();
        if (model_.ApertureOn == 1)
            DrawBlende();
    } else {
        DrawRays();
        DrawPointGrid();
    }
}

// Drawn again where erasing cut: what the state says is on the drawing now,
// including the magnifier's marker and handle while they are shown.
void lens_form::DrawStaying()
{
    if (Painted == 0)
        return; // nothing is drawn before the first paint
    DrawAxis();
    DrawLens();
    if (parallelLight()) {
        DrawRays();
        DrawImagePoints();
        if (model_.ApertureOn == 1)
            DrawBlende();
    } else {
        if (model_.ApertureOn == 1)
            DrawBlende();
        if (!objectHidden_)
            Picture1->dot(model_.RayStartX, model_.RayStartY, kDotRadius);
        DrawPairs();
        DrawRays();
        DrawPointGrid();
    }
    if (markerDrawn_)
        DrawLupeMarker(AimX, AimY);
    if (LupeMode == 1 && LupePlacing == 0)
        DrawLupeHandle();
}
