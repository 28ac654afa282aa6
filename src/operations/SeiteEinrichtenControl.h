#pragma once

#include "BlattlisteControl.h"
#include "basSeiteEinrichten.h"

#include <QHash>
#include <QObject>
#include <QSet>

namespace acad {
class Host;
}
namespace basViewControls {
class ViewControls;
}

namespace operations {

// "Seite einrichten übernehmen ..." without its widgets: one layout's page setup, or the chosen part
// of it, taken over by layouts across the loaded drawings. The source is a loaded layout or a layout
// of a library template; the targets are the loaded drawings' sheets. Each drawing changes in one
// undo step and is left modified, not saved.
class SeiteEinrichtenControl final : public QObject
{
    Q_OBJECT

public:
    using Key = BlattlisteControl::Key;

    // A layout the dialog offers.
    struct Blatt
    {
        acad::DocId doc = 0;
        QString zeichnung; // the drawing's (or template's) file name
        QString gesamt;
        acad::LayoutPlotSettings plot;
        bool vorlage = false;        // read from a template: its values are set, not copied
        QStringList papiere;         // a template layout's: the papers its plotter takes
        QString bezeichnung() const; // "Plan.dxf – A1"
    };

    // What a target would take over.
    struct Vorschau
    {
        bool quelle = false; // the target is the source itself
        QList<basSeiteEinrichten::Aenderung> aenderungen;
        QString hindernis; // why its plotter cannot take it; it is then left alone
    };

    // None is owned; the sheets are the loaded drawings' (the sheet list's reading); the views keep
    // which batch "Rückgängig" takes back.
    SeiteEinrichtenControl(acad::Host& host, const QList<blattliste::Blatt>& blaetter,
                           basViewControls::ViewControls& views, QObject* parent = nullptr);

    // Every loaded sheet first (also the targets, same index), then the layouts read from templates.
    const QList<Blatt>& Quellen() const { return m_quellen; }
    int Quelle() const { return m_quelle; }
    void setQuelle(int index);
    // The sheet that key names; the first that is no target when none does.
    void setQuelle(const Key& key);
    // The first sheet that is no target: the source when none is given.
    int ErstesFreies() const;
    // Opens the template in the CAD program just long enough to read its paper layouts, and offers
    // them as sources; the index of the first, -1 after a message.
    int VorlageLesen(const QString& path);

    quint32 Werte() const { return m_werte; }
    void setWerte(quint32 which);

    int ZielAnzahl() const { return m_zielAnzahl; }
    bool IstZiel(int index) const { return m_ziele.contains(index); }
    void setZiel(int index, bool chosen);
    void setZiele(const QList<Key>& keys);

    // What the target would take; only chosen targets are asked for.
    Vorschau VorschauFuer(int index);
    // "12 Layouts in 3 Zeichnungen werden geändert." and how many cannot take it.
    QString Zusammenfassung();
    // At least one chosen target would change.
    bool KannUebernehmen();
    // Applies the chosen values drawing by drawing and says what it did; true when something changed.
    bool Uebernehmen();

signals:
    void changed();

private:
    int indexOf(const Key& key) const;
    const Blatt& quelle() const { return m_quellen[m_quelle]; }
    const QStringList& plotters();
    const QStringList& papiere(int index);
    QStringList quellPapiere();
    QList<int> zuAendern(QStringList& abgelehnt);
    int anwenden(const QList<int>& ziele, QString& abbruch);
    void apply(const Blatt& ziel);
    void berichte(int geaendert, int zeichnungen, const QStringList& abgelehnt, const QString& abbruch);

    acad::Host& m_host;
    basViewControls::ViewControls& m_views;
    QList<Blatt> m_quellen;
    int m_zielAnzahl = 0;
    int m_quelle = 0;
    quint32 m_werte = basSeiteEinrichten::kAlleWerte;
    QSet<int> m_ziele;
    std::optional<QStringList> m_plotters;
    QHash<int, QStringList> m_papiere; // by sheet index, read once
};

} // namespace operations
