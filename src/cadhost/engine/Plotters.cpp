#include "Plotters.h"

#include "LayoutNames.h"

#include <QRegularExpression>
#include <acad/Error.h>

namespace cadhost {

namespace {

// "ISO_full_bleed_A3_(420.00_x_297.00_MM)" -> 420 x 297 mm; false when the name holds no size.
bool paperSizeOf(const QString& media, double* width, double* height)
{
    static const QRegularExpression re(
        QStringLiteral("\\((\\d+(?:\\.\\d+)?)_x_(\\d+(?:\\.\\d+)?)_(MM|Inches)\\)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(media);
    if (!m.hasMatch())
        return false;
    const double unit = m.captured(3).toUpper() == QLatin1String("MM") ? 1.0 : 25.4;
    *width = m.captured(1).toDouble() * unit;
    *height = m.captured(2).toDouble() * unit;
    return true;
}

QStringList isoSheets(const QString& prefix)
{
    // Each size upright and lying, as the CAD program's PDF driver lists them.
    static const QList<std::pair<int, int>> sizes = {
        {841, 1189}, {594, 841}, {420, 594}, {297, 420}, {210, 297}};
    QStringList out;
    for (int i = 0; i < int(sizes.size()); ++i) {
        const auto [w, h] = sizes.at(i);
        const QString name = QStringLiteral("%1A%2_(%3.00_x_%4.00_MM)").arg(prefix).arg(i);
        out << name.arg(w).arg(h) << name.arg(h).arg(w);
    }
    return out;
}

struct Plotter
{
    QString name;
    QStringList media;
};

const QList<Plotter>& plotters()
{
    static const QList<Plotter> list = [] {
        const QStringList iso =
            isoSheets(QStringLiteral("ISO_full_bleed_")) + isoSheets(QStringLiteral("ISO_"));
        return QList<Plotter>{
            {QStringLiteral("DWG To PDF.pc3"), iso},
            {QStringLiteral("DWF6 ePlot.pc3"), iso},
            {QStringLiteral("PublishToWeb PNG.pc3"),
             {QStringLiteral("VGA_(640.00_x_480.00_Pixels)"), QStringLiteral("XGA_(1024.00_x_768.00_Pixels)"),
              QStringLiteral("Sun_Hi-Res_(1600.00_x_1280.00_Pixels)")}},
        };
    }();
    return list;
}

const QStringList& styleTables()
{
    static const QStringList list = {QStringLiteral("acad.ctb"),      QStringLiteral("monochrome.ctb"),
                                     QStringLiteral("Grayscale.ctb"), QStringLiteral("Screening 50%.ctb"),
                                     QStringLiteral("acad.stb"),      QStringLiteral("monochrome.stb"),
                                     QStringLiteral("Grayscale.stb")};
    return list;
}

const Plotter* plotterNamed(const QString& name)
{
    for (const Plotter& p : plotters()) {
        if (p.name.compare(name, Qt::CaseInsensitive) == 0)
            return &p;
    }
    return nullptr;
}

[[noreturn]] void refuse(const QString& layoutName, const QString& what)
{
    throw acad::Error(QStringLiteral("Seiteneinrichtung für das Layout „%1“ abgelehnt: %2")
                          .arg(printable(layoutName), what));
}

QString knownName(const QStringList& names, const QString& name)
{
    for (const QString& n : names) {
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    }
    return {};
}

void checkScale(const acad::PlotSettings& v, const QString& layoutName)
{
    if (v.useStandardScale && (v.standardScale < 0 || v.standardScale > 32))
        refuse(
            layoutName,
            QStringLiteral("Der Normmaßstab %1 ist unbekannt (erlaubt sind 0 bis 32).").arg(v.standardScale));
    if (!v.useStandardScale && !(v.scaleNumerator > 0 && v.scaleDenominator > 0))
        refuse(layoutName,
               QStringLiteral("Der Maßstab %1 : %2 ist ungültig; beide Werte müssen größer als 0 sein.")
                   .arg(v.scaleNumerator)
                   .arg(v.scaleDenominator));
}

void checkRanges(const acad::PlotSettings& v, quint32 which, const QString& layoutName)
{
    if ((which & acad::Orientation) && (v.plotRotation < 0 || v.plotRotation > 3))
        refuse(layoutName,
               QStringLiteral("Die Drehung %1 ist ungültig (erlaubt sind 0 bis 3).").arg(v.plotRotation));
    if ((which & acad::PlotArea) && (v.plotType < 0 || v.plotType > 5))
        refuse(layoutName,
               QStringLiteral("Der Plotbereich %1 ist ungültig (erlaubt sind 0 bis 5).").arg(v.plotType));
    if (which & acad::Scale)
        checkScale(v, layoutName);
}

// Plotter and paper, checked together: the paper must be one the (new) plotter takes.
void takeDevice(acad::PlotSettings& next, const acad::PlotSettings& values, quint32 which,
                const QString& layoutName)
{
    if (which & acad::Plotter) {
        const Plotter* p = plotterNamed(values.configName);
        if (!p)
            refuse(layoutName,
                   QStringLiteral("Den Plotter „%1“ gibt es nicht.").arg(printable(values.configName)));
        next.configName = p->name;
    }
    if (which & acad::Paper) {
        next.canonicalMediaName = values.canonicalMediaName;
        next.paperWidth = 0; // unknown until the paper's name gives it
        next.paperHeight = 0;
    }
    if (!(which & (acad::Plotter | acad::Paper)))
        return;
    const QString media = knownName(mediaNamesOf(next.configName), next.canonicalMediaName);
    if (media.isEmpty())
        refuse(layoutName, QStringLiteral("Der Plotter „%1“ kennt das Papierformat „%2“ nicht.")
                               .arg(printable(next.configName), printable(next.canonicalMediaName)));
    next.canonicalMediaName = media;
}

// The table's name as the host spells it; empty stays empty (no table).
QString styleTableNamed(const QString& name, const QString& layoutName)
{
    if (name.isEmpty())
        return {};
    const QString known = knownName(styleTables(), name);
    if (known.isEmpty())
        refuse(layoutName, QStringLiteral("Die Plotstiltabelle „%1“ gibt es nicht.").arg(printable(name)));
    return known;
}

} // namespace

QStringList plotterNames()
{
    QStringList out;
    for (const Plotter& p : plotters())
        out << p.name;
    return out;
}

QStringList mediaNamesOf(const QString& plotter)
{
    const Plotter* p = plotterNamed(plotter);
    return p ? p->media : QStringList();
}

void applyPlotSettings(acad::PlotSettings& plot, const acad::PlotSettings& values, quint32 which,
                       const QString& layoutName)
{
    acad::PlotSettings next = plot;
    checkRanges(values, which, layoutName);
    takeDevice(next, values, which, layoutName);
    if (which & acad::StyleTable)
        next.styleSheet = styleTableNamed(values.styleSheet, layoutName);
    if (which & acad::Orientation)
        next.plotRotation = values.plotRotation;
    if (which & acad::PlotArea)
        next.plotType = values.plotType;
    if (which & acad::Scale) {
        next.useStandardScale = values.useStandardScale;
        next.standardScale = values.standardScale;
        next.scaleNumerator = values.scaleNumerator;
        next.scaleDenominator = values.scaleDenominator;
    }
    plot = next;
}

// Only a size that is still unknown is taken from the media name; a size read from the file stays.
void refreshPaperSize(acad::PlotSettings& plot)
{
    double width = 0;
    double height = 0;
    if ((plot.paperWidth <= 0 || plot.paperHeight <= 0) &&
        paperSizeOf(plot.canonicalMediaName, &width, &height)) {
        plot.paperWidth = width;
        plot.paperHeight = height;
    }
}

} // namespace cadhost
