#include "Blattliste.h"

#include "basKvartoObjekte.h"
#include "basSeiteEinrichten.h"

#include <QHash>
#include <QSet>
#include <acad/Host.h>
#include <algorithm>
#include <cmath>
#include <explorer/LayoutContents.h>
#include <explorer/PlotTexts.h>
#include <platform/Error.h>
#include <records/CAcadobj.h>
#include <records/CXData.h>

namespace blattliste {

namespace {

const QString kNone = QStringLiteral("Nicht vorhanden");

QList<double> standardDenominators()
{
    QList<double> list{0.5, 0.2, 0.1, 0.05, 0.02};
    for (double power = 1; power <= 10000; power *= 10) {
        for (double mantissa : {1.0, 2.0, 2.5, 5.0}) {
            if (mantissa * power <= 10000)
                list.append(mantissa * power);
        }
    }
    return list;
}

// The title block of a layout's block: its display text and what identifies it.
void readTitleBlock(Blatt& blatt, const basKvarto::LayoutBlock& block, const CBloecke& definitions)
{
    std::array<qint16, 3> numbers{};
    std::array<QString, 3> names;
    basKvarto::GetProductBlocks(block, numbers, names);
    blatt.stempelfeld = explorer::productBlockTexts(numbers, names, definitions)[0];
    if (names[0] != kNone)
        blatt.stempelfeldKey = numbers[0] > 0 ? QString::number(numbers[0]) : QStringLiteral("#") + names[0];
}

void readContents(Blatt& blatt, const basKvarto::LayoutBlock& block, const CBloecke& definitions)
{
    readTitleBlock(blatt, block, definitions);
    for (const basKvarto::ListedViewport& viewport : basKvarto::ListedViewports(block))
        blatt.fenster.append({viewport.record.Bezeichnung, viewport.customScale});
}

// One drawing's sheets from its part of the host's answer.
QList<Blatt> readDrawing(const acad::DocumentSheets& sheets, const CBloecke& definitions)
{
    const acad::DocumentRef& doc = sheets.ref;
    QHash<acad::ObjectId, basKvarto::LayoutBlock> blocks;
    for (const acad::LayoutBlockWithXData& block : sheets.blocks)
        blocks.insert(block.layout, block.entities);
    QList<Blatt> out;
    const QList<acad::LayoutPlotSettings>& plots = sheets.layouts;
    // The host answers in tab order, Model first: the place in its answer is the tab order.
    for (qsizetype tab = 0; tab < plots.size(); ++tab) {
        const acad::LayoutPlotSettings& plot = plots[tab];
        if (plot.name == QLatin1String("Model"))
            continue;
        Blatt blatt;
        blatt.doc = doc.id;
        blatt.zeichnung = doc.name;
        blatt.gesamt = gesamtOf(doc.path, doc.name);
        blatt.layoutId = plot.id;
        blatt.tabOrder = qint32(tab);
        blatt.plot = plot;
        readContents(blatt, blocks.value(plot.id), definitions);
        out.append(blatt);
    }
    return out;
}

void flag(Blatt& blatt, Pruefung pruefung, const QString& hinweis)
{
    blatt.pruefungen |= pruefung;
    blatt.hinweise.append(hinweis);
}

void checkScales(Blatt& blatt)
{
    QStringList off;
    for (const Fenster& fenster : blatt.fenster) {
        if (!IsNormmassstab(fenster.customScale))
            off.append(basKvarto::ViewportText(fenster.name, fenster.customScale));
    }
    if (!off.isEmpty())
        flag(blatt, KeinNormmassstab,
             QStringLiteral("Maßstab außerhalb der Normreihe: ") + off.join(QStringLiteral(", ")));
}

void checkSheet(Blatt& blatt)
{
    if (explorer::isNoPlotter(blatt.plot.plot.configName))
        flag(blatt, KeinPlotter, QStringLiteral("Kein Plotter zugewiesen."));
    if (blatt.plot.plot.styleSheet.isEmpty())
        flag(blatt, KeinePlotstiltabelle, QStringLiteral("Keine Plotstiltabelle zugewiesen."));
    checkScales(blatt);
    if (blatt.stempelfeldKey.isEmpty())
        flag(blatt, KeinStempelfeld, QStringLiteral("Kein Stempelfeld auf dem Layout."));
}

// The paper size that decides whether two sheets match, whatever the user's separator.
QString sizeOf(const Blatt& blatt)
{
    return explorer::paperSizeText(blatt.plot.plot.paperWidth, blatt.plot.plot.paperHeight,
                                   QStringLiteral(","));
}

// Sheets with the same title block on different paper sizes: each names the other sizes.
void checkTitleBlockSizes(QList<Blatt>& blaetter)
{
    QHash<QString, QStringList> sizes; // title block -> its sizes, in order of appearance
    for (const Blatt& blatt : blaetter) {
        QStringList& list = sizes[blatt.stempelfeldKey];
        if (!blatt.stempelfeldKey.isEmpty() && !list.contains(sizeOf(blatt)))
            list.append(sizeOf(blatt));
    }
    for (Blatt& blatt : blaetter) {
        QStringList others = sizes.value(blatt.stempelfeldKey);
        others.removeAll(sizeOf(blatt));
        if (blatt.stempelfeldKey.isEmpty() || others.isEmpty())
            continue;
        flag(blatt, StempelfeldPapiergroesse,
             QStringLiteral("Stempelfeld „%1“ steht auch auf Layouts mit anderer Papiergröße: %2")
                 .arg(blatt.stempelfeld, others.join(QStringLiteral("; "))));
    }
}

QString quoted(const QString& field, QChar separator, const QString& quoteAlso)
{
    const auto special = [&](QChar c) {
        return c == separator || c == QLatin1Char('"') || c == QLatin1Char('\n') || c == QLatin1Char('\r') ||
               quoteAlso.contains(c);
    };
    if (std::none_of(field.begin(), field.end(), special))
        return field;
    QString inner = field;
    return QLatin1Char('"') + inner.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

} // namespace

const QStringList& Spaltentitel()
{
    static const QStringList titles{
        QStringLiteral("Zeichnung"),   QStringLiteral("Layout"),          QStringLiteral("Register"),
        QStringLiteral("Plotter"),     QStringLiteral("Papierformat"),    QStringLiteral("Papiergröße"),
        QStringLiteral("Ausrichtung"), QStringLiteral("Plotstiltabelle"), QStringLiteral("Plotbereich"),
        QStringLiteral("Stempelfeld"), QStringLiteral("Ansichtsfenster")};
    return titles;
}

const QList<double>& Normmassstaebe()
{
    static const QList<double> list = standardDenominators();
    return list;
}

bool IsNormmassstab(double customScale)
{
    const double denominator = 1000.0 / customScale;
    if (!std::isfinite(denominator) || denominator <= 0)
        return false;
    for (double standard : Normmassstaebe()) {
        if (std::abs(denominator - standard) <= standard * 1e-6)
            return true;
    }
    return false;
}

QList<Blatt> LeseBlaetter(acad::Host& host, const CBloecke& definitions, std::optional<QString>& failure)
{
    QList<Blatt> blaetter;
    // Every drawing in one answer; a drawing the host cannot read comes with its error and is left out.
    for (const acad::DocumentSheets& sheets : host.documentSheets(CXData::Application)) {
        if (!sheets.error.isEmpty()) {
            if (!failure)
                failure = sheets.error;
            continue;
        }
        try {
            blaetter.append(readDrawing(sheets, definitions));
        } catch (const std::exception& error) {
            if (!failure)
                failure = platform::describe(error);
        }
    }
    PruefeBlaetter(blaetter);
    return blaetter;
}

void PruefeBlaetter(QList<Blatt>& blaetter)
{
    for (Blatt& blatt : blaetter) {
        blatt.pruefungen = 0;
        blatt.hinweise.clear();
        checkSheet(blatt);
    }
    checkTitleBlockSizes(blaetter);
}

void Vergleiche(QList<Blatt>& blaetter, int referenz)
{
    const bool valid = referenz >= 0 && referenz < blaetter.size();
    const acad::LayoutPlotSettings vorbild = valid ? blaetter[referenz].plot : acad::LayoutPlotSettings();
    const QString name =
        valid ? QStringLiteral("%1 – %2").arg(blaetter[referenz].zeichnung, vorbild.name) : QString();
    for (Blatt& blatt : blaetter) {
        blatt.pruefungen &= ~quint32(WeichtAb);
        blatt.abweichung.clear();
        if (!valid)
            continue;
        QStringList werte;
        for (const basSeiteEinrichten::Aenderung& a :
             basSeiteEinrichten::Unterschiede(vorbild, blatt.plot, basSeiteEinrichten::kAlleWerte))
            werte.append(
                QStringLiteral("%1 %2 (dort %3)").arg(basSeiteEinrichten::WertName(a.wert), a.neu, a.alt));
        if (werte.isEmpty())
            continue;
        blatt.pruefungen |= WeichtAb;
        blatt.abweichung =
            QStringLiteral("Weicht von „%1“ ab: %2").arg(name, werte.join(QStringLiteral(", ")));
    }
}

QString Zelle(const Blatt& blatt, int spalte, const QString& decimalPoint)
{
    const acad::PlotSettings& plot = blatt.plot.plot;
    switch (spalte) {
    case Zeichnung:
        return blatt.zeichnung;
    case Layout:
        return blatt.plot.name;
    case Register:
        return QString::number(blatt.tabOrder);
    case Plotter:
        return explorer::plotterText(plot.configName);
    case Papierformat:
        return blatt.plot.localeMediaName;
    case Papiergroesse:
        return explorer::paperSizeText(plot.paperWidth, plot.paperHeight, decimalPoint);
    case Ausrichtung:
        return explorer::orientationText(plot.plotRotation);
    case Plotstiltabelle:
        return explorer::plotStyleText(plot.styleSheet);
    case Plotbereich:
        return explorer::plotAreaText(plot.plotType);
    case Stempelfeld:
        return blatt.stempelfeld;
    case Ansichtsfenster: {
        QStringList texts;
        for (const Fenster& fenster : blatt.fenster)
            texts.append(basKvarto::ViewportText(fenster.name, fenster.customScale, decimalPoint));
        return texts.join(QStringLiteral("; "));
    }
    default:
        return QString();
    }
}

QString AlsText(const QList<QStringList>& rows, QChar separator, const QString& lineEnd,
                const QString& quoteAlso)
{
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        fields.reserve(row.size());
        for (const QString& field : row)
            fields.append(quoted(field, separator, quoteAlso));
        text += fields.join(separator) + lineEnd;
    }
    return text;
}

} // namespace blattliste
