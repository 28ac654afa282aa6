#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <acad/Types.h>

// Applying one layout's page setup to others: what would change, and what a plotter cannot take.
// Plain values; the control reads them from the CAD program and applies them.
namespace basSeiteEinrichten {

// Every setting the dialog offers, as acad::PlotSetting flags.
inline constexpr quint32 kAlleWerte =
    acad::Plotter | acad::Paper | acad::Orientation | acad::StyleTable | acad::PlotArea | acad::Scale;

// The six settings in the order the dialog and the sheet list name them.
const QList<acad::PlotSetting>& Werte();
// "Plotter", "Papierformat", "Ausrichtung", "Plotstiltabelle", "Plotbereich", "Plotmaßstab".
QString WertName(acad::PlotSetting wert);

// A plot setting's value as the lists show it; paper by its localized name where one is known.
QString WertText(const acad::LayoutPlotSettings& layout, acad::PlotSetting wert);
// "1:1", "1:50", "2:1", "Auf Papier angepasst", "1/4\" = 1'" for a standard scale; a custom ratio as
// "1:2,5" with the user's decimal separator.
QString MassstabText(const acad::PlotSettings& plot);

// Whether the two layouts have the same value of that setting.
bool Gleich(const acad::PlotSettings& a, const acad::PlotSettings& b, acad::PlotSetting wert);

// What the target has after taking the chosen values of the source.
acad::LayoutPlotSettings Ergebnis(const acad::LayoutPlotSettings& ziel,
                                  const acad::LayoutPlotSettings& quelle, quint32 which);

// One value that would change: "Plotter: DWG To PDF.pc3 → DWF6 ePlot.pc3".
struct Aenderung
{
    acad::PlotSetting wert = acad::Plotter;
    QString alt;
    QString neu;
    QString text() const;
};

// The chosen values in which the two layouts differ, in the order of Werte().
QList<Aenderung> Unterschiede(const acad::LayoutPlotSettings& alt, const acad::LayoutPlotSettings& neu,
                              quint32 which);

// Why the target's plotter cannot take the result; empty when it can. plotters: the host's plotters;
// papiere: the paper sizes of the result's plotter. Only the plotter and the paper are checked, and
// only when one of them is taken: a layout keeps what it has.
QString Hindernis(const acad::PlotSettings& ergebnis, quint32 which, const QStringList& plotters,
                  const QStringList& papiere);

} // namespace basSeiteEinrichten
