#include "forms/user_scale.h"

#include <algorithm>
#include <cmath>

namespace forms {

void UserScale::setScale(double left, double top, double width, double height)
{
    const bool usable = std::isfinite(left) && std::isfinite(top) && std::isfinite(width)
        && std::isfinite(height) && width != 0 && height != 0;
    if (!usable)
        return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void UserScale::setPixelSize(double widthPx, double heightPx)
{
    pxWidth_ = std::max(1.0, widthPx);
    pxHeight_ = std::max(1.0, heightPx);
}

double UserScale::unitsPerPixelX() const { return std::abs(width_ / pxWidth_); }
double UserScale::unitsPerPixelY() const { return std::abs(height_ / pxHeight_); }

} // namespace forms
