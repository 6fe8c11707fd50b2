#pragma once

#include "forms/strip_fit.h"

#include <QImage>
#include <QMainWindow>
#include <QMargins>

#include <functional>
#include <optional>

namespace forms {

// A top-level window with the classic event set. Load is the constructor of
// the derived window; the other events arrive through the virtual handlers:
//   activate - the program's active window changes to this one: the focus
//              comes from another window of the same program. A return from
//              another program, or from a modal box the window opened, is none.
//   paint    - the window is shown, or exposed again after being minimised or hidden
//              (not every repaint: a paint handler may reset a simulation)
//   resize   - the size changed after the window was first shown
//   unload   - the window closes; it is deleted afterwards, so the next open loads afresh
//   view     - the projector view was switched on or off (Ctrl+B in any
//              window): the drawing areas have redrawn themselves with the
//              new line weight; the window sizes its read-outs
class Form : public QMainWindow {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);

    // Controls are placed on the client area, below the menu bar if there is one.
    QWidget* client() const { return client_; }

    void setClientSizeTwips(double width, double height);
    // Outer size and position, frame included. A window manager's frame is
    // known only once the window is managed; until then the frame of the
    // program's other windows stands in, and the size is applied again as
    // soon as the real frame differs.
    void setOuterGeometryTwips(double left, double top, double width, double height);
    void setOuterSizeTwips(double width, double height);
    // The position of the frame's top-left corner.
    void moveTwips(double left, double top);
    // Left at a x (screen width - outer width), top at b x (screen height -
    // outer height): 0.5, 0.5 centres the window, frame included.
    void placeOnScreen(double a, double b);
    double outerWidthTwips() const;
    double outerHeightTwips() const;
    // Valid at once, even before the window's layout has placed the client area.
    double clientWidthTwips() const;
    double clientHeightTwips() const;

    void showModeless();
    void unload();
    // Ctrl+C puts this image on the clipboard: the window's drawing, pixel for pixel.
    void copyOnCtrlC(std::function<QImage()> drawing);
    // Escape closes the window, as it does a desktop's text and message windows.
    void closeOnEscape();

    // "Beamer-Darstellung", checkable, Ctrl+B: every window has it; the
    // launcher also shows it in a menu.
    QAction* projectorAction() const { return projectorAction_; }
    // Follows the projector view: each drawing area redraws itself with the
    // new line weight (after a drag ends), then the window's view handler runs.
    void applyView();
    // The next activation does not reach onActivate: the window shows what a
    // file brought before it was first activated, and a reset would lose it.
    void keepThroughNextActivation() { keepThroughActivation_ = true; }

signals:
    // Raised after onUnload; the window is deleted soon after.
    void unloaded();

protected:
    // Lets the user shrink the window only as far as the controls within
    // `strip` keep fitting once `layout` has laid the window out at the size
    // it has: each as large as its widest caption needs, none reaching out of
    // the strip, no two overlapping. The windows lay out in proportion, so the
    // controls only crowd as the window shrinks. Call it at the opening size.
    void limitShrinking(const QWidget& strip, const forms::Captions& captions, const std::function<void()>& layout);

    virtual void onActivate() {}
    virtual void onPaint() {}
    virtual void onResize() {}
    virtual void onUnload() {}
    virtual void onViewChanged() {}

    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QMargins frameMargins() const;
    void applyPlacement();
    void applyMinimum();
    int menuHeight() const;

    // Declared before client_: events reach the window while its client area is made.
    bool exposed_ = false;
    bool shownOnce_ = false;
    // What the window asked for, in pixels, applied again once its frame is known.
    std::optional<QSize> outerSize_; // frame included
    std::optional<QPoint> framePosition_;
    std::optional<QPointF> screenFraction_;
    std::optional<QSize> minimumOuterSize_; // frame included
    QMargins appliedMargins_;
    bool frameKnown_ = false;
    bool keepThroughActivation_ = false;
    QAction* projectorAction_;
    QWidget* client_;
};

} // namespace forms
