#pragma once

#include <QString>

// The texts the lists show for a layout's plot settings.
namespace explorer {

// "Hochformat", "Querformat", … for the plot rotation 0..3; "" for any other value.
QString orientationText(qint32 rotation);
// "Anzeige", "Layout", "Grenzen", "Ansicht", "Fenster", "Layout" for the plot type 0..5; "" otherwise.
QString plotAreaText(qint32 plotType);
// Whether the plot configuration name means no plotter: none at all, "Kein", or DXF's "none_device".
bool isNoPlotter(const QString& configName);
// The plotter, "Kein" for DXF's "none_device"; an empty name stays empty.
QString plotterText(const QString& configName);
// The plot style table, or "Kein" for none.
QString plotStyleText(const QString& styleSheet);
// "420,00 x 297,00 mm": the larger side first, two decimals with the user's decimal separator.
QString paperSizeText(double width, double height);
// The same with the decimal separator given.
QString paperSizeText(double width, double height, const QString& decimalPoint);

} // namespace explorer
