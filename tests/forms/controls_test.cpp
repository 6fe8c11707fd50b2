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

    void onActivate() override { ++activations; }
    void onPaint() override { ++paints; }
    void onResize() override { ++resizes; }
};

} // namespace

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }

    // Code, arrows and new bounds that move the value report it; a dragged
    // thumb reports once, on its release. A reversed range runs from its minimum.
    void scrollBarReportsEachChangeOnce()
    {
        QWidget host;
        host.resize(300, 20);
        forms::ScrollBar bar(Qt::Horizontal, &host);
        bar.setGeometry(0, 0, 300, 20);
        bar.setBounds(0, -110);
        bar.setSmallChange(10);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        std::vector<int> changes;
        connect(&bar, &forms::ScrollBar::changed, this, [&](int v) { changes.push_back(v); });
        QScrollBar* qbar = bar.bar();
        qbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        qbar->triggerAction(QAbstractSlider::SliderToMaximum);
        bar.setValue(-500); // clamped to the range, no change
        bar.setBounds(-100, 100);
        bar.setValue(-100);
        bar.setBounds(-12, 12); // moves the value
        bar.setBounds(-100, 100);
        bar.setValue(0);
        QCOMPARE(changes, std::vector<int>({-10, -110, -100, -12, 0}));
        changes.clear();
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
        send(QEvent::MouseButtonRelease, 20, Qt::NoButton);
        QCOMPARE(changes.size(), std::size_t(1));
        QVERIFY(changes[0] < -50);
        QCOMPARE(bar.value(), changes[0]);
    }

    void optionAndSpinButtonsClickAsTheWindowsExpect()
    {
        QWidget host;
        forms::OptionButton a("a", &host);
        forms::OptionButton b("b", &host);
        int clicksOnA = 0;
        connect(&a, &forms::OptionButton::clicked, this, [&] { ++clicksOnA; });
        a.select();
        a.select(); // already selected: no click
        b.select();
        QVERIFY(!a.isChecked());
        a.click();
        QCOMPARE(clicksOnA, 2);

        forms::SpinButton spin(&host);
        QString arrows;
        connect(&spin, &forms::SpinButton::spinUp, this, [&] { arrows += "u"; });
        connect(&spin, &forms::SpinButton::spinDown, this, [&] { arrows += "d"; });
        spin.upArrow()->click();
        spin.downArrow()->click();
        QCOMPARE(arrows, QString("ud"));
    }

    // The outer geometry is in twips, the frame included where the test
    // screen simulates one. Paint comes with each exposure, not each repaint;
    // a resize counts once the window is shown.
    void geometryPaintAndResizeFollowTheWindowSystem()
    {
        auto* form = new ProbeForm;
        form->setOuterGeometryTwips(1500, 750, 6000, 4500);
        QCOMPARE(form->resizes, 0);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(form->frameGeometry(), QRect(100, 50, 400, 300));
        QCOMPARE(form->outerWidthTwips(), 6000.0);
        QCOMPARE(form->outerHeightTwips(), 4500.0);
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

    // Only a change of the program's active window is an activation: not
    // closing a modal box, not the focus coming back from another program.
    void onlyAChangeOfTheProgramsActiveWindowIsAnActivation()
    {
        auto* form = new ProbeForm;
        form->showModeless();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(form->activations, 1);
        {
            QDialog box; // application modal, as the message boxes are
            box.setModal(true);
            box.show();
            QTRY_COMPARE(QApplication::activeWindow(), &box);
        }
        form->activateWindow(); // as the window system hands the activation back
        QTRY_COMPARE(QApplication::activeWindow(), form);
        QApplication::setActiveWindow(nullptr);
        QTRY_VERIFY(!form->isActiveWindow());
        QApplication::setActiveWindow(form);
        QTRY_VERIFY(form->isActiveWindow());
        QCOMPARE(form->activations, 1);

        // From another window of the program it is one, also with another program in between.
        auto* other = new ProbeForm;
        other->showModeless();
        QVERIFY(QTest::qWaitForWindowActive(other));
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(form);
        QTRY_VERIFY(form->isActiveWindow());
        QCOMPARE(form->activations, 2);
        QApplication::setActiveWindow(other);
        QTRY_VERIFY(other->isActiveWindow());
        QCOMPARE(other->activations, 2);
        other->close();
        form->close();
    }
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
