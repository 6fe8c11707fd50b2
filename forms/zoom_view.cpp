#include "forms/zoom_view.h"

#include "common/maths.h"

namespace forms {

void ZoomView::layout(double widthTwips, double heightTwips, double twipsPerLE)
{
    const double perLE = twipsPerLE * double(zoom_);
    width_ = static_cast<float>(widthTwips / perLE);
    height_ = static_cast<float>(-heightTwips / perLE);
    top_ = -height_ / 2;
    left_ = -offsetX_;
    baseLeft_ = left_;
    baseTop_ = top_;
}

// The edges, the scroll base's top and the offset shrink with the view, so
// the world origin keeps its place on the screen.
void ZoomView::scale(double factor)
{
    width_ = static_cast<float>(width_ / factor);
    height_ = static_cast<float>(height_ / factor);
    top_ = static_cast<float>(top_ / factor);
    left_ = static_cast<float>(left_ / factor);
    baseTop_ = static_cast<float>(baseTop_ / factor);
    offsetX_ = static_cast<float>(offsetX_ / factor);
    zoom_ = static_cast<float>(zoom_ * factor);
}

bool ZoomView::zoomIn()
{
    if (!(zoom_ < kMaxZoom))
        return false;
    scale(1.1);
    return true;
}

bool ZoomView::zoomOut()
{
    if (!(zoom_ > kMinZoom))
        return false;
    scale(1 / 1.1);
    return true;
}

void ZoomView::scrollHorizontal(int value)
{
    left_ = baseLeft_ + static_cast<float>(value);
    offsetX_ = static_cast<float>(-value);
}

void ZoomView::scrollVertical(int value) { top_ = baseTop_ - static_cast<float>(value); }

void ZoomView::reset()
{
    zoom_ = 1;
    offsetX_ = 0;
}

std::string ZoomView::zoomText() const { return std::to_string(common::roundDown(double(zoom_) * 100)) + "%"; }

} // namespace forms
