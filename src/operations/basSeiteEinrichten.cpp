#include "basSeiteEinrichten.h"

#include <QLocale>
#include <array>
#include <cmath>
#include <explorer/PlotTexts.h>

using acad::LayoutPlotSettings;
using acad::PlotSetting;
using acad::PlotSettings;

namespace basSeiteEinrichten {

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool containsName(const QStringList& names, const QString& name)
{
    return std::any_of(names.begin(), names.end(), [&](const QString& n) { return sameName(n, name); });
}

// The CAD program's standard scales by number: the inch scales, 1:1, then the metric series.
QString standardScaleText(qint32 scale)
{
    static const std::array<const char*, 33> texts{"Auf Papier angepasst",
                                                   "1/128\" = 1'",
                                                   "1/64\" = 1'",
                                                   "1/32\" = 1'",
                                                   "1/16\" = 1'",
                                                   "3/32\" = 1'",
                                                   "1/8\" = 1'",
                                                   "3/16\" = 1'",
                                                   "1/4\" = 1'",
                                                   "3/8\" = 1'",
                                                   "1/2\" = 1'",
                                                   "3/4\" = 1'",
                                                   "1\" = 1'",
                                                   "3\" = 1'",
                                                   "6\" = 1'",
                                                   "1' = 1'",
                                                   "1:1",
                                                   "1:2",
                                                   "1:4",
                                                   "1:8",
                                                   "1:10",
                                                   "1:16",
                                                   "1:20",
                                                   "1:30",
                                                   "1:40",
                                                   "1:50",
                                                   "1:100",
                                                   "2:1",
                                                   "4:1",
                                                   "8:1",
                                                   "10:1",
                                                   "100:1",
                                                   "1000:1"};
    return scale >= 0 && scale < qint32(texts.size()) ? QString::fromUtf8(texts[scale])
                                                      : QStringLiteral("Normmaßstab %1").arg(scale);
}

QString number(double value)
{
    return QLocale().toString(value, 'g', 10);
}

bool sameRatio(const PlotSettings& a, const PlotSettings& b)
{
    const double left = a.scaleNumerator * b.scaleDenominator;
    const double right = b.scaleNumerator * a.scaleDenominator;
    return std::abs(left - right) <= 1e-9 * std::max(std::abs(left), std::abs(right));
}

void take(LayoutPlotSettings& out, const LayoutPlotSettings& from, PlotSetting wert)
{
    PlotSettings& to = out.plot;
    const PlotSettings& source = from.plot;
    switch (wert) {
    case acad::Plotter:
        to.configName = source.configName;
        break;
    case acad::Paper:
        to.canonicalMediaName = source.canonicalMediaName;
        to.paperWidth = source.paperWidth;
        to.paperHeight = source.paperHeight;
        out.localeMediaName = from.localeMediaName;
        break;
    case acad::Orientation:
        to.plotRotation = source.plotRotation;
        break;
    case acad::StyleTable:
        to.styleSheet = source.styleSheet;
        break;
    case acad::PlotArea:
        to.plotType = source.plotType;
        break;
    case acad::Scale:
        to.useStandardScale = source.useStandardScale;
        to.standardScale = source.standardScale;
        to.scaleNumerator = source.scaleNumerator;
        to.scaleDenominator = source.scaleDenominator;
        break;
    }
}

} // namespace

const QList<PlotSetting>& Werte()
{
    static const QList<PlotSetting> list{acad::Plotter,    acad::Paper,    acad::Orientation,
                                         acad::StyleTable, acad::PlotArea, acad::Scale};
    return list;
}

QString WertName(PlotSetting wert)
{
    switch (wert) {
    case acad::Plotter:
        return QStringLiteral("Plotter");
    case acad::Paper:
        return QStringLiteral("Papierformat");
    case acad::Orientation:
        return QStringLiteral("Ausrichtung");
    case acad::StyleTable:
        return QStringLiteral("Plotstiltabelle");
    case acad::PlotArea:
        return QStringLiteral("Plotbereich");
    case acad::Scale:
        return QStringLiteral("Plotmaßstab");
    }
    return {};
}

QString MassstabText(const PlotSettings& plot)
{
    if (plot.useStandardScale)
        return standardScaleText(plot.standardScale);
    return number(plot.scaleNumerator) + QLatin1Char(':') + number(plot.scaleDenominator);
}

QString WertText(const LayoutPlotSettings& layout, PlotSetting wert)
{
    const PlotSettings& plot = layout.plot;
    switch (wert) {
    case acad::Plotter:
        return explorer::isNoPlotter(plot.configName) ? QStringLiteral("Kein")
                                                      : explorer::plotterText(plot.configName);
    case acad::Paper:
        return !layout.localeMediaName.isEmpty() ? layout.localeMediaName : plot.canonicalMediaName;
    case acad::Orientation:
        return explorer::orientationText(plot.plotRotation);
    case acad::StyleTable:
        return explorer::plotStyleText(plot.styleSheet);
    case acad::PlotArea:
        return explorer::plotAreaText(plot.plotType);
    case acad::Scale:
        return MassstabText(plot);
    }
    return {};
}

bool Gleich(const PlotSettings& a, const PlotSettings& b, PlotSetting wert)
{
    switch (wert) {
    case acad::Plotter:
        return sameName(a.configName, b.configName);
    case acad::Paper:
        return a.canonicalMediaName == b.canonicalMediaName;
    case acad::Orientation:
        return a.plotRotation == b.plotRotation;
    case acad::StyleTable:
        return sameName(a.styleSheet, b.styleSheet);
    case acad::PlotArea:
        return a.plotType == b.plotType;
    case acad::Scale:
        if (a.useStandardScale != b.useStandardScale)
            return false;
        return a.useStandardScale ? a.standardScale == b.standardScale : sameRatio(a, b);
    }
    return true;
}

LayoutPlotSettings Ergebnis(const LayoutPlotSettings& ziel, const LayoutPlotSettings& quelle, quint32 which)
{
    LayoutPlotSettings out = ziel;
    for (PlotSetting wert : Werte()) {
        if (which & wert)
            take(out, quelle, wert);
    }
    return out;
}

QString Aenderung::text() const
{
    return QStringLiteral("%1: %2 → %3").arg(WertName(wert), alt, neu);
}

QList<Aenderung> Unterschiede(const LayoutPlotSettings& alt, const LayoutPlotSettings& neu, quint32 which)
{
    QList<Aenderung> out;
    for (PlotSetting wert : Werte()) {
        if ((which & wert) && !Gleich(alt.plot, neu.plot, wert))
            out.append({wert, WertText(alt, wert), WertText(neu, wert)});
    }
    return out;
}

QString Hindernis(const PlotSettings& ergebnis, quint32 which, const QStringList& plotters,
                  const QStringList& papiere)
{
    if (!(which & (acad::Plotter | acad::Paper)))
        return {};
    const QString plotter = explorer::plotterText(ergebnis.configName);
    if (!containsName(plotters, ergebnis.configName))
        return QStringLiteral("Den Plotter „%1“ gibt es nicht.").arg(plotter);
    if (!ergebnis.canonicalMediaName.isEmpty() && !containsName(papiere, ergebnis.canonicalMediaName))
        return QStringLiteral("Der Plotter „%1“ hat das Papierformat „%2“ nicht.")
            .arg(plotter, ergebnis.canonicalMediaName);
    return {};
}

} // namespace basSeiteEinrichten
