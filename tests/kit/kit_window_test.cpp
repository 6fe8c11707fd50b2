#include "forms/dialogs.h"
#include "forms/geometry.h"
#include "forms/option_button.h"
#include "forms/panel3d.h"
#include "forms/picture_box.h"
#include "forms/projector_view.h"
#include "forms/scroll_bar.h"
#include "forms/spin_button.h"
#include "kit/bk_form.h"
#include "kit/eye.h"
#include "tests/kit/kit_window_support.h"
#include "tests/support/app_fixture.h"
#include "tests/support/pixels.h"
#include "tests/support/text_fit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>

namespace {

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kLightGrey = 0xffc0c0c0;
constexpr QRgb kRed = 0xffff0000;

using kit::Kind;
using kit::ObjectMode;

// Light-grey pixels on the axis row (give or take one), or anywhere else:
// construction lines of virtual images.
int lightGrey(const forms::PictureBox& box, bool onTheAxis)
{
    const QImage& image = box.canvas();
    const int axis = static_cast<int>(std::floor(box.scale().toPixelY(0) * box.canvasRatio()));
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        if ((std::abs(y - axis) <= 1) != onTheAxis)
            continue;
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) | 0xff000000) == kLightGrey ? 1 : 0;
    }
    return count;
}

// Takes the drawing as it stands when a message box shows, and the message.
class CanvasAtMessage final : public forms::DialogSink {
public:
    explicit CanvasAtMessage(const forms::PictureBox& box)
        : box_(box)
        , previous_(forms::setDialogSink(this))
    {
    }
    ~CanvasAtMessage() override { forms::setDialogSink(previous_); }
    CanvasAtMessage(const CanvasAtMessage&) = delete;
    CanvasAtMessage& operator=(const CanvasAtMessage&) = delete;

    void information(const QString& text, const QString& caption) override
    {
        canvas = box_.canvas().copy();
        message = text;
        title = caption;
    }
    void beep() override { ++beeps; }

    QImage canvas;
    QString message;
    QString title;
    int beeps = 0;

private:
    const forms::PictureBox& box_;
    forms::DialogSink* previous_;
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

// A magnifier in front of the eye: a virtual image with its construction lines.
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

class KitWindowTest : public QObject {
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
        // The arrow stands at (50, 100).
        QVERIFY(colourNear(*form->Picture1, 50, 50, kBlack));
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
            kitwin::doubleClick(*form, (form->system().ElemX[k] + form->system().ElemX[k + 1]) / 2, 0);
            QVERIFY(form->einstell->isVisible());
            QCOMPARE(clippedText(*form->einstell), QString());
        }
        QCOMPARE(clippedText(*form->ansicht), QString());
        kitwin::drag(*form, 100, 150, -99899, 140); // the widest read-outs
        kitwin::move(*form, -99999, -99999);
        QCOMPARE(form->MassText->text(), QString("99999 LE"));
        QCOMPARE(clippedText(*form->messen), QString());
        QVERIFY(form->xText->font().pointSizeF() >= 8.25 * forms::readoutScale());
        QVERIFY(form->MassText->font().pointSizeF() >= 8.25 * forms::readoutScale());
        // The panels stay inside the drawing area.
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
    }

    void scrollingLeavesOneAxis()
    {
        kitwin::add(*form, Kind::Converging);
        const QImage& image = form->Picture1->canvas();
        const auto longGreyRows = [&] {
            QList<int> rows;
            for (int y = 0; y < image.height(); ++y) {
                int grey = 0;
                for (int x = 0; x < image.width(); ++x)
                    grey += (image.pixel(x, y) | 0xff000000) == kLightGrey ? 1 : 0;
                if (grey > image.width() / 2)
                    rows.append(y);
            }
            return rows;
        };
        QSet<int> axisRows;
        for (int step = 0; step < 20; ++step) {
            form->VBildlauf->bar()->triggerAction(step < 10 ? QAbstractSlider::SliderSingleStepAdd
                                                             : QAbstractSlider::SliderSingleStepSub);
            const int axis = static_cast<int>(std::floor(form->Picture1->scale().toPixelY(0)));
            QCOMPARE(longGreyRows(), QList<int>{axis});
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

    void eraseAllLeavesNoBlackAndRedrawAllRestoresEveryPixel_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("arrow") << int(ObjectMode::Arrow);
        QTest::newRow("candle") << int(ObjectMode::Candle);
        QTest::newRow("parallel light") << int(ObjectMode::Parallel);
        QTest::newRow("point grid") << int(ObjectMode::PointGrid);
    }

    void eraseAllLeavesNoBlackAndRedrawAllRestoresEveryPixel()
    {
        QFETCH(int, mode);
        kitwin::add(*form, Kind::Converging);
        kitwin::add(*form, Kind::Diverging);
        kitwin::add(*form, Kind::Eye);
        kitwin::chooseObject(*form, ObjectMode(mode));
        for (const double y : {60.0, 100.0, 140.0})
            kitwin::click(*form, 180, y);
        form->RedrawAll();
        const QImage before = kitwin::canvas(*form);
        QVERIFY(countColour(before, kBlack) > 0);
        form->EraseAll();
        QCOMPARE(countColour(*form->Picture1, kBlack), 0);
        form->RedrawAll();
        QVERIFY(samePixels(kitwin::canvas(*form), before));
    }

    // A magnifier in front of the eye: the object inside the lens's focal length.
    void constructionLinesOnlyWhileTheirBoxIsTicked()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::add(*form, Kind::Eye);
        kitwin::drag(*form, 50, 100, 280, 60);
        QCOMPARE(form->system().ObjX, 280.0);
        for (const double y : {40.0, 70.0})
            kitwin::click(*form, 320, y);
        QCOMPARE(lightGrey(*form->Picture1, false), 0);
        form->AnsichtButton->click();
        QVERIFY(!form->AnsichtButton->isEnabled());
        form->VirtuellCheck->click();
        QVERIFY(lightGrey(*form->Picture1, false) > 0);
        form->VirtuellCheck->click(); // erased with the setting they were drawn with
        QCOMPARE(lightGrey(*form->Picture1, false), 0);
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
        const auto blackAfterDrawing = [&](double h) {
            form->Picture1->clear();
            form->DrawCandle(300, h);
            return countColour(*form->Picture1, kBlack);
        };
        QVERIFY(blackAfterDrawing(150) > 60);
        const int flat = blackAfterDrawing(0);
        QVERIFY(flat > 0 && flat < 60 * form->Picture1->canvasRatio() * form->Picture1->canvasRatio());
        QVERIFY(colourNear(*form->Picture1, 300, 0, kBlack));
        // At the smallest zoom a tall candle would reach into the view; above
        // the limit it is a dot at its tip, far above.
        while (form->View.zoomFactor() > 0.1f)
            form->ZoomSpButton_SpinDown();
        QVERIFY(blackAfterDrawing(15000) > 0);
        QCOMPARE(blackAfterDrawing(30000), 0);
        QCOMPARE(form->Picture1->refusedFigures(), 0);
    }

    void spinArrowsStepWithinTheKindsRange()
    {
        kitwin::add(*form, Kind::Converging);
        openPanel(1);
        typeFocalLength("4995");
        form->BrennSpin->upArrow()->click();
        QCOMPARE(form->BrennText->text(), QString("5000"));
        form->BrennSpin_SpinUp();
        QCOMPARE(form->system().ElemF[1], 5000.0f);
        // A typed text that was not taken counts as it stands, limited like the rest.
        form->BrennText->setText("5");
        form->BrennSpin_SpinUp();
        QCOMPARE(form->system().ElemF[1], 30.0f);
        form->BrennText->setText("-10");
        form->BrennSpin_SpinUp();
        QCOMPARE(form->system().ElemF[1], 30.0f);
        form->BrennText->clear(); // empty: from the template value
        form->FeinOption->click();
        form->BrennSpin_SpinDown();
        QCOMPARE(form->BrennText->text(), QString("149"));
        form->BrennText->setText("abc");
        form->BrennSpin_SpinDown();
        QCOMPARE(form->BrennText->text(), QString("148"));

        kitwin::add(*form, Kind::Diverging);
        openPanel(3);
        form->GrobOption->click();
        typeFocalLength("-35");
        form->BrennSpin_SpinDown();
        QCOMPARE(form->system().ElemF[3], -30.0f);
        form->BrennText->setText("100");
        form->BrennSpin_SpinDown();
        QCOMPARE(form->system().ElemF[3], -30.0f);

        kitwin::add(*form, Kind::Eye);
        openPanel(5);
        QVERIFY(form->sehfehl->isVisible());
        QCOMPARE(form->EntfernButton->text(), QString("Auge entfernen"));
        typeFocalLength("190");
        form->BrennSpin_SpinDown();
        QCOMPARE(form->system().ElemF[5], 188.0f);
        form->BrennText->setText("40");
        form->BrennSpin_SpinUp();
        QCOMPARE(form->system().ElemF[5], 188.0f);
    }

    // Enter counts only when the field had both its press and its release:
    // the press may have closed a message box.
    void enterAppliesOnlyAfterAPressInTheField()
    {
        kitwin::add(*form, Kind::Converging);
        openPanel(1);
        form->BrennText->setText("40");
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(form->BrennText, &release);
        QCOMPARE(form->system().ElemF[1], 150.0f);
        QTest::keyClick(form->BrennText, Qt::Key_Return);
        QCOMPARE(form->system().ElemF[1], 40.0f);
    }

    void typedFocalLengthsAreWholeNumbersInRange()
    {
        kitwin::add(*form, Kind::Converging);
        openPanel(1);
        QCOMPARE(form->einstell->title(), QString("Sammellinse"));
        QCOMPARE(form->BrennText->text(), QString("150"));
        typeFocalLength("20");
        QCOMPARE(form->BrennText->text(), QString("30"));
        QCOMPARE(form->system().ElemF[1], 30.0f);
        typeFocalLength("6000");
        QCOMPARE(form->BrennText->text(), QString("5000"));
        form->BrennText->clear();
        QTest::keyClicks(form->BrennText, "7,");
        QCOMPARE(form->BrennText->text(), QString("7"));
        QTest::keyClicks(form->BrennText, ".");
        QCOMPARE(form->BrennText->text(), QString("7"));
        for (const char* refused : {"abc", "-", "nan", "1 2", "+"}) {
            const QImage drawn = kitwin::canvas(*form);
            typeFocalLength(refused);
            QCOMPARE(form->BrennText->text(), QString("5000"));
            QCOMPARE(form->system().ElemF[1], 5000.0f);
            QVERIFY(samePixels(kitwin::canvas(*form), drawn));
        }
        form->BrennText->clear();
        QTest::keyClick(form->BrennText, Qt::Key_Return); // empty: nothing happens
        QCOMPARE(form->system().ElemF[1], 5000.0f);
    }

    void aFocalLengthChangeLeavesNoTraceOfTheOldRays()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::add(*form, Kind::Diverging);
        for (const double y : {40.0, 90.0, 150.0})
            kitwin::click(*form, 200, y);
        openPanel(3);
        typeFocalLength("-40");
        QVERIFY(colourNear(*form->Picture1, form->system().ElemFocus[3], 10, kRed));
        // Everything the window knows of goes white: no black of the old rays stays.
        form->EraseAll();
        QCOMPARE(countColour(*form->Picture1, kBlack), 0);
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
        QCOMPARE(countColour(*form->Picture1, kBlack), countColour(blankKit(), kBlack));
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
            QCOMPARE(seen.message, QString::fromUtf8("Es stehen max. 6 Linsen zur Verfügung!"));
            QCOMPARE(seen.title, QString("Anwendungsfehler"));
            QCOMPARE(seen.beeps, 1);
        }
        QCOMPARE(form->system().ElemCount, std::int16_t(13));
        QCOMPARE(dialogs->beeps, 0);

        QVERIFY(!form->baukasten->isVisible()); // closes after this refusal too

        openPanel(11);
        form->EntfernButton->click();
        kitwin::add(*form, Kind::Eye);
        QCOMPARE(form->BrennText->text(), QString("300"));
        form->BaukastenButton_Click();
        form->AugPicture_Click();
        QCOMPARE(dialogs->messages.back().text, QString::fromUtf8("Ein Auge genügt!"));
        form->Sammelpicture_Click();
        QCOMPARE(dialogs->messages.back().text,
                 QString::fromUtf8("Hinter dem Auge können keine weiteren Linsen eingefügt werden!"));
        QVERIFY(form->baukasten->isVisible()); // these two leave it open
        QCOMPARE(dialogs->beeps, 2);
        QCOMPARE(dialogs->messages.size(), std::size_t(2));
        QCOMPARE(dialogs->messages.front().title, QString("Anwendungsfehler"));
    }

    void hidingImagesErasesThemCompletely()
    {
        kitwin::add(*form, Kind::Converging);
        for (const double y : {40.0, 90.0})
            kitwin::click(*form, 200, y); // a real image, behind the lens
        form->AnsichtButton->click();
        form->BildCheck->click();
        QCOMPARE(form->system().ShowImages, std::int16_t(0));
        form->EraseAll(); // erases what the window would draw now: images off
        QCOMPARE(countColour(*form->Picture1, kBlack), 0);
    }

    void resizeStartsTheViewAfresh()
    {
        kitwin::add(*form, Kind::Converging);
        kitwin::click(*form, 200, 60);
        form->ZoomSpButton_SpinUp();
        form->HBildlauf->setValue(100);
        form->resize(form->width() + 30, form->height() + 20);
        QCOMPARE(form->ZoomText->text(), QString("100%"));
        QCOMPARE(form->View.zoomFactor(), 1.0f);
        QCOMPARE(form->HBildlauf->value(), 0);
        QCOMPARE(form->Picture1->scale().left(), 0.0);
        QCOMPARE(form->system().RayCount, std::int16_t(0));
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
        openPanel(3);
        form->Schliess1Button->click();
        QVERIFY(samePixels(kitwin::canvas(*form), drawn));
        form->BaukastenButton->click();
        form->BaukastenButton->click();
        QVERIFY(samePixels(kitwin::canvas(*form), drawn));
        form->AnsichtButton->click();
        form->schliess2Button->click();
        QVERIFY(samePixels(kitwin::canvas(*form), drawn));
    }

    // A figure that crosses staying ones and goes again leaves them whole:
    // the canvas is the one before, pixel for pixel. Compared before the
    // release, which draws the whole scene again anyway.
    void erasingLeavesTheStayingFiguresWhole()
    {
        struct Case {
            const char* name;
            std::function<void()> start;
            std::function<void()> add;
            std::function<void()> remove;
        };
        const Case cases[] = {
            {"a new ray's rubber band swept over the rays near the object and the axis",
             [&] {
                 kitwin::move(*form, 200, 170);
                 form->Picture1_MouseDown(1, 0, 200, 170); // crossing nothing but where the rays start
             },
             [&] { form->Picture1_MouseMove(1, 0, 250, -150); },
             [&] { form->Picture1_MouseMove(1, 0, 200, 170); }},
            {"the tape across the rays, the lens and the axis", [&] { form->MassCheck->click(); },
             [&] { kitwin::drag(*form, 340, -280, 340, 280); },
             [&] { form->Picture1_MouseDown(1, 0, 340, -280); }},
        };
        kitwin::add(*form, Kind::Converging);
        for (const double y : {60.0, 130.0})
            kitwin::click(*form, 200, y);
        for (const Case& c : cases) {
            c.start();
            settle();
            const QImage before = kitwin::canvas(*form);
            c.add();
            settle();
            QVERIFY2(crossesPaintedPixels(before, kitwin::canvas(*form), kWhite), c.name);
            QCOMPARE(holeInStayingFigures(*form->Picture1), QString());
            c.remove();
            settle();
            QVERIFY2(samePixels(kitwin::canvas(*form), before), c.name);
            QCOMPARE(holeInStayingFigures(*form->Picture1), QString());
            form->Picture1_MouseUp(1, 0, 200, 170);
        }
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
            QVERIFY2(lightGrey(*form->Picture1, true) == 0, name);
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
        const auto redrawn = [](bool on) {
            forms::setProjectorView(!on);
            forms::setProjectorView(on);
            settle();
        };
        kScenes[scene](*form);
        settle();
        const QImage built = kitwin::canvas(*form);
        const std::array<QImage, 4> plainIcons = icons(*form);
        redrawn(false);
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
            redrawn(true);
            QVERIFY(samePixels(kitwin::canvas(*fresh), heavy));
            fresh->unload();
        }
        QVERIFY(samePixels(kitwin::canvas(*form), normal));
        QVERIFY(sameIcons(icons(*form), plainIcons));
    }

    // Across a slanted ray, the axis and the top of the eyeball, in device pixels.
    void projectorViewDrawsLinesThreeTimesAsHeavy()
    {
        buildRaysAndTape(*form);
        const kit::System& s = form->system();
        const double ratio = form->Picture1->canvasRatio();
        for (const int weight : {1, 3}) {
            const ScopedProjectorView view(weight == 3);
            const QImage canvas = kitwin::canvas(*form);
            const double ray = widthAcross(canvas, devicePoint(s.ObjX, s.ObjY), devicePoint(200, 60), kBlack);
            const double axis = widthAcross(canvas, devicePoint(10, 0), devicePoint(30, 0), kLightGrey);
            const double ball = widthAcross(canvas, devicePoint(s.eyeBallX() - 5, kit::EyeR),
                                            devicePoint(s.eyeBallX() + 5, kit::EyeR), kBlack);
            QVERIFY2(std::abs(ray - weight * ratio) < 1, qPrintable(QString::number(ray)));
            QVERIFY2(std::abs(axis - weight * ratio) < 1, qPrintable(QString::number(axis)));
            QVERIFY2(std::abs(ball - 4 * weight * ratio) < 1, qPrintable(QString::number(ball)));
        }
    }

private:
    QPointF devicePoint(double x, double y) const
    {
        const double ratio = form->Picture1->canvasRatio();
        const forms::UserScale& scale = form->Picture1->scale();
        return {scale.toPixelX(x) * ratio, scale.toPixelY(y) * ratio};
    }

    void openPanel(int k)
    {
        const double middle = (form->system().ElemX[k] + form->system().ElemX[k + 1]) / 2;
        kitwin::doubleClick(*form, middle, 0);
        QVERIFY(form->einstell->isVisible());
        QCOMPARE(int(form->PanelElem), k);
    }

    void typeFocalLength(const char* text)
    {
        form->BrennText->clear();
        QTest::keyClicks(form->BrennText, text);
        QTest::keyClick(form->BrennText, Qt::Key_Return);
    }

    // What a fresh kit window shows.
    QImage blankKit()
    {
        bk_form fresh;
        fresh.showModeless();
        if (!QTest::qWaitForWindowExposed(&fresh))
            return {};
        return kitwin::canvas(fresh);
    }

    std::unique_ptr<RecordingDialogs> dialogs;
    bk_form* form = nullptr;
};

QTEST_MAIN(KitWindowTest)
#include "kit_window_test.moc"
