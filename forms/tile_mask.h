#pragma once

#include <QPointF>
#include <QRegion>
#include <QSize>

#include <vector>

namespace forms {

// Which squares of a canvas a set of figures touched, on a coarse grid, so
// that a long slanted line marks a thin band of squares rather than its whole
// bounding rectangle. Coordinates are device pixels.
class TileMask {
public:
    static constexpr int kTile = 32;

    // Forgets every mark and covers a canvas of this size.
    void reset(QSize canvas);
    // Forgets every mark.
    void clear();
    bool empty() const { return count_ == 0; }

    // Marks the squares under the rectangle, grown by `pad` on every side.
    void markRect(QRectF rect, double pad);
    // Marks the squares along the segment, within `pad` of it.
    void markLine(QPointF a, QPointF b, double pad);
    // Marks the squares along an elliptic arc (angles in degrees, anticlockwise
    // on screen), within `pad` of it.
    void markArc(const QRectF& bounds, double startDegrees, double spanDegrees, double pad);

    // The marked squares as a region, each row's runs merged, scaled down by `ratio`.
    QRegion region(double ratio) const;

private:
    int columns_ = 0;
    int rows_ = 0;
    int count_ = 0;
    std::vector<char> marked_;
};

} // namespace forms
