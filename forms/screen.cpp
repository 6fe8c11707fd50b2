#include "forms/screen.h"

#include <QGuiApplication>
#include <QScreen>

#include <optional>

namespace forms {
namespace {

struct SizeTwips {
    double width;
    double height;
};

std::optional<SizeTwips>& override()
{
    static std::optional<SizeTwips> value;
    return value;
}

} // namespace

double Screen::twipsPerPixel()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

double Screen::widthTwips()
{
    if (override())
        return override()->width;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() * twipsPerPixel() : 9600.0;
}

double Screen::heightTwips()
{
    if (override())
        return override()->height;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() * twipsPerPixel() : 7200.0;
}

void Screen::overrideSizeTwips(double width, double height) { override() = SizeTwips{width, height}; }
void Screen::clearOverride() { override().reset(); }

double twipsToPixels(double twips) { return twips / Screen::twipsPerPixel(); }
double pixelsToTwips(double pixels) { return pixels * Screen::twipsPerPixel(); }

} // namespace forms
