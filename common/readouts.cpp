#include "common/readouts.h"

#include "common/maths.h"

namespace common {

std::string lengthText(double value) { return std::to_string(roundDown(value)) + " LE"; }

std::string coordinateText(char axis, double value) { return std::string(1, axis) + " = " + lengthText(value); }

} // namespace common
