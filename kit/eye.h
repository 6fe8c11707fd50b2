#pragma once

#include <optional>

// The eyeball behind the eye lens: a circle of radius EyeR on the axis that
// passes through the rim of the lens (y = +-200 in the lens plane).
namespace kit {

constexpr double EyeR = 250;
// From the eye lens to the centre of the ball: sqrt(250^2 - 200^2).
constexpr double EyeBallOffset = 150;

struct EyePoint {
    double x;
    double y;
};

// Whether the line y = m x + b, reaching the plane of the eye lens at eyeX
// outside the lens, enters the eyeball: it must cut the ball (pass its centre
// closer than EyeR) at a point no further left than the lens plane, since
// the ball left of the lens is not there to be entered.
bool EyeTest(double m, double b, double eyeX);
// Where it enters: the leftmost such crossing; nothing when EyeTest fails.
std::optional<EyePoint> EyeEntry(double m, double b, double eyeX);
// Where a line that runs inside the ball leaves it on the right.
EyePoint EyeExit(double m, double b, double eyeX);
// Half height of the ball at `depth` behind the lens (0 beyond the ball).
double retinaHalfHeight(double depth);

// What is drawn of the eye behind its lens: the ball's wall as two arcs
// (radians anticlockwise from +x about the centre) that reach from the lens
// rim to the retina's plane, with small gaps at both, and the retina, 20
// short of the ball at its plane.
struct EyeOutline {
    double centreX;
    double upperFrom, upperTo;
    double lowerFrom, lowerTo;
    double retinaX;
    double retinaHalf;
};
EyeOutline eyeOutline(double eyeX, double depth);

} // namespace kit
