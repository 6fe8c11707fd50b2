#include "disk/dk_form.h"
#include "disk/info_form.h"
#include "forms/option_button.h"
#include "forms/picture_box.h"
#include "forms/scroll_bar.h"
#include "forms/spin_button.h"
#include "help/info_window.h"
#include "kit/bk_form.h"
#include "launcher/rl_form.h"
#include "lens/lens_form.h"
#include "mirror/sp_form.h"
#include "tests/kit/kit_window_support.h"
#include "tests/support/app_fixture.h"
#include "tests/support/pixels.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <functional>

namespace {

QString accessible(QWidget* w, QAccessible::Text text)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(text).trimmed() : QString();
}

// Every control a user can reach in the window with no name to read out, and
// every drawing area that does not say what it shows.
QStringList nameless(QWidget* window)
{
    QStringList found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool drawing = qobject_cast<forms::PictureBox*>(w) != nullptr;
        const bool control = drawing || qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w)
            || qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QScrollBar*>(w)
            || qobject_cast<forms::SpinButton*>(w);
        if (!control || !w->isVisible() || !w->isEnabled())
            continue;
        if (accessible(w, QAccessible::Name).isEmpty() || (drawing && accessible(w, QAccessible::Description).isEmpty()))
            found << QStringLiteral("%1 (%2 in %3)")
                         .arg(w->objectName(), QString::fromUtf8(w->metaObject()->className()),
                              w->parentWidget() ? w->parentWidget()->objectName() : QString());
    }
    return found;
}

using Opener = std::function<QWidget*()>;

// Ctrl+C in the window as the keyboard delivers it.
QImage copied(forms::Form& window)
{
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier);
    return QGuiApplication::clipboard()->image();
}

// What a screen reader reads as the drawing area's description, after the repaint.
QString description(forms::PictureBox* box)
{
    settle();
    return accessible(box, QAccessible::Description);
}

} // namespace

Q_DECLARE_METATYPE(Opener)

class AccessibilityTest : public WindowTest {
    Q_OBJECT

private slots:
    void everyReachableControlHasAName_data()
    {
        QTest::addColumn<Opener>("open");
        QTest::newRow("launcher") << Opener([] { return showWindow(new RL_Form); });
        QTest::newRow("about") << Opener([] { return showWindow(makeRL_info()); });
        QTest::newRow("help") << Opener([] { return showWindow(makeSp_info()); }); // as every help window
        QTest::newRow("mirror") << Opener([] {
            auto* w = showWindow(new sp_form);
            w->ParallelOption->click();
            return w;
        });
        QTest::newRow("lens") << Opener([] {
            auto* w = showWindow(new lens_form);
            w->Blende_einOption->click(); // the aperture's own controls appear
            return w;
        });
        QTest::newRow("lens magnifier") << Opener([] {
            auto* w = showWindow(new lens_form);
            w->LupeButton->click();
            w->Picture1_MouseMove(0, 0, 450, 60);
            w->Picture1_MouseDown(1, 0, 450, 60);
            return w;
        });
        QTest::newRow("kit with every panel") << Opener([] {
            auto* w = showWindow(new bk_form);
            kitwin::add(*w, kit::Kind::Eye);
            w->BaukastenButton->click();
            w->AnsichtButton->click();
            w->KooCheck->click();
            kitwin::doubleClick(*w, w->system().ElemX[1], 0);
            return w;
        });
        QTest::newRow("diska") << Opener([] { return showWindow(new DKForm); });
        QTest::newRow("diska help") << Opener([] { return showWindow(new info_form); });
    }

    void everyReachableControlHasAName()
    {
        QFETCH(Opener, open);
        QWidget* window = open();
        QVERIFY(window);
        const QStringList missing = nameless(window);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
    }

    // Each drawing area says what it shows, and Ctrl+C copies the drawing pixel for pixel.
    void drawingsAreDescribedAndCopied()
    {
        auto* mirror = openWindow<sp_form>();
        QVERIFY(mirror && QTest::qWaitForWindowActive(mirror));
        QVERIFY(description(mirror->Picture1).contains("0 Strahlen"));
        mirror->Picture1_MouseDown(1, 0, 300, 60);
        mirror->Picture1_MouseUp(1, 0, 300, 60);
        QVERIFY2(description(mirror->Picture1).contains("1 Strahl,"), qPrintable(description(mirror->Picture1)));
        const QImage image = copied(*mirror);
        QCOMPARE(image.size(), mirror->Picture1->canvas().size());
        QVERIFY(samePixels(image, mirror->Picture1->canvas()));
        mirror->ParabolOption->click();
        QVERIFY(description(mirror->Picture1).startsWith("Parabolspiegel"));

        auto* lens = openWindow<lens_form>();
        QVERIFY(lens && QTest::qWaitForWindowActive(lens));
        QVERIFY(samePixels(copied(*lens), lens->Picture1->canvas()));

        auto* kit = openWindow<bk_form>();
        QVERIFY(kit && QTest::qWaitForWindowActive(kit));
        kitwin::add(*kit, kit::Kind::Converging);
        QVERIFY2(description(kit->Picture1).contains("Sammellinse mit f = 150 LE bei x = 350 LE"),
                 qPrintable(description(kit->Picture1)));
        kitwin::click(*kit, 200, 50);
        QVERIFY(samePixels(copied(*kit), kit->Picture1->canvas()));
        kitwin::add(*kit, kit::Kind::Eye);
        kitwin::doubleClick(*kit, kit->system().ElemX[3], 0);
        kit->KurzOption->click();
        QVERIFY(description(kit->Picture1).contains("kurzsichtiges Auge"));

        auto* disk = openWindow<DKForm>();
        QVERIFY(disk && QTest::qWaitForWindowActive(disk));
        disk->grafik_MouseDown(1, 0, -100, 100);
        disk->grafik_MouseUp(1, 0, -100, 100);
        QVERIFY2(description(disk->grafik).contains("Einfallswinkel alpha = 45"), qPrintable(description(disk->grafik)));
        const QImage both = copied(*disk);
        QCOMPARE(both.size(), disk->grafik->canvas().size());
        QVERIFY(samePixels(both, disk->Drawing()));
        // The graph is in it where it is shown, not only the disk.
        QVERIFY(!samePixels(both, disk->grafik->canvas()));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
