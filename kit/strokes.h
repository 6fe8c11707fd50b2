#pragma once

#include <vector>

// What the construction kit's model hands the window to draw. The window
// draws every stroke in its current foreground colour, so drawing the same
// list in the background colour erases it.
namespace kit {

enum class Figure {
    RaySegment,      // from (x1, y1) to (x2, y2)
    ImageSymbol,     // arrow or candle image with its tip at (x1, y1), as the object is drawn
    ImageDot,        // filled dot of radius 3 at (x1, y1)
    ConstructionLine // light grey, from (x1, y1) to the virtual image at (x2, y2)
};

// Every coordinate is finite. A figure at a point repeats it in (x2, y2).
struct Stroke {
    Figure figure;
    double x1, y1, x2, y2;
};

using Strokes = std::vector<Stroke>;

} // namespace kit
