#include "basDatenbank.h"

#include "RowReader.h"
#include "SettingsError.h"
#include "basRegistry.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <acad/Error.h>
#include <acad/Host.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>
#include <platform/SystemError.h>

namespace basDatenbank {

namespace {

QString jetMessage(const QString& path)
{
    return QStringLiteral("Die Datei \"%1\" ist eine Access-Datenbank (Jet) und keine SQLite-Datenbank.\n\n"
                          "Sie lässt sich mit den mdbtools und sqlite3 umwandeln, zum Beispiel:\n"
                          "  mdb-schema \"%1\" sqlite > Kvarto.sql\n"
                          "  mdb-export -I sqlite \"%1\" Typen >> Kvarto.sql\n"
                          "  mdb-export -I sqlite \"%1\" Bloecke >> Kvarto.sql\n"
                          "  sqlite3 Kvarto-neu.mdb < Kvarto.sql\n"
                          "Danach die neue Datei an die Stelle der alten setzen (siehe README).")
        .arg(path);
}

} // namespace

// Opens a recordset over the open connection; throws with a text that names the file.
QSqlQuery Definitions::openRecordset(const QString& sql) const
{
    QSqlDatabase db = QSqlDatabase::database(kDefDBConnection, false);
    if (!db.isOpen())
        throw settings::Error(m_openFailure.isEmpty()
                                  ? QStringLiteral("Die Def-Datenbank ist nicht geöffnet.")
                                  : m_openFailure);
    QSqlQuery rs(db);
    rs.setForwardOnly(true);
    if (!rs.exec(sql))
        throw settings::Error(
            QStringLiteral("Die Abfrage \"%1\" der Def-Datenbank \"%2\" ist fehlgeschlagen: %3")
                .arg(sql, db.databaseName(), rs.lastError().text()));
    return rs;
}

namespace {

// Runs fill over the rows of sql. A row that cannot be read means a damaged file: the table is not
// taken at all, and the message names the file.
template <typename Fill> void readTable(QSqlQuery rs, const QString& sql, Fill fill)
{
    try {
        fill(rs);
    } catch (const settings::ReadError& e) {
        const QString file = QSqlDatabase::database(kDefDBConnection, false).databaseName();
        throw settings::Error(
            QStringLiteral("Die Def-Datenbank \"%1\" ist beschädigt: Die Abfrage \"%2\" brach "
                           "nach %3 Zeilen ab (%4). Die Tabelle wurde nicht übernommen.")
                .arg(file, sql)
                .arg(e.rowsRead())
                .arg(e.reason()));
    }
}

void showError(const std::exception& e)
{
    platform::MsgBox(platform::describe(e), platform::vbOKOnly);
}

} // namespace

QString checkDefDBFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("Die Def-Datenbank \"%1\" wurde nicht gefunden.").arg(path);
    if (!info.isFile())
        return QStringLiteral("\"%1\" ist keine Datei und kann nicht die Def-Datenbank sein.").arg(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("Die Def-Datenbank \"%1\" kann nicht gelesen werden: %2")
            .arg(path, platform::germanReason(file));
    const QByteArray header = file.read(32);
    // SQLite takes an empty file for an empty database; the query then reports the missing table.
    if (header.isEmpty() || header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return QString();
    if (header.startsWith(QByteArrayLiteral("\0\x01\0\0Standard Jet DB")) ||
        header.startsWith(QByteArrayLiteral("\0\x01\0\0Standard ACE DB")))
        return jetMessage(path);
    return QStringLiteral("Die Datei \"%1\" ist keine SQLite-Datenbank und kann nicht als Def-Datenbank "
                          "gelesen werden.")
        .arg(path);
}

void Definitions::OpenDefDB()
{
    CloseDefDB();
    m_openFailure.clear();
    const QString path = basRegistry::GetDefDBPfad();
    m_openFailure = checkDefDBFile(path);
    if (m_openFailure.isEmpty()) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kDefDBConnection);
        db.setDatabaseName(path);
        // Read-only: SQLite then never creates a file, and the family's file stays as it is.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open())
            m_openFailure = QStringLiteral("Die Def-Datenbank \"%1\" lässt sich nicht öffnen: %2")
                                .arg(path, db.lastError().text());
    }
    if (!m_openFailure.isEmpty())
        platform::MsgBox(QStringLiteral("Fehler beim Öffnen der Def-Datenbank!"), platform::vbCritical);
}

void Definitions::CloseDefDB()
{
    if (!QSqlDatabase::contains(kDefDBConnection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(kDefDBConnection, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(kDefDBConnection);
}

void Definitions::LoadTypen(acad::Host* acadApp)
{
    try {
        OpenDefDB();
        CTypen typen;
        const QString sql = QStringLiteral("select * from Typen");
        readTable(openRecordset(sql), sql, [&](QSqlQuery& rs) { typen.ReadFromDatabase(rs, acadApp); });
        gTypen = std::move(typen);
    } catch (const std::exception& e) {
        showError(e);
    }
    CloseDefDB();
}

void Definitions::LoadBloecke()
{
    try {
        OpenDefDB();
        // Filled aside, so that a damaged file leaves the blocks of the last load in place.
        CBloecke bloecke;
        const QString sql = QStringLiteral("SELECT * FROM Bloecke");
        readTable(openRecordset(sql), sql, [&](QSqlQuery& rs) { FillBloecke(bloecke, rs); });
        gBloecke = std::move(bloecke);
    } catch (const std::exception& e) {
        showError(e);
    }
    // Closed on failure too, so that the file is never held open between loads.
    CloseDefDB();
}

void FillBloecke(CBloecke& bloecke, QSqlQuery& rs)
{
    bloecke.ReadFromDatabase(rs);
}

QString GetAcadPrefPfad(acad::Host* acadApp)
{
    if (!acadApp)
        return QString();
    try {
        return acadApp->templatePath();
    } catch (const acad::Error&) {
        return QString();
    }
}

} // namespace basDatenbank
