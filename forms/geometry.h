#pragma once

class QWidget;

namespace forms {

// A control's place inside its container, in twips.
struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

void setGeometryTwips(QWidget* widget, const TwipsRect& rect);
TwipsRect geometryTwips(const QWidget* widget);

} // namespace forms
