#pragma once

#include <QPointF>
#include <QRegion>
#include <QSize>

#include <vector>

namespace forms {

// Which squares of a canvas a set of figures touched, on a coarse grid, so
// that a long slanted line marks a thin band of squares rather than its whole
// bounding rectangle. Coordinates are device pixels; `pad` grows a figure on
// every side.
class TileMask {
public:
    static constexpr int kTile = 32;

    // Forgets every mark and covers a canvas of this size.
    void reset(QSize canvas);
    // Forgets every mark.
    void clear();
    bool empty() const { return !any_; }

    void markRect(QRectF rect, double pad);
    void markLine(QPointF a, QPointF b, double pad);
    // An elliptic arc; angles in degrees, anticlockwise on screen.
    void markArc(const QRectF& bounds, double startDegrees, double spanDegrees, double pad);

    // Whether the figure touches a marked square.
    bool touchesRect(QRectF rect, double pad) const;
    bool touchesLine(QPointF a, QPointF b, double pad) const;
    bool touchesArc(const QRectF& bounds, double startDegrees, double spanDegrees, double pad) const;

    // The marked squares as a region, each row's runs merged, scaled down by `ratio`.
    QRegion region(double ratio) const;

private:
    // Calls visit(index) for each square under the rectangle, until it returns true.
    template <typename Visit> bool eachTile(QRectF rect, double pad, const Visit& visit) const;
    // The same for each square within `pad` of the line a-b.
    template <typename Visit> bool eachTileAlong(QPointF a, QPointF b, double pad, const Visit& visit) const;

    int columns_ = 0;
    int rows_ = 0;
    bool any_ = false;
    std::vector<char> marked_;
};

} // namespace forms
