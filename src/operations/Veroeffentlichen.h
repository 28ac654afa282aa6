#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <acad/Types.h>
#include <optional>

namespace acad {
class Host;
}

// "Veröffentlichen ...": chosen paper layouts of the loaded drawings, in sheet order, plotted to one
// PDF file with a page per sheet or to one PDF file per sheet. Every file is written under a temporary
// name in the target folder and renamed only when it is whole, so a failure or a cancel leaves nothing
// half-written behind.
namespace veroeffentlichen {

// A sheet as the explorer or the sheet list chose it: its drawing's identity (gesamtOf) and the
// layout's id; the name only for messages.
struct Wahl
{
    QString gesamt;
    acad::ObjectId layoutId = 0;
    QString layout;
};

// A sheet to publish: a paper layout of an open document.
struct Blatt
{
    QString zeichnung; // the drawing's file name, "Plan.dxf"
    acad::DocId doc = 0;
    acad::ObjectId layoutId = 0;
    QString layout;
    friend bool operator==(const Blatt&, const Blatt&) = default;
};

// The chosen sheets in sheet order: the drawings in the host's order, each drawing's layouts in tab
// order; one call. A chosen sheet whose drawing or layout is no longer open goes to fehlend as
// "<Pfad>;<Layout>".
QList<Blatt> InBlattfolge(acad::Host& host, const QList<Wahl>& wahl, QStringList& fehlend);

// "Plan.dxf – Blatt 2", as the progress and the end message name a sheet.
QString Bezeichnung(const Blatt& blatt);

struct Auftrag
{
    QString ordner;
    bool eineDatei = false;
    QString dateiname; // the one file with every sheet
    QString muster;    // the file name of each sheet: {zeichnung} and {layout} stand for its names
};

// The sheet's file name by the pattern: {zeichnung} is the drawing's name without its extension,
// {layout} the layout's name; ".pdf" follows when the name does not end in it.
QString Dateiname(const QString& muster, const Blatt& blatt);
// The files the order writes, in sheet order: one, or one per sheet.
QStringList Zieldateien(const Auftrag& auftrag, const QList<Blatt>& blaetter);
// Why a file name cannot be used ("" when it can): empty, "." or "..", a "/" or a control character, or
// longer than the file system takes with the temporary name's additions.
QString NamensProblem(const QString& name);
// Why the order cannot run, as the user is told ("" when it can): the folder, an unknown placeholder,
// a file name that cannot be, two sheets with one file name.
QString Pruefe(const Auftrag& auftrag, const QList<Blatt>& blaetter);
// The files of the order that are there already.
QStringList VorhandeneDateien(const Auftrag& auftrag, const QList<Blatt>& blaetter);
// "„Plan - A1.pdf“ ist bereits vorhanden. Ersetzen?", or for several with at most five names.
QString ErsetzenFrage(const QStringList& dateien);

// A sheet that was not published, and why.
struct Fehler
{
    QString blatt; // Bezeichnung()
    QString grund;
};

struct Ergebnis
{
    int geschrieben = 0;   // sheets in files that were written
    int uebersprungen = 0; // entities the host could not draw, over every written sheet
    QList<Fehler> fehler;
    QStringList dateien; // the files written
    bool abgebrochen = false;
};

// "3 Blätter veröffentlicht. Nicht veröffentlicht: Plan.dxf – Blatt 2: …" and the skipped entities.
QString Abschluss(const Ergebnis& ergebnis);

// The run, one sheet per step, so that the caller can let the event loop run between the host's
// synchronous calls. One file per sheet: a sheet that fails is reported and the next follows. One
// file: the first page that fails discards the file. A run destroyed before its end is cancelled.
class Lauf final
{
public:
    Lauf(acad::Host& host, Auftrag auftrag, QList<Blatt> blaetter);
    ~Lauf();
    Lauf(const Lauf&) = delete;
    Lauf& operator=(const Lauf&) = delete;

    int anzahl() const { return int(m_blaetter.size()); }
    int erledigt() const { return m_next; }
    bool fertig() const { return m_fertig; }
    // "Blatt 2 von 5: Plan.dxf – Blatt 2" for the sheet the next step plots.
    QString Fortschritt() const;
    // Plots the next sheet; the step of the last sheet finishes the file of every sheet.
    void Schritt();
    // Stops before the next sheet; the file of every sheet is discarded, files of single sheets that
    // were finished stay.
    void Abbrechen();
    const Ergebnis& ergebnis() const { return m_ergebnis; }

private:
    void einzeln(const Blatt& blatt);
    void seite(const Blatt& blatt);
    void abschliessen();
    void verwerfen();
    bool uebernehmen(const QString& temp, const QString& ziel, QString& grund);
    QString ziel(const QString& name) const;

    acad::Host& m_host;
    Auftrag m_auftrag;
    QList<Blatt> m_blaetter;
    int m_next = 0;
    bool m_fertig = false;
    std::optional<qint32> m_job;
    QString m_jobTemp;
    int m_seiten = 0;
    int m_seitenUebersprungen = 0;
    Ergebnis m_ergebnis;
};

// The temporary name a file is written under until it is whole: hidden, beside it.
QString Temporaer(const QString& ziel);

} // namespace veroeffentlichen
