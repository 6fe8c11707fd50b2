#include "forms/picture_box.h"
#include "kit/bk_form.h"
#include "tests/kit/kit_invariants.h"
#include "tests/kit/kit_window_support.h"
#include "tests/support/app_fixture.h"
#include "tests/support/form_fuzzer.h"

#include <QGroupBox>
#include <QTest>

#include <cmath>

namespace {

QString brokenInvariant(const bk_form& w)
{
    const kit::System& s = w.system();
    if (w.FStep != 1 && w.FStep != 10)
        return QStringLiteral("FStep %1").arg(w.FStep);
    if (w.baukasten->isVisible() != (w.KitOpen % 2 == 1))
        return QStringLiteral("kit box shown %1 with KitOpen %2").arg(w.baukasten->isVisible()).arg(w.KitOpen);
    if (w.einstell->isVisible() && !s.isElement(w.PanelElem))
        return QStringLiteral("the panel names element %1 of %2").arg(w.PanelElem).arg(s.ElemCount);
    const double scalars[] = {w.MouseX, w.MouseY, w.RubberX, w.RubberY, w.TapeX0, w.TapeY0, w.TapeX1, w.TapeY1};
    for (double v : scalars)
        if (!std::isfinite(v))
            return QStringLiteral("a non-finite value in the window's state");
    return QString::fromStdString(support::brokenKit(s));
}

} // namespace

class KitFuzzTest : public WindowTest {
    Q_OBJECT

private slots:
    void survivesRandomInput()
    {
        FuzzTarget target = windowTarget<bk_form>({"EndeButton", "InfoButton", "EntfernButton"}, brokenInvariant,
                                                  [](const bk_form& w) { return w.DragState == 0 ? 0 : 1; });
        // A few elements from the start, so that the fuzzer meets rays early.
        target.open = [] {
            auto* window = showWindow(new bk_form);
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
