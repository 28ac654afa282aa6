#include "Veroeffentlichen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <acad/CommandString.h>
#include <acad/Host.h>
#include <filesystem>
#include <platform/Error.h>
#include <platform/SystemError.h>
#include <records/CAcadobj.h>
#include <system_error>

namespace veroeffentlichen {

namespace {

const QString kModel = QStringLiteral("Model");
const QString kPdf = QStringLiteral(".pdf");
// A file name's limit in bytes, less what the temporary name adds ("." before, ".part" after).
constexpr int kNameBytes = 255 - 6;
// At most this many names in the question before replacing.
constexpr int kFragenNamen = 5;

const QRegularExpression& platzhalter()
{
    static const QRegularExpression pattern(QStringLiteral("\\{([^{}]*)\\}"));
    return pattern;
}

bool gewaehlt(const QList<Wahl>& wahl, const QString& gesamt, acad::ObjectId id, QSet<int>& gefunden)
{
    for (int i = 0; i < wahl.size(); ++i) {
        if (wahl[i].layoutId == id && wahl[i].gesamt.compare(gesamt, Qt::CaseInsensitive) == 0) {
            gefunden.insert(i);
            return true;
        }
    }
    return false;
}

QString mitPdf(const QString& name)
{
    return name.endsWith(kPdf, Qt::CaseInsensitive) ? name : name + kPdf;
}

QString unbekannterPlatzhalter(const QString& muster)
{
    QRegularExpressionMatchIterator it = platzhalter().globalMatch(muster);
    while (it.hasNext()) {
        const QString name = it.next().captured(1).toLower();
        if (name != QLatin1String("zeichnung") && name != QLatin1String("layout"))
            return QStringLiteral("{%1}").arg(name);
    }
    return {};
}

QString ordnerProblem(const QString& ordner)
{
    if (ordner.trimmed().isEmpty())
        return QStringLiteral("Bitte geben Sie einen Zielordner an!");
    if (!QDir::isAbsolutePath(ordner))
        return QStringLiteral("Bitte geben Sie den Zielordner mit vollständigem Pfad an!");
    const QFileInfo info(ordner);
    if (!info.isDir())
        return QStringLiteral("Der Zielordner „%1“ ist nicht vorhanden!").arg(ordner);
    if (!info.isWritable())
        return QStringLiteral("In den Zielordner „%1“ kann nicht geschrieben werden!").arg(ordner);
    return {};
}

// Two sheets with one file name, or a name a folder has.
QString namenProblem(const Auftrag& auftrag, const QList<Blatt>& blaetter, const QStringList& dateien)
{
    QHash<QString, int> erstes;
    for (int i = 0; i < dateien.size(); ++i) {
        if (const QString problem = NamensProblem(dateien[i]); !problem.isEmpty())
            return problem;
        if (QFileInfo(QDir(auftrag.ordner).filePath(dateien[i])).isDir())
            return QStringLiteral("„%1“ ist ein Ordner!").arg(dateien[i]);
        if (erstes.contains(dateien[i]))
            return QStringLiteral("Die Blätter %1 und %2 ergäben dieselbe Datei „%3“!")
                .arg(Bezeichnung(blaetter[erstes.value(dateien[i])]), Bezeichnung(blaetter[i]), dateien[i]);
        erstes.insert(dateien[i], i);
    }
    return {};
}

QString anzahlBlaetter(int n)
{
    if (n == 0)
        return QStringLiteral("Kein Blatt veröffentlicht.");
    if (n == 1)
        return QStringLiteral("1 Blatt veröffentlicht.");
    return QStringLiteral("%1 Blätter veröffentlicht.").arg(n);
}

} // namespace

QList<Blatt> InBlattfolge(acad::Host& host, const QList<Wahl>& wahl, QStringList& fehlend)
{
    QList<Blatt> blaetter;
    QSet<int> gefunden;
    for (const acad::DocumentSnapshot& doc : host.documentSnapshots()) {
        const QString gesamt = gesamtOf(doc.ref.path, doc.ref.name);
        for (const acad::LayoutRef& layout : doc.layouts) {
            if (layout.name != kModel && gewaehlt(wahl, gesamt, layout.id, gefunden))
                blaetter.append({doc.ref.name, doc.ref.id, layout.id, layout.name});
        }
    }
    for (int i = 0; i < wahl.size(); ++i) {
        if (!gefunden.contains(i))
            fehlend.append(wahl[i].gesamt + QLatin1Char(';') + wahl[i].layout);
    }
    return blaetter;
}

QString Bezeichnung(const Blatt& blatt)
{
    return blatt.zeichnung + QStringLiteral(" – ") + blatt.layout;
}

QString Dateiname(const QString& muster, const Blatt& blatt)
{
    QString name;
    qsizetype from = 0;
    QRegularExpressionMatchIterator it = platzhalter().globalMatch(muster);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        name += muster.mid(from, match.capturedStart() - from);
        const QString what = match.captured(1).toLower();
        if (what == QLatin1String("zeichnung"))
            name += QFileInfo(blatt.zeichnung).completeBaseName();
        else if (what == QLatin1String("layout"))
            name += blatt.layout;
        else
            name += match.captured();
        from = match.capturedEnd();
    }
    return mitPdf(name + muster.mid(from));
}

QStringList Zieldateien(const Auftrag& auftrag, const QList<Blatt>& blaetter)
{
    if (auftrag.eineDatei)
        return {mitPdf(auftrag.dateiname.trimmed())};
    QStringList dateien;
    for (const Blatt& blatt : blaetter)
        dateien.append(Dateiname(auftrag.muster, blatt));
    return dateien;
}

QString NamensProblem(const QString& name)
{
    if (name.isEmpty() || name == kPdf)
        return QStringLiteral("Bitte geben Sie einen Dateinamen an!");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("„%1“ ist kein gültiger Dateiname!").arg(name);
    if (name.contains(QLatin1Char('/')))
        return QStringLiteral("Der Dateiname „%1“ enthält „/“, das in Dateinamen nicht zulässig ist!")
            .arg(name);
    if (acad::hasControlCharacter(name))
        return QStringLiteral(
                   "Der Dateiname „%1“ enthält Steuerzeichen, die in Dateinamen nicht zulässig sind!")
            .arg(acad::visibleControls(name));
    if (QFile::encodeName(name).size() > kNameBytes)
        return QStringLiteral("Der Dateiname „%1“ ist zu lang (höchstens %2 Byte)!")
            .arg(name)
            .arg(kNameBytes);
    return {};
}

QString Pruefe(const Auftrag& auftrag, const QList<Blatt>& blaetter)
{
    if (const QString problem = ordnerProblem(auftrag.ordner); !problem.isEmpty())
        return problem;
    if (blaetter.isEmpty())
        return QStringLiteral("Kein Layout ausgewählt!");
    if (!auftrag.eineDatei) {
        if (const QString unbekannt = unbekannterPlatzhalter(auftrag.muster); !unbekannt.isEmpty())
            return QStringLiteral("Das Muster enthält den unbekannten Platzhalter „%1“! Möglich sind "
                                  "{zeichnung} und {layout}.")
                .arg(unbekannt);
    }
    return namenProblem(auftrag, blaetter, Zieldateien(auftrag, blaetter));
}

QStringList VorhandeneDateien(const Auftrag& auftrag, const QList<Blatt>& blaetter)
{
    QStringList vorhanden;
    const QDir ordner(auftrag.ordner);
    for (const QString& datei : Zieldateien(auftrag, blaetter)) {
        if (QFileInfo::exists(ordner.filePath(datei)))
            vorhanden.append(datei);
    }
    return vorhanden;
}

QString ErsetzenFrage(const QStringList& dateien)
{
    if (dateien.size() == 1)
        return QStringLiteral("„%1“ ist bereits vorhanden. Ersetzen?").arg(dateien.first());
    QStringList shown = dateien.mid(0, kFragenNamen);
    if (dateien.size() > kFragenNamen)
        shown.append(QStringLiteral("…"));
    return QStringLiteral("%1 Dateien sind bereits vorhanden. Ersetzen? %2")
        .arg(dateien.size())
        .arg(shown.join(QStringLiteral(", ")));
}

QString Abschluss(const Ergebnis& ergebnis)
{
    QString text = anzahlBlaetter(ergebnis.geschrieben);
    if (ergebnis.abgebrochen)
        text = QStringLiteral("Veröffentlichen abgebrochen. ") + text;
    if (!ergebnis.fehler.isEmpty()) {
        QStringList zeilen;
        for (const Fehler& f : ergebnis.fehler)
            zeilen.append(f.blatt + QStringLiteral(": ") + f.grund);
        text += QStringLiteral(" Nicht veröffentlicht: ") + zeilen.join(QStringLiteral("; "));
    }
    if (ergebnis.uebersprungen == 1)
        text += QStringLiteral(" 1 Objekt konnte nicht gezeichnet werden.");
    else if (ergebnis.uebersprungen > 1)
        text += QStringLiteral(" %1 Objekte konnten nicht gezeichnet werden.").arg(ergebnis.uebersprungen);
    return text;
}

QString Temporaer(const QString& ziel)
{
    const QFileInfo info(ziel);
    return info.dir().filePath(QStringLiteral(".%1.part").arg(info.fileName()));
}

Lauf::Lauf(acad::Host& host, Auftrag auftrag, QList<Blatt> blaetter)
    : m_host(host), m_auftrag(std::move(auftrag)), m_blaetter(std::move(blaetter)),
      m_fertig(m_blaetter.isEmpty())
{
}

Lauf::~Lauf()
{
    Abbrechen();
}

QString Lauf::Fortschritt() const
{
    if (m_fertig)
        return {};
    return QStringLiteral("Blatt %1 von %2: %3")
        .arg(m_next + 1)
        .arg(anzahl())
        .arg(Bezeichnung(m_blaetter[m_next]));
}

QString Lauf::ziel(const QString& name) const
{
    return QDir(m_auftrag.ordner).filePath(name);
}

void Lauf::Schritt()
{
    if (m_fertig)
        return;
    const Blatt& blatt = m_blaetter[m_next++];
    if (m_auftrag.eineDatei)
        seite(blatt);
    else
        einzeln(blatt);
    if (m_next < anzahl() || m_fertig)
        return;
    if (m_auftrag.eineDatei)
        abschliessen();
    m_fertig = true;
}

void Lauf::Abbrechen()
{
    if (m_fertig)
        return;
    verwerfen();
    m_ergebnis.abgebrochen = true;
    m_fertig = true;
}

// The host's file under its temporary name becomes the target, replacing what was there; a file
// the host did not write is reported as such.
bool Lauf::uebernehmen(const QString& temp, const QString& ziel, QString& grund)
{
    if (!QFileInfo::exists(temp)) {
        grund = QStringLiteral("Der CAD-Host hat keine Datei geschrieben.");
        return false;
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(temp).toStdString(), QFile::encodeName(ziel).toStdString(),
                            error);
    if (!error)
        return true;
    QFile::remove(temp);
    grund = QStringLiteral("„%1“ kann nicht geschrieben werden: %2")
                .arg(ziel, platform::germanReason(error.value()));
    return false;
}

void Lauf::einzeln(const Blatt& blatt)
{
    const QString datei = ziel(Dateiname(m_auftrag.muster, blatt));
    const QString temp = Temporaer(datei);
    QString grund;
    try {
        QFile::remove(temp);
        const acad::PlotResult result = m_host.plotToFile(blatt.doc, blatt.layoutId, temp);
        if (uebernehmen(temp, datei, grund)) {
            ++m_ergebnis.geschrieben;
            m_ergebnis.uebersprungen += result.skipped;
            m_ergebnis.dateien.append(datei);
            return;
        }
    } catch (const std::exception& error) {
        QFile::remove(temp);
        grund = platform::describe(error);
    }
    m_ergebnis.fehler.append({Bezeichnung(blatt), grund});
}

// A page that fails ends the run: the file would lack it.
void Lauf::seite(const Blatt& blatt)
{
    try {
        if (!m_job) {
            m_jobTemp = Temporaer(ziel(mitPdf(m_auftrag.dateiname.trimmed())));
            QFile::remove(m_jobTemp);
            m_job = m_host.beginPlotJob(m_jobTemp);
        }
        const acad::PlotResult result = m_host.plotJobPage(*m_job, blatt.doc, blatt.layoutId);
        ++m_seiten;
        m_seitenUebersprungen += result.skipped;
    } catch (const std::exception& error) {
        m_ergebnis.fehler.append({Bezeichnung(blatt), platform::describe(error)});
        verwerfen();
        m_fertig = true;
    }
}

void Lauf::abschliessen()
{
    const QString datei = ziel(mitPdf(m_auftrag.dateiname.trimmed()));
    QString grund;
    try {
        m_host.endPlotJob(*m_job, true);
        m_job.reset();
        if (uebernehmen(m_jobTemp, datei, grund)) {
            m_ergebnis.geschrieben = m_seiten;
            m_ergebnis.uebersprungen += m_seitenUebersprungen;
            m_ergebnis.dateien.append(datei);
            return;
        }
    } catch (const std::exception& error) {
        grund = platform::describe(error);
        verwerfen();
    }
    m_ergebnis.fehler.append({QFileInfo(datei).fileName(), grund});
}

// The job's file goes; a host that fails here has no job left to end.
void Lauf::verwerfen()
{
    if (m_job) {
        const qint32 job = *m_job;
        m_job.reset();
        platform::ignoringErrors([&] { m_host.endPlotJob(job, false); });
    }
    if (!m_jobTemp.isEmpty())
        QFile::remove(m_jobTemp);
}

} // namespace veroeffentlichen
