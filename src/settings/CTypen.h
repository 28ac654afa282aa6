#pragma once

#include "CTyp.h"
#include "KeyedCollection.h"

class QSqlQuery;

// The library types, keyed by the decimal text of TypenId.
class CTypen final : public settings::KeyedCollection<CTyp>
{
public:
    using settings::KeyedCollection<CTyp>::Add;

    void AddTyp(Ptr typ, const QString& key);
    Ptr Add(qint32 TypenId, const QString& typ, const QString& Verzeichnis, const QString& Info,
            const QString& key);

    // Clears and refills from every row of an executed query on "Typen".
    void ReadFromDatabase(QSqlQuery& rs, acad::Host* acadApp);
    // Writes the folder of every row's record back.
    void WriteToDatabase(QSqlDatabase& db) const;
};
