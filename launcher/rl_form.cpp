#include "launcher/rl_form.h"

#include "files/experiment_window.h"
#include "forms/dialogs.h"
#include "forms/fonts.h"
#include "forms/geometry.h"
#include "forms/screen.h"
#include "launcher/artwork.h"
#include "help/info_window.h"
#include "launcher/launcher_item.h"

#include <QApplication>
#include <QMenuBar>

#include <optional>

namespace {

// The names experiment files give the simulations.
int simulationNamed(const QString& name)
{
    const QStringList names{"spiegel", "reale-linsen", "baukasten"};
    return static_cast<int>(names.indexOf(name)) + 1;
}

constexpr double kClientWidth = 8670;
constexpr double kClientHeight = 3540;
constexpr double kLabelPoints = 13.5;
constexpr double kWideLabelPoints = 13.8;
const QColor kNavy(0, 0, 128);
const QColor kBlack(0, 0, 0);

// The system colours the launcher is drawn in.
QColor windowBackground() { return QApplication::palette().color(QPalette::Base); }
QColor windowText() { return QApplication::palette().color(QPalette::Text); }

LauncherItem* makeLabel(QWidget* parent, const char* name, const char* caption, forms::TwipsRect place)
{
    auto* label = new LauncherItem(parent);
    label->setObjectName(name);
    label->setText(caption);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(forms::serif(kLabelPoints));
    label->setAutoFillBackground(true);
    label->setFocusPolicy(Qt::NoFocus);
    forms::setGeometryTwips(label, place);
    return label;
}

LauncherItem* makePicture(QWidget* parent, const char* name, const QPixmap& artwork, forms::TwipsRect place)
{
    auto* picture = new LauncherItem(parent);
    picture->setObjectName(name);
    picture->setPixmap(artwork);
    picture->setAlignment(Qt::AlignCenter);
    picture->setFocusPolicy(Qt::StrongFocus);
    forms::setGeometryTwips(picture, place);
    return picture;
}

} // namespace

RL_Form::RL_Form()
    : sp_label(makeLabel(client(), "sp_label", "Spiegel", {840, 2880, 972, 372}))
    , lens_label(makeLabel(client(), "lens_label", "Reale Linsen", {3240, 2880, 1572, 372}))
    , bk_label(makeLabel(client(), "bk_label", "Optischer Baukasten", {5760, 2880, 2532, 372}))
    , sp_picture(makePicture(client(), "sp_picture", mirrorArtwork(), {360, 360, 1935, 2175}))
    , lens_picture(makePicture(client(), "lens_picture", lensArtwork(), {2760, 240, 2415, 2175}))
    , bk_picture(makePicture(client(), "bk_picture", kitArtwork(), {5640, 240, 2652, 2412}))
{
    setObjectName("RL_Form");
    setWindowTitle("RayLore");
    QPalette colours = palette();
    colours.setColor(QPalette::Window, windowBackground());
    colours.setColor(QPalette::WindowText, windowText());
    setPalette(colours);
    client()->setAutoFillBackground(true);

    QMenu* datei = menuBar()->addMenu("&Datei");
    datei->setObjectName("datei");
    oeffnen = datei->addAction(QString::fromUtf8("Ö&ffnen"));
    oeffnen->setObjectName(QString::fromUtf8("öffnen"));
    versuchOeffnen = datei->addAction(QString::fromUtf8("Versuch öffnen …"));
    versuchOeffnen->setObjectName("versuchOeffnen");
    versuchOeffnen->setShortcut(QKeySequence::Open);
    datei->addSeparator()->setObjectName("trenn");
    ende = datei->addAction("&Beenden");
    ende->setObjectName("ende");
    QMenu* view = menuBar()->addMenu("&Ansicht");
    view->setObjectName("ansicht");
    view->addAction(projectorAction());
    information = menuBar()->addAction("&Info");
    information->setObjectName("information");

    for (int n = 1; n <= 3; ++n) {
        paintLabel(n, false);
        connect(picture(n), &LauncherItem::clicked, this, [this, n] { Select(n); });
        connect(picture(n), &LauncherItem::focused, this, [this, n] { Select(n); });
        connect(label(n), &LauncherItem::clicked, this, [this, n] { Select(n); });
        connect(picture(n), &LauncherItem::doubleClicked, this, [this, n] { Open(n); });
        connect(label(n), &LauncherItem::doubleClicked, this, [this, n] { Open(n); });
        connect(picture(n), &LauncherItem::enterPressed, this, [this, n] { Open(n); });
    }
    connect(oeffnen, &QAction::triggered, this, [this] { Open(SelectedSim); });
    connect(versuchOeffnen, &QAction::triggered, this, [this] {
        if (const std::optional<files::Opened> opened = files::askAndRead(files::rayloreFiles());
            opened && opened->error.isEmpty())
            openExperiment(*opened);
    });
    files::setProgramOpener([this](const files::Opened& opened) { openExperiment(opened); });
    connect(ende, &QAction::triggered, this, &RL_Form::unload);
    connect(information, &QAction::triggered, this, &RL_Form::showAbout);

    // Screen readers name the pictures after their simulations.
    sp_picture->setAccessibleName("Spiegel");
    lens_picture->setAccessibleName("Reale Linsen");
    bk_picture->setAccessibleName("Optischer Baukasten");

    setTabOrder(sp_picture, lens_picture);
    setTabOrder(lens_picture, bk_picture);
    // The labels cannot take the focus, so the first picture gets it when the window shows.
    sp_picture->setFocus();

    setClientSizeTwips(kClientWidth, kClientHeight);
    layoutForScreen();
}

LauncherItem* RL_Form::picture(int n) const
{
    return n == 1 ? sp_picture : n == 2 ? lens_picture : n == 3 ? bk_picture : nullptr;
}

LauncherItem* RL_Form::label(int n) const
{
    return n == 1 ? sp_label : n == 2 ? lens_label : n == 3 ? bk_label : nullptr;
}

void RL_Form::paintLabel(int n, bool selected)
{
    LauncherItem* item = label(n);
    QPalette colours = item->palette();
    colours.setColor(QPalette::Window, selected ? kNavy : windowBackground());
    colours.setColor(QPalette::WindowText, selected ? windowBackground() : kBlack);
    item->setPalette(colours);
}

void RL_Form::Select(int n)
{
    if (SelectedSim != 0 && SelectedSim != n)
        paintLabel(SelectedSim, false);
    SelectedSim = n;
    paintLabel(n, true);
}

void RL_Form::Open(int n)
{
    if (n < 1 || n > 3)
        return;
    if (RL_info)
        RL_info->unload();
    registry_.open(n);
}

void RL_Form::showAbout()
{
    if (!RL_info)
        RL_info = makeRL_info();
    RL_info->showModeless();
}

void RL_Form::onActivate()
{
    if (LauncherItem* selected = picture(SelectedSim))
        selected->setFocus(Qt::ActiveWindowFocusReason);
}

// Closing the launcher in any way ends the program with all its windows.
void RL_Form::onUnload()
{
    QApplication::closeAllWindows();
    QApplication::quit();
}

void RL_Form::layoutForScreen()
{
    const double screenWidth = forms::Screen::widthTwips();
    const double screenHeight = forms::Screen::heightTwips();
    double windowWidth = outerWidthTwips();
    double windowHeight = outerHeightTwips();

    if (screenWidth > forms::Screen::kSmallBelow) {
        windowHeight = screenHeight * 0.5;
        windowWidth = screenWidth * 0.75;
        setOuterSizeTwips(windowWidth, windowHeight);

        LauncherItem* pictures[] = {sp_picture, lens_picture, bk_picture};
        LauncherItem* labels[] = {sp_label, lens_label, bk_label};
        double widths = 0;
        for (LauncherItem* p : pictures)
            widths += forms::geometryTwips(p).width;
        const double gap = (windowWidth - widths) * 0.25;
        const double spWidth = forms::geometryTwips(sp_picture).width;
        const double labelTop = (windowHeight - forms::geometryTwips(sp_picture).height) * 0.25 + spWidth
            + windowHeight * 0.1;

        double left = gap;
        for (int i = 0; i < 3; ++i) {
            forms::TwipsRect p = forms::geometryTwips(pictures[i]);
            p.top = (windowHeight - p.height) * 0.25;
            p.left = left;
            forms::setGeometryTwips(pictures[i], p);
            left += p.width + gap;

            forms::TwipsRect l = forms::geometryTwips(labels[i]);
            l.top = labelTop;
            l.left = p.left + (p.width - l.width) * 0.5;
            forms::setGeometryTwips(labels[i], l);
            labels[i]->setFont(forms::serif(kWideLabelPoints));
        }
    }
    placeOnScreen(0.5, 0.5);
}

void RL_Form::openExperimentFile(const QString& path)
{
    const files::Opened opened = files::readExperiment(path, files::rayloreFiles());
    if (!opened.error.isEmpty())
        forms::warning(opened.error, QString::fromUtf8("Versuch öffnen"));
    else
        openExperiment(opened);
}

void RL_Form::openExperiment(const files::Opened& opened)
{
    const int n = simulationNamed(opened.simulation);
    Open(n);
    forms::Form* window = registry_.window(n);
    auto* experiments = dynamic_cast<files::ExperimentWindow*>(window);
    if (!experiments) {
        forms::warning(QString::fromUtf8("Die Simulation „%1“ im Feld „simulation“ ist unbekannt.").arg(opened.simulation),
                       QString::fromUtf8("Versuch öffnen"));
        return;
    }
    Select(n);
    files::showOpened(*window, *experiments, opened);
}
