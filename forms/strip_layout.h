#pragma once

#include "forms/geometry.h"

#include <initializer_list>
#include <optional>

class QWidget;

namespace forms {

class Form;

// The simulation windows' arrangement: a strip of controls along the top,
// whose design places scale with the window's outer size, and below it the
// drawing area with its scroll bars on the right and at the bottom.
struct StripDesign {
    double width;        // the window's outer size at design, in twips
    double height;
    double borderWidth;  // what frame and scroll bar take of that size
    double borderHeight;
    double stripHeight;
};

struct DesignPlace {
    QWidget* widget;
    TwipsRect place;
};

// Lays out the strip, its controls and the drawing area with its bars, and
// returns the drawing area's place; nothing when the window is too small.
std::optional<TwipsRect> layoutStrip(const Form& form, const StripDesign& design, QWidget* strip,
                                     std::initializer_list<DesignPlace> places, QWidget* picture,
                                     QWidget* verticalBar, QWidget* horizontalBar);

} // namespace forms
