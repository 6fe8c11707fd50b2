#include "tests/support/pixels.h"

#include "forms/picture_box.h"
#include "tests/support/app_fixture.h"

#include <algorithm>
#include <cmath>

namespace {

QPoint devicePixel(const forms::PictureBox& box, double x, double y)
{
    const QPointF p = devicePoint(box, x, y);
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

} // namespace

QPointF devicePoint(const forms::PictureBox& box, double x, double y)
{
    const double ratio = box.canvasRatio();
    return {box.scale().toPixelX(x) * ratio, box.scale().toPixelY(y) * ratio};
}

QRgb pixelAt(const forms::PictureBox& box, double x, double y)
{
    const QPoint p = devicePixel(box, x, y);
    if (!box.canvas().rect().contains(p))
        return qRgb(255, 255, 255);
    return box.canvas().pixel(p) | 0xff000000;
}

bool colourNear(const forms::PictureBox& box, double x, double y, QRgb colour, int radius)
{
    const QPoint centre = devicePixel(box, x, y);
    const QImage& canvas = box.canvas();
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p = centre + QPoint(dx, dy);
            if (canvas.rect().contains(p) && (canvas.pixel(p) | 0xff000000) == (colour | 0xff000000))
                return true;
        }
    return false;
}

bool samePixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) | 0xff000000) != (b.pixel(x, y) | 0xff000000))
                return false;
    return true;
}

int countColour(const forms::PictureBox& box, QRgb colour) { return countColour(box.canvas(), colour); }

int countColour(const QImage& canvas, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            count += (canvas.pixel(x, y) | 0xff000000) == (colour | 0xff000000) ? 1 : 0;
    return count;
}

bool crossesPaintedPixels(const QImage& before, const QImage& after, QRgb background)
{
    if (before.size() != after.size())
        return false;
    const QRgb opaque = background | 0xff000000;
    for (int y = 0; y < before.height(); ++y) {
        const auto* b = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* a = reinterpret_cast<const QRgb*>(after.constScanLine(y));
        for (int x = 0; x < before.width(); ++x)
            if ((b[x] | 0xff000000) != opaque && (a[x] | 0xff000000) != (b[x] | 0xff000000))
                return true;
    }
    return false;
}

bool paintedAlike(const QImage& a, const QImage& b, QRgb background)
{
    const QRgb opaque = background | 0xff000000;
    return a.createMaskFromColor(opaque, Qt::MaskOutColor) == b.createMaskFromColor(opaque, Qt::MaskOutColor);
}

// Works on one-bit masks Qt makes, eight pixels a byte: this runs after every
// fuzzer event.
QString holeInStayingFigures(forms::PictureBox& box)
{
    if (!box.repair())
        return {};
    const QImage staying = box.drawAlone(box.repair());
    const QRgb background = box.background() | 0xff000000;
    const QImage painted = staying.createMaskFromColor(background, Qt::MaskOutColor);
    const QImage bare = box.canvas().createMaskFromColor(background, Qt::MaskInColor);
    const int bytes = (painted.width() + 7) / 8;
    for (int y = 0; y < painted.height(); ++y) {
        const uchar* p = painted.constScanLine(y);
        const uchar* b = bare.constScanLine(y);
        for (int i = 0; i < bytes; ++i) {
            if (!(p[i] & b[i]))
                continue;
            for (int x = i * 8; x < std::min(i * 8 + 8, painted.width()); ++x)
                if (painted.pixelIndex(x, y) && bare.pixelIndex(x, y))
                    return QStringLiteral("a hole at device pixel (%1, %2) of %3").arg(x).arg(y).arg(box.objectName());
        }
    }
    return {};
}

QString erasingFault(forms::PictureBox& box, const std::function<void()>& add, const std::function<void()>& remove)
{
    settle();
    const QImage before = box.canvas().copy();
    add();
    settle();
    if (!crossesPaintedPixels(before, box.canvas(), box.background()))
        return QStringLiteral("the added figure crosses nothing painted");
    if (const QString hole = holeInStayingFigures(box); !hole.isEmpty())
        return QStringLiteral("added: ") + hole;
    remove();
    settle();
    if (!samePixels(box.canvas(), before))
        return QStringLiteral("erased: the canvas differs from the one before");
    if (const QString hole = holeInStayingFigures(box); !hole.isEmpty())
        return QStringLiteral("erased: ") + hole;
    return {};
}

double widthAcross(const QImage& canvas, QPointF from, QPointF to, QRgb colour)
{
    const QPointF middle = (from + to) / 2;
    const QPointF along = to - from;
    const double length = std::hypot(along.x(), along.y());
    const QPointF normal(-along.y() / length, along.x() / length);
    constexpr double step = 0.05;
    double first = 0;
    double last = -step;
    for (double t = -20; t <= 20; t += step) {
        const QPointF p = middle + normal * t;
        const QPoint pixel(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
        if (!canvas.rect().contains(pixel) || (canvas.pixel(pixel) | 0xff000000) != (colour | 0xff000000))
            continue;
        if (last < first)
            first = t;
        last = t;
    }
    return last < first ? 0 : last - first + step;
}
