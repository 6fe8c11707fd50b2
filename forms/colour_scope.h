#pragma once

#include "forms/colours.h"
#include "forms/picture_box.h"

namespace forms {

// The foreground rule: a routine with a colour of its own switches to it only
// while the foreground is black and switches back only if the foreground still
// holds that colour. Called with a white foreground, the same routine erases.
class ColourScope {
public:
    ColourScope(PictureBox& box, QRgb colour)
        : box_(box)
        , colour_(colour)
    {
        if (box_.foreground() == colour::black)
            box_.setForeground(colour_);
    }
    ~ColourScope()
    {
        if (box_.foreground() == colour_)
            box_.setForeground(colour::black);
    }
    ColourScope(const ColourScope&) = delete;
    ColourScope& operator=(const ColourScope&) = delete;

private:
    PictureBox& box_;
    QRgb colour_;
};

} // namespace forms
