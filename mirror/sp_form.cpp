#include "mirror/sp_form.h"

#include "forms/colours.h"
#include "forms/fonts.h"
#include "forms/geometry.h"
#include "forms/option_button.h"
#include "forms/panel3d.h"
#include "forms/picture_box.h"
#include "forms/projector_view.h"
#include "forms/screen.h"
#include "forms/scroll_bar.h"
#include "help/info_window.h"
#include "mirror/mirror_file.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {
namespace colour = forms::colour;

// Design outer size of the window and places of the controls, in twips. The
// upper row of each group ends where the lower row starts.
constexpr double kDesignWidth = 8304;
constexpr double kDesignHeight = 6172;
constexpr double kBorderWidth = 252;
constexpr double kBorderHeight = 388 + 252;
constexpr forms::TwipsRect kStrip{0, 0, 7992, 480};
constexpr forms::TwipsRect kPicture{-60, 480, 8052, 5052};  // at design size
constexpr forms::TwipsRect kText1{240, 240, 1092, 288};
constexpr forms::TwipsRect kText2{240, 600, 1092, 288};
constexpr forms::TwipsRect kObjektbox{120, 0, 1572, 612};
constexpr forms::TwipsRect kPktOption{120, 0, 1335, 240};
constexpr forms::TwipsRect kParallelOption{120, 240, 1335, 255};
constexpr forms::TwipsRect kSpiegelbox{1680, 0, 2172, 612};
constexpr forms::TwipsRect kSphaerOption{120, 0, 2052, 240};
constexpr forms::TwipsRect kParabolOption{120, 240, 1932, 252};
constexpr forms::TwipsRect kKrummPanel{3960, 0, 1695, 615};
constexpr forms::TwipsRect kKrummLabel{0, 0, 1692, 240};
constexpr forms::TwipsRect kKrummScroll{120, 240, 1452, 252};
constexpr forms::TwipsRect kRueckwaertigPanel{5760, 0, 1935, 615};
constexpr forms::TwipsRect kRueckwaertigLabel{0, 0, 1935, 240};
constexpr forms::TwipsRect kRueckwaertigButton{360, 240, 1212, 252};
constexpr forms::TwipsRect kInfoButton{6720, 120, 495, 255};
constexpr forms::TwipsRect kEndeButton{7320, 120, 495, 255};

constexpr double kGap = 60;

void paintGrey(QWidget* widget)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, QColor::fromRgb(colour::lightGrey));
    colours.setColor(QPalette::Button, QColor::fromRgb(colour::lightGrey));
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}

template <typename T> T* named(T* widget, const char* name, const forms::TwipsRect& place)
{
    widget->setObjectName(QString::fromUtf8(name));
    forms::setGeometryTwips(widget, place);
    return widget;
}

forms::OptionButton* option(QWidget* group, const char* name, const char* caption, const forms::TwipsRect& place)
{
    auto* button = named(new forms::OptionButton(QString::fromUtf8(caption), group), name, place);
    paintGrey(button);
    return button;
}

QLineEdit* readout(QWidget* area, const char* name, const forms::TwipsRect& place)
{
    auto* field = named(new QLineEdit(area), name, place);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setFont(forms::sansSerifNarrow(8.25, true));
    return field;
}

} // namespace

sp_form::sp_form()
    : Picture1(named(new forms::PictureBox(client()), "Picture1", kPicture))
    , Text1(readout(Picture1, "Text1", kText1))
    , Text2(readout(Picture1, "Text2", kText2))
    , Hinweis(readout(Picture1, "Hinweis", {240, 4560, 6000, 288}))
    , Panel3D1(named(new forms::Panel3D(client()), "Panel3D1", kStrip))
    , objektbox(named(new QWidget(Panel3D1), "objektbox", kObjektbox))
    , PktOption(option(objektbox, "PktOption", "Punktraster", kPktOption))
    , ParallelOption(option(objektbox, "ParallelOption", "Parallellicht", kParallelOption))
    , spiegelbox(named(new QWidget(Panel3D1), "spiegelbox", kSpiegelbox))
    , SphaerOption(option(spiegelbox, "SphärOption", "sphärischer Spiegel", kSphaerOption))
    , ParabolOption(option(spiegelbox, "ParabolOption", "Parabolspiegel", kParabolOption))
    , KrummPanel(named(new forms::Panel3D(Panel3D1), "KrummPanel", kKrummPanel))
    , KrummLabel(named(new QLabel(QString::fromUtf8("Spiegelkrümmung"), KrummPanel), "KrummLabel", kKrummLabel))
    , KrummScroll(named(new forms::ScrollBar(Qt::Horizontal, KrummPanel), "KrummScroll", kKrummScroll))
    , RueckwaertigPanel(named(new forms::Panel3D(Panel3D1), "RueckwaertigPanel", kRueckwaertigPanel))
    , RueckwaertigLabel(named(new QLabel(QString::fromUtf8("rückwärtige Strahlen"), RueckwaertigPanel),
                              "RueckwaertigLabel", kRueckwaertigLabel))
    , RueckwaertigButton(named(new QPushButton("einblenden", RueckwaertigPanel), "RueckwaertigButton",
                               kRueckwaertigButton))
    , InfoButton(named(new QPushButton("Info", Panel3D1), "InfoButton", kInfoButton))
    , EndeButton(named(new QPushButton("Ende", Panel3D1), "EndeButton", kEndeButton))
{
    setObjectName("sp_form");
    setWindowTitle("Spiegel");
    setFont(forms::sansSerif(8.25));
    Hinweis->setFrame(false);
    // A notice, not a control: rays stay visible under it and presses reach the drawing.
    Hinweis->setAttribute(Qt::WA_TransparentForMouseEvents);
    Hinweis->setStyleSheet("background: transparent");
    Hinweis->setFont(forms::sansSerif(8.25));
    Hinweis->setText(QString::fromUtf8("Winkelskala: Shift-Taste halten und auf einen Auftreffpunkt klicken"));
    for (QWidget* w : {static_cast<QWidget*>(objektbox), spiegelbox, static_cast<QWidget*>(KrummLabel),
                       static_cast<QWidget*>(RueckwaertigLabel), static_cast<QWidget*>(Panel3D1),
                       static_cast<QWidget*>(KrummPanel), static_cast<QWidget*>(RueckwaertigPanel)})
        paintGrey(w);
    KrummLabel->setAlignment(Qt::AlignCenter);
    RueckwaertigLabel->setAlignment(Qt::AlignCenter);
    KrummScroll->setBounds(-12, 12);
    KrummScroll->setSmallChange(1);
    KrummScroll->setLargeChange(1);
    KrummScroll->setValue(-6);
    PktOption->setChecked(true);
    SphaerOption->setChecked(true);
    RueckwaertigButton->setEnabled(false);
    Panel3D1->raise();

    const double screenWidth = forms::Screen::widthTwips();
    const double screenHeight = forms::Screen::heightTwips();
    setOuterGeometryTwips(screenWidth * 0.025, screenHeight * 0.025, screenWidth * 0.95, screenHeight * 0.95);
    LayoutControls();
    limitShrinking(*Panel3D1, {{RueckwaertigButton, {"ausblenden"}}}, [this] { LayoutControls(); });

    model_.mirror.VertexX = 1000;
    model_.ray.ObjectX = 100;
    model_.ray.ObjectY = 100;
    model_.mirror.CurvCoeff = mirror::curvatureFromScroll(KrummScroll->value());

    NameControls();
    files::addExperimentActions(*this, *this, files::rayloreFiles());
    Picture1->setRepair([this] { DrawStaying(); });
    forms::routeMouse(Picture1, this, &sp_form::Picture1_MouseDown, &sp_form::Picture1_MouseMove,
                      &sp_form::Picture1_MouseUp);
    connect(Picture1, &forms::PictureBox::dblClick, this, &sp_form::Picture1_DblClick);
    connect(PktOption, &QRadioButton::clicked, this, &sp_form::PktOption_Click);
    connect(ParallelOption, &QRadioButton::clicked, this, &sp_form::ParallelOption_Click);
    connect(SphaerOption, &QRadioButton::clicked, this, &sp_form::SphaerOption_Click);
    connect(ParabolOption, &QRadioButton::clicked, this, &sp_form::ParabolOption_Click);
    connect(KrummScroll, &forms::ScrollBar::changed, this, &sp_form::KrummScroll_Change);
    connect(RueckwaertigButton, &QPushButton::clicked, this, &sp_form::RueckwaertigButton_Click);
    connect(InfoButton, &QPushButton::clicked, this, &sp_form::InfoButton_Click);
    connect(EndeButton, &QPushButton::clicked, this, &sp_form::EndeButton_Click);
}

// Scales the design places by the window's size. The factors are taken from
// the design size every time, which compounds the same as scaling step by
// step from the last size but cannot drift by rounding.
void sp_form::LayoutControls()
{
    const double fx = (outerWidthTwips() - kBorderWidth) / (kDesignWidth - kBorderWidth);
    const double fy = (outerHeightTwips() - kBorderHeight) / (kDesignHeight - kBorderHeight);
    if (!(fx > 0 && fy > 0))
        return; // too small to lay out; the controls keep their places
    const double screenWidth = forms::Screen::widthTwips();
    const bool small = forms::Screen::isSmall();

    const forms::TwipsRect strip{0, 0, clientWidthTwips(), kStrip.height * fy};
    forms::setGeometryTwips(Panel3D1, strip);
    // The drawing area fills the client area below the strip.
    const forms::TwipsRect picture{kPicture.left, strip.height, clientWidthTwips() - kPicture.left,
                                   std::max(0.0, clientHeightTwips() - strip.height)};
    forms::setGeometryTwips(Picture1, picture);
    const double twipsPerLE = forms::Screen::twipsPerLE();
    const double width = picture.width / twipsPerLE;
    const double height = picture.height / twipsPerLE;
    Picture1->setScale(0, height / 2, width, -height);
    forms::setGeometryTwips(Hinweis, {kText1.left, picture.height - 2 * kText1.height, 6000, kText1.height});

    for (auto [button, design] : {std::pair{InfoButton, kInfoButton}, std::pair{EndeButton, kEndeButton}})
        forms::setGeometryTwips(button, {small ? design.left * fx : design.left, design.top * fy,
                                         design.width * fx, design.height * fy});
    if (small) {
        // The design lets this panel run under "Info"; end it before, so its caption stays readable.
        const double panel = forms::geometryTwips(InfoButton).left - kGap - kRueckwaertigPanel.left;
        forms::setGeometryTwips(RueckwaertigPanel, {kRueckwaertigPanel.left, kRueckwaertigPanel.top, panel,
                                                    kRueckwaertigPanel.height});
        forms::setGeometryTwips(RueckwaertigLabel, {0, 0, panel, kRueckwaertigLabel.height});
        forms::setGeometryTwips(RueckwaertigButton, {(panel - kRueckwaertigButton.width) / 2, kRueckwaertigButton.top,
                                                     kRueckwaertigButton.width, kRueckwaertigButton.height});
    }

    if (screenWidth > forms::Screen::kSmallBelow) {
        // Groups side by side across the strip, each two rows high.
        const double top = 0.1 * strip.height;
        const double h = 0.85 * strip.height;
        const double half = h / 2;
        const auto group = [&](QWidget* g, double from, double to) {
            forms::setGeometryTwips(g, {from * strip.width, top, (to - from) * strip.width, h});
            return (to - from) * strip.width;
        };
        const double objekt = group(objektbox, 0.015, 0.19);
        forms::setGeometryTwips(PktOption, {120 * fx, 0, objekt - 120 * fx, half});
        forms::setGeometryTwips(ParallelOption, {120 * fx, h - half, objekt - 120 * fx, half});
        const double spiegel = group(spiegelbox, 0.2, 0.42);
        forms::setGeometryTwips(SphaerOption, {120 * fx, 0, spiegel - 120 * fx, half});
        forms::setGeometryTwips(ParabolOption, {120 * fx, h - half, spiegel - 120 * fx, half});
        const double krumm = group(KrummPanel, 0.43, 0.62);
        forms::setGeometryTwips(KrummLabel, {0, 0, krumm, half});
        forms::setGeometryTwips(KrummScroll, {120 * fx, h - half, krumm - 240 * fx, half});
        const double back = group(RueckwaertigPanel, 0.63, 0.81);
        forms::setGeometryTwips(RueckwaertigLabel, {0, 0, back, half});
        forms::setGeometryTwips(RueckwaertigButton, {0.15 * back, h - half, 0.7 * back, half});
        for (auto [button, at] : {std::pair{InfoButton, 0.82}, std::pair{EndeButton, 0.9}})
            forms::setGeometryTwips(button, {at * strip.width, top + h / 4, 0.07 * strip.width, half});

        const double points = forms::Screen::stripPoints();
        for (QWidget* w : std::initializer_list<QWidget*>{PktOption, ParallelOption, SphaerOption, ParabolOption,
                                                          KrummLabel, RueckwaertigLabel, RueckwaertigButton,
                                                          InfoButton, EndeButton})
            w->setFont(forms::sansSerif(points));
    }
    // Bold only on wide screens; larger in the projector view, the fields with them.
    const double k = forms::readoutScale();
    for (auto [field, design] : {std::pair{Text1, kText1}, std::pair{Text2, kText2}}) {
        field->setFont(forms::sansSerifNarrow(8.25 * k, screenWidth >= forms::Screen::kWideFrom));
        forms::setGeometryTwips(field, {design.left, kText1.top + (design.top - kText1.top) * k, design.width * k,
                                        design.height * k});
    }
}

// Paint and activation return the simulation to point-source light and a
// spherical mirror, with no rays and no marked points.
void sp_form::resetSimulation()
{
    Painted = 1;
    Picture1->line(0, 0, viewWidth(), 0, colour::lightGrey);
    PktOption_Click();
    PktOption->setChecked(true);
    SphaerOption_Click();
    SphaerOption->setChecked(true);
    DrawAxisAndObject();
    DrawMirror();
}

void sp_form::onPaint() { resetSimulation(); }
void sp_form::onActivate() { resetSimulation(); }

void sp_form::onResize()
{
    if (Painted != 1)
        return;
    Picture1->clear();
    ScaleShown = 0; // cleared with the canvas
    LayoutControls();
    // Everything still stored is shown again, not only the mirror and the axis:
    // rays left out here would come back piecemeal with the next repair.
    DrawStaying();
}

void sp_form::showExperiment(const mirror::Experiment& experiment)
{
    model_ = experiment;
    model_.MarkPending = 0;
    mirror::updateSphere(model_.mirror);
    ScaleShown = 0;
    axisHidden_ = false;
    {
        const QSignalBlocker blockBar(KrummScroll);
        const int limit = mirror::curvatureLimit(model_.mirror.MirrorKind);
        KrummScroll->setBounds(-limit, limit);
        KrummScroll->setValue(mirror::curvatureScroll(model_.mirror.CurvCoeff));
    }
    (model_.mirror.MirrorKind == 0 ? SphaerOption : ParabolOption)->setChecked(true);
    (model_.LightMode == 0 ? PktOption : ParallelOption)->setChecked(true);
    RueckwaertigButton->setText(model_.BackRays == 1 ? "ausblenden" : "einblenden");
    RueckwaertigButton->setEnabled(mirror::backwardRaysAllowed(model_.mirror, model_.LightMode, model_.ray.ObjectX,
                                                               model_.ray.ObjectY));
    Picture1->clear();
    setForeground(colour::black);
    DrawStaying();
}

QJsonObject sp_form::experimentFields() const { return mirror::toFields(model_); }

QString sp_form::showExperimentFields(const QJsonObject& fields)
{
    files::JsonReader reader(fields);
    const std::optional<mirror::Experiment> experiment = mirror::fromFields(reader, model_);
    if (!experiment)
        return reader.fault();
    showExperiment(*experiment);
    return {};
}

void sp_form::onViewChanged() { LayoutControls(); }

void sp_form::onUnload()
{
    if (sp_info)
        sp_info->unload();
}

void sp_form::PktOption_Click()
{
    setForeground(colour::white);
    EraseAngleScale();
    DrawRays();
    DrawAxisAndObject();
    model_.RayCount = 0;
    setForeground(colour::black);
    model_.LightMode = 0;
    model_.ray.ObjectX = 100;
    model_.ray.ObjectY = 100;
    DrawAxisAndObject();
    DrawPointGrid();
}

void sp_form::ParallelOption_Click()
{
    setForeground(colour::white);
    EraseAngleScale();
    ErasePairs();
    DrawPointGrid();
    DrawAxisAndObject();
    DrawRays();
    model_.RayCount = 0;
    setForeground(colour::black);
    model_.LightMode = 1;
    DrawAxisAndObject();
    model_.BundleAngle = 0;
    model_.ray.ObjectX = 0;
}

void sp_form::SphaerOption_Click() { KindChanged(0); }
void sp_form::ParabolOption_Click() { KindChanged(1); }

// The angle scale, the marked pairs and the rays go; the foreground stays white.
void sp_form::EraseRaysAndMarks()
{
    setForeground(colour::white);
    EraseAngleScale();
    ErasePairs();
    DrawRays();
}

// Before the mirror changes, the mirror goes too.
void sp_form::EraseRaysAndMirror()
{
    EraseRaysAndMarks();
    DrawMirror();
    setForeground(colour::black);
}

void sp_form::KindChanged(std::int16_t kind)
{
    EraseRaysAndMirror();
    model_.mirror.MirrorKind = kind;
    if (kind == 0) {
        const int value = KrummScroll->value();
        if (std::abs(value) > 12)
            model_.mirror.CurvCoeff = mirror::curvatureFromScroll(value > 0 ? 12 : -12);
        KrummScroll->setBounds(-12, 12);
    } else {
        KrummScroll->setBounds(-20, 20);
    }
    DrawMirror();
    DrawAxisAndObject();
    DrawRays();
    if (kind == 0 && model_.LightMode == 0)
        DrawPointGrid();
}

void sp_form::KrummScroll_Change()
{
    EraseRaysAndMirror();
    model_.mirror.CurvCoeff = mirror::curvatureFromScroll(KrummScroll->value());
    DrawAxisAndObject();
    DrawMirror();
    UpdateBackButton();
    DrawRays();
    if (model_.LightMode == 0)
        DrawPointGrid();
}

// Backward extensions make sense for convex and plane mirrors, and for a
// concave one only while the object lies between focus and model_.mirror.
void sp_form::UpdateBackButton()
{
    if (model_.mirror.CurvCoeff <= 0) {
        RueckwaertigButton->setEnabled(true);
        return;
    }
    FocusX = mirror::FocusOfParallel(model_.mirror, model_.ray.ObjectY);
    if (model_.ray.ObjectX > FocusX) {
        RueckwaertigButton->setEnabled(true);
    } else if (model_.ray.ObjectX < FocusX) {
        if (model_.BackRays == 1)
            RueckwaertigButton_Click();
        RueckwaertigButton->setEnabled(false);
    }
}

void sp_form::RueckwaertigButton_Click()
{
    setForeground(colour::white);
    DrawRays();
    model_.BackRays = static_cast<std::int16_t>(1 - model_.BackRays);
    RueckwaertigButton->setText(model_.BackRays == 1 ? "ausblenden" : "einblenden");
    setForeground(colour::black);
    DrawRays();
}

void sp_form::InfoButton_Click()
{
    Picture1_DblClick();
    if (model_.LightMode == 0) {
        setForeground(colour::white);
        Picture1->dot(model_.ray.ObjectX, model_.ray.ObjectY, kDotRadius);
        Picture1->line(0, 0, viewWidth(), 0, colour::white);
        setForeground(colour::black);
        axisHidden_ = true;
    }
    if (!sp_info)
        sp_info = makeSp_info();
    sp_info->showModeless();
}

void sp_form::EndeButton_Click() { unload(); }
