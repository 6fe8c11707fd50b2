#pragma once

#include <cstdint>

// The mirror of the mirror simulation: spherical, parabolic or plane, facing
// left, its vertex on the optical axis y = 0. World units are LE, y upwards;
// angles are radians anticlockwise from +x.
namespace mirror {

// The mirror covers -300 <= y <= 300.
constexpr float kHalfAperture = 300;

struct Mirror {
    std::int16_t MirrorKind = 0; // 0 spherical, 1 parabolic
    float CurvCoeff = 0;         // a: > 0 concave, < 0 convex, 0 plane
    float VertexX = 1000;
    float Radius = 0;  // sphere: -0.5 / a, as last computed
    float CenterX = 0; // sphere: VertexX + Radius
};

// a = -(scroll value) x 0.00012
float curvatureFromScroll(int value);

// A spherical mirror with a <> 0; every other mirror follows the parabola x = VertexX - a y^2.
bool isSphere(const Mirror& mirror);
// Recomputes Radius and CenterX, as drawing a spherical mirror does.
void updateSphere(Mirror& mirror);
// x where the mirror surface reaches y = +-300.
float rimX(const Mirror& mirror);
// Depth of the mirror surface at height y, measured from the vertex plane.
float MirrorSag(const Mirror& mirror, float y);
// Axis crossing of a reflected axis-parallel ray (at h = 100 on a sphere, at h = objectY on a parabola).
float FocusOfParallel(const Mirror& mirror, float objectY);
// Direction of the mirror normal at height y, pointing behind the mirror.
float normalAngle(const Mirror& mirror, float y);

} // namespace mirror
