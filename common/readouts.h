#pragma once

#include <string>

// The texts every simulation shows for lengths in LE.
namespace common {

// "214 LE": the whole-number part, rounded down.
std::string lengthText(double value);
// "x = 350 LE", "y = -12 LE": the coordinate read-out under the mouse.
std::string coordinateText(char axis, double value);
// "1 Strahl", "3 Strahlen": a count with its noun in the right number.
std::string countText(int count, const std::string& one, const std::string& many);

} // namespace common
