#include "Twips.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QScreen>

#include <cmath>

namespace
{

double logicalDpi(const QPaintDevice *device, bool horizontal)
{
    double dpi = 0;
    if (device) {
        dpi = horizontal ? device->logicalDpiX() : device->logicalDpiY();
    } else if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    }
    return dpi > 0 ? dpi : 96.0;
}

} // namespace

double twipsPerPixelX(const QPaintDevice *device)
{
    return 1440.0 / logicalDpi(device, true);
}

double twipsPerPixelY(const QPaintDevice *device)
{
    return 1440.0 / logicalDpi(device, false);
}

int twipsToPixelsX(double twips, const QPaintDevice *device)
{
    return int(std::lround(twips / twipsPerPixelX(device)));
}

int twipsToPixelsY(double twips, const QPaintDevice *device)
{
    return int(std::lround(twips / twipsPerPixelY(device)));
}

double pixelsToTwipsX(int pixels, const QPaintDevice *device)
{
    return pixels * twipsPerPixelX(device);
}

double pixelsToTwipsY(int pixels, const QPaintDevice *device)
{
    return pixels * twipsPerPixelY(device);
}
