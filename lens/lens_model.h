#pragma once

#include <cstdint>
#include <optional>
#include <string>

// One thick glass lens (n = 1.5) with two spherical or plane faces on the
// optical axis y = 0, spanning y = -120 to 120. Lengths in LE, y upwards. The
// centre of a spherical face lies at its vertex plus its radius: a positive
// Radius1 and a negative Radius2 bulge outwards (the starting lens is biconvex).
namespace lens {

constexpr double kIndex = 1.5;
constexpr float kHalfHeight = 120;
constexpr float kRefRadius = 200;
constexpr float kMinThickness = 40;
constexpr float kStartThickness = 80;
constexpr float kMaxEdge = 40;
constexpr float kApertureDistance = 40;

struct Lens {
    float Vertex1X = 450;
    float Vertex2X = 530;
    float Radius1 = 200;
    float Radius2 = -200;
    float Curvature1 = 1;
    float Curvature2 = -1;
    std::int16_t Face1Curved = 1;
    std::int16_t Face2Curved = 1;
    float Center1X = 0;
    float Center2X = 0;
    float Rim1X = 0;
    float Rim2X = 0;
    float LensMinX = 0;
    float LensMaxX = 0;
    float Thickness = 80;
    float BlendeX = 0;
};

// A face as its radius scroll bar sets it.
struct Face {
    float radius;
    float curvature; // bar value / 100; 0 for a plane face
    std::int16_t curved;
};

// The face after its bar moved to `value`, and where the bar itself ends up:
// a curved face snaps to plane within 14 of zero, a plane one jumps straight to
// +-20 (radius 1000) when the bar moves away from zero.
struct FaceChange {
    Face face;
    int barValue;
};
FaceChange changeFace(const Face& face, int value);
// "Radius 1 = 200 LE"; nothing after the prefix for a plane face.
std::string radiusReadout(int faceNumber, const Face& face);

Face face1(const Lens& lens);
Face face2(const Lens& lens);
void setFace1(Lens& lens, const Face& face);
void setFace2(Lens& lens, const Face& face);

// The shape from Vertex1X and the faces, by the thickness rule: centre
// thickness 40 + both sags, kept within 40..80; derived fields updated.
void shapeLens(Lens& lens);

// The thick-lens focal length; none when both faces are plane or the lens has no power.
std::optional<double> focalLength(const Lens& lens);
// "214 LE", rounded down; empty without a focal length.
std::string focalReadout(const Lens& lens);

// The aperture plane, 40 LE in front of the lens.
float apertureX(const Lens& lens);

// Moves the lens right, if needed, so that no part of it lies left of x.
void keepRightOf(Lens& lens, float x);

} // namespace lens
