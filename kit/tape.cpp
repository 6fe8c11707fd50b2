#include "kit/tape.h"

#include <cmath>

namespace kit {
namespace {

constexpr double kShortest = 5;
constexpr double kTickStep = 10;

double tickLength(int n)
{
    if (n % 10 == 0)
        return 25;
    if (n % 5 == 0)
        return 20;
    return 15;
}

} // namespace

Tape measuringTape(double x0, double y0, double x1, double y1)
{
    Tape tape;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    if ((std::abs(dx) < kShortest && std::abs(dy) < kShortest) || x0 == 0 || y0 == 0 || x1 == 0 || y1 == 0)
        return tape;
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return tape;
    tape.shown = true;
    const bool horizontal = std::abs(dx) > std::abs(dy);
    tape.length = horizontal ? std::abs(dx) : std::abs(dy);
    const double direction = (horizontal ? dx : dy) < 0 ? -1 : 1;
    if (horizontal)
        tape.lines.push_back({x0, y0, x1, y0});
    else
        tape.lines.push_back({x0, y0, x0, y1});
    for (int n = 0; n * kTickStep <= tape.length; ++n) {
        const double along = direction * n * kTickStep;
        const double tick = tickLength(n);
        if (horizontal)
            tape.lines.push_back({x0 + along, y0, x0 + along, y0 + tick});
        else
            tape.lines.push_back({x0, y0 + along, x0 + tick, y0 + along});
    }
    return tape;
}

} // namespace kit
