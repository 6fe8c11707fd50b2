// The mouse on the kit's drawing area and the choice of object: rays from the
// object point, the tilted parallel bundle, marked grid points, dragging the
// object and the elements, the measuring tape, double clicks.
#include "kit/bk_form.h"

#include "common/readouts.h"
#include "forms/colours.h"
#include "forms/dialogs.h"
#include "forms/picture_box.h"
#include "kit/refusals.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

namespace {
namespace colour = forms::colour;

QString text(std::string_view words) { return QString::fromUtf8(words.data(), static_cast<qsizetype>(words.size())); }

forms::Pointer shape(kit::Pointer pointer)
{
    switch (pointer) {
    case kit::Pointer::Cross: return forms::Pointer::Cross;
    case kit::Pointer::SizeNESW: return forms::Pointer::SizeNESW;
    case kit::Pointer::SizeHorizontal: return forms::Pointer::SizeWE;
    case kit::Pointer::SizeVertical: return forms::Pointer::SizeNS;
    case kit::Pointer::Arrow: break;
    }
    return forms::Pointer::Arrow;
}

} // namespace

// The zone under the pointer and its shape. With two or more elements the
// focal marks of the element the pointer enters turn red, of the one it
// leaves grey.
void bk_form::UpdateHover()
{
    const kit::Hover hover = kit::UpdateHover(kit_, MouseX, MouseY);
    Picture1->setPointer(shape(hover.pointer));
    const std::int16_t previousKind = HoverKind;
    PrevHoverZone = HoverZone;
    HoverZone = hover.HoverZone;
    HoverKind = hover.HoverKind;
    const bool changed = HoverKind != previousKind || (HoverKind == 1 && HoverZone != PrevHoverZone);
    if (!changed || DragState != 0 || kit_.ElemCount <= 3 || HoverZone < 0)
        return;
    if (previousKind == 1)
        markFocalPoints(PrevHoverZone, 0xff808080);
    if (HoverKind == 1)
        markFocalPoints(HoverZone, colour::red);
}

bool bk_form::onElementBody() const { return HoverKind == 1 && kit_.isElement(HoverZone); }

void bk_form::showMousePosition(double x, double y)
{
    xText->setText(QString::fromStdString(common::coordinateText('x', x)));
    yText->setText(QString::fromStdString(common::coordinateText('y', y)));
}

void bk_form::drawRubber() { Picture1->line(kit_.ObjX, kit_.ObjY, RubberX, RubberY); }

void bk_form::Picture1_MouseDown(int button, int /*shift*/, float x, float y)
{
    MouseX = x;
    MouseY = y;
    setForeground(colour::black);
    if (button != 1)
        return;
    DragState = 0; // a release lost to another window ends the last drag here
    if (MassCheck->isChecked()) {
        setForeground(colour::white);
        DrawTape();
        setForeground(colour::black);
        TapeOn = 1;
        TapeX0 = TapeX1 = x;
        TapeY0 = TapeY1 = y;
        return;
    }
    if (PanelOpen == 1)
        return;
    if (kit_.ElemCount > 1)
        UpdateHover();
    if (HoverZone == 0 && kit_.ElemCount > 1) // without an element there is nothing in front of
        startInFront(x, y);
    if (onElementBody())
        DragState = HoverZone;
    else if (HoverZone == -1)
        DragState = -1;
}

// A press between the object and the first element: a ray, the bundle's
// pivot, or a point of the grid.
void bk_form::startInFront(double x, double y)
{
    switch (kit_.ObjMode) {
    case kit::ObjectMode::Arrow:
    case kit::ObjectMode::Candle:
        if (kit_.rayLimitReached()) {
            forms::refuse(text(kit::kTooManyRaysText));
            return;
        }
        DragState = 0.5;
        kit_.aimRay(x, y); // kept from before while the pointer is close to the object
        RubberX = x;
        RubberY = y;
        drawRubber();
        break;
    case kit::ObjectMode::Parallel:
        DragState = 0.5;
        setForeground(colour::white);
        DrawRays();
        kit_.pressParallel(x, y);
        setForeground(colour::black);
        DrawRays();
        break;
    case kit::ObjectMode::PointGrid: {
        if (kit_.markRefused(x, y)) {
            forms::refuse(text(kit::kTooManyPointsText));
            return;
        }
        // The marks go first: unmarking moves the point marked last into the gap.
        setForeground(colour::white);
        DrawRays();
        DrawPointMarks();
        const kit::MarkResult result = kit_.markPoint(x, y);
        setForeground(colour::black);
        DrawPointMarks();
        DragState = 0.5;
        pointPending_ = result == kit::MarkResult::Marked;
        break;
    }
    }
}

void bk_form::Picture1_MouseMove(int /*button*/, int /*shift*/, float x, float y)
{
    if (KooCheck->isChecked())
        showMousePosition(x, y);
    MouseX = x;
    MouseY = y;
    if (MassCheck->isChecked() && TapeOn == 1) {
        setForeground(colour::white);
        DrawTape();
        TapeX1 = x;
        TapeY1 = y;
        setForeground(colour::black);
        DrawTape();
        return;
    }
    UpdateHover();
    if (DragState == 0.5 && HoverZone == 0) {
        if (kit_.ObjMode == kit::ObjectMode::Arrow || kit_.ObjMode == kit::ObjectMode::Candle) {
            setForeground(colour::white);
            drawRubber();
            RubberX = x;
            RubberY = y;
            setForeground(colour::black);
            drawRubber();
            kit_.aimRay(x, y);
        } else if (kit_.ObjMode == kit::ObjectMode::Parallel) {
            setForeground(colour::white);
            DrawRays();
            kit_.tiltParallel(x, y, viewLeft());
            setForeground(colour::black);
            DrawRays();
        }
    } else if (DragState >= 1) {
        EraseAll();
        kit_.moveElement(static_cast<int>(DragState), x);
        RedrawAll();
    } else if (DragState == -1) {
        EraseAll();
        kit_.moveObject(x, y);
        RedrawAll();
    }
}

void bk_form::Picture1_MouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/)
{
    if (DragState == 0.5) {
        if (kit_.ObjMode == kit::ObjectMode::Arrow || kit_.ObjMode == kit::ObjectMode::Candle) {
            setForeground(colour::white);
            drawRubber();
            setForeground(colour::black);
            if (HoverZone == 0)
                if (const auto ray = kit_.addRay(viewRight()))
                    DrawStrokes(*ray);
        } else if (kit_.ObjMode == kit::ObjectMode::PointGrid && pointPending_) {
            DrawStrokes(kit_.traceLastPoint(viewRight()));
            DrawPointMarks();
        }
    }
    TapeOn = 0;
    DragState = 0;
    pointPending_ = false;
    UpdateHover();
    DrawScene();
}

// On an element: its panel. Anywhere else: every ray and marked point goes.
void bk_form::Picture1_DblClick()
{
    PanelOpen = 1;
    if (onElementBody()) {
        OpenPanel(HoverZone);
        return;
    }
    ClearAll();
    PanelOpen = einstell->isVisible() ? 1 : 0;
}

void bk_form::ClearAll()
{
    EraseAll();
    kit_.clearRaysAndPoints();
    RedrawAll();
}

void bk_form::objekte_Click()
{
    EraseAll();
    kit_.chooseObject(static_cast<kit::ObjectMode>(objekte->currentIndex()), viewLeft());
    RedrawAll();
}
