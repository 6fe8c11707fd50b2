#pragma once

#include <QPointF>
#include <QRgb>
#include <QString>

#include <functional>

class QImage;

namespace forms {
class PictureBox;
}

// The canvas pixel under a user-coordinate point (the top-left device pixel
// of it on HiDPI canvases); white outside the canvas.
QRgb pixelAt(const forms::PictureBox& box, double x, double y);

// Where a user-coordinate point lies on the canvas, in device pixels.
QPointF devicePoint(const forms::PictureBox& box, double x, double y);

// Whether the colour occurs within `radius` device pixels of the point.
bool colourNear(const forms::PictureBox& box, double x, double y, QRgb colour, int radius = 1);

// Whether two canvases show the same colours everywhere (the unused alpha
// byte of an RGB32 image may differ where the same colour was painted).
bool samePixels(const QImage& a, const QImage& b);

// Whether `after` changed a pixel that `before` had painted: where an added
// figure crosses one that was there.
bool crossesPaintedPixels(const QImage& before, const QImage& after, QRgb background);

// Whether two canvases paint the same pixels, whatever their colours: the
// same figures, though drawn over one another in another order.
bool paintedAlike(const QImage& a, const QImage& b, QRgb background);

// Where the box's staying figures, drawn alone on an empty canvas, paint a
// pixel that is background on the real canvas: a hole erasing left. Empty
// when there is none.
QString holeInStayingFigures(forms::PictureBox& box);

// What goes wrong when `add` draws a figure across the staying ones and
// `remove` erases it, each followed by the repair the event loop runs: a
// figure that crosses nothing painted, a hole in the staying figures, or a
// canvas other than the one before `add`. Empty when erasing left the
// staying figures whole.
QString erasingFault(forms::PictureBox& box, const std::function<void()>& add, const std::function<void()>& remove);

// How wide a line of this colour is across its direction, in device pixels,
// measured at the middle of the segment from `from` to `to` (device pixels).
double widthAcross(const QImage& canvas, QPointF from, QPointF to, QRgb colour);

// How many canvas pixels have this colour.
int countColour(const forms::PictureBox& box, QRgb colour);
int countColour(const QImage& image, QRgb colour);
