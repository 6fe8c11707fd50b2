#include "common/angles.h"
#include "mirror/mirror_model.h"
#include "mirror/reflection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

using mirror::Mirror;
using mirror::RayState;

constexpr float kWidth = 1200; // the drawing area in LE

Mirror makeMirror(int kind, int scroll)
{
    Mirror m;
    m.MirrorKind = static_cast<std::int16_t>(kind);
    m.CurvCoeff = mirror::curvatureFromScroll(scroll);
    m.VertexX = 1000;
    mirror::updateSphere(m);
    return m;
}

RayState ray(float x, float y, float angle)
{
    RayState r;
    r.ObjectX = x;
    r.ObjectY = y;
    r.RayAngle = angle;
    return r;
}

double surfaceX(const Mirror& m, double y)
{
    if (!mirror::isSphere(m))
        return m.VertexX - m.CurvCoeff * y * y;
    const double r = m.Radius; // the cap lies on the vertex side of the centre
    return m.CenterX - (r > 0 ? 1 : -1) * std::sqrt(r * r - y * y);
}

TEST(Mirror, DesignCurvatureGivesTheQuotedNumbers)
{
    const Mirror sphere = makeMirror(0, -6);
    EXPECT_EQ(sphere.CurvCoeff, 0.00072f);
    EXPECT_NEAR(sphere.Radius, -694.4, 0.05);
    EXPECT_NEAR(sphere.CenterX, 1000 - 694.4, 0.05);
    // At the height 100 the sphere's marginal focus lies a little nearer the vertex.
    const double alpha = std::asin(100 / 694.444);
    const double marginal = 1000 - 694.444 + 694.444 * std::cos(alpha) - 100 / std::tan(2 * alpha);
    EXPECT_NEAR(mirror::FocusOfParallel(sphere, 100), marginal, 0.05);
    // A paraxial ray crosses the axis about 347 left of the vertex.
    RayState r = ray(0, 1, 0);
    mirror::ReflectRay(sphere, r, false, kWidth);
    EXPECT_NEAR(r.HitX - r.HitY / std::tan(r.ReflAngle), 1000 - 347.2, 0.5);
    for (float h : {1.0f, 50.0f, 250.0f})
        EXPECT_NEAR(mirror::FocusOfParallel(makeMirror(1, -6), h), 1000 - 1 / (4 * 0.00072), 1e-2) << h;
}

// Horizontal rays meet the surface at their own height, the one on the axis
// too; beyond the aperture they pass and draw nothing.
TEST(Mirror, HorizontalRaysMeetTheSurfaceAtTheirHeightOrPassTheEdge)
{
    for (int kind : {0, 1})
        for (int scroll : {-20, -12, -6, 0, 7, 12, 20}) {
            if (kind == 0 && std::abs(scroll) > 12)
                continue;
            const Mirror m = makeMirror(kind, scroll);
            for (float y : {0.0f, 40.0f, -170.0f, 299.0f, 305.0f, -301.0f, 320.0f}) {
                RayState r = ray(100, y, 0);
                const auto result = mirror::ReflectRay(m, r, true, kWidth);
                if (std::abs(y) > 300) {
                    EXPECT_TRUE(result.segments.empty()) << kind << " " << scroll << " " << y;
                    continue;
                }
                EXPECT_TRUE(result.hitKnown) << kind << " " << scroll << " " << y;
                EXPECT_NEAR(r.HitX, surfaceX(m, y), 1e-2) << kind << " " << scroll << " " << y;
                EXPECT_EQ(r.HitY, y);
            }
        }
}

struct Vec {
    double x, y;
};

// The reflected direction computed here with vectors: the incident one,
// from the start point to the point of incidence, mirrored about the unit
// normal (towards a sphere's centre, or the parabola's gradient).
Vec reflectedDirection(const Mirror& m, const RayState& r)
{
    const double dx = double(r.HitX) - r.ObjectX, dy = double(r.HitY) - r.ObjectY;
    const double len = std::hypot(dx, dy);
    Vec n = mirror::isSphere(m) ? Vec{m.CenterX - r.HitX, -r.HitY} : Vec{-1.0, -2.0 * m.CurvCoeff * r.HitY};
    const double nl = std::hypot(n.x, n.y);
    n = {n.x / nl, n.y / nl};
    const double dn = (dx * n.x + dy * n.y) / len;
    return {dx / len - 2 * dn * n.x, dy / len - 2 * dn * n.y};
}

// The rays of the sweep: from several object points to heights across the
// aperture, near-head-on rays on a mild convex parabola, and horizontal rays
// far off the axis.
std::vector<RayState> sweep(const Mirror& m)
{
    std::vector<RayState> rays;
    const auto aimed = [&](float x0, float y0, float h) {
        rays.push_back(ray(x0, y0, static_cast<float>(std::atan((h - y0) / (surfaceX(m, h) - x0)))));
    };
    for (const auto& [x0, y0] : {std::pair{100.0f, 100.0f}, {150.0f, 60.0f}, {400.0f, -250.0f}, {0.0f, 0.0f}})
        for (float h = -295; h <= 295; h += 5)
            aimed(x0, y0, h);
    for (float h = 60; h <= 100; h += 1)
        aimed(100, 100, h);
    for (float y = 240; y < 300; y += 2) {
        rays.push_back(ray(0, y, 0));
        rays.push_back(ray(0, -y, 0));
    }
    return rays;
}

// Every drawn ray obeys the law of reflection computed here with vectors:
// the reflected line has its slope, the reflected segment leaves the point
// of incidence the way the reflected direction points, and the backward
// extension runs the other way, never over the reflected ray.
TEST(Mirror, ReflectedRaysObeyTheLawOfReflection)
{
    for (int kind : {0, 1}) {
        const int limit = kind == 0 ? 12 : 20;
        for (int scroll = -limit; scroll <= limit; ++scroll) {
            const Mirror m = makeMirror(kind, scroll);
            for (RayState r : sweep(m)) {
                // Wide enough that every point of incidence lies inside the drawing.
                const auto result = mirror::ReflectRay(m, r, true, 2 * kWidth);
                if (result.segments.empty())
                    continue;
                const Vec out = reflectedDirection(m, r);
                const auto along = [&](int i) {
                    const mirror::Segment& s = result.segments[i];
                    return (s.x2 - s.x1) * out.x + (s.y2 - s.y1) * out.y;
                };
                const std::string where = "kind " + std::to_string(kind) + " scroll " + std::to_string(scroll)
                    + " hit (" + std::to_string(r.HitX) + ", " + std::to_string(r.HitY) + ")";
                ASSERT_EQ(result.segments.size(), 3u) << where;
                EXPECT_NEAR(std::sin(r.ReflAngle - std::atan2(out.y, out.x)), 0, 2e-4) << where; // the same line
                EXPECT_EQ(result.segments[2].pen, mirror::Pen::Backward);
                EXPECT_GT(along(1), 0) << where;
                EXPECT_LT(along(2), 0) << where;
            }
        }
    }
}

TEST(Mirror, ConvexParabolaSendsARayFarBelowTheAxisDownToTheRight)
{
    RayState r = ray(100, 100, static_cast<float>(std::atan((-220 - 100) / (1000 + 0.0024 * 220 * 220 - 100))));
    const auto result = mirror::ReflectRay(makeMirror(1, 20), r, true, kWidth); // a = -0.0024
    ASSERT_EQ(result.segments.size(), 3u);
    EXPECT_NEAR(r.HitX, 1116.2, 0.05);
    const auto& reflected = result.segments[1];
    EXPECT_EQ(reflected.x2, kWidth);
    EXPECT_NEAR((reflected.y2 - reflected.y1) / (reflected.x2 - reflected.x1), -0.936 / 0.352, 0.01);
    // The extension runs back up to the left, behind the mirror, to where it meets the surface again.
    const auto& back = result.segments[2];
    EXPECT_LT(back.x2, back.x1);
    EXPECT_NEAR(back.x2, 1000 + 0.0024 * back.y2 * back.y2, 0.01);
}

// Whether the reflected line, computed independently, meets the spherical cap again.
bool strikesCapAgain(const Mirror& m, const RayState& r)
{
    const double t = std::tan(r.ReflAngle);
    const double c = r.HitY - t * r.HitX;
    const double A = 1 + t * t, B = 2 * t * c - 2 * m.CenterX;
    const double C = c * c + double(m.CenterX) * m.CenterX - double(m.Radius) * m.Radius;
    const double D = B * B - 4 * A * C;
    for (double x : {(-B + std::sqrt(D)) / (2 * A), (-B - std::sqrt(D)) / (2 * A)})
        if (std::abs(x - r.HitX) > 1e-2 && x > mirror::rimX(m) && std::abs(t * x + c) <= 300)
            return true;
    return false;
}

TEST(Mirror, RayNearTheRimOfAConcaveSphereThatWouldStrikeAgainDrawsNothing)
{
    const Mirror m = makeMirror(0, -12); // R = -347.2, a deep cap
    int counts[2] = {0, 0};
    for (float y0 : {-240.0f, -120.0f, 0.0f, 160.0f})
        for (float angle = -0.6f; angle < 0.6f; angle += 0.01f) {
            RayState r = ray(500, y0, angle);
            const auto result = mirror::ReflectRay(m, r, false, kWidth);
            if (!result.hitKnown)
                continue;
            const bool again = strikesCapAgain(m, r);
            EXPECT_EQ(result.segments.empty(), again) << "y0 " << y0 << " angle " << angle;
            ++counts[again];
        }
    EXPECT_GT(counts[0], 10);
    EXPECT_GT(counts[1], 10);
}

// A convex mirror's extensions meet at the virtual focus, |R| / 2 behind the
// vertex; a concave one's run to the right edge while the ray goes left.
TEST(Mirror, BackwardExtensionsRunBehindTheMirror)
{
    RayState r = ray(0, 5, 0);
    auto result = mirror::ReflectRay(makeMirror(0, 6), r, true, kWidth);
    ASSERT_EQ(result.segments.size(), 3u);
    EXPECT_LT(result.segments[1].x2, r.HitX);
    const auto& back = result.segments[2];
    EXPECT_NEAR(back.x1 - back.y1 * (back.x2 - back.x1) / (back.y2 - back.y1), 1000 + 347.2, 1.0);

    r = ray(500, 100, 0.05f);
    result = mirror::ReflectRay(makeMirror(0, -6), r, true, kWidth);
    ASSERT_EQ(result.segments.size(), 3u);
    EXPECT_EQ(result.segments[2].x2, kWidth);
    EXPECT_EQ(result.segments[1].x2, 0.0f);
}

// Degenerate rays: straight up or down (missing every mirror), and through
// the parabola's focus (reflected horizontally) keep every value finite.
TEST(Mirror, DegenerateRaysStayFinite)
{
    EXPECT_FLOAT_EQ(common::aimAngle(0, 50), common::singlePi() / 2);
    EXPECT_FLOAT_EQ(common::aimAngle(0, -50), -common::singlePi() / 2);
    for (int kind : {0, 1})
        for (float angle : {common::aimAngle(0, 50), common::aimAngle(0, -50)}) {
            RayState r = ray(100, 100, angle);
            EXPECT_TRUE(mirror::ReflectRay(makeMirror(kind, -6), r, true, kWidth).segments.empty());
            EXPECT_TRUE(std::isfinite(r.HitX) && std::isfinite(r.HitY) && std::isfinite(r.ReflAngle));
        }
    RayState r = ray(1000 - 1 / (4 * 0.00072f), 0, 0.4f);
    const auto result = mirror::ReflectRay(makeMirror(1, -6), r, true, kWidth);
    EXPECT_NEAR(r.ReflAngle, 0, 1e-3);
    for (const auto& s : result.segments)
        EXPECT_TRUE(std::isfinite(s.x2) && std::isfinite(s.y2));
    EXPECT_TRUE(std::isfinite(r.Hit2X) && std::isfinite(r.Hit2Y));
}

TEST(Mirror, ObjectPointsSnapToTheGridOfTwentyHalvesAwayFromZero)
{
    for (const auto& [in, out] : {std::pair<float, float>{127, 120}, {-33, -40}, {10, 20}, {-10, -20}, {9.4f, 0},
                                  {9.6f, 20}, {530, 540}, {-0.4f, 0}, {1e30f, 1e30f}})
        EXPECT_EQ(common::SnapTo20(in), out) << in;
}

// Heights beyond the sphere come from stale hits and dragged object points.
TEST(Mirror, SagAndNormalStayFiniteBeyondTheSphere)
{
    const Mirror m = makeMirror(0, -12);
    EXPECT_NEAR(mirror::MirrorSag(m, 300), 347.2 - std::sqrt(347.2 * 347.2 - 90000), 0.05);
    EXPECT_NEAR(mirror::MirrorSag(m, 600), 347.2, 0.05);
    EXPECT_FLOAT_EQ(mirror::MirrorSag(makeMirror(1, -20), 100), 24.0f);
    EXPECT_NEAR(mirror::normalAngle(m, 900), M_PI / 2, 1e-6);
    EXPECT_NEAR(mirror::normalAngle(m, 0), 0, 1e-9);
    EXPECT_EQ(mirror::normalAngle(makeMirror(1, 0), 100), 0.0f);
}

} // namespace
