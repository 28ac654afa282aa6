#pragma once

class QWidget;

// Twips (1440 per inch) stay the unit of the settings and the geometry; pixels are only used at the
// widget boundary, converted with the screen's logical DPI.
namespace explorer {

// Within half the int range (no number: 0), whatever the value.
int twipsToPixels(double twips, const QWidget* widget);
double pixelsToTwips(int pixels, const QWidget* widget);

} // namespace explorer
