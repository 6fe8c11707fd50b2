#include "forms/picture_box.h"
#include "help/info_window.h"
#include "kit/bk_form.h"
#include "tests/kit/kit_support.h"
#include "tests/kit/kit_window_support.h"
#include "tests/support/app_fixture.h"
#include "tests/support/pixels.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kGrey = 0xff808080;

using kit::Kind;
using kit::ObjectMode;

} // namespace

class KitMouseTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }

    void init()
    {
        dialogs = std::make_unique<RecordingDialogs>();
        QVERIFY((form = openWindow<bk_form>()));
    }

    void cleanup()
    {
        closeAllWindows();
        dialogs.reset();
    }

    void pointerShowsWhatAPressWillDo()
    {
        kitwin::add(*form, Kind::Converging);
        const auto at = [&](double x, double y) {
            kitwin::move(*form, x, y);
            return form->Picture1->pointer();
        };
        QCOMPARE(at(50, 100), forms::Pointer::SizeNESW); // the arrow's tip
        QCOMPARE(at(200, 0), forms::Pointer::Cross);
        QCOMPARE(at(362, 0), forms::Pointer::SizeWE);
        QCOMPARE(at(500, 0), forms::Pointer::Arrow);
        kitwin::chooseObject(*form, ObjectMode::Parallel);
        QCOMPARE(at(200, 0), forms::Pointer::SizeNS);
    }

    // Zone 0 starts 10 right of the object: a press there draws the line to
    // the pointer but keeps the previous slope, and the release traces it.
    void aPressCloseToTheObjectKeepsThePreviousSlope()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::click(*form, 300, 50);
        const float slope = form->system().RayVal[0];
        QCOMPARE(slope, -0.2f);
        kitwin::move(*form, 60, 140);
        form->Picture1_MouseDown(1, 0, 60, 140);
        QCOMPARE(form->DragState, 0.5f);
        QVERIFY(colourNear(*form->Picture1, 55, 120, kBlack)); // the provisional line
        form->Picture1_MouseUp(1, 0, 60, 140);
        QCOMPARE(form->system().RayCount, std::int16_t(2));
        QCOMPARE(form->system().RayVal[1], slope);
        QCOMPARE(form->DragState, 0.0f);
    }

    void theFiftyFirstRayIsRefusedAndDrawsNothing()
    {
        kitwin::add(*form, Kind::Converging);
        for (int i = 0; i < 50; ++i)
            kitwin::click(*form, 300, -100 + 4 * i);
        QCOMPARE(form->system().RayCount, std::int16_t(50));
        QVERIFY(dialogs->messages.empty());
        const QImage drawn = kitwin::canvas(*form);
        kitwin::move(*form, 250, 150);
        form->Picture1_MouseDown(1, 0, 250, 150);
        QCOMPARE(dialogs->messages.size(), std::size_t(1));
        QCOMPARE(dialogs->messages[0].text,
                 QString::fromUtf8(" Es können max. 50 Strahlen gezeichnet werden! Zum Löschen Umschalten auf "
                                   "'Parallellicht' oder 'Punktraster'"));
        QCOMPARE(dialogs->beeps, 1);
        QCOMPARE(form->DragState, 0.0f);
        form->Picture1_MouseUp(1, 0, 250, 150);
        QCOMPARE(form->system().RayCount, std::int16_t(50));
        QVERIFY(samePixels(kitwin::canvas(*form), drawn));
    }

    void withoutAnElementNoRayStarts()
    {
        kitwin::click(*form, 300, 50);
        QCOMPARE(form->system().RayCount, std::int16_t(0));
        QCOMPARE(form->DragState, 0.0f);
        kitwin::move(*form, 300, 50);
        QCOMPARE(form->Picture1->pointer(), forms::Pointer::Arrow);
    }

    void focalMarksRecolourOnlyWithTwoElements()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::move(*form, 362, 0);
        kitwin::move(*form, 500, 0);
        QCOMPARE(countColour(*form->Picture1, kRed) + countColour(*form->Picture1, kGrey), 0);
        kitwin::add(*form, Kind::Converging);
        kitwin::move(*form, 362, 0);
        QVERIFY(colourNear(*form->Picture1, form->system().ElemFocus[2], 0, kRed));
        kitwin::move(*form, 500, 0);
        QVERIFY(colourNear(*form->Picture1, form->system().ElemFocus[2], 0, kGrey));
        QVERIFY(!colourNear(*form->Picture1, form->system().ElemFocus[2], 0, kRed));
    }

    void elementsStopWhereTheyTouchTheirNeighbour_data()
    {
        QTest::addColumn<int>("next");
        QTest::newRow("a diverging lens") << int(Kind::Diverging);
        QTest::newRow("the eye") << int(Kind::Eye);
    }

    void elementsStopWhereTheyTouchTheirNeighbour()
    {
        QFETCH(int, next);
        kitwin::add(*form, Kind::Converging);
        kitwin::add(*form, Kind(next));
        kitwin::drag(*form, 362, 0, 2000, 0);
        const kit::System& s = form->system();
        QVERIFY(s.rightExtreme(1) <= s.leftExtreme(3));
        QVERIFY(s.leftExtreme(3) - s.rightExtreme(1) < 0.01f);
        QCOMPARE(s.ElemX[3], 675.0f); // the neighbour stays
    }

    void theObjectStopsInFrontOfTheFirstElement()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::drag(*form, 50, 100, 900, 40);
        const kit::System& s = form->system();
        QVERIFY(std::abs(s.ObjX - (350 + std::sqrt(1200.0 * 1200 - 40000) - 1212.5)) < 1e-3);
        QCOMPARE(s.ObjY, 40.0);
        QVERIFY(colourNear(*form->Picture1, s.ObjX, 20, kBlack));
    }

    void theBundleTiltsNoSteeperThanFifty()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::chooseObject(*form, ObjectMode::Parallel);
        QCOMPARE(form->system().RayCount, std::int16_t(5));
        kitwin::move(*form, 200, 0);
        form->Picture1_MouseDown(1, 0, 200, 0);
        form->Picture1_MouseMove(1, 0, 330, 300);
        QCOMPARE(form->system().ParSlope, -15.0); // about the pivot on the axis in the lens's plane
        form->Picture1_MouseMove(1, 0, 333, -5000);
        QCOMPARE(form->system().ParSlope, 50.0);
        form->Picture1_MouseUp(1, 0, 333, -5000);
    }

    void gridPointsAreMarkedUnmarkedAndLimited()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::chooseObject(*form, ObjectMode::PointGrid);
        // Where the arrow's tip stood the grid takes the press: a point, no grab.
        kitwin::click(*form, 50, 100);
        QCOMPARE(form->system().PointCount, std::int16_t(1));
        QCOMPARE(form->system().PtX[0], 60.0f);
        kitwin::click(*form, 59, 101); // the same grid point: unmarked
        QCOMPARE(form->system().PointCount, std::int16_t(0));
        kitwin::click(*form, 101, 59);
        QCOMPARE(form->system().PointCount, std::int16_t(1));
        QCOMPARE(form->system().PtX[0], 100.0f);
        QCOMPARE(form->system().PtY[0], 60.0f);
        QCOMPARE(form->system().RayCount, std::int16_t(5));
        kitwin::click(*form, 99, 61);
        QCOMPARE(form->system().PointCount, std::int16_t(0));
        QCOMPARE(form->system().RayCount, std::int16_t(0));

        for (int i = 0; i < 50; ++i)
            kitwin::click(*form, 60 + 20 * (i % 10), -100 + 20 * (i / 10));
        QCOMPARE(form->system().PointCount, std::int16_t(50));
        const QImage drawn = kitwin::canvas(*form);
        kitwin::click(*form, 300, 200);
        QCOMPARE(dialogs->messages.back().text, QString::fromUtf8("Es können max. 50 Punkte markiert werden!"));
        QCOMPARE(dialogs->messages.back().title, QString("Anwendungsfehler"));
        QCOMPARE(dialogs->beeps, 1);
        QCOMPARE(form->system().PointCount, std::int16_t(50));
        QVERIFY(samePixels(kitwin::canvas(*form), drawn)); // the last bundle stays
    }

    // On the grid a lens may be dragged left of where points can be marked;
    // it stays within reach, and marking works again once it is back.
    void aLensLeftOfTheGridCanBeFetchedBack()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::chooseObject(*form, ObjectMode::PointGrid);
        kitwin::drag(*form, 362, 0, -100, 0);
        QVERIFY(form->system().ElemX[1] < 0);
        const double body = (form->system().ElemX[1] + form->system().ElemX[2]) / 2;
        kitwin::move(*form, body, 0);
        QCOMPARE(form->Picture1->pointer(), forms::Pointer::SizeWE);
        kitwin::drag(*form, body, 0, 362, 0);
        kitwin::click(*form, 100, 60);
        QCOMPARE(form->system().PointCount, std::int16_t(1));
    }

    // The image marks stand where Gaussian optics puts the images.
    void imageMarksLieAtTheGaussianImages()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::chooseObject(*form, ObjectMode::PointGrid);
        for (const QPointF p : {QPointF(60, 100), QPointF(140, -40), QPointF(200, 20)})
            kitwin::click(*form, p.x(), p.y());
        const support::ThickLens lens{350, 25, 150};
        const kit::System& s = form->system();
        for (int i = 0; i < s.PointCount; ++i) {
            const support::Point image = lens.image({s.PtX[i], s.PtY[i]});
            QVERIFY(std::abs(s.PtImgX[i] - image.x) < 0.01);
            QVERIFY(std::abs(s.PtImgY[i] - image.y) < 0.01);
        }
        QVERIFY(colourNear(*form->Picture1, s.PtImgX[0], s.PtImgY[0], kBlack));
    }

    void anEyeThatCannotFocusMarksThePointItself()
    {
        kitwin::add(*form, Kind::Eye);
        kitwin::chooseObject(*form, ObjectMode::PointGrid);
        kitwin::click(*form, 100, 40); // 250 in front of the eye: far from sharp on its retina
        const kit::System& s = form->system();
        QCOMPARE(s.PtImgX[0], s.PtX[0]);
        QCOMPARE(s.PtImgY[0], s.PtY[0]);
    }

    void doubleClicksOpenThePanelOnAnElementAndClearElsewhere()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::click(*form, 200, 60);
        kitwin::doubleClick(*form, 362, 0);
        QVERIFY(form->einstell->isVisible());
        QCOMPARE(form->PanelOpen, std::int16_t(1));
        kitwin::click(*form, 200, 80); // the panel is open: presses do nothing
        QCOMPARE(form->system().RayCount, std::int16_t(1));
        form->Schliess1Button_Click();
        QCOMPARE(form->PanelOpen, std::int16_t(0));
        kitwin::doubleClick(*form, 500, 100);
        QCOMPARE(form->system().RayCount, std::int16_t(0));
        QCOMPARE(form->PanelOpen, std::int16_t(0));
        QVERIFY(!form->einstell->isVisible());
    }

    void infoClearsThenShowsTheHelpWindowAndEndClosesBoth()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::click(*form, 200, 60);
        kitwin::move(*form, 362, 0); // left over the lens: Info still only clears
        form->InfoButton_Click();
        QVERIFY(!form->einstell->isVisible());
        QCOMPARE(form->system().RayCount, std::int16_t(0));
        QVERIFY(form->bk_info && form->bk_info->isVisible());
        QPointer<QWidget> help = form->bk_info.data();
        form->EndeButton_Click();
        flushDeletions();
        QVERIFY(help.isNull());
    }

private:
    std::unique_ptr<RecordingDialogs> dialogs;
    bk_form* form = nullptr;
};

QTEST_MAIN(KitMouseTest)
#include "kit_mouse_test.moc"
