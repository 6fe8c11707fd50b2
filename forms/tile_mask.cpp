#include "forms/tile_mask.h"

#include <QRectF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace forms {
namespace {

// An arc in chords no longer than half a square, which stay within one square of it.
template <typename Box> bool alongArc(const QRectF& bounds, double startDegrees, double spanDegrees, const Box& box)
{
    const double rx = bounds.width() / 2;
    const double ry = bounds.height() / 2;
    const QPointF centre = bounds.center();
    const double start = startDegrees * std::numbers::pi / 180;
    const double span = spanDegrees * std::numbers::pi / 180;
    const double step = TileMask::kTile / 2.0 / std::max({rx, ry, 1.0});
    const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(span) / step)));
    const auto at = [&](int i) {
        const double t = start + span * i / pieces;
        return QPointF(centre.x() + rx * std::cos(t), centre.y() - ry * std::sin(t));
    };
    QPointF from = at(0);
    for (int i = 1; i <= pieces; ++i) {
        const QPointF to = at(i);
        if (box(QRectF(from, to)))
            return true;
        from = to;
    }
    return false;
}

} // namespace

void TileMask::reset(QSize canvas)
{
    columns_ = (canvas.width() + kTile - 1) / kTile;
    rows_ = (canvas.height() + kTile - 1) / kTile;
    marked_.assign(static_cast<std::size_t>(columns_) * rows_, 0);
    any_ = false;
}

void TileMask::clear()
{
    if (!any_)
        return;
    std::fill(marked_.begin(), marked_.end(), 0);
    any_ = false;
}

template <typename Visit> bool TileMask::eachTile(QRectF rect, double pad, const Visit& visit) const
{
    rect = rect.normalized().adjusted(-pad, -pad, pad, pad);
    const auto tile = [](double v) { return static_cast<int>(std::floor(v / kTile)); };
    const int left = std::max(0, tile(rect.left()));
    const int right = std::min(columns_ - 1, tile(rect.right()));
    const int top = std::max(0, tile(rect.top()));
    const int bottom = std::min(rows_ - 1, tile(rect.bottom()));
    for (int row = top; row <= bottom; ++row)
        for (int column = left; column <= right; ++column)
            if (visit(static_cast<std::size_t>(row) * columns_ + column))
                return true;
    return false;
}

// Row by row: in each row of squares, the run under the part of the line that
// lies within `pad` of the row, widened by `pad`. A thick line marks a band
// a few squares wide, however long and slanted it is.
template <typename Visit> bool TileMask::eachTileAlong(QPointF a, QPointF b, double pad, const Visit& visit) const
{
    if (a.y() > b.y())
        std::swap(a, b);
    const auto tile = [](double v) { return static_cast<int>(std::floor(v / kTile)); };
    const int top = std::max(0, tile(a.y() - pad));
    const int bottom = std::min(rows_ - 1, tile(b.y() + pad));
    const double dy = b.y() - a.y();
    const auto xAt = [&](double y) { return dy > 0 ? a.x() + (b.x() - a.x()) * ((y - a.y()) / dy) : a.x(); };
    for (int row = top; row <= bottom; ++row) {
        double x0 = xAt(std::max(a.y(), row * kTile - pad));
        double x1 = dy > 0 ? xAt(std::min(b.y(), (row + 1) * kTile + pad)) : b.x();
        if (x0 > x1)
            std::swap(x0, x1);
        const int left = std::max(0, tile(x0 - pad));
        const int right = std::min(columns_ - 1, tile(x1 + pad));
        for (int column = left; column <= right; ++column)
            if (visit(static_cast<std::size_t>(row) * columns_ + column))
                return true;
    }
    return false;
}

void TileMask::markRect(QRectF rect, double pad)
{
    eachTile(rect, pad, [this](std::size_t i) {
        marked_[i] = 1;
        any_ = true;
        return false;
    });
}

void TileMask::markLine(QPointF a, QPointF b, double pad)
{
    eachTileAlong(a, b, pad, [this](std::size_t i) {
        marked_[i] = 1;
        any_ = true;
        return false;
    });
}

void TileMask::markArc(const QRectF& bounds, double startDegrees, double spanDegrees, double pad)
{
    alongArc(bounds, startDegrees, spanDegrees, [&](const QRectF& box) {
        markRect(box, pad);
        return false;
    });
}

bool TileMask::touchesRect(QRectF rect, double pad) const
{
    return eachTile(rect, pad, [this](std::size_t i) { return marked_[i] != 0; });
}

bool TileMask::touchesLine(QPointF a, QPointF b, double pad) const
{
    return eachTileAlong(a, b, pad, [this](std::size_t i) { return marked_[i] != 0; });
}

bool TileMask::touchesArc(const QRectF& bounds, double startDegrees, double spanDegrees, double pad) const
{
    return alongArc(bounds, startDegrees, spanDegrees, [&](const QRectF& box) { return touchesRect(box, pad); });
}

QRegion TileMask::region(double ratio) const
{
    QRegion result;
    const auto logical = [ratio](int device) { return device / ratio; };
    for (int row = 0; row < rows_; ++row) {
        int column = 0;
        while (column < columns_) {
            if (!marked_[static_cast<std::size_t>(row) * columns_ + column]) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < columns_ && marked_[static_cast<std::size_t>(row) * columns_ + column])
                ++column;
            const QRectF run(logical(first * kTile), logical(row * kTile), logical((column - first) * kTile),
                             logical(kTile));
            result += run.toAlignedRect();
        }
    }
    return result;
}

} // namespace forms
