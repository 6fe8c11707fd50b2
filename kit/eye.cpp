#include "kit/eye.h"

#include <algorithm>
#include <cmath>

namespace kit {
namespace {

// The line's crossings with the ball, measured along the line from its point
// above the centre. Working along the line keeps steep lines exact, where
// solving for x would cancel.
struct Chord {
    double ux, uy; // unit direction, rightwards
    double k;      // height of the line above the centre
    double half;   // half the chord, squared; <= 0 when the line misses
};

Chord chord(double m, double b, double centreX)
{
    const double norm = std::hypot(1.0, m);
    const double ux = 1 / norm;
    const double k = m * centreX + b;
    const double distance = k * ux;
    return {ux, m * ux, k, EyeR * EyeR - distance * distance};
}

EyePoint along(const Chord& c, double centreX, double t) { return {centreX + t * c.ux, c.k + t * c.uy}; }

} // namespace

std::optional<EyePoint> EyeEntry(double m, double b, double eyeX)
{
    const double centreX = eyeX + EyeBallOffset;
    const Chord c = chord(m, b, centreX);
    if (!(c.half > 0))
        return std::nullopt;
    const double mid = -c.k * c.uy;
    const double h = std::sqrt(c.half);
    for (const double t : {mid - h, mid + h}) {
        const EyePoint p = along(c, centreX, t);
        if (p.x >= eyeX)
            return p;
    }
    return std::nullopt;
}

bool EyeTest(double m, double b, double eyeX) { return EyeEntry(m, b, eyeX).has_value(); }

EyePoint EyeExit(double m, double b, double eyeX)
{
    const double centreX = eyeX + EyeBallOffset;
    const Chord c = chord(m, b, centreX);
    // The line starts inside the ball; rounding must not make it miss.
    return along(c, centreX, -c.k * c.uy + std::sqrt(std::max(0.0, c.half)));
}

double retinaHalfHeight(double depth)
{
    const double fromCentre = depth - EyeBallOffset;
    return std::sqrt(std::max(0.0, EyeR * EyeR - fromCentre * fromCentre));
}

EyeOutline eyeOutline(double eyeX, double depth)
{
    constexpr double gap = 0.05; // radians left open at the lens rim and the retina corners
    constexpr double retinaShort = 20;
    constexpr double lensRim = 200;
    const double pi = 4 * std::atan(1.0);
    const double corner = std::acos((depth - EyeBallOffset) / EyeR);
    const double rim = std::atan(lensRim / EyeBallOffset);
    return {eyeX + EyeBallOffset,
            corner + gap,
            pi - rim - gap,
            pi + rim + gap,
            2 * pi - corner - gap,
            eyeX + depth,
            retinaHalfHeight(depth) - retinaShort};
}

} // namespace kit
