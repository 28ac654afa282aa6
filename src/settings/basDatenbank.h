#pragma once

#include "CBloecke.h"
#include "CTypen.h"

class QSqlQuery;

namespace acad {
class Host;
}

// The definition database: an SQLite file ("Kvarto.mdb" in the program folder unless "DefDB" names
// another), opened read-only for the length of one load and closed again.
namespace basDatenbank {

// The name of the connection while a load runs.
inline const QString kDefDBConnection = QStringLiteral("gDefDB");

// The library types and the product blocks of the definition database, for the whole run.
class Definitions final
{
public:
    // Keyed by the decimal text of their keys. gTypen is replaced at each successful load of
    // "Typen", gBloecke refilled at each load of "Bloecke".
    CTypen gTypen;
    CBloecke gBloecke;

    // Opens the file that GetDefDBPfad names. A missing file is never created. On failure it shows
    // "Fehler beim Öffnen der Def-Datenbank!"; the following query then fails with the reason, which
    // names the file (and for a Jet file says how to convert it).
    void OpenDefDB();
    void CloseDefDB();

    // Loads "Typen" into gTypen; the folder of type 1 may come from the CAD host (null: none attached).
    void LoadTypen(acad::Host* acadApp);
    // Loads "Bloecke" into gBloecke.
    void LoadBloecke();

private:
    QSqlQuery openRecordset(const QString& sql) const;

    // Why the last OpenDefDB failed; the query that follows reports it.
    QString m_openFailure;
};

void FillBloecke(CBloecke& bloecke, QSqlQuery& rs);

// The CAD host's template folder, or "" without a host or when the host fails to give it.
QString GetAcadPrefPfad(acad::Host* acadApp);

// Why a file cannot serve as the definition database; "" when it looks like an SQLite database.
QString checkDefDBFile(const QString& path);

} // namespace basDatenbank
