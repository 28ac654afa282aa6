#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <acad/Types.h>
#include <optional>

class CBloecke;
namespace acad {
class Host;
}

// The sheet list: every paper-space layout of every loaded drawing with the texts the details show,
// and the checks a set of sheets has to pass before it is plotted or handed over.
namespace blattliste {

enum Spalte : int
{
    Zeichnung,
    Layout,
    Register,
    Plotter,
    Papierformat,
    Papiergroesse,
    Ausrichtung,
    Plotstiltabelle,
    Plotbereich,
    Stempelfeld,
    Ansichtsfenster,
    SpaltenAnzahl
};

// The column captions, in column order.
const QStringList& Spaltentitel();

// The checks, as flags of a sheet.
enum Pruefung : quint32
{
    KeinPlotter = 1,
    KeinePlotstiltabelle = 2,
    KeinNormmassstab = 4,
    KeinStempelfeld = 8,
    StempelfeldPapiergroesse = 16,
    // Not one of the checks: differs from the sheet the list compares with (Vergleiche).
    WeichtAb = 32,
};
inline constexpr int kPruefungen = 5;

struct Fenster
{
    QString name; // from the product data; empty: "Unbenannt"
    double customScale = 0;
};

// One paper-space layout of a loaded drawing.
struct Blatt
{
    acad::DocId doc = 0;
    QString zeichnung; // the drawing's file name
    QString gesamt;    // the drawing's identity (gesamtOf)
    acad::ObjectId layoutId = 0;
    qint32 tabOrder = 0; // the layout's place among the drawing's tabs, from 1 (Model has 0)
    acad::LayoutPlotSettings plot;
    QString stempelfeld;    // as the details show it; "Nicht vorhanden" for none
    QString stempelfeldKey; // what makes two title blocks the same; empty for none
    QList<Fenster> fenster;
    quint32 pruefungen = 0;
    QStringList hinweise; // one line per check that failed
    QString abweichung;   // how it differs from the sheet compared with; empty when it does not
};

// The denominators (1:n) the scale check accepts: 1, 2, 2.5 and 5 times the powers of ten from 1:1
// to 1:10000, and the enlargements 2:1, 5:1, 10:1, 20:1 and 50:1.
const QList<double>& Normmassstaebe();
// Whether a viewport of that custom scale (paper mm per model m) shows one of them.
bool IsNormmassstab(double customScale);

// Every loaded drawing's sheets, drawing by drawing in the host's order, each in tab order, with
// their checks done: two calls per drawing and one for the list of drawings. A drawing the host
// cannot read is left out; the description of the first such error comes back in failure.
QList<Blatt> LeseBlaetter(acad::Host& host, const CBloecke& definitions, std::optional<QString>& failure);
// Sets the flags and hints of every sheet; the title block check compares across all of them.
void PruefeBlaetter(QList<Blatt>& blaetter);

// Marks each sheet that differs from blaetter[referenz] in its page setup (plotter, paper, orientation,
// plot style table, plot area, plot scale), naming the values; -1 ends the comparison.
void Vergleiche(QList<Blatt>& blaetter, int referenz);

// A cell's text; numbers carry the decimal separator given.
QString Zelle(const Blatt& blatt, int spalte, const QString& decimalPoint);

// A table as text: one line per row, fields joined by separator; a field holding the separator, a
// double quote, a line break or one of the characters quoteAlso is quoted, its quotes doubled.
QString AlsText(const QList<QStringList>& rows, QChar separator, const QString& lineEnd,
                const QString& quoteAlso = QString());

} // namespace blattliste
