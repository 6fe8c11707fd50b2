// What the mirror window draws. Every routine draws in the drawing area's
// current foreground colour, switching to a colour of its own only under the
// foreground rule, so the same routine called with white erases.
#include "common/angles.h"
#include "mirror/sp_form.h"

#include "forms/colours.h"
#include "forms/colour_scope.h"
#include "forms/picture_box.h"

#include <cmath>

namespace {
namespace colour = forms::colour;
} // namespace

float sp_form::viewWidth() const { return static_cast<float>(Picture1->scale().width()); }

void sp_form::setForeground(QRgb colour) { Picture1->setForeground(colour); }

void sp_form::DrawAxisAndObject()
{
    if (Picture1->foreground() == colour::black)
        axisHidden_ = false;
    if (model_.LightMode == 0)
        Picture1->dot(model_.ray.ObjectX, model_.ray.ObjectY, kDotRadius);
    Picture1->line(0, 0, viewWidth(), 0, colour::lightGrey);
}

void sp_form::DrawPointGrid()
{
    for (int x = 40; x <= 540; x += 20)
        for (int y = -260; y <= 260; y += 20)
            Picture1->point(x, y);
}

void sp_form::DrawMirror()
{
    mirror::updateSphere(model_.mirror);
    forms::ColourScope blue(*Picture1, colour::blue);
    const float a = model_.mirror.CurvCoeff;
    const float pi = common::singlePi();
    if (mirror::isSphere(model_.mirror)) {
        const float r = std::abs(model_.mirror.Radius);
        const float alpha = static_cast<float>(std::asin(mirror::kHalfAperture / r));
        if (a > 0)
            Picture1->arc(model_.mirror.CenterX, 0, r, 2 * pi - alpha, alpha);
        else
            Picture1->arc(model_.mirror.CenterX, 0, r, pi - alpha, pi + alpha);
        return;
    }
    for (float y = 0; y <= mirror::kHalfAperture; y += 0.5f) {
        const float x = model_.mirror.VertexX - a * y * y;
        Picture1->point(x, y);
        Picture1->point(x, -y);
    }
}

// The normal at the point of incidence, 150 LE in front of the mirror and 100
// behind it, with nine ticks 15 degrees apart in front.
void sp_form::DrawAngleScale()
{
    const float x = ScaleX;
    const float y = ScaleY;
    const double nu = mirror::normalAngle(model_.mirror, y);
    {
        forms::ColourScope green(*Picture1, colour::green);
        Picture1->line(x, y, x - 150 * std::cos(nu), y - 150 * std::sin(nu));
        Picture1->line(x, y, x + 100 * std::cos(nu), y + 100 * std::sin(nu));
    }
    forms::ColourScope red(*Picture1, colour::red);
    for (int k = 120; k <= 240; k += 15) {
        const double theta = nu + common::DegToRad(static_cast<float>(k));
        Picture1->line(x + 80 * std::cos(theta), y + 80 * std::sin(theta), x + 100 * std::cos(theta),
                       y + 100 * std::sin(theta));
    }
}

void sp_form::EraseAngleScale()
{
    if (ScaleShown != 1)
        return;
    const QRgb saved = Picture1->foreground();
    setForeground(colour::white);
    DrawAngleScale();
    setForeground(saved);
    ScaleShown = 0;
}

// Marked pairs keep their own colours wherever they are redrawn.
void sp_form::DrawPairs()
{
    for (int i = 0; i < model_.ImageCount; ++i) {
        setForeground(colour::red);
        Picture1->dot(model_.ImageX[i], model_.ImageY[i], kDotRadius);
        setForeground(colour::blue);
        Picture1->dot(model_.ImageObjX[i], model_.ImageObjY[i], kDotRadius);
    }
    setForeground(colour::black);
}

void sp_form::ErasePairs()
{
    const QRgb saved = Picture1->foreground();
    setForeground(colour::white);
    for (int i = 0; i < model_.ImageCount; ++i) {
        Picture1->dot(model_.ImageX[i], model_.ImageY[i], kDotRadius);
        Picture1->dot(model_.ImageObjX[i], model_.ImageObjY[i], kDotRadius);
    }
    setForeground(saved);
    model_.ImageCount = 0;
    model_.MarkPending = 0;
}

void sp_form::DrawLastImage(QRgb colour)
{
    setForeground(colour);
    Picture1->dot(model_.ImageX[model_.ImageCount - 1], model_.ImageY[model_.ImageCount - 1], kDotRadius);
    setForeground(colour::black);
}

// Traces the current ray and keeps its point of incidence in the given slot.
void sp_form::TraceRay(int slot)
{
    const mirror::Reflection result = mirror::ReflectRay(model_.mirror, model_.ray, model_.BackRays == 1, viewWidth());
    if (result.hitKnown) {
        model_.RayHitX[slot] = model_.ray.HitX;
        model_.RayHitY[slot] = model_.ray.HitY;
    }
    for (const mirror::Segment& s : result.segments) {
        if (s.pen == mirror::Pen::Backward) {
            forms::ColourScope grey(*Picture1, colour::lightGrey);
            Picture1->line(s.x1, s.y1, s.x2, s.y2);
        } else {
            Picture1->line(s.x1, s.y1, s.x2, s.y2);
        }
    }
}

// All stored rays as the current light mode draws them.
void sp_form::DrawRays()
{
    for (int i = 0; i < model_.RayCount; ++i) {
        if (model_.LightMode == 0) {
            model_.ray.RayAngle = model_.RayList[i];
        } else {
            model_.ray.ObjectY = model_.RayList[i];
            model_.ray.RayAngle = model_.BundleAngle;
        }
        TraceRay(i);
    }
}

void sp_form::DrawRubberBand()
{
    if (model_.LightMode == 0)
        Picture1->line(model_.ray.ObjectX, model_.ray.ObjectY, RubberX, RubberY);
    else
        Picture1->line(0, BundleY - BundleX * std::tan(model_.BundleAngle), BundleX, BundleY);
}

void sp_form::DrawStaying()
{
    if (!axisHidden_)
        Picture1->line(0, 0, viewWidth(), 0, colour::lightGrey);
    DrawMirror();
    if (!axisHidden_ && model_.LightMode == 0)
        Picture1->dot(model_.ray.ObjectX, model_.ray.ObjectY, kDotRadius);
    if (model_.LightMode == 0)
        DrawPointGrid();
    DrawPairs();
    // While the mirror is dragged its rays stay hidden; the release traces them
    // against its new place. Repairs must not trace them there piecemeal.
    if (DragMode != 3)
        DrawRays();
    if (ScaleShown == 1)
        DrawAngleScale();
}
