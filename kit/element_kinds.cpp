#include "kit/element_kinds.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kit {

Template templateOf(Kind kind)
{
    switch (kind) {
    case Kind::Converging:
        return {25, 150, 1200};
    case Kind::Diverging:
        return {40, -200, 2000};
    case Kind::Eye:
        return {0, 300, 1000};
    case Kind::None:
        break;
    }
    throw std::invalid_argument("not an element kind");
}

FocalRange focalRange(Kind kind)
{
    switch (kind) {
    case Kind::Converging:
        return {30, 5000};
    case Kind::Diverging:
        return {-5000, -30};
    case Kind::Eye:
        return {188, 300};
    case Kind::None:
        break;
    }
    throw std::invalid_argument("not an element kind");
}

float limitFocalLength(Kind kind, float f)
{
    if (std::isnan(f))
        return templateOf(kind).focal;
    const FocalRange range = focalRange(kind);
    return std::clamp(f, range.smallest, range.largest);
}

float steppedFocalLength(Kind kind, float current, float step, bool up)
{
    const float outwards = kind == Kind::Diverging ? -step : step;
    return limitFocalLength(kind, up ? current + outwards : current - outwards);
}

double frontRadius(Kind kind, double f, double d)
{
    // 1.5 f (1.5 f - d) is positive over every kind's range; rounding must not
    // make it negative at the edge.
    const double root = std::sqrt(std::max(0.0, 2.25 * f * f - 1.5 * d * f));
    if (kind == Kind::Diverging)
        return -(-1.5 * f + root) / 3;
    return (1.5 * f + root) / 3;
}

bool bulgesOutward(Kind kind) { return kind == Kind::Converging || kind == Kind::Eye; }

} // namespace kit
