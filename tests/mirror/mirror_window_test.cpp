#include "common/angles.h"
#include "common/maths.h"
#include "forms/geometry.h"
#include "forms/option_button.h"
#include "forms/panel3d.h"
#include "forms/picture_box.h"
#include "forms/projector_view.h"
#include "forms/scroll_bar.h"
#include "help/info_window.h"
#include "mirror/sp_form.h"
#include "tests/support/app_fixture.h"
#include "tests/support/pixels.h"
#include "tests/support/text_fit.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <functional>

namespace {

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kBlue = 0xff0000ff;
constexpr QRgb kGrey = 0xffc0c0c0;
constexpr QRgb kGreen = 0xff00ff00;

} // namespace

class MirrorWindowTest : public WindowTest {
    Q_OBJECT

private slots:
    void init() { QVERIFY((form = openWindow<sp_form>())); }

    void opensWithTheDesignStateWhereTheMappingPutsIt()
    {
        QCOMPARE(form->model().mirror.CurvCoeff, 0.00072f);
        QVERIFY(colourNear(*form->Picture1, 1000, 0, kBlue)); // the vertex of the blue arc
        QVERIFY(colourNear(*form->Picture1, 1000 - 0.00072 * 200 * 200, 200, kBlue, 2));
        QCOMPARE(pixelAt(*form->Picture1, 710, 0), kGrey);    // the axis
        QCOMPARE(pixelAt(*form->Picture1, 100, 100), kBlack); // the object point
        QCOMPARE(pixelAt(*form->Picture1, 40, -260), kBlack); // a corner of the point grid
        // Presses on the notice reach the drawing; read-outs round down.
        QCOMPARE(form->Picture1->childAt(form->Hinweis->geometry().center()), nullptr);
        form->Picture1_MouseMove(0, 0, 512.7f, -3.2f);
        QCOMPARE(form->Text1->text(), QString("x = 512 LE"));
        QCOMPARE(form->Text2->text(), QString("y = -4 LE"));
    }

    void switchingKindsClampsTheCurvature()
    {
        form->ParabolOption->select();
        QCOMPARE(form->model().mirror.CurvCoeff, 0.00072f);
        QCOMPARE(form->KrummScroll->minimum(), -20);
        form->KrummScroll->setValue(-20);
        QCOMPARE(form->model().mirror.CurvCoeff, 0.0024f);
        form->SphaerOption->select();
        QCOMPARE(form->model().mirror.CurvCoeff, 0.00144f);
        QCOMPARE(form->KrummScroll->value(), -12);
        QCOMPARE(form->KrummScroll->minimum(), -12);
    }

    // A plane mirror allows backward rays; a concave one only while the
    // object lies between focus and mirror.
    void backwardRaysOnlyWhereTheImageCanBeVirtual()
    {
        QVERIFY(!form->RueckwaertigButton->isEnabled()); // object at 100, far outside the focus at ~650
        form->KrummScroll->setValue(0);
        for (float y : {-300.0f, 0.0f, 300.0f}) // a plane mirror is a straight line
            QVERIFY(colourNear(*form->Picture1, 1000, y, kBlue));
        form->RueckwaertigButton->click();
        QCOMPARE(form->model().BackRays, std::int16_t(1));
        form->KrummScroll->setValue(-6);
        QCOMPARE(form->model().BackRays, std::int16_t(0));
        QVERIFY(!form->RueckwaertigButton->isEnabled());
        dragObjectTo(800, 20);
        QVERIFY(form->RueckwaertigButton->isEnabled());
    }

    void resizingBeforeTheFirstPaintDoesNothing()
    {
        sp_form hidden;
        const QRect before = hidden.Picture1->geometry();
        hidden.onResize();
        QCOMPARE(hidden.Picture1->geometry(), before);
        QCOMPARE(countColour(*hidden.Picture1, kBlue), 0);
    }

    void raysStartOutsideTheObjectPointOnly()
    {
        form->Picture1_MouseDown(1, 0, 109, 150);
        QCOMPARE(form->DragMode, std::int16_t(0));
        form->Picture1_MouseUp(1, 0, 109, 150);
        QCOMPARE(form->model().RayCount, std::int16_t(0));
        addRay(111, 150);
        QCOMPARE(form->model().RayCount, std::int16_t(1));
        // Aimed straight up, the ray is kept with its angle and draws nothing it cannot.
        form->Picture1_MouseDown(1, 0, 300, 150);
        form->Picture1_MouseMove(1, 0, 100, 300);
        form->Picture1_MouseUp(1, 0, 100, 300);
        QCOMPARE(form->model().RayList[1], common::singlePi() / 2);
        form->KrummScroll->setValue(3);
        form->ParabolOption->select();
        QCOMPARE(form->Picture1->refusedFigures(), 0);
    }

    void theFiftyFirstRayIsRefusedUntilTheObjectMoves()
    {
        RecordingDialogs dialogs;
        for (int i = 0; i < 50; ++i)
            addRay(500, -200 + 8 * i);
        addRay(500, 50);
        QCOMPARE(form->model().RayCount, std::int16_t(50));
        QCOMPARE(dialogs.beeps, 1);
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(dialogs.messages[0].text + dialogs.messages[0].title,
                 QString::fromUtf8("Es können max. 50 Strahlen gezeichnet werden!  Zum Löschen der Strahlen "
                                   "Objektpunkt verschieben! Anwendungsfehler"));
        // Right button and the area around the mirror get the same answer.
        form->Picture1_MouseDown(2, 0, 1100, 350);
        QCOMPARE(dialogs.messages.size(), std::size_t(2));
        dragObjectTo(200, 60);
        QCOMPARE(form->model().RayCount, std::int16_t(0));
        addRay(500, 0);
        QCOMPARE(form->model().RayCount, std::int16_t(1));
    }

    // Inside the grid the released object snaps to it; dragged up it stops at the sphere's height.
    void releasedObjectSnapsInsideTheGridOnly()
    {
        const struct {
            float x, y, snappedX, snappedY;
        } cases[] = {{127, -33, 120, -40}, {600, 47, 600, 47}};
        for (const auto& c : cases) {
            dragObjectTo(c.x, c.y);
            QCOMPARE(form->model().ray.ObjectX, c.snappedX);
            QCOMPARE(form->model().ray.ObjectY, c.snappedY);
        }
        QCOMPARE(pixelAt(*form->Picture1, 600, 47), kBlack);
        grab(600, 47);
        form->Picture1_MouseMove(1, 0, 300, 5000);
        QCOMPARE(form->model().ray.ObjectY, std::abs(form->model().mirror.Radius));
        form->Picture1_MouseUp(1, 0, 300, 5000);
    }

    // Checked on the stored values, with no tolerance: a clamp that lands a
    // rounding step behind the surface puts the object inside the mirror.
    void mirrorAndObjectNeverPassEachOther()
    {
        const mirror::Experiment& m = form->model();
        const auto gap = [&] { // in single precision, as stored
            const float a = static_cast<float>(common::sgn(m.mirror.CurvCoeff));
            return m.mirror.VertexX - (m.ray.ObjectX + a * mirror::MirrorSag(m.mirror, m.ray.ObjectY));
        };
        for (int bar : {-12, -7, -6, 5, 12}) {
            form->KrummScroll->setValue(bar);
            grab(m.ray.ObjectX, m.ray.ObjectY);
            for (float y = -299; y < 300; y += 7.3f) {
                form->Picture1_MouseMove(1, 0, 2000, y);
                QVERIFY2(gap() >= 0 && gap() < 0.01f, qPrintable(QStringLiteral("bar %1, y %2: %3").arg(bar).arg(y).arg(gap())));
            }
            form->Picture1_MouseUp(1, 0, 2000, 0);
        }
        form->KrummScroll->setValue(-12); // concave: the surface lies left of the vertex off the axis
        dragObjectTo(510, 100);           // snaps to 520
        grab(1000, 0);
        form->Picture1_MouseMove(1, 0, 300, 0);
        QCOMPARE(m.mirror.VertexX, 520 + mirror::MirrorSag(m.mirror, 100));
        form->Picture1_MouseUp(1, 0, 300, 0);
        dragObjectTo(539, 100); // snaps towards 540, behind the surface
        QVERIFY(gap() >= 0);
    }

    // Repairs during the drag must not trace the hidden rays piecemeal.
    void draggingTheMirrorHidesItsRaysUntilTheRelease()
    {
        addRay(500, 150);
        addRay(500, -80);
        grab(1000, 0);
        form->Picture1_MouseMove(1, 0, 800, 0);
        settle();
        QCOMPARE(holeInStayingFigures(*form->Picture1), QString());
        form->Picture1_MouseUp(1, 0, 800, 0);
        settle();
        const float hitX = form->model().RayHitX[1];
        const float hitY = form->model().RayHitY[1];
        QVERIFY(hitX < 800);
        QVERIFY(colourNear(*form->Picture1, 100 + 0.9f * (hitX - 100), 100 + 0.9f * (hitY - 100), kBlack, 2));
        QCOMPARE(holeInStayingFigures(*form->Picture1), QString());
    }

    void rightClicksMarkOnePairAndThenMoveItsImagePoint()
    {
        form->Picture1_MouseDown(2, 0, 500, -80);
        QCOMPARE(form->model().ImageCount, std::int16_t(1));
        QCOMPARE(pixelAt(*form->Picture1, 500, -80), qRgb(255, 0, 0));
        QCOMPARE(pixelAt(*form->Picture1, 100, 100), kBlue);
        form->Picture1_MouseDown(2, 0, 520, -120);
        QCOMPARE(form->model().ImageCount, std::int16_t(1));
        QCOMPARE(form->model().ImageX[0], 520.0f);
        QCOMPARE(pixelAt(*form->Picture1, 500, -80), kWhite);
        dragObjectTo(140, 80);
        form->Picture1_MouseDown(2, 0, 480, -60);
        QCOMPARE(form->model().ImageCount, std::int16_t(2));
    }

    void bundleTurnsNoFurtherThanOneRadian()
    {
        form->ParallelOption->select();
        addRay(300, 50);
        form->Picture1_MouseDown(2, 0, 500, 0);
        form->Picture1_MouseMove(2, 0, 900, -500);
        QCOMPARE(form->model().BundleAngle, 1.0f);
        // Every ray keeps its height on the vertex plane.
        QVERIFY(std::abs(form->model().RayList[0] + 1000 * std::tan(1.0f) - form->model().RayVertexY[0]) < 1e-3);
        form->Picture1_MouseMove(2, 0, 1000, -500); // on the vertex plane: keeps the angle
        QCOMPARE(form->model().BundleAngle, 1.0f);
        form->Picture1_MouseUp(2, 0, 1000, -500);
        QCOMPARE(form->DragMode, std::int16_t(0));
    }

    void shiftClickShowsTheScaleAtTheNearestPointOfIncidence()
    {
        for (float y : {140.0f, 80.0f, 20.0f})
            addRay(500, y);
        const auto& hitY = form->model().RayHitY;
        form->Picture1_MouseDown(1, 1, 200, hitY[1] + 3);
        QCOMPARE(form->ScaleShown, std::int16_t(1));
        QCOMPARE(form->ScaleX, form->model().RayHitX[1]);
        QCOMPARE(form->ScaleY, hitY[1]);
        QVERIFY(colourNear(*form->Picture1, form->ScaleX - 140, normalY(hitY[1], -140), kGreen, 2));
        form->Picture1_MouseDown(1, 1, 200, hitY[2] - 1);
        QCOMPARE(form->ScaleY, hitY[2]);
        QVERIFY(!colourNear(*form->Picture1, form->model().RayHitX[1] - 140, normalY(hitY[1], -140), kGreen, 2));
    }

    void doubleClickRestoresThePictureBeforeTheRays()
    {
        form->Picture1_DblClick(); // the grid dots now lie over the axis, as after any double click
        const QImage before = form->Picture1->canvas().copy();
        for (float y : {150.0f, -20.0f, 200.0f})
            addRay(450, y);
        QVERIFY(form->Picture1->canvas() != before);
        form->Picture1_DblClick();
        QCOMPARE(form->model().RayCount, std::int16_t(0));
        QVERIFY(form->Picture1->canvas() == before);
    }

    // Staying figures that overlap one another (grid points on the axis, rays
    // where they meet the mirror) change colour with the order handlers draw
    // them in: a release draws the grid and the mirror last, a curvature
    // change the rays. So the picture before is taken after adding and
    // removing once, and the figures here cross the axis beyond the grid.
    void erasingLeavesTheStayingFiguresWhole()
    {
        const auto bendBackAndForth = [&] {
            form->KrummScroll->setValue(form->KrummScroll->value() + 1);
            form->KrummScroll->setValue(form->KrummScroll->value() - 1);
        };
        struct Case {
            const char* name;
            std::function<void()> add;
            std::function<void()> remove;
        };
        const Case cases[] = {
            {"a rubber band over the axis, rays and the object point",
             [&] { form->Picture1_MouseMove(1, 0, 900, -200); }, [&] { form->Picture1_MouseMove(1, 0, 600, 260); }},
            {"an image point moved onto the axis", [&] { form->Picture1_MouseDown(2, 0, 700, 0); },
             [&] { form->Picture1_MouseDown(2, 0, 700, 200); }},
            {"the angle scale over rays and the mirror", [&] { form->Picture1_MouseDown(1, 1, 0, 0); }, bendBackAndForth},
            {"backward rays shown and hidden", [&] { form->RueckwaertigButton->click(); },
             [&] { form->RueckwaertigButton->click(); }},
        };
        form->KrummScroll->setValue(5); // convex: backward rays allowed
        dragObjectTo(500, 200);
        form->Picture1_MouseDown(2, 0, 700, 200); // a marked pair
        addRay(800, 120);
        addRay(800, -60);
        for (const Case& c : cases) {
            form->Picture1_MouseDown(1, 0, 600, 260); // a rubber band that crosses nothing
            c.add();
            c.remove();
            const QString fault = erasingFault(*form->Picture1, c.add, c.remove);
            QVERIFY2(fault.isEmpty(), qPrintable(c.name + QStringLiteral(": ") + fault));
            form->Picture1_MouseUp(1, 0, 600, 260);
        }
    }

    // The projector view draws every line three times as heavy and loses
    // nothing: switching shows what a window opened in that view with the
    // same content shows, and switching back gives the picture back. Both
    // pictures are taken after one redraw, which sets where overlapping
    // figures lie over one another.
    void projectorViewRedrawsEverythingHeavier()
    {
        const auto build = [](sp_form& w) {
            w.KrummScroll->setValue(5);
            w.RueckwaertigButton->click();
            for (const float y : {150.0f, 60.0f, -90.0f}) {
                w.Picture1_MouseDown(1, 0, 400, y);
                w.Picture1_MouseUp(1, 0, 400, y);
            }
            w.Picture1_MouseDown(2, 0, 700, 200);
            w.Picture1_MouseDown(1, 1, 0, 60);
        };
        build(*form);
        settle();
        const QImage built = form->Picture1->canvas().copy();
        redrawnInView(false);
        const QImage normal = form->Picture1->canvas().copy();
        QVERIFY(paintedAlike(normal, built, kWhite)); // nothing lost, nothing added
        {
            const ScopedProjectorView projector;
            const QImage heavy = form->Picture1->canvas().copy();
            const forms::PictureBox& box = *form->Picture1;
            const double ratio = box.canvasRatio();
            QCOMPARE(box.lineWeight(), 3);
            const QPointF object = devicePoint(box, form->model().ray.ObjectX, form->model().ray.ObjectY);
            const QPointF hit = devicePoint(box, form->model().RayHitX[1], form->model().RayHitY[1]);
            QVERIFY(std::abs(widthAcross(heavy, devicePoint(box, 600, 0), devicePoint(box, 610, 0), kGrey) - 3 * ratio) < 1);
            QVERIFY(std::abs(widthAcross(heavy, object, hit, kBlack) - 3 * ratio) < 1);
            QVERIFY(std::abs(widthAcross(normal, object, hit, kBlack) - ratio) < 1);
            QVERIFY(form->Text1->font().pointSizeF() >= 1.5 * 8.25);
            QVERIFY(textFits(*form->Text2, "y = -1000 LE"));

            auto* fresh = openWindow<sp_form>();
            QVERIFY(fresh);
            build(*fresh);
            redrawnInView(true);
            QVERIFY(samePixels(fresh->Picture1->canvas(), heavy));
            fresh->unload();
        }
        QVERIFY(samePixels(form->Picture1->canvas(), normal));
    }

    // Ctrl+B while the rubber band is dragged: the drawing keeps its weight until the release.
    void switchingDuringADragWaitsForTheRelease()
    {
        QWidget* area = form->Picture1;
        const QPoint press = devicePoint(*form->Picture1, 400, 150).toPoint() / form->Picture1->canvasRatio();
        QTest::mousePress(area, Qt::LeftButton, {}, press);
        QTest::mouseMove(area, press + QPoint(30, 40));
        form->projectorAction()->trigger();
        QVERIFY(forms::projectorView());
        QCOMPARE(form->Picture1->lineWeight(), 1);
        QTest::mouseRelease(area, Qt::LeftButton, {}, press + QPoint(30, 40));
        QCOMPARE(form->Picture1->lineWeight(), 3);
        QCOMPARE(form->model().RayCount, std::int16_t(1));
        form->projectorAction()->trigger();
        QCOMPARE(form->Picture1->lineWeight(), 1);
        QVERIFY(!form->projectorAction()->isChecked());
    }

    // Both texts of the backward-ray button, at the opening and the smallest size.
    void controlsFitTheirTextsDownToTheSmallestSize()
    {
        QCOMPARE(crowdedControls(*form->Panel3D1), QString());
        QCOMPARE(clippedText(*form->Panel3D1), QString());
        QCOMPARE(clippedText(*form->Picture1), QString());
        for (const QString& text : edgeReadouts(*form->Picture1))
            QVERIFY2(textFits(*form->Text1, text), qPrintable(text));
        form->KrummScroll->setValue(6);
        QCOMPARE(misfitAtMinimumSize(*form, *form->Panel3D1), QString()); // "einblenden"
        form->RueckwaertigButton->click();
        QCOMPARE(clippedText(*form->Panel3D1), QString()); // "ausblenden"
        QCOMPARE(misfitBelowMinimumSize(*form, *form->Panel3D1), QString());
    }

    // Coming back from another program keeps the experiment; from another of
    // this program's windows it starts afresh.
    void activationResetsTheSimulationOnlyFromWithinTheProgram()
    {
        form->ParallelOption->select();
        form->ParabolOption->select();
        addRay(300, 50);
        addRay(300, 80);
        activateFromAnotherProgram(form);
        QCOMPARE(form->model().RayCount, std::int16_t(2));
        QCOMPARE(form->model().LightMode, 1.0f);
        activateFromAnotherWindow(form);
        QCOMPARE(form->model().LightMode, 0.0f);
        QCOMPARE(form->model().mirror.MirrorKind, std::int16_t(0));
        QCOMPARE(form->model().RayCount, std::int16_t(0));
        QVERIFY(form->PktOption->isChecked() && form->SphaerOption->isChecked());
        QCOMPARE(form->model().ray.ObjectX, 100.0f);
    }

    void infoClearsAndOpensTheHelpWindowWhichEndGoesWith()
    {
        addRay(500, 150);
        form->InfoButton->click();
        QCOMPARE(form->model().RayCount, std::int16_t(0));
        QVERIFY(form->sp_info && form->sp_info->isVisible());
        QPointer<InfoWindow> help = form->sp_info.data();
        form->EndeButton->click();
        flushDeletions();
        QVERIFY(help.isNull());
    }

    void controlStripFollowsTheScreenClass_data()
    {
        QTest::addColumn<double>("screenWidth");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("boldReadouts");
        QTest::newRow("small") << 9600.0 << 8.25 << false;
        QTest::newRow("medium") << 11520.0 << 9.75 << false;
        QTest::newRow("wide") << 19200.0 << 9.6 << true;
    }

    void controlStripFollowsTheScreenClass()
    {
        QFETCH(double, screenWidth);
        QFETCH(double, points);
        QFETCH(bool, boldReadouts);
        ScopedScreen screen(screenWidth, screenWidth * 0.75);
        sp_form window;
        QCOMPARE(window.PktOption->font().pointSizeF(), points);
        QCOMPARE(window.Text1->font().bold(), boldReadouts);
        const double twipsPerLE = screenWidth < 10000 ? 8 : 10;
        QCOMPARE(window.Picture1->scale().width(), forms::geometryTwips(window.Picture1).width / twipsPerLE);
        if (screenWidth > 10000) {
            const double strip = forms::geometryTwips(window.Panel3D1).width;
            QVERIFY(std::abs(forms::geometryTwips(window.KrummPanel).left - 0.43 * strip) <= 15);
            QVERIFY(std::abs(forms::geometryTwips(window.EndeButton).left - 0.9 * strip) <= 15);
        }
    }

private:
    void addRay(float x, float y)
    {
        form->Picture1_MouseDown(1, 0, x, y);
        form->Picture1_MouseUp(1, 0, x, y);
    }

    void grab(float x, float y)
    {
        form->Picture1_MouseMove(0, 0, x, y);
        form->Picture1_MouseDown(1, 0, x, y);
    }

    void dragObjectTo(float x, float y)
    {
        grab(form->model().ray.ObjectX, form->model().ray.ObjectY);
        QCOMPARE(form->DragMode, std::int16_t(1));
        form->Picture1_MouseMove(1, 0, x, y);
        form->Picture1_MouseUp(1, 0, x, y);
    }

    // Height of the normal through the scale point, `dx` LE to its side.
    float normalY(float y, float dx) const
    {
        return static_cast<float>(y + dx * std::tan(mirror::normalAngle(form->model().mirror, y)));
    }

    sp_form* form = nullptr;
};

QTEST_MAIN(MirrorWindowTest)
#include "mirror_window_test.moc"
