#include "forms/dialogs.h"
#include "forms/geometry.h"
#include "forms/option_button.h"
#include "forms/panel3d.h"
#include "forms/picture_box.h"
#include "forms/projector_view.h"
#include "forms/scroll_bar.h"
#include "forms/spin_button.h"
#include "help/info_window.h"
#include "kit/bk_form.h"
#include "kit/eye.h"
#include "tests/kit/kit_window_support.h"
#include "tests/support/app_fixture.h"
#include "tests/support/pixels.h"
#include "tests/support/text_fit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <functional>
#include <tuple>

namespace {

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kLightGrey = 0xffc0c0c0;
constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kGrey = 0xff808080;

using kit::Kind;
using kit::ObjectMode;

// Light-grey rows of the canvas, those of the axis among them.
QList<int> greyRows(const QImage& image, int atLeast)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        int grey = 0;
        for (int x = 0; x < image.width(); ++x)
            grey += (image.pixel(x, y) | 0xff000000) == kLightGrey ? 1 : 0;
        if (grey >= atLeast)
            rows.append(y);
    }
    return rows;
}

// Takes the drawing as it stands when a message box shows, and passes the box on.
struct CanvasAtMessage final : forms::DialogSink {
    explicit CanvasAtMessage(const forms::PictureBox& picture) : box(picture) {}
    ~CanvasAtMessage() override { forms::setDialogSink(previous); }
    void information(const QString& text, const QString& title) override
    {
        canvas = box.canvas().copy();
        previous->information(text, title);
    }
    void beep() override { previous->beep(); }

    const forms::PictureBox& box;
    forms::DialogSink* previous = forms::setDialogSink(this);
    QImage canvas;
};

// Scenes with something of every kind the kit draws.
void buildRaysAndTape(bk_form& w)
{
    kitwin::add(w, Kind::Converging);
    kitwin::add(w, Kind::Eye);
    for (const double y : {60.0, 170.0})
        kitwin::click(w, 200, y);
    w.MassCheck->click();
    kitwin::drag(w, 100, -260, 600, -260);
}

// A magnifier in front of the eye: the object inside the lens's focal
// length, a virtual image with its construction lines.
void buildVirtualImage(bk_form& w)
{
    kitwin::add(w, Kind::Converging);
    kitwin::add(w, Kind::Eye);
    kitwin::drag(w, 50, 100, 280, 60);
    for (const double y : {40.0, 70.0})
        kitwin::click(w, 320, y);
    w.AnsichtButton->click();
    w.VirtuellCheck->click();
}

void buildMarkedPoints(bk_form& w)
{
    kitwin::add(w, Kind::Converging);
    kitwin::add(w, Kind::Diverging);
    kitwin::chooseObject(w, ObjectMode::PointGrid);
    for (const double y : {100.0, -60.0, 200.0})
        kitwin::click(w, w.system().GridX + 40, y);
}

const std::function<void(bk_form&)> kScenes[] = {buildRaysAndTape, buildVirtualImage, buildMarkedPoints};

// The kit box's icons and the tape's ruler beside the drawing.
std::array<QImage, 4> icons(const bk_form& w)
{
    return {w.Sammelpicture->canvas().copy(), w.StreuPicture->canvas().copy(), w.AugPicture->canvas().copy(),
            w.MassPicture->canvas().copy()};
}

bool sameIcons(const std::array<QImage, 4>& a, const std::array<QImage, 4>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), samePixels);
}

} // namespace

class KitWindowTest : public WindowTest {
    Q_OBJECT

private slots:
    void init()
    {
        dialogs.messages.clear();
        dialogs.beeps = 0;
        QVERIFY((form = openWindow<bk_form>()));
    }

    void opensWithTheKitBoxOnOneLEPerTwipsScale()
    {
        QCOMPARE(form->windowTitle(), QString("Optischer Baukasten"));
        QVERIFY(form->baukasten->isVisible());
        QCOMPARE(form->KitOpen, 1);
        QCOMPARE(form->BaukastenButton->text(), QString::fromUtf8("Baukasten schließen"));
        QCOMPARE(form->ZoomText->text(), QString("100 %"));
        QCOMPARE(form->objekte->count(), 4);
        QCOMPARE(form->objekte->itemText(3), QString("Punktraster"));
        const double perLE = smallScreen() ? 8 : 10;
        QVERIFY(std::abs(form->Picture1->scale().width() - forms::geometryTwips(form->Picture1).width / perLE) < 0.1);
        QVERIFY(std::abs(form->Picture1->scale().top() + form->Picture1->scale().height() / 2) < 0.1);
        QVERIFY(colourNear(*form->Picture1, 50, 50, kBlack)); // the arrow stands at (50, 100)
    }

    void everyTextFitsItsControl_data()
    {
        QTest::addColumn<bool>("projector");
        QTest::newRow("normal view") << false;
        QTest::newRow("projector view") << true;
    }

    void everyTextFitsItsControl()
    {
        QFETCH(bool, projector);
        const ScopedProjectorView view(projector);
        QCOMPARE(crowdedControls(*form->Panel3D1), QString());
        QCOMPARE(clippedText(*form->Panel3D1), QString());
        kitwin::add(*form, Kind::Converging);
        kitwin::add(*form, Kind::Eye);
        form->AnsichtButton->click();
        form->KooCheck->click();
        form->MassCheck->click();
        for (int k : {1, 3}) {
            openPanel(k);
            QCOMPARE(clippedText(*form->einstell), QString());
        }
        QCOMPARE(clippedText(*form->ansicht), QString());
        kitwin::drag(*form, 100, 150, -99899, 140); // the widest read-outs
        kitwin::move(*form, -99999, -99999);
        QCOMPARE(form->MassText->text(), QString("99999 LE"));
        QCOMPARE(clippedText(*form->messen), QString());
        QVERIFY(form->xText->font().pointSizeF() >= 8.25 * forms::readoutScale());
        QVERIFY(form->MassText->font().pointSizeF() >= 8.25 * forms::readoutScale());
        for (const QWidget* panel : {form->einstell, form->ansicht, form->messen})
            QVERIFY2(form->Picture1->geometry().contains(panel->geometry()), qPrintable(panel->objectName()));
    }

    void shrinksOnlyAsFarAsTheStripFits()
    {
        QCOMPARE(misfitAtMinimumSize(*form, *form->Panel3D1), QString());
        form->BaukastenButton->click();
        QCOMPARE(form->BaukastenButton->text(), QString::fromUtf8("Baukasten öffnen"));
        QCOMPARE(clippedText(*form->Panel3D1), QString());
        QCOMPARE(misfitBelowMinimumSize(*form, *form->Panel3D1), QString());
    }

    // Zoom and scroll bars keep the experiment; a resize starts the view afresh.
    void zoomAndScrollMoveOnlyTheView()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::click(*form, 200, 60);
        kitwin::click(*form, 200, 130);
        const kit::System before = form->system();
        for (int i = 0; i < 10; ++i)
            form->ZoomSpButton->downArrow()->click();
        QCOMPARE(form->ZoomText->text(), QString("38%"));
        form->HBildlauf->bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        form->VBildlauf->bar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(form->Picture1->scale().left(), 60.0);
        QVERIFY(form->system().ElemX == before.ElemX);
        QVERIFY(form->system().RayVal == before.RayVal);
        QCOMPARE(form->system().RayCount, before.RayCount);
        QCOMPARE(form->system().ObjX, before.ObjX);
        while (form->View.zoomFactor() > 0.1f)
            form->ZoomSpButton_SpinDown();
        QCOMPARE(form->ZoomText->text(), QString("9%"));
        form->ZoomSpButton_SpinDown();
        QCOMPARE(form->ZoomText->text(), QString("9%"));
        form->resize(form->width() + 30, form->height() + 20);
        QCOMPARE(form->ZoomText->text(), QString("100%"));
        QCOMPARE(form->View.zoomFactor(), 1.0f);
        QCOMPARE(form->HBildlauf->value(), 0);
        QCOMPARE(form->Picture1->scale().left(), 0.0);
        QCOMPARE(form->system().RayCount, std::int16_t(0));
    }

    void scrollingLeavesOneAxis()
    {
        kitwin::add(*form, Kind::Converging);
        QSet<int> axisRows;
        for (int step = 0; step < 20; ++step) {
            form->VBildlauf->bar()->triggerAction(step < 10 ? QAbstractSlider::SliderSingleStepAdd
                                                             : QAbstractSlider::SliderSingleStepSub);
            const int axis = static_cast<int>(std::floor(form->Picture1->scale().toPixelY(0)));
            const QImage& image = form->Picture1->canvas();
            QCOMPARE(greyRows(image, image.width() / 2 + 1), QList<int>{axis});
            axisRows.insert(axis);
        }
        QCOMPARE(axisRows.size(), 11); // every step moved the axis
    }

    // A bundle the user cleared stays cleared while the view and the
    // elements change, until the user asks for one again.
    void clearedBundlesStayCleared()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::chooseObject(*form, ObjectMode::Parallel);
        const double lens = form->system().ElemX[1];
        kitwin::doubleClick(*form, lens - 100, 250);
        const QImage cleared = kitwin::canvas(*form);
        const auto viewThereAndBack = [&] {
            form->VBildlauf->bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            form->VBildlauf->bar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
            form->ZoomSpButton_SpinUp();
            form->ZoomSpButton_SpinDown();
        };
        viewThereAndBack();
        QVERIFY(samePixels(kitwin::canvas(*form), cleared));
        kitwin::drag(*form, (form->system().ElemX[1] + form->system().ElemX[2]) / 2, 0, lens + 100, 0);
        QVERIFY(form->system().ElemX[1] > lens + 50);
        QCOMPARE(form->system().RayCount, std::int16_t(0));
        kitwin::drag(*form, 100, 100, 100, 150); // a tilt asks for the bundle again
        QCOMPARE(form->system().RayCount, std::int16_t(5));

        kitwin::chooseObject(*form, ObjectMode::PointGrid);
        const double gridX = form->system().GridX;
        kitwin::click(*form, gridX + 20, 100);
        const QImage oneMark = kitwin::canvas(*form);
        kitwin::click(*form, gridX + 40, -60);
        kitwin::click(*form, gridX + 40, -60); // unmarked again: no bundle until the next mark
        QCOMPARE(form->system().RayCount, std::int16_t(0));
        const QImage unmarked = kitwin::canvas(*form);
        QVERIFY(!samePixels(unmarked, oneMark));
        viewThereAndBack();
        QVERIFY(samePixels(kitwin::canvas(*form), unmarked));
    }

    void eraseAllLeavesNoBlackAndRedrawAllPaintsTheSame_data()
    {
        QTest::addColumn<int>("scene");
        QTest::newRow("arrow") << int(ObjectMode::Arrow);
        QTest::newRow("candle") << int(ObjectMode::Candle);
        QTest::newRow("parallel light") << int(ObjectMode::Parallel);
        QTest::newRow("point grid") << int(ObjectMode::PointGrid);
        QTest::newRow("after a focal length change") << 4;
        QTest::newRow("with images hidden") << 5;
    }

    // EraseAll erases what the window would draw now, so whatever was drawn
    // with an earlier focal length or setting must be gone already.
    void eraseAllLeavesNoBlackAndRedrawAllPaintsTheSame()
    {
        QFETCH(int, scene);
        kitwin::add(*form, Kind::Converging);
        if (scene == 5) {
            for (const double y : {40.0, 90.0})
                kitwin::click(*form, 200, y); // a real image, behind the lens
            form->AnsichtButton->click();
            form->BildCheck->click();
            QCOMPARE(form->system().ShowImages, std::int16_t(0));
        } else if (scene == 4) {
            kitwin::add(*form, Kind::Diverging);
            for (const double y : {40.0, 90.0, 150.0})
                kitwin::click(*form, 200, y);
            openPanel(3);
            typeFocalLength("-40");
            QVERIFY(colourNear(*form->Picture1, form->system().ElemFocus[3], 10, kRed));
        } else {
            kitwin::add(*form, Kind::Diverging);
            kitwin::add(*form, Kind::Eye);
            kitwin::chooseObject(*form, ObjectMode(scene));
            for (const double y : {60.0, 100.0, 140.0})
                kitwin::click(*form, 180, y);
        }
        settle();
        const QImage drawn = kitwin::canvas(*form);
        QVERIFY(countColour(drawn, kBlack) > 0);
        form->EraseAll();
        QCOMPARE(countColour(*form->Picture1, kBlack), 0);
        form->RedrawAll();
        QVERIFY(paintedAlike(kitwin::canvas(*form), drawn, kWhite));
    }

    void constructionLinesOnlyWhileTheirBoxIsTicked()
    {
        buildVirtualImage(*form);
        QCOMPARE(form->system().ObjX, 280.0);
        QCOMPARE(form->system().ShowVirtual, 1); // off until ticked
        QVERIFY(!form->AnsichtButton->isEnabled());
        const QImage lines = kitwin::canvas(*form);
        form->VirtuellCheck->click(); // erased with the setting they were drawn with
        const QImage plain = kitwin::canvas(*form);
        QVERIFY(!samePixels(plain, lines));
        form->RedrawAll();
        QVERIFY(paintedAlike(kitwin::canvas(*form), plain, kWhite));
        form->schliess2Button->click();
        QVERIFY(form->AnsichtButton->isEnabled());
    }

    void tapeIsDrawnOnlyWhenLongEnoughAndOffTheAxes()
    {
        form->MassCheck->click();
        QVERIFY(form->messen->isVisible());
        const QImage empty = kitwin::canvas(*form);
        kitwin::drag(*form, 100, 150, 104, 147); // shorter than 5 both ways
        QVERIFY(samePixels(kitwin::canvas(*form), empty));
        kitwin::drag(*form, 0, 150, 300, 150); // starts on x = 0
        QVERIFY(samePixels(kitwin::canvas(*form), empty));
        kitwin::drag(*form, 100, 150, 300, 170);
        QCOMPARE(form->MassText->text(), QString("200 LE"));
        QVERIFY(colourNear(*form->Picture1, 200, 150 + 12, kBlack)); // the 100 tick, 25 long
        form->MassCheck->click(); // unticking erases it
        QVERIFY(!form->messen->isVisible());
        QVERIFY(samePixels(kitwin::canvas(*form), empty));
    }

    void candleImagesTooTallOrFlatAreDots()
    {
        forms::PictureBox& box = *form->Picture1;
        const auto drawn = [&](const std::function<void()>& draw) {
            box.clear();
            draw();
            return box.canvas().copy();
        };
        const QImage blank = drawn([] {});
        const auto candle = [&](double h) { return drawn([&] { form->DrawCandle(300, h); }); };
        candle(150);
        QVERIFY(colourNear(box, 300 + 12.5, 50, kBlack)); // a wall of the candle
        QVERIFY(samePixels(candle(0), drawn([&] { box.dot(300, 0, 3); }))); // as image points are marked
        // At the smallest zoom a tall candle would reach into the view; above
        // the limit it is a dot at its tip, far above.
        while (form->View.zoomFactor() > 0.1f)
            form->ZoomSpButton_SpinDown();
        QVERIFY(!samePixels(candle(15000), blank));
        QVERIFY(samePixels(candle(30000), blank));
        QCOMPARE(box.refusedFigures(), 0);
    }

    // The spin arrows count from the field's text as it stands, typed and
    // taken or not, limited to the kind's range; from the template value
    // when it is no number.
    void spinArrowsStepWithinTheKindsRange()
    {
        // element, text, up, fine, the focal length after the click
        const std::tuple<int, const char*, bool, bool, float> rows[] = {
            {1, "4995", true, false, 5000}, {1, "5000", true, false, 5000}, {1, "5", true, false, 30},
            {1, "-10", true, false, 30},    {1, "", false, true, 149},       {1, "abc", false, true, 148},
            {3, "-35", false, false, -30},  {3, "100", false, false, -30},   {5, "190", false, false, 188},
            {5, "40", true, false, 188},    {5, "295", true, false, 300},    {3, "-200", true, false, -210},
        };
        for (const Kind kind : {Kind::Converging, Kind::Diverging, Kind::Eye})
            kitwin::add(*form, kind);
        for (const auto& [element, text, up, fine, focal] : rows) {
            openPanel(element);
            QCOMPARE(form->sehfehl->isVisible(), element == 5);
            (fine ? form->FeinOption : form->GrobOption)->click();
            form->BrennText->setText(text);
            (up ? form->BrennSpin->upArrow() : form->BrennSpin->downArrow())->click();
            QVERIFY2(form->system().ElemF[element] == focal, text);
            QCOMPARE(form->BrennText->text(), QString::number(focal));
        }
    }

    void typedFocalLengthsAreWholeNumbersInRange()
    {
        kitwin::add(*form, Kind::Converging);
        openPanel(1);
        QCOMPARE(form->einstell->title(), QString("Sammellinse"));
        QCOMPARE(form->BrennText->text(), QString("150"));
        // Enter counts only when the field had both its press and its
        // release: the press may have closed a message box.
        form->BrennText->setText("40");
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(form->BrennText, &release);
        QCOMPARE(form->system().ElemF[1], 150.0f);
        for (const auto& [typed, taken] : {std::pair{"20", 30}, {"6000", 5000}}) {
            typeFocalLength(typed);
            QCOMPARE(form->BrennText->text(), QString::number(taken));
            QCOMPARE(form->system().ElemF[1], float(taken));
        }
        form->BrennText->clear();
        QTest::keyClicks(form->BrennText, "7,.");
        QCOMPARE(form->BrennText->text(), QString("7"));
        for (const char* refused : {"abc", "-", "nan", "1 2", "+"}) {
            const QImage drawn = kitwin::canvas(*form);
            typeFocalLength(refused);
            QCOMPARE(form->BrennText->text(), QString("5000"));
            QCOMPARE(form->system().ElemF[1], 5000.0f);
            QVERIFY(samePixels(kitwin::canvas(*form), drawn));
        }
        typeFocalLength(""); // nothing happens
        QCOMPARE(form->system().ElemF[1], 5000.0f);
    }

    void removingAnElementTakesEveryOneBehindIt()
    {
        for (Kind kind : {Kind::Converging, Kind::Diverging, Kind::Converging})
            kitwin::add(*form, kind);
        QCOMPARE(form->KitOpen % 2, 0);
        openPanel(1);
        QCOMPARE(form->EntfernButton->text(), QString("Linse entfernen"));
        form->EntfernButton->click();
        QCOMPARE(form->system().ElemCount, std::int16_t(1));
        QVERIFY(!form->einstell->isVisible());
        QCOMPARE(form->PanelOpen, std::int16_t(0));
        QVERIFY(form->baukasten->isVisible());
        QCOMPARE(form->KitOpen % 2, 1);
        auto* fresh = openWindow<bk_form>();
        QVERIFY(fresh);
        QVERIFY(samePixels(kitwin::canvas(*form), kitwin::canvas(*fresh)));
    }

    void refusalsBeepOnceWithTheirOwnWords()
    {
        for (int i = 0; i < 6; ++i)
            kitwin::add(*form, i % 2 ? Kind::Diverging : Kind::Converging);
        {
            // The drawing stays behind the message box: refused before anything is erased.
            const QImage drawn = kitwin::canvas(*form);
            CanvasAtMessage seen(*form->Picture1);
            kitwin::add(*form, Kind::Eye);
            QVERIFY(samePixels(seen.canvas, drawn));
        }
        QCOMPARE(form->system().ElemCount, std::int16_t(13));
        QVERIFY(!form->baukasten->isVisible()); // closes after this refusal too

        openPanel(11);
        form->EntfernButton->click();
        kitwin::add(*form, Kind::Eye);
        QCOMPARE(form->BrennText->text(), QString("300"));
        form->BaukastenButton_Click();
        form->AugPicture_Click();
        form->Sammelpicture_Click();
        QVERIFY(form->baukasten->isVisible()); // these two leave it open
        QCOMPARE(form->system().ElemCount, std::int16_t(13));
        // Behind the eye is refused before the limit of six.
        const char* const words[] = {"Es stehen max. 6 Linsen zur Verfügung!", "Ein Auge genügt!",
                                     "Hinter dem Auge können keine weiteren Linsen eingefügt werden!"};
        QCOMPARE(dialogs.beeps, 3);
        QCOMPARE(dialogs.messages.size(), std::size_t(3));
        for (int i = 0; i < 3; ++i)
            QVERIFY(dialogs.messages[i].text == QString::fromUtf8(words[i])
                    && dialogs.messages[i].title == "Anwendungsfehler");
    }

    void eyeOptionsMoveTheRetina()
    {
        kitwin::add(*form, Kind::Eye);
        const double eye = form->system().ElemX[1];
        QVERIFY(colourNear(*form->Picture1, eye + 300, 100, kBlack));
        openPanel(1);
        form->KurzOption->click();
        QCOMPARE(form->system().EyeDepth, 340.0f);
        QVERIFY(colourNear(*form->Picture1, eye + 340, 100, kBlack));
        QVERIFY(!colourNear(*form->Picture1, eye + 300, 100, kBlack, 0));
        form->WeitOption->click();
        QCOMPARE(form->system().EyeDepth, 260.0f);
        QVERIFY(!colourNear(*form->Picture1, eye + 340, 100, kBlack, 0));
    }

    void panelsLeaveTheDrawingAsItWas()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::add(*form, Kind::Eye);
        for (const double y : {50.0, 120.0})
            kitwin::click(*form, 200, y);
        form->RedrawAll();
        const QImage drawn = kitwin::canvas(*form);
        const std::function<void()> visits[] = {
            [&] { openPanel(3), form->Schliess1Button->click(); },
            [&] { form->BaukastenButton->click(), form->BaukastenButton->click(); },
            [&] { form->AnsichtButton->click(), form->schliess2Button->click(); },
        };
        for (const auto& visit : visits) {
            visit();
            QVERIFY(samePixels(kitwin::canvas(*form), drawn));
        }
    }

    // A figure that crosses staying ones and goes again leaves them whole.
    // Compared before the release, which draws the whole scene again anyway.
    void erasingLeavesTheStayingFiguresWhole()
    {
        kitwin::add(*form, Kind::Converging);
        for (const double y : {60.0, 130.0})
            kitwin::click(*form, 200, y);
        // A new ray's rubber band swept over the rays near the object and the axis.
        kitwin::move(*form, 200, 170);
        form->Picture1_MouseDown(1, 0, 200, 170); // crossing nothing but where the rays start
        QCOMPARE(erasingFault(
                     *form->Picture1, [&] { form->Picture1_MouseMove(1, 0, 250, -150); },
                     [&] { form->Picture1_MouseMove(1, 0, 200, 170); }),
                 QString());
        form->Picture1_MouseUp(1, 0, 200, 170);
        // The tape across the rays, the lens and the axis.
        form->MassCheck->click();
        QCOMPARE(erasingFault(
                     *form->Picture1, [&] { kitwin::drag(*form, 340, -280, 340, 280); },
                     [&] { form->Picture1_MouseDown(1, 0, 340, -280); }),
                 QString());
    }

    // The paint after a release or an activation draws the rays over the
    // axis, as a full redraw does: the middle ray of a level bundle runs on
    // the axis from edge to edge and stays black there.
    void repaintsLeaveTheRaysOverTheAxis()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::chooseObject(*form, ObjectMode::Parallel);
        settle();
        const std::pair<const char*, std::function<void()>> repaints[] = {
            {"a release behind the lens", [&] { kitwin::click(*form, 600, 100); }},
            {"a release where the press draws the bundle again", [&] { kitwin::click(*form, 200, 100); }},
            {"an activation", [&] { activateFromAnotherWindow(form); }},
        };
        for (const auto& [name, repaint] : repaints) {
            repaint();
            settle();
            QCOMPARE(form->system().ParSlope, 0.0);
            const int axis = static_cast<int>(devicePoint(*form->Picture1, 0, 0).y());
            const QList<int> grey = greyRows(form->Picture1->canvas(), 1);
            QVERIFY2(std::none_of(grey.begin(), grey.end(), [&](int y) { return std::abs(y - axis) <= 1; }), name);
            QVERIFY2(pixelAt(*form->Picture1, 200, 0) == kBlack, name);
        }
    }

    void projectorViewRedrawsEverythingHeavier_data()
    {
        QTest::addColumn<int>("scene");
        QTest::newRow("rays, images and the tape") << 0;
        QTest::newRow("construction lines of a virtual image") << 1;
        QTest::newRow("marked grid points") << 2;
    }

    // Both pictures after one redraw: the handlers that built the scene drew
    // overlapping figures in another order.
    void projectorViewRedrawsEverythingHeavier()
    {
        QFETCH(int, scene);
        kScenes[scene](*form);
        settle();
        const QImage built = kitwin::canvas(*form);
        const std::array<QImage, 4> plainIcons = icons(*form);
        redrawnInView(false);
        const QImage normal = kitwin::canvas(*form);
        QVERIFY(paintedAlike(normal, built, kWhite)); // nothing lost, nothing added
        {
            const ScopedProjectorView projector;
            const QImage heavy = kitwin::canvas(*form);
            QVERIFY(!samePixels(heavy, normal));
            auto* fresh = openWindow<bk_form>();
            QVERIFY(fresh);
            QVERIFY(sameIcons(icons(*form), icons(*fresh)));
            QVERIFY(!sameIcons(icons(*form), plainIcons));
            kScenes[scene](*fresh);
            redrawnInView(true);
            QVERIFY(samePixels(kitwin::canvas(*fresh), heavy));
        }
        QVERIFY(samePixels(kitwin::canvas(*form), normal));
        QVERIFY(sameIcons(icons(*form), plainIcons));
    }

    // Across a slanted ray, the axis and the top of the eyeball, in device pixels.
    void projectorViewDrawsLinesThreeTimesAsHeavy()
    {
        buildRaysAndTape(*form);
        const kit::System& s = form->system();
        const forms::PictureBox& box = *form->Picture1;
        for (const int weight : {1, 3}) {
            const ScopedProjectorView view(weight == 3);
            const QImage canvas = kitwin::canvas(*form);
            const std::pair<double, int> widths[] = {
                {widthAcross(canvas, devicePoint(box, s.ObjX, s.ObjY), devicePoint(box, 200, 60), kBlack), 1},
                {widthAcross(canvas, devicePoint(box, 10, 0), devicePoint(box, 30, 0), kLightGrey), 1},
                {widthAcross(canvas, devicePoint(box, s.eyeBallX() - 5, kit::EyeR),
                             devicePoint(box, s.eyeBallX() + 5, kit::EyeR), kBlack),
                 4},
            };
            for (const auto& [width, times] : widths)
                QVERIFY2(std::abs(width - times * weight * box.canvasRatio()) < 1, qPrintable(QString::number(width)));
        }
    }

    // The pointer shows what a press will do. With two or more elements the
    // focal marks of the element the pointer enters turn red and those of
    // the one it leaves grey, also when it goes from one body straight onto the next.
    void pointerAndFocalMarksFollowTheHover()
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

    // The fifty-first ray or point is refused at the press and draws nothing;
    // a marked point may still be unmarked. Where the arrow's tip stood the
    // grid takes the press: a point, no grab.
    void theFiftyFirstRayOrPointIsRefusedAndDrawsNothing()
    {
        const char* const words[] = {" Es können max. 50 Strahlen gezeichnet werden! Zum Löschen Umschalten auf "
                                     "'Parallellicht' oder 'Punktraster'",
                                     "Es können max. 50 Punkte markiert werden!"};
        for (const bool grid : {false, true}) {
            if (grid) {
                closeAllWindows();
                dialogs.messages.clear();
                dialogs.beeps = 0;
                QVERIFY((form = openWindow<bk_form>()));
            }
            kitwin::add(*form, Kind::Converging);
            if (grid) {
                kitwin::chooseObject(*form, ObjectMode::PointGrid);
                kitwin::click(*form, 50, 100);
                QCOMPARE(form->system().PtX[0], 60.0f);
                kitwin::click(*form, 59, 101); // the same grid point: unmarked
                QCOMPARE(form->system().PointCount, std::int16_t(0));
            }
            for (int i = 0; i < 50; ++i)
                kitwin::click(*form, 80 + 20 * (i % 10), -100 + 20 * (i / 10));
            QCOMPARE(grid ? form->system().PointCount : form->system().RayCount, 50);
            QVERIFY(dialogs.messages.empty());
            const QImage drawn = kitwin::canvas(*form);
            kitwin::move(*form, 250, 150);
            form->Picture1_MouseDown(1, 0, 250, 150);
            QCOMPARE(dialogs.messages.size(), std::size_t(1));
            QVERIFY(dialogs.messages[0].text == QString::fromUtf8(words[grid])
                    && dialogs.messages[0].title == "Anwendungsfehler");
            QCOMPARE(dialogs.beeps, 1);
            QCOMPARE(form->DragState, 0.0f);
            form->Picture1_MouseUp(1, 0, 250, 150);
            QCOMPARE(grid ? form->system().PointCount : form->system().RayCount, 50);
            QVERIFY(samePixels(kitwin::canvas(*form), drawn));
        }
        kitwin::click(*form, 80, -100);
        QCOMPARE(form->system().PointCount, std::int16_t(49));
    }

    // Each row on a fresh window with these elements and this object: what
    // the user does, and what must hold then.
    void gesturesLeaveTheWindowAsTheyShould()
    {
        using kitwin::click, kitwin::drag, kitwin::move;
        const kit::System* s = nullptr;
        const auto black = [&](double x, double y) { return colourNear(*form->Picture1, x, y, kBlack); };
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
            // A resize clears every mark, with its image mark, and draws the grid afresh.
            {"a resize in point-grid mode", lens, ObjectMode::PointGrid,
             [&](bk_form& f) {
                 click(f, 100, 60);
                 QVERIFY(black(s->PtImgX[0], s->PtImgY[0]));
                 f.resize(f.width() + 30, f.height() + 20);
             },
             [&] { return s->PointCount == 0 && black(s->GridX + 20, 60) && !black(723.6, -82.9); }},
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

    // A double click opens the panel on an element and clears elsewhere; while
    // the panel is open presses do nothing. Info clears too, even left over
    // the lens, then shows the help window; End closes both.
    void doubleClicksAndInfoClear()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::click(*form, 200, 60);
        kitwin::doubleClick(*form, 362, 0);
        QVERIFY(form->einstell->isVisible() && form->PanelOpen == 1);
        kitwin::click(*form, 200, 80);
        QCOMPARE(form->system().RayCount, std::int16_t(1));
        form->Schliess1Button_Click();
        kitwin::doubleClick(*form, 500, 100);
        QCOMPARE(form->system().RayCount, std::int16_t(0));
        QVERIFY(!form->einstell->isVisible() && form->PanelOpen == 0);
        kitwin::click(*form, 200, 60);
        kitwin::move(*form, 362, 0);
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
    void openPanel(int k)
    {
        kitwin::openPanel(*form, k);
        QVERIFY(form->einstell->isVisible());
        QCOMPARE(int(form->PanelElem), k);
    }

    void typeFocalLength(const char* text)
    {
        form->BrennText->clear();
        QTest::keyClicks(form->BrennText, text);
        QTest::keyClick(form->BrennText, Qt::Key_Return);
    }

    RecordingDialogs dialogs; // no real message box stops a test
    bk_form* form = nullptr;
};

QTEST_MAIN(KitWindowTest)
#include "kit_window_test.moc"
