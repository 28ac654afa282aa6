#pragma once

class QWidget;

// Twips (1440 per inch) stay the unit of the settings and the geometry; pixels are only used at the
// widget boundary, converted with the screen's logical DPI.
namespace explorer {

int twipsToPixels(double twips, const QWidget* widget);
double pixelsToTwips(int pixels, const QWidget* widget);

} // namespace explorer
