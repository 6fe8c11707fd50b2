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
    double normal; // phi on a sphere, psi on a parabola

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
        const double t = ray.HitY / r;
        normal = common::arcsin(t);
        ray.ReflAngle = static_cast<float>(-(2 * normal + theta));
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
        normal = std::atan(2 * a * ray.HitY);
        ray.ReflAngle = static_cast<float>(a == 0 ? -theta : 2 * normal - theta);
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
        segments.push_back(incident);
        const Edges edges = reflectedEdges(ray, viewWidth);
        const double tanTheta = std::tan(theta);
        const bool travelsRight = std::tan(double(ray.ReflAngle)) * tanTheta > 0
            && common::sgn(std::tan(normal)) == common::sgn(tanTheta);
        if (travelsRight)
            segments.push_back({ray.HitX, ray.HitY, viewWidth, static_cast<float>(edges.rightY), Pen::Ray});
        else
            segments.push_back({ray.HitX, ray.HitY, 0, static_cast<float>(edges.leftY), Pen::Ray});
        if (backRays) {
            SecondHit(mirror, ray, viewWidth);
            if (travelsRight)
                segments.push_back({ray.Hit2X, ray.Hit2Y, ray.HitX, ray.HitY, Pen::Backward});
            else
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
