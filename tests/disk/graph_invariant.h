#pragma once

#include "disk/experiment.h"

#include <string>
#include <vector>

// What is wrong with the graph a window or a file left, or nothing: each point
// one the disk produces, one per hundredth of a degree of alpha.
inline std::string brokenGraph(const disk::Experiment& e)
{
    std::vector<bool> taken(disk::kMaxPoints, false);
    for (const disk::Point& p : e.points) {
        if (!disk::onRefractionCurve(p))
            return "a point off the refraction curve";
        if (taken[disk::pointSlot(p.x)])
            return "two points at one hundredth of a degree";
        taken[disk::pointSlot(p.x)] = true;
    }
    return e.lineShown == 0 || e.lineShown == 1 ? "" : "the comparison line neither shown nor hidden";
}
