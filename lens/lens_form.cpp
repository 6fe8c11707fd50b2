#include "lens/lens_form.h"

#include "forms/builders.h"
#include "forms/colours.h"
#include "forms/fonts.h"
#include "forms/geometry.h"
#include "forms/option_button.h"
#include "forms/panel3d.h"
#include "forms/picture_box.h"
#include "forms/screen.h"
#include "forms/scroll_bar.h"
#include "forms/spin_button.h"
#include "forms/strip_layout.h"
#include "help/info_window.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <cmath>

namespace {
namespace colour = forms::colour;

// Design outer size of the window and places of the strip's controls, in twips.
constexpr forms::StripDesign kDesign{9600, 7200, 252, 388 + 252, 1200};
constexpr forms::TwipsRect kPktOption{60, 40, 1490, 260};
constexpr forms::TwipsRect kParallelOption{60, 320, 1490, 260};
constexpr forms::TwipsRect kLupeButton{60, 660, 1490, 420};
constexpr forms::TwipsRect kR1WertLabel{1560, 40, 1900, 260};
constexpr forms::TwipsRect kRadius1Scroll{1560, 320, 1700, 240};
constexpr forms::TwipsRect kR2WertLabel{1560, 600, 1900, 260};
constexpr forms::TwipsRect kRadius2Scroll{1560, 880, 1700, 240};
constexpr forms::TwipsRect kBrennLabel{3520, 40, 1300, 260};
constexpr forms::TwipsRect kBrennWertLabel{3520, 320, 1300, 250};
constexpr forms::TwipsRect kZoom_lupeLabel{3520, 570, 1100, 620};
constexpr forms::TwipsRect kZoom_lupeSpButton{4650, 620, 240, 520};
constexpr forms::TwipsRect kBlendeText{4900, 40, 800, 260};
constexpr forms::TwipsRect kBlende_einOption{4900, 320, 800, 260};
constexpr forms::TwipsRect kBlende_ausOption{4900, 600, 800, 260};
constexpr forms::TwipsRect kBlendeScroll{5720, 40, 240, 1100};
constexpr forms::TwipsRect kQuerLabel{6020, 40, 1050, 800};
constexpr forms::TwipsRect kQuerSpin{7090, 120, 240, 600};
constexpr forms::TwipsRect kZoomLabel{7390, 40, 720, 260};
constexpr forms::TwipsRect kZoomText{7390, 320, 720, 320};
constexpr forms::TwipsRect kZoomSpButton{8130, 260, 240, 480};
constexpr forms::TwipsRect kInfoButton{8420, 80, 860, 460};
constexpr forms::TwipsRect kEndeButton{8420, 660, 860, 460};
constexpr forms::TwipsRect kText1{240, 240, 1200, 288};
constexpr forms::TwipsRect kText2{240, 600, 1200, 288};

constexpr QRgb kMagnifierGrey = 0xffe0e0e0;
const char* const kLupeText = "Vergrößerung\nder Lupe:\n10:1";

struct Readouts {
    QStringList radius1;
    QStringList radius2;
    QStringList focal;
};

// Every text the radius and focal-length read-outs can show, over every
// setting of the radius bars, so that the strip keeps room for the widest.
Readouts everyReadout(const forms::ScrollBar& bar)
{
    Readouts texts;
    const auto text = [](const std::string& s) { return QString::fromStdString(s); };
    const lens::Lens start;
    const int step = bar.bar()->singleStep();
    for (int value1 = bar.minimum(); value1 <= bar.maximum(); value1 += step) {
        const lens::Face face1 = lens::changeFace(lens::face1(start), value1).face;
        texts.radius1 << text(lens::radiusReadout(1, face1));
        texts.radius2 << text(lens::radiusReadout(2, lens::changeFace(lens::face2(start), value1).face));
        for (int value2 = bar.minimum(); value2 <= bar.maximum(); value2 += step) {
            lens::Lens l = start;
            lens::setFace1(l, face1);
            lens::setFace2(l, lens::changeFace(lens::face2(start), value2).face);
            lens::shapeLens(l);
            texts.focal << text(lens::focalReadout(l));
        }
    }
    texts.focal.removeDuplicates();
    return texts;
}

} // namespace

lens_form::lens_form()
    : Picture1(forms::named(new forms::PictureBox(client()), "Picture1"))
    , Picture2(forms::named(new forms::PictureBox(client()), "Picture2"))
    , Panel3D1(forms::named(new forms::Panel3D(client()), "Panel3D1"))
    , PktOption(forms::named(new forms::OptionButton("Punktraster", Panel3D1), "PktOption"))
    , ParallelOption(forms::named(new forms::OptionButton("Parallellicht", Panel3D1), "ParallelOption"))
    , LupeButton(forms::named(new QPushButton("Lupe", Panel3D1), "LupeButton"))
    , R1WertLabel(forms::named(new QLabel(Panel3D1), "R1WertLabel"))
    , Radius1Scroll(forms::scrollBar(Panel3D1, "Radius1Scroll", Qt::Horizontal, -100, 100, 10, 10, 100))
    , R2WertLabel(forms::named(new QLabel(Panel3D1), "R2WertLabel"))
    , Radius2Scroll(forms::scrollBar(Panel3D1, "Radius2Scroll", Qt::Horizontal, -100, 100, 10, 10, -100))
    , BrennLabel(forms::named(new QLabel("Brennweite:", Panel3D1), "BrennLabel"))
    , BrennWertLabel(forms::named(new QLabel(Panel3D1), "BrennWertLabel"))
    , BlendeText(forms::readOnlyField(Panel3D1, "BlendeText", "Blende:"))
    , Blende_einOption(forms::named(new forms::OptionButton("ein", Panel3D1), "Blende_einOption"))
    , Blende_ausOption(forms::named(new forms::OptionButton("aus", Panel3D1), "Blende_ausOption"))
    , BlendeScroll(forms::scrollBar(Panel3D1, "BlendeScroll", Qt::Vertical, 0, -110, 10, 60, 0))
    , QuerLabel(forms::named(new QLabel(Panel3D1), "QuerLabel"))
    , QuerSpin(forms::named(new forms::SpinButton(Panel3D1), "QuerSpin"))
    , ZoomLabel(forms::named(new QLabel("Zoom", Panel3D1), "ZoomLabel"))
    , ZoomText(forms::readOnlyField(Panel3D1, "ZoomText", "100 %"))
    , ZoomSpButton(forms::named(new forms::SpinButton(Panel3D1), "ZoomSpButton"))
    , Zoom_lupeLabel(forms::named(new QLabel(Panel3D1), "Zoom_lupeLabel"))
    , Zoom_lupeSpButton(forms::named(new forms::SpinButton(Panel3D1), "Zoom_lupeSpButton"))
    , HBildlauf(forms::scrollBar(client(), "HBildlauf", Qt::Horizontal, -1000, 1000, 20, 60, 0))
    , VBildlauf(forms::scrollBar(client(), "VBildlauf", Qt::Vertical, -500, 500, 20, 60, 0))
    , Text1(forms::readOnlyField(Picture1, "Text1", QString()))
    , Text2(forms::readOnlyField(Picture1, "Text2", QString()))
    , InfoButton(forms::named(new QPushButton("Info", Panel3D1), "InfoButton"))
    , EndeButton(forms::named(new QPushButton("Ende", Panel3D1), "EndeButton"))
{
    setObjectName("lens_form");
    setWindowTitle("Reale Linsen");
    Picture2->setBackground(kMagnifierGrey);
    Picture2->hide();
    Picture2->raise();
    // The modes are separate groups: the light mode and the aperture switch.
    auto* modes = new QButtonGroup(this);
    modes->addButton(PktOption);
    modes->addButton(ParallelOption);
    auto* aperture = new QButtonGroup(this);
    aperture->addButton(Blende_einOption);
    aperture->addButton(Blende_ausOption);
    PktOption->setChecked(true);
    Blende_ausOption->setChecked(true);
    Blende_ausOption->hide();
    BlendeScroll->hide();
    QuerLabel->hide();
    QuerSpin->hide();
    Zoom_lupeLabel->hide();
    Zoom_lupeSpButton->hide();
    BlendeText->setFrame(false);
    BlendeText->setStyleSheet("background: transparent");
    QuerLabel->setText("Querschnitt\ndes\nLichtbündels");
    Zoom_lupeLabel->setText(QString::fromUtf8(kLupeText));

    const double screenWidth = forms::Screen::widthTwips();
    const double screenHeight = forms::Screen::heightTwips();
    TwipsPerLE = forms::Screen::twipsPerLE();
    LupeScale = static_cast<float>(10 * TwipsPerLE);
    setOuterGeometryTwips(screenWidth * 0.025, screenHeight * 0.025, screenWidth * 0.95, screenHeight * 0.95);

    lens::shapeLens(lens);
    R1WertLabel->setText(QString::fromStdString(lens::radiusReadout(1, lens::face1(lens))));
    R2WertLabel->setText(QString::fromStdString(lens::radiusReadout(2, lens::face2(lens))));
    BrennWertLabel->setText(QString::fromStdString(lens::focalReadout(lens)));
    const QFont stripFont = forms::sansSerif(forms::Screen::stripPoints());
    for (QWidget* w : Panel3D1->findChildren<QWidget*>())
        w->setFont(stripFont);
    Zoom_lupeLabel->setFont(forms::sansSerif(8.25));
    Text1->setFont(forms::sansSerifNarrow(8.25));
    Text2->setFont(forms::sansSerifNarrow(8.25));
    QuerLabel->setFont(forms::sansSerif(8.25));
    LayoutControls();
    const Readouts readouts = everyReadout(*Radius1Scroll); // both bars share one range
    limitShrinking(*Panel3D1,
                   {{LupeButton, {"Mauszeiger"}},
                    {R1WertLabel, readouts.radius1},
                    {R2WertLabel, readouts.radius2},
                    {BrennWertLabel, readouts.focal}},
                   [this] { LayoutControls(); });

    NameControls();
    Picture1->setRepair([this] { DrawStaying(); });
    forms::routeMouse(Picture1, this, &lens_form::Picture1_MouseDown, &lens_form::Picture1_MouseMove,
                      &lens_form::Picture1_MouseUp);
    connect(Picture1, &forms::PictureBox::dblClick, this, &lens_form::Picture1_DblClick);
    connect(Picture2, &forms::PictureBox::mouseDown, this,
            [this](const forms::MouseEvent& e) { Picture2_MouseDown(e.button, e.shift, e.x, e.y); });
    connect(PktOption, &QRadioButton::clicked, this, &lens_form::PktOption_Click);
    connect(ParallelOption, &QRadioButton::clicked, this, &lens_form::ParallelOption_Click);
    connect(LupeButton, &QPushButton::clicked, this, &lens_form::LupeButton_Click);
    connect(Radius1Scroll, &forms::ScrollBar::changed, this, &lens_form::Radius1Scroll_Change);
    connect(Radius2Scroll, &forms::ScrollBar::changed, this, &lens_form::Radius2Scroll_Change);
    connect(Blende_einOption, &QRadioButton::clicked, this, &lens_form::Blende_einOption_Click);
    connect(Blende_ausOption, &QRadioButton::clicked, this, &lens_form::Blende_ausOption_Click);
    connect(BlendeScroll, &forms::ScrollBar::changed, this, &lens_form::BlendeScroll_Change);
    connect(QuerSpin, &forms::SpinButton::spinUp, this, &lens_form::QuerSpin_SpinUp);
    connect(QuerSpin, &forms::SpinButton::spinDown, this, &lens_form::QuerSpin_SpinDown);
    connect(ZoomSpButton, &forms::SpinButton::spinUp, this, &lens_form::ZoomSpButton_SpinUp);
    connect(ZoomSpButton, &forms::SpinButton::spinDown, this, &lens_form::ZoomSpButton_SpinDown);
    connect(Zoom_lupeSpButton, &forms::SpinButton::spinUp, this, &lens_form::Zoom_lupeSpButton_SpinUp);
    connect(Zoom_lupeSpButton, &forms::SpinButton::spinDown, this, &lens_form::Zoom_lupeSpButton_SpinDown);
    connect(HBildlauf, &forms::ScrollBar::changed, this, &lens_form::HBildlauf_Change);
    connect(VBildlauf, &forms::ScrollBar::changed, this, &lens_form::VBildlauf_Change);
    connect(InfoButton, &QPushButton::clicked, this, &lens_form::InfoButton_Click);
    connect(EndeButton, &QPushButton::clicked, this, &lens_form::EndeButton_Click);
}

// The strip's controls keep their design arrangement, scaled by the window's
// size; the drawing area fills the rest, with the scroll bars on its right and
// bottom. Its world window follows from TwipsPerLE and the zoom.
void lens_form::LayoutControls()
{
    const std::optional<forms::TwipsRect> area = forms::layoutStrip(
        *this, kDesign, Panel3D1,
        {{PktOption, kPktOption},           {ParallelOption, kParallelOption},
         {LupeButton, kLupeButton},         {R1WertLabel, kR1WertLabel},
         {Radius1Scroll, kRadius1Scroll},   {R2WertLabel, kR2WertLabel},
         {Radius2Scroll, kRadius2Scroll},   {BrennLabel, kBrennLabel},
         {BrennWertLabel, kBrennWertLabel}, {Zoom_lupeLabel, kZoom_lupeLabel},
         {Zoom_lupeSpButton, kZoom_lupeSpButton}, {BlendeText, kBlendeText},
         {Blende_einOption, kBlende_einOption}, {Blende_ausOption, kBlende_ausOption},
         {BlendeScroll, kBlendeScroll},     {QuerLabel, kQuerLabel},
         {QuerSpin, kQuerSpin},             {ZoomLabel, kZoomLabel},
         {ZoomText, kZoomText},             {ZoomSpButton, kZoomSpButton},
         {InfoButton, kInfoButton},         {EndeButton, kEndeButton}},
        Picture1, VBildlauf, HBildlauf);
    if (!area)
        return; // too small to lay out
    forms::setGeometryTwips(Text1, kText1);
    forms::setGeometryTwips(Text2, kText2);

    View.layout(area->width, area->height, TwipsPerLE);
    applyWorldWindow();
}

void lens_form::applyWorldWindow() { Picture1->setScale(View.left(), View.top(), View.width(), View.height()); }

void lens_form::onPaint() { Form_Paint(); }

void lens_form::onActivate()
{
    if (LupeMode == 1)
        LupeButton_Click();
    Blende_ausOption->select();
    Form_Paint();
    PktOption_Click();
    PktOption->setChecked(true);
}

// A resize starts the view afresh: zoom and scroll at their start, no rays, no points.
void lens_form::onResize()
{
    if (Painted != 1)
        return;
    Picture1->clear();
    markerDrawn_ = false; // cleared with the canvas
    View.reset(); // before the layout, which derives the world window from it
    {
        const QSignalBlocker h(HBildlauf);
        const QSignalBlocker v(VBildlauf);
        HBildlauf->setValue(0);
        VBildlauf->setValue(0);
    }
    LayoutControls();
    if (LupeMode == 1 && !Picture2->isVisible())
        Picture2->resize(Picture1->width() / 3, Picture1->height() / 3);
    ZoomText->setText("100%");
    RayCount = 0;
    PktOption_Click();
    PktOption->setChecked(true);
    Picture1_DblClick();
}

void lens_form::onUnload()
{
    if (lens_info)
        lens_info->unload();
    RayCount = 0;
}

void lens_form::Radius1Scroll_Change() { applyFace(1); }
void lens_form::Radius2Scroll_Change() { applyFace(2); }

void lens_form::applyFace(int face)
{
    if (Picture2->isVisible())
        CloseLupe();
    EraseAll();
    forms::ScrollBar* bar = face == 1 ? Radius1Scroll : Radius2Scroll;
    const lens::FaceChange change = lens::changeFace(face == 1 ? lens::face1(lens) : lens::face2(lens), bar->value());
    if (face == 1)
        lens::setFace1(lens, change.face);
    else
        lens::setFace2(lens, change.face);
    {
        // The snapped value is already applied here; its change event would only repeat it.
        const QSignalBlocker quiet(bar);
        bar->setValue(change.barValue);
    }
    (face == 1 ? R1WertLabel : R2WertLabel)->setText(QString::fromStdString(lens::radiusReadout(face, change.face)));
    lens::shapeLens(lens);
    // A deeper face must not reach past the object point.
    lens::keepRightOf(lens, RayStartX);
    BrennWertLabel->setText(QString::fromStdString(lens::focalReadout(lens)));
    PairCount = 0;
    PairOpen = 0;
    RedrawAll();
}

void lens_form::Blende_einOption_Click()
{
    setForeground(colour::white);
    DrawRays();
    if (ApertureOn == 1)
        DrawBlende();
    ApertureOn = 1;
    {
        const QSignalBlocker quiet(BlendeScroll);
        BlendeScroll->setValue(0);
    }
    BlendeOffset = 0;
    BlendeOld = 0;
    Blende_ausOption->show();
    BlendeScroll->show();
    setForeground(colour::black);
    DrawBlende();
    // Rays were drawn without the aperture; a converging one may now stop at it.
    DrawRays();
}

void lens_form::Blende_ausOption_Click()
{
    setForeground(colour::white);
    DrawRays();
    if (ApertureOn == 1)
        DrawBlende();
    ApertureOn = 0;
    Blende_ausOption->hide();
    BlendeScroll->hide();
    setForeground(colour::black);
    DrawRays();
}

void lens_form::BlendeScroll_Change()
{
    if (ApertureOn != 1) {
        BlendeOffset = static_cast<float>(BlendeScroll->value());
        BlendeOld = BlendeScroll->value();
        return;
    }
    setForeground(colour::white);
    DrawBlende();
    DrawRays();
    BlendeOffset = static_cast<float>(BlendeScroll->value());
    setForeground(colour::black);
    DrawBlende();
    DrawRays();
    BlendeOld = BlendeScroll->value();
}

void lens_form::QuerSpin_SpinUp() { stepQuerDivisor(-1); }
void lens_form::QuerSpin_SpinDown() { stepQuerDivisor(1); }

// A larger divisor is a narrower bundle.
void lens_form::stepQuerDivisor(float step)
{
    if (!parallelLight())
        return;
    if (Picture2->isVisible())
        CloseLupe();
    setForeground(colour::white);
    DrawRays();
    setForeground(colour::black);
    QuerDivisor = std::clamp(QuerDivisor + step, 3.0f, 10.0f);
    RebuildBundle();
}

void lens_form::ZoomSpButton_SpinUp() { changeZoom(true); }
void lens_form::ZoomSpButton_SpinDown() { changeZoom(false); }

// Zooms by 1.1 about the world origin, between 0.1 and 5.
void lens_form::changeZoom(bool in)
{
    if (Picture2->isVisible())
        CloseLupe();
    EraseLupeMarker();
    EraseAll();
    if (in)
        View.zoomIn();
    else
        View.zoomOut();
    applyWorldWindow();
    ZoomText->setText(QString::fromStdString(View.zoomText()));
    RedrawAll();
}

void lens_form::HBildlauf_Change() { scrollView(Qt::Horizontal); }
void lens_form::VBildlauf_Change() { scrollView(Qt::Vertical); }

// Each bar moves only its own axis.
void lens_form::scrollView(Qt::Orientation axis)
{
    if (Picture2->isVisible())
        CloseLupe();
    EraseLupeMarker();
    EraseAll();
    if (axis == Qt::Horizontal)
        View.scrollHorizontal(HBildlauf->value());
    else
        View.scrollVertical(VBildlauf->value());
    applyWorldWindow();
    if (!parallelLight())
        GridLeftX = 20 - View.offsetX();
    RedrawAll();
}

void lens_form::InfoButton_Click()
{
    EraseRaysAndMarks();
    RayCount = 0;
    PairCount = 0;
    PairOpen = 0;
    setForeground(colour::black);
    Form_Paint();
    if (!parallelLight()) {
        setForeground(colour::white);
        Picture1->dot(RayStartX, RayStartY, kDotRadius);
        setForeground(colour::black);
        objectHidden_ = true;
    }
    if (!lens_info)
        lens_info = makeLens_info();
    lens_info->showModeless();
}

void lens_form::EndeButton_Click() { unload(); }
