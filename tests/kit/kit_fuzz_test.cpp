#include "forms/picture_box.h"
#include "kit/bk_form.h"
#include "tests/kit/kit_support.h"
#include "tests/kit/kit_window_support.h"
#include "tests/support/app_fixture.h"
#include "tests/support/form_fuzzer.h"

#include <QGroupBox>
#include <QTest>

#include <cmath>

namespace {

template <typename Array> bool allFinite(const Array& values, int count)
{
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(double(values[i])))
            return false;
    return true;
}

QString brokenInvariant(const bk_form& w)
{
    const kit::System& s = w.system();
    if (s.ElemCount < 1 || s.ElemCount > 13 || s.ElemCount % 2 != 1)
        return QStringLiteral("ElemCount %1").arg(s.ElemCount);
    for (int k = 1; k < s.ElemCount; k += 2) {
        const kit::Kind kind = s.ElemKind[k];
        if (kind == kit::Kind::Eye && k != s.ElemCount - 2)
            return QStringLiteral("an eye at %1 is not last").arg(k);
        const kit::FocalRange range = kit::focalRange(kind);
        if (!(s.ElemF[k] >= range.smallest && s.ElemF[k] <= range.largest))
            return QStringLiteral("focal length %1 of element %2").arg(s.ElemF[k]).arg(k);
        if (k > 1 && s.rightExtreme(k - 2) > s.leftExtreme(k))
            return QStringLiteral("element %1 overlaps the one before").arg(k);
    }
    for (int j = 1; j < s.ElemCount; ++j)
        if (!(s.ElemX[j] >= s.ElemX[j - 1]) && j > 1)
            return QStringLiteral("faces out of order at %1").arg(j);
    if (s.RayCount < 0 || s.RayCount > 50 || s.PointCount < 0 || s.PointCount > 50)
        return QStringLiteral("%1 rays, %2 points").arg(s.RayCount).arg(s.PointCount);
    if (w.FStep != 1 && w.FStep != 10)
        return QStringLiteral("FStep %1").arg(w.FStep);
    if (s.EyeDepth != 260 && s.EyeDepth != 300 && s.EyeDepth != 340)
        return QStringLiteral("EyeDepth %1").arg(s.EyeDepth);
    if (w.baukasten->isVisible() != (w.KitOpen % 2 == 1))
        return QStringLiteral("kit box shown %1 with KitOpen %2").arg(w.baukasten->isVisible()).arg(w.KitOpen);
    if (w.einstell->isVisible() && !s.isElement(w.PanelElem))
        return QStringLiteral("the panel names element %1 of %2").arg(w.PanelElem).arg(s.ElemCount);
    if ((s.ObjMode == kit::ObjectMode::Arrow || s.ObjMode == kit::ObjectMode::Candle) && s.ElemCount > 1
        && s.ObjX > s.leftExtreme(1))
        return QStringLiteral("object at %1 inside the first element").arg(s.ObjX);
    const double scalars[] = {s.ObjX, s.ObjY, s.RaySlope, s.ParSlope, s.PivotY, w.MouseX, w.MouseY, w.RubberX,
                              w.RubberY, w.TapeX0, w.TapeY0, w.TapeX1, w.TapeY1};
    for (double v : scalars)
        if (!std::isfinite(v))
            return QStringLiteral("a non-finite value in the window's or the kit's state");
    if (!allFinite(s.ElemX, s.ElemCount) || !allFinite(s.ElemR, s.ElemCount) || !allFinite(s.ElemFocus, s.ElemCount)
        || !allFinite(s.ElemZoneX, s.ElemCount) || !allFinite(s.ElemArcCX, s.ElemCount)
        || !allFinite(s.RayVal, s.RayCount) || !allFinite(s.PtImgX, s.PointCount) || !allFinite(s.PtImgY, s.PointCount)
        || !allFinite(s.ImgX, kit::kEntries) || !allFinite(s.ImgY, kit::kEntries))
        return QStringLiteral("a non-finite value in the kit's tables");
    kit::System retraced = s;
    const kit::Strokes rays = s.ObjMode == kit::ObjectMode::PointGrid ? retraced.imageAllPoints(support::kRight)
                                                                      : retraced.traceStoredRays(support::kRight);
    return QString::fromStdString(support::rayLeavingTheEye(s, rays));
}

} // namespace

class KitFuzzTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }

    void survivesRandomInput()
    {
        FuzzTarget target = windowTarget<bk_form>({"EndeButton", "InfoButton", "EntfernButton"}, brokenInvariant,
                                                  [](const bk_form& w) { return w.DragState == 0 ? 0 : 1; });
        // A few elements from the start, so that the fuzzer meets rays early.
        target.open = [] {
            auto* window = new bk_form;
            window->showModeless();
            for (kit::Kind kind : {kit::Kind::Converging, kit::Kind::Diverging, kit::Kind::Eye})
                kitwin::add(*window, kind);
            return window;
        };
        const FuzzResult result = fuzzForm(target, 7000);
        QVERIFY2(result.ok, qPrintable(result.failure));
    }
};

QTEST_MAIN(KitFuzzTest)
#include "kit_fuzz_test.moc"
