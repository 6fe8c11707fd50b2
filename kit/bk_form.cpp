#include "kit/bk_form.h"

#include "forms/builders.h"
#include "forms/colours.h"
#include "forms/fonts.h"
#include "forms/geometry.h"
#include "forms/option_button.h"
#include "forms/panel3d.h"
#include "forms/picture_box.h"
#include "forms/projector_view.h"
#include "forms/screen.h"
#include "forms/scroll_bar.h"
#include "forms/spin_button.h"
#include "forms/strip_layout.h"
#include "help/info_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
namespace colour = forms::colour;

// Design outer size of the window and places of the strip's controls, in twips.
constexpr forms::StripDesign kDesign{9600, 7200, 252, 388 + 252, 1200};
constexpr forms::TwipsRect kObjekte{60, 80, 2300, 330};
constexpr forms::TwipsRect kBaukastenButton{60, 620, 2300, 420};
constexpr forms::TwipsRect kAnsichtButton{2560, 620, 1500, 420};
constexpr forms::TwipsRect kKooCheck{4300, 120, 1800, 300};
constexpr forms::TwipsRect kMassCheck{4300, 660, 1800, 300};
constexpr forms::TwipsRect kZoomLabel{6300, 80, 720, 260};
constexpr forms::TwipsRect kZoomText{6300, 380, 720, 300};
constexpr forms::TwipsRect kZoomSpButton{7040, 340, 240, 480};
constexpr forms::TwipsRect kInfoButton{8420, 80, 860, 460};
constexpr forms::TwipsRect kEndeButton{8420, 660, 860, 460};

// The panels over the drawing area, in twips.
constexpr double kIcon = 972;
constexpr double kIconGap = 120;
constexpr double kCaption = 260;
constexpr forms::TwipsRect kAnsicht{0, 0, 3300, 1500};
// The read-out panel: the coordinates in a column on the left, the tape's
// ruler and length on the right; fields and rows grow with the read-outs.
constexpr double kReadoutInset = 120;
constexpr double kReadoutTop = 300;
constexpr double kCoordinateWidth = 1250;
constexpr double kTapeWidth = 1130;
constexpr double kReadoutHeight = 280;
constexpr double kReadoutPitch = 340;
constexpr double kRulerHeight = 330;
constexpr double kLengthTop = 400;
constexpr double kReadoutBottom = 230;
constexpr double kColumnGap = 80;

constexpr QRgb kDarkBlue = 0xff000080;
constexpr QRgb kTeal = 0xff008080;
constexpr QRgb kLightCyan = 0xffc0ffff;

// A frame with its caption, filled in its own colours.
QGroupBox* frame(QWidget* parent, const char* name, const QString& caption, QRgb background, QRgb text)
{
    auto* box = forms::named(new QGroupBox(caption, parent), name);
    QPalette colours = box->palette();
    colours.setColor(QPalette::Window, QColor::fromRgb(background));
    colours.setColor(QPalette::WindowText, QColor::fromRgb(text));
    box->setPalette(colours);
    box->setAutoFillBackground(true);
    box->hide();
    return box;
}

forms::PictureBox* icon(QWidget* parent, const char* name)
{
    auto* picture = forms::named(new forms::PictureBox(parent), name);
    picture->setBackground(kLightCyan);
    picture->setCursor(Qt::PointingHandCursor);
    return picture;
}

} // namespace

bk_form::bk_form()
    : Panel3D1(forms::named(new forms::Panel3D(client()), "Panel3D1"))
    , objekte(forms::named(new QComboBox(Panel3D1), "objekte"))
    , BaukastenButton(forms::named(new QPushButton(QString::fromUtf8("Baukasten öffnen"), Panel3D1), "BaukastenButton"))
    , AnsichtButton(forms::named(new QPushButton("Ansicht ...", Panel3D1), "AnsichtButton"))
    , KooCheck(forms::named(new QCheckBox("Koordinaten", Panel3D1), "KooCheck"))
    , MassCheck(forms::named(new QCheckBox(QString::fromUtf8("Maßband"), Panel3D1), "MassCheck"))
    , ZoomLabel(forms::named(new QLabel("Zoom", Panel3D1), "ZoomLabel"))
    , ZoomText(forms::readOnlyField(Panel3D1, "ZoomText", "100 %"))
    , ZoomSpButton(forms::named(new forms::SpinButton(Panel3D1), "ZoomSpButton"))
    , InfoButton(forms::named(new QPushButton("Info", Panel3D1), "InfoButton"))
    , EndeButton(forms::named(new QPushButton("Ende", Panel3D1), "EndeButton"))
    , Picture1(forms::named(new forms::PictureBox(client()), "Picture1"))
    , HBildlauf(forms::scrollBar(client(), "HBildlauf", Qt::Horizontal, -kit::kScrollX, kit::kScrollX, 20, 60, 0))
    , VBildlauf(forms::scrollBar(client(), "VBildlauf", Qt::Vertical, -kit::kScrollY, kit::kScrollY, 20, 60, 0))
    , baukasten(frame(client(), "baukasten", "Baukasten", kDarkBlue, colour::white))
    , Sammelpicture(icon(baukasten, "Sammelpicture"))
    , StreuPicture(icon(baukasten, "StreuPicture"))
    , AugPicture(icon(baukasten, "AugPicture"))
    , einstell(frame(client(), "einstell", "Sammellinse", kTeal, colour::white))
    , BrennLabel(forms::named(new QLabel("Brennweite:", einstell), "BrennLabel"))
    , BrennText(forms::named(new QLineEdit(einstell), "BrennText"))
    , LEText(forms::readOnlyField(einstell, "LEText", "LE"))
    , BrennSpin(forms::named(new forms::SpinButton(einstell), "BrennSpin"))
    , GrobOption(forms::named(new forms::OptionButton("grob ", einstell), "GrobOption"))
    , FeinOption(forms::named(new forms::OptionButton("fein", einstell), "FeinOption"))
    , EntfernButton(forms::named(new QPushButton("Linse entfernen", einstell), "EntfernButton"))
    , Schliess1Button(forms::named(new QPushButton(QString::fromUtf8("schließen"), einstell), "Schließ1Button"))
    , sehfehl(frame(einstell, "sehfehl", "Sehfehler", kTeal, colour::white))
    , NormOption(forms::named(new forms::OptionButton("kein Fehler", sehfehl), "NormOption"))
    , KurzOption(forms::named(new forms::OptionButton("kurzsichtig", sehfehl), "KurzOption"))
    , WeitOption(forms::named(new forms::OptionButton("weitsichtig", sehfehl), "WeitOption"))
    , ansicht(frame(client(), "ansicht", "Ansicht", forms::colour::lightGrey, colour::black))
    , KonstruktionLabel(forms::named(new QLabel("Konstruktionsstrahlen", ansicht), "KonstruktionLabel"))
    , VirtuellLabel(forms::named(new QLabel("virtueller Bilder", ansicht), "VirtuellLabel"))
    , VirtuellCheck(forms::named(new QCheckBox("einblenden", ansicht), "VirtuellCheck"))
    , BilderLabel(forms::named(new QLabel("Bilder", ansicht), "BilderLabel"))
    , BildCheck(forms::named(new QCheckBox("anzeigen", ansicht), "BildCheck"))
    , schliess2Button(forms::named(new QPushButton(QString::fromUtf8("schließen"), ansicht), "schließ2Button"))
    , messen(frame(client(), "messen", "Koordinaten", forms::colour::lightGrey, colour::black))
    , xText(forms::readOnlyField(messen, "xText"))
    , yText(forms::readOnlyField(messen, "yText"))
    , MassText(forms::readOnlyField(messen, "MassText"))
    , MassPicture(forms::named(new forms::PictureBox(messen), "MassPicture"))
{
    setObjectName("bk_form");
    setWindowTitle("Optischer Baukasten");
    objekte->addItems({"Pfeilsymbol", "Kerze", "Parallellicht", "Punktraster"});
    objekte->setCurrentIndex(0);
    BaukastenButton->setPalette(QPalette(QColor::fromRgb(forms::colour::lightGrey)));
    BrennText->setAlignment(Qt::AlignCenter);
    BrennLabel->setAlignment(Qt::AlignCenter);
    BrennText->installEventFilter(this);
    // The panel's white caption colour would hide the arrows.
    BrennSpin->setPalette(QApplication::palette());
    auto* steps = new QButtonGroup(this);
    steps->addButton(GrobOption);
    steps->addButton(FeinOption);
    GrobOption->setChecked(true);
    auto* eye = new QButtonGroup(this);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{NormOption, KurzOption, WeitOption})
        eye->addButton(b);
    NormOption->setChecked(true);
    BildCheck->setChecked(true);
    sehfehl->setAutoFillBackground(false);
    MassPicture->setBackground(colour::white);
    Picture1->setBackground(colour::white);
    for (QGroupBox* panel : {baukasten, einstell, ansicht, messen})
        panel->raise();

    TwipsPerLE = forms::Screen::twipsPerLE();
    const double screenWidth = forms::Screen::widthTwips();
    const double screenHeight = forms::Screen::heightTwips();
    setOuterGeometryTwips(screenWidth * 0.025, screenHeight * 0.025, screenWidth * 0.95, screenHeight * 0.95);
    const QFont stripFont = forms::sansSerif(forms::Screen::stripPoints());
    for (QWidget* area : std::initializer_list<QWidget*>{Panel3D1, baukasten, einstell, ansicht, messen}) {
        area->setFont(stripFont);
        for (QWidget* w : area->findChildren<QWidget*>())
            w->setFont(stripFont);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{NormOption, KurzOption, WeitOption})
        w->setFont(forms::sansSerif(forms::Screen::stripPoints(), true));
    LayoutControls();
    limitShrinking(*Panel3D1, {{BaukastenButton, {QString::fromUtf8("Baukasten schließen")}}},
                   [this] { LayoutControls(); });
    DrawKitIcons();
    DrawRuler();

    NameControls();
    files::addExperimentActions(*this, *this, files::rayloreFiles());
    forms::routeMouse(Picture1, this, &bk_form::Picture1_MouseDown, &bk_form::Picture1_MouseMove,
                      &bk_form::Picture1_MouseUp);
    connect(Picture1, &forms::PictureBox::dblClick, this, &bk_form::Picture1_DblClick);
    Picture1->setRepair([this] { DrawStaying(); });
    connect(objekte, &QComboBox::activated, this, &bk_form::objekte_Click);
    connect(BaukastenButton, &QPushButton::clicked, this, &bk_form::BaukastenButton_Click);
    connect(AnsichtButton, &QPushButton::clicked, this, &bk_form::AnsichtButton_Click);
    connect(KooCheck, &QCheckBox::clicked, this, &bk_form::KooCheck_Click);
    connect(MassCheck, &QCheckBox::clicked, this, &bk_form::MassCheck_Click);
    connect(ZoomSpButton, &forms::SpinButton::spinUp, this, &bk_form::ZoomSpButton_SpinUp);
    connect(ZoomSpButton, &forms::SpinButton::spinDown, this, &bk_form::ZoomSpButton_SpinDown);
    connect(HBildlauf, &forms::ScrollBar::changed, this, &bk_form::HBildlauf_Change);
    connect(VBildlauf, &forms::ScrollBar::changed, this, &bk_form::VBildlauf_Change);
    connect(InfoButton, &QPushButton::clicked, this, &bk_form::InfoButton_Click);
    connect(EndeButton, &QPushButton::clicked, this, &bk_form::EndeButton_Click);
    // A click on a picture: the left button pressed on it and released over it.
    // The second press of a double click is no press, so it adds nothing more.
    const auto onClick = [this](forms::PictureBox* picture, void (bk_form::*handler)()) {
        connect(picture, &forms::PictureBox::mouseDown, this, [this, picture](const forms::MouseEvent& e) {
            if (e.button == 1)
                pressedIcon_ = picture;
        });
        connect(picture, &forms::PictureBox::mouseUp, this, [this, picture, handler](const forms::MouseEvent& e) {
            const bool clicked = pressedIcon_ == picture && e.button == 1 && picture->contains(e.x, e.y);
            pressedIcon_ = nullptr;
            if (clicked)
                (this->*handler)();
        });
    };
    onClick(Sammelpicture, &bk_form::Sammelpicture_Click);
    onClick(StreuPicture, &bk_form::StreuPicture_Click);
    onClick(AugPicture, &bk_form::AugPicture_Click);
    connect(BrennSpin, &forms::SpinButton::spinUp, this, &bk_form::BrennSpin_SpinUp);
    connect(BrennSpin, &forms::SpinButton::spinDown, this, &bk_form::BrennSpin_SpinDown);
    connect(BrennText, &QLineEdit::textEdited, this, &bk_form::BrennText_Change);
    connect(GrobOption, &QRadioButton::clicked, this, &bk_form::GrobOption_Click);
    connect(FeinOption, &QRadioButton::clicked, this, &bk_form::FeinOption_Click);
    connect(EntfernButton, &QPushButton::clicked, this, &bk_form::EntfernButton_Click);
    connect(NormOption, &QRadioButton::clicked, this, &bk_form::NormOption_Click);
    connect(KurzOption, &QRadioButton::clicked, this, &bk_form::KurzOption_Click);
    connect(WeitOption, &QRadioButton::clicked, this, &bk_form::WeitOption_Click);
    connect(Schliess1Button, &QPushButton::clicked, this, &bk_form::Schliess1Button_Click);
    connect(schliess2Button, &QPushButton::clicked, this, &bk_form::schliess2Button_Click);
    connect(VirtuellCheck, &QCheckBox::clicked, this, &bk_form::VirtuellCheck_Click);
    connect(BildCheck, &QCheckBox::clicked, this, &bk_form::BildCheck_Click);
}

// The strip's controls keep their design arrangement, scaled by the window's
// size; the drawing area fills the rest, with the scroll bars on its right and
// bottom. The panels keep their size and stay at the drawing area's corners.
void bk_form::LayoutControls()
{
    const std::optional<forms::TwipsRect> area = forms::layoutStrip(
        *this, kDesign, Panel3D1,
        {{objekte, kObjekte},     {BaukastenButton, kBaukastenButton}, {AnsichtButton, kAnsichtButton},
         {KooCheck, kKooCheck},   {MassCheck, kMassCheck},             {ZoomLabel, kZoomLabel},
         {ZoomText, kZoomText},   {ZoomSpButton, kZoomSpButton},       {InfoButton, kInfoButton},
         {EndeButton, kEndeButton}},
        Picture1, VBildlauf, HBildlauf);
    if (!area)
        return; // too small to lay out
    const double strip = area->top;
    const double pictureWidth = area->width;
    const double pictureHeight = area->height;

    const double margin = (forms::Screen::isSmall() ? 0.01 : 0.02) * outerWidthTwips();
    const double boxWidth = 3 * kIcon + 4 * kIconGap;
    forms::setGeometryTwips(baukasten, {margin, strip + margin, boxWidth, kCaption + kIcon + 2 * kIconGap});
    forms::PictureBox* icons[] = {Sammelpicture, StreuPicture, AugPicture};
    for (int i = 0; i < 3; ++i)
        forms::setGeometryTwips(icons[i], {kIconGap + i * (kIcon + kIconGap), kCaption + kIconGap, kIcon, kIcon});

    forms::setGeometryTwips(ansicht, {pictureWidth - kAnsicht.width - margin, strip + margin, kAnsicht.width,
                                      kAnsicht.height});
    forms::setGeometryTwips(KonstruktionLabel, {120, 300, 2760, 240});
    forms::setGeometryTwips(VirtuellLabel, {120, 540, 1550, 250});
    forms::setGeometryTwips(VirtuellCheck, {1700, 540, 1500, 290});
    forms::setGeometryTwips(BilderLabel, {120, 860, 1550, 250});
    forms::setGeometryTwips(BildCheck, {1700, 840, 1500, 290});
    forms::setGeometryTwips(schliess2Button, {1700, 1160, 1300, 290});

    LayoutReadouts();
    LayoutPanel();

    View.layout(pictureWidth, pictureHeight, TwipsPerLE);
    scaleToView();
}

// The read-outs stand on the drawing: larger in the projector view, with
// their fields, rows and panel, which keeps its place in the lower right corner.
void bk_form::LayoutReadouts()
{
    const double k = forms::readoutScale();
    for (QLineEdit* field : {xText, yText, MassText})
        field->setFont(forms::sansSerifNarrow(8.25 * k));
    const double tapeLeft = kReadoutInset + kCoordinateWidth * k + kColumnGap;
    const double width = tapeLeft + kTapeWidth * k + kReadoutInset;
    const double height = kReadoutTop + (kReadoutPitch + kReadoutHeight) * k + kReadoutBottom;
    const forms::TwipsRect picture = forms::geometryTwips(Picture1);
    const double margin = (forms::Screen::isSmall() ? 0.01 : 0.02) * outerWidthTwips();
    forms::setGeometryTwips(messen, {picture.width - width - margin, picture.top + picture.height - height - margin,
                                     width, height});
    const double row = kReadoutHeight * k;
    forms::setGeometryTwips(xText, {kReadoutInset, kReadoutTop, kCoordinateWidth * k, row});
    forms::setGeometryTwips(yText, {kReadoutInset, kReadoutTop + kReadoutPitch * k, kCoordinateWidth * k, row});
    forms::setGeometryTwips(MassPicture, {tapeLeft, kReadoutTop, kTapeWidth * k, kRulerHeight * k});
    forms::setGeometryTwips(MassText, {tapeLeft, kReadoutTop + kLengthTop * k, kTapeWidth * k, row});
}

// The icons and the ruler were cleared for the new line weight.
void bk_form::onViewChanged()
{
    LayoutReadouts();
    DrawKitIcons();
    DrawRuler();
}

void bk_form::scaleToView() { Picture1->setScale(View.left(), View.top(), View.width(), View.height()); }

double bk_form::viewLeft() const { return -View.offsetX(); }
double bk_form::viewRight() const { return View.width() - View.offsetX(); }

void bk_form::onPaint() { DrawScene(); }

void bk_form::onActivate()
{
    DrawScene();
    if (kit_.ObjMode == kit::ObjectMode::PointGrid)
        DrawPointGrid();
    DrawKitIcons();
    DrawRuler();
}

// A resize starts the view afresh, after the first paint only: zoom and
// scroll at their start, the drawing cleared with every ray and point.
void bk_form::onResize()
{
    if (!painted_)
        return;
    Picture1->clear();
    View.reset();
    {
        const QSignalBlocker h(HBildlauf);
        const QSignalBlocker v(VBildlauf);
        HBildlauf->setValue(0);
        VBildlauf->setValue(0);
    }
    LayoutControls();
    ZoomText->setText("100%");
    TapeOn = 0;
    TapeX0 = TapeY0 = TapeX1 = TapeY1 = 0;
    if (kit_.ObjMode == kit::ObjectMode::Parallel)
        kit_.makeParallelBundle(viewLeft());
    ClearAll();
}

bool bk_form::showExperiment(const kit::Experiment& experiment, const kit::ViewSetting& view)
{
    if (!kit::inRange(experiment) || kit::breachOf(experiment).rule != kit::Breach::Rule::None)
        return false;
    showView(view);
    kit_.apply(experiment, viewLeft());
    objekte->setCurrentIndex(static_cast<int>(kit_.ObjMode));
    BildCheck->setChecked(kit_.ShowImages != 0);
    VirtuellCheck->setChecked(kit_.ShowVirtual != 0);
    (kit_.EyeDepth == 340 ? KurzOption : kit_.EyeDepth == 260 ? WeitOption : NormOption)->setChecked(true);
    einstell->hide(); // its element may be gone
    PanelOpen = 0;
    DragState = 0;
    pointPending_ = false;
    TapeOn = 0;
    TapeX0 = TapeY0 = TapeX1 = TapeY1 = 0;
    Picture1->clear();
    RedrawAll();
    return true;
}

// Zoomed from the start, then scrolled; the arrows stop and the bars hold
// their values within this window's ranges.
void bk_form::showView(const kit::ViewSetting& view)
{
    const float zoom = View.zoomFactor();
    View.reset();
    LayoutControls();
    for (int step = 0; step < std::abs(view.zoomSteps); ++step)
        view.zoomSteps > 0 ? View.zoomIn() : View.zoomOut();
    {
        const QSignalBlocker h(HBildlauf);
        const QSignalBlocker v(VBildlauf);
        HBildlauf->setValue(view.scrollX);
        VBildlauf->setValue(view.scrollY);
    }
    View.scrollHorizontal(HBildlauf->value());
    View.scrollVertical(VBildlauf->value());
    scaleToView();
    if (View.zoomFactor() != zoom) // a fresh window's text stays as designed
        ZoomText->setText(QString::fromStdString(View.zoomText()));
}

kit::ViewSetting bk_form::viewSetting() const
{
    return {kit::zoomSteps(View.zoomFactor()), HBildlauf->value(), VBildlauf->value()};
}

QJsonObject bk_form::experimentFields() const { return kit::toFields(kit::experimentOf(kit_), viewSetting()); }

QString bk_form::showExperimentFields(const QJsonObject& fields)
{
    files::JsonReader reader(fields);
    const std::optional<kit::ExperimentFile> file = kit::fromFields(reader);
    if (!file)
        return reader.fault();
    showExperiment(file->experiment, file->view);
    return {};
}

void bk_form::onUnload()
{
    if (bk_info)
        bk_info->unload();
    if (KitOpen % 2 == 1)
        BaukastenButton_Click();
    KitOpen = 0;
}

void bk_form::ZoomSpButton_SpinUp() { changeZoom(true); }
void bk_form::ZoomSpButton_SpinDown() { changeZoom(false); }

// About the world origin; the parallel bundle keeps starting at the view's left edge.
void bk_form::changeZoom(bool in)
{
    EraseAll();
    if (in)
        View.zoomIn();
    else
        View.zoomOut();
    scaleToView();
    ZoomText->setText(QString::fromStdString(View.zoomText()));
    if (kit_.ObjMode == kit::ObjectMode::Parallel)
        kit_.makeParallelBundle(viewLeft());
    RedrawAll();
}

void bk_form::HBildlauf_Change() { scrollView(Qt::Horizontal); }
void bk_form::VBildlauf_Change() { scrollView(Qt::Vertical); }

// Each bar moves only its own axis; the model stays as it is, but the
// parallel bundle starts at the view's new left edge.
void bk_form::scrollView(Qt::Orientation axis)
{
    EraseAll();
    if (axis == Qt::Horizontal)
        View.scrollHorizontal(HBildlauf->value());
    else
        View.scrollVertical(VBildlauf->value());
    scaleToView();
    if (kit_.ObjMode == kit::ObjectMode::Parallel)
        kit_.makeParallelBundle(viewLeft());
    RedrawAll();
}

void bk_form::KooCheck_Click() { messen->setVisible(KooCheck->isChecked() || MassCheck->isChecked()); }

void bk_form::MassCheck_Click()
{
    if (!MassCheck->isChecked()) {
        setForeground(colour::white);
        DrawTape();
        setForeground(colour::black);
        TapeOn = 0;
        TapeX0 = TapeY0 = TapeX1 = TapeY1 = 0;
    }
    KooCheck_Click();
}

void bk_form::AnsichtButton_Click()
{
    ansicht->show();
    AnsichtButton->setEnabled(false);
}

// Clears the drawing as a double click away from the elements does, wherever
// the pointer last was, then shows the help.
void bk_form::InfoButton_Click()
{
    ClearAll();
    if (!bk_info)
        bk_info = makeBk_info();
    bk_info->showModeless();
}

void bk_form::EndeButton_Click() { unload(); }

// Enter counts on its release, and only when the field had its press too:
// the press may have closed a message box, and held keys repeat.
bool bk_form::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == BrennText && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (event->type() == QEvent::KeyPress)
            enterPressed_ = enter && !key->isAutoRepeat();
        else if (enter && enterPressed_ && !key->isAutoRepeat()) {
            enterPressed_ = false;
            BrennText_KeyUp(13);
        }
    }
    return forms::Form::eventFilter(watched, event);
}
