#pragma once

#include <vector>

// The measuring tape: unrolled from where the button went down towards the
// pointer, horizontally or vertically, whichever way it reaches further.
namespace kit {

struct TapeLine {
    double x1, y1, x2, y2;
};

struct Tape {
    bool shown = false;
    std::vector<TapeLine> lines; // the tape, then its ticks
    double length = 0;           // in LE, never negative
};

// Nothing is shown for a tape shorter than 5 in both directions, or with a
// coordinate exactly 0 (the start of every fresh tape). Ticks every 10 LE are
// 15 long, every 50 LE 20, every 100 LE 25, upwards from a horizontal tape
// and to the right of a vertical one.
Tape measuringTape(double x0, double y0, double x1, double y1);

} // namespace kit
