#include "forms/tile_mask.h"

#include <QRectF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace forms {
namespace {

// A line in pieces no longer than a square, each covered by its own small box.
template <typename Box> bool alongLine(QPointF a, QPointF b, const Box& box)
{
    const double length = std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
    const int pieces = std::max(1, static_cast<int>(std::ceil(length / TileMask::kTile)));
    QPointF from = a;
    for (int i = 1; i <= pieces; ++i) {
        const QPointF to = a + (b - a) * (double(i) / pieces);
        if (box(QRectF(from, to)))
            return true;
        from = to;
    }
    return false;
}

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
    count_ = 0;
}

void TileMask::clear()
{
    if (count_ == 0)
        return;
    std::fill(marked_.begin(), marked_.end(), 0);
    count_ = 0;
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

void TileMask::markRect(QRectF rect, double pad)
{
    eachTile(rect, pad, [this](std::size_t i) {
        count_ += marked_[i] ? 0 : 1;
        marked_[i] = 1;
        return false;
    });
}

void TileMask::markLine(QPointF a, QPointF b, double pad)
{
    alongLine(a, b, [&](const QRectF& box) {
        markRect(box, pad);
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
    return alongLine(a, b, [&](const QRectF& box) { return touchesRect(box, pad); });
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
