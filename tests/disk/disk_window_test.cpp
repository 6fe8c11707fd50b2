#include "disk/disk_file.h"
#include "disk/disk_model.h"
#include "disk/dk_form.h"
#include "disk/info_form.h"
#include "forms/geometry.h"
#include "forms/option_button.h"
#include "forms/picture_box.h"
#include "forms/projector_view.h"
#include "tests/support/app_fixture.h"
#include "tests/support/experiment_files.h"
#include "tests/support/pixels.h"
#include "tests/support/text_fit.h"

#include <QApplication>
#include <QJsonArray>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>

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

void press(DKForm& form, double degrees)
{
    const QPointF at = atDegrees(degrees);
    form.grafik_MouseDown(1, 0, at.x(), at.y());
}

void dragTo(DKForm& form, double degrees)
{
    const QPointF at = atDegrees(degrees);
    form.grafik_MouseMove(1, 0, at.x(), at.y());
}

void plotAt(DKForm& form, double degrees)
{
    press(form, degrees);
    form.grafik_MouseUp(1, 0, 0, 0);
}

// Single and continuous points, the comparison line and a current ray at 40 degrees.
void buildExperiment(DKForm& form)
{
    for (double degrees : {20.0, 60.0})
        plotAt(form, degrees);
    form.kontOpt->click();
    press(form, 5);
    for (double degrees : {15.0, 30.0, 50.0, 75.0})
        dragTo(form, degrees);
    form.grafik_MouseUp(1, 0, 0, 0);
    form.blendButton->click();
    press(form, 40);
}

// What a file keeps, field by field; the current ray is not kept.
QString difference(const disk::Experiment& a, const disk::Experiment& b)
{
    if (!std::equal(a.points.begin(), a.points.end(), b.points.begin(), b.points.end(),
                    [](disk::Point p, disk::Point q) { return p.x == q.x && p.y == q.y; }))
        return "points";
    if (a.continuous != b.continuous)
        return "mode";
    return a.lineShown == b.lineShown ? QString() : "comparison line";
}

struct Canvases {
    QImage disk;
    QImage graph;
};

Canvases canvases(const DKForm& form) { return {form.grafik->canvas().copy(), form.diagramm->canvas().copy()}; }

bool samePixels(const Canvases& a, const Canvases& b)
{
    return samePixels(a.disk, b.disk) && samePixels(a.graph, b.graph);
}

} // namespace

class DiskWindowTest : public WindowTest {
    Q_OBJECT

private slots:
    void init() { QVERIFY((form = openWindow<DKForm>())); }

    void startsWithTheDiskDrawnAndNoRay()
    {
        QCOMPARE(form->windowTitle(), QString("Diska"));
        const float r = 200 * form->sizeFactor;
        QVERIFY(colourNear(*form->grafik, -r / 2, 0, kWhite)); // plane face
        QCOMPARE(pixelAt(*form->grafik, 0, r / 2), kWhite);    // normal
        QCOMPARE(pixelAt(*form->grafik, -r / 2, r / 2), kTeal);
        QCOMPARE(countColour(*form->grafik, kYellow), 0);
        QVERIFY(colourNear(*form->diagramm, disk::DegToRad(15), disk::DegToRad(45), kGrey));
    }

    // Outside the quadrant a press starts nothing, though the release plots;
    // on the plane face the ray grazes; right of the normal both rays lie on it.
    void pressesAndDragsClampToTheQuadrant()
    {
        form->grafik_MouseDown(1, 0, 50, 100);  // right half
        form->grafik_MouseDown(1, 0, -50, -10); // below the face
        QCOMPARE(form->dragging, std::int16_t(0));
        QCOMPARE(form->Text1->text(), QString(" "));
        QCOMPARE(countColour(*form->grafik, kYellow), 0);
        form->grafik_MouseUp(1, 0, 0, 0);
        QVERIFY(colourNear(*form->diagramm, 0, 0, kBlack)); // (0, 0) before the first ray
        form->grafik_MouseDown(1, 0, -100, 0);
        QCOMPARE(form->Text1->text(), QString::fromUtf8("alpha = 90 °"));
        QCOMPARE(form->Text2->text(), QString::fromUtf8("beta = 41 °"));
        QCOMPARE(form->dragging, std::int16_t(1));
        form->grafik_MouseMove(1, 0, 60, 120);
        QCOMPARE(form->Text1->text(), QString::fromUtf8("alpha = 0 °"));
        QCOMPARE(form->Text2->text(), QString::fromUtf8("beta = 0 °"));
        QVERIFY(colourNear(*form->grafik, 0, 300, kYellow));
        QVERIFY(colourNear(*form->grafik, 0, -300, kYellow));
        QVERIFY(!colourNear(*form->grafik, atDegrees(45, 300).x(), atDegrees(45, 300).y(), kYellow));
    }

    void firstPressOverdrawsARefractedRayAtOneRadian()
    {
        const disk::Point stale = disk::refractedEnd(1, form->rayLength);
        form->grafik->line(0, 0, stale.x, stale.y, kYellow);
        press(*form, 20);
        const double r = 0.5 * form->rayLength;
        QCOMPARE(pixelAt(*form->grafik, r * std::sin(1.0), -r * std::cos(1.0)), kTeal);
    }

    // Single values plot only on the release; continuous mode every move as well.
    void eachModePlotsWhenItShould()
    {
        QVERIFY(form->einzelOpt->isChecked());
        press(*form, 10);
        dragTo(*form, 30);
        dragTo(*form, 60);
        QCOMPARE(countColour(*form->diagramm, kBlack), 0);
        form->grafik_MouseUp(1, 0, 0, 0);
        QVERIFY(colourNear(*form->diagramm, form->alpha, form->beta, kBlack));
        const auto plotted = [&](double degrees) {
            const float a = disk::DegToRad(float(degrees));
            return colourNear(*form->diagramm, a, disk::refractionAngle(a), kBlack);
        };
        QVERIFY(!plotted(30));
        form->kontOpt->click();
        press(*form, 10);
        for (double degrees : {20.0, 35.0, 50.0})
            dragTo(*form, degrees);
        const float lastAlpha = form->alpha;
        QVERIFY(plotted(20) && plotted(35) && plotted(50) && !plotted(10));
        form->grafik_MouseUp(1, 0, 0, 0);
        QVERIFY(colourNear(*form->diagramm, lastAlpha, form->beta, kBlack));
        QCOMPARE(form->dragging, std::int16_t(0));
    }

    // At 34.4 degrees the ray grazes the 35 degree tick; at the centre it
    // crosses the face and the normal. For small angles the comparison line,
    // which the button shows and hides, runs through the plotted points.
    void erasingLeavesTheStayingFiguresWhole()
    {
        press(*form, 20);
        QCOMPARE(erasingFault(*form->grafik, [&] { dragTo(*form, 34.4); }, [&] { dragTo(*form, 20); }), QString());
        form->grafik_MouseUp(1, 0, 0, 0);
        for (double degrees : {6.0, 10.0, 45.0})
            plotAt(*form, degrees);
        const std::function<void()> toggleLine = [&] { form->blendButton->click(); };
        QCOMPARE(erasingFault(*form->diagramm, toggleLine, toggleLine), QString());
        const float v = disk::DegToRad(50);
        QCOMPARE(form->blendButton->text(), QString("Gerade einblenden"));
        QVERIFY(!colourNear(*form->diagramm, v, v * 2 / 3, kBlack));
        toggleLine();
        QCOMPARE(form->blendButton->text(), QString("Gerade ausblenden"));
        QVERIFY(colourNear(*form->diagramm, v, v * 2 / 3, kBlack));
    }

    void projectorViewRedrawsEverythingHeavier()
    {
        buildExperiment(*form);
        settle();
        const Canvases built = canvases(*form);
        redrawnInView(false);
        const Canvases normal = canvases(*form);
        QVERIFY(paintedAlike(normal.disk, built.disk, kTeal)); // nothing lost, nothing added
        QVERIFY(paintedAlike(normal.graph, built.graph, form->diagramm->background()));
        {
            const ScopedProjectorView projector;
            const Canvases heavy = canvases(*form);
            // Across the incident ray, half-way between the glass body's top and the ring.
            const double ratio = form->grafik->canvasRatio();
            const QPointF from = devicePoint(*form->grafik, atDegrees(40, 60).x(), atDegrees(40, 60).y());
            const QPointF to = devicePoint(*form->grafik, atDegrees(40, 160).x(), atDegrees(40, 160).y());
            QVERIFY(std::abs(widthAcross(heavy.disk, from, to, kYellow) - 6 * ratio) < 1);
            QVERIFY(std::abs(widthAcross(normal.disk, from, to, kYellow) - 2 * ratio) < 1);
            for (QLineEdit* readout : {form->Text1, form->Text2})
                QVERIFY(readout->font().pointSizeF() >= 1.5 * 8.25);
            auto* fresh = openWindow<DKForm>();
            QVERIFY(fresh);
            buildExperiment(*fresh);
            redrawnInView(true);
            QVERIFY(samePixels(canvases(*fresh), heavy));
            fresh->unload();
        }
        QVERIFY(samePixels(canvases(*form), normal));
    }

    // The graph as a switch of the view redraws it opens as it was saved; the current ray is not kept.
    void savedExperimentsOpenAsTheyWereSaved()
    {
        const RecordingDialogs dialogs;
        buildExperiment(*form);
        redrawnInView(false);
        QCOMPARE(int(form->model().points.size()), 6); // every point plotted is kept
        const QString path = dir.filePath("versuch");
        saveThrough(*form, path);
        auto* fresh = openWindow<DKForm>();
        QVERIFY(fresh);
        openThrough(*fresh, path + ".diska");
        settle();
        QCOMPARE(dialogs.fileDialogs, QStringList({"Versuch speichern|Diska-Versuch (*.diska)",
                                                   QString::fromUtf8("Versuch öffnen|Diska-Versuch (*.diska)")}));
        QVERIFY(dialogs.messages.empty());
        QCOMPARE(difference(fresh->model(), form->model()), QString());
        QVERIFY(fresh->kontOpt->isChecked());
        QCOMPARE(fresh->blendButton->text(), QString("Gerade ausblenden"));
        QVERIFY(samePixels(fresh->diagramm->canvas(), form->diagramm->canvas()));
        openThrough(*form, path + ".diska"); // the window it was saved from loses its ray
        settle();
        QCOMPARE(form->Text1->text(), QString());
        QVERIFY(samePixels(canvases(*form), canvases(*fresh)));
        QCOMPARE(countColour(*fresh->grafik, kYellow), 0);
    }

    void badFilesLeaveTheWindowAsItWas_data()
    {
        disk::Experiment sound; // points of both modes and the comparison line shown
        for (const float degrees : {10.0f, 35.5f, 62.25f, 90.0f})
            disk::plot(sound, {disk::DegToRad(degrees), disk::refractionAngle(disk::DegToRad(degrees))});
        sound.continuous = true;
        sound.lineShown = 1;
        const QJsonObject valid = files::withEnvelope(disk::toFields(sound), files::diskaFiles(), "diska");
        std::vector<BadFile> rows = commonFaults(valid, files::diskaFiles(), "punkte[1].alpha", 0, disk::DegToRad(90));
        const QJsonArray tooMany = repeated(valid.value("punkte").toArray().at(0), disk::kMaxPoints + 1);
        const auto bad = [&](const char* name, const QString& path, const QJsonValue& value, const char* message) {
            rows.push_back(badField(name, valid, path, value, message));
        };
        bad("more points than the graph keeps", "punkte", tooMany,
            "Das Feld „punkte“ hat 9002 Einträge, erlaubt sind höchstens 9001.");
        const double alpha = valid.value("punkte").toArray().at(1).toObject().value("alpha").toDouble();
        rows.push_back({"beta not refracted from alpha", fileBytes(withField(valid, "punkte[1].beta", 0.5)),
                        QString::fromUtf8("Der Wert 0.5 im Feld „punkte[1].beta“ ist nicht der Brechungswinkel "
                                          "zu alpha = %1.")
                            .arg(files::shown(alpha))});
        bad("a second point at the same angle", "punkte[3]", valid.value("punkte").toArray().at(1),
            "Der Punkt im Feld „punkte[3]“ steht beim selben Hundertstelgrad von alpha wie ein früherer.");
        bad("a point as a list", "punkte[0]", QJsonArray{0.1, 0.07},
            "Das Feld „punkte[0]“ muss ein Objekt sein, ist aber eine Liste.");
        bad("an unknown mode", "modus", "stufenweise",
            "Der Wert „stufenweise“ im Feld „modus“ ist keiner von „einzelwerte“, „kontinuierlich“.");
        bad("the comparison line as a number", "vergleichsgerade", 1,
            "Das Feld „vergleichsgerade“ muss ein Wahrheitswert sein, ist aber eine Zahl.");
        addBadFileRows(rows);
    }

    void badFilesLeaveTheWindowAsItWas()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const RecordingDialogs dialogs;
        buildExperiment(*form);
        settle();
        const disk::Experiment before = form->model();
        const QString readout = form->Text1->text();
        const Canvases picture = canvases(*form);
        openThrough(*form, writeFile(dir, "falsch.diska", bytes));
        settle();
        QCOMPARE(refusedWith(dialogs, message), QString());
        QCOMPARE(difference(form->model(), before), QString());
        QVERIFY(form->kontOpt->isChecked());
        QCOMPARE(form->Text1->text(), readout);
        QVERIFY(samePixels(canvases(*form), picture));
    }

    // "diska FILE" names a file it cannot read, and shows a sound one: here
    // the fullest graph, one point per hundredth of a degree from 0 to 90.
    void aFileNamedAtStartOpensOrIsRefused()
    {
        const RecordingDialogs dialogs;
        form->openExperimentFile(dir.filePath("fehlt.diska"));
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(dialogs.messages[0].text, QString::fromUtf8("Die Datei „fehlt.diska“ lässt sich nicht öffnen."));
        disk::Experiment full;
        for (int i = 0; i <= 9000; ++i)
            disk::plot(full, {disk::DegToRad(float(i) / 100), disk::refractionAngle(disk::DegToRad(float(i) / 100))});
        const QJsonObject fields = files::withEnvelope(disk::toFields(full), files::diskaFiles(), "diska");
        form->openExperimentFile(writeFile(dir, "voll.diska", fileBytes(fields)));
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QCOMPARE(difference(form->model(), full), QString());
    }

    // Info clears, and opens the help window centred on the screen; Escape
    // closes it, and End takes it along.
    void infoClearsAndOpensTheHelpWindow()
    {
        press(*form, 40);
        form->grafik_MouseUp(1, 0, 0, 0);
        form->blendButton->click();
        form->InfoButton->click();
        QCOMPARE(countColour(*form->grafik, kYellow), 0);
        QCOMPARE(countColour(*form->diagramm, kBlack), 0);
        QCOMPARE(form->Text1->text(), QString());
        QCOMPARE(form->model().lineShown, std::int16_t(0));
        QPointer<info_form> help = form->infoForm;
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->windowTitle(), QString("Hinweise zu Diska"));
        const QPoint offCentre = help->frameGeometry().center() - QApplication::primaryScreen()->geometry().center();
        QVERIFY(std::abs(offCentre.x()) <= 2 && std::abs(offCentre.y()) <= 2);
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help, Qt::Key_Escape);
        flushDeletions();
        QVERIFY(help.isNull());
        QVERIFY(form->isVisible());
        form->InfoButton->click();
        help = form->infoForm;
        form->EndeButton->click();
        flushDeletions();
        QVERIFY(help.isNull());
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

    // Fields standing on the disk let what is drawn under them show through,
    // and a press on one starts a ray as anywhere on the disk; the option
    // buttons still take theirs.
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
        const double x = form->grafik->scale().toUserX(w->geometry().center().x());
        const double y = form->grafik->scale().toUserY(w->geometry().center().y());
        const bool incidentSide = x <= 0 && y >= 0;
        if (incidentSide) {
            form->grafik_MouseDown(1, 0, float(x), float(y)); // the incident ray
        } else if (x >= 0 && y <= 0) {
            press(*form, std::asin(1.5 * std::sin(std::atan2(x, -y))) * 180 / M_PI); // the refracted ray
        } else {
            form->grafik->line(0, 0, 2 * x, 2 * y, kYellow); // no ray reaches this quadrant
        }
        const QImage shown = form->grab().toImage();
        const double ratio = shown.devicePixelRatio();
        const QRect area(w->mapTo(form, QPoint(0, 0)) * ratio, w->size() * ratio);
        // The ray crosses every row of the field, two pixels wide.
        QVERIFY2(countColour(shown.copy(area), kYellow) >= area.height(), qPrintable(field));
        form->grafik_MouseUp(1, 0, 0, 0);
        const auto* option = qobject_cast<const forms::OptionButton*>(w);
        const QPoint at = w->mapTo(form, w->rect().center());
        QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(form->dragging, std::int16_t(incidentSide && !option ? 1 : 0));
        QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, at);
        QVERIFY(!option || option->isChecked());
    }

    void everyTextFitsItsField_data()
    {
        QTest::addColumn<bool>("projector");
        QTest::newRow("normal view") << false;
        QTest::newRow("projector view") << true;
    }

    void everyTextFitsItsField()
    {
        QFETCH(bool, projector);
        const ScopedProjectorView view(projector);
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
            auto* window = showWindow(new DKForm);
            QVERIFY(window);
            const double f = width < 10000 ? 0.7 : 1.0;
            QCOMPARE(window->sizeFactor, float(f));
            QVERIFY(colourNear(*window->grafik, 0, -200 * f, kWhite));
            QVERIFY(colourNear(*window->grafik, 0, -260 * f, kWhite) && !colourNear(*window->grafik, 0, -275 * f, kWhite, 0));
            QVERIFY(std::abs(forms::geometryTwips(window->Text1).width - 1212 * f) <= 15);
            QVERIFY(std::abs(window->grafik->scale().toUserY(window->Text1->y()) - 150 * f) <= 1.5);
            QVERIFY(std::abs(forms::geometryTwips(window->alphaText).width - 2172 * (f + 0.1)) <= 15);
            cleanup();
        }
    }

private:
    DKForm* form = nullptr;
    QTemporaryDir dir;
};

QTEST_MAIN(DiskWindowTest)
#include "disk_window_test.moc"
