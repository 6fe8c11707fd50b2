#include "disk/disk_model.h"

#include "common/maths.h"

#include <cmath>

namespace disk {
namespace {

constexpr float kInnerTick = 220; // where every tick of the ring starts
constexpr float kFaceHalfWidth = 200;

Segment radial(float phi, float inner, float outer)
{
    const double c = std::cos(phi);
    const double s = std::sin(phi);
    return {{static_cast<float>(inner * c), static_cast<float>(inner * s)},
            {static_cast<float>(outer * c), static_cast<float>(outer * s)}};
}

} // namespace

int wholeDegrees(float radians) { return static_cast<int>(std::floor(radians / singlePi() * 180.0f)); }

float refractionAngle(float alpha)
{
    const double s = std::sin(alpha) / kRefractiveIndex;
    return static_cast<float>(common::arcsin(s));
}

bool pressStartsRay(float x, float y) { return !(x > 0 || y < 0); }

float alphaAtPress(float x, float y)
{
    if (y == 0)
        return DegToRad(90);
    return static_cast<float>(std::atan(std::abs(x) / double(y)));
}

float alphaWhileDragging(float x, float y)
{
    if (x > 0)
        x = 0;
    if (y > 0)
        return static_cast<float>(std::atan(std::abs(x) / double(y)));
    return DegToRad(90);
}

float rayLength(float areaWidth, float areaHeight)
{
    const double across = 2.0 / 3.0 * areaWidth;
    const double down = areaHeight / 2.0;
    return static_cast<float>(std::sqrt(across * across + down * down));
}

Point incidentEnd(float alpha, float length)
{
    return {static_cast<float>(-length * std::sin(alpha)), static_cast<float>(length * std::cos(alpha))};
}

Point refractedEnd(float beta, float length)
{
    return {static_cast<float>(length * std::sin(beta)), static_cast<float>(-length * std::cos(beta))};
}

std::vector<Segment> diskLines(float f)
{
    std::vector<Segment> lines;
    lines.push_back({{-kFaceHalfWidth * f, 0}, {kFaceHalfWidth * f, 0}});
    for (int i = 0; i < 24; ++i)
        lines.push_back(radial(DegToRad(15.0f * i), kInnerTick * f, 250 * f));
    for (int i = 0; i < 72; ++i)
        lines.push_back(radial(DegToRad(5.0f * i), kInnerTick * f, 240 * f));
    for (int i = 0; i < 12; ++i)
        lines.push_back(radial(DegToRad(30.0f * i), kInnerTick * f, 260 * f));
    lines.push_back({{0, -260 * f}, {0, 260 * f}});
    return lines;
}

std::vector<Segment> gridLines()
{
    std::vector<Segment> lines;
    const float top = DegToRad(90);
    for (int i = 1; i <= 6; ++i) {
        const float v = i * top / 6;
        lines.push_back({{0, v}, {top, v}});
        lines.push_back({{v, 0}, {v, top}});
    }
    return lines;
}

Segment comparisonLine()
{
    const float right = DegToRad(90);
    return {{0, 0}, {right, right * 2 / 3}};
}

} // namespace disk
