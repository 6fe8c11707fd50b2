#include "common/maths.h"

#include <cmath>

namespace common {

double sgn(double value) { return value > 0 ? 1.0 : value < 0 ? -1.0 : 0.0; }

double arcsin(double t) { return std::atan(t / std::sqrt(1 - t * t)); }

long long roundDown(double value) { return static_cast<long long>(std::floor(value)); }

} // namespace common
