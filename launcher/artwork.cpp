#include "launcher/artwork.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

const QColor kAxis(192, 192, 192);
const QColor kRay(0, 0, 0);
const QColor kGlass(170, 210, 240);

QPixmap blank(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::white);
    return pixmap;
}

void begin(QPainter& painter, int width, int height)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kAxis, 1));
    painter.drawLine(QPointF(0, height / 2.0), QPointF(width, height / 2.0));
}

// A lens symbol of the construction kit: a line with arrow heads pointing out
// (converging) or in (diverging).
void lensSymbol(QPainter& painter, double x, double top, double bottom, bool converging)
{
    painter.setPen(QPen(Qt::darkBlue, 2));
    painter.drawLine(QPointF(x, top), QPointF(x, bottom));
    const double d = converging ? -6 : 6;
    for (const double y : {top, bottom}) {
        const double tip = y;
        const double dir = y == top ? d : -d;
        painter.drawLine(QPointF(x, tip), QPointF(x - 5, tip - dir));
        painter.drawLine(QPointF(x, tip), QPointF(x + 5, tip - dir));
    }
}

} // namespace

QPixmap mirrorArtwork()
{
    QPixmap pixmap = blank(130, 143);
    QPainter painter(&pixmap);
    begin(painter, 130, 143);
    // A concave mirror of radius 80 px; object and image by the mirror equation.
    const double axis = 71.5;
    const QPointF centre(35, axis);
    const double radius = 80;
    const QPointF object(20, axis - 26.5);
    const QPointF image(46, axis + 19.3);
    painter.setPen(QPen(kRay, 1));
    for (const double dy : {-50.0, -22.0, 8.0, 40.0}) {
        const QPointF hit(centre.x() + std::sqrt(radius * radius - dy * dy), axis + dy);
        painter.drawLine(object, hit);
        painter.drawLine(hit, hit + (image - hit) * 1.3);
    }
    painter.setPen(QPen(QColor(0, 0, 255), 3));
    const double half = std::asin(58 / radius) * 180 / 3.14159265358979;
    painter.drawArc(QRectF(centre.x() - radius, axis - radius, 2 * radius, 2 * radius), int(-half * 16),
                    int(2 * half * 16));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(object, 3.5, 3.5);
    painter.setBrush(QColor(255, 0, 0));
    painter.drawEllipse(image, 3.5, 3.5);
    return pixmap;
}

QPixmap lensArtwork()
{
    QPixmap pixmap = blank(163, 142);
    QPainter painter(&pixmap);
    begin(painter, 163, 142);
    const double axis = 71;
    const QPointF focus(140, axis);
    painter.setPen(QPen(Qt::darkBlue, 1.5));
    painter.setBrush(kGlass);
    QPainterPath lens;
    lens.moveTo(62, 16);
    lens.quadTo(44, axis, 62, 126);
    lens.lineTo(74, 126);
    lens.quadTo(92, axis, 74, 16);
    lens.closeSubpath();
    painter.drawPath(lens);
    painter.setPen(QPen(kRay, 1));
    for (const double offset : {-44.0, -22.0, 0.0, 22.0, 44.0}) {
        const QPointF in(4, axis + offset);
        const QPointF entry(54, axis + offset);
        const QPointF exit(80, axis + offset * 0.9);
        painter.drawLine(in, entry);
        painter.drawLine(entry, exit);
        painter.drawLine(exit, exit + (focus - exit) * 1.25);
    }
    return pixmap;
}

QPixmap kitArtwork()
{
    QPixmap pixmap = blank(176, 157);
    QPainter painter(&pixmap);
    begin(painter, 176, 157);
    const double axis = 78.5;
    lensSymbol(painter, 58, 30, 127, true);
    lensSymbol(painter, 100, 40, 117, false);
    painter.setPen(QPen(Qt::darkBlue, 1.5));
    painter.setBrush(QColor(235, 235, 250));
    painter.drawEllipse(QPointF(148, axis), 20, 24);
    painter.setBrush(kGlass);
    painter.drawEllipse(QPointF(131, axis), 5, 12);
    painter.setPen(QPen(kRay, 1));
    const QPointF tip(18, axis - 22);
    painter.setPen(QPen(QColor(200, 0, 0), 2));
    painter.drawLine(QPointF(18, axis), tip);
    painter.drawLine(tip, tip + QPointF(-4, 6));
    painter.drawLine(tip, tip + QPointF(4, 6));
    painter.setPen(QPen(kRay, 1));
    painter.drawLine(tip, QPointF(58, axis - 22));
    painter.drawLine(QPointF(58, axis - 22), QPointF(100, axis + 2));
    painter.drawLine(QPointF(100, axis + 2), QPointF(166, axis + 20));
    painter.drawLine(tip, QPointF(58, axis + 10));
    painter.drawLine(QPointF(58, axis + 10), QPointF(100, axis + 12));
    painter.drawLine(QPointF(100, axis + 12), QPointF(166, axis + 20));
    return pixmap;
}
