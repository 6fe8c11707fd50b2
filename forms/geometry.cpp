#include "forms/geometry.h"

#include "forms/screen.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace forms {

void setGeometryTwips(QWidget* widget, const TwipsRect& rect)
{
    const auto px = [](double twips) { return static_cast<int>(std::lround(twipsToPixels(twips))); };
    widget->setGeometry(px(rect.left), px(rect.top), std::max(0, px(rect.width)), std::max(0, px(rect.height)));
}

TwipsRect geometryTwips(const QWidget* widget)
{
    const QRect g = widget->geometry();
    return {pixelsToTwips(g.x()), pixelsToTwips(g.y()), pixelsToTwips(g.width()), pixelsToTwips(g.height())};
}

} // namespace forms
