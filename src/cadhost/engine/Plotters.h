#pragma once

#include <QStringList>
#include <acad/Types.h>

namespace cadhost {

// The plotters, paper sizes and plot style tables this host knows, as the CAD program's
// GetPlotDeviceNames and GetCanonicalMediaNames list them. Fixed: the stand-in has no printer setup.
QStringList plotterNames();
QStringList mediaNamesOf(const QString& plotter); // empty for an unknown plotter

// Fills in a paper size that is still unknown from the paper's name
// ("ISO_full_bleed_A3_(420.00_x_297.00_MM)" gives 420 x 297 mm); a size read from the file stays.
void refreshPaperSize(acad::PlotSettings& plot);

// Takes the chosen values (acad::PlotSetting flags) of `values` into `plot`, or throws acad::Error
// naming the layout and the value that cannot be plotted; `plot` is then unchanged.
void applyPlotSettings(acad::PlotSettings& plot, const acad::PlotSettings& values, quint32 which,
                       const QString& layoutName);

} // namespace cadhost
