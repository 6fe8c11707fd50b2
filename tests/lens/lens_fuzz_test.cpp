#include "forms/picture_box.h"
#include "lens/lens_file.h"
#include "lens/lens_form.h"
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

QString brokenInvariant(const lens_form& w)
{
    const lens::Experiment& m = w.model();
    const int maxRays = w.parallelLight() ? 5 : 50;
    if (m.RayCount < 0 || m.RayCount > maxRays)
        return QStringLiteral("RayCount %1").arg(m.RayCount);
    if (m.PairCount < 0 || m.PairCount > 50)
        return QStringLiteral("PairCount %1").arg(m.PairCount);
    if (m.QuerDivisor < 3 || m.QuerDivisor > 10)
        return QStringLiteral("QuerDivisor %1").arg(m.QuerDivisor);
    if (!(w.View.zoomFactor() > 0.09f && w.View.zoomFactor() < 5.6f))
        return QStringLiteral("ZoomFactor %1").arg(w.View.zoomFactor());
    // The view a file keeps is the window's.
    if (std::abs(std::log(w.View.zoomFactor()) / std::log(1.1) - m.view.Zoom) > 1e-3
        || std::abs(lens::viewLeftX(m.view) - w.View.left()) > 1e-3 * (1 + std::abs(w.View.left())))
        return QStringLiteral("zoom steps %1 and left edge %2 for a view at %3 from %4")
            .arg(m.view.Zoom)
            .arg(lens::viewLeftX(m.view))
            .arg(w.View.zoomFactor())
            .arg(w.View.left());
    if (!w.parallelLight() && m.RayStartX > m.lens.LensMinX)
        return QStringLiteral("object point at %1 right of the lens at %2").arg(m.RayStartX).arg(m.lens.LensMinX);
    if (w.LupeScale < w.TwipsPerLE || w.LupeScale > 10 * w.TwipsPerLE)
        return QStringLiteral("LupeScale %1").arg(w.LupeScale);
    if (w.LupePlacing == 1 && w.Picture2->isVisible())
        return QStringLiteral("the magnifier is shown while it is being placed");
    for (const auto* table : {&m.RayList, &m.ImgPtX, &m.ImgPtY, &m.ObjPtX, &m.ObjPtY})
        if (!allFinite(*table))
            return QStringLiteral("a non-finite value in a table");
    const float state[] = {m.RayStartX, m.RayStartY, w.RayAngle, m.BundleAngle, w.BundlePivotY, w.View.offsetX(),
                           w.View.left(), w.View.top(), w.View.width(), w.View.height(), w.NormalSlope, w.NormalX,
                           w.NormalY, w.LupeCenterX, w.LupeCenterY, m.lens.Vertex1X, m.lens.Vertex2X,
                           m.lens.Rim1X, m.lens.Rim2X, m.lens.BlendeX, w.AimX, w.AimY};
    if (!allFinite(state))
        return QStringLiteral("a non-finite value in the window's state");
    // What the window shows can always be saved and opened again.
    files::JsonReader reader(w.experimentFields());
    if (!lens::fromFields(reader))
        return QStringLiteral("its own file is refused: %1").arg(reader.fault());
    return {};
}

} // namespace

class LensFuzzTest : public WindowTest {
    Q_OBJECT

private slots:
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
