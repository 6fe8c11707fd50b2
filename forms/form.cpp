#include "forms/form.h"

#include "forms/screen.h"

#include <QApplication>
#include <QCloseEvent>

#include <cmath>

namespace forms {
namespace {
int px(double twips) { return static_cast<int>(std::lround(twipsToPixels(twips))); }
} // namespace

Form::Form(QWidget* parent)
    : QMainWindow(parent)
    , client_(new QWidget(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setCentralWidget(client_);
}

QSize Form::frameExtra() const { return frameGeometry().size() - geometry().size(); }

void Form::setClientSizeTwips(double width, double height)
{
    const int menuHeight = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    resize(px(width), px(height) + menuHeight);
}


void Form::setOuterSizeTwips(double width, double height)
{
    const QSize extra = frameExtra();
    resize(std::max(1, px(width) - extra.width()), std::max(1, px(height) - extra.height()));
}

void Form::moveTwips(double left, double top) { move(px(left), px(top)); }

void Form::setOuterGeometryTwips(double left, double top, double width, double height)
{
    setOuterSizeTwips(width, height);
    moveTwips(left, top);
}

double Form::clientWidthTwips() const { return pixelsToTwips(width()); }

double Form::clientHeightTwips() const
{
    const int menuHeight = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    return pixelsToTwips(height() - menuHeight);
}

double Form::outerWidthTwips() const { return pixelsToTwips(frameGeometry().width()); }
double Form::outerHeightTwips() const { return pixelsToTwips(frameGeometry().height()); }

void Form::showModeless()
{
    showNormal();
    raise();
    activateWindow();
}

void Form::unload() { close(); }

bool Form::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate) {
        lostToModal_ = QApplication::activeModalWidget() != nullptr;
    } else if (event->type() == QEvent::WindowActivate) {
        if (!lostToModal_)
            onActivate();
        lostToModal_ = false;
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
