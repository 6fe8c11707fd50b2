#include "common/angles.h"

#include <cmath>

namespace common {

float singlePi() { return static_cast<float>(4.0 * std::atan(1.0)); }

float DegToRad(float degrees) { return degrees / 180.0f * singlePi(); }

float SnapTo20(float value)
{
    const double n = std::nearbyint(value);
    const double q = std::trunc(n / 20);
    const double r = n - 20 * q;
    if (std::abs(r) < 10)
        return static_cast<float>(20 * q);
    const double s = value > 0 ? 1 : value < 0 ? -1 : 0;
    return static_cast<float>(20 * (q + s));
}

float aimAngle(float dx, float dy)
{
    if (dx == 0)
        return (dy < 0 ? -0.5f : 0.5f) * singlePi();
    return static_cast<float>(std::atan(double(dy) / dx));
}

} // namespace common
