#include "forms/geometry.h"
#include "forms/option_button.h"
#include "forms/panel3d.h"
#include "forms/picture_box.h"
#include "forms/projector_view.h"
#include "forms/scroll_bar.h"
#include "forms/spin_button.h"
#include "help/info_window.h"
#include "lens/lens_form.h"
#include "tests/support/app_fixture.h"
#include "tests/support/pixels.h"
#include "tests/support/text_fit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <functional>

namespace {

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kBlue = 0xff0000ff;
constexpr QRgb kGrey = 0xffc0c0c0;

void move(lens_form& w, float x, float y) { w.Picture1_MouseMove(0, 0, x, y); }

// A left press where the mouse has come to rest.
void press(lens_form& w, float x, float y)
{
    move(w, x, y);
    w.Picture1_MouseDown(1, 0, x, y);
}

// A click on the drawing: a ray in front of the lens, an image point behind it.
void click(lens_form& w, float x, float y)
{
    press(w, x, y);
    w.Picture1_MouseUp(1, 0, x, y);
}

// A figure that crosses staying ones and goes again.
struct ErasingCase {
    const char* name;
    std::function<void(lens_form&)> prepare;
    std::function<void(lens_form&)> add;
    std::function<void(lens_form&)> remove;
};

const ErasingCase kErasingCases[] = {
    {"the bundle narrowed and widened back across the lens outline",
     [](lens_form& w) {
         w.ParallelOption->select();
         w.Picture1_DblClick(); // shows the cross-section arrows
     },
     [](lens_form& w) { w.QuerSpin->downArrow()->click(); }, [](lens_form& w) { w.QuerSpin->upArrow()->click(); }},
    {"the last ray removed with the right button over the object point and the axis",
     [](lens_form& w) { click(w, 300, 60); }, [](lens_form& w) { click(w, 300, 20); },
     [](lens_form& w) { w.Picture1_MouseDown(2, 0, 300, 20); }},
    {"an image point moved over the axis and back", [](lens_form& w) { click(w, 900, 60); },
     [](lens_form& w) { click(w, 900, 0); }, [](lens_form& w) { click(w, 900, 60); }},
    {"the magnifier's marker over the lens, the axis and a ray", [](lens_form& w) { click(w, 300, 20); },
     [](lens_form& w) {
         w.LupeButton->click();
         move(w, 470, 10);
     },
     [](lens_form& w) { w.LupeButton->click(); }},
};

} // namespace

class LensWindowTest : public WindowTest {
    Q_OBJECT

private slots:
    void init() { QVERIFY((form = openWindow<lens_form>())); }

    void readoutsShowTheStartingLensAndFollowTheRadiusBars()
    {
        QCOMPARE(form->R1WertLabel->text(), QString("Radius 1 = 200 LE"));
        QCOMPARE(form->R2WertLabel->text(), QString("Radius 2 = -200 LE"));
        QCOMPARE(form->BrennWertLabel->text(), QString("214 LE"));
        QCOMPARE(form->ZoomText->text(), QString("100 %"));
        QVERIFY(!form->Blende_ausOption->isVisible() && form->Blende_einOption->isVisible());
        QCOMPARE(form->TwipsPerLE, smallScreen() ? 8 : 10);
        QVERIFY(std::abs(form->View.width() - forms::geometryTwips(form->Picture1).width / form->TwipsPerLE) < 1e-3);
        // The lens's vertices, the object point and a grid point where the mapping puts them.
        QVERIFY(colourNear(*form->Picture1, 450, 0, kBlack));
        QVERIFY(colourNear(*form->Picture1, 530, 0, kBlack));
        QCOMPARE(pixelAt(*form->Picture1, 60, 100), kBlack);
        QCOMPARE(pixelAt(*form->Picture1, 20, -260), kBlack);
        // Below 20 a face turns plane and loses its read-out; from plane it jumps to 20.
        form->Radius1Scroll->setValue(20);
        QCOMPARE(form->R1WertLabel->text(), QString("Radius 1 = 1000 LE"));
        form->Radius1Scroll->setValue(10);
        QCOMPARE(form->Radius1Scroll->value(), 0);
        QCOMPARE(form->R1WertLabel->text(), QString("Radius 1 = "));
        QCOMPARE(form->model().lens.Face1Curved, std::int16_t(0));
        form->Radius1Scroll->setValue(10);
        QCOMPARE(form->Radius1Scroll->value(), 20);
        form->Radius2Scroll->setValue(-10);
        form->Radius1Scroll->setValue(-10);
        QCOMPARE(form->BrennWertLabel->text(), QString());
    }

    void readoutsFitTheirFieldsAtEveryZoomAndScroll_data()
    {
        QTest::addColumn<bool>("projector");
        QTest::newRow("normal") << false;
        QTest::newRow("projector view") << true;
    }

    void readoutsFitTheirFieldsAtEveryZoomAndScroll()
    {
        QFETCH(bool, projector);
        const ScopedProjectorView view(projector);
        QVERIFY(form->Text1->font().pointSizeF() >= (projector ? 1.5 : 1) * 8.25);
        while (form->View.zoomFactor() > 0.1f)
            form->ZoomSpButton_SpinDown();
        for (int h : {-1000, 1000})
            for (int v : {-500, 500}) {
                form->HBildlauf->setValue(h);
                form->VBildlauf->setValue(v);
                for (const QString& text : edgeReadouts(*form->Picture1))
                    QVERIFY2(textFits(*form->Text1, text) && textFits(*form->Text2, text), qPrintable(text));
            }
    }

    // With the widest read-outs and in every state of the strip: aperture on,
    // bundle narrowing, magnifier.
    void shrinksOnlyAsFarAsTheStripFits()
    {
        QCOMPARE(misfitAtMinimumSize(*form, *form->Panel3D1), QString());
        form->Radius1Scroll->setValue(-20);
        form->Radius2Scroll->setValue(-20);
        QCOMPARE(form->R1WertLabel->text(), QString("Radius 1 = -1000 LE"));
        QCOMPARE(clippedText(*form->Panel3D1), QString());
        form->Radius1Scroll->setValue(-100);
        form->Radius2Scroll->setValue(-90);
        QCOMPARE(form->BrennWertLabel->text(), QString("-10000 LE"));
        QCOMPARE(clippedText(*form->Panel3D1), QString());
        form->Blende_einOption->click();
        form->ParallelOption->click();
        form->Picture1_DblClick();
        form->LupeButton->click(); // "Mauszeiger"
        form->Picture1_MouseDown(1, 0, 300, 50);
        QVERIFY(form->QuerLabel->isVisible() && form->Zoom_lupeLabel->isVisible());
        QCOMPARE(crowdedControls(*form->Panel3D1), QString());
        QCOMPARE(clippedText(*form->Panel3D1), QString());
        QCOMPARE(clippedText(*form->Picture1), QString());
        QCOMPARE(misfitBelowMinimumSize(*form, *form->Panel3D1), QString());
    }

    // The lens keeps its place in the world whatever the zoom.
    void zoomAndEachScrollBarMoveOnlyTheirOwnAxis()
    {
        form->ZoomSpButton->upArrow()->click();
        QCOMPARE(form->ZoomText->text(), QString("110%"));
        QVERIFY(colourNear(*form->Picture1, 450, 0, kBlack));
        form->ZoomSpButton->downArrow()->click();
        QCOMPARE(form->ZoomText->text(), QString("100%"));
        form->HBildlauf->setValue(1000);
        while (form->View.zoomFactor() < 5)
            form->ZoomSpButton_SpinUp();
        QCOMPARE(form->ZoomText->text(), QString("505%"));
        const double left = form->Picture1->scale().left();
        const double top = form->Picture1->scale().top();
        form->VBildlauf->bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(form->Picture1->scale().left(), left);
        QCOMPARE(form->Picture1->scale().top(), top - 20);
        form->HBildlauf->bar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(form->Picture1->scale().top(), top - 20);
        QCOMPARE(form->Picture1->scale().left(), 980.0);
    }

    void resizeResetsTheViewButNotBeforeTheFirstPaint()
    {
        click(*form, 300, 60);
        form->ZoomSpButton_SpinUp();
        form->HBildlauf->setValue(100);
        QCOMPARE(form->View.offsetX(), -100.0f);
        form->resize(form->width() + 40, form->height() + 30);
        QCOMPARE(form->View.zoomFactor(), 1.0f);
        QCOMPARE(form->ZoomText->text(), QString("100%"));
        QCOMPARE(form->HBildlauf->value(), 0);
        QCOMPARE(form->View.offsetX(), 0.0f);
        QCOMPARE(form->model().RayCount, std::int16_t(0));
        QCOMPARE(form->model().PairCount, std::int16_t(0));

        lens_form hidden;
        const QRect before = hidden.Picture1->geometry();
        hidden.View.zoomIn();
        hidden.onResize();
        QCOMPARE(hidden.View.zoomFactor(), 1.1f);
        QCOMPARE(hidden.Picture1->geometry(), before);
    }

    // An aim released over the lens adds nothing; one released in front of it
    // keeps the angle aimed at, though the stored rays were redrawn meanwhile.
    // The right button takes the last ray away.
    void raysAreAimedAddedAndRemoved()
    {
        // Aiming starts ten units right of the object point; a stop short of it keeps the region before.
        move(*form, 70, 40);
        QCOMPARE(form->MouseRegion, std::int16_t(1));
        move(*form, 300, 40);
        move(*form, 69.9f, 40);
        QCOMPARE(form->MouseRegion, std::int16_t(1)); // not region 1 there: unchanged from before
        move(*form, 500, 0);
        move(*form, 69.9f, 40);
        QCOMPARE(form->MouseRegion, std::int16_t(2));
        form->Picture1_MouseDown(2, 0, 300, 0); // nothing to remove
        press(*form, 300, 60);
        QCOMPARE(form->DragMode, std::int16_t(2));
        move(*form, 470, 20);
        form->Picture1_MouseUp(1, 0, 470, 20);
        QCOMPARE(form->model().RayCount, std::int16_t(0));
        click(*form, 300, 60);
        press(*form, 300, -20);
        form->Blende_einOption->click(); // draws the stored rays again
        form->Picture1_MouseUp(1, 0, 300, -20);
        QCOMPARE(form->model().RayCount, std::int16_t(2));
        QCOMPARE(form->model().RayList[1], float(std::atan((-20.0 - 100) / (300 - 60))));
        const QImage twoRays = form->Picture1->canvas().copy();
        form->Picture1_MouseDown(2, 0, 300, 0);
        QCOMPARE(form->model().RayCount, std::int16_t(1));
        QVERIFY(form->Picture1->canvas() != twoRays);
    }

    void imagePointMovesUntilTheObjectPointMoves()
    {
        click(*form, 300, 60);
        click(*form, 900, -40);
        QCOMPARE(form->model().PairCount, std::int16_t(1));
        QCOMPARE(pixelAt(*form->Picture1, 900, -40), kRed);
        QVERIFY(colourNear(*form->Picture1, 60, 100, kBlue)); // a grid dot sits on its centre
        click(*form, 950, -60);
        QCOMPARE(form->model().PairCount, std::int16_t(1));
        QCOMPARE(form->model().ImgPtX[0], 950.0f);
        QCOMPARE(pixelAt(*form->Picture1, 900, -40), kWhite);
        dragObject(100, 120);
        QCOMPARE(form->model().RayCount, std::int16_t(0));
        click(*form, 960, -80);
        QCOMPARE(form->model().PairCount, std::int16_t(2));
    }

    // The released object snaps to the grid, beyond it not; it never passes the lens, nor the lens it.
    void objectSnapsAndNeverPassesTheLens()
    {
        const struct {
            float x, y, snappedX, snappedY;
        } cases[] = {{127, -33, 120, -40}, {130, 50, 140, 60}, {380, 47, 380, 47}};
        for (const auto& c : cases) {
            dragObject(c.x, c.y);
            QCOMPARE(form->model().RayStartX, c.snappedX);
            QCOMPARE(form->model().RayStartY, c.snappedY);
        }
        press(*form, 380, 47);
        form->Picture1_MouseMove(1, 0, 700, 30);
        QCOMPARE(form->model().RayStartX, form->model().lens.LensMinX);
        form->Picture1_MouseUp(1, 0, 700, 30);
        QVERIFY(form->model().RayStartX <= form->model().lens.LensMinX);
        dragObject(200, 60);
        press(*form, 490, 0);
        QCOMPARE(form->DragMode, std::int16_t(3));
        form->Picture1_MouseMove(1, 0, -200, 0);
        QVERIFY(std::abs(form->model().lens.LensMinX - form->model().RayStartX) < 1e-3);
        form->Picture1_MouseUp(1, 0, -200, 0);
    }

    // In parallel light the lens goes as far as the left edge; back in point
    // light the object point stands at 60 and the lens is pushed right of it.
    // With this concave first face the push used to stop a rounding step
    // inside the lens.
    void objectPointReturnsInFrontOfALensAtTheLeftEdge()
    {
        form->Radius1Scroll->setValue(-52);
        form->ParallelOption->select();
        dragLensToTheLeftEdge();
        form->PktOption->select();
        QCOMPARE(form->model().RayStartX, 60.0f);
        QVERIFY(form->model().RayStartX <= form->model().lens.LensMinX);
        QVERIFY(colourNear(*form->Picture1, form->model().lens.Vertex1X, 0, kBlack));

        form->ParallelOption->select();
        dragLensToTheLeftEdge();
        form->resize(form->width() + 30, form->height() + 20);
        QCOMPARE(form->model().LightMode, 0.0f);
        QVERIFY(form->model().RayStartX <= form->model().lens.LensMinX);
    }

    void limitsOfFiftyRaysAndFiftyImagePoints()
    {
        RecordingDialogs dialogs;
        for (int i = 0; i < 50; ++i)
            click(*form, 300, -100 + 4 * i);
        QCOMPARE(form->model().RayCount, std::int16_t(50));
        press(*form, 300, 0);
        QCOMPARE(form->DragMode, std::int16_t(0));
        QCOMPARE(dialogs.beeps, 1);
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(dialogs.messages[0].text + dialogs.messages[0].title,
                 QString::fromUtf8("Es können max. 50 Strahlen gezeichnet werden!  Zum Löschen der Strahlen auf "
                                   "Parallellicht umschalten Anwendungsfehler"));
        for (int i = 0; i < 50; ++i) {
            click(*form, 900, -200 + 8 * i);
            dragObject(60, 100); // the next click marks a new pair
        }
        QCOMPARE(form->model().PairCount, std::int16_t(50));
        click(*form, 900, 250);
        QCOMPARE(form->model().PairCount, std::int16_t(50));
        QCOMPARE(dialogs.beeps, 2);
        QCOMPARE(dialogs.messages.back().text, QString::fromUtf8("Es können max. 50 Bildpunkte markiert werden! "));
    }

    void parallelLightIsAFiveRayBundleThatNarrowsAndTurns()
    {
        form->ParallelOption->select();
        QCOMPARE(form->model().RayCount, std::int16_t(5));
        for (int i = 0; i < 5; ++i)
            QVERIFY(std::abs(form->model().RayList[i] - (-80 + 40 * i)) < 1e-3);
        QVERIFY(!form->QuerSpin->isVisible());
        form->Picture1_DblClick();
        QVERIFY(form->QuerSpin->isVisible() && form->QuerLabel->isVisible());
        for (int i = 0; i < 10; ++i)
            form->QuerSpin->downArrow()->click();
        QCOMPARE(form->model().QuerDivisor, 10.0f);
        for (int i = 0; i < 10; ++i)
            form->QuerSpin->upArrow()->click();
        QCOMPARE(form->model().QuerDivisor, 3.0f);

        press(*form, 300, 0);
        form->Picture1_MouseMove(1, 0, 300, 50);
        QVERIFY(form->model().BundleAngle < 0);
        // Exactly on the aperture plane the bundle keeps its angle.
        const float angle = form->model().BundleAngle;
        form->Picture1_MouseMove(1, 0, form->model().lens.BlendeX, -30);
        QCOMPARE(form->model().BundleAngle, angle);
        form->Picture1_MouseUp(1, 0, form->model().lens.BlendeX, -30);
        QCOMPARE(form->Picture1->refusedFigures(), 0);
    }

    void apertureIsThreePixelsWideAndNarrowsTheBundle()
    {
        form->Blende_einOption->click();
        QVERIFY(form->Blende_ausOption->isVisible() && form->BlendeScroll->isVisible());
        const float x = form->model().lens.BlendeX;
        const forms::PictureBox& box = *form->Picture1;
        // Between grid rows.
        const double width = widthAcross(box.canvas(), devicePoint(box, x, 225), devicePoint(box, x, 235), kBlack);
        QVERIFY(std::abs(width - 3 * box.canvasRatio()) < 1);

        form->ParallelOption->select();
        form->BlendeScroll->setValue(-110);
        QCOMPARE(form->model().BlendeOffset, -110.0f);
        // Only the middle ray reaches the lens.
        QVERIFY(colourNear(box, 800, tracedHeight(2, 800), kBlack));
        QVERIFY(!colourNear(box, 800, tracedHeight(4, 800, false), kBlack, 2));

        form->Blende_ausOption->click();
        QVERIFY(!form->Blende_ausOption->isVisible());
        QVERIFY(!colourNear(box, x, 230, kBlack, 0));
    }

    void erasingLeavesTheStayingFiguresWhole_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(kErasingCases)); ++i)
            QTest::newRow(kErasingCases[i].name) << i;
    }

    // Where staying figures overlap (the axis under the lens, the grid on the
    // object point), their colours follow the order they were drawn in: a
    // scroll there and back draws all of them in the order the repair does.
    void erasingLeavesTheStayingFiguresWhole()
    {
        QFETCH(int, index);
        const ErasingCase& c = kErasingCases[index];
        c.prepare(*form);
        form->HBildlauf->setValue(20);
        form->HBildlauf->setValue(0);
        QCOMPARE(erasingFault(*form->Picture1, [&] { c.add(*form); }, [&] { c.remove(*form); }), QString());
    }

    // Rays, an image point and the aperture: the projector view draws them
    // three times as heavy, as a window opened in it would, and back.
    void projectorViewRedrawsEverythingHeavier()
    {
        const auto build = [](lens_form& w) {
            w.Blende_einOption->click();
            for (const float y : {50.0f, 20.0f, -10.0f})
                click(w, 300, y);
            click(w, 900, -100);
        };
        build(*form);
        settle();
        const QImage built = form->Picture1->canvas().copy();
        redrawnInView(false);
        const QImage normal = form->Picture1->canvas().copy();
        QVERIFY(paintedAlike(normal, built, kWhite)); // nothing lost, nothing added
        // The first ray's stretch just in front of the lens, clear of the grid; the axis left of the object point.
        const forms::PictureBox& box = *form->Picture1;
        const lens::Experiment& m = form->model();
        const lens::Segment first = lens::TraceRay(m.lens, m.RayStartX, m.RayStartY, m.RayList[0], {}, 2000)[0];
        const auto along = [&](double t) {
            return devicePoint(box, first.x1 + t * (first.x2 - first.x1), first.y1 + t * (first.y2 - first.y1));
        };
        const auto widths = [&](const QImage& canvas, double expected) {
            const double ratio = box.canvasRatio();
            return std::abs(widthAcross(canvas, along(0.8), along(0.95), kBlack) - expected * ratio) < 1
                && std::abs(widthAcross(canvas, devicePoint(box, 25, 0), devicePoint(box, 35, 0), kGrey)
                            - expected * ratio)
                < 1;
        };
        QVERIFY(widths(normal, 1));
        {
            const ScopedProjectorView projector;
            const QImage heavy = box.canvas().copy();
            QVERIFY(widths(heavy, 3));
            auto* fresh = openWindow<lens_form>();
            QVERIFY(fresh);
            build(*fresh);
            redrawnInView(true);
            QVERIFY(samePixels(fresh->Picture1->canvas(), heavy));
            fresh->unload();
        }
        QVERIFY(samePixels(box.canvas(), normal));
    }

    void draggedLensLeavesWhatAFullRedrawDraws_data()
    {
        QTest::addColumn<bool>("parallel");
        QTest::addColumn<bool>("projector");
        for (const bool projector : {false, true}) {
            QTest::newRow(projector ? "point light, projector view" : "point light") << false << projector;
            QTest::newRow(projector ? "parallel light, projector view" : "parallel light") << true << projector;
        }
    }

    // The repair draws the moved lens and its rays: no piece of the old picture
    // may stay, no piece of the new one be missing, and overlaps come out as
    // a full redraw paints them.
    void draggedLensLeavesWhatAFullRedrawDraws()
    {
        QFETCH(bool, parallel);
        QFETCH(bool, projector);
        const ScopedProjectorView view(projector);
        form->Blende_einOption->click();
        if (parallel) {
            form->ParallelOption->select();
            click(*form, 900, 30);
        } else {
            for (const float y : {50.0f, 20.0f, -10.0f, -60.0f})
                click(*form, 300, y);
            click(*form, 900, -100);
        }
        const float x = (form->model().lens.LensMinX + form->model().lens.LensMaxX) / 2;
        press(*form, x, 0);
        for (const float dx : {7.0f, 19.0f, 43.0f}) {
            form->Picture1_MouseMove(1, 0, x + dx, 0);
            settle();
            forms::PictureBox& box = *form->Picture1;
            QVERIFY(samePixels(box.canvas(), box.drawAlone(box.repair())));
        }
        form->Picture1_MouseUp(1, 0, x + 43, 0);
        QCOMPARE(form->model().lens.Vertex1X + form->model().lens.Thickness / 2, x + 43);
    }

    void magnificationRunsFromTenToOne()
    {
        QCOMPARE(form->LupeScale, float(10 * form->TwipsPerLE));
        place(450, 60);
        QVERIFY(form->Zoom_lupeSpButton->isVisible());
        for (int i = 0; i < 10; ++i)
            form->Zoom_lupeSpButton->downArrow()->click();
        QCOMPARE(form->LupeScale, float(form->TwipsPerLE));
        QCOMPARE(form->Zoom_lupeLabel->text().split('\n').last(), QString("1:1"));
        for (int i = 0; i < 12; ++i)
            form->Zoom_lupeSpButton_SpinUp();
        QCOMPARE(form->LupeScale, float(10 * form->TwipsPerLE));
        // The magnifier's window follows: 1/10 of the main view's LE per pixel.
        const double ratio = form->Picture1->scale().unitsPerPixelX() / form->Picture2->scale().unitsPerPixelX();
        QVERIFY(std::abs(ratio - 10) < 0.1);
    }

    // The marker follows the mouse; a click centres the magnifier on it, a
    // click outside keeps placing with the marker shown at once; scrolling
    // while placing leaves no marker behind.
    void placingFollowsTheMouseAndCentresOnTheClick()
    {
        form->LupeButton->click();
        QCOMPARE(form->LupeButton->text(), QString("Mauszeiger"));
        QCOMPARE(form->Picture2->width(), form->Picture1->width() / 3);
        form->Picture1_MouseMove(0, 0, 300, 50);
        QVERIFY(colourNear(*form->Picture1, 275, 30, kBlack)); // the marker's frame
        form->Picture1_MouseDown(1, 0, 300, 50);
        QVERIFY(form->Picture2->isVisible());
        QCOMPARE(form->LupePlacing, std::int16_t(0));
        const QPoint centre = form->Picture2->geometry().center();
        const QPointF expected = devicePoint(*form->Picture1, 300, 50) / form->Picture1->canvasRatio();
        QVERIFY((centre - form->Picture1->pos() - expected.toPoint()).manhattanLength() <= 2);
        QVERIFY(std::abs(form->Picture2->scale().left() + form->Picture2->scale().width() / 2 - 300) < 1e-3);

        form->Picture1_MouseDown(1, 0, 900, -200);
        QVERIFY(!form->Picture2->isVisible());
        QCOMPARE(form->LupeMode, std::int16_t(1));
        QCOMPARE(form->LupePlacing, std::int16_t(1));
        QCOMPARE(form->LupeButton->text(), QString("Mauszeiger"));
        QCOMPARE(pixelAt(*form->Picture1, 300, 70), kBlack); // the marker's top edge
        const QPointF edge = devicePoint(*form->Picture1, 300, 70);
        form->HBildlauf->setValue(100);
        QVERIFY((form->Picture1->canvas().pixel(int(edge.x()), int(edge.y())) | 0xff000000) != kBlack);
    }

    // Zooming the main view and coming back from another window close the
    // magnifier, its handle and its spin button.
    void zoomingOrActivationEndsTheMagnifier()
    {
        const std::function<void()> ends[] = {[&] { form->ZoomSpButton_SpinUp(); },
                                              [&] { activateFromAnotherWindow(form); }};
        for (const auto& end : ends) {
            place(450, 60);
            // The thick handle runs from the magnifier's lower right corner outwards.
            const QRect lupe = form->Picture2->geometry().translated(-form->Picture1->pos());
            const QPoint handle = lupe.bottomRight() + QPoint(lupe.width() / 4, lupe.height() / 4);
            const auto handleShown = [&] {
                const double ratio = form->Picture1->canvasRatio();
                return (form->Picture1->canvas().pixel(int(handle.x() * ratio), int(handle.y() * ratio)) | 0xff000000)
                    == kBlack;
            };
            QVERIFY(handleShown());
            end();
            QVERIFY(!form->Picture2->isVisible());
            QCOMPARE(form->LupeButton->text(), QString("Lupe"));
            QVERIFY(!form->Zoom_lupeSpButton->isVisible());
            QVERIFY(!handleShown());
        }
    }

    // Ctrl or Alt draw nothing.
    void normalOfASphericalFacePassesThroughItsCentre()
    {
        drawNormal();
        for (double px = kNormalX - 10; px <= kNormalX + 10; px += 2.5)
            QVERIFY2(colourNear(*form->Picture2, px, normalY(px), kRed, 1), qPrintable(QString::number(px)));
        const QImage before = form->Picture2->canvas().copy();
        form->Picture2_MouseDown(2, 2, kNormalX + 5, kNormalY);
        form->Picture2_MouseDown(1, 4, kNormalX + 5, kNormalY);
        QVERIFY(form->Picture2->canvas() == before);
    }

    void scaleOnAPlaneFaceBeforeAnyNormalStandsAtTheClickedHeight()
    {
        form->Radius1Scroll->setValue(0); // face 1 plane
        QCOMPARE(form->model().lens.Face1Curved, std::int16_t(0));
        const float vertex = form->model().lens.Vertex1X;
        place(vertex, 40);
        for (int i = 0; i < 5; ++i) // 5:1, so the whole scale is in view on every screen
            form->Zoom_lupeSpButton_SpinDown();
        form->Picture2_MouseDown(1, 1, vertex + 3, 43);
        QCOMPARE(form->NormalY, 43.0f);
        const float r = form->TwipsPerLE == 10 ? 9 : 10; // between the tick radii
        QVERIFY(colourNear(*form->Picture2, vertex + r, 43, kBlue, 1));
        QVERIFY(colourNear(*form->Picture2, vertex, 43 + r, kBlue, 1));
    }

    void magnifiedRaysCoincideWithTheMainView()
    {
        click(*form, 300, 60);
        const lens::Experiment& m = form->model();
        const auto segments = lens::TraceRay(m.lens, m.RayStartX, m.RayStartY, m.RayList[0], {}, form->View.right());
        QCOMPARE(segments.size(), std::size_t(3));
        const auto& inside = segments[1];
        place((inside.x1 + inside.x2) / 2, (inside.y1 + inside.y2) / 2);
        for (double t = 0.35; t <= 0.65; t += 0.1)
            QVERIFY(colourNear(*form->Picture2, inside.x1 + t * (inside.x2 - inside.x1),
                               inside.y1 + t * (inside.y2 - inside.y1), kBlack, 1));
    }

    // The magnifier's contents, its normal and scale come back three times as heavy, and as they were.
    void projectorViewRedrawsTheMagnifierHeavier()
    {
        drawNormal();
        form->Picture2_MouseDown(1, 1, kNormalX, kNormalY);
        settle();
        const QImage before = form->Picture2->canvas().copy();
        const forms::PictureBox& lupe = *form->Picture2;
        const double ratio = lupe.canvasRatio();
        const auto normalWidth = [&](const QImage& canvas) {
            return widthAcross(canvas, devicePoint(lupe, kNormalX - 14, normalY(kNormalX - 14)),
                               devicePoint(lupe, kNormalX - 9, normalY(kNormalX - 9)), kRed)
                / ratio;
        };
        QVERIFY(std::abs(normalWidth(before) - 1) < 1 / ratio);
        {
            const ScopedProjectorView projector;
            QVERIFY(std::abs(normalWidth(lupe.canvas()) - 3) < 1 / ratio);
            QVERIFY(countColour(lupe.canvas(), kBlue) > 0); // the scale
        }
        QVERIFY(samePixels(lupe.canvas(), before));
    }

    void infoClearsAndOpensTheHelpWindow()
    {
        click(*form, 300, 60);
        form->InfoButton->click();
        settle();
        QCOMPARE(form->model().RayCount, std::int16_t(0));
        QCOMPARE(pixelAt(*form->Picture1, 63, 100), kWhite); // the object point is gone and stays away
        QVERIFY(form->lens_info && form->lens_info->isVisible());
        QPointer<InfoWindow> help = form->lens_info.data();
        form->EndeButton->click();
        flushDeletions();
        QVERIFY(help.isNull());
    }

private:
    static constexpr float kNormalX = 456;
    static constexpr float kNormalY = 62;

    void place(float x, float y)
    {
        form->LupeButton->click();
        form->Picture1_MouseMove(0, 0, x, y);
        form->Picture1_MouseDown(1, 0, x, y);
        QVERIFY(form->Picture2->isVisible());
    }

    // A click on face 1 in the magnifier draws its normal.
    void drawNormal()
    {
        place(455, 60);
        form->Picture2_MouseDown(1, 0, kNormalX, kNormalY);
    }

    // The normal through the clicked point of face 1 runs through the face's centre.
    double normalY(double x) const
    {
        const float centre = form->model().lens.Center1X;
        return (x - centre) * kNormalY / (kNormalX - centre);
    }

    void dragLensToTheLeftEdge()
    {
        const float x = (form->model().lens.LensMinX + form->model().lens.LensMaxX) / 2;
        press(*form, x, 0);
        QCOMPARE(form->DragMode, std::int16_t(3));
        form->Picture1_MouseMove(1, 0, 20, 0);
        form->Picture1_MouseUp(1, 0, 20, 0);
        // Held at the edge, exactly: no part of the lens left of it.
        QVERIFY(form->model().lens.LensMinX >= 0);
        QVERIFY(form->model().lens.LensMinX < 1);
    }

    void dragObject(float x, float y)
    {
        press(*form, form->model().RayStartX, form->model().RayStartY);
        QCOMPARE(form->DragMode, std::int16_t(1));
        form->Picture1_MouseMove(1, 0, x, y);
        form->Picture1_MouseUp(1, 0, x, y);
    }

    // Height of bundle ray i at x, traced with (or without) the aperture.
    float tracedHeight(int i, float x, bool withAperture = true)
    {
        const lens::Experiment& m = form->model();
        const auto segments = lens::TraceRay(m.lens, -form->View.offsetX(), m.RayList[i], m.BundleAngle,
                                             {withAperture, m.BlendeOffset}, form->View.right());
        if (segments.size() != 3)
            return 1e6f;
        const auto& s = segments[2];
        return s.y1 + (x - s.x1) * (s.y2 - s.y1) / (s.x2 - s.x1);
    }

    lens_form* form = nullptr;
};

QTEST_MAIN(LensWindowTest)
#include "lens_window_test.moc"
