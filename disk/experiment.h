#pragma once

#include "disk/disk_model.h"

#include <cstdint>
#include <vector>

namespace disk {

// The graph keeps at most one point per hundredth of a degree of alpha, 0 to
// 90 degrees: however long one drags in continuous mode, the list stays this
// short, the graph redraws it at once and a file of it stays below 1 MB.
constexpr int kMaxPoints = 9001;

// What DISKA shows besides the current ray, and what an experiment file keeps:
// the points plotted in the graph, the graph's mode and the comparison line.
struct Experiment {
    std::vector<Point> points;  // (alpha, beta) in radians, in the order plotted
    bool continuous = false;    // a point for every move while dragging, not only at the release
    std::int16_t lineShown = 0; // 1 while the comparison line alpha / beta = 1.5 is shown
};

// The hundredth of a degree of alpha a point is kept for: 0 to 9000.
int pointSlot(float alpha);
// Adds the point unless one is kept for its slot already; whether it did.
bool plot(Experiment& experiment, Point point);
// Whether the disk can produce the point: alpha from 0 to 90 degrees and
// beta its angle of refraction, to within the rounding of a written number.
bool onRefractionCurve(Point point);

} // namespace disk
