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
    const float pi = common::singlePi();
    const float h = lens::kHalfHeight;
    if (lens.Face1Curved == 1) {
        const float theta = static_cast<float>(std::asin(h / std::abs(lens.Radius1)));
        if (lens.Radius1 > 0)
            box.arc(lens.Center1X, 0, std::abs(lens.Radius1), pi - theta, pi + theta);
        else
            box.arc(lens.Center1X, 0, std::abs(lens.Radius1), 2 * pi - theta, theta);
    } else {
        box.line(lens.Vertex1X, -h, lens.Vertex1X, h);
    }
    if (lens.Face2Curved == 1) {
        const float theta = static_cast<float>(std::asin(h / std::abs(lens.Radius2)));
        if (lens.Radius2 < 0)
            box.arc(lens.Center2X, 0, std::abs(lens.Radius2), 2 * pi - theta, theta);
        else
            box.arc(lens.Center2X, 0, std::abs(lens.Radius2), pi - theta, pi + theta);
    } else {
        box.line(lens.Vertex2X, -h, lens.Vertex2X, h);
    }
    box.line(lens.Rim1X, h, lens.Rim2X, h);
    box.line(lens.Rim1X, -h, lens.Rim2X, -h);
}

// Point-source mode: the aperture, the object point and the marked pairs.
void lens_form::DrawObjectAndPairs()
{
    if (ApertureOn == 1)
        DrawBlende();
    Picture1->dot(RayStartX, RayStartY, kDotRadius);
    if (Picture1->foreground() == colour::black)
        objectHidden_ = false;
    DrawPairs();
}

// Red image points with their blue object points.
void lens_form::DrawPairs()
{
    for (int i = 0; i < PairCount; ++i) {
        {
            forms::ColourScope red(*Picture1, colour::red);
            Picture1->dot(ImgPtX[i], ImgPtY[i], kDotRadius);
        }
        forms::ColourScope blue(*Picture1, colour::blue);
        Picture1->dot(ObjPtX[i], ObjPtY[i], kDotRadius);
    }
}

// Parallel light marks image points only.
void lens_form::DrawImagePoints()
{
    forms::ColourScope red(*Picture1, colour::red);
    for (int i = 0; i < PairCount; ++i)
        Picture1->dot(ImgPtX[i], ImgPtY[i], kDotRadius);
}

void lens_form::DrawPointGrid()
{
    for (int column = 0; column <= 16; ++column)
        for (int y = -260; y <= 260; y += 20)
            Picture1->point(GridLeftX + 20.0f * column, y);
}

// Two thick bars at the aperture plane leave |y| < 120 + BlendeOffset open.
void lens_form::DrawBlende()
{
    const float open = lens::kHalfHeight + BlendeOffset;
    Picture1->setLineWidth(kApertureWidth);
    Picture1->line(lens.BlendeX, open, lens.BlendeX, kApertureReach);
    Picture1->line(lens.BlendeX, -kApertureReach, lens.BlendeX, -open);
    Picture1->setLineWidth(1);
}

void lens_form::TraceRay() { TraceRayOn(*Picture1, {RayStartY, RayAngle}, true); }

// The magnifier draws the same trace without the aperture.
void lens_form::TraceRayOn(forms::PictureBox& box, RayStart ray, bool withAperture)
{
    const lens::Aperture aperture{withAperture && ApertureOn == 1, BlendeOffset};
    for (const lens::Segment& s : lens::TraceRay(lens, RayStartX, ray.y, ray.angle, aperture, viewRight()))
        box.line(s.x1, s.y1, s.x2, s.y2);
}

// Ray i of the list: an angle from the object point, or a bundle ray's start height.
lens_form::RayStart lens_form::rayOf(int i) const
{
    if (parallelLight())
        return {RayList[i], BundleAngle};
    return {RayStartY, RayList[i]};
}

void lens_form::DrawRays()
{
    for (int i = 0; i < RayCount; ++i)
        TraceRayOn(*Picture1, rayOf(i), true);
}

// Five rays 120 / QuerDivisor apart from the view's left edge, centred on the
// axis where they cross the aperture plane.
void lens_form::RebuildBundle()
{
    RayStartX = -View.offsetX();
    for (int i = -2; i <= 2; ++i)
        RayList[i + 2] = 120.0f * i / QuerDivisor - (lens.BlendeX + View.offsetX()) * BundleAngle;
    RayCount = 5;
    DrawRays();
}

void lens_form::DrawPreview() { Picture1->line(RayStartX, RayStartY, AimX, AimY); }

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
        if (ApertureOn == 1)
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
        if (ApertureOn == 1)
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
        if (ApertureOn == 1)
            DrawBlende();
    } else {
        if (ApertureOn == 1)
            DrawBlende();
        if (!objectHidden_)
            Picture1->dot(RayStartX, RayStartY, kDotRadius);
        DrawPairs();
        DrawRays();
        DrawPointGrid();
    }
    if (markerDrawn_)
        DrawLupeMarker(AimX, AimY);
    if (LupeMode == 1 && LupePlacing == 0)
        DrawLupeHandle();
}
