#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace explorer {
namespace {

constexpr double kTwipsPerInch = 1440.0;

double logicalDpi(const QWidget* widget)
{
    if (widget)
        return widget->logicalDpiX();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

} // namespace

int twipsToPixels(double twips, const QWidget* widget)
{
    return int(std::lround(twips * logicalDpi(widget) / kTwipsPerInch));
}

double pixelsToTwips(int pixels, const QWidget* widget)
{
    return std::round(pixels * kTwipsPerInch / logicalDpi(widget));
}

} // namespace explorer
