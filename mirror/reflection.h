#pragma once

#include "mirror/mirror_model.h"

#include <vector>

// The law of reflection at the mirror: where a ray meets it, the reflected
// direction, and which segments of the ray are drawn.
namespace mirror {

enum class Pen { Ray, Backward };

struct Segment {
    float x1, y1, x2, y2;
    Pen pen;
};

// The ray being traced and what tracing it leaves behind, as the window keeps it.
struct RayState {
    float ObjectX = 100; // start point: the object point, or (0, start height) for parallel light
    float ObjectY = 100;
    float RayAngle = 0;
    float HitX = 0; // point of incidence
    float HitY = 0;
    float ReflAngle = 0;
    float Hit2X = 0; // second meeting of the reflected line with the mirror, or its point on the right edge
    float Hit2Y = 0;
};

struct Reflection {
    // HitX and HitY are the ray's point of incidence, to be kept in the hit tables.
    bool hitKnown = false;
    // Empty when the ray passes the mirror or would strike it a second time.
    std::vector<Segment> segments;
};

// Traces the ray from (ObjectX, ObjectY) at RayAngle; the drawing area is
// viewWidth LE wide. Backward extensions are included when backRays is set.
Reflection ReflectRay(const Mirror& mirror, RayState& ray, bool backRays, float viewWidth);

// Where the reflected line meets the mirror surface again, or its point on the right edge.
void SecondHit(const Mirror& mirror, RayState& ray, float viewWidth);

} // namespace mirror
