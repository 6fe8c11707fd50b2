#pragma once

#include <string>

namespace forms {

// The world window of a drawing area that zooms by steps of 1.1 about the
// world origin and scrolls by two bars, each of which moves only its own axis.
// y grows upwards and the optical axis runs through the middle. Kept in
// single precision, as the zoom read-out and the scroll positions expect.
class ZoomView {
public:
    static constexpr float kMinZoom = 0.1f;
    static constexpr float kMaxZoom = 5.0f;

    // The window for a drawing area of this size, at the current zoom; the
    // left edge stays at -offsetX. Remembers the edges as the scroll base.
    void layout(double widthTwips, double heightTwips, double twipsPerLE);
    // A step in while the zoom is below 5, out while it is above 0.1;
    // false, and nothing changed, at the limit.
    bool zoomIn();
    bool zoomOut();
    // The bars' values: left = base left + value, top = base top - value.
    void scrollHorizontal(int value);
    void scrollVertical(int value);
    // Zoom 1 and no offset, as after a resize; lay out again afterwards.
    void reset();

    float zoomFactor() const { return zoom_; }
    // "110%": the whole percent, rounded down.
    std::string zoomText() const;
    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    float right() const { return left_ + width_; }
    // Minus the world x of the left edge, scaled with the zoom.
    float offsetX() const { return offsetX_; }
    float baseLeft() const { return baseLeft_; }
    float baseTop() const { return baseTop_; }

private:
    void scale(double factor);

    float zoom_ = 1;
    float left_ = 0;
    float top_ = 0;
    float width_ = 1;
    float height_ = -1;
    float offsetX_ = 0;
    float baseLeft_ = 0;
    float baseTop_ = 0;
};

} // namespace forms
