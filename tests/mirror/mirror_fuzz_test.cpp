#include "forms/picture_box.h"
#include "forms/scroll_bar.h"
#include "mirror/sp_form.h"
#include "tests/support/app_fixture.h"
#include "tests/support/form_fuzzer.h"

#include <QTest>

#include <cmath>

namespace {

bool allFinite(const mirror::Table& table)
{
    return std::all_of(table.begin(), table.end(), [](float v) { return std::isfinite(v); });
}

QString brokenInvariant(const sp_form& w)
{
    if (w.model().RayCount < 0 || w.model().RayCount > 50)
        return QStringLiteral("RayCount %1").arg(w.model().RayCount);
    if (w.model().ImageCount < 0 || w.model().ImageCount > 50)
        return QStringLiteral("ImageCount %1").arg(w.model().ImageCount);
    for (const auto* table : {&w.model().RayList, &w.model().RayVertexY, &w.model().RayHitX, &w.model().RayHitY, &w.model().ImageX, &w.model().ImageY,
                              &w.model().ImageObjX, &w.model().ImageObjY})
        if (!allFinite(*table))
            return QStringLiteral("a non-finite value in a table");
    const float state[] = {w.model().ray.ObjectX, w.model().ray.ObjectY, w.model().ray.RayAngle, w.model().ray.HitX,      w.model().ray.HitY,
                           w.model().ray.ReflAngle, w.model().BundleAngle, w.model().mirror.VertexX, w.model().mirror.Radius,
                           w.model().mirror.CenterX, w.ScaleX, w.ScaleY, w.PivotY, w.FocusX};
    for (float v : state)
        if (!std::isfinite(v))
            return QStringLiteral("a non-finite value in the ray or mirror state");
    if (w.model().mirror.CurvCoeff != mirror::curvatureFromScroll(w.KrummScroll->value()))
        return QStringLiteral("curvature %1 does not match the scroll value %2")
            .arg(w.model().mirror.CurvCoeff)
            .arg(w.KrummScroll->value());
    if (std::abs(w.model().BundleAngle) > 1)
        return QStringLiteral("bundle angle %1").arg(w.model().BundleAngle);
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
