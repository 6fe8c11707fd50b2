#include "forms/spin_button.h"

#include <QToolButton>

namespace forms {

SpinButton::SpinButton(QWidget* parent)
    : QWidget(parent)
    , up_(new QToolButton(this))
    , down_(new QToolButton(this))
{
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setFocusPolicy(Qt::NoFocus);
    down_->setFocusPolicy(Qt::NoFocus);
    connect(up_, &QToolButton::clicked, this, &SpinButton::spinUp);
    connect(down_, &QToolButton::clicked, this, &SpinButton::spinDown);
}

void SpinButton::setAccessibleNames(const QString& what)
{
    setAccessibleName(what);
    up_->setAccessibleName(what + QString::fromUtf8(" erhöhen"));
    down_->setAccessibleName(what + QStringLiteral(" verringern"));
}

void SpinButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

} // namespace forms
