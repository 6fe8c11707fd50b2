#include "forms/form.h"

#include "forms/picture_box.h"
#include "forms/projector_view.h"
#include "forms/screen.h"
#include "forms/scroll_bar.h"
#include "forms/spin_button.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWindow>

#include <cmath>

namespace forms {
namespace {

int px(double twips) { return static_cast<int>(std::lround(twipsToPixels(twips))); }

// The window that last held the focus within this program. Whether an
// activation is one is decided against it: another program taking the
// focus, or a modal box, leaves it in place.
QPointer<Form>& programActiveWindow()
{
    static QPointer<Form> window;
    return window;
}

// The frame the window manager last gave any window of this program; windows
// of one program get the same frame, so a new window can be sized by it
// before it is managed itself.
QMargins& lastSeenFrame()
{
    static QMargins margins;
    return margins;
}

} // namespace

Form::Form(QWidget* parent)
    : QMainWindow(parent)
    , projectorAction_(new QAction(QString::fromUtf8("&Beamer-Darstellung"), this))
    , client_(new QWidget(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setCentralWidget(client_);
    projectorAction_->setObjectName("beamer");
    projectorAction_->setCheckable(true);
    projectorAction_->setChecked(projectorView());
    projectorAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    projectorAction_->setShortcutContext(Qt::WindowShortcut);
    addAction(projectorAction_);
    connect(projectorAction_, &QAction::triggered, this, [](bool on) { setProjectorView(on); });
    // The native window exists from load on, so platforms that know their
    // frame in advance report it before the first layout.
    winId();
}

int Form::menuHeight() const { return menuWidget() ? menuWidget()->sizeHint().height() : 0; }

QMargins Form::frameMargins() const
{
    const QMargins own = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (!own.isNull()) {
        lastSeenFrame() = own;
        return own;
    }
    return lastSeenFrame();
}

void Form::setClientSizeTwips(double width, double height)
{
    outerSize_.reset();
    resize(px(width), px(height) + menuHeight());
}

void Form::setOuterSizeTwips(double width, double height)
{
    outerSize_ = QSize(px(width), px(height));
    applyPlacement();
}

void Form::moveTwips(double left, double top)
{
    screenFraction_.reset();
    framePosition_ = QPoint(px(left), px(top));
    applyPlacement();
}

void Form::placeOnScreen(double a, double b)
{
    screenFraction_ = QPointF(a, b);
    applyPlacement();
}

// The window is resized while it is still hidden: no resize event reaches it.
void Form::limitShrinking(const QWidget& strip, const Captions& captions, const std::function<void()>& layout)
{
    const QSize opening = size();
    const auto fitsAt = [&](const QSize& trial) {
        resize(trial);
        layout();
        return rect().contains(QRect(strip.mapTo(this, QPoint(0, 0)), strip.size())) && stripFits(strip, captions);
    };
    const int width = smallestFitting(opening.width(), [&](int w) { return fitsAt({w, opening.height()}); });
    const int height = smallestFitting(opening.height(), [&](int h) { return fitsAt({opening.width(), h}); });
    resize(opening);
    layout();
    minimumOuterSize_ = QSize(width, height).grownBy(frameMargins());
    applyMinimum();
}

// The smallest outer size counts the frame, as the window's geometry does.
void Form::applyMinimum()
{
    if (!minimumOuterSize_)
        return;
    const QMargins m = frameMargins();
    setMinimumSize(std::max(0, minimumOuterSize_->width() - m.left() - m.right()),
                   std::max(0, minimumOuterSize_->height() - m.top() - m.bottom()));
}

void Form::applyPlacement()
{
    applyMinimum();
    const QMargins m = frameMargins();
    appliedMargins_ = m;
    const QSize client = outerSize_ ? QSize(std::max(1, outerSize_->width() - m.left() - m.right()),
                                            std::max(1, outerSize_->height() - m.top() - m.bottom()))
                                    : size();
    if (screenFraction_) {
        const QSize outer = client.grownBy(m);
        const double roomX = twipsToPixels(Screen::widthTwips()) - outer.width();
        const double roomY = twipsToPixels(Screen::heightTwips()) - outer.height();
        framePosition_ = QPoint(qRound(screenFraction_->x() * roomX), qRound(screenFraction_->y() * roomY));
    }
    // The client area is placed inside the frame by hand: Qt's own notion of
    // where the frame goes is only right once the window manager has framed it.
    if (framePosition_)
        setGeometry(QRect(*framePosition_ + QPoint(m.left(), m.top()), client));
    else
        resize(client);
}

void Form::setOuterGeometryTwips(double left, double top, double width, double height)
{
    outerSize_ = QSize(px(width), px(height));
    screenFraction_.reset();
    framePosition_ = QPoint(px(left), px(top));
    applyPlacement();
}

double Form::clientWidthTwips() const { return pixelsToTwips(width()); }
double Form::clientHeightTwips() const { return pixelsToTwips(height() - menuHeight()); }

double Form::outerWidthTwips() const
{
    const QMargins m = frameMargins();
    return pixelsToTwips(width() + m.left() + m.right());
}

double Form::outerHeightTwips() const
{
    const QMargins m = frameMargins();
    return pixelsToTwips(height() + m.top() + m.bottom());
}

void Form::showModeless()
{
    showNormal();
    raise();
    activateWindow();
}

void Form::unload() { close(); }

void Form::copyOnCtrlC(std::function<QImage()> drawing)
{
    auto* copy = new QShortcut(QKeySequence::Copy, this);
    connect(copy, &QShortcut::activated, this,
            [drawing = std::move(drawing)] { QGuiApplication::clipboard()->setImage(drawing()); });
}

void Form::applyView()
{
    projectorAction_->setChecked(projectorView());
    for (PictureBox* box : findChildren<PictureBox*>())
        box->setLineWeight(lineWeight());
    onViewChanged();
}

void Form::closeOnEscape()
{
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &Form::unload);
}

bool Form::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        if (programActiveWindow() != this) {
            programActiveWindow() = this;
            if (!keepThroughActivation_)
                onActivate();
            keepThroughActivation_ = false;
        }
        break;
    default:
        break;
    }
    // A window manager frames the window some time after it is shown, and no
    // event says when: look until the frame is known, then place the window
    // again by its outer size and the frame's position.
    if (!frameKnown_ && windowHandle() && !windowHandle()->frameMargins().isNull()) {
        frameKnown_ = true;
        applyMinimum();
        if ((outerSize_ || framePosition_) && frameMargins() != appliedMargins_)
            applyPlacement();
    }
    return QMainWindow::event(event);
}

void Form::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (exposed_)
        return;
    exposed_ = true;
    shownOnce_ = true;
    onPaint();
}

void Form::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    exposed_ = false;
}

void Form::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (shownOnce_)
        onResize();
}

void Form::closeEvent(QCloseEvent* event)
{
    onUnload();
    event->accept();
    emit unloaded();
}

} // namespace forms
