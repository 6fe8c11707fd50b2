#include "disk/disk_model.h"
#include "disk/dk_form.h"
#include "forms/option_button.h"
#include "forms/picture_box.h"
#include "tests/disk/graph_invariant.h"
#include "tests/support/app_fixture.h"
#include "tests/support/form_fuzzer.h"

#include <QPushButton>
#include <QTest>

#include <cmath>

namespace {

// The plotted point is (alpha, beta): within the angles' ranges it lies inside
// the graph's scale. The graph the window keeps is one a file can hold, and
// the controls show its mode and its line.
QString brokenInvariant(const DKForm& w)
{
    const float right = disk::DegToRad(90);
    const float maxBeta = disk::refractionAngle(right);
    if (!(w.alpha >= 0 && w.alpha <= right))
        return QStringLiteral("alpha %1 outside 0..90 degrees").arg(w.alpha);
    if (!(w.beta >= 0 && w.beta <= maxBeta))
        return QStringLiteral("beta %1 outside 0..arcsin(2/3)").arg(w.beta);
    const auto& scale = w.diagramm->scale();
    if (w.alpha > scale.left() + scale.width() || w.beta > scale.top())
        return QStringLiteral("plotted point outside the graph");
    if (const std::string broken = brokenGraph(w.model()); !broken.empty())
        return QString::fromStdString(broken);
    if (w.kontOpt->isChecked() != w.model().continuous)
        return QStringLiteral("the option buttons show another mode");
    if (w.blendButton->text().trimmed() != (w.model().lineShown == 1 ? "Gerade ausblenden" : "Gerade einblenden"))
        return QStringLiteral("the button names the comparison line's state wrongly");
    return {};
}

} // namespace

class DiskFuzzTest : public WindowTest {
    Q_OBJECT

private slots:
    void survivesRandomInput()
    {
        const FuzzTarget target = windowTarget<DKForm>({"EndeButton", "InfoButton", "LöschButton"}, brokenInvariant,
                                                       [](const DKForm& w) { return int(w.dragging); });
        const FuzzResult result = fuzzForm(target, 420);
        QVERIFY2(result.ok, qPrintable(result.failure));
    }
};

QTEST_MAIN(DiskFuzzTest)
#include "disk_fuzz_test.moc"
