// What the kit window draws. Every routine draws in Picture1's current
// foreground colour and uses colours of its own only under the foreground
// rule, so the same routine called with white erases.
#include "kit/bk_form.h"

#include "common/angles.h"
#include "common/readouts.h"
#include "forms/colour_scope.h"
#include "forms/colours.h"
#include "forms/picture_box.h"
#include "kit/eye.h"
#include "kit/tape.h"

#include <QApplication>
#include <QLineEdit>

#include <cmath>

namespace {
namespace colour = forms::colour;

constexpr double kObjectDot = 5;
constexpr double kImageDot = 3;
constexpr double kHeadWidth = 5;
constexpr double kHeadLength = 15;
constexpr int kEyeBallWidth = 4;
// A candle image taller than the tallest view at the smallest zoom is no
// candle anybody could see: it is drawn as a dot, as one of height 0 is.
constexpr double kTallestCandle = 20000;

float pi() { return common::singlePi(); }
double degrees(double d) { return common::DegToRad(static_cast<float>(d)); }

} // namespace

void bk_form::setForeground(QRgb c) { Picture1->setForeground(c); }

// The paint: on the very first one the kit box opens. Then the axis, every
// element, the object, the rays and the tape over them, and the kit box's
// icons. The axis alone would grey every pixel of a ray that lies on it.
void bk_form::DrawScene()
{
    if (!painted_) {
        painted_ = true;
        if (KitOpen % 2 == 0)
            BaukastenButton_Click();
    }
    DrawStaying();
    DrawKitIcons();
}

void bk_form::DrawAxis()
{
    forms::ColourScope grey(*Picture1, colour::lightGrey);
    Picture1->line(viewLeft(), 0, viewRight(), 0);
}

void bk_form::DrawElements()
{
    for (int k = 1; k < kit_.ElemCount; k += 2)
        DrawElement(k);
}

// A lens is its two outline arcs joined at y = +-200, in a mount from 200 to
// 300 above and below; a converging lens bulges outwards, a diverging one in.
void bk_form::DrawElement(int k)
{
    if (kit_.ElemKind[k] == kit::Kind::Eye) {
        DrawEye(k);
        return;
    }
    const double a = kit_.ElemArcAngle[k];
    const double r = kit_.ElemArcR[k];
    const double left = kit_.ElemX[k];
    const double right = kit_.ElemX[k + 1];
    const double h = kit_.ElemHalfHeight[k];
    if (kit_.ElemKind[k] == kit::Kind::Converging) {
        Picture1->arc(kit_.ElemArcCX[k], 0, r, pi() - a, pi() + a);
        Picture1->arc(kit_.ElemArcCX[k + 1], 0, r, 2 * pi() - a, a);
    } else {
        Picture1->arc(kit_.ElemArcCX[k], 0, r, 2 * pi() - a, a);
        Picture1->arc(kit_.ElemArcCX[k + 1], 0, r, pi() - a, pi() + a);
    }
    Picture1->line(left, h, right, h);
    Picture1->line(left, -h, right, -h);
    Picture1->box(left, h, right, kit::kMountTop);
    Picture1->box(left, -h, right, -kit::kMountTop);
    DrawFocalMarks(k);
}

// Short strokes at both focal points: through the axis for a converging lens,
// two with a gap for a diverging one, a longer one for the eye.
void bk_form::DrawFocalMarks(int k)
{
    for (const double f : {double(kit_.ElemFocus[k]), double(kit_.ElemFocus[k + 1])}) {
        switch (kit_.ElemKind[k]) {
        case kit::Kind::Converging:
            Picture1->line(f, -5, f, 5);
            break;
        case kit::Kind::Diverging:
            Picture1->line(f, -15, f, -5);
            Picture1->line(f, 5, f, 15);
            break;
        case kit::Kind::Eye:
            Picture1->line(f, -10, f, 10);
            break;
        case kit::Kind::None:
            break;
        }
    }
}

// The element under the pointer shows its focal points in red; leaving it
// greys them. Only at rest, when the foreground is black.
void bk_form::markFocalPoints(int k, QRgb c)
{
    if (!kit_.isElement(k) || Picture1->foreground() != colour::black)
        return;
    setForeground(c);
    DrawFocalMarks(k);
    setForeground(colour::black);
}

// The eye lens with its focal marks, then the eyeball's wall and the retina.
void bk_form::DrawEye(int k)
{
    const double a = kit_.ElemArcAngle[k];
    const double r = kit_.ElemArcR[k];
    Picture1->arc(kit_.ElemArcCX[k], 0, r, pi() - a, pi() + a);
    Picture1->arc(kit_.ElemArcCX[k + 1], 0, r, 2 * pi() - a, a);
    DrawFocalMarks(k);

    const kit::EyeOutline eye = kit::eyeOutline(kit_.ElemX[k], kit_.EyeDepth);
    Picture1->setLineWidth(kEyeBallWidth);
    Picture1->arc(eye.centreX, 0, kit::EyeR, eye.upperFrom, eye.upperTo);
    Picture1->arc(eye.centreX, 0, kit::EyeR, eye.lowerFrom, eye.lowerTo);
    Picture1->setLineWidth(1);
    Picture1->line(eye.retinaX, -eye.retinaHalf, eye.retinaX, eye.retinaHalf);
}

void bk_form::DrawObject()
{
    switch (kit_.ObjMode) {
    case kit::ObjectMode::Arrow:
        DrawArrow(kit_.ObjX, kit_.ObjY);
        break;
    case kit::ObjectMode::Candle:
        DrawCandle(kit_.ObjX, kit_.ObjY);
        break;
    case kit::ObjectMode::Parallel:
        break;
    case kit::ObjectMode::PointGrid:
        DrawPointMarks();
        DrawPointGrid();
        break;
    }
}

// From the axis to the tip, with two head strokes pointing away from the axis.
void bk_form::DrawArrow(double x, double y)
{
    const double s = y > 0 ? 1 : y < 0 ? -1 : 0;
    Picture1->line(x, 0, x, y);
    Picture1->line(x - kHeadWidth, y - s * kHeadLength, x, y);
    Picture1->line(x + kHeadWidth, y - s * kHeadLength, x, y);
}

// A candle standing on the axis (hanging below it when h < 0) with its flame
// tip at (x, h).
void bk_form::DrawCandle(double x, double h)
{
    if (h == 0 || !(std::abs(h) <= kTallestCandle)) {
        Picture1->dot(x, h, kImageDot);
        return;
    }
    const double u = std::abs(h) / 12;
    Picture1->arc(x, 10 * h / 12, 2 * u, degrees(270), degrees(90), 1.7);
    Picture1->arc(x, 9 * h / 12, u, degrees(90), degrees(270), 1.5);
    Picture1->arc(x, 11 * h / 12, u, degrees(270), degrees(90), 1.5);
    Picture1->line(x - h / 12, h / 12, x - h / 12, 7 * h / 12);
    Picture1->line(x + h / 12, h / 12, x + h / 12, 7 * h / 12);
    Picture1->arc(x, 7 * h / 12, u, degrees(180), degrees(0), 0.5);
    Picture1->arc(x, 7 * h / 12, u, degrees(360), degrees(180), 0.5);
    Picture1->line(x, 7 * h / 12, x, 8 * h / 12);
    if (h > 0)
        Picture1->arc(x, h / 12, u, degrees(180), degrees(0), 0.5);
    else
        Picture1->arc(x, h / 12, u, degrees(360), degrees(180), 0.5);
}

// 15 columns from GridX, 31 rows from -300 to 300.
void bk_form::DrawPointGrid()
{
    for (int column = 0; column < 15; ++column)
        for (int y = -300; y <= 300; y += 20)
            Picture1->point(kit_.GridX + 20.0 * column, y);
}

// Each marked point and the mark of its image.
void bk_form::DrawPointMarks()
{
    for (int i = 0; i < kit_.PointCount; ++i) {
        Picture1->dot(kit_.PtX[i], kit_.PtY[i], kObjectDot);
        Picture1->dot(kit_.PtImgX[i], kit_.PtImgY[i], kImageDot);
    }
}

void bk_form::DrawStrokes(const kit::Strokes& strokes)
{
    for (const kit::Stroke& s : strokes) {
        switch (s.figure) {
        case kit::Figure::RaySegment:
            Picture1->line(s.x1, s.y1, s.x2, s.y2);
            break;
        case kit::Figure::ImageSymbol:
            if (kit_.ObjMode == kit::ObjectMode::Candle)
                DrawCandle(s.x1, s.y1);
            else
                DrawArrow(s.x1, s.y1);
            break;
        case kit::Figure::ImageDot:
            Picture1->dot(s.x1, s.y1, kImageDot);
            break;
        case kit::Figure::ConstructionLine: {
            forms::ColourScope grey(*Picture1, colour::lightGrey);
            Picture1->line(s.x1, s.y1, s.x2, s.y2);
            break;
        }
        }
    }
}

void bk_form::DrawRays() { DrawStrokes(kit_.traceStoredRays(viewRight())); }

void bk_form::DrawTape()
{
    const kit::Tape tape = kit::measuringTape(TapeX0, TapeY0, TapeX1, TapeY1);
    for (const kit::TapeLine& l : tape.lines)
        Picture1->line(l.x1, l.y1, l.x2, l.y2);
    if (tape.shown && Picture1->foreground() == colour::black)
        MassText->setText(QString::fromStdString(common::lengthText(tape.length)));
}

// Around zooming, scrolling and view changes: everything in white, in the
// order it is drawn, then everything again in black.
void bk_form::EraseAll()
{
    setForeground(colour::white);
    DrawTape();
    DrawRays();
    DrawAxis();
    DrawElements();
    DrawObject();
}

// In point-grid mode every marked point's image is found anew first, so that
// the marks are drawn where they now are; the rays shown are the bundle of
// the point marked last.
void bk_form::RedrawAll()
{
    const kit::Strokes rays = kit_.ObjMode == kit::ObjectMode::PointGrid ? kit_.imageAllPoints(viewRight())
                                                                         : kit_.traceStoredRays(viewRight());
    setForeground(colour::black);
    Picture1->setLineWidth(1);
    DrawStaying(rays);
}

// The rays are traced on a copy, which leaves the trace memory, the object
// point and the aimed slope of the kit as they are.
void bk_form::DrawStaying()
{
    kit::System trace = kit_;
    DrawStaying(trace.traceStoredRays(viewRight()));
}

void bk_form::DrawStaying(const kit::Strokes& rays)
{
    DrawAxis();
    DrawElements();
    DrawObject();
    DrawStrokes(rays);
    DrawTape();
}

// The three icons of the kit box, each in its own picture's coordinates.
void bk_form::DrawKitIcons()
{
    const QRgb text = QApplication::palette().color(QPalette::WindowText).rgb();
    for (forms::PictureBox* p : {Sammelpicture, StreuPicture, AugPicture}) {
        p->clear(); // drawn afresh on the light cyan the pictures were given
        p->setLineWidth(1);
    }
    Sammelpicture->setScale(-40, 40, 82, -82);
    StreuPicture->setScale(-40, 40, 82, -82);
    AugPicture->setScale(-65, 40, 82, -82);

    AugPicture->setForeground(colour::black);
    AugPicture->arc(0, 0, 50, degrees(140), degrees(220));
    for (const double angle : {155.0, 205.0})
        AugPicture->line(0, 0, 60 * std::cos(degrees(angle)), 60 * std::sin(degrees(angle)));
    AugPicture->point(-45, 0);
    AugPicture->setLineWidth(2);
    for (int i = 1; i <= 10; ++i)
        AugPicture->circle(-45, 0, i, 3);
    AugPicture->setLineWidth(1);

    Sammelpicture->setForeground(text);
    const double r = 60;
    const double h = 35;
    const double d = std::sqrt(r * r - h * h);
    const double a = std::atan(h / d);
    Sammelpicture->arc(-d, 0, r, 2 * pi() - a, a);
    Sammelpicture->arc(d, 0, r, pi() - a, pi() + a);

    StreuPicture->setForeground(text);
    const double rs = 150;
    const double ds = std::sqrt(rs * rs - h * h);
    const double as = std::atan(h / ds);
    StreuPicture->arc(157, 0, rs, pi() - as, pi() + as);
    StreuPicture->arc(-157, 0, rs, 2 * pi() - as, as);
    StreuPicture->line(ds - 157, h, 157 - ds, h);
    StreuPicture->line(ds - 157, -h, 157 - ds, -h);
}

// The ruler icon beside the measured length: the tape's tick pattern over 100.
void bk_form::DrawRuler()
{
    MassPicture->clear();
    MassPicture->setScale(-5, 30, 110, -32);
    MassPicture->setForeground(colour::black);
    for (int x = 0; x <= 100; x += 10) {
        const double tick = x % 100 == 0 ? 25 : x % 50 == 0 ? 20 : 15;
        MassPicture->line(x, 0, x, tick);
    }
}
