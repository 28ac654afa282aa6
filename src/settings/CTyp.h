#pragma once

#include <QString>

class QSqlDatabase;
class QSqlRecord;

namespace acad {
class Host;
}

// One row of the table "Typen": a library type and its folder.
struct CTyp final
{
    qint32 TypenId = 0;
    QString typ;
    QString Verzeichnis;
    QString Info;
    QString StTempVerz; // filled by no column, used by nobody; kept for the family's other programs

    // Fills the record from a row, then applies the folder rule: an empty folder becomes the CAD
    // host's template folder for type 1 (when the host gives one), else the program folder's
    // "Bibliothek/<typ>".
    void ReadFromDatabase(const QSqlRecord& row, acad::Host* acadApp);

    // Writes Verzeichnis back into the type's row. True on failure, after the message.
    bool WriteToDatabase(QSqlDatabase& db) const;
};
