#include "SeiteEinrichtenControl.h"

#include "BatchMark.h"
#include "basDateienTargets.h"

#include <QFileInfo>
#include <acad/Host.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>
#include <records/CAcadobj.h>

using basSeiteEinrichten::Aenderung;

namespace operations {

namespace {

const QString kModel = QStringLiteral("Model");

QString count(qsizetype n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

// A template already open in the CAD program is read where it is and stays open; otherwise it is
// opened for the reading and closed unchanged, and the drawing that was active is again.
class OpenedTemplate final
{
public:
    OpenedTemplate(acad::Host& host, const QString& path) : m_host(host)
    {
        const QFileInfo file(path);
        const QList<acad::DocId> open =
            basDateien::MatchingDocuments(host, gesamtOf(file.absolutePath(), file.fileName()));
        if (!open.isEmpty()) {
            doc = open.first();
            return;
        }
        m_activeBefore = host.application().activeDocument;
        doc = host.openDocument(path);
        m_opened = true;
    }
    ~OpenedTemplate()
    {
        if (!m_opened)
            return;
        platform::ignoringErrors([this] { m_host.closeDocument(doc, false); });
        if (m_activeBefore != 0)
            platform::ignoringErrors([this] { m_host.activateDocument(m_activeBefore); });
    }
    OpenedTemplate(const OpenedTemplate&) = delete;
    OpenedTemplate& operator=(const OpenedTemplate&) = delete;

    acad::DocId doc = 0;

private:
    acad::Host& m_host;
    acad::DocId m_activeBefore = 0;
    bool m_opened = false;
};

} // namespace

QString SeiteEinrichtenControl::Blatt::bezeichnung() const
{
    return QStringLiteral("%1 – %2").arg(zeichnung, plot.name);
}

SeiteEinrichtenControl::SeiteEinrichtenControl(acad::Host& host, const QList<blattliste::Blatt>& blaetter,
                                               basViewControls::ViewControls& views, QObject* parent)
    : QObject(parent), m_host(host), m_views(views)
{
    for (const blattliste::Blatt& blatt : blaetter)
        m_quellen.append({blatt.doc, blatt.zeichnung, blatt.gesamt, blatt.plot, false, {}});
    m_zielAnzahl = int(m_quellen.size());
}

void SeiteEinrichtenControl::setQuelle(int index)
{
    if (index < 0 || index >= m_quellen.size() || index == m_quelle)
        return;
    m_quelle = index;
    emit changed();
}

// A sheet that has gone meanwhile gives way to the first that is no target.
void SeiteEinrichtenControl::setQuelle(const Key& key)
{
    const int index = indexOf(key);
    setQuelle(index >= 0 ? index : ErstesFreies());
}

void SeiteEinrichtenControl::setWerte(quint32 which)
{
    m_werte = which & basSeiteEinrichten::kAlleWerte;
    emit changed();
}

void SeiteEinrichtenControl::setZiel(int index, bool chosen)
{
    if (index < 0 || index >= m_zielAnzahl || chosen == IstZiel(index))
        return;
    if (chosen)
        m_ziele.insert(index);
    else
        m_ziele.remove(index);
    emit changed();
}

void SeiteEinrichtenControl::setZiele(const QList<Key>& keys)
{
    m_ziele.clear();
    for (const Key& key : keys) {
        const int index = indexOf(key);
        if (index >= 0)
            m_ziele.insert(index);
    }
    emit changed();
}

int SeiteEinrichtenControl::indexOf(const Key& key) const
{
    for (int i = 0; i < m_zielAnzahl; ++i) {
        const Blatt& blatt = m_quellen[i];
        if (basDateien::sameName(blatt.gesamt, key.gesamt) && blatt.plot.id == key.layoutId)
            return i;
    }
    return -1;
}

int SeiteEinrichtenControl::ErstesFreies() const
{
    for (int i = 0; i < m_zielAnzahl; ++i) {
        if (!IstZiel(i))
            return i;
    }
    return 0;
}

int SeiteEinrichtenControl::VorlageLesen(const QString& path)
{
    const qsizetype first = m_quellen.size();
    try {
        OpenedTemplate opened(m_host, path);
        const QString name = QFileInfo(path).fileName();
        for (const acad::LayoutPlotSettings& layout : m_host.layoutPlotSettings(opened.doc)) {
            if (layout.name == kModel)
                continue;
            const QStringList papers = m_host.canonicalMediaNames(opened.doc, layout.id);
            m_quellen.append({0, name, path, layout, true, papers});
        }
    } catch (const std::exception& error) {
        m_quellen.resize(first);
        platform::MsgBox(QStringLiteral("Die Vorlage „%1“ kann nicht gelesen werden: %2")
                             .arg(path, platform::describe(error)),
                         platform::vbExclamation);
        return -1;
    }
    if (m_quellen.size() == first) {
        platform::MsgBox(QStringLiteral("Die Vorlage „%1“ hat kein Layout.").arg(path),
                         platform::vbExclamation);
        return -1;
    }
    m_quelle = int(first);
    emit changed();
    return int(first);
}

const QStringList& SeiteEinrichtenControl::plotters()
{
    if (!m_plotters) {
        const acad::DocId doc = m_zielAnzahl > 0 ? m_quellen.first().doc : 0;
        m_plotters = m_host.plotDeviceNames(doc);
    }
    return *m_plotters;
}

const QStringList& SeiteEinrichtenControl::papiere(int index)
{
    auto found = m_papiere.find(index);
    if (found == m_papiere.end()) {
        const Blatt& blatt = m_quellen[index];
        found = m_papiere.insert(index, m_host.canonicalMediaNames(blatt.doc, blatt.plot.id));
    }
    return *found;
}

QStringList SeiteEinrichtenControl::quellPapiere()
{
    return quelle().vorlage ? quelle().papiere : papiere(m_quelle);
}

// A target whose plotter list cannot be read says so as its obstacle: it is then left alone.
SeiteEinrichtenControl::Vorschau SeiteEinrichtenControl::VorschauFuer(int index)
{
    Vorschau out;
    if (index < 0 || index >= m_zielAnzahl || m_quellen.isEmpty())
        return out;
    const Blatt& ziel = m_quellen[index];
    if (index == m_quelle) {
        out.quelle = true;
        return out;
    }
    const acad::LayoutPlotSettings ergebnis = basSeiteEinrichten::Ergebnis(ziel.plot, quelle().plot, m_werte);
    out.aenderungen = basSeiteEinrichten::Unterschiede(ziel.plot, ergebnis, m_werte);
    if (out.aenderungen.isEmpty())
        return out;
    try {
        const QStringList papers = (m_werte & acad::Plotter) ? quellPapiere() : papiere(index);
        out.hindernis = basSeiteEinrichten::Hindernis(ergebnis.plot, m_werte, plotters(), papers);
    } catch (const std::exception& error) {
        out.hindernis = platform::describe(error);
    }
    return out;
}

// The chosen targets that change and can, in sheet order; those that cannot, with the reason.
QList<int> SeiteEinrichtenControl::zuAendern(QStringList& abgelehnt)
{
    QList<int> out;
    for (int i = 0; i < m_zielAnzahl; ++i) {
        if (!IstZiel(i))
            continue;
        const Vorschau vorschau = VorschauFuer(i);
        if (!vorschau.hindernis.isEmpty())
            abgelehnt.append(QStringLiteral("%1: %2").arg(m_quellen[i].bezeichnung(), vorschau.hindernis));
        else if (!vorschau.aenderungen.isEmpty())
            out.append(i);
    }
    return out;
}

QString SeiteEinrichtenControl::Zusammenfassung()
{
    QStringList abgelehnt;
    const QList<int> ziele = zuAendern(abgelehnt);
    QSet<acad::DocId> docs;
    for (int i : ziele)
        docs.insert(m_quellen[i].doc);
    QString text = ziele.isEmpty() ? QStringLiteral("Kein gewähltes Layout ändert sich.")
                                   : QStringLiteral("%1 in %2 werden geändert.")
                                         .arg(count(ziele.size(), "Layout", "Layouts"),
                                              count(docs.size(), "Zeichnung", "Zeichnungen"));
    if (!abgelehnt.isEmpty())
        text += QStringLiteral(" %1 kann der Plotter nicht übernehmen.")
                    .arg(count(abgelehnt.size(), "Layout", "Layouts"));
    return text;
}

bool SeiteEinrichtenControl::KannUebernehmen()
{
    QStringList abgelehnt;
    return !zuAendern(abgelehnt).isEmpty();
}

void SeiteEinrichtenControl::apply(const Blatt& ziel)
{
    const Blatt& from = quelle();
    if (from.vorlage)
        m_host.setPlotSettings(ziel.doc, ziel.plot.id, from.plot.plot, m_werte);
    else
        m_host.copyPlotSettings(from.doc, from.plot.id, ziel.doc, ziel.plot.id, m_werte);
}

// Drawing by drawing, each in one undo mark. The first failure ends the run: what the host refuses
// was checked before, so it is gone or hangs, and each further call would only wait again.
int SeiteEinrichtenControl::anwenden(const QList<int>& ziele, QString& abbruch)
{
    QList<acad::DocId> order;
    for (int i : ziele) {
        if (!order.contains(m_quellen[i].doc))
            order.append(m_quellen[i].doc);
    }
    int done = 0;
    for (acad::DocId doc : order) {
        BatchMark mark(m_host, doc, m_views);
        for (int i : ziele) {
            if (m_quellen[i].doc != doc)
                continue;
            try {
                apply(m_quellen[i]);
            } catch (const std::exception& error) {
                abbruch = QStringLiteral("%1: %2").arg(m_quellen[i].bezeichnung(), platform::describe(error));
                return done;
            }
            mark.changed();
            ++done;
        }
    }
    return done;
}

bool SeiteEinrichtenControl::Uebernehmen()
{
    QStringList abgelehnt;
    const QList<int> ziele = zuAendern(abgelehnt);
    if (ziele.isEmpty()) {
        platform::MsgBox(QStringLiteral("Kein gewähltes Layout ändert sich."), platform::vbExclamation);
        return false;
    }
    QString abbruch;
    const int done = anwenden(ziele, abbruch);
    QSet<acad::DocId> docs;
    for (int i : ziele.first(done))
        docs.insert(m_quellen[i].doc);
    berichte(done, int(docs.size()), abgelehnt, abbruch);
    return done > 0;
}

void SeiteEinrichtenControl::berichte(int geaendert, int zeichnungen, const QStringList& abgelehnt,
                                      const QString& abbruch)
{
    QString text =
        QStringLiteral("Seite einrichten übernommen: %1 in %2.")
            .arg(count(geaendert, "Layout", "Layouts"), count(zeichnungen, "Zeichnung", "Zeichnungen"));
    if (!abgelehnt.isEmpty())
        text += QStringLiteral("\n\nNicht übernommen, weil der Plotter es nicht kann:\n") +
                abgelehnt.join(QLatin1Char('\n'));
    if (!abbruch.isEmpty())
        text += QStringLiteral("\n\nAbgebrochen bei %1").arg(abbruch);
    const bool clean = abgelehnt.isEmpty() && abbruch.isEmpty();
    platform::MsgBox(text, clean ? platform::vbInformation : platform::vbExclamation);
}

} // namespace operations
