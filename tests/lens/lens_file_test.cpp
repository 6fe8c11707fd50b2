#include "files/experiment_file.h"
#include "forms/option_button.h"
#include "forms/picture_box.h"
#include "forms/projector_view.h"
#include "forms/scroll_bar.h"
#include "lens/lens_form.h"
#include "tests/support/app_fixture.h"
#include "tests/support/experiment_files.h"
#include "tests/support/pixels.h"

#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

void drag(lens_form& w, float fromX, float fromY, float toX, float toY)
{
    w.Picture1_MouseMove(0, 0, fromX, fromY);
    w.Picture1_MouseDown(1, 0, fromX, fromY);
    w.Picture1_MouseMove(1, 0, toX, toY);
    w.Picture1_MouseUp(1, 0, toX, toY);
}

void click(lens_form& w, float x, float y) { drag(w, x, y, x, y); }

// Experiments with something other than the starting value everywhere.
void buildPointSource(lens_form& w)
{
    w.Radius1Scroll->setValue(50);
    w.Radius2Scroll->setValue(-30);
    const float lensX = (w.model().lens.LensMinX + w.model().lens.LensMaxX) / 2;
    drag(w, lensX, 0, lensX + 60, 0);
    w.Blende_einOption->click();
    w.BlendeScroll->setValue(-40);
    drag(w, 60, 100, 100, 60); // the object
    click(w, 1000, -50);       // an image point
    drag(w, 100, 60, 80, 40);
    click(w, 300, 20);
    click(w, 1050, 30);
    w.ZoomSpButton_SpinUp();
    w.HBildlauf->setValue(200); // at another zoom than the vertical bar
    w.ZoomSpButton_SpinUp();
    w.VBildlauf->setValue(-100);
}

void buildParallel(lens_form& w)
{
    w.Radius2Scroll->setValue(0);
    w.ParallelOption->select();
    w.Blende_einOption->click();
    w.BlendeScroll->setValue(-60);
    w.Picture1_DblClick();
    for (int i = 0; i < 3; ++i)
        w.QuerSpin_SpinDown();
    drag(w, 300, 0, 300, 40); // turns the bundle
    click(w, 1000, -20);
    w.ZoomSpButton_SpinDown();
    w.HBildlauf->setValue(-150);
    w.ZoomSpButton_SpinDown();
}

} // namespace

class LensFileTest : public WindowTest {
    Q_OBJECT

private slots:
    void init()
    {
        dialogs.messages.clear();
        QVERIFY((form = openWindow<lens_form>()));
        QVERIFY(dir.isValid());
    }

    void savedExperimentsOpenAsTheyWereSaved_data()
    {
        QTest::addColumn<bool>("parallel");
        QTest::newRow("point source") << false;
        QTest::newRow("parallel light") << true;
    }

    // The picture at saving is the one redrawn whole, as opening draws it.
    void savedExperimentsOpenAsTheyWereSaved()
    {
        QFETCH(bool, parallel);
        parallel ? buildParallel(*form) : buildPointSource(*form);
        QVERIFY(form->model().PairCount > 0 && form->model().view.Zoom != 0);
        { const ScopedProjectorView redrawsWhole; }
        const QString path = dir.filePath("versuch");
        saveThrough(*form, path);

        auto* fresh = openWindow<lens_form>();
        QVERIFY(fresh);
        openThrough(*fresh, path + ".raylore");
        settle();
        QVERIFY(dialogs.messages.empty());
        QCOMPARE(fresh->experimentFields(), form->experimentFields());
        for (auto bar : {&lens_form::Radius1Scroll, &lens_form::Radius2Scroll, &lens_form::BlendeScroll,
                         &lens_form::HBildlauf, &lens_form::VBildlauf})
            QCOMPARE((fresh->*bar)->value(), (form->*bar)->value());
        for (auto readout : {&lens_form::R1WertLabel, &lens_form::R2WertLabel, &lens_form::BrennWertLabel})
            QCOMPARE((fresh->*readout)->text(), (form->*readout)->text());
        QCOMPARE(fresh->ZoomText->text(), form->ZoomText->text());
        QCOMPARE(fresh->BlendeScroll->isVisible(), form->BlendeScroll->isVisible());
        QCOMPARE(fresh->ParallelOption->isChecked(), parallel);
        QVERIFY(samePixels(fresh->Picture1->canvas(), form->Picture1->canvas()));
    }

    void badFilesLeaveTheWindowAsItWas_data()
    {
        lens_form source;
        buildPointSource(source);
        const QJsonObject valid = files::withEnvelope(source.experimentFields(), files::rayloreFiles(), "reale-linsen");
        std::vector<BadFile> rows = commonFaults(valid, files::rayloreFiles(), "linse.scheitel1X", -100000, 100000);
        const auto bad = [&](const char* name, const QString& path, const QJsonValue& value, const char* message) {
            rows.push_back(badField(name, valid, path, value, message));
        };
        const QJsonObject pair = valid.value("bildpunkte").toArray().at(0).toObject();
        bad("a radius beyond the bar", "linse.kruemmung1", 101,
            "Der Wert 101 im Feld „linse.kruemmung1“ liegt nicht zwischen -100 und 100.");
        bad("a radius between the bar's steps", "linse.kruemmung2", -37.5,
            "Der Wert -37.5 im Feld „linse.kruemmung2“ ist keine ganze Zahl.");
        bad("a radius the bar snaps to plane", "linse.kruemmung2", -7,
            "Der Wert -7 im Feld „linse.kruemmung2“ ist keine Stellung des Radiusreglers: zwischen -14 und 14 steht "
            "er auf 0.");
        bad("the object inside the lens", "objekt.x", valid.value("linse").toObject().value("scheitel1X").toDouble() + 5,
            "Der Objektpunkt im Feld „objekt“ liegt in oder hinter der Linse.");
        bad("the object behind the lens", "objekt.x", 2000,
            "Der Objektpunkt im Feld „objekt“ liegt in oder hinter der Linse.");
        bad("an aperture narrower than its bar", "blende.regler", -111,
            "Der Wert -111 im Feld „blende.regler“ liegt nicht zwischen -110 und 0.");
        bad("51 rays", "strahlen", repeated(0.1, 51),
            "Das Feld „strahlen“ hat 51 Einträge, erlaubt sind höchstens 50.");
        bad("51 pairs", "bildpunkte", repeated(pair, 51),
            "Das Feld „bildpunkte“ hat 51 Einträge, erlaubt sind höchstens 50.");
        bad("a ray beyond the vertical", "strahlen[0]", 2,
            "Der Wert 2 im Feld „strahlen[0]“ liegt nicht zwischen -1.57079637051 und 1.57079637051.");
        bad("an unknown light", "licht", "laser",
            "Der Wert „laser“ im Feld „licht“ ist keiner von „punktraster“, „parallellicht“.");
        bad("a zoom beyond its steps", "ansicht.zoom", 18,
            "Der Wert 18 im Feld „ansicht.zoom“ liegt nicht zwischen -25 und 17.");
        bad("a scroll beyond its bar", "ansicht.senkrecht.regler", 501,
            "Der Wert 501 im Feld „ansicht.senkrecht.regler“ liegt nicht zwischen -500 und 500.");
        bad("a pair's point as text", "bildpunkte[0].objekt.y", "oben",
            "Das Feld „bildpunkte[0].objekt.y“ muss eine Zahl sein, ist aber ein Text.");
        rows.push_back({"a bundle narrower than its spin button",
                        fileBytes(withField(withField(valid, "licht", "parallellicht"), "buendel",
                                            QJsonObject{{"winkel", 0}, {"teiler", 11}})),
                        QString::fromUtf8("Der Wert 11 im Feld „buendel.teiler“ liegt nicht zwischen 3 und 10.")});
        addBadFileRows(rows);
    }

    void badFilesLeaveTheWindowAsItWas()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        buildParallel(*form);
        settle();
        const QJsonObject before = form->experimentFields();
        const QImage picture = form->Picture1->canvas().copy();
        openThrough(*form, writeFile(dir, "falsch.raylore", bytes));
        settle();
        QCOMPARE(refusedWith(dialogs, message), QString());
        QCOMPARE(form->experimentFields(), before);
        QVERIFY(samePixels(form->Picture1->canvas(), picture));
    }

private:
    RecordingDialogs dialogs;
    lens_form* form = nullptr;
    QTemporaryDir dir;
};

QTEST_MAIN(LensFileTest)
#include "lens_file_test.moc"
