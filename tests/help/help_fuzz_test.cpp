#include "help/info_window.h"
#include "tests/support/app_fixture.h"
#include "tests/support/form_fuzzer.h"

#include <QPlainTextEdit>
#include <QTest>

class HelpFuzzTest : public WindowTest {
    Q_OBJECT

private slots:
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

QTEST_MAIN(HelpFuzzTest)
#include "help_fuzz_test.moc"
