#include "files/experiment_window.h"
#include "forms/geometry.h"
#include "forms/projector_view.h"
#include "launcher/launcher_item.h"
#include "launcher/rl_form.h"
#include "tests/support/app_fixture.h"
#include "tests/support/experiment_files.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A simulation window that takes experiment files and counts its activations.
class TestExperimentWindow : public forms::Form, public files::ExperimentWindow {
public:
    QString simulation() const override { return "baukasten"; }
    QJsonObject experimentFields() const override { return shown; }
    QString showExperimentFields(const QJsonObject& fields) override
    {
        if (fields.value("linsen").toInt() > 6)
            return "zu viele Linsen";
        shown = fields;
        return {};
    }
    void onActivate() override { ++resets; }

    QJsonObject shown;
    int resets = 0;
};

// One pixel of rounding at 96 dpi.
bool near(double actual, double expected) { return std::abs(actual - expected) <= 15; }

QVariant remembered() { return QSettings("RayLore", "RayLore").value("beamer"); }

} // namespace

class LauncherTest : public WindowTest {
    Q_OBJECT

private slots:
    void init() { loads = 0; }

    void layoutByScreenWidth_data()
    {
        QTest::addColumn<double>("screenWidth");
        QTest::addColumn<double>("screenHeight");
        QTest::addColumn<bool>("designSize");
        QTest::newRow("exactly 10000") << 10000.0 << 7500.0 << true;
        QTest::newRow("12000") << 12000.0 << 9000.0 << false;
    }

    void layoutByScreenWidth()
    {
        QFETCH(double, screenWidth);
        QFETCH(double, screenHeight);
        QFETCH(bool, designSize);
        ScopedScreen screen(screenWidth, screenHeight);
        RL_Form* form = showWindow(new RL_Form);
        QVERIFY(form);
        const forms::TwipsRect client = forms::geometryTwips(form->client());
        if (designSize) {
            QVERIFY(near(client.width, 8670) && near(client.height, 3540));
            QCOMPARE(forms::geometryTwips(form->picture(1)).left, 360.0);
            QCOMPARE(form->label(1)->font().pointSizeF(), 13.5);
        } else {
            QVERIFY(near(form->outerWidthTwips(), screenWidth * 0.75));
            QVERIFY(near(form->outerHeightTwips(), screenHeight * 0.5));
            QCOMPARE(form->label(1)->font().pointSizeF(), 13.8);
            // Equal gaps around the three pictures, the frame included; labels centred under them.
            const forms::TwipsRect sp = forms::geometryTwips(form->picture(1));
            const forms::TwipsRect lens = forms::geometryTwips(form->picture(2));
            const forms::TwipsRect bk = forms::geometryTwips(form->picture(3));
            QVERIFY(near(lens.left - (sp.left + sp.width), sp.left));
            QVERIFY(near(bk.left - (lens.left + lens.width), sp.left));
            QVERIFY(near(form->outerWidthTwips() - (bk.left + bk.width), sp.left));
            const forms::TwipsRect label = forms::geometryTwips(form->label(2));
            QVERIFY(near(label.left + label.width / 2, lens.left + lens.width / 2));
            QVERIFY(near(label.top, sp.top + sp.width + form->outerHeightTwips() * 0.1));
        }
        QVERIFY(near(forms::pixelsToTwips(form->frameGeometry().left()), (screenWidth - form->outerWidthTwips()) / 2));
        QVERIFY(near(forms::pixelsToTwips(form->frameGeometry().top()), (screenHeight - form->outerHeightTwips()) / 2));
    }

    // The first picture holds the focus, so Enter opens the mirror at once;
    // Tab walks the pictures, selecting each, and the focus comes back to the
    // selection when the launcher is activated again.
    void theKeyboardSelectsAndOpensAndTheFocusComesBack()
    {
        RL_Form* form = showWindow(launcher({1, 3}));
        QVERIFY(form && QTest::qWaitForWindowActive(form));
        QCOMPARE(form->SelectedSim, 1);
        QCOMPARE(QApplication::focusWidget(), form->picture(1));
        QTest::keyClick(form->picture(1), Qt::Key_Return);
        QCOMPARE(loads, 1);
        QVERIFY(QTest::qWaitForWindowActive(form->registry().window(1)));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        for (int n : {2, 3}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(form->SelectedSim, n);
        }
        form->Open(3);
        QVERIFY(QTest::qWaitForWindowActive(form->registry().window(3)));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(QApplication::focusWidget(), form->picture(3));
        QCOMPARE(form->SelectedSim, 3);
    }

    void aClickedLabelIsSelectedInNavyAndADoubleClickOpens()
    {
        RL_Form* form = showWindow(launcher({3}));
        QVERIFY(form);
        QTest::mouseClick(form->label(2), Qt::LeftButton);
        QTest::mouseClick(form->label(3), Qt::LeftButton);
        QCOMPARE(form->SelectedSim, 3);
        const QColor base = QApplication::palette().color(QPalette::Base);
        QCOMPARE(form->label(3)->palette().color(QPalette::Window), QColor(0, 0, 128));
        QCOMPARE(form->label(3)->palette().color(QPalette::WindowText), base);
        QCOMPARE(form->label(2)->palette().color(QPalette::Window), base);
        QCOMPARE(form->label(2)->palette().color(QPalette::WindowText), QColor(0, 0, 0));
        emit form->picture(3)->doubleClicked();
        QCOMPARE(loads, 1);
    }

    // Nothing selected, or a simulation without a window: nothing opens.
    void openWithNothingToOpenDoesNothing()
    {
        std::unique_ptr<RL_Form> form(launcher({1, 3}));
        QCOMPARE(form->SelectedSim, 0);
        form->openAction()->trigger();
        const auto before = QApplication::topLevelWidgets().size();
        form->Open(2);
        QCOMPARE(QApplication::topLevelWidgets().size(), before);
        QCOMPARE(loads, 0);
    }

    // Several may be open; opening one closes the about window, closing the
    // launcher closes them all.
    void eachSimulationWindowExistsOnce()
    {
        RL_Form* form = showWindow(launcher({1, 2}));
        form->infoAction()->trigger();
        QPointer<InfoWindow> about = form->aboutWindow();
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->windowTitle(), QString("Informationen zu RayLore"));
        form->Open(1);
        flushDeletions();
        QVERIFY(about.isNull());
        forms::Form* first = form->registry().window(1);
        form->Open(1);
        QCOMPARE(loads, 1);
        QCOMPARE(form->registry().window(1), first);
        form->Open(2);
        QCOMPARE(loads, 2);
        QVERIFY(first->isVisible());
        // An unloaded window is loaded afresh on the next open.
        first->unload();
        QCOMPARE(form->registry().window(1), nullptr);
        form->Open(1);
        QCOMPARE(loads, 3);
        const QPointer<forms::Form> second = form->registry().window(2);
        form->endAction()->trigger();
        flushDeletions();
        QVERIFY(second.isNull());
    }

    // "Ansicht" between "Datei" and "Info" holds the projector view; the
    // choice is remembered, and every open window follows it at once.
    void theViewMenuSwitchesEveryWindowAndRemembersTheChoice()
    {
        RL_Form* form = showWindow(launcher({1}));
        QStringList titles;
        for (const QAction* menu : form->menuBar()->actions())
            titles << menu->text();
        QCOMPARE(titles, QStringList({"&Datei", "&Ansicht", "&Info"}));
        QAction* projector = form->menuBar()->actions()[1]->menu()->actions().value(0);
        QCOMPARE(projector, form->projectorAction());
        QCOMPARE(projector->text(), QString("&Beamer-Darstellung"));
        QCOMPARE(projector->shortcut(), QKeySequence("Ctrl+B"));
        form->Open(1);
        forms::Form* simulation = form->registry().window(1);

        projector->trigger();
        QVERIFY(forms::projectorView());
        QVERIFY(simulation->projectorAction()->isChecked());
        QCOMPARE(remembered(), QVariant(true));
        simulation->projectorAction()->trigger();
        QVERIFY(!projector->isChecked());
        QCOMPARE(remembered(), QVariant(false));

        // The command line chooses for one run, and the choice stays as it was.
        forms::readViewSetting({"raylore", "--beamer"});
        QVERIFY(forms::projectorView());
        QCOMPARE(remembered(), QVariant(false));
        forms::setProjectorView(true);
        forms::readViewSetting({"raylore", "--no-beamer"});
        QVERIFY(!forms::projectorView());
        forms::readViewSetting({"raylore"});
        QVERIFY(forms::projectorView());
        forms::setProjectorView(false);
    }

    // "Versuch öffnen …" opens the window of the file's simulation and shows the
    // experiment there; the window's first activation does not reset it.
    void aFileOpensInItsSimulationsWindow()
    {
        RecordingDialogs dialogs;
        QTemporaryDir dir;
        RL_Form* form = showWindow(new RL_Form);
        form->registry().add(3, [] { return new TestExperimentWindow; });
        QStringList items;
        for (const QAction* item : form->menuBar()->actions()[0]->menu()->actions())
            items << item->text();
        QCOMPARE(items, QStringList({QString::fromUtf8("Ö&ffnen"), QString::fromUtf8("Versuch öffnen …"), "", "&Beenden"}));
        QCOMPARE(form->openExperimentAction()->shortcut(), QKeySequence("Ctrl+O"));

        const QJsonObject kit{{"format", "raylore-versuch"}, {"version", 1}, {"simulation", "baukasten"}, {"linsen", 3}};
        dialogs.fileName = writeFile(dir, "kit.raylore", fileBytes(kit));
        form->openExperimentAction()->trigger();
        auto* window = static_cast<TestExperimentWindow*>(form->registry().window(3));
        QVERIFY(window);
        QCOMPARE(window->shown.value("linsen").toInt(), 3);
        QCOMPARE(form->SelectedSim, 3);
        const int resets = window->resets;
        activateFromAnotherWindow(window);
        QCOMPARE(window->resets, resets);
        activateFromAnotherWindow(window);
        QCOMPARE(window->resets, resets + 1);
        QVERIFY(dialogs.messages.empty());

        form->openExperimentFile(writeFile(dir, "eight.raylore", fileBytes(withField(kit, "linsen", 8))));
        form->openExperimentFile(writeFile(dir, "prism.raylore", fileBytes(withField(kit, "simulation", "prisma"))));
        QCOMPARE(dialogs.messages.size(), std::size_t(2));
        QCOMPARE(dialogs.messages[0].text, QString("zu viele Linsen"));
        QCOMPARE(dialogs.messages[1].text, QString::fromUtf8("Die Simulation „prisma“ im Feld „simulation“ ist unbekannt."));
        QCOMPARE(window->shown.value("linsen").toInt(), 3);
    }

private:
    // A launcher whose given simulations open counting stand-in windows.
    RL_Form* launcher(std::initializer_list<int> simulations)
    {
        auto* form = new RL_Form;
        for (int n : simulations)
            form->registry().add(n, [this] {
                ++loads;
                return new forms::Form;
            });
        return form;
    }

    int loads = 0;
};

QTEST_MAIN(LauncherTest)
#include "launcher_test.moc"
