#include "disk/experiment.h"

#include <algorithm>
#include <cmath>

namespace disk {

int pointSlot(float alpha) { return static_cast<int>(std::lround(double(alpha) / singlePi() * 18000)); }

bool plot(Experiment& experiment, Point point)
{
    const int slot = pointSlot(point.x);
    if (std::any_of(experiment.points.begin(), experiment.points.end(),
                    [slot](const Point& p) { return pointSlot(p.x) == slot; }))
        return false;
    experiment.points.push_back(point);
    return true;
}

bool onRefractionCurve(Point point)
{
    return point.x >= 0 && point.x <= DegToRad(90) && std::abs(point.y - refractionAngle(point.x)) <= 1e-5f;
}

} // namespace disk
