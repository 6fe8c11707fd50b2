#pragma once

#include "kit/kit_model.h"

#include <cstdint>

// What lies under the pointer in the kit's drawing area and what a press
// there will do.
namespace kit {

enum class Pointer { Arrow, Cross, SizeNESW, SizeHorizontal, SizeVertical };

// HoverZone: -2 object area, -1 the object tip (arrow and candle only), 0
// between the object and the first element, an odd k the body of element k,
// an even number >= 2 the gap behind an element, ElemCount right of the
// last element. HoverKind 1 over an element's body, else -1; only then may a
// press grab element HoverZone.
struct Hover {
    std::int16_t HoverZone;
    std::int16_t HoverKind;
    Pointer pointer;
};

Hover UpdateHover(const System& kit, double x, double y);

} // namespace kit
