#include "forms/fonts.h"

#include <QStringList>

namespace forms {
namespace {
const char* const kSans = "MS Sans Serif";
const char* const kSerif = "Times New Roman";
// Our own name for the narrow cut, resolved like the others.
const char* const kSansNarrow = "MS Sans Serif Narrow";
} // namespace

void installFontSubstitutions()
{
    QFont::insertSubstitutions(kSans, {"Liberation Sans", "DejaVu Sans"});
    QFont::insertSubstitutions(kSansNarrow, {"Liberation Sans Narrow", "DejaVu Sans Condensed"});
    QFont::insertSubstitutions(kSerif, {"Liberation Serif", "DejaVu Serif"});
}

QFont sansSerif(double points, bool bold)
{
    QFont font(kSans);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont sansSerifNarrow(double points, bool bold)
{
    QFont font(kSansNarrow);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont serif(double points)
{
    QFont font(kSerif);
    font.setPointSizeF(points);
    return font;
}

} // namespace forms
