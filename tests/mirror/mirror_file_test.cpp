#include "files/experiment_file.h"
#include "forms/option_button.h"
#include "forms/projector_view.h"
#include "forms/picture_box.h"
#include "forms/scroll_bar.h"
#include "mirror/mirror_file.h"
#include "mirror/sp_form.h"
#include "tests/support/app_fixture.h"
#include "tests/support/experiment_files.h"
#include "tests/support/pixels.h"

#include <QFile>
#include <QJsonArray>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

void drag(sp_form& w, float fromX, float fromY, float toX, float toY, int button = 1)
{
    w.Picture1_MouseMove(0, 0, fromX, fromY);
    w.Picture1_MouseDown(button, 0, fromX, fromY);
    w.Picture1_MouseMove(button, 0, toX, toY);
    w.Picture1_MouseUp(button, 0, toX, toY);
}

void click(sp_form& w, int button, float x, float y) { drag(w, x, y, x, y, button); }

// Experiments with something other than the starting value everywhere.
void buildPointSource(sp_form& w)
{
    w.KrummScroll->setValue(5);
    drag(w, 1000, 0, 1100, 0);   // the mirror
    drag(w, 100, 100, 160, 60);  // the object
    w.RueckwaertigButton->click();
    for (const float y : {150.0f, 40.0f, -60.0f})
        click(w, 1, 400, y);
    click(w, 2, 600, -150);
}

void buildParallel(sp_form& w)
{
    w.ParabolOption->select();
    w.KrummScroll->setValue(-15);
    w.ParallelOption->select();
    for (const float y : {120.0f, 20.0f, -90.0f})
        click(w, 1, 300, y);
    drag(w, 500, 0, 500, -80, 2); // turns the bundle
}

} // namespace

class MirrorFileTest : public WindowTest {
    Q_OBJECT

private slots:
    void init()
    {
        dialogs = std::make_unique<RecordingDialogs>();
        QVERIFY((form = openWindow<sp_form>()));
        QVERIFY(dir.isValid());
    }

    void cleanup()
    {
        closeAllWindows();
        dialogs.reset();
    }

    void savedExperimentsOpenAsTheyWereSaved_data()
    {
        QTest::addColumn<bool>("parallel");
        QTest::newRow("point source, convex") << false;
        QTest::newRow("parallel light, parabola") << true;
    }

    // The picture at saving is the one redrawn whole, as opening draws it.
    void savedExperimentsOpenAsTheyWereSaved()
    {
        QFETCH(bool, parallel);
        parallel ? buildParallel(*form) : buildPointSource(*form);
        { const ScopedProjectorView redrawsWhole; }
        const QString path = dir.filePath("versuch");
        saveThrough(*form, path);
        QVERIFY(QFile::exists(path + ".raylore"));
        QCOMPARE(dialogs->fileDialogs.value(0), QString("Versuch speichern|RayLore-Versuch (*.raylore)"));

        auto* fresh = openWindow<sp_form>();
        QVERIFY(fresh);
        openThrough(*fresh, path + ".raylore");
        settle();
        QCOMPARE(dialogs->fileDialogs.value(1), QString::fromUtf8("Versuch öffnen|RayLore-Versuch (*.raylore)"));
        QVERIFY(dialogs->messages.empty());
        QCOMPARE(fresh->experimentFields(), form->experimentFields());
        QCOMPARE(fresh->KrummScroll->value(), form->KrummScroll->value());
        QCOMPARE(fresh->RueckwaertigButton->text(), form->RueckwaertigButton->text());
        QCOMPARE(fresh->RueckwaertigButton->isEnabled(), form->RueckwaertigButton->isEnabled());
        QVERIFY(samePixels(fresh->Picture1->canvas(), form->Picture1->canvas()));
    }

    void badFilesLeaveTheWindowAsItWas_data()
    {
        sp_form source;
        buildPointSource(source);
        const QJsonObject valid = files::withEnvelope(source.experimentFields(), files::rayloreFiles(), "spiegel");
        std::vector<BadFile> rows = commonFaults(valid, files::rayloreFiles(), "spiegel.scheitelX", -100000, 100000);
        const auto bad = [&](const char* name, const QString& path, const QJsonValue& value, const char* message) {
            rows.push_back(badField(name, valid, path, value, message));
        };
        bad("a curvature the sphere cannot have", "spiegel.kruemmung", 13,
            "Der Wert 13 im Feld „spiegel.kruemmung“ liegt nicht zwischen -12 und 12.");
        bad("a curvature between the bar's steps", "spiegel.kruemmung", 2.5,
            "Der Wert 2.5 im Feld „spiegel.kruemmung“ ist keine ganze Zahl.");
        bad("an unknown mirror", "spiegel.art", "konisch",
            "Der Wert „konisch“ im Feld „spiegel.art“ ist keiner von „sphaerisch“, „parabolisch“.");
        bad("51 rays", "strahlen", repeated(valid.value("strahlen").toArray().at(0), 51),
            "Das Feld „strahlen“ hat 51 Einträge, erlaubt sind höchstens 50.");
        bad("a ray angle beyond the vertical", "strahlen[1]", 2,
            "Der Wert 2 im Feld „strahlen[1]“ liegt nicht zwischen -1.57079632679 und 1.57079632679.");
        bad("the object behind the mirror", "objekt.x", 1200,
            "Der Objektpunkt im Feld „objekt“ liegt hinter dem Spiegel.");
        bad("backward rays a concave mirror forbids", "spiegel.kruemmung", -6,
            "Das Feld „rueckwaertigeStrahlen“ ist wahr, doch dieser Hohlspiegel erlaubt keine rückwärtigen Strahlen.");
        bad("a pair's point as text", "bildpunkte[0].bild.y", "oben",
            "Das Feld „bildpunkte[0].bild.y“ muss eine Zahl sein, ist aber ein Text.");
        const QJsonObject parallel = withField(valid, "licht", "parallellicht");
        rows.push_back({"pairs in parallel light", fileBytes(withField(parallel, "strahlen", QJsonArray())),
                        QString::fromUtf8("Das Feld „bildpunkte“ muss bei Parallellicht leer sein.")});
        const QJsonArray ray{QJsonObject{{"hoehe", 0}, {"hoeheAmScheitel", 50}}};
        rows.push_back({"a parallel ray's heights against the bundle angle",
                        fileBytes(withField(withField(parallel, "bildpunkte", QJsonArray()), "strahlen", ray)),
                        QString::fromUtf8("Die Höhen im Feld „strahlen[0].hoeheAmScheitel“ passen nicht zum Bündelwinkel.")});
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
        QCOMPARE(refusedWith(*dialogs, message), QString());
        QCOMPARE(form->experimentFields(), before);
        QVERIFY(samePixels(form->Picture1->canvas(), picture));
    }

    // Even for root: the save's temporary file would need a name longer than
    // any a directory can hold, so nothing can be written.
    void aFailedSaveSaysSoAndKeepsTheOldFile()
    {
        const QString name = QString(247, 'v') + ".raylore"; // the longest name there is
        const QString path = writeFile(dir, name, "alter Versuch");
        buildPointSource(*form);
        saveThrough(*form, path);
        QCOMPARE(dialogs->messages.size(), std::size_t(1));
        QCOMPARE(dialogs->messages[0].title, QString("Versuch speichern"));
        QVERIFY(dialogs->messages[0].warning);
        QVERIFY(dialogs->messages[0].text.startsWith(QString::fromUtf8("Die Datei „vvv")));
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("alter Versuch"));
    }

private:
    std::unique_ptr<RecordingDialogs> dialogs;
    sp_form* form = nullptr;
    QTemporaryDir dir;
};

QTEST_MAIN(MirrorFileTest)
#include "mirror_file_test.moc"
