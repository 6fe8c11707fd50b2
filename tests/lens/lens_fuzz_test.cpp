#include "forms/picture_box.h"
#include "lens/lens_form.h"
#include "tests/support/app_fixture.h"
#include "tests/support/form_fuzzer.h"

#include <QTest>

#include <cmath>

namespace {

bool allFinite(const lens_form::Table& table)
{
    return std::all_of(table.begin(), table.end(), [](float v) { return std::isfinite(v); });
}

QString brokenInvariant(const lens_form& w)
{
    const int maxRays = w.parallelLight() ? 5 : 50;
    if (w.RayCount < 0 || w.RayCount > maxRays)
        return QStringLiteral("RayCount %1").arg(w.RayCount);
    if (w.PairCount < 0 || w.PairCount > 50)
        return QStringLiteral("PairCount %1").arg(w.PairCount);
    if (w.QuerDivisor < 3 || w.QuerDivisor > 10)
        return QStringLiteral("QuerDivisor %1").arg(w.QuerDivisor);
    if (!(w.View.zoomFactor() > 0.09f && w.View.zoomFactor() < 5.6f))
        return QStringLiteral("ZoomFactor %1").arg(w.View.zoomFactor());
    if (!w.parallelLight() && w.RayStartX > w.lens.LensMinX)
        return QStringLiteral("object point at %1 right of the lens at %2").arg(w.RayStartX).arg(w.lens.LensMinX);
    if (w.LupeScale < w.TwipsPerLE || w.LupeScale > 10 * w.TwipsPerLE)
        return QStringLiteral("LupeScale %1").arg(w.LupeScale);
    if (w.LupePlacing == 1 && w.Picture2->isVisible())
        return QStringLiteral("the magnifier is shown while it is being placed");
    for (const auto* table : {&w.RayList, &w.ImgPtX, &w.ImgPtY, &w.ObjPtX, &w.ObjPtY})
        if (!allFinite(*table))
            return QStringLiteral("a non-finite value in a table");
    const float state[] = {w.RayStartX, w.RayStartY, w.RayAngle, w.BundleAngle, w.BundlePivotY, w.View.offsetX(),
                           w.View.left(), w.View.top(), w.View.width(), w.View.height(), w.NormalSlope, w.NormalX,
                           w.NormalY, w.LupeCenterX, w.LupeCenterY, w.lens.Vertex1X, w.lens.Vertex2X,
                           w.lens.Rim1X, w.lens.Rim2X, w.lens.BlendeX, w.AimX, w.AimY};
    for (float v : state)
        if (!std::isfinite(v))
            return QStringLiteral("a non-finite value in the window's state");
    return {};
}

} // namespace

class LensFuzzTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }

    void survivesRandomInput()
    {
        const FuzzTarget target = windowTarget<lens_form>({"EndeButton", "InfoButton"}, brokenInvariant,
                                                      [](const lens_form& w) { return int(w.DragMode); });
        const FuzzResult result = fuzzForm(target, 2700);
        QVERIFY2(result.ok, qPrintable(result.failure));
    }
};

QTEST_MAIN(LensFuzzTest)
#include "lens_fuzz_test.moc"
