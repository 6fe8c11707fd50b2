#include "forms/picture_box.h"
#include "forms/scroll_bar.h"
#include "mirror/sp_form.h"
#include "tests/support/app_fixture.h"
#include "tests/support/form_fuzzer.h"

#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

bool allFinite(const auto& values)
{
    return std::all_of(std::begin(values), std::end(values), [](float v) { return std::isfinite(v); });
}

QString brokenInvariant(const sp_form& w)
{
    const mirror::Experiment& m = w.model();
    if (m.RayCount < 0 || m.RayCount > 50 || m.ImageCount < 0 || m.ImageCount > 50)
        return QStringLiteral("%1 rays, %2 pairs").arg(m.RayCount).arg(m.ImageCount);
    for (const auto* table : {&m.RayList, &m.RayVertexY, &m.RayHitX, &m.RayHitY, &m.ImageX, &m.ImageY, &m.ImageObjX, &m.ImageObjY})
        if (!allFinite(*table))
            return QStringLiteral("a non-finite value in a table");
    const float state[] = {m.ray.ObjectX,  m.ray.ObjectY,      m.ray.RayAngle,     m.ray.HitX,       m.ray.HitY,
                           m.ray.ReflAngle, m.BundleAngle, m.mirror.VertexX, m.mirror.Radius, m.mirror.CenterX,
                           w.ScaleX,        w.ScaleY,          w.PivotY,           w.FocusX};
    if (!allFinite(state))
        return QStringLiteral("a non-finite value in the ray or mirror state");
    if (m.mirror.CurvCoeff != mirror::curvatureFromScroll(w.KrummScroll->value()))
        return QStringLiteral("curvature %1 against the scroll value %2").arg(m.mirror.CurvCoeff).arg(w.KrummScroll->value());
    if (std::abs(m.BundleAngle) > 1)
        return QStringLiteral("bundle angle %1").arg(m.BundleAngle);
    return {};
}

} // namespace

class MirrorFuzzTest : public WindowTest {
    Q_OBJECT

private slots:
    void survivesRandomInput()
    {
        const FuzzTarget target = windowTarget<sp_form>({"EndeButton", "InfoButton"}, brokenInvariant,
                                                      [](const sp_form& w) { return int(w.DragMode); });
        const FuzzResult result = fuzzForm(target, 2500);
        QVERIFY2(result.ok, qPrintable(result.failure));
    }
};

QTEST_MAIN(MirrorFuzzTest)
#include "mirror_fuzz_test.moc"
