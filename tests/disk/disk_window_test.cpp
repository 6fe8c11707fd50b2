#include "disk/disk_model.h"
#include "disk/dk_form.h"
#include "disk/info_form.h"
#include "forms/geometry.h"
#include "forms/option_button.h"
#include "forms/picture_box.h"
#include "tests/support/app_fixture.h"
#include "tests/support/pixels.h"
#include "tests/support/text_fit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <cmath>

namespace {

constexpr QRgb kTeal = 0xff008080;
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kYellow = 0xffffff00;
constexpr QRgb kGrey = 0xff808080;
constexpr QRgb kBlack = 0xff000000;

// A press point in the upper-left quadrant for an angle of incidence in degrees.
QPointF atDegrees(double degrees, double radius = 150)
{
    const double a = degrees * M_PI / 180;
    return {-radius * std::sin(a), radius * std::cos(a)};
}

void dragTo(DKForm& form, double degrees)
{
    const QPointF at = atDegrees(degrees);
    form.grafik_MouseMove(1, 0, at.x(), at.y());
}

void plotAt(DKForm& form, double degrees)
{
    const QPointF at = atDegrees(degrees);
    form.grafik_MouseDown(1, 0, at.x(), at.y());
    form.grafik_MouseUp(1, 0, at.x(), at.y());
}

struct ErasingCase {
    const char* name;
    forms::PictureBox* DKForm::*box;
    void (*prepare)(DKForm&);
    void (*add)(DKForm&);
    void (*remove)(DKForm&);
};

const ErasingCase kErasingCases[] = {
    // At 34.4 degrees the ray grazes the 35 degree tick; at the centre it crosses the face and the normal.
    {"the ray moved over the scale and back", &DKForm::grafik,
     [](DKForm& form) {
         const QPointF at = atDegrees(20);
         form.grafik_MouseDown(1, 0, at.x(), at.y());
     },
     [](DKForm& form) { dragTo(form, 34.4); }, [](DKForm& form) { dragTo(form, 20); }},
    // For small angles the line runs through the plotted points.
    {"the comparison line over the grid and the points", &DKForm::diagramm,
     [](DKForm& form) {
         for (double degrees : {6.0, 10.0, 45.0})
             plotAt(form, degrees);
     },
     [](DKForm& form) { form.blendButton->click(); }, [](DKForm& form) { form.blendButton->click(); }},
};

} // namespace

class DiskWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }

    void init() { QVERIFY((form = openWindow<DKForm>())); }

    void cleanup() { closeAllWindows(); }

    void startsWithTheDiskDrawnAndNoRay()
    {
        QCOMPARE(form->windowTitle(), QString("Diska"));
        QCOMPARE(form->betaDrawn, 1.0f);
        const float r = 200 * form->sizeFactor;
        QVERIFY(colourNear(*form->grafik, 0, -r, kWhite));     // curved face, bottom
        QVERIFY(colourNear(*form->grafik, -r / 2, 0, kWhite)); // plane face
        QCOMPARE(pixelAt(*form->grafik, 0, r / 2), kWhite);    // normal
        QCOMPARE(pixelAt(*form->grafik, -r / 2, r / 2), kTeal);
        QCOMPARE(countColour(*form->grafik, kYellow), 0);
        QVERIFY(colourNear(*form->diagramm, disk::DegToRad(15), disk::DegToRad(45), kGrey));
    }

    void pressOnThePlaneFaceReadsNinetyAndFortyOne()
    {
        form->grafik_MouseDown(1, 0, -100, 0);
        QCOMPARE(form->Text1->text(), QString::fromUtf8("alpha = 90 °"));
        QCOMPARE(form->Text2->text(), QString::fromUtf8("beta = 41 °"));
        QCOMPARE(form->dragging, std::int16_t(1));
    }

    void raysLieAlongTheirAngles()
    {
        form->grafik_MouseDown(1, 0, atDegrees(40).x(), atDegrees(40).y());
        const double alpha = 40 * M_PI / 180;
        const double beta = std::asin(std::sin(alpha) / 1.5);
        for (double r : {100.0, 180.0, 280.0}) { // inside the glass, across the ring and beyond
            QVERIFY(colourNear(*form->grafik, -r * std::sin(alpha), r * std::cos(alpha), kYellow));
            QVERIFY(colourNear(*form->grafik, r * std::sin(beta), -r * std::cos(beta), kYellow));
        }
        QVERIFY(!colourNear(*form->grafik, -100 * std::sin(alpha + 0.1), 100 * std::cos(alpha + 0.1), kYellow));
    }

    void draggingRightOfTheNormalPutsBothRaysOnIt()
    {
        form->grafik_MouseDown(1, 0, -100, 100);
        form->grafik_MouseMove(1, 0, 60, 120);
        QCOMPARE(form->alpha, 0.0f);
        QCOMPARE(form->beta, 0.0f);
        QCOMPARE(form->Text1->text(), QString::fromUtf8("alpha = 0 °"));
        QCOMPARE(form->Text2->text(), QString::fromUtf8("beta = 0 °"));
        QVERIFY(colourNear(*form->grafik, 0, 300, kYellow));
        QVERIFY(colourNear(*form->grafik, 0, -300, kYellow));
        QVERIFY(!colourNear(*form->grafik, atDegrees(45, 300).x(), atDegrees(45, 300).y(), kYellow));
    }

    void pressOutsideTheQuadrantStartsNothingButReleasePlots()
    {
        form->grafik_MouseDown(1, 0, 50, 100); // right half
        form->grafik_MouseDown(1, 0, -50, -10); // below the face
        QCOMPARE(form->dragging, std::int16_t(0));
        QCOMPARE(form->Text1->text(), QString(" "));
        QCOMPARE(countColour(*form->grafik, kYellow), 0);
        form->grafik_MouseUp(1, 0, 0, 0);
        QVERIFY(colourNear(*form->diagramm, 0, 0, kBlack)); // (0, 0) before the first ray
    }

    void firstPressOverdrawsARefractedRayAtOneRadian()
    {
        const disk::Point stale = disk::refractedEnd(1, form->rayLength);
        form->grafik->line(0, 0, stale.x, stale.y, kYellow);
        form->grafik_MouseDown(1, 0, atDegrees(20).x(), atDegrees(20).y());
        const double r = 0.5 * form->rayLength;
        QCOMPARE(pixelAt(*form->grafik, r * std::sin(1.0), -r * std::cos(1.0)), kTeal);
    }

    void continuousModePlotsEveryMoveAndTheRelease()
    {
        form->kontOpt->click();
        form->grafik_MouseDown(1, 0, atDegrees(10).x(), atDegrees(10).y());
        for (double degrees : {20.0, 35.0, 50.0})
            form->grafik_MouseMove(1, 0, atDegrees(degrees).x(), atDegrees(degrees).y());
        const float lastAlpha = form->alpha;
        for (double degrees : {20.0, 35.0, 50.0}) {
            const float a = disk::DegToRad(float(degrees));
            QVERIFY(colourNear(*form->diagramm, a, disk::refractionAngle(a), kBlack));
        }
        QVERIFY(!colourNear(*form->diagramm, disk::DegToRad(10), disk::refractionAngle(disk::DegToRad(10)), kBlack));
        form->grafik_MouseUp(1, 0, 0, 0);
        QVERIFY(colourNear(*form->diagramm, lastAlpha, form->beta, kBlack));
        QCOMPARE(form->dragging, std::int16_t(0));
    }

    void singleValuesModePlotsOnlyOnRelease()
    {
        QVERIFY(form->einzelOpt->isChecked());
        form->grafik_MouseDown(1, 0, atDegrees(10).x(), atDegrees(10).y());
        form->grafik_MouseMove(1, 0, atDegrees(30).x(), atDegrees(30).y());
        form->grafik_MouseMove(1, 0, atDegrees(60).x(), atDegrees(60).y());
        QCOMPARE(countColour(*form->diagramm, kBlack), 0);
        form->grafik_MouseUp(1, 0, 0, 0);
        const int oneDot = countColour(*form->diagramm, kBlack);
        QVERIFY(oneDot > 0 && oneDot <= 4 * 4);
        QVERIFY(colourNear(*form->diagramm, form->alpha, form->beta, kBlack));
    }

    void comparisonLineIsShownAndHiddenByTheButton()
    {
        const float v = disk::DegToRad(45);
        form->blendButton->click();
        QCOMPARE(form->blendButton->text(), QString("Gerade ausblenden"));
        QCOMPARE(form->lineShown, std::int16_t(1));
        QVERIFY(colourNear(*form->diagramm, v, v * 2 / 3, kBlack));
        form->blendButton->click();
        QCOMPARE(form->blendButton->text(), QString("Gerade einblenden"));
        QCOMPARE(form->lineShown, std::int16_t(0));
        QCOMPARE(countColour(*form->diagramm, kBlack), 0);
    }

    // A figure that crosses staying ones and goes again leaves them whole:
    // the canvas is the one before, pixel for pixel.
    void erasingLeavesTheStayingFiguresWhole_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(kErasingCases)); ++i)
            QTest::newRow(kErasingCases[i].name) << i;
    }

    void erasingLeavesTheStayingFiguresWhole()
    {
        QFETCH(int, index);
        const ErasingCase& c = kErasingCases[index];
        forms::PictureBox& box = *(form->*c.box);
        const auto step = [&](void (*action)(DKForm&)) {
            action(*form);
            settle();
        };
        step(c.prepare);
        const QImage before = box.canvas().copy();
        step(c.add);
        QVERIFY(crossesPaintedPixels(before, box.canvas(), box.background()));
        QCOMPARE(holeInStayingFigures(box), QString());
        step(c.remove);
        QVERIFY(samePixels(box.canvas(), before));
        QCOMPARE(holeInStayingFigures(box), QString());
    }

    void infoClearsBeforeTheHelpWindowOpens()
    {
        form->grafik_MouseDown(1, 0, atDegrees(40).x(), atDegrees(40).y());
        form->grafik_MouseUp(1, 0, 0, 0);
        form->blendButton->click();
        form->InfoButton->click();
        QCOMPARE(countColour(*form->grafik, kYellow), 0);
        QCOMPARE(countColour(*form->diagramm, kBlack), 0);
        QCOMPARE(form->Text1->text(), QString());
        QCOMPARE(form->lineShown, std::int16_t(0));
        QVERIFY(form->infoForm && form->infoForm->isVisible());
        QCOMPARE(form->infoForm->windowTitle(), QString("Hinweise zu Diska"));
        const QRect frame = form->infoForm->frameGeometry();
        const QRect screen = QApplication::primaryScreen()->geometry();
        const double pixel = 1.0;
        QVERIFY(std::abs(frame.center().x() - screen.center().x()) <= pixel + 1);
        QVERIFY(std::abs(frame.center().y() - screen.center().y()) <= pixel + 1);
    }

    void helpTextIsTheSystemsOwn()
    {
        const QString text = diskaHelpText();
        QVERIFY(text.startsWith("\r\n'Diska' simuliert die Brechung eines Lichtstrahls an einer\r\n"));
        QVERIFY(text.endsWith(QString::fromUtf8("verdeutlichen.\r\n")));
        QCOMPARE(text.count("\r\n"), 17);
        QCOMPARE(text.count('\n'), 17);
        QVERIFY(text.contains("Maus variieren l\u00e4\u00dft.\r\n\r\nIn der Grafik"));
    }

    void escapeClosesTheHelpWindow()
    {
        form->InfoButton->click();
        QPointer<info_form> help = form->infoForm;
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help, Qt::Key_Escape);
        flushDeletions();
        QVERIFY(help.isNull());
        QVERIFY(form->isVisible());
    }

    // Fields standing on the disk let what is drawn under them show through.
    void raysShowThroughTheFieldsOnTheDisk_data()
    {
        QTest::addColumn<QString>("field");
        for (const char* name :
             {"überschrift", "einzelOpt", "kontOpt", "VglText", "QuotText", "Text1", "Text2", "Hinweis"})
            QTest::newRow(name) << QString::fromUtf8(name);
    }

    void raysShowThroughTheFieldsOnTheDisk()
    {
        QFETCH(QString, field);
        const QWidget* w = form->grafik->findChild<QWidget*>(field);
        QVERIFY(w);
        const QPointF centre = diskPoint(w->geometry().center());
        const double x = centre.x();
        const double y = centre.y();
        if (x <= 0 && y >= 0) {
            form->grafik_MouseDown(1, 0, float(x), float(y)); // the incident ray
        } else if (x >= 0 && y <= 0) {
            const double alpha = std::asin(1.5 * std::sin(std::atan2(x, -y))); // the refracted ray
            form->grafik_MouseDown(1, 0, atDegrees(alpha * 180 / M_PI).x(), atDegrees(alpha * 180 / M_PI).y());
        } else {
            form->grafik->line(0, 0, 2 * x, 2 * y, kYellow); // no ray reaches this quadrant
        }
        const QImage shown = form->grab().toImage();
        const QRect area(w->mapTo(form, QPoint(0, 0)), w->size());
        // The ray crosses every row of the field, two pixels wide.
        QVERIFY2(countColour(shown.copy(area), kYellow) >= area.height(), qPrintable(field));
    }

    // A press on a label starts a ray as anywhere on the disk; the option buttons still take theirs.
    void pressesOnTheFieldsReachTheDiskButNotThroughOptions_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("option");
        QTest::newRow("überschrift") << QString::fromUtf8("überschrift") << false;
        QTest::newRow("Text1") << QString("Text1") << false;
        QTest::newRow("Hinweis") << QString("Hinweis") << false;
        QTest::newRow("kontOpt") << QString("kontOpt") << true;
    }

    void pressesOnTheFieldsReachTheDiskButNotThroughOptions()
    {
        QFETCH(QString, field);
        QFETCH(bool, option);
        const QWidget* w = form->grafik->findChild<QWidget*>(field);
        QVERIFY(w);
        const QPoint at = w->mapTo(form, w->rect().center());
        QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(form->dragging, std::int16_t(option ? 0 : 1));
        QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(form->kontOpt->isChecked(), option);
    }

    void endUnloadsTheHelpWindowToo()
    {
        form->InfoButton->click();
        QPointer<info_form> help = form->infoForm;
        form->EndeButton->click();
        flushDeletions();
        QVERIFY(help.isNull());
    }

    void everyTextFitsItsField()
    {
        QVERIFY(textFits(*form->Text1, QString::fromUtf8("alpha = 90 °")));
        QVERIFY(textFits(*form->Text2, QString::fromUtf8("beta = 41 °")));
        QCOMPARE(clippedText(*form->grafik), QString());
        QCOMPARE(clippedText(*form->diagramm), QString());
        form->InfoButton->click();
        QVERIFY(form->infoForm);
        const auto* text = form->infoForm->findChild<QPlainTextEdit*>();
        QVERIFY(QTest::qWaitForWindowExposed(form->infoForm));
        QVERIFY2(widestLine(*text) <= textRoom(*text),
                 qPrintable(QStringLiteral("%1 > %2").arg(widestLine(*text)).arg(textRoom(*text))));
    }

    // The controls keep their places from load: the window shrinks until one would leave it.
    void shrinksOnlyAsFarAsEveryControlStaysInTheWindow()
    {
        QCOMPARE(misfitAtMinimumSize(*form, *form), QString());
        QCOMPARE(misfitBelowMinimumSize(*form, *form), QString());
    }

    void smallScreensShrinkTheDiskAndTheReadouts()
    {
        cleanup();
        for (const double width : {9600.0, 19200.0}) {
            ScopedScreen screen(width, width * 0.75);
            auto* window = new DKForm;
            window->showModeless();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            const double f = width < 10000 ? 0.7 : 1.0;
            QCOMPARE(window->sizeFactor, float(f));
            QVERIFY(colourNear(*window->grafik, 0, -200 * f, kWhite));
            QVERIFY(colourNear(*window->grafik, 0, -260 * f, kWhite) && !colourNear(*window->grafik, 0, -275 * f, kWhite, 0));
            const forms::TwipsRect text1 = forms::geometryTwips(window->Text1);
            QVERIFY(std::abs(text1.width - 1212 * f) <= 15);
            const double top = window->grafik->scale().toUserY(window->Text1->y());
            QVERIFY(std::abs(top - 150 * f) <= 1.5);
            const double alphaWidth = forms::geometryTwips(window->alphaText).width;
            QVERIFY(std::abs(alphaWidth - 2172 * (f + 0.1)) <= 15);
            window->close();
            flushDeletions();
        }
    }

private:
    // A pixel of the disk area in disk units.
    QPointF diskPoint(const QPoint& pixel) const
    {
        return {form->grafik->scale().toUserX(pixel.x()), form->grafik->scale().toUserY(pixel.y())};
    }

    DKForm* form = nullptr;
};

QTEST_MAIN(DiskWindowTest)
#include "disk_window_test.moc"
