#include "forms/picture_box.h"
#include "forms/scroll_bar.h"
#include "mirror/sp_form.h"
#include "tests/support/app_fixture.h"
#include "tests/support/form_fuzzer.h"

#include <QTest>

#include <cmath>

namespace {

bool allFinite(const sp_form::Table& table)
{
    return std::all_of(table.begin(), table.end(), [](float v) { return std::isfinite(v); });
}

QString brokenInvariant(const sp_form& w)
{
    if (w.RayCount < 0 || w.RayCount > 50)
        return QStringLiteral("RayCount %1").arg(w.RayCount);
    if (w.ImageCount < 0 || w.ImageCount > 50)
        return QStringLiteral("ImageCount %1").arg(w.ImageCount);
    for (const auto* table : {&w.RayList, &w.RayVertexY, &w.RayHitX, &w.RayHitY, &w.ImageX, &w.ImageY,
                              &w.ImageObjX, &w.ImageObjY})
        if (!allFinite(*table))
            return QStringLiteral("a non-finite value in a table");
    const float state[] = {w.ray.ObjectX, w.ray.ObjectY, w.ray.RayAngle, w.ray.HitX,      w.ray.HitY,
                           w.ray.ReflAngle, w.BundleAngle, w.mirror.VertexX, w.mirror.Radius,
                           w.mirror.CenterX, w.ScaleX, w.ScaleY, w.PivotY, w.FocusX};
    for (float v : state)
        if (!std::isfinite(v))
            return QStringLiteral("a non-finite value in the ray or mirror state");
    if (w.mirror.CurvCoeff != mirror::curvatureFromScroll(w.KrummScroll->value()))
        return QStringLiteral("curvature %1 does not match the scroll value %2")
            .arg(w.mirror.CurvCoeff)
            .arg(w.KrummScroll->value());
    if (std::abs(w.BundleAngle) > 1)
        return QStringLiteral("bundle angle %1").arg(w.BundleAngle);
    return {};
}

} // namespace

class MirrorFuzzTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }

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
