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
using mirror::Pen;
using mirror::RayState;

constexpr float kWidth = 1200; // the drawing area in LE

Mirror makeMirror(int kind, int scroll, float vertex = 1000)
{
    Mirror m;
    m.MirrorKind = static_cast<std::int16_t>(kind);
    m.CurvCoeff = mirror::curvatureFromScroll(scroll);
    m.VertexX = vertex;
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

// Unit normal of the surface at a point of incidence, pointing towards the light.
struct Vec {
    double x, y;
};

Vec surfaceNormal(const Mirror& m, double hitX, double hitY)
{
    Vec n;
    if (mirror::isSphere(m))
        n = {m.CenterX - hitX, -hitY}; // towards the centre; flipped below for convex
    else
        n = {-1.0, -2.0 * m.CurvCoeff * hitY}; // gradient of x + a y^2 = V, facing left
    if (n.x > 0)
        n = {-n.x, -n.y};
    const double len = std::hypot(n.x, n.y);
    return {n.x / len, n.y / len};
}

TEST(Mirror, PlaneMirrorAtScrollZeroReflectsThetaToMinusTheta)
{
    for (int kind : {0, 1})
        for (float theta : {0.3f, -0.2f, 0.0f}) {
            RayState r = ray(100, 20, theta);
            const auto result = mirror::ReflectRay(makeMirror(kind, 0), r, false, kWidth);
            EXPECT_EQ(r.HitX, 1000.0f);
            EXPECT_EQ(r.ReflAngle, -theta);
            EXPECT_EQ(result.segments.size(), 2u) << "kind " << kind << " theta " << theta;
        }
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

    const Mirror parabola = makeMirror(1, -6);
    for (float h : {1.0f, 50.0f, 250.0f})
        EXPECT_NEAR(mirror::FocusOfParallel(parabola, h), 1000 - 1 / (4 * 0.00072), 1e-2) << h;
}

TEST(Mirror, HorizontalRayMeetsTheParabolaAtItsSag)
{
    for (int scroll : {-20, -6, 7, 20})
        for (float y0 : {0.0f, 40.0f, -170.0f, 299.0f}) {
            const Mirror m = makeMirror(1, scroll);
            RayState r = ray(100, y0, 0);
            EXPECT_TRUE(mirror::ReflectRay(m, r, false, kWidth).hitKnown);
            EXPECT_NEAR(r.HitX, 1000 - m.CurvCoeff * y0 * y0, 1e-3) << scroll << " " << y0;
            EXPECT_EQ(r.HitY, y0);
        }
}

TEST(Mirror, RaysPassingTheEdgeDrawNothing)
{
    for (int kind : {0, 1})
        for (int scroll : {-12, -6, 0, 6, 12})
            for (float y : {305.0f, -301.0f, 320.0f}) {
                RayState r = ray(100, y, 0);
                EXPECT_TRUE(mirror::ReflectRay(makeMirror(kind, scroll), r, true, kWidth).segments.empty())
                    << kind << " " << scroll << " " << y;
            }
}

// The reflected direction computed here with vectors: the incident one,
// from the start point to the point of incidence, mirrored about the normal.
Vec reflectedDirection(const Mirror& m, const RayState& r)
{
    const double dx = double(r.HitX) - r.ObjectX;
    const double dy = double(r.HitY) - r.ObjectY;
    const double len = std::hypot(dx, dy);
    const Vec d{dx / len, dy / len};
    const Vec n = surfaceNormal(m, r.HitX, r.HitY);
    const double dn = d.x * n.x + d.y * n.y;
    return {d.x - 2 * dn * n.x, d.y - 2 * dn * n.y};
}

double surfaceX(const Mirror& m, double y)
{
    if (!mirror::isSphere(m))
        return m.VertexX - m.CurvCoeff * y * y;
    const double r = m.Radius; // the cap lies on the vertex side of the centre
    return m.CenterX - (r > 0 ? 1 : -1) * std::sqrt(r * r - y * y);
}

// The rays of the sweep: from several object points to heights across the
// aperture, near-head-on rays on a mild convex parabola, and horizontal rays
// far off the axis.
std::vector<RayState> sweep(const Mirror& m)
{
    std::vector<RayState> rays;
    for (const auto& [x0, y0] : {std::pair{100.0f, 100.0f}, {150.0f, 60.0f}, {400.0f, -250.0f}, {0.0f, 0.0f}})
        for (float h = -295; h <= 295; h += 5)
            rays.push_back(ray(x0, y0, static_cast<float>(std::atan((h - y0) / (surfaceX(m, h) - x0)))));
    for (float h = 60; h <= 100; h += 1)
        rays.push_back(ray(100, 100, static_cast<float>(std::atan((h - 100) / (surfaceX(m, h) - 100)))));
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
                const auto& reflected = result.segments[1];
                const auto& back = result.segments[2];
                const auto along = [&](const mirror::Segment& s) { return (s.x2 - s.x1) * out.x + (s.y2 - s.y1) * out.y; };
                const std::string where = "kind " + std::to_string(kind) + " scroll " + std::to_string(scroll)
                    + " hit (" + std::to_string(r.HitX) + ", " + std::to_string(r.HitY) + ")";
                ASSERT_EQ(result.segments.size(), 3u) << where;
                EXPECT_NEAR(std::sin(r.ReflAngle - std::atan2(out.y, out.x)), 0, 2e-4) << where; // the same line
                EXPECT_EQ(back.pen, Pen::Backward);
                EXPECT_GT(along(reflected), 0) << where;
                EXPECT_LT(along(back), 0) << where;
            }
        }
    }
}

TEST(Mirror, ConvexParabolaSendsARayFarBelowTheAxisDownToTheRight)
{
    const Mirror m = makeMirror(1, 20); // a = -0.0024
    RayState r = ray(100, 100, static_cast<float>(std::atan((-220 - 100) / (1000 + 0.0024 * 220 * 220 - 100))));
    const auto result = mirror::ReflectRay(m, r, true, kWidth);
    ASSERT_EQ(result.segments.size(), 3u);
    EXPECT_NEAR(r.HitX, 1116.2, 0.05);
    EXPECT_NEAR(r.HitY, -220, 0.01);
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
    const double A = 1 + t * t;
    const double B = 2 * t * c - 2 * m.CenterX;
    const double C = c * c + double(m.CenterX) * m.CenterX - double(m.Radius) * m.Radius;
    const double D = B * B - 4 * A * C;
    for (double x : {(-B + std::sqrt(D)) / (2 * A), (-B - std::sqrt(D)) / (2 * A)}) {
        const double y = t * x + c;
        if (std::abs(x - r.HitX) > 1e-2 && x > mirror::rimX(m) && std::abs(y) <= 300)
            return true;
    }
    return false;
}

TEST(Mirror, RayNearTheRimOfAConcaveSphereThatWouldStrikeAgainDrawsNothing)
{
    const Mirror m = makeMirror(0, -12); // R = -347.2, a deep cap
    int suppressed = 0;
    int drawn = 0;
    for (float y0 : {-240.0f, -120.0f, 0.0f, 160.0f})
        for (float angle = -0.6f; angle < 0.6f; angle += 0.01f) {
            RayState r = ray(500, y0, angle);
            const auto result = mirror::ReflectRay(m, r, false, kWidth);
            if (!result.hitKnown)
                continue;
            const bool again = strikesCapAgain(m, r);
            EXPECT_EQ(result.segments.empty(), again) << "y0 " << y0 << " angle " << angle;
            (again ? suppressed : drawn) += 1;
        }
    EXPECT_GT(suppressed, 10);
    EXPECT_GT(drawn, 10);
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
    EXPECT_EQ(result.segments[2].pen, Pen::Backward);
    EXPECT_EQ(result.segments[2].x2, kWidth);
    EXPECT_EQ(result.segments[1].x2, 0.0f);
}

TEST(Mirror, VerticalRayIsStraightUpAndMissesWithoutHarm)
{
    EXPECT_FLOAT_EQ(common::aimAngle(0, 50), common::singlePi() / 2);
    EXPECT_FLOAT_EQ(common::aimAngle(0, -50), -common::singlePi() / 2);
    EXPECT_TRUE(std::isfinite(common::aimAngle(0, 0)));
    for (int kind : {0, 1})
        for (float angle : {common::aimAngle(0, 50), common::aimAngle(0, -50)}) {
            RayState r = ray(100, 100, angle);
            const auto result = mirror::ReflectRay(makeMirror(kind, -6), r, true, kWidth);
            EXPECT_TRUE(result.segments.empty());
            EXPECT_TRUE(std::isfinite(r.HitX) && std::isfinite(r.HitY) && std::isfinite(r.ReflAngle));
        }
}

TEST(Mirror, RayThroughTheParabolasFocusReflectsHorizontallyWithAFiniteSecondHit)
{
    RayState r = ray(1000 - 1 / (4 * 0.00072f), 0, 0.4f);
    const auto result = mirror::ReflectRay(makeMirror(1, -6), r, true, kWidth);
    EXPECT_NEAR(r.ReflAngle, 0, 1e-3);
    for (const auto& s : result.segments)
        EXPECT_TRUE(std::isfinite(s.x2) && std::isfinite(s.y2));
    EXPECT_TRUE(std::isfinite(r.Hit2X) && std::isfinite(r.Hit2Y));
}

TEST(Mirror, ObjectPointsSnapToTheGridOfTwentyHalvesAwayFromZero)
{
    const std::pair<float, float> cases[] = {{127, 120}, {-33, -40}, {10, 20}, {-10, -20},    {9.4f, 0},
                                             {9.6f, 20}, {530, 540}, {-0.4f, 0}, {1e30f, 1e30f}};
    for (const auto& [in, out] : cases)
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
