#pragma once

#include "kit/strokes.h"

#include <cmath>
#include <vector>

// Optics worked out on their own, to check the kit against: thick symmetric
// glass lenses (n = 1.5) through their principal planes, and lines.
namespace optics {

struct Point {
    double x, y;
};

struct ThickLens {
    double left; // x of the left face
    double d;
    double f;

    // |R1| from 1/f = (n - 1) (2/R - (n - 1) d / (n R^2)) for R1 = -R2 = R.
    double radius() const { return (f + std::copysign(std::sqrt(f * f - 2 * f * d / 3), f)) / 2; }
    double h1() const { return f * 0.5 * d / (1.5 * radius()); }
    double h2() const { return -h1(); }
    // Gaussian image of a point through the principal planes.
    Point image(Point object) const
    {
        const double s = left + h1() - object.x;
        const double sImage = 1 / (1 / f - 1 / s);
        return {left + d + h2() + sImage, -object.y * sImage / s};
    }
};

// Where the lines through two segments cross.
inline Point meet(const kit::Stroke& a, const kit::Stroke& b)
{
    const double ax = a.x2 - a.x1, ay = a.y2 - a.y1;
    const double bx = b.x2 - b.x1, by = b.y2 - b.y1;
    const double t = ((b.x1 - a.x1) * by - (b.y1 - a.y1) * bx) / (ax * by - ay * bx);
    return {a.x1 + t * ax, a.y1 + t * ay};
}

// The ray segments from x >= from to the view's right edge: the last segment
// of each ray that passed the element ending left of `from`.
inline std::vector<kit::Stroke> toTheEdge(const kit::Strokes& strokes, double from, double right)
{
    std::vector<kit::Stroke> out;
    for (const kit::Stroke& s : strokes)
        if (s.figure == kit::Figure::RaySegment && s.x1 >= from && s.x2 == right)
            out.push_back(s);
    return out;
}

} // namespace optics
