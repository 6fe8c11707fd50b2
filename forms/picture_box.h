#pragma once

#include "forms/tile_mask.h"
#include "forms/user_scale.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <functional>
#include <memory>

namespace forms {

// Mouse state as the windows see it: button 1 left, 2 right, 4 middle (for a
// move, the buttons held); shift 1 Shift, 2 Ctrl, 4 Alt, summed; position in user units.
struct MouseEvent {
    int button = 0;
    int shift = 0;
    float x = 0;
    float y = 0;
};

enum class FillStyle { Solid, Transparent };
enum class Pointer { Arrow, Cross, SizeNESW, SizeWE, SizeNS };

// A drawing area with a persistent canvas and user coordinates. It keeps no
// scene: a figure is erased by drawing it again in the background colour,
// which works because nothing is ever antialiased. Figures with a non-finite
// coordinate are refused (and logged), never handed to Qt.
//
// Erasing by overdraw cuts holes into figures that stay where the erased ones
// crossed them. So the box remembers where figures were drawn in the
// background colour, and when control returns to the event loop, after the
// handler has drawn the new state, it has the window draw its staying figures
// again, clipped to those places, before the change is shown.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent);
    ~PictureBox() override;

    void setScale(double left, double top, double width, double height);
    // The mapping for the box's current size, which may have changed while it was hidden.
    const UserScale& scale() const;

    void setBackground(QRgb colour);
    QRgb background() const { return background_; }
    void setForeground(QRgb colour) { foreground_ = colour; }
    QRgb foreground() const { return foreground_; }
    void setFillColour(QRgb colour) { fillColour_ = colour; }
    void setFillStyle(FillStyle style) { fillStyle_ = style; }
    void setLineWidth(int pixels);
    int lineWidth() const { return lineWidth_; }
    // Every line width (and the size of single points) is multiplied by this:
    // the projector view. A change clears the canvas and draws the staying
    // figures again at once, or, while a button is held on the box, on its release.
    void setLineWeight(int weight);
    int lineWeight() const { return weight_; }
    void setPointer(Pointer pointer);
    Pointer pointer() const { return pointer_; }

    void clear();
    void line(double x1, double y1, double x2, double y2);
    void line(double x1, double y1, double x2, double y2, QRgb colour);
    void box(double x1, double y1, double x2, double y2);
    // Radius in horizontal units; aspect above 1 makes it the vertical semi-axis.
    // Filled with the fill colour while the fill style is solid.
    void circle(double x, double y, double radius, double aspect = 1.0);
    // Angles in radians, anticlockwise from +x; an end below the start runs through 0.
    void arc(double x, double y, double radius, double start, double end, double aspect = 1.0);
    void point(double x, double y);
    void point(double x, double y, QRgb colour);
    // A circle filled in the foreground colour, so that drawing it white erases
    // it; leaves the fill transparent and black, as the windows expect.
    void dot(double x, double y, double radius);

    // Whether a point in user coordinates lies on the box.
    bool contains(double x, double y) const;

    // Draws the window's staying figures in their normal colours, in the
    // order a full redraw draws them; used to repair what erasing cut.
    void setRepair(std::function<void()> drawStaying) { repair_ = std::move(drawStaying); }
    const std::function<void()>& repair() const { return repair_; }
    // Leaves drawing `figures`, which must be staying ones, to the repair: it
    // draws every staying figure where they go, in the full redraw's order.
    // After a change that moves most figures, drawing them once beats drawing
    // them and then mending what erasing cut.
    void drawAtFlush(const std::function<void()>& figures);
    // What `draw` paints on an empty canvas of this box's size, leaving the
    // real canvas as it is.
    QImage drawAlone(const std::function<void()>& draw);

    // Places a child control by user coordinates: (left, top) is its upper-left corner.
    void placeChild(QWidget* child, double left, double top, double width, double height) const;

    const QImage& canvas() const;
    double canvasRatio() const { return ratio_; }
    int refusedFigures() const { return refused_; }

signals:
    void mouseDown(const forms::MouseEvent& event);
    void mouseMove(const forms::MouseEvent& event);
    void mouseUp(const forms::MouseEvent& event);
    void dblClick();
    // The drawing changed; raised once per turn of the event loop at most.
    void canvasChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool accept(std::initializer_list<double> values, const char* figure);
    void ensureCanvas();
    // One painter stays open across drawing calls; it is closed before the
    // canvas is shown, read or reallocated.
    QPainter& painter();
    void closePainter() const;
    QPointF toDevice(double x, double y) const;
    void drawLineDevice(QPointF a, QPointF b, QRgb colour);
    void drawEllipse(double x, double y, double radius, double aspect, double start, double span, bool closed);
    // Notes where a figure in `colour` was drawn: `mark` marks a tile mask
    // given the padding a line of the current width needs.
    template <typename Mark> void touched(QRgb colour, const Mark& mark);
    void scheduleFlush();
    // Repairs what erasing cut, then asks for one repaint of what changed.
    void flush();
    void repairErased();
    // The repair callback with the staying figures' pens, clipped to `clip`
    // (device pixels); figures that touch no tile of `cull` are not drawn at all.
    void drawStaying(const QRegion& clip, const TileMask* cull);
    // Whether a figure could show through the clip of the running repair.
    template <typename Touches> bool shown(const Touches& touches) const;
    void redrawWithWeight(int weight);
    // The pen width in device pixels.
    double penWidth() const { return lineWidth_ * weight_ * ratio_; }
    class StayingPens;
    MouseEvent translate(const QMouseEvent* event, int button) const;

    mutable UserScale scale_;
    bool userScaleSet_ = false;
    QImage canvas_;
    mutable std::unique_ptr<QPainter> painter_;
    // Where figures were drawn, and drawn in the background colour, since the last flush.
    TileMask dirty_;
    TileMask erased_;
    TileMask repairTiles_; // what the running repair mends: figures elsewhere are skipped
    const TileMask* cull_ = nullptr;
    bool flushQueued_ = false;
    std::function<void()> repair_;
    QRegion repairClip_; // device pixels; set while the repair draws
    bool repairing_ = false;
    bool detached_ = false; // drawing on a scratch canvas: nothing to note
    bool marking_ = false;  // noting where figures go without painting them
    double ratio_ = 1.0;
    QRgb background_ = qRgb(255, 255, 255);
    QRgb foreground_ = qRgb(0, 0, 0);
    QRgb fillColour_ = qRgb(0, 0, 0);
    FillStyle fillStyle_ = FillStyle::Transparent;
    int lineWidth_ = 1;
    int weight_;
    int pendingWeight_ = 0; // waits for the buttons held on the box to be released
    Qt::MouseButtons held_;
    Pointer pointer_ = Pointer::Arrow;
    int refused_ = 0;
};

// Sends a box's mouse events to a window's handlers taking (button, shift, x, y).
template <typename Window>
void routeMouse(PictureBox* box, Window* window, void (Window::*down)(int, int, float, float),
                void (Window::*move)(int, int, float, float), void (Window::*up)(int, int, float, float))
{
    QObject::connect(box, &PictureBox::mouseDown, window,
                     [=](const MouseEvent& e) { (window->*down)(e.button, e.shift, e.x, e.y); });
    QObject::connect(box, &PictureBox::mouseMove, window,
                     [=](const MouseEvent& e) { (window->*move)(e.button, e.shift, e.x, e.y); });
    QObject::connect(box, &PictureBox::mouseUp, window,
                     [=](const MouseEvent& e) { (window->*up)(e.button, e.shift, e.x, e.y); });
}

} // namespace forms
