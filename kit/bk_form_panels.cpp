// The kit box, the element panel with the eye's refractive error, and the
// view panel's close button. Every change to the optics erases the drawing,
// changes the model and draws it all again.
#include "kit/bk_form.h"

#include "forms/colours.h"
#include "forms/dialogs.h"
#include "forms/geometry.h"
#include "forms/option_button.h"
#include "forms/panel3d.h"
#include "forms/picture_box.h"
#include "forms/screen.h"
#include "forms/spin_button.h"
#include "kit/refusals.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include <cmath>

namespace {
namespace colour = forms::colour;

// The element panel's width; its height follows from it by kind.
constexpr double kPanelWidth = 3600;
constexpr double kLensHeight = 0.5;
constexpr double kEyeHeight = 0.78;

QString text(std::string_view words) { return QString::fromUtf8(words.data(), static_cast<qsizetype>(words.size())); }

// A place inside the panel as fractions of its width and height.
forms::TwipsRect within(double we, double he, double left, double top, double width, double height)
{
    return {left * we, top * he, width * we, height * he};
}

} // namespace

void bk_form::BaukastenButton_Click()
{
    ++KitOpen;
    if (KitOpen % 2 == 1) {
        baukasten->show();
        BaukastenButton->setText(QString::fromUtf8("Baukasten schließen"));
        DrawKitIcons();
    } else {
        baukasten->hide();
        BaukastenButton->setText(QString::fromUtf8("Baukasten öffnen"));
        DrawStaying();
    }
    DrawObject();
}

void bk_form::closeKitBox()
{
    baukasten->hide();
    BaukastenButton->setText(QString::fromUtf8("Baukasten öffnen"));
    ++KitOpen;
}

void bk_form::Sammelpicture_Click() { addElement(kit::Kind::Converging); }
void bk_form::StreuPicture_Click() { addElement(kit::Kind::Diverging); }
void bk_form::AugPicture_Click() { addElement(kit::Kind::Eye); }

// Nothing goes behind the eye: that refusal leaves the kit box open. The
// six-element refusal closes it like an add does.
void bk_form::addElement(kit::Kind kind)
{
    if (kit_.hasEye()) {
        forms::refuse(text(kind == kit::Kind::Eye ? kit::kSecondEyeText : kit::kBehindEyeText));
        return;
    }
    if (kit_.ElemCount >= kit::kMaxElemCount) {
        forms::refuse(text(kit::kSixElementsText));
        closeKitBox();
        return;
    }
    EraseAll();
    kit_.AddElement(kind);
    // The field belongs to an open panel's element; only a closed panel's shows the eye's value.
    if (kind == kit::Kind::Eye && !einstell->isVisible())
        BrennText->setText("300");
    closeKitBox();
    RedrawAll();
}

void bk_form::OpenPanel(int k)
{
    if (!kit_.isElement(k))
        return;
    PanelElem = static_cast<std::int16_t>(k);
    showFocalLength();
    const kit::Kind kind = kit_.ElemKind[k];
    einstell->setTitle(kind == kit::Kind::Converging ? "Sammellinse" : kind == kit::Kind::Diverging ? "Streulinse" : "Auge");
    EntfernButton->setText(kind == kit::Kind::Eye ? "Auge entfernen" : "Linse entfernen");
    sehfehl->setVisible(kind == kit::Kind::Eye);
    LayoutPanel();
    einstell->show();
    einstell->raise();
}

// Lower left in the drawing area, sized by kind; the eye's panel is taller
// for its refractive errors, with the buttons beside them.
void bk_form::LayoutPanel()
{
    const bool eye = kit_.isElement(PanelElem) && kit_.ElemKind[PanelElem] == kit::Kind::Eye;
    const double we = kPanelWidth;
    const double he = (eye ? kEyeHeight : kLensHeight) * we;
    const double lens = kLensHeight * we; // the rows above the buttons sit alike in both panels
    const bool small = forms::Screen::isSmall();
    const double window = outerWidthTwips();
    const double top = forms::geometryTwips(Panel3D1).height + forms::geometryTwips(Picture1).height - he
        - (small ? 0.005 : 0.015) * outerHeightTwips();
    forms::setGeometryTwips(einstell, {(small ? 0.01 : 0.02) * window, top, we, he});
    forms::setGeometryTwips(BrennLabel, within(we, lens, 0.03, 0.17, 0.4, 0.17));
    forms::setGeometryTwips(BrennText, within(we, lens, 0.03, 0.38, 0.26, 0.19));
    forms::setGeometryTwips(LEText, within(we, lens, 0.3, 0.38, 0.1, 0.19));
    forms::setGeometryTwips(BrennSpin, within(we, lens, 0.42, 0.3, 0.07, 0.35));
    forms::setGeometryTwips(GrobOption, within(we, lens, 0.56, 0.2, 0.42, 0.2));
    forms::setGeometryTwips(FeinOption, within(we, lens, 0.56, 0.42, 0.42, 0.2));
    if (eye) {
        forms::setGeometryTwips(sehfehl, within(we, he, 0.03, 0.42, 0.46, 0.55));
        forms::setGeometryTwips(NormOption, within(0.46 * we, 0.55 * he, 0.06, 0.22, 0.92, 0.24));
        forms::setGeometryTwips(KurzOption, within(0.46 * we, 0.55 * he, 0.06, 0.47, 0.92, 0.24));
        forms::setGeometryTwips(WeitOption, within(0.46 * we, 0.55 * he, 0.06, 0.72, 0.92, 0.24));
        forms::setGeometryTwips(EntfernButton, within(we, he, 0.51, 0.52, 0.48, 0.19));
        forms::setGeometryTwips(Schliess1Button, within(we, he, 0.51, 0.75, 0.48, 0.19));
    } else {
        forms::setGeometryTwips(EntfernButton, within(we, he, 0.01, 0.71, 0.48, 0.25));
        forms::setGeometryTwips(Schliess1Button, within(we, he, 0.51, 0.71, 0.48, 0.25));
    }
}

// The focal length in the field; an empty field stands for the kind's
// template value, anything that is not a whole number for the current one.
float bk_form::shownFocalLength() const
{
    const kit::Kind kind = kit_.ElemKind[PanelElem];
    const QString typed = BrennText->text().trimmed();
    if (typed.isEmpty())
        return kit::templateOf(kind).focal;
    static const QRegularExpression whole(QStringLiteral("^[+-]?\\d+$"));
    if (!whole.match(typed).hasMatch())
        return kit_.ElemF[PanelElem];
    return static_cast<float>(typed.toDouble());
}

void bk_form::showFocalLength() { BrennText->setText(QString::number(double(kit_.ElemF[PanelElem]), 'f', 0)); }

void bk_form::BrennSpin_SpinUp() { stepFocalLength(true); }
void bk_form::BrennSpin_SpinDown() { stepFocalLength(false); }

// The focal marks of the changed element show in red until the next repaint.
void bk_form::stepFocalLength(bool up)
{
    if (!kit_.isElement(PanelElem))
        return;
    const kit::Kind kind = kit_.ElemKind[PanelElem];
    const float current = shownFocalLength();
    EraseAll();
    kit_.setFocalLength(PanelElem, kit::steppedFocalLength(kind, current, FStep, up));
    showFocalLength();
    RedrawAll();
    markFocalPoints(PanelElem, colour::red);
}

// Only whole numbers: a decimal separator is taken back as soon as it is typed.
void bk_form::BrennText_Change()
{
    const QString typed = BrennText->text();
    if (typed.endsWith('.') || typed.endsWith(','))
        BrennText->backspace();
}

// Enter takes the typed focal length, limited to the kind's range. A text
// that is no whole number is refused before anything is erased: the field
// shows the current focal length again.
void bk_form::BrennText_KeyUp(int keyCode)
{
    if (keyCode != 13 || !kit_.isElement(PanelElem) || BrennText->text().isEmpty())
        return;
    static const QRegularExpression whole(QStringLiteral("^[+-]?\\d+$"));
    const QString typed = BrennText->text().trimmed();
    if (!whole.match(typed).hasMatch()) {
        showFocalLength();
        return;
    }
    EraseAll();
    kit_.setFocalLength(PanelElem, kit::limitFocalLength(kit_.ElemKind[PanelElem], static_cast<float>(typed.toDouble())));
    showFocalLength();
    RedrawAll();
    markFocalPoints(PanelElem, colour::red);
}

void bk_form::GrobOption_Click() { FStep = 10; }
void bk_form::FeinOption_Click() { FStep = 1; }

// The element and every element behind it go; with none left the kit box opens.
void bk_form::EntfernButton_Click()
{
    if (!kit_.isElement(PanelElem))
        return;
    EraseAll();
    kit_.removeFrom(PanelElem);
    RedrawAll();
    if (kit_.ElemCount == 1 && KitOpen % 2 == 0)
        BaukastenButton_Click();
    Schliess1Button_Click();
}

void bk_form::NormOption_Click() { changeEyeDepth(300); }
void bk_form::KurzOption_Click() { changeEyeDepth(340); }
void bk_form::WeitOption_Click() { changeEyeDepth(260); }

void bk_form::changeEyeDepth(float depth)
{
    EraseAll();
    kit_.setEyeDepth(depth);
    RedrawAll();
}

// What a panel hid is still on the canvas; drawing it again turns focal
// marks that a spin step left red black once more.
void bk_form::Schliess1Button_Click()
{
    einstell->hide();
    DrawStaying();
    PanelOpen = 0;
}

void bk_form::schliess2Button_Click()
{
    ansicht->hide();
    DrawStaying();
    AnsichtButton->setEnabled(true);
}

// A view option changes what the trace draws: erase with the old setting,
// draw with the new one.
void bk_form::VirtuellCheck_Click()
{
    EraseAll();
    kit_.setShowVirtual(VirtuellCheck->isChecked());
    RedrawAll();
}

void bk_form::BildCheck_Click()
{
    EraseAll();
    kit_.setShowImages(BildCheck->isChecked());
    RedrawAll();
}
