#include "launcher/info_window.h"
#include "launcher/rl_form.h"
#include "tests/support/app_fixture.h"
#include "tests/support/form_fuzzer.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>

namespace {

class TestSimulation : public forms::Form {};

} // namespace

class LauncherFuzzTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }

    void launcherSurvivesRandomInput()
    {
        FuzzTarget target;
        target.open = [] {
            auto* form = new RL_Form;
            form->registry().add(1, [] { return new TestSimulation; });
            form->show();
            return form;
        };
        target.invariant = [](forms::Form& form) {
            const int selected = static_cast<RL_Form&>(form).SelectedSim;
            return selected >= 0 && selected <= 3 ? QString() : QStringLiteral("SelectedSim %1").arg(selected);
        };
        const FuzzResult result = fuzzForm(target, 2000);
        QVERIFY2(result.ok, qPrintable(result.failure));
    }

    void helpWindowsSurviveRandomInputAndNeverTakeTheFocus()
    {
        for (auto make : {makeSp_info, makeLens_info, makeBk_info}) {
            FuzzTarget target;
            target.open = [make] {
                InfoWindow* window = make();
                window->showModeless();
                return window;
            };
            target.invariant = [](forms::Form& form) {
                const auto& window = static_cast<InfoWindow&>(form);
                return window.textField()->hasFocus() ? QStringLiteral("the help text holds the focus") : QString();
            };
            const FuzzResult result = fuzzForm(target, 700);
            QVERIFY2(result.ok, qPrintable(result.failure));
        }
    }
};

QTEST_MAIN(LauncherFuzzTest)
#include "launcher_fuzz_test.moc"
