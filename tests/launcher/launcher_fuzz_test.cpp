#include "launcher/launcher_item.h"
#include "launcher/rl_form.h"
#include "tests/support/app_fixture.h"
#include "tests/support/form_fuzzer.h"

#include <QApplication>
#include <QTest>

class LauncherFuzzTest : public WindowTest {
    Q_OBJECT

private slots:
    void launcherSurvivesRandomInput()
    {
        FuzzTarget target;
        target.open = [] {
            auto* form = new RL_Form;
            form->registry().add(1, [] { return new forms::Form; });
            form->show();
            return form;
        };
        // Exactly the selected simulation's name is highlighted.
        target.invariant = [](forms::Form& form) {
            const auto& launcher = static_cast<RL_Form&>(form);
            for (int n = 1; n <= 3; ++n) {
                const bool navy = launcher.label(n)->palette().color(QPalette::Window) == QColor(0, 0, 128);
                if (navy != (n == launcher.SelectedSim))
                    return QStringLiteral("label %1 highlighted %2 with %3 selected").arg(n).arg(navy).arg(launcher.SelectedSim);
            }
            return QString();
        };
        const FuzzResult result = fuzzForm(target, 2000);
        QVERIFY2(result.ok, qPrintable(result.failure));
    }
};

QTEST_MAIN(LauncherFuzzTest)
#include "launcher_fuzz_test.moc"
