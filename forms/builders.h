#pragma once

#include "forms/scroll_bar.h"

#include <QLineEdit>
#include <QString>

// Small builders the windows' constructors share.
namespace forms {

// The control with its object name, the control's name in the design.
template <typename T> T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

// A text field that only shows: read-out, caption or notice.
inline QLineEdit* readOnlyField(QWidget* parent, const char* name, const QString& text = QString())
{
    auto* field = named(new QLineEdit(text, parent), name);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

inline ScrollBar* scrollBar(QWidget* parent, const char* name, Qt::Orientation orientation, int minimum,
                            int maximum, int smallChange, int largeChange, int value)
{
    auto* bar = named(new ScrollBar(orientation, parent), name);
    bar->setBounds(minimum, maximum);
    bar->setSmallChange(smallChange);
    bar->setLargeChange(largeChange);
    bar->setValue(value);
    return bar;
}

} // namespace forms
