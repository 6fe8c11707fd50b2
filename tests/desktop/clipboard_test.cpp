#include "disk/dk_form.h"
#include "forms/picture_box.h"
#include "kit/bk_form.h"
#include "lens/lens_form.h"
#include "mirror/sp_form.h"
#include "tests/kit/kit_window_support.h"
#include "tests/support/app_fixture.h"
#include "tests/support/pixels.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

namespace {

// Ctrl+C in the window as the keyboard delivers it.
QImage copied(forms::Form& window)
{
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier);
    return QGuiApplication::clipboard()->image();
}

} // namespace

class ClipboardTest : public WindowTest {
    Q_OBJECT

private slots:
    void ctrlCCopiesTheDrawingPixelForPixel()
    {
        auto* mirror = openWindow<sp_form>();
        QVERIFY(mirror && QTest::qWaitForWindowActive(mirror));
        mirror->Picture1_MouseDown(1, 0, 300, 60);
        mirror->Picture1_MouseUp(1, 0, 300, 60);
        QImage image = copied(*mirror);
        QCOMPARE(image.size(), mirror->Picture1->canvas().size());
        QVERIFY(samePixels(image, mirror->Picture1->canvas()));

        auto* lens = openWindow<lens_form>();
        QVERIFY(lens && QTest::qWaitForWindowActive(lens));
        QVERIFY(samePixels(copied(*lens), lens->Picture1->canvas()));

        auto* kit = openWindow<bk_form>();
        QVERIFY(kit && QTest::qWaitForWindowActive(kit));
        kitwin::add(*kit, kit::Kind::Converging);
        kitwin::click(*kit, 200, 50);
        QVERIFY(samePixels(copied(*kit), kit->Picture1->canvas()));

        auto* disk = openWindow<DKForm>();
        QVERIFY(disk && QTest::qWaitForWindowActive(disk));
        disk->grafik_MouseDown(1, 0, -100, 100);
        disk->grafik_MouseUp(1, 0, -100, 100);
        image = copied(*disk);
        QCOMPARE(image.size(), disk->grafik->canvas().size());
        QVERIFY(samePixels(image, disk->Drawing()));
        // The graph is in it where it is shown, not only the disk.
        QVERIFY(!samePixels(image, disk->grafik->canvas()));
    }
};

QTEST_MAIN(ClipboardTest)
#include "clipboard_test.moc"
