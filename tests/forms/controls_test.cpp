#include "forms/dialogs.h"
#include "forms/form.h"
#include "forms/option_button.h"
#include "forms/scroll_bar.h"
#include "forms/spin_button.h"
#include "tests/support/app_fixture.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

namespace {

// Counts the events the form layer raises.
class ProbeForm : public forms::Form {
public:
    int activations = 0;
    int paints = 0;
    int resizes = 0;
    int unloads = 0;

    void onActivate() override { ++activations; }
    void onPaint() override { ++paints; }
    void onResize() override { ++resizes; }
    void onUnload() override { ++unloads; }
};

} // namespace

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }

    void reversedScrollBarRunsFromMinimumToMaximum()
    {
        QWidget host;
        forms::ScrollBar bar(Qt::Vertical, &host);
        std::vector<int> changes;
        connect(&bar, &forms::ScrollBar::changed, this, [&](int v) { changes.push_back(v); });
        bar.setBounds(0, -110);
        bar.setSmallChange(10);
        bar.setLargeChange(60);
        QCOMPARE(bar.value(), 0);

        bar.bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd); // one step down
        QCOMPARE(bar.value(), -10);
        bar.bar()->triggerAction(QAbstractSlider::SliderToMaximum); // bottom
        QCOMPARE(bar.value(), -110);
        bar.setValue(-500); // clamped to the range
        QCOMPARE(bar.value(), -110);
        bar.setValue(0); // from code: raises change too
        QCOMPARE(changes, std::vector<int>({-10, -110, 0}));
    }

    void narrowingTheRangeMovesAndReportsTheValue()
    {
        QWidget host;
        forms::ScrollBar bar(Qt::Horizontal, &host);
        bar.setBounds(-20, 20);
        bar.setValue(-20);
        std::vector<int> changes;
        connect(&bar, &forms::ScrollBar::changed, this, [&](int v) { changes.push_back(v); });
        bar.setBounds(-12, 12);
        QCOMPARE(bar.value(), -12);
        QCOMPARE(changes, std::vector<int>({-12}));
        bar.setBounds(-20, 20);
        QCOMPARE(changes.size(), std::size_t(1));
    }

    void optionButtonSelectedByCodeClicksOnlyWhenItWasNotSelected()
    {
        QWidget host;
        forms::OptionButton a("a", &host);
        forms::OptionButton b("b", &host);
        int clicksOnA = 0;
        connect(&a, &forms::OptionButton::clicked, this, [&] { ++clicksOnA; });
        a.select();
        a.select();
        QCOMPARE(clicksOnA, 1);
        b.select();
        QVERIFY(!a.isChecked());
        a.click(); // the user
        QCOMPARE(clicksOnA, 2);
    }

    void spinButtonHasSeparateArrowEvents()
    {
        QWidget host;
        forms::SpinButton spin(&host);
        int ups = 0;
        int downs = 0;
        connect(&spin, &forms::SpinButton::spinUp, this, [&] { ++ups; });
        connect(&spin, &forms::SpinButton::spinDown, this, [&] { ++downs; });
        spin.upArrow()->click();
        spin.downArrow()->click();
        spin.downArrow()->click();
        QCOMPARE(ups, 1);
        QCOMPARE(downs, 2);
    }

    void messagesAndBeepsGoToTheSink()
    {
        RecordingDialogs dialogs;
        forms::beep();
        forms::information("Es können max. 50 Strahlen gezeichnet werden!", "Anwendungsfehler");
        QCOMPARE(dialogs.beeps, 1);
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(dialogs.messages[0].title, QString("Anwendungsfehler"));
    }

    void paintComesWithEachExposureNotEachRepaint()
    {
        auto* form = new ProbeForm;
        form->resize(300, 200);
        QCOMPARE(form->resizes, 0); // nothing before the first show
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(form->paints, 1);
        form->update();
        form->repaint();
        QCOMPARE(form->paints, 1);
        form->hide();
        form->show();
        QCOMPARE(form->paints, 2);
        form->resize(320, 220);
        QCOMPARE(form->resizes, 1);
        form->close();
    }

    void activationRaisesActivate()
    {
        auto* form = new ProbeForm;
        form->showModeless();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QVERIFY(form->activations >= 1);
        form->close();
    }

    void closingAModalBoxIsNoActivation()
    {
        auto* form = new ProbeForm;
        form->showModeless();
        QVERIFY(QTest::qWaitForWindowActive(form));
        const int before = form->activations;
        QDialog box; // application modal, as the message boxes are
        box.setModal(true);
        box.show();
        QTRY_COMPARE(QApplication::activeWindow(), &box);
        box.close();
        form->activateWindow(); // as the window system hands the activation back
        QTRY_COMPARE(QApplication::activeWindow(), form);
        QCOMPARE(form->activations, before);
        form->close();
    }

    // Qt deactivates every window when another program takes the focus and
    // activates one of ours when the focus comes back.
    void onlyAChangeOfTheProgramsActiveWindowIsAnActivation()
    {
        auto* form = new ProbeForm;
        form->showModeless();
        QVERIFY(QTest::qWaitForWindowActive(form));
        const int before = form->activations;
        QApplication::setActiveWindow(nullptr);
        QTRY_VERIFY(!form->isActiveWindow());
        QApplication::setActiveWindow(form);
        QTRY_VERIFY(form->isActiveWindow());
        QCOMPARE(form->activations, before);

        // From another window of the program it is one, also with another program in between.
        auto* other = new ProbeForm;
        other->showModeless();
        QVERIFY(QTest::qWaitForWindowActive(other));
        QCOMPARE(other->activations, 1);
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(form);
        QTRY_VERIFY(form->isActiveWindow());
        QCOMPARE(form->activations, before + 1);
        QApplication::setActiveWindow(other);
        QTRY_VERIFY(other->isActiveWindow());
        QCOMPARE(other->activations, 2);
        other->close();
        form->close();
    }

    void draggingTheThumbRaisesChangeOnceOnRelease()
    {
        QWidget host;
        host.resize(300, 20);
        forms::ScrollBar bar(Qt::Horizontal, &host);
        bar.setGeometry(0, 0, 300, 20);
        bar.setBounds(-100, 100);
        bar.setSmallChange(10);
        bar.setValue(0);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        std::vector<int> changes;
        connect(&bar, &forms::ScrollBar::changed, this, [&](int v) { changes.push_back(v); });

        QScrollBar* qbar = bar.bar();
        const auto send = [&](QEvent::Type type, int x, Qt::MouseButtons held) {
            QMouseEvent event(type, QPointF(x, 10), qbar->mapToGlobal(QPointF(x, 10)), Qt::LeftButton, held,
                              Qt::NoModifier);
            QApplication::sendEvent(qbar, &event);
        };
        send(QEvent::MouseButtonPress, 150, Qt::LeftButton); // the thumb sits in the middle
        QVERIFY(qbar->isSliderDown());
        for (int x = 140; x >= 20; x -= 10)
            send(QEvent::MouseMove, x, Qt::LeftButton);
        QVERIFY(changes.empty());
        QCOMPARE(bar.value(), 0);
        send(QEvent::MouseButtonRelease, 20, Qt::NoButton);
        QCOMPARE(changes.size(), std::size_t(1));
        QVERIFY(changes[0] < -50);
        QCOMPARE(bar.value(), changes[0]);

        qbar->triggerAction(QAbstractSlider::SliderSingleStepAdd); // an arrow click
        QCOMPARE(changes.size(), std::size_t(2));
    }

    void unloadRaisesUnloadAndDeletesTheWindow()
    {
        QPointer<ProbeForm> form = new ProbeForm;
        int unloads = 0;
        connect(form, &forms::Form::unloaded, this, [&] { ++unloads; });
        form->show();
        form->unload();
        QCOMPARE(unloads, 1);
        flushDeletions();
        QVERIFY(form.isNull());
    }

    // The test screens simulate a window manager's frame.
    void outerGeometryIsInTwipsFrameIncluded()
    {
        auto* form = new ProbeForm;
        form->setOuterGeometryTwips(1500, 750, 6000, 4500);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QVERIFY(form->frameGeometry().size() != form->size());
        QCOMPARE(form->frameGeometry().size(), QSize(400, 300));
        QCOMPARE(form->outerWidthTwips(), 6000.0);
        QCOMPARE(form->outerHeightTwips(), 4500.0);
        QCOMPARE(form->frameGeometry().topLeft(), QPoint(100, 50));
        form->close();
    }
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
