#include "forms/picture_box.h"

#include "forms/projector_view.h"
#include "forms/screen.h"

#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

Q_LOGGING_CATEGORY(lcPictureBox, "forms.picturebox")

namespace forms {
namespace {

// How far beyond the canvas a clipped line may still reach, in device pixels.
constexpr double kClipMargin = 16.0;
// Radii beyond this many device pixels are no circle anybody could see.
constexpr double kMaxRadius = 1.0e6;

int buttonCode(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
        | (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

// Liang-Barsky: shortens a->b to the part inside the box; false when nothing is
// inside. A clipped end is put exactly on its box edge and its other coordinate
// follows from the slope, which stays accurate for the nearly axis-parallel
// lines that reach absurd coordinates (a steep ray far beyond the view).
bool clipToBox(QPointF& a, QPointF& b, const QRectF& box)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    double t0 = 0.0;
    double t1 = 1.0;
    int edge0 = -1;
    int edge1 = -1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(), box.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0 && t > t0) {
            t0 = t;
            edge0 = i;
        } else if (p[i] > 0.0 && t < t1) {
            t1 = t;
            edge1 = i;
        }
        if (t0 > t1)
            return false;
    }
    const QPointF origin = a;
    const auto onEdge = [&](int edge) {
        const double x = edge == 0 ? box.left() : box.right();
        const double y = edge == 2 ? box.top() : box.bottom();
        if (edge < 2)
            return QPointF(x, origin.y() + (x - origin.x()) * (dy / dx));
        return QPointF(origin.x() + (y - origin.y()) * (dx / dy), y);
    };
    if (edge0 >= 0)
        a = onEdge(edge0);
    if (edge1 >= 0)
        b = onEdge(edge1);
    return std::isfinite(a.x()) && std::isfinite(a.y()) && std::isfinite(b.x()) && std::isfinite(b.y());
}

Qt::CursorShape cursorShape(Pointer pointer)
{
    switch (pointer) {
    case Pointer::Cross: return Qt::CrossCursor;
    case Pointer::SizeNESW: return Qt::SizeBDiagCursor;
    case Pointer::SizeWE: return Qt::SizeHorCursor;
    case Pointer::SizeNS: return Qt::SizeVerCursor;
    case Pointer::Arrow: break;
    }
    return Qt::ArrowCursor;
}

} // namespace

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
    , weight_(forms::lineWeight())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_StaticContents);
    setMouseTracking(true);
}

PictureBox::~PictureBox() { closePainter(); }

QPainter& PictureBox::painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&canvas_);
        if (repairing_)
            painter_->setClipRegion(repairClip_);
    }
    return *painter_;
}

void PictureBox::closePainter() const { painter_.reset(); }

const QImage& PictureBox::canvas() const
{
    closePainter();
    return canvas_;
}

const UserScale& PictureBox::scale() const
{
    scale_.setPixelSize(width(), height());
    if (!userScaleSet_)
        scale_.setScale(0, 0, pixelsToTwips(width()), pixelsToTwips(height()));
    return scale_;
}

void PictureBox::setScale(double left, double top, double width, double height)
{
    if (!accept({left, top, width, height}, "scale"))
        return;
    scale_.setScale(left, top, width, height);
    userScaleSet_ = true;
}

void PictureBox::setBackground(QRgb colour)
{
    background_ = colour;
    clear();
}

void PictureBox::setLineWidth(int pixels) { lineWidth_ = std::max(1, pixels); }

void PictureBox::setLineWeight(int weight)
{
    weight = std::max(1, weight);
    if (held_ != Qt::NoButton) {
        pendingWeight_ = weight;
        return;
    }
    pendingWeight_ = 0;
    if (weight != weight_)
        redrawWithWeight(weight);
}

void PictureBox::setPointer(Pointer pointer)
{
    if (pointer == pointer_)
        return;
    pointer_ = pointer;
    setCursor(cursorShape(pointer));
}

bool PictureBox::accept(std::initializer_list<double> values, const char* figure)
{
    if (std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); }))
        return true;
    ++refused_;
    qCDebug(lcPictureBox) << "refused a" << figure << "with a non-finite value in" << objectName();
    return false;
}

void PictureBox::ensureCanvas()
{
    const double ratio = devicePixelRatioF();
    const QSize deviceSize(static_cast<int>(std::lround(width() * ratio)),
                           static_cast<int>(std::lround(height() * ratio)));
    if (canvas_.size() == deviceSize && ratio_ == ratio)
        return;
    closePainter();
    ratio_ = ratio;
    canvas_ = QImage(deviceSize.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    canvas_.fill(background_);
    dirty_.reset(canvas_.size());
    erased_.reset(canvas_.size());
    repairTiles_.reset(canvas_.size());
}

QPointF PictureBox::toDevice(double x, double y) const
{
    return {scale().toPixelX(x) * ratio_, scale().toPixelY(y) * ratio_};
}

template <typename Mark> void PictureBox::touched(QRgb colour, const Mark& mark)
{
    if (detached_)
        return;
    const double pad = penWidth() + 2.0;
    mark(dirty_, pad);
    if (colour == background_ && !repairing_)
        mark(erased_, pad);
    scheduleFlush();
}

// However many figures a handler draws, the repair and the repaint happen
// once, when control returns to the event loop.
void PictureBox::scheduleFlush()
{
    if (flushQueued_)
        return;
    flushQueued_ = true;
    QMetaObject::invokeMethod(this, &PictureBox::flush, Qt::QueuedConnection);
}

void PictureBox::flush()
{
    if (!erased_.empty())
        repairErased();
    flushQueued_ = false;
    if (!dirty_.empty())
        update(dirty_.region(ratio_));
    dirty_.clear();
    emit canvasChanged();
}

// The pens the staying figures are drawn with, whatever a handler left set.
class PictureBox::StayingPens {
public:
    explicit StayingPens(PictureBox& box)
        : box_(box)
        , foreground_(box.foreground_)
        , fillColour_(box.fillColour_)
        , fillStyle_(box.fillStyle_)
        , lineWidth_(box.lineWidth_)
    {
        box.foreground_ = qRgb(0, 0, 0);
        box.fillColour_ = qRgb(0, 0, 0);
        box.fillStyle_ = FillStyle::Transparent;
        box.lineWidth_ = 1;
    }
    ~StayingPens()
    {
        box_.foreground_ = foreground_;
        box_.fillColour_ = fillColour_;
        box_.fillStyle_ = fillStyle_;
        box_.lineWidth_ = lineWidth_;
    }
    StayingPens(const StayingPens&) = delete;
    StayingPens& operator=(const StayingPens&) = delete;

private:
    PictureBox& box_;
    QRgb foreground_;
    QRgb fillColour_;
    FillStyle fillStyle_;
    int lineWidth_;
};

void PictureBox::repairErased()
{
    std::swap(repairTiles_, erased_);
    erased_.clear();
    drawStaying(repairTiles_.region(1.0), &repairTiles_);
}

void PictureBox::drawStaying(const QRegion& clip, const TileMask* cull)
{
    if (!repair_)
        return;
    const StayingPens pens(*this);
    repairing_ = true;
    repairClip_ = clip;
    cull_ = cull;
    closePainter(); // reopened with the clip
    repair_();
    closePainter();
    cull_ = nullptr;
    repairing_ = false;
}

template <typename Touches> bool PictureBox::shown(const Touches& touches) const
{
    return !cull_ || touches(*cull_, penWidth() + 2.0);
}

// Clearing is the exact erase of every figure; the staying figures are then
// all the box shows.
void PictureBox::redrawWithWeight(int weight)
{
    weight_ = weight;
    clear();
    drawStaying(QRegion(canvas_.rect()), nullptr);
}

void PictureBox::drawAtFlush(const std::function<void()>& figures)
{
    if (!repair_) {
        figures(); // nobody would draw them later
        return;
    }
    ensureCanvas();
    marking_ = true;
    figures();
    marking_ = false;
}

QImage PictureBox::drawAlone(const std::function<void()>& draw)
{
    ensureCanvas();
    closePainter();
    QImage scratch(canvas_.size(), canvas_.format());
    scratch.fill(background_);
    std::swap(canvas_, scratch);
    detached_ = true;
    {
        const StayingPens pens(*this);
        draw();
    }
    closePainter();
    detached_ = false;
    std::swap(canvas_, scratch);
    return scratch;
}

void PictureBox::clear()
{
    ensureCanvas();
    closePainter();
    canvas_.fill(background_);
    erased_.clear(); // nothing is left to repair
    dirty_.markRect(QRectF(canvas_.rect()), 0);
    scheduleFlush();
}

void PictureBox::line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, foreground_); }

void PictureBox::line(double x1, double y1, double x2, double y2, QRgb colour)
{
    if (!accept({x1, y1, x2, y2}, "line"))
        return;
    ensureCanvas();
    drawLineDevice(toDevice(x1, y1), toDevice(x2, y2), colour);
}

void PictureBox::drawLineDevice(QPointF a, QPointF b, QRgb colour)
{
    const QRectF box(-kClipMargin, -kClipMargin, canvas_.width() + 2 * kClipMargin,
                     canvas_.height() + 2 * kClipMargin);
    if (!clipToBox(a, b, box) || !shown([&](const TileMask& m, double pad) { return m.touchesLine(a, b, pad); }))
        return;
    if (marking_) {
        touched(background_, [&](TileMask& mask, double pad) { mask.markLine(a, b, pad); });
        return;
    }
    QPainter& p = painter();
    const double width = penWidth();
    QPen pen(QColor::fromRgb(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(width <= 1.0);
    p.setPen(pen);
    p.drawLine(QLineF(a, b));
    touched(colour, [&](TileMask& mask, double pad) { mask.markLine(a, b, pad); });
}

void PictureBox::box(double x1, double y1, double x2, double y2)
{
    if (!accept({x1, y1, x2, y2}, "box"))
        return;
    ensureCanvas();
    const QPointF a = toDevice(x1, y1);
    const QPointF b = toDevice(x2, y2);
    drawLineDevice(a, {b.x(), a.y()}, foreground_);
    drawLineDevice({b.x(), a.y()}, b, foreground_);
    drawLineDevice(b, {a.x(), b.y()}, foreground_);
    drawLineDevice({a.x(), b.y()}, a, foreground_);
}

void PictureBox::circle(double x, double y, double radius, double aspect)
{
    if (!accept({x, y, radius, aspect}, "circle"))
        return;
    drawEllipse(x, y, radius, aspect, 0.0, 360.0, true);
}

void PictureBox::arc(double x, double y, double radius, double start, double end, double aspect)
{
    if (!accept({x, y, radius, start, end, aspect}, "arc"))
        return;
    double span = end - start;
    if (span < 0)
        span += 2 * std::numbers::pi;
    constexpr double kDegrees = 180.0 / std::numbers::pi;
    drawEllipse(x, y, radius, aspect, start * kDegrees, span * kDegrees, false);
}

void PictureBox::drawEllipse(double x, double y, double radius, double aspect, double start, double span,
                             bool closed)
{
    ensureCanvas();
    const double r = std::abs(radius * scale().pixelsPerUnitX()) * ratio_;
    const double a = std::abs(aspect);
    const double rx = a > 1.0 ? r / a : r;
    const double ry = a > 1.0 ? r : r * a;
    if (rx > kMaxRadius || ry > kMaxRadius)
        return;
    const QPointF centre = toDevice(x, y);
    const QRectF bounds(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
    const QRectF visible(-kClipMargin, -kClipMargin, canvas_.width() + 2 * kClipMargin,
                         canvas_.height() + 2 * kClipMargin);
    if (!bounds.intersects(visible))
        return;

    const bool filled = closed && fillStyle_ == FillStyle::Solid;
    const double width = penWidth();
    if (filled
        && !shown([&](const TileMask& m, double pad) { return m.touchesRect(bounds, pad); }))
        return;
    if (!filled
        && !shown([&](const TileMask& m, double pad) { return m.touchesArc(bounds, start, span, pad); }))
        return;
    if (marking_) {
        touched(background_, [&](TileMask& mask, double pad) {
            if (filled)
                mask.markRect(bounds, pad);
            else
                mask.markArc(bounds, start, span, pad);
        });
        return;
    }

    QPainter& p = painter();
    if (filled && fillColour_ == foreground_) {
        // A dot: the outline is filled with the inside, which spares the stroker.
        p.setPen(Qt::NoPen);
        p.setBrush(QBrush(QColor::fromRgb(fillColour_)));
        const QRectF outer = bounds.adjusted(-width / 2, -width / 2, width / 2, width / 2);
        p.drawEllipse(outer);
        touched(fillColour_, [&](TileMask& mask, double pad) { mask.markRect(outer, pad); });
        return;
    }
    QPen pen(QColor::fromRgb(foreground_), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(width <= 1.0);
    p.setPen(pen);
    if (filled) {
        p.setBrush(QBrush(QColor::fromRgb(fillColour_)));
        p.drawEllipse(bounds);
        // Filled in the fill colour: an erase when that is the background.
        touched(fillColour_ == background_ ? background_ : foreground_,
                [&](TileMask& mask, double pad) { mask.markRect(bounds, pad); });
        return;
    }
    if (closed) {
        p.setBrush(QBrush());
        p.drawEllipse(bounds);
    } else {
        QPainterPath path;
        path.arcMoveTo(bounds, start);
        path.arcTo(bounds, start, span);
        p.setBrush(QBrush());
        p.drawPath(path);
    }
    touched(foreground_, [&](TileMask& mask, double pad) { mask.markArc(bounds, start, span, pad); });
}

void PictureBox::point(double x, double y) { point(x, y, foreground_); }

void PictureBox::point(double x, double y, QRgb colour)
{
    if (!accept({x, y}, "point"))
        return;
    ensureCanvas();
    const QPointF p = toDevice(x, y);
    const double size = penWidth();
    const double left = std::floor(p.x() - size / 2 + 0.5);
    const double top = std::floor(p.y() - size / 2 + 0.5);
    if (left + size < 0 || top + size < 0 || left > canvas_.width() || top > canvas_.height())
        return;
    const QRect square(static_cast<int>(left), static_cast<int>(top), static_cast<int>(size),
                       static_cast<int>(size));
    if (!shown([&](const TileMask& m, double pad) { return m.touchesRect(QRectF(square), pad); }))
        return;
    if (marking_) {
        touched(background_, [&](TileMask& mask, double pad) { mask.markRect(QRectF(square), pad); });
        return;
    }
    painter().fillRect(square, QColor::fromRgb(colour));
    touched(colour, [&](TileMask& mask, double pad) { mask.markRect(QRectF(square), pad); });
}

// A dot is sized in user units: the projector view leaves it as it is.
void PictureBox::dot(double x, double y, double radius)
{
    const int weight = weight_;
    weight_ = 1;
    setFillColour(foreground_);
    setFillStyle(FillStyle::Solid);
    circle(x, y, radius);
    setFillStyle(FillStyle::Transparent);
    setFillColour(qRgb(0, 0, 0));
    weight_ = weight;
}

bool PictureBox::contains(double x, double y) const
{
    const QPointF p(scale().toPixelX(x), scale().toPixelY(y));
    return p.x() >= 0 && p.y() >= 0 && p.x() < width() && p.y() < height();
}

void PictureBox::placeChild(QWidget* child, double left, double top, double width, double height) const
{
    const auto round = [](double v) { return static_cast<int>(std::lround(v)); };
    const UserScale& s = scale();
    child->setGeometry(round(s.toPixelX(left)), round(s.toPixelY(top)), round(std::abs(width) / s.unitsPerPixelX()),
                       round(std::abs(height) / s.unitsPerPixelY()));
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    ensureCanvas();
    closePainter();
    // The canvas seen at its own ratio: each rectangle is copied pixel for pixel.
    QImage view(canvas_.constBits(), canvas_.width(), canvas_.height(), canvas_.bytesPerLine(), canvas_.format());
    view.setDevicePixelRatio(ratio_);
    QPainter painter(this);
    for (const QRect& r : event->region()) {
        const QRectF source(r.x() * ratio_, r.y() * ratio_, r.width() * ratio_, r.height() * ratio_);
        painter.drawImage(QPointF(r.topLeft()), view, source);
    }
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ensureCanvas();
}

MouseEvent PictureBox::translate(const QMouseEvent* event, int button) const
{
    const QPointF pos = event->position();
    return {button, shiftCode(event->modifiers()), static_cast<float>(scale().toUserX(pos.x())),
            static_cast<float>(scale().toUserY(pos.y()))};
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    held_ |= event->button();
    emit mouseDown(translate(event, buttonCode(event->button())));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMove(translate(event, buttonCode(event->buttons())));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    held_ &= ~event->button();
    emit mouseUp(translate(event, buttonCode(event->button())));
    if (held_ == Qt::NoButton && pendingWeight_ != 0)
        setLineWeight(pendingWeight_);
}

// The second press of a double click is reported as the double click only.
// Only the left button double-clicks: two quick right clicks stay two presses.
void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit dblClick();
    else
        mousePressEvent(event);
}

} // namespace forms
