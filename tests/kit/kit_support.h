#pragma once

#include "kit/eye.h"
#include "kit/kit_model.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

// Building kits for the tests, and optics worked out on their own to check
// the kit against: thick symmetric glass lenses (n = 1.5) through their
// principal planes, and lines.
namespace support {

constexpr double kRight = 3000; // right edge of the view

inline kit::System kitWith(const std::vector<kit::Kind>& kinds, kit::ObjectMode mode = kit::ObjectMode::Arrow)
{
    kit::System s;
    for (kit::Kind kind : kinds)
        s.AddElement(kind);
    if (mode != kit::ObjectMode::Arrow)
        s.chooseObject(mode, 0);
    return s;
}

inline int countOf(const kit::Strokes& strokes, kit::Figure figure)
{
    return static_cast<int>(
        std::count_if(strokes.begin(), strokes.end(), [figure](const kit::Stroke& s) { return s.figure == figure; }));
}

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
    // Gaussian image of a point, through the principal planes at left + h1 and left + d - h1.
    Point image(Point object) const
    {
        const double s = left + h1() - object.x;
        const double sImage = 1 / (1 / f - 1 / s);
        return {left + d - h1() + sImage, -object.y * sImage / s};
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

// A ray segment that runs through the eyeball (right of the eye lens) must
// end where it first meets the ball or the retina's plane; empty when all do.
inline std::string rayLeavingTheEye(const kit::System& s, const kit::Strokes& strokes)
{
    if (!s.hasEye())
        return {};
    constexpr double tolerance = 1e-4;
    const double lens = s.eyeX();
    const double cx = s.eyeBallX();
    const double plane = lens + s.EyeDepth;
    const auto inBall = [&](double x, double y, double margin) { return std::hypot(x - cx, y) < kit::EyeR + margin; };
    for (const kit::Stroke& r : strokes) {
        const double dx = r.x2 - r.x1;
        const double dy = r.y2 - r.y1;
        if (r.figure != kit::Figure::RaySegment || !(dx > 0) || r.x2 <= lens)
            continue;
        // The segment's point nearest the centre, right of the lens plane.
        const double from = std::max(0.0, (lens - r.x1) / dx);
        const double t = std::clamp(((cx - r.x1) * dx - r.y1 * dy) / (dx * dx + dy * dy), from, 1.0);
        if (!inBall(r.x1 + t * dx, r.y1 + t * dy, -tolerance))
            continue;
        if (!inBall(r.x2, r.y2, tolerance) || r.x2 > plane + tolerance)
            return "a ray from (" + std::to_string(r.x1) + ", " + std::to_string(r.y1) + ") runs out of the eye to ("
                + std::to_string(r.x2) + ", " + std::to_string(r.y2) + ")";
    }
    return {};
}

} // namespace support
