#pragma once

#include <QRgb>

// The drawing colours the simulations share.
namespace forms::colour {

constexpr QRgb black = 0xff000000;
constexpr QRgb white = 0xffffffff;
constexpr QRgb lightGrey = 0xffc0c0c0; // RGB(192, 192, 192): axes, backward extensions
constexpr QRgb red = 0xffff0000;
constexpr QRgb green = 0xff00ff00;
constexpr QRgb blue = 0xff0000ff;

} // namespace forms::colour
