#pragma once

#include <string>

// The texts every simulation shows for lengths in LE.
namespace common {

// "214 LE": the whole-number part, rounded down.
std::string lengthText(double value);
// "x = 350 LE", "y = -12 LE": the coordinate read-out under the mouse.
std::string coordinateText(char axis, double value);

} // namespace common
