#pragma once

namespace forms {

// Maps a drawing area's user coordinates to its pixels and back.
// A negative height makes y grow upwards, as world coordinates do.
class UserScale {
public:
    // Ignored when width or height is zero or not finite, so the mapping never divides by zero.
    void setScale(double left, double top, double width, double height);
    // Pixel sizes below one are taken as one.
    void setPixelSize(double widthPx, double heightPx);

    double left() const { return left_; }
    double top() const { return top_; }
    double width() const { return width_; }
    double height() const { return height_; }
    double pixelWidth() const { return pxWidth_; }
    double pixelHeight() const { return pxHeight_; }

    double toPixelX(double x) const { return (x - left_) * pxWidth_ / width_; }
    double toPixelY(double y) const { return (y - top_) * pxHeight_ / height_; }
    double toUserX(double px) const { return left_ + px * width_ / pxWidth_; }
    double toUserY(double py) const { return top_ + py * height_ / pxHeight_; }
    // Pixels per user unit along x; radii are measured in this unit.
    double pixelsPerUnitX() const { return pxWidth_ / width_; }
    // User units per pixel, always positive.
    double unitsPerPixelX() const;
    double unitsPerPixelY() const;

private:
    double left_ = 0, top_ = 0, width_ = 1, height_ = 1;
    double pxWidth_ = 1, pxHeight_ = 1;
};

} // namespace forms
