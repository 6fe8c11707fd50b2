#pragma once

#include "common/angles.h"

#include <vector>

// Refraction of one ray from air into a semicircular glass body (n = 1.5), on
// the optical disk. Angles are in radians from the normal, single precision as
// the read-outs need; disk coordinates have the centre of the plane face at the
// origin and y upwards.
namespace disk {

using common::DegToRad;
using common::singlePi;

struct Point {
    float x = 0;
    float y = 0;
};

struct Segment {
    Point from;
    Point to;
};

constexpr double kRefractiveIndex = 1.5;

// Whole degrees, rounded down, computed with the single-precision pi.
int wholeDegrees(float radians);

// Angle of refraction by the law of refraction; never above arcsin(2/3).
float refractionAngle(float alpha);

// A press starts a ray only in the upper-left quadrant, plane face included.
bool pressStartsRay(float x, float y);
float alphaAtPress(float x, float y);
// While dragging, right of the normal counts as alpha 0 and below the face as 90 degrees.
float alphaWhileDragging(float x, float y);

float rayLength(float areaWidth, float areaHeight);
// Far ends of the incident ray (upper left) and the refracted ray (lower right).
Point incidentEnd(float alpha, float length);
Point refractedEnd(float beta, float length);

// The graduated ring, the plane face and the normal, radii scaled by f.
std::vector<Segment> diskLines(float f);
// Grey lines of the graph every 15 degrees, its top and right border included.
std::vector<Segment> gridLines();
// alpha / beta = 1.5 through the origin, across the graph.
Segment comparisonLine();

} // namespace disk
