#include "mirror/reflection.h"

#include "common/maths.h"

#include <cmath>
#include <initializer_list>

namespace mirror {
namespace {

bool finite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

// The root (-B + sign sqrt(D)) / (2A) of A x^2 + B x + C, evaluated in the
// form that does not cancel. It stays exact for nearly horizontal rays on a
// parabola, and for A = 0 (a horizontal ray) it gives the single crossing.
double quadraticRoot(double A, double B, double C, double D, double sign)
{
    const double s = sign * std::sqrt(D);
    const bool cancels = (B >= 0) == (sign > 0);
    const double other = -B - s;
    if (cancels && other != 0)
        return 2 * C / other;
    return (-B + s) / (2 * A);
}

// Of the two crossings of a line with the surface, the one that is not the point of incidence.
double otherRoot(double A, double B, double C, double D, double sign, double hitX)
{
    const double first = quadraticRoot(A, B, C, D, sign);
    const double second = quadraticRoot(A, B, C, D, -sign);
    return std::abs(first - hitX) >= std::abs(second - hitX) ? first : second;
}

struct Edges {
    double leftY;  // the reflected line at x = 0
    double rightY; // the reflected line at x = W
};

Edges reflectedEdges(const RayState& ray, double width)
{
    const double t = std::tan(ray.ReflAngle);
    return {ray.HitY - ray.HitX * t, ray.HitY + (width - ray.HitX) * t};
}

struct Direction {
    double x, y;
};

// The law of reflection as vectors: the incident direction, from the start
// point to the point of incidence, mirrored about the surface normal there.
Direction reflectedDirection(const Mirror& mirror, const RayState& ray)
{
    double dx = double(ray.HitX) - ray.ObjectX;
    double dy = double(ray.HitY) - ray.ObjectY;
    if (dx == 0 && dy == 0) {
        dx = std::cos(double(ray.RayAngle));
        dy = std::sin(double(ray.RayAngle));
    }
    const double a = mirror.CurvCoeff;
    double nx = 1; // the parabola's gradient (1, 2 a y), or the sphere's radius
    double ny = 2 * a * ray.HitY;
    if (isSphere(mirror)) {
        nx = double(ray.HitX) - mirror.CenterX;
        ny = ray.HitY;
    }
    const double twice = 2 * (dx * nx + dy * ny) / (nx * nx + ny * ny);
    return {dx - twice * nx, dy - twice * ny};
}

// Whether a point of the mirror's whole surface lies on the mirror itself.
bool onMirror(const Mirror& mirror, double x, double y)
{
    return std::abs(y) <= kHalfAperture && (!isSphere(mirror) || x <= rimX(mirror));
}

// Distance along the unit direction (bx, by) from the point of incidence to
// the surface's other crossing; the crossing at the point itself is the root near 0.
double otherCrossing(const Mirror& mirror, const RayState& ray, double bx, double by)
{
    const double hx = ray.HitX;
    const double hy = ray.HitY;
    double A, B, C;
    if (isSphere(mirror)) {
        const double cx = hx - mirror.CenterX;
        A = 1;
        B = 2 * (cx * bx + hy * by);
        C = cx * cx + hy * hy - double(mirror.Radius) * mirror.Radius;
    } else {
        const double a = mirror.CurvCoeff;
        A = a * by * by;
        B = bx + 2 * a * hy * by;
        C = hx - mirror.VertexX + a * hy * hy;
    }
    if (A == 0)
        return 0; // a line along the parabola's axis crosses it once
    const double D = std::max(0.0, B * B - 4 * A * C);
    // The root of larger magnitude, in the form that does not cancel.
    return (-B - (B >= 0 ? 1 : -1) * std::sqrt(D)) / (2 * A);
}

// The backward extension runs from the point of incidence in direction
// (bx, by), against the reflected ray, to where it meets the mirror again or
// else to the drawing's edge on that side; its end goes to Hit2X, Hit2Y.
void backwardEnd(const Mirror& mirror, RayState& ray, Direction back, const Edges& edges, float viewWidth)
{
    const double len = std::hypot(back.x, back.y);
    const double bx = back.x / len;
    const double by = back.y / len;
    const double t = otherCrossing(mirror, ray, bx, by);
    const double x = ray.HitX + t * bx;
    const double y = ray.HitY + t * by;
    if (t > 0 && onMirror(mirror, x, y)) {
        ray.Hit2X = static_cast<float>(x);
        ray.Hit2Y = static_cast<float>(y);
    } else if (bx < 0) {
        ray.Hit2X = 0;
        ray.Hit2Y = static_cast<float>(edges.leftY);
    } else {
        ray.Hit2X = viewWidth;
        ray.Hit2Y = static_cast<float>(edges.rightY);
    }
}

} // namespace

void SecondHit(const Mirror& mirror, RayState& ray, float viewWidth)
{
    const double a = mirror.CurvCoeff;
    const double m = std::tan(ray.ReflAngle);
    const double c = ray.HitY - m * ray.HitX;
    const auto toRightEdge = [&] {
        ray.Hit2X = viewWidth;
        ray.Hit2Y = static_cast<float>(m * viewWidth + ray.HitY - m * ray.HitX);
    };

    if (mirror.MirrorKind == 0) {
        const double r = mirror.Radius;
        const double cx = mirror.CenterX;
        const double A = m * m + 1;
        const double B = 2 * m * c - 2 * cx;
        const double C = c * c + cx * cx - r * r;
        // The line runs through the point of incidence, so it meets the circle: D < 0 is rounding.
        const double D = std::max(0.0, B * B - 4 * A * C);
        ray.Hit2X = static_cast<float>(otherRoot(A, B, C, D, common::sgn(r), ray.HitX));
        ray.Hit2Y = static_cast<float>(m * ray.Hit2X + c);
        if (a != 0 && ray.Hit2X > rimX(mirror))
            toRightEdge();
        return;
    }

    const double A = m * m;
    const double B = 2 * m * c + 1 / a;
    const double C = c * c - mirror.VertexX / a;
    const double D = B * B - 4 * A * C;
    if (!(D >= 0))
        return; // Hit2X and Hit2Y keep their previous values
    ray.Hit2X = static_cast<float>(otherRoot(A, B, C, D, 1, ray.HitX));
    ray.Hit2Y = static_cast<float>(m * ray.Hit2X + c);
    if (mirror.VertexX + kHalfAperture * kHalfAperture * std::abs(a) < ray.Hit2X)
        toRightEdge();
}

Reflection ReflectRay(const Mirror& mirror, RayState& ray, bool backRays, float viewWidth)
{
    Reflection result;
    const double a = mirror.CurvCoeff;
    const double theta = ray.RayAngle;
    const double m = std::tan(theta);
    const double c = ray.ObjectY - m * ray.ObjectX;

    if (isSphere(mirror)) {
        const double r = mirror.Radius;
        const double cx = mirror.CenterX;
        if (!(std::abs(m * rimX(mirror) + c) < kHalfAperture))
            return result; // passes the mirror's edge
        const double A = 1 + m * m;
        const double B = 2 * m * c - 2 * cx;
        const double C = c * c + cx * cx - r * r;
        const double D = std::max(0.0, B * B - 4 * A * C);
        // Concave: the larger root, convex: the smaller one.
        ray.HitX = static_cast<float>(quadraticRoot(A, B, C, D, -common::sgn(r)));
        ray.HitY = static_cast<float>(m * ray.HitX + c);
        result.hitKnown = finite({ray.HitX, ray.HitY});
        const double phi = common::arcsin(ray.HitY / r);
        ray.ReflAngle = static_cast<float>(-(2 * phi + theta));
    } else {
        double D = 0;
        if (a == 0) {
            ray.HitX = mirror.VertexX;
        } else {
            const double A = m * m;
            const double B = 2 * m * c + 1 / a;
            const double C = c * c - mirror.VertexX / a;
            D = B * B - 4 * A * C;
            if (D >= 0)
                ray.HitX = static_cast<float>(quadraticRoot(A, B, C, D, common::sgn(a)));
        }
        if (!(D >= 0))
            return result; // misses the parabola
        ray.HitY = static_cast<float>(m * ray.HitX + c);
        result.hitKnown = finite({ray.HitX, ray.HitY});
        if (!(std::abs(ray.HitY) < kHalfAperture))
            return result;
        const double psi = std::atan(2 * a * ray.HitY);
        ray.ReflAngle = static_cast<float>(a == 0 ? -theta : 2 * psi - theta);
    }
    if (!result.hitKnown || !std::isfinite(ray.ReflAngle))
        return result;

    const Segment incident{ray.ObjectX, ray.ObjectY, ray.HitX, ray.HitY, Pen::Ray};
    std::vector<Segment> segments;

    if (a >= 0) {
        // A reflected ray that would strike the mirror a second time is not drawn at all.
        if (a > 0) {
            SecondHit(mirror, ray, viewWidth);
            const bool strikesAgain = isSphere(mirror) ? !(ray.Hit2X < rimX(mirror))
                                                       : mirror.VertexX - a * kHalfAperture * kHalfAperture <= ray.Hit2X;
            if (strikesAgain)
                return result;
        }
        const Edges edges = reflectedEdges(ray, viewWidth);
        segments.push_back(incident);
        segments.push_back({ray.HitX, ray.HitY, 0, static_cast<float>(edges.leftY), Pen::Ray});
        if (backRays)
            segments.push_back({ray.HitX, ray.HitY, viewWidth, static_cast<float>(edges.rightY), Pen::Backward});
    } else {
        // Which way the reflected ray leaves is read from its direction, not
        // from the angles' tangents, which lose the sense of travel.
        const Direction out = reflectedDirection(mirror, ray);
        const Edges edges = reflectedEdges(ray, viewWidth);
        segments.push_back(incident);
        if (out.x > 0)
            segments.push_back({ray.HitX, ray.HitY, viewWidth, static_cast<float>(edges.rightY), Pen::Ray});
        else
            segments.push_back({ray.HitX, ray.HitY, 0, static_cast<float>(edges.leftY), Pen::Ray});
        if (backRays && out.x != 0) {
            backwardEnd(mirror, ray, {-out.x, -out.y}, edges, viewWidth);
            segments.push_back({ray.HitX, ray.HitY, ray.Hit2X, ray.Hit2Y, Pen::Backward});
        }
    }

    for (const Segment& s : segments)
        if (!finite({s.x1, s.y1, s.x2, s.y2}))
            return result;
    result.segments = std::move(segments);
    return result;
}

} // namespace mirror
