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
#include <QApplication>
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
const QString kTooManyRays = QString::fromUtf8(
    "Es können max. 50 Strahlen gezeichnet werden!  Zum Löschen der Strahlen Objektpunkt verschieben! ");

} // namespace

class MirrorWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }

    void init() { QVERIFY((form = openWindow<sp_form>())); }

    void cleanup() { closeAllWindows(); }

    void designStateIsDrawnWhereTheMappingPutsIt()
    {
        QCOMPARE(form->model().mirror.CurvCoeff, 0.00072f);
        QCOMPARE(form->KrummScroll->value(), -6);
        QVERIFY(colourNear(*form->Picture1, 1000, 0, kBlue));  // the vertex of the blue arc
        QVERIFY(colourNear(*form->Picture1, 1000 - 0.00072 * 200 * 200, 200, kBlue, 2));
        QCOMPARE(pixelAt(*form->Picture1, 710, 0), kGrey);      // the axis
        QCOMPARE(pixelAt(*form->Picture1, 100, 100), kBlack);   // the object point
        QCOMPARE(pixelAt(*form->Picture1, 40, -260), kBlack);   // a corner of the point grid
        QVERIFY(!form->RueckwaertigButton->isEnabled());
        const double twipsPerLE = smallScreen() ? 8 : 10;
        QCOMPARE(form->Picture1->scale().width(), forms::geometryTwips(form->Picture1).width / twipsPerLE);
    }

    void plainMirrorAtZeroIsAStraightBlueLine()
    {
        form->KrummScroll->setValue(0);
        for (float y : {-300.0f, -120.0f, 0.0f, 200.0f, 300.0f})
            QVERIFY(colourNear(*form->Picture1, 1000, y, kBlue));
        QVERIFY(form->RueckwaertigButton->isEnabled());
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

    void showingBackwardRaysTwiceRestoresTheCanvas()
    {
        form->KrummScroll->setValue(5); // convex: backward extensions allowed
        addRay(400, 150);
        addRay(400, 60);
        QImage before;
        for (int twice = 0; twice < 2; ++twice) {
            form->RueckwaertigButton->click();
            settle();
            QCOMPARE(form->RueckwaertigButton->text(), QString("ausblenden"));
            QVERIFY(countColour(*form->Picture1, kGrey) > countColour(before, kGrey));
            form->RueckwaertigButton->click();
            settle();
            QCOMPARE(form->RueckwaertigButton->text(), QString("einblenden"));
            // The rays are now drawn over the mirror where they meet it, as a release would not.
            if (twice == 1)
                QVERIFY(samePixels(form->Picture1->canvas(), before));
            before = form->Picture1->canvas().copy();
        }
    }

    void concaveMirrorWithTheObjectOutsideTheFocusSwitchesBackwardRaysOff()
    {
        form->KrummScroll->setValue(0);
        form->RueckwaertigButton->click();
        QCOMPARE(form->model().BackRays, std::int16_t(1));
        form->KrummScroll->setValue(-6); // concave, object at 100 far outside the focus at ~650
        QCOMPARE(form->model().BackRays, std::int16_t(0));
        QVERIFY(!form->RueckwaertigButton->isEnabled());
        // Between focus and mirror they may be shown again.
        dragObjectTo(800, 20);
        QVERIFY(form->RueckwaertigButton->isEnabled());
    }

    void resizingBeforeTheFirstPaintDoesNothing()
    {
        auto* hidden = new sp_form;
        QCOMPARE(hidden->Painted, std::int16_t(0));
        const QRect before = hidden->Picture1->geometry();
        hidden->onResize();
        QCOMPARE(hidden->Picture1->geometry(), before);
        QCOMPARE(countColour(*hidden->Picture1, kBlue), 0);
        delete hidden;
    }

    void pressNearTheObjectStartsNoRay()
    {
        form->Picture1_MouseDown(1, 0, 109, 150);
        QCOMPARE(form->DragMode, std::int16_t(0));
        form->Picture1_MouseUp(1, 0, 109, 150);
        QCOMPARE(form->model().RayCount, std::int16_t(0));
        addRay(111, 150);
        QCOMPARE(form->model().RayCount, std::int16_t(1));
    }

    void theFiftyFirstRayIsRefusedUntilTheObjectMoves()
    {
        RecordingDialogs dialogs;
        for (int i = 0; i < 50; ++i)
            addRay(500, -200 + 8 * i);
        QCOMPARE(form->model().RayCount, std::int16_t(50));
        form->Picture1_MouseDown(1, 0, 500, 50);
        form->Picture1_MouseUp(1, 0, 500, 50);
        QCOMPARE(form->model().RayCount, std::int16_t(50));
        QCOMPARE(dialogs.beeps, 1);
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(dialogs.messages[0].text, kTooManyRays);
        QCOMPARE(dialogs.messages[0].title, QString("Anwendungsfehler"));
        // Right button and the area around the mirror get the same answer.
        form->Picture1_MouseDown(2, 0, 1100, 350);
        QCOMPARE(dialogs.messages.size(), std::size_t(2));

        dragObjectTo(200, 60);
        QCOMPARE(form->model().RayCount, std::int16_t(0));
        addRay(500, 0);
        QCOMPARE(form->model().RayCount, std::int16_t(1));
    }

    void releasedObjectSnapsInsideTheGridOnly()
    {
        dragObjectTo(127, -33);
        QCOMPARE(form->model().ray.ObjectX, 120.0f);
        QCOMPARE(form->model().ray.ObjectY, -40.0f);
        QCOMPARE(pixelAt(*form->Picture1, 120, -40), kBlack);
        dragObjectTo(600, 47);
        QCOMPARE(form->model().ray.ObjectX, 600.0f);
        QCOMPARE(form->model().ray.ObjectY, 47.0f);
    }

    void objectPointStaysInFrontOfTheMirror()
    {
        grab(form->model().ray.ObjectX, form->model().ray.ObjectY);
        form->Picture1_MouseMove(1, 0, 1200, 250);
        const float sag = mirror::MirrorSag(form->model().mirror, 250);
        QCOMPARE(form->model().ray.ObjectX, 1000 - sag);
        form->Picture1_MouseMove(1, 0, 300, 5000);
        QCOMPARE(form->model().ray.ObjectY, std::abs(form->model().mirror.Radius));
        form->Picture1_MouseUp(1, 0, 300, 5000);
    }

    // Checked on the stored values, with no tolerance: a clamp that lands a
    // rounding step behind the surface puts the object inside the mirror.
    void objectHeldAgainstTheMirrorStaysExactlyInFront()
    {
        for (int bar : {-12, -7, 5, 12}) {
            form->KrummScroll->setValue(bar);
            grab(form->model().ray.ObjectX, form->model().ray.ObjectY);
            for (float y = -299; y < 300; y += 7.3f) {
                form->Picture1_MouseMove(1, 0, 2000, y);
                const float a = static_cast<float>(common::sgn(form->model().mirror.CurvCoeff));
                const float sag = mirror::MirrorSag(form->model().mirror, form->model().ray.ObjectY);
                QVERIFY2(form->model().ray.ObjectX + a * sag <= form->model().mirror.VertexX,
                         qPrintable(QStringLiteral("bar %1, y %2").arg(bar).arg(y)));
            }
            form->Picture1_MouseUp(1, 0, 2000, 0);
        }
    }

    void objectReleasedOverTheGridSnapsNoFurtherThanTheMirror()
    {
        form->KrummScroll->setValue(-12); // concave: the surface lies left of the vertex off the axis
        dragObjectTo(510, 100); // snaps to 520
        grab(1000, 0);
        form->Picture1_MouseMove(1, 0, 300, 0);
        form->Picture1_MouseUp(1, 0, 300, 0);
        QVERIFY(form->model().mirror.VertexX < 540);
        grab(form->model().ray.ObjectX, form->model().ray.ObjectY);
        form->Picture1_MouseMove(1, 0, 539, 100);
        form->Picture1_MouseUp(1, 0, 539, 100); // snaps towards 540, behind the surface
        const float sag = mirror::MirrorSag(form->model().mirror, form->model().ray.ObjectY);
        QVERIFY(form->model().ray.ObjectX + sag <= form->model().mirror.VertexX);
    }

    void mirrorCannotPassTheObject()
    {
        dragObjectTo(600, 100);
        grab(1000, 0);
        QCOMPARE(form->DragMode, std::int16_t(3));
        form->Picture1_MouseMove(1, 0, 300, 0);
        QCOMPARE(form->model().mirror.VertexX, 600 + mirror::MirrorSag(form->model().mirror, 100));
        form->Picture1_MouseUp(1, 0, 300, 0);
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
        QCOMPARE(form->DragMode, std::int16_t(2));
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
        addRay(500, 140);
        addRay(500, 80);
        addRay(500, 20);
        form->Picture1_MouseDown(1, 1, 200, form->model().RayHitY[1] + 3);
        QCOMPARE(form->ScaleShown, std::int16_t(1));
        QCOMPARE(form->ScaleX, form->model().RayHitX[1]);
        QCOMPARE(form->ScaleY, form->model().RayHitY[1]);
        QVERIFY(colourNear(*form->Picture1, form->ScaleX - 140, normalY(form->ScaleY, -140), kGreen, 2));

        form->Picture1_MouseDown(1, 1, 200, form->model().RayHitY[2] - 1);
        QCOMPARE(form->ScaleY, form->model().RayHitY[2]);
        const float oldY = form->model().RayHitY[1];
        QVERIFY(!colourNear(*form->Picture1, form->model().RayHitX[1] - 140, normalY(oldY, -140), kGreen, 2));
    }

    void doubleClickRestoresThePictureBeforeTheRays()
    {
        form->Picture1_DblClick(); // the grid dots now lie over the axis, as after any double click
        const QImage before = form->Picture1->canvas().copy();
        addRay(500, 150);
        addRay(450, -20);
        addRay(300, 200);
        QVERIFY(form->Picture1->canvas() != before);
        form->Picture1_DblClick();
        QCOMPARE(form->model().RayCount, std::int16_t(0));
        QVERIFY(form->Picture1->canvas() == before);
    }

    // A figure that crosses staying ones and goes again leaves them whole:
    // the canvas is the one before, pixel for pixel.
    void erasingLeavesTheStayingFiguresWhole()
    {
        struct Case {
            const char* name;
            std::function<void()> add;
            std::function<void()> remove;
        };
        // Staying figures that overlap one another (grid points on the axis,
        // rays where they meet the mirror) change colour with the order
        // handlers draw them in: a release draws the grid and the mirror last,
        // a curvature change the rays. So the picture before is taken after
        // the removing step once, and the figures here cross the axis beyond the grid.
        const Case cases[] = {
            {"a rubber band over the axis, rays and the object point",
             [&] { form->Picture1_MouseMove(1, 0, 900, -200); },
             [&] { form->Picture1_MouseMove(1, 0, 600, 260); }},
            {"an image point moved onto the axis", [&] { form->Picture1_MouseDown(2, 0, 700, 0); },
             [&] { form->Picture1_MouseDown(2, 0, 700, 200); }},
            {"the angle scale over rays and the mirror", [&] { form->Picture1_MouseDown(1, 1, 0, 0); },
             [&] {
                 form->KrummScroll->setValue(form->KrummScroll->value() + 1);
                 form->KrummScroll->setValue(form->KrummScroll->value() - 1);
             }},
        };
        dragObjectTo(500, 200);
        form->Picture1_MouseDown(2, 0, 700, 200); // a marked pair
        addRay(800, 120);
        addRay(800, -60);
        for (const Case& c : cases) {
            form->Picture1_MouseDown(1, 0, 600, 260); // a rubber band that crosses nothing
            c.remove();
            settle();
            const QImage before = form->Picture1->canvas().copy();
            c.add();
            settle();
            QVERIFY2(crossesPaintedPixels(before, form->Picture1->canvas(), kWhite), c.name);
            QCOMPARE(holeInStayingFigures(*form->Picture1), QString());
            c.remove();
            settle();
            QVERIFY2(samePixels(form->Picture1->canvas(), before), c.name);
            QCOMPARE(holeInStayingFigures(*form->Picture1), QString());
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
        const auto redrawn = [](bool on) {
            forms::setProjectorView(!on);
            forms::setProjectorView(on);
            settle();
        };
        build(*form);
        settle();
        const QImage built = form->Picture1->canvas().copy();
        redrawn(false);
        const QImage normal = form->Picture1->canvas().copy();
        QVERIFY(paintedAlike(normal, built, kWhite)); // nothing lost, nothing added
        QImage heavy;
        {
            const ScopedProjectorView projector;
            heavy = form->Picture1->canvas().copy();
            const double ratio = form->Picture1->canvasRatio();
            QCOMPARE(form->Picture1->lineWeight(), 3);
            QVERIFY(std::abs(widthAcross(heavy, devicePoint(600, 0), devicePoint(610, 0), kGrey) - 3 * ratio) < 1);
            const QPointF object = devicePoint(form->model().ray.ObjectX, form->model().ray.ObjectY);
            const QPointF hit = devicePoint(form->model().RayHitX[1], form->model().RayHitY[1]);
            QVERIFY(std::abs(widthAcross(heavy, object, hit, kBlack) - 3 * ratio) < 1);
            QVERIFY(std::abs(widthAcross(normal, object, hit, kBlack) - ratio) < 1);
            QVERIFY(form->Text1->font().pointSizeF() >= 1.5 * 8.25);
            QVERIFY(textFits(*form->Text2, "y = -1000 LE"));

            auto* fresh = openWindow<sp_form>();
            QVERIFY(fresh);
            build(*fresh);
            redrawn(true);
            QVERIFY(samePixels(fresh->Picture1->canvas(), heavy));
            fresh->unload();
        }
        QVERIFY(samePixels(form->Picture1->canvas(), normal));
    }

    // Ctrl+B while the rubber band is dragged: the drawing keeps its weight until the release.
    void switchingDuringADragWaitsForTheRelease()
    {
        QWidget* area = form->Picture1;
        const QPoint press = devicePoint(400, 150).toPoint() / form->Picture1->canvasRatio();
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

    void verticalRayIsKeptAndHarmsNothing()
    {
        form->Picture1_MouseDown(1, 0, 300, 150);
        form->Picture1_MouseMove(1, 0, 100, 300);
        form->Picture1_MouseUp(1, 0, 100, 300);
        QCOMPARE(form->model().RayCount, std::int16_t(1));
        QVERIFY(std::isfinite(form->model().RayList[0]));
        QCOMPARE(form->Picture1->refusedFigures(), 0);
        form->KrummScroll->setValue(3);
        form->ParabolOption->select();
        QCOMPARE(form->Picture1->refusedFigures(), 0);
    }

    void readoutsRoundDown()
    {
        form->Picture1_MouseMove(0, 0, 512.7f, -3.2f);
        QCOMPARE(form->Text1->text(), QString("x = 512 LE"));
        QCOMPARE(form->Text2->text(), QString("y = -4 LE"));
    }

    void everyTextFitsItsControl()
    {
        QCOMPARE(crowdedControls(*form->Panel3D1), QString());
        QCOMPARE(clippedText(*form->Panel3D1), QString());
        form->KrummScroll->setValue(6);
        QCOMPARE(form->RueckwaertigButton->text(), QString("einblenden"));
        form->KrummScroll->setValue(-6);
        form->RueckwaertigButton->click();
        QCOMPARE(clippedText(*form->Panel3D1), QString()); // "ausblenden"
        QCOMPARE(clippedText(*form->Picture1), QString());
    }

    void shrinksOnlyAsFarAsTheStripFits()
    {
        QCOMPARE(misfitAtMinimumSize(*form, *form->Panel3D1), QString());
        form->KrummScroll->setValue(6);
        form->RueckwaertigButton->click();
        QCOMPARE(clippedText(*form->Panel3D1), QString()); // "ausblenden"
        QCOMPARE(misfitBelowMinimumSize(*form, *form->Panel3D1), QString());
    }

    void readoutsFitTheirFieldsAnywhereInTheView()
    {
        for (const QString& text : edgeReadouts(*form->Picture1))
            QVERIFY2(textFits(*form->Text1, text), qPrintable(text));
    }

    void theNoticeLetsPressesThroughToTheDrawing()
    {
        const QPoint inNotice = form->Hinweis->geometry().center();
        QCOMPARE(form->Picture1->childAt(inNotice), nullptr);
        QVERIFY(form->Hinweis->testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    void returningFromAnotherProgramKeepsTheRays()
    {
        addRay(300, 50);
        addRay(300, 80);
        activateFromAnotherProgram(form);
        QCOMPARE(form->model().RayCount, std::int16_t(2));
        QCOMPARE(form->model().LightMode, 0.0f);
    }

    void activationResetsTheSimulation()
    {
        form->ParallelOption->select();
        addRay(300, 50);
        form->ParabolOption->select();
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
        auto* window = new sp_form;
        QCOMPARE(window->PktOption->font().pointSizeF(), points);
        QCOMPARE(window->Text1->font().bold(), boldReadouts);
        const double k = screenWidth < 10000 ? 8 : 10;
        QCOMPARE(window->Picture1->scale().width(), forms::geometryTwips(window->Picture1).width / k);
        if (screenWidth > 10000) {
            const double strip = forms::geometryTwips(window->Panel3D1).width;
            QVERIFY(std::abs(forms::geometryTwips(window->KrummPanel).left - 0.43 * strip) <= 15);
            QVERIFY(std::abs(forms::geometryTwips(window->EndeButton).left - 0.9 * strip) <= 15);
        }
        delete window;
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

    QPointF devicePoint(double x, double y) const
    {
        const double ratio = form->Picture1->canvasRatio();
        const forms::UserScale& scale = form->Picture1->scale();
        return {scale.toPixelX(x) * ratio, scale.toPixelY(y) * ratio};
    }

    // Height of the normal through the scale point, `dx` LE to its side.
    float normalY(float y, float dx) const
    {
        const double nu = mirror::normalAngle(form->model().mirror, y);
        return static_cast<float>(y + dx * std::tan(nu));
    }

    sp_form* form = nullptr;
};

QTEST_MAIN(MirrorWindowTest)
#include "mirror_window_test.moc"
