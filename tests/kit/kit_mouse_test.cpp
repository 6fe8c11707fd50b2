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
#include <functional>
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

    // With two or more elements the focal marks of the element the pointer
    // enters turn red and those of the one it leaves grey, also when it goes
    // from one body straight onto the next.
    void focalMarksFollowThePointerOnlyWithTwoElements()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::move(*form, 362, 0);
        kitwin::move(*form, 500, 0);
        QCOMPARE(countColour(*form->Picture1, kRed) + countColour(*form->Picture1, kGrey), 0);
        kitwin::add(*form, Kind::Converging);
        const kit::System& s = form->system();
        const auto marked = [&](int entry, QRgb colour) {
            return colourNear(*form->Picture1, s.ElemFocus[entry], 0, colour);
        };
        kitwin::move(*form, 362, 0);
        QVERIFY(marked(1, kRed) && marked(2, kRed));
        kitwin::move(*form, 687, 0);
        QVERIFY(marked(1, kGrey) && marked(4, kRed));
        QVERIFY(!marked(1, kRed));
        kitwin::move(*form, 800, 0);
        QVERIFY(marked(4, kGrey) && !marked(4, kRed));
    }

    // Where the arrow's tip stood the grid takes the press: a point, no grab.
    // The fifty-first point is refused and the last bundle stays.
    void gridPointsAreMarkedUnmarkedAndLimited()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::chooseObject(*form, ObjectMode::PointGrid);
        kitwin::click(*form, 50, 100);
        QCOMPARE(form->system().PointCount, std::int16_t(1));
        QCOMPARE(form->system().PtX[0], 60.0f);
        kitwin::click(*form, 59, 101); // the same grid point: unmarked
        QCOMPARE(form->system().PointCount, std::int16_t(0));
        for (int i = 0; i < 50; ++i)
            kitwin::click(*form, 60 + 20 * (i % 10), -100 + 20 * (i / 10));
        const QImage drawn = kitwin::canvas(*form);
        kitwin::click(*form, 300, 200);
        QCOMPARE(dialogs->messages.back().text, QString::fromUtf8("Es können max. 50 Punkte markiert werden!"));
        QCOMPARE(dialogs->messages.back().title, QString("Anwendungsfehler"));
        QCOMPARE(dialogs->beeps, 1);
        QCOMPARE(form->system().PointCount, std::int16_t(50));
        QVERIFY(samePixels(kitwin::canvas(*form), drawn));
        kitwin::click(*form, 60, -100); // a marked one may still be unmarked
        QCOMPARE(form->system().PointCount, std::int16_t(49));
    }

    // Each row on a fresh window with these elements and this object: what
    // the user does, and what must hold then.
    void gesturesLeaveTheWindowAsTheyShould()
    {
        using kitwin::click, kitwin::drag, kitwin::move;
        const kit::System* s = nullptr;
        const auto near = [](double a, double b, double tolerance) { return std::abs(a - b) < tolerance; };
        const auto black = [&](double x, double y) { return colourNear(*form->Picture1, x, y, kBlack); };
        const auto touching = [&] { // and the neighbour stays
            const double gap = s->leftExtreme(3) - s->rightExtreme(1);
            return gap >= 0 && gap < 0.01 && s->ElemX[3] == 675;
        };
        const auto imageOf = [](double x, double y) { return support::ThickLens{350, 25, 150}.image({x, y}); };
        const std::vector<Kind> lens{Kind::Converging};
        const struct {
            const char* name;
            std::vector<Kind> kinds;
            ObjectMode mode;
            std::function<void(bk_form&)> act;
            std::function<bool()> holds;
        } rows[] = {
            {"without an element no ray starts", {}, ObjectMode::Arrow, [&](bk_form& f) { click(f, 300, 50); },
             [&] { return s->RayCount == 0 && form->DragState == 0 && form->Picture1->pointer() == forms::Pointer::Arrow; }},
            {"a lens dragged onto a diverging lens", {Kind::Converging, Kind::Diverging}, ObjectMode::Arrow,
             [&](bk_form& f) { drag(f, 362, 0, 2000, 0); }, touching},
            {"a lens dragged onto the eye", {Kind::Converging, Kind::Eye}, ObjectMode::Arrow,
             [&](bk_form& f) { drag(f, 362, 0, 2000, 0); }, touching},
            // Held where the lens's apex, less half its thickness, is.
            {"the arrow dragged onto the lens", lens, ObjectMode::Arrow, [&](bk_form& f) { drag(f, 50, 100, 900, 40); },
             [&] {
                 return near(s->ObjX, 350 + std::sqrt(1200.0 * 1200 - 40000) - 1212.5, 1e-3) && s->ObjY == 40
                     && black(s->ObjX, 20);
             }},
            // About the pivot on the axis in the lens's plane.
            {"the bundle tilted", lens, ObjectMode::Parallel, [&](bk_form& f) { drag(f, 200, 0, 330, 300); },
             [&] { return s->RayCount == 5 && s->ParSlope == -15; }},
            // Left of where points can be marked a lens stays within reach.
            {"a lens fetched back from left of the grid", lens, ObjectMode::PointGrid,
             [&](bk_form& f) {
                 drag(f, 362, 0, -100, 0);
                 drag(f, (s->ElemX[1] + s->ElemX[2]) / 2, 0, 362, 0);
                 click(f, 100, 60);
             },
             [&] { return s->ElemX[1] > 300 && s->PointCount == 1; }},
            {"a marked point's image", lens, ObjectMode::PointGrid, [&](bk_form& f) { click(f, 140, -40); },
             [&] {
                 const support::Point image = imageOf(140, -40);
                 return near(s->PtImgX[0], image.x, 0.01) && near(s->PtImgY[0], image.y, 0.01)
                     && black(image.x, image.y);
             }},
            // With no element left the kit box opens, and stays open when it was.
            {"the last element removed with the kit box open", lens, ObjectMode::Arrow,
             [&](bk_form& f) {
                 kitwin::doubleClick(f, 362, 0);
                 f.BaukastenButton_Click();
                 f.EntfernButton_Click();
             },
             [&] { return s->ElemCount == 1 && form->KitOpen % 2 == 1 && form->baukasten->isVisible(); }},
            // The field belongs to the lens whose panel is open.
            {"the eye added while a lens's panel is open", lens, ObjectMode::Arrow,
             [&](bk_form& f) { kitwin::doubleClick(f, 362, 0); kitwin::add(f, Kind::Eye); },
             [&] { return s->hasEye() && form->BrennText->text() == "150"; }},
            {"zoomed in as far as it goes", {}, ObjectMode::Arrow,
             [&](bk_form& f) { for (int i = 0; i < 20; ++i) f.ZoomSpButton_SpinUp(); },
             [&] { return form->ZoomText->text() == "505%"; }},
            {"the coordinates read out, rounded down", {}, ObjectMode::Arrow,
             [&](bk_form& f) { f.KooCheck->click(); move(f, 123.6, -56.2); },
             [&] { return form->xText->text() == "x = 123 LE" && form->yText->text() == "y = -57 LE"; }},
            // Ticks every 10, to the right of a vertical tape, up to its end.
            {"a vertical tape", {}, ObjectMode::Arrow, [&](bk_form& f) { f.MassCheck->click(); drag(f, 100, 50, 103, 250); },
             [&] { return form->MassText->text() == "200 LE" && black(118, 150) && black(118, 250) && !black(82, 150); }},
            // A resize clears every mark and draws the grid afresh.
            {"a resize in point-grid mode", lens, ObjectMode::PointGrid,
             [&](bk_form& f) { click(f, 100, 60); f.resize(f.width() + 30, f.height() + 20); },
             [&] {
                 const support::Point image = imageOf(100, 60);
                 return s->PointCount == 0 && black(s->GridX + 20, 60) && !black(image.x, image.y);
             }},
        };
        for (const auto& row : rows) {
            closeAllWindows();
            QVERIFY((form = openWindow<bk_form>()));
            s = &form->system();
            for (const Kind kind : row.kinds)
                kitwin::add(*form, kind);
            if (row.mode != ObjectMode::Arrow)
                kitwin::chooseObject(*form, row.mode);
            row.act(*form);
            QVERIFY2(row.holds(), row.name);
        }
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
