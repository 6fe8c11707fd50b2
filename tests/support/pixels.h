#pragma once

#include <QRgb>

class QImage;

namespace forms {
class PictureBox;
}

// The canvas pixel under a user-coordinate point (the top-left device pixel
// of it on HiDPI canvases); white outside the canvas.
QRgb pixelAt(const forms::PictureBox& box, double x, double y);

// Whether the colour occurs within `radius` device pixels of the point.
bool colourNear(const forms::PictureBox& box, double x, double y, QRgb colour, int radius = 1);

// How many canvas pixels have this colour.
int countColour(const forms::PictureBox& box, QRgb colour);
int countColour(const QImage& image, QRgb colour);
