#include "disk/dk_form.h"

#include "disk/disk_model.h"
#include "disk/info_form.h"
#include "forms/fonts.h"
#include "forms/geometry.h"
#include "forms/option_button.h"
#include "forms/picture_box.h"
#include "forms/screen.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace {

constexpr QRgb kTeal = 0xff008080;
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kYellow = 0xffffff00;
constexpr QRgb kGrey = 0xff808080;
constexpr double kTwipsPerUnit = 10;
constexpr float kGlassRadius = 200;
constexpr int kDiskLineWidth = 2;
constexpr int kPointWidth = 2;

QRgb windowBackground() { return QApplication::palette().color(QPalette::Base).rgb(); }
QRgb windowText() { return QApplication::palette().color(QPalette::Text).rgb(); }

void colour(QWidget* widget, QRgb background, QRgb text)
{
    QPalette colours = widget->palette();
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        colours.setColor(role, QColor::fromRgb(background));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        colours.setColor(role, QColor::fromRgb(text));
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}

QLineEdit* textField(QWidget* parent, const char* name, const QString& text, bool onDisk, double points = 8.25)
{
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(name);
    field->setFrame(false);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setFont(forms::sansSerifNarrow(points));
    field->setTextMargins(0, 0, 0, 0);
    if (onDisk) {
        // A caption on the disk, not a control: rays stay visible under it and presses reach the disk.
        colour(field, kTeal, kWhite);
        field->setAutoFillBackground(false);
        field->setStyleSheet("background: transparent");
        field->setAttribute(Qt::WA_TransparentForMouseEvents);
    } else {
        colour(field, windowBackground(), windowText());
    }
    return field;
}

QLabel* axisLabel(QWidget* parent, const char* name, const char* text, bool rightAligned)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(forms::sansSerif(8.25));
    label->setAlignment((rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    colour(label, windowBackground(), windowText());
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

forms::OptionButton* option(QWidget* parent, const char* name, const char* caption)
{
    auto* o = new forms::OptionButton(caption, parent);
    o->setObjectName(name);
    colour(o, kTeal, kWhite);
    o->setAutoFillBackground(false); // rays stay visible around the caption
    // Keep the indicator's own light fill, so the selection stays visible on teal.
    QPalette colours = o->palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    o->setPalette(colours);
    return o;
}

} // namespace

DKForm::DKForm()
    : grafik(new forms::PictureBox(client()))
    , diagramm(new forms::PictureBox(client()))
    , ueberschrift(textField(grafik, "überschrift", QString::fromUtf8("beta in Abhängigkeit von alpha:"), true, 12))
    , einzelOpt(option(grafik, "einzelOpt", "einzelne Werte"))
    , kontOpt(option(grafik, "kontOpt", "kontinuierlich"))
    , alphaText(textField(diagramm, "alphaText", QString::fromUtf8("Einfallswinkel alpha / °"), false))
    , betaText(textField(diagramm, "betaText", QString::fromUtf8("Brechungswinkel beta / °"), false))
    , Label1(axisLabel(grafik, "Label1", "90", false))
    , Label2(axisLabel(grafik, "Label2", "45", false))
    , Label3(axisLabel(grafik, "Label3", "0", true))
    , Label4(axisLabel(grafik, "Label4", "45", true))
    , Label5(axisLabel(grafik, "Label5", "90", true))
    , VglText(textField(grafik, "VglText", "Vergleiche:   ", true))
    , QuotText(textField(grafik, "QuotText", "alpha / beta = 1,5", true))
    , blendButton(button(grafik, "blendButton", " Gerade einblenden"))
    , Text1(textField(grafik, "Text1", " ", true))
    , Text2(textField(grafik, "Text2", " ", true))
    , InfoButton(button(grafik, "InfoButton", "Info"))
    , LoeschButton(button(grafik, "LöschButton", QString::fromUtf8("Löschen")))
    , EndeButton(button(grafik, "EndeButton", "Ende"))
    , Hinweis(textField(grafik, "Hinweis", QString::fromUtf8("Einfallenden Strahl oben links ziehen"), true))
{
    setObjectName("DKForm");
    setWindowTitle("Diska");
    setFont(forms::sansSerif(8.25, true));
    grafik->setObjectName("grafik");
    diagramm->setObjectName("diagramm");
    grafik->setBackground(kTeal);
    diagramm->setBackground(windowBackground());
    diagramm->setForeground(windowText());
    diagramm->raise();
    Text1->setAlignment(Qt::AlignRight);
    alphaText->setAlignment(Qt::AlignRight);
    einzelOpt->setChecked(true);

    sizeFactor = forms::Screen::isSmall() ? 0.7f : 1.0f;
    const double width = forms::Screen::widthTwips() * 0.9;
    const double height = forms::Screen::heightTwips() * 0.9;
    setOuterGeometryTwips(forms::Screen::widthTwips() * 0.05, forms::Screen::heightTwips() * 0.05, width, height);
    layoutControls(width, height);
    // The controls keep their places from load: the window may shrink until one of them would leave it.
    QRect controls = diagramm->geometry();
    for (const QWidget* w : grafik->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        controls |= w->geometry().translated(grafik->pos());
    setMinimumSize(controls.right() + 1, controls.bottom() + 1);
    rayLength = disk::rayLength(static_cast<float>(width / kTwipsPerUnit), static_cast<float>(height / kTwipsPerUnit));
    betaDrawn = 1;

    NameControls();
    grafik->setRepair([this] { DrawStayingOnDisk(); });
    diagramm->setRepair([this] { DrawStayingInGraph(); });
    forms::routeMouse(grafik, this, &DKForm::grafik_MouseDown, &DKForm::grafik_MouseMove, &DKForm::grafik_MouseUp);
    connect(blendButton, &QPushButton::clicked, this, &DKForm::blendButton_Click);
    connect(LoeschButton, &QPushButton::clicked, this, &DKForm::LoeschButton_Click);
    connect(InfoButton, &QPushButton::clicked, this, &DKForm::InfoButton_Click);
    connect(EndeButton, &QPushButton::clicked, this, &DKForm::EndeButton_Click);
}

// Places every control by the window's size: the disk area in disk units of
// 10 twips with its origin two thirds across and half-way down, the graph as
// a square in radians.
void DKForm::layoutControls(double width, double height)
{
    const float f = sizeFactor;
    const double wu = width / kTwipsPerUnit;
    const double hu = height / kTwipsPerUnit;
    const auto onDisk = [this](QWidget* w, double left, double top, double widthTwips, double heightTwips) {
        grafik->placeChild(w, left, top, widthTwips / kTwipsPerUnit, heightTwips / kTwipsPerUnit);
    };

    forms::setGeometryTwips(grafik, {0, 0, width, height});
    grafik->setScale(-(2.0 / 3.0) * wu, hu / 2, wu, -hu);
    grafik->setLineWidth(kDiskLineWidth);

    const double gw = 0.4 * height;
    const double gh = 0.4 * height;
    const double right = disk::DegToRad(90);
    forms::setGeometryTwips(diagramm, {0.05 * width, 0.5 * height, gw, gh});
    diagramm->setScale(0, right, right, -right);
    const double radiansPerTwip = right / gw;
    const auto onGraph = [&](QWidget* w, double left, double top, double widthTwips, double heightTwips) {
        diagramm->placeChild(w, left, top, widthTwips * radiansPerTwip, heightTwips * radiansPerTwip);
    };

    // Axis labels: the right edge of each at the given x.
    const double xg = -(2.0 / 3.0) * wu + 0.005 * width;
    const double label = 372;
    const double labelUnits = label / kTwipsPerUnit;
    onDisk(Label1, xg - labelUnits, 0, label, label);
    onDisk(Label2, xg - labelUnits, -gh / 20, label, label);
    onDisk(Label3, xg - labelUnits, -gh / 10, label, label);
    onDisk(Label4, xg + gw / 20 - labelUnits, -1.01 * gh / 10, label, label);
    onDisk(Label5, xg + gw / 10 - labelUnits, -1.01 * gh / 10, label, label);

    // On low screens a field would reach into the one below it and lose the
    // bottom of its text there: it ends on the pixel row where that one starts.
    const auto downTo = [this](double top, double nextTop, double design) {
        const forms::UserScale& s = grafik->scale();
        const double rows = double(std::lround(s.toPixelY(nextTop)) - std::lround(s.toPixelY(top)));
        return std::min(design, rows * s.unitsPerPixelY() * kTwipsPerUnit);
    };
    const double titleTop = 0.1 * hu;
    const double optionsTop = 0.055 * hu;
    onDisk(ueberschrift, -0.62 * wu, titleTop, 3492, downTo(titleTop, optionsTop, 372));
    const double optionsHeight = downTo(optionsTop, 0, 372); // the graph starts at the axis
    onDisk(einzelOpt, -0.62 * wu, optionsTop, 1812, optionsHeight);
    onDisk(kontOpt, -0.62 * wu + 181.2 + 0.01 * wu, optionsTop, 1572, optionsHeight);

    const double vglTop = -0.26 * hu;
    const double quotTop = -0.3 * hu;
    onDisk(VglText, -0.28 * wu, vglTop, 1332, downTo(vglTop, quotTop, 372));
    const double blendTop = -0.35 * hu;
    onDisk(QuotText, -0.28 * wu, quotTop, 2052, downTo(quotTop, blendTop, 324));
    onDisk(blendButton, -0.28 * wu, blendTop, 2412, 372);

    const double text1Width = 1212 * f;
    onDisk(Text1, -text1Width / kTwipsPerUnit - 5, 150 * f, text1Width, 288);
    onDisk(Text2, 5, -110 * f, 1215 * f, 285);

    const double alphaWidth = 2172 * (f + 0.1);
    onGraph(alphaText, right - alphaWidth * radiansPerTwip - disk::DegToRad(5), 288 * radiansPerTwip, alphaWidth, 288);

    const double buttonHeight = 37.2;
    const double infoTop = 0.47 * hu;
    const double loeschTop = infoTop - buttonHeight - 0.01 * hu;
    onDisk(InfoButton, 0.17 * wu, infoTop, 1332, 372);
    onDisk(LoeschButton, 0.17 * wu, loeschTop, 1332, 372);
    onDisk(EndeButton, 0.17 * wu, loeschTop - buttonHeight - 0.01 * hu, 1332, 372);

    onGraph(betaText, disk::DegToRad(5), disk::DegToRad(85), 2295 * (f + 0.1), 285);

    onDisk(Hinweis, -(2.0 / 3.0) * wu + 12, hu / 2 - 12, 3732, 372);
}

void DKForm::DrawDiskAndGrid()
{
    DrawDisk();
    DrawGrid();
}

// The glass body, the ring of ticks and the normal, white.
void DKForm::DrawDisk()
{
    const float f = sizeFactor;
    grafik->setForeground(kWhite);
    grafik->arc(0, 0, kGlassRadius * f, disk::DegToRad(180), disk::DegToRad(360));
    for (const disk::Segment& s : disk::diskLines(f))
        grafik->line(s.from.x, s.from.y, s.to.x, s.to.y);
}

void DKForm::DrawGrid()
{
    diagramm->setLineWidth(1);
    for (const disk::Segment& s : disk::gridLines())
        diagramm->line(s.from.x, s.from.y, s.to.x, s.to.y, kGrey);
}

// Both halves of the current ray in one colour: teal removes them.
void DKForm::drawRays(QRgb colour)
{
    const disk::Point incident = disk::incidentEnd(alpha, rayLength);
    const disk::Point refracted = disk::refractedEnd(betaDrawn, rayLength);
    grafik->line(0, 0, incident.x, incident.y, colour);
    grafik->line(0, 0, refracted.x, refracted.y, colour);
}

void DKForm::drawIncidentRay()
{
    const disk::Point end = disk::incidentEnd(alpha, rayLength);
    grafik->line(0, 0, end.x, end.y, kYellow);
    Text1->setText(QStringLiteral("alpha = %1 °").arg(disk::wholeDegrees(alpha)));
}

void DKForm::drawRefractedRay()
{
    const disk::Point end = disk::refractedEnd(beta, rayLength);
    grafik->line(0, 0, end.x, end.y, kYellow);
    Text2->setText(QStringLiteral("beta = %1 °").arg(disk::wholeDegrees(beta)));
}

// The old ray goes, the one at this angle of incidence comes.
void DKForm::moveRayTo(float angle)
{
    drawRays(kTeal);
    alpha = angle;
    drawIncidentRay();
    beta = disk::refractionAngle(alpha);
    betaDrawn = beta;
    drawRefractedRay();
    rayShown_ = true;
}

void DKForm::plotPoint()
{
    diagramm->setLineWidth(kPointWidth);
    diagramm->point(alpha, beta);
    diagramm->setLineWidth(1);
    if (plotted_.empty() || plotted_.back().x != alpha || plotted_.back().y != beta)
        plotted_.push_back({alpha, beta});
}

void DKForm::grafik_MouseDown(int /*button*/, int /*shift*/, float x, float y)
{
    if (!disk::pressStartsRay(x, y))
        return;
    dragging = 1;
    moveRayTo(disk::alphaAtPress(x, y));
}

void DKForm::grafik_MouseMove(int /*button*/, int /*shift*/, float x, float y)
{
    if (dragging != 1)
        return;
    moveRayTo(disk::alphaWhileDragging(x, y));
    if (kontOpt->isChecked())
        plotPoint();
}

void DKForm::grafik_MouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/)
{
    plotPoint();
    dragging = 0;
}

void DKForm::blendButton_Click()
{
    if (lineShown == 0) {
        blendButton->setText("Gerade ausblenden");
        drawComparisonLine(windowText());
        lineShown = 1;
    } else {
        blendButton->setText("Gerade einblenden");
        drawComparisonLine(kWhite);
        lineShown = 0;
    }
}

void DKForm::drawComparisonLine(QRgb colour)
{
    const disk::Segment line = disk::comparisonLine();
    diagramm->line(line.from.x, line.from.y, line.to.x, line.to.y, colour);
}

void DKForm::clearDrawings()
{
    diagramm->clear();
    grafik->clear();
    Text2->clear();
    Text1->clear();
    DrawDiskAndGrid();
    blendButton->setText("Gerade einblenden");
    lineShown = 0;
    rayShown_ = false;
    plotted_.clear();
}

void DKForm::LoeschButton_Click() { clearDrawings(); }

void DKForm::InfoButton_Click()
{
    clearDrawings();
    if (!infoForm)
        infoForm = new info_form;
    infoForm->placeOnScreen(0.5, 0.5);
    infoForm->showModeless();
}

void DKForm::EndeButton_Click() { unload(); }

// The disk under the current ray, as a press or a drag leaves them.
void DKForm::DrawStayingOnDisk()
{
    grafik->setLineWidth(kDiskLineWidth);
    DrawDisk();
    if (rayShown_)
        drawRays(kYellow);
}

// The grid under the plotted points and the comparison line while it is shown.
void DKForm::DrawStayingInGraph()
{
    DrawGrid();
    diagramm->setLineWidth(kPointWidth);
    for (const disk::Point& p : plotted_)
        diagramm->point(p.x, p.y, windowText());
    diagramm->setLineWidth(1);
    if (lineShown == 1)
        drawComparisonLine(windowText());
}

void DKForm::onActivate() { DrawDiskAndGrid(); }
void DKForm::onPaint() { DrawDiskAndGrid(); }

void DKForm::onUnload()
{
    if (infoForm)
        infoForm->unload();
}
