#include "mirror/mirror_model.h"

#include "common/maths.h"

#include <algorithm>
#include <cmath>

namespace mirror {

float curvatureFromScroll(int value) { return static_cast<float>(-value * 0.00012); }

bool isSphere(const Mirror& mirror) { return mirror.MirrorKind == 0 && mirror.CurvCoeff != 0; }

void updateSphere(Mirror& mirror)
{
    if (!isSphere(mirror))
        return;
    mirror.Radius = -0.5f / mirror.CurvCoeff;
    mirror.CenterX = mirror.VertexX + mirror.Radius;
}

float rimX(const Mirror& mirror)
{
    const double a = mirror.CurvCoeff;
    if (isSphere(mirror)) {
        const double r = mirror.Radius;
        return static_cast<float>(mirror.CenterX + common::sgn(a) * std::sqrt(r * r - kHalfAperture * kHalfAperture));
    }
    return static_cast<float>(mirror.VertexX - a * kHalfAperture * kHalfAperture);
}

float MirrorSag(const Mirror& mirror, float y)
{
    if (mirror.MirrorKind == 1)
        return static_cast<float>(std::abs(double(mirror.CurvCoeff) * y * y));
    const double r = std::abs(double(mirror.Radius));
    // Beyond the sphere's equator the surface goes no deeper.
    if (std::abs(y) >= r)
        return static_cast<float>(r);
    return static_cast<float>(r - std::sqrt(r * r - double(y) * y));
}

float FocusOfParallel(const Mirror& mirror, float objectY)
{
    const double a = mirror.CurvCoeff;
    double focus;
    if (mirror.MirrorKind == 0) {
        const double r = mirror.Radius;
        const double alpha = common::arcsin(std::abs(100 / r));
        const double hitX = mirror.CenterX + std::abs(r) * std::cos(alpha);
        focus = hitX - 100 / std::tan(2 * alpha);
    } else {
        const double h = objectY;
        const double hitX = mirror.VertexX - a * h * h;
        const double reflected = 2 * std::atan(2 * a * h);
        focus = reflected == 0 ? hitX : hitX - h / std::tan(reflected);
    }
    // A sphere whose radius was never computed has no focus; the vertex stands in.
    return std::isfinite(focus) ? static_cast<float>(focus) : mirror.VertexX;
}

float normalAngle(const Mirror& mirror, float y)
{
    const double a = mirror.CurvCoeff;
    if (a == 0)
        return 0;
    if (mirror.MirrorKind == 0) {
        // Clamped: a stale point of incidence may lie beyond the sphere.
        const double quotient = double(y) / -mirror.Radius;
        if (std::isnan(quotient))
            return 0;
        const double t = std::clamp(quotient, -1.0, 1.0);
        return static_cast<float>(std::abs(t) == 1 ? t * std::atan(1.0) * 2 : common::arcsin(t));
    }
    return static_cast<float>(std::atan(2 * a * y));
}

} // namespace mirror
