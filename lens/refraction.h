#pragma once

#include "lens/lens_model.h"

#include <vector>

// The law of refraction at both faces of the lens: one ray followed exactly,
// with the aperture and total internal reflection.
namespace lens {

struct Segment {
    float x1, y1, x2, y2;
};

struct Aperture {
    bool on = false;
    float offset = 0; // BlendeScroll: 0 fully open down to -110
};

// Where a ray enters and leaves the glass and its directions inside and after, in double precision.
struct RayPath {
    double x1, y1, alpha1; // entry at face 1, direction inside
    double x2, y2, alpha2; // exit at face 2, direction after
};

// Nothing when the ray passes the lens, misses face 2 or is totally reflected at it.
std::optional<RayPath> refract(const Lens& lens, double x0, double y0, double angle);

// The segments of a ray from (x0, y0) at `angle`, the exit segment ending at
// x = viewRight. Empty when the ray misses face 1 or face 2 or is totally
// reflected inside the glass; only the part up to the aperture plane when the
// aperture stops a ray that starts in front of it.
std::vector<Segment> TraceRay(const Lens& lens, float x0, float y0, float angle, const Aperture& aperture,
                              float viewRight);

} // namespace lens
