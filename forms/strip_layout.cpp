#include "forms/strip_layout.h"

#include "forms/form.h"

#include <algorithm>

namespace forms {
namespace {
constexpr double kBar = 255; // a scroll bar's thickness, in twips
} // namespace

std::optional<TwipsRect> layoutStrip(const Form& form, const StripDesign& design, QWidget* strip,
                                     std::initializer_list<DesignPlace> places, QWidget* picture,
                                     QWidget* verticalBar, QWidget* horizontalBar)
{
    const double fx = (form.outerWidthTwips() - design.borderWidth) / (design.width - design.borderWidth);
    const double fy = (form.outerHeightTwips() - design.borderHeight) / (design.height - design.borderHeight);
    if (!(fx > 0 && fy > 0))
        return std::nullopt;
    const double width = form.clientWidthTwips();
    const double height = form.clientHeightTwips();
    const double stripHeight = design.stripHeight * fy;
    setGeometryTwips(strip, {0, 0, width, stripHeight});
    for (const DesignPlace& p : places)
        setGeometryTwips(p.widget, {p.place.left * fx, p.place.top * fy, p.place.width * fx, p.place.height * fy});

    const TwipsRect area{0, stripHeight, std::max(0.0, width - kBar), std::max(0.0, height - stripHeight - kBar)};
    setGeometryTwips(picture, area);
    setGeometryTwips(verticalBar, {area.width, area.top, kBar, area.height});
    setGeometryTwips(horizontalBar, {0, area.top + area.height, area.width, kBar});
    return area;
}

} // namespace forms
