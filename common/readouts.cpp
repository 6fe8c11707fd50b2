#include "common/readouts.h"

#include "common/maths.h"

namespace common {

std::string lengthText(double value) { return std::to_string(roundDown(value)) + " LE"; }

std::string coordinateText(char axis, double value) { return std::string(1, axis) + " = " + lengthText(value); }

std::string countText(int count, const std::string& one, const std::string& many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace common
