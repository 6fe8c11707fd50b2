#pragma once

#include "mirror/mirror_model.h"
#include "mirror/reflection.h"

#include <array>
#include <cstdint>

namespace mirror {

constexpr int kMaxEntries = 50; // stored rays, and marked pairs
using Table = std::array<float, kMaxEntries + 1>;

// What the mirror simulation shows and an experiment file keeps: the mirror,
// the light, the object point, the stored rays and the marked point pairs.
struct Experiment {
    Mirror mirror;
    RayState ray;        // ObjectX, ObjectY: the object point in point-source light
    float LightMode = 0; // 0 point source, 1 parallel light
    float BundleAngle = 0;
    std::int16_t BackRays = 0;
    std::int16_t RayCount = 0;
    Table RayList{};    // point source: direction angle; parallel: start height at x = 0
    Table RayVertexY{}; // parallel: height at the vertex plane
    Table RayHitX{};    // points of incidence, refreshed whenever the rays are drawn
    Table RayHitY{};
    std::int16_t ImageCount = 0;
    Table ImageX{};
    Table ImageY{};
    Table ImageObjX{};
    Table ImageObjY{};
    std::int16_t MarkPending = 0; // a pair was marked for the current object position
};

// The rules the controls obey, for checking what a file brings.

// The curvature bar's range: 12 on either side for the sphere, 20 for the parabola.
int curvatureLimit(int kind);
// The bar value a curvature coefficient came from.
int curvatureScroll(float a);
// How far from the axis the object point may be dragged.
float objectHeightLimit(const Mirror& mirror);
// Whether the object point stands in front of the mirror surface at its height.
bool inFrontOfMirror(const Mirror& mirror, float x, float y);
// Whether backward extensions may be shown: for a convex or plane mirror, and
// for a concave one while the object lies between its focus and the mirror.
bool backwardRaysAllowed(const Mirror& mirror, float lightMode, float objectX, float objectY);

} // namespace mirror
