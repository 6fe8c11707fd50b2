#include "launcher/launcher_item.h"

#include <QKeyEvent>
#include <QMouseEvent>

LauncherItem::LauncherItem(QWidget* parent)
    : QLabel(parent)
{
}

void LauncherItem::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void LauncherItem::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLabel::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void LauncherItem::focusInEvent(QFocusEvent* event)
{
    QLabel::focusInEvent(event);
    emit focused();
}

void LauncherItem::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit enterPressed();
    else
        QLabel::keyPressEvent(event);
}
