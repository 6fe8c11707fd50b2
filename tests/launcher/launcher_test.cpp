#include "launcher/rl_form.h"
#include "tests/support/app_fixture.h"

#include <QTest>

class LauncherTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { prepareWindowTests(); }
    void shows()
    {
        auto* form = new RL_Form;
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        form->close();
    }
};

QTEST_MAIN(LauncherTest)
#include "launcher_test.moc"
