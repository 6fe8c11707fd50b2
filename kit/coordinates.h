#pragma once

#include <algorithm>

namespace kit {

// Farther than any view reaches. Positions handed in by the window are held
// within it, so that storing them in single precision keeps them finite.
constexpr double kFar = 1e6;

inline float toLE(double value) { return static_cast<float>(std::clamp(value, -kFar, kFar)); }

} // namespace kit
