// The magnifier ("Lupe"): a second drawing area over the main one showing a
// small region enlarged, with normals and angle scales at the lens faces.
#include "lens/lens_form.h"

#include "common/angles.h"
#include "common/maths.h"
#include "forms/colours.h"
#include "forms/geometry.h"
#include "forms/picture_box.h"
#include "forms/spin_button.h"

#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace {
namespace colour = forms::colour;
constexpr int kHandleWidth = 5;
constexpr int kMarkerHandleWidth = 3;
constexpr int kMaxMagnification = 10;
const char* const kLupeText = "Vergrößerung\nder Lupe:\n10:1";
} // namespace

void lens_form::LupeButton_Click()
{
    if (LupeMode == 0) {
        LupeMode = 1;
        LupeButton->setText("Mauszeiger");
        LupePlacing = 1;
        Picture2->resize(Picture1->width() / 3, Picture1->height() / 3);
        return;
    }
    LupeButton->setText("Lupe");
    LupeScale = static_cast<float>(kMaxMagnification * TwipsPerLE);
    Zoom_lupeLabel->setText(QString::fromUtf8(kLupeText));
    EraseLupeMarker();
    if (LupePlacing == 0)
        CloseLupe();
    else
        LupePlacing = 0;
    NormalX = 0;
    NormalY = 0;
    LupeMode = 0;
}

// Removes the placing marker, if it is drawn, before the view changes under it.
void lens_form::EraseLupeMarker()
{
    if (!markerDrawn_)
        return;
    const QRgb saved = Picture1->foreground();
    setForeground(colour::white);
    DrawLupeMarker(AimX, AimY);
    setForeground(saved);
    markerDrawn_ = false;
}

// The marker: a frame with a thick handle, following the mouse while placing.
void lens_form::DrawLupeMarker(float x, float y)
{
    Picture1->box(x - 25, y - 20, x + 25, y + 20);
    Picture1->setLineWidth(kMarkerHandleWidth);
    Picture1->line(x + 25, y - 20, x + 65, y - 40);
    Picture1->setLineWidth(1);
}

// A press on the main view while the magnifier mode is on places the magnifier,
// or closes a shown one to place it anew.
bool lens_form::LupeHandlesPress(float x, float y)
{
    if (LupePlacing == 1 && !Picture2->isVisible()) {
        PlaceLupe(x, y);
        return true;
    }
    if (Picture2->isVisible() && LupePlacing == 0) {
        LupePlacing = 1;
        CloseLupe();
        NormalX = 0;
        NormalY = 0;
        return true;
    }
    return false;
}

void lens_form::PlaceLupe(float x, float y)
{
    const double z = View.zoomFactor();
    const double perLE = TwipsPerLE * z;
    Zoom_lupeLabel->show();
    Zoom_lupeSpButton->show();
    const forms::TwipsRect main = forms::geometryTwips(Picture1);
    const forms::TwipsRect size = forms::geometryTwips(Picture2);
    forms::setGeometryTwips(Picture2, {main.left + (x - View.left()) * perLE - size.width / 2,
                                       main.top + (View.top() - y) * perLE - size.height / 2, size.width,
                                       size.height});
    LupeCenterX = x;
    LupeCenterY = y;
    setLupeWindow();
    Picture2->show();
    Picture2->raise();
    Picture2->clear();
    setForeground(colour::black);
    DrawLupeContents(true);
    DrawLupeHandle();
    LupePlacing = 0;
}

// The magnifier's world window about its centre: LupeScale twips per LE at zoom 1.
void lens_form::setLupeWindow()
{
    const double perLE = double(LupeScale) * View.zoomFactor();
    const forms::TwipsRect size = forms::geometryTwips(Picture2);
    const double width = size.width / perLE;
    const double height = size.height / perLE;
    Picture2->setScale(LupeCenterX - width / 2, LupeCenterY + height / 2, width, -height);
}

// The handle, drawn thick in the main view from the magnifier's corner.
void lens_form::DrawLupeHandle()
{
    const double perLE = TwipsPerLE * double(View.zoomFactor());
    const forms::TwipsRect size = forms::geometryTwips(Picture2);
    const double w = size.width / perLE;
    const double h = size.height / perLE;
    Picture1->setLineWidth(kHandleWidth);
    Picture1->line(LupeCenterX + w / 2, LupeCenterY - h / 2, LupeCenterX + w, LupeCenterY - h);
    Picture1->setLineWidth(1);
}

// Axis, lens, object point and every ray in the magnifier; the rays are traced
// in the main view as well when it is being placed.
void lens_form::DrawLupeContents(bool alsoMainView)
{
    Picture2->setForeground(colour::black);
    Picture2->line(0, 0, viewRight(), 0, colour::lightGrey);
    DrawLensOn(*Picture2);
    if (!parallelLight())
        Picture2->dot(RayStartX, RayStartY, kDotRadius);
    for (int i = 0; i < RayCount; ++i) {
        if (alsoMainView)
            TraceRayOn(*Picture1, rayOf(i), true);
        TraceRayOn(*Picture2, rayOf(i), false);
    }
}

void lens_form::CloseLupe()
{
    Picture2->hide();
    Zoom_lupeLabel->hide();
    Zoom_lupeSpButton->hide();
    setForeground(colour::white);
    DrawLupeHandle();
    if (LupePlacing == 0)
        EraseLupeMarker(); // leaving the mode: the marker under the magnifier goes too
    setForeground(colour::black);
    if (LupePlacing == 0) {
        LupeButton->setText("Lupe");
        LupeMode = 0;
    }
}

// In the magnifier the left button works on face 1, the right one on face 2;
// without Shift it draws the normal, with Shift alone the angle scale.
void lens_form::Picture2_MouseDown(int button, int shift, float x, float y)
{
    if (button != 1 && button != 2)
        return;
    const int face = button == 1 ? 1 : 2;
    if (shift == 0)
        DrawNormal(face, x, y);
    else if (shift == 1)
        DrawLupeScale(face, x, y);
}

void lens_form::DrawNormal(int face, float x, float y)
{
    const float centre = face == 1 ? lens.Center1X : lens.Center2X;
    const float radius = face == 1 ? lens.Radius1 : lens.Radius2;
    const bool curved = (face == 1 ? lens.Face1Curved : lens.Face2Curved) == 1;
    // Through the centre itself there is no slope; the last one stays.
    if (x != centre)
        NormalSlope = y / (x - centre);
    Picture2->clear();
    setForeground(colour::black);
    DrawLupeContents(true);
    if (curved) {
        const double reach = forms::geometryTwips(Picture2).width / TwipsPerLE;
        const double xEnd = x - (radius > 0 ? 1 : -1) * reach;
        Picture2->line(centre, 0, xEnd, (xEnd - centre) * NormalSlope, colour::red);
    } else {
        Picture2->line(-View.offsetX(), y, viewRight(), y, colour::red);
    }
    NormalX = x;
    NormalY = y;
}

// 24 ticks 15 degrees apart where the last normal meets the face, 0 degrees along it.
void lens_form::DrawLupeScale(int face, float x, float y)
{
    const float inner = TwipsPerLE == 10 ? 8 : 9;
    const float outer = inner + 2;
    const float centre = face == 1 ? lens.Center1X : lens.Center2X;
    const float radius = face == 1 ? lens.Radius1 : lens.Radius2;
    const float vertex = face == 1 ? lens.Vertex1X : lens.Vertex2X;
    const bool curved = (face == 1 ? lens.Face1Curved : lens.Face2Curved) == 1;
    double px;
    double py;
    double phi;
    if (curved) {
        phi = std::atan(NormalSlope);
        px = centre - radius * std::cos(phi);
        py = -radius * std::sin(phi);
    } else {
        if (NormalX == 0 && NormalY == 0) {
            NormalX = x;
            NormalY = y;
        }
        px = vertex;
        py = NormalY;
        phi = 0;
    }
    for (int k = 0; k < 24; ++k) {
        const double theta = common::DegToRad(15.0f * k) + phi;
        Picture2->line(px + inner * std::cos(theta), py + inner * std::sin(theta), px + outer * std::cos(theta),
                       py + outer * std::sin(theta), colour::blue);
    }
}

void lens_form::Zoom_lupeSpButton_SpinUp() { stepLupeScale(1); }
void lens_form::Zoom_lupeSpButton_SpinDown() { stepLupeScale(-1); }

// From 10:1 down to 1:1 and back; normals and scales are not redrawn.
void lens_form::stepLupeScale(int direction)
{
    LupeScale = std::clamp(LupeScale + direction * float(TwipsPerLE), float(TwipsPerLE),
                           float(kMaxMagnification * TwipsPerLE));
    showLupeMagnification();
    setLupeWindow();
    Picture2->clear();
    DrawLupeContents(false);
}

void lens_form::showLupeMagnification()
{
    Zoom_lupeLabel->setText(
        QString::fromUtf8("Vergrößerung\nder Lupe:\n%1:1").arg(common::roundDown(LupeScale / TwipsPerLE)));
}
