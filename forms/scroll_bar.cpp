#include "forms/scroll_bar.h"

#include <QScrollBar>

#include <algorithm>
#include <cstdlib>

namespace forms {

ScrollBar::ScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent)
    , bar_(new QScrollBar(orientation, this))
{
    bar_->setRange(0, 0);
    // A dragged thumb reports its value once, on release, not on every move.
    bar_->setTracking(false);
    connect(bar_, &QScrollBar::valueChanged, this, [this] { emit changed(value()); });
}

void ScrollBar::setBounds(int minimum, int maximum)
{
    const int current = value();
    minimum_ = minimum;
    maximum_ = maximum;
    const int low = std::min(minimum, maximum);
    const int high = std::max(minimum, maximum);
    const QSignalBlocker quiet(bar_);
    bar_->setRange(0, std::abs(maximum - minimum));
    bar_->setValue((std::clamp(current, low, high) - minimum_) * direction());
    // The range change may have moved the value; report it like the user would see it.
    if (value() != current)
        emit changed(value());
}

void ScrollBar::setAccessibleNames(const QString& what)
{
    setAccessibleName(what);
    bar_->setAccessibleName(what);
}

void ScrollBar::setSmallChange(int step) { bar_->setSingleStep(step); }
void ScrollBar::setLargeChange(int step) { bar_->setPageStep(step); }

void ScrollBar::setValue(int value)
{
    const int low = std::min(minimum_, maximum_);
    const int high = std::max(minimum_, maximum_);
    bar_->setValue((std::clamp(value, low, high) - minimum_) * direction());
}

int ScrollBar::value() const { return minimum_ + bar_->value() * direction(); }

void ScrollBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    bar_->setGeometry(rect());
}

} // namespace forms
