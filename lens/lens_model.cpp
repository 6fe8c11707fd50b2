#include "lens/lens_model.h"

#include "common/maths.h"
#include "common/readouts.h"

#include <algorithm>
#include <cmath>

namespace lens {
namespace {

int sign(int v) { return (v > 0) - (v < 0); }

} // namespace

FaceChange changeFace(const Face& face, int value)
{
    if (std::abs(value) > 14) {
        const float curvature = value / 100.0f;
        return {{kRefRadius / curvature, curvature, 1}, value};
    }
    if (face.curvature == 0 && value != 0) {
        // Leaving plane: straight to the flattest curved face, radius +-1000.
        const int bar = sign(value) * 20;
        return {{kRefRadius / (bar / 100.0f), bar / 100.0f, 1}, bar};
    }
    return {{face.radius, 0, 0}, 0};
}

std::string radiusReadout(int faceNumber, const Face& face)
{
    std::string text = "Radius " + std::to_string(faceNumber) + " = ";
    if (face.curved == 1)
        text += common::lengthText(face.radius);
    return text;
}

Face face1(const Lens& lens) { return {lens.Radius1, lens.Curvature1, lens.Face1Curved}; }
Face face2(const Lens& lens) { return {lens.Radius2, lens.Curvature2, lens.Face2Curved}; }

void setFace1(Lens& lens, const Face& face)
{
    lens.Radius1 = face.radius;
    lens.Curvature1 = face.curvature;
    lens.Face1Curved = face.curved;
}

void setFace2(Lens& lens, const Face& face)
{
    lens.Radius2 = face.radius;
    lens.Curvature2 = face.curvature;
    lens.Face2Curved = face.curved;
}

void shapeLens(Lens& lens)
{
    const double h = kHalfHeight;
    lens.Vertex2X = lens.Vertex1X + kStartThickness;

    if (lens.Face1Curved == 1) {
        const double theta1 = common::arcsin(h / std::abs(lens.Radius1));
        lens.Center1X = lens.Vertex1X + lens.Radius1;
        lens.Rim1X = static_cast<float>(lens.Center1X - lens.Radius1 * std::cos(theta1));
    } else {
        lens.Rim1X = lens.Vertex1X;
    }

    if (lens.Face2Curved == 1) {
        const double cos2 = std::cos(common::arcsin(h / std::abs(lens.Radius2)));
        lens.Center2X = lens.Vertex2X + lens.Radius2;
        lens.Rim2X = static_cast<float>(lens.Center2X - lens.Radius2 * cos2);
        if (lens.Rim2X - lens.Rim1X > kMaxEdge) {
            lens.Rim2X = lens.Rim1X + kMaxEdge;
            lens.Center2X = static_cast<float>(lens.Rim2X + lens.Radius2 * cos2);
            lens.Vertex2X = lens.Center2X - lens.Radius2;
        }
        if (lens.Vertex2X - lens.Vertex1X < kMinThickness) {
            lens.Vertex2X = lens.Vertex1X + kMinThickness;
            lens.Center2X = lens.Vertex2X + lens.Radius2;
            lens.Rim2X = static_cast<float>(lens.Center2X - lens.Radius2 * cos2);
        }
    } else {
        lens.Vertex2X = lens.Rim1X + kMaxEdge;
        if (lens.Vertex2X - lens.Vertex1X < kMinThickness)
            lens.Vertex2X = lens.Vertex1X + kMinThickness;
        lens.Rim2X = lens.Vertex2X;
    }

    lens.LensMinX = lens.Face1Curved == 0 || lens.Radius1 > 0 ? lens.Vertex1X : lens.Rim1X;
    lens.LensMaxX = lens.Face2Curved == 0 || lens.Radius2 < 0 ? lens.Vertex2X : lens.Rim2X;
    lens.Thickness = lens.Vertex2X - lens.Vertex1X;
    lens.BlendeX = apertureX(lens);
}

std::optional<double> focalLength(const Lens& lens)
{
    const double n = kIndex;
    const double r1 = lens.Radius1;
    const double r2 = lens.Radius2;
    double f;
    if (lens.Face1Curved == 1 && lens.Face2Curved == 1) {
        const double d = lens.Thickness;
        f = 1 / ((n - 1) * (1 / r1 - 1 / r2 + (n - 1) * d / (n * r1 * r2)));
    } else if (lens.Face2Curved == 1) {
        f = -r2 / (n - 1);
    } else if (lens.Face1Curved == 1) {
        f = r1 / (n - 1);
    } else {
        return std::nullopt;
    }
    // A meniscus whose faces cancel has no focal length to show.
    if (!std::isfinite(f))
        return std::nullopt;
    return f;
}

std::string focalReadout(const Lens& lens)
{
    const std::optional<double> f = focalLength(lens);
    return f ? common::lengthText(*f) : std::string();
}

float apertureX(const Lens& lens)
{
    const double ref = kRefRadius;
    return static_cast<float>(2 * lens.Vertex1X
                              - (lens.Vertex1X + ref - ref * std::cos(common::arcsin(kHalfHeight / ref))));
}

void keepRightOf(Lens& lens, float x)
{
    // The rim follows the vertex through the face's centre, which single
    // precision keeps coarser than the vertex: a shift by the shortfall can
    // leave it a rounding step short, and a few more such shifts may not move
    // it at all. So each further shift is the shortfall taken twice as often.
    for (float scale = 1; lens.LensMinX < x; scale *= 2) {
        const float shift = (x - lens.LensMinX) * scale;
        lens.Vertex1X = std::max(lens.Vertex1X + shift, std::nextafter(lens.Vertex1X, INFINITY));
        shapeLens(lens);
    }
}

} // namespace lens
