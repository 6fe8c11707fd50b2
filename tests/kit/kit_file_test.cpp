#include "files/experiment_file.h"
#include "forms/option_button.h"
#include "forms/picture_box.h"
#include "forms/projector_view.h"
#include "forms/scroll_bar.h"
#include "kit/bk_form.h"
#include "kit/experiment.h"
#include "launcher/rl_form.h"
#include "tests/kit/kit_window_support.h"
#include "tests/support/app_fixture.h"
#include "tests/support/experiment_files.h"
#include "tests/support/pixels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

using kit::Kind;
using kit::ObjectMode;

// What a file keeps, and what follows from it.
QString difference(const kit::System& a, const kit::System& b)
{
    const auto same = [](const auto& x, const auto& y, int n) {
        return std::equal(x.begin(), x.begin() + n, y.begin());
    };
    if (!(kit::experimentOf(a) == kit::experimentOf(b)))
        return "the experiment";
    const int n = a.ElemCount, points = a.PointCount;
    const bool follows = same(a.ElemZoneX, b.ElemZoneX, n) && same(a.ElemFocus, b.ElemFocus, n) && a.ObjX == b.ObjX
        && a.RayCount == b.RayCount && same(a.RayVal, b.RayVal, a.RayCount) && same(a.PtImgX, b.PtImgX, points)
        && same(a.PtImgY, b.PtImgY, points);
    return follows ? QString() : "outlines, focal points, rays or image marks";
}

// The window's view and the controls that show the experiment, to six places.
QStringList viewOf(const bk_form& w)
{
    const forms::UserScale& scale = w.Picture1->scale();
    const auto number = [](double value) { return QString::number(value, 'g', 6); };
    return {"zoom " + number(w.View.zoomFactor()) + ", " + w.ZoomText->text(),
            QStringLiteral("bars %1, %2").arg(w.HBildlauf->value()).arg(w.VBildlauf->value()),
            "left edge " + number(scale.left()) + ", middle " + number(scale.top() + scale.height() / 2),
            "object " + w.objekte->currentText(),
            QStringLiteral("images %1, construction lines %2")
                .arg(w.BildCheck->isChecked())
                .arg(w.VirtuellCheck->isChecked()),
            QStringLiteral("eye %1%2%3")
                .arg(w.NormOption->isChecked())
                .arg(w.KurzOption->isChecked())
                .arg(w.WeitOption->isChecked())};
}

void viewFrom(bk_form& w, int zoomSteps, int scrollX, int scrollY)
{
    for (int i = 0; i < std::abs(zoomSteps); ++i)
        zoomSteps > 0 ? w.ZoomSpButton_SpinUp() : w.ZoomSpButton_SpinDown();
    w.HBildlauf->setValue(scrollX);
    w.VBildlauf->setValue(scrollY);
}

// Experiments with something other than the starting value everywhere.
void buildCandle(bk_form& w)
{
    for (const Kind kind : {Kind::Converging, Kind::Diverging, Kind::Eye})
        kitwin::add(w, kind);
    const double diverging = w.system().ElemX[3];
    kitwin::drag(w, diverging + 20, 0, diverging + 170, 0);
    kitwin::openPanel(w, 1);
    w.BrennText->setText("120");
    w.BrennText_KeyUp(13);
    kitwin::openPanel(w, 5);
    w.KurzOption->click();
    w.Schliess1Button->click();
    kitwin::chooseObject(w, ObjectMode::Candle);
    kitwin::drag(w, 50, 100, 20, 80);
    for (const double y : {40.0, 120.0, 170.0})
        kitwin::click(w, 150, y);
    w.AnsichtButton->click();
    w.VirtuellCheck->click();
    viewFrom(w, -2, -60, 40);
}

void buildParallel(bk_form& w)
{
    kitwin::add(w, Kind::Converging);
    kitwin::add(w, Kind::Converging);
    kitwin::chooseObject(w, ObjectMode::Parallel);
    viewFrom(w, 3, -100, -40);
    kitwin::drag(w, 100, 100, 100, 140);
    w.AnsichtButton->click();
    w.BildCheck->click();
}

// Three points marked, one unmarked again: the bundle is hidden.
void buildGrid(bk_form& w)
{
    for (const Kind kind : {Kind::Diverging, Kind::Converging, Kind::Eye})
        kitwin::add(w, kind);
    kitwin::openPanel(w, 5);
    w.WeitOption->click();
    w.Schliess1Button->click();
    viewFrom(w, -1, 40, 0);
    kitwin::chooseObject(w, ObjectMode::PointGrid);
    for (const double y : {100.0, -60.0, 200.0, -60.0})
        kitwin::click(w, w.system().GridX + 40, y);
}

const std::function<void(bk_form&)> kBuilds[] = {buildCandle, buildParallel, buildGrid};

QJsonObject validFile()
{
    bk_form source;
    buildCandle(source);
    return files::withEnvelope(source.experimentFields(), files::rayloreFiles(), "baukasten");
}

} // namespace

class KitFileTest : public WindowTest {
    Q_OBJECT

private slots:
    void init()
    {
        dialogs.messages.clear();
        QVERIFY((form = openWindow<bk_form>()));
        QVERIFY(dir.isValid());
    }

    void savedExperimentsOpenAsTheyWereSaved_data()
    {
        QTest::addColumn<int>("build");
        QTest::addColumn<bool>("launcher");
        QTest::newRow("candle, rays, a short-sighted eye") << 0 << false;
        QTest::newRow("tilted parallel light") << 1 << false;
        QTest::newRow("marked grid points") << 2 << false;
        // As its "Versuch öffnen …" and "raylore FILE" do: in the kit window.
        QTest::newRow("through the launcher") << 1 << true;
    }

    // The picture at saving is the one redrawn whole, as opening draws it.
    void savedExperimentsOpenAsTheyWereSaved()
    {
        QFETCH(int, build);
        QFETCH(bool, launcher);
        kBuilds[build](*form);
        redrawnInView(false);
        const QString path = dir.filePath("versuch.raylore");
        saveThrough(*form, path);
        bk_form* fresh = nullptr;
        if (launcher) {
            auto* rl = new RL_Form;
            rl->registry().add(3, [] { return new bk_form; });
            rl->openExperimentFile(path);
            fresh = dynamic_cast<bk_form*>(rl->registry().window(3));
            QVERIFY(fresh && fresh->isVisible());
        } else {
            QVERIFY((fresh = openWindow<bk_form>()));
            openThrough(*fresh, path);
        }
        settle();
        QVERIFY(dialogs.messages.empty());
        QCOMPARE(difference(fresh->system(), form->system()), QString());
        QCOMPARE(viewOf(*fresh), viewOf(*form));
        QVERIFY(samePixels(kitwin::canvas(*fresh), kitwin::canvas(*form)));
    }

    // The window of another screen class lays the same view out on its own scale.
    void anotherScreenClassOpensTheSameExperiment()
    {
        const QString path = dir.filePath("versuch.raylore");
        std::unique_ptr<bk_form> source;
        {
            const ScopedScreen other(smallScreen() ? 19200 : 9600, smallScreen() ? 15360 : 7200);
            source = std::make_unique<bk_form>();
            buildParallel(*source);
            saveThrough(*source, path);
        }
        QVERIFY(source->Picture1->scale().width() != form->Picture1->scale().width());
        openThrough(*form, path);
        QVERIFY(dialogs.messages.empty());
        QCOMPARE(difference(form->system(), source->system()), QString());
        QCOMPARE(viewOf(*form), viewOf(*source));
    }

    void badFilesLeaveTheWindowAsItWas_data()
    {
        const QJsonObject valid = validFile();
        std::vector<BadFile> rows = commonFaults(valid, files::rayloreFiles(), "objekt.y", -1e6, 1e6);
        const auto field = [&](const char* name, const QString& path, const QJsonValue& value, const char* message) {
            rows.push_back(badField(name, valid, path, value, message));
        };
        const QJsonArray elements = valid.value("elemente").toArray();
        const double firstX = elements.at(0).toObject().value("x").toDouble();
        const QJsonObject farLens{{"art", "sammellinse"}, {"x", 90000}, {"brennweite", 150}};
        QJsonObject secondEye = elements.at(1).toObject();
        secondEye["art"] = "auge";
        secondEye["brennweite"] = 300;
        field("a focal length of 12.5", "elemente[0].brennweite", 12.5,
              "Der Wert 12.5 im Feld „elemente[0].brennweite“ liegt nicht zwischen 30 und 5000.");
        field("a focal length between whole numbers", "elemente[0].brennweite", 150.5,
              "Der Wert 150.5 im Feld „elemente[0].brennweite“ ist keine ganze Zahl.");
        field("a diverging lens that converges", "elemente[1].brennweite", 150,
              "Der Wert 150 im Feld „elemente[1].brennweite“ liegt nicht zwischen -5000 und -30.");
        field("seven elements", "elemente", repeated(farLens, 7),
              "Das Feld „elemente“ hat 7 Einträge, erlaubt sind höchstens 6.");
        field("two eyes", "elemente[1]", secondEye,
              "Das Feld „elemente[1].art“ ist „auge“, doch hinter dem Auge darf kein weiteres Element stehen.");
        field("a lens behind the eye", "elemente", QJsonArray(elements) << farLens,
              "Das Feld „elemente[2].art“ ist „auge“, doch hinter dem Auge darf kein weiteres Element stehen.");
        field("overlapping elements", "elemente[1].x", firstX + 10,
              "Das Element im Feld „elemente[1]“ bei x = 360 überschneidet das Element davor.");
        field("an element over the object", "elemente[0].x", 20,
              "Das Element im Feld „elemente[0]“ bei x = 20 reicht über den Objektpunkt im Feld „objekt“.");
        field("an unknown kind", "elemente[0].art", "prisma",
              "Der Wert „prisma“ im Feld „elemente[0].art“ ist keiner von „sammellinse“, „streulinse“, „auge“.");
        field("a refractive error other than the three", "sehfehler", "schielend",
              "Der Wert „schielend“ im Feld „sehfehler“ ist keiner von „keiner“, „kurzsichtig“, „weitsichtig“.");
        field("51 rays", "strahlen", repeated(0.5, 51),
              "Das Feld „strahlen“ hat 51 Einträge, erlaubt sind höchstens 50.");
        field("51 points", "punkte", repeated(QJsonObject{{"x", 100}, {"y", 40}}, 51),
              "Das Feld „punkte“ hat 51 Einträge, erlaubt sind höchstens 50.");
        field("rays in parallel light", "objektart", "parallellicht",
              "Das Feld „strahlen“ muss bei der Objektart „parallellicht“ leer sein.");
        field("points beside the candle", "punkte", QJsonArray{QJsonObject{{"x", 100}, {"y", 40}}},
              "Das Feld „punkte“ muss bei der Objektart „kerze“ leer sein.");
        field("a tilt steeper than the bundle's", "buendel.neigung", 50.5,
              "Der Wert 50.5 im Feld „buendel.neigung“ liegt nicht zwischen -50 und 50.");
        field("a zoom between the arrows' steps", "ausschnitt.zoom", 1.15,
              "Der Wert 1.15 im Feld „ausschnitt.zoom“ ist keine Stufe der Zoompfeile.");
        field("a zoom beyond the arrows", "ausschnitt.zoom", 5.5,
              "Der Wert 5.5 im Feld „ausschnitt.zoom“ liegt nicht zwischen 0.092296 und 5.05447.");
        field("a scroll beyond the bar", "ausschnitt.senkrecht", 501,
              "Der Wert 501 im Feld „ausschnitt.senkrecht“ liegt nicht zwischen -500 und 500.");
        const QJsonObject grid = withField(withField(valid, "objektart", "punktraster"), "strahlen", QJsonArray());
        const QJsonObject point{{"x", 100}, {"y", 40}};
        const QJsonObject between{{"x", 105}, {"y", 40}};
        rows.push_back({"a point between the grid's", fileBytes(withField(grid, "punkte", QJsonArray{point, between})),
                        QString::fromUtf8("Der Punkt im Feld „punkte[1]“ bei x = 105, y = 40 liegt nicht auf dem "
                                          "Raster von 20 LE.")});
        rows.push_back({"a point marked twice", fileBytes(withField(grid, "punkte", QJsonArray{point, point})),
                        QString::fromUtf8("Der Punkt im Feld „punkte[1]“ bei x = 100, y = 40 ist schon markiert.")});
        addBadFileRows(rows);
    }

    void badFilesLeaveTheWindowAsItWas()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        buildGrid(*form);
        settle();
        const kit::System before = form->system();
        const QStringList view = viewOf(*form);
        const QImage picture = kitwin::canvas(*form);
        openThrough(*form, writeFile(dir, "falsch.raylore", bytes));
        settle();
        QCOMPARE(refusedWith(dialogs, message), QString());
        QCOMPARE(difference(form->system(), before), QString());
        QCOMPARE(viewOf(*form), view);
        QVERIFY(samePixels(kitwin::canvas(*form), picture));
    }

private:
    RecordingDialogs dialogs;
    bk_form* form = nullptr;
    QTemporaryDir dir;
};

QTEST_MAIN(KitFileTest)
#include "kit_file_test.moc"
