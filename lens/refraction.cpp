#include "lens/refraction.h"

#include "common/maths.h"

#include <algorithm>
#include <cmath>

namespace lens {
namespace {

// The crossing of the line y = m x + c with the circle about (centreX, 0) on
// the side of the face's vertex, or nothing when the line misses the circle.
std::optional<double> crossFace(double m, double c, double centreX, double radius)
{
    const double A = 1 + m * m;
    const double B = 2 * m * c - 2 * centreX;
    const double C = c * c + centreX * centreX - radius * radius;
    const double D = B * B - 4 * A * C;
    if (D < 0)
        return std::nullopt;
    return (-B - common::sgn(radius) * std::sqrt(D)) / (2 * A);
}

} // namespace

std::optional<RayPath> refract(const Lens& lens, double x0, double y0, double angle)
{
    const double n = kIndex;
    const double m = std::tan(angle);
    const double c = y0 - x0 * m;
    if (!(std::abs(m * lens.Rim1X + c) < kHalfHeight))
        return std::nullopt; // passes the lens

    RayPath path{};
    if (lens.Face1Curved == 1) {
        // The line crosses the rim plane inside the lens, so it meets face 1.
        path.x1 = crossFace(m, c, lens.Center1X, lens.Radius1).value_or(lens.Vertex1X);
        const double phi1 = common::arcsin((c + m * path.x1) / lens.Radius1);
        path.alpha1 = common::arcsin(std::sin(angle + phi1) / n) - phi1;
    } else {
        path.x1 = lens.Vertex1X;
        path.alpha1 = common::arcsin(std::sin(angle) / n);
    }
    path.y1 = c + m * path.x1;

    const double m1 = std::tan(path.alpha1);
    const double c1 = path.y1 - m1 * path.x1;
    double s;
    double phi2 = 0;
    if (lens.Face2Curved == 1) {
        const std::optional<double> cross = crossFace(m1, c1, lens.Center2X, lens.Radius2);
        if (!cross)
            return std::nullopt; // misses face 2
        path.x2 = *cross;
        phi2 = common::arcsin((c1 + m1 * path.x2) / lens.Radius2);
        s = n * std::sin(path.alpha1 + phi2);
    } else {
        path.x2 = lens.Vertex2X;
        s = n * std::sin(path.alpha1);
    }
    if (!(std::abs(s) < 1))
        return std::nullopt; // totally reflected inside the glass
    path.alpha2 = common::arcsin(s) - phi2;
    path.y2 = c1 + m1 * path.x2;
    return path;
}

std::vector<Segment> TraceRay(const Lens& lens, float x0, float y0, float angle, const Aperture& aperture,
                              float viewRight)
{
    const std::optional<RayPath> path = refract(lens, x0, y0, angle);
    if (!path)
        return {};

    // The aperture stops only rays that reach its plane from the left.
    if (aperture.on && x0 < lens.BlendeX) {
        const double yB = y0 + std::tan(double(angle)) * (lens.BlendeX - x0);
        if (!(std::abs(yB) < kHalfHeight + aperture.offset))
            return {{x0, y0, lens.BlendeX, static_cast<float>(yB)}};
    }

    const double y3 = path->y2 + std::tan(path->alpha2) * (viewRight - path->x2);
    const auto f = [](double v) { return static_cast<float>(v); };
    std::vector<Segment> segments{
        {x0, y0, f(path->x1), f(path->y1)},
        {f(path->x1), f(path->y1), f(path->x2), f(path->y2)},
        {f(path->x2), f(path->y2), viewRight, f(y3)},
    };
    for (const Segment& seg : segments)
        if (!std::isfinite(seg.x1) || !std::isfinite(seg.y1) || !std::isfinite(seg.x2) || !std::isfinite(seg.y2))
            return {};
    return segments;
}

} // namespace lens
