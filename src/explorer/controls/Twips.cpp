#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <limits>

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

// Bounded, so that no value a setting can hold overflows the conversion; no number gives 0.
int twipsToPixels(double twips, const QWidget* widget)
{
    const double pixels = twips * logicalDpi(widget) / kTwipsPerInch;
    if (std::isnan(pixels))
        return 0;
    constexpr double kMax = std::numeric_limits<int>::max() / 2;
    return int(std::lround(std::clamp(pixels, -kMax, kMax)));
}

double pixelsToTwips(int pixels, const QWidget* widget)
{
    return std::round(pixels * kTwipsPerInch / logicalDpi(widget));
}

} // namespace explorer
