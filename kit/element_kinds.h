#pragma once

#include <cstdint>

// The three kinds of element in the construction kit and what each starts
// with. Lengths in LE; every lens is glass of index 1.5 with two spherical
// faces of equal and opposite radius, the eye a lens of thickness 0.
namespace kit {

enum class Kind : std::int16_t { None = 0, Converging = 1, Diverging = 2, Eye = 3 };

// Thickness, focal length and radius of the drawn outline of a new element.
struct Template {
    float thickness;
    float focal;
    float outlineRadius;
};
// Throws std::invalid_argument for Kind::None.
Template templateOf(Kind kind);

struct FocalRange {
    float smallest;
    float largest;
};
FocalRange focalRange(Kind kind);

// f limited to the kind's range; a NaN gives the template value, as an empty field does.
float limitFocalLength(Kind kind, float f);
// One spin step: `up` makes the magnitude larger (converging and eye f + step,
// diverging f - step). Either way the result lies within the kind's range.
float steppedFocalLength(Kind kind, float current, float step, bool up);

// Radius R1 of the left face of a lens of focal length f and thickness d
// (R2 = -R1): the thick-lens equation solved for a symmetric lens.
double frontRadius(Kind kind, double f, double d);

// Converging lenses and the eye bulge beyond their face planes; a diverging
// lens reaches furthest at its face planes, where its corners are.
bool bulgesOutward(Kind kind);

} // namespace kit
