#include "BlattlisteControl.h"

#include "basDateien.h"
#include "basDateienTargets.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QSet>
#include <acad/Host.h>
#include <explorer/AcadConnection.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>
#include <platform/SystemError.h>

using blattliste::Blatt;

namespace operations {

namespace {

void report(const QString& description)
{
    platform::MsgBox(description, platform::vbOKOnly);
}

// The counts of the summary, in the order of the checks' flags.
const std::array<const char*, blattliste::kPruefungen>& flagTexts()
{
    static const std::array<const char*, blattliste::kPruefungen> texts{
        "ohne Plotter", "ohne Plotstiltabelle", "mit Maßstab außerhalb der Normreihe", "ohne Stempelfeld",
        "mit Stempelfeld auf anderer Papiergröße"};
    return texts;
}

} // namespace

BlattlisteControl::BlattlisteControl(explorer::AcadConnection& connection, const CBloecke& definitions,
                                     explorer::ViewHost& host, QObject* parent)
    : QObject(parent), m_connection(connection), m_definitions(definitions), m_host(host)
{
    m_proxy.setSourceModel(&m_model);
    m_proxy.setFilterKeyColumn(-1);
    m_proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_proxy.setSortRole(blattliste::BlattlisteModel::SortRole);
    m_proxy.setSortCaseSensitivity(Qt::CaseInsensitive);
    m_proxy.setSortLocaleAware(true);
}

// A host that cannot be read at all leaves the last rows standing: the user keeps what he saw and
// hears why it is not current. A drawing that fails on its own drops out.
void BlattlisteControl::Refresh()
{
    std::optional<QString> failure;
    try {
        QList<Blatt> blaetter =
            blattliste::LeseBlaetter(*basDateien::attachedApp(m_connection), m_definitions, failure);
        m_model.setBlaetter(std::move(blaetter));
        vergleiche();
        emit refreshed();
    } catch (const std::exception& error) {
        failure = platform::describe(error);
    }
    if (failure)
        report(*failure);
}

void BlattlisteControl::setFilter(const QString& text)
{
    m_proxy.setFilterFixedString(text);
}

QString BlattlisteControl::Zusammenfassung() const
{
    const QList<Blatt>& all = m_model.blaetter();
    QSet<QString> drawings;
    std::array<int, blattliste::kPruefungen> counts{};
    for (const Blatt& blatt : all) {
        drawings.insert(blatt.gesamt.toUpper());
        for (int i = 0; i < blattliste::kPruefungen; ++i)
            counts[i] += (blatt.pruefungen & (1u << i)) ? 1 : 0;
    }
    QStringList parts;
    for (int i = 0; i < blattliste::kPruefungen; ++i)
        parts.append(QString::number(counts[i]) + QLatin1Char(' ') + QString::fromUtf8(flagTexts()[i]));
    QString text = QStringLiteral("%1 Layouts in %2 Zeichnungen. Markiert: %3.")
                       .arg(all.size())
                       .arg(drawings.size())
                       .arg(parts.join(QStringLiteral(", ")));
    if (m_vergleich) {
        const auto differing = std::count_if(all.begin(), all.end(), [](const Blatt& blatt) {
            return (blatt.pruefungen & blattliste::WeichtAb) != 0;
        });
        text += QStringLiteral(" Weichen von „%1“ ab: %2.").arg(vergleichName()).arg(differing);
    }
    if (m_proxy.rowCount() != all.size())
        text += QStringLiteral(" Angezeigt: %1 von %2.").arg(m_proxy.rowCount()).arg(all.size());
    return text;
}

QList<QStringList> BlattlisteControl::shownRows(const QString& decimalPoint) const
{
    QList<QStringList> rows{blattliste::Spaltentitel()};
    for (int row = 0; row < m_proxy.rowCount(); ++row) {
        const Blatt& blatt = *blattAt(row);
        QStringList cells;
        for (int column = 0; column < blattliste::SpaltenAnzahl; ++column)
            cells.append(blattliste::Zelle(blatt, column, decimalPoint));
        rows.append(cells);
    }
    return rows;
}

QString BlattlisteControl::Csv() const
{
    // Numbers with a decimal comma are quoted too: a program that takes the comma for a separator
    // still reads "420,00 x 297,00 mm" as one field.
    return blattliste::AlsText(shownRows(QStringLiteral(",")), QLatin1Char(';'), QStringLiteral("\r\n"),
                               QStringLiteral(","));
}

QString BlattlisteControl::Tsv() const
{
    return blattliste::AlsText(shownRows(QLocale().decimalPoint()), QLatin1Char('\t'), QStringLiteral("\n"));
}

bool BlattlisteControl::ExportCsv(const QString& path) const
{
    QSaveFile file(path);
    const QByteArray bytes = QByteArrayLiteral("\xEF\xBB\xBF") + Csv().toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    platform::MsgBox(QStringLiteral("Die Blattliste kann nicht in „%1“ gespeichert werden: %2")
                         .arg(path, platform::germanReason(file)),
                     platform::vbExclamation);
    return false;
}

const Blatt* BlattlisteControl::blattAt(int row) const
{
    const QModelIndex source = m_proxy.mapToSource(m_proxy.index(row, 0));
    return source.isValid() ? &m_model.blaetter()[source.row()] : nullptr;
}

// As "Aktuell" does it: the drawing's documents activated, then its layout made current.
void BlattlisteControl::activate(const Blatt& blatt)
{
    const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
    const QList<acad::DocId> docs = basDateien::MatchingDocuments(*app, blatt.gesamt);
    if (docs.isEmpty()) {
        basDateien::reportNotLoaded(blatt.gesamt);
        Refresh();
        return;
    }
    basDateien::activateEach(*app, docs, m_connection, m_host);
    if (!basDateien::activateLayout(*app, m_connection.activeDoc(), blatt.plot.name)) {
        platform::MsgBox(QStringLiteral("Das Layout „%1“ ist in %2 nicht mehr vorhanden!")
                             .arg(blatt.plot.name, blatt.gesamt),
                         platform::vbExclamation);
        Refresh();
        return;
    }
    platform::ignoringErrors([this] { m_connection.BringAcadToFront(); });
}

void BlattlisteControl::Activate(int row)
{
    const Blatt* blatt = blattAt(row);
    if (!blatt)
        return;
    // The row may go with a refresh below.
    const Blatt chosen = *blatt;
    try {
        activate(chosen);
    } catch (const std::exception& error) {
        report(platform::describe(error));
    }
}

void BlattlisteControl::setVergleich(const std::optional<Key>& key)
{
    m_vergleich = key;
    vergleiche();
}

// A sheet compared with that has gone ends the comparison rather than hiding every row.
void BlattlisteControl::vergleiche()
{
    const int referenz = m_vergleich ? modelRowOf(*m_vergleich) : -1;
    if (referenz < 0)
        m_vergleich.reset();
    m_model.vergleiche(referenz);
    m_proxy.setNurAbweichende(referenz >= 0);
}

QString BlattlisteControl::vergleichName() const
{
    const int row = m_vergleich ? modelRowOf(*m_vergleich) : -1;
    if (row < 0)
        return {};
    const Blatt& blatt = m_model.blaetter()[row];
    return QStringLiteral("%1 – %2").arg(blatt.zeichnung, blatt.plot.name);
}

int BlattlisteControl::modelRowOf(const Key& key) const
{
    const QList<Blatt>& all = m_model.blaetter();
    int byName = -1;
    for (int row = 0; row < all.size(); ++row) {
        if (!basDateien::sameName(all[row].gesamt, key.gesamt))
            continue;
        if (all[row].layoutId == key.layoutId)
            return row;
        if (byName < 0 && basDateien::sameName(all[row].plot.name, key.layout))
            byName = row;
    }
    return byName;
}

std::optional<BlattlisteControl::Key> BlattlisteControl::keyOf(int row) const
{
    const Blatt* blatt = blattAt(row);
    if (!blatt)
        return std::nullopt;
    return Key{blatt->gesamt, blatt->layoutId, blatt->plot.name};
}

QList<veroeffentlichen::Wahl> BlattlisteControl::Auswahl(const QList<int>& rows) const
{
    QList<veroeffentlichen::Wahl> wahl;
    for (int row : rows) {
        if (const Blatt* blatt = blattAt(row))
            wahl.append({blatt->gesamt, blatt->layoutId, blatt->plot.name});
    }
    return wahl;
}

int BlattlisteControl::rowOf(const Key& key) const
{
    const int row = modelRowOf(key);
    return row < 0 ? -1 : m_proxy.mapFromSource(m_model.index(row, 0)).row();
}

} // namespace operations
