// Random element systems, objects and rays: whatever the window hands the
// model, it keeps its invariants and never stores or draws a non-finite number.
#include "kit/hover.h"
#include "kit_invariants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using kit::Kind;

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
                const kit::Hover h = kit::UpdateHover(s, anyX(), uniform(-400, 400));
                const bool onABody = h.HoverZone > 0 && h.HoverZone % 2 == 1 && h.HoverZone < s.ElemCount;
                ASSERT_TRUE(h.HoverZone >= -2 && h.HoverZone <= s.ElemCount && (h.HoverKind == 1) == onABody);
                break;
            }
            }
            ASSERT_EQ(support::brokenStrokes(s, strokes) + support::brokenKit(s, viewRight), "")
                << "run " << run << " op " << op << " kind " << kind;
        }
    }
}

} // namespace
