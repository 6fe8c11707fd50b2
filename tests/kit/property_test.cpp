// Random element systems, objects and rays: whatever the window hands the
// model, it keeps its invariants and never stores or draws a non-finite number.
#include "kit/hover.h"
#include "kit/kit_model.h"
#include "kit_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using kit::Kind;

template <class... Arrays>
bool allFinite(int count, const Arrays&... arrays)
{
    for (int i = 0; i < count; ++i)
        if (!(std::isfinite(arrays[i]) && ...))
            return false;
    return true;
}

void expectSound(const kit::System& s, const kit::Strokes& strokes, const std::string& step)
{
    SCOPED_TRACE(step);
    ASSERT_TRUE(s.ElemCount % 2 == 1 && s.ElemCount >= 1 && s.ElemCount <= kit::kMaxElemCount) << s.ElemCount;
    EXPECT_EQ(s.ElemX[0], s.ObjX);
    for (int k = 1; k < s.ElemCount; k += 2) {
        ASSERT_TRUE(s.ElemKind[k] != Kind::None && s.ElemKind[k + 1] == s.ElemKind[k]) << k;
        if (k + 2 < s.ElemCount) {
            EXPECT_NE(s.ElemKind[k], Kind::Eye) << "eye before element " << k + 2;
            EXPECT_LE(s.rightExtreme(k), s.leftExtreme(k + 2)) << k;
        }
        EXPECT_LE(s.ElemX[k], s.ElemX[k + 1]) << k;
        const kit::FocalRange range = kit::focalRange(s.ElemKind[k]);
        EXPECT_TRUE(s.ElemF[k] >= range.smallest && s.ElemF[k] <= range.largest) << s.ElemF[k];
    }
    if (s.ElemCount > 1 && s.ObjMode != kit::ObjectMode::PointGrid) {
        EXPECT_GE(s.leftExtreme(1), s.ElemX[0]);
    }
    EXPECT_TRUE(allFinite(kit::kEntries, s.ElemX, s.ElemGap, s.ElemF, s.ElemR, s.ElemPower, s.ElemPrincipal,
                          s.ElemFocus, s.ElemArcDist, s.ElemArcAngle, s.ElemArcCX, s.ElemZoneX, s.RayPtX, s.RayPtY,
                          s.FirstSlope, s.FirstIcpt, s.FirstPtX, s.FirstPtY, s.ImgX, s.ImgY));
    EXPECT_TRUE(allFinite(s.RayCount, s.RayVal) && allFinite(s.PointCount, s.PtImgX, s.PtImgY));
    EXPECT_TRUE(std::isfinite(s.ObjY) && std::isfinite(s.RaySlope) && std::isfinite(s.PivotY));
    EXPECT_LE(std::abs(s.ParSlope), 50);
    EXPECT_EQ(support::rayLeavingTheEye(s, strokes), "");
    for (const kit::Stroke& stroke : strokes) {
        ASSERT_TRUE(allFinite(1, &stroke.x1, &stroke.y1, &stroke.x2, &stroke.y2));
        if (stroke.figure == kit::Figure::RaySegment) {
            // Touching faces are held in single precision; the outline is crossed in double.
            EXPECT_GE(stroke.x2, stroke.x1 - 1e-6 * std::abs(stroke.x1)) << "a ray drawn backwards";
        }
    }
}

TEST(Property, RandomSystemsStaySoundAndFinite)
{
    std::mt19937 random(1234567);
    auto uniform = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(random); };
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    const float focalValues[] = {0, -1, 1, 5, 20, 29.9f, 188, 300, 5000, -5000, 1e9f, -1e9f, INFINITY, NAN};

    for (int run = 0; run < 150; ++run) {
        kit::System s;
        double viewLeft = uniform(-1000, 1000);
        double viewRight = viewLeft + uniform(300, 3000);
        // The pointer goes anywhere near the elements, sometimes exactly onto a face.
        auto anyX = [&] {
            if (pick(4) == 0 && s.ElemCount > 1) {
                const float face = s.ElemX[1 + pick(s.ElemCount - 1)];
                return pick(2) == 0 ? double(face) : double(std::nextafter(face, -INFINITY));
            }
            return uniform(viewLeft - 500, viewRight + 500);
        };
        for (int op = 0; op < 120; ++op) {
            kit::Strokes strokes;
            const int kind = pick(15);
            const int k = pick(15) - 1;
            const std::string step = "run " + std::to_string(run) + " op " + std::to_string(op) + " kind " +
                                     std::to_string(kind);
            switch (kind) {
            case 0:
            case 1: s.AddElement(static_cast<Kind>(1 + pick(3))); break;
            case 2: s.setFocalLength(k, pick(3) == 0 ? focalValues[pick(14)] : float(uniform(-6000, 6000))); break;
            case 3: if (pick(3) == 0) s.removeFrom(k); break;
            case 4: s.setEyeDepth(static_cast<float>(std::array{300, 340, 260, 100}[pick(4)])); break;
            case 5:
                viewLeft = uniform(-1500, 1500);
                viewRight = viewLeft + uniform(300, 3000);
                s.chooseObject(static_cast<kit::ObjectMode>(pick(4)), viewLeft);
                break;
            case 6: s.moveObject(anyX(), uniform(-700, 700)); break;
            case 7: s.moveElement(k, pick(5) == 0 ? uniform(-1e7, 1e7) : anyX()); break;
            case 8:
                s.aimRay(anyX(), uniform(-2000, 2000));
                if (auto ray = s.addRay(viewRight))
                    strokes = *ray;
                break;
            case 9:
                s.pressParallel(anyX(), uniform(-400, 400));
                s.tiltParallel(anyX(), uniform(-4000, 4000), viewLeft);
                break;
            case 10:
                if (s.markPoint(anyX(), uniform(-400, 400)) == kit::MarkResult::Marked)
                    strokes = s.traceLastPoint(viewRight);
                break;
            case 11: strokes = s.imageAllPoints(viewRight); break;
            case 12:
                s.setShowImages(pick(2) == 0);
                s.setShowVirtual(pick(2) == 0);
                strokes = s.traceStoredRays(viewRight);
                break;
            case 13: if (pick(4) == 0) s.clearRaysAndPoints(); break;
            case 14: {
                const kit::Hover hover = kit::UpdateHover(s, anyX(), uniform(-400, 400));
                EXPECT_GE(hover.HoverZone, -2);
                EXPECT_LE(hover.HoverZone, s.ElemCount);
                EXPECT_EQ(hover.HoverKind == 1, hover.HoverZone > 0 && hover.HoverZone % 2 == 1 &&
                                                     hover.HoverZone < s.ElemCount);
                break;
            }
            }
            expectSound(s, strokes, step);
            expectSound(s, s.traceStoredRays(viewRight), step + " retraced");
            if (testing::Test::HasFailure())
                return;
        }
    }
}

} // namespace
